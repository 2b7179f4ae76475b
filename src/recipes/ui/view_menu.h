#pragma once
// What the context menus of the recipe views share: their named items and the switch to
// another view by the main window's view menu.
class QAction;
class QMenu;

namespace tav {

// A menu item named like its component; the caption is the built-in German one (Windows-1252),
// which the language file replaces.
QAction* ViewMenuItem(QMenu* menu, const char* name, const char* caption);
// The same in bold: the menu's default item.
QAction* DefaultViewMenuItem(QMenu* menu, const char* name, const char* caption);

// "Rezept verändern" of every view: the recipe selected in the list into the editor, then the
// recipe buttons follow.
void EditSelectedFromView();

// The lexicon window with the terms of the recipe the views hand it (nothing without a
// lexicon).
void ShowLexiconOfShownRecipe();

// Gives the view item ("ViewStd", "ViewHTML", "ViewPrint") the only check mark; the main window
// then shows the selected recipe in that view.
void ChooseView(const char* itemName);

}  // namespace tav
