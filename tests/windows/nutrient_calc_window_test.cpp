// The nutrient calculation window offscreen: a recipe of the fixture food table, translated
// from the German language file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <filesystem>

#include "nutrients/nutrient_table.h"
#include "nutrients/ui/nutrient_calc_dialog.h"
#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipedb/book_test_util.h"
#include "recipedb/ingredient_catalogue.h"
#include "services/tools_module.h"
#include "services/ui/lang_dialog.h"
#include "window_test_support.h"
#include "windows/user_gestures.h"
#include "windows/window_checks.h"

namespace tav {
namespace {

REZZUTAT Line(const std::string& amount, const std::string& unit, const std::string& text,
              const std::string& key = "", int32_t grams = 0) {
  return REZZUTAT{amount, unit, text, key, grams, 0};
}

class CalcWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(std::string(TAVOLIN_FIXTURES) + "/food_table_crlf_cp1252", b.Data(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    b.env.userSettings.WriteString(kRegParam, "AKTLANGUAGE", "DE");
    b.env.Options().blsRezStoffe = {4, 6};
    ctx().options->blsRezStoffeStored = true;
    lang = std::make_unique<TLangDlg>();
    lang->FormCreate(nullptr);
    LangDlg = lang.get();
    ctx().nutrients = &table;
    ctx().foods = &foods;
    ctx().ingredients = &catalogue;
    ASSERT_TRUE(table.LoadNutrientTable());
    ASSERT_TRUE(foods.LoadBLSIndex());
    SetDecimalSep(',');
    dlg = std::make_unique<TBLSZutatDlg>();
    recipe.title = "Gem\xFCseteller";
    recipe.servings = 2;
    recipe.servingType = "Portionen";
    recipe.lines = {Line("", "", "*Salat"),
                    Line("200", "g", "Spinat", "G101000"),
                    Line("", "", "-gewaschen"),
                    Line("100", "g", "Kidneybohnen"),
                    Line("1", "Prise", "Salz", "", -1),
                    Line("3", "EL", "Linsen", "H102000")};
  }
  void TearDown() override {
    dlg.reset();
    LangDlg = nullptr;
    SetDecimalSep('.');
  }
  std::string Cell(QTableWidget* g, int r, int c) {
    const QTableWidgetItem* item = g->item(r, c);
    return item ? fromQ(item->text()) : std::string();
  }
  void Show() {
    dlg->LoadRecipeBlockForCalc(&recipe);
    dlg->show();
    QApplication::processEvents();
  }

  test::BookEnv b;
  std::unique_ptr<TLangDlg> lang;
  NutrientTable table;
  FoodDatabase foods;
  IngredientCatalogue catalogue;
  std::unique_ptr<TBLSZutatDlg> dlg;
  REZBLOCK recipe;
};

TEST_F(CalcWindow, ShowsTheLinesTheirColoursAndTheSums) {
  Show();
  EXPECT_EQ(fromQ(dlg->windowTitle()), "N\xE4hrwertberechnung nach BLS");
  EXPECT_EQ(fromQ(dlg->TitleTxt->text()), "Gem\xFCseteller");
  QTableWidget* g = dlg->ZutatGrd;
  ASSERT_EQ(g->rowCount(), 5);
  EXPECT_EQ(fromQ(g->horizontalHeaderItem(4)->text()), GetLangText(610));
  EXPECT_EQ(Cell(g, 1, 2), "Spinat, gewaschen");
  EXPECT_EQ(Cell(g, 1, 4), "200 g");
  EXPECT_EQ(Cell(g, 2, 4), "100 g");
  EXPECT_EQ(Cell(g, 3, 4), "Unbedeutend");
  EXPECT_EQ(Cell(g, 4, 4), "30 g");
  // Heading dark, with food and weight green, weight without food yellow (the first row is
  // selected).
  EXPECT_EQ(g->item(0, 0)->background().color(), QColor(0x40, 0x40, 0x40));
  EXPECT_EQ(g->item(0, 0)->foreground().color(), QColor(0xFF, 0xFF, 0));
  EXPECT_EQ(g->item(1, 0)->background().color(), QColor(0xE0, 0xFF, 0xE0));
  EXPECT_EQ(g->item(2, 0)->background().color(), QColor(0xFF, 0xFF, 0xE0));
  EXPECT_EQ(g->item(3, 0)->background().color(), QColor(0xE0, 0xFF, 0xE0));
  // Clicking a heading hides the weight group, the food button and the messages.
  EXPECT_FALSE(dlg->MengeGrp->isVisible());
  EXPECT_FALSE(dlg->GetBLSCodeBtn->isVisible());

  // All nutrients: "à Portion" above the per-serving column; incomplete in red.
  EXPECT_EQ(fromQ(dlg->StoffGrd->horizontalHeaderItem(2)->text()), "\xE0 Portion");
  EXPECT_EQ(fromQ(dlg->ErrMsg3Txt->text()), GetLangText(410));
  EXPECT_EQ(dlg->ErrMsg3Txt->palette().color(QPalette::WindowText), QColor(0xFF, 0, 0));
  EXPECT_EQ(dlg->StoffGrd->rowCount(), table.GetStoffCount());
  EXPECT_EQ(Cell(dlg->StoffGrd, 4, 0), "Energie (kcal)");
  EXPECT_EQ(Cell(dlg->StoffGrd, 4, 1), "151,60");  // 46 + 105,6
  EXPECT_EQ(Cell(dlg->StoffGrd, 4, 2), "75,80");
  EXPECT_EQ(Cell(dlg->StoffGrd, 4, 4), "kcal");
}

TEST_F(CalcWindow, RepairingTheLinesCompletesTheCalculation) {
  Show();
  dlg->chooseFood = [](const std::string& search, std::string& key, std::string& name) {
    EXPECT_EQ(search, "Kidneybohnen");
    key = "H101000";
    name = "Gr\xFCne Erbsen, getrocknet";
    return true;
  };
  dlg->ZutatGrd->setCurrentCell(2, 0);
  EXPECT_TRUE(dlg->MengeGrp->isVisible());
  EXPECT_TRUE(dlg->CalcOKRdb->isChecked());
  EXPECT_EQ(fromQ(dlg->ErrMsgTxt->text()), GetLangText(405));
  EXPECT_EQ(fromQ(dlg->ErrMsg2Txt->text()), GetLangText(406));
  dlg->GetBLSCodeBtn->click();
  EXPECT_EQ(Cell(dlg->ZutatGrd, 2, 3),
            "Gr\xFC"
            "ne Erbsen, getrocknet");
  EXPECT_EQ(fromQ(dlg->ErrMsgTxt->text()), "");
  EXPECT_EQ(fromQ(dlg->ErrMsg3Txt->text()), GetLangText(409));
  EXPECT_EQ(dlg->ErrMsg3Txt->palette().color(QPalette::WindowText), QColor(0, 0x80, 0));
  dlg->ManGrammEdt->setText("150");  // typing selects the manual mode
  EXPECT_TRUE(dlg->ManInputRdb->isChecked());
  EXPECT_EQ(Cell(dlg->ZutatGrd, 2, 4), "150 g");
  EXPECT_EQ(Cell(dlg->StoffGrd, 4, 3), "546,00");  // the selected line's own value

  // The filter list: a group shows its nutrients, and the choice is kept as option 53.
  dlg->BLSFilterCoBo->setCurrentIndex(2);  // "Mineralstoffe"
  EXPECT_EQ(ctx().options->Int(53), 2);
  ASSERT_EQ(dlg->StoffGrd->rowCount(), 1);
  EXPECT_EQ(Cell(dlg->StoffGrd, 0, 0), "Natrium");

  // Closing with Esc stores sums, keys and weights into the edited recipe.
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(dlg.get(), &esc);
  EXPECT_FALSE(dlg->isVisible());
  ASSERT_EQ(recipe.nutrients.size(), 2u);
  EXPECT_STREQ(recipe.nutrients[0].code, "GCAL");
  EXPECT_EQ(recipe.nutrients[0].value, "697,60");  // 46 + 546 + 105,6
  EXPECT_EQ(recipe.lines[3].blsCode, "H101000");
  EXPECT_EQ(recipe.lines[3].grams, 150);
}

// A double click on a line chooses its food; the manual button brings the typed grams back.
TEST_F(CalcWindow, ByMouseALineGetsItsFoodAndItsGrams) {
  Show();
  std::string asked;
  dlg->chooseFood = [&](const std::string& search, std::string& key, std::string& name) {
    asked = search;
    key = "H101000";
    name = "Gr\xFCne Erbsen, getrocknet";
    return true;
  };
  ASSERT_TRUE(test::DoubleClickCell(dlg->ZutatGrd, 2, 0));
  EXPECT_EQ(asked, "Kidneybohnen");
  EXPECT_EQ(Cell(dlg->ZutatGrd, 2, 3),
            "Gr\xFC"
            "ne Erbsen, getrocknet");
  ASSERT_TRUE(test::TypeInto(dlg->ManGrammEdt, "150"));
  EXPECT_EQ(Cell(dlg->ZutatGrd, 2, 4), "150 g");
  ASSERT_TRUE(test::ClickBox(dlg->EgalRdb));
  EXPECT_EQ(Cell(dlg->ZutatGrd, 2, 4), "Unbedeutend");
  ASSERT_TRUE(test::ClickBox(dlg->ManInputRdb));
  EXPECT_EQ(Cell(dlg->ZutatGrd, 2, 4), "150 g");
}

TEST_F(CalcWindow, ClosingByTheTitleBarStoresNothing) {
  Show();
  dlg->ZutatGrd->setCurrentCell(2, 0);
  dlg->EgalRdb->click();
  EXPECT_EQ(fromQ(dlg->ErrMsg3Txt->text()), GetLangText(409));
  EXPECT_EQ(Cell(dlg->ZutatGrd, 2, 4), "Unbedeutend");
  dlg->close();
  EXPECT_TRUE(recipe.nutrients.empty());
  EXPECT_EQ(recipe.lines[3].grams, 0);
}

TEST_F(CalcWindow, UnimportantAndBackToAutomatic) {
  Show();
  dlg->ZutatGrd->setCurrentCell(2, 0);
  dlg->EgalRdb->click();
  EXPECT_EQ(dlg->lines[2].gramsSetting, -1);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(dlg->AutoCalcRdb, &release);  // the label stands for its button
  EXPECT_EQ(dlg->lines[2].gramsSetting, 0);
  EXPECT_EQ(Cell(dlg->ZutatGrd, 2, 4), "100 g");
  EXPECT_TRUE(dlg->CalcOKRdb->isChecked());
}

TEST_F(CalcWindow, ReportAndHelp) {
  Show();
  dlg->OutputResultBtn->click();
  const std::string page = test::ReadAll(b.env.Root() + "HTML/blsvalues.html");
  EXPECT_NE(page.find("<font face=\"Arial\">Rezept: Gem\xFCseteller</font>"), std::string::npos);
  EXPECT_NE(page.find("<font face=\"Arial\">Spinat, gewaschen</font>"), std::string::npos);
  EXPECT_NE(page.find(GetLangText(410)), std::string::npos);
  TToolsMod tools;
  ctx().tools = &tools;
  dlg->HelpBtn->click();
  ASSERT_EQ(b.env.shell.opened.size(), 2u);
  EXPECT_EQ(b.env.shell.opened[0], b.env.Root() + "HTML/blsvalues.html");
  EXPECT_EQ(b.env.shell.opened[1], b.Data() + "DE/Help/Dlg_BLSNCalc.htm");
}

TEST_F(CalcWindow, LooksTidy) {
  Show();
  dlg->resize(960, 640);
  dlg->ZutatGrd->setCurrentCell(2, 0);
  EXPECT_TRUE(dlg->ErrMsgTxt->isVisible());
  test::Shot(dlg.get(), "nutrient_calculation");
}

TEST_F(CalcWindow, FilterListFollowsTheGroups) {
  EXPECT_EQ(dlg->BLSFilterCoBo->count(), 3);
  table.Groups().push_back({"Aaa", 9, false});
  table.FillFilterGroupCombos();
  ASSERT_EQ(dlg->BLSFilterCoBo->count(), 4);
  EXPECT_EQ(fromQ(dlg->BLSFilterCoBo->itemText(1)), "Aaa");
  dlg.reset();
  table.FillFilterGroupCombos();  // the window is gone and no longer called
  EXPECT_EQ(table.FilterEntries().size(), 4u);
}

}  // namespace
}  // namespace tav
