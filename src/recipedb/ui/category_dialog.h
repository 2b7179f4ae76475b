#pragma once
// Category window; owns the category table.
#include <QDialog>

#include "recipedb/category_table.h"

namespace tav {

class TGattDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TGattDlg(QWidget* parent = nullptr);
  ~TGattDlg() override;

  // The category table, read when the window is created.
  CategoryTable categories;
};

extern TGattDlg* GattDlg;

}  // namespace tav
