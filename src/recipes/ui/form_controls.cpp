#include "recipes/ui/form_controls.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tav {

QWidget* PageScrollBox(QWidget* page, const char* name, QScrollArea*& scrollBox) {
  scrollBox = Named<QScrollArea>(page, name);
  scrollBox->setWidgetResizable(true);
  scrollBox->setFrameShape(QFrame::NoFrame);
  auto* box = new QWidget;
  scrollBox->setWidget(box);
  auto* outer = new QVBoxLayout(page);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scrollBox);
  return box;
}

QLabel* PageTitleLabel(QWidget* parent, const char* name) {
  QLabel* title = Named<QLabel>(parent, name);
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  title->setFont(bold);
  return title;
}

}  // namespace tav
