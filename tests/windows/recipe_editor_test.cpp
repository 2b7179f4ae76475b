// The recipe editor with its standard page, ingredient line list and ingredient chooser, driven
// offscreen over a real book: creating, changing and saving recipes, the save question, the
// ingredient entry and the recipe picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>

#include "app/ui/main_window.h"
#include "app/ui/tips_dialog.h"
#include "nutrients/food_database.h"
#include "nutrients/nutrient_table.h"
#include "nutrients/ui/filter_group_dialog.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "nutrients/ui/food_chooser_dialog.h"
#include "nutrients/ui/food_search_inputs.h"
#include "nutrients/ui/nutrient_calc_dialog.h"
#include "pictures/ui/picture_loader.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "recipedb/book_test_util.h"
#include "recipedb/category_table.h"
#include "recipedb/index_file.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/record_file.h"
#include "recipedb/ui/category_dialog.h"
#include "recipedb/unit_table.h"
#include "recipes/standard_page_fields.h"
#include "recipes/ui/edit_additional_page_window.h"
#include "recipes/ui/edit_other_page_window.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/ingredient_chooser_dialog.h"
#include "recipes/ui/ingredient_lines_window.h"
#include "recipes/ui/portions_dialog.h"
#include "recipes/ui/quick_entry_page_window.h"
#include "recipes/ui/recipe_editor_window.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/tools_module.h"
#include "services/ui/context_list_box.h"
#include "services/ui/lang_dialog.h"
#include "window_test_support.h"
#include "windows/user_actions.h"
#include "windows/user_gestures.h"
#include "windows/window_checks.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

// A book "Test" with the shipped reference tables and the four editor windows, translated from
// the language file of `lang`.
class EditorWindows {
 public:
  explicit EditorWindows(const std::string& lang = "DE") {
    // Windows the editor reaches through their globals are not part of these tests.
    MainFrm = nullptr;
    Registered<MainWindowAccess>::Enter(nullptr);
    AssistDlg = nullptr;
    Registered<TipsAccess>::Enter(nullptr);
    ChooseRezDlg = nullptr;
    PortionsDlg = nullptr;
    QEditDlg = nullptr;
    ZEditDlg = nullptr;
    AEditDlg = nullptr;
    b.env.userSettings.WriteString(kRegParam, "AktLanguage", lang);
    b.env.LoadLanguage(lang);
    for (const char* f : {"einheit.dat", "zutaten.dat", "Gattung.dat", "Portions.dat"})
      WriteAll(b.env.Root() + "Data/" + lang + "/" + f,
               ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/" + f));
    OptionsStore& o = b.env.Options();
    o.SetParaString(10, "Tester");
    o.SetParaString(62, "tester@example.org");
    units.ReadEinheiten();
    units.SortEinheiten();
    ingredients.ReadZutaten();
    categories.ReadGattungen();
    ctx().units = &units;
    ctx().ingredients = &ingredients;
    ctx().categories = &categories;
    ctx().tools = &tools;
    lang_ = std::make_unique<TLangDlg>();
    lang_->FormCreate(nullptr);
    LangDlg = lang_.get();
    // In creation order: the pages, the editor, its line list, the chooser.
    portions = new TPortionsDlg;
    page = new TNEditDlg;
    additional = new TZEditDlg;
    quick = new TQEditDlg;
    other = new TAEditDlg;
    editor = new TEditRezDlg;
    lines = new TEditZutatDlg;
    chooser = new TChooseZutatDlg;
    editor->resize(900, 640);
  }
  // In reverse creation order, as the program ends; a window docked into another goes with it.
  ~EditorWindows() {
    delete chooser.data();
    delete lines.data();
    delete editor.data();
    delete other.data();
    delete quick.data();
    delete additional.data();
    delete page.data();
    delete portions.data();
    LangDlg = nullptr;
  }

  test::BookEnv b{"Test"};
  UnitTable units;
  IngredientCatalogue ingredients;
  CategoryTable categories;
  TToolsMod tools;
  std::unique_ptr<TLangDlg> lang_;
  QPointer<TPortionsDlg> portions;
  QPointer<TNEditDlg> page;
  QPointer<TZEditDlg> additional;
  QPointer<TQEditDlg> quick;
  QPointer<TAEditDlg> other;
  QPointer<TEditRezDlg> editor;
  QPointer<TEditZutatDlg> lines;
  QPointer<TChooseZutatDlg> chooser;
};

class RecipeEditor : public ::testing::Test {
 protected:
  EditorWindows w;
  test::BookEnv& b = w.b;
  TEditRezDlg& editor = *w.editor;
  TNEditDlg& page = *w.page;
  TChooseZutatDlg& chooser = *w.chooser;

  std::string BookFile(const char* ext) { return b.File("Test", ext); }
  std::vector<test::FakeMessageBoxes::Shown>& Shown() { return b.env.messages.shown; }

  // A recipe without a picture in the book, and a picture file for it to be given.
  std::string AddRecipeAndPictureFile() {
    REZBLOCK r = test::RichRecipe(0);
    r.pictures.clear();
    b.AddRecipe(r);
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    const std::string source = b.env.Root() + "Import/kuchen.jpeg";
    EXPECT_TRUE(SavePictureFile(image, source));
    return source;
  }
  // Types one ingredient line into the chooser and takes it over with its OK button.
  void AddLine(const char* amount, const char* unit, const char* ingredient,
               const char* description = "") {
    chooser.MengeCoBo->setEditText(toQ(amount));
    chooser.EinheitCoBo->setEditText(toQ(unit));
    chooser.ZutatCoBo->setEditText(toQ(ingredient));
    chooser.MemoEdt->setPlainText(toQ(description));
    chooser.OKBtnClick();
  }
  void AddHeading(const char* text) {
    chooser.NewTrennzeileBtnClick();
    chooser.TrenntextEdt->setText(toQ(text));
    chooser.OKBtnClick();
  }
  // A new recipe typed into the standard page and the chooser: three ingredient lines (one
  // with a description), a heading, the title and the preparation text.
  void TypeNewRecipe() {
    editor.ShowEditView(true);
    editor.NewRecipe();
    page.TitelEdt->setText(toQ("Zwiebelkuchen"));
    page.TextRtf->setPlainText(toQ("Teig kneten.\nZwiebeln d\xFCnsten.\nBacken."));
    w.lines->PlaceIngredientList(true);
    chooser.LoadChooserLine(&editor.WorkRecipe, -1, false);
    AddLine("500", "Gramm [g]", "Mehl");
    AddHeading("Belag");
    AddLine("1", "kg", "Zwiebeln", "in Ringe geschnitten");
    AddLine("200", "Becher", "Schmand");
    chooser.FormClose();
  }
};

TEST_F(RecipeEditor, ANewRecipeIsSavedAndReadsBackIdenticalAfterARestart) {
  TypeNewRecipe();
  const std::vector<REZZUTAT>& l = editor.WorkRecipe.lines;
  ASSERT_EQ(l.size(), 5u);
  EXPECT_EQ(l[0].unit, "g");
  EXPECT_EQ(l[1].text, "*Belag");
  EXPECT_EQ(l[2].text, "Zwiebeln");
  EXPECT_EQ(l[2].unit, "kg");
  EXPECT_EQ(l[3].text, "-in Ringe geschnitten");
  EXPECT_EQ(l[4].unit, "Be");
  EXPECT_EQ(editor.WorkRecipe.lineCount, 5);
  // The catalogue links flour to a food: offered once, refused (the fake answers OK).
  ASSERT_FALSE(Shown().empty());
  EXPECT_EQ(Shown()[0].text, GetLangText(425));
  EXPECT_TRUE(l[0].blsCode.empty());
  Shown().clear();

  b.env.messages.answers = {IDYES};
  ASSERT_TRUE(editor.AskSaveChanges(true));
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0].text, GetLangText(39));
  ASSERT_EQ(b.store.BookIndex().size(), 1u);
  const REZINDEX entry = b.store.BookIndex()[0];
  EXPECT_EQ(entry.Title(), "Zwiebelkuchen");
  EXPECT_EQ(editor.GetEditListIndex(), 0);

  // Another store over the same files: what it reads is what the editor holds.
  TdbList again;
  ctx().dbList = &again;
  again.ReloadBookIndex();
  ASSERT_EQ(again.BookIndex().size(), 1u);
  REZBLOCK read;
  ASSERT_TRUE(again.ReadRezBlock("", nullptr, 0, read));
  ctx().dbList = &b.store;
  test::ExpectSameRecipe(editor.WorkRecipe, read);
  EXPECT_EQ(read.text, "Teig kneten.\nZwiebeln d\xFCnsten.\nBacken.");
  EXPECT_EQ(read.createdBy, "Tester");
  ASSERT_EQ(read.remarks.size(), 1u);
  EXPECT_EQ(read.remarks[0].author, "Tester");

  // Saved: nothing is asked any more, and a second save keeps the number and the one entry.
  Shown().clear();
  EXPECT_TRUE(editor.AskSaveChanges(true));
  EXPECT_TRUE(Shown().empty());
  page.TitelEdt->setText(toQ("Zwiebelkuchen vom Blech"));
  ASSERT_TRUE(editor.SaveRecipe(true));
  ASSERT_EQ(b.store.BookIndex().size(), 1u);
  EXPECT_EQ(b.store.BookIndex()[0].number, entry.number);
  EXPECT_EQ(b.store.BookIndex()[0].rewriteCount, 1);
  EXPECT_EQ(CountIndexEntries(BookFile(".idx"), false), 1);
}

TEST_F(RecipeEditor, EditingTheTitleAppendsOneRecordAndMarksTheOldOneDeleted) {
  REZBLOCK r = test::RichRecipe(1);
  b.AddRecipe(r);
  const REZINDEX before = b.store.BookIndex()[0];
  const long long bookSize = FileSize(BookFile(".bok"));

  editor.ShowEditView(true);
  editor.LoadRecipeForEdit(0);
  EXPECT_FALSE(editor.IsRecipeModified()) << "loading alone is no change";
  page.TitelEdt->setText(toQ("Rezept 1 neu"));
  editor.OKBtnClick();
  EXPECT_TRUE(editor.isHidden());

  const REZINDEX after = b.store.BookIndex()[0];
  EXPECT_EQ(after.Title(), "Rezept 1 neu");
  EXPECT_EQ(after.number, before.number);
  EXPECT_EQ(after.rewriteCount, 1);
  EXPECT_EQ(after.offset, bookSize) << "the new record is appended";
  EXPECT_EQ(after.flags, before.flags);
  EXPECT_EQ(FileSize(BookFile(".bok")), bookSize + after.length);
  const std::string bok = ReadAll(BookFile(".bok"));
  EXPECT_EQ(bok[static_cast<size_t>(before.offset) + kRecordDeletedPos], 1);
  EXPECT_EQ(bok[static_cast<size_t>(after.offset) + kRecordDeletedPos], 0);
  EXPECT_EQ(CountIndexEntries(BookFile(".idx"), false), 1);

  REZBLOCK read;
  ASSERT_TRUE(b.store.ReadRezBlock("", nullptr, 0, read));
  EXPECT_EQ(read.title, "Rezept 1 neu");
  EXPECT_EQ(read.changedBy, "Tester");
  EXPECT_EQ(read.lines.size(), r.lines.size());
}

TEST_F(RecipeEditor, TheSaveQuestionOnSwitchingRecipes) {
  for (int i = 0; i < 2; ++i) {
    REZBLOCK r = test::RichRecipe(i);
    b.AddRecipe(r);
  }
  auto switchTo = [&](int index) {
    if (!editor.AskSaveChanges(false)) return false;
    editor.LoadRecipeForEdit(index);
    return true;
  };
  editor.ShowEditView(true);
  editor.LoadRecipeForEdit(0);
  const long long size = FileSize(BookFile(".bok"));

  struct Case {
    int answer;
    bool switched;
    bool stored;
  };
  for (const Case c :
       {Case{IDCANCEL, false, false}, Case{IDNO, true, false}, Case{IDYES, true, true}}) {
    SCOPED_TRACE(c.answer);
    editor.LoadRecipeForEdit(0);
    page.KostEdt->setText(toQ("teuer"));
    b.env.messages.answers = {c.answer};
    Shown().clear();
    EXPECT_EQ(switchTo(1), c.switched);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].title, GetLangText(17));
    EXPECT_EQ(Shown()[0].flags & 0xF, MB_YESNOCANCEL);
    EXPECT_EQ(editor.WorkRecipe.title, c.switched ? "Rezept 1" : "Rezept 0");
    REZBLOCK stored;
    b.store.ReadRezBlock("", nullptr, 0, stored);
    EXPECT_EQ(stored.costs, c.stored ? "teuer" : "3 Euro");
    EXPECT_EQ(FileSize(BookFile(".bok")) > size, c.stored);
  }
}

TEST_F(RecipeEditor, AHiddenOrUnchangedEditorDoesNotAsk) {
  REZBLOCK r = test::RichRecipe(0);
  b.AddRecipe(r);
  editor.LoadRecipeForEdit(0);
  page.TitelEdt->setText(toQ("anders"));
  EXPECT_TRUE(editor.AskSaveChanges(true)) << "hidden";
  editor.ShowEditView(true);
  editor.LoadRecipeForEdit(0);
  EXPECT_TRUE(editor.AskSaveChanges(true));
  // A unit differing only in case is no change; the rating and the card text are.
  editor.WorkRecipe.lines[0].unit = "el";
  EXPECT_FALSE(editor.IsRecipeModified());
  editor.WorkRecipe.difficulty = '5';
  EXPECT_TRUE(editor.IsRecipeModified());
  EXPECT_TRUE(Shown().empty());
}

TEST_F(RecipeEditor, TheCategoryButtonChoosesTheRecipesCategoriesInTheCategoryWindow) {
  TGattDlg gatt;  // over the shipped categories
  REZBLOCK r = test::RichRecipe(0);
  r.categories[0] = 2;
  b.AddRecipe(r);
  editor.ShowEditView(true);
  editor.LoadRecipeForEdit(0);
  std::string soups, starters;
  ASSERT_TRUE(gatt.categories.GetGattName(2, soups));
  ASSERT_TRUE(gatt.categories.GetGattName(1, starters));
  auto choose = [&](bool ok) {
    QTimer::singleShot(0, &gatt, [&, ok] {
      EXPECT_EQ(gatt.Mode(), 1);
      for (int i = 0; i < gatt.GattLiBo->count(); ++i)
        if (fromQ(gatt.GattLiBo->item(i)->text()) == starters) gatt.GattLiBo->setCurrentRow(i);
      gatt.GattAddBtnClick();
      if (ok)
        gatt.OKBtnClick();
      else
        gatt.CancelBtnClick();
    });
    page.GattNeuBtnClick();
  };
  choose(false);
  EXPECT_EQ(editor.WorkRecipe.categories[1], 0);  // Cancel: the recipe is as it was
  choose(true);
  EXPECT_EQ(editor.WorkRecipe.categories[0], 2);
  EXPECT_EQ(editor.WorkRecipe.categories[1], 1);
  std::vector<std::string> listed;
  for (int i = 0; i < page.GattLiBo->count(); ++i)
    listed.push_back(fromQ(page.GattLiBo->item(i)->text()));
  EXPECT_EQ(listed, (std::vector<std::string>{soups, starters}));
  EXPECT_TRUE(editor.IsRecipeModified());
}

// The category window is titled with the title as typed, before anything is saved.
TEST_F(RecipeEditor, TheCategoryWindowIsTitledWithTheTypedTitle) {
  TGattDlg gatt;
  REZBLOCK r = test::RichRecipe(0);
  b.AddRecipe(r);
  editor.ShowEditView(true);
  editor.LoadRecipeForEdit(0);
  page.TitelEdt->selectAll();
  QTest::keyClicks(page.TitelEdt, "Kartoffelsuppe mit Speck");
  std::string title;
  QTimer::singleShot(0, &gatt, [&] {
    title = fromQ(gatt.windowTitle());
    gatt.CancelBtnClick();
  });
  QTest::mouseClick(page.GattNeuBtn, Qt::LeftButton);
  EXPECT_EQ(title, GetLangText(80) + "Kartoffelsuppe mit Speck'");
}

TEST_F(RecipeEditor, MissingTitleOrTextIsNeverStored) {
  const long long size = FileSize(BookFile(".bok"));
  editor.ShowEditView(true);
  editor.NewRecipe();
  page.TitelEdt->setText(toQ("Nur ein Titel"));
  b.env.messages.answers = {IDYES, IDYES};  // save? yes; keep editing? yes
  EXPECT_FALSE(editor.AskSaveChanges(true));
  ASSERT_EQ(Shown().size(), 2u);
  EXPECT_EQ(Shown()[1].text, GetLangText(42));
  b.env.messages.answers = {IDYES, IDNO};  // drop the changes
  EXPECT_TRUE(editor.AskSaveChanges(true));
  EXPECT_TRUE(b.store.BookIndex().empty());
  EXPECT_EQ(FileSize(BookFile(".bok")), size);
}

TEST_F(RecipeEditor, AFailedWriteKeepsTheRecipeInTheOpenEditor) {
  REZBLOCK r = test::RichRecipe(0);
  b.AddRecipe(r);
  editor.ShowEditView(true);
  editor.LoadRecipeForEdit(0);
  page.TitelEdt->setText(toQ("Neuer Titel"));
  // The record file cannot be written: a folder stands in its place.
  const std::string bok = BookFile(".bok");
  ASSERT_TRUE(RenameFile(bok, bok + ".keep"));
  ASSERT_TRUE(MakeDirs(bok));
  editor.OKBtnClick();
  EXPECT_FALSE(editor.isHidden());
  EXPECT_EQ(editor.WorkRecipe.title, "Neuer Titel");
  ASSERT_FALSE(Shown().empty());
  EXPECT_EQ(Shown().back().text, GetLangText(49));
  EXPECT_EQ(b.store.BookIndex()[0].Title(), "Rezept 0");
  EXPECT_EQ(b.store.BookIndex()[0].rewriteCount, 0);
  // Once the file is back, the same recipe is stored.
  std::filesystem::remove(bok);
  ASSERT_TRUE(RenameFile(bok + ".keep", bok));
  editor.OKBtnClick();
  EXPECT_TRUE(editor.isHidden());
  EXPECT_EQ(b.store.BookIndex()[0].Title(), "Neuer Titel");
}

TEST_F(RecipeEditor, ChangedServingsRescaleTheLinesWhenAsked) {
  REZBLOCK r = test::RichRecipe(0);  // 6 servings, line 1 "1 EL"
  b.AddRecipe(r);
  editor.ShowEditView(true);
  editor.LoadRecipeForEdit(0);
  page.PortAnzEdt->setText("3");
  b.env.messages.answers = {IDYES};
  page.CheckServingsChange();
  EXPECT_EQ(editor.WorkRecipe.servings, 3);
  EXPECT_EQ(editor.WorkRecipe.lines[1].amount, "1");  // 2 for 6 is 1 for 3
  EXPECT_TRUE(editor.WorkRecipe.nutrients.empty());
  EXPECT_EQ(editor.WorkRecipe.lines[1].grams, 0);
  EXPECT_EQ(editor.WorkRecipe.lines[0].grams, -1) << "unimportant stays";
  // Leaving the field again does not ask a second time.
  page.CheckServingsChange();
  EXPECT_EQ(Shown().size(), 1u);
  // No number: nothing to rescale to, nothing asked.
  page.PortAnzEdt->setText("");
  page.CheckServingsChange();
  EXPECT_EQ(Shown().size(), 1u);
}

TEST_F(RecipeEditor, ASemicolonStartsADescriptionLine) {
  editor.ShowEditView(true);
  editor.NewRecipe();
  w.lines->PlaceIngredientList(true);
  chooser.LoadChooserLine(&editor.WorkRecipe, -1, false);
  AddLine("2", "", "Zwiebel; fein gehackt");
  ASSERT_EQ(editor.WorkRecipe.lines.size(), 2u);
  EXPECT_EQ(editor.WorkRecipe.lines[0].amount, "2");
  EXPECT_EQ(editor.WorkRecipe.lines[0].text, "Zwiebel");
  EXPECT_EQ(editor.WorkRecipe.lines[1].text, "-fein gehackt");
  ASSERT_EQ(w.lines->ZutatLiBo->count(), 2);
  EXPECT_EQ(fromQ(w.lines->ZutatLiBo->item(1)->text()), "\t\tfein gehackt");

  // Editing the line shows its description in the memo and stores the block in place.
  AddLine("1", "EL", "Butter");
  chooser.LoadChooserLine(&editor.WorkRecipe, 0, false);
  EXPECT_EQ(fromQ(chooser.ZutatCoBo->currentText()), "Zwiebel");
  EXPECT_EQ(fromQ(chooser.MemoEdt->toPlainText()), "fein gehackt");
  chooser.MemoEdt->setPlainText(toQ("fein gehackt\ngesch\xE4lt"));
  chooser.StoreChooserLine();
  ASSERT_EQ(editor.WorkRecipe.lines.size(), 4u);
  EXPECT_EQ(editor.WorkRecipe.lines[2].text, "-gesch\xE4lt");
  EXPECT_EQ(editor.WorkRecipe.lines[3].text, "Butter");
  chooser.FormClose();
  EXPECT_FALSE(w.lines->InChooser());
}

TEST_F(RecipeEditor, TheChooserCompletesAndOffersTheCataloguesFoodLink) {
  editor.ShowEditView(true);
  editor.NewRecipe();
  w.lines->PlaceIngredientList(true);
  chooser.LoadChooserLine(&editor.WorkRecipe, -1, false);
  chooser.show();
  chooser.EinheitCoBo->setFocus();
  chooser.EinheitCoBo->setEditText(toQ("Messers"));
  EXPECT_EQ(chooser.CompletionHint, "Messerspitze [Msp]");
  // Holding Ctrl takes the completion; letting go moves on to the ingredient.
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
  QApplication::sendEvent(chooser.EinheitCoBo, &press);
  EXPECT_EQ(fromQ(chooser.EinheitCoBo->currentText()), "Messerspitze [Msp]");
  EXPECT_TRUE(chooser.ModifierHeld);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
  QApplication::sendEvent(chooser.EinheitCoBo, &release);
  EXPECT_FALSE(chooser.ModifierHeld);

  chooser.ZutatCoBo->setEditText(toQ("Zwieb"));
  EXPECT_EQ(chooser.CompletionHint, "Zwiebeln");
  b.env.messages.answers = {IDYES};
  QApplication::sendEvent(chooser.ZutatCoBo, &press);
  EXPECT_EQ(fromQ(chooser.ZutatCoBo->currentText()), "Zwiebeln");
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0].text, GetLangText(425));
  EXPECT_EQ(fromQ(chooser.BLSKey->text()), "G501000");
  EXPECT_TRUE(chooser.BLSBez->isVisibleTo(&chooser));
  EXPECT_FALSE(chooser.NoBLSTxt->isVisibleTo(&chooser));
  // A link is shown: taking the line over does not ask again.
  chooser.MengeCoBo->setEditText("2");
  chooser.OKBtnClick();
  EXPECT_EQ(Shown().size(), 1u);
  ASSERT_EQ(editor.WorkRecipe.lines.size(), 1u);
  EXPECT_EQ(editor.WorkRecipe.lines[0].unit, "Msp");
  EXPECT_EQ(editor.WorkRecipe.lines[0].text, "Zwiebeln");
  EXPECT_EQ(editor.WorkRecipe.lines[0].blsCode, "G501000");
  EXPECT_EQ(fromQ(chooser.ChangeZutatGrp->title()), GetLangText(61));
  chooser.close();
  EXPECT_FALSE(w.lines->InChooser());
}

// The chooser's buttons clicked and its fields typed into as a user does; each click shows its
// effect in the fields or in the recipe's lines.
TEST_F(RecipeEditor, TheChoosersButtonsAndFieldsAsTheUserUsesThem) {
  editor.ShowEditView(true);
  editor.NewRecipe();
  w.lines->PlaceIngredientList(true);
  chooser.LoadChooserLine(&editor.WorkRecipe, -1, false);
  std::vector<std::string> shownFoods;
  chooser.chooseFood = [](const std::string&, std::string& key, std::string& name) {
    key = "H102000";
    name = "Linsen";
    return true;
  };
  chooser.showFood = [&](const std::string& key) { shownFoods.push_back(key); };
  chooser.show();
  ASSERT_TRUE(test::WhenActive(&chooser));
  const auto lines = [&] { return editor.WorkRecipe.lines; };

  // Clear empties what was typed.
  ASSERT_TRUE(test::TypeInto(chooser.MengeCoBo, "2"));
  ASSERT_TRUE(test::TypeInto(chooser.ZutatCoBo, "Sonderzutat"));
  ASSERT_TRUE(test::Click(chooser.ClearBtn));
  EXPECT_EQ(chooser.MengeCoBo->currentText(), QString());
  EXPECT_EQ(chooser.ZutatCoBo->currentText(), QString());

  // A food linked, shown, removed and linked again; OK stores the line with its link.
  ASSERT_TRUE(test::TypeInto(chooser.ZutatCoBo, "Sonderzutat"));
  ASSERT_TRUE(test::Click(chooser.AddBLSBtn));
  EXPECT_EQ(fromQ(chooser.BLSKey->text()), "H102000");
  EXPECT_TRUE(chooser.BLSBez->isVisible());
  ASSERT_TRUE(test::Click(chooser.ShowBLSBtn));
  EXPECT_EQ(shownFoods, std::vector<std::string>{"H102000"});
  ASSERT_TRUE(test::Click(chooser.RemoveBLSBtn));
  EXPECT_EQ(chooser.BLSKey->text(), QString());
  EXPECT_TRUE(chooser.NoBLSTxt->isVisible());
  ASSERT_TRUE(test::Click(chooser.AddBLSBtn));
  ASSERT_TRUE(test::TypeInto(chooser.MengeCoBo, "100"));
  ASSERT_TRUE(test::Click(chooser.OKBtn));
  ASSERT_EQ(lines().size(), 1u);
  EXPECT_EQ(lines()[0].text, "Sonderzutat");
  EXPECT_EQ(lines()[0].amount, "100");
  EXPECT_EQ(lines()[0].blsCode, "H102000");
  EXPECT_EQ(lines()[0].notOnShoppingList, 0);

  // The stored line changed by its amount only, then by the shopping-list box only.
  w.lines->SelectIngredientLine(0);
  chooser.LoadChooserLine(&editor.WorkRecipe, 0, false);
  // Ctrl is the chooser's completion key: the old amount goes with Backspace.
  ASSERT_TRUE(test::TypeInto(chooser.MengeCoBo, "", false));
  test::PressKey(Qt::Key_End);
  for (int i = 0; i < 3; ++i) test::PressKey(Qt::Key_Backspace);
  test::TypeKeys("3");
  ASSERT_TRUE(test::Click(chooser.OKBtn));
  ASSERT_EQ(lines().size(), 1u);
  EXPECT_EQ(lines()[0].amount, "3");
  w.lines->SelectIngredientLine(0);
  chooser.LoadChooserLine(&editor.WorkRecipe, 0, false);
  ASSERT_TRUE(test::ClickBox(chooser.KListChk));
  ASSERT_TRUE(test::Click(chooser.OKBtn));
  ASSERT_EQ(lines().size(), 1u);
  EXPECT_NE(lines()[0].notOnShoppingList, 0);

  // "New ingredient" leaves the line being changed for an empty new one.
  w.lines->SelectIngredientLine(0);
  chooser.LoadChooserLine(&editor.WorkRecipe, 0, false);
  ASSERT_EQ(fromQ(chooser.ChangeZutatGrp->title()), GetLangText(65));
  ASSERT_TRUE(test::Click(chooser.NewZutatBtn));
  EXPECT_EQ(fromQ(chooser.ChangeZutatGrp->title()), GetLangText(61));
  EXPECT_EQ(chooser.ZutatCoBo->currentText(), QString());

  // A heading: its own fields, cleared with their Clear button, stored with their OK button.
  ASSERT_TRUE(test::Click(chooser.NewTrennzeileBtn));
  EXPECT_TRUE(chooser.ChangeLineGrp->isVisible());
  EXPECT_FALSE(chooser.ChangeZutatGrp->isVisible());
  ASSERT_TRUE(test::TypeInto(chooser.TrenntextEdt, "Belg"));
  ASSERT_TRUE(test::Click(chooser.Clear2Btn));
  EXPECT_EQ(chooser.TrenntextEdt->text(), QString());
  ASSERT_TRUE(test::TypeInto(chooser.TrenntextEdt, "Belag"));
  ASSERT_TRUE(test::Click(chooser.OK2Btn));
  ASSERT_EQ(lines().size(), 2u);
  EXPECT_EQ(lines()[1].text, "*Belag");
  EXPECT_TRUE(Shown().empty());
  chooser.close();
}

TEST_F(RecipeEditor, LookingAtALineLeavesItAsItIs) {
  REZBLOCK r = test::RichRecipe(0);  // line 1: grams 10, a weight set in the calculation
  b.AddRecipe(r);
  editor.ShowEditView(true);
  editor.LoadRecipeForEdit(0);
  w.lines->PlaceIngredientList(true);
  chooser.LoadChooserLine(&editor.WorkRecipe, 1, false);
  EXPECT_EQ(fromQ(chooser.EinheitCoBo->currentText()), "Gramm [g]");
  EXPECT_EQ(fromQ(chooser.ChangeZutatGrp->title()), GetLangText(65));
  // Another line is picked in the list: the unchanged line is not stored again.
  w.lines->SelectIngredientLine(2);
  w.lines->ZutatLiBoClick();
  EXPECT_EQ(chooser.EditIndex, 2);
  chooser.FormClose();
  EXPECT_EQ(editor.WorkRecipe.lines[1].grams, 10);
  EXPECT_FALSE(editor.IsRecipeModified());
}

TEST_F(RecipeEditor, AChangedBlockIsReplacedWhereItStood) {
  editor.ShowEditView(true);
  editor.NewRecipe();
  w.lines->PlaceIngredientList(true);
  chooser.LoadChooserLine(&editor.WorkRecipe, -1, false);
  AddLine("1", "", "Mehl", "gesiebt\nfein");
  AddLine("1", "", "Salz");
  AddHeading("Belag");
  ASSERT_EQ(editor.WorkRecipe.lines.size(), 5u);
  // Down: Mehl with its two lines goes below Salz, the chooser follows the line.
  chooser.LoadChooserLine(&editor.WorkRecipe, 0, false);
  w.lines->ZutatDownBtnClick();
  EXPECT_EQ(w.lines->SelectedLine(), 1);
  EXPECT_EQ(chooser.EditIndex, 1);
  EXPECT_EQ(editor.WorkRecipe.lines[0].text, "Salz");
  // One description line instead of two: the block shrinks in place.
  chooser.MemoEdt->setPlainText(toQ("gesiebt"));
  chooser.StoreChooserLine();
  ASSERT_EQ(editor.WorkRecipe.lines.size(), 4u);
  EXPECT_EQ(editor.WorkRecipe.lines[1].text, "Mehl");
  EXPECT_EQ(editor.WorkRecipe.lines[2].text, "-gesiebt");
  EXPECT_EQ(editor.WorkRecipe.lines[3].text, "*Belag");
  // A heading is changed in place, and an empty one is reported but kept.
  chooser.LoadChooserLine(&editor.WorkRecipe, 3, false);
  EXPECT_TRUE(chooser.ChangeLineGrp->isVisibleTo(&chooser));
  EXPECT_EQ(fromQ(chooser.TrenntextEdt->text()), "Belag");
  chooser.TrenntextEdt->clear();
  chooser.StoreChooserLine();
  EXPECT_EQ(Shown().back().text, GetLangText(57));
  ASSERT_EQ(editor.WorkRecipe.lines.size(), 4u);
  EXPECT_EQ(editor.WorkRecipe.lines[3].text, "*");
  // Deleting the last block selects the new last line.
  w.lines->SelectIngredientLine(3);
  w.lines->ZutatDelBtnClick();
  EXPECT_EQ(editor.WorkRecipe.lines.size(), 3u);
  EXPECT_EQ(w.lines->SelectedLine(), 2);
  chooser.FormClose();
}

TEST_F(RecipeEditor, APictureIsStoredUnderAFreeNameReplacedAndRemoved) {
  const std::string source = AddRecipeAndPictureFile();
  QImage image(40, 20, QImage::Format_RGB32);
  image.fill(Qt::red);
  // A picture of that name is in the pictures folder already.
  WriteAll(b.env.Root() + "Pics/kuchen.jpeg", "other");

  editor.ShowEditView(true);
  editor.LoadRecipeForEdit(0);
  std::string next = source;
  editor.choosePictureFile = [&](std::string& path) {
    path = next;
    return true;
  };
  editor.PicAddBtnClick();
  EXPECT_TRUE(editor.RezImg->isVisibleTo(&editor));
  EXPECT_TRUE(editor.IsRecipeModified()) << "a chosen picture is a change";
  ASSERT_TRUE(editor.SaveRecipe(true));
  ASSERT_EQ(editor.WorkRecipe.pictures.size(), 1u);
  const std::string first = editor.WorkRecipe.pictures[0].name;
  EXPECT_EQ(first.size(), std::string("kuchen_abc.jpeg").size()) << first;
  EXPECT_EQ(first.substr(0, 7), "kuchen_");
  EXPECT_EQ(first.substr(10), ".jpeg");
  EXPECT_EQ(ReadAll(b.env.Root() + "Pics/" + first), ReadAll(source));
  EXPECT_EQ(ReadAll(b.env.Root() + "Pics/kuchen.jpeg"), "other");

  // Replaced: the new file is copied; the old one stays, as the recipe's old record (deleted,
  // but restorable until the book is compressed) still names it.
  next = b.env.Root() + "Import/torte.jpg";
  ASSERT_TRUE(SavePictureFile(image, next));
  editor.PicAddBtnClick();
  EXPECT_TRUE(FileExists(b.env.Root() + "Pics/" + first)) << "nothing goes before the save";
  ASSERT_TRUE(editor.SaveRecipe(true));
  ASSERT_EQ(editor.WorkRecipe.pictures.size(), 1u);
  EXPECT_EQ(editor.WorkRecipe.pictures[0].name, "torte.jpg");
  EXPECT_TRUE(FileExists(b.env.Root() + "Pics/" + first));
  EXPECT_TRUE(FileExists(b.env.Root() + "Pics/torte.jpg"));

  // A picture that cannot be copied replaces nothing: the old one stays with its file.
  next = b.env.Root() + "Import/verschwunden.jpg";
  editor.PicAddBtnClick();
  ASSERT_TRUE(editor.SaveRecipe(true));
  ASSERT_EQ(editor.WorkRecipe.pictures.size(), 1u);
  EXPECT_EQ(editor.WorkRecipe.pictures[0].name, "torte.jpg");
  EXPECT_TRUE(FileExists(b.env.Root() + "Pics/torte.jpg"));

  // Removed.
  editor.PicDelBtnClick();
  EXPECT_TRUE(editor.BmpTitleTxt->isVisibleTo(&editor));
  EXPECT_FALSE(editor.PicDelBtn->isEnabled());
  EXPECT_TRUE(editor.IsRecipeModified());
  ASSERT_TRUE(editor.SaveRecipe(true));
  EXPECT_TRUE(editor.WorkRecipe.pictures.empty());
  EXPECT_TRUE(FileExists(b.env.Root() + "Pics/torte.jpg")) << "the old record names it";
  REZBLOCK read;
  b.store.ReadRezBlock("", nullptr, 0, read);
  EXPECT_TRUE(read.pictures.empty());
}

TEST_F(RecipeEditor, ThePagesShareTheWorkingRecipe) {
  REZBLOCK r = test::RichRecipe(0);
  b.AddRecipe(r);
  editor.ShowEditView(true);
  editor.LoadRecipeForEdit(0);
  page.TitelEdt->setText(toQ("Neuer Titel"));
  editor.SetEditMode(2);
  EXPECT_EQ(b.env.userSettings.Read(kRegParam, "QEditMode"), "2");
  EXPECT_EQ(editor.WorkRecipe.title, "Neuer Titel") << "leaving a page stores it";
  EXPECT_TRUE(w.quick->isVisibleTo(&editor));
  EXPECT_FALSE(page.isVisibleTo(&editor));
  EXPECT_TRUE(w.quick->TextRtf->toPlainText().contains(QStringLiteral("Neuer Titel")));
  // The rating pictures stand on the quick entry page meanwhile, the picture panel too.
  EXPECT_EQ(page.QualityPnl->parentWidget(), w.quick->RatingSpace);
  EXPECT_TRUE(w.quick->QEditPicPnl->isAncestorOf(editor.ImagePnl));
  editor.SetEditMode(1);
  EXPECT_EQ(page.QualityPnl->parentWidget(), static_cast<QWidget*>(page.InfoGrp));
  EXPECT_TRUE(page.NEditPicPnl->isAncestorOf(editor.ImagePnl));
  EXPECT_EQ(fromQ(page.TitelEdt->text()), "Neuer Titel");
  for (int mode : {3, 4, 1}) {
    editor.SetEditMode(mode);
    EXPECT_EQ(editor.WorkRecipe.title, "Neuer Titel") << mode;
  }
  EXPECT_TRUE(editor.IsRecipeModified());
  // Clicking the rating picture on the standard page rates the recipe.
  page.QualityImgMouseDown(8 + 21 * 4);
  EXPECT_EQ(editor.WorkRecipe.quality, '5');
  EXPECT_TRUE(page.QualityImg[5]->isVisibleTo(&page));
}

TEST_F(RecipeEditor, AnUnchangedRecipeIsUnchangedOnEveryPage) {
  REZBLOCK r = test::RichRecipe(2);
  b.AddRecipe(r);
  editor.ShowEditView(true);
  for (int mode : {1, 2, 3, 4}) {
    editor.SetEditMode(mode);
    editor.LoadRecipeForEdit(0);
    EXPECT_FALSE(editor.IsRecipeModified()) << mode;
  }
}

TEST_F(RecipeEditor, TheCalculationWorksOnTheRecipeBeingEdited) {
  std::filesystem::copy(
      std::string(TAVOLIN_FIXTURES) + "/food_table_crlf_cp1252", b.Data(),
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  b.env.Options().blsRezStoffe = {4, 6};
  ctx().options->blsRezStoffeStored = true;
  NutrientTable table;
  FoodDatabase foods;
  ctx().nutrients = &table;
  ctx().foods = &foods;
  ASSERT_TRUE(table.LoadNutrientTable());
  ASSERT_TRUE(foods.LoadBLSIndex());
  auto calc = std::make_unique<TBLSZutatDlg>();

  SetDecimalSep(',');
  editor.ShowEditView(true);
  editor.NewRecipe();
  editor.WorkRecipe.servings = 2;
  editor.WorkRecipe.lines = {{"200", "g", "Spinat", "G101000", 0, 0}};
  editor.LoadEditPages();
  page.TitelEdt->setText(toQ("Spinat"));  // typed, not yet stored
  ASSERT_TRUE(test::WhileModal([&] { EXPECT_TRUE(test::Click(calc->CloseBtn)); },
                               [&] { ASSERT_TRUE(test::Click(page.CalcEnergieBtn)); }));
  EXPECT_EQ(editor.WorkRecipe.title, "Spinat") << "the page was stored first";
  ASSERT_FALSE(editor.WorkRecipe.nutrients.empty());
  EXPECT_STREQ(editor.WorkRecipe.nutrients[0].code, "GCAL");
  EXPECT_EQ(editor.WorkRecipe.nutrients[0].value, "46,00");
  EXPECT_FALSE(page.EnergieEdt->text().isEmpty());
  EXPECT_EQ(fromQ(page.EnergieEdt->text()),
            EnergyFieldText(editor.WorkRecipe, false, b.env.Options().Flag(88)));
  for (const auto& m : Shown()) EXPECT_NE(m.text, GetLangText(316));
  // The lines differ from the new recipe's: storing asks whether the sums may go. No keeps
  // them, and the energy field, left alone, does not write over them.
  b.env.messages.answers = {IDNO};
  page.TextRtf->setPlainText(toQ("Blanchieren."));
  ASSERT_TRUE(editor.SaveRecipe(true));
  ASSERT_FALSE(Shown().empty());
  EXPECT_EQ(Shown().back().text, GetLangText(749));
  REZBLOCK read;
  ASSERT_TRUE(b.store.ReadRezBlock("", nullptr, 0, read));
  ASSERT_FALSE(read.nutrients.empty());
  EXPECT_EQ(read.nutrients[0].value, "46,00");
  SetDecimalSep('.');
  calc.reset();
  ctx().nutrients = nullptr;
  ctx().foods = nullptr;
}

TEST_F(RecipeEditor, TheFoodChooserLinksALineAndTheCalculationUsesIt) {
  std::filesystem::copy(
      std::string(TAVOLIN_FIXTURES) + "/food_table_crlf_cp1252", b.Data(),
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  b.env.Options().blsRezStoffe = {4};
  ctx().options->blsRezStoffeStored = true;
  // The food windows as the program makes them; the ingredient chooser's hooks stay unset.
  auto browser = std::make_unique<TBLSMainDlg>();
  auto filter = std::make_unique<TBLSFilterDlg>();
  auto calc = std::make_unique<TBLSZutatDlg>();
  auto foodChooser = std::make_unique<TBLSChooseDlg>();
  SetDecimalSep(',');
  editor.ShowEditView(true);
  editor.NewRecipe();
  editor.WorkRecipe.servings = 1;
  w.lines->PlaceIngredientList(true);
  chooser.LoadChooserLine(&editor.WorkRecipe, -1, false);
  chooser.MengeCoBo->setEditText("100");
  chooser.EinheitCoBo->setEditText(toQ("Gramm [g]"));
  chooser.ZutatCoBo->setEditText(toQ("Rote Linsen"));
  test::WhileShown(
      foodChooser.get(),
      [&] {
        // Preset with the ingredient; the user narrows the search and takes the food over.
        EXPECT_EQ(fromQ(foodChooser->inputs->LMEdt->text()), "Rote Linsen");
        EXPECT_TRUE(foodChooser->ShowLMBtn->isHidden());
        foodChooser->inputs->LMEdt->setText("linsen");
        foodChooser->inputs->StartBtn->click();
        foodChooser->ShowLMBtn->click();
      },
      [&] { chooser.AddBLSBtnClick(); });
  EXPECT_EQ(fromQ(chooser.BLSKey->text()), "H102000");
  EXPECT_EQ(fromQ(chooser.BLSBez->text()), "Linsen");
  chooser.OKBtnClick();
  chooser.FormClose();
  ASSERT_EQ(editor.WorkRecipe.lines.size(), 1u);
  EXPECT_EQ(editor.WorkRecipe.lines[0].blsCode, "H102000");
  // The calculation reads that food: 100 g of lentils, 352 kcal.
  calc->LoadRecipeBlockForCalc(&editor.WorkRecipe);
  calc->LoadLineFoods();
  calc->RecalcAllLines();
  ASSERT_EQ(calc->LineCount(), 1);
  EXPECT_EQ(calc->lines[0].blsName, "Linsen");
  EXPECT_TRUE(calc->complete);
  EXPECT_EQ(calc->totals.Value(4), "352,00");
  SetDecimalSep('.');
  foodChooser.reset();
  calc.reset();
  filter.reset();
  browser.reset();
}

// The editor as the user drives it: a new recipe typed into the fields, its ingredients typed
// into the chooser (Enter takes a line over, as its default button "Zutat übernehmen" does),
// lines picked, moved and deleted in the line list, the recipe stored with "Übernehmen".
TEST_F(RecipeEditor, ANewRecipeIsTypedAndStoredAsTheUserDoesIt) {
  TEditZutatDlg& lines = *w.lines;
  editor.ShowEditView(true);
  editor.NewRecipe();
  ASSERT_TRUE(test::TypeInto(page.TitelEdt, toQ("Zwiebelkuchen")));
  // Enter in the title ends the typing; nothing is stored, the editor stays.
  EXPECT_FALSE(test::WhileModal([] {}, [] { test::PressKey(Qt::Key_Return); }));
  EXPECT_TRUE(editor.isVisible());
  EXPECT_TRUE(b.store.BookIndex().empty());
  ASSERT_TRUE(test::TypeInto(page.TextRtf, toQ("Teig kneten.")));
  test::PressKey(Qt::Key_Return);  // a new line of the text
  test::TypeKeys(toQ("Backen."));
  EXPECT_EQ(fromQ(page.TextRtf->toPlainText()), "Teig kneten.\nBacken.");

  ASSERT_TRUE(test::WhileModal(
      [&] {
        ASSERT_TRUE(chooser.isVisible());
        EXPECT_TRUE(lines.InChooser());
        // The amount field has the keyboard; Tab goes on to unit and ingredient.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return QApplication::focusWidget() == chooser.MengeCoBo; }, 2000));
        test::TypeKeys(toQ("500"));
        test::PressKey(Qt::Key_Tab);
        test::TypeKeys(toQ("Gramm [g]"));
        test::PressKey(Qt::Key_Tab);
        test::TypeKeys(toQ("Mehl"));
        test::PressKey(Qt::Key_Return);  // the default button takes the line over
        EXPECT_TRUE(chooser.isVisible());
        EXPECT_TRUE(chooser.MengeCoBo->currentText().isEmpty());
        ASSERT_TRUE(test::TypeInto(chooser.MengeCoBo, toQ("1")));
        ASSERT_TRUE(test::TypeInto(chooser.EinheitCoBo, toQ("kg")));
        ASSERT_TRUE(test::TypeInto(chooser.ZutatCoBo, toQ("Zwiebeln")));
        ASSERT_TRUE(test::TypeInto(chooser.MemoEdt, toQ("in Ringe")));
        test::PressKey(Qt::Key_Return);  // the description takes a line break
        test::TypeKeys(toQ("geschnitten"));
        EXPECT_TRUE(test::ClickBox(chooser.KListChk));
        EXPECT_TRUE(test::Click(chooser.OKBtn));
        // A heading: Enter in its field takes nothing over (the heading's button is no
        // default button); its own button does.
        EXPECT_TRUE(test::Click(chooser.NewTrennzeileBtn));
        EXPECT_TRUE(chooser.ChangeLineGrp->isVisible());
        ASSERT_TRUE(test::TypeInto(chooser.TrenntextEdt, toQ("Belag")));
        test::PressKey(Qt::Key_Return);
        EXPECT_TRUE(chooser.isVisible());
        EXPECT_EQ(editor.WorkRecipe.lines.size(), 4u);
        EXPECT_TRUE(test::Click(chooser.OK2Btn));
        EXPECT_EQ(editor.WorkRecipe.lines.size(), 5u);
        // "Maske leeren" empties the fields of either kind.
        EXPECT_TRUE(test::Click(chooser.NewTrennzeileBtn));
        ASSERT_TRUE(test::TypeInto(chooser.TrenntextEdt, toQ("Guss")));
        EXPECT_TRUE(test::Click(chooser.Clear2Btn));
        EXPECT_TRUE(chooser.TrenntextEdt->text().isEmpty());
        EXPECT_TRUE(test::Click(chooser.NewZutatBtn));
        EXPECT_TRUE(chooser.ChangeZutatGrp->isVisible());
        ASSERT_TRUE(test::TypeInto(chooser.ZutatCoBo, toQ("Salz")));
        EXPECT_TRUE(test::Click(chooser.ClearBtn));
        EXPECT_TRUE(chooser.ZutatCoBo->currentText().isEmpty());
        // A line clicked in the list comes into the fields.
        ASSERT_TRUE(test::ClickCell(lines.ZutatLiBo, 1));
        EXPECT_EQ(fromQ(chooser.ZutatCoBo->currentText()), "Zwiebeln");
        EXPECT_EQ(fromQ(chooser.MemoEdt->toPlainText()), "in Ringe\ngeschnitten");
        EXPECT_TRUE(chooser.KListChk->isChecked());
        // Without a food link the food data cannot be shown; help opens its page.
        b.env.shell.opened.clear();
        EXPECT_TRUE(test::Click(chooser.ShowBLSBtn));
        EXPECT_EQ(Shown().back().text, GetLangText(376));
        EXPECT_TRUE(test::Click(chooser.HelpBtn));
        ASSERT_EQ(b.env.shell.opened.size(), 1u);
        EXPECT_TRUE(b.env.shell.opened[0].ends_with("Dlg_InpZutat.htm"));
        EXPECT_TRUE(test::Click(chooser.CancelBtn));
        EXPECT_FALSE(chooser.isVisible());
      },
      [&] { ASSERT_TRUE(test::Click(lines.ZutatNeuBtn)); }));
  EXPECT_FALSE(lines.InChooser());
  const std::vector<REZZUTAT>& l = editor.WorkRecipe.lines;
  ASSERT_EQ(l.size(), 5u);
  EXPECT_EQ(l[0].amount, "500");
  EXPECT_EQ(l[0].unit, "g");
  EXPECT_EQ(l[0].text, "Mehl");
  EXPECT_EQ(l[1].unit, "kg");
  EXPECT_EQ(l[1].text, "Zwiebeln");
  EXPECT_EQ(l[1].notOnShoppingList, 1);
  EXPECT_EQ(l[2].text, "-in Ringe");
  EXPECT_EQ(l[3].text, "-geschnitten");
  EXPECT_EQ(l[4].text, "*Belag");

  // The line list on the page: a click selects, the arrows move the block, delete removes it.
  ASSERT_TRUE(test::ClickCell(lines.ZutatLiBo, 0));
  EXPECT_FALSE(lines.ZutatUpBtn->isEnabled());
  ASSERT_TRUE(test::Click(lines.ZutatDownBtn));
  EXPECT_EQ(l[0].text, "Zwiebeln");
  EXPECT_EQ(l[3].text, "Mehl");
  EXPECT_EQ(lines.SelectedLine(), 3);
  ASSERT_TRUE(test::Click(lines.ZutatUpBtn));
  EXPECT_EQ(l[0].text, "Mehl");
  ASSERT_TRUE(test::ClickCell(lines.ZutatLiBo, 4));
  ASSERT_TRUE(test::Click(lines.ZutatDelBtn));
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(lines.SelectedLine(), 3);
  // "Ändern" and a double click open the chooser on the selected line.
  ASSERT_TRUE(test::WhileModal(
      [&] {
        EXPECT_EQ(fromQ(chooser.ZutatCoBo->currentText()), "Zwiebeln");
        EXPECT_TRUE(test::Click(chooser.CancelBtn));
      },
      [&] { ASSERT_TRUE(test::Click(lines.ZutatEditBtn)); }));
  ASSERT_TRUE(test::WhileModal(
      [&] {
        EXPECT_EQ(fromQ(chooser.ZutatCoBo->currentText()), "Mehl");
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return QApplication::focusWidget() == chooser.MengeCoBo; }, 2000));
        test::PressKey(Qt::Key_Escape);
        EXPECT_FALSE(chooser.isVisible());
      },
      [&] { ASSERT_TRUE(test::DoubleClickCell(lines.ZutatLiBo, 0)); }));
  EXPECT_FALSE(lines.InChooser());
  // The arrow keys move through the list; the buttons follow the line reached.
  ASSERT_TRUE(test::ClickCell(lines.ZutatLiBo, 0));
  EXPECT_FALSE(lines.ZutatUpBtn->isEnabled());
  QTest::keyClick(lines.ZutatLiBo, Qt::Key_Down);
  EXPECT_EQ(lines.ZutatLiBo->currentRow(), 1);
  EXPECT_TRUE(lines.ZutatUpBtn->isEnabled());

  // "Übernehmen" stores the recipe and closes the editor.
  Shown().clear();
  ASSERT_TRUE(test::Click(editor.OKBtn));
  EXPECT_FALSE(editor.isVisible());
  ASSERT_EQ(b.store.BookIndex().size(), 1u);
  REZBLOCK read;
  ASSERT_TRUE(b.store.ReadRezBlock("", nullptr, 0, read));
  EXPECT_EQ(read.title, "Zwiebelkuchen");
  EXPECT_EQ(read.text, "Teig kneten.\nBacken.");
  ASSERT_EQ(read.lines.size(), 4u);
  EXPECT_EQ(read.lines[2].text, "-in Ringe");
}

// A line changed in one field only is taken over: each field counts as a change, the food link
// too.
TEST_F(RecipeEditor, EachFieldOfTheChooserCountsAsAChange) {
  REZBLOCK r = test::RichRecipe(0);
  r.lines = {{"1", "EL", "Mehl", "", 0, 0}, {"", "", "*Belag", "", 0, 0}};
  r.lineCount = 2;
  b.AddRecipe(r);
  editor.ShowEditView(true);
  editor.LoadRecipeForEdit(0);
  const std::vector<REZZUTAT>& l = editor.WorkRecipe.lines;
  ASSERT_TRUE(test::WhileModal(
      [&] {
        ASSERT_TRUE(test::ClickCell(w.lines->ZutatLiBo, 0));
        ASSERT_TRUE(test::Click(chooser.MengeCoBo));  // "1" taken back, "2" typed
        test::PressKey(Qt::Key_End);
        test::PressKey(Qt::Key_Backspace);
        test::TypeKeys(toQ("2"));
        EXPECT_TRUE(test::Click(chooser.OKBtn));
        EXPECT_EQ(l[0].amount, "2");
        ASSERT_TRUE(test::ClickCell(w.lines->ZutatLiBo, 0));
        ASSERT_TRUE(test::TypeInto(chooser.MemoEdt, toQ("gesiebt")));
        EXPECT_TRUE(test::Click(chooser.OKBtn));
        ASSERT_EQ(l.size(), 3u);
        EXPECT_EQ(l[1].text, "-gesiebt");
        ASSERT_TRUE(test::ClickCell(w.lines->ZutatLiBo, 0));
        EXPECT_TRUE(test::ClickBox(chooser.KListChk));
        EXPECT_TRUE(test::Click(chooser.OKBtn));
        EXPECT_EQ(l[0].notOnShoppingList, 1);
        // The catalogue links flour to a food: "Zuweisen" offers it, "Entfernen" drops it.
        ASSERT_TRUE(test::ClickCell(w.lines->ZutatLiBo, 0));
        b.env.messages.answers = {IDYES};
        EXPECT_TRUE(test::Click(chooser.AddBLSBtn));
        EXPECT_EQ(Shown().back().text, GetLangText(425));
        EXPECT_FALSE(chooser.BLSKey->text().isEmpty());
        EXPECT_TRUE(test::Click(chooser.OKBtn));
        EXPECT_FALSE(l[0].blsCode.empty());
        ASSERT_TRUE(test::ClickCell(w.lines->ZutatLiBo, 0));
        EXPECT_TRUE(test::Click(chooser.RemoveBLSBtn));
        EXPECT_TRUE(chooser.NoBLSTxt->isVisible());
        EXPECT_TRUE(test::Click(chooser.OKBtn));
        EXPECT_TRUE(l[0].blsCode.empty());
        // The heading's text alone.
        ASSERT_TRUE(test::ClickCell(w.lines->ZutatLiBo, 2));
        ASSERT_TRUE(chooser.ChangeLineGrp->isVisible());
        ASSERT_TRUE(test::TypeInto(chooser.TrenntextEdt, toQ("Guss")));
        EXPECT_TRUE(test::Click(chooser.OK2Btn));
        EXPECT_EQ(l[2].text, "*Guss");
        test::PressKey(Qt::Key_Escape);
      },
      [&] { ASSERT_TRUE(test::Click(w.lines->ZutatNeuBtn)); }));
  EXPECT_FALSE(chooser.isVisible());
}

// The editor's other controls as the user reaches them: the page tabs, "Abbrechen", the help
// button, the picture buttons, the author button, the text's pop-up menu and the editor's own.
TEST_F(RecipeEditor, TheEditorsButtonsTabsAndMenus) {
  const std::string source = AddRecipeAndPictureFile();
  editor.ShowEditView(true);
  editor.LoadRecipeForEdit(0);
  b.env.shell.opened.clear();

  ASSERT_TRUE(test::ClickTab(editor.ShowModiTab, toQ("Schnell-Erfassung")));
  EXPECT_EQ(editor.EditMode, 2);
  EXPECT_TRUE(w.quick->isVisible());
  ASSERT_TRUE(test::Click(editor.HilfeBtn));
  ASSERT_TRUE(test::ClickTab(editor.ShowModiTab, toQ("Standard-Eingabe")));
  EXPECT_EQ(editor.EditMode, 1);
  EXPECT_TRUE(page.isVisible());
  ASSERT_TRUE(
      test::PopupItem(editor.EditMnuPnl, QPoint(2, 2), editor.PopupMnu, "HelpBtn"));
  ASSERT_EQ(b.env.shell.opened.size(), 2u);
  EXPECT_TRUE(b.env.shell.opened[0].ends_with("Win_EditQuick.htm")) << b.env.shell.opened[0];
  EXPECT_TRUE(b.env.shell.opened[1].ends_with("Win_Norm.htm")) << b.env.shell.opened[1];

  // The author button fills in the user's name.
  ASSERT_TRUE(test::TypeInto(page.AutornameEdt, QString()));
  ASSERT_TRUE(test::Click(page.fillAutorBtn));
  EXPECT_EQ(fromQ(page.AutornameEdt->text()), "Tester");

  // The text's pop-up menu: select all, cut, undo, copy and paste.
  QWidget* text = page.TextRtf->viewport();
  auto textItem = [&](const char* name) {
    ASSERT_TRUE(test::PopupItem(text, QPoint(10, 10), page.PopupMnu, name)) << name;
  };
  ASSERT_TRUE(test::TypeInto(page.TextRtf, toQ("Umr\xFChren.")));
  textItem("SelectMnu");
  EXPECT_EQ(fromQ(page.TextRtf->textCursor().selectedText()), "Umr\xFChren.");
  textItem("CutMnu");
  EXPECT_TRUE(page.TextRtf->toPlainText().isEmpty());
  textItem("UndoMnu");
  EXPECT_EQ(fromQ(page.TextRtf->toPlainText()), "Umr\xFChren.");
  textItem("SelectMnu");
  textItem("CopyMnu");
  page.TextRtf->moveCursor(QTextCursor::End);
  textItem("PasteMnu");
  EXPECT_EQ(fromQ(page.TextRtf->toPlainText()), "Umr\xFChren.Umr\xFChren.");

  // A picture chosen (the file dialog answered by the test), opened and removed again.
  editor.choosePictureFile = [&](std::string& path) {
    path = source;
    return true;
  };
  ASSERT_TRUE(test::Click(editor.PicAddBtn));
  EXPECT_EQ(editor.NewPicturePath, source);
  ASSERT_TRUE(test::Click(editor.PicEditBtn));
  ASSERT_EQ(b.env.shell.opened.size(), 3u);
  EXPECT_EQ(b.env.shell.opened[2], source);
  ASSERT_TRUE(test::Click(editor.PicDelBtn));
  EXPECT_TRUE(editor.NewPicturePath.empty());
  EXPECT_TRUE(editor.BmpTitleTxt->isVisible());

  // "Abbrechen" closes without storing; the menu's "save" item stores.
  const long long size = FileSize(BookFile(".bok"));
  ASSERT_TRUE(test::TypeInto(page.TitelEdt, toQ("Verworfen")));
  ASSERT_TRUE(test::Click(editor.CancelBtn));
  EXPECT_FALSE(editor.isVisible());
  EXPECT_EQ(FileSize(BookFile(".bok")), size);
  editor.ShowEditView(true);
  editor.LoadRecipeForEdit(0);
  ASSERT_TRUE(test::TypeInto(page.TitelEdt, toQ("Gespeichert")));
  ASSERT_TRUE(
      test::PopupItem(editor.EditMnuPnl, QPoint(2, 2), editor.PopupMnu, "saveRezeptMnu"));
  EXPECT_FALSE(editor.isVisible());
  EXPECT_EQ(b.store.BookIndex()[0].Title(), "Gespeichert");
}

// Screenshots of the editor pages for a look at the layout (written when TAVOLIN_SHOTS names a
// folder).
TEST(RecipeEditorLook, Screenshots) {
  for (const std::string lang : {"DE", "EN"}) {
    EditorWindows w(lang);
    REZBLOCK r = test::RichRecipe(3);
    r.pictures.clear();
    w.b.AddRecipe(r);
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(QColor(0xE0, 0x90, 0x40));
    SavePictureFile(picture, w.b.env.Root() + "Pics/kuchen.jpg");
    w.editor->ShowEditView(true);
    w.editor->LoadRecipeForEdit(0);
    w.editor->WorkRecipe.pictures.push_back({'F', "kuchen.jpg"});
    w.editor->HasPicture = 1;
    w.editor->resize(920, 660);
    for (int mode : {1, 2, 3, 4}) {
      w.editor->SetEditMode(mode);
      w.editor->ShowRecipePicture();
      if (mode == 2) {
        // The caret on the rating line: the lent rating picture shows on the panel.
        QTextCursor c = w.quick->TextRtf->document()->find(QStringLiteral("B> "));
        w.quick->TextRtf->setTextCursor(c);
        w.quick->QEditRefreshInfo();
      }
      QApplication::processEvents();
      test::Shot(w.editor.data(), "editor_mode" + std::to_string(mode) + "_" + lang);
    }
    w.editor->SetEditMode(1);
    w.lines->PlaceIngredientList(true);
    w.chooser->LoadChooserLine(&w.editor->WorkRecipe, 2, false);
    w.chooser->show();
    QApplication::processEvents();
    test::Shot(w.chooser, "chooser_" + lang);
    w.chooser->NewTrennzeileBtnClick();
    QApplication::processEvents();
    test::Shot(w.chooser, "chooser_heading_" + lang);
    w.chooser->hide();
    w.lines->PlaceIngredientList(false);
  }
}

}  // namespace
}  // namespace tav
