// Switching the language in the options window: after a restart every window shows the
// English texts, none of the German ones of the language file.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <set>

#include "app/ui/main_window.h"
#include "app/ui/options_dialog.h"
#include "app/ui/startup.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/ui/category_dialog.h"
#include "recipedb/ui/cookbook_dialog.h"
#include "recipedb/ui/ingredients_dialog.h"
#include "recipedb/ui/statistics_dialog.h"
#include "recipedb/ui/units_dialog.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

// Every text a language file gives: form captions and control texts (page and tab lists split
// at '|'), menu captions and hints, tool-button captions and hints, and the messages.
std::set<QString> FileTexts(const std::string& path) {
  std::set<QString> texts;
  std::vector<std::string> lines;
  ReadTextLines(path, lines);
  bool messages = false;
  char section = '#';
  auto add = [&](std::string text) {
    if (!text.empty() && text.back() == '"') text.pop_back();
    size_t pos = 0;
    for (;;) {
      const size_t bar = text.find('|', pos);
      const std::string part = text.substr(pos, bar == std::string::npos ? bar : bar - pos);
      if (!part.empty()) texts.insert(toQ(part));
      if (bar == std::string::npos) break;
      pos = bar + 1;
    }
  };
  auto addItem = [&](const std::string& rest) {  // caption"#"key"#"hint
    const std::string sep = "\"#\"";
    const size_t a = rest.find(sep);
    add(rest.substr(0, a));
    if (a == std::string::npos) return;
    const size_t b = rest.find(sep, a + 3);
    if (b != std::string::npos) add(rest.substr(b + 3));
    else add(rest.substr(a + 3));
  };
  for (const std::string& line : lines) {
    if (line.empty() || line[0] == '/') continue;
    if (line[0] == '~') {
      messages = true;
      continue;
    }
    if (messages) {
      if (line[0] == '0' && line.size() > 7) add(line.substr(7));
      continue;
    }
    if (line[0] == '#' || line[0] == '$' || line[0] == '%') {
      section = line[0];
      if (section == '#' && line.size() > 20) add(line.substr(20));
      continue;
    }
    if (section == '#' && line.size() > 58) add(line.substr(58));
    if (section != '#' && line.size() > 20) addItem(line.substr(20));
  }
  return texts;
}

// What a widget shows.
std::vector<QString> ShownTexts(QWidget* w) {
  std::vector<QString> out;
  if (w->isWindow()) out.push_back(w->windowTitle());
  out.push_back(w->toolTip());
  if (auto* l = qobject_cast<QLabel*>(w)) out.push_back(l->text());
  if (auto* b = qobject_cast<QAbstractButton*>(w)) out.push_back(b->text());
  if (auto* g = qobject_cast<QGroupBox*>(w)) out.push_back(g->title());
  if (auto* e = qobject_cast<QLineEdit*>(w)) out.push_back(e->placeholderText());
  if (auto* t = qobject_cast<QTabBar*>(w))
    for (int i = 0; i < t->count(); ++i) out.push_back(t->tabText(i));
  if (auto* c = qobject_cast<QComboBox*>(w))
    for (int i = 0; i < c->count(); ++i) out.push_back(c->itemText(i));
  if (auto* l = qobject_cast<QListWidget*>(w))
    for (int i = 0; i < l->count(); ++i) out.push_back(l->item(i)->text());
  if (auto* t = qobject_cast<QTableWidget*>(w)) {
    for (int c = 0; c < t->columnCount(); ++c)
      if (t->horizontalHeaderItem(c)) out.push_back(t->horizontalHeaderItem(c)->text());
    for (int r = 0; r < t->rowCount(); ++r)
      for (int c = 0; c < t->columnCount(); ++c)
        if (t->item(r, c)) out.push_back(t->item(r, c)->text());
  }
  for (QAction* a : w->actions()) {
    out.push_back(a->text());
    out.push_back(a->toolTip());
    out.push_back(a->statusTip().trimmed());
  }
  if (auto* m = qobject_cast<QMenu*>(w)) out.push_back(m->title());
  return out;
}

class LanguageSwitch : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgramFolder(program.Path());
    for (const char* lang : {"DE", "EN"})
      for (const char* file : {"GUI.klf", "Assist.dat", "Languages.dat", "Gattung.dat",
                               "einheit.dat", "zutaten.dat"})
        WriteAll(env.Root() + "Data/" + lang + "/" + file,
                 ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/" + file));
    // The food table: the food windows are translated once its files are read.
    for (const char* file : {"DE/Fields.bls", "DE/Structure.bls", "DE/Index.bls", "DE/Names.bls",
                             "EN/Fields.bls", "EN/Structure.bls", "EN/Index.bls", "EN/Names.bls",
                             "Data.bls"})
      WriteAll(env.Root() + "Data/" + file,
               ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + file));
    env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
  }
  void TearDown() override {
    DestroyAllWindows();
    SetProgramFolder(savedProgram);
  }
  void Start() {
    StartProgram();
    QApplication::processEvents();
  }

  test::TestEnv env;
  test::TempDir program;
  std::string savedProgram = ProgramFolder();
};

// The German texts of the language file (those the English file does not hold too) that the
// built windows show, with the window and control showing each.
std::set<QString> GermanTextsShown(const std::string& root, int& looked) {
  // The windows fill some of their texts when they are shown.
  StatistikDlg->ComputeStatistics();
  const std::initializer_list<QWidget*> windows = {KBookDlg, GattDlg, ZutatenDlg, EinheitenDlg,
                                                   StatistikDlg, ParaDlg};
  for (QWidget* w : windows) w->show();
  for (int page = 0; page <= 10; ++page) ParaDlg->SelectParaPage(page);
  QApplication::processEvents();
  const std::set<QString> german = FileTexts(root + "Data/DE/GUI.klf");
  const std::set<QString> english = FileTexts(root + "Data/EN/GUI.klf");
  looked = 0;
  std::set<QString> found;
  for (QWidget* w : QApplication::allWidgets()) {
    for (const QString& text : ShownTexts(w)) {
      if (text.isEmpty()) continue;
      ++looked;
      if (!german.count(text) || english.count(text)) continue;
      QString owner = w->objectName();
      for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (p->isWindow()) owner = p->objectName() + "." + owner;
      found.insert(owner + ": " + text);
    }
  }
  for (QWidget* w : windows) w->hide();
  return found;
}

TEST_F(LanguageSwitch, EnglishChosenInTheOptionsShowsEveryWindowInEnglishAfterARestart) {
  Start();
  int looked = 0;
  EXPECT_GT(GermanTextsShown(env.Root(), looked).size(), 500u);  // the walk sees German
  ParaDlg->show();
  const std::vector<std::string>& codes = ParaDlg->LanguageCodes();
  const auto en = std::find(codes.begin(), codes.end(), "EN");
  ASSERT_NE(en, codes.end());
  EXPECT_EQ(fromQ(ParaDlg->LangCoBo->currentText()), "Deutsch");
  ParaDlg->LangCoBo->setCurrentIndex(static_cast<int>(en - codes.begin()));
  ParaDlg->OKBtnClick();
  EXPECT_EQ(env.userSettings.Read(kRegParam, "AktLanguage"), "EN");
  DestroyAllWindows();

  Start();
  EXPECT_EQ(ctx().options->Str(51), "EN");
  ZutatenDlg->show();
  ZutatenDlg->NeuBtnClick();  // the name of a new ingredient is a language text too
  for (const QString& f : GermanTextsShown(env.Root(), looked))
    ADD_FAILURE() << "German text: " << f.toStdString();
  EXPECT_GT(looked, 1000);
}

TEST_F(LanguageSwitch, TheToolsOfTheOptionsFollowTheFixedItemsOfTheToolsMenu) {
  env.userSettings.WriteString(kRegParam, "Tool0", "Rechner");
  env.userSettings.WriteString(kRegParam, "ToolP0", "/usr/bin/rechner.exe");
  Start();
  QList<QAction*> items = MainFrm->ToolsMenu->actions();
  ASSERT_EQ(items.size(), 10);
  EXPECT_EQ(items[7]->objectName(), "AddToolsMnu");
  EXPECT_EQ(fromQ(items[9]->text()), "Rechner");
  items[9]->trigger();
  ASSERT_EQ(env.launcher.started.size(), 1u);
  EXPECT_EQ(env.launcher.started[0].program, "/usr/bin/rechner.exe");
  ParaDlg->SaveTools({{"Notizen", "/home/notizen.txt", ""}, {"Uhr", "/usr/bin/uhr.exe", "-s"}});
  ParaDlg->RebuildToolsMenu();
  items = MainFrm->ToolsMenu->actions();
  ASSERT_EQ(items.size(), 11);
  EXPECT_EQ(fromQ(items[9]->text()), "Notizen");
  EXPECT_EQ(fromQ(items[10]->toolTip()), "/usr/bin/uhr.exe");
}

}  // namespace
}  // namespace tav
