// The statistics window: book figures with waste and advice, recipes per main category, counts
// of the reference data, and compressing from the window.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/index_file.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/record_file.h"
#include "recipedb/ui/reorg_dialog.h"
#include "recipedb/ui/statistics_dialog.h"
#include "recipedb/unit_table.h"
#include "services/tools_module.h"
#include "services/ui/lang_dialog.h"
#include "support/test_env.h"
#include "window_test_support.h"
#include "windows/user_actions.h"
#include "windows/user_gestures.h"
#include "windows/window_checks.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

// "Backen": 40 live entries, 2 deleted and 6 rewrites; "Suppen": 12 live in category 2.
class StatisticsWindow : public ::testing::Test {
 protected:
  explicit StatisticsWindow(const std::string& lang = "DE") {
    language = std::make_unique<test::WindowLanguage>(env, lang);
    for (const char* f : {"Gattung.dat", "einheit.dat", "zutaten.dat"})
      WriteAll(env.Root() + "Data/" + lang + "/" + f,
               ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/" + f));
    Book("Backen", 40, 2, 6, 1, -100);
    Book("Suppen", 12, 0, 0, 2, -200);
    books.ScanKBooks();
    ctx().books = &books;
    categories.ReadGattungen();
    ctx().categories = &categories;
    units.ReadEinheiten();
    ctx().units = &units;
    ingredients.ReadZutaten();
    ctx().ingredients = &ingredients;
    dlg = std::make_unique<TStatistikDlg>();
  }
  ~StatisticsWindow() override {
    dlg.reset();
    ctx().books = nullptr;
    ctx().categories = nullptr;
    ctx().units = nullptr;
    ctx().ingredients = nullptr;
  }
  // `live` live and `deleted` deleted entries in category `cat`, rewrites spread over the first.
  void Book(const std::string& name, int live, int deleted, int rewrites, int cat, int16_t id) {
    std::string idx = NewIndexBytes();
    for (int i = 0; i < live + deleted; ++i) {
      REZINDEX e;
      e.SetTitle("Rezept " + std::to_string(i));
      e.number = i + 1;
      e.deleted = i >= live ? 1 : 0;
      e.rewriteCount = static_cast<uint8_t>(i < rewrites ? 1 : 0);
      e.categories[0] = static_cast<uint16_t>(cat);
      idx.append(reinterpret_cast<const char*>(&e), sizeof e);
    }
    const std::string data = env.DataFolder();
    WriteFileAtomic(data + name + ".bok", TextModeRecordFileHeader());
    WriteFileAtomic(data + name + ".idx", idx);
    WriteTextLines(data + name + ".inf", {"", std::to_string(static_cast<uint16_t>(id)), "1", ""});
  }
  std::string Cell(QTableWidget* g, int row, int column) const {
    const QTableWidgetItem* item = g->item(row, column);
    return item ? fromQ(item->text()) : std::string();
  }
  int GattRow(const std::string& name) const {
    for (int r = 0; r < dlg->GattGrd->rowCount(); ++r)
      if (Cell(dlg->GattGrd, r, 0) == name) return r;
    return -1;
  }

  test::TestEnv env;
  CookbookList books;
  CategoryTable categories;
  UnitTable units;
  IngredientCatalogue ingredients;
  std::unique_ptr<test::WindowLanguage> language;
  std::unique_ptr<TStatistikDlg> dlg;
};

TEST_F(StatisticsWindow, FiguresOfEveryBookWithWasteAndAdvice) {
  EXPECT_TRUE(dlg->WaitTxt->isVisibleTo(dlg.get()));
  EXPECT_FALSE(dlg->OKBtn->isVisibleTo(dlg.get()));
  dlg->ComputeStatistics();
  EXPECT_FALSE(dlg->WaitTxt->isVisibleTo(dlg.get()));
  EXPECT_TRUE(dlg->OKBtn->isVisibleTo(dlg.get()));
  ASSERT_EQ(dlg->DBGrd->rowCount(), 3);
  EXPECT_EQ(fromQ(dlg->DBGrd->horizontalHeaderItem(4)->text()), GetLangText(193));
  const std::vector<std::string> total = {GetLangText(195), "52", "2", "6", "15 %", GetLangText(210)};
  const std::vector<std::string> backen = {"Backen", "40", "2", "6", "20 %", GetLangText(210)};
  const std::vector<std::string> suppen = {"Suppen", "12", "0", "0", "0 %", GetLangText(209)};
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(Cell(dlg->DBGrd, 0, c), total[static_cast<size_t>(c)]) << c;
    EXPECT_EQ(Cell(dlg->DBGrd, 1, c), backen[static_cast<size_t>(c)]) << c;
    EXPECT_EQ(Cell(dlg->DBGrd, 2, c), suppen[static_cast<size_t>(c)]) << c;
  }
  // Category 1 carries Backen's 42 entries, deleted ones included.
  std::string name1, name2;
  ASSERT_TRUE(categories.GetGattName(1, name1));
  ASSERT_TRUE(categories.GetGattName(2, name2));
  ASSERT_NE(GattRow(name1), -1);
  EXPECT_EQ(Cell(dlg->GattGrd, GattRow(name1), 1), "42");
  EXPECT_EQ(Cell(dlg->GattGrd, GattRow(name2), 1), "12");
  EXPECT_EQ(Cell(dlg->GattGrd, GattRow(name2), 2), "2");
  int main = 0, sub = 0, free = 0, fixedUnits = 0, converting = 0, count = 0;
  categories.CountGattKinds(main, sub, free);
  units.CountUnitKinds(fixedUnits, converting);
  ingredients.CountZutaten(count);
  const std::vector<int> others = {2, main, sub, free, fixedUnits, converting, count, 0, 0};
  for (int r = 0; r < 9; ++r) {
    EXPECT_EQ(Cell(dlg->SonstGrd, r, 0), GetLangText(200 + r));
    EXPECT_EQ(Cell(dlg->SonstGrd, r, 1), std::to_string(others[static_cast<size_t>(r)])) << r;
  }
}

TEST_F(StatisticsWindow, ABookRowOffersItsCompressionAndTheWindowCountsAgain) {
  TReorgDlg reorg;
  dlg->ComputeStatistics();
  dlg->show();
  ASSERT_TRUE(test::ClickCell(dlg->DBGrd, 0, 0));
  EXPECT_FALSE(dlg->reorgOneBtn->isVisibleTo(dlg.get()));  // the totals row
  ASSERT_TRUE(test::ClickCell(dlg->DBGrd, 1, 0));
  ASSERT_TRUE(dlg->reorgOneBtn->isVisibleTo(dlg.get()));
  EXPECT_EQ(fromQ(dlg->reorgOneBtn->text()), GetLangText(212) + "Backen" + GetLangText(213));
  EXPECT_TRUE(test::WhileModal(
      [&] {
        EXPECT_TRUE(reorg.ExactRdb->isChecked());
        const QList<QListWidgetItem*> chosen = reorg.KBookLiBo->selectedItems();
        ASSERT_EQ(chosen.size(), 1);
        EXPECT_EQ(fromQ(chosen[0]->text()), "Backen");
        Book("Backen", 40, 0, 0, 1, -100);  // as the compression leaves it
        reorg.reject();
      },
      [&] { EXPECT_TRUE(test::Click(dlg->reorgOneBtn)); }));
  EXPECT_EQ(Cell(dlg->DBGrd, 1, 2), "0");  // counted again after the compression window
  EXPECT_EQ(Cell(dlg->DBGrd, 1, 3), "0");
  EXPECT_TRUE(test::WhileModal(
      [&] {
        EXPECT_TRUE(reorg.AllRdb->isChecked());
        reorg.reject();
      },
      [&] { EXPECT_TRUE(test::Click(dlg->reorgAllBtn)); }));
  // Help opens the window's page and leaves the window open.
  TToolsMod tools;
  ctx().tools = &tools;
  EXPECT_TRUE(test::Click(dlg->HelpBtn));
  ctx().tools = nullptr;
  EXPECT_EQ(test::LastOf(env.shell.opened), env.Root() + "Data/DE/Help/Dlg_Statis.htm");
  // "Schließen" takes the window away.
  ASSERT_TRUE(dlg->isVisible());
  EXPECT_TRUE(test::Click(dlg->OKBtn));
  EXPECT_FALSE(dlg->isVisible());
}

TEST_F(StatisticsWindow, Screenshot) {
  dlg->ComputeStatistics();
  dlg->show();
  dlg->DBGrd->selectRow(1);
  test::Shot(dlg.get(), "statistics_DE");
  dlg->hide();
}

class StatisticsWindowEnglish : public StatisticsWindow {
 protected:
  StatisticsWindowEnglish() : StatisticsWindow("EN") {}
};

TEST_F(StatisticsWindowEnglish, Screenshot) {
  dlg->ComputeStatistics();
  dlg->show();
  EXPECT_EQ(Cell(dlg->DBGrd, 0, 0), "Total");
  test::Shot(dlg.get(), "statistics_EN");
  dlg->hide();
}

}  // namespace
}  // namespace tav
