#pragma once
// The start picture, shown while the windows are created.
#include <QWidget>

class QLabel;

namespace tav {

class TSplashDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TSplashDlg(QWidget* parent = nullptr);
  // Shows the picture centred on the screen and paints it at once (no message loop runs yet).
  void ShowNow();

  QLabel* Image1 = nullptr;
};

extern TSplashDlg* SplashDlg;

}  // namespace tav
