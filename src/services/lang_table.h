#pragma once
// The tables of a language file "GUI.klf": dialog sections with their control lines, menu
// items, tool buttons and the numbered messages. Parsing is plain text work; applying the
// entries to forms, menus and tool bars is done by the localisation window TLangDlg.
#include <cstdint>
#include <string>
#include <vector>

namespace tav {

class LangTable {
 public:
  struct CTRL_INFO {
    std::string name;       // component name
    std::string className;  // class named in the line ("TLabel" …)
    int32_t left = 0, top = 0, width = 0, height = 0;  // pixels
    std::string text;
  };
  struct DLG_INFO {
    std::string name;
    std::string caption;
    std::vector<CTRL_INFO> controls;
  };
  enum Modifier : uint8_t { kShift = 1, kAlt = 2, kCtrl = 4 };
  struct MNU_INFO {
    std::string formName, menuName, itemName;
    std::string caption, hint;
    uint16_t key = 0;
    uint8_t modifiers = 0;  // Modifier bits
  };
  struct TB_INFO {
    std::string formName, buttonName;
    std::string caption, hint;
  };

  // The dialog base units that convert the file's dialog units into pixels (horizontal: average
  // character width, vertical: character height of the dialog font). Set before parsing.
  void SetDialogBaseUnits(int horizontal, int vertical) {
    baseX_ = horizontal;
    baseY_ = vertical;
  }
  int BaseUnitX() const { return baseX_; }
  int BaseUnitY() const { return baseY_; }

  // Reads the file into the tables (which are emptied first). False when it cannot be opened;
  // the tables then stay empty.
  bool Load(const std::string& path);
  // Parses the lines of a language file (without line ends).
  void Parse(const std::vector<std::string>& lines);

  // Text of message n; "{n}" when there is no such message.
  std::string GetLangText(int n) const;
  size_t MessageCount() const { return messages_.size(); }

  // First dialog entry of that name (case counts), or null.
  const DLG_INFO* FindDialog(const std::string& name) const;
  // Last matching entry wins.
  bool FindMenuText(const std::string& formName, const std::string& menuName,
                    const std::string& itemName, std::string& caption, std::string& hint,
                    uint16_t& key, uint8_t& modifiers) const;
  bool FindToolButtonText(const std::string& formName, const std::string& buttonName,
                          std::string& caption, std::string& hint) const;

  const std::vector<DLG_INFO>& Dialogs() const { return dialogs_; }
  const std::vector<MNU_INFO>& MenuItems() const { return menus_; }
  const std::vector<TB_INFO>& ToolButtons() const { return toolButtons_; }

  // left, top, right, bottom in dialog units to pixels, rounding halves away from zero.
  void DialogUnitsToPixels(int& left, int& top, int& right, int& bottom) const;
  static int MulDiv(int x, int y, int z);
  // "\n", "\r", "\t" become the control characters; everything else stays.
  static void DecodeEscapes(std::string& text);

 private:
  std::vector<DLG_INFO> dialogs_;
  std::vector<MNU_INFO> menus_;
  std::vector<TB_INFO> toolButtons_;
  std::vector<std::string> messages_;
  int baseX_ = 8, baseY_ = 16;
};

// The language file of a data root: data root + "Data/" + language + "/GUI.klf".
// The language is the stored "AktLanguage" of the user settings, or by the user's locale when it
// is missing or "~" (German locales give "DE", all others "EN").
std::string LanguageFromSettings();
// That file, found without regard to case.
std::string LanguageFilePath(const std::string& dataRoot);

// Every language file holds the messages 0 to 1099 (numbers no code uses as empty lines); one
// with fewer was cut short or is no language file.
inline constexpr size_t kLanguageMessages = 1100;
enum class LanguageFileFault { kNone, kMissing, kEmpty, kDamaged };
// Whether the file can serve as the program's language file.
LanguageFileFault CheckLanguageFile(const std::string& path);
// The language for a locale id (Windows language ids: 0x0407 German … ); see the options store.
std::string LanguageForLocaleId(int langId);
// The user's default language id, taken from the locale environment (LC_ALL, LC_MESSAGES,
// LANG); a German locale gives 0x0407 (or its country variant), anything else 0x0409.
int UserDefaultLangId();

}  // namespace tav
