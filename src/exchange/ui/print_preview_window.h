#pragma once
// Print preview view.
#include <QWidget>

namespace tav {

class TPrintRezDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TPrintRezDlg(QWidget* parent = nullptr);
};

extern TPrintRezDlg* PrintRezDlg;

}  // namespace tav
