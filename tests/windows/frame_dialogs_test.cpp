// The small windows of the application frame: tips, about box and the context list box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <map>

#include "app/ui/about_dialog.h"
#include "app/ui/tips_dialog.h"
#include "platform/settings_store.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/context_list_box.h"
#include "services/web_addresses.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

const char* const kAssist = "Software\\Brimo\\Tavolin\\Assist";

class Tips : public ::testing::Test {
 protected:
  test::TestEnv env;
  std::unique_ptr<TAssistDlg> dlg;

  void Make(const std::string& file) {
    if (!file.empty()) WriteAll(env.Root() + "Data/DE/Assist.dat", file);
    env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
    env.Options();
    dlg = std::make_unique<TAssistDlg>();
  }
  std::string Switch(const std::string& name) { return env.userSettings.Read(kAssist, name, "-"); }
};

const std::string kFiveTips = "5\r\nnull\r\neins\r\nzwei\\ndrei\r\nvier\r\nf\xFCnf\r\n";

TEST_F(Tips, AOneTimeHintIsShownOnce) {
  Make(kFiveTips);
  dlg->ShowTip(2, 2);
  ASSERT_TRUE(dlg->isVisible());
  EXPECT_EQ(dlg->TextEdt->toPlainText(), "zwei\ndrei");
  EXPECT_TRUE(dlg->NextTipChk->isChecked());
  EXPECT_TRUE(dlg->StartTipChk->isChecked());
  dlg->close();
  EXPECT_EQ(Switch("2"), "0");
  EXPECT_EQ(Switch("StartTip"), "1");
  dlg->ShowTip(2, 2);
  EXPECT_FALSE(dlg->isVisible());
}

TEST_F(Tips, AlwaysModeShowsASwitchedOffTipAndCanSwitchItOnAgain) {
  env.userSettings.WriteString(kAssist, "4", "0");
  Make(kFiveTips);
  dlg->ShowTip(4, 0);
  EXPECT_FALSE(dlg->isVisible());
  dlg->ShowTip(4, 1);
  ASSERT_TRUE(dlg->isVisible());
  EXPECT_EQ(dlg->TextEdt->toPlainText(), QString::fromUtf8("f\xC3\xBCnf"));
  EXPECT_TRUE(dlg->NextTipChk->isChecked());
  dlg->NextTipChk->setChecked(false);
  dlg->StartTipChk->setChecked(false);
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(dlg->TextEdt, &esc);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(Switch("4"), "1");
  EXPECT_EQ(Switch("StartTip"), "0");
}

TEST_F(Tips, WithoutShowAssistOnlyTheAlwaysModesShow) {
  Make(kFiveTips);
  ctx().options->SetParaBool(12, false);
  dlg->ShowTip(0, 3);
  EXPECT_FALSE(dlg->isVisible());
  dlg->ShowTip(1, 2);
  EXPECT_FALSE(dlg->isVisible());
  dlg->ShowTip(3, 1);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(dlg->TextEdt->toPlainText(), "vier");
}

TEST_F(Tips, TheRandomTipDiffersFromTheCurrentOne) {
  Make(kFiveTips);
  for (int i = 0; i < 20; ++i) {
    const uint16_t before = dlg->CurrentTip();
    dlg->ShowTip(before, 3);
    EXPECT_NE(dlg->CurrentTip(), before);
    EXPECT_LT(dlg->CurrentTip(), 5);
    EXPECT_TRUE(dlg->isVisible());
  }
  const uint16_t shown = dlg->CurrentTip();
  dlg->NextTipChk->setChecked(true);
  dlg->nextTipBtnClick();
  EXPECT_EQ(Switch(std::to_string(shown)), "0");
  EXPECT_NE(dlg->CurrentTip(), shown);
}

TEST_F(Tips, FilesWithFewerThanTwoTipsEnd) {
  Make("1\r\nder einzige\r\n");
  dlg->ShowTip(0, 3);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(dlg->TextEdt->toPlainText(), "der einzige");
  dlg->close();
  dlg.reset();
  WriteAll(env.Root() + "Data/DE/Assist.dat", "0\r\n");
  dlg = std::make_unique<TAssistDlg>();
  EXPECT_EQ(dlg->TipCount(), 0);
  dlg->ShowTip(0, 3);
  dlg->ShowTip(0, 1);
  EXPECT_FALSE(dlg->isVisible());
}

TEST_F(Tips, AMissingFileShowsNothing) {
  Make("");
  EXPECT_EQ(dlg->TipCount(), 1);
  dlg->ShowTip(0, 3);
  dlg->ShowTip(4, 1);
  EXPECT_FALSE(dlg->isVisible());
}

TEST_F(Tips, ATipPastTheCountKeepsTheTextItHad) {
  Make(kFiveTips);
  dlg->ShowTip(1, 1);
  EXPECT_EQ(dlg->TextEdt->toPlainText(), "eins");
  dlg->ShowTip(5, 1);  // equal to the count
  EXPECT_EQ(dlg->TextEdt->toPlainText(), "eins");
  dlg->ShowTip(20, 1);
  EXPECT_EQ(dlg->TextEdt->toPlainText(), "eins");
}

TEST_F(Tips, NextButtonOnlyWhileATipIsOn) {
  for (int i = 0; i < 5; ++i) env.userSettings.WriteString(kAssist, std::to_string(i), "0");
  Make(kFiveTips);
  dlg->ShowTip(1, 1);
  EXPECT_FALSE(dlg->nextTipBtn->isVisible());
  dlg->close();
  env.userSettings.WriteString(kAssist, "3", "1");
  dlg->ShowTip(1, 1);
  EXPECT_TRUE(dlg->nextTipBtn->isVisible());
}

TEST_F(Tips, SwitchedOffWhileTheExportWindowOpens) {
  Make(kFiveTips);
  dlg->EnableTips(false);
  dlg->ShowTip(1, 1);
  EXPECT_FALSE(dlg->isVisible());
  dlg->EnableTips(true);
  dlg->ShowTip(1, 1);
  EXPECT_TRUE(dlg->isVisible());
}

// A tip about a window that is not built yet ships as an empty line: it is never shown, and the
// random tip passes over it. Both languages ship the same tips.
TEST(ShippedTips, BothLanguagesHoldEnoughTipsForEveryCaller) {
  std::map<std::string, std::vector<bool>> shipped;
  for (const char* lang : {"DE", "EN"}) {
    test::TestEnv env;
    WriteAll(env.Root() + "Data/" + lang + "/Assist.dat",
             ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/Assist.dat"));
    env.userSettings.WriteString(kRegParam, "AktLanguage", lang);
    env.Options();
    TAssistDlg dlg;
    EXPECT_GE(dlg.TipCount(), 26) << lang;  // windows ask for tips up to 25
    for (int tip = 0; tip < dlg.TipCount(); ++tip) {
      dlg.TextEdt->clear();
      dlg.ShowTip(static_cast<uint16_t>(tip), 1);
      const bool shown = dlg.isVisible();
      shipped[lang].push_back(shown);
      if (shown) {
        EXPECT_GT(dlg.TextEdt->toPlainText().size(), 40) << lang << " tip " << tip;
      }
      dlg.close();
    }
    // The editor's tip and the help menu's are about what is built.
    EXPECT_TRUE(shipped[lang].at(1)) << lang;
    EXPECT_TRUE(shipped[lang].at(4)) << lang;
    // Export, cookbooks and own tools exist, so their tips ship again.
    for (int tip : {3, 17, 30}) EXPECT_TRUE(shipped[lang].at(tip)) << lang << " tip " << tip;
    EXPECT_GE(std::count(shipped[lang].begin(), shipped[lang].end(), true), 10) << lang;
    // The tip at start is always one that ships.
    for (int i = 0; i < 40; ++i) {
      dlg.ShowTip(0, 3);
      EXPECT_TRUE(dlg.isVisible()) << lang;
      EXPECT_TRUE(shipped[lang].at(dlg.CurrentTip())) << lang << " tip " << dlg.CurrentTip();
      dlg.close();
    }
  }
  EXPECT_EQ(shipped["DE"], shipped["EN"]);
}

class About : public ::testing::Test {
 protected:
  test::TestEnv env;
  TToolsMod tools;
  std::unique_ptr<TInfoDlg> dlg;
  void SetUp() override {
    ctx().tools = &tools;
    env.LoadLanguage("DE");
    env.Options();
    dlg = std::make_unique<TInfoDlg>();
  }
  void Click(QWidget* w) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
  }
};

TEST_F(About, ShowsVersionAndDataRoot) {
  EXPECT_EQ(dlg->VersionTxt->text(), "Release 1.00  (Build 1)");
  dlg->show();
  EXPECT_EQ(dlg->DataPathEdt->text().toStdString(), " " + GetLangText(757) + env.Root());
  EXPECT_TRUE(dlg->N1Img->isVisibleTo(dlg.get()));
  EXPECT_FALSE(dlg->N2Img->isVisibleTo(dlg.get()));
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(dlg->N1Img, &enter);
  EXPECT_TRUE(dlg->N2Img->isVisibleTo(dlg.get()));
  EXPECT_FALSE(dlg->N1Img->isVisibleTo(dlg.get()));
}

TEST_F(About, LinksOpenTheirPagesAndClicksClose) {
  dlg->show();
  Click(dlg->CookMLBmp);
  EXPECT_TRUE(dlg->isVisible());
  Click(dlg->URLTxt);
  EXPECT_FALSE(dlg->isVisible());
  ASSERT_EQ(env.shell.opened.size(), 2u);
  EXPECT_EQ(env.shell.opened[0], kCookMLPage);
  EXPECT_EQ(env.shell.opened[1], kMakerWebSite);
  dlg->show();
  Click(dlg->VersionTxt);
  EXPECT_FALSE(dlg->isVisible());
  dlg->show();
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QApplication::sendEvent(dlg.get(), &key);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(env.shell.opened.size(), 2u);
}

TEST_F(About, TheLogoAnimationRunsFrameByFrame) {
  WriteAll(env.Root() + "Pics/Zutaten/Brimo.bmp",
           ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Pics/Zutaten/Brimo.bmp"));
  dlg->show();
  dlg->Timer1->stop();
  dlg->PlayAnimation();
  ASSERT_TRUE(dlg->AnimationRunning());
  EXPECT_FALSE(dlg->BrimoBmp->logoShown);
  int ticks = 0;
  while (!dlg->BrimoBmp->logoShown && ticks < 1000) {
    dlg->Timer1Timer();
    ++ticks;
  }
  // The line's first frame comes at once, then one tick for each of its other 114 frames, 47
  // and 28 for the two halves, two for each of the five sign frames, and one that ends it.
  EXPECT_EQ(ticks, 114 + 47 + 28 + 10 + 1);
  EXPECT_FALSE(dlg->AnimationRunning());
  EXPECT_FALSE(dlg->Timer1->isActive());
  // The canvas holds the logo's upper rows as the animation left them.
  EXPECT_EQ(dlg->BrimoBmp->canvas.pixel(5, 50), dlg->BrimoBmp->bitmap.pixel(5, 50));
}

TEST_F(About, WithoutTheLogoFileTheBoxStaysUsable) {
  dlg->show();
  dlg->PlayAnimation();
  EXPECT_FALSE(dlg->AnimationRunning());
  EXPECT_FALSE(dlg->Timer1->isActive());
  dlg->CloseBtn->click();
  EXPECT_FALSE(dlg->isVisible());
}

class ListBox : public ::testing::Test {
 protected:
  TContextListBox list;
  QMenu menu;
  std::vector<int> popups;
  void SetUp() override {
    for (int i = 0; i < 5; ++i) list.addItem(QStringLiteral("Rezept %1").arg(i));
    list.resize(200, 300);
    list.SetMultiSelect(true);
    list.SetPopupMenu(&menu);
    list.OnPopup = [this](TContextListBox*, int index) { popups.push_back(index); };
    list.show();
  }
  void RightClick(int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const QPoint p = row >= 0 ? list.visualItemRect(list.item(row)).center()
                              : QPoint(10, list.viewport()->height() - 5);
    QMouseEvent e(QEvent::MouseButtonPress, p, list.viewport()->mapToGlobal(p), Qt::RightButton,
                  Qt::RightButton, mods);
    QApplication::sendEvent(list.viewport(), &e);
  }
  std::vector<int> Selected() const {
    std::vector<int> rows;
    for (int i = 0; i < list.count(); ++i)
      if (list.item(i)->isSelected()) rows.push_back(i);
    return rows;
  }
};

TEST_F(ListBox, RightClickSelectsTheItemUnderTheMouse) {
  std::vector<int> downs;
  list.OnOwnMouseDown = [&](TContextListBox*, Qt::MouseButton b, Qt::KeyboardModifiers, QPoint) {
    downs.push_back(b == Qt::RightButton ? static_cast<int>(list.selectedItems().size()) : -1);
  };
  list.item(1)->setSelected(true);
  RightClick(3);
  EXPECT_EQ(downs, std::vector<int>{1});  // called before the selection changes
  EXPECT_EQ(Selected(), std::vector<int>{3});
  EXPECT_EQ(list.currentRow(), 3);
  EXPECT_EQ(popups, std::vector<int>{3});
}

TEST_F(ListBox, RightClickKeepsASelectionOfSeveral) {
  for (int r : {0, 1, 2}) list.item(r)->setSelected(true);
  RightClick(4);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(popups, std::vector<int>{4});
}

TEST_F(ListBox, ModifiersOrEmptySpaceLeaveTheSelection) {
  list.item(1)->setSelected(true);
  RightClick(3, Qt::ShiftModifier);
  RightClick(3, Qt::ControlModifier);
  list.clear();
  for (int i = 0; i < 2; ++i) list.addItem(QStringLiteral("x"));
  list.item(1)->setSelected(true);
  RightClick(-1);
  EXPECT_EQ(Selected(), std::vector<int>{1});
  EXPECT_EQ(popups, (std::vector<int>{-1, -1, -1}));
}

TEST_F(ListBox, SingleSelectionAndNoMenu) {
  list.SetMultiSelect(false);
  list.SetPopupMenu(nullptr);
  list.setCurrentRow(0);
  RightClick(2);
  EXPECT_EQ(Selected(), std::vector<int>{2});
  EXPECT_FALSE(list.MultiSelect());
  EXPECT_TRUE(popups.empty());
}

TEST_F(ListBox, ItemDataAndClearSelection) {
  list.SetItemData(2, -7);
  list.SetItemData(3, 123456);
  EXPECT_EQ(list.GetItemData(2), -7);
  EXPECT_EQ(list.GetItemData(3), 123456);
  list.item(2)->setSelected(true);
  list.setCurrentRow(2);
  list.ClearSelection();
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(list.currentRow(), -1);
  TContextListBox empty;
  empty.ClearSelection();
  EXPECT_EQ(empty.currentRow(), -1);
}

}  // namespace
}  // namespace tav
