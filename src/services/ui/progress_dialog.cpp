#include "services/ui/progress_dialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TProgressDlg* ProgressDlg = nullptr;

TProgressDlg::TProgressDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  ProgressDlg = this;
  setObjectName(QStringLiteral("ProgressDlg"));
  setFixedSize(368, 89);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(0, 0, 128));
  pal.setColor(QPalette::WindowText, Qt::white);
  setPalette(pal);

  TitleTxt = new QLabel(this);
  TitleTxt->setObjectName(QStringLiteral("TitleTxt"));
  TitleTxt->setAlignment(Qt::AlignCenter);
  QFont bold = TitleTxt->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.15);
  TitleTxt->setFont(bold);
  QPalette yellow = TitleTxt->palette();
  yellow.setColor(QPalette::WindowText, Qt::yellow);
  TitleTxt->setPalette(yellow);
  Label2 = new QLabel(QString::fromUtf8("Bitte warten ..."), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setAlignment(Qt::AlignCenter);
  MainPBr = new QProgressBar(this);
  MainPBr->setObjectName(QStringLiteral("MainPBr"));
  MainPBr->setMinimum(0);
  MainPBr->setTextVisible(false);
  MainPBr->setFixedHeight(16);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 8, 14, 12);
  layout->setSpacing(4);
  layout->addWidget(TitleTxt);
  layout->addWidget(Label2);
  layout->addWidget(MainPBr);

  ProgTim = new QTimer(this);
  ProgTim->setObjectName(QStringLiteral("ProgTim"));
  ProgTim->setInterval(300);
  connect(ProgTim, &QTimer::timeout, this, [this] { ProgTimTimer(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TProgressDlg::ProgTimTimer() {
  // A position past the maximum shows a full bar.
  MainPBr->setValue(std::clamp(Position, MainPBr->minimum(), MainPBr->maximum()));
  raise();
}

void TProgressDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  CenterOnForm(this);
}

void TProgressDlg::hideEvent(QHideEvent* e) {
  ProgTim->stop();
  QDialog::hideEvent(e);
}

}  // namespace tav
