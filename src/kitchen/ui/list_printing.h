#pragma once
// Printing of the shopping list (Kauflist.txt) and of the week plan (WPlan.txt) as PDF files in
// the export folder, opened through the desktop. A plain stand-in until the program prints lists
// with its own page layout: each is one function, so that layout can take its place.
class QWidget;

namespace tav {

// Kauflist.txt -> Kauflist.pdf: the heading in bold, the other lines as they stand.
void PrintShoppingList(QWidget* parent);
// WPlan.txt -> WPlan.pdf: the heading in bold, "D:" day headings, "T:" entries in bold, "B:"
// remarks in italics, other lines a small gap.
void PrintWeekPlanFile(QWidget* parent);

}  // namespace tav
