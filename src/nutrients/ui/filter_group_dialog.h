#pragma once
// The filter groups: which nutrients a group shows, in which order, and which group serves
// for day values. The window is the nutrient table's owner as well (it builds the table when
// it is created). Shown modally.
#include <QDialog>

#include <functional>

#include "nutrients/nutrient_table.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace tav {

class TBLSFilterDlg : public QDialog, public NutrientTable {
  Q_OBJECT
 public:
  explicit TBLSFilterDlg(QWidget* parent = nullptr);
  ~TBLSFilterDlg() override;

  void FormShow();
  void FillStoffCheckList();
  void StoreStoffChecks();
  void ZutatUpBtnClick();
  void ZutatDownBtnClick();
  void NewFiltGrpBrnClick();
  void DelFiltGrpBrnClick();
  void FiltGrpCoBoChange();
  void DayValuesChkClick();
  void CloseBtnClick();
  void HelpBtnClick();

  // The group list of this window (sorted names; the current group selected).
  void FillFilterGroupList() override;

  // Called after closing, when the day-value table was rebuilt (the diary's day panels).
  std::function<void()> dayValuesChanged;

  QLabel* Label1;
  QComboBox* FiltGrpCoBo;
  QPushButton* NewFiltGrpBrn;
  QPushButton* DelFiltGrpBrn;
  QCheckBox* DayValuesChk;
  QListWidget* IStoffLiBo;
  QPushButton* ZutatUpBtn;
  QPushButton* ZutatDownBtn;
  QLabel* InfoTxt;
  QLabel* Info2Txt;
  QPushButton* HelpBtn;
  QPushButton* CloseBtn;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void ShowCheckListBySelection();
  void SelectGroupEntry(const std::string& name);
  QWidget* infoBox_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  bool filling_ = false;
  bool closing_ = false;
};

extern TBLSFilterDlg* BLSFilterDlg;

}  // namespace tav
