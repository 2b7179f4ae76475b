#pragma once
// The intake tables (StoffCalc.dat) and their editor: per nutrient the age ranges with the
// daily values for men and women. The window is the store of the tables (IntakeTables) and
// reads the file when it is created; OK writes it, Cancel (and the close box) reads it again.
#include <QDialog>
#include <string>
#include <vector>

#include "diary/intake_tables.h"

class QComboBox;
class QPushButton;
class QTableWidget;

namespace tav {

class TZufuhrDlg : public QDialog, public IntakeTables {
  Q_OBJECT
 public:
  explicit TZufuhrDlg(QWidget* parent = nullptr);
  ~TZufuhrDlg() override;

  void FormShow();
  void StoffChooseCoBoChange();
  // The chosen nutrient's table into the grid: one row per age row, labels in column 0.
  void FillIntakeGrid();
  // The grid's values back into the chosen table. A cell that holds no number of 0 or more is
  // shown (message 936, the cell made current) and nothing is taken: false.
  bool TakeIntakeGrid();
  // After a cell was edited: the unit comes back, the men's cell of a women-only row stays
  // empty.
  void StoffGrdSetEditText(int column, int row);
  void NewBtnClick();
  void DelBtnClick();
  void OKBtnClick();
  void CancelBtnClick();
  // Cancel, Escape and the close box: every change since the last OK is dropped.
  void reject() override;
  void HelpBtnClick();

  // The code of the chosen nutrient; "" when none is chosen.
  const std::string& ChosenCode() const { return chosenCode_; }
  // The nutrient list's marks: green with a tick for a nutrient with values, dark red with a
  // cross for one without.
  void MarkNutrientItems();

  QComboBox* StoffChooseCoBo;
  QTableWidget* StoffGrd;
  QPushButton* NewBtn;
  QPushButton* DelBtn;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QPushButton* HelpBtn;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  ZUFUHR* ChosenTable();
  // The chosen nutrient's table, made when there is none, with the open end when it has no
  // rows.
  ZUFUHR& EnsureChosenTable();
  void EnableEditing(bool on);

  std::vector<std::string> codes_;  // parallel to the nutrient list; "" for the prompt
  std::string chosenCode_;
  std::string chosenUnit_;  // the nutrient's unit without "/100g"
  int chosenIndex_ = 0;
  bool filling_ = false;
};

extern TZufuhrDlg* ZufuhrDlg;

}  // namespace tav
