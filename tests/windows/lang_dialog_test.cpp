#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"
#include "support/lang_lines.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::CtrlLine;
using test::HeaderLine;
using test::ItemLine;

TEST(TLangDlg, TranslatesAFormByItsLines) {
  test::TestEnv env;
  TLangDlg lang;
  lang.SetDialogBaseUnits(4, 8);
  lang.Parse({HeaderLine('#', "TestDlg", "\"Einstellungen f\xFCr K\xE4se"),
              CtrlLine("OKBtn", 10, 20, 30, 40, "TButton", "&OK"),
              CtrlLine("Free", 1, 2, 3, 4, "TLabel", "frei"),
              CtrlLine("Combo", 0, 0, 50, 12, "TComboBox", "ignored"),
              CtrlLine("Group", 0, 0, 80, 40, "TGroupBox", "Gruppe"),
              CtrlLine("Inner", 0, 0, 10, 10, "TCheckBox", "innen"),
              CtrlLine("LabelGroup", 0, 0, 10, 10, "TLabel", "als Label"),
              CtrlLine("Inner2", 0, 0, 10, 10, "TCheckBox", "nie"),
              CtrlLine("Pages", 0, 0, 100, 100, "TPageControl", "Eins|Zwei"),
              "~"});
  QWidget form;
  form.setObjectName("TestDlg");
  auto* layout = new QVBoxLayout(&form);
  auto* ok = Named<QPushButton>(&form, "OKBtn");
  layout->addWidget(ok);
  auto* combo = Named<QComboBox>(&form, "Combo");
  combo->addItems({"a", "b"});
  layout->addWidget(combo);
  auto* group = Named<QGroupBox>(&form, "Group");
  layout->addWidget(group);
  auto* inner = Named<QCheckBox>(group, "Inner");
  auto* labelGroup = Named<QGroupBox>(&form, "LabelGroup");
  layout->addWidget(labelGroup);
  auto* inner2 = Named<QCheckBox>(labelGroup, "Inner2");
  inner2->setText("design");
  auto* pages = Named<QTabWidget>(&form, "Pages");
  pages->addTab(new QWidget, "p0");
  pages->addTab(new QWidget, "p1");
  pages->addTab(new QWidget, "p2");
  layout->addWidget(pages);
  auto* free = Named<QLabel>(&form, "Free");  // not in the layout

  lang.TranslateForm(&form);
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Einstellungen f\xC3\xBCr K\xC3\xA4se"));
  EXPECT_EQ(ok->text(), "&OK");
  // A control in a layout takes the size as its minimum; a free one takes all four bounds.
  EXPECT_EQ(ok->minimumSize(), QSize(30, 40));
  EXPECT_EQ(free->geometry(), QRect(1, 2, 3, 4));
  EXPECT_EQ(free->text(), "frei");
  EXPECT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->currentText(), "a");
  EXPECT_EQ(group->title(), "Gruppe");
  EXPECT_EQ(inner->text(), "innen");
  EXPECT_EQ(labelGroup->title(), "als Label");
  EXPECT_EQ(inner2->text(), "design");  // a TLabel line does not descend
  EXPECT_EQ(pages->tabText(0), "Eins");
  EXPECT_EQ(pages->tabText(1), "Zwei");
  EXPECT_EQ(pages->tabText(2), "p2");
}

TEST(TLangDlg, UnknownFormsKeepTheirTexts) {
  test::TestEnv env;
  TLangDlg lang;
  lang.Parse({"~"});
  QWidget form;
  form.setObjectName("Nobody");
  form.setWindowTitle("built in");
  lang.TranslateForm(&form);
  lang.TranslateForm(nullptr);
  EXPECT_EQ(form.windowTitle(), "built in");
}

TEST(TLangDlg, TranslatesMenusWithShortCutsAndToolBars) {
  test::TestEnv env;
  TLangDlg lang;
  lang.Parse({HeaderLine('$', "MainFrm", "MainMenu"), ItemLine("FileItem", "&Datei"),
              ItemLine("NewItem", "&Neu\"#\"78 Ctrl\"#\"Neues Rezept, Alt und Shift"),
              ItemLine("HelpItem", "Hilfe\"#\"112\"#\"Hilfe"), ItemLine("NoKey", "Ohne\"#\"\"#\"x"),
              ItemLine("BigKey", "Gross\"#\"300\"#\"x"), HeaderLine('%', "MainFrm", ""),
              ItemLine("NewBtn", "Neu\"#\"  Neues Rezept anlegen"), "~"});
  QWidget window;
  auto* bar = new QMenuBar(&window);
  bar->setObjectName("MainMenu");
  QMenu* file = bar->addMenu("File");
  file->menuAction()->setObjectName("FileItem");
  auto add = [&](const char* name, const char* text, QKeySequence key) {
    QAction* a = file->addAction(text);
    a->setObjectName(name);
    a->setShortcut(key);
    return a;
  };
  QAction* newItem = add("NewItem", "New", QKeySequence());
  file->addSeparator();
  QAction* help = add("HelpItem", "Help", QKeySequence());
  QAction* noKey = add("NoKey", "NoKey", QKeySequence("Ctrl+K"));
  QAction* bigKey = add("BigKey", "Big", QKeySequence("Ctrl+B"));
  QAction* missing = add("Missing", "Design", QKeySequence("Ctrl+M"));
  auto* tools = new QToolBar(&window);
  QAction* newBtn = tools->addAction("n");
  newBtn->setObjectName("NewBtn");

  lang.TranslateMenu("MainFrm", bar);
  lang.TranslateToolBar("MainFrm", tools);
  EXPECT_EQ(file->menuAction()->text(), "&Datei");
  EXPECT_EQ(newItem->text(), "&Neu");
  EXPECT_EQ(newItem->statusTip(), "  Neues Rezept, Alt und Shift");
  // The key field's word counts; the words of the hint do not.
  EXPECT_EQ(newItem->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
  EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
  EXPECT_TRUE(noKey->shortcut().isEmpty());   // an empty key field removes the short-cut
  EXPECT_TRUE(bigKey->shortcut().isEmpty());  // codes above 255 give none
  EXPECT_EQ(missing->text(), "Design");
  EXPECT_EQ(missing->shortcut(), QKeySequence("Ctrl+M"));
  EXPECT_EQ(newBtn->text(), "Neu");
  EXPECT_EQ(newBtn->toolTip(), "Neues Rezept anlegen");
}

}  // namespace
}  // namespace tav
