#pragma once
// A notice that closes itself five seconds after it was shown, counting down in its window.
#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace tav {

class TAlertDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TAlertDlg(QWidget* parent = nullptr);
  ~TAlertDlg() override;

  // The window caption and the centred notice text; the caller then shows the notice modally.
  void SetAlertText(const std::string& caption, const std::string& text);

  void FormShow();
  void Timer1Timer();
  void CloseBtnClick();

  QLabel* AlertTxt;
  QLabel* ACSekTxt;
  QPushButton* CloseBtn;
  QTimer* Timer1;
  int secondsLeft = 0;

 protected:
  void showEvent(QShowEvent* event) override;
};

extern TAlertDlg* AlertDlg;

}  // namespace tav
