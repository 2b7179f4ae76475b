#pragma once
// The nutrient calculation window: the calculation of one recipe line by line, the weight
// mode of the selected line, the sums by nutrient filter group and the nutrient report.
// Always shown modally, after LoadRecipeForCalc or LoadRecipeBlockForCalc.
#include <QDialog>

#include <functional>
#include <string>

#include "nutrients/recipe_calc.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace tav {

class TBLSZutatDlg : public QDialog, public RecipeCalc {
  Q_OBJECT
 public:
  explicit TBLSZutatDlg(QWidget* parent = nullptr);
  ~TBLSZutatDlg() override;

  void FormShow();
  void ShowCalcLines();
  void ZutatGrdClick();
  void ZutatGrdDblClick();
  void ChooseFoodForLine();
  void ManGrammEdtChange();
  void EgalRdbClick();
  void AutoCalcRdbClick();
  void ShowLineMessages(int line);
  void BLSFilterCoBoChange();
  void OutputResultBtnClick();
  void HelpBtnClick();
  void CloseBtnClick();

  // The food chooser, run modally with the line's ingredient as its search text: true with the
  // key and name of the food the user took over. Unset: the program's chooser.
  std::function<bool(const std::string&, std::string&, std::string&)> chooseFood;
  // The other nutrient views follow a new filter item (unset: the food browser and its
  // comparison).
  std::function<void(int)> filterChanged;

  // The selected line (the ingredient grid's current row; the titles are its header); -1 for
  // none.
  int SelectedLine() const;
  // Refills the filter list from the nutrient table's entries.
  void FillFilterCombo();
  // The result grid anew, for the filter chosen now (also from the food browser).
  void ShowCalcResult() override;

  QLabel* Label1;
  QLabel* TitleTxt;
  QTableWidget* ZutatGrd;
  QGroupBox* MengeGrp;
  QRadioButton* CalcOKRdb;
  QLabel* AutoCalcRdb;
  QRadioButton* NotCalcRdb;
  QLabel* Label5;
  QRadioButton* EgalRdb;
  QRadioButton* ManInputRdb;
  QLineEdit* ManGrammEdt;
  QPushButton* GetBLSCodeBtn;
  QLabel* ErrMsgTxt;
  QLabel* ErrMsg2Txt;
  QTableWidget* StoffGrd;
  QLabel* Label2;
  QComboBox* BLSFilterCoBo;
  QPushButton* OutputResultBtn;
  QLabel* ErrMsg3Txt;
  QPushButton* HelpBtn;
  QPushButton* CloseBtn;

 protected:
  void ShowCalcState() override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PaintRows();
  int FilterItem() const;
  void SetFilterFromOption();
  bool filling_ = false;
  int filterListener_ = 0;
};

extern TBLSZutatDlg* BLSZutatDlg;

}  // namespace tav
