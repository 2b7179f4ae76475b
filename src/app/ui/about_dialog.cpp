#include "app/ui/about_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/program_pictures.h"
#include "services/web_addresses.h"

namespace tav {

TInfoDlg* InfoDlg = nullptr;

LogoCanvas::LogoCanvas(QWidget* parent) : QWidget(parent) {
  setFixedSize(114, 80);
}

void LogoCanvas::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (logoShown && !bitmap.isNull())
    p.drawImage(0, 0, bitmap);
  else if (!canvas.isNull())
    p.drawImage(0, 0, canvas);
}

namespace {

QLabel* NewLabel(const char* name, const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

}  // namespace

TInfoDlg::TInfoDlg(QWidget* parent) : QDialog(parent, Qt::Tool) {
  InfoDlg = this;
  setObjectName(QStringLiteral("InfoDlg"));
  setWindowTitle(QString::fromUtf8("Programminformation"));
  setFixedSize(456, 304);
  setMouseTracking(true);

  N1Img = NewLabel("N1Img", QString(), this);
  N1Img->setPixmap(ProductLogo(false));
  N1Img->setFixedSize(120, 123);
  N1Img->setMouseTracking(true);
  N2Img = NewLabel("N2Img", QString(), this);
  N2Img->setPixmap(ProductLogo(true));
  N2Img->setFixedSize(120, 123);
  Label1 = NewLabel("Label1", QStringLiteral("TAVOLIN!"), this);
  QFont big = Label1->font();
  big.setPointSizeF(big.pointSizeF() * 2.2);
  big.setBold(true);
  Label1->setFont(big);
  Label1->setCursor(Qt::PointingHandCursor);
  VersionTxt = NewLabel("VersionTxt", QString(), this);
  MakerTxt = NewLabel("MakerTxt", QString::fromUtf8("Brimo Software"), this);
  URLTxt = NewLabel("URLTxt", toQ(kMakerWebSite), this);
  URLTxt->setCursor(Qt::PointingHandCursor);
  QPalette link = URLTxt->palette();
  link.setColor(QPalette::WindowText, QColor(0, 70, 160));
  URLTxt->setPalette(link);
  BrimoBmp = new LogoCanvas(this);
  BrimoBmp->setObjectName(QStringLiteral("BrimoBmp"));
  BrimoBmp->setCursor(Qt::PointingHandCursor);
  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  CookMLBmp = NewLabel("CookMLBmp", QString(), Panel2);
  CookMLBmp->setPixmap(FormatBanner(QStringLiteral("CookML"), QColor(40, 90, 170)));
  CookMLBmp->setCursor(Qt::PointingHandCursor);
  (new QVBoxLayout(Panel2))->addWidget(CookMLBmp);
  Panel2->layout()->setContentsMargins(0, 0, 0, 0);
  Panel3 = new QWidget(this);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  BLSBmp = NewLabel("BLSBmp", QString(), Panel3);
  BLSBmp->setPixmap(FormatBanner(QStringLiteral("BLS"), QColor(50, 130, 60)));
  (new QVBoxLayout(Panel3))->addWidget(BLSBmp);
  Panel3->layout()->setContentsMargins(0, 0, 0, 0);
  DataPathEdt = new QLineEdit(this);
  DataPathEdt->setObjectName(QStringLiteral("DataPathEdt"));
  DataPathEdt->setReadOnly(true);
  DataPathEdt->setFrame(false);
  CloseBtn = new QPushButton(QString::fromUtf8("Schließen"), this);
  CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
  CloseBtn->setDefault(true);
  connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->setSpacing(2);
  text->addWidget(Label1);
  text->addWidget(VersionTxt);
  text->addSpacing(10);
  text->addWidget(MakerTxt);
  text->addWidget(URLTxt);
  text->addStretch(1);
  auto* logos = new QGridLayout;
  logos->addWidget(N1Img, 0, 0);
  logos->addWidget(N2Img, 0, 0);
  auto* top = new QHBoxLayout;
  top->addLayout(logos);
  top->addSpacing(12);
  top->addLayout(text, 1);
  auto* banners = new QHBoxLayout;
  banners->addWidget(BrimoBmp, 0, Qt::AlignBottom);
  banners->addStretch(1);
  banners->addWidget(Panel2, 0, Qt::AlignBottom);
  banners->addWidget(Panel3, 0, Qt::AlignBottom);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(DataPathEdt, 1);
  bottom->addWidget(CloseBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(banners);
  layout->addLayout(bottom);

  for (QWidget* w : std::initializer_list<QWidget*>{N1Img, N2Img, Label1, VersionTxt, MakerTxt,
                                                    URLTxt, BrimoBmp, CookMLBmp, Panel3, BLSBmp})
    w->installEventFilter(this);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

  N2Img->hide();
  if (LangDlg) LangDlg->TranslateForm(this);
  // Set after the translation: the language file cannot replace the version.
  uint16_t major = 0, minor = 0, release = 0, build = 0;
  if (ctx().tools) ctx().tools->GetExeVersion(major, minor, release, build);
  VersionTxt->setText(
      QStringLiteral("Release %1.%2%3  (Build %4)").arg(major).arg(minor).arg(release).arg(build));
}

void TInfoDlg::LoadLogo() {
  const std::string root = ctx().options ? ctx().options->Str(90) : std::string();
  BrimoBmp->bitmap = QImage(toQ(FindFileNoCase(root + "Pics/Zutaten/Brimo.bmp")))
                         .convertToFormat(QImage::Format_RGB32);
}

void TInfoDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  N1Img->show();
  N2Img->hide();
  const std::string root = ctx().tools ? ctx().tools->GetDataPath() : std::string();
  DataPathEdt->setText(toQ(" " + GetLangText(757) + root));
  CloseBtn->setFocus();
  steps_.clear();
  step_ = 0;
  LoadLogo();
  BrimoBmp->logoShown = false;
  BrimoBmp->canvas = QImage(BrimoBmp->size(), QImage::Format_RGB32);
  BrimoBmp->canvas.fill(palette().color(QPalette::Window));
  BrimoBmp->update();
  Timer1->start(1000);
  CenterOnForm(this);
}

void TInfoDlg::Timer1Timer() {
  if (Timer1->interval() == 1000) {
    Timer1->setInterval(15);
    PlayAnimation();
    return;
  }
  RunSteps();
}

void TInfoDlg::PlayAnimation() {
  LoadLogo();
  if (BrimoBmp->bitmap.isNull()) {
    // Without the logo file there is nothing to animate; the box stays usable.
    Timer1->stop();
    return;
  }
  BrimoBmp->logoShown = false;
  BuildSteps();
  step_ = 0;
  waitTicks_ = 0;
  Timer1->start(15);
  RunSteps();
}

void TInfoDlg::BuildSteps() {
  // Rectangles as left, top, right, bottom of the original drawing, turned into QRects.
  auto r = [](int l, int t, int rt, int b) { return QRect(l, t, rt - l, b - t); };
  steps_.clear();
  steps_.push_back({r(10, 3, 29, 23), QPoint(90, 3), 0, true});
  for (int i = 0; i < 80; ++i) steps_.push_back({r(0, 0, 114, 1), QPoint(0, i), 0});
  for (int j = 0; j <= 114; ++j) steps_.push_back({r(0, 50, j, 51), QPoint(0, 50), 1});
  for (int k = 2; k <= 48; ++k) steps_.push_back({r(0, 2, 114, k + 2), QPoint(0, 50 - k), 1});
  for (int l = 1; l <= 28; ++l) steps_.push_back({r(0, 51, 114, l + 51), QPoint(0, 51), 1});
  for (int m = 0; m < 5; ++m) steps_.push_back({r(20 * m, 80, 20 * m + 19, 100), QPoint(90, 3), 2});
}

void TInfoDlg::RunSteps() {
  if (waitTicks_ > 0) {
    --waitTicks_;
    return;
  }
  while (step_ < steps_.size()) {
    const Step& s = steps_[step_++];
    const QImage piece = BrimoBmp->bitmap.copy(s.from);
    QPainter p(s.onBitmap ? &BrimoBmp->bitmap : &BrimoBmp->canvas);
    p.drawImage(s.to, piece);
    p.end();
    if (s.ticks > 0) {
      waitTicks_ = s.ticks - 1;
      BrimoBmp->update();
      return;
    }
  }
  // Done: the logo as it is on disk.
  Timer1->stop();
  LoadLogo();
  BrimoBmp->logoShown = true;
  BrimoBmp->update();
}

void TInfoDlg::keyPressEvent(QKeyEvent*) {
  accept();
}

void TInfoDlg::mouseMoveEvent(QMouseEvent*) {
  N1Img->show();
  N2Img->hide();
}

void TInfoDlg::mousePressEvent(QMouseEvent*) {
  accept();
}

bool TInfoDlg::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter) {
    const bool overLogo = watched == N1Img || watched == N2Img;
    N1Img->setVisible(!overLogo);
    N2Img->setVisible(overLogo);
  } else if (e->type() == QEvent::MouseButtonPress) {
    if (watched == Label1 || watched == URLTxt) {
      accept();
      ShellOpenFile(kMakerWebSite);
    } else if (watched == BrimoBmp) {
      if (BrimoBmp->logoShown)
        ShellOpenFile(kMakerCompanySite);
      else
        accept();
    } else if (watched == CookMLBmp) {
      ShellOpenFile(kCookMLPage);
    } else if (watched == Panel3 || watched == BLSBmp) {
      PlayAnimation();
    } else {
      accept();
    }
    return true;
  }
  return QDialog::eventFilter(watched, e);
}

}  // namespace tav
