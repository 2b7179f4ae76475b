#pragma once
// Parts shared by the panes docked into the main window (shopping list, week plan, day panel): the
// dark blue title strip with its small picture buttons, the pictures drawn for them, and named
// menu items.
#include <QColor>
#include <QIcon>
#include <QString>

class QAction;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QToolButton;
class QWidget;

namespace tav {

// Pictures of the kitchen windows, drawn in code: the pane's close button, help, the shopping
// basket, the 12-pixel marks of a planned recipe and of a day remark, and the 16-pixel marks of
// a dealer and of an ingredient in the dealer tree.
enum class PanePicture { Close, Help, Shop, Recipe, Remark, Dealer, Ingredient };
QIcon PaneIcon(PanePicture which);

// A title strip 17 pixels high: bold yellow Arial on dark blue, caption at its left, the
// buttons added to `buttons` sit at its right end.
QWidget* PaneTitleStrip(QWidget* parent, const char* name, QLabel*& caption, QHBoxLayout*& buttons);
// A 14 x 14 picture button for a title strip.
QToolButton* PaneButton(QWidget* parent, const char* name, PanePicture picture);

// A group box named as its component, with its built-in title (Windows-1252).
QGroupBox* KitchenGroup(QWidget* parent, const char* name, const char* title);

// A menu item named as its component, with its built-in caption (Windows-1252).
QAction* KitchenMenuItem(QMenu* menu, const char* name, const char* caption);

// Light blue of the panes' lists and grids, the darker light blue of every other line, and the
// dark blue of a selected line.
inline QColor PaneLight() {
  return QColor(248, 248, 255);
}
inline QColor PaneDarker() {
  return QColor(240, 240, 255);
}
inline QColor PaneSelected() {
  return QColor(68, 68, 136);
}

}  // namespace tav
