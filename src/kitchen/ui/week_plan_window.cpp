#include "kitchen/ui/week_plan_window.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "exchange/ui/list_printing.h"
#include "kitchen/ui/shopping_list_window.h"
#include "kitchen/ui/week_plan_entry_dialog.h"
#include "kitchen/ui/week_plan_remark_dialog.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/recipe_model.h"
#include "recipedb/recipe_store.h"
#include "recipedb/servings.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"
#include "services/ui/named_controls.h"
#include "services/ui/pane_parts.h"

namespace tav {

TWPlanDlg* WPlanDlg = nullptr;

namespace {

constexpr int kRowHeight = 16;

// Cells drawn from the plan: alternating column colours, the entry's mark and its text in dark
// red (recipe) or blue (remark), white on dark blue when selected.
class WeekCellDelegate : public QStyledItemDelegate {
 public:
  WeekCellDelegate(const WeekPlan& plan, QObject* parent)
      : QStyledItemDelegate(parent),
        plan_(plan),
        recipe_(PaneIcon(PanePicture::Recipe)),
        remark_(PaneIcon(PanePicture::Remark)) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    const int col = index.column();
    p->fillRect(option.rect, selected ? PaneSelected() : col % 2 ? PaneLight() : PaneDarker());
    const int i = plan_.CellIndex(col, index.row() + 1);
    if (i >= 0 && i < static_cast<int>(plan_.entries.size())) {
      const WPLAN& e = plan_.entries[i];
      const QRect r = option.rect;
      (e.isRecipe ? recipe_ : remark_)
          .paint(p, QRect(r.left() + 1, r.top() + (r.height() - 12) / 2, 12, 12));
      p->setPen(selected ? QColor(Qt::white) : e.isRecipe ? QColor(119, 0, 0) : QColor(0, 0, 170));
      p->setFont(option.font);
      p->drawText(r.adjusted(15, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                  option.fontMetrics.elidedText(toQ(e.text), Qt::ElideRight, r.width() - 17));
    }
    if (option.state & QStyle::State_HasFocus) {
      QPen pen(selected ? Qt::white : Qt::black);
      pen.setStyle(Qt::DotLine);
      p->setPen(pen);
      p->setBrush(Qt::NoBrush);
      p->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
  }

 private:
  const WeekPlan& plan_;
  QIcon recipe_, remark_;
};

// The grid takes drops from anywhere (the pane decides what a drop does), also on its day
// headers, and shows the hint of the cell under the mouse.
class WeekGrid : public QTableWidget {
 public:
  explicit WeekGrid(TWPlanDlg* pane) : QTableWidget(pane), pane_(pane) {
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    horizontalHeader()->setAcceptDrops(true);
    horizontalHeader()->viewport()->setAcceptDrops(true);
    horizontalHeader()->viewport()->installEventFilter(this);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
  }

 protected:
  void dragEnterEvent(QDragEnterEvent* e) override { e->acceptProposedAction(); }
  void dragMoveEvent(QDragMoveEvent* e) override { e->acceptProposedAction(); }
  void dropEvent(QDropEvent* e) override {
    const QPoint at = e->position().toPoint();
    const int r = rowAt(at.y());
    Dropped(e, columnAt(at.x()), r < 0 ? rowCount() + 1 : r + 1);
  }
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == horizontalHeader()->viewport()) {
      switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
          static_cast<QDragMoveEvent*>(e)->acceptProposedAction();
          return true;
        case QEvent::Drop: {
          auto* drop = static_cast<QDropEvent*>(e);
          Dropped(drop, horizontalHeader()->logicalIndexAt(drop->position().toPoint()), 0);
          return true;
        }
        default:
          break;
      }
    }
    return QTableWidget::eventFilter(watched, e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    const QPoint at = e->position().toPoint();
    const int r = rowAt(at.y());
    viewport()->setToolTip(r < 0 ? QString() : toQ(pane_->CellHint(columnAt(at.x()), r + 1)));
    QTableWidget::mouseMoveEvent(e);
  }
  void resizeEvent(QResizeEvent* e) override {
    QTableWidget::resizeEvent(e);
    const int width = std::max(20, (viewport()->width() - 8) / WeekPlan::kColumns);
    for (int c = 0; c < WeekPlan::kColumns; ++c) setColumnWidth(c, width);
  }

 private:
  void Dropped(QDropEvent* e, int col, int row) {
    e->setDropAction(Qt::CopyAction);
    e->accept();
    pane_->WPlanGrdDragDrop(e->source(), col, row);
  }
  TWPlanDlg* pane_;
};

QPushButton* WeekButton(QWidget* parent, const char* name) {
  QPushButton* b = Named<QPushButton>(parent, name);
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

}  // namespace

TWPlanDlg::TWPlanDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  WPlanDlg = this;
  setObjectName(QStringLiteral("WPlanDlg"));
  setWindowTitle(QStringLiteral("Wochenplan"));

  QHBoxLayout* buttons = nullptr;
  QWidget* strip = PaneTitleStrip(this, "PlanTitle", PlanTitle, buttons);
  THelpBtn = PaneButton(strip, "THelpBtn", PanePicture::Help);
  TCloseBtn = PaneButton(strip, "TCloseBtn", PanePicture::Close);
  buttons->addWidget(THelpBtn);
  buttons->addWidget(TCloseBtn);

  WPlanGrd = new WeekGrid(this);
  WPlanGrd->setObjectName(QStringLiteral("WPlanGrd"));
  WPlanGrd->setColumnCount(WeekPlan::kColumns);
  WPlanGrd->setItemDelegate(new WeekCellDelegate(plan, WPlanGrd));
  WPlanGrd->setSelectionMode(QAbstractItemView::ContiguousSelection);
  WPlanGrd->setSelectionBehavior(QAbstractItemView::SelectItems);
  WPlanGrd->setEditTriggers(QAbstractItemView::NoEditTriggers);
  WPlanGrd->setShowGrid(true);
  WPlanGrd->setGridStyle(Qt::SolidLine);
  WPlanGrd->verticalHeader()->hide();
  WPlanGrd->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  WPlanGrd->verticalHeader()->setDefaultSectionSize(
      std::max(kRowHeight, WPlanGrd->fontMetrics().height() + 2));
  WPlanGrd->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  WPlanGrd->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  WPlanGrd->horizontalHeader()->setHighlightSections(false);
  WPlanGrd->horizontalHeader()->setStyleSheet(QStringLiteral(
      "QHeaderView::section { background: #ffff00; color: black; padding-left: 5px;"
      " border: none; border-right: 1px solid #b0b0b0; border-bottom: 1px solid #b0b0b0; }"));
  WPlanGrd->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  WPlanGrd->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette pal = WPlanGrd->palette();
  pal.setColor(QPalette::Base, PaneLight());
  WPlanGrd->setPalette(pal);

  WPlanBtnPanel = new QWidget(this);
  WPlanBtnPanel->setObjectName(QStringLiteral("WPlanBtnPanel"));
  WPlanBtnPanel->setFixedHeight(28);
  PrevMonthBtn = WeekButton(WPlanBtnPanel, "PrevMonthBtn");
  PrevWeekBtn = WeekButton(WPlanBtnPanel, "PrevWeekBtn");
  AktWeekBtn = WeekButton(WPlanBtnPanel, "AktWeekBtn");
  NextWeekBtn = WeekButton(WPlanBtnPanel, "NextWeekBtn");
  NextMonthBtn = WeekButton(WPlanBtnPanel, "NextMonthBtn");

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(strip);
  layout->addWidget(WPlanGrd, 1);
  layout->addWidget(WPlanBtnPanel);

  BuildPopupMenu();
  WPlanGrd->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(WPlanGrd, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { WPMnu->popup(WPlanGrd->viewport()->mapToGlobal(at)); });
  connect(WPlanGrd, &QTableWidget::cellDoubleClicked, this, [this] { EditWeekPlanCell(); });
  connect(TCloseBtn, &QToolButton::clicked, this, [this] { TCloseBtnClick(); });
  connect(THelpBtn, &QToolButton::clicked, this, [this] { THelpBtnClick(); });
  connect(AktWeekBtn, &QPushButton::clicked, this, [this] { AktWeekBtnClick(); });
  connect(PrevWeekBtn, &QPushButton::clicked, this, [this] { PrevWeekBtnClick(); });
  connect(NextWeekBtn, &QPushButton::clicked, this, [this] { NextWeekBtnClick(); });
  connect(PrevMonthBtn, &QPushButton::clicked, this, [this] { PrevMonthBtnClick(); });
  connect(NextMonthBtn, &QPushButton::clicked, this, [this] { NextMonthBtnClick(); });

  // Creation: dock into the bottom pane, the texts, then the week of today.
  if (auto* main = MainWindow()) {
    main->DockForm(this, main->PaneOf(MainPane::WeekPlan));
    setVisible(true);
  }
  Registered<WeekPlanAccess>::Enter(this);
  TCloseBtn->setToolTip(toQ(GetLangText(735)));
  THelpBtn->setToolTip(toQ(GetLangText(736)));
  if (LangDlg) {
    LangDlg->TranslateForm(this);
    LangDlg->TranslateMenu("WPlanDlg", WPMnu);
  }
  plan.weekStart = MondayOf(TodayNumber());
  LoadWeekPlan();
  DrawWeekGrid();
  FormResize();
}

TWPlanDlg::~TWPlanDlg() {
  Registered<WeekPlanAccess>::Leave(this);
  if (WPlanDlg == this) WPlanDlg = nullptr;
}

void TWPlanDlg::BuildPopupMenu() {
  WPMnu = new QMenu(this);
  WPMnu->setObjectName(QStringLiteral("WPMnu"));
  QMenu* m = WPMnu;
  const auto item = [&](const char* name, const char* caption, void (TWPlanDlg::*run)()) {
    QAction* a = KitchenMenuItem(m, name, caption);
    connect(a, &QAction::triggered, this, [this, run] { (this->*run)(); });
    return a;
  };
  m->setDefaultAction(item("WPPara", "&Eigenschaften des aktuellen Wochen-Rezeptes bearbeiten...",
                           &TWPlanDlg::EditWeekPlanCell));
  item("NewRemarkMnu", "Neue Bemerkung zum Tag hinzuf\xFCgen", &TWPlanDlg::AddWeekPlanRemark);
  m->addSeparator();
  item("WPShow", "&Aktuelles Wochen-Rezept anzeigen", &TWPlanDlg::ShowWeekPlanRecipe);
  item("WPPrint", "Aktuellen Wochenplan aus&drucken", &TWPlanDlg::PrintWeekPlan);
  m->addSeparator();
  item("WPKList", "Selektierte Rezepte der Einkaufsliste &hinzuf\xFCgen",
       &TWPlanDlg::AddWeekPlanToKaufList);
  m->addSeparator();
  item("MoveWPUpMnu", "Eintrag nach oben schieben", &TWPlanDlg::MoveWeekPlanEntryUp);
  item("MoveWPDownMnu", "Eintrag nach unten schieben", &TWPlanDlg::MoveWeekPlanEntryDown);
  m->addSeparator();
  connect(
      KitchenMenuItem(m, "WPSelDel", "Selektierte Rezepte und Bemerkungen aus Liste ent&fernen"),
      &QAction::triggered, this, [this] { DeleteWeekPlanEntries(0); });
  connect(KitchenMenuItem(m, "WPGestDel",
                          "Alle Rezepte und Bemerkungen bis &gestern aus Plan entfernen"),
          &QAction::triggered, this, [this] { DeleteWeekPlanEntries(1); });
  connect(KitchenMenuItem(m, "WPAllDel", "Alle Rezepte und Bemerkungen aus &Plan entfernen"),
          &QAction::triggered, this, [this] { DeleteWeekPlanEntries(2); });
}

void TWPlanDlg::DrawWeekGrid() {
  plan.DrawWeekGrid();
  PlanTitle->setText(toQ(plan.TitleCaption()));
  if (WPlanGrd->rowCount() != plan.RowCount() - 1) WPlanGrd->setRowCount(plan.RowCount() - 1);
  QStringList headers;
  for (int c = 0; c < WeekPlan::kColumns; ++c) headers << toQ(plan.DayHeader(c));
  WPlanGrd->setHorizontalHeaderLabels(headers);
  WPlanGrd->viewport()->update();
}

void TWPlanDlg::ShowWeek(int monday) {
  plan.weekStart = monday;
  LoadWeekPlan();
  DrawWeekGrid();
}

void TWPlanDlg::AktWeekBtnClick() {
  ShowWeek(MondayOf(TodayNumber()));
}

void TWPlanDlg::TCloseBtnClick() {
  if (auto* main = MainWindow()) main->ToggleWeekPlanPane();
}

void TWPlanDlg::THelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Tip_WeekPlaning.htm");
}

void TWPlanDlg::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  FormResize();
}

void TWPlanDlg::FormResize() {
  WPlanBtnPanel->setVisible(height() > 80 && width() > 200);
  const int w = width();
  const bool wide = w >= 650;
  const int bw = wide ? 121 : 30;
  PrevMonthBtn->setText(wide ? toQ(GetLangText(268)) : QStringLiteral("<<<"));
  PrevWeekBtn->setText(wide ? toQ(GetLangText(269)) : QStringLiteral("<<"));
  AktWeekBtn->setText(toQ(GetLangText(wide ? 270 : 267)));
  NextWeekBtn->setText(wide ? toQ(GetLangText(271)) : QStringLiteral(">>"));
  NextMonthBtn->setText(wide ? toQ(GetLangText(272)) : QStringLiteral(">>>"));
  const int h = 24, top = 2;
  const int aktWidth = wide ? bw : 50;
  PrevMonthBtn->setGeometry(0, top, bw, h);
  PrevWeekBtn->setGeometry(bw + 10, top, bw, h);
  AktWeekBtn->setGeometry((w - aktWidth) / 2, top, aktWidth, h);
  NextWeekBtn->setGeometry(w - 2 * bw - 10, top, bw, h);
  NextMonthBtn->setGeometry(w - bw, top, bw, h);
}

bool TWPlanDlg::CurrentCell(int& col, int& row) const {
  col = WPlanGrd->currentColumn();
  row = WPlanGrd->currentRow() + 1;
  return col >= 0 && row >= 1;
}

void TWPlanDlg::SetCurrentCell(int col, int row) {
  WPlanGrd->setCurrentCell(row - 1, col, QItemSelectionModel::ClearAndSelect);
}

bool TWPlanDlg::Selection(int& left, int& top, int& right, int& bottom) const {
  const QList<QTableWidgetSelectionRange> ranges = WPlanGrd->selectedRanges();
  if (ranges.isEmpty()) {
    if (!CurrentCell(left, top)) return false;
    right = left;
    bottom = top;
    return true;
  }
  const QTableWidgetSelectionRange& r = ranges.front();
  left = r.leftColumn();
  right = r.rightColumn();
  top = r.topRow() + 1;
  bottom = r.bottomRow() + 1;
  return true;
}

std::string TWPlanDlg::CellHint(int col, int row) const {
  const int i = plan.CellIndex(col, row);
  if (i < 0) return std::string();
  const WPLAN& e = plan.entries[i];
  std::string hint = e.text;
  if (!e.servingKind.empty()) hint += " (" + std::to_string(e.servings) + " " + e.servingKind + ")";
  if (!e.remark.empty()) hint += " \"" + e.remark + "\"";
  return hint;
}

void TWPlanDlg::WPlanGrdDragDrop(QObject* source, int col, int row) {
  plan.dropCol = col;
  plan.dropRow = row;
  if (source && source->objectName() == QStringLiteral("ChooseLiBo") && ChooseRezDlg)
    ChooseRezDlg->AddSelectedToWeekPlan();
}

void TWPlanDlg::AddRecipeToWeekPlan(const REZINDEX* entry) {
  if (!entry) {
    SaveWeekPlan();
    DrawWeekGrid();
    return;
  }
  REZBLOCK recipe;
  if (!ctx().dbList || !ctx().dbList->ReadRezBlockByKey(entry->bookId, entry->number, recipe))
    return;
  plan.AddRecipeToWeekPlan(recipe, entry->bookId, entry->number);
}

void TWPlanDlg::EditWeekPlanCell() {
  int col = 0, row = 0;
  if (!CurrentCell(col, row) || !WPBemDlg || !WPParaDlg) return;
  const int i = plan.FindWeekPlanEntry(col, row);
  if (i < 0) {
    AddWeekPlanRemark();
    SaveWeekPlan();
    return;
  }
  if (plan.entries[i].isRecipe) {
    WPParaDlg->SetWPParaEntry(&plan.entries[i]);
    WPParaDlg->exec();
    WPParaDlg->SetWPParaEntry(nullptr);
  } else {
    WPLAN copy = plan.entries[i];
    WPBemDlg->SetWPBemEntry(&copy);
    WPBemDlg->exec();
    WPBemDlg->SetWPBemEntry(nullptr);
    if (WPBemDlg->WPBemConfirmed()) plan.entries[i] = copy;
  }
  SaveWeekPlan();
  DrawWeekGrid();
}

void TWPlanDlg::AddWeekPlanRemark() {
  int col = 0, row = 0;
  if (!CurrentCell(col, row) || !WPBemDlg) return;
  WPLAN remark;
  WPBemDlg->SetWPBemEntry(&remark);
  WPBemDlg->exec();
  WPBemDlg->SetWPBemEntry(nullptr);
  if (!WPBemDlg->WPBemConfirmed()) return;
  plan.InsertWeekPlanEntry(remark, col, row);
  DrawWeekGrid();
}

void TWPlanDlg::ShowWeekPlanRecipe() {
  int col = 0, row = 0;
  if (!CurrentCell(col, row)) return;
  const int i = plan.FindWeekPlanEntry(col, row);
  // A day remark has no recipe to show.
  if (i < 0 || !plan.entries[i].isRecipe) return;
  const WPLAN e = plan.entries[i];
  ShowPlannedRecipe(e.book, e.recipeNo, e.servings);
}

void TWPlanDlg::PrintWeekPlan() {
  if (plan.WriteWeekPlanText() == 0) {
    MessageBox(GetLangText(280), GetLangText(2), MB_OK | MB_ICONERROR);
    return;
  }
  PrintWeekPlanFile(this);
}

void TWPlanDlg::MoveWeekPlanEntryUp() {
  int col = 0, row = 0;
  if (!CurrentCell(col, row) || !plan.MoveWeekPlanEntryUp(col, row)) return;
  SetCurrentCell(col, row);
  WPlanGrd->viewport()->update();
}

void TWPlanDlg::MoveWeekPlanEntryDown() {
  int col = 0, row = 0;
  if (!CurrentCell(col, row) || !plan.MoveWeekPlanEntryDown(col, row)) return;
  SetCurrentCell(col, row);
  WPlanGrd->viewport()->update();
}

void TWPlanDlg::AddWeekPlanToKaufList() {
  int left = 0, top = 0, right = 0, bottom = 0;
  if (!KaufRezListDlg || !Selection(left, top, right, bottom)) return;
  if (const int count = KaufRezListDlg->GetKaufListCount(); count > 0) {
    const std::string question = GetLangText(278) + std::to_string(count) + GetLangText(279);
    if (MessageBox(question, GetLangText(56), MB_YESNO | MB_ICONQUESTION) == IDYES)
      KaufRezListDlg->ClearKaufList();
  }
  for (int col = left; col <= right; ++col) {
    for (int row = top; row <= bottom; ++row) {
      const int i = plan.CellIndex(col, row);
      if (i < 0 || !plan.entries[i].isRecipe) continue;
      const WPLAN& e = plan.entries[i];
      REZINDEX index;
      index.SetTitle(e.text);
      index.number = e.recipeNo;
      index.bookId = e.book;
      KaufRezListDlg->AddToKaufList(index, e.servings);
    }
  }
}

void TWPlanDlg::DeleteWeekPlanEntries(int mode) {
  std::string question = GetLangText(273);
  if (mode == 0) question += GetLangText(274);
  question += GetLangText(276);
  if (mode == 1) question += GetLangText(275);
  question += GetLangText(277);
  if (MessageBox(question, GetLangText(17), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  if (mode == 0) {
    int left = 0, top = 0, right = 0, bottom = 0;
    if (Selection(left, top, right, bottom)) {
      // Bottom-up, so a removal does not move rows still to be visited.
      for (int col = left; col <= right; ++col)
        for (int row = bottom; row >= top; --row) plan.DeleteWeekPlanCell(col, row);
      SaveWeekPlan();
    }
  } else {
    plan.DeleteStoredDays(mode, TodayNumber());
  }
  DrawWeekGrid();
}

}  // namespace tav
