#pragma once
// The seasonal calendar "Saison-Übersicht": a year of 48 quarter-month columns, one row per
// ingredient, for the ingredients in season now (or in a clicked quarter-month), all with
// season data, or those of the recipe on screen. Its grid panel is lent to the information
// pane's season page and given back when the calendar is shown.
#include <QDialog>
#include <QPointer>
#include <vector>

#include "recipedb/ingredient_catalogue.h"
#include "recipedb/recipe_model.h"
#include "recipes/ui/season_access.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QToolButton;

namespace tav {

class SeasonGrid;
class SeasonMonthRow;

class TSaisonDlg : public QDialog, public SeasonAccess {
  Q_OBJECT
 public:
  explicit TSaisonDlg(QWidget* parent = nullptr);
  ~TSaisonDlg() override;

  // --- what the recipe windows ask --------------------------------------------------------
  void SetSeasonRecipe(const REZBLOCK& recipe) override;
  QWidget* SeasonPanel() override;
  void SetFilterTab(int tab) override;
  void UpdateSeasonSlot() override;

  // Lists the ingredients of the current tab again and redraws.
  void FillSeasonGrid();
  // Today's quarter-month (1-48).
  static int TodaysSlot();

  void FormCreate();
  void FilterTabChange();
  void MainSaisonChkClick();
  void GoTodayBtnClick();
  void DataGrdClick();
  void HelpBtnClick();
  void CloseBtnClick();

  QTabBar* FilterTab;
  QWidget* SaisonHome;  // where the panel lives while it is not lent
  QWidget* SaisonPnl;
  QWidget* Panel2;
  SeasonMonthRow* MonthGrd;
  SeasonGrid* DataGrd;
  QPlainTextEdit* NoDataEdt;
  QWidget* Panel1;
  QPushButton* GoTodayBtn;
  QLabel* Label1;
  QLabel* Label3;
  QCheckBox* MainSaisonChk;
  QToolButton* HelpBtn;
  QPushButton* CloseBtn;

  int CurrentSlot = 1;
  REZBLOCK Recipe;
  std::vector<REZZUTATEN> Shown;  // copies, one per grid row

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // Puts the grid panel into `ground` (client-aligned, visible).
  void MovePanelTo(QWidget* ground);
  QPointer<QWidget> panel_;  // SaisonPnl, which may live in the information pane
};

extern TSaisonDlg* SaisonDlg;

}  // namespace tav
