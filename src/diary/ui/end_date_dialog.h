#pragma once
// The end-date picker of the diary overview: a calendar with OK and Cancel. The picked date
// follows every pick of the calendar; GetSelectedDate tells whether OK closed it last.
#include <QDialog>

#include "diary/calendar_month.h"

namespace tav {

class TDateInpDlg;

class TDateToDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TDateToDlg(QWidget* parent = nullptr);
  // False when Cancel closed the window last; after OK true and the date (month 0-11).
  bool GetSelectedDate(int& day, int& month, int& year) const;
  void OKBtnClick();
  void CancelBtnClick();

  TDateInpDlg* Calendar;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  bool result_ = false;
  CalendarDate picked_;
};

extern TDateToDlg* DateToDlg;

}  // namespace tav
