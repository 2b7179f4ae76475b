#include "services/lang_table.h"

#include <cstdlib>
#include <cstring>

#include "platform/paths.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "services/context.h"

namespace tav {

namespace {

// The part of a line from `from` up to (excluding) `to`; empty where the line is shorter.
std::string Cols(const std::string& line, size_t from, size_t to = std::string::npos) {
  if (from >= line.size()) return std::string();
  return line.substr(from, to == std::string::npos ? std::string::npos : to - from);
}

std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// A number of a control line: blanks skipped, digits read up to the first other character.
int ColNumber(const std::string& line, size_t from, size_t to) {
  const std::string field = Cols(line, from, to);
  size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  bool negative = false;
  if (i < field.size() && field[i] == '-') negative = true, ++i;
  int v = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) v = v * 10 + (field[i] - '0');
  return negative ? -v : v;
}

constexpr const char* kSep = "\"#\"";

}  // namespace

int LangTable::MulDiv(int x, int y, int z) {
  if (z == 0) return -1;
  const long long num = static_cast<long long>(x) * y;
  long long q = num / z, r = num % z;
  // Round halves away from zero.
  if (2 * std::llabs(r) >= std::llabs(static_cast<long long>(z))) q += ((num < 0) != (z < 0)) ? -1 : 1;
  return static_cast<int>(q);
}

void LangTable::DialogUnitsToPixels(int& left, int& top, int& right, int& bottom) const {
  left = MulDiv(left, baseX_, 4);
  right = MulDiv(right, baseX_, 4);
  top = MulDiv(top, baseY_, 8);
  bottom = MulDiv(bottom, baseY_, 8);
}

void LangTable::DecodeEscapes(std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      const char n = text[i + 1];
      if (n == 'n' || n == 'r' || n == 't') {
        out += n == 'n' ? '\n' : n == 'r' ? '\r' : '\t';
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  text = std::move(out);
}

bool LangTable::Load(const std::string& path) {
  dialogs_.clear();
  menus_.clear();
  toolButtons_.clear();
  messages_.clear();
  std::vector<std::string> lines;
  if (!ReadTextLines(path, lines)) return false;
  Parse(lines);
  return true;
}

void LangTable::Parse(const std::vector<std::string>& lines) {
  enum class PartKind { kSections, kWaitMessages, kMessages, kDone } part = PartKind::kSections;
  enum class Section { kDialog, kMenu, kToolBar } section = Section::kDialog;
  DLG_INFO pending;
  std::string menuForm, menuName, toolForm;

  auto storePending = [&] {
    if (!pending.controls.empty()) dialogs_.push_back(pending);
    pending.controls.clear();
  };

  for (std::string line : lines) {
    if (part == PartKind::kDone) break;
    if (!line.empty() && line.back() == '"') line.pop_back();
    if (line.empty() || line[0] == '/') continue;

    const char first = line[0];
    if (part == PartKind::kWaitMessages || part == PartKind::kMessages) {
      if (first == '0') {
        part = PartKind::kMessages;
        std::string text = Cols(line, 7);
        if (!text.empty() && text.back() == '"') text.pop_back();
        DecodeEscapes(text);
        messages_.push_back(std::move(text));
      } else if (part == PartKind::kMessages) {
        part = PartKind::kDone;
      }
      continue;
    }

    if (first == '#' || first == '$' || first == '%') {
      storePending();
      if (first == '#') {
        section = Section::kDialog;
        pending.name = TrimRight(Cols(line, 1, 18));
        pending.caption = Cols(line, 20);
      } else if (first == '$') {
        section = Section::kMenu;
        menuForm = TrimRight(Cols(line, 1, 18));
        menuName = Cols(line, 19);
      } else {
        section = Section::kToolBar;
        toolForm = TrimRight(Cols(line, 1, 18));
      }
      continue;
    }
    if (first == '~') {
      storePending();
      part = PartKind::kWaitMessages;
      continue;
    }

    switch (section) {
      case Section::kDialog: {
        CTRL_INFO c;
        c.name = TrimRight(Cols(line, 0, 18));
        int left = ColNumber(line, 19, 23), top = ColNumber(line, 24, 28);
        int right = left + ColNumber(line, 29, 33), bottom = top + ColNumber(line, 34, 38);
        DialogUnitsToPixels(left, top, right, bottom);
        c.left = left;
        c.top = top;
        c.width = right - left;
        c.height = bottom - top;
        c.className = TrimRight(Cols(line, 40, 55));
        c.text = Cols(line, 58);
        pending.controls.push_back(std::move(c));
        break;
      }
      case Section::kMenu: {
        MNU_INFO m;
        m.formName = menuForm;
        m.menuName = menuName;
        m.itemName = TrimRight(Cols(line, 0, 18));
        const std::string rest = Cols(line, 20);
        const size_t sep = rest.find(kSep);
        if (sep == std::string::npos) {
          m.caption = rest;
        } else {
          m.caption = rest.substr(0, sep);
          const size_t keyPos = sep + 3;
          const size_t sep2 = rest.find(kSep, keyPos);
          if (sep2 != std::string::npos) m.hint = rest.substr(sep2 + 3);
          size_t scanFrom = keyPos;
          if (keyPos < rest.size() && rest[keyPos] != '"') {
            const char k = rest[keyPos];
            if (k >= '0' && k <= '9') {
              unsigned v = 0;
              size_t i = keyPos;
              for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i)
                v = (v * 10 + static_cast<unsigned>(rest[i] - '0')) & 0xFFFF;
              m.key = static_cast<uint16_t>(v);
              scanFrom = i;
            } else {
              m.key = static_cast<uint16_t>(static_cast<int>(static_cast<signed char>(k)));
              scanFrom = keyPos + 1;
            }
            // The words stand in the key field; a hint that says "Alt" changes no short-cut.
            const size_t fieldEnd = sep2 == std::string::npos ? rest.size() : sep2;
            const std::string tail =
                scanFrom < fieldEnd ? rest.substr(scanFrom, fieldEnd - scanFrom) : std::string();
            if (tail.find("Shift") != std::string::npos) m.modifiers |= kShift;
            if (tail.find("Ctrl") != std::string::npos) m.modifiers |= kCtrl;
            if (tail.find("Alt") != std::string::npos) m.modifiers |= kAlt;
          }
        }
        menus_.push_back(std::move(m));
        break;
      }
      case Section::kToolBar: {
        TB_INFO t;
        t.formName = toolForm;
        t.buttonName = TrimRight(Cols(line, 0, 18));
        const std::string rest = Cols(line, 20);
        const size_t sep = rest.find(kSep);
        if (sep == std::string::npos) {
          t.caption = rest;
        } else {
          t.caption = rest.substr(0, sep);
          t.hint = rest.substr(sep + 3);
        }
        if (!t.caption.empty() || !t.hint.empty()) toolButtons_.push_back(std::move(t));
        break;
      }
    }
  }
}

std::string LangTable::GetLangText(int n) const {
  if (n >= 0 && static_cast<size_t>(n) < messages_.size()) return messages_[n];
  return "{" + std::to_string(n) + "}";
}

const LangTable::DLG_INFO* LangTable::FindDialog(const std::string& name) const {
  for (const auto& d : dialogs_)
    if (d.name == name) return &d;
  return nullptr;
}

bool LangTable::FindMenuText(const std::string& formName, const std::string& menuName,
                             const std::string& itemName, std::string& caption,
                             std::string& hint, uint16_t& key, uint8_t& modifiers) const {
  const MNU_INFO* found = nullptr;
  for (const auto& m : menus_)
    if (m.formName == formName && m.menuName == menuName && m.itemName == itemName) found = &m;
  if (!found) return false;
  caption = found->caption;
  hint = found->hint;
  key = found->key;
  modifiers = found->modifiers;
  return true;
}

bool LangTable::FindToolButtonText(const std::string& formName, const std::string& buttonName,
                                   std::string& caption, std::string& hint) const {
  const TB_INFO* found = nullptr;
  for (const auto& t : toolButtons_)
    if (t.formName == formName && t.buttonName == buttonName) found = &t;
  if (!found) return false;
  caption = found->caption;
  hint = found->hint;
  return true;
}

std::string LanguageForLocaleId(int langId) {
  switch (langId) {
    case 0x0800: case 0x0407: case 0x0807: case 0x0C07: case 0x1007: case 0x1407:
      return "DE";
    default:
      return "EN";
  }
}

int UserDefaultLangId() {
  const char* vars[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  for (const char* v : vars) {
    const char* val = std::getenv(v);
    if (!val || !*val) continue;
    const std::string loc = val;
    if (loc.rfind("de", 0) == 0) {
      if (loc.rfind("de_CH", 0) == 0) return 0x0807;
      if (loc.rfind("de_AT", 0) == 0) return 0x0C07;
      if (loc.rfind("de_LU", 0) == 0) return 0x1007;
      if (loc.rfind("de_LI", 0) == 0) return 0x1407;
      return 0x0407;
    }
    if (loc == "C" || loc == "POSIX" || loc.rfind("C.", 0) == 0) return 0x0800;
    return 0x0409;
  }
  return 0x0800;  // nothing set: the system default
}

std::string LanguageFilePath(const std::string& dataRoot) {
  return FindFileNoCase(dataRoot + "Data/" + LanguageFromSettings() + "/GUI.klf");
}

LanguageFileFault CheckLanguageFile(const std::string& path) {
  if (!FileExists(path)) return LanguageFileFault::kMissing;
  if (FileSize(path) == 0) return LanguageFileFault::kEmpty;
  LangTable table;
  if (!table.Load(path) || table.MessageCount() < kLanguageMessages)
    return LanguageFileFault::kDamaged;
  return LanguageFileFault::kNone;
}

std::string LanguageFromSettings() {
  std::string lang = "~";
  if (ctx().userSettings) ctx().userSettings->ReadString(kRegParam, "AKTLANGUAGE", lang);
  if (lang == "~") lang = LanguageForLocaleId(UserDefaultLangId());
  return lang;
}

}  // namespace tav
