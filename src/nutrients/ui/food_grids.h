#pragma once
// The grids and lists the food windows share: the key-and-name grid of foods, the group tree
// and the nutrient list of the food search.
#include <QStringList>

#include <string>
#include <vector>

#include "nutrients/food_database.h"

class QComboBox;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace tav {

// A read-only grid with whole rows selected, no row numbers, its header titles given.
QTableWidget* NewFoodGrid(QWidget* parent, const char* name, const QStringList& titles);

// The foods as rows, key in column 0 and name in column 1; one empty row when there are none.
void FillFoodRows(QTableWidget* grid, const std::vector<LB_DATA>& foods);

// Key column 60 wide or hidden, name column 800 wide.
void SetFoodGridColumns(QTableWidget* grid, bool showKey);

// Text of a cell; "" for an empty cell.
std::string CellText(const QTableWidget* grid, int row, int column);

// The group tree: main groups with their sub-groups, each item carrying its node data.
void FillGroupTreeItems(QTreeWidget* tree, const std::vector<BLSGROUPNODE>& nodes);
int GroupNodeData(const QTreeWidgetItem* item);

// Every nutrient that is not a text column, in the position order of the table now, as
// name " (unit)"; `codes` gets their codes in list order.
void FillSearchNutrients(QComboBox* list, std::vector<std::string>& codes);

// The operators of the amount search, in their numbered order.
void FillCompareOperators(QComboBox* list);

}  // namespace tav
