#include "exchange/ui/html_view_window.h"

#include <QEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <cstdio>

#include "exchange/export_run.h"
#include "exchange/html_template.h"
#include "exchange/page_output.h"
#include "exchange/ui/recipe_list_snapshot_qt.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/servings.h"
#include "recipes/ui/key_figures_dialog.h"
#include "recipes/ui/lexicon_access.h"
#include "recipes/ui/season_access.h"
#include "recipes/ui/view_menu.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"

namespace tav {

THTMLRezDlg* HTMLRezDlg = nullptr;

THTMLRezDlg::THTMLRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  HTMLRezDlg = this;
  Registered<RecipeOutputView, OutputViewKind::HTML>::Enter(this);
  setObjectName(QStringLiteral("HTMLRezDlg"));
  setWindowTitle(toQ("Text/HTML-Ansicht"));
  HtmlMode = !ctx().options || ctx().options->Flag(19);

  ViewText = new QPlainTextEdit(this);
  ViewText->setObjectName(QStringLiteral("ViewText"));
  ViewText->setReadOnly(true);
  ViewText->setLineWrapMode(QPlainTextEdit::NoWrap);
  ViewText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont mono;
  mono.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Courier New")});
  mono.setStyleHint(QFont::Monospace);
  mono.setPixelSize(12);
  ViewText->setFont(mono);
  ViewText->setContextMenuPolicy(Qt::CustomContextMenu);
  ViewText->installEventFilter(this);
  ViewText->hide();

  ViewHTML = new QWidget(this);
  ViewHTML->setObjectName(QStringLiteral("ViewHTML"));

  PopupMnu = new QMenu(this);
  PopupMnu->setObjectName(QStringLiteral("PopupMnu"));
  editMnu = DefaultViewMenuItem(PopupMnu, "editMnu", "Rezept ver\xE4ndern");
  PopupMnu->addSeparator()->setObjectName(QStringLiteral("N1"));
  showLexikonMnu =
      ViewMenuItem(PopupMnu, "showLexikonMnu", "Passende Lexikon-Eintragungen anzeigen");
  PopupMnu->addSeparator()->setObjectName(QStringLiteral("N2"));
  ZeigeRezeptinStandarddarstellung1 = ViewMenuItem(PopupMnu, "ZeigeRezeptinStandarddarstellung1",
                                                   "Zeige Rezept in Standarddarstellung");
  showPrintMnu = ViewMenuItem(PopupMnu, "showPrintMnu", "Zeige Rezept in der Druckvorschau");
  PopupMnu->addSeparator()->setObjectName(QStringLiteral("N3"));
  HelpBtn = ViewMenuItem(PopupMnu, "HelpBtn", "&Hilfe zur Text-Ansicht");
  connect(editMnu, &QAction::triggered, this, [this] { editMnuClick(); });
  connect(showLexikonMnu, &QAction::triggered, this, [this] { showLexikonMnuClick(); });
  connect(ZeigeRezeptinStandarddarstellung1, &QAction::triggered, this,
          [this] { ZeigeRezeptinStandarddarstellung1Click(); });
  connect(showPrintMnu, &QAction::triggered, this, [this] { showPrintMnuClick(); });
  connect(HelpBtn, &QAction::triggered, this, [this] { HelpBtnClick(); });
  connect(ViewText, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMnu->popup(ViewText->mapToGlobal(pos)); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ViewText);
  layout->addWidget(ViewHTML);
  FormCreate();
}

THTMLRezDlg::~THTMLRezDlg() {
  Registered<RecipeOutputView, OutputViewKind::HTML>::Leave(this);
  if (HTMLRezDlg == this) HTMLRezDlg = nullptr;
}

void THTMLRezDlg::FormCreate() {
  if (LangDlg) {
    LangDlg->TranslateForm(this);
    LangDlg->TranslateMenu("HTMLRezDlg", PopupMnu);
  }
  Browser = new QTextBrowser(ViewHTML);
  Browser->setObjectName(QStringLiteral("Browser"));
  Browser->setOpenLinks(false);  // a page's links lead out of the view: the desktop opens them
  Browser->setFrameShape(QFrame::NoFrame);
  Browser->setContextMenuPolicy(Qt::CustomContextMenu);
  Browser->installEventFilter(this);
  connect(Browser, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMnu->popup(Browser->mapToGlobal(pos)); });
  connect(Browser, &QTextBrowser::anchorClicked, this, [](const QUrl& url) {
    if (ctx().shell) ctx().shell->Open(fromQ(url.toString()));
  });
  auto* inside = new QVBoxLayout(ViewHTML);
  inside->setContentsMargins(0, 0, 0, 0);
  inside->addWidget(Browser);
  ShowForm();
}

void THTMLRezDlg::ShowForm() {
  ViewHTML->setVisible(HtmlMode);
  ViewText->setVisible(!HtmlMode);
}

void THTMLRezDlg::RenderRecipeView(int pos) {
  ListPosition = pos;
  ExportRun run;
  run.list = TakeRecipeListSnapshot();
  run.keyFigures = KenndatenDlg;
  const int row = run.list.CurrentRecipeRow();
  if (row < 0) return;  // nothing selected: the view keeps what it shows
  REZBLOCK recipe;
  if (ReadRecipeOfListItem(run.list.items[static_cast<size_t>(row)], run.list.searchMode, recipe)) {
    ViewServings = recipe.servings;
    ViewServingType = recipe.servingType;
    if (LexiconAccess* lexicon = Lexicon()) lexicon->SetLexiconRecipe(recipe);
    if (SeasonAccess* season = Season()) season->SetSeasonRecipe(recipe);
    SetRecipeServings(recipe.servings);
  }
  if (HtmlMode && Browser) {
    // A missing template is said once, not at every recipe the list shows.
    if (!ViewTemplateFound()) {
      if (!templateMissingSaid_) MessageBox(GetLangText(124), GetLangText(15), MB_OK);
      templateMissingSaid_ = true;
      Browser->clear();
      return;
    }
    templateMissingSaid_ = false;
    const bool written = ExportPreview(run, true);
    const QUrl url = QUrl::fromLocalFile(toQ(NativePath(PreviewFilePath(true))));
    if (!written) {
      Browser->clear();
    } else if (Browser->source() == url) {
      Browser->reload();
    } else {
      Browser->setSource(url);
    }
  } else {
    ExportPreview(run, false);
    LoadTextView();
  }
  if (LangDlg) LangDlg->TranslateMenu("HTMLRezDlg", PopupMnu);
}

void THTMLRezDlg::RefreshHTMLView() {
  RenderRecipeView(ListPosition);
}

void THTMLRezDlg::ApplyHTMLViewMode() {
  if (Browser) HtmlMode = !ctx().options || ctx().options->Flag(19);
  RenderRecipeView(ListPosition);
  ShowForm();
}

void THTMLRezDlg::CopyHTMLSelection() {
  if (HtmlMode && Browser)
    Browser->copy();
  else
    ViewText->copy();
}

void THTMLRezDlg::LoadTextView() {
  const std::string path = NativePath(PreviewFilePath(false));
  std::vector<TemplatePiece> pieces;
  // A file that could not be written leaves no older recipe on screen.
  if (!ReadTemplatePieces(path, pieces)) {
    ViewText->clear();
    return;
  }
  // A line of more than 988 characters arrives in pieces, each a line of its own.
  std::string text;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) text += '\n';
    text += pieces[i].text;
  }
  ViewText->setPlainText(toQ(text));
  RemoveFile(path);
}

void THTMLRezDlg::editMnuClick() {
  EditSelectedFromView();
}

void THTMLRezDlg::showLexikonMnuClick() {
  ShowLexiconOfShownRecipe();
}

void THTMLRezDlg::ZeigeRezeptinStandarddarstellung1Click() {
  ChooseView("ViewStd");
}

void THTMLRezDlg::showPrintMnuClick() {
  ChooseView("ViewPrint");
}

void THTMLRezDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Win_HTMLView.htm");
}

void THTMLRezDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (auto* main = MainWindow()) main->UpdateClipboardMenu();
}

bool THTMLRezDlg::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == ViewText || watched == Browser) &&
      (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
    if (auto* main = MainWindow()) main->UpdateClipboardMenu();
  return QWidget::eventFilter(watched, event);
}

}  // namespace tav
