#include "recipes/ui/edit_page_dock.h"

#include <QLayout>
#include <QVBoxLayout>

#include "recipes/ui/edit_additional_page_window.h"
#include "recipes/ui/edit_other_page_window.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/quick_entry_page_window.h"
#include "recipes/ui/recipe_editor_window.h"

namespace tav {

QWidget* EditorPart(const char* name) {
  if (!EditRezDlg) return nullptr;
  return EditRezDlg->findChild<QWidget*>(QString::fromLatin1(name));
}

void FillHost(QWidget* part, QWidget* host) {
  if (!part || !host) return;
  if (part->parentWidget() != host) {
    part->setParent(host);
    if (!host->layout()) {
      auto* layout = new QVBoxLayout(host);
      layout->setContentsMargins(0, 0, 0, 0);
      layout->setSpacing(0);
    }
    host->layout()->addWidget(part);
  }
  part->show();
}

void DockEditPage(QWidget* page) {
  for (QWidget* other : {static_cast<QWidget*>(NEditDlg), static_cast<QWidget*>(QEditDlg),
                         static_cast<QWidget*>(ZEditDlg), static_cast<QWidget*>(AEditDlg)})
    if (other && other != page) other->hide();
  FillHost(page, EditorPart("EditPnl"));
}

}  // namespace tav
