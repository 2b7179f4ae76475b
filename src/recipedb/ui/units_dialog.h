#pragma once
// The units window "Verwaltung der Einheiten": every unit of measure in a grid with New, Edit
// and Delete; OK writes the unit file. It owns the unit table.
#include <QDialog>
#include <functional>

#include "recipedb/unit_table.h"

class QCheckBox;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace tav {

class TEinheitenDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TEinheitenDlg(QWidget* parent = nullptr);
  ~TEinheitenDlg() override;

  // The units of measure, read and sorted when the window is created and when it is shown.
  UnitTable units;

  void FormShow();
  void FillGrid();
  void showFesteChkClick();
  void showUmrechChkClick();
  void NeuBtnClick();
  void EditBtnClick();
  void DelBtnClick();
  void OKBtnClick();
  void HelpBtnClick();
  // The unit combo boxes of the ingredient chooser, the quick entry page and the unit input
  // offer the units as they are now.
  void RefillUnitCombos();

  // Edits a unit in the unit input window; false when it was cancelled. Tests replace it.
  std::function<bool(REZEINHEIT& unit)> inputUnit;

  QTableWidget* EinheitGrd;
  QCheckBox* showFesteChk;
  QCheckBox* showUmrechChk;
  QPushButton* NeuBtn;
  QPushButton* EditBtn;
  QPushButton* DelBtn;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QToolButton* HelpBtn;

  bool showFixed = true;
  bool showConverting = false;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The table position of the unit in the selected row, -1 for none.
  int SelectedUnit() const;
  void SelectRow(int row);
};

extern TEinheitenDlg* EinheitenDlg;

}  // namespace tav
