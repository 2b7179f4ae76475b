#pragma once
// Properties of a week-plan recipe.
#include <QDialog>

namespace tav {

class TWPParaDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TWPParaDlg(QWidget* parent = nullptr);
};

extern TWPParaDlg* WPParaDlg;

}  // namespace tav
