#pragma once
// The whole program over the shipped data root with one book of dishes built through the store
// before the start: the frame of the lexicon, menu and season window tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "app/ui/tips_dialog.h"
#include <QPushButton>
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipedb/book_test_util.h"
#include "recipedb/index_file.h"
#include "recipedb/recipe_records.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/recipe_list_window.h"
#include "support/test_env.h"
#include "windows/user_actions.h"
#include "windows/user_gestures.h"
#include "windows/window_test_support.h"

namespace tav::test {

class KitchenProgram : public ::testing::Test {
 protected:
  TestEnv env;
  TempDir program;
  std::string savedProgram = ProgramFolder();
  TChooseRezDlg* list = nullptr;

  void SetUp() override {
    SetProgramFolder(program.Path());
    std::filesystem::copy(TAVOLIN_SHIPPED_DATA, env.Root(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    env.userSettings.WriteString(kRegParam, "KBook", "Hausbuch");
    env.userSettings.WriteString(kRegParam, "ShowMode", "1");
  }
  void TearDown() override {
    DestroyAllWindows();
    SetProgramFolder(savedProgram);
  }

  // The current book "Hausbuch" with these recipes (numbers 1, 2, ...), made before the start.
  void MakeBook(std::vector<REZBLOCK> recipes, const std::string& name = "Hausbuch") {
    KBOOK book;
    book.name = name;
    MakeBookBeforeStart(env, book, std::move(recipes));
  }

  void Start(const char* lang = "DE") {
    env.userSettings.WriteString(kRegParam, "AktLanguage", lang);
    StartProgram();
    MainFrm->FormActivate();
    QApplication::processEvents();
    list = ChooseRezDlg;
    env.messages.shown.clear();  // notices about reference files this data root leaves out
    // The tip of the day read and closed, as a user starts.
    if (AssistDlg && AssistDlg->isVisible()) test::ClickThroughWindow(AssistDlg->IDCanc);
  }

  int RowOf(const std::string& title) const {
    REZINDEX e;
    for (int row = 0; row < list->Count(); ++row)
      if (list->RowEntry(row, e) && e.Title() == title) return row;
    return -1;
  }
  // Selects a recipe of the list and shows it as a click does.
  void ShowRecipe(const std::string& title) {
    const int row = RowOf(title);
    ASSERT_GE(row, 0) << title;
    list->SelectOnly(row);
    list->ShowSelectedRecipe(false);
    QApplication::processEvents();
  }
  // A click on the title in the recipe list, as the mouse gives it (with Ctrl held, one more
  // recipe selected).
  void ClickRecipe(const std::string& title, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const int row = RowOf(title);
    ASSERT_GE(row, 0) << title;
    ASSERT_TRUE(test::ClickCell(list->ChooseLiBo, row, 0, mods)) << title;
    QApplication::processEvents();
  }
  // The program ended as the user ends it: "Beenden" in the file menu.
  void EndProgram() {
    ASSERT_TRUE(test::ClickMenuPath(MainFrm, {"FileMenu", "FileExitItem"}));
    QApplication::processEvents();
    ASSERT_FALSE(MainFrm->isVisible());
    DestroyAllWindows();
  }
  // The live entries of a book's index file.
  std::vector<REZINDEX> IndexEntries(const std::string& book = "Hausbuch") const {
    int32_t counter = 0;
    std::vector<REZINDEX> entries, live;
    EXPECT_TRUE(ReadIndexFile(env.DataFolder() + book + ".idx", counter, entries));
    for (const REZINDEX& e : entries)
      if (e.deleted == 0) live.push_back(e);
    return live;
  }
  // Runs `inside` once the modal window opened by `open` is up, then closes it unless `inside`
  // did (user_actions.h).
  static bool WhileModal(const std::function<void()>& inside, const std::function<void()>& open) {
    return test::WhileModal(inside, open);
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& m : env.messages.shown) out.push_back(m.text);
    return out;
  }
  void Shot(QWidget* w, const std::string& name) { test::Shot(w, name); }
};

// A recipe of the book: title, servings, ingredient lines, text.
inline REZBLOCK Dish(const std::string& title, int servings, std::vector<REZZUTAT> lines,
                     const std::string& text) {
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = title;
  r.servings = servings;
  r.servingType = "Portionen";
  r.lines = std::move(lines);
  r.lineCount = static_cast<int32_t>(r.lines.size());
  r.text = text;
  return r;
}

inline REZZUTAT Line(const char* amount, const char* unit, const char* text) {
  return REZZUTAT{amount, unit, text, "", 0, 0};
}

}  // namespace tav::test
