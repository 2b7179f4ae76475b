#pragma once
// The localisation window: an invisible form that reads the language file at creation and
// translates forms, menus and tool bars from it. Messages come from GetLangText.
#include <QKeySequence>
#include <QWidget>

#include "services/lang_table.h"

class QMenuBar;
class QMenu;
class QToolBar;

namespace tav {

class TLangDlg : public QWidget, public LangTable {
  Q_OBJECT
 public:
  // Finds the language file of the data root and language (settings rule, "DE" or "EN").
  explicit TLangDlg(QWidget* parent = nullptr);

  // Reads the base units and the file, then translates the main window's "MainMenu" and
  // "MainToolBar" under the form name "MainFrm" when a main window is given.
  void FormCreate(QWidget* mainWindow);

  void ReadDialogBaseUnits();
  void TranslateForm(QWidget* form);
  void ApplyControlTexts(QWidget* container, const DLG_INFO& entry);
  void TranslateMenu(const std::string& formName, QWidget* menu);  // QMenuBar or QMenu
  void TranslateToolBar(const std::string& formName, QToolBar* toolBar);

  const std::string& LanguageFile() const { return file_; }
  const std::string& Language() const { return language_; }

  // The short-cut for a virtual key code and modifier bits; empty for codes above 255 or 0.
  static QKeySequence ShortCutFor(uint16_t key, uint8_t modifiers);

 private:
  std::string file_, language_;
};

extern TLangDlg* LangDlg;

}  // namespace tav
