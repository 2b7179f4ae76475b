// The food windows offscreen over the fixture food table: the browser with its tree, food and
// value grids and its comparison, the search window, the chooser and the filter group window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <memory>

#include "nutrients/ui/filter_group_dialog.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "nutrients/ui/food_chooser_dialog.h"
#include "nutrients/ui/food_compare_window.h"
#include "nutrients/ui/food_grids.h"
#include "nutrients/ui/food_search_dialog.h"
#include "nutrients/ui/food_search_inputs.h"
#include "nutrients/ui/new_filter_dialog.h"
#include "platform/numbers.h"
#include "platform/text_file.h"
#include "services/ui/main_window_access.h"
#include "window_test_support.h"
#include "windows/fake_main_window.h"
#include "windows/user_actions.h"
#include "windows/user_gestures.h"
#include "windows/window_checks.h"

namespace tav {
namespace {

using test::WhileShown;

// The food windows in their creation order over a copy of a food table, translated from the
// language file of `lang`.
class FoodWindows {
 public:
  explicit FoodWindows(const std::string& lang = "DE",
                       const std::string& table = std::string(TAVOLIN_FIXTURES) +
                                                  "/food_table_crlf_cp1252") {
    Registered<MainWindowAccess>::Enter(nullptr);
    std::filesystem::copy(table, env.DataFolder(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    language = std::make_unique<test::WindowLanguage>(env, lang);
    SetDecimalSep(',');
    Create();
  }
  ~FoodWindows() {
    Destroy();
    SetDecimalSep('.');
  }
  // As the program makes them at start-up, and ends them in reverse.
  void Create() {
    browser = new TBLSMainDlg;
    compare = new TBLSCompareDlg;
    filter = new TBLSFilterDlg;
    search = new TBLSSearchDlg;
    newFilter = new TNewFilterDlg;
    chooser = new TBLSChooseDlg;
  }
  void Destroy() {
    delete chooser;
    delete newFilter;
    delete search;
    delete filter;
    delete browser;  // the comparison is docked into it
  }
  std::vector<std::string> FoodKeys(QTableWidget* grid) const {
    std::vector<std::string> keys;
    for (int r = 0; r < grid->rowCount(); ++r) keys.push_back(CellText(grid, r, 0));
    return keys;
  }
  bool Shown(int text) const {
    for (const auto& s : env.messages.shown)
      if (s.text == GetLangText(text)) return true;
    return false;
  }

  test::TestEnv env;
  std::unique_ptr<test::WindowLanguage> language;
  TBLSMainDlg* browser = nullptr;
  TBLSCompareDlg* compare = nullptr;
  TBLSFilterDlg* filter = nullptr;
  TBLSSearchDlg* search = nullptr;
  TNewFilterDlg* newFilter = nullptr;
  TBLSChooseDlg* chooser = nullptr;
};

class FoodWindowsTest : public ::testing::Test {
 protected:
  FoodWindows w;
  QTreeWidgetItem* Node(int main, int sub = -1) {
    QTreeWidgetItem* item = w.browser->GattTre->topLevelItem(main);
    return sub < 0 ? item : item->child(sub);
  }
  std::vector<std::string> ValueNames() {
    std::vector<std::string> names;
    for (int r = 0; r < w.browser->InhaltGrd->rowCount(); ++r)
      names.push_back(CellText(w.browser->InhaltGrd, r, 0));
    return names;
  }
};

TEST_F(FoodWindowsTest, AGroupListsExactlyItsFoodsAndTheFirstFoodsValues) {
  TBLSMainDlg& b = *w.browser;
  b.show();
  EXPECT_EQ(fromQ(b.windowTitle()), "BLS-Daten: Lebensmittel und N\xE4hrwerte");
  ASSERT_EQ(b.GattTre->topLevelItemCount(), 4);
  EXPECT_EQ(fromQ(Node(0)->text(0)), "Gem\xFCse");
  // Shown on the first main group: all its sub-groups' foods.
  EXPECT_EQ(w.FoodKeys(b.StoffGrd),
            (std::vector<std::string>{"G101000", "G102000", "G201000", "G202000"}));
  EXPECT_TRUE(b.StoffGrd->isColumnHidden(0));  // option 55 off
  b.GattTre->setCurrentItem(Node(0, 1));
  EXPECT_EQ(w.FoodKeys(b.StoffGrd), (std::vector<std::string>{"G201000", "G202000"}));
  EXPECT_EQ(CellText(b.StoffGrd, 0, 1), "Wei\xDFkohl");
  EXPECT_EQ(b.StoffGrd->currentRow(), 0);
  EXPECT_STREQ(b.currentFood.key, "G201000");
  EXPECT_EQ(b.InhaltGrd->rowCount(), 10);  // all nutrients
  EXPECT_EQ(CellText(b.InhaltGrd, 3, 0), "Wasser");
  EXPECT_EQ(CellText(b.InhaltGrd, 3, 1), "92,18");
  EXPECT_EQ(CellText(b.InhaltGrd, 3, 2), "g/100g");
  EXPECT_EQ(fromQ(b.DetailPnl->text()), GetLangText(579));

  // Another row shows its food; a group without data shows no values.
  b.StoffGrd->setCurrentCell(1, 1);
  EXPECT_STREQ(b.currentFood.key, "G202000");
  EXPECT_EQ(CellText(b.InhaltGrd, 1, 1), "Gr\xFCnkohl");
  b.GattTre->setCurrentItem(Node(3, 0));
  EXPECT_EQ(w.FoodKeys(b.StoffGrd), (std::vector<std::string>{"M101000"}));
  EXPECT_EQ(b.InhaltGrd->rowCount(), 1);
  EXPECT_EQ(CellText(b.InhaltGrd, 0, 0), "");
  EXPECT_STREQ(b.currentFood.key, "");

  // The filter list: the group's nutrients in its order, and the choice kept as option 53.
  b.GattTre->setCurrentItem(Node(0, 0));
  b.FiltGrpCoBo->setCurrentIndex(2);  // "Mineralstoffe"
  EXPECT_EQ(ctx().options->Int(53), 2);
  EXPECT_EQ(ValueNames(), (std::vector<std::string>{"Natrium"}));
  b.FiltGrpCoBo->setCurrentIndex(1);
  EXPECT_EQ(ValueNames(), (std::vector<std::string>{"Energie (kcal)", "Energie (kJ)", "Eiwei\xDF",
                                                    "Fett", "Wasser"}));
}

TEST_F(FoodWindowsTest, OptionFiftyFourKeepsValuesBelowOne) {
  ctx().options->SetParaBool(54, true);
  TBLSMainDlg& b = *w.browser;
  b.show();
  ASSERT_TRUE(b.ShowBLSFoodInTree("K101000"));
  // "kurze Zeile": the fields after kcal are empty and go; so does nothing else.
  EXPECT_EQ(ValueNames(),
            (std::vector<std::string>{"Schl\xFC"
                                      "ssel",
                                      "Bezeichnung", "Bemerkung", "Wasser", "Energie (kcal)"}));
  ASSERT_TRUE(b.ShowBLSFoodInTree("G101000"));
  const std::vector<std::string> names = ValueNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "Fett"), names.end()) << "0,39 g stays";
  EXPECT_EQ(std::find(names.begin(), names.end(), "Bemerkung"), names.end());
}

TEST_F(FoodWindowsTest, AFoodShownByKeySelectsItsGroupAndRow) {
  TBLSMainDlg& b = *w.browser;
  b.show();
  EXPECT_TRUE(b.ShowBLSFoodInTree("G202000"));
  EXPECT_EQ(b.GattTre->currentItem(), Node(0, 1));
  EXPECT_EQ(b.StoffGrd->currentRow(), 1);
  EXPECT_STREQ(b.currentFood.key, "G202000");
  EXPECT_EQ(b.RememberedKey(), "G202000");
  // A main or sub-group that the tree does not hold changes nothing.
  EXPECT_FALSE(b.ShowBLSFoodInTree("Z101000"));
  EXPECT_FALSE(b.ShowBLSFoodInTree("H901000"));
  EXPECT_EQ(b.GattTre->currentItem(), Node(0, 1));
  EXPECT_STREQ(b.currentFood.key, "G202000");
  // Shown from elsewhere while hidden: the window comes up on that food.
  b.hide();
  b.ShowFood("H102000");
  EXPECT_TRUE(b.isVisible());
  EXPECT_STREQ(b.currentFood.key, "H102000");
}

// The browser at its first-start size and at 640 x 480: every control of the tool bar on the
// bar ("..." with its text), the comparison panel opened and closed with its button, the values
// whole.
TEST_F(FoodWindowsTest, TheBrowserShowsEveryControlAndClosesItsComparison) {
  TBLSMainDlg& b = *w.browser;
  b.show();
  ASSERT_TRUE(b.ShowBLSFoodInTree("G101000"));
  QToolBar* bar = b.BLSToolBar;
  for (const QSize size : {b.size(), QSize(640, 480)}) {
    SCOPED_TRACE(size.width());
    b.resize(size);
    QTest::qWait(10);
    for (QAction* a : bar->actions()) {
      if (a->isSeparator()) continue;
      QWidget* control = bar->widgetForAction(a);
      ASSERT_TRUE(control) << fromQ(a->objectName());
      EXPECT_TRUE(control->isVisible()) << fromQ(a->objectName()) << " is in the overflow menu";
      EXPECT_TRUE(bar->rect().contains(control->geometry())) << fromQ(a->objectName());
    }
    auto* more = qobject_cast<QToolButton*>(bar->widgetForAction(b.TBChangeFilter));
    ASSERT_TRUE(more);
    EXPECT_EQ(fromQ(more->text()), "...");
    EXPECT_GE(more->width(), more->fontMetrics().horizontalAdvance(QStringLiteral("...")));
    for (int r = 0; r < b.InhaltGrd->rowCount(); ++r) {
      for (int c : {1, 2}) {
        if (QTableWidgetItem* item = b.InhaltGrd->item(r, c)) {
          EXPECT_LE(b.InhaltGrd->fontMetrics().horizontalAdvance(item->text()),
                    b.InhaltGrd->columnWidth(c))
              << fromQ(item->text());
        }
      }
    }
    test::Shot(&b, "food_browser_" + std::to_string(size.width()));
  }

  QWidget* compareButton = bar->widgetForAction(b.TBShowCompare);
  QTest::mouseClick(compareButton, Qt::LeftButton);
  EXPECT_TRUE(b.BottomGrp->isVisible());
  EXPECT_GE(b.BottomGrp->height(), 200);
  QTest::mouseClick(compareButton, Qt::LeftButton);
  QTest::qWait(10);
  EXPECT_FALSE(b.BottomGrp->isVisible()) << "the comparison stays open";
  EXPECT_EQ(b.ComparePanelHeight(), 3);
}

TEST_F(FoodWindowsTest, TheComparisonTakesEachFoodOnce) {
  TBLSMainDlg& b = *w.browser;
  TBLSCompareDlg& c = *w.compare;
  b.show();
  EXPECT_EQ(b.ComparePanelHeight(), 3);
  b.TBShowCompare->trigger();
  EXPECT_EQ(b.ComparePanelHeight(), 220);
  b.TBShowCompare->trigger();
  EXPECT_EQ(b.ComparePanelHeight(), 3);

  ASSERT_TRUE(b.ShowBLSFoodInTree("G101000"));
  b.AddLMMnu->trigger();
  b.AddLMMnu->trigger();
  EXPECT_TRUE(w.Shown(377));
  EXPECT_EQ(c.Foods().Count(), 1);
  EXPECT_EQ(c.CompareGrd->columnCount(), 3);
  EXPECT_EQ(fromQ(c.CompareGrd->horizontalHeaderItem(2)->text()), "Spinat");
  EXPECT_EQ(fromQ(c.CompareGrd->horizontalHeaderItem(0)->text()), GetLangText(930));
  ASSERT_EQ(c.CompareGrd->rowCount(), 10);
  EXPECT_EQ(CellText(c.CompareGrd, 4, 0), "Energie (kcal)");
  EXPECT_EQ(CellText(c.CompareGrd, 4, 1), "kcal/100g");
  EXPECT_EQ(CellText(c.CompareGrd, 4, 2), "23");
  ASSERT_TRUE(b.ShowBLSFoodInTree("H102000"));
  c.NewBtn->click();
  EXPECT_EQ(CellText(c.CompareGrd, 4, 3), "352");

  // Moving stops at the ends; a move takes the selection along.
  c.CompareGrd->setCurrentCell(0, 2);
  c.ToLeftBtn->click();
  EXPECT_STREQ(c.Foods().Food(0).key, "G101000");
  c.DoRight->click();
  EXPECT_STREQ(c.Foods().Food(1).key, "G101000");
  EXPECT_EQ(c.CompareGrd->currentColumn(), 3);
  EXPECT_EQ(CellText(c.CompareGrd, 4, 3), "23");
  c.DoRight->click();
  EXPECT_STREQ(c.Foods().Food(1).key, "G101000");

  // A filter change rebuilds the rows; removing the last food leaves column 2 empty.
  b.FiltGrpCoBo->setCurrentIndex(2);
  ASSERT_EQ(c.CompareGrd->rowCount(), 1);
  EXPECT_EQ(CellText(c.CompareGrd, 0, 0), "Natrium");
  EXPECT_EQ(CellText(c.CompareGrd, 0, 2), "6");
  c.CompareGrd->setCurrentCell(0, 1);
  b.DelLMMnu->trigger();  // a fixed column: nothing
  EXPECT_EQ(c.Foods().Count(), 2);
  c.CompareGrd->setCurrentCell(0, 2);
  c.DelBtn->click();
  c.CompareGrd->setCurrentCell(0, 2);
  c.DelBtn->click();
  EXPECT_EQ(c.Foods().Count(), 0);
  EXPECT_EQ(c.CompareGrd->columnCount(), 3);
  EXPECT_EQ(CellText(c.CompareGrd, 0, 2), "");

  // Without a food in the browser the comparison says so.
  b.GattTre->setCurrentItem(Node(3, 0));
  w.env.messages.shown.clear();
  c.NewBtn->click();
  EXPECT_TRUE(w.Shown(434));
}

TEST_F(FoodWindowsTest, TheSearchWindowFindsByNameKeyAndAmount) {
  TBLSMainDlg& b = *w.browser;
  TBLSSearchDlg& s = *w.search;
  FoodSearchInputs& in = *s.inputs;
  b.show();
  WhileShown(
      &s,
      [&] {
        EXPECT_TRUE(in.NoResTxt->isVisible());
        EXPECT_FALSE(in.SearchResultGrd->isVisible());
        EXPECT_FALSE(s.ShowLMBtn->isVisible());
        s.StartBtnClick();
        EXPECT_TRUE(w.Shown(375));
        in.LMEdt->setText("kohl");
        EXPECT_TRUE(in.LMRdb->isChecked());
        in.StartBtn->click();
        EXPECT_EQ(w.FoodKeys(in.SearchResultGrd), (std::vector<std::string>{"G201000", "G202000"}));
        EXPECT_TRUE(s.ShowLMBtn->isVisible());
        EXPECT_TRUE(s.ShowLMBtn->isDefault());
        in.LMEdt->setText("quark");
        EXPECT_TRUE(in.StartBtn->isDefault()) << "a changed input is searched by Enter";
        in.StartBtn->click();
        EXPECT_TRUE(in.NothFoundTxt->isVisible());
        EXPECT_FALSE(in.SearchResultGrd->isVisible());
        EXPECT_FALSE(s.CompareLMBtn->isVisible());
        in.BLSEdt->setText("h1");
        EXPECT_TRUE(in.BLSRdb->isChecked());
        in.StartBtn->click();
        EXPECT_EQ(w.FoodKeys(in.SearchResultGrd), (std::vector<std::string>{"H101000", "H102000"}));
        // Energy in kcal above 300: both pulses; both go to the comparison.
        const auto code = std::find(in.codes.begin(), in.codes.end(), "GCAL");
        ASSERT_NE(code, in.codes.end());
        ASSERT_TRUE(test::TypeInto(in.MengeEdt, "300"));
        EXPECT_TRUE(in.MengeRdb->isChecked());
        ASSERT_TRUE(test::ClickBox(in.BLSRdb));
        const int gcal = static_cast<int>(code - in.codes.begin());
        ASSERT_NE(in.StoffCoBo->currentIndex(), gcal + 1);
        ASSERT_TRUE(test::ChooseInCombo(in.StoffCoBo, in.StoffCoBo->itemText(gcal + 1)));
        EXPECT_TRUE(in.MengeRdb->isChecked());
        in.StoffCoBo->setCurrentIndex(gcal);
        in.CompCoBo->setCurrentIndex(4);
        in.StartBtn->click();
        EXPECT_EQ(w.FoodKeys(in.SearchResultGrd), (std::vector<std::string>{"H101000", "H102000"}));
        in.SearchResultGrd->selectAll();
        s.CompareLMBtn->click();
        EXPECT_EQ(w.compare->Foods().Count(), 2);
        EXPECT_EQ(b.ComparePanelHeight(), 220);
        EXPECT_TRUE(s.isVisible());
        in.SearchResultGrd->setCurrentCell(1, 1);
        s.ShowLMBtn->click();
      },
      [&] { b.TBSearchClick(); });
  EXPECT_FALSE(s.isVisible());
  EXPECT_STREQ(b.currentFood.key, "H102000");
  EXPECT_EQ(b.RememberedKey(), "") << "emptied after the search";
  // A double click on a found food shows it as well.
  WhileShown(
      &s,
      [&] {
        ASSERT_TRUE(test::TypeInto(in.LMEdt, "kohl"));
        in.StartBtn->click();
        ASSERT_EQ(w.FoodKeys(in.SearchResultGrd), (std::vector<std::string>{"G201000", "G202000"}));
        EXPECT_TRUE(test::DoubleClickCell(in.SearchResultGrd, 1, 1));
      },
      [&] { b.TBSearchClick(); });
  EXPECT_FALSE(s.isVisible());
  EXPECT_STREQ(b.currentFood.key, "G202000");
}

TEST_F(FoodWindowsTest, TheChooserHandsBackTheFoodTakenOverOnly) {
  TBLSChooseDlg& c = *w.chooser;
  std::string key, name;
  // A double click takes a food over even without the take-over button.
  c.SetChooseOption("OvertakeBtn", false);
  c.SetChooseOption("StartSearch", false);
  WhileShown(&c, [&] {
    EXPECT_FALSE(c.SearchPageShown());
    EXPECT_FALSE(c.ShowLMBtn->isVisible());
    c.GattTre->setCurrentItem(c.GattTre->topLevelItem(1)->child(0));
    EXPECT_EQ(w.FoodKeys(c.StoffGrd), (std::vector<std::string>{"H101000", "H102000"}));
    ASSERT_TRUE(test::ClickCell(c.StoffGrd, 1, 1));
    EXPECT_FALSE(c.ShowLMBtn->isVisible());
    EXPECT_TRUE(c.SeeLMBtn->isVisible());
    // The browser shows the food modal above the chooser.
    WhileShown(
        w.browser,
        [&] {
          EXPECT_TRUE(QTest::qWaitFor([&] { return std::string(w.browser->currentFood.key) == "H102000"; }));
          w.browser->close();
        },
        [&] { ASSERT_TRUE(test::Click(c.SeeLMBtn)); });
    EXPECT_TRUE(c.isVisible());
    c.StoffGrd->cellDoubleClicked(1, 1);
  });
  EXPECT_TRUE(c.GetChosenBLSFood(&key, &name));
  EXPECT_EQ(key, "H102000");
  EXPECT_EQ(name, "Linsen");
  // Closed without taking one: nothing, though a food was taken the last time.
  WhileShown(&c, [&] { c.close(); });
  EXPECT_FALSE(c.GetChosenBLSFood(&key, &name));
  EXPECT_EQ(key, "");

  // The search page with the text preset; nothing found keeps the take-over button hidden,
  // also after switching pages back and forth.
  c.SetChooseOption("StartSearch", true);
  bool chosen = false;
  WhileShown(
      &c,
      [&] {
        EXPECT_TRUE(c.SearchPageShown());
        EXPECT_EQ(fromQ(c.inputs->LMEdt->text()), "Erbsen");
        c.inputs->LMEdt->setText("Quark");
        c.inputs->StartBtn->click();
        EXPECT_TRUE(c.inputs->NothFoundTxt->isVisible());
        ASSERT_TRUE(test::ClickTab(c.BLSReiter->tabBar(), c.BLSReiter->tabText(1)));
        EXPECT_TRUE(c.SeeLMBtn->isVisible());
        ASSERT_TRUE(test::ClickTab(c.BLSReiter->tabBar(), c.BLSReiter->tabText(0)));
        EXPECT_FALSE(c.ShowLMBtn->isVisible());
        EXPECT_FALSE(c.SeeLMBtn->isVisible());
        w.env.messages.shown.clear();
        c.SeeLMBtnClick();
        EXPECT_TRUE(w.Shown(376));
        c.inputs->LMEdt->setText("erbsen");
        c.inputs->StartBtn->click();
        EXPECT_TRUE(c.ShowLMBtn->isVisible());
        EXPECT_TRUE(c.ShowLMBtn->isDefault());
        c.inputs->LMEdt->setText("erbse");
        EXPECT_TRUE(c.inputs->StartBtn->isDefault()) << "a changed input is searched by Enter";
        EXPECT_TRUE(test::DoubleClickCell(c.inputs->SearchResultGrd, 0, 1));
      },
      [&] { chosen = c.ChooseFoodFor("Erbsen", key, name); });
  EXPECT_TRUE(chosen);
  EXPECT_EQ(key, "H101000");

  // An empty row (a group without foods) taken over hands back no food.
  c.SetChooseOption("StartSearch", false);
  WhileShown(
      &c,
      [&] {
        c.StoffGrd->clearContents();
        c.StoffGrd->setRowCount(1);
        c.StoffGrd->setCurrentCell(0, 1);
        c.StoffGrd->selectRow(0);
        c.ShowLMBtn->click();
        EXPECT_FALSE(c.isVisible());
      },
      [&] { chosen = c.ChooseFood(key, name); });
  EXPECT_FALSE(chosen);
}

TEST_F(FoodWindowsTest, ANewGroupWithThreeNutrientsIsWrittenAndShown) {
  TBLSMainDlg& b = *w.browser;
  TBLSFilterDlg& f = *w.filter;
  b.show();
  ASSERT_TRUE(b.ShowBLSFoodInTree("G102000"));
  WhileShown(
      &f,
      [&] {
        // The browser shows all nutrients: no group to edit yet.
        EXPECT_EQ(f.FiltGrpCoBo->currentIndex(), -1);
        EXPECT_FALSE(f.IStoffLiBo->isVisible());
        EXPECT_TRUE(f.InfoTxt->isVisible());
        // A name taken already (letter case aside) is refused; closing the name window any way but
        // OK names nothing.
        WhileShown(
            w.newFilter,
            [&] {
              w.newFilter->FiltGrpNameEdt->setText("MINERALSTOFFE");
              w.newFilter->OKBtn->click();
            },
            [&] { f.NewFiltGrpBrnClick(); });
        EXPECT_TRUE(w.Shown(383));
        WhileShown(
            w.newFilter,
            [&] {
              w.newFilter->FiltGrpNameEdt->setText("Vom Fenster geschlossen");
              w.newFilter->close();
            },
            [&] { f.NewFiltGrpBrnClick(); });
        EXPECT_EQ(f.Groups().size(), 2u);
        WhileShown(
            w.newFilter,
            [&] {
              w.newFilter->FiltGrpNameEdt->setText("Meine Auswahl");
              w.newFilter->OKBtn->click();
            },
            [&] { f.NewFiltGrpBrnClick(); });
        ASSERT_EQ(f.Groups().size(), 3u);
        EXPECT_EQ(f.Groups()[2].id, 8);
        EXPECT_EQ(fromQ(f.FiltGrpCoBo->currentText()), "Meine Auswahl");
        EXPECT_TRUE(f.IStoffLiBo->isVisible());
        ASSERT_EQ(f.IStoffLiBo->count(), 10);
        for (int r = 0; r < f.IStoffLiBo->count(); ++r)
          EXPECT_EQ(f.IStoffLiBo->item(r)->checkState(), Qt::Unchecked);
        EXPECT_EQ(test::ReadAll(w.env.DataFolder() + "Filt_8.bls").substr(0, 13),
                  "SBLS#0#0\r\nST#");
        // Three nutrients ticked; fat moved up before protein.
        for (int r : {4, 6, 7}) f.IStoffLiBo->item(r)->setCheckState(Qt::Checked);
        f.IStoffLiBo->setCurrentRow(7);
        f.ZutatUpBtn->click();
        EXPECT_EQ(fromQ(f.IStoffLiBo->item(6)->text()), "Fett");
        ASSERT_TRUE(test::Click(f.ZutatDownBtn));
        EXPECT_EQ(fromQ(f.IStoffLiBo->item(7)->text()), "Fett");
        ASSERT_TRUE(test::Click(f.ZutatUpBtn));
        EXPECT_EQ(fromQ(f.IStoffLiBo->item(6)->text()), "Fett");
        EXPECT_EQ(f.IStoffLiBo->item(6)->checkState(), Qt::Checked);
        f.CloseBtn->click();
      },
      [&] { b.DefIStoffMnuClick(); });
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(w.env.DataFolder() + "Filt_8.bls", lines));
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[4], "GCAL#4#1");
  EXPECT_EQ(lines[6], "ZE#7#1");
  EXPECT_EQ(lines[7], "ZF#6#1");
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.back() == '1'; }),
            3);
  const std::string groups = test::ReadAll(w.env.DataFolder() + "FiltGrps.bls");
  EXPECT_EQ(groups.substr(groups.size() - 19), "Meine Auswahl#8#0\r\n");
  // The browser shows the new group: three rows, in the new order.
  EXPECT_EQ(fromQ(b.FiltGrpCoBo->currentText()), "Meine Auswahl");
  EXPECT_EQ(ctx().options->Int(53), 2);
  EXPECT_EQ(ValueNames(), (std::vector<std::string>{"Energie (kcal)", "Fett", "Eiwei\xDF"}));
  EXPECT_EQ(w.filter->currentGroup, -1);
}

TEST_F(FoodWindowsTest, DeletingAGroupNeedsYesAndLeavesNoGroupCurrent) {
  TBLSMainDlg& b = *w.browser;
  TBLSFilterDlg& f = *w.filter;
  b.show();
  b.FiltGrpCoBo->setCurrentIndex(2);  // "Mineralstoffe", id 7
  const std::string energy = test::ReadAll(w.env.DataFolder() + "Filt_3.bls");
  WhileShown(
      &f,
      [&] {
        EXPECT_EQ(fromQ(f.FiltGrpCoBo->currentText()), "Mineralstoffe");
        EXPECT_FALSE(f.DayValuesChk->isChecked());
        // Clicking the day-values box ticks it for this group only, and it stays ticked.
        f.DayValuesChk->click();
        EXPECT_TRUE(f.DayValuesChk->isChecked());
        f.DayValuesChk->click();
        EXPECT_TRUE(f.DayValuesChk->isChecked());
        EXPECT_FALSE(f.Groups()[1].forDayValues);
        w.env.messages.answers = {IDNO};
        f.DelFiltGrpBrn->click();
        EXPECT_TRUE(w.Shown(388));
        EXPECT_EQ(f.Groups().size(), 2u);
        w.env.messages.answers = {IDCANCEL};
        f.DelFiltGrpBrn->click();
        EXPECT_EQ(f.Groups().size(), 2u);
        w.env.messages.answers = {IDYES};
        f.DelFiltGrpBrn->click();
        ASSERT_EQ(f.Groups().size(), 1u);
        EXPECT_EQ(f.currentGroup, -1);
        EXPECT_FALSE(f.IStoffLiBo->isVisible());
        EXPECT_TRUE(f.InfoTxt->isVisible());
        f.CloseBtn->click();
      },
      [&] { b.DefIStoffMnuClick(); });
  EXPECT_FALSE(std::filesystem::exists(w.env.DataFolder() + "Filt_7.bls"));
  EXPECT_EQ(test::ReadAll(w.env.DataFolder() + "Filt_3.bls"), energy) << "no other group written";
  EXPECT_EQ(test::ReadAll(w.env.DataFolder() + "FiltGrps.bls"),
            "Energie und Hauptn\xE4hrstoffe#3#0\r\n");
  EXPECT_EQ(b.FiltGrpCoBo->currentIndex(), 0);
}

// The browser's menu `menu` opened with a click on its menu bar and its item clicked; false
// when the menu does not open or the item cannot be clicked.
bool ClickBrowserMenu(TBLSMainDlg& b, QMenu* menu, QAction* item) {
  QMenuBar* bar = b.MainMnu;
  test::ActivateForClick(bar);
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                    bar->actionGeometry(menu->menuAction()).center());
  if (!QTest::qWaitFor([&] { return menu->isVisible(); }, 1000)) return false;
  if (!item->isVisible() || !item->isEnabled()) {
    menu->close();
    return false;
  }
  QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
  return true;
}

// The main window's options window as the browser opens it: the user switches the key column.
struct KeyColumnOptions : test::FakeMainWindow {
  void ShowOptionsWindow(int page) override {
    FakeMainWindow::ShowOptionsWindow(page);
    ctx().options->SetParaBool(55, !ctx().options->Flag(55));
  }
};

// The tool bar and menu of the browser by mouse: each opens its window or does its work.
TEST_F(FoodWindowsTest, TheBrowsersToolBarAndMenusByMouse) {
  TBLSMainDlg& b = *w.browser;
  KeyColumnOptions main;
  int calculations = 0, abouts = 0;
  b.calculateRecipe = [&] { ++calculations; };
  b.showAbout = [&] { ++abouts; };
  b.show();
  ASSERT_TRUE(test::WhenActive(&b));
  ASSERT_TRUE(b.ShowBLSFoodInTree("G101000"));
  const auto button = [&](QAction* a) { return b.BLSToolBar->widgetForAction(a); };

  const auto opens = [&](QDialog* window, const std::function<void()>& click) {
    bool seen = false;
    EXPECT_TRUE(test::WhileModal(
        [&] { seen = QApplication::activeModalWidget() == window; }, click));
    return seen;
  };
  EXPECT_TRUE(opens(w.search, [&] { ASSERT_TRUE(test::Click(button(b.TBSearch))); }));
  EXPECT_TRUE(opens(w.filter, [&] { ASSERT_TRUE(test::Click(button(b.TBChangeFilter))); }));

  // "Optionen" opens the food page; the key column follows what was chosen there.
  const bool keyShown = !b.StoffGrd->isColumnHidden(0);
  ASSERT_TRUE(test::Click(button(b.TBParam)));
  ASSERT_EQ(main.optionPages, std::vector<int>{0});
  EXPECT_EQ(!b.StoffGrd->isColumnHidden(0), !keyShown);
  ASSERT_TRUE(ClickBrowserMenu(b, b.Einstellungen1, b.OptionenMnu));
  EXPECT_EQ(main.optionPages, (std::vector<int>{0, -1}));

  ASSERT_TRUE(test::Click(button(b.TBCalculate)));
  EXPECT_EQ(calculations, 1);
  ASSERT_TRUE(test::Click(button(b.TBInfo)));
  EXPECT_EQ(abouts, 1);
}

// The comparison by mouse: foods added, moved left with "<", removed from the menu; the panel
// dragged shut with its splitter opens again with one click on "Vergleich".
TEST_F(FoodWindowsTest, TheComparisonByMouse) {
  TBLSMainDlg& b = *w.browser;
  TBLSCompareDlg& c = *w.compare;
  b.show();
  ASSERT_TRUE(test::WhenActive(&b));
  QWidget* compareButton = b.BLSToolBar->widgetForAction(b.TBShowCompare);
  ASSERT_TRUE(test::Click(compareButton));
  ASSERT_TRUE(b.BottomGrp->isVisible());
  ASSERT_TRUE(b.ShowBLSFoodInTree("G101000"));
  ASSERT_TRUE(test::Click(c.NewBtn));
  ASSERT_TRUE(b.ShowBLSFoodInTree("H102000"));
  ASSERT_TRUE(test::Click(c.NewBtn));
  ASSERT_EQ(c.Foods().Count(), 2);

  ASSERT_TRUE(test::ClickCell(c.CompareGrd, 0, 3));
  ASSERT_TRUE(test::Click(c.ToLeftBtn));
  EXPECT_STREQ(c.Foods().Food(0).key, "H102000");
  EXPECT_EQ(c.CompareGrd->currentColumn(), 2);

  ASSERT_TRUE(test::ClickCell(c.CompareGrd, 0, 2));
  ASSERT_TRUE(ClickBrowserMenu(b, b.Sonstiges1, b.DelLMMnu));
  ASSERT_EQ(c.Foods().Count(), 1);
  EXPECT_STREQ(c.Foods().Food(0).key, "G101000");

  // The splitter's handle dragged to the bottom closes the panel.
  QSplitterHandle* handle = b.CompareSpl->handle(1);
  const QPoint from = handle->rect().center();
  const QPoint bottom = from + QPoint(0, b.CompareSpl->height());
  QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(handle, from + QPoint(0, 20));
  QTest::mouseMove(handle, bottom);
  QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, bottom);
  ASSERT_LE(b.CompareSpl->sizes().value(1), 3);
  ASSERT_TRUE(test::Click(compareButton));
  EXPECT_TRUE(b.BottomGrp->isVisible());
  EXPECT_GE(b.BottomGrp->height(), 200);
}

// The browser's place is kept also when the program ends with the browser open.
TEST_F(FoodWindowsTest, TheBrowserKeepsItsPlaceWhenTheProgramEndsWithItOpen) {
  TBLSMainDlg& b = *w.browser;
  b.show();
  b.setGeometry(b.x(), b.y(), 610, 420);
  QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection);
  std::string width;
  ASSERT_TRUE(w.env.userSettings.ReadString(kRegParam, "BLSWinW", width));
  EXPECT_EQ(width, "610");
}

TEST(FoodBrowserBounds, ComeBackAfterARestartAndStayOnTheScreen) {
  auto w = std::make_unique<FoodWindows>();
  w->browser->show();
  w->browser->setGeometry(100, 80, 600, 400);
  w->browser->CloseBLSMnu->trigger();
  EXPECT_FALSE(w->browser->isVisible());
  std::string x;
  ASSERT_TRUE(w->env.userSettings.ReadString(kRegParam, "BLSWinW", x));
  EXPECT_EQ(x, "600");
  w->Destroy();
  w->Create();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(w->browser->geometry(), QRect(screen.left() + 100, screen.top() + 80, 600, 400));
  // Bounds of a larger screen come back onto this one.
  w->env.userSettings.WriteString(kRegParam, "BLSWinX", "5000");
  w->env.userSettings.WriteString(kRegParam, "BLSWinH", "9000");
  w->Destroy();
  w->Create();
  const QRect g = w->browser->geometry();
  EXPECT_TRUE(screen.contains(g)) << g.x() << "," << g.y() << " " << g.width() << "x" << g.height();
}

// Screenshots of the browser with its comparison, the chooser and the filter window.
TEST(FoodWindowsLook, Screenshots) {
  for (const std::string lang : {"DE", "EN"}) {
    FoodWindows w(lang, std::string(TAVOLIN_SHIPPED_DATA) + "/Data");
    TBLSMainDlg& b = *w.browser;
    b.resize(1000, 640);
    b.show();
    ctx().options->SetParaInt(53, 0);
    ASSERT_TRUE(b.ShowBLSFoodInTree("B102000"));
    b.AddLMMnuClick();
    ASSERT_TRUE(b.ShowBLSFoodInTree("B101000"));
    b.AddLMMnuClick();
    b.FiltGrpCoBo->setCurrentIndex(2);
    b.ShowComparePanel(true);
    test::Shot(&b, "food_browser_" + lang);
    WhileShown(
        w.chooser,
        [&] {
          w.chooser->GattTre->setCurrentItem(w.chooser->GattTre->topLevelItem(3)->child(0));
          test::Shot(w.chooser, "food_chooser_groups_" + lang);
          w.chooser->BLSReiter->setCurrentIndex(0);
          w.chooser->inputs->LMEdt->setText(lang == "DE" ? "apfel" : "bread");
          w.chooser->inputs->StartBtn->click();
          test::Shot(w.chooser, "food_chooser_search_" + lang);
        },
        [&] {
          std::string key, name;
          w.chooser->ChooseFoodFor("", key, name);
        });
    WhileShown(w.search, [&] {
      w.search->inputs->MengeRdb->setChecked(true);
      w.search->inputs->MengeEdt->setText("300");
      w.search->inputs->CompCoBo->setCurrentIndex(4);
      w.search->StartBtnClick();
      test::Shot(w.search, "food_search_" + lang);
    });
    WhileShown(
        w.filter, [&] { test::Shot(w.filter, "filter_groups_" + lang); },
        [&] { b.DefIStoffMnuClick(); });
  }
}

}  // namespace
}  // namespace tav
