#pragma once
// The duplicate search "Suche nach doppelten Rezepten": finds recipes that occur more than once
// in the chosen books (recipes/duplicate_search.h), lists every copy as the recipe list's search
// result and, when the user agrees, deletes the surplus copies by the book order kept with the
// options. The start button also stops a running search.
#include <QDialog>
#include <string>
#include <vector>

#include "recipes/duplicate_search.h"
#include "recipes/ui/book_choice.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;
class QToolButton;

namespace tav {

class TDupesDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TDupesDlg(QWidget* parent = nullptr);

  using AUTODELLIST = tav::AUTODELLIST;

  void FormCreate();
  void FormActivate();
  void OKBtnClick();
  void CloseBtnClick();
  void HelpBtnClick();
  void KBookLiBoClick();
  void Timer1Timer() { UpdateDupesProgress(); }

  // Reads one book's live records; the number of entries (0 for a book that gives none).
  int ScanBookForDupes(const std::string& name, std::vector<DUPESENTRY>& table);
  // Compares the entries of Books; the number of duplicate groups.
  int CompareDupes();
  void UpdateDupesProgress();

  QGroupBox* BookGrp;
  QRadioButton* BookAktRdb;
  QRadioButton* BookAllRdb;
  QRadioButton* BookSelRdb;
  QListWidget* KBookLiBo;
  QGroupBox* CritGrp;
  QLabel* SameTitleTxt;
  QLineEdit* ZutatPercentEdt;
  QLabel* ZutatPercentTxt;
  QCheckBox* SameZutatAnzChk;
  QCheckBox* SameTextChk;
  QCheckBox* SameAutorChk;
  QCheckBox* SameQuelleChk;
  QCheckBox* SameGattChk;
  QCheckBox* SameStichChk;
  QGroupBox* LogGrp;
  QListWidget* LogLiBo;
  QProgressBar* ProgressBar;
  QToolButton* HelpBtn;
  QPushButton* OKBtn;
  QPushButton* CloseBtn;
  QTimer* Timer1;

  bool DupesRunning = false;
  int DupesTotal = 0;
  int DupesDone = 0;
  int MaxDupes = 1000;
  std::vector<DUPESBOOK> Books;
  std::vector<AUTODELLIST> HitList;

 protected:
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* e) override;
  void reject() override;

 private:
  void Log(const std::string& line);
  // Deletes the copies that the book order does not keep.
  void DeleteDuplicates();
  BookChoice bookChoice_;
};

extern TDupesDlg* DupesDlg;

}  // namespace tav
