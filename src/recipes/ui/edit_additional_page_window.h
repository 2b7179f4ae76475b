#pragma once
// Editor page: additional data.
#include <QWidget>

namespace tav {

class TZEditDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TZEditDlg(QWidget* parent = nullptr);
};

extern TZEditDlg* ZEditDlg;

}  // namespace tav
