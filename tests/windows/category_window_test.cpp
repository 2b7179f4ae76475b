// The category window: new, changed and deleted categories, relating main and sub categories,
// choosing a recipe's categories, and the input dialog.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <QTest>

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
#include "user_actions.h"
#include "user_gestures.h"
#include "window_checks.h"
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
  int RowOf(const TContextListBox* list, const std::string& name) const {
    for (int i = 0; i < list->count(); ++i)
      if (fromQ(list->item(i)->text()) == name) return i;
    return -1;
  }
  void Select(TContextListBox* list, const std::string& name) {
    const int row = RowOf(list, name);
    if (row < 0) ADD_FAILURE() << name;
    list->setCurrentRow(row);
  }
  // A click on the item of that name.
  void ClickItem(TContextListBox* list, const std::string& name) {
    const int row = RowOf(list, name);
    ASSERT_GE(row, 0) << name;
    ASSERT_TRUE(test::ClickCell(list, row));
  }
  void DoubleClickItem(TContextListBox* list, const std::string& name) {
    const int row = RowOf(list, name);
    ASSERT_GE(row, 0) << name;
    ASSERT_TRUE(test::DoubleClickCell(list, row));
  }
  // Shows the category in the details: clicked in the list, then "Zeige >".
  void Show(const std::string& name) {
    ClickItem(dlg->GattLiBo, name);
    ASSERT_TRUE(test::Click(dlg->ShowBtn));
  }
  // `button` clicked, and the input dialog it opens answered as a user does: the name typed
  // over the one it proposes, the radio button of `kind` clicked (none for 0), then OK.
  void ClickAndAnswer(QWidget* button, const std::string& name, uint8_t kind) {
    const bool came = test::WhileModal(
        [&] {
          asked.push_back(fromQ(input->NameEdt->text()));
          ASSERT_TRUE(test::WhenActive(input.get()));
          EXPECT_TRUE(input->NameEdt->hasFocus());
          QWidget* field = QApplication::focusWidget();
          QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
          QTest::keyClick(field, Qt::Key_Delete);
          test::TypeText(field, toQ(name));
          if (kind == REZGATT::kMain) {
            EXPECT_TRUE(test::ClickBox(input->MainRdb));
          } else if (kind != 0) {
            EXPECT_TRUE(test::ClickBox(input->UnterRdb));
          }
          EXPECT_TRUE(test::Click(input->OKBtn));
        },
        [&] { EXPECT_TRUE(test::Click(button)); });
    EXPECT_TRUE(came) << "no input dialog";
  }

  test::TestEnv env;
  TToolsMod tools;
  std::string lang_ = "DE";
  std::unique_ptr<test::WindowLanguage> language;
  std::unique_ptr<TInpGattDlg> input;
  std::unique_ptr<TGattDlg> dlg;
  std::vector<std::string> asked;  // the names the input dialog proposed
};

TEST_F(CategoryWindow, ListsAndDetailsByKind) {
  dlg->show();
  EXPECT_EQ(fromQ(dlg->windowTitle()), GetLangText(79));
  EXPECT_EQ(Items(dlg->GattLiBo),
            (std::vector<std::string>{"Br\xFChen", "Cremesuppen", "Desserts", "Eint\xF6pfe",
                                      "Hauptgerichte", "Resteessen", "Suppen"}));
  EXPECT_TRUE(dlg->Start1Txt->isVisible());  // nothing shown yet
  EXPECT_FALSE(dlg->ChangeBtn->isEnabled());
  ASSERT_TRUE(test::ClickTab(dlg->ArtTab, dlg->ArtTab->tabText(2)));
  EXPECT_EQ(Items(dlg->GattLiBo),
            (std::vector<std::string>{"Br\xFChen", "Cremesuppen", "Eint\xF6pfe"}));
  ASSERT_TRUE(test::ClickTab(dlg->ArtTab, dlg->ArtTab->tabText(0)));
  ClickItem(dlg->GattLiBo, "Suppen");
  EXPECT_TRUE(dlg->ChangeBtn->isEnabled());  // a click in the list enables the buttons
  EXPECT_TRUE(dlg->DelBtn->isEnabled());
  EXPECT_TRUE(dlg->Start1Txt->isVisible());  // shown only on request
  ASSERT_TRUE(test::Click(dlg->ShowBtn));
  EXPECT_FALSE(dlg->Start1Txt->isVisible());
  EXPECT_EQ(fromQ(dlg->GattArtTxt->text()), GetLangText(72));
  EXPECT_EQ(fromQ(dlg->NebenTxt->text()), GetLangText(73));
  EXPECT_EQ(Items(dlg->NebenLiBo),
            (std::vector<std::string>{"Br\xFChen", "Cremesuppen", "Eint\xF6pfe"}));
  EXPECT_TRUE(dlg->SymbolEdt->isVisible());
  EXPECT_EQ(fromQ(dlg->SymbolEdt->text()), "suppe.bmp");
  // A double click shows a category too.
  DoubleClickItem(dlg->GattLiBo, "Br\xFChen");
  EXPECT_EQ(fromQ(dlg->GattNameTxt->text()), "Br\xFChen");
  EXPECT_EQ(fromQ(dlg->GattArtTxt->text()), GetLangText(74));
  EXPECT_EQ(Items(dlg->NebenLiBo), (std::vector<std::string>{"Hauptgerichte", "Suppen"}));
  EXPECT_FALSE(dlg->SymbolEdt->isVisible());
  Show("Resteessen");
  EXPECT_EQ(fromQ(dlg->GattArtTxt->text()), GetLangText(76));
  EXPECT_TRUE(dlg->Free1Txt->isVisible());
  EXPECT_FALSE(dlg->NebenLiBo->isVisible());
  // From the related list back to the category list, with "< Zeige" and with a double click.
  Show("Suppen");
  ASSERT_TRUE(test::ClickTab(dlg->ArtTab, dlg->ArtTab->tabText(1)));
  EXPECT_FALSE(dlg->ShowOBtn->isEnabled());
  ClickItem(dlg->NebenLiBo, "Eint\xF6pfe");
  ASSERT_TRUE(test::Click(dlg->ShowOBtn));
  EXPECT_EQ(dlg->ArtTab->currentIndex(), 0);
  EXPECT_EQ(fromQ(dlg->GattNameTxt->text()), "Eint\xF6pfe");
  EXPECT_EQ(test::CurrentText(dlg->GattLiBo), "Eint\xF6pfe");
  DoubleClickItem(dlg->NebenLiBo, "Suppen");
  EXPECT_EQ(fromQ(dlg->GattNameTxt->text()), "Suppen");
  EXPECT_EQ(test::CurrentText(dlg->GattLiBo), "Suppen");
  dlg->hide();
}

TEST_F(CategoryWindow, AMainCategoryMadeFreeFreesItsOnlySubCategoriesAndSaysHowMany) {
  dlg->show();
  ClickItem(dlg->GattLiBo, "Suppen");
  env.messages.answers = {IDNO};
  ClickAndAnswer(dlg->ChangeBtn, "Suppen", REZGATT::kFree);
  EXPECT_EQ(asked.at(0), "Suppen");
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(67));
  EXPECT_EQ(Cat("Suppen")->kind, REZGATT::kMain);  // No: nothing changes
  EXPECT_EQ(Cat("Eint\xF6pfe")->kind, REZGATT::kSub);

  ClickItem(dlg->GattLiBo, "Suppen");
  env.messages.answers = {IDYES};
  ClickAndAnswer(dlg->ChangeBtn, "Suppen", REZGATT::kFree);
  ASSERT_EQ(env.messages.shown.size(), 3u);
  EXPECT_EQ(env.messages.shown[2].text, GetLangText(69) + "2" + GetLangText(70));
  EXPECT_EQ(env.messages.shown[2].title, GetLangText(2));
  EXPECT_EQ(Cat("Suppen")->kind, REZGATT::kFree);
  EXPECT_EQ(Cat("Eint\xF6pfe")->kind, REZGATT::kFree);
  EXPECT_EQ(Cat("Cremesuppen")->kind, REZGATT::kFree);
  EXPECT_EQ(Cat("Br\xFChen")->mainIds, (std::vector<uint16_t>{2}));
  // Its id is not handed out again while the window is open.
  EXPECT_EQ(dlg->categories.FindFreeGattId(), 8);
  ASSERT_TRUE(test::Click(dlg->OKBtn));
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_TRUE(dlg->GattDlgApplied());
  EXPECT_EQ(ReadAll(File()).substr(0, 37), "0001 Suppen\r\n\r\n>0002 Hauptgerichte#\r\n");
}

TEST_F(CategoryWindow, RenamingChecksForDuplicatesAndKeepsTheKind) {
  dlg->show();
  ClickItem(dlg->GattLiBo, "Br\xFChen");
  ClickAndAnswer(dlg->ChangeBtn, "Desserts", 0);
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(60));
  EXPECT_NE(Cat("Br\xFChen"), nullptr);
  ClickItem(dlg->GattLiBo, "Br\xFChen");
  ClickAndAnswer(dlg->ChangeBtn, "br\xFChen", 0);  // differs only in letter case: accepted
  ASSERT_NE(Cat("br\xFChen"), nullptr);
  EXPECT_EQ(Cat("br\xFChen")->kind, REZGATT::kSub);
  EXPECT_EQ(Cat("br\xFChen")->mainIds, (std::vector<uint16_t>{1, 2}));
  EXPECT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(fromQ(dlg->GattNameTxt->text()), "br\xFChen");
}

TEST_F(CategoryWindow, NewCategoriesGetAFreeIdAndUniqueNames) {
  dlg->show();
  ClickAndAnswer(dlg->NeuBtn, "Suppen", REZGATT::kMain);
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(60));
  EXPECT_EQ(asked.at(0), "");
  ClickAndAnswer(dlg->NeuBtn, "Salate", REZGATT::kMain);
  ClickAndAnswer(dlg->NeuBtn, "Sonstiges", REZGATT::kFree);
  ASSERT_NE(Cat("Salate"), nullptr);
  EXPECT_EQ(Cat("Salate")->id, 8);
  EXPECT_EQ(Cat("Salate")->kind, REZGATT::kMain);
  ASSERT_NE(Cat("Sonstiges"), nullptr);
  EXPECT_EQ(Cat("Sonstiges")->id, 9);
  EXPECT_EQ(Cat("Sonstiges")->kind, REZGATT::kFree);
  EXPECT_EQ(fromQ(dlg->GattNameTxt->text()), "Sonstiges");
  // Escape in the input dialog cancels it.
  EXPECT_TRUE(test::WhileModal(
      [&] {
        ASSERT_TRUE(test::WhenActive(input.get()));
        test::PressKey(Qt::Key_Escape);
      },
                               [&] { EXPECT_TRUE(test::Click(dlg->NeuBtn)); }));
  EXPECT_EQ(dlg->categories.gatt.size(), 9u);
}

TEST_F(CategoryWindow, DeletingTheShownCategoryOrTheLastOneLeavesValidDetails) {
  dlg->show();
  // Resteessen is the last entry of the table; Suppen the first.
  Show("Resteessen");
  ClickItem(dlg->GattLiBo, "Suppen");
  env.messages.answers = {IDYES};
  ASSERT_TRUE(test::Click(dlg->DelBtn));
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
  ASSERT_TRUE(test::Click(dlg->DelBtn));  // a free category goes without a question
  EXPECT_EQ(env.messages.shown.size(), 2u);
  EXPECT_EQ(Cat("Resteessen"), nullptr);
  const int shown = dlg->Shown();
  ASSERT_TRUE(shown == -1 || shown < static_cast<int>(dlg->categories.gatt.size()));
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(test::ClickCell(dlg->GattLiBo, 0));
    env.messages.answers = {IDYES};
    ASSERT_TRUE(test::Click(dlg->DelBtn));
    ASSERT_LT(dlg->Shown(), static_cast<int>(dlg->categories.gatt.size()));
  }
  EXPECT_EQ(dlg->categories.gatt.size(), 0u);
  EXPECT_TRUE(dlg->Start1Txt->isVisible());
  EXPECT_FALSE(dlg->DelBtn->isEnabled());
}

TEST_F(CategoryWindow, RelatingFreeSubAndMainCategories) {
  dlg->show();
  Show("Desserts");
  EXPECT_FALSE(dlg->GattAddBtn->isEnabled());  // the shown one itself is selected
  ClickItem(dlg->GattLiBo, "Resteessen");
  ASSERT_TRUE(test::Click(dlg->GattAddBtn));
  EXPECT_EQ(Cat("Resteessen")->kind, REZGATT::kSub);  // a free one became a sub category
  EXPECT_EQ(Items(dlg->NebenLiBo), (std::vector<std::string>{"Resteessen"}));
  ASSERT_TRUE(test::ClickTab(dlg->ArtTab, dlg->ArtTab->tabText(3)));
  EXPECT_EQ(Items(dlg->GattLiBo), std::vector<std::string>{});
  ASSERT_TRUE(test::ClickTab(dlg->ArtTab, dlg->ArtTab->tabText(0)));
  // Removing the only main category of a sub category makes it free again.
  EXPECT_FALSE(dlg->GattDelBtn->isEnabled());
  ClickItem(dlg->NebenLiBo, "Resteessen");
  ASSERT_TRUE(test::Click(dlg->GattDelBtn));
  EXPECT_EQ(Cat("Resteessen")->kind, REZGATT::kFree);
  EXPECT_TRUE(Cat("Resteessen")->mainIds.empty());
  // A main category added to a sub category, by dragging it over too.
  Show("Eint\xF6pfe");
  ClickItem(dlg->GattLiBo, "Desserts");
  ASSERT_TRUE(test::Click(dlg->GattAddBtn));
  test::StartDragWithMouse(dlg->GattLiBo->viewport(),
                           test::CellCentre(dlg->GattLiBo, RowOf(dlg->GattLiBo, "Desserts")));
  dlg->GattAddBtnClick();  // the drop, as the platform delivers it: once only
  EXPECT_EQ(Cat("Eint\xF6pfe")->mainIds, (std::vector<uint16_t>{1, 3}));
  ClickItem(dlg->NebenLiBo, "Suppen");
  ASSERT_TRUE(test::Click(dlg->GattDelBtn));
  EXPECT_EQ(Cat("Eint\xF6pfe")->mainIds, (std::vector<uint16_t>{3}));
  EXPECT_EQ(Cat("Eint\xF6pfe")->kind, REZGATT::kSub);
}

TEST_F(CategoryWindow, CancelReadsTheFileAndTheCloseBoxAndEscapeKeepTheEdits) {
  dlg->show();
  ClickItem(dlg->GattLiBo, "Desserts");
  env.messages.answers = {IDYES};
  ASSERT_TRUE(test::Click(dlg->DelBtn));
  dlg->close();  // the close box
  EXPECT_FALSE(dlg->GattDlgApplied());
  EXPECT_EQ(Cat("Desserts"), nullptr);
  EXPECT_EQ(ReadAll(File()), kTable);
  dlg->show();
  ASSERT_TRUE(test::Click(dlg->GattLiBo));
  test::PressKey(Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_FALSE(dlg->GattDlgApplied());
  EXPECT_EQ(Cat("Desserts"), nullptr);
  dlg->show();
  ASSERT_TRUE(test::Click(dlg->CancelBtn));
  EXPECT_FALSE(dlg->isVisible());
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
  ClickItem(dlg->GattLiBo, "Hauptgerichte");
  ASSERT_TRUE(test::Click(dlg->GattAddBtn));  // already there
  EXPECT_EQ(Items(dlg->NebenLiBo), (std::vector<std::string>{"Hauptgerichte"}));
  DoubleClickItem(dlg->GattLiBo, "Suppen");  // a double click adds
  EXPECT_EQ(dlg->Codes()[1], 1);
  ClickItem(dlg->NebenLiBo, "Hauptgerichte");
  ASSERT_TRUE(test::Click(dlg->GattDelBtn));
  EXPECT_EQ(dlg->Codes()[0], 0);  // the slot is freed, the others stay where they are
  EXPECT_EQ(dlg->Codes()[3], 4);
  ASSERT_TRUE(test::Click(dlg->CancelBtn));
  EXPECT_FALSE(dlg->GattDlgApplied());
  EXPECT_EQ(recipe.categories[0], 2);  // Cancel leaves the recipe as it was
  EXPECT_EQ(recipe.categories[1], 0);

  for (uint16_t& c : recipe.categories) c = c ? c : 3;  // ten categories already
  dlg->SetGattDlgMode(1, &recipe);
  dlg->show();
  ClickItem(dlg->GattLiBo, "Suppen");
  ASSERT_TRUE(test::Click(dlg->GattAddBtn));
  EXPECT_EQ(test::LastOf(env.messages.shown).text, GetLangText(78));
  ClickItem(dlg->NebenLiBo, "Desserts");
  ASSERT_TRUE(test::Click(dlg->GattDelBtn));
  ClickItem(dlg->GattLiBo, "Suppen");
  ASSERT_TRUE(test::Click(dlg->GattAddBtn));
  ASSERT_TRUE(test::Click(dlg->OKBtn));
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
  const auto typeName = [&](const std::string& name) {
    ASSERT_TRUE(test::WhenActive(input.get()));
    QWidget* field = QApplication::focusWidget();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    test::TypeText(field, toQ(name));
  };
  EXPECT_TRUE(test::WhileModal(
      [&] {
        ASSERT_TRUE(test::WhenActive(input.get()));
        ASSERT_TRUE(input->NameEdt->hasFocus());
        EXPECT_TRUE(test::Click(input->OKBtn));
        EXPECT_EQ(test::LastOf(env.messages.shown).text, GetLangText(112));
        EXPECT_TRUE(input->NameEdt->text().isEmpty());
        ASSERT_TRUE(test::TypeInto(input->NameEdt, toQ("Suppen#2")));
        EXPECT_TRUE(test::Click(input->OKBtn));
        EXPECT_EQ(test::LastOf(env.messages.shown).text, GetLangText(764));
        EXPECT_TRUE(input->isVisible());  // refused: the dialog stays
        ASSERT_TRUE(test::TypeInto(input->NameEdt, QString(250, QLatin1Char('x'))));
        EXPECT_TRUE(test::ClickBox(input->UnterRdb));
        EXPECT_TRUE(test::Click(input->OKBtn));
      },
      [&] { input->exec(); }));
  EXPECT_EQ(fresh.name.size(), 198u);
  EXPECT_EQ(fresh.kind, REZGATT::kFree);

  REZGATT sub = *Cat("Br\xFChen");
  input->SetGattInput(sub);
  EXPECT_EQ(fromQ(input->windowTitle()), GetLangText(108));
  EXPECT_TRUE(input->UnterRdb->isChecked());
  EXPECT_EQ(fromQ(input->UnterRdb->text()), GetLangText(111));
  EXPECT_TRUE(test::WhileModal([&] { EXPECT_TRUE(test::Click(input->OKBtn)); },
                               [&] { input->exec(); }));
  EXPECT_EQ(sub.kind, REZGATT::kSub);
  input->SetGattInput(sub);
  EXPECT_TRUE(test::WhileModal(
      [&] {
        typeName("Br\xFChen und Fonds");
        EXPECT_TRUE(test::ClickBox(input->MainRdb));
        EXPECT_TRUE(test::Click(input->OKBtn));
      },
      [&] { input->exec(); }));
  EXPECT_EQ(sub.kind, REZGATT::kMain);
  EXPECT_EQ(sub.name, "Br\xFChen und Fonds");
  // Cancel, and Escape, leave the category as it was.
  for (const bool escape : {false, true}) {
    input->SetGattInput(sub);
    EXPECT_TRUE(test::WhileModal(
        [&] {
          typeName("Anders");
          if (escape)
            test::PressKey(Qt::Key_Escape);
          else
            EXPECT_TRUE(test::Click(input->CancelBtn));
          EXPECT_FALSE(input->isVisible());
        },
        [&] { EXPECT_EQ(input->exec(), QDialog::Rejected); }));
    EXPECT_EQ(sub.name, "Br\xFChen und Fonds");
  }
}

// Enter ends what is typed and does nothing else: the window has no default button.
TEST_F(CategoryWindow, EnterInTheSymbolFieldAndTheListsNeitherClosesNorWrites) {
  dlg->show();
  Show("Desserts");
  ASSERT_TRUE(test::TypeInto(dlg->SymbolEdt, QStringLiteral("eis.bmp")));
  EXPECT_EQ(Cat("Desserts")->symbol, "eis.bmp");  // taken as it is typed
  EXPECT_FALSE(test::WhileModal([] {}, [] { test::PressKey(Qt::Key_Return); }));
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_TRUE(dlg->SymbolEdt->hasFocus());
  ASSERT_TRUE(test::ClickCell(dlg->GattLiBo, 0));
  EXPECT_FALSE(test::WhileModal([] {}, [] { test::PressKey(Qt::Key_Enter); }));
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_FALSE(dlg->GattDlgApplied());
  EXPECT_EQ(ReadAll(File()), kTable);
  for (QPushButton* b : dlg->findChildren<QPushButton*>())
    EXPECT_FALSE(b->isDefault() || b->autoDefault()) << b->objectName().toStdString();
  // Nor does the input dialog take Enter as OK.
  EXPECT_TRUE(test::WhileModal(
      [&] {
        ASSERT_TRUE(test::WhenActive(input.get()));
        test::TypeText(QApplication::focusWidget(), QStringLiteral("Eis"));
        test::PressKey(Qt::Key_Return);
        EXPECT_TRUE(input->isVisible());
      },
      [&] { EXPECT_TRUE(test::Click(dlg->NeuBtn)); }));
  EXPECT_EQ(Cat("Eis"), nullptr);
}

TEST_F(CategoryWindow, SymbolPicturesAreTakenIntoTheSymbolFolder) {
  dlg->show();
  Show("Desserts");
  WriteAll(env.Root() + "Import/eis.bmp", "BM");
  dlg->chooseSymbolPicture = [&](std::string& path) {
    path = env.Root() + "Import/eis.bmp";
    return true;
  };
  ASSERT_TRUE(test::Click(dlg->SymbolBtn));
  EXPECT_EQ(Cat("Desserts")->symbol, "eis.bmp");
  EXPECT_EQ(fromQ(dlg->SymbolEdt->text()), "eis.bmp");
  EXPECT_EQ(ReadAll(env.Root() + "Pics/Gattungen/eis.bmp"), "BM");
  ASSERT_TRUE(test::Click(dlg->HelpBtn));
  EXPECT_EQ(test::LastOf(env.shell.opened), env.Root() + "Data/DE/Help/Dlg_Gattung.htm");
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
