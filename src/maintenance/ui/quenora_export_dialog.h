#pragma once
// Nutrient export for Quenora.
#include <QDialog>

namespace tav {

class TQuenoraDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TQuenoraDlg(QWidget* parent = nullptr);
};

extern TQuenoraDlg* QuenoraDlg;

}  // namespace tav
