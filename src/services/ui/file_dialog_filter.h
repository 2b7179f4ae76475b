#pragma once
// File-dialog filters of the language texts ("description|pattern|description|pattern ...",
// patterns separated by ';') in the form Qt's file dialogs take.
#include <QStringList>
#include <string>

namespace tav {

// One entry per pair: the description without its own "(...)" list, then the patterns in
// parentheses, separated by blanks: "Bilder (*.jpg *.bmp)".
QStringList FileDialogFilters(const std::string& pairs);

}  // namespace tav
