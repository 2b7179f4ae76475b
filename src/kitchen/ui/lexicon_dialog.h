#pragma once
// The lexicon window "Lexikon des Kochens": a tab row chooses what the entry list shows (tab 0
// the terms found in the recipe on screen, the others the entries of one chapter); a click
// shows the entry's text. New, change and delete go through the entry editor, the chapters
// through the chapter editor. The window is the lexicon (index and recipe terms) and shows
// itself without waiting.
#include <QDialog>
#include <string>

#include "kitchen/lexicon/lexicon.h"
#include "recipedb/ui/statistics_dialog.h"
#include "recipes/ui/lexicon_access.h"

class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTabBar;
class QToolButton;

namespace tav {

class TContextListBox;

class TLexShowDlg : public QDialog,
                    public LexiconAccess,
                    public LexiconCounts,
                    public CookingLexicon {
  Q_OBJECT
 public:
  explicit TLexShowDlg(QWidget* parent = nullptr);
  ~TLexShowDlg() override;

  // --- what the recipe windows ask -------------------------------------------------------
  void ShowLexicon() override;
  void SetLexiconRecipe(const REZBLOCK& r) override;
  void UpdateRecipeLexiconTerms(bool force) override;
  void SelectLexiconTab(int tab) override;
  void CopyLexiconTermList(QListWidget* target) override;
  void SelectLexiconTerm(const std::string& term) override;
  void CopyLexiconText(QPlainTextEdit* target) override;

  // --- what the statistics count ----------------------------------------------------------
  int CountLexiconChapters() const override;
  int CountLexiconEntries() const override { return CookingLexicon::CountLexiconEntries(); }

  // --- the lexicon ------------------------------------------------------------------------
  using CookingLexicon::FindLexiconEntry;
  // Looks the word up; with select it switches to the entry's chapter tab and selects the
  // list line equal to the word, showing its text.
  bool FindLexiconEntry(const std::string& word, bool withKeywords, bool select, int& out);
  // Refills the entry list for the current tab.
  void FillLexiconList();
  // The chapter editor, modally; then the index and list again.
  void EditLexiconChapters();
  // After the chapter editor: tabs, index and list again.
  void RefreshLexiconChapters();
  // The index position of the selected line; -1 for none.
  int SelectedEntry() const;
  int CurrentTab() const;

  void FormCreate();
  void LexBookTabChange();
  void LexChooseLiBo2Click();
  void NewBtnClick();
  void EditBtnClick();
  void DelBtnClick();
  void LexBookBtnClick();
  void WikipediaBtnClick();
  void HilfeBtnClick();
  void IDCancelClick();

  QTabBar* LexBookTab;
  QSplitter* LexSplit;
  TContextListBox* LexChooseLiBo;
  QPlainTextEdit* LexTxt;
  QPushButton* NewBtn;
  QPushButton* EditBtn;
  QPushButton* DelBtn;
  QPushButton* LexBookBtn;
  QPushButton* WikipediaBtn;
  QToolButton* HilfeBtn;
  QPushButton* IDCancel;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void OnLexiconReorganized() override;

 private:
  // The entry of `position` shown in LexTxt (empty for -1).
  void ShowEntryText(int position);
  // After the entry editor was confirmed: index, terms and list again, the entry selected.
  void AfterEntryEdit();
};

extern TLexShowDlg* LexShowDlg;

}  // namespace tav
