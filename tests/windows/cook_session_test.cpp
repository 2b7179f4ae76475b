// What a cook meets first: the whole program over the shipped data root, with two books of
// recipes of different servings built through the store before the start. Recipes reached by
// every road show for their own servings, the empty view shows its picture, the editor is asked
// before a filter change, marks stay on copies and saves, a calculation stays with its recipe,
// Qt's own texts speak German, and menu items of windows not built yet are off. With
// TAVOLIN_SHOTS naming a folder, the main window is written there as PNG in both languages.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "exchange/ui/import_dialog.h"
#include "nutrients/ui/nutrient_calc_dialog.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipedb/book_test_util.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/index_file.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/servings.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/empty_view_window.h"
#include "recipes/ui/info_pane_window.h"
#include "recipes/ui/ingredient_chooser_dialog.h"
#include "recipes/ui/ingredient_lines_window.h"
#include "recipes/ui/ingredient_pane_window.h"
#include "recipes/ui/quick_entry_page_window.h"
#include "recipes/ui/recipe_editor_window.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/recipe_list_window.h"
#include "recipes/ui/standard_view_window.h"
#include "services/lang_table.h"
#include "services/options_store.h"
#include "services/ui/context_list_box.h"
#include "support/test_env.h"
#include "windows/list_view_clicks.h"
#include "window_test_support.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

struct Dish {
  const char* title;
  int servings;
  uint16_t category;
  std::vector<REZZUTAT> lines;
};

REZZUTAT Z(const char* amount, const char* unit, const char* text, const char* food = "") {
  return REZZUTAT{amount, unit, text, food, 0, 0};
}

// "Hausbuch": four dishes of 6, 4, 2 and 4 servings. "Zweitbuch": empty.
const std::vector<Dish> kDishes = {
    {"Linsensuppe", 6, 2, {Z("300", "g", "Linsen"), Z("2", "", "Zwiebeln")}},
    // Linked to its foods, so that it calculates in either language's catalogue.
    {"Tomatensuppe",
     4,
     2,
     {Z("800", "g", "Tomaten", "G401000"), Z("80", "g", "Zwiebel", "G501000")}},
    {"Carbonara", 2, 4, {Z("200", "g", "Spaghetti"), Z("2", "", "Eier")}},
    {"Apfelkuchen", 4, 7, {Z("1", "", "Ei"), Z("250", "g", "Mehl")}},
};

class CookSession : public ::testing::Test {
 protected:
  test::TestEnv env;
  test::TempDir program;
  std::string savedProgram = ProgramFolder();
  TChooseRezDlg* list = nullptr;

  void SetUp() override {
    SetProgramFolder(program.Path());
    // The data root as the install step leaves it.
    std::filesystem::copy(TAVOLIN_SHIPPED_DATA, env.Root(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    BuildBook("Hausbuch", kDishes);
    BuildBook("Zweitbuch", {});
    env.userSettings.WriteString(kRegParam, "KBook", "Hausbuch");
    env.userSettings.WriteString(kRegParam, "ShowMode", "1");
  }
  void TearDown() override {
    DestroyAllWindows();
    SetProgramFolder(savedProgram);
    SetDecimalSep('.');
  }

  void Start(const char* lang = "DE") {
    env.userSettings.WriteString(kRegParam, "AktLanguage", lang);
    StartProgram();
    MainFrm->FormActivate();  // the first activation opens the book
    QApplication::processEvents();
    list = ChooseRezDlg;
  }

  void BuildBook(const std::string& name, const std::vector<Dish>& dishes) {
    KBOOK book;
    book.name = name;
    std::vector<REZBLOCK> recipes;
    for (const Dish& d : dishes) {
      REZBLOCK b;
      ClearRezBlock(b);
      b.title = d.title;
      b.text = std::string("So wird ") + d.title + " gemacht.";
      b.servings = d.servings;
      b.servingType = "Portionen";
      b.categories[0] = d.category;
      b.lines = d.lines;
      b.lineCount = static_cast<int32_t>(d.lines.size());
      recipes.push_back(b);
    }
    test::MakeBookBeforeStart(env, book, recipes);
  }

  int RowOf(const std::string& title) const {
    REZINDEX e;
    for (int row = 0; row < list->Count(); ++row)
      if (list->RowEntry(row, e) && e.Title() == title) return row;
    return -1;
  }
  void Click(int row) { test::ClickRow(list->ChooseLiBo, row); }
  void Search(const char* text) {
    list->SearchEdt->setText(QString::fromLatin1(text));
    list->SearchEdtChange();
  }
  std::string ShownTitle() const { return DataRezDlg->ShownRecipe.title; }
  int ShownServings() const { return DataRezDlg->ShownRecipe.servings; }
  std::vector<std::string> PaneLines() const {
    std::vector<std::string> out;
    for (int i = 0; i < ZutatRezDlg->ZutatLiBo->count(); ++i)
      out.push_back(fromQ(ZutatRezDlg->ZutatLiBo->item(i)->text()));
    return out;
  }
  std::vector<std::string> Grid() const {
    std::vector<std::string> out;
    QTableWidget* g = InfoRezDlg->InfoGrd;
    for (int r = 0; r < g->rowCount(); ++r)
      out.push_back((g->item(r, 0) ? fromQ(g->item(r, 0)->text()) : "") + "|" +
                    (g->item(r, 1) ? fromQ(g->item(r, 1)->text()) : ""));
    return out;
  }
  std::vector<test::FakeMessageBoxes::Shown>& Shown() { return env.messages.shown; }
  void Shot(QWidget* w, const std::string& name) { test::Shot(w, name); }
};

TEST_F(CookSession, EveryRoadShowsARecipeForItsOwnServings) {
  Start();
  Click(RowOf("Linsensuppe"));
  EXPECT_EQ(ShownServings(), 6);
  Search("tom");  // the quick search jumps to the soup of 4
  EXPECT_EQ(ShownTitle(), "Tomatensuppe");
  EXPECT_EQ(ShownServings(), 4);
  EXPECT_EQ(PaneLines(), (std::vector<std::string>{"800 g Tomaten", "80 g Zwiebel"}));

  Click(RowOf("Carbonara"));
  list->JumpToRecipe(ctx().books->GetAktKBookId(), 4, true);  // another window's jump
  EXPECT_EQ(ShownTitle(), "Apfelkuchen");
  EXPECT_EQ(ShownServings(), 4);
  EXPECT_EQ(PaneLines().at(0), "1 Ei");

  // Servings the user chose stay with their recipe: the same recipe jumped to again, and a
  // switch of the view, keep them.
  DataRezDlg->RedisplayCurrentRecipe(8);
  EXPECT_EQ(PaneLines().at(0), "2 Ei");
  list->JumpToRecipe(ctx().books->GetAktKBookId(), 4, true);
  EXPECT_EQ(ShownServings(), 8);
  MainFrm->ViewStdClick();
  EXPECT_EQ(ShownServings(), 8);
  // Keys, navigation and the filter lead to the next recipe at its own servings, and back to
  // the first one at its own again.
  list->NavigateRecipe(3);
  EXPECT_EQ(ShownTitle(), "Carbonara");
  EXPECT_EQ(ShownServings(), 2);
  list->NavigateRecipe(2);
  EXPECT_EQ(ShownTitle(), "Apfelkuchen");
  EXPECT_EQ(ShownServings(), 4);
  list->GattLiBo->setCurrentIndex(list->GattLiBo->findText(QStringLiteral("Suppen")));
  list->GattLiBoChange();
  Click(0);
  EXPECT_EQ(ShownTitle(), "Linsensuppe");
  EXPECT_EQ(ShownServings(), 6);
  Search("tom");
  EXPECT_EQ(ShownServings(), 4);
  Shot(MainFrm, "searched_recipe_DE");
}

TEST_F(CookSession, TheEmptyViewShowsItsPictureAndNoKeepsTheRecipe) {
  Start();
  ASSERT_TRUE(EmptyDlg->isVisible());  // the book was just opened
  MainFrm->resize(1000, 700);
  QApplication::processEvents();
  const QImage shot = EmptyDlg->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  // The background picture covers the pane: its middle is the light linen, not black.
  const QColor middle = shot.pixelColor(shot.width() / 2, shot.height() / 4);
  EXPECT_GT(middle.lightness(), 180);
  int black = 0;
  for (int y = 0; y < shot.height(); y += 7)
    for (int x = 0; x < shot.width(); x += 7)
      if (shot.pixelColor(x, y).lightness() < 30) ++black;
  EXPECT_EQ(black, 0);
  Shot(MainFrm, "empty_main_window_DE");

  // No to the delete question keeps the recipe on screen, from the tool button too.
  Click(RowOf("Carbonara"));
  ASSERT_TRUE(showRezDlg->isVisible());
  env.messages.answers = {IDNO};
  MainFrm->TBDelClick();
  EXPECT_TRUE(showRezDlg->isVisible());
  EXPECT_FALSE(EmptyDlg->isVisible());
  EXPECT_NE(RowOf("Carbonara"), -1);
  env.messages.answers = {IDYES};
  MainFrm->TBDelClick();
  EXPECT_TRUE(EmptyDlg->isVisible());
  EXPECT_EQ(RowOf("Carbonara"), -1);
}

TEST_F(CookSession, AFilterChangeAsksTheEditorFirst) {
  Start();
  list->SelectOnly(RowOf("Linsensuppe"));
  list->EditRezMnuClick();
  ASSERT_TRUE(EditRezDlg->isVisible());
  NEditDlg->TitelEdt->setText(QStringLiteral("Linsensuppe mit Speck"));
  const int suppen = list->GattLiBo->findText(QStringLiteral("Suppen"));
  Shown().clear();
  env.messages.answers = {IDCANCEL};
  list->GattLiBo->setCurrentIndex(suppen);
  list->GattLiBoChange();
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0].text, GetLangText(39));
  // Cancel: the filter is back where it was and the editor keeps the changes.
  EXPECT_EQ(list->GattLiBo->currentIndex(), 0);
  EXPECT_EQ(list->Count(), 4);
  EXPECT_TRUE(EditRezDlg->isVisible());
  env.messages.answers = {IDNO};
  list->GattLiBo->setCurrentIndex(suppen);
  list->GattLiBoChange();
  EXPECT_EQ(Shown().size(), 2u);  // asked once more, not twice
  EXPECT_EQ(list->Count(), 2);
  EXPECT_FALSE(EditRezDlg->isVisible());
  EXPECT_TRUE(EmptyDlg->isVisible());
}

TEST_F(CookSession, MarksStayOnACopyNoneAndAcrossASave) {
  Start();
  const std::string data = env.DataFolder();
  list->SelectOnly(RowOf("Carbonara"));
  MainFrm->markRezeptClick();
  MainFrm->MNCopyRezClick("Zweitbuch");
  // The copy is unmarked in its record as in its index: a rebuilt index keeps it so.
  std::remove((data + "Zweitbuch.idx").c_str());
  MainFrm->OpenBook("Zweitbuch");
  ASSERT_EQ(list->Count(), 1);
  REZINDEX copy;
  ASSERT_TRUE(list->RowEntry(0, copy));
  EXPECT_EQ(copy.flags, 0);
  MainFrm->OpenBook("Hausbuch");

  // A mark set in the list while the recipe is open in the editor survives saving it.
  list->SelectOnly(RowOf("Apfelkuchen"));
  list->EditRezMnuClick();
  list->SelectOnly(RowOf("Apfelkuchen"));
  MainFrm->markRezeptClick();
  NEditDlg->TitelEdt->setText(QStringLiteral("Apfelkuchen vom Blech"));
  EditRezDlg->OKBtnClick();
  REZINDEX saved;
  ASSERT_TRUE(list->RowEntry(RowOf("Apfelkuchen vom Blech"), saved));
  EXPECT_EQ(saved.flags & kRecipeMarked, kRecipeMarked);
  REZBLOCK record;
  ASSERT_TRUE(dbList->ReadRezBlockByKey(saved.bookId, saved.number, record));
  EXPECT_TRUE(record.IsMarked());
}

TEST_F(CookSession, RightClickWithShiftOrCtrlKeepsTheSelection) {
  Start();
  list->SelectOnly(0);
  auto rightClick = [&](Qt::KeyboardModifiers mods) {
    test::ClickRow(list->ChooseLiBo, 2, Qt::RightButton, mods, true);
  };
  rightClick(Qt::ShiftModifier);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{0});
  rightClick(Qt::ControlModifier);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{0});
  rightClick(Qt::NoModifier);
  EXPECT_EQ(list->SelectedRows(), std::vector<int>{2});
}

TEST_F(CookSession, AClosedCalculationStaysWithItsRecipe) {
  Start();
  SetDecimalSep(',');
  // From the list: the sums are stored in the book and the view shows them at once.
  list->SelectOnly(RowOf("Tomatensuppe"));
  list->ShowSelectedRecipe(true);
  const size_t rowsBefore = Grid().size();
  QTimer::singleShot(0, BLSZutatDlg, [] { BLSZutatDlg->CloseBtnClick(); });
  MainFrm->Action("CalcBLSRezept")->trigger();
  ASSERT_TRUE(BLSZutatDlg->complete);
  EXPECT_FALSE(DataRezDlg->ShownRecipe.nutrients.empty());
  const std::vector<std::string> grid = Grid();
  EXPECT_GT(grid.size(), rowsBefore);
  // 800 g tomatoes and 80 g onion, for 4 servings.
  EXPECT_NE(std::find_if(grid.begin(), grid.end(),
                         [](const std::string& row) {
                           return row.rfind(GetLangText(569) + "|", 0) == 0 &&
                                  row.find(" kcal") != std::string::npos;
                         }),
            grid.end());

  // From the editor: the energy field shows the energy at once.
  list->SelectOnly(RowOf("Linsensuppe"));
  list->EditRezMnuClick();
  ASSERT_TRUE(NEditDlg->EnergieEdt->text().isEmpty());
  QTimer::singleShot(0, BLSZutatDlg, [] { BLSZutatDlg->CloseBtnClick(); });
  NEditDlg->CalcEnergieBtnClick();
  ASSERT_TRUE(BLSZutatDlg->complete);
  EXPECT_FALSE(NEditDlg->EnergieEdt->text().isEmpty());
  EXPECT_EQ(NEditDlg->EnergieEdt->text().toInt() > 0, true);
  Shot(MainFrm, "editor_after_calculation_DE");

  // The calculation window opens where it was.
  QPoint first;
  QTimer::singleShot(0, BLSZutatDlg, [&] {
    first = BLSZutatDlg->pos();
    BLSZutatDlg->CloseBtnClick();
  });
  NEditDlg->CalcEnergieBtnClick();
  QPoint second;
  QTimer::singleShot(0, BLSZutatDlg, [&] {
    second = BLSZutatDlg->pos();
    BLSZutatDlg->CloseBtnClick();
  });
  NEditDlg->CalcEnergieBtnClick();
  EXPECT_EQ(first, second);
}

TEST_F(CookSession, QtTextsSpeakTheProgramLanguage) {
  {
    const auto german = InstallQtTranslations("DE");
    ASSERT_NE(german, nullptr) << "qt6-translations-l10n is installed by scripts/install-deps";
    QMessageBox box(QMessageBox::Question, "Frage", "Sicher?", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Ja"));
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&'), QStringLiteral("Nein"));
    EXPECT_EQ(QKeySequence(Qt::CTRL | Qt::Key_N).toString(QKeySequence::NativeText),
              QStringLiteral("Strg+N"));
  }
  // English needs none, and the German ones are gone with their translator.
  EXPECT_EQ(InstallQtTranslations("EN"), nullptr);
  EXPECT_EQ(QKeySequence(Qt::CTRL | Qt::Key_N).toString(QKeySequence::NativeText),
            QStringLiteral("Ctrl+N"));

  // The delete question for marked recipes is a question, not an error.
  Start();
  list->SelectOnly(0);
  MainFrm->markRezeptClick();
  env.messages.answers = {IDNO};
  MainFrm->MnDelMarkedClick();
  ASSERT_FALSE(Shown().empty());
  EXPECT_EQ(Shown().back().text, GetLangText(19));
  EXPECT_EQ(Shown().back().title, GetLangText(17));
  EXPECT_NE(Shown().back().title, GetLangText(15));
}

TEST_F(CookSession, NumbersUseOneSeparator) {
  // No locale set: German, with the decimal comma.
  SetDecimalSep(DecimalSepForLocale("", '.'));
  Start();
  list->SelectOnly(RowOf("Tomatensuppe"));
  list->ShowSelectedRecipe(true);
  DataRezDlg->RedisplayCurrentRecipe(6);
  // 1200 g become 1,2 kg; the pane shows decimals with two places, all with the comma.
  EXPECT_EQ(PaneLines(), (std::vector<std::string>{"1,20 kg Tomaten", "120 g Zwiebel"}));
  list->SelectOnly(RowOf("Apfelkuchen"));
  list->ShowSelectedRecipe(true);
  DataRezDlg->RedisplayCurrentRecipe(6);
  EXPECT_EQ(PaneLines(), (std::vector<std::string>{"1,50 Ei", "375 g Mehl"}));
}

TEST_F(CookSession, MenuItemsOfWindowsNotBuiltAreOff) {
  Start();
  for (const char* off : {"AKKursImportMnu", "AKSchnellerfMnu", "AkEinkaufslisteMnu",
                          "AkNaehrberechMnu", "AKGewichtMnu", "AkErnaehrungMnu"})
    EXPECT_FALSE(MainFrm->Action(off)->isEnabled()) << off;
  for (const char* on : {"NeuesRezept", "CalcBLSRezept", "MnHelp", "DoReorg", "KennDatenMnu"})
    EXPECT_TRUE(MainFrm->Action(on)->isEnabled()) << on;
}

TEST_F(CookSession, TheQuickEntryPageKeepsRangesAndLeavesAnUntouchedRecipeAlone) {
  Start();
  list->SelectOnly(RowOf("Carbonara"));
  list->EditRezMnuClick();
  // A non-breaking space in the title and the text: an untouched page is no change.
  EditRezDlg->WorkRecipe.title =
      "Carbonara\xA0"
      "classica";
  EditRezDlg->WorkRecipe.text = "Speck\xA0und Ei.\n";
  EditRezDlg->LoadEditPages();
  EditRezDlg->LoadedRecipe = EditRezDlg->WorkRecipe;
  EditRezDlg->SetEditMode(2);
  EditRezDlg->SetEditMode(1);
  EXPECT_FALSE(EditRezDlg->IsRecipeModified());
  EXPECT_EQ(EditRezDlg->WorkRecipe.title,
            "Carbonara\xA0"
            "classica");

  // A range typed as the amount keeps its unit and text.
  EditRezDlg->SetEditMode(2);
  QEditDlg->TextRtf->setPlainText(
      toQ("Carbonara\n\n200 g Spaghetti\n2-3 EL Parmesan\n\nKochen.\n"));
  EditRezDlg->SetEditMode(1);
  ASSERT_EQ(EditRezDlg->WorkRecipe.lines.size(), 2u);
  EXPECT_EQ(EditRezDlg->WorkRecipe.lines[1].amount, "2-3");
  EXPECT_EQ(EditRezDlg->WorkRecipe.lines[1].unit, "EL");
  EXPECT_EQ(EditRezDlg->WorkRecipe.lines[1].text, "Parmesan");
}

// The message box takes the focus from the field, as the real one does.
class FocusTakingBoxes : public MessageBoxes {
 public:
  int Show(const std::string& text, const std::string& title, int flags) override {
    shown.push_back(text);
    if (QWidget* f = QApplication::focusWidget()) {
      QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
      QApplication::sendEvent(f, &out);
    }
    (void)title;
    (void)flags;
    return IDNO;
  }
  std::vector<std::string> shown;
};

TEST_F(CookSession, TheFoodLinkIsOfferedOnceAndTheFirstClickAddsTheLine) {
  Start();
  FocusTakingBoxes boxes;
  ctx().messages = &boxes;
  list->SelectOnly(RowOf("Carbonara"));
  list->EditRezMnuClick();
  TChooseZutatDlg* chooser = ChooseZutatDlg;
  EditZutatDlg->PlaceIngredientList(true);
  chooser->LoadChooserLine(&EditRezDlg->WorkRecipe, -1, false);
  chooser->show();
  QApplication::processEvents();
  chooser->MengeCoBo->setEditText("2");
  chooser->ZutatCoBo->setFocus();
  chooser->ZutatCoBo->setEditText(toQ("Zwiebeln"));
  // The mouse goes down on "Hinzufügen": the field loses the focus to the button, then the
  // click arrives. Asked once, and the line is there after the first click.
  chooser->OKBtn->setFocus(Qt::MouseFocusReason);
  chooser->OKBtn->click();
  EXPECT_EQ(boxes.shown, std::vector<std::string>{GetLangText(425)});
  ASSERT_EQ(EditRezDlg->WorkRecipe.lines.size(), 3u);
  EXPECT_EQ(EditRezDlg->WorkRecipe.lines[2].text, "Zwiebeln");

  // Enter in the field: one question, although its box takes the focus from the field.
  boxes.shown.clear();
  chooser->ZutatCoBo->setFocus();
  chooser->ZutatCoBo->setEditText(toQ("Eier"));
  chooser->OKBtnClick();
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(EditRezDlg->WorkRecipe.lines.size(), 4u);
  chooser->close();
  ctx().messages = &env.messages;
}

TEST_F(CookSession, TheImportLogShowsWholeFileNames) {
  Start();
  ImportDlg->show();
  const std::string name =
      "'" + env.Root() + "Import/Rezepte von Tante Hildegard aus dem Jahr 1987.mmf'";
  ImportDlg->AddLogLine("Start");
  ImportDlg->AddLogLine(name);
  QApplication::processEvents();
  QListWidget* log = ImportDlg->LogLiBo;
  const int needed = log->fontMetrics().horizontalAdvance(toQ(name));
  EXPECT_GE(log->visualItemRect(log->item(1)).width(), needed);
  EXPECT_EQ(fromQ(log->item(1)->toolTip()), name);
  ImportDlg->hide();
}

TEST_F(CookSession, Screenshots) {
  // The empty main window, a searched recipe and the editor after a calculation, in both
  // languages (written to TAVOLIN_SHOTS when set).
  for (const char* lang : {"EN", "DE"}) {
    Start(lang);
    MainFrm->resize(1100, 720);
    SetDecimalSep(',');
    Shot(MainFrm, std::string("empty_main_window_") + lang);
    Search("tom");
    Shot(MainFrm, std::string("searched_recipe_") + lang);
    list->EditRezMnuClick();
    QTimer::singleShot(0, BLSZutatDlg, [] { BLSZutatDlg->CloseBtnClick(); });
    NEditDlg->CalcEnergieBtnClick();
    Shot(MainFrm, std::string("editor_after_calculation_") + lang);
    EditRezDlg->CancelBtnClick();
    // The same calculation from the list: the view shows the stored sums as key figures.
    QTimer::singleShot(0, BLSZutatDlg, [] { BLSZutatDlg->CloseBtnClick(); });
    MainFrm->Action("CalcBLSRezept")->trigger();
    Shot(MainFrm, std::string("calculated_recipe_") + lang);
    DestroyAllWindows();
  }
}

}  // namespace
}  // namespace tav
