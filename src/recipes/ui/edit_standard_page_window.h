#pragma once
// Editor page: standard input.
#include <QWidget>

namespace tav {

class TNEditDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TNEditDlg(QWidget* parent = nullptr);
};

extern TNEditDlg* NEditDlg;

}  // namespace tav
