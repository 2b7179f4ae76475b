#pragma once
// The power search "Powersuche": finds recipes of the current book, of all books or of chosen
// books by words in five fields, energy per serving, points, picture, mark, categories and
// ingredients, and shows the hits as the recipe list's search result. The search reads the
// record files directly (recipes/power_search.h); during a search the window keeps answering,
// so its cancel button stops it.
#include <QDialog>
#include <string>
#include <vector>

#include "recipes/ui/book_choice.h"

class QCheckBox;
class QComboBox;
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

class TContextListBox;

class TPSearchDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPSearchDlg(QWidget* parent = nullptr);

  // Empties every criterion (the list selections stay).
  void ResetSearchCriteria();
  // 0 the title field, 1 the text field; other values change nothing.
  void SetSearchText(int which, const std::string& text);
  // Scans one book; false when the user cancelled.
  bool SearchKBook(const std::string& name);
  // Index entries (deleted ones included) of the books the search will read.
  int CountRecipesToSearch() const;
  void ShowSearchProgress();

  void FormCreate();
  void StartBtnClick();
  void CancelBtnClick();
  void ResetBtnClick();
  void HelpBtnClick();
  void TimerTimer() { ShowSearchProgress(); }
  void ZutatANDTextBtnClick();
  void ZutatNOTTextBtnClick();
  void ZutNoneChkClick();
  void ZutAllAndChkClick();
  void ZutOneAndChkClick();
  void ZutOneNotChkClick();
  void ZutatANDLiBoClick();
  void ZutatNOTLiBoClick();
  void GattLiBoClick();
  void KBookLiBoClick();

  QLabel* TitelTxt;
  QLineEdit* TitelEdt;
  QLabel* TextTxt;
  QLineEdit* TextEdt;
  QLabel* StichTxt;
  QLineEdit* StichEdt;
  QLabel* AutorTxt;
  QLineEdit* AutorEdt;
  QLabel* QuelleTxt;
  QLineEdit* QuelleEdt;
  QLabel* MaxTxt;
  QLineEdit* EnergieEdt;
  QLabel* EnergieTxt;
  QLabel* FSStarsTxt;
  QComboBox* WWCompareCoBo;
  QLineEdit* FSStarsEdt;
  QLabel* RezPicTxt;
  QCheckBox* RezPicChk;
  QLabel* MarkTxt;
  QCheckBox* MarkChk;
  QLabel* CaseSensTxt;
  QCheckBox* CaseSensChk;
  QPushButton* ResetBtn;
  QGroupBox* BookGrp;
  QRadioButton* BookAktRdb;
  QRadioButton* BookAllRdb;
  QRadioButton* BookSelRdb;
  QListWidget* KBookLiBo;
  QGroupBox* GattGrp;
  QRadioButton* GattAllRdb;
  QRadioButton* GattSelRdb;
  TContextListBox* GattLiBo;
  QGroupBox* ZutatGrp;
  QCheckBox* ZutNoneChk;
  QCheckBox* ZutAllAndChk;
  QCheckBox* ZutOneAndChk;
  QCheckBox* ZutOneNotChk;
  TContextListBox* ZutatANDLiBo;
  QLineEdit* ZutatANDText;
  QPushButton* ZutatANDTextBtn;
  TContextListBox* ZutatNOTLiBo;
  QLineEdit* ZutatNOTText;
  QPushButton* ZutatNOTTextBtn;
  QLabel* Process1Txt;
  QLabel* Process3Txt;
  QLabel* Process2Txt;
  QProgressBar* ProgressBar;
  QToolButton* HelpBtn;
  QPushButton* StartBtn;
  QPushButton* CancelBtn;
  QTimer* Timer;

  bool CaseSensitive = false;
  bool Searching = false;
  int32_t FoundCount = 0;
  int32_t ScannedCount = 0;
  std::vector<std::string> AndWords;
  std::vector<std::string> NotWords;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  // Adds a typed ingredient to a list (kept sorted) and selects it.
  void AddTypedIngredient(QLineEdit* text, TContextListBox* list);
  BookChoice bookChoice_;
};

extern TPSearchDlg* PSearchDlg;

}  // namespace tav
