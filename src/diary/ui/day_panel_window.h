#pragma once
// The day panel (consumption list): the diary person and day, that day's entries with amount
// and energy, adding recipes or a food, changing an amount, recalculating a recipe entry,
// deleting entries, and the day's nutrient sums against the person's requirements as text or
// bars. The global instance docks into the main window's consumption pane and adds the recipes
// selected in the recipe list; a window that hosts its own instance (the food browser) makes
// one with its own adding (docs/diary.md, "Hosting a day panel"). Every instance refreshes
// itself after each change of the diary.
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QSplitter;
class QToolButton;

namespace tav {

class TContextListBox;
struct ENENTRY;
class TDateInpDlg;

// What the add button, and a recipe dropped onto the entry list, does for the day shown:
// day, month 0-11, year.
using DayPanelAdd = std::function<void(int day, int month, int year)>;

class TENAddDayDlg : public QWidget {
  Q_OBJECT
 public:
  // Without `add`: the main window's panel, docked into its consumption pane when there is a
  // main window, adding the recipe list's selected recipes. With `add`: a panel that fills
  // `parent` (a layout is given to it when it has none) and adds through `add`.
  explicit TENAddDayDlg(QWidget* parent = nullptr, DayPanelAdd add = {});
  ~TENAddDayDlg() override;

  // Persons again, the active one selected, and the entries of the calendar day.
  void RefreshDayPanel();
  // The day values of the calendar day against the active person's requirements.
  void RefreshDayValuesList();
  // A hosted panel's close button calls this when it is set (else the main window's pane
  // closes).
  std::function<void()> closeRequested;

  void FormShow();
  void DayPanelDateChanged();
  void PersonCoBoChange();
  void AddRezBtnClick();
  void DelRezBtnClick();
  void MengeEdtExit();
  void RezLiBoClick();
  void RezLiBoDblClick();
  void TSliderBtnClick();
  void TCloseBtnClick();
  void THelpBtnClick();
  void TENHelpBtnClick();
  void TENCloseBtnClick();

  // The calendar day shown (month 0-11).
  void CalendarDate(int& day, int& month, int& year) const;
  // The entry index (in its day) of the focused list item, -1 for none.
  int FocusedEntryIndex() const;
  bool ShowBars() const { return showBars_; }
  // The panel asks no minimum of its host: a pane smaller than the calendar and the lists cuts
  // them off rather than making the main window grow.
  QSize minimumSizeHint() const override { return {0, 0}; }

  QLabel* RezTitle;
  QToolButton* TENCloseBtn;
  QToolButton* TENHelpBtn;
  QLabel* Label1;
  QComboBox* PersonCoBo;
  QWidget* DatePnl;
  TDateInpDlg* Calendar;
  QSplitter* CalcSplt;
  QWidget* LMDataPnl;
  TContextListBox* RezLiBo;
  QWidget* MengePnl;
  QToolButton* AddRezBtn;
  QToolButton* DelRezBtn;
  QLineEdit* MengeEdt;
  QLabel* MengeTxt;
  QWidget* CalcPnl;
  QLabel* Panel1;
  QToolButton* TSliderBtn;
  QToolButton* THelpBtn;
  QToolButton* TCloseBtn;
  TContextListBox* DiagrammLiBo;

 protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void FillDayEntryList();
  // The focused entry with its day and index; null without one.
  ENENTRY* FocusedEntry(int& day, int& month, int& year, int& index) const;
  void FillPersonCombo();
  // Sums and writes the calendar day after an entry was changed here.
  void DayChangedHere(int day, int month, int year);

  DayPanelAdd add_;
  bool showBars_ = true;
  bool filling_ = false;
  int listener_ = -1;
  // The translated caption of the amount's unit, shown while no entry is focused.
  QString unitCaption_;
};

extern TENAddDayDlg* ENAddDayDlg;

}  // namespace tav
