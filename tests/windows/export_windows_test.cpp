// The export window, the title list window and the watched-folder import inside the whole
// program, offscreen: a book built before the start, the recipe list filled by the first
// activation.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cstring>
#include <functional>

#include "app/ui/main_window.h"
#include "app/ui/options_dialog.h"
#include "app/ui/startup.h"
#include "exchange/ui/auto_import_dialog.h"
#include "exchange/ui/export_dialog.h"
#include "exchange/ui/recipe_list_export_dialog.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/index_file.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/options_store.h"
#include "services/text_tools.h"
#include "support/test_env.h"
#include "user_actions.h"
#include "user_gestures.h"
#include "window_test_support.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WhileShown;
using test::WriteAll;

const char* const kExportKey = "Software\\Brimo\\Tavolin\\Export";

std::string MealMaster(const std::string& title) {
  return "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n      Title: " + title +
         "\r\n Categories: Salate\r\n      Yield: 2\r\n\r\n      1    "
         "Ei\r\n\r\nKochen.\r\n\r\nMMMMM\r\n";
}

class ExportWindows : public ::testing::Test {
 protected:
  test::TestEnv env;
  test::TempDir program;
  std::string savedProgram = ProgramFolder();

  void SetUp() override { SetProgramFolder(program.Path()); }
  void TearDown() override {
    DestroyAllWindows();
    SetProgramFolder(savedProgram);
  }

  // Books "Hauptbuch" (current, `count` recipes "Rezept 001" ...) and "Zweitbuch" (empty),
  // then (after `beforeStart`) the program in that language.
  void Start(int count, const char* lang = "DE",
             const std::function<void()>& beforeStart = nullptr) {
    for (const char* l : {"DE", "EN"})
      for (const char* file : {"GUI.klf", "Gattung.dat", "einheit.dat"})
        WriteAll(env.DataFolder() + l + "/" + file,
                 ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + l + "/" + file));
    BuildBook("Zweitbuch", 0);
    BuildBook("Hauptbuch", count);
    env.userSettings.WriteString(kRegParam, "KBook", "Hauptbuch");
    env.userSettings.WriteString(kRegParam, "AktLanguage", lang);
    env.userSettings.WriteString(kRegParam, "ShowMode", "1");
    if (beforeStart) beforeStart();
    StartProgram();
    MainFrm->FormActivate();
    QApplication::processEvents();
  }

  void BuildBook(const std::string& name, int count) {
    std::vector<REZBLOCK> recipes;
    for (int i = 1; i <= count; ++i) {
      REZBLOCK b;
      ClearRezBlock(b);
      char title[32];
      std::snprintf(title, sizeof title, "Rezept %03d", i);
      b.title = title;
      b.text = "Kochen.";
      b.servings = 4;
      b.flags = i % 3 == 0 ? kRecipeMarked : 0;
      b.lines = {{"1", "", "Ei", "", 0, 0}};
      recipes.push_back(b);
    }
    test::BuildBookBeforeStart(env, name, recipes);
  }

  void Select(std::initializer_list<int> rows) {
    ChooseRezDlg->SelectOnly(-1);
    for (int row : rows) {
      ChooseRezDlg->ChooseLiBo->SetSelected(row, true);
      ChooseRezDlg->ChooseLiBo->SetCurrentRow(row);
    }
  }
  std::vector<std::string> Log(QListWidget* list) const { return test::ListTexts(list); }
  void SaveShot(QWidget* w, const std::string& name) {
    w->resize(w->sizeHint());  // as the window first comes up
    test::Shot(w, name.substr(0, name.rfind(".png")));
  }
  std::string Path(const std::string& name) const { return env.Root() + "Export/" + name; }
};

TEST_F(ExportWindows, TheWindowRestoresItsChoicesAndCookMLTakesTheClipboardAway) {
  env.userSettings.WriteString(kExportKey, "Ziel", "1");
  env.userSettings.WriteString(kExportKey, "Format", "4");
  env.userSettings.WriteString(kExportKey, "WhatRez", "2");
  env.userSettings.WriteString(kExportKey, "Split", "0");
  env.userSettings.WriteString(kExportKey, "TileAnz", "25");
  Start(3);
  TExportDlg* dlg = ExportDlg;
  WhileShown(dlg, [&] {
    EXPECT_EQ(fromQ(dlg->windowTitle()), "Rezepte exportieren");
    EXPECT_TRUE(dlg->mKMLFmtRdb->isChecked());
    EXPECT_TRUE(dlg->mMarkRezRdb->isChecked());
    EXPECT_FALSE(dlg->ClipRdb->isEnabled());
    EXPECT_TRUE(dlg->FileRdb->isChecked());
    EXPECT_TRUE(dlg->TileAnzEdt->isEnabled());
    EXPECT_FALSE(dlg->TileChk->isChecked());
    EXPECT_EQ(fromQ(dlg->TileAnzEdt->text()), "25");
    EXPECT_EQ(Log(dlg->LogLiBo), (std::vector<std::string>{GetLangText(136)}));
    // The log shows its lines whole: a line longer than the first one can be scrolled to its end.
    const std::string path = "Geschrieben: " + std::string(400, 'x') + "/Rezepte.cml";
    dlg->AddLogLine(path);
    QApplication::processEvents();
    const int longest = dlg->LogLiBo->fontMetrics().horizontalAdvance(toQ(path));
    const QListWidgetItem* last = dlg->LogLiBo->item(dlg->LogLiBo->count() - 1);
    EXPECT_GE(dlg->LogLiBo->visualItemRect(last).width(), longest);
    EXPECT_GE(dlg->LogLiBo->horizontalScrollBar()->maximum() +
                  dlg->LogLiBo->viewport()->width(),
              longest);
    // Every format has its writer; the options buttons open the options window's pages.
    EXPECT_TRUE(dlg->mHTMLFmtRdb->isEnabled());
    EXPECT_TRUE(dlg->mLesFmtRdb->isEnabled());
    EXPECT_TRUE(dlg->MMOptBtn->isEnabled());
    std::string page;
    QTimer::singleShot(0, ParaDlg, [&] {
      if (ParaDlg->isVisible()) page = fromQ(ParaDlg->ParamSheet->currentWidget()->objectName());
      ParaDlg->reject();
    });
    dlg->HTMLOptBtnClick();
    EXPECT_EQ(page, "HTMLPnl");
    // Meal-Master may go to the clipboard; the split controls follow the target.
    dlg->mMMFmtRdb->click();
    EXPECT_TRUE(dlg->ClipRdb->isEnabled());
    dlg->ClipRdb->click();
    EXPECT_FALSE(dlg->TileAnzEdt->isEnabled());
    dlg->mKMLFmtRdb->click();
    EXPECT_TRUE(dlg->FileRdb->isChecked());
    EXPECT_TRUE(dlg->TileAnzEdt->isEnabled());
  });
}

TEST_F(ExportWindows, TheSelectedRecipesGoToTheChosenFileAndTheWindowShowsTheRun) {
  Start(12);
  Select({1, 4, 7});
  TExportDlg* dlg = ExportDlg;
  WhileShown(dlg, [&] {
    dlg->mSelRezRdb->setChecked(true);
    dlg->mRKFmtRdb->click();
    dlg->FileRdb->setChecked(true);
    dlg->chooseFileForTest = [&](std::string& name) {
      EXPECT_FALSE(dlg->CancelBtn->isEnabled());
      name = Path("auswahl");
      return true;
    };
    dlg->OKBtnClick();
    EXPECT_EQ(fromQ(dlg->OKBtn->text()), GetLangText(172));
    EXPECT_EQ(fromQ(dlg->CancelBtn->text()), GetLangText(574));
    EXPECT_TRUE(dlg->CancelBtn->isEnabled());
    EXPECT_EQ(Log(dlg->LogLiBo), (std::vector<std::string>{"Exportiert: 3 Rezepte", "",
                                                           GetLangText(133), GetLangText(134)}));
    EXPECT_EQ(dlg->LogLiBo->currentRow(), 3);
    SaveShot(dlg, "export_window_de.png");
  });
  const std::string text = ReadAll(Path("auswahl.rk"));
  for (const char* title : {"Rezept 002", "Rezept 005", "Rezept 008"})
    EXPECT_NE(text.find(std::string("Titel: ") + title), std::string::npos) << title;
  EXPECT_EQ(env.userSettings.Read(kExportKey, "WhatRez"), "4");
  EXPECT_EQ(env.userSettings.Read(kExportKey, "Format"), "1");
}

TEST_F(ExportWindows, TheWindowStaysWhileARunLetsMessagesThroughAndASecondClickStopsIt) {
  Start(150);
  TExportDlg* dlg = ExportDlg;
  bool closedDuringRun = false;
  WhileShown(dlg, [&] {
    dlg->mAllRezRdb->setChecked(true);
    dlg->mKMLFmtRdb->click();
    dlg->TileChk->setChecked(false);
    dlg->chooseFileForTest = [&](std::string& name) {
      name = Path("alle.cml");
      // These arrive at the run's first look at pending messages.
      QTimer::singleShot(0, dlg, [&] {
        dlg->close();
        dlg->reject();
        closedDuringRun = !dlg->isVisible();
        dlg->OKBtn->click();  // "Abbrechen": stop after the recipe in hand
      });
      QThread::msleep(60);  // the run lets messages through every few milliseconds
      return true;
    };
    dlg->OKBtnClick();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(Log(dlg->LogLiBo).back(), GetLangText(135));
  });
  EXPECT_FALSE(closedDuringRun);
  const std::string xml = ReadAll(Path("alle.cml"));
  size_t recipes = 0;
  for (size_t p = xml.find("<recipe "); p != std::string::npos; p = xml.find("<recipe ", p + 1))
    ++recipes;
  EXPECT_GT(recipes, 0u);
  EXPECT_LT(recipes, 150u);
  EXPECT_EQ(xml.substr(xml.size() - 11), "</cookml>\r\n");
}

// The book's index fails to read after its header when the program opens the book (a bad
// sector stays bad). The start says so, and an export of all recipes started with a click
// leaves the earlier export as it was and says why, in the user's language.
class UnreadBookExport : public ExportWindows {
 protected:
  void Run(const char* lang) {
    const std::string index = env.DataFolder() + "Hauptbuch.idx";
    const std::string earlier = Path("alle.cml");
    const std::string before = "<?xml version=\"1.0\"?><cookml>zw\xF6lf Rezepte</cookml>\r\n";
    WriteAll(earlier, before);
    int reads = 0;
    Start(12, lang, [&] {
      SetReadFaultForTest([&](const std::string& path) { return path == index && ++reads > 2; });
    });
    const auto said = [&](const std::string& text) {
      return std::count_if(env.messages.shown.begin(), env.messages.shown.end(),
                           [&](const auto& m) { return m.text == text; });
    };
    EXPECT_EQ(said(FormatLangText(GetLangText(1091), {"Hauptbuch"})), 1);
    EXPECT_EQ(ChooseRezDlg->ChooseLiBo->Count(), 0);
    TExportDlg* dlg = ExportDlg;
    WhileShown(dlg, [&] {
      dlg->mAllRezRdb->setChecked(true);
      dlg->mKMLFmtRdb->click();
      bool asked = false;
      dlg->chooseFileForTest = [&](std::string& name) {
        asked = true;
        name = earlier;
        return true;
      };
      QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
      EXPECT_FALSE(asked);  // refused before a file is chosen
      EXPECT_EQ(env.messages.shown.back().text, FormatLangText(GetLangText(1093), {"Hauptbuch"}));
      EXPECT_EQ(Log(dlg->LogLiBo).back(), GetLangText(131));
      SaveShot(dlg, std::string("export_unread_book_") + lang + ".png");
    });
    // Nor is the title list of the book.
    const std::string titles = Path("titel.txt");
    WhileShown(ExpRezListDlg, [&] {
      ExpRezListDlg->mAllRezRdb->setChecked(true);
      ExpRezListDlg->chooseFileForTest = [&](std::string& name) {
        name = titles;
        return true;
      };
      env.messages.shown.clear();
      QTest::mouseClick(ExpRezListDlg->OKBtn, Qt::LeftButton);
      ASSERT_EQ(env.messages.shown.size(), 1u);
      EXPECT_EQ(env.messages.shown[0].text, FormatLangText(GetLangText(1093), {"Hauptbuch"}));
    });
    EXPECT_FALSE(FileExists(titles));
    SetReadFaultForTest(nullptr);
    EXPECT_EQ(ReadAll(earlier), before);
    // Read again, the book holds its twelve recipes: the records after the entries that could
    // not be read were not taken for an unfinished one and cut off.
    const size_t shown = env.messages.shown.size();
    dbList->ReloadBookIndex();
    EXPECT_EQ(ChooseRezDlg->ChooseLiBo->Count(), 12);
    EXPECT_EQ(env.messages.shown.size(), shown);
  }
};

TEST_F(UnreadBookExport, German) {
  Run("DE");
}
TEST_F(UnreadBookExport, English) {
  Run("EN");
}

TEST_F(ExportWindows, EnglishExportWindow) {
  Start(3, "EN");
  TExportDlg* dlg = ExportDlg;
  WhileShown(dlg, [&] {
    EXPECT_EQ(fromQ(dlg->windowTitle()), "Export recipes");
    EXPECT_EQ(fromQ(dlg->GroupBox3->title()), "Format");
    SaveShot(dlg, "export_window_en.png");
  });
}

TEST_F(ExportWindows, TheTitleListGoesToTheChosenFileAndACancelledChoiceEndsQuietly) {
  Start(6);
  Select({0, 2});
  TExpRezListDlg* dlg = ExpRezListDlg;
  const std::string path = Path("titel.txt");
  WhileShown(dlg, [&] {
    EXPECT_TRUE(dlg->mSelRezRdb->isChecked());  // the defaults: selected, to a file
    EXPECT_TRUE(dlg->FileRdb->isChecked());
    EXPECT_TRUE(dlg->PrintRdb->isEnabled());
    SaveShot(dlg, "title_list_window_de.png");
    dlg->chooseFileForTest = [&](std::string& name) {
      name = path;
      return true;
    };
    dlg->OKBtnClick();
    EXPECT_FALSE(dlg->isVisible());
  });
  EXPECT_EQ(ReadAll(path), "Rezept 001\r\nRezept 003\r\n");
  EXPECT_EQ(env.userSettings.Read(kExportKey, "LstWhatRez"), "4");
  EXPECT_EQ(env.userSettings.Read(kExportKey, "LstZiel"), "1");

  const size_t messages = env.messages.shown.size();
  WhileShown(dlg, [&] {
    dlg->mMarkRezRdb->setChecked(true);
    dlg->chooseFileForTest = [](std::string&) { return false; };
    dlg->OKBtnClick();
  });
  EXPECT_EQ(env.messages.shown.size(), messages);  // no message 313
  EXPECT_EQ(env.userSettings.Read(kExportKey, "LstWhatRez"), "2");

  // The recipe list's popup menu opens the window.
  QAction* item = ChooseRezDlg->ChooseMnu->findChild<QAction*>("ExportMnu");
  ASSERT_NE(item, nullptr);
  emit ChooseRezDlg->ChooseMnu->aboutToShow();
  EXPECT_TRUE(item->isEnabled());
  bool shown = false;
  QTimer::singleShot(0, dlg, [&] {
    shown = dlg->isVisible();
    EXPECT_TRUE(dlg->mMarkRezRdb->isChecked());  // the last choice again
    dlg->reject();
  });
  item->trigger();
  EXPECT_TRUE(shown);
}

// The names a save dialog lists in its folder, once its folder is read.
std::vector<std::string> ListedNames(QFileDialog* dialog, const char* expected) {
  QListView* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
  std::vector<std::string> names;
  if (!view) return names;
  (void)QTest::qWaitFor(
      [&] {
        names.clear();
        QAbstractItemModel* model = view->model();
        for (int i = 0; i < model->rowCount(view->rootIndex()); ++i)
          names.push_back(fromQ(model->index(i, 0, view->rootIndex()).data().toString()));
        return std::find(names.begin(), names.end(), expected) != names.end();
      },
      2000);
  return names;
}

// The save dialogs of the export and of the title list, over the export folder, list the user's
// files but not the program's scratch files; a title list saved under a name without an
// extension is a ".txt" file.
TEST_F(ExportWindows, TheSaveDialogsListNoScratchFilesAndTheTitleListIsATextFile) {
  Start(4);
  for (const char* name : {"$$$.html", "$$$.txt", "Alt.html", "Alt.txt", "Alt.txt.$$$4194303"})
    WriteAll(Path(name), "x");
  const auto expectNoScratch = [](const std::vector<std::string>& names, const char* own) {
    EXPECT_NE(std::find(names.begin(), names.end(), own), names.end()) << own;
    for (const std::string& n : names) EXPECT_EQ(n.find("$$$"), std::string::npos) << n;
  };
  TExportDlg* dlg = ExportDlg;
  WhileShown(dlg, [&] {
    ASSERT_TRUE(test::Click(dlg->mHTMLFmtRdb));
    dlg->FileRdb->setChecked(true);
    const bool asked = test::WhileModal(
        [&] {
          auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
          ASSERT_TRUE(files);
          expectNoScratch(ListedNames(files, "Alt.html"), "Alt.html");
          files->reject();
        },
        [&] { EXPECT_TRUE(test::Click(dlg->OKBtn)); });
    EXPECT_TRUE(asked);
  });

  Select({1, 3});
  TExpRezListDlg* list = ExpRezListDlg;
  WhileShown(list, [&] {
    ASSERT_TRUE(test::Click(list->FileRdb));
    const bool asked = test::WhileModal(
        [&] {
          auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
          ASSERT_TRUE(files);
          expectNoScratch(ListedNames(files, "Alt.txt"), "Alt.txt");
          auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
          ASSERT_TRUE(name);
          EXPECT_TRUE(test::TypeInto(name, QStringLiteral("Wochenliste")));
          test::PressKey(Qt::Key_Return);
        },
        [&] { EXPECT_TRUE(test::Click(list->OKBtn)); });
    EXPECT_TRUE(asked);
  });
  EXPECT_EQ(ReadAll(Path("Wochenliste.txt")), "Rezept 002\r\nRezept 004\r\n");
  EXPECT_FALSE(FileExists(Path("Wochenliste")));
}

TEST_F(ExportWindows, EnglishTitleListWindow) {
  Start(2, "EN");
  WhileShown(ExpRezListDlg, [&] {
    EXPECT_EQ(fromQ(ExpRezListDlg->windowTitle()), "Export recipe list");
    SaveShot(ExpRezListDlg, "title_list_window_en.png");
  });
}

class AutoImportWindow : public ExportWindows {
 protected:
  void Fill() {
    folder = env.Root() + "Auto-Import/";
    WriteAll(folder + "a.mm", MealMaster("Eins") + MealMaster("Zwei"));
    WriteAll(folder + "b.txt.OK", MealMaster("Alt"));
    WriteAll(folder + ".~lock.a.mm#", "anna,rechner");  // an editor's lock file: hidden
  }
  // Lets the timer tick until `done` holds (at most two seconds).
  bool TickUntil(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 2000) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(5);
    }
    return done();
  }
  int Entries(const std::string& book) {
    return CountIndexEntries(env.DataFolder() + book + ".idx", false);
  }
  std::string folder;
};

TEST_F(AutoImportWindow, ATimerTickImportsThePendingFileOnceAndLogsIt) {
  env.userSettings.WriteString(kRegParam, "AutoImpBook", "Zweitbuch");
  Start(1);
  Fill();
  TAutoImpDlg* dlg = AutoImpDlg;
  EXPECT_TRUE(dlg->AutoImpTimer->isActive());           // option 41
  EXPECT_EQ(dlg->AutoImpTimer->interval(), 3 * 60000);  // option 42
  dlg->AutoImpTimer->setInterval(20);

  // No tick while a modal window is open.
  QDialog modal(MainFrm);
  QTimer::singleShot(150, &modal, [&] { modal.reject(); });
  modal.exec();
  EXPECT_TRUE(FileExists(folder + "a.mm"));

  ASSERT_TRUE(TickUntil([&] { return !FileExists(folder + "a.mm"); }));
  EXPECT_EQ(Entries("Zweitbuch"), 2);
  EXPECT_EQ(Entries("Hauptbuch"), 1);
  EXPECT_EQ(ReadAll(folder + "b.txt.OK"), MealMaster("Alt"));
  EXPECT_TRUE(FileExists(folder + ".~lock.a.mm#"));
  const std::vector<std::string> log = SplitLines(ReadAll(folder + "Logbuch.txt"));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].substr(18), "2" + GetLangText(337) + ". ('" + folder + "a.mm')");

  // Further ticks find nothing to do.
  const std::string before = ReadAll(folder + "Logbuch.txt");
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 200) QApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(ReadAll(folder + "Logbuch.txt"), before);
  EXPECT_EQ(Entries("Zweitbuch"), 2);
  EXPECT_EQ(ListFolder(folder),
            (std::vector<std::string>{".~lock.a.mm#", "Logbuch.txt", "b.txt.OK"}));
}

TEST_F(AutoImportWindow, TheWindowListsTheFilesByFilterAndImportsOrDeletesOne) {
  Start(1);
  Fill();
  WriteAll(folder + "c.rk", "keine Rezepte");
  TAutoImpDlg* dlg = AutoImpDlg;
  auto names = [&] {
    std::vector<std::string> out;
    for (int r = 0; r < dlg->ImpListGrd->rowCount(); ++r)
      out.push_back(fromQ(dlg->ImpListGrd->item(r, 0)->text()) + "|" +
                    fromQ(dlg->ImpListGrd->item(r, 1)->text()));
    return out;
  };
  WhileShown(dlg, [&] {
    EXPECT_EQ(dlg->FilterCoBo->currentIndex(), 2);
    EXPECT_EQ(names(),
              (std::vector<std::string>{"a.mm|" + GetLangText(331), "b.txt.OK|" + GetLangText(329),
                                        "c.rk|" + GetLangText(331)}));
    SaveShot(dlg, "auto_import_window_de.png");
    dlg->FilterCoBo->setCurrentIndex(1);
    EXPECT_EQ(names(), (std::vector<std::string>{"b.txt.OK|" + GetLangText(329)}));
    dlg->FilterCoBo->setCurrentIndex(0);
    dlg->ImpListGrd->setCurrentCell(1, 0);  // c.rk
    dlg->StartOneBtmClick();
    EXPECT_TRUE(FileExists(folder + "c.rk.NoRez"));
    EXPECT_EQ(names(), (std::vector<std::string>{"a.mm|" + GetLangText(331)}));
    EXPECT_TRUE(test::Click(dlg->DelBtn));  // nothing selected after the refill: nothing deleted
    EXPECT_TRUE(FileExists(folder + "a.mm"));
    ASSERT_TRUE(test::ClickCell(dlg->ImpListGrd, 0));
    EXPECT_TRUE(test::Click(dlg->DelBtn));
    EXPECT_FALSE(FileExists(folder + "a.mm"));
    // The folder's log opens in the desktop's viewer.
    if (!FileExists(folder + "Logbuch.txt")) WriteAll(folder + "Logbuch.txt", "");
    const size_t opened = env.shell.opened.size();
    EXPECT_TRUE(test::Click(dlg->LogBookBtn));
    ASSERT_EQ(env.shell.opened.size(), opened + 1);
    EXPECT_EQ(env.shell.opened.back(), folder + "Logbuch.txt");
    EXPECT_EQ(names(), (std::vector<std::string>{"|" + GetLangText(332)}));
    // While the window is open the timer leaves the folder alone.
    WriteAll(folder + "d.mm", MealMaster("Drei"));
    dlg->AutoImpTimerTimer();
    EXPECT_TRUE(FileExists(folder + "d.mm"));
  });
}

TEST_F(AutoImportWindow, EnglishAutoImportWindow) {
  Start(1, "EN");
  Fill();
  WhileShown(AutoImpDlg, [&] {
    EXPECT_EQ(fromQ(AutoImpDlg->windowTitle()), "Automatic import of recipe files");
    SaveShot(AutoImpDlg, "auto_import_window_en.png");
  });
}

}  // namespace
}  // namespace tav
