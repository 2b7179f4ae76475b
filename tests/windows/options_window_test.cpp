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
#include "window_test_support.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

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
  dlg->AutornameEdt->setText(toQ("Hanna M\xFCller"));
  dlg->EnergieChk->setChecked(true);
  dlg->PersAnzEdt->setText(toQ(" 6 Personen"));
  dlg->RezPrintLeftEdt->setText(toQ("15"));
  dlg->LexURLEdt->setText(toQ("https://example.org/suche?q=#"));
  dlg->DelAskChk->setChecked(false);
  dlg->MoveImportedRdb->setChecked(true);
  dlg->OKBtnClick();
  EXPECT_FALSE(dlg->isVisible());
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
  dlg->AutornameEdt->setText(toQ("Jemand"));
  dlg->EnergieChk->setChecked(true);
  dlg->GewPartLiBo->setCurrentRow(0);
  dlg->GewPartDownLiBoClick();
  dlg->NewBtnClick();
  dlg->ToolTextEdt->setText(toQ("Rechner"));
  dlg->reject();
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
    dlg->MaxExportLength->setText(toQ(c.text));
    dlg->OKBtnClick();
    EXPECT_EQ(dlg->Int(29), c.stored) << c.text;
  }
  EXPECT_EQ(dlg->Int(74), 100);  // a limit of 50 recipes is raised when OK stores it
  dlg->show();
  dlg->AppendKBookChk->setChecked(false);
  dlg->OKBtnClick();
  EXPECT_EQ(dlg->Int(74), 0);
  dlg->show();
  dlg->AppendKBookEdt->setText(toQ("250"));
  dlg->AppendKBookEdtChange();
  EXPECT_TRUE(dlg->AppendKBookChk->isChecked());
  dlg->OKBtnClick();
  EXPECT_EQ(dlg->Int(74), 250);
  // Title normalisation: off, all capitals, word by word.
  dlg->show();
  EXPECT_TRUE(dlg->ImpNormKleinChk->isChecked());
  dlg->NormalizeTitelChk->setChecked(false);
  dlg->OKBtnClick();
  EXPECT_EQ(dlg->Int(73), 0);
  dlg->show();
  dlg->ImpNormGrossChk->click();
  EXPECT_TRUE(dlg->NormalizeTitelChk->isChecked());
  dlg->OKBtnClick();
  EXPECT_EQ(dlg->Int(73), 1);
}

TEST_F(OptionsWindow, LanguagesAreListedByNameAndOKWithoutOneKeepsTheLanguage) {
  WriteAll(env.Root() + "Data/IT/Languages.dat", "IT#Italiano\r\n");
  WriteAll(env.Root() + "Data/XX/Languages.dat", "kein Trennzeichen\r\n");
  Make();
  EXPECT_EQ(dlg->LanguageCodes(), (std::vector<std::string>{"DE", "EN", "IT"}));
  dlg->show();
  EXPECT_EQ(fromQ(dlg->LangCoBo->currentText()), "Deutsch");
  dlg->LangCoBo->setCurrentIndex(1);
  dlg->OKBtnClick();
  EXPECT_EQ(Param("AktLanguage"), "EN");
  EXPECT_EQ(dlg->Str(51), "DE");  // from the next start on
  dlg->show();
  EXPECT_EQ(fromQ(dlg->LangCoBo->currentText()), "English");
  dlg->LangCoBo->setCurrentIndex(-1);
  dlg->OKBtnClick();
  EXPECT_EQ(Param("AktLanguage"), "EN");
  // Without EN/Languages.dat no language is listed.
  RemoveFile(env.Root() + "Data/EN/Languages.dat");
  dlg->LoadLanguageList();
  EXPECT_TRUE(dlg->LanguageCodes().empty());
  EXPECT_EQ(dlg->LangCoBo->count(), 0);
}

TEST_F(OptionsWindow, TemplatesAndTheTargetFrame) {
  env.userSettings.WriteString(kRegParam, "HTMLQExpTempl", "Fehlt.html");
  Make();
  dlg->show();
  EXPECT_EQ(dlg->HTMLExpTemplCoBo->count(), 3);
  EXPECT_EQ(fromQ(dlg->HTMLExpTemplCoBo->currentText()), "ViewTPL.html");
  EXPECT_EQ(dlg->HTMLQExpTemplCoBo->currentIndex(), -1);
  EXPECT_FALSE(dlg->HTMLLinkListChk->isEnabled());  // the default target frame is set
  dlg->TargetFrameEdt->clear();
  EXPECT_TRUE(dlg->HTMLLinkListChk->isEnabled());
  dlg->HTMLExpTemplCoBo->setCurrentIndex(dlg->HTMLExpTemplCoBo->findText(toQ("Karte.html")));
  dlg->OKBtnClick();
  EXPECT_EQ(dlg->Str(57), "Karte.html");
  EXPECT_EQ(dlg->Str(58), "Fehlt.html");  // an unknown template keeps its name
  EXPECT_EQ(dlg->Str(34), "");
}

TEST_F(OptionsWindow, WeightChartPartsMoveAndAreStoredByOK) {
  Make();
  dlg->show();
  ASSERT_EQ(dlg->GewPartLiBo->count(), 6);
  EXPECT_EQ(fromQ(dlg->GewPartLiBo->item(0)->text()), GetLangText(619));
  dlg->GewPartLiBo->setCurrentRow(0);
  dlg->GewPartUpLiBoClick();  // the top row cannot move up
  dlg->GewPartLiBo->setCurrentRow(5);
  dlg->GewPartDownLiBoClick();  // nor the bottom row down
  EXPECT_EQ(dlg->WeightChartText(), "+0+1+2+3+4+5");
  dlg->GewPartLiBo->setCurrentRow(0);
  dlg->GewPartDownLiBoClick();
  EXPECT_EQ(dlg->GewPartLiBo->currentRow(), 1);
  EXPECT_EQ(fromQ(dlg->GewPartLiBo->item(1)->text()), GetLangText(619));
  dlg->GewPartLiBo->item(5)->setCheckState(Qt::Unchecked);
  dlg->OKBtnClick();
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
  ASSERT_EQ(dlg->KBookOrderGrd->rowCount(), 2);
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 0, 0), "Suppen");
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 0, 1), GetLangText(424));
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 1, 0), "Backen");
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 1, 1), GetLangText(423));
  dlg->KBookOrderGrd->selectRow(1);
  EXPECT_TRUE(dlg->KBookWrPrChk->isChecked());
  dlg->OrderUpBtnClick();
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 0, 0), "Backen");
  EXPECT_EQ(dlg->KBookOrderGrd->currentRow(), 0);
  dlg->KBookWrPrChk->setChecked(false);
  dlg->KBookWrPrChkClick();
  EXPECT_EQ(Cell(dlg->KBookOrderGrd, 0, 1), GetLangText(424));
  dlg->OKBtnClick();
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
  EXPECT_EQ(fromQ(dlg->ToolListGrd->horizontalHeaderItem(1)->text()), GetLangText(25));
  EXPECT_EQ(fromQ(dlg->ToolPathEdt->text()), "/usr/bin/editor.exe");
  dlg->NewBtnClick();
  dlg->ToolTextEdt->setText(toQ("Notizen"));
  dlg->chooseToolFile = [&](const std::string& folder, std::string& path) {
    EXPECT_EQ(folder, "");
    path = "/home/notizen.txt";
    return true;
  };
  dlg->SearchToolBtnClick();
  EXPECT_EQ(Cell(dlg->ToolListGrd, 1, 1), "/home/notizen.txt");
  dlg->ToolUpBtnClick();
  EXPECT_EQ(Cell(dlg->ToolListGrd, 0, 0), "Notizen");
  EXPECT_EQ(dlg->ToolListGrd->currentRow(), 0);
  for (int i = 0; i < 25; ++i) dlg->NewBtnClick();
  EXPECT_EQ(dlg->ToolListGrd->rowCount(), 20);  // at most twenty tools
  dlg->OKBtnClick();
  EXPECT_EQ(Param("Tools"), "1");
  EXPECT_EQ(Param("Tool0"), "Notizen");
  EXPECT_EQ(Param("ToolC0"), "");
  EXPECT_EQ(Param("Tool1"), "Editor");
  EXPECT_EQ(Param("Tool2"), "");  // empty rows are not stored
  EXPECT_EQ(dlg->tools.size(), 2u);
  // A tool that cannot be started opens the window on its page.
  env.launcher.succeed = false;
  int page = -1;
  QTimer::singleShot(0, dlg.get(), [&] {
    page = dlg->ParamSheet->currentIndex();
    dlg->reject();
  });
  dlg->StartToolOrAsk("Editor");
  EXPECT_EQ(dlg->ParamSheet->widget(page)->objectName(), "ToolsPnl");
  // Deleting down to one row leaves one empty row.
  dlg->show();
  dlg->DelBtnClick();
  dlg->DelBtnClick();
  EXPECT_EQ(dlg->ToolListGrd->rowCount(), 1);
  EXPECT_EQ(Cell(dlg->ToolListGrd, 0, 0), "");
  dlg->OKBtnClick();
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
  EXPECT_EQ(Texts(dlg->StoffChLiBo),
            (std::vector<std::string>{"Energie", "Fett", "Eiwei\xDF"}));
  EXPECT_EQ(dlg->StoffChLiBo->item(1)->checkState(), Qt::Checked);
  dlg->StoffChLiBo->item(0)->setCheckState(Qt::Checked);
  dlg->OKBtnClick();
  EXPECT_EQ(dlg->blsRezStoffe, (std::vector<int32_t>{0, 2}));
  EXPECT_EQ(Param("BLSRezStoff_2"), "-1");
  ctx().nutrients = nullptr;

  dlg->SelectParaPage(9);
  EXPECT_EQ(dlg->ParamSheet->currentWidget()->objectName(), "DupePnl");
  dlg->SelectParaPage(11);
  EXPECT_EQ(dlg->ParamSheet->currentWidget()->objectName(), "DupePnl");
  dlg->HelpBtnClick();
  EXPECT_EQ(env.shell.opened.back(), env.Root() + "Data/DE/Help/Dlg_Param.htm");
  env.userSettings.WriteString("Software\\Brimo\\Tavolin\\Assist", "3", "0");
  dlg->ReShowAssisBtnClick();
  EXPECT_FALSE(env.userSettings.KeyExists("Software\\Brimo\\Tavolin\\Assist"));
  EXPECT_EQ(env.messages.shown.back().text, GetLangText(21));
  EXPECT_EQ(env.messages.shown.back().title, GetLangText(22));
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
