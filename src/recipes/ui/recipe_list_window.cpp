#include "recipes/ui/recipe_list_window.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/servings.h"
#include "recipedb/shopping_list_access.h"
#include "recipes/recipe_list_commands.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/empty_view_window.h"
#include "recipes/ui/menu_planner_access.h"
#include "recipes/ui/power_search_dialog.h"
#include "recipes/ui/recipe_editor_window.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/recipe_list_export_access.h"
#include "recipes/ui/recipe_output_views.h"
#include "recipes/ui/standard_view_window.h"
#include "recipes/ui/week_plan_access.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/diary_access.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"

namespace tav {

TChooseRezDlg* ChooseRezDlg = nullptr;

namespace {

QAction* NamedAction(QMenu* menu, const char* name, const char* caption) {
  QAction* a = menu->addAction(QString::fromUtf8(caption));
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

// The quick-search buttons' pictures: arrows down and up, and the two search modes (the text
// anywhere in the title, or at its start).
QIcon SearchIcon(int kind) {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink(40, 40, 110);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  if (kind == 0 || kind == 1) {
    QPolygonF arrow;
    if (kind == 0)
      arrow << QPointF(3, 5) << QPointF(13, 5) << QPointF(8, 12);
    else
      arrow << QPointF(3, 11) << QPointF(13, 11) << QPointF(8, 4);
    p.drawPolygon(arrow);
  } else {
    QFont f = QApplication::font();
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(ink);
    if (kind == 2) {  // anywhere: the letters between dots
      p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("\u00B7a\u00B7"));
    } else {  // title start: a bar before the letters
      p.drawLine(QPointF(2.5, 3), QPointF(2.5, 13));
      p.drawText(QRectF(3, 0, 13, 16), Qt::AlignCenter, QStringLiteral("a\u00B7"));
    }
  }
  return QIcon(pm);
}

// --- what the pane asks of the standard view ---------------------------------------------------

void ViewShowRecipe(int item, bool force) {
  if (DataRezDlg) DataRezDlg->ShowRecipe(item, force);
}

void ViewSetItem(int item) {
  if (showRezDlg) showRezDlg->SetStdViewItem(item);
}

bool ViewShowsItem(int item) {
  return showRezDlg && showRezDlg->isVisible() && showRezDlg->GetStdViewItem() == item;
}

}  // namespace

TChooseRezDlg::TChooseRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  ChooseRezDlg = this;
  setObjectName(QStringLiteral("ChooseRezDlg"));
  setWindowTitle(QStringLiteral("Rezeptliste"));

  RezTitle = Named<QLabel>(this, "RezTitle");
  RezTitle->setText(QStringLiteral("  Rezeptliste"));
  // Bold yellow Arial on dark blue, as the title bar of the recipe on screen beside it.
  QFont titleFont(QStringLiteral("Arial"));
  titleFont.setPointSizeF(font().pointSizeF() * 1.35);
  titleFont.setBold(true);
  RezTitle->setFont(titleFont);
  RezTitle->setStyleSheet(
      QStringLiteral("QLabel#RezTitle { background: #1c2f66; color: #ffd21f; padding: 5px 2px; }"));
  GattLiBo = Named<QComboBox>(this, "GattLiBo");
  GattLiBo->setMaxVisibleItems(40);
  GattLiBo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  GattLiBo->setMinimumContentsLength(8);
  SearchTxt = Named<QLabel>(this, "SearchTxt");
  SearchTxt->setText(QStringLiteral("Suche:"));
  SearchEdt = Named<QLineEdit>(this, "SearchEdt");
  SearchEdt->setClearButtonEnabled(true);
  QSDownBtn = Named<QToolButton>(this, "QSDownBtn");
  QSUpBtn = Named<QToolButton>(this, "QSUpBtn");
  QSAllBtn = Named<QToolButton>(this, "QSAllBtn");
  QSLeftBtn = Named<QToolButton>(this, "QSLeftBtn");
  const QIcon icons[4] = {SearchIcon(0), SearchIcon(1), SearchIcon(2), SearchIcon(3)};
  QToolButton* buttons[4] = {QSDownBtn, QSUpBtn, QSAllBtn, QSLeftBtn};
  for (int k = 0; k < 4; ++k) {
    buttons[k]->setIcon(icons[k]);
    buttons[k]->setAutoRaise(true);
    buttons[k]->setFocusPolicy(Qt::NoFocus);
  }
  QSLeftBtn->hide();
  ChooseLiBo = Named<TRecipeListBox>(this, "ChooseLiBo");

  auto* search = new QHBoxLayout;
  search->setContentsMargins(2, 2, 1, 2);
  search->setSpacing(2);
  search->addWidget(SearchTxt);
  search->addWidget(SearchEdt, 1);
  search->addWidget(QSDownBtn);
  search->addWidget(QSUpBtn);
  search->addWidget(QSAllBtn);
  search->addWidget(QSLeftBtn);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(RezTitle);
  layout->addWidget(GattLiBo);
  layout->addLayout(search);
  layout->addWidget(ChooseLiBo, 1);

  BuildPopupMenu();
  ChooseLiBo->SetPopupMenu(ChooseMnu);
  ChooseLiBo->OnRowClick = [this] { ChooseLiBoaClick(); };
  ChooseLiBo->OnKeyMove = [this] { ChooseLiBoaClick(); };
  ChooseLiBo->OnKey = [this](QKeyEvent* e) { return ChooseLiBoaKeyPress(e); };
  ChooseLiBo->OnShoppingListDrop = [] {
    if (ShoppingListAccess* list = ShoppingListPane()) list->RemoveKaufListEntry();
  };
  connect(ChooseLiBo, &QAbstractItemView::doubleClicked, this, [this] { EditRezMnuClick(); });
  connect(GattLiBo, &QComboBox::activated, this, [this] { GattLiBoChange(); });
  connect(SearchEdt, &QLineEdit::textEdited, this, [this] { SearchEdtChange(); });
  connect(QSDownBtn, &QToolButton::clicked, this, [this] { QSDownBtnClick(); });
  connect(QSUpBtn, &QToolButton::clicked, this, [this] { QSUpBtnClick(); });
  connect(QSAllBtn, &QToolButton::clicked, this, [this] { QSBtnClick(); });
  connect(QSLeftBtn, &QToolButton::clicked, this, [this] { QSBtnClick(); });

  // Creation: dock into the left pane, the filter on all recipes, then the texts.
  if (auto* main = MainWindow()) {
    main->DockForm(this, main->PaneOf(MainPane::RecipeList));
    setVisible(true);
  }
  ctx().recipeList = this;
  FillRecipeFilterCombo();
  SetCategoryIndex(0);
  if (LangDlg) {
    LangDlg->TranslateForm(this);
    LangDlg->TranslateMenu("ChooseRezDlg", ChooseMnu);
  }
  QSDownBtn->setToolTip(toQ(GetLangText(588)));
  QSUpBtn->setToolTip(toQ(GetLangText(589)));
  QSAllBtn->setToolTip(toQ(GetLangText(590)));
  QSLeftBtn->setToolTip(toQ(GetLangText(769)));
}

TChooseRezDlg::~TChooseRezDlg() {
  if (ctx().recipeList == this) ctx().recipeList = nullptr;
  if (ChooseRezDlg == this) ChooseRezDlg = nullptr;
}

void TChooseRezDlg::BuildPopupMenu() {
  ChooseMnu = new QMenu(this);
  ChooseMnu->setObjectName(QStringLiteral("ChooseMnu"));
  QMenu* m = ChooseMnu;
  connect(NamedAction(m, "OpenRezMnu", "Rezept &öffnen"), &QAction::triggered, this,
          [this] { OpenRezMnuClick(); });
  QAction* edit = NamedAction(m, "EditRezMnu", "Rezept ändern");
  connect(edit, &QAction::triggered, this, [this] { EditRezMnuClick(); });
  m->setDefaultAction(edit);
  connect(NamedAction(m, "DelRezMnu", "Rezept löschen"), &QAction::triggered, this,
          [this] { DeleteSelectedRecipes(); });
  m->addSeparator()->setObjectName(QStringLiteral("N1"));
  connect(NamedAction(m, "NewRezMnu", "&Neues Rezept eingeben"), &QAction::triggered, this,
          [this] { NewRezMnuClick(); });
  m->addSeparator()->setObjectName(QStringLiteral("N3"));
  connect(NamedAction(m, "AddKListe", "Auf die Einkaufsliste"), &QAction::triggered, this,
          [this] { AddSelectedToKaufList(); });
  QAction* titles = NamedAction(m, "ExportMnu", "Rezeptliste &exportieren");
  connect(titles, &QAction::triggered, this, [] {
    if (RecipeListExport* window = TitleListExport()) window->ShowRecipeListExport();
  });
  // The title list window is made after this pane: the item follows it when the menu opens.
  titles->setEnabled(false);
  connect(m, &QMenu::aboutToShow, this,
          [titles] { titles->setEnabled(TitleListExport() != nullptr); });
  m->addSeparator()->setObjectName(QStringLiteral("N4"));
  connect(NamedAction(m, "markRez", "Selektierte Rezepte (de-)markieren"), &QAction::triggered,
          this, [this] { MarkSelectedRecipes(0); });
  connect(NamedAction(m, "markAllRez", "Alle Rezepte markieren"), &QAction::triggered, this,
          [this] { MarkSelectedRecipes(1); });
  connect(NamedAction(m, "demarkAllRez", "Alle Markierungen entfernen"), &QAction::triggered,
          this, [this] { MarkSelectedRecipes(2); });
  m->addSeparator()->setObjectName(QStringLiteral("N2"));
  connect(NamedAction(m, "HelpMnu", "Hilfe zur Rezept-Auswahlliste"), &QAction::triggered, this,
          [this] { HelpMnuClick(); });
}

// --- what the recipe store asks -------------------------------------------------------------

bool TChooseRezDlg::IsSearchMode() const { return GattLiBo->currentIndex() == 1; }

void TChooseRezDlg::SetCategoryIndex(int index) {
  const QSignalBlocker quiet(GattLiBo);
  GattLiBo->setCurrentIndex(index);
  categoryIndex_ = GattLiBo->currentIndex();
}

void TChooseRezDlg::BeginFill() {
  listHadFocus_ = ChooseLiBo->hasFocus();
  if (listHadFocus_) GattLiBo->setFocus();
  ChooseLiBo->setUpdatesEnabled(false);
  filling_ = true;
  ChooseLiBo->Model()->BeginRefill();
}

void TChooseRezDlg::EndFill() {
  ChooseLiBo->Model()->Rows().Sort();
  ChooseLiBo->Model()->EndRefill();
  filling_ = false;
  ChooseLiBo->setUpdatesEnabled(true);
  if (listHadFocus_) ChooseLiBo->setFocus();
}

void TChooseRezDlg::ClearRecipeList() {
  if (filling_) {
    ChooseLiBo->Model()->Rows().Clear();
    if (ctx().dbList) ChooseLiBo->Model()->Rows().Reserve(ctx().dbList->BookIndex().size());
    return;
  }
  ChooseLiBo->Model()->BeginRefill();
  ChooseLiBo->Model()->Rows().Clear();
  ChooseLiBo->Model()->EndRefill();
}

void TChooseRezDlg::AddRecipeListItem(const REZINDEX* entry, int index) {
  if (!entry || entry->deleted != 0) return;
  if (filling_)
    ChooseLiBo->Model()->Rows().Append(entry->Title(), index);
  else
    ChooseLiBo->Model()->InsertRow(entry->Title(), index);
}

void TChooseRezDlg::ForgetShownRecipe() { ShownItem = -1; }

void TChooseRezDlg::ProcessMessages() {
  // Paint the progress window; no user input while the book's index is half loaded.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// --- the list -------------------------------------------------------------------------------

int TChooseRezDlg::Count() const { return ChooseLiBo->Count(); }
int TChooseRezDlg::CurrentRow() const { return ChooseLiBo->CurrentRow(); }
int TChooseRezDlg::ItemData(int row) const { return ChooseLiBo->ItemData(row); }
bool TChooseRezDlg::IsSelected(int row) const { return ChooseLiBo->IsSelected(row); }
std::vector<int> TChooseRezDlg::SelectedRows() const { return ChooseLiBo->SelectedRows(); }

bool TChooseRezDlg::RowEntry(int row, REZINDEX& out) const {
  return ChooseLiBo->Model()->Entry(row, out);
}

void TChooseRezDlg::SelectOnly(int row) {
  ChooseLiBo->SelectAll(false);
  ChooseLiBo->SetSelected(row, true);
  ChooseLiBo->SetCurrentRow(row);
}

int TChooseRezDlg::SelectedCurrentRow() const {
  const int row = CurrentRow();
  return IsSelected(row) ? row : -1;
}

void TChooseRezDlg::RemoveRow(int row) { ChooseLiBo->Model()->RemoveRow(row); }

// --- filling --------------------------------------------------------------------------------

void TChooseRezDlg::FillRecipeFilterCombo() {
  const int position = GattLiBo->currentIndex();
  const QString text = GattLiBo->currentText();
  const QSignalBlocker quiet(GattLiBo);
  GattLiBo->clear();
  // The two fixed entries stay in front; the main categories follow in dictionary order.
  GattLiBo->addItem(toQ(GetLangText(347)));
  GattLiBo->addItem(toQ(GetLangText(348)));
  std::vector<std::string> names;
  if (ctx().categories) ctx().categories->FillMainGattCombo(names);
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CompareTextNoCase(a, b) < 0;
  });
  for (const std::string& n : names) GattLiBo->addItem(toQ(n));
  int select = -1;
  for (int i = 0; i < GattLiBo->count(); ++i)
    if (GattLiBo->itemText(i) == text) select = i;
  if (select < 0) select = position;
  GattLiBo->setCurrentIndex(select < GattLiBo->count() ? select : -1);
  categoryIndex_ = GattLiBo->currentIndex();
}

void TChooseRezDlg::RefreshRecipeList() {
  const int p = GattLiBo->currentIndex();
  ClearRecipeList();
  TdbList* store = ctx().dbList;
  if (store) {
    if (p == 0) {
      store->FillRecipeList(0);
    } else if (p == 1) {
      if (store->CountSearchResult() != 0) {
        store->FillRecipeList(-1);
      } else if (EditorAgrees(true)) {
        // Without waiting: the search shows its result in this list when it ends.
        if (PSearchDlg) PSearchDlg->show();
        if (auto* main = MainWindow()) main->UpdateRecipeButtons();
      }
    } else if (p >= 2 && ctx().categories) {
      uint16_t ids[10] = {};
      if (ctx().categories->GetGattIds(fromQ(GattLiBo->itemText(p)), ids))
        store->FillRecipeList(ids[0]);
    }
  }
  ShownItem = -1;
}

void TChooseRezDlg::GattLiBoChange() {
  // A new filter replaces the recipe on screen: the editor's question comes first, and Cancel
  // puts the filter back.
  if (!EditorAgrees(true)) {
    SetCategoryIndex(categoryIndex_);
    return;
  }
  categoryIndex_ = GattLiBo->currentIndex();
  // The editor goes first, so that choosing an empty search result does not ask again.
  ShowEmptyView();
  RefreshRecipeList();
}

// --- showing --------------------------------------------------------------------------------

bool TChooseRezDlg::EditorAgrees(bool reselect) {
  return !EditRezDlg || EditRezDlg->AskSaveChanges(reselect);
}

void TChooseRezDlg::ShowEmptyView() {
  if (auto* main = MainWindow()) main->ShowEmptyView(EmptyDlg, true);
}

void TChooseRezDlg::ChooseLiBoaClick() {
  if (KeySelect == 0) ShowSelectedRecipe(false);
}

void TChooseRezDlg::ShowSelectedRecipe(bool force) {
  const int pos = CurrentRow();
  if (!force) {
    if (!EditorAgrees(false)) {
      const int back = ChooseLiBo->Model()->Rows().RowOfItem(ShownItem);
      if (back >= 0) SelectOnly(back);
      return;
    }
    if (ItemData(pos) == ShownItem) return;  // that recipe is on screen
  }
  if (pos >= 0) {
    ChooseLiBo->SetSelected(pos, true);
    ChooseLiBo->SetCurrentRow(pos);
  }
  ShownItem = ItemData(pos);
  REZINDEX e;
  if (ctx().dbList && ctx().dbList->GetListEntry(e, ShownItem) && (e.flags & kRecipeMenu)) {
    MenuShown = 1;
    if (MenuPlannerAccess* planner = MenuPlanner()) {
      REZBLOCK menu;
      ClearRezBlock(menu);
      const bool read = IsSearchMode()
                            ? ctx().dbList->ReadRezBlockByKey(e.bookId, e.number, menu)
                            : ctx().dbList->ReadRezBlock(std::string(), nullptr, ShownItem, menu);
      menu.bookId = e.bookId;
      if (read) planner->OpenMenuPlan(&menu, false);
    }
    if (EmptyDlg) EmptyDlg->LoadViewBackground("Hintergrund.bmp");
    ShowEmptyView();
    return;
  }
  MenuShown = 0;
  if (pos == -1)
    ShowEmptyView();
  else
    ShowByViewMode(force);
  if (auto* main = MainWindow()) main->UpdateRecipeButtons();
}

void TChooseRezDlg::ShowByViewMode(bool force) {
  switch (ViewMode) {
    case 1: ShowInStandardView(true, force); break;
    case 2: ShowInHTMLView(true); break;
    case 4: ShowInPrintView(true); break;
    default: break;
  }
}

void TChooseRezDlg::ShowInStandardView(bool followRecipeServings, bool force) {
  ViewMode = 1;
  const int row = SelectedCurrentRow();
  if (MenuShown || row < 0) return;
  if (auto* main = MainWindow()) main->ShowStandardView(showRezDlg, true);
  const int item = ItemData(row);
  ShownItem = item;
  ViewSetItem(item);
  if (followRecipeServings) SetChosenServings(-2);
  ViewShowRecipe(item, force || !followRecipeServings);
}

void TChooseRezDlg::ShowInHTMLView(bool followRecipeServings) {
  ViewMode = 2;
  const int row = SelectedCurrentRow();
  if (MenuShown || row < 0) return;
  ShownItem = ItemData(row);
  if (followRecipeServings) SetChosenServings(-2);
  RecipeOutputView* view = OutputView(OutputViewKind::HTML);
  if (view) view->ShowListRecipe(ShownItem);
  if (auto* main = MainWindow()) main->ShowHTMLView(view ? view->ViewWidget() : nullptr, true);
}

void TChooseRezDlg::ShowInPrintView(bool followRecipeServings) {
  ViewMode = 4;
  const int row = SelectedCurrentRow();
  if (MenuShown || row < 0) return;
  RecipeOutputView* view = OutputView(OutputViewKind::Print);
  if (auto* main = MainWindow()) main->ShowPrintView(view ? view->ViewWidget() : nullptr, true);
  ShownItem = ItemData(row);
  if (followRecipeServings) SetChosenServings(-2);
  if (view) view->ShowListRecipe(ShownItem);
}

void TChooseRezDlg::RefreshShownRecipe() {
  if (ViewMode == 1) {
    const int item = ItemData(CurrentRow());
    ViewSetItem(item);
    ViewShowRecipe(item, true);
  }
  if (auto* main = MainWindow()) main->UpdateRecipeButtons();
}

void TChooseRezDlg::SelectRecipeListEntry(const REZINDEX& entry) {
  int found = -1;
  REZINDEX e;
  for (int row = 0; row < Count() && found < 0; ++row)
    if (RowEntry(row, e) && e.offset == entry.offset) found = row;
  const std::string title = entry.Title();
  for (int row = 0; row < Count() && found < 0; ++row)
    if (RowEntry(row, e) && e.Title() == title) found = row;
  if (found < 0) return;
  SelectOnly(found);
  ShownItem = ItemData(found);
}

// --- navigating -----------------------------------------------------------------------------

void TChooseRezDlg::NavigateRecipe(int how) {
  const std::vector<int> selected = SelectedRows();
  if (selected.size() >= 2 && (how == 2 || how == 3)) return;
  const int n = Count();
  if (n == 0) return;
  int d = -1;
  if (how == 2 || how == 3) {
    if (selected.empty()) return;
    d = selected.back();
  }
  if (!EditorAgrees(true)) return;
  int target = 0;
  switch (how) {
    case 0: target = n - 1; break;
    case 1: target = 0; break;
    case 2: target = d > 0 ? d - 1 : d; break;
    case 3: target = d < n - 1 ? d + 1 : d; break;
    default: target = std::rand() % n; break;
  }
  SelectOnly(target);
  ShowByViewMode(false);
  if (auto* main = MainWindow()) main->UpdateRecipeButtons();
}

void TChooseRezDlg::JumpToRecipe(int16_t book, int32_t number, bool keepFilter, int servings) {
  if (!EditorAgrees(true)) return;
  // The recipe on screen before the jump: another one is shown for its own servings.
  REZINDEX before;
  const bool wasShown = ctx().dbList && ctx().dbList->GetListEntry(before, ShownItem);
  MenuShown = 0;
  if (keepFilter) {
    SelectAllRecipes(false);
  } else {
    SetCategoryIndex(0);
    RefreshRecipeList();
    const int16_t current = ctx().books ? ctx().books->GetAktKBookId() : 0;
    if (book != current) {
      // A book that no longer exists has nothing to show.
      const std::string name = ctx().books ? ctx().books->GetKBookName(book) : std::string();
      MainWindowAccess* main = MainWindow();
      if (name.empty() || !main) return;
      main->OpenBook(name);
    }
  }
  // Book and number together name a recipe: the search result holds recipes of many books.
  int first = -1;
  REZINDEX e;
  for (int row = 0; row < Count(); ++row) {
    if (!RowEntry(row, e) || e.bookId != book || e.number != number) continue;
    ChooseLiBo->SetSelected(row, true);
    if (first < 0) first = row;
  }
  if (first >= 0) ChooseLiBo->SetCurrentRow(first);
  // Servings the user chose stay with the recipe they were chosen for (the view switch below
  // keeps them); a different recipe follows its own, as when it is clicked.
  if (servings > 0)
    SetChosenServings(servings);
  else if (!wasShown || before.bookId != book || before.number != number)
    SetChosenServings(-2);
  MainWindowAccess* main = MainWindow();
  if (Count() > 0 && main) {
    main->SetViewMode(0);
    main->UpdateRecipeButtons();
  }
}

void TChooseRezDlg::QuickSearch(int direction) {
  const std::string text = UpperCaseAnsi(fromQ(SearchEdt->text()));
  REZINDEX e;
  if (text.empty()) {
    if (Count() > 0 && RowEntry(0, e)) JumpToRecipe(e.bookId, e.number, true);
    SetSearchColour(0);
    return;
  }
  const int cur = CurrentRow();
  const int start = direction == -1 ? -1 : cur;
  const int found = ChooseLiBo->Model()->Rows().Find(text, start, direction == 1,
                                                      !QSLeftBtn->isHidden());
  if (found < 0) {
    SetSearchColour(2);
    return;
  }
  SetSearchColour(1);
  // The list may stand on a row it has not selected (the focus alone makes a row current):
  // a match there is selected and shown as well.
  if ((found != cur || !IsSelected(found)) && RowEntry(found, e))
    JumpToRecipe(e.bookId, e.number, true);
}

void TChooseRezDlg::SetSearchColour(int state) {
  QPalette pal = SearchEdt->palette();
  if (state == 0)
    pal.setColor(QPalette::Base, palette().color(QPalette::Base));
  else
    pal.setColor(QPalette::Base, state == 1 ? QColor(238, 255, 238) : QColor(255, 238, 238));
  SearchEdt->setPalette(pal);
}

void TChooseRezDlg::QSBtnClick() {
  const bool startOnly = QSLeftBtn->isHidden();  // the mode the click switches to
  QSAllBtn->setHidden(startOnly);
  QSLeftBtn->setHidden(!startOnly);
  QuickSearch(-1);
}

void TChooseRezDlg::SelectAllRecipes(bool select) {
  if (Count() == 0) return;
  ChooseLiBo->setUpdatesEnabled(false);
  const int top = ChooseLiBo->verticalScrollBar()->value();
  ChooseLiBo->SelectAll(select);
  ChooseLiBo->verticalScrollBar()->setValue(top);
  ChooseLiBo->setUpdatesEnabled(true);
}

// --- keys -----------------------------------------------------------------------------------

bool TChooseRezDlg::ChooseLiBoaKeyPress(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Space:
      KeySelect = 1;
      MarkSelectedRecipes(0);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      KeySelect = 1;
      if (EditorAgrees(true)) {
        EditSelectedRecipe(false);
        if (auto* main = MainWindow()) main->UpdateRecipeButtons();
      }
      return true;
    case Qt::Key_Delete:
      KeySelect = 0;
      DeleteSelectedRecipes();
      if (auto* main = MainWindow()) main->UpdateRecipeButtons();
      return true;
    default:
      // A typed character lets the list jump to the next title with that initial, which shows
      // nothing; every other key shows what it selects.
      KeySelect = !e->text().isEmpty() && e->text().at(0).isPrint() ? 1 : 0;
      return false;
  }
}

// --- commands -------------------------------------------------------------------------------

void TChooseRezDlg::OpenRezMnuClick() { EditorAgrees(true); }

void TChooseRezDlg::EditRezMnuClick() {
  // A menu opens in the menu planner with its editor instead.
  if (MenuPlannerAccess* planner = MenuPlanner(); planner && planner->OpenSelectedMenuRecipe())
    return;
  if (!EditorAgrees(true)) return;
  EditSelectedRecipe(false);
  if (auto* main = MainWindow()) main->UpdateRecipeButtons();
}

void TChooseRezDlg::EditSelectedRecipe(bool setMode) {
  (void)setMode;  // the list's view mode stays as it is
  const int row = SelectedCurrentRow();
  if (row < 0 || !EditRezDlg) return;
  EditRezDlg->ShowEditView(true);
  EditRezDlg->LoadRecipeForEdit(ItemData(row));
}

void TChooseRezDlg::NewRezMnuClick() {
  if (!EditorAgrees(true) || !EditRezDlg) return;
  EditRezDlg->ShowEditView(true);
  StartNewRecipe();
}

void TChooseRezDlg::StartNewRecipe() {
  if (EditRezDlg) EditRezDlg->NewRecipe();
}

void TChooseRezDlg::HelpMnuClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Win_ChooseRez.htm");
}

bool TChooseRezDlg::DeleteSelectedRecipes() {
  if (!EditorAgrees(true)) return false;
  const std::vector<int> selected = SelectedRows();
  const size_t n = selected.size();
  if (n == 0) return false;
  std::string question;
  if (n == 1) {
    REZINDEX e;
    RowEntry(selected.front(), e);
    question = GetLangText(e.flags & kRecipeMenu ? 685 : 571) + " '" + e.Title() + "'\n";
  } else {
    question = std::to_string(n) + GetLangText(570);
  }
  question += GetLangText(572);
  if (ctx().options && ctx().options->Flag(18) &&
      MessageBox(question, GetLangText(17), MB_YESNO | MB_ICONQUESTION) != IDYES)
    return false;
  DeleteRows([this](int row) { return IsSelected(row); });
  ShowEmptyView();
  return true;
}

void TChooseRezDlg::DeleteRows(const std::function<bool(int row)>& chosen) {
  const DeferredBookSyncs syncs;  // one sync of the book's files for all of them
  ChooseLiBo->setUpdatesEnabled(false);
  for (int i = 0; i < Count();) {
    const int before = Count();
    // A row that left the list is followed by the next one at the same place.
    if (chosen(i)) ToggleRecipeDeleted(i);
    if (Count() == before) ++i;
  }
  ChooseLiBo->setUpdatesEnabled(true);
}

bool TChooseRezDlg::ToggleRecipeDeleted(int position) {
  const int item = ItemData(position);
  if (item < 0 || !ctx().dbList) return false;
  int16_t book = 0;
  int32_t number = 0;
  const bool deleted = FlipRecipeDeleted(*ctx().dbList, IsSearchMode(), item, book, number);
  RemoveRow(position);
  const bool edited = EditRezDlg && EditRezDlg->isVisible() && EditRezDlg->GetEditListIndex() == item;
  if (ViewShowsItem(item) || edited) ShowEmptyView();
  if (ShoppingListAccess* list = ShoppingListPane()) list->RemoveFromKaufList(book, number);
  return deleted;
}

void TChooseRezDlg::DeleteRecipeByKey(int16_t book, int32_t number) {
  if (!EditorAgrees(true)) return;
  REZINDEX e;
  for (int row = 0; row < Count(); ++row) {
    if (!RowEntry(row, e) || e.bookId != book || e.number != number) continue;
    if (ToggleRecipeDeleted(row)) return;
  }
}

void TChooseRezDlg::AddSelectedToMenu() {
  MenuPlannerAccess* planner = MenuPlanner();
  if (!planner) return;
  REZINDEX e;
  for (int row : SelectedRows())
    if (RowEntry(row, e)) planner->AddRecipeToMenu(e);
}

void TChooseRezDlg::MarkSelectedRecipes(int mode) {
  if (Count() == 0 || !ctx().dbList) return;
  const DeferredBookSyncs syncs;  // one sync of the book's files for all of them
  const bool hadFocus = ChooseLiBo->hasFocus();
  if (hadFocus) GattLiBo->setFocus();
  const bool search = IsSearchMode();
  for (int row = 0; row < Count(); ++row)
    if (mode != 0 || IsSelected(row)) ChangeRecipeMark(*ctx().dbList, search, ItemData(row), mode);
  ChooseLiBo->viewport()->update();
  if (hadFocus) ChooseLiBo->setFocus();
}

int TChooseRezDlg::AddSelectedToDiary(int day, int month, int year) {
  DiaryAccess* diary = Diary();
  if (!diary) return 0;
  int added = 0;
  REZINDEX e;
  for (int row : SelectedRows())
    if (RowEntry(row, e) && diary->AddRecipeToDay(day, month, year, e.bookId, e.number)) ++added;
  return added;
}

void TChooseRezDlg::AddSelectedToKaufList() {
  ShoppingListAccess* list = ShoppingListPane();
  REZINDEX e;
  for (int row : SelectedRows())
    if (list && RowEntry(row, e)) list->AddToKaufList(e, -1);
}

void TChooseRezDlg::AddSelectedToWeekPlan() {
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  if (rows.size() > 20) {
    MessageBox(GetLangText(29), GetLangText(17), MB_OK);
    return;
  }
  WeekPlanAccess* plan = WeekPlanPane();
  if (!plan) return;
  REZINDEX e;
  for (int row : rows)
    if (RowEntry(row, e)) plan->AddRecipeToWeekPlan(&e);
  plan->AddRecipeToWeekPlan(nullptr);
}

void TChooseRezDlg::ResetSearchResult() {
  if (ctx().dbList) ctx().dbList->ClearSearchResult();
}

void TChooseRezDlg::AddToSearchResult(const REZINDEX& entry) {
  if (ctx().dbList) ctx().dbList->AddSearchEntry(entry);
}

void TChooseRezDlg::ShowSearchResult() {
  SetCategoryIndex(1);
  RefreshRecipeList();
}

}  // namespace tav
