#pragma once
// Intake tables; the window is the store of the tables (IntakeTables) and reads StoffCalc.dat
// when it is created.
#include <QDialog>

#include "diary/intake_tables.h"

namespace tav {

class TZufuhrDlg : public QDialog, public IntakeTables {
  Q_OBJECT
 public:
  explicit TZufuhrDlg(QWidget* parent = nullptr);
  ~TZufuhrDlg() override;
};

extern TZufuhrDlg* ZufuhrDlg;

}  // namespace tav
