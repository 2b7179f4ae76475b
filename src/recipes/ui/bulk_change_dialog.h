#pragma once
// Bulk change of recipes.
#include <QDialog>

namespace tav {

class TMultiChangeDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TMultiChangeDlg(QWidget* parent = nullptr);
};

extern TMultiChangeDlg* MultiChangeDlg;

}  // namespace tav
