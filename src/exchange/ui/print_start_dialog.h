#pragma once
// Print mode selector.
#include <QDialog>

namespace tav {

class TPrintStartDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPrintStartDlg(QWidget* parent = nullptr);
};

extern TPrintStartDlg* PrintStartDlg;

}  // namespace tav
