#pragma once
// Creating the controls of a window: each control carries its component name, which the
// language file's form sections use to translate and size it.
#include <QBoxLayout>
#include <QString>
#include <QWidget>
#include <initializer_list>

#include "platform/qt/qt_text.h"

namespace tav {

template <typename W>
W* Named(QWidget* parent, const char* name) {
  auto* w = new W(parent);
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

// A named control with its built-in caption (Windows-1252).
template <typename W>
W* Captioned(QWidget* parent, const char* name, const char* caption) {
  W* w = Named<W>(parent, name);
  w->setText(toQ(caption));
  return w;
}

// The usual bottom row of a dialog: the help button on the left, then the given buttons on the
// right.
inline QHBoxLayout* DialogButtonRow(QWidget* help, std::initializer_list<QWidget*> buttons) {
  auto* row = new QHBoxLayout;
  if (help) row->addWidget(help);
  row->addStretch(1);
  for (QWidget* b : buttons) row->addWidget(b);
  return row;
}

// A list or grid with its buttons stacked at the top on its right.
inline QHBoxLayout* WithSideButtons(QWidget* main, std::initializer_list<QWidget*> buttons) {
  auto* row = new QHBoxLayout;
  row->addWidget(main, 1);
  auto* column = new QVBoxLayout;
  for (QWidget* b : buttons) column->addWidget(b);
  column->addStretch(1);
  row->addLayout(column);
  return row;
}

// A tab strip over a list, and the list's buttons in a row below it.
inline QVBoxLayout* TabbedList(QWidget* tabs, QWidget* list,
                               std::initializer_list<QWidget*> buttons) {
  auto* column = new QVBoxLayout;
  column->setSpacing(0);
  column->addWidget(tabs);
  column->addWidget(list, 1);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 6, 0, 0);
  for (QWidget* b : buttons) row->addWidget(b);
  row->addStretch(1);
  column->addLayout(row);
  return column;
}

}  // namespace tav
