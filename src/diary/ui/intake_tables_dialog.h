#pragma once
// Intake tables; owns them.
#include <QDialog>

namespace tav {

class TZufuhrDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TZufuhrDlg(QWidget* parent = nullptr);
};

extern TZufuhrDlg* ZufuhrDlg;

}  // namespace tav
