#pragma once
// The progress window: a title, a bar and "Bitte warten ..." while long work runs inside a
// handler. It is driven through the main window's ProgressRelay.
#include <QDialog>
#include <cstdint>

class QLabel;
class QProgressBar;
class QTimer;

namespace tav {

class TProgressDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TProgressDlg(QWidget* parent = nullptr);

  // Every 300 ms while open: the bar follows the stored position.
  void ProgTimTimer();

  QLabel* TitleTxt = nullptr;
  QLabel* Label2 = nullptr;
  QProgressBar* MainPBr = nullptr;
  QTimer* ProgTim = nullptr;
  int32_t Position = 0;  // the value the bar is to show

 protected:
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
};

extern TProgressDlg* ProgressDlg;

}  // namespace tav
