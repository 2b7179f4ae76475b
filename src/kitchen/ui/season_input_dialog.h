#pragma once
// The season editor: the 48 quarter-month marks of one ingredient, coloured; a click sets the
// chosen season (main, near, none) on a week or clears it again. The ingredient window opens it
// on a copy of the ingredient and takes the marks over when it was closed with OK.
#include <QDialog>

#include "recipedb/ingredient_catalogue.h"
#include "recipedb/ui/ingredient_links.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tav {

class SeasonGrid;
class SeasonMonthRow;

class TSaisonInpDlg : public QDialog, public SeasonEditor {
  Q_OBJECT
 public:
  explicit TSaisonInpDlg(QWidget* parent = nullptr);
  ~TSaisonInpDlg() override;

  bool EditSeason(REZZUTATEN& ingredient) override;
  // The ingredient whose marks are changed in place while the editor is shown.
  void SetSeasonInputData(REZZUTATEN& ingredient);
  bool IsConfirmed() const { return confirmed_; }

  void DataGrdClick();
  void OKBtnClick();
  void CancelBtnClick();

  QLabel* Label1;
  SeasonMonthRow* MonthGrd;
  SeasonGrid* DataGrd;
  QGroupBox* GroupBox1;
  QRadioButton* MainRdb;
  QRadioButton* NearRdb;
  QRadioButton* NoRdb;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  REZZUTATEN* ingredient_ = nullptr;
  bool confirmed_ = false;
};

extern TSaisonInpDlg* SaisonInpDlg;

}  // namespace tav
