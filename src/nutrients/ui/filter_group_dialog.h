#pragma once
// Filter groups; owns the nutrient table.
#include <QDialog>

#include "nutrients/nutrient_table.h"

namespace tav {

class TBLSFilterDlg : public QDialog, public NutrientTable {
  Q_OBJECT
 public:
  explicit TBLSFilterDlg(QWidget* parent = nullptr);
  ~TBLSFilterDlg() override;
};

extern TBLSFilterDlg* BLSFilterDlg;

}  // namespace tav
