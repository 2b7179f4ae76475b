#pragma once
// File-dialog filters of the language texts ("description|pattern|description|pattern ...",
// patterns separated by ';') in the form Qt's file dialogs take.
#include <QStringList>
#include <string>

class QFileDialog;

namespace tav {

// One entry per pair: the description without its own "(...)" list, then the patterns in
// parentheses, separated by blanks: "Bilder (*.jpg *.bmp)".
QStringList FileDialogFilters(const std::string& pairs);

// A save dialog over a folder where the program keeps its own scratch files (the export
// folder's "$$$.html" and "$$$.txt" of the views, "name.$$$<pid>" of a write in progress)
// lists none of them. Qt's own dialog: a native one takes no filter of the program's.
void HideScratchFiles(QFileDialog& dialog);

}  // namespace tav
