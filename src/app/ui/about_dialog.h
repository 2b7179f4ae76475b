#pragma once
// The about box: version, data root, the maker's links and an animated maker logo.
#include <QDialog>
#include <QImage>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tav {

// The maker's logo at the place of the about box's BrimoBmp. While the logo is hidden the
// widget shows the animation canvas, which the animation draws into from the logo bitmap.
class LogoCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit LogoCanvas(QWidget* parent = nullptr);
  QImage bitmap;  // the logo as loaded: 114 pixels wide, the sign's frames below row 80
  QImage canvas;  // what the window shows at this place while the logo is hidden
  bool logoShown = false;
  QSize sizeHint() const override { return QSize(114, 80); }

 protected:
  void paintEvent(QPaintEvent* e) override;
};

class TInfoDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TInfoDlg(QWidget* parent = nullptr);

  void Timer1Timer();
  // Starts the logo animation over (a click on the BLS banner).
  void PlayAnimation();
  bool AnimationRunning() const { return step_ < steps_.size(); }

  QLabel* N1Img = nullptr;
  QLabel* N2Img = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* VersionTxt = nullptr;
  QLabel* MakerTxt = nullptr;
  QLabel* URLTxt = nullptr;
  LogoCanvas* BrimoBmp = nullptr;
  QWidget* Panel2 = nullptr;
  QLabel* CookMLBmp = nullptr;
  QWidget* Panel3 = nullptr;
  QLabel* BLSBmp = nullptr;
  QLineEdit* DataPathEdt = nullptr;
  QPushButton* CloseBtn = nullptr;
  QTimer* Timer1 = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // One step of the animation: copy a rectangle of the bitmap onto the canvas, then wait a
  // number of timer ticks (0: go on at once).
  struct Step {
    QRect from;
    QPoint to;
    int ticks;
    bool onBitmap = false;  // copy inside the bitmap itself
  };
  void LoadLogo();
  void BuildSteps();
  void RunSteps();

  std::vector<Step> steps_;
  size_t step_ = 0;
  int waitTicks_ = 0;
};

extern TInfoDlg* InfoDlg;

}  // namespace tav
