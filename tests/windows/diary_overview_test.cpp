// The diary overview offscreen over the diary test data root: the day and period tables show
// what the month files hold, amount changes and deletes are written at once, a weight cell
// lands in Weight.dat, a person changed elsewhere is followed before the weight grid can edit,
// and painting the chart reads no month file. Shots in both languages (TAVOLIN_SHOTS).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include "diary/ui/calendar_window.h"
#include "diary/ui/day_panel_window.h"
#include "diary/ui/diary_overview_dialog.h"
#include "diary/ui/end_date_dialog.h"
#include "platform/qt/qt_text.h"
#include "diary_window_env.h"
#include "window_test_support.h"

namespace tav {
namespace {

using test::DiaryWindowEnv;
using test::kMay;

bool Said(const test::FakeMessageBoxes& boxes, int text) {
  for (const auto& shown : boxes.shown)
    if (shown.text == GetLangText(text)) return true;
  return false;
}

// The overview over Anna's May: the day table, the period table with its marks, the chart and
// the weight page.
struct OverviewWindows {
  OverviewWindows() {
    DateToDlg = &endDate;
    ENViewDayDlg = &overview;
  }
  ~OverviewWindows() {
    DateToDlg = nullptr;
    ENViewDayDlg = nullptr;
  }
  // Shown on a day of May 2024 in the weight (1) or the nutrition view (0).
  TENViewDayDlg& ShowOn(int day, int weightView) {
    overview.Calendar->SetDate(day, kMay, 2024);
    overview.SetOverviewMode(weightView);
    overview.show();
    overview.OverviewDateChanged();
    return overview;
  }
  TDateToDlg endDate;
  TENViewDayDlg overview;
};

// Anna's diary: salad and spinach on three days of May 2024, two weights and a requirement.
void FillMay(DiaryWindowEnv& w) {
  ENPERSON* anna = nullptr;
  ASSERT_TRUE(w.diary->FindPerson("Anna", &anna));
  TAGESBEDARF protein;
  protein.code = "ZE";
  protein.own = 5;
  protein.alarm = '<';
  anna->requirements.push_back(protein);
  w.diary->UpdateRequirements();
  for (int day : {3, 7, 10}) {
    ASSERT_TRUE(w.diary->AddRecipeToDay(day, kMay, 2024, w.env.store.BookId(), w.salad));
    ASSERT_TRUE(w.diary->AddFoodToDay(day, kMay, 2024, day == 7 ? "H102000" : "G101000"));
  }
  for (auto [day, kg] : {std::pair{2, "64,5"}, {12, "63"}}) {
    const int i = w.diary->AddWeightEntryAt(day, kMay, 2024, 7, 30);
    w.diary->SetWeightValue(i, 0, kg);
  }
}

TEST(DiaryOverview, TablesShowTheMonthFilesAndChangesAreWrittenAtOnce) {
  DiaryWindowEnv w;
  FillMay(w);
  w.diary->UnloadAllMonths();  // what the tables show comes from the month files
  OverviewWindows o;
  TENViewDayDlg& v = o.ShowOn(10, 0);
  // The day table: the two entries of 10 May under the titles, the salad calculated.
  ASSERT_EQ(v.DayGrd->rowCount(), 3);
  EXPECT_EQ(fromQ(v.DayGrd->item(0, 0)->text()), GetLangText(562));
  EXPECT_EQ(fromQ(v.DayGrd->item(1, 0)->text()), "Gr\xFCner Salat");
  EXPECT_EQ(fromQ(v.DayGrd->item(1, 2)->text()), " ");
  EXPECT_EQ(fromQ(v.DayGrd->item(2, 0)->text()), "Spinat");
  // The period (the last 30 days) lists the three days of the files, 3, 7 and 10 May.
  ASSERT_EQ(v.VerlaufGrd->rowCount(), 4);
  int row = 0;
  for (const char* date : {"3.5.2024", "7.5.2024", "10.5.2024"}) {
    EXPECT_EQ(fromQ(v.VerlaufGrd->item(++row, 0)->text()), date);
    EXPECT_EQ(fromQ(v.VerlaufGrd->item(row, 1)->text()), " ");  // complete
  }
  EXPECT_EQ(fromQ(v.VerlaufTitleTxt->text()).rfind(GetLangText(476), 0), 0u);
  // An amount change is written at once: the month read again has it.
  v.DayGrd->setCurrentCell(1, 0);
  v.MengeEdt->setText(QStringLiteral("3"));
  v.MengeEdtExit();
  EXPECT_EQ(w.diary->IsMonthLoaded(kMay, 2024), 1);
  w.diary->UnloadAllMonths();
  ASSERT_TRUE(w.diary->LoadMonth(kMay, 2024));
  ASSERT_NE(w.diary->GetDayEntry(10, kMay, 2024, 0), nullptr);
  EXPECT_DOUBLE_EQ(w.diary->GetDayEntry(10, kMay, 2024, 0)->amount, 3);
  // The recalculation keeps the amount and is written at once too.
  v.DayGrd->setCurrentCell(1, 0);
  v.MengeEdt->setText(QStringLiteral("2"));
  v.CalcRezeptBtnClick();
  EXPECT_EQ(w.diary->IsMonthLoaded(kMay, 2024), 1);
  EXPECT_DOUBLE_EQ(w.diary->GetDayEntry(10, kMay, 2024, 0)->amount, 2);
  // Deleting is written at once and the day table follows.
  v.DayGrd->setCurrentCell(2, 0);
  v.DelRezeptBtnClick();
  EXPECT_EQ(v.DayGrd->rowCount(), 2);
  w.diary->UnloadAllMonths();
  ASSERT_TRUE(w.diary->LoadMonth(kMay, 2024));
  EXPECT_EQ(w.diary->GetDayEntry(10, kMay, 2024, 1), nullptr);
  // An end date before the calendar date is refused with message 464; the same day passes.
  v.EndDate = {9, kMay, 2024};
  EXPECT_FALSE(v.CheckEndDate());
  EXPECT_TRUE(Said(w.env.messages, 464));
  EXPECT_TRUE(v.DiffDateRdb->isChecked());
  EXPECT_EQ(fromQ(v.DateToBtn->text()), GetLangText(465));
  v.EndDate = {10, kMay, 2024};
  EXPECT_TRUE(v.CheckEndDate());
  v.close();
}

TEST(DiaryOverview, PaintingReadsNoMonth) {
  DiaryWindowEnv w;
  FillMay(w);
  OverviewWindows o;
  TENViewDayDlg& v = o.ShowOn(10, 0);
  v.ViewGraphMnuClick();
  // Months dropped behind the window's back are not read by a paint.
  w.diary->UnloadAllMonths();
  v.PaintGraph->grab();
  EXPECT_EQ(w.diary->IsMonthLoaded(kMay, 2024), 0);
  EXPECT_EQ(w.diary->IsMonthLoaded(kMay - 1, 2024), 0);
  v.close();
}

TEST(DiaryOverview, AWeightCellIsStoredInWeightDat) {
  DiaryWindowEnv w;
  FillMay(w);
  OverviewWindows o;
  TENViewDayDlg& v = o.ShowOn(20, 1);
  EXPECT_TRUE(v.GewichtPnl->isVisible());
  ASSERT_EQ(v.GewichtGrd->rowCount(), 3);
  EXPECT_EQ(fromQ(v.GewichtGrd->item(0, 2)->text()), GetLangText(628));
  v.GewichtGrd->item(2, 2)->setText(QStringLiteral("62,8"));  // the edit runs the handler
  EXPECT_EQ(w.diary->weights[1].values[0], "62,8");
  // On disk at once, not when the window or the module goes.
  const std::string annaLog = w.env.MonthFile("Anna", "Weight.dat");
  EXPECT_NE(test::ReadAll(annaLog).find(":073062,8#"), std::string::npos);
  // A time without ':' is not stored; 7:5 is.
  v.GewichtGrdSetEditText(1, 1, "7");
  EXPECT_EQ(w.diary->weights[0].minute, 30);
  v.GewichtGrdSetEditText(1, 1, "7:5");
  EXPECT_EQ(w.diary->weights[0].hour, 7);
  EXPECT_EQ(w.diary->weights[0].minute, 5);
  // A new entry for the calendar date, a second one is refused with 469.
  v.NewGewichtBtnClick();
  ASSERT_EQ(w.diary->weights.size(), 3u);
  v.NewGewichtBtnClick();
  EXPECT_TRUE(Said(w.env.messages, 469));
  EXPECT_EQ(w.diary->weights.size(), 3u);
  v.DelGewichtBtnClick();
  EXPECT_EQ(w.diary->weights.size(), 2u);
  ASSERT_TRUE(w.diary->ReadWeightList());  // the deletion is on disk too
  EXPECT_EQ(w.diary->weights.size(), 2u);

  // A person change in a day panel: the overview follows before its grid can edit, so an edit
  // goes to Bert's log and Anna's stays as it was.
  QWidget host;
  auto* panel = new TENAddDayDlg(&host, [](int, int, int) {});
  host.show();
  panel->FormShow();
  panel->PersonCoBo->setCurrentIndex(panel->PersonCoBo->findText(QStringLiteral("Bert")));
  ASSERT_EQ(w.diary->GetActivePersonName(), "Bert");
  EXPECT_EQ(fromQ(v.PersonCoBo->currentText()), "Bert");
  EXPECT_FALSE(v.GewichtGrd->isEnabled());  // Bert has no weights yet
  v.NewGewichtBtnClick();
  ASSERT_EQ(v.GewichtGrd->rowCount(), 2);
  v.GewichtGrd->item(1, 2)->setText(QStringLiteral("80"));
  v.close();
  const std::string anna = test::ReadAll(annaLog);
  EXPECT_NE(anna.find("62,8"), std::string::npos);
  EXPECT_EQ(anna.find("80#"), std::string::npos);
  EXPECT_NE(test::ReadAll(w.env.MonthFile("Bert", "Weight.dat")).find("80"), std::string::npos);
}

// A column whose title or widest text does not fit shows it cut.
void ExpectColumnsShowWholeTexts(QTableWidget* g, int contentColumns) {
  QFont bold = g->horizontalHeader()->font();
  bold.setBold(true);
  for (int c = 0; c < g->columnCount(); ++c) {
    if (g->isColumnHidden(c)) continue;
    const QString title = g->horizontalHeaderItem(c)->text();
    EXPECT_GE(g->columnWidth(c), QFontMetrics(bold).horizontalAdvance(title) + 4) << fromQ(title);
    for (int r = 1; c < contentColumns && r < g->rowCount(); ++r) {
      if (const QTableWidgetItem* item = g->item(r, c)) {
        EXPECT_GE(g->columnWidth(c), g->fontMetrics().horizontalAdvance(item->text()) + 4)
            << fromQ(item->text());
      }
    }
  }
}

// Anna's weights of the whole spring and the diary days of May, in the program's language: the
// titles stand above the rows however far they scroll and nothing is cut; "Neue Eingabe" takes
// the weight typed after it, and Enter ends the cell without asking for another entry.
TEST(DiaryOverview, AUserScrollsTheTablesAndTypesANewWeight) {
  DiaryWindowEnv w;
  test::WindowLanguage language(w.env, "DE");
  FillMay(w);
  for (int day = 1; day <= 28; ++day)
    for (int month : {kMay - 2, kMay - 1}) {
      const int i = w.diary->AddWeightEntryAt(day, month, 2024, 7, 0);
      w.diary->SetWeightValue(i, 0, std::to_string(70 - day / 4));
    }
  for (int day = 11; day <= 31; ++day)
    ASSERT_TRUE(w.diary->AddFoodToDay(day, kMay, 2024, "G101000"));
  OverviewWindows o;
  TENViewDayDlg& v = o.overview;
  v.resize(900, 680);
  v.Calendar->SetDate(31, kMay, 2024);
  v.SetOverviewMode(1);
  v.show();
  v.OverviewDateChanged();  // as a click on the calendar's day
  QApplication::setActiveWindow(&v);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&v));
  // The period's strip is titled at the first show.
  EXPECT_EQ(fromQ(v.GraphTitleTxt->text()).rfind(GetLangText(475), 0), 0u)
      << fromQ(v.GraphTitleTxt->text());
  EXPECT_EQ(fromQ(v.VerlaufTitleTxt->text()).rfind(GetLangText(476), 0), 0u);

  // The weight grid opens at its last row with its titles in view.
  QTableWidget* weights = v.GewichtGrd;
  ASSERT_EQ(weights->rowCount(), 59);
  EXPECT_TRUE(weights->horizontalHeader()->isVisible());
  EXPECT_EQ(fromQ(weights->horizontalHeaderItem(0)->text()), GetLangText(466));
  EXPECT_EQ(fromQ(weights->horizontalHeaderItem(2)->text()), GetLangText(628));
  EXPECT_TRUE(weights->isRowHidden(0));
  ExpectColumnsShowWholeTexts(weights, 1);

  // "Neue Eingabe" by a click, the weight typed, Enter: stored in the new row, asked nothing.
  const size_t before = w.diary->weights.size();
  QTest::mouseClick(v.NewGewichtBtn, Qt::LeftButton);
  ASSERT_EQ(w.diary->weights.size(), before + 1);
  QWidget* typing = QApplication::focusWidget();
  ASSERT_NE(typing, nullptr);
  QTest::keyClicks(typing, "61,5");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QApplication::processEvents();  // the cell takes the text from the event loop
  EXPECT_EQ(w.diary->weights.size(), before + 1);
  EXPECT_FALSE(Said(w.env.messages, 469));
  const GEWICHTLIST& added = w.diary->weights.back();
  EXPECT_EQ(added.day, 31);
  EXPECT_EQ(added.values[0], "61,5");
  test::Shot(&v, "overview_weight_new_entry_DE");

  // The nutrition view: the period table scrolled to its end keeps "Datum" and "OK" in view.
  QTest::mouseClick(v.DiffDateRdb, Qt::LeftButton);
  v.ErnaehrungMnu->trigger();
  QTableWidget* period = v.VerlaufGrd;
  ASSERT_GE(period->rowCount(), 20);
  period->verticalScrollBar()->setValue(period->verticalScrollBar()->maximum());
  EXPECT_GT(period->verticalScrollBar()->value(), 0);
  EXPECT_TRUE(period->horizontalHeader()->isVisible());
  EXPECT_EQ(fromQ(period->horizontalHeaderItem(0)->text()), GetLangText(466));
  EXPECT_EQ(fromQ(period->horizontalHeaderItem(1)->text()), GetLangText(564));
  ExpectColumnsShowWholeTexts(period, 1);
  ExpectColumnsShowWholeTexts(v.DayGrd, 2);
  test::Shot(&v, "overview_tables_scrolled_DE");
  v.close();
}

TEST(DiaryOverview, Shots) {
  for (const char* lang : {"DE", "EN"}) {
    DiaryWindowEnv w;
    test::WindowLanguage language(w.env, lang);
    FillMay(w);
    OverviewWindows o;
    TENViewDayDlg& v = o.overview;
    v.resize(900, 680);
    v.Calendar->SetDate(10, kMay, 2024);
    v.SetOverviewMode(0);
    v.show();
    v.OverviewDateChanged();
    test::Shot(&v, std::string("overview_tables_") + lang);
    v.ViewGraphMnuClick();
    v.Graph1CoBo->setCurrentIndex(0);
    v.Graph2CoBo->setCurrentIndex(2);
    v.Graph2Chk->setChecked(true);
    test::Shot(&v, std::string("overview_chart_") + lang);
    v.Calendar->SetDate(20, kMay, 2024);
    v.OverviewDateChanged();
    v.GewichtMnuClick();
    test::Shot(&v, std::string("overview_weight_") + lang);
    v.close();
    // The end-date picker as "bis zum" brings it up.
    o.endDate.setWindowTitle(QString::fromStdString(GetLangText(653) + "20.5.2024" +
                                                    GetLangText(654)));
    o.endDate.show();
    EXPECT_GE(o.endDate.width(), 193);
    test::Shot(&o.endDate, std::string("end_date_") + lang);
    o.endDate.hide();
  }
}

}  // namespace
}  // namespace tav
