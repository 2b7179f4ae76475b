#pragma once
// Creating the controls of the recipe windows: each control carries its component name, which
// the language file's form sections translate and size.
#include <QString>
#include <QWidget>

namespace tav {

template <typename W>
W* Named(QWidget* parent, const char* name) {
  auto* w = new W(parent);
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

}  // namespace tav
