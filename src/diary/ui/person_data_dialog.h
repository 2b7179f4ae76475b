#pragma once
// Personal data and daily requirements.
#include <QDialog>

namespace tav {

class TPersDataDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPersDataDlg(QWidget* parent = nullptr);
};

extern TPersDataDlg* PersDataDlg;

}  // namespace tav
