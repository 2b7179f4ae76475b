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

// Units Gramm, Kilogramm (weights), Liter (liquid), Stück; four ingredients in file order
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
                                     std::tuple{"St", "St\xFC" "ck", kUnitCountable}}) {
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
  Choose("Zwiebeln");
  EXPECT_EQ(fromQ(dlg->SingNameEdt->text()), "Zwiebel");
  EXPECT_EQ(fromQ(dlg->WeightEdt->text()), "80");
  EXPECT_TRUE(dlg->EnergieRdb->isChecked());
  EXPECT_EQ(fromQ(dlg->EnergieEdt->text()), "28");
  EXPECT_EQ(fromQ(dlg->MasseCoBo->currentText()), "100 g");
  EXPECT_TRUE(dlg->KListChk->isChecked());
  EXPECT_TRUE(dlg->DataGrd->isVisibleTo(dlg.get()));
  EXPECT_FALSE(dlg->NoSaisonTxt->isVisibleTo(dlg.get()));
  EXPECT_TRUE(dlg->NoBLSTxt->isVisibleTo(dlg.get()));
  Choose("Mehl");
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
  Choose("Mehl");
  dlg->NameEdt->setText(toQ("Weizenmehl Type 405 aus der M\xFChle am Bach im Tal hinter dem Berg"));
  dlg->SingNameEdt->setText(toQ(std::string(60, 's')));
  Choose("Salz");
  EXPECT_EQ(Name(), "Salz");
  EXPECT_EQ(fromQ(dlg->ZutatLiBo->currentItem()->text()), "Salz");
  const REZZUTATEN* flour = &dlg->catalogue.zutaten[2];
  EXPECT_EQ(flour->plural.size(), 50u);  // cut to 50 characters
  EXPECT_EQ(flour->singular, std::string(50, 's'));
  EXPECT_EQ(Items(dlg->ZutatLiBo)[2], flour->plural);  // sorted in after Salz
  // A name holding '#' is refused and nothing of it is stored.
  dlg->NameEdt->setText(toQ("Salz#fein"));
  dlg->WeightEdt->setText(toQ("5"));
  Choose("Zwiebeln");
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(764));
  EXPECT_EQ(Name(), "Salz#fein");
  EXPECT_EQ(fromQ(dlg->ZutatLiBo->currentItem()->text()), "Salz");
  EXPECT_EQ(Find("Salz")->pieceWeight, 0);
  dlg->hide();
}

TEST_F(IngredientWindow, NewKeepsTheEditsOfTheShownIngredientFirst) {
  dlg->show();
  Choose("Salz");
  dlg->WeightEdt->setText(toQ("12"));
  dlg->NeuBtnClick();
  EXPECT_EQ(Find("Salz")->pieceWeight, 12);
  EXPECT_EQ(Name(), GetLangText(956));
  EXPECT_EQ(fromQ(dlg->ZutatLiBo->currentItem()->text()), GetLangText(956));
  EXPECT_EQ(dlg->Current(), 4);
  EXPECT_TRUE(dlg->alwaysRdb->isChecked());
  // The tab of ingredients without units lists the new one.
  dlg->FilterTab->setCurrentIndex(1);
  EXPECT_EQ(Items(dlg->ZutatLiBo), (std::vector<std::string>{GetLangText(956), "Salz"}));
  dlg->FilterTab->setCurrentIndex(0);
  dlg->NameEdt->setText(toQ("Fenchel"));
  dlg->OKBtnClick();
  // Written in catalogue order: the new one last, the others where they were.
  const std::string written = ReadAll(File());
  EXPECT_EQ(written.substr(0, 9), "Zwiebeln#");
  EXPECT_NE(written.find("\r\nSalz#"), std::string::npos);
  EXPECT_EQ(written.substr(written.rfind("\r\n", written.size() - 3) + 2, 8), "Fenchel#");
}

TEST_F(IngredientWindow, DeleteCancelAndShowingAgainReadTheFile) {
  dlg->show();
  Choose("Mehl");
  dlg->DelBtnClick();
  EXPECT_EQ(Find("Mehl"), nullptr);
  EXPECT_EQ(dlg->catalogue.zutaten[2].plural, "Salz");  // the last took its place
  EXPECT_EQ(Name(), "Salz");                             // the same list position
  dlg->reject();
  EXPECT_EQ(Find("Mehl"), nullptr);  // until the window is shown again
  dlg->show();
  EXPECT_NE(Find("Mehl"), nullptr);
  EXPECT_EQ(ReadAll(File()), original);
  dlg->hide();
}

TEST_F(IngredientWindow, UnitsByListGroupButtonsAndTheAlwaysChoice) {
  dlg->show();
  Choose("Salz");
  EXPECT_TRUE(dlg->alwaysRdb->isChecked());
  dlg->GewichtBtn->click();
  dlg->GewichtBtn->click();
  EXPECT_EQ(Find("Salz")->units, (std::vector<std::string>{"g", "kg", "g", "kg"}));
  EXPECT_TRUE(dlg->onlyRdb->isChecked());
  EXPECT_EQ(Marked(), (std::vector<std::string>{"Gramm", "Kilogramm"}));
  dlg->EinheitLiBo->item(0)->setSelected(false);  // Gramm
  dlg->EinheitLiBo2Click();
  EXPECT_EQ(Find("Salz")->units, (std::vector<std::string>{"kg"}));
  dlg->alwaysRdb->setChecked(true);
  Choose("Zwiebeln");
  EXPECT_TRUE(Find("Salz")->units.empty());
  // Codes the unit list does not show are kept while the ingredient is looked at.
  Choose("\xC4pfel");
  Choose("Zwiebeln");
  EXPECT_EQ(Find("\xC4pfel")->units, (std::vector<std::string>{"St", "Pfd"}));
  dlg->hide();
}

TEST_F(IngredientWindow, AFoodLinkAndItsEnergy) {
  FakeFoods foods;
  dlg->show();
  Choose("Zwiebeln");
  EXPECT_TRUE(dlg->AddBLSBtn->isEnabled());
  foods.chosenKey = "F123000";
  env.messages.answers = {IDYES};
  dlg->AddBLSBtnClick();
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(379));
  EXPECT_EQ(Find("Zwiebeln")->blsKey, "F123000");
  EXPECT_EQ(fromQ(dlg->BLSBez->text()), "Fenchel roh");
  EXPECT_EQ(fromQ(dlg->EnergieEdt->text()), "24");
  EXPECT_EQ(fromQ(dlg->MasseCoBo->currentText()), "100 g");
  EXPECT_EQ(fromQ(dlg->EnergieEinheitCoBo->currentText()), "kcal");
  EXPECT_TRUE(dlg->EnergieRdb->isChecked());
  ctx().options->SetParaBool(16, true);  // energy in kJ
  dlg->TakeBLSEnergy();
  EXPECT_EQ(fromQ(dlg->EnergieEdt->text()), "102");
  EXPECT_EQ(fromQ(dlg->EnergieEinheitCoBo->currentText()), "kJoule");
  // Leaving the chooser without a food removes the link.
  foods.chosenKey.clear();
  dlg->AddBLSBtnClick();
  EXPECT_EQ(Find("Zwiebeln")->blsKey, "");
  EXPECT_TRUE(dlg->NoBLSTxt->isVisibleTo(dlg.get()));
  Choose("Mehl");
  dlg->RemoveBLSBtnClick();
  EXPECT_EQ(Find("Mehl")->blsKey, "");
  // A food without energy value says so and leaves the value empty.
  Find("Salz")->blsKey = "X000000";
  Choose("Salz");
  dlg->TakeBLSEnergy();
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(431));
  EXPECT_TRUE(dlg->EnergieEdt->text().isEmpty());
  dlg->hide();
}

TEST_F(IngredientWindow, APictureFromElsewhereIsCopiedWhereItIsShownFrom) {
  dlg->show();
  Choose("Zwiebeln");
  EXPECT_FALSE(dlg->PicEditBtn->isEnabled());
  WriteAll(env.Root() + "Import/zwiebel.jpg", "JPEG");
  dlg->choosePictureFile = [&](std::string& path) {
    path = env.Root() + "Import/zwiebel.jpg";
    return true;
  };
  dlg->PicNewBtnClick();
  EXPECT_EQ(Find("Zwiebeln")->picture, "zwiebel.jpg");
  EXPECT_EQ(ReadAll(env.Root() + "Pics/Zutaten/zwiebel.jpg"), "JPEG");
  EXPECT_TRUE(dlg->PicEditBtn->isEnabled());
  dlg->PicEditBtnClick();
  EXPECT_EQ(env.shell.opened.back(), env.Root() + "Pics/Zutaten/zwiebel.jpg");
  dlg->PicDelBtnClick();
  EXPECT_EQ(Find("Zwiebeln")->picture, "");
  EXPECT_FALSE(dlg->PicEditBtn->isEnabled());
  dlg->hide();
}

TEST_F(IngredientWindow, SeasonEditorAndDealers) {
  FakeSeasons seasons;
  FakeDealers dealers;
  dlg->show();
  Choose("Zwiebeln");
  EXPECT_EQ(fromQ(dlg->HaendlerCoBo->currentText()), "Markt");
  ASSERT_TRUE(dlg->InpSaisonBtn->isEnabled());
  seasons.confirm = false;
  dlg->InpSaisonBtnClick();
  EXPECT_EQ(Find("Zwiebeln")->season.substr(0, 22), "J" + std::string(20, 'S') + " ");
  seasons.confirm = true;
  Choose("Salz");
  dlg->InpSaisonBtnClick();
  EXPECT_EQ(Find("Salz")->season.substr(0, 14), "J" + std::string(12, 'S') + " ");
  EXPECT_TRUE(dlg->DataGrd->isVisibleTo(dlg.get()));
  // A dealer typed in is created and the ingredient moves to it.
  dlg->HaendlerCoBo->setEditText(toQ("Bioladen"));
  Choose("Zwiebeln");
  std::string dealer;
  ASSERT_TRUE(dealers.Find("Salz", dealer));
  EXPECT_EQ(dealer, "Bioladen");
  dlg->DelHaendlerBtnClick();
  dlg->OKBtnClick();
  EXPECT_FALSE(dealers.Find("Zwiebeln", dealer));
  EXPECT_EQ(dealers.saves, 1);
  dlg->HelpBtnClick();
  EXPECT_EQ(env.shell.opened.back(), env.Root() + "Data/DE/Help/Dlg_Zutat.htm");
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
