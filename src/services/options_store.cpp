#include "services/options_store.h"

#include <algorithm>
#include <cstdint>

#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "services/context.h"
#include "services/lang_table.h"

namespace tav {

namespace {

struct FlagDef {
  int id;
  const char* name;
  bool def;
};
struct IntDef {
  int id;
  const char* name;
  int32_t def;
};
struct TextDef {
  int id;
  const char* name;
  const char* def;
};

constexpr FlagDef kFlags[] = {
    {12, "ShowAssist", true},     {16, "Energie", false},       {18, "SecureDel", true},
    {19, "IExplorer", true},      {21, "DosUml", false},        {22, "UmlImp", false},
    {31, "ExpUmlInt", false},     {32, "NoExpInfo", false},     {33, "InpMM", false},
    {34, "ImpMarker", true},      {36, "NoFootline", false},    {37, "ShowHTMLExport", true},
    {40, "HTMLLinkList", true},   {41, "AutoImpActive", true},  {44, "AutoImpDone", true},
    {45, "AutoImpBad", true},     {46, "AutoImpLogBook", true}, {48, "QuickWait", true},
    {49, "PicExport", true},      {50, "CopyBmp", true},        {54, "BLSMustValue", false},
    {55, "ShowBLSCol", false},    {56, "NoBLS", false},         {67, "CalcELTL", true},
    {75, "XPLook", true},         {76, "MultiDataDay", false},  {77, "SameQuelle", false},
    {78, "QEditFilter", true},    {79, "ShowOldLM", false},     {80, "ShowSoonLM", false},
    {82, "OldRed", true},         {83, "OldOrange", true},      {85, "PrintAddLine", true},
    {87, "PrintOffLM", true},     {88, "KalProPers", true},     {89, "CMLLeadBytes", false},
};

constexpr IntDef kInts[] = {
    {13, "XOffPRez", 20},      {14, "XOffPKList", 20},      {17, "VorgAnzPers", 4},
    {25, "YTopPRez", 10},      {26, "YBottomPRez", 10},     {27, "YTopPKList", 10},
    {28, "YBottomPKList", 10}, {29, "MaxExportLength", 70}, {42, "AutoImpTime", 3},
    {53, "AktFilterGrp", -1},  {63, "ShowMode", 2},         {64, "NahrGraph1", 1},
    {65, "NahrGraph2", -1},    {68, "CalcELMenge", 10},     {69, "CalcTLMenge", 5},
    {71, "GewGraph", -1},      {73, "NormTitleDir", 2},     {74, "ImpMaxRecipes", 10000},
    {81, "ShowSoonLMAnz", 1},  {84, "OldOrangeAnz", 1},     {86, "PrintAddLineAnz", 10},
    {92, "LogLevel", 0},
};

// Stored texts, in the order the constructor reads them. Options 3, 4, 34, 43, 51 and 72 are
// written under the mixed-case names; value names are compared without case, so one name
// serves both.
constexpr TextDef kTexts[] = {
    {10, "AName", "Tavolin!-Benutzer"},
    {62, "AutorEMail", ""},
    {4, "ExportPath", ""},
    {47, "AUTOIMPPATH", ""},
    {72, "LastQuelle", ""},
    {57, "HTMLExpTempl", "ViewTPL.html"},
    {58, "HTMLQExpTempl", "QViewTPL.html"},
    {61, "LastLogin", ""},
    {59, "HTMLRezBmpPath", ""},
    {60, "HTMLZutBmpPath", ""},
    {3, "ImportPath", ""},
    {34, "TargetFrame", "RezFrame"},
    {43, "AutoImpBook", "Auto-Import"},
    {66, "LEXURL", "https://de.wikipedia.org/wiki/Spezial:Search?search=#"},
    {70, "GEWCHART", "+0+1+2+3+4+5"},
};

constexpr const char* kDefaultWeightChart = "+0+1+2+3+4+5";

template <typename Def, size_t N>
const Def* Find(const Def (&table)[N], int id) {
  for (const Def& d : table)
    if (d.id == id) return &d;
  return nullptr;
}

SettingsStore* Settings() { return ctx().userSettings; }

// The stored integer, or `def` when missing or not a decimal integer.
int32_t ReadStoredInt(const char* name, int32_t def) {
  std::string text;
  if (!Settings() || !Settings()->ReadString(kRegParam, name, text)) return def;
  long long v;
  if (!ParseInt(text, v) || v < INT32_MIN || v > INT32_MAX) return def;
  return static_cast<int32_t>(v);
}

}  // namespace

const char* OptionsStore::FlagName(int id) {
  const FlagDef* d = Find(kFlags, id);
  return d ? d->name : "";
}
const char* OptionsStore::IntName(int id) {
  const IntDef* d = Find(kInts, id);
  return d ? d->name : "";
}
const char* OptionsStore::TextName(int id) {
  if (id == 6) return "KBook";
  if (id == 51) return "AktLanguage";
  const TextDef* d = Find(kTexts, id);
  return d ? d->name : "";
}

bool OptionsStore::ParseWeightChart(const std::string& text, std::array<bool, 6>& visible,
                                    std::array<int32_t, 6>& position) {
  if (text.size() != 12) return false;
  for (int i = 0; i < 6; ++i) {
    const char digit = text[2 * i + 1];
    if (digit < '0' || digit > '5') return false;
    visible[i] = text[2 * i] != '-';
    position[i] = digit - '0';
  }
  return true;
}

void OptionsStore::LoadOptions(const std::string& dataRoot) {
  programFolder_ = ProgramFolder();
  dataRoot_ = dataRoot;
  for (const IntDef& d : kInts) ints_[d.id] = ReadStoredInt(d.name, d.def);
  for (const FlagDef& d : kFlags) {
    const int32_t v = ReadStoredInt(d.name, d.def ? 1 : 0);
    flags_[d.id] = v == 1;
  }
  for (const TextDef& d : kTexts) {
    texts_[d.id] = d.def;
    if (Settings()) Settings()->ReadString(kRegParam, d.name, texts_[d.id]);
  }
  currentBook_.clear();

  // A malformed chart text would index past the six parts: take the default instead.
  if (!ParseWeightChart(texts_[70], chartVisible, chartPosition))
    ParseWeightChart(kDefaultWeightChart, chartVisible, chartPosition);
  texts_[70].clear();  // the text itself is not held

  LoadBlsRezStoffe();
  LoadAutoDelBooks();

  dataFolder_ = dataRoot_ + "Data/";
  if (texts_[4].empty()) texts_[4] = dataRoot_ + "Export/";
  if (texts_[3].empty()) texts_[3] = dataRoot_ + "Import/";
  if (texts_[47].empty()) texts_[47] = dataRoot_ + "Auto-Import/";

  std::string lang = "~";
  if (Settings()) Settings()->ReadString(kRegParam, "AKTLANGUAGE", lang);
  language_ = lang == "~" ? LanguageForLocaleId(UserDefaultLangId()) : lang;
}

void OptionsStore::LoadBlsRezStoffe() {
  blsRezStoffe.clear();
  std::string first;
  blsRezStoffeStored = Settings() && Settings()->ReadString(kRegParam, "BLSRezStoff_0", first);
  for (int n = 0;; ++n) {
    const int32_t v = ReadStoredInt(("BLSRezStoff_" + std::to_string(n)).c_str(), -1);
    if (v < 0) break;
    blsRezStoffe.push_back(v);
  }
}

int OptionsStore::GetFirstRezStoff() const {
  return blsRezStoffe.empty() ? -1 : blsRezStoffe.front();
}

int OptionsStore::GetNextRezStoff(int entry) const {
  const auto it = std::find(blsRezStoffe.begin(), blsRezStoffe.end(), entry);
  if (it == blsRezStoffe.end() || it + 1 == blsRezStoffe.end()) return -1;
  return *(it + 1);
}

bool OptionsStore::GetParaBool(int id, bool* value) const {
  const bool v = Find(kFlags, id) ? flags_[id] : false;
  if (value) *value = v;
  return v;
}

bool OptionsStore::GetParaInt(int id, int* value) const {
  if (!Find(kInts, id)) return false;
  if (value) *value = ints_[id];
  return true;
}

bool OptionsStore::GetParaString(int id, std::string* value) const {
  std::string v;
  switch (id) {
    case 1: v = programFolder_; break;
    case 2: v = dataFolder_; break;
    case 5: v = dataRoot_ + "HTML/"; break;
    case 6:
      if (!currentBook_.empty()) {
        v = currentBook_;
      } else if (Settings()) {
        Settings()->ReadString(kRegParam, "KBook", v);
      }
      break;
    case 7: {
      std::string book;
      GetParaString(6, &book);
      v = dataFolder_ + book;
      break;
    }
    case 51: v = language_; break;
    case 52: v = dataFolder_ + language_ + "/"; break;
    case 68:
    case 69: v = std::to_string(ints_[id]); break;
    case 90: v = dataRoot_; break;
    case 70: return false;  // written only
    default:
      if (!Find(kTexts, id)) return false;
      v = texts_[id];
  }
  if (value) *value = std::move(v);
  return true;
}

int OptionsStore::Int(int id) const {
  int v = 0;
  GetParaInt(id, &v);
  return v;
}

std::string OptionsStore::Str(int id) const {
  std::string v;
  GetParaString(id, &v);
  return v;
}

bool OptionsStore::WriteValue(const char* name, const std::string& text) {
  return Settings() && Settings()->WriteString(kRegParam, name, text);
}

void OptionsStore::SetParaBool(int id, bool value) {
  const FlagDef* d = Find(kFlags, id);
  if (!d || flags_[id] == value) return;
  if (id == 75) OnVisualStylesChanged(value);
  flags_[id] = value;
  WriteValue(d->name, value ? "1" : "0");
}

void OptionsStore::SetParaInt(int id, int value) {
  const IntDef* d = Find(kInts, id);
  if (!d || ints_[id] == value) return;
  ints_[id] = value;
  WriteValue(d->name, std::to_string(value));
}

void OptionsStore::SetParaString(int id, const std::string& value) {
  switch (id) {
    case 3:
    case 4: {
      if (texts_[id] == value) return;
      texts_[id] = WithSeparator(value);
      WriteValue(TextName(id), texts_[id]);
      return;
    }
    case 6:
      if (currentBook_ == value) return;
      currentBook_ = value;
      WriteValue("KBook", value);
      return;
    case 51:
      WriteValue("AktLanguage", value);  // used from the next start on
      return;
    case 68:
    case 69:
      // atol of a longer number than an integer holds gives the nearest integer, never a wrap.
      SetParaInt(id, static_cast<int>(std::clamp<long>(ReadLong(value), INT32_MIN, INT32_MAX)));
      return;
    case 70:
      if (wroteWeightChart_ && value == lastWeightChart_) return;
      wroteWeightChart_ = true;
      lastWeightChart_ = value;
      WriteValue("GEWCHART", value);
      return;
    case 47:
      return;  // no setter
    default: {
      const TextDef* d = Find(kTexts, id);
      if (!d || texts_[id] == value) return;
      texts_[id] = value;
      WriteValue(d->name, value);
    }
  }
}

bool OptionsStore::ReadParamFlag(const std::string& valueName) const {
  return ReadStoredInt(valueName.c_str(), 0) != 0;
}

void OptionsStore::OnVisualStylesChanged(bool) {}

}  // namespace tav
