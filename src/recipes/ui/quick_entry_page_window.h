#pragma once
// Editor page: quick entry.
#include <QWidget>

namespace tav {

class TQEditDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TQEditDlg(QWidget* parent = nullptr);
};

extern TQEditDlg* QEditDlg;

}  // namespace tav
