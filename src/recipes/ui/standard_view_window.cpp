#include "recipes/ui/standard_view_window.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QSplitter>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "recipes/ui/view_menu.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"

namespace tav {

TshowRezDlg* showRezDlg = nullptr;

TshowRezDlg::TshowRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  showRezDlg = this;
  setObjectName(QStringLiteral("showRezDlg"));

  DataParPanel = DockPanel("DataParPanel");
  OrderParPanel = DockPanel("OrderParPanel");
  RezTextRtf = new QTextEdit;
  RezTextRtf->setObjectName(QStringLiteral("RezTextRtf"));
  RezTextRtf->setReadOnly(true);
  RezTextRtf->setAcceptRichText(false);
  RezTextRtf->setFrameShape(QFrame::NoFrame);
  RezTextRtf->setLineWrapMode(QTextEdit::WidgetWidth);
  RezTextRtf->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  RezTextRtf->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  RezTextRtf->document()->setDocumentMargin(10);
  QFont textFont = RezTextRtf->font();
  textFont.setPointSizeF(textFont.pointSizeF() * 1.1);
  RezTextRtf->setFont(textFont);
  RezTextRtf->setContextMenuPolicy(Qt::CustomContextMenu);
  RezTextRtf->installEventFilter(this);
  OrderParPanel->layout()->addWidget(RezTextRtf);

  RezSplit = new QSplitter(Qt::Vertical);
  RezSplit->setObjectName(QStringLiteral("RezSplit"));
  RezSplit->setChildrenCollapsible(false);
  RezSplit->setHandleWidth(5);
  RezSplit->addWidget(DataParPanel);
  RezSplit->addWidget(OrderParPanel);
  RezSplit->setStretchFactor(0, 0);
  RezSplit->setStretchFactor(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(RezSplit);

  PopupMnu = new QMenu(this);
  PopupMnu->setObjectName(QStringLiteral("PopupMnu"));
  editMnu = DefaultViewMenuItem(PopupMnu, "editMnu", "Rezept ver\xE4ndern");
  PopupMnu->addSeparator()->setObjectName(QStringLiteral("N3"));
  LexShowMnu = ViewMenuItem(PopupMnu, "LexShowMnu", "Passende Lexikon-Eintragungen anzeigen");
  PopupMnu->addSeparator()->setObjectName(QStringLiteral("N2"));
  showHTMLMnu = ViewMenuItem(PopupMnu, "showHTMLMnu", "Zeige Rezept als normalen Text");
  showPrintMnu = ViewMenuItem(PopupMnu, "showPrintMnu", "Zeige Rezept in der Druckvorschau");
  PopupMnu->addSeparator()->setObjectName(QStringLiteral("N1"));
  HelpBtn = ViewMenuItem(PopupMnu, "HelpBtn", "Hilfe zur Standard-Ansicht");
  connect(editMnu, &QAction::triggered, this, [this] { editMnuClick(); });
  connect(LexShowMnu, &QAction::triggered, this, [this] { LexShowMnuClick(); });
  connect(showHTMLMnu, &QAction::triggered, this, [this] { showHTMLMnuClick(); });
  connect(showPrintMnu, &QAction::triggered, this, [this] { showPrintMnuClick(); });
  connect(HelpBtn, &QAction::triggered, this, [this] { HelpBtnClick(); });
  connect(RezTextRtf, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMnu->popup(RezTextRtf->mapToGlobal(pos)); });
  OnCreate();
}

void TshowRezDlg::OnCreate() {
  if (!LangDlg) return;
  LangDlg->TranslateForm(this);
  LangDlg->TranslateMenu("showRezDlg", PopupMnu);
}

void TshowRezDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The data pane starts at a little over half the height, twenty lines at least; the text
  // takes the rest.
  if (sized_ || height() < 200) return;
  sized_ = true;
  const int data =
      std::min(std::max(fontMetrics().height() * 20, height() * 11 / 20), height() - 80);
  RezSplit->setSizes({data, std::max(30, height() - data)});
}

void TshowRezDlg::editMnuClick() {
  EditSelectedFromView();
}

void TshowRezDlg::LexShowMnuClick() {
  ShowLexiconOfShownRecipe();
}

void TshowRezDlg::showHTMLMnuClick() {
  ChooseView("ViewHTML");
}

void TshowRezDlg::showPrintMnuClick() {
  ChooseView("ViewPrint");
}

void TshowRezDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Win_ShowView.htm");
}

void TshowRezDlg::mouseDoubleClickEvent(QMouseEvent* event) {
  QWidget::mouseDoubleClickEvent(event);
  editMnuClick();
}

bool TshowRezDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == RezTextRtf && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
    if (auto* main = MainWindow()) main->UpdateClipboardMenu();  // SetClipboardMenu
  return QWidget::eventFilter(watched, event);
}

}  // namespace tav
