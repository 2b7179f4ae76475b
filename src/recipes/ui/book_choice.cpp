#include "recipes/ui/book_choice.h"

#include <QApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/qt_text.h"
#include "recipedb/cookbook_list.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/ui/named_controls.h"

namespace tav {

BookChoice::BookChoice(QWidget* parent) {
  group = Named<QGroupBox>(parent, "BookGrp");
  group->setTitle(
      toQ(" In welchen Kochb\xFC"
          "chern ? "));
  current = Captioned<QRadioButton>(group, "BookAktRdb", "nur im aktuellen &Kochbuch");
  all = Captioned<QRadioButton>(group, "BookAllRdb",
                                "in allen K&ochb\xFC"
                                "chern");
  chosen = Captioned<QRadioButton>(group, "BookSelRdb",
                                   "nur in folgenden Kochb\xFC"
                                   "chern");
  list = Named<QListWidget>(group, "KBookLiBo");
  list->setSelectionMode(QAbstractItemView::MultiSelection);
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(current);
  layout->addWidget(all);
  layout->addWidget(chosen);
  layout->addWidget(list, 1);
}

void BookChoice::FillNames(std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CompareTextNoCase(a, b) < 0;
  });
  list->clear();
  for (const std::string& n : names) list->addItem(toQ(n));
}

void BookChoice::FillAllBooks() {
  std::vector<std::string> names;
  if (ctx().books)
    for (const KBOOK& b : ctx().books->Books()) names.push_back(b.name);
  FillNames(std::move(names));
}

std::vector<std::string> BookChoice::ChosenNames() const {
  std::vector<std::string> names;
  if (current->isChecked()) {
    if (ctx().options) names.push_back(ctx().options->Str(6));
  } else if (all->isChecked()) {
    if (ctx().books)
      for (const KBOOK& b : ctx().books->Books()) names.push_back(b.name);
  } else if (chosen->isChecked()) {
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->isSelected()) names.push_back(fromQ(list->item(i)->text()));
  }
  return names;
}

void EventPump::Run() {
  if (since_.isValid() && since_.elapsed() < 25) return;
  QApplication::processEvents();
  since_.start();
}

}  // namespace tav
