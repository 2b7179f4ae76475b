#include "exchange/ui/print_preview_window.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "exchange/ui/qt_printing.h"
#include "platform/qt/qt_text.h"
#include "recipes/ui/key_figures_dialog.h"
#include "recipes/ui/lexicon_access.h"
#include "recipes/ui/recipe_list_window.h"
#include "recipes/ui/season_access.h"
#include "recipes/ui/servings_dialog.h"
#include "recipes/ui/view_menu.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"
#include "services/ui/named_controls.h"

namespace tav {

TPrintRezDlg* PrintRezDlg = nullptr;

TPrintRezDlg::TPrintRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  PrintRezDlg = this;
  Registered<RecipeOutputView, OutputViewKind::Print>::Enter(this);
  setObjectName(QStringLiteral("PrintRezDlg"));
  setWindowTitle(toQ("Druckvorschau"));
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);

  Ground = new QWidget(this);
  Ground->setObjectName(QStringLiteral("Ground"));
  pAnzBtn = Named<QPushButton>(Ground, "pAnzBtn");
  pAnzBtn->setText(toQ("Portion \xE4ndern"));
  PageTxt = Named<QLabel>(Ground, "PageTxt");
  PageTxt->setText(toQ("Seite:"));
  PageCoBo = Named<QComboBox>(Ground, "PageCoBo");
  PageCoBo->setMinimumWidth(60);
  StartBtn = Named<QPushButton>(Ground, "StartBtn");
  StartBtn->setText(toQ("Druck starten"));
  auto* side = new QVBoxLayout(Ground);
  side->setContentsMargins(8, 16, 8, 8);
  side->setSpacing(4);
  side->addWidget(pAnzBtn);
  side->addSpacing(14);
  side->addWidget(PageTxt);
  side->addWidget(PageCoBo, 0, Qt::AlignLeft);
  side->addSpacing(18);
  side->addWidget(StartBtn);
  side->addStretch(1);

  PopupMnu = new QMenu(this);
  PopupMnu->setObjectName(QStringLiteral("PopupMnu"));
  editMnu = DefaultViewMenuItem(PopupMnu, "editMnu", "Rezept ver\xE4ndern");
  PopupMnu->addSeparator()->setObjectName(QStringLiteral("N1"));
  showLexikonMnu =
      ViewMenuItem(PopupMnu, "showLexikonMnu", "Passende Lexikon-Eintragungen anschauen");
  PopupMnu->addSeparator()->setObjectName(QStringLiteral("N2"));
  showViewMnu = ViewMenuItem(PopupMnu, "showViewMnu", "Zeige Rezept in der Standarddarstellung");
  showHTMLMnu = ViewMenuItem(PopupMnu, "showHTMLMnu", "Zeige Rezept als normalen Text");
  PopupMnu->addSeparator()->setObjectName(QStringLiteral("N3"));
  HelpBtn = ViewMenuItem(PopupMnu, "HelpBtn", "Hilfe zur Druckvorschau");

  connect(pAnzBtn, &QPushButton::clicked, this, [this] { pAnzBtnClick(); });
  connect(StartBtn, &QPushButton::clicked, this, [this] { StartBtnClick(); });
  connect(PageCoBo, &QComboBox::activated, this, [this] { ShowSelectedPage(); });
  connect(editMnu, &QAction::triggered, this, [this] { editMnuClick(); });
  connect(showLexikonMnu, &QAction::triggered, this, [this] { showLexikonMnuClick(); });
  connect(showViewMnu, &QAction::triggered, this, [this] { showViewMnuClick(); });
  connect(showHTMLMnu, &QAction::triggered, this, [this] { showHTMLMnuClick(); });
  connect(HelpBtn, &QAction::triggered, this, [this] { HelpBtnClick(); });
  FormCreate();
}

TPrintRezDlg::~TPrintRezDlg() {
  Registered<RecipeOutputView, OutputViewKind::Print>::Leave(this);
  if (PrintRezDlg == this) PrintRezDlg = nullptr;
}

void TPrintRezDlg::FormCreate() {
  if (LangDlg) {
    LangDlg->TranslateForm(this);
    LangDlg->TranslateMenu("PrintRezDlg", PopupMnu);
  }
  Ground->setFixedWidth(std::max(145, Ground->sizeHint().width()));
  Ground->adjustSize();
}

void TPrintRezDlg::ShowPrintRecipe(int pos) {
  const bool search = ChooseRezDlg && ChooseRezDlg->IsSearchMode();
  keyFigures = KenndatenDlg;
  if (!LoadPreviewRecipe(pos, search)) return;
  if (LexiconAccess* lexicon = Lexicon()) lexicon->SetLexiconRecipe(Recipe);
  if (SeasonAccess* season = Season()) season->SetSeasonRecipe(Recipe);
  // The pages are counted with the geometry they are drawn with.
  ComputePreviewGeometry();
  SetRecipeMargins();
  NullCanvas counter;
  const int pages = LayoutRecipePage(counter, 0);
  PageCoBo->clear();
  for (int page = 1; page <= pages; ++page) PageCoBo->addItem(QString::number(page));
  PageCoBo->setCurrentIndex(0);
  update();
}

void TPrintRezDlg::RefreshPrintView() {
  if (ListPos == -1) return;
  ShowPrintRecipe(ListPos);
}

void TPrintRezDlg::ComputePreviewGeometry() {
  int w = 0, h = 0;
  PrinterPageDots(w, h);
  // The buttons beside the sheet stay in the view, also for a landscape page.
  RecipePrintView::ComputePreviewGeometry(width() - Ground->width(), height(), w, h);
  PlaceGround();
}

void TPrintRezDlg::PlaceGround() {
  const QPoint at(SheetWidth + 50, 0);
  if (Ground->pos() != at) Ground->move(at);
}

int TPrintRezDlg::SelectedPage() const {
  const int index = PageCoBo->currentIndex();
  return index >= 0 ? index + 1 : 1;
}

void TPrintRezDlg::DrawPreviewPaper(QPainter& painter) {
  const int pw = SheetWidth, ph = SheetHeight;
  // Rectangles as left, top, right, bottom with right and bottom outside.
  auto fill = [&](int l, int t, int r, int b, const QColor& colour) {
    if (r > l && b > t) painter.fillRect(QRect(l, t, r - l, b - t), colour);
  };
  const QColor face = palette().color(QPalette::Button);
  const int w = width(), h = height();
  fill(pw + 30, 10, w, 20, face);
  fill(10, ph + 30, 20, ph + 39, face);
  fill(pw + 40, 20, w, h + 29, face);
  fill(1, ph + 40, w, h - 1, face);
  const QColor grey(128, 128, 128);
  fill(pw + 30, 20, pw + 40, ph + 40, grey);
  fill(20, ph + 30, pw + 30, ph + 40, grey);
  fill(10, 10, pw + 30, ph + 30, Qt::white);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(QRect(10, 10, pw + 19, ph + 19));
}

void TPrintRezDlg::DrawSelectedPage(QPainter& painter) {
  if (ListPos < 0 || Scale <= 0) return;
  painter.setPen(Qt::black);
  // The page's dots start 20 pixels in: the sheet's edge and a border of white.
  QtPrintCanvas canvas(painter, Scale, 20, 20);
  LayoutRecipePage(canvas, SelectedPage());
}

void TPrintRezDlg::ShowSelectedPage() {
  if (isVisible()) update();
}

void TPrintRezDlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::TextAntialiasing);
  ComputePreviewGeometry();
  SetRecipeMargins();
  DrawPreviewPaper(painter);
  DrawSelectedPage(painter);
}

void TPrintRezDlg::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (Scale == 0) return;  // nothing drawn yet
  ComputePreviewGeometry();
}

void TPrintRezDlg::contextMenuEvent(QContextMenuEvent* event) {
  PopupMnu->popup(event->globalPos());
}

void TPrintRezDlg::StartBtnClick() {
  if (ListPos < 0) return;
  QtPrintDevice device(this);
  PrintRecipe(device, Recipe, OwnServings);
  update();
}

void TPrintRezDlg::pAnzBtnClick() {
  // The dialog shows the recipe again when its servings change.
  if (PersAnzDlg) PersAnzDlg->exec();
}

void TPrintRezDlg::editMnuClick() {
  EditSelectedFromView();
}

void TPrintRezDlg::showLexikonMnuClick() {
  ShowLexiconOfShownRecipe();
}

void TPrintRezDlg::showViewMnuClick() {
  ChooseView("ViewStd");
}

void TPrintRezDlg::showHTMLMnuClick() {
  ChooseView("ViewHTML");
}

void TPrintRezDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Win_PrintView.htm");
}

}  // namespace tav
