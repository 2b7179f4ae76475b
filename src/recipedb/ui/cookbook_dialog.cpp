#include "recipedb/ui/cookbook_dialog.h"

#include <QAction>
#include <QMenu>

#include "app/context.h"
#include "app/options_store.h"
#include "app/ui/lang_dialog.h"
#include "app/ui/main_window.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "recipes/ui/empty_view_window.h"

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
  if (EmptyDlg) EmptyDlg->LoadViewBackground(book.backgroundPicture);
}

void TKBookDlg::BuildKBookMenus() {
  TMainFrm* main = MainFrm;
  if (!main) return;
  using Handler = void (TMainFrm::*)(const std::string&);
  const std::pair<QMenu*, Handler> menus[] = {
      {main->KBMenu, &TMainFrm::MNOpenBookClick},
      {main->MnMoveRez, &TMainFrm::MNMoveRezClick},
      {main->MnCopyRez, &TMainFrm::MNCopyRezClick},
      {main->MnMoveMarked, &TMainFrm::MNMoveMarkedClick},
      {main->MnCopyMarked, &TMainFrm::MNCopyMarkedClick}};
  for (const auto& [menu, handler] : menus) {
    for (QAction* item : TMainFrm::BookMenuItems(menu)) {
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
    for (const auto& [menu, handler] : menus) {
      if (!menu) continue;
      auto* item = new QAction(caption, menu);
      item->setData(toQ(book.name));
      item->setProperty("bookItem", true);
      item->setToolTip(toQ(book.description));
      item->setStatusTip(toQ(book.description));
      if (handler == &TMainFrm::MNOpenBookClick) {
        item->setCheckable(true);
        item->setChecked(book.name == tick);
      }
      const std::string name = book.name;
      const Handler h = handler;
      QObject::connect(item, &QAction::triggered, main, [main, h, name] { (main->*h)(name); });
      menu->addAction(item);
    }
  }
}

}  // namespace tav
