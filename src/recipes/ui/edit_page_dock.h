#pragma once
// Placing the recipe editor's pages: each page docks itself into the editor's page area when it
// is shown, and the pages borrow the editor's picture panel.
#include <QWidget>

namespace tav {

// A part of the editor by its component name ("EditPnl", "ImagePnl" …); null before the editor
// has it.
QWidget* EditorPart(const char* name);

// Hides the other editor pages, docks `page` into the editor's page area so that it fills it,
// and shows it.
void DockEditPage(QWidget* page);

// Moves `part` into `host` so that it fills it, and shows it.
void FillHost(QWidget* part, QWidget* host);

}  // namespace tav
