#include "recipes/ui/view_menu.h"

#include <QAction>
#include <QMenu>

#include "platform/qt/qt_text.h"
#include "recipes/ui/lexicon_access.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/ui/main_window_access.h"

namespace tav {

QAction* ViewMenuItem(QMenu* menu, const char* name, const char* caption) {
  QAction* a = menu->addAction(toQ(caption));
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

QAction* DefaultViewMenuItem(QMenu* menu, const char* name, const char* caption) {
  QAction* a = ViewMenuItem(menu, name, caption);
  QFont bold = a->font();
  bold.setBold(true);
  a->setFont(bold);
  return a;
}

void EditSelectedFromView() {
  if (ChooseRezDlg) ChooseRezDlg->EditSelectedRecipe(false);
  if (auto* main = MainWindow()) main->UpdateRecipeButtons();
}

void ShowLexiconOfShownRecipe() {
  LexiconAccess* lexicon = Lexicon();
  if (!lexicon) return;
  lexicon->ShowLexicon();
  lexicon->SelectLexiconTab(0);
  lexicon->UpdateRecipeLexiconTerms(false);
}

void ChooseView(const char* itemName) {
  MainWindowAccess* main = MainWindow();
  if (!main) return;
  QAction* item = main->Action(itemName);
  for (const char* name : {"ViewStd", "ViewHTML", "ViewPrint"})
    if (QAction* a = main->Action(name)) a->setChecked(a == item);
  main->SetViewMode(0);
}

}  // namespace tav
