// The category window: new, changed and deleted categories, relating main and sub categories,
// choosing a recipe's categories, and the input dialog.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipedb/recipe_model.h"
#include "recipedb/ui/category_dialog.h"
#include "recipedb/ui/category_input_dialog.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/context_list_box.h"
#include "services/ui/lang_dialog.h"
#include "support/test_env.h"
#include "window_test_support.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

// Main categories Suppen (1), Hauptgerichte (2) and Desserts (3); sub categories Eintöpfe and
// Cremesuppen (only under 1) and Brühen (under 1 and 2); the free category Resteessen.
const char* const kTable =
    ">0001 Suppen#suppe.bmp\r\n>0002 Hauptgerichte#\r\n>0003 Desserts#\r\n"
    "0004 Eint\xF6pfe\r\n0001\r\n0005 Br\xFChen\r\n0001 0002\r\n0006 Cremesuppen\r\n0001\r\n"
    "0007 Resteessen\r\n\r\n";

class CategoryWindow : public ::testing::Test {
 protected:
  explicit CategoryWindow(const std::string& lang = "DE") {
    language = std::make_unique<test::WindowLanguage>(env, lang);
    ctx().tools = &tools;
    lang_ = lang;
    WriteAll(File(), kTable);
    input = std::make_unique<TInpGattDlg>();
    dlg = std::make_unique<TGattDlg>();
    dlg->inputCategory = [this](REZGATT& g) {
      inputs.push_back(g);
      if (answers.empty()) return false;
      const auto [name, kind] = answers.front();
      answers.erase(answers.begin());
      g.name = name;
      g.kind = kind;
      return true;
    };
  }
  ~CategoryWindow() override {
    dlg.reset();
    input.reset();
  }
  std::string File() const { return env.Root() + "Data/" + lang_ + "/Gattung.dat"; }
  const REZGATT* Cat(const std::string& name) const {
    for (const REZGATT& g : dlg->categories.gatt)
      if (g.name == name) return &g;
    return nullptr;
  }
  std::vector<std::string> Items(const TContextListBox* list) const {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i) out.push_back(fromQ(list->item(i)->text()));
    return out;
  }
  void Select(TContextListBox* list, const std::string& name) {
    for (int i = 0; i < list->count(); ++i)
      if (fromQ(list->item(i)->text()) == name) {
        list->setCurrentRow(i);
        return;
      }
    ADD_FAILURE() << name;
  }
  // Shows the category in the details.
  void Show(const std::string& name) {
    Select(dlg->GattLiBo, name);
    dlg->ShowBtnClick();
  }

  test::TestEnv env;
  TToolsMod tools;
  std::string lang_ = "DE";
  std::unique_ptr<test::WindowLanguage> language;
  std::unique_ptr<TInpGattDlg> input;
  std::unique_ptr<TGattDlg> dlg;
  std::vector<REZGATT> inputs;
  std::vector<std::pair<std::string, uint8_t>> answers;
};

TEST_F(CategoryWindow, ListsAndDetailsByKind) {
  dlg->show();
  EXPECT_EQ(fromQ(dlg->windowTitle()), GetLangText(79));
  EXPECT_EQ(Items(dlg->GattLiBo),
            (std::vector<std::string>{"Br\xFChen", "Cremesuppen", "Desserts", "Eint\xF6pfe",
                                      "Hauptgerichte", "Resteessen", "Suppen"}));
  EXPECT_TRUE(dlg->Start1Txt->isVisible());  // nothing shown yet
  EXPECT_FALSE(dlg->ChangeBtn->isEnabled());
  dlg->ArtTab->setCurrentIndex(2);
  EXPECT_EQ(Items(dlg->GattLiBo),
            (std::vector<std::string>{"Br\xFChen", "Cremesuppen", "Eint\xF6pfe"}));
  dlg->ArtTab->setCurrentIndex(0);
  Show("Suppen");
  EXPECT_FALSE(dlg->Start1Txt->isVisible());
  EXPECT_EQ(fromQ(dlg->GattArtTxt->text()), GetLangText(72));
  EXPECT_EQ(fromQ(dlg->NebenTxt->text()), GetLangText(73));
  EXPECT_EQ(Items(dlg->NebenLiBo),
            (std::vector<std::string>{"Br\xFChen", "Cremesuppen", "Eint\xF6pfe"}));
  EXPECT_TRUE(dlg->SymbolEdt->isVisible());
  EXPECT_EQ(fromQ(dlg->SymbolEdt->text()), "suppe.bmp");
  Show("Br\xFChen");
  EXPECT_EQ(fromQ(dlg->GattArtTxt->text()), GetLangText(74));
  EXPECT_EQ(Items(dlg->NebenLiBo), (std::vector<std::string>{"Hauptgerichte", "Suppen"}));
  EXPECT_FALSE(dlg->SymbolEdt->isVisible());
  Show("Resteessen");
  EXPECT_EQ(fromQ(dlg->GattArtTxt->text()), GetLangText(76));
  EXPECT_TRUE(dlg->Free1Txt->isVisible());
  EXPECT_FALSE(dlg->NebenLiBo->isVisible());
  // From the related list back to the category list.
  Show("Suppen");
  dlg->ArtTab->setCurrentIndex(1);
  Select(dlg->NebenLiBo, "Eint\xF6pfe");
  dlg->ShowOBtnClick();
  EXPECT_EQ(dlg->ArtTab->currentIndex(), 0);
  EXPECT_EQ(fromQ(dlg->GattNameTxt->text()), "Eint\xF6pfe");
  dlg->hide();
}

TEST_F(CategoryWindow, AMainCategoryMadeFreeFreesItsOnlySubCategoriesAndSaysHowMany) {
  dlg->show();
  Select(dlg->GattLiBo, "Suppen");
  answers = {{"Suppen", REZGATT::kFree}};
  env.messages.answers = {IDNO};
  dlg->ChangeBtnClick();
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(67));
  EXPECT_EQ(Cat("Suppen")->kind, REZGATT::kMain);  // No: nothing changes
  EXPECT_EQ(Cat("Eint\xF6pfe")->kind, REZGATT::kSub);

  Select(dlg->GattLiBo, "Suppen");
  answers = {{"Suppen", REZGATT::kFree}};
  env.messages.answers = {IDYES};
  dlg->ChangeBtnClick();
  ASSERT_EQ(env.messages.shown.size(), 3u);
  EXPECT_EQ(env.messages.shown[2].text, GetLangText(69) + "2" + GetLangText(70));
  EXPECT_EQ(env.messages.shown[2].title, GetLangText(2));
  EXPECT_EQ(Cat("Suppen")->kind, REZGATT::kFree);
  EXPECT_EQ(Cat("Eint\xF6pfe")->kind, REZGATT::kFree);
  EXPECT_EQ(Cat("Cremesuppen")->kind, REZGATT::kFree);
  EXPECT_EQ(Cat("Br\xFChen")->mainIds, (std::vector<uint16_t>{2}));
  // Its id is not handed out again while the window is open.
  EXPECT_EQ(dlg->categories.FindFreeGattId(), 8);
  dlg->OKBtnClick();
  EXPECT_EQ(ReadAll(File()).substr(0, 37), "0001 Suppen\r\n\r\n>0002 Hauptgerichte#\r\n");
}

TEST_F(CategoryWindow, RenamingChecksForDuplicatesAndKeepsTheKind) {
  dlg->show();
  Select(dlg->GattLiBo, "Br\xFChen");
  answers = {{"Desserts", REZGATT::kSub}};
  dlg->ChangeBtnClick();
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(60));
  EXPECT_NE(Cat("Br\xFChen"), nullptr);
  Select(dlg->GattLiBo, "Br\xFChen");
  answers = {{"br\xFChen", REZGATT::kSub}};  // differs only in letter case: accepted
  dlg->ChangeBtnClick();
  ASSERT_NE(Cat("br\xFChen"), nullptr);
  EXPECT_EQ(Cat("br\xFChen")->kind, REZGATT::kSub);
  EXPECT_EQ(Cat("br\xFChen")->mainIds, (std::vector<uint16_t>{1, 2}));
  EXPECT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(fromQ(dlg->GattNameTxt->text()), "br\xFChen");
}

TEST_F(CategoryWindow, NewCategoriesGetAFreeIdAndUniqueNames) {
  dlg->show();
  answers = {{"Suppen", REZGATT::kMain}};
  dlg->NeuBtnClick();
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(60));
  EXPECT_EQ(inputs.at(0).name, "");
  answers = {{"Salate", REZGATT::kMain}, {"Sonstiges", REZGATT::kFree}};
  dlg->NeuBtnClick();
  dlg->NeuBtnClick();
  ASSERT_NE(Cat("Salate"), nullptr);
  EXPECT_EQ(Cat("Salate")->id, 8);
  EXPECT_EQ(Cat("Salate")->kind, REZGATT::kMain);
  EXPECT_EQ(Cat("Sonstiges")->id, 9);
  EXPECT_EQ(Cat("Sonstiges")->kind, REZGATT::kFree);
  EXPECT_EQ(fromQ(dlg->GattNameTxt->text()), "Sonstiges");
  answers = {};
  dlg->NeuBtnClick();  // cancelled
  EXPECT_EQ(dlg->categories.gatt.size(), 9u);
}

TEST_F(CategoryWindow, DeletingTheShownCategoryOrTheLastOneLeavesValidDetails) {
  dlg->show();
  // Resteessen is the last entry of the table; Suppen the first.
  Show("Resteessen");
  Select(dlg->GattLiBo, "Suppen");
  env.messages.answers = {IDYES};
  dlg->DelBtnClick();
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(71));
  EXPECT_EQ(env.messages.shown.at(1).text, GetLangText(69) + "2" + GetLangText(70));
  EXPECT_EQ(env.messages.shown.at(1).title, GetLangText(15));
  EXPECT_EQ(Cat("Suppen"), nullptr);
  EXPECT_EQ(dlg->categories.gatt[0].name, "Resteessen");  // the last took its place
  ASSERT_GE(dlg->Shown(), 0);
  EXPECT_EQ(dlg->categories.gatt[static_cast<size_t>(dlg->Shown())].name,
            fromQ(dlg->GattNameTxt->text()));
  // Deleting the shown one: the selection moves on and shows a category that exists.
  Show("Resteessen");
  dlg->DelBtnClick();  // a free category goes without a question
  EXPECT_EQ(env.messages.shown.size(), 2u);
  EXPECT_EQ(Cat("Resteessen"), nullptr);
  const int shown = dlg->Shown();
  ASSERT_TRUE(shown == -1 || shown < static_cast<int>(dlg->categories.gatt.size()));
  for (int i = 0; i < 5; ++i) {
    Select(dlg->GattLiBo, fromQ(dlg->GattLiBo->item(0)->text()));
    env.messages.answers = {IDYES};
    dlg->DelBtnClick();
    ASSERT_LT(dlg->Shown(), static_cast<int>(dlg->categories.gatt.size()));
  }
  EXPECT_EQ(dlg->categories.gatt.size(), 0u);
  EXPECT_TRUE(dlg->Start1Txt->isVisible());
}

TEST_F(CategoryWindow, RelatingFreeSubAndMainCategories) {
  dlg->show();
  Show("Desserts");
  Select(dlg->GattLiBo, "Resteessen");
  EXPECT_TRUE(dlg->GattAddBtn->isEnabled());
  dlg->GattAddBtnClick();
  EXPECT_EQ(Cat("Resteessen")->kind, REZGATT::kSub);  // a free one became a sub category
  EXPECT_EQ(Items(dlg->NebenLiBo), (std::vector<std::string>{"Resteessen"}));
  dlg->ArtTab->setCurrentIndex(3);
  EXPECT_EQ(Items(dlg->GattLiBo), std::vector<std::string>{});
  dlg->ArtTab->setCurrentIndex(0);
  // Removing the only main category of a sub category makes it free again.
  Select(dlg->NebenLiBo, "Resteessen");
  dlg->GattDelBtnClick();
  EXPECT_EQ(Cat("Resteessen")->kind, REZGATT::kFree);
  EXPECT_TRUE(Cat("Resteessen")->mainIds.empty());
  // A main category added to a sub category, by dropping it too.
  Show("Eint\xF6pfe");
  Select(dlg->GattLiBo, "Desserts");
  dlg->GattAddBtnClick();
  dlg->GattAddBtnClick();  // once only
  EXPECT_EQ(Cat("Eint\xF6pfe")->mainIds, (std::vector<uint16_t>{1, 3}));
  Select(dlg->NebenLiBo, "Suppen");
  dlg->GattDelBtnClick();
  EXPECT_EQ(Cat("Eint\xF6pfe")->mainIds, (std::vector<uint16_t>{3}));
  EXPECT_EQ(Cat("Eint\xF6pfe")->kind, REZGATT::kSub);
}

TEST_F(CategoryWindow, CancelReadsTheFileAndTheCloseBoxKeepsTheEdits) {
  dlg->show();
  Select(dlg->GattLiBo, "Desserts");
  env.messages.answers = {IDYES};
  dlg->DelBtnClick();
  dlg->close();  // the close box
  EXPECT_FALSE(dlg->GattDlgApplied());
  EXPECT_EQ(Cat("Desserts"), nullptr);
  EXPECT_EQ(ReadAll(File()), kTable);
  dlg->show();
  dlg->CancelBtnClick();
  EXPECT_NE(Cat("Desserts"), nullptr);
  EXPECT_EQ(ReadAll(File()), kTable);
}

TEST_F(CategoryWindow, ChoosingARecipesCategoriesChangesItsCodesOnlyOnOK) {
  REZBLOCK recipe;
  recipe.title = "Linsensuppe";
  recipe.categories[0] = 2;
  recipe.categories[3] = 4;  // a sub category's id names no main category: not listed
  dlg->SetGattDlgMode(1, &recipe);
  dlg->show();
  EXPECT_EQ(fromQ(dlg->windowTitle()), GetLangText(80) + "Linsensuppe'");
  EXPECT_EQ(fromQ(dlg->NebenGrp->title()), GetLangText(81));
  EXPECT_FALSE(dlg->ArtTab->isVisible());
  EXPECT_EQ(Items(dlg->GattLiBo),
            (std::vector<std::string>{"Desserts", "Hauptgerichte", "Suppen"}));
  EXPECT_EQ(Items(dlg->NebenLiBo), (std::vector<std::string>{"Hauptgerichte"}));
  Select(dlg->GattLiBo, "Hauptgerichte");
  dlg->GattAddBtnClick();  // already there
  Select(dlg->GattLiBo, "Suppen");
  dlg->GattLiBoDblClick();
  EXPECT_EQ(dlg->Codes()[1], 1);
  Select(dlg->NebenLiBo, "Hauptgerichte");
  dlg->GattDelBtnClick();
  EXPECT_EQ(dlg->Codes()[0], 0);  // the slot is freed, the others stay where they are
  EXPECT_EQ(dlg->Codes()[3], 4);
  dlg->CancelBtnClick();
  EXPECT_FALSE(dlg->GattDlgApplied());
  EXPECT_EQ(recipe.categories[0], 2);  // Cancel leaves the recipe as it was
  EXPECT_EQ(recipe.categories[1], 0);

  for (uint16_t& c : recipe.categories) c = c ? c : 3;  // ten categories already
  dlg->SetGattDlgMode(1, &recipe);
  dlg->show();
  Select(dlg->GattLiBo, "Suppen");
  dlg->GattAddBtnClick();
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(78));
  Select(dlg->NebenLiBo, "Desserts");
  dlg->GattDelBtnClick();
  Select(dlg->GattLiBo, "Suppen");
  dlg->GattAddBtnClick();
  dlg->OKBtnClick();
  EXPECT_TRUE(dlg->GattDlgApplied());
  EXPECT_EQ(recipe.categories[0], 2);
  EXPECT_EQ(recipe.categories[1], 1);
  EXPECT_EQ(recipe.categories[3], 4);
}

TEST_F(CategoryWindow, TheInputDialogChecksTheNameAndKeepsASubCategorySub) {
  REZGATT fresh;
  fresh.kind = REZGATT::kFree;
  input->SetGattInput(fresh);
  EXPECT_EQ(fromQ(input->windowTitle()), GetLangText(109));
  EXPECT_TRUE(input->MainRdb->isChecked());
  EXPECT_EQ(fromQ(input->UnterRdb->text()), GetLangText(110));
  input->OKBtnClick();
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(112));
  input->NameEdt->setText(toQ("Suppen#2"));
  input->OKBtnClick();
  EXPECT_EQ(env.messages.shown.at(1).text, GetLangText(764));
  EXPECT_EQ(fresh.name, "");
  input->NameEdt->setText(toQ(std::string(250, 'x')));
  input->UnterRdb->setChecked(true);
  input->OKBtnClick();
  EXPECT_EQ(fresh.name.size(), 198u);
  EXPECT_EQ(fresh.kind, REZGATT::kFree);

  REZGATT sub = *Cat("Br\xFChen");
  input->SetGattInput(sub);
  EXPECT_EQ(fromQ(input->windowTitle()), GetLangText(108));
  EXPECT_TRUE(input->UnterRdb->isChecked());
  EXPECT_EQ(fromQ(input->UnterRdb->text()), GetLangText(111));
  input->OKBtnClick();
  EXPECT_EQ(sub.kind, REZGATT::kSub);
  input->SetGattInput(sub);
  input->MainRdb->setChecked(true);
  input->OKBtnClick();
  EXPECT_EQ(sub.kind, REZGATT::kMain);
}

TEST_F(CategoryWindow, SymbolPicturesAreTakenIntoTheSymbolFolder) {
  dlg->show();
  Show("Desserts");
  WriteAll(env.Root() + "Import/eis.bmp", "BM");
  dlg->chooseSymbolPicture = [&](std::string& path) {
    path = env.Root() + "Import/eis.bmp";
    return true;
  };
  dlg->SymbolBtnClick();
  EXPECT_EQ(Cat("Desserts")->symbol, "eis.bmp");
  EXPECT_EQ(ReadAll(env.Root() + "Pics/Gattungen/eis.bmp"), "BM");
  dlg->HelpBtnClick();
  EXPECT_EQ(env.shell.opened.back(), env.Root() + "Data/DE/Help/Dlg_Gattung.htm");
}

TEST_F(CategoryWindow, Screenshots) {
  dlg->show();
  Show("Suppen");
  Select(dlg->NebenLiBo, "Cremesuppen");
  test::Shot(dlg.get(), "categories_DE");
  dlg->hide();
  REZBLOCK recipe;
  recipe.title = "Linsensuppe";
  recipe.categories[0] = 1;
  dlg->SetGattDlgMode(1, &recipe);
  dlg->show();
  test::Shot(dlg.get(), "categories_recipe_DE");
  dlg->hide();
  REZGATT g = *Cat("Suppen");
  input->SetGattInput(g);
  input->show();
  test::Shot(input.get(), "category_input_DE");
  input->hide();
}

class CategoryWindowEnglish : public CategoryWindow {
 protected:
  CategoryWindowEnglish() : CategoryWindow("EN") {}
};

TEST_F(CategoryWindowEnglish, Screenshots) {
  dlg->show();
  Show("Br\xFChen");
  test::Shot(dlg.get(), "categories_EN");
  dlg->hide();
  REZGATT g;
  g.kind = REZGATT::kFree;
  input->SetGattInput(g);
  input->show();
  test::Shot(input.get(), "category_input_EN");
  input->hide();
}

}  // namespace
}  // namespace tav
