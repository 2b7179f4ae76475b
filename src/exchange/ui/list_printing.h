#pragma once
// Printing the lists that other windows write into the export folder, with the print view's
// list layouts and the list margins (options 14, 27, 28): the shopping list ("Kauflist.txt"),
// the week plan ("WPlan.txt") and the recipe title list ("KList.txt"). A missing file prints
// nothing. The shopping-list and week-plan windows call the first two after writing their file.
class QWidget;

namespace tav {

void PrintShoppingList(QWidget* parent);
void PrintWeekPlanFile(QWidget* parent);
void PrintRecipeList(QWidget* parent);

}  // namespace tav
