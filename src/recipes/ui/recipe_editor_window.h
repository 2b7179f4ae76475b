#pragma once
// Recipe editor view hosting the four pages.
#include <QWidget>

namespace tav {

class TEditRezDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TEditRezDlg(QWidget* parent = nullptr);
};

extern TEditRezDlg* EditRezDlg;

}  // namespace tav
