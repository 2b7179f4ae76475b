#include "recipes/ui/alert_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/text_tools.h"
#include "services/ui/form_controls.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TAlertDlg* AlertDlg = nullptr;

TAlertDlg::TAlertDlg(QWidget* parent) : QDialog(parent) {
  AlertDlg = this;
  setObjectName(QStringLiteral("AlertDlg"));
  setModal(true);

  AlertTxt = Named<QLabel>(this, "AlertTxt");
  AlertTxt->setAlignment(Qt::AlignCenter);
  AlertTxt->setWordWrap(true);
  QFont bold = AlertTxt->font();
  bold.setBold(true);
  AlertTxt->setFont(bold);
  ACSekTxt = Named<QLabel>(this, "ACSekTxt");
  ACSekTxt->setAlignment(Qt::AlignCenter);
  CloseBtn = Named<QPushButton>(this, "CloseBtn");
  CloseBtn->setText(QStringLiteral("&OK"));
  CloseBtn->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(CloseBtn);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(AlertTxt, 1);
  layout->addWidget(ACSekTxt);
  layout->addLayout(buttons);

  // The timer runs for the whole life of the window; showing only resets the count.
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  connect(CloseBtn, &QPushButton::clicked, this, [this] { CloseBtnClick(); });
  Timer1->start();
  if (LangDlg) LangDlg->TranslateForm(this);
}

TAlertDlg::~TAlertDlg() {
  if (AlertDlg == this) AlertDlg = nullptr;
}

void TAlertDlg::SetAlertText(const std::string& caption, const std::string& text) {
  setWindowTitle(toQ(caption));
  AlertTxt->setText(toQ(text));
}

void TAlertDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TAlertDlg::FormShow() {
  secondsLeft = 5;
  ACSekTxt->setText(toQ(FormatLangText(GetLangText(747), {std::to_string(secondsLeft)})));
  CenterOnForm(this);
}

void TAlertDlg::Timer1Timer() {
  --secondsLeft;
  if (secondsLeft < 1 && isVisible()) done(QDialog::Accepted);
  ACSekTxt->setText(toQ(FormatLangText(GetLangText(747), {std::to_string(secondsLeft)})));
}

void TAlertDlg::CloseBtnClick() {
  accept();
}

}  // namespace tav
