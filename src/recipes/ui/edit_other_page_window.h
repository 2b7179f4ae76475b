#pragma once
// Editor page: other data (card text, picture names).
#include <QWidget>

namespace tav {

class TAEditDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TAEditDlg(QWidget* parent = nullptr);
};

extern TAEditDlg* AEditDlg;

}  // namespace tav
