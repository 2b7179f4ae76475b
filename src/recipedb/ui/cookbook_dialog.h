#pragma once
// Cookbook window; owns the cookbook list.
#include <QDialog>

namespace tav {

class TKBookDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TKBookDlg(QWidget* parent = nullptr);
};

extern TKBookDlg* KBookDlg;

}  // namespace tav
