#include "exchange/ui/list_printing.h"

#include "exchange/ui/print_preview_window.h"
#include "exchange/ui/qt_printing.h"

namespace tav {

namespace {

// The print view owns the page geometry; the next repaint of its preview restores its own.
template <class Print>
void PrintList(QWidget* parent, Print print) {
  QtPrintDevice device(parent);
  if (PrintRezDlg) {
    print(static_cast<RecipePrintView&>(*PrintRezDlg), device);
    PrintRezDlg->update();
    return;
  }
  RecipePrintView view;
  print(view, device);
}

}  // namespace

void PrintShoppingList(QWidget* parent) {
  PrintList(parent, [](RecipePrintView& v, PrintDevice& d) { v.PrintShoppingList(d); });
}

void PrintWeekPlanFile(QWidget* parent) {
  PrintList(parent, [](RecipePrintView& v, PrintDevice& d) { v.PrintWeekPlanFile(d); });
}

void PrintRecipeList(QWidget* parent) {
  PrintList(parent, [](RecipePrintView& v, PrintDevice& d) { v.PrintRecipeList(d); });
}

}  // namespace tav
