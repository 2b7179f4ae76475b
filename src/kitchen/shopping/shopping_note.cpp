#include "kitchen/shopping/shopping_note.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <unordered_map>

#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

namespace {

std::string RezValueName(size_t k) {
  return "KListRez" + std::to_string(k);
}

// Text written in text mode: every line end becomes CR LF.
std::string CrLfLines(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n') out += '\r';
    out += text[i];
  }
  return out;
}

}  // namespace

std::string ZettelItemText(const KAUFZETTEL& z) {
  if (z.recipeServings == 0) return z.entry.title;
  std::string text = z.entry.title + " (" + FormatGeneral(z.chosenServings);
  if (z.servingKind.size() > 1) text += " " + z.servingKind;
  return text + ")";
}

std::string EditedItemText(const std::string& title, const std::string& servings,
                           const std::string& kind) {
  const std::string blank = !servings.empty() && !kind.empty() ? " " : "";
  const std::string suffix = " (" + servings + blank + kind + ")";
  return suffix == " ()" ? title : title + suffix;
}

double ReadServings(const std::string& text) {
  return ReadNumber(text);
}

std::vector<SavedServings> ReadSavedServings(const SettingsStore& settings) {
  std::vector<SavedServings> saved;
  SavedServings s;
  for (size_t k = 0;; ++k) {
    const std::string value = settings.Read(kRegParam, RezValueName(k), "-");
    if (!value.empty() && value.front() == '-') break;
    // A value lacking a field keeps the previous value's.
    s.book = static_cast<int16_t>(static_cast<uint16_t>(ReadLong(value)));
    const size_t a = value.find('#');
    if (a != std::string::npos) {
      s.number = static_cast<int32_t>(ReadLong(std::string_view(value).substr(a + 1)));
      const size_t b = value.find('#', a + 1);
      if (b != std::string::npos) s.servings = ReadNumber(std::string_view(value).substr(b + 1));
    }
    saved.push_back(s);
  }
  return saved;
}

void ApplySavedServings(std::vector<KAUFZETTEL>& records, const std::vector<SavedServings>& saved) {
  // By a map of the saved ones (the last saved for a recipe counts), not a search per record.
  std::unordered_map<uint64_t, double> servings;
  const auto key = [](int16_t book, int32_t number) {
    return (uint64_t{static_cast<uint16_t>(book)} << 32) | static_cast<uint32_t>(number);
  };
  for (const SavedServings& s : saved) servings[key(s.book, s.number)] = s.servings;
  for (KAUFZETTEL& z : records) {
    const auto it = servings.find(key(z.entry.book, z.entry.number));
    if (it != servings.end()) z.chosenServings = it->second;
  }
}

long long GridCheckNumber(const std::vector<ShoppingRow>& rows) {
  long long sum = 1000LL * static_cast<long long>(rows.size() + 1);
  for (const ShoppingRow& row : rows) sum += ReadLong(row[1]);
  return sum;
}

std::string BuyLetters(const std::vector<ShoppingRow>& rows) {
  const std::string buy = GetLangText(223);
  std::string letters;
  for (const ShoppingRow& row : rows) letters += row[3] == buy ? 'J' : 'N';
  return letters;
}

void RestoreBuyMarks(std::vector<ShoppingRow>& rows, const SettingsStore& settings) {
  const long long stored = ReadLong(settings.Read(kRegParam, "KListYesNoCRC", "0"));
  if (stored != GridCheckNumber(rows)) return;
  const std::string letters = settings.Read(kRegParam, "KListYesNo", "");
  const std::string buy = GetLangText(223), dontBuy = GetLangText(225);
  for (size_t k = 0; k < rows.size() && k < letters.size(); ++k)
    rows[k][3] = letters[k] == 'J' ? buy : dontBuy;
}

void SaveShoppingState(SettingsStore& settings, const std::vector<KAUFZETTEL>& records,
                       const std::vector<ShoppingRow>& rows, const std::string& errands) {
  for (size_t i = 0; i < records.size(); ++i) {
    const KAUFZETTEL& z = records[i];
    settings.WriteString(kRegParam, RezValueName(i),
                         std::to_string(static_cast<uint16_t>(z.entry.book)) + "#" +
                             std::to_string(z.entry.number) + "#" +
                             FormatGeneral(z.chosenServings));
  }
  settings.WriteString(kRegParam, RezValueName(records.size()), "-");
  settings.WriteString(kRegParam, "KListYesNo", BuyLetters(rows));
  settings.WriteString(kRegParam, "KListYesNoCRC", std::to_string(GridCheckNumber(rows)));
  settings.WriteString(kRegParam, "KListRemark", errands);
}

std::string SavedErrands(const SettingsStore& settings) {
  return settings.Read(kRegParam, "KListRemark", "");
}

std::string KaufListText(const std::string& userName, const std::tm& when,
                         const std::vector<std::string>& tickedItems,
                         const std::vector<ShoppingRow>& rows, const std::string& errands) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, " (%d.%d.%04d %d:%02d) ----\n", when.tm_mday, when.tm_mon + 1,
                when.tm_year + 1900, when.tm_hour, when.tm_min);
  std::string text = "---- " + GetLangText(222) + " " + userName + stamp;
  for (const std::string& item : tickedItems) text += item + "\n";
  text += "\n";
  const std::string buy = GetLangText(223);
  long last = 0;
  for (const ShoppingRow& row : rows) last = std::max(last, ReadLong(row[5]));
  std::string dealer;
  const auto group = [&](long p) {
    for (const ShoppingRow& row : rows) {
      if (row[3] != buy || ReadLong(row[5]) != p) continue;
      if (row[4] != dealer) {
        dealer = row[4];
        text += dealer.empty() ? "\n" : dealer + ":\n";
      }
      text += "     " + row[1] + (row[1].empty() ? "" : " ") + row[2] + "\n";
    }
  };
  for (long p = 1; p <= last; ++p) group(p);
  group(0);
  if (!errands.empty()) text += GetLangText(224) + errands;
  return CrLfLines(text);
}

std::string KaufListTextPath() {
  return (ctx().options ? ctx().options->Str(4) : std::string()) + "Kauflist.txt";
}

bool WriteKaufListText(const std::vector<std::string>& tickedItems,
                       const std::vector<ShoppingRow>& rows, const std::string& errands) {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  const std::string user = ctx().options ? ctx().options->Str(10) : std::string();
  const std::string path = KaufListTextPath();
  MakeDirs(NativePath(path.substr(0, path.find_last_of("/\\") + 1)));
  if (WriteFileAtomic(NativePath(path), KaufListText(user, tm, tickedItems, rows, errands)))
    return true;
  MessageBox(GetLangText(221), GetLangText(15), MB_OK | MB_ICONERROR);
  return false;
}

}  // namespace tav
