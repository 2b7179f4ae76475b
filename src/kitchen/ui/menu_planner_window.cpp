#include "kitchen/ui/menu_planner_window.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "kitchen/menus/menu_card.h"
#include "kitchen/ui/menu_course_dialog.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_store.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/elided_label.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"
#include "services/ui/named_controls.h"

namespace tav {

TMenuCenterDlg* MenuCenterDlg = nullptr;

namespace {

const QColor kNavy(0x00, 0x00, 0x88);

// A picture of the data folder (option 2); null when it is missing.
QPixmap DataPicture(const char* name) {
  QPixmap pixmap;
  if (ctx().options) pixmap.load(toQ(FindFileNoCase(ctx().options->Str(2) + name)));
  return pixmap;
}

// One course a row: the course type's colour (else alternating blue tints), the type, then
// print title and persons.
class CourseRows : public QStyledItemDelegate {
 public:
  explicit CourseRows(const MenuPlan& plan, QObject* parent)
      : QStyledItemDelegate(parent), plan_(plan) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const std::vector<MN_RECIPE>& courses = plan_.open.courses;
    const int i = index.row();
    if (i < 0 || i >= static_cast<int>(courses.size())) return;
    const MN_RECIPE& c = courses[static_cast<size_t>(i)];
    const bool selected = option.state & QStyle::State_Selected;
    const uint32_t colour = CourseTypeColour(plan_.types, c.courseType);
    QColor back = colour ? QColor::fromRgb(colour)
                         : (i % 2 ? QColor(0xF8, 0xF8, 0xFF) : QColor(0xF0, 0xF0, 0xFF));
    if (selected) back = QColor(0x44, 0x44, 0x88);
    p->save();
    p->fillRect(option.rect, back);
    p->setPen(selected ? Qt::white : Qt::black);
    p->setFont(option.font);
    const QRect r = option.rect;
    int textLeft = 6;
    bool anyType = false;
    int typeWidth = 0;
    for (const MN_RECIPE& other : courses) {
      if (other.courseType.empty()) continue;
      anyType = true;
      typeWidth = std::max(typeWidth, option.fontMetrics.horizontalAdvance(toQ(other.courseType)));
    }
    if (anyType) {
      // The type column is 100 pixels wide, or as wide as the longest type needs.
      textLeft = std::max(100, typeWidth + 18);
      p->drawText(r.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, toQ(c.courseType));
    }
    p->drawText(r.adjusted(textLeft, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                option.fontMetrics.elidedText(toQ(CourseRowText(c)), Qt::ElideRight,
                                              r.width() - textLeft - 4));
    p->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return QSize(0, option.fontMetrics.height() + 4);
  }

 private:
  const MenuPlan& plan_;
};

QToolButton* PictureButton(QWidget* parent, const char* name, const char* picture,
                           const char* fallback) {
  auto* b = Named<QToolButton>(parent, name);
  const QPixmap pixmap = DataPicture(picture);
  if (pixmap.isNull()) {
    b->setText(QString::fromLatin1(fallback));
  } else {
    b->setIcon(QIcon(pixmap));
    b->setIconSize(pixmap.size());
  }
  b->setAutoRaise(true);
  b->setCursor(Qt::PointingHandCursor);
  return b;
}

std::string BookName(int16_t id) {
  return ctx().books ? ctx().books->GetKBookName(id) : std::string();
}

int16_t CurrentBook() {
  if (ctx().books) return ctx().books->GetAktKBookId();
  return ctx().dbList ? ctx().dbList->BookId() : 0;
}

}  // namespace

TMenuCenterDlg::TMenuCenterDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  MenuCenterDlg = this;
  Registered<MenuPlannerAccess>::Enter(this);
  setObjectName(QStringLiteral("MenuCenterDlg"));
  setWindowTitle(toQ("Men\xFC-Planung"));

  // Title strip: dark blue, yellow bold caption, help and close pictures at its right.
  TitleStrip = Named<QWidget>(this, "TitleStrip");
  TitleStrip->setAutoFillBackground(true);
  QPalette strip = TitleStrip->palette();
  strip.setColor(QPalette::Window, kNavy);
  TitleStrip->setPalette(strip);
  RezTitle = Captioned<ElidedLabel>(TitleStrip, "RezTitle", "  Men\xFC-Planung");
  QFont bold = RezTitle->font();
  bold.setBold(true);
  RezTitle->setFont(bold);
  RezTitle->setStyleSheet(QStringLiteral("color: #ffdd33;"));
  THelpBtn = PictureButton(TitleStrip, "THelpBtn", "Hilfe14.png", "?");
  TitleCloseBtn = PictureButton(TitleStrip, "TitleCloseBtn", "Schliessen14.png", "x");
  auto* stripRow = new QHBoxLayout(TitleStrip);
  stripRow->setContentsMargins(0, 2, 4, 2);
  stripRow->setSpacing(2);
  stripRow->addWidget(RezTitle, 1);
  stripRow->addWidget(THelpBtn);
  stripRow->addWidget(TitleCloseBtn);

  // Left: the menu picture (a click opens the course editor) and the close button.
  Panel1 = Named<QWidget>(this, "Panel1");
  Panel1->setFixedWidth(113);
  Panel1->setAutoFillBackground(true);
  Panel1->setPalette(strip);
  MenuImg = Named<QLabel>(Panel1, "MenuImg");
  MenuImg->setAlignment(Qt::AlignCenter);
  MenuImg->setPixmap(DataPicture("Menueplan.png"));
  MenuImg->setCursor(Qt::PointingHandCursor);
  MenuImg->installEventFilter(this);
  CloseBtn2 = Captioned<QPushButton>(Panel1, "CloseBtn2",
                                     "&Schlie\xDF"
                                     "en");
  auto* left = new QVBoxLayout(Panel1);
  left->setContentsMargins(8, 6, 8, 8);
  left->addWidget(MenuImg, 1);
  left->addWidget(CloseBtn2);

  // Pages: the courses, the description, the menu-card text.
  PageControl1 = Named<QTabWidget>(this, "PageControl1");
  MenuTab = Named<QWidget>(nullptr, "MenuTab");
  TabSheet2 = Named<QWidget>(nullptr, "TabSheet2");
  TabSheet3 = Named<QWidget>(nullptr, "TabSheet3");
  RecipesLiBo = Named<QListWidget>(MenuTab, "RecipesLiBo");
  RecipesLiBo->setItemDelegate(new CourseRows(plan, RecipesLiBo));
  RecipesLiBo->setUniformItemSizes(true);
  RecipesLiBo->setStyleSheet(QStringLiteral("QListWidget#RecipesLiBo { background: #F8F8FF; }"));
  RecipesLiBo->setAcceptDrops(true);
  RecipesLiBo->setDragDropMode(QAbstractItemView::DropOnly);
  RecipesLiBo->viewport()->installEventFilter(this);
  Panel2 = Named<QWidget>(MenuTab, "Panel2");
  Panel2->setFixedWidth(96);
  AddBtn = Captioned<QPushButton>(Panel2, "AddBtn", "&Hinzuf\xFCgen");
  DelBtn = Captioned<QPushButton>(Panel2, "DelBtn", "&Entfernen");
  RecipeUpBtn = PictureButton(Panel2, "RecipeUpBtn", "PfeilAuf.png", "^");
  RecipeDownBtn = PictureButton(Panel2, "RecipeDownBtn", "PfeilAb.png", "v");
  auto* arrows = new QHBoxLayout;
  arrows->addStretch(1);
  arrows->addWidget(RecipeUpBtn);
  arrows->addWidget(RecipeDownBtn);
  arrows->addStretch(1);
  auto* side = new QVBoxLayout(Panel2);
  side->setContentsMargins(4, 0, 0, 0);
  side->addWidget(AddBtn);
  side->addWidget(DelBtn);
  side->addLayout(arrows);
  side->addStretch(1);
  auto* coursePage = new QHBoxLayout(MenuTab);
  coursePage->setContentsMargins(4, 4, 4, 4);
  coursePage->addWidget(RecipesLiBo, 1);
  coursePage->addWidget(Panel2);
  DescrEdt = Named<QPlainTextEdit>(TabSheet2, "DescrEdt");
  CardEdt = Named<QPlainTextEdit>(TabSheet3, "CardEdt");
  DockColumn(TabSheet2)->addWidget(DescrEdt);
  DockColumn(TabSheet3)->addWidget(CardEdt);
  PageControl1->addTab(MenuTab, toQ("G\xE4nge"));
  PageControl1->addTab(TabSheet2, toQ("Beschreibung"));
  PageControl1->addTab(TabSheet3, toQ("Speisekartentext"));

  auto* body = new QHBoxLayout;
  body->setSpacing(0);
  body->addWidget(Panel1);
  body->addWidget(PageControl1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(TitleStrip);
  layout->addLayout(body, 1);

  connect(CloseBtn2, &QPushButton::clicked, this, [this] { CloseBtn2Click(); });
  connect(TitleCloseBtn, &QToolButton::clicked, this, [this] { CloseBtn2Click(); });
  connect(THelpBtn, &QToolButton::clicked, this, [this] { THelpBtnClick(); });
  connect(AddBtn, &QPushButton::clicked, this, [this] { AddBtnClick(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(RecipeUpBtn, &QToolButton::clicked, this, [this] { RecipeUpBtnClick(); });
  connect(RecipeDownBtn, &QToolButton::clicked, this, [this] { RecipeDownBtnClick(); });
  connect(RecipesLiBo, &QListWidget::itemClicked, this, [this] { RecipesLiBoClick(); });
  connect(RecipesLiBo, &QListWidget::itemDoubleClicked, this, [this] { RecipesLiBoDblClick(); });
  FormCreate();
}

TMenuCenterDlg::~TMenuCenterDlg() {
  Registered<MenuPlannerAccess>::Leave(this);
  if (MenuCenterDlg == this) MenuCenterDlg = nullptr;
}

void TMenuCenterDlg::FormCreate() {
  if (ctx().options)
    plan.types = ReadMenuTypes(FindFileNoCase(ctx().options->Str(52) + "MenuTypes.dat"));
  if (LangDlg) LangDlg->TranslateForm(this);
  THelpBtn->setToolTip(toQ(GetLangText(736)));
  TitleCloseBtn->setToolTip(toQ(GetLangText(735)));
}

void TMenuCenterDlg::ShowPane(bool show) {
  if (MainWindowAccess* main = MainWindow()) main->ShowMenuPane(show);
}

// --- opening and storing ----------------------------------------------------------------------

bool TMenuCenterDlg::HasMenuChanged() {
  // Without an open menu the pane shows nothing of the user's: nothing to store.
  if (!plan.IsOpen()) return false;
  plan.open.text = CrLfText(DescrEdt->toPlainText());
  plan.open.cardText = CrLfText(CardEdt->toPlainText());
  return plan.HasMenuChanged();
}

void TMenuCenterDlg::SaveQuestion() {
  if (!HasMenuChanged()) return;
  if (MessageBox(GetLangText(681), GetLangText(17), MB_YESNO | MB_ICONQUESTION) == IDYES)
    SaveMenuRecipe();
}

bool TMenuCenterDlg::SaveMenuRecipe(bool always) {
  if (!ctx().dbList) return false;
  if (!HasMenuChanged() && !always) return true;
  const bool isNew = !plan.IsOpen();
  REZINDEX added;
  if (plan.SaveMenuRecipe(*ctx().dbList, &added, always) != MenuPlan::Store::Stored) return false;
  AfterStore(isNew, added);
  return true;
}

void TMenuCenterDlg::AfterStore(bool isNew, const REZINDEX& added) {
  TChooseRezDlg* list = ChooseRezDlg;
  if (!list) return;
  if (isNew) {
    list->RefreshRecipeList();
    list->SelectRecipeListEntry(added);
  }
  // The menu's entry stays selected with the empty view; a recipe shown is read again.
  if (!list->IsMenuShown()) list->RefreshShownRecipe();
}

bool TMenuCenterDlg::RunCourseEditor() {
  if (!MenuEditDlg) return false;
  MenuEditDlg->LoadMenuForEdit(&plan.open, plan.types);
  MenuEditDlg->exec();
  if (!MenuEditDlg->IsEditConfirmed()) return false;
  ShowCourseRecipe();
  return true;
}

void TMenuCenterDlg::OpenMenuPlan(const REZBLOCK* menu, bool showEditor) {
  if (!menu) {
    SaveQuestion();
    ShowPane(false);
    plan.StartNewMenu(CurrentBook());
    ShowMenuPlan();  // the new menu starts without the texts of the one before
    if (RunCourseEditor()) {
      // A new menu is stored at once, so that it is in the list from now on.
      if (SaveMenuRecipe(true)) {
        ShowMenuPlan();
        ShowPane(true);
        if (ChooseRezDlg) ChooseRezDlg->SetMenuShown(true);
      } else {
        plan.StartNewMenu(CurrentBook());
        ShowMenuPlan();
      }
    }
    plan.compare = plan.open;
    return;
  }
  if (plan.IsOpenMenu(*menu, menu->bookId)) {
    SaveQuestion();
    plan.compare = plan.open;
    if (showEditor) RunCourseEditor();
    ShowMenuPlan();
    ShowPane(true);
    return;
  }
  SaveQuestion();
  plan.TakeMenuRecipe(*menu, menu->bookId);
  if (showEditor) RunCourseEditor();
  ShowMenuPlan();
  ShowPane(true);
}

bool TMenuCenterDlg::OpenSelectedMenuRecipe() {
  TChooseRezDlg* list = ChooseRezDlg;
  TdbList* store = ctx().dbList;
  if (!list || !store) return false;
  const int row = list->CurrentRow();
  REZINDEX e;
  if (row < 0 || !list->IsSelected(row) || !list->RowEntry(row, e) || !(e.flags & kRecipeMenu))
    return false;
  REZBLOCK menu;
  const bool read = list->IsSearchMode()
                        ? store->ReadRezBlockByKey(e.bookId, e.number, menu)
                        : store->ReadRezBlock(std::string(), nullptr, list->ItemData(row), menu);
  if (!read) return true;  // a menu all the same; the store said what went wrong
  menu.bookId = e.bookId;
  OpenMenuPlan(plan.IsOpenMenu(menu, e.bookId) ? &plan.open : &menu, true);
  return true;
}

void TMenuCenterDlg::EditMenuPlan() {
  if (!plan.IsOpen()) {
    MessageBox(GetLangText(683), GetLangText(2), MB_OK | MB_ICONINFORMATION);
    return;
  }
  HasMenuChanged();  // the memo texts go with the menu into the editor
  RunCourseEditor();
  ShowMenuPlan();
}

bool TMenuCenterDlg::CloseMenuPlan() {
  bool stored = true;
  if (HasMenuChanged()) {
    stored = SaveMenuRecipe();
    if (!stored) MessageBox(GetLangText(1015), GetLangText(15), MB_OK | MB_ICONERROR);
  }
  plan.ClearMenu();
  // The pane keeps nothing of the closed menu, so no later store mistakes it for a change.
  ShowMenuPlan();
  ShowPane(false);
  // A click on the menu's entry opens it again.
  if (ChooseRezDlg && ChooseRezDlg->IsMenuShown()) ChooseRezDlg->ForgetShownRecipe();
  return stored;
}

// --- the pane -----------------------------------------------------------------------------------

void TMenuCenterDlg::ShowMenuPlan() {
  RezTitle->setText(toQ(GetLangText(680) + plan.open.title));
  DescrEdt->setPlainText(MemoText(plan.open.text));
  CardEdt->setPlainText(MemoText(plan.open.cardText));
  RecipesLiBo->clear();
  for (size_t i = 0; i < plan.open.courses.size(); ++i) RecipesLiBo->addItem(QString());
  RecipesLiBo->setCurrentRow(-1);
}

void TMenuCenterDlg::ShowCourseRecipe() {
  const int row = RecipesLiBo->currentRow();
  if (row < 0 || row >= static_cast<int>(plan.open.courses.size()) || !ChooseRezDlg) return;
  const MN_RECIPE& c = plan.open.courses[static_cast<size_t>(row)];
  ChooseRezDlg->JumpToRecipe(static_cast<int16_t>(static_cast<uint16_t>(c.bookId)), c.number, false,
                             c.persons);
}

void TMenuCenterDlg::AddRecipeToMenu(const REZINDEX& entry) {
  if (!ctx().dbList) return;
  HasMenuChanged();
  if (!plan.AddRecipeToMenu(*ctx().dbList, entry, BookName(entry.bookId))) {
    MessageBox(GetLangText(684), GetLangText(15), MB_OK | MB_ICONERROR);
    return;
  }
  ShowMenuPlan();
}

void TMenuCenterDlg::PrintMenuPlan() {
  HasMenuChanged();
  const std::string root = ctx().options ? ctx().options->Str(90) : std::string();
  std::string page;
  switch (WriteMenuCard(plan.open, root, page)) {
    case MenuCardResult::NoCourse:
      MessageBox(GetLangText(754), GetLangText(15), MB_OK | MB_ICONERROR);
      return;
    case MenuCardResult::NoTemplate:
      MessageBox(GetLangText(752), GetLangText(15), MB_OK | MB_ICONERROR);
      if (ctx().tools) ctx().tools->WriteLog("Men\xFC-template is not available", 1);
      return;
    case MenuCardResult::NotWritable:
      MessageBox(GetLangText(753), GetLangText(15), MB_OK | MB_ICONERROR);
      if (ctx().tools)
        ctx().tools->WriteLog(
            "Men\xFC"
            "file is not writable",
            1);
      return;
    case MenuCardResult::Written:
      LaunchProgramOrUrl(page, std::string());
      return;
  }
}

// --- handlers -----------------------------------------------------------------------------------

void TMenuCenterDlg::CloseBtn2Click() {
  CloseMenuPlan();
}

void TMenuCenterDlg::THelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Menu.htm");
}

void TMenuCenterDlg::MenuImgClick() {
  EditMenuPlan();
}

void TMenuCenterDlg::AddBtnClick() {
  if (ChooseRezDlg) ChooseRezDlg->AddSelectedToMenu();
}

void TMenuCenterDlg::DelBtnClick() {
  HasMenuChanged();
  if (!plan.RemoveCourse(RecipesLiBo->currentRow())) {
    MessageBox(GetLangText(682), GetLangText(2), MB_OK | MB_ICONINFORMATION);
    return;
  }
  ShowMenuPlan();
}

void TMenuCenterDlg::RecipeUpBtnClick() {
  const int row = RecipesLiBo->currentRow();
  if (!plan.MoveCourseUp(row)) return;
  RecipesLiBo->setCurrentRow(row - 1);
  RecipesLiBo->viewport()->update();
}

void TMenuCenterDlg::RecipeDownBtnClick() {
  const int row = RecipesLiBo->currentRow();
  if (!plan.MoveCourseDown(row)) return;
  RecipesLiBo->setCurrentRow(row + 1);
  RecipesLiBo->viewport()->update();
}

void TMenuCenterDlg::RecipesLiBoClick() {
  ShowCourseRecipe();
}

void TMenuCenterDlg::RecipesLiBoDblClick() {
  EditMenuPlan();
}

bool TMenuCenterDlg::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type t = event->type();
  if (watched == MenuImg && t == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    MenuImgClick();
    return true;
  }
  if (watched == RecipesLiBo->viewport() &&
      (t == QEvent::DragEnter || t == QEvent::DragMove || t == QEvent::Drop)) {
    auto* drop = static_cast<QDropEvent*>(event);
    // Only rows dragged from the recipe list become courses.
    const QObject* source = drop->source();
    if (!source || source->objectName() != QStringLiteral("ChooseLiBo")) {
      drop->ignore();
      return true;
    }
    drop->acceptProposedAction();
    if (t == QEvent::Drop) AddBtnClick();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tav
