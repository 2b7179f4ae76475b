#pragma once
// Units window; owns the unit table.
#include <QDialog>

#include "recipedb/unit_table.h"

namespace tav {

class TEinheitenDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TEinheitenDlg(QWidget* parent = nullptr);
  ~TEinheitenDlg() override;

  // The units of measure, read and sorted when the window is created.
  UnitTable units;
};

extern TEinheitenDlg* EinheitenDlg;

}  // namespace tav
