#pragma once
// The name of a new filter group.
#include <QDialog>

#include <string>

class QLineEdit;
class QPushButton;

namespace tav {

class TNewFilterDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TNewFilterDlg(QWidget* parent = nullptr);

  void SetNewFilterName(const std::string& name);
  // The name typed; empty unless the window was left with OK.
  std::string GetNewFilterName() const;

  QLineEdit* FiltGrpNameEdt;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;
};

extern TNewFilterDlg* NewFilterDlg;

}  // namespace tav
