#include "app/ui/tips_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <cstdlib>

#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tips_file.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TAssistDlg* AssistDlg = nullptr;

namespace {
const char* const kAssistKey = "Software\\Brimo\\Tavolin\\Assist";

// An integer value of section Assist, default 1.
int AssistValue(const std::string& name) {
  std::string text;
  if (!ctx().userSettings || !ctx().userSettings->ReadString(kAssistKey, name, text)) return 1;
  return std::atoi(text.c_str());
}
}  // namespace

TAssistDlg::~TAssistDlg() {
  Registered<TipsAccess>::Leave(this);
}

bool TAssistDlg::StartTipOn() {
  return AssistValue("StartTip") != 0;
}

// Not on top of everything: a tip must never hide a question. It stays above the window it
// belongs to, and questions opened after it take its place until they are answered.
TAssistDlg::TAssistDlg(QWidget* parent) : QWidget(parent, Qt::Tool) {
  AssistDlg = this;
  qApp->installEventFilter(this);
  Registered<TipsAccess>::Enter(this);
  setObjectName(QStringLiteral("AssistDlg"));
  setWindowTitle(QString::fromUtf8("Tavolin! - Tipps & Tricks"));
  resize(430, 260);

  HeadTxt = new QLabel(QString::fromUtf8("Wußten Sie schon ?"), this);
  HeadTxt->setObjectName(QStringLiteral("HeadTxt"));
  QFont head = HeadTxt->font();
  head.setBold(true);
  head.setPointSizeF(head.pointSizeF() * 1.3);
  HeadTxt->setFont(head);
  TextEdt = new QTextEdit(this);
  TextEdt->setObjectName(QStringLiteral("TextEdt"));
  TextEdt->setReadOnly(true);
  TextEdt->setMinimumHeight(110);
  TextEdt->installEventFilter(this);
  NextTipChk =
      new QCheckBox(QString::fromUtf8("den aktuellen Tipp in Zukunft &nicht mehr anzeigen"), this);
  NextTipChk->setObjectName(QStringLiteral("NextTipChk"));
  StartTipChk =
      new QCheckBox(QString::fromUtf8("Die Tipps beim &Programmstart immer anzeigen"), this);
  StartTipChk->setObjectName(QStringLiteral("StartTipChk"));
  nextTipBtn = new QPushButton(QString::fromUtf8("Nächster &Tip"), this);
  nextTipBtn->setObjectName(QStringLiteral("nextTipBtn"));
  IDCanc = new QPushButton(QString::fromUtf8("Schließen"), this);
  IDCanc->setObjectName(QStringLiteral("IDCanc"));
  IDCanc->setDefault(true);
  connect(nextTipBtn, &QPushButton::clicked, this, [this] { nextTipBtnClick(); });
  connect(IDCanc, &QPushButton::clicked, this, [this] { IDCancClick(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(HeadTxt);
  layout->addWidget(TextEdt, 1);
  layout->addWidget(NextTipChk);
  layout->addWidget(StartTipChk);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(nextTipBtn);
  buttons->addWidget(IDCanc);
  layout->addLayout(buttons);

  int count = 1;
  if (ReadTipCount(TipsFile(), count)) {
    count_ = static_cast<uint16_t>(count);
    if (LangDlg) LangDlg->TranslateForm(this);
  }
}

std::string TAssistDlg::TipsFile() const {
  return (ctx().options ? ctx().options->Str(52) : std::string()) + "Assist.dat";
}

bool TAssistDlg::TipOn(int tip) const {
  return AssistValue(std::to_string(tip)) != 0;
}

void TAssistDlg::ShowTip(uint16_t tip, int mode, QWidget* window) {
  if (!enabled_) return;
  current_ = tip;
  const bool showAssist = ctx().options && ctx().options->Flag(12);
  if (!showAssist && mode != 0 && mode != 1) return;
  if (mode == 3) {
    ShowRandomTip();
    return;
  }
  bool on = TipOn(tip);
  if (!on && mode != 1) return;
  if (mode == 2) on = false;  // a one-time hint is switched off once it has been shown
  NextTipChk->setChecked(!on);
  StartTipChk->setChecked(StartTipOn());
  // Without any tip text (no tips file, or a tip not shipped) there is nothing worth a window.
  LoadTip();
  if (TextEdt->toPlainText().isEmpty()) return;
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == this) modal = nullptr;
  if (qobject_cast<QMessageBox*>(modal) || qobject_cast<QFileDialog*>(modal)) {
    // A question is up: the tip waits until it is answered.
    host_ = window ? window->window() : nullptr;
    suspended_ = true;
    return;
  }
  ShowOver(window ? window->window() : modal);
}

void TAssistDlg::ShowOver(QWidget* host) {
  host_ = host;
  // The window manager keeps a window over the one it is transient for (owned by a modal
  // window, the tip is not blocked by it either). It reads that when the window is shown, so
  // the owner is set before, and a tip that changes its owner is shown anew.
  QWidget* owner = host ? host : parentWidget();
  QWindow* ownerWindow = owner ? owner->window()->windowHandle() : nullptr;
  winId();  // the tip's own window, so that its owner can be set before it is shown
  if (QWindow* tip = windowHandle()) {
    if (isVisible() && tip->transientParent() != ownerWindow) hide();
    if (ownerWindow) tip->setTransientParent(ownerWindow);
  }
  show();
  raise();
  activateWindow();
}

void TAssistDlg::WatchModal(QWidget* window, bool shown) {
  if (shown) {
    if (!isVisible() || window == host_) return;
    SaveSwitches();
    hide();
    suspended_ = true;
    return;
  }
  if (window == host_ && isVisible()) {
    ShowOver(nullptr);  // its window closed: the tip stays over the main window
    return;
  }
  if (suspended_) QTimer::singleShot(0, this, [this] { Resume(); });
}

void TAssistDlg::Resume() {
  if (!suspended_) return;
  if (host_ && !host_->isVisible()) {
    suspended_ = false;  // the window the tip was about has closed meanwhile
    return;
  }
  // Another question or modal window is up: the tip waits for it too.
  if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != host_.data()) return;
  suspended_ = false;
  ShowOver(host_);
}

void TAssistDlg::ShowRandomTip() {
  const std::string file = TipsFile();
  const int count = count_;
  const int r = PickRandomTip(count_, current_, [] { return std::rand(); }, [&](int tip) {
    std::string text;
    return ReadTipText(file, tip, count, text) && !text.empty();
  });
  if (r < 0) return;
  current_ = static_cast<uint16_t>(r);
  ShowTip(current_, 1);
}

bool TAssistDlg::LoadTip() {
  std::string text;
  if (!ReadTipText(TipsFile(), current_, count_, text)) return false;
  TextEdt->setPlainText(toQ(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  return true;
}

void TAssistDlg::SaveSwitches() {
  if (!ctx().userSettings) return;
  ctx().userSettings->WriteString(kAssistKey, std::to_string(current_),
                                  NextTipChk->isChecked() ? "0" : "1");
  ctx().userSettings->WriteString(kAssistKey, "StartTip", StartTipChk->isChecked() ? "1" : "0");
}

void TAssistDlg::nextTipBtnClick() {
  SaveSwitches();
  ShowRandomTip();
}

void TAssistDlg::IDCancClick() {
  close();
}

void TAssistDlg::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  int off = 0;
  for (int i = 0; i < count_; ++i)
    if (!TipOn(i)) ++off;
  nextTipBtn->setVisible(count_ - off > 0);
  CenterOnForm(this);
}

void TAssistDlg::closeEvent(QCloseEvent* e) {
  SaveSwitches();
  suspended_ = false;
  QWidget::closeEvent(e);
}

void TAssistDlg::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(e);
}

bool TAssistDlg::eventFilter(QObject* watched, QEvent* e) {
  if ((e->type() == QEvent::Show || e->type() == QEvent::Hide) && watched != this &&
      watched->isWidgetType()) {
    auto* w = static_cast<QWidget*>(watched);
    if (w->isWindow() && (w->isModal() || w == host_.data()))
      WatchModal(w, e->type() == QEvent::Show);
    return false;
  }
  if (watched == TextEdt && e->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
    close();
    return true;
  }
  return QWidget::eventFilter(watched, e);
}

}  // namespace tav
