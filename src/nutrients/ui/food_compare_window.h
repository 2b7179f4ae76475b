#pragma once
// The food comparison: one column per food beside the nutrients of the current filter. A
// border-less window docked into the food browser's bottom panel.
#include <QWidget>

#include <string>

#include "nutrients/food_views.h"

class QPushButton;
class QTableWidget;

namespace tav {

class TBLSCompareDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TBLSCompareDlg(QWidget* parent = nullptr);

  // Adds a copy of the browser's current food (message 434 when it shows none).
  void AddCurrentFoodToCompare();
  // Reads the food and adds it; nothing when it is not found.
  void AddCompareFoodByKey(const char* key);
  // Appends the food unless its key is compared already (message 377).
  void AddCompareFood(const LB_DATA* food);
  // Removes the food of the selected column.
  void RemoveCompareFood();
  // Writes food i into column i+2; -1 only lays out rows and columns.
  void ShowCompareColumn(int i);
  void RedrawCompareColumns();
  // The rows' names and units from the current filter, then every column.
  void RefreshRows();
  void ToLeftBtnClick();
  void DoRightClick();

  const FoodComparison& Foods() const { return foods_; }

  QTableWidget* CompareGrd;
  QPushButton* NewBtn;
  QPushButton* DelBtn;
  QPushButton* ToLeftBtn;
  QPushButton* DoRight;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void SelectColumn(int column);
  FoodComparison foods_;
};

extern TBLSCompareDlg* BLSCompareDlg;

}  // namespace tav
