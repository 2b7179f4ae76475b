#pragma once
// Empty view shown when no recipe is selected.
#include <QWidget>

namespace tav {

class TEmptyDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TEmptyDlg(QWidget* parent = nullptr);
};

extern TEmptyDlg* EmptyDlg;

}  // namespace tav
