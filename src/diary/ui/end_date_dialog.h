#pragma once
// End date of a period.
#include <QDialog>

namespace tav {

class TDateToDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TDateToDlg(QWidget* parent = nullptr);
};

extern TDateToDlg* DateToDlg;

}  // namespace tav
