#pragma once
// Input of one category: its name and whether it is a main category.
#include <QDialog>

#include "recipedb/category_table.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tav {

class TInpGattDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TInpGattDlg(QWidget* parent = nullptr);

  // Prepares the dialog for the category (an empty name: a new one); OK stores name and kind
  // into it.
  void SetGattInput(REZGATT& category);
  // Reads the name (at most 198 characters) and the kind; an empty name or one holding '#' is
  // refused with a message and the dialog stays open.
  void OKBtnClick();

  QLineEdit* NameEdt;
  QRadioButton* MainRdb;
  QRadioButton* UnterRdb;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  REZGATT* category_ = nullptr;
};

extern TInpGattDlg* InpGattDlg;

}  // namespace tav
