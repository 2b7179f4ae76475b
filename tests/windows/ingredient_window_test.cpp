// The ingredient window: names, energy, units, season, food link, picture and dealer of the
// catalogue's ingredients, and when the catalogue is read and written.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>

#include "platform/qt/qt_text.h"
#include "platform/text_file.h"
#include "recipedb/dealer_access.h"
#include "recipedb/ui/ingredient_links.h"
#include "recipedb/ui/ingredients_dialog.h"
#include "recipedb/unit_table.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/context_list_box.h"
#include "support/test_env.h"
#include "user_actions.h"
#include "user_gestures.h"
#include "window_checks.h"
#include "window_test_support.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

REZZUTATEN Zutat(const std::string& plural, const std::vector<std::string>& units = {}) {
  REZZUTATEN z;
  z.plural = plural;
  z.units = units;
  return z;
}

struct FakeFoods : FoodData, FoodChooser {
  FakeFoods() {
    Registered<FoodData>::Enter(this);
    Registered<FoodChooser>::Enter(this);
  }
  ~FakeFoods() override {
    Registered<FoodData>::Leave(this);
    Registered<FoodChooser>::Leave(this);
  }
  bool FoodNameByKey(const std::string& key, std::string& name) override {
    if (key != "F123000") return false;
    name = "Fenchel roh";
    return true;
  }
  bool FoodEnergy(const std::string& key, bool kJ, std::string& value) override {
    if (key != "F123000") return false;
    value = kJ ? "102" : "24";
    return true;
  }
  bool ChooseFood(std::string& key, std::string& name) override {
    key = chosenKey;
    name = key.empty() ? "" : "Fenchel roh";
    return !key.empty();
  }
  std::string chosenKey;
};

struct FakeBrowser : FoodBrowser {
  FakeBrowser() { Registered<FoodBrowser>::Enter(this); }
  ~FakeBrowser() override { Registered<FoodBrowser>::Leave(this); }
  void ShowFood(const std::string& key) override { shown.push_back(key); }
  std::vector<std::string> shown;
};

struct FakeDealers : DealerAccess {
  FakeDealers() { Registered<DealerAccess>::Enter(this); }
  ~FakeDealers() override { Registered<DealerAccess>::Leave(this); }
  std::vector<std::string> DealerNames() const override {
    std::vector<std::string> names;
    for (const auto& d : dealers) names.push_back(d.first);
    return names;
  }
  bool FindHaendlerOfZutat(const std::string& ingredient, std::string& dealer,
                           int& sequence) const override {
    bool found = false;
    for (size_t i = 0; i < dealers.size(); ++i)
      for (const std::string& z : dealers[i].second)
        if (z == ingredient) dealer = dealers[i].first, sequence = static_cast<int>(i), found = true;
    return found;
  }
  bool Find(const std::string& ingredient, std::string& dealer) const {
    int sequence = 0;
    return FindHaendlerOfZutat(ingredient, dealer, sequence);
  }
  void AddHaendler(const std::string& dealer) override {
    if (dealer.empty()) return;
    for (const auto& d : dealers)
      if (d.first == dealer) return;
    dealers.push_back({dealer, {}});
  }
  void SetHaendlerOfZutat(const std::string& dealer, const std::string& ingredient) override {
    for (auto& d : dealers) std::erase(d.second, ingredient);
    for (auto& d : dealers)
      if (d.first == dealer && !ingredient.empty()) d.second.push_back(ingredient);
  }
  bool SaveHaendler() override {
    ++saves;
    return true;
  }
  std::vector<std::pair<std::string, std::vector<std::string>>> dealers = {
      {"Markt", {"Zwiebeln"}}, {"Metzger", {}}};
  int saves = 0;
};

struct FakeSeasons : SeasonEditor {
  FakeSeasons() { Registered<SeasonEditor>::Enter(this); }
  ~FakeSeasons() override { Registered<SeasonEditor>::Leave(this); }
  bool EditSeason(REZZUTATEN& z) override {
    z.season = "J" + std::string(12, 'S') + std::string(36, ' ');
    return confirm;
  }
  bool confirm = true;
};

// Units Gramm, Kilogramm (weights), Liter (liquid), Stück, Zentimeter (length), Messerspitze
// (small amount); four ingredients in file order
// Zwiebeln, Äpfel, Mehl, Salz.
class IngredientWindow : public ::testing::Test {
 protected:
  explicit IngredientWindow(const std::string& lang = "DE") : lang_(lang) {
    language = std::make_unique<test::WindowLanguage>(env, lang);
    ctx().tools = &tools;
    units.units = {};
    for (auto [code, name, kinds] : {std::tuple{"g", "Gramm", kUnitWeight},
                                     std::tuple{"kg", "Kilogramm", kUnitWeight},
                                     std::tuple{"l", "Liter", kUnitLiquid},
                                     std::tuple{"St", "St\xFC" "ck", kUnitCountable},
                                     std::tuple{"cm", "Zentimeter", kUnitLengthOrVolume},
                                     std::tuple{"Msp", "Messerspitze", kUnitSmallAmount}}) {
      REZEINHEIT u;
      u.code = code;
      u.name = name;
      u.kinds = kinds;
      units.units.push_back(u);
    }
    units.SortEinheiten();
    ctx().units = &units;
    REZZUTATEN onions = Zutat("Zwiebeln", {"St", "g"});
    onions.singular = "Zwiebel";
    onions.pieceWeight = 80;
    onions.energy = "28";
    onions.energyBasis = REZZUTATEN::kPer100g;
    onions.season = "J" + std::string(20, 'S') + std::string(28, ' ');
    REZZUTATEN apples = Zutat("\xC4pfel", {"St", "Pfd"});  // Pfd is no unit of the list
    apples.energy = "?";
    REZZUTATEN flour = Zutat("Mehl", {"g", "kg"});
    flour.notOnShoppingList = 1;
    flour.blsKey = "F123000";
    REZZUTATEN salt = Zutat("Salz");
    salt.picture = "salz.jpg";
    std::vector<std::string> lines;
    for (const REZZUTATEN& z : {onions, apples, flour, salt})
      lines.push_back(IngredientCatalogue::FormatLine(z));
    WriteTextLines(File(), lines);
    original = ReadAll(File());
    dlg = std::make_unique<TZutatenDlg>();
  }
  ~IngredientWindow() override {
    dlg.reset();
    ctx().units = nullptr;
  }
  std::string File() const { return env.Root() + "Data/" + lang_ + "/zutaten.dat"; }
  std::vector<std::string> Items(const TContextListBox* list) const {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i) out.push_back(fromQ(list->item(i)->text()));
    return out;
  }
  std::vector<std::string> Marked() const {
    std::vector<std::string> out;
    for (int i = 0; i < dlg->EinheitLiBo->count(); ++i)
      if (dlg->EinheitLiBo->item(i)->isSelected())
        out.push_back(fromQ(dlg->EinheitLiBo->item(i)->text()));
    return out;
  }
  void Choose(const std::string& name) {
    for (int i = 0; i < dlg->ZutatLiBo->count(); ++i)
      if (fromQ(dlg->ZutatLiBo->item(i)->text()) == name) {
        dlg->ZutatLiBo->setCurrentRow(i);
        return;
      }
    ADD_FAILURE() << name;
  }
  REZZUTATEN* Find(const std::string& plural) {
    for (REZZUTATEN& z : dlg->catalogue.zutaten)
      if (z.plural == plural) return &z;
    return nullptr;
  }
  std::string Name() const { return fromQ(dlg->NameEdt->text()); }
  int RowOf(const TContextListBox* list, const std::string& text) const {
    for (int i = 0; i < list->count(); ++i)
      if (fromQ(list->item(i)->text()) == text) return i;
    return -1;
  }
  // A click on the ingredient of that name.
  void ClickItem(const std::string& name) {
    ASSERT_GE(RowOf(dlg->ZutatLiBo, name), 0) << name;
    ASSERT_TRUE(test::ClickCell(dlg->ZutatLiBo, RowOf(dlg->ZutatLiBo, name)));
  }
  // A click on the unit of that name, which marks or unmarks it.
  void ClickUnit(const std::string& name) {
    ASSERT_GE(RowOf(dlg->EinheitLiBo, name), 0) << name;
    ASSERT_TRUE(test::ClickCell(dlg->EinheitLiBo, RowOf(dlg->EinheitLiBo, name)));
  }
  void Type(QWidget* field, const std::string& text) {
    ASSERT_TRUE(test::TypeInto(field, toQ(text)));
  }

  test::TestEnv env;
  TToolsMod tools;
  UnitTable units;
  std::string lang_;
  std::string original;
  std::unique_ptr<test::WindowLanguage> language;
  std::unique_ptr<TZutatenDlg> dlg;
};

TEST_F(IngredientWindow, ShowsTheFirstIngredientOfTheSortedList) {
  dlg->show();
  EXPECT_EQ(Items(dlg->ZutatLiBo),
            (std::vector<std::string>{"\xC4pfel", "Mehl", "Salz", "Zwiebeln"}));
  EXPECT_EQ(Name(), "\xC4pfel");
  EXPECT_TRUE(dlg->UnwichtigRdb->isChecked());
  EXPECT_TRUE(dlg->onlyRdb->isChecked());
  EXPECT_EQ(Marked(), (std::vector<std::string>{"St\xFC" "ck"}));
  ClickItem("Zwiebeln");
  EXPECT_EQ(fromQ(dlg->SingNameEdt->text()), "Zwiebel");
  EXPECT_EQ(fromQ(dlg->WeightEdt->text()), "80");
  EXPECT_TRUE(dlg->EnergieRdb->isChecked());
  EXPECT_EQ(fromQ(dlg->EnergieEdt->text()), "28");
  EXPECT_EQ(fromQ(dlg->MasseCoBo->currentText()), "100 g");
  EXPECT_TRUE(dlg->KListChk->isChecked());
  EXPECT_TRUE(dlg->DataGrd->isVisibleTo(dlg.get()));
  EXPECT_FALSE(dlg->NoSaisonTxt->isVisibleTo(dlg.get()));
  EXPECT_TRUE(dlg->NoBLSTxt->isVisibleTo(dlg.get()));
  // The arrow keys go through the list as well.
  test::PressKey(Qt::Key_Up);
  EXPECT_EQ(Name(), "Salz");
  test::PressKey(Qt::Key_Up);
  EXPECT_EQ(Name(), "Mehl");
  EXPECT_FALSE(dlg->KListChk->isChecked());
  EXPECT_EQ(fromQ(dlg->BLSKey->text()), "F123000");
  EXPECT_TRUE(dlg->NoEnergieRdb->isChecked());
  EXPECT_FALSE(dlg->DataGrd->isVisibleTo(dlg.get()));
  // Without the food windows their buttons are off; the food table's option hides the group.
  EXPECT_FALSE(dlg->AddBLSBtn->isEnabled());
  EXPECT_FALSE(dlg->CalcBLSBtn->isEnabled());
  EXPECT_TRUE(dlg->RemoveBLSBtn->isEnabled());
  EXPECT_FALSE(dlg->HaendlerPnl->isEnabled());
  EXPECT_FALSE(dlg->InpSaisonBtn->isEnabled());
  dlg->hide();
  ctx().options->SetParaBool(56, true);
  dlg->show();
  EXPECT_FALSE(dlg->BLSPnl->isVisibleTo(dlg.get()));
  dlg->hide();
}

TEST_F(IngredientWindow, ARenamedIngredientIsSortedAndTheChosenOneStaysSelected) {
  dlg->show();
  ClickItem("Mehl");
  Type(dlg->NameEdt, "Weizenmehl Type 405 aus der M\xFChle am Bach im Tal hinter dem Berg");
  Type(dlg->SingNameEdt, std::string(60, 's'));
  ClickItem("Salz");
  EXPECT_EQ(Name(), "Salz");
  EXPECT_EQ(test::CurrentText(dlg->ZutatLiBo), "Salz");
  const REZZUTATEN* flour = &dlg->catalogue.zutaten[2];
  EXPECT_EQ(flour->plural.size(), 50u);  // cut to 50 characters
  EXPECT_EQ(flour->singular, std::string(50, 's'));
  EXPECT_EQ(Items(dlg->ZutatLiBo)[2], flour->plural);  // sorted in after Salz
  // A name holding '#' is refused and nothing of it is stored.
  Type(dlg->NameEdt, "Salz#fein");
  Type(dlg->WeightEdt, "5");
  ClickItem("Zwiebeln");
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(764));
  EXPECT_EQ(Name(), "Salz#fein");
  EXPECT_EQ(test::CurrentText(dlg->ZutatLiBo), "Salz");
  EXPECT_EQ(Find("Salz")->pieceWeight, 0);
  dlg->hide();
}

TEST_F(IngredientWindow, NewKeepsTheEditsOfTheShownIngredientFirst) {
  dlg->show();
  ClickItem("Salz");
  Type(dlg->WeightEdt, "12");
  ASSERT_TRUE(test::Click(dlg->NeuBtn));
  EXPECT_EQ(Find("Salz")->pieceWeight, 12);
  EXPECT_EQ(Name(), GetLangText(956));
  EXPECT_EQ(test::CurrentText(dlg->ZutatLiBo), GetLangText(956));
  EXPECT_EQ(dlg->Current(), 4);
  EXPECT_TRUE(dlg->alwaysRdb->isChecked());
  EXPECT_TRUE(dlg->NameEdt->hasFocus());
  // The tab of ingredients without units lists the new one.
  ASSERT_TRUE(test::ClickTab(dlg->FilterTab, dlg->FilterTab->tabText(1)));
  EXPECT_EQ(Items(dlg->ZutatLiBo), (std::vector<std::string>{GetLangText(956), "Salz"}));
  ASSERT_TRUE(test::ClickTab(dlg->FilterTab, dlg->FilterTab->tabText(0)));
  EXPECT_EQ(Items(dlg->ZutatLiBo).size(), 5u);
  Type(dlg->NameEdt, "Fenchel");
  ASSERT_TRUE(test::Click(dlg->OKBtn));
  EXPECT_FALSE(dlg->isVisible());
  // Written in catalogue order: the new one last, the others where they were.
  const std::string written = ReadAll(File());
  EXPECT_EQ(written.substr(0, 9), "Zwiebeln#");
  EXPECT_NE(written.find("\r\nSalz#"), std::string::npos);
  EXPECT_EQ(written.substr(written.rfind("\r\n", written.size() - 3) + 2, 8), "Fenchel#");
}

TEST_F(IngredientWindow, DeleteCancelAndShowingAgainReadTheFile) {
  dlg->show();
  ClickItem("Mehl");
  ASSERT_TRUE(test::Click(dlg->DelBtn));
  EXPECT_EQ(Find("Mehl"), nullptr);
  EXPECT_EQ(dlg->catalogue.zutaten[2].plural, "Salz");  // the last took its place
  EXPECT_EQ(Name(), "Salz");                             // the same list position
  ASSERT_TRUE(test::Click(dlg->CancelBtn));
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(Find("Mehl"), nullptr);  // until the window is shown again
  dlg->show();
  EXPECT_NE(Find("Mehl"), nullptr);
  EXPECT_EQ(ReadAll(File()), original);
  dlg->hide();
}

TEST_F(IngredientWindow, UnitsByListGroupButtonsAndTheAlwaysChoice) {
  dlg->show();
  ClickItem("Salz");
  EXPECT_TRUE(dlg->alwaysRdb->isChecked());
  ASSERT_TRUE(test::Click(dlg->GewichtBtn));
  ASSERT_TRUE(test::Click(dlg->GewichtBtn));
  EXPECT_EQ(Find("Salz")->units, (std::vector<std::string>{"g", "kg", "g", "kg"}));
  EXPECT_TRUE(dlg->onlyRdb->isChecked());
  EXPECT_EQ(Marked(), (std::vector<std::string>{"Gramm", "Kilogramm"}));
  ClickUnit("Gramm");  // unmarked: the list is built anew, without repeats
  EXPECT_EQ(Find("Salz")->units, (std::vector<std::string>{"kg"}));
  ClickUnit("Liter");
  EXPECT_EQ(Find("Salz")->units, (std::vector<std::string>{"kg", "l"}));
  ASSERT_TRUE(test::ClickBox(dlg->alwaysRdb));
  ClickItem("Zwiebeln");
  EXPECT_TRUE(Find("Salz")->units.empty());
  // Codes the unit list does not show are kept while the ingredient is looked at.
  ClickItem("\xC4pfel");
  ClickItem("Zwiebeln");
  EXPECT_EQ(Find("\xC4pfel")->units, (std::vector<std::string>{"St", "Pfd"}));
  // Each group button adds the units of its kind.
  const struct {
    QPushButton* button;
    std::vector<std::string> units;
  } groups[] = {{dlg->FluessigBtn, {"l"}},
                {dlg->GewichtBtn, {"g", "kg"}},
                {dlg->ZaehlBtn, {"St"}},
                {dlg->LaengeBtn, {"cm"}},
                {dlg->KleinBtn, {"Msp"}}};
  for (const auto& group : groups) {
    ClickItem("Salz");
    ASSERT_TRUE(test::ClickBox(dlg->alwaysRdb));
    ClickItem("Mehl");  // stored: Salz has no units now
    ClickItem("Salz");
    ASSERT_TRUE(test::Click(group.button));
    EXPECT_EQ(Find("Salz")->units, group.units) << group.button->objectName().toStdString();
  }
  dlg->hide();
}

TEST_F(IngredientWindow, AFoodLinkAndItsEnergy) {
  FakeFoods foods;
  FakeBrowser browser;
  dlg->show();
  ClickItem("Zwiebeln");
  EXPECT_TRUE(dlg->AddBLSBtn->isEnabled());
  foods.chosenKey = "F123000";
  env.messages.answers = {IDYES};
  ASSERT_TRUE(test::Click(dlg->AddBLSBtn));
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(379));
  EXPECT_EQ(Find("Zwiebeln")->blsKey, "F123000");
  EXPECT_EQ(fromQ(dlg->BLSBez->text()), "Fenchel roh");
  EXPECT_EQ(fromQ(dlg->EnergieEdt->text()), "24");
  EXPECT_EQ(fromQ(dlg->MasseCoBo->currentText()), "100 g");
  EXPECT_EQ(fromQ(dlg->EnergieEinheitCoBo->currentText()), "kcal");
  EXPECT_TRUE(dlg->EnergieRdb->isChecked());
  ASSERT_TRUE(test::Click(dlg->ShowBLSBtn));
  EXPECT_EQ(browser.shown, (std::vector<std::string>{"F123000"}));
  ctx().options->SetParaBool(16, true);  // energy in kJ
  ASSERT_TRUE(test::ClickBox(dlg->NoEnergieRdb));
  ASSERT_TRUE(test::Click(dlg->CalcBLSBtn));
  EXPECT_EQ(fromQ(dlg->EnergieEdt->text()), "102");
  EXPECT_EQ(fromQ(dlg->EnergieEinheitCoBo->currentText()), "kJoule");
  EXPECT_TRUE(dlg->EnergieRdb->isChecked());
  // Leaving the chooser without a food removes the link.
  foods.chosenKey.clear();
  ASSERT_TRUE(test::Click(dlg->AddBLSBtn));
  EXPECT_EQ(Find("Zwiebeln")->blsKey, "");
  EXPECT_TRUE(dlg->NoBLSTxt->isVisibleTo(dlg.get()));
  ClickItem("Mehl");
  ASSERT_TRUE(test::Click(dlg->RemoveBLSBtn));
  EXPECT_EQ(Find("Mehl")->blsKey, "");
  EXPECT_TRUE(dlg->NoBLSTxt->isVisibleTo(dlg.get()));
  EXPECT_FALSE(dlg->RemoveBLSBtn->isEnabled());
  // A food without energy value says so and leaves the value empty.
  Find("Salz")->blsKey = "X000000";
  ClickItem("Salz");
  ASSERT_TRUE(test::Click(dlg->CalcBLSBtn));
  EXPECT_EQ(test::LastOf(env.messages.shown).text, GetLangText(431));
  EXPECT_TRUE(dlg->EnergieEdt->text().isEmpty());
  dlg->hide();
}

// Any change of the basis, the unit or the value selects "folgender Wert".
TEST_F(IngredientWindow, ChangingTheEnergyValueChoosesIt) {
  dlg->show();
  const std::function<void()> changes[] = {
      [&] { EXPECT_TRUE(test::ChooseInCombo(dlg->MasseCoBo, QStringLiteral("1 kg"))); },
      [&] { EXPECT_TRUE(test::ChooseInCombo(dlg->EnergieEinheitCoBo, QStringLiteral("kJoule"))); },
      [&] { Type(dlg->EnergieEdt, "350"); }};
  for (const auto& change : changes) {
    ClickItem("Mehl");
    ASSERT_TRUE(test::ClickBox(dlg->NoEnergieRdb));
    change();
    EXPECT_TRUE(dlg->EnergieRdb->isChecked());
    ClickItem("Salz");  // stored on leaving
  }
  EXPECT_EQ(Find("Mehl")->energy, "350");
  EXPECT_EQ(Find("Mehl")->energyBasis, REZZUTATEN::kPer100g);
  dlg->hide();
}

TEST_F(IngredientWindow, APictureFromElsewhereIsCopiedWhereItIsShownFrom) {
  dlg->show();
  ClickItem("Zwiebeln");
  EXPECT_FALSE(dlg->PicEditBtn->isEnabled());
  WriteAll(env.Root() + "Import/zwiebel.jpg", "JPEG");
  dlg->choosePictureFile = [&](std::string& path) {
    path = env.Root() + "Import/zwiebel.jpg";
    return true;
  };
  ASSERT_TRUE(test::Click(dlg->PicNewBtn));
  EXPECT_EQ(Find("Zwiebeln")->picture, "zwiebel.jpg");
  EXPECT_EQ(ReadAll(env.Root() + "Pics/Zutaten/zwiebel.jpg"), "JPEG");
  EXPECT_TRUE(dlg->PicEditBtn->isEnabled());
  ASSERT_TRUE(test::Click(dlg->PicEditBtn));
  EXPECT_EQ(test::LastOf(env.shell.opened), env.Root() + "Pics/Zutaten/zwiebel.jpg");
  env.shell.opened.clear();
  ASSERT_TRUE(test::Click(dlg->BmpNameTxt));  // a click on the name shows it too
  EXPECT_EQ(env.shell.opened.size(), 1u);
  ASSERT_TRUE(test::Click(dlg->PicDelBtn));
  EXPECT_EQ(Find("Zwiebeln")->picture, "");
  EXPECT_FALSE(dlg->PicEditBtn->isEnabled());
  dlg->hide();
}

TEST_F(IngredientWindow, SeasonEditorShoppingListAndDealers) {
  FakeSeasons seasons;
  FakeDealers dealers;
  dlg->show();
  ClickItem("Zwiebeln");
  EXPECT_EQ(fromQ(dlg->HaendlerCoBo->currentText()), "Markt");
  ASSERT_TRUE(dlg->InpSaisonBtn->isEnabled());
  seasons.confirm = false;
  ASSERT_TRUE(test::Click(dlg->InpSaisonBtn));
  EXPECT_EQ(Find("Zwiebeln")->season.substr(0, 22), "J" + std::string(20, 'S') + " ");
  seasons.confirm = true;
  ASSERT_TRUE(test::Click(dlg->InpSaisonBtn));
  EXPECT_EQ(Find("Zwiebeln")->season.substr(0, 14), "J" + std::string(12, 'S') + " ");
  ClickItem("Salz");
  EXPECT_FALSE(dlg->DataGrd->isVisibleTo(dlg.get()));
  ASSERT_TRUE(test::Click(dlg->InpSaisonBtn));
  EXPECT_EQ(Find("Salz")->season.substr(0, 14), "J" + std::string(12, 'S') + " ");
  EXPECT_TRUE(dlg->DataGrd->isVisibleTo(dlg.get()));
  Find("Salz")->season = "J" + std::string(48, ' ');
  ASSERT_TRUE(test::Click(dlg->DataGrd));  // a click on the strip edits the season too
  EXPECT_EQ(Find("Salz")->season.substr(0, 14), "J" + std::string(12, 'S') + " ");
  // A click on the words beside the box ticks it or takes the tick away.
  EXPECT_TRUE(dlg->KListChk->isChecked());
  ASSERT_TRUE(test::Click(dlg->KList2Txt));
  EXPECT_FALSE(dlg->KListChk->isChecked());
  ASSERT_TRUE(test::Click(dlg->KList1Txt));
  ASSERT_TRUE(test::Click(dlg->KList1Txt));
  EXPECT_FALSE(dlg->KListChk->isChecked());
  // A dealer typed in is created and the ingredient moves to it.
  Type(dlg->HaendlerCoBo, "Bioladen");
  ClickItem("Zwiebeln");
  EXPECT_EQ(Find("Salz")->notOnShoppingList, 1);
  std::string dealer;
  ASSERT_TRUE(dealers.Find("Salz", dealer));
  EXPECT_EQ(dealer, "Bioladen");
  ASSERT_TRUE(test::Click(dlg->DelHaendlerBtn));
  EXPECT_EQ(dlg->HaendlerCoBo->currentText(), QString());
  ASSERT_TRUE(test::Click(dlg->OKBtn));
  EXPECT_FALSE(dealers.Find("Zwiebeln", dealer));
  EXPECT_EQ(dealers.saves, 1);
  dlg->show();
  ASSERT_TRUE(test::Click(dlg->HelpBtn));
  EXPECT_EQ(test::LastOf(env.shell.opened), env.Root() + "Data/DE/Help/Dlg_Zutat.htm");
  dlg->hide();
}

// Enter ends what is typed and does nothing else (the window has no default button); Escape
// closes it like Cancel.
TEST_F(IngredientWindow, EnterInAFieldNeitherClosesNorWritesAndEscapeCancels) {
  dlg->show();
  ClickItem("Zwiebeln");
  const std::pair<QLineEdit*, const char*> fields[] = {{dlg->NameEdt, "Zwiebeln rot"},
                                                       {dlg->SingNameEdt, "Zwiebel rot"},
                                                       {dlg->EnergieEdt, "30"},
                                                       {dlg->WeightEdt, "90"}};
  for (const auto& [field, text] : fields) {
    Type(field, text);
    EXPECT_FALSE(test::WhileModal([] {}, [] { test::PressKey(Qt::Key_Return); }));
    EXPECT_TRUE(dlg->isVisible()) << field->objectName().toStdString();
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(fromQ(field->text()), text);
  }
  ASSERT_TRUE(test::ClickCell(dlg->ZutatLiBo, 0));
  test::PressKey(Qt::Key_Enter);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(ReadAll(File()), original);
  for (QPushButton* b : dlg->findChildren<QPushButton*>())
    EXPECT_FALSE(b->isDefault() || b->autoDefault()) << b->objectName().toStdString();
  // The edits were stored when another ingredient was clicked; Escape keeps them in memory.
  ASSERT_NE(Find("Zwiebeln rot"), nullptr);
  EXPECT_EQ(Find("Zwiebeln rot")->pieceWeight, 90);
  test::PressKey(Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(ReadAll(File()), original);
  EXPECT_NE(Find("Zwiebeln rot"), nullptr);
}

TEST_F(IngredientWindow, Screenshot) {
  FakeDealers dealers;
  dlg->show();
  Choose("Zwiebeln");
  test::Shot(dlg.get(), "ingredients_DE");
  dlg->hide();
}

class IngredientWindowEnglish : public IngredientWindow {
 protected:
  IngredientWindowEnglish() : IngredientWindow("EN") {}
};

TEST_F(IngredientWindowEnglish, Screenshot) {
  dlg->show();
  Choose("Mehl");
  test::Shot(dlg.get(), "ingredients_EN");
  dlg->hide();
}

}  // namespace
}  // namespace tav
