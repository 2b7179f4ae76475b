#pragma once
// The new age range of an intake table: an age, or the rows for pregnant or nursing women.
#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tav {

class TAgeInputDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TAgeInputDlg(QWidget* parent = nullptr);
  ~TAgeInputDlg() override;

  // The bound chosen: the age typed, 1000 pregnant, 1001 nursing; 0 for none (Cancel, the
  // close box).
  int GetNewAgeBound() const;
  void FormShow();
  // An age that is no whole number from 1 to 998 is refused (message 934); the dialog stays.
  void OKBtnClick();
  void CancelBtnClick();
  // The close box and Escape are Cancel: nothing is added.
  void reject() override;

  QRadioButton* AlterRdb;
  QRadioButton* SchwangerRdb;
  QRadioButton* StillendRdb;
  QLineEdit* NewAgeEdt;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 protected:
  void showEvent(QShowEvent* e) override;
};

extern TAgeInputDlg* AgeInputDlg;

}  // namespace tav
