#pragma once
// The portion units window "Portions-Einheiten": edits the serving types the standard editor
// page offers. The window is the portion list's owner.
#include <QDialog>

#include "recipes/portion_units.h"

class QComboBox;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace tav {

class TPortionsDlg : public QDialog, public PortionUnits {
  Q_OBJECT
 public:
  explicit TPortionsDlg(QWidget* parent = nullptr);
  ~TPortionsDlg() override;

  // The combo box's items become the names of the list, in order.
  void FillPortionUnitCombo(QComboBox* combo) const;

  void FormCreate();
  void FillGrid();
  // The grid's names, row 1 to the last.
  std::vector<std::string> GridRows() const;
  void NewBtnClick();
  void DelBtnClick();
  void UpBtnClick();
  void DownBtnClick();
  void OKBtnClick();
  void CancelBtnClick();
  void HelpBtnClick();

  QTableWidget* PortionsGrd;
  QPushButton* NewBtn;
  QPushButton* DelBtn;
  QPushButton* UpBtn;
  QPushButton* DownBtn;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QToolButton* HelpBtn;

 protected:
  // Enter in the grid ends the edit of its cell; it does not press OK.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void SwapRows(int a, int b);
};

extern TPortionsDlg* PortionsDlg;

}  // namespace tav
