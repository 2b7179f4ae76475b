#pragma once
// Creating the controls of the recipe windows: each control carries its component name, which
// the language file's form sections translate and size.
#include <QString>
#include <QWidget>

class QLabel;
class QScrollArea;

namespace tav {

template <typename W>
W* Named(QWidget* parent, const char* name) {
  auto* w = new W(parent);
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

// An editor page's scroll box, filling the page; gives the widget inside it that holds the
// page's controls.
QWidget* PageScrollBox(QWidget* page, const char* name, QScrollArea*& scrollBox);

// The recipe's title in bold at the top of an editor page.
QLabel* PageTitleLabel(QWidget* parent, const char* name);

}  // namespace tav
