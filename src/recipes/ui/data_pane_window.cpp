#include "recipes/ui/data_pane_window.h"

#include <QLabel>
#include <QSplitter>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_list_view.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/servings.h"
#include "recipes/recipe_view.h"
#include "recipes/ui/info_pane_window.h"
#include "recipes/ui/ingredient_pane_window.h"
#include "recipes/ui/key_figures_dialog.h"
#include "recipes/ui/lexicon_access.h"
#include "recipes/ui/season_access.h"
#include "recipes/ui/standard_view_window.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/ui/context_list_box.h"
#include "services/ui/elided_label.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TDataRezDlg* DataRezDlg = nullptr;

namespace {

bool SearchMode() {
  return ctx().recipeList && ctx().recipeList->IsSearchMode();
}

int16_t CurrentBookId() {
  if (ctx().books) return ctx().books->GetAktKBookId();
  return ctx().dbList ? ctx().dbList->BookId() : 0;
}

// The text field shows line feeds only.
QString PlainText(const std::string& text) {
  QString t = toQ(text);
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return t;
}

}  // namespace

TDataRezDlg::TDataRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  DataRezDlg = this;
  setObjectName(QStringLiteral("DataRezDlg"));
  ClearRezBlock(ShownRecipe);

  // A long title is cut, so it never takes width from the recipe list beside the view.
  RezTitle = new ElidedLabel(toQ("  Bezeichnung"));
  RezTitle->setObjectName(QStringLiteral("RezTitle"));
  QFont title(QStringLiteral("Arial"));
  title.setPointSizeF(font().pointSizeF() * 1.35);
  title.setBold(true);
  RezTitle->setFont(title);
  RezTitle->setStyleSheet(
      QStringLiteral("QLabel#RezTitle { background: #1c2f66; color: #ffd21f; padding: 5px 6px; }"));
  RezTitle->setTextInteractionFlags(Qt::TextSelectableByMouse);

  ZutatPanel = DockPanel("ZutatPanel");
  InfoDatPanel = DockPanel("InfoDatPanel");
  ZutatPanel->setMinimumWidth(3);
  InfoDatPanel->setMinimumWidth(3);
  DataSplit = new QSplitter(Qt::Horizontal);
  DataSplit->setObjectName(QStringLiteral("DataSplit"));
  DataSplit->setChildrenCollapsible(false);
  DataSplit->setHandleWidth(5);
  DataSplit->addWidget(ZutatPanel);
  DataSplit->addWidget(InfoDatPanel);
  DataSplit->setStretchFactor(0, 0);
  DataSplit->setStretchFactor(1, 1);
  DataSplit->setSizes({fontMetrics().averageCharWidth() * 40, 600});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(RezTitle);
  layout->addWidget(DataSplit, 1);
  OnCreate();
}

void TDataRezDlg::OnCreate() {
  if (showRezDlg) DockInto(this, showRezDlg->DataParPanel);
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TDataRezDlg::ShowRecipe(int item, bool force) {
  TdbList* store = ctx().dbList;
  const bool search = SearchMode();
  REZINDEX entry;
  const bool listed = store && store->GetListEntry(entry, item);
  const int16_t book = search ? entry.bookId : CurrentBookId();
  // Positions change when the list is refilled; the recipe's key does not.
  if (!force && listed && shownNumber_ >= 0 && book == shownBook_ &&
      entry.number == shownNumber_) {
    DataItem = item;
    return;
  }
  DataItem = item;

  bool read = false;
  if (!store || (search && !listed)) {
    ClearRezBlock(ShownRecipe);
  } else if (search) {
    read = store->ReadRezBlockByKey(entry.bookId, entry.number, ShownRecipe);
  } else {
    read = store->ReadRezBlock(std::string(), nullptr, item, ShownRecipe);
  }
  ShownRecipe.bookId = book;
  shownBook_ = book;
  shownNumber_ = read ? entry.number : -1;

  if (LexiconAccess* lexicon = Lexicon()) lexicon->SetLexiconRecipe(ShownRecipe);
  if (SeasonAccess* season = Season()) season->SetSeasonRecipe(ShownRecipe);
  ScaleToChosenServings(ShownRecipe);

  const std::string bookName = search && ctx().books ? ctx().books->GetKBookName(book) : "";
  RezTitle->setText(toQ(ShownRecipeTitle(ShownRecipe, search ? bookName : std::string())));
  if (InfoRezDlg) {
    InfoRezDlg->FillKeyFigureGrid(this);
    InfoRezDlg->ShowInfoPicture();
    // The lexicon page follows the recipe.
    if (InfoRezDlg->InfoPageNo == 2) {
      if (LexiconAccess* lexicon = Lexicon()) {
        lexicon->UpdateRecipeLexiconTerms(true);
        lexicon->CopyLexiconTermList(InfoRezDlg->LexListLiBo);
      }
      InfoRezDlg->ResetLexiconPage();
    }
  }
  if (ZutatRezDlg) ZutatRezDlg->FillIngredientPane(this);

  const int remarkMode = KenndatenDlg ? KenndatenDlg->GetRemarkShowMode(0) : 0;
  const std::string user = ctx().options ? ctx().options->Str(10) : std::string();
  if (showRezDlg)
    showRezDlg->RezTextRtf->setPlainText(
        PlainText(ShownRecipeText(ShownRecipe, remarkMode, user)));
}

void TDataRezDlg::RedisplayCurrentRecipe(int servings) {
  SetChosenServings(servings);
  // The shown recipe's entry may stand elsewhere after a refill of the list.
  int item = DataItem;
  if (TdbList* store = ctx().dbList; store && shownNumber_ >= 0) {
    const int at = SearchMode() ? store->FindSearchEntry(shownBook_, shownNumber_)
                                : store->FindIndexEntry(shownBook_, shownNumber_);
    if (at >= 0) item = at;
  }
  ShowRecipe(item, true);
}

std::string TDataRezDlg::GetShownPictureName() const {
  return ShownRecipe.pictures.empty() ? std::string() : ShownRecipe.pictures.front().name;
}

}  // namespace tav
