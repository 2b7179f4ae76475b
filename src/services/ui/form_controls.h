#pragma once
// Creating the controls of the recipe windows: each control carries its component name, which
// the language file's form sections translate and size.
#include <QString>
#include <QWidget>
#include <string>

#include "services/ui/named_controls.h"

class QLabel;
class QScrollArea;
class QTextEdit;
class QVBoxLayout;

namespace tav {

// An editor page's scroll box, filling the page; gives the widget inside it that holds the
// page's controls.
QWidget* PageScrollBox(QWidget* page, const char* name, QScrollArea*& scrollBox);

// The recipe's title in bold at the top of an editor page.
QLabel* PageTitleLabel(QWidget* parent, const char* name);

// A one-column layout without margins or spacing: a form docked into the widget fills it.
QVBoxLayout* DockColumn(QWidget* w);
// A named panel to dock a form into.
QWidget* DockPanel(const char* name);
// Docks a form into a panel made by DockPanel and shows it there.
void DockInto(QWidget* form, QWidget* panel);

// The text of a text field as the user typed it, line breaks as '\n'. Unlike toPlainText it keeps
// non-breaking spaces, so that a field filled from a recipe and left alone gives the same text.
QString FieldText(const QTextEdit* field);

// A text kept with CR LF line ends as a text field shows it (the CRs dropped), and the field's
// text with CR LF line ends again.
QString MemoText(const std::string& text);
std::string CrLfText(const QString& memo);

// A caption bar over a list or text: bold text on the button colour, a line below.
QLabel* CaptionBar(const char* name, const QString& caption);

}  // namespace tav
