#include "recipedb/ui/cookbook_dialog.h"

#include <QAction>
#include <QMenu>

#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "recipedb/ui/book_background_view.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"

namespace tav {

TKBookDlg* KBookDlg = nullptr;

TKBookDlg::TKBookDlg(QWidget* parent) : QDialog(parent) {
  KBookDlg = this;
  setObjectName(QStringLiteral("KBookDlg"));
  ctx().books = this;
  ScanKBooks();
  if (LangDlg) LangDlg->TranslateForm(this);
}

TKBookDlg::~TKBookDlg() {
  if (ctx().books == this) ctx().books = nullptr;
}

void TKBookDlg::BookSelected(const KBOOK& book) {
  if (BookBackgroundView* view = BookBackground()) view->LoadViewBackground(book.backgroundPicture);
}

void TKBookDlg::BuildKBookMenus() {
  MainWindowAccess* main = MainWindow();
  if (!main) return;
  const std::pair<QMenu*, BookMenuKind> menus[] = {
      {main->BookMenu(BookMenuKind::Open), BookMenuKind::Open},
      {main->BookMenu(BookMenuKind::MoveRecipe), BookMenuKind::MoveRecipe},
      {main->BookMenu(BookMenuKind::CopyRecipe), BookMenuKind::CopyRecipe},
      {main->BookMenu(BookMenuKind::MoveMarked), BookMenuKind::MoveMarked},
      {main->BookMenu(BookMenuKind::CopyMarked), BookMenuKind::CopyMarked}};
  for (const auto& [menu, kind] : menus) {
    for (QAction* item : MainWindowAccess::BookMenuItems(menu)) {
      menu->removeAction(item);
      item->deleteLater();  // the item may be the one whose click is running
    }
  }
  std::string tick = ctx().options ? ctx().options->Str(6) : std::string();
  if (!ctx().options || !FileExists(ctx().options->Str(2) + tick + ".inf")) {
    if (books_.empty()) return;
    tick = books_.front().name;
  }
  for (const KBOOK& book : books_) {
    QString caption = toQ(book.name);
    caption.replace(QLatin1Char('&'), QLatin1String("&&"));
    for (const auto& [menu, kind] : menus) {
      if (!menu) continue;
      auto* item = new QAction(caption, menu);
      item->setData(toQ(book.name));
      item->setProperty("bookItem", true);
      item->setToolTip(toQ(book.description));
      item->setStatusTip(toQ(book.description));
      if (kind == BookMenuKind::Open) {
        item->setCheckable(true);
        item->setChecked(book.name == tick);
      }
      const std::string name = book.name;
      const BookMenuKind k = kind;
      QObject::connect(item, &QAction::triggered, main->FrameWidget(),
                       [main, k, name] { main->BookMenuClick(k, name); });
      menu->addAction(item);
    }
  }
}

}  // namespace tav
