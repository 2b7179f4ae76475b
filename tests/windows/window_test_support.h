#pragma once
// What the window tests share: the language the windows are translated into, and screenshots
// of windows that assert their look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_model.h"
#include "recipedb/recipe_store.h"
#include "services/options_store.h"
#include "services/ui/lang_dialog.h"
#include "support/test_env.h"
#include "window_look.h"

namespace tav::test {

// The user's language `lang` (the settings value), its language file loaded, the options
// created, and a localisation window that translates every form created after it.
class WindowLanguage {
 public:
  WindowLanguage(TestEnv& env, const std::string& lang) {
    env.userSettings.WriteString(kRegParam, "AktLanguage", lang);
    env.LoadLanguage(lang);
    env.Options();
    dlg_ = std::make_unique<TLangDlg>();
    dlg_->FormCreate(nullptr);
    LangDlg = dlg_.get();
  }
  ~WindowLanguage() {
    if (LangDlg == dlg_.get()) LangDlg = nullptr;
  }
  WindowLanguage(const WindowLanguage&) = delete;
  WindowLanguage& operator=(const WindowLanguage&) = delete;

 private:
  std::unique_ptr<TLangDlg> dlg_;
};

// Before the program starts: the book `name` with the recipes (each stored as the editor stores
// it, its flags in the index too), made the current book of the options. The context is left
// as it was found, for the program to fill.
inline void BuildBookBeforeStart(TestEnv& env, const std::string& name,
                                 const std::vector<REZBLOCK>& recipes) {
  OptionsStore& options = env.Options();
  CookbookList books;
  TdbList store;
  ctx().books = &books;
  ctx().dbList = &store;
  books.ScanKBooks();
  KBOOK book;
  book.name = name;
  ASSERT_TRUE(books.CreateKBook(book));
  options.SetParaString(6, name);
  books.SelectKBook(name);
  store.ReloadBookIndex();
  for (REZBLOCK b : recipes) {
    b.number = store.NextRecipeNumber(name);
    int32_t offset = 0, length = 0;
    ASSERT_TRUE(store.WriteRezBlock("", b, offset, length));
    REZINDEX e;
    e.SetTitle(b.title);
    e.number = b.number;
    e.offset = offset;
    e.length = length;
    e.flags = b.flags;
    ASSERT_TRUE(store.WriteIndexEntry(e, -1));
  }
  ctx().books = nullptr;
  ctx().dbList = nullptr;
  ctx().recipeList = nullptr;
  ctx().options = nullptr;
}

// The window as the user sees it: whole (see LookFaults), and in English every caption English.
// Written as <name>.png when TAVOLIN_SHOTS names a folder.
inline void Shot(QWidget* w, const std::string& name) {
  QApplication::processEvents();  // pending layout requests, as the event loop would run them
  const QPixmap shot = w->grab();
  EXPECT_FALSE(shot.isNull()) << name;
  ExpectLooksWhole(w, name);
  if (LangDlg && LangDlg->Language() == "EN") ExpectEnglishCaptions(w, name);
  if (const char* folder = std::getenv("TAVOLIN_SHOTS"))
    shot.save(QString::fromStdString(std::string(folder) + "/" + name + ".png"));
}

// Runs `work` once the modal window `dialog` is up, then closes it unless `work` did. `open`
// brings the window up (by default its own exec); it may be a command that shows it.
inline void WhileShown(QDialog* dialog, const std::function<void()>& work,
                       const std::function<void()>& open = {}) {
  QTimer::singleShot(0, dialog, [dialog, work] {
    work();
    if (dialog->isVisible()) dialog->reject();
  });
  if (open)
    open();
  else
    dialog->exec();
}

// The texts of a list's items, in order.
inline std::vector<std::string> ListTexts(const QListWidget* list) {
  std::vector<std::string> out;
  for (int i = 0; i < list->count(); ++i) out.push_back(fromQ(list->item(i)->text()));
  return out;
}

}  // namespace tav::test
