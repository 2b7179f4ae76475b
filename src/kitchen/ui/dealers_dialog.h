#pragma once
// Dealers and shop counters.
#include <QDialog>

namespace tav {

class TThekeDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TThekeDlg(QWidget* parent = nullptr);
};

extern TThekeDlg* ThekeDlg;

}  // namespace tav
