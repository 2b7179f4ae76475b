// The power search, the duplicate search and the bulk change inside the whole program,
// offscreen: two books built through the store before the start, the windows driven through
// their handlers and the main window's commands, the books read back from their files.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <cstring>
#include <functional>
#include <vector>

#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/index_file.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipes/ui/bulk_change_dialog.h"
#include "recipes/ui/duplicate_search_dialog.h"
#include "recipes/ui/power_search_dialog.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/ui/context_list_box.h"
#include "support/test_env.h"
#include "window_test_support.h"
#include "windows/user_gestures.h"
#include "windows/window_checks.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

struct Recipe {
  const char* title;
  int servings;
  const char* kcal;  // "" for none
  uint8_t flags;
};

// "Hauptbuch": the current book; "Zweitbuch" a second one. Pfannkuchen stands in both books,
// twice in the first; the second book's copy was saved twice (an old record flagged deleted).
const std::vector<Recipe> kMain = {
    {"Pfannkuchen", 4, "1800", 0}, {"Apfelkuchen", 4, "2400", kRecipeMarked},
    {"Zwiebelsuppe", 2, "", 0},    {"Marmorkuchen", 4, "2400", 0},
    {"Pfannkuchen", 4, "1800", 0}, {"Linsensuppe", 4, "1000", kRecipeMarked},
};
const std::vector<Recipe> kOther = {{"Pfannkuchen", 4, "1800", 0}, {"Kirschkuchen", 8, "", 0}};

class SearchWindows : public ::testing::Test {
 protected:
  test::TestEnv env;
  test::TempDir program;
  std::string savedProgram = ProgramFolder();

  void SetUp() override { Start("DE"); }
  void TearDown() override { Stop(); }

  void Start(const std::string& lang) {
    SetProgramFolder(program.Path());
    for (const char* l : {"DE", "EN"})
      for (const char* file : {"GUI.klf", "Gattung.dat"})
        WriteAll(env.DataFolder() + l + "/" + file,
                 ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + l + "/" + file));
    if (!DirExists(env.DataFolder()) || !FileExists(env.DataFolder() + "Hauptbuch.bok")) {
      BuildBook("Hauptbuch", kMain, false);
      BuildBook("Zweitbuch", kOther, true);
    }
    env.userSettings.WriteString(kRegParam, "KBook", "Hauptbuch");
    env.userSettings.WriteString(kRegParam, "ShowMode", "1");
    env.userSettings.WriteString(kRegParam, "AktLanguage", lang);
    StartProgram();
    MainFrm->FormActivate();
    QApplication::processEvents();
    list = ChooseRezDlg;
    // The start-up's notices about reference files this data root leaves out.
    env.messages.shown.clear();
  }
  void Stop() {
    DestroyAllWindows();
    SetProgramFolder(savedProgram);
  }

  void BuildBook(const std::string& name, const std::vector<Recipe>& recipes, bool savedTwice) {
    OptionsStore& options = env.Options();
    CookbookList books;
    TdbList store;
    ctx().books = &books;
    ctx().dbList = &store;
    books.ScanKBooks();
    KBOOK book;
    book.name = name;
    ASSERT_TRUE(books.CreateKBook(book));
    options.SetParaString(6, name);
    books.SelectKBook(name);
    store.ReloadBookIndex();
    for (const Recipe& r : recipes) {
      REZBLOCK b;
      ClearRezBlock(b);
      b.title = r.title;
      b.text = std::string("So wird ") + r.title + " gemacht.";
      b.servings = r.servings;
      b.flags = r.flags;
      b.hint = "alt";
      b.lines = {{"250", "g", "Mehl", "", 0, 0}, {"2", "", "Eier", "", 0, 0}};
      if (*r.kcal) {
        REZSTOFFMENGE n;
        std::strcpy(n.code, "GCAL");
        n.value = r.kcal;
        b.nutrients.push_back(n);
      }
      b.number = store.NextRecipeNumber(name);
      for (int copy = savedTwice ? 2 : 1; copy > 0; --copy) {
        int32_t offset = 0, length = 0;
        ASSERT_TRUE(store.WriteRezBlock("", b, offset, length));
        REZINDEX e;
        e.SetTitle(b.title);
        e.number = b.number;
        e.offset = offset;
        e.length = length;
        e.flags = b.flags;
        if (copy == 2) {
          e.deleted = 1;
          store.WriteRecordFlag(e, store.BookId(), 0);
          continue;
        }
        ASSERT_TRUE(store.WriteIndexEntry(e, -1));
      }
    }
    ctx().books = nullptr;
    ctx().dbList = nullptr;
    ctx().recipeList = nullptr;
    ctx().options = nullptr;
  }

  std::vector<std::string> Titles() const {
    std::vector<std::string> out;
    REZINDEX e;
    for (int row = 0; row < list->Count(); ++row)
      out.push_back(list->RowEntry(row, e) ? e.Title() : "?");
    return out;
  }
  std::vector<std::string> Log() const {
    std::vector<std::string> out;
    for (int i = 0; i < DupesDlg->LogLiBo->count(); ++i)
      out.push_back(fromQ(DupesDlg->LogLiBo->item(i)->text()));
    return out;
  }
  REZINDEX IndexEntry(const std::string& book, int position) const {
    const std::string idx = ReadAll(env.DataFolder() + book + ".idx");
    REZINDEX e;
    std::memcpy(&e, idx.data() + 23 + 104 * position, sizeof e);
    return e;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& m : env.messages.shown) out.push_back(m.text);
    return out;
  }
  void Shot(QWidget* w, const std::string& name) {
    w->adjustSize();
    test::Shot(w, name);
  }
  // Runs a command that opens a modal window and closes that window again at once.
  void RunModal(const char* action, QDialog* window) {
    QAction* a = MainFrm->Action(action);
    ASSERT_NE(a, nullptr) << action;
    EXPECT_TRUE(a->isEnabled()) << action;
    bool opened = false;
    QTimer::singleShot(0, window, [&] {
      opened = window->isVisible();
      window->reject();
    });
    a->trigger();
    EXPECT_TRUE(opened) << action;
  }

  TChooseRezDlg* list = nullptr;
};

TEST_F(SearchWindows, CommandsOpenTheWindows) {
  RunModal("Powersuche1", PSearchDlg);
  RunModal("TBSearch", PSearchDlg);
  RunModal("MnDupeSearch", DupesDlg);
  RunModal("MultidataChangeMnu", MultiChangeDlg);
}

TEST_F(SearchWindows, PowerSearchOverAllBooksShowsTheHitsInTheList) {
  TPSearchDlg* dlg = PSearchDlg;
  EXPECT_EQ(fromQ(dlg->windowTitle()), "Powersuche");
  EXPECT_EQ(fromQ(dlg->EnergieTxt->text()), "kcal pro Portion");
  ASSERT_EQ(dlg->KBookLiBo->count(), 2);
  dlg->show();
  dlg->TitelEdt->setText(QStringLiteral("Kuchen !Apfel"));
  dlg->BookAllRdb->setChecked(true);
  dlg->StartBtnClick();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_TRUE(list->IsSearchMode());
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Kirschkuchen", "Marmorkuchen", "Pfannkuchen",
                                                "Pfannkuchen", "Pfannkuchen"}));
  EXPECT_EQ(dlg->FoundCount, 5);
  EXPECT_EQ(dlg->ScannedCount, 8);  // the superseded record is not counted
  EXPECT_TRUE(Messages().empty());
  // The criteria stay for the next search.
  EXPECT_EQ(fromQ(dlg->TitelEdt->text()), "Kuchen !Apfel");
}

TEST_F(SearchWindows, NumberFieldsTakeADecimalComma) {
  TPSearchDlg* dlg = PSearchDlg;
  dlg->EnergieEdt->setText(QStringLiteral("450,5"));
  dlg->StartBtnClick();
  // 1800 kcal for 4 servings pass, 2400 do not; the recipe without energy never does.
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Linsensuppe", "Pfannkuchen", "Pfannkuchen"}));
  dlg->ResetBtnClick();
  EXPECT_TRUE(dlg->EnergieEdt->text().isEmpty());
  dlg->EnergieEdt->setText(QStringLiteral("449,9"));
  dlg->StartBtnClick();
  EXPECT_EQ(Titles(), std::vector<std::string>{"Linsensuppe"});
}

TEST_F(SearchWindows, NothingFoundSaysSoAndCancelShowsNothing) {
  TPSearchDlg* dlg = PSearchDlg;
  dlg->show();
  dlg->TitelEdt->setText(QStringLiteral("Strudel"));
  dlg->StartBtnClick();
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(1));
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(2));
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_FALSE(list->IsSearchMode());

  // Cancel while the search runs: no result, no message.
  dlg->TitelEdt->setText(QStringLiteral("kuchen"));
  dlg->BookAllRdb->setChecked(true);
  QTimer::singleShot(0, dlg, [dlg] { dlg->CancelBtnClick(); });
  dlg->StartBtnClick();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(env.messages.shown.size(), 1u);
  EXPECT_FALSE(list->IsSearchMode());
  EXPECT_TRUE(dlg->StartBtn->isEnabled());
}

TEST_F(SearchWindows, IngredientBoxesFollowEachOther) {
  TPSearchDlg* dlg = PSearchDlg;
  EXPECT_TRUE(dlg->ZutNoneChk->isChecked());
  dlg->ZutatANDText->setText(QStringLiteral("Eier"));
  dlg->ZutatANDTextBtnClick();
  EXPECT_TRUE(dlg->ZutOneAndChk->isChecked());
  EXPECT_FALSE(dlg->ZutNoneChk->isChecked());
  EXPECT_TRUE(dlg->ZutatANDText->text().isEmpty());
  ASSERT_EQ(dlg->ZutatANDLiBo->selectedItems().size(), 1);
  dlg->ZutAllAndChk->setChecked(true);
  EXPECT_FALSE(dlg->ZutOneAndChk->isChecked());
  dlg->ZutatNOTText->setText(QStringLiteral("Mehl"));
  dlg->ZutatNOTTextBtnClick();
  EXPECT_TRUE(dlg->ZutOneNotChk->isChecked());
  dlg->StartBtnClick();
  ASSERT_EQ(env.messages.shown.size(), 1u);  // every recipe holds flour
  dlg->ZutNoneChk->setChecked(true);
  EXPECT_FALSE(dlg->ZutAllAndChk->isChecked());
  EXPECT_FALSE(dlg->ZutOneNotChk->isChecked());

  dlg->ResetSearchCriteria();
  EXPECT_TRUE(dlg->GattAllRdb->isChecked());
}

// Clicks into the lists and boxes of the power search tick the choices that go with them.
TEST_F(SearchWindows, ClicksIntoThePowerSearchListsTickTheirChoices) {
  TPSearchDlg* dlg = PSearchDlg;
  dlg->show();
  for (auto [text, button] : {std::pair{dlg->ZutatANDText, dlg->ZutatANDTextBtn},
                              std::pair{dlg->ZutatNOTText, dlg->ZutatNOTTextBtn}}) {
    text->setText(QStringLiteral("Eier"));
    ASSERT_TRUE(test::Click(button));
  }
  ASSERT_EQ(dlg->ZutatANDLiBo->count(), 1);
  ASSERT_EQ(dlg->ZutatNOTLiBo->count(), 1);

  ASSERT_TRUE(test::ClickBox(dlg->ZutNoneChk));
  ASSERT_TRUE(dlg->ZutNoneChk->isChecked());
  ASSERT_TRUE(test::ClickCell(dlg->ZutatANDLiBo, 0));
  EXPECT_TRUE(dlg->ZutAllAndChk->isChecked());
  EXPECT_FALSE(dlg->ZutNoneChk->isChecked());

  ASSERT_TRUE(test::ClickBox(dlg->ZutNoneChk));
  ASSERT_TRUE(test::ClickCell(dlg->ZutatNOTLiBo, 0));
  EXPECT_TRUE(dlg->ZutOneNotChk->isChecked());
  EXPECT_FALSE(dlg->ZutNoneChk->isChecked());

  // Ticking "not" by hand takes "no ingredient" away too.
  ASSERT_TRUE(test::ClickBox(dlg->ZutNoneChk));
  ASSERT_FALSE(dlg->ZutOneNotChk->isChecked());
  ASSERT_TRUE(test::ClickBox(dlg->ZutOneNotChk));
  EXPECT_TRUE(dlg->ZutOneNotChk->isChecked());
  EXPECT_FALSE(dlg->ZutNoneChk->isChecked());

  ASSERT_FALSE(dlg->GattSelRdb->isChecked());
  ASSERT_TRUE(test::ClickCell(dlg->GattLiBo, 0));
  EXPECT_TRUE(dlg->GattSelRdb->isChecked());
  ASSERT_FALSE(dlg->BookSelRdb->isChecked());
  ASSERT_TRUE(test::ClickCell(dlg->KBookLiBo, 0));
  EXPECT_TRUE(dlg->BookSelRdb->isChecked());
}

TEST_F(SearchWindows, ChoosingTheEmptySearchResultOpensThePowerSearch) {
  list->GattLiBo->setCurrentIndex(1);
  list->GattLiBoChange();
  EXPECT_TRUE(PSearchDlg->isVisible());
  PSearchDlg->close();
}

TEST_F(SearchWindows, DuplicateSearchAndAutoDeleteByBookOrder) {
  // The second book comes first and may lose copies; so may the first.
  ctx().options->autoDelBooks = {{"Zweitbuch", 0, false}, {"Hauptbuch", 0, false}};
  TDupesDlg* dlg = DupesDlg;
  dlg->show();
  // A click on a book chooses "the chosen books"; the search here goes over all of them.
  ASSERT_FALSE(dlg->BookSelRdb->isChecked());
  ASSERT_TRUE(test::ClickCell(dlg->KBookLiBo, 0));
  EXPECT_TRUE(dlg->BookSelRdb->isChecked());
  dlg->BookAllRdb->setChecked(true);
  env.messages.answers.push_back(IDYES);
  dlg->OKBtnClick();
  const std::vector<std::string> log = Log();
  ASSERT_GE(log.size(), 8u);
  EXPECT_EQ(log[0], GetLangText(302));
  EXPECT_EQ(log[3], "");
  EXPECT_EQ(log[4], GetLangText(306) + "1" + GetLangText(307));
  EXPECT_EQ(log.back(), GetLangText(310));
  EXPECT_EQ(fromQ(dlg->OKBtn->text()), "&OK");
  EXPECT_TRUE(dlg->CloseBtn->isEnabled());
  EXPECT_EQ(dlg->HitList.size(), 3u);
  EXPECT_EQ(Messages(), (std::vector<std::string>{GetLangText(420), GetLangText(442)}));

  // Only the second book's copy is left; the first book's two copies are deleted.
  EXPECT_EQ(IndexEntry("Hauptbuch", 0).deleted, 1);
  EXPECT_EQ(IndexEntry("Hauptbuch", 4).deleted, 1);
  EXPECT_EQ(IndexEntry("Zweitbuch", 0).deleted, 0);
  EXPECT_EQ(IndexEntry("Hauptbuch", 3).deleted, 0);
  EXPECT_EQ(Titles(), std::vector<std::string>{"Pfannkuchen"});
  // The book order now names every book.
  EXPECT_EQ(ctx().options->autoDelBooks.size(), 2u);
}

TEST_F(SearchWindows, AutoDeleteKeepsEveryCopyOfNeverDeleteBooks) {
  TDupesDlg* dlg = DupesDlg;
  dlg->BookAllRdb->setChecked(true);
  env.messages.answers.push_back(IDYES);
  dlg->OKBtnClick();
  // New books join the order as never-delete: nothing goes, and the window says so.
  EXPECT_EQ(Messages(), (std::vector<std::string>{GetLangText(420), GetLangText(970)}));
  for (int p : {0, 4}) EXPECT_EQ(IndexEntry("Hauptbuch", p).deleted, 0);
  EXPECT_EQ(list->Count(), 3);
}

TEST_F(SearchWindows, DuplicateSearchWithoutBooksClosesTheWindow) {
  TDupesDlg* dlg = DupesDlg;
  dlg->show();
  dlg->BookSelRdb->setChecked(true);
  dlg->OKBtnClick();
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(304)});
  EXPECT_FALSE(dlg->isVisible());
}

TEST_F(SearchWindows, BulkChangeOfTheSelectedRecipes) {
  ASSERT_EQ(list->Count(), 6);
  for (int row = 0; row < 5; ++row) list->ChooseLiBo->SetSelected(row, true);
  TMultiChangeDlg* dlg = MultiChangeDlg;
  dlg->show();
  EXPECT_EQ(fromQ(dlg->AlleRecipesRdb->text()), GetLangText(645));
  EXPECT_TRUE(dlg->AlleSelectRdb->isChecked());
  dlg->StichwortEdt->setText(QStringLiteral("neu"));
  dlg->StichwortEdtChange();
  EXPECT_TRUE(dlg->StichwortChk->isChecked());
  const std::string before = ReadAll(env.DataFolder() + "Hauptbuch.bok");
  dlg->OKBtnClick();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(646) + "5" + GetLangText(647)});

  // Read back from the files: five recipes carry the keyword, their old records are flagged.
  TdbList reopened;
  TdbList* saved = ctx().dbList;
  ctx().dbList = &reopened;
  reopened.LoadBookIndex();
  int changed = 0;
  const std::string bok = ReadAll(env.DataFolder() + "Hauptbuch.bok");
  for (int i = 0; i < 6; ++i) {
    REZBLOCK r;
    ASSERT_TRUE(reopened.ReadRezBlock("", nullptr, i, r));
    if (r.hint == "alt, neu") {
      ++changed;
      EXPECT_EQ(bok[IndexEntry("Hauptbuch", i).offset + 5], 0);
    }
  }
  ctx().dbList = saved;
  EXPECT_EQ(changed, 5);
  EXPECT_GT(bok.size(), before.size());
  int flagged = 0;
  for (size_t p = 19; p + 15 < before.size();) {
    int32_t length;
    std::memcpy(&length, bok.data() + p + 11, 4);
    flagged += bok[p + 5] == 1 ? 1 : 0;
    p += static_cast<size_t>(length);
  }
  EXPECT_EQ(flagged, 5);
}

TEST_F(SearchWindows, BulkChangeCancelAndEscChangeNothing) {
  TMultiChangeDlg* dlg = MultiChangeDlg;
  dlg->AlleRecipesRdb->setChecked(true);
  dlg->AutorChk->setChecked(true);
  dlg->AutorEdt->setText(QStringLiteral("Bert"));
  const std::string before = ReadAll(env.DataFolder() + "Hauptbuch.bok");
  dlg->show();
  dlg->Button1Click();
  EXPECT_FALSE(dlg->isVisible());
  dlg->show();
  dlg->reject();  // Esc
  EXPECT_EQ(ReadAll(env.DataFolder() + "Hauptbuch.bok"), before);
  EXPECT_TRUE(Messages().empty());
  // The fields keep their values for the next opening; the marked scope takes both marked ones.
  dlg->AlleMarkedRdb->setChecked(true);
  EXPECT_EQ(dlg->RunBulkChange(), 2);
}

// Typing into a field or choosing in its combo box ticks that field's box, and only that one.
TEST_F(SearchWindows, BulkChangeFieldsTickTheirBoxWhenTheUserEditsThem) {
  TMultiChangeDlg* dlg = MultiChangeDlg;
  dlg->show();
  ASSERT_TRUE(test::WhenActive(dlg));
  ASSERT_GE(dlg->GattungEdt->count(), 2);
  const QString category = dlg->GattungEdt->itemText(1);
  const QString replace = dlg->StichwortLiBo->itemText(1);
  const QString sourceMode = dlg->QuelleLiBo->itemText(0);
  struct Case {
    const char* what;
    QCheckBox* box;
    std::function<::testing::AssertionResult()> act;
  };
  const std::vector<Case> cases = {
      {"keyword typed", dlg->StichwortChk, [&] { return test::TypeInto(dlg->StichwortEdt, "neu"); }},
      {"keyword mode", dlg->StichwortChk,
       [&] { return test::ChooseInCombo(dlg->StichwortLiBo, replace); }},
      {"category", dlg->GattungChk, [&] { return test::ChooseInCombo(dlg->GattungEdt, category); }},
      {"category mode", dlg->GattungChk,
       [&] { return test::ChooseInCombo(dlg->GattungLiBo, replace); }},
      {"source typed", dlg->QuelleChk, [&] { return test::TypeInto(dlg->QuelleEdt, "Oma"); }},
      {"source mode", dlg->QuelleChk,
       [&] { return test::ChooseInCombo(dlg->QuelleLiBo, sourceMode); }},
      {"author", dlg->AutorChk, [&] { return test::TypeInto(dlg->AutorEdt, "Bert"); }},
      {"e-mail", dlg->EMailChk, [&] { return test::TypeInto(dlg->EMailEdt, "b@x.de"); }},
      {"date", dlg->DatumChk, [&] { return test::TypeInto(dlg->DatumEdt, "01.02.2026"); }},
  };
  const std::vector<QCheckBox*> boxes = {dlg->StichwortChk, dlg->GattungChk, dlg->QuelleChk,
                                         dlg->AutorChk,     dlg->EMailChk,   dlg->DatumChk};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (QCheckBox* b : boxes) b->setChecked(false);
    ASSERT_TRUE(c.act());
    for (QCheckBox* b : boxes) EXPECT_EQ(b->isChecked(), b == c.box) << b->objectName().toStdString();
  }
}

// "?" opens the window's help page; "Start" changes the selected recipes on disk and closes;
// "Abbrechen" closes and changes nothing.
TEST_F(SearchWindows, BulkChangeStartAndCancelClickedByTheUser) {
  for (int row = 0; row < 5; ++row) list->ChooseLiBo->SetSelected(row, true);
  TMultiChangeDlg* dlg = MultiChangeDlg;
  const std::string before = ReadAll(env.DataFolder() + "Hauptbuch.bok");
  dlg->show();
  ASSERT_TRUE(test::WhenActive(dlg));
  ASSERT_TRUE(test::TypeInto(dlg->AutorEdt, "Bert"));
  ASSERT_TRUE(test::Click(dlg->HelpBtn));
  EXPECT_EQ(test::LastOf(env.shell.opened), env.Root() + "Data/DE/Help/Dlg_MultiChange.htm");
  EXPECT_TRUE(dlg->isVisible());
  ASSERT_TRUE(test::Click(dlg->Button1));
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(ReadAll(env.DataFolder() + "Hauptbuch.bok"), before);
  EXPECT_TRUE(Messages().empty());

  dlg->show();
  ASSERT_TRUE(test::WhenActive(dlg));
  ASSERT_TRUE(test::Click(dlg->OKBtn));
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(Messages(), std::vector<std::string>{GetLangText(646) + "5" + GetLangText(647)});
  EXPECT_NE(ReadAll(env.DataFolder() + "Hauptbuch.bok"), before);
}

// The three windows as a user sees them, in both languages (written to build/shots/).
TEST_F(SearchWindows, Screenshots) {
  for (const std::string lang : {"DE", "EN"}) {
    if (lang == "EN") {
      Stop();
      Start("EN");
    }
    PSearchDlg->show();
    PSearchDlg->TitelEdt->setText(QStringLiteral("Kuchen !Apfel"));
    Shot(PSearchDlg, "power_search_" + lang);
    PSearchDlg->close();
    DupesDlg->show();
    DupesDlg->BookAllRdb->setChecked(true);
    DupesDlg->OKBtnClick();
    Shot(DupesDlg, "duplicate_search_" + lang);
    DupesDlg->close();
    MultiChangeDlg->show();
    Shot(MultiChangeDlg, "bulk_change_" + lang);
    MultiChangeDlg->close();
  }
  EXPECT_EQ(fromQ(MultiChangeDlg->windowTitle()), "Bulk changes");
}

}  // namespace
}  // namespace tav
