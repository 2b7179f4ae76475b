#pragma once
// The diary overview: the diary of the active person over a period. The nutrition view shows a
// day's entries with their nutrients and below them the period's days with requirement marks,
// or a chart of one or two nutrients; the weight view shows the weight log in an editable grid
// and the weight chart. Shown without waiting; it keeps no diary data of its own.
#include <QDialog>
#include <string>
#include <vector>

#include "diary/diary_period.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPainter;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTableWidget;
class QToolBar;
class QWidget;

namespace tav {

class TDateInpDlg;

class TENViewDayDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TENViewDayDlg(QWidget* parent = nullptr);
  ~TENViewDayDlg() override;

  // 1 the weight view, 0 the nutrition view.
  void SetOverviewMode(int weight);
  void RefreshOverview();
  void RefreshOverviewGrids();
  // With true the consumption panes of the main window and the food browser switch over; the
  // menu check follows the main window's pane either way (the main window calls it with false).
  void ToggleVerbrauchsliste(bool toggle);

  void FormShow();
  void ErnaehrungMnuClick();
  void GewichtMnuClick();
  void ViewTableMnuClick();
  void ViewGraphMnuClick();
  void TBViewModeSwitchClick();
  void TBGraphClick();
  void PersonBtnClick();
  // The filter-group window, then every list of the filter entries and what shows them.
  void StoffFiltBtnClick();
  void HelpBtnClick();
  void DiffDateRdbClick();
  void DateMoreDaysRDBClick();
  void DateToBtnClick();
  bool CheckEndDate();
  void OverviewDateChanged();
  void ComputePeriod();
  void LoadPeriodMonths();
  void BLSFilterCoBoChange();
  void DayGrdSelectCell(int row);
  void MengeEdtExit();
  void CalcRezeptBtnClick();
  void CallRezeptBtnClick();
  void DelRezeptBtnClick();
  void DayGrdDblClick();
  void PersonCoBoChange();
  void FormClose();
  // The weight page.
  void NewGewichtBtnClick();
  void DelGewichtBtnClick();
  void GewichtGrdSetEditText(int column, int row, const std::string& text);
  void CompareItemChkClick();
  void CompareItemCoBoChange();
  // The chart on a painter of that size (the paint box's paint event).
  void PaintGraphPaint(QPainter& painter, int width, int height);

  int WeightView = 0;
  int TableView = 1;
  CalendarDate CurDate;
  CalendarDate EndDate{-1, -1, -1};
  DiaryPeriod Period{{-1, -1, -1}, {-1, -1, -1}};
  int CompareMarker = -1;
  bool MultiDataDay = false;
  std::vector<int> GraphNutrients;

  QMenuBar* MainMnu;
  QAction* CloseENModulMnu;
  QAction* ErnaehrungMnu;
  QAction* GewichtMnu;
  QAction* ViewTableMnu;
  QAction* ViewGraphMnu;
  QAction* VerbrauchslisteMnu;
  QAction* StammdatenMnu;
  QAction* ZufuhrMnu;
  QAction* InfoMnu;
  QToolBar* ENToolBar;
  QAction* TBViewModeSwitch;
  QAction* TBGraph;
  QAction* TBInfo;
  QPushButton* PersonBtn;
  QComboBox* PersonCoBo;
  QPushButton* StoffFiltBtn;
  QComboBox* BLSFilterCoBo;
  QAction* HelpBtn;
  QLabel* RezTitle;
  QRadioButton* DiffDateRdb;
  QComboBox* DiffDateCoBo;
  QWidget* DatePnl;
  TDateInpDlg* Calendar;
  QRadioButton* DateMoreDaysRDB;
  QPushButton* DateToBtn;
  QWidget* TagPnl;
  QTableWidget* DayGrd;
  QLineEdit* MengeEdt;
  QLabel* Menge2Txt;
  QPushButton* CalcRezeptBtn;
  QPushButton* CallRezeptBtn;
  QPushButton* DelRezeptBtn;
  QComboBox* Graph1CoBo;
  QCheckBox* Graph2Chk;
  QComboBox* Graph2CoBo;
  QWidget* GewichtPnl;
  QTableWidget* GewichtGrd;
  QCheckBox* CompareItemChk;
  QComboBox* CompareItemCoBo;
  QPushButton* NewGewichtBtn;
  QPushButton* DelGewichtBtn;
  QWidget* VerlaufPnl;
  QLabel* VerlaufTitleTxt;
  QTableWidget* VerlaufGrd;
  QWidget* GraphPnl;
  QLabel* GraphTitleTxt;
  QWidget* PaintGraph;
  QStatusBar* StatusBar;

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void FillPersonCombo();
  void FillFilterCombo();
  void FillWeightGridHere();
  void SetWeightColumns();
  void RepaintGraph();
  // The person shown changed elsewhere (a day panel): everything of the person again.
  void PersonChanged();
  void DiaryChanged();
  int SelectedEntry() const;

  bool filling_ = false;
  int listener_ = -1;
  std::string shownPerson_;
};

extern TENViewDayDlg* ENViewDayDlg;

}  // namespace tav
