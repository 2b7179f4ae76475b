#pragma once
// The food search window: foods by key, by a part of the name or by the amount of a nutrient;
// a hit is shown in the food browser or added to the comparison. Shown modally from the
// browser.
#include <QDialog>

class QPushButton;

namespace tav {

class FoodSearchInputs;

class TBLSSearchDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TBLSSearchDlg(QWidget* parent = nullptr);

  void FormShow();
  void StartBtnClick();
  void ShowLMBtnClick();
  void CompareLMBtnClick();
  void HelpBtnClick();

  FoodSearchInputs* inputs;
  QPushButton* ShowLMBtn;
  QPushButton* CompareLMBtn;
  QPushButton* CancelBtn;
  QPushButton* HelpBtn;

 protected:
  void showEvent(QShowEvent* event) override;
};

extern TBLSSearchDlg* BLSSearchDlg;

}  // namespace tav
