// The amount of a diary entry as the user types it into the day panel and the overview: an
// amount below zero is refused with a message and changes nothing on disk; a date change leaves
// no amount of the day before for Enter to apply; the day panel never shows a person it does
// not add to.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include "diary/ui/calendar_window.h"
#include "diary/ui/day_panel_window.h"
#include "diary/ui/diary_overview_dialog.h"
#include "diary/ui/end_date_dialog.h"
#include "diary_window_env.h"
#include "platform/qt/qt_text.h"
#include "services/options_store.h"
#include "services/ui/context_list_box.h"
#include "window_test_support.h"
#include "windows/diary_gestures.h"

namespace tav {
namespace {

using test::DiaryWindowEnv;
using test::kMay;
constexpr int kApril = 3;

// Clicks into the edit, types `text` over what it holds and presses Enter.
void TypeAndEnter(QLineEdit* edit, const QString& text) {
  ASSERT_TRUE(test::TypeInto(edit, text));
  test::PressKey(Qt::Key_Return);
}

struct Overview {
  Overview() {
    DateToDlg = &endDate;
    ENViewDayDlg = &view;
  }
  ~Overview() {
    DateToDlg = nullptr;
    ENViewDayDlg = nullptr;
  }
  TDateToDlg endDate;
  TENViewDayDlg view;
};

// Anna ate the salad (one serving) on 10 April and twice on 10 May.
struct SaladMonths {
  SaladMonths() {
    EXPECT_TRUE(w.diary->AddRecipeToDay(10, kApril, 2024, w.env.store.BookId(), w.salad));
    EXPECT_TRUE(w.diary->AddRecipeToDay(10, kMay, 2024, w.env.store.BookId(), w.salad));
    EXPECT_TRUE(w.diary->ChangeEntryAmount(10, kMay, 2024, 0, 2));
    april = test::ReadAll(w.env.MonthFile("Anna", "m042024.dat"));
    may = test::ReadAll(w.env.MonthFile("Anna", "m052024.dat"));
  }
  DiaryWindowEnv w;
  std::string april, may;
};

TEST(DiaryEntryAmount, TheOverviewRefusesAnAmountBelowZeroAndForgetsItAtADateChange) {
  SaladMonths s;
  Overview o;
  TENViewDayDlg& v = o.view;
  v.Calendar->SetDate(10, kMay, 2024);
  v.show();
  test::ClickDay(v.Calendar, 10);
  ASSERT_TRUE(test::ClickCell(v.DayGrd, 1, 0));
  ASSERT_EQ(fromQ(v.MengeEdt->text()), "2");

  // -200: said, the entry and the file stay as they were, the box shows the amount again.
  s.w.env.messages.shown.clear();
  TypeAndEnter(v.MengeEdt, QStringLiteral("-200"));
  ASSERT_EQ(s.w.env.messages.shown.size(), 1u);
  EXPECT_EQ(s.w.env.messages.shown[0].text, GetLangText(1023));
  EXPECT_DOUBLE_EQ(s.w.diary->GetDayEntry(10, kMay, 2024, 0)->amount, 2);
  EXPECT_EQ(test::ReadAll(s.w.env.MonthFile("Anna", "m052024.dat")), s.may);
  EXPECT_EQ(fromQ(v.MengeEdt->text()), "2");
  // The recalculation of the recipe refuses it as well, before its window opens.
  // (The rule behind the button: the box holds what was typed, not yet left.)
  v.MengeEdt->setText(QStringLiteral("-1"));
  v.CalcRezeptBtnClick();
  EXPECT_EQ(s.w.env.messages.shown.size(), 2u);
  EXPECT_DOUBLE_EQ(s.w.diary->GetDayEntry(10, kMay, 2024, 0)->amount, 2);
  EXPECT_EQ(fromQ(v.MengeEdt->text()), "2");

  // A month back: no entry of 10 April is chosen, the box is empty, and Enter changes nothing.
  ASSERT_TRUE(test::ClickCell(v.DayGrd, 1, 0));
  ASSERT_EQ(fromQ(v.MengeEdt->text()), "2");
  ASSERT_TRUE(test::Click(v.Calendar->LastMonthBtn));
  ASSERT_EQ(v.CurDate.month, kApril);
  EXPECT_EQ(fromQ(v.MengeEdt->text()), "");
  EXPECT_LT(v.DayGrd->currentRow(), 1);
  TypeAndEnter(v.MengeEdt, QString());
  EXPECT_DOUBLE_EQ(s.w.diary->GetDayEntry(10, kApril, 2024, 0)->amount, 1);
  EXPECT_EQ(test::ReadAll(s.w.env.MonthFile("Anna", "m042024.dat")), s.april);
  // The entry chosen on the new day takes a new amount as before.
  ASSERT_TRUE(test::ClickCell(v.DayGrd, 1, 0));
  EXPECT_EQ(fromQ(v.MengeEdt->text()), "1");
  TypeAndEnter(v.MengeEdt, QStringLiteral("3"));
  EXPECT_DOUBLE_EQ(s.w.diary->GetDayEntry(10, kApril, 2024, 0)->amount, 3);
  EXPECT_NE(test::ReadAll(s.w.env.MonthFile("Anna", "m042024.dat")), s.april);
  v.close();
}

TEST(DiaryEntryAmount, TheDayPanelRefusesAnAmountBelowZeroAndForgetsItAtADateChange) {
  SaladMonths s;
  QWidget host;
  host.resize(230, 560);
  auto* panel = new TENAddDayDlg(&host, [](int, int, int) {});
  panel->Calendar->SetDate(10, kMay, 2024);
  host.show();
  ASSERT_EQ(panel->RezLiBo->count(), 1);
  ASSERT_TRUE(test::ClickCell(panel->RezLiBo, 0));
  ASSERT_EQ(fromQ(panel->MengeEdt->text()), "2");
  s.w.env.messages.shown.clear();
  TypeAndEnter(panel->MengeEdt, QStringLiteral("-200"));
  ASSERT_EQ(s.w.env.messages.shown.size(), 1u);
  EXPECT_EQ(s.w.env.messages.shown[0].text, GetLangText(1023));
  EXPECT_DOUBLE_EQ(s.w.diary->GetDayEntry(10, kMay, 2024, 0)->amount, 2);
  EXPECT_EQ(test::ReadAll(s.w.env.MonthFile("Anna", "m052024.dat")), s.may);
  EXPECT_EQ(fromQ(panel->MengeEdt->text()), "2");
  // A month back, the entry of the same place on 10 April is not taken for the one left.
  ASSERT_TRUE(test::Click(panel->Calendar->LastMonthBtn));
  ASSERT_EQ(panel->RezLiBo->count(), 1);
  EXPECT_EQ(fromQ(panel->MengeEdt->text()), "");
  TypeAndEnter(panel->MengeEdt, QStringLiteral("5"));
  EXPECT_DOUBLE_EQ(s.w.diary->GetDayEntry(10, kApril, 2024, 0)->amount, 1);
  EXPECT_EQ(test::ReadAll(s.w.env.MonthFile("Anna", "m042024.dat")), s.april);
}

// A settings file without the remembered person (restored onto a fresh one): the day panel
// makes the person it shows the active one, so "+" adds where the panel shows.
TEST(DiaryEntryAmount, TheDayPanelAddsForThePersonItShows) {
  struct Unset {
    ~Unset() { ENApplogMod = nullptr; }
  } unset;
  test::DiaryEnv env;
  env.WritePersons({"Anna", "Bert"});
  ctx().options->SetParaString(61, "");
  TENApplogMod& diary = env.Start();
  ENApplogMod = &diary;
  ASSERT_EQ(diary.GetActivePersonName(), "");
  const int32_t salad = env.SaladRecipe();
  QWidget host;
  host.resize(230, 560);
  auto* panel = new TENAddDayDlg(&host, [&](int d, int m, int y) {
    diary.AddRecipeToDay(d, m, y, env.store.BookId(), salad);
  });
  panel->Calendar->SetDate(10, kMay, 2024);
  host.show();
  EXPECT_EQ(fromQ(panel->PersonCoBo->currentText()), "Anna");
  EXPECT_EQ(diary.GetActivePersonName(), "Anna");
  EXPECT_EQ(ctx().options->Str(61), "Anna");
  ASSERT_TRUE(test::Click(panel->AddRezBtn));
  ASSERT_EQ(panel->RezLiBo->count(), 1);
  EXPECT_NE(test::ReadAll(env.MonthFile("Anna", "m052024.dat")).find("Gr\xFCner Salat"),
            std::string::npos);
}

}  // namespace
}  // namespace tav
