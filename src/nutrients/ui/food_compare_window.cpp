#include "nutrients/ui/food_compare_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "nutrients/nutrient_table.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "services/context.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TBLSCompareDlg* BLSCompareDlg = nullptr;

namespace {
QPushButton* SideButton(QWidget* parent, const char* name, const char* caption) {
  auto* b = Captioned<QPushButton>(parent, name, caption);
  b->setAutoDefault(false);
  return b;
}
}  // namespace

TBLSCompareDlg::TBLSCompareDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  BLSCompareDlg = this;
  setObjectName(QStringLiteral("BLSCompareDlg"));
  CompareGrd = new QTableWidget(0, 2, this);
  CompareGrd->setObjectName(QStringLiteral("CompareGrd"));
  CompareGrd->verticalHeader()->hide();
  CompareGrd->verticalHeader()->setDefaultSectionSize(CompareGrd->fontMetrics().height() + 6);
  CompareGrd->setEditTriggers(QAbstractItemView::NoEditTriggers);
  CompareGrd->setSelectionBehavior(QAbstractItemView::SelectColumns);
  CompareGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  CompareGrd->horizontalHeader()->setHighlightSections(true);
  CompareGrd->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  CompareGrd->setWordWrap(false);
  NewBtn = SideButton(this, "NewBtn", "&Neu");
  DelBtn = SideButton(this, "DelBtn", "&Entfernen");
  ToLeftBtn = SideButton(this, "ToLeftBtn", "<");
  DoRight = SideButton(this, "DoRight", ">");
  auto* moves = new QHBoxLayout;
  moves->setSpacing(2);
  moves->addWidget(ToLeftBtn);
  moves->addWidget(DoRight);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(NewBtn);
  buttons->addWidget(DelBtn);
  buttons->addLayout(moves);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 2, 0, 0);
  layout->addWidget(CompareGrd, 1);
  layout->addLayout(buttons);

  connect(NewBtn, &QPushButton::clicked, this, [this] { AddCurrentFoodToCompare(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { RemoveCompareFood(); });
  connect(ToLeftBtn, &QPushButton::clicked, this, [this] { ToLeftBtnClick(); });
  connect(DoRight, &QPushButton::clicked, this, [this] { DoRightClick(); });

  // Docked into the browser's bottom panel, which it fills.
  if (BLSMainDlg) {
    setParent(BLSMainDlg->BottomGrp, Qt::Widget);
    BLSMainDlg->BottomGrp->layout()->addWidget(this);
    setVisible(true);
  }
  if (LangDlg) LangDlg->TranslateForm(this);
  CompareGrd->setHorizontalHeaderLabels({toQ(GetLangText(930)), toQ(GetLangText(931))});
}

void TBLSCompareDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  CompareGrd->setColumnWidth(0, 170);
  CompareGrd->setColumnWidth(1, std::max(64, CompareGrd->columnWidth(1)));
}

void TBLSCompareDlg::AddCurrentFoodToCompare() {
  if (!BLSMainDlg) return;
  const LB_DATA food = BLSMainDlg->currentFood;
  if (food.key[0] == '\0') {
    MessageBox(GetLangText(434), GetLangText(2), MB_OK);
    return;
  }
  AddCompareFood(&food);
}

void TBLSCompareDlg::AddCompareFoodByKey(const char* key) {
  if (!ctx().foods || !key) return;
  LB_DATA food;
  if (!ctx().foods->ReadBLSFood(key, &food, false)) return;
  ctx().foods->FindBLSNameByKey(key, &food.name);
  AddCompareFood(&food);
}

void TBLSCompareDlg::AddCompareFood(const LB_DATA* food) {
  if (!foods_.Add(*food)) {
    ShowError(377);
    return;
  }
  ShowCompareColumn(foods_.Count() - 1);
}

void TBLSCompareDlg::RemoveCompareFood() {
  const int k = CompareGrd->currentColumn();
  if (k < 2 || !foods_.Remove(k - 2)) return;
  RedrawCompareColumns();
}

void TBLSCompareDlg::ShowCompareColumn(int i) {
  const bool real = i >= 0 && i < foods_.Count();
  if (CompareGrd->columnCount() < foods_.Count() + 2)
    CompareGrd->setColumnCount(foods_.Count() + 2);
  if (real)
    CompareGrd->setHorizontalHeaderItem(i + 2, new QTableWidgetItem(toQ(foods_.Food(i).name)));
  NutrientTable* table = ctx().nutrients;
  if (!table) return;
  const std::vector<NutrientRow> rows = FilterRows(*table, false, real ? &foods_.Food(i) : nullptr);
  CompareGrd->setRowCount(std::max<int>(1, static_cast<int>(rows.size())));
  if (!real) return;
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const NutrientRow& row = rows[static_cast<size_t>(r)];
    auto* item = new QTableWidgetItem(toQ(row.value));
    if (!table->IsTextStoff(row.index)) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CompareGrd->setItem(r, i + 2, item);
  }
  // A food's column as wide as its name, within reason.
  CompareGrd->resizeColumnToContents(i + 2);
  CompareGrd->setColumnWidth(i + 2, std::clamp(CompareGrd->columnWidth(i + 2), 70, 180));
}

void TBLSCompareDlg::RedrawCompareColumns() {
  if (foods_.Count() == 0) {
    // Only a column that is there: QTableWidget takes a cell of the next row otherwise.
    if (CompareGrd->columnCount() <= 2) return;
    for (int r = 0; r < CompareGrd->rowCount(); ++r) delete CompareGrd->takeItem(r, 2);
    CompareGrd->setHorizontalHeaderItem(2, new QTableWidgetItem);
    return;
  }
  for (int i = 0; i < foods_.Count(); ++i) ShowCompareColumn(i);
  CompareGrd->setColumnCount(foods_.Count() + 2);
}

void TBLSCompareDlg::RefreshRows() {
  NutrientTable* table = ctx().nutrients;
  if (!table) return;
  const std::vector<NutrientRow> rows = FilterRows(*table, false);
  CompareGrd->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    CompareGrd->setItem(r, 0, new QTableWidgetItem(toQ(rows[static_cast<size_t>(r)].name)));
    CompareGrd->setItem(r, 1, new QTableWidgetItem(toQ(rows[static_cast<size_t>(r)].unit)));
  }
  // Units such as "kcal/100g" are not cut.
  CompareGrd->resizeColumnToContents(1);
  CompareGrd->setColumnWidth(1, std::max(64, CompareGrd->columnWidth(1)));
  RedrawCompareColumns();
}

void TBLSCompareDlg::SelectColumn(int column) {
  CompareGrd->setCurrentCell(std::max(0, CompareGrd->currentRow()), column);
  CompareGrd->selectColumn(column);
}

void TBLSCompareDlg::ToLeftBtnClick() {
  const int k = CompareGrd->currentColumn();
  if (k <= 2 || !foods_.MoveLeft(k - 2)) return;
  RedrawCompareColumns();
  SelectColumn(k - 1);
}

void TBLSCompareDlg::DoRightClick() {
  const int k = CompareGrd->currentColumn();
  if (k < 2 || !foods_.MoveRight(k - 2)) return;
  RedrawCompareColumns();
  SelectColumn(k + 1);
}

}  // namespace tav
