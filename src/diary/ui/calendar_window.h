#pragma once
// The month calendar of the diary windows: a month grid (Monday first) with the day selected,
// the long date text, and buttons for today and the previous or next month and year. Each window
// that needs a date makes its own instance, docks it into one of its panels
// (`DockCalendar`) and registers its date-changed handler; the handler runs after the user
// picked a date. The calendar's range is its year list (1989 to 2051); its buttons stop there.
#include <QWidget>
#include <functional>

#include "diary/calendar_month.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tav {

class TDateInpDlg : public QWidget {
  Q_OBJECT
 public:
  // Hidden until its host shows it; starts on today.
  explicit TDateInpDlg(QWidget* parent = nullptr);
  ~TDateInpDlg() override;

  // Month 0-11.
  void GetDate(int& day, int& month, int& year) const;
  CalendarDate Date() const { return date_; }
  void SetDateChangedEvent(std::function<void()> handler) { dateChanged_ = std::move(handler); }
  // Sets the date (the day clamped to its month) and redraws; fires nothing.
  void SetDate(int day, int month, int year);
  void SetToday();
  void FireDateChanged();

  void TodayBtnClick();
  void LastYearBtnClick();
  void NextYearBtnClick();
  void LastMonthBtnClick();
  void NextMonthBtnClick();
  void MonthCoBoChange();
  // A click on a grid cell: an empty cell changes nothing.
  void MonthGrdClick(int row, int column);

  QComboBox* MonthCoBo;
  QComboBox* YearCoBo;
  QTableWidget* MonthGrd;
  QLabel* AktDateTxt;
  QPushButton* TodayBtn;
  QPushButton* LastYearBtn;
  QPushButton* LastMonthBtn;
  QPushButton* NextMonthBtn;
  QPushButton* NextYearBtn;

 private:
  void Step(CalendarStep step);
  void FillMonthGrid();
  void FillCombos();

  CalendarDate date_;
  bool filling_ = false;
  std::function<void()> dateChanged_;
};

// A new calendar filling `panel`, shown there, with its date-changed handler.
TDateInpDlg* DockCalendar(QWidget* panel, std::function<void()> dateChanged);

extern TDateInpDlg* DateInpDlg;

}  // namespace tav
