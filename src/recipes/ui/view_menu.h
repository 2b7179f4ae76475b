#pragma once
// What the context menus of the recipe views share: their named items and the switch to
// another view by the main window's view menu.
class QAction;
class QMenu;

namespace tav {

// A menu item named like its component; the caption is the built-in German one (Windows-1252),
// which the language file replaces.
QAction* ViewMenuItem(QMenu* menu, const char* name, const char* caption);

// Gives the view item ("ViewStd", "ViewHTML", "ViewPrint") the only check mark; the main window
// then shows the selected recipe in that view.
void ChooseView(const char* itemName);

}  // namespace tav
