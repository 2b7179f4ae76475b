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

#include "app/ui/lang_dialog.h"
#include "support/test_env.h"

namespace tav {
namespace {

std::string Ctrl(const std::string& name, int l, int t, int w, int h, const std::string& cls,
                 const std::string& text) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%4d,%4d,%4d,%4d", l, t, w, h);
  std::string line = name;
  line.resize(18, ' ');
  line += std::string("#") + buf + " #";
  std::string c = cls;
  c.resize(16, ' ');
  return line + c + "#\"" + text;
}

std::string Head(char kind, const std::string& form, const std::string& rest) {
  std::string line(1, kind);
  line += form;
  line.resize(18, ' ');
  return line + "#" + rest;
}

std::string Item(const std::string& name, const std::string& rest) {
  std::string line = name;
  line.resize(18, ' ');
  return line + "#\"" + rest;
}

template <typename W>
W* Named(QWidget* parent, const char* name) {
  auto* w = new W(parent);
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

TEST(TLangDlg, TranslatesAFormByItsLines) {
  test::TestEnv env;
  TLangDlg lang;
  lang.SetDialogBaseUnits(4, 8);
  lang.Parse({Head('#', "TestDlg", "\"Einstellungen f\xFCr K\xE4se"),
              Ctrl("OKBtn", 10, 20, 30, 40, "TButton", "&OK"),
              Ctrl("Free", 1, 2, 3, 4, "TLabel", "frei"),
              Ctrl("Combo", 0, 0, 50, 12, "TComboBox", "ignored"),
              Ctrl("Group", 0, 0, 80, 40, "TGroupBox", "Gruppe"),
              Ctrl("Inner", 0, 0, 10, 10, "TCheckBox", "innen"),
              Ctrl("LabelGroup", 0, 0, 10, 10, "TLabel", "als Label"),
              Ctrl("Inner2", 0, 0, 10, 10, "TCheckBox", "nie"),
              Ctrl("Pages", 0, 0, 100, 100, "TPageControl", "Eins|Zwei"),
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
  lang.Parse({Head('$', "MainFrm", "MainMenu"), Item("FileItem", "&Datei"),
              Item("NewItem", "&Neu\"#\"78\"#\"Neues Rezept Ctrl"),
              Item("HelpItem", "Hilfe\"#\"112\"#\"Hilfe"), Item("NoKey", "Ohne\"#\"\"#\"x"),
              Item("BigKey", "Gross\"#\"300\"#\"x"), Head('%', "MainFrm", ""),
              Item("NewBtn", "Neu\"#\"  Neues Rezept anlegen"), "~"});
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
  EXPECT_EQ(newItem->statusTip(), "  Neues Rezept Ctrl");
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
