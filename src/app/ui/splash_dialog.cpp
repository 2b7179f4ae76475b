#include "app/ui/splash_dialog.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "services/ui/program_pictures.h"

namespace tav {

TSplashDlg* SplashDlg = nullptr;

TSplashDlg::TSplashDlg(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  SplashDlg = this;
  setObjectName(QStringLiteral("SplashDlg"));
  setFixedSize(390, 252);
  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setScaledContents(true);
  Image1->setPixmap(StartPicture(QStringLiteral("Version %1.%2%3")
                                     .arg(TAVOLIN_VERSION_MAJOR)
                                     .arg(TAVOLIN_VERSION_MINOR)
                                     .arg(TAVOLIN_VERSION_RELEASE)));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Image1);
}

void TSplashDlg::ShowNow() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect s = screen->geometry();
    move(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 2);
  }
  show();
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tav
