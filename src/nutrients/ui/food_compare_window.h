#pragma once
// Food comparison, docked into the food browser.
#include <QWidget>

namespace tav {

class TBLSCompareDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TBLSCompareDlg(QWidget* parent = nullptr);
};

extern TBLSCompareDlg* BLSCompareDlg;

}  // namespace tav
