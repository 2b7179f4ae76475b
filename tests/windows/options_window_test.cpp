// The options window: every option shown and stored by OK, nothing written by showing or
// Cancel, the languages, and the pages of the lists kept with the options.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include "app/ui/options_dialog.h"
#include "nutrients/nutrient_table.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/index_file.h"
#include "recipedb/record_file.h"
#include "recipedb/ui/cookbook_dialog.h"
#include "services/tools_module.h"
#include "support/test_env.h"
#include "services/ui/tips_access.h"
#include "user_actions.h"
#include "user_gestures.h"
#include "window_checks.h"
#include "window_test_support.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

// The tips window, as far as the options window asks it for a tip.
struct FakeTips : TipsAccess {
  FakeTips() { Registered<TipsAccess>::Enter(this); }
  ~FakeTips() override { Registered<TipsAccess>::Leave(this); }
  void ShowTip(uint16_t tip, int mode, QWidget*) override { shown.push_back({tip, mode}); }
  std::vector<std::pair<int, int>> shown;
};

class OptionsWindow : public ::testing::Test {
 protected:
  explicit OptionsWindow(const std::string& lang = "DE") {
    for (const char* l : {"DE", "EN"})
      WriteAll(env.Root() + "Data/" + l + "/Languages.dat",
               ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + l + "/Languages.dat"));
    WriteAll(env.Root() + "HTML/ViewTPL.html", "<html>");
    WriteAll(env.Root() + "HTML/QViewTPL.html", "<html>");
    WriteAll(env.Root() + "HTML/Karte.html", "<html>");
    language = std::make_unique<test::WindowLanguage>(env, lang);
    ctx().tools = &tools;
    SetProgramFolder(program.Path());
  }
  ~OptionsWindow() override {
    dlg.reset();
    SetProgramFolder(savedProgram);
  }
  void Make() { dlg = std::make_unique<TParaDlg>(); }
  std::string Param(const std::string& name) const {
    std::string v = "<none>";
    ctx().userSettings->ReadString(kRegParam, name, v);
    return v;
  }
  std::vector<std::string> Texts(const QListWidget* list) const {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i) out.push_back(fromQ(list->item(i)->text()));
    return out;
  }
  static std::string Cell(const QTableWidget* g, int row, int column) {
    const QTableWidgetItem* item = g->item(row, column);
    return item ? fromQ(item->text()) : std::string();
  }
  // The page's tab, clicked.
  void ToPage(const char* page) {
    for (int i = 0; i < dlg->ParamSheet->count(); ++i)
      if (dlg->ParamSheet->widget(i)->objectName() == QLatin1String(page)) {
        ASSERT_TRUE(test::ClickTab(dlg->ParamSheet->tabBar(), dlg->ParamSheet->tabText(i)));
        ASSERT_EQ(dlg->ParamSheet->currentIndex(), i);
        return;
      }
    FAIL() << "no page " << page;
  }
  void Type(QWidget* field, const std::string& text) {
    ASSERT_TRUE(test::TypeInto(field, toQ(text)));
  }
  void ClickOK() {
    ASSERT_TRUE(test::Click(dlg->OKBtn));
    EXPECT_FALSE(dlg->isVisible());
  }

  test::TestEnv env;
  test::TempDir program;
  std::string savedProgram = ProgramFolder();
  TToolsMod tools;
  std::unique_ptr<test::WindowLanguage> language;
  std::unique_ptr<TParaDlg> dlg;
};

TEST_F(OptionsWindow, ChangedOptionsSurviveARestart) {
  Make();
  dlg->show();
  EXPECT_EQ(fromQ(dlg->AutornameEdt->text()), "Tavolin!-Benutzer");
  EXPECT_TRUE(dlg->DelAskChk->isChecked());
  Type(dlg->AutornameEdt, "Hanna M\xFCller");
  Type(dlg->PersAnzEdt, " 6 Personen");
  ToPage("AllgemeinPnl");
  ASSERT_TRUE(test::ClickBox(dlg->EnergieChk));
  ASSERT_TRUE(test::ClickBox(dlg->DelAskChk));
  Type(dlg->LexURLEdt, "https://example.org/suche?q=#");
  ToPage("PrintPnl");
  Type(dlg->RezPrintLeftEdt, "15");
  ToPage("AImportPnl");
  ASSERT_TRUE(test::ClickBox(dlg->MoveImportedRdb));
  ClickOK();
  dlg.reset();
  Make();  // the next start
  EXPECT_EQ(dlg->Str(10), "Hanna M\xFC" "ller");
  EXPECT_TRUE(dlg->Flag(16));
  EXPECT_EQ(dlg->Int(17), 6);
  EXPECT_EQ(dlg->Int(13), 15);
  EXPECT_EQ(dlg->Str(66), "https://example.org/suche?q=#");
  EXPECT_FALSE(dlg->Flag(18));
  EXPECT_FALSE(dlg->Flag(44));
  dlg->show();
  EXPECT_EQ(fromQ(dlg->AutornameEdt->text()), "Hanna M\xFC" "ller");
  EXPECT_TRUE(dlg->MoveImportedRdb->isChecked());
  dlg->hide();
}

TEST_F(OptionsWindow, ShowingAndCancelLeaveTheSettingsFileAsItWas) {
  IniSettingsStore file(env.Root() + "user.ini", false);
  ctx().userSettings = &file;
  file.WriteString(kRegParam, "ImpMaxRecipes", "50");  // raised only when OK stores it
  file.WriteString(kRegParam, "HTMLExpTempl", "Alt.html");
  file.WriteString(kRegParam, "AutoDelName0", "Verschwunden");
  const std::string before = ReadAll(file.File());
  Make();
  dlg->show();
  EXPECT_EQ(fromQ(dlg->AppendKBookEdt->text()), "50");
  Type(dlg->AutornameEdt, "Jemand");
  ToPage("AllgemeinPnl");
  ASSERT_TRUE(test::ClickBox(dlg->EnergieChk));
  ToPage("NahrungPnl");
  ASSERT_TRUE(test::ClickCell(dlg->GewPartLiBo, 0));
  ASSERT_TRUE(test::Click(dlg->GewPartDownLiBo));
  ToPage("ToolsPnl");
  ASSERT_TRUE(test::Click(dlg->NewBtn));
  test::TypeKeys(QStringLiteral("Rechner"));  // the new tool's menu text has the focus
  EXPECT_EQ(Cell(dlg->ToolListGrd, 1, 0), "Rechner");
  ASSERT_TRUE(test::Click(dlg->CancelBtn));
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(ReadAll(file.File()), before);
  // A later showing shows the tools as stored, not the cancelled one.
  dlg->show();
  EXPECT_EQ(Cell(dlg->ToolListGrd, 0, 0), "");
  EXPECT_FALSE(dlg->ToolsChanged());
  dlg->hide();
  ctx().userSettings = &env.userSettings;
}

TEST_F(OptionsWindow, NumbersAreReadLikeAtolAndKeptInTheirRanges) {
  env.userSettings.WriteString(kRegParam, "ImpMaxRecipes", "50");
  Make();
  struct Case {
    std::string text;
    int stored;
  } lengths[] = {{"80", 75}, {"10", 60}, {"abc", 60}, {" 72 Zeichen", 72}};
  for (const Case& c : lengths) {
    dlg->show();
    ToPage("ExportPnl");
    Type(dlg->MaxExportLength, c.text);
    ClickOK();
    EXPECT_EQ(dlg->Int(29), c.stored) << c.text;
  }
  EXPECT_EQ(dlg->Int(74), 100);  // a limit of 50 recipes is raised when OK stores it
  dlg->show();
  ToPage("ImportPnl");
  ASSERT_TRUE(test::ClickBox(dlg->AppendKBookChk));
  ClickOK();
  EXPECT_EQ(dlg->Int(74), 0);
  dlg->show();
  ToPage("ImportPnl");
  EXPECT_FALSE(dlg->AppendKBookChk->isChecked());
  Type(dlg->AppendKBookEdt, "250");
  EXPECT_TRUE(dlg->AppendKBookChk->isChecked());  // typing a number ticks the box
  ClickOK();
  EXPECT_EQ(dlg->Int(74), 250);
  // Title normalisation: off, all capitals, word by word; a click on either way switches it on.
  dlg->show();
  ToPage("ImportPnl");
  EXPECT_TRUE(dlg->ImpNormKleinChk->isChecked());
  ASSERT_TRUE(test::ClickBox(dlg->NormalizeTitelChk));
  ClickOK();
  EXPECT_EQ(dlg->Int(73), 0);
  dlg->show();
  ToPage("ImportPnl");
  ASSERT_TRUE(test::ClickBox(dlg->ImpNormGrossChk));
  EXPECT_TRUE(dlg->NormalizeTitelChk->isChecked());
  ClickOK();
  EXPECT_EQ(dlg->Int(73), 1);
  dlg->show();
  ToPage("ImportPnl");
  ASSERT_TRUE(test::ClickBox(dlg->NormalizeTitelChk));
  ASSERT_TRUE(test::ClickBox(dlg->ImpNormKleinChk));
  EXPECT_TRUE(dlg->NormalizeTitelChk->isChecked());
  ClickOK();
  EXPECT_EQ(dlg->Int(73), 2);
}

TEST_F(OptionsWindow, LanguagesAreListedByNameAndOKWithoutOneKeepsTheLanguage) {
  WriteAll(env.Root() + "Data/IT/Languages.dat", "IT#Italiano\r\n");
  WriteAll(env.Root() + "Data/XX/Languages.dat", "kein Trennzeichen\r\n");
  Make();
  EXPECT_EQ(dlg->LanguageCodes(), (std::vector<std::string>{"DE", "EN", "IT"}));
  dlg->show();
  EXPECT_EQ(fromQ(dlg->LangCoBo->currentText()), "Deutsch");
  ASSERT_TRUE(test::ChooseInCombo(dlg->LangCoBo, QStringLiteral("English")));
  ClickOK();
  EXPECT_EQ(Param("AktLanguage"), "EN");
  EXPECT_EQ(dlg->Str(51), "DE");  // from the next start on
  dlg->show();
  EXPECT_EQ(fromQ(dlg->LangCoBo->currentText()), "English");
  dlg->LangCoBo->setCurrentIndex(-1);  // as with a stored language that is not listed
  ClickOK();
  EXPECT_EQ(Param("AktLanguage"), "EN");
  // Without EN/Languages.dat no language is listed.
  RemoveFile(env.Root() + "Data/EN/Languages.dat");
  dlg->LoadLanguageList();
  EXPECT_TRUE(dlg->LanguageCodes().empty());
  EXPECT_EQ(dlg->LangCoBo->count(), 0);
}

TEST_F(OptionsWindow, TemplatesTheTargetFrameAndTheExportTip) {
  env.userSettings.WriteString(kRegParam, "HTMLQExpTempl", "Fehlt.html");
  Make();
  FakeTips tips;
  dlg->show();
  ToPage("HTMLPnl");
  EXPECT_EQ(dlg->HTMLExpTemplCoBo->count(), 3);
  EXPECT_EQ(fromQ(dlg->HTMLExpTemplCoBo->currentText()), "ViewTPL.html");
  EXPECT_EQ(dlg->HTMLQExpTemplCoBo->currentIndex(), -1);
  EXPECT_FALSE(dlg->HTMLLinkListChk->isEnabled());  // the default target frame is set
  Type(dlg->TargetFrameEdt, "");
  EXPECT_TRUE(dlg->HTMLLinkListChk->isEnabled());
  ASSERT_TRUE(test::ChooseInCombo(dlg->HTMLExpTemplCoBo, QStringLiteral("Karte.html")));
  // Showing the pages after an export is explained by a tip, once.
  ASSERT_TRUE(test::ClickBox(dlg->ShowHTMLExportChk));
  EXPECT_EQ(tips.shown, (std::vector<std::pair<int, int>>{{3, 2}}));
  ClickOK();
  EXPECT_EQ(dlg->Str(57), "Karte.html");
  EXPECT_EQ(dlg->Str(58), "Fehlt.html");  // an unknown template keeps its name
  EXPECT_EQ(dlg->Str(34), "");
  EXPECT_EQ(dlg->Flag(37), dlg->ShowHTMLExportChk->isChecked());
}

TEST_F(OptionsWindow, WeightChartPartsMoveAndAreStoredByOK) {
  Make();
  dlg->show();
  ToPage("NahrungPnl");
  ASSERT_EQ(dlg->GewPartLiBo->count(), 6);
  EXPECT_EQ(fromQ(dlg->GewPartLiBo->item(0)->text()), GetLangText(619));
  ASSERT_TRUE(test::ClickCell(dlg->GewPartLiBo, 0));
  ASSERT_TRUE(test::Click(dlg->GewPartUpLiBo));  // the top row cannot move up
  ASSERT_TRUE(test::ClickCell(dlg->GewPartLiBo, 5));
  ASSERT_TRUE(test::Click(dlg->GewPartDownLiBo));  // nor the bottom row down
  EXPECT_EQ(dlg->WeightChartText(), "+0+1+2+3+4+5");
  ASSERT_TRUE(test::ClickCell(dlg->GewPartLiBo, 2));
  ASSERT_TRUE(test::Click(dlg->GewPartUpLiBo));
  EXPECT_EQ(dlg->GewPartLiBo->currentRow(), 1);
  EXPECT_EQ(fromQ(dlg->GewPartLiBo->item(1)->text()), GetLangText(621));
  ASSERT_TRUE(test::Click(dlg->GewPartDownLiBo));  // and back
  ASSERT_TRUE(test::ClickCell(dlg->GewPartLiBo, 0));
  ASSERT_TRUE(test::Click(dlg->GewPartDownLiBo));
  EXPECT_EQ(dlg->GewPartLiBo->currentRow(), 1);
  EXPECT_EQ(fromQ(dlg->GewPartLiBo->item(1)->text()), GetLangText(619));
  ASSERT_TRUE(test::ClickCheckBox(dlg->GewPartLiBo, 5));
  EXPECT_EQ(dlg->GewPartLiBo->item(5)->checkState(), Qt::Unchecked);
  ClickOK();
  EXPECT_EQ(Param("GEWCHART"), "+1+0+2+3+4-5");
}

TEST_F(OptionsWindow, TheBookOrderOfTheDuplicateSearch) {
  env.userSettings.WriteString(kRegParam, "AutoDelName0", "Weg");
  env.userSettings.WriteString(kRegParam, "AutoDelNever0", "1");
  env.userSettings.WriteString(kRegParam, "AutoDelName1", "Suppen");
  env.userSettings.WriteString(kRegParam, "AutoDelNever1", "0");
  Make();
  for (const auto& [name, id] : {std::pair{"Backen", 100}, std::pair{"Suppen", 200}}) {
    WriteAll(env.DataFolder() + name + ".bok", TextModeRecordFileHeader());
    WriteAll(env.DataFolder() + name + ".idx", NewIndexBytes());
    WriteAll(env.DataFolder() + name + ".inf", "\r\n" + std::to_string(id) + "\r\n1\r\n");
  }
  TKBookDlg books;
  dlg->show();
  ToPage("DupePnl");
  ASSERT_EQ(dlg->KBookOrderGrd->rowCount(), 2);
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 0, 0), "Suppen");
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 0, 1), GetLangText(424));
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 1, 0), "Backen");
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 1, 1), GetLangText(423));
  ASSERT_TRUE(test::ClickCell(dlg->KBookOrderGrd, 1, 0));
  EXPECT_TRUE(dlg->KBookWrPrChk->isChecked());
  ASSERT_TRUE(test::ClickCell(dlg->KBookOrderGrd, 0, 0));
  EXPECT_FALSE(dlg->KBookWrPrChk->isChecked());  // the box follows the row clicked
  ASSERT_TRUE(test::Click(dlg->OrderDownBtn));
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 1, 0), "Suppen");
  EXPECT_EQ(dlg->KBookOrderGrd->currentRow(), 1);
  ASSERT_TRUE(test::Click(dlg->OrderUpBtn));
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 0, 0), "Suppen");
  ASSERT_TRUE(test::ClickCell(dlg->KBookOrderGrd, 1, 1));
  ASSERT_TRUE(test::Click(dlg->OrderUpBtn));
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 0, 0), "Backen");
  EXPECT_EQ(dlg->KBookOrderGrd->currentRow(), 0);
  ASSERT_TRUE(test::ClickBox(dlg->KBookWrPrChk));
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 0, 1), GetLangText(424));
  EXPECT_EQ(dlg->KBookOrderGrd->currentRow(), 0);
  ClickOK();
  EXPECT_EQ(Param("AutoDelName0"), "Backen");
  EXPECT_EQ(Param("AutoDelNever0"), "0");
  EXPECT_EQ(Param("AutoDelName1"), "Suppen");
  EXPECT_EQ(Param("AutoDelName2"), "<none>");
  bool never = true;
  EXPECT_EQ(dlg->FindAutoDelBook(200, &never), 1);
  EXPECT_FALSE(never);
}

TEST_F(OptionsWindow, ExternalToolsAreEditedInTheGridAndSavedByOK) {
  env.userSettings.WriteString(kRegParam, "Tool0", "Editor");
  env.userSettings.WriteString(kRegParam, "ToolP0", "/usr/bin/editor.exe");
  Make();
  dlg->show();
  ToPage("ToolsPnl");
  EXPECT_EQ(fromQ(dlg->ToolListGrd->horizontalHeaderItem(1)->text()), GetLangText(25));
  EXPECT_EQ(fromQ(dlg->ToolPathEdt->text()), "/usr/bin/editor.exe");
  ASSERT_TRUE(test::Click(dlg->NewBtn));
  Type(dlg->ToolTextEdt, "Notizen");
  Type(dlg->ToolCmdEdt, "-n");
  dlg->chooseToolFile = [&](const std::string& folder, std::string& path) {
    EXPECT_EQ(folder, "");
    path = "/home/notizen.txt";
    return true;
  };
  ASSERT_TRUE(test::Click(dlg->SearchToolBtn));
  EXPECT_EQ(Cell(dlg->ToolListGrd, 1, 0), "Notizen");
  EXPECT_EQ(Cell(dlg->ToolListGrd, 1, 1), "/home/notizen.txt");
  EXPECT_EQ(Cell(dlg->ToolListGrd, 1, 2), "-n");
  ASSERT_TRUE(test::Click(dlg->ToolUpBtn));
  EXPECT_EQ(Cell(dlg->ToolListGrd, 0, 0), "Notizen");
  EXPECT_EQ(dlg->ToolListGrd->currentRow(), 0);
  // A click on a row shows its tool in the fields.
  ASSERT_TRUE(test::ClickCell(dlg->ToolListGrd, 1, 0));
  EXPECT_EQ(fromQ(dlg->ToolTextEdt->text()), "Editor");
  ASSERT_TRUE(test::ClickCell(dlg->ToolListGrd, 0, 1));
  EXPECT_EQ(fromQ(dlg->ToolTextEdt->text()), "Notizen");
  ASSERT_TRUE(test::Click(dlg->ToolDownBtn));
  EXPECT_EQ(Cell(dlg->ToolListGrd, 1, 0), "Notizen");
  EXPECT_EQ(dlg->ToolListGrd->currentRow(), 1);
  ASSERT_TRUE(test::Click(dlg->ToolUpBtn));
  for (int i = 0; i < 25; ++i) ASSERT_TRUE(test::Click(dlg->NewBtn));
  EXPECT_EQ(dlg->ToolListGrd->rowCount(), 20);  // at most twenty tools
  ClickOK();
  EXPECT_EQ(Param("Tools"), "1");
  EXPECT_EQ(Param("Tool0"), "Notizen");
  EXPECT_EQ(Param("ToolC0"), "-n");
  EXPECT_EQ(Param("Tool1"), "Editor");
  EXPECT_EQ(Param("Tool2"), "");  // empty rows are not stored
  EXPECT_EQ(dlg->tools.size(), 2u);
  // A tool that cannot be started opens the window on its page.
  ASSERT_FALSE(dlg->isVisible());
  env.launcher.succeed = false;
  int page = -1;
  EXPECT_TRUE(test::WhileModal([&] { page = dlg->ParamSheet->currentIndex(); },
                               [&] { dlg->StartToolOrAsk("Editor"); }));
  ASSERT_GE(page, 0);
  EXPECT_EQ(dlg->ParamSheet->widget(page)->objectName(), "ToolsPnl");
  // Deleting down to one row leaves one empty row.
  dlg->show();
  ASSERT_TRUE(test::Click(dlg->DelBtn));
  ASSERT_TRUE(test::Click(dlg->DelBtn));
  EXPECT_EQ(dlg->ToolListGrd->rowCount(), 1);
  EXPECT_EQ(Cell(dlg->ToolListGrd, 0, 0), "");
  ClickOK();
  EXPECT_EQ(Param("Tool0"), "");
}

TEST_F(OptionsWindow, NutrientsStoredWithRecipesPagesHelpAndTips) {
  NutrientTable nutrients;
  for (const char* name : {"Energie", "Bemerkung", "Fett", "Eiwei\xDF"}) {
    ISTOFF s;
    s.name = name;
    s.isText = std::string(name) == "Bemerkung";
    nutrients.Stoffe().push_back(s);
  }
  ctx().nutrients = &nutrients;
  env.userSettings.WriteString(kRegParam, "BLSRezStoff_0", "2");
  env.userSettings.WriteString(kRegParam, "BLSRezStoff_1", "-1");
  Make();
  dlg->show();
  ToPage("BLSGPnl");
  EXPECT_EQ(Texts(dlg->StoffChLiBo),
            (std::vector<std::string>{"Energie", "Fett", "Eiwei\xDF"}));
  EXPECT_EQ(dlg->StoffChLiBo->item(1)->checkState(), Qt::Checked);
  ASSERT_TRUE(test::ClickCheckBox(dlg->StoffChLiBo, 0));
  ClickOK();
  EXPECT_EQ(dlg->blsRezStoffe, (std::vector<int32_t>{0, 2}));
  EXPECT_EQ(Param("BLSRezStoff_2"), "-1");
  ctx().nutrients = nullptr;

  dlg->SelectParaPage(9);
  EXPECT_EQ(dlg->ParamSheet->currentWidget()->objectName(), "DupePnl");
  dlg->SelectParaPage(11);
  EXPECT_EQ(dlg->ParamSheet->currentWidget()->objectName(), "DupePnl");
  dlg->show();
  ASSERT_TRUE(test::Click(dlg->HelpBtn));
  EXPECT_EQ(test::LastOf(env.shell.opened), env.Root() + "Data/DE/Help/Dlg_Param.htm");
  env.userSettings.WriteString("Software\\Brimo\\Tavolin\\Assist", "3", "0");
  ToPage("AllgemeinPnl");
  ASSERT_TRUE(test::Click(dlg->ReShowAssisBtn));
  EXPECT_FALSE(env.userSettings.KeyExists("Software\\Brimo\\Tavolin\\Assist"));
  EXPECT_EQ(test::LastOf(env.messages.shown).text, GetLangText(21));
  EXPECT_EQ(test::LastOf(env.messages.shown).title, GetLangText(22));
  dlg->hide();
}

// Enter in a field ends the typing and does nothing else: the window has no default button.
// Escape closes it as Cancel does.
TEST_F(OptionsWindow, EnterInAFieldNeitherClosesNorStoresAndEscapeCancels) {
  Make();
  dlg->show();
  for (QPushButton* b : dlg->findChildren<QPushButton*>())
    EXPECT_FALSE(b->isDefault() || b->autoDefault()) << b->objectName().toStdString();
  const std::pair<const char*, QLineEdit*> fields[] = {{"VorgabenPnl", dlg->AutornameEdt},
                                                       {"VorgabenPnl", dlg->PersAnzEdt},
                                                       {"ExportPnl", dlg->MaxExportLength},
                                                       {"ToolsPnl", dlg->ToolTextEdt}};
  for (const auto& [page, field] : fields) {
    ToPage(page);
    Type(field, "7");
    EXPECT_FALSE(test::WhileModal([] {}, [] { test::PressKey(Qt::Key_Return); }));
    EXPECT_TRUE(dlg->isVisible()) << field->objectName().toStdString();
    EXPECT_TRUE(field->hasFocus());
  }
  ToPage("DupePnl");
  ASSERT_TRUE(test::Click(dlg->KBookOrderGrd));
  test::PressKey(Qt::Key_Enter);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(dlg->Str(10), "Tavolin!-Benutzer");
  test::PressKey(Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(dlg->Str(10), "Tavolin!-Benutzer");
  EXPECT_EQ(Param("AName"), "<none>");
}

TEST_F(OptionsWindow, Screenshots) {
  Make();
  dlg->show();
  for (int page : {0, 1, 3, 8}) {
    dlg->SelectParaPage(page);
    test::Shot(dlg.get(), "options_" + std::to_string(page) + "_DE");
  }
  dlg->hide();
}

class OptionsWindowEnglish : public OptionsWindow {
 protected:
  OptionsWindowEnglish() : OptionsWindow("EN") {}
};

TEST_F(OptionsWindowEnglish, Screenshots) {
  Make();
  dlg->show();
  for (int page : {0, 2, 4, 6, 7, 10}) {
    dlg->SelectParaPage(page);
    test::Shot(dlg.get(), "options_" + std::to_string(page) + "_EN");
  }
  dlg->hide();
}

}  // namespace
}  // namespace tav
