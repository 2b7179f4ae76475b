#include "nutrients/ui/food_grids.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QTreeWidget>

#include "nutrients/nutrient_table.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"

namespace tav {

QTableWidget* NewFoodGrid(QWidget* parent, const char* name, const QStringList& titles) {
  auto* g = new QTableWidget(0, static_cast<int>(titles.size()), parent);
  g->setObjectName(QString::fromLatin1(name));
  g->setHorizontalHeaderLabels(titles);
  g->verticalHeader()->hide();
  g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 6);
  g->setSelectionBehavior(QAbstractItemView::SelectRows);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->horizontalHeader()->setHighlightSections(false);
  g->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  g->setWordWrap(false);
  return g;
}

void FillFoodRows(QTableWidget* grid, const std::vector<LB_DATA>& foods) {
  grid->setUpdatesEnabled(false);
  grid->clearContents();
  grid->setRowCount(std::max<int>(1, static_cast<int>(foods.size())));
  for (int r = 0; r < static_cast<int>(foods.size()); ++r) {
    const LB_DATA& f = foods[static_cast<size_t>(r)];
    grid->setItem(r, 0, new QTableWidgetItem(QString::fromLatin1(f.key)));
    grid->setItem(r, 1, new QTableWidgetItem(toQ(f.name)));
  }
  grid->setUpdatesEnabled(true);
}

void SetFoodGridColumns(QTableWidget* grid, bool showKey) {
  grid->setColumnHidden(0, !showKey);
  if (showKey) grid->setColumnWidth(0, 60);
  grid->setColumnWidth(1, 800);
}

std::string CellText(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? fromQ(item->text()) : std::string();
}

void FillGroupTreeItems(QTreeWidget* tree, const std::vector<BLSGROUPNODE>& nodes) {
  tree->clear();
  for (const BLSGROUPNODE& main : nodes) {
    auto* item = new QTreeWidgetItem(tree, QStringList(toQ(main.text)));
    item->setData(0, Qt::UserRole, main.data);
    for (const BLSGROUPNODE& sub : main.children) {
      auto* child = new QTreeWidgetItem(item, QStringList(toQ(sub.text)));
      child->setData(0, Qt::UserRole, sub.data);
    }
  }
}

int GroupNodeData(const QTreeWidgetItem* item) {
  return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

void FillSearchNutrients(QComboBox* list, std::vector<std::string>& codes) {
  list->clear();
  codes.clear();
  NutrientTable* table = ctx().nutrients;
  if (!table) return;
  for (int p = 0; p < table->GetStoffCount(); ++p) {
    ISTOFF s;
    table->GetStoffAtPos(p, &s);  // visible or not
    if (s.name.empty() && s.code[0] == '\0') continue;
    if (s.isText) continue;
    std::string text = s.name;
    if (s.unit[0] != '\0') text += std::string(" (") + s.unit + ")";
    list->addItem(toQ(text));
    codes.push_back(s.code);
  }
}

void FillCompareOperators(QComboBox* list) {
  list->clear();
  for (const char* op : {"<", "<=", "=", ">=", ">"}) list->addItem(QString::fromLatin1(op));
}

}  // namespace tav
