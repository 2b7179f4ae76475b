#pragma once
// Food browser.
#include <QDialog>

#include "nutrients/food_database.h"

namespace tav {

class TBLSMainDlg : public QDialog, public FoodDatabase {
  Q_OBJECT
 public:
  explicit TBLSMainDlg(QWidget* parent = nullptr);
  ~TBLSMainDlg() override;
};

extern TBLSMainDlg* BLSMainDlg;

}  // namespace tav
