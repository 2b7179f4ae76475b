#pragma once
// The text of a day remark in the week plan. Confirmed only when its latest showing ended with
// OK; Escape and the close box cancel.
#include <QDialog>

#include "kitchen/weekplan/week_plan.h"

class QLineEdit;
class QPushButton;

namespace tav {

class TWPBemDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TWPBemDlg(QWidget* parent = nullptr);

  // The entry whose text the next showing edits (null: none).
  void SetWPBemEntry(WPLAN* entry);
  bool WPBemConfirmed() const { return confirmed_; }

  void OKBtnClick();
  void CancelBtnClick();

  QLineEdit* BemEdt = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  WPLAN* entry_ = nullptr;
  bool confirmed_ = false;
};

extern TWPBemDlg* WPBemDlg;

}  // namespace tav
