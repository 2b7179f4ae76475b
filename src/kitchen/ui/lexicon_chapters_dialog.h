#pragma once
// The chapter editor "Oberbegriffe des Lexikons": new chapter, rename, delete (with every entry
// of the chapter). It owns the chapter list of Lexika.lbk, and its lookups between chapter
// numbers, names and the lexicon window's tabs serve the whole lexicon.
#include <QDialog>
#include <string>
#include <vector>

#include "kitchen/lexicon/lexicon_files.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tav {

class TContextListBox;

class TLexBookDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TLexBookDlg(QWidget* parent = nullptr);
  ~TLexBookDlg() override;

  LexiconFiles Files() const;
  // Reads Lexika.lbk (the defaults when there is none) and rebuilds the lexicon window's tabs:
  // the recipe's terms first, then one tab per chapter.
  void LoadLexiconChapters();
  void SaveLexiconChapters();
  int CountLexiconChapters() const { return static_cast<int>(Chapters.size()); }
  // Fills a combo box with the chapter names and selects the chapter (0: the first one).
  void FillChapterCombo(QComboBox* combo, int16_t chapter) const;
  // The chapter of the lexicon window's tab; 0 for the recipe's terms or none.
  int16_t ChapterOfCurrentTab() const;
  // Shows the lexicon window's tab of the chapter.
  void SelectChapterTab(int16_t chapter);
  // Refills the list keeping the selected line number; delete only with two or more chapters.
  void FillChapterList();
  void ListChapters();
  void StartNewChapter();
  // Takes the name field over as a new chapter or as the selected chapter's new name.
  void ApplyChapterEdit();

  void LBookLiBo2Click();
  void AktBookEdtChange();
  void DelBtnClick();
  void CancelBtnClick();
  void HelpBtnClick();

  QGroupBox* ActionTxt;
  QLineEdit* AktBookEdt;
  QPushButton* overtakeBtn;
  TContextListBox* LBookLiBo;
  QPushButton* NewBtn;
  QPushButton* DelBtn;
  QPushButton* CancelBtn;
  QToolButton* HelpBtn;

  std::vector<LEXBOOKS> Chapters;  // sorted by name
  StoreFileGuard ChapterFile;      // how Lexika.lbk read, before it is written anew
  bool NewMode = true;
  bool NameChanged = false;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void reject() override;
};

extern TLexBookDlg* LexBookDlg;

}  // namespace tav
