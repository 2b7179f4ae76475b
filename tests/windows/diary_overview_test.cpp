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
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <functional>

#include "diary/ui/calendar_window.h"
#include "diary/ui/day_panel_window.h"
#include "diary/ui/diary_overview_dialog.h"
#include "diary/ui/end_date_dialog.h"
#include "diary/ui/frozen_column_table.h"
#include "diary/ui/person_data_dialog.h"
#include "diary/ui/person_list_dialog.h"
#include "platform/qt/qt_text.h"
#include "diary_window_env.h"
#include "window_test_support.h"
#include "windows/diary_gestures.h"
#include "windows/user_actions.h"
#include "windows/user_gestures.h"
#include "windows/user_input.h"
#include "windows/window_checks.h"

namespace tav {
namespace {

using test::DiaryWindowEnv;
using test::kMay;

bool Said(const test::FakeMessageBoxes& boxes, int text) {
  for (const auto& shown : boxes.shown)
    if (shown.text == GetLangText(text)) return true;
  return false;
}

// The tool-bar button of `action`, clicked.
::testing::AssertionResult ClickToolBar(QToolBar* bar, QAction* action) {
  return test::Click(bar->widgetForAction(action));
}

// The overview over Anna's May: the day table, the period table with its marks, the chart and
// the weight page; the person list its person button opens.
struct OverviewWindows {
  OverviewWindows() {
    DateToDlg = &endDate;
    ENViewDayDlg = &overview;
    PersDataDlg = &personData;
    PersListDlg = &persons;
  }
  ~OverviewWindows() {
    DateToDlg = nullptr;
    ENViewDayDlg = nullptr;
    PersDataDlg = nullptr;
    PersListDlg = nullptr;
  }
  // Shown on a day of May 2024 in the weight (1) or the nutrition view (0), the day clicked
  // in its calendar.
  TENViewDayDlg& ShowOn(int day, int weightView) {
    overview.Calendar->SetDate(day, kMay, 2024);
    overview.SetOverviewMode(weightView);
    overview.show();
    test::ClickDay(overview.Calendar, day);
    return overview;
  }
  TDateToDlg endDate;
  TPersDataDlg personData;
  TPersListDlg persons;
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
  ASSERT_TRUE(test::ClickCell(v.DayGrd, 1, 0));
  EXPECT_EQ(fromQ(v.MengeEdt->text()), "1");
  EXPECT_TRUE(v.CalcRezeptBtn->isVisible());  // a recipe
  ASSERT_TRUE(test::TypeInto(v.MengeEdt, QStringLiteral("3")));
  test::PressKey(Qt::Key_Return);
  EXPECT_EQ(w.diary->IsMonthLoaded(kMay, 2024), 1);
  w.diary->UnloadAllMonths();
  ASSERT_TRUE(w.diary->LoadMonth(kMay, 2024));
  ASSERT_NE(w.diary->GetDayEntry(10, kMay, 2024, 0), nullptr);
  EXPECT_DOUBLE_EQ(w.diary->GetDayEntry(10, kMay, 2024, 0)->amount, 3);
  // The recalculation takes the amount in the box and is written at once too.
  ASSERT_TRUE(test::ClickCell(v.DayGrd, 1, 0));
  ASSERT_TRUE(test::TypeInto(v.MengeEdt, QStringLiteral("2")));
  ASSERT_TRUE(test::Click(v.CalcRezeptBtn));
  EXPECT_EQ(w.diary->IsMonthLoaded(kMay, 2024), 1);
  EXPECT_DOUBLE_EQ(w.diary->GetDayEntry(10, kMay, 2024, 0)->amount, 2);
  // A food has no recalculation.
  ASSERT_TRUE(test::ClickCell(v.DayGrd, 2, 0));
  EXPECT_FALSE(v.CalcRezeptBtn->isVisible());
  // Deleting is written at once and the day table follows.
  ASSERT_TRUE(test::Click(v.DelRezeptBtn));
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
  test::TypeIntoCell(v.GewichtGrd, 2, 2, QStringLiteral("62,8"));
  EXPECT_EQ(w.diary->weights[1].values[0], "62,8");
  // On disk at once, not when the window or the module goes.
  const std::string annaLog = w.env.MonthFile("Anna", "Weight.dat");
  EXPECT_NE(test::ReadAll(annaLog).find(":073062,8#"), std::string::npos);
  // A time without ':' is not stored; 7:5 is (the rule behind the time column, which shows
  // only with several entries a day).
  v.GewichtGrdSetEditText(1, 1, "7");
  EXPECT_EQ(w.diary->weights[0].minute, 30);
  v.GewichtGrdSetEditText(1, 1, "7:5");
  EXPECT_EQ(w.diary->weights[0].hour, 7);
  EXPECT_EQ(w.diary->weights[0].minute, 5);
  // A new entry for the calendar date, a second one is refused with 469 and its row chosen,
  // which "Entfernen" removes.
  ASSERT_TRUE(test::Click(v.NewGewichtBtn));
  ASSERT_EQ(w.diary->weights.size(), 3u);
  ASSERT_TRUE(test::Click(v.NewGewichtBtn));
  EXPECT_TRUE(Said(w.env.messages, 469));
  EXPECT_EQ(w.diary->weights.size(), 3u);
  ASSERT_TRUE(test::Click(v.DelGewichtBtn));
  EXPECT_EQ(w.diary->weights.size(), 2u);
  EXPECT_EQ(w.diary->weights[1].day, 12);
  ASSERT_TRUE(w.diary->ReadWeightList());  // the deletion is on disk too
  EXPECT_EQ(w.diary->weights.size(), 2u);

  // A person change in a day panel: the overview follows before its grid can edit, so an edit
  // goes to Bert's log and Anna's stays as it was.
  QWidget host;
  auto* panel = new TENAddDayDlg(&host, [](int, int, int) {});
  host.show();
  ASSERT_TRUE(test::ChooseInCombo(panel->PersonCoBo, QStringLiteral("Bert")));
  ASSERT_EQ(w.diary->GetActivePersonName(), "Bert");
  EXPECT_EQ(fromQ(v.PersonCoBo->currentText()), "Bert");
  EXPECT_FALSE(v.GewichtGrd->isEnabled());  // Bert has no weights yet
  // His first weight, typed after "Neue Eingabe" into the cell that has the keyboard.
  ASSERT_TRUE(test::Click(v.NewGewichtBtn));
  ASSERT_EQ(v.GewichtGrd->rowCount(), 2);
  QWidget* typing = QApplication::focusWidget();
  ASSERT_TRUE(typing && v.GewichtGrd->viewport()->isAncestorOf(typing));
  test::TypeKeys(QStringLiteral("80"));
  test::PressKey(Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return v.GewichtGrd->item(1, 2)->text() == "80"; }, 1000));
  v.close();
  const std::string anna = test::ReadAll(annaLog);
  EXPECT_NE(anna.find("62,8"), std::string::npos);
  EXPECT_EQ(anna.find("80#"), std::string::npos);
  EXPECT_NE(test::ReadAll(w.env.MonthFile("Bert", "Weight.dat")).find("80"), std::string::npos);
}

// Whether a modal window comes up while `act` runs.
bool ModalDuring(const std::function<void()>& act) {
  return test::WhileModal([] {}, act);
}

// Enter in the amount box, in a table and in a weight cell ends that edit and presses no
// button: none of the window's buttons is a default button, and the person list stays shut.
// Escape closes the window as its close box does.
TEST(DiaryOverview, EnterEndsTheEditAndPressesNoButton) {
  DiaryWindowEnv w;
  FillMay(w);
  OverviewWindows o;
  TENViewDayDlg& v = o.ShowOn(10, 0);
  for (const QPushButton* b : v.findChildren<QPushButton*>()) {
    EXPECT_FALSE(b->isDefault()) << fromQ(b->objectName());
    EXPECT_FALSE(b->autoDefault()) << fromQ(b->objectName());
  }
  EXPECT_EQ(v.PersonBtn->focusPolicy(), Qt::NoFocus);

  // The amount box: the amount changes, nothing opens, the keyboard stays in the box.
  ASSERT_TRUE(test::ClickCell(v.DayGrd, 1, 0));
  ASSERT_TRUE(test::TypeInto(v.MengeEdt, QStringLiteral("3")));
  EXPECT_FALSE(ModalDuring([] { test::PressKey(Qt::Key_Return); }));
  EXPECT_DOUBLE_EQ(w.diary->GetDayEntry(10, kMay, 2024, 0)->amount, 3);
  EXPECT_FALSE(o.persons.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), v.MengeEdt);
  // The day and the period table: a row chosen, nothing else.
  ASSERT_TRUE(test::ClickCell(v.DayGrd, 2, 0));
  EXPECT_FALSE(ModalDuring([] { test::PressKey(Qt::Key_Return); }));
  ASSERT_EQ(v.DayGrd->rowCount(), 3);
  ASSERT_TRUE(test::ClickCell(v.VerlaufGrd, 1, 0));
  EXPECT_FALSE(ModalDuring([] { test::PressKey(Qt::Key_Return); }));
  EXPECT_TRUE(v.isVisible());

  // A weight cell: the value is stored, and a second Enter on the grid adds no entry.
  ASSERT_TRUE(ClickToolBar(v.ENToolBar, v.TBViewModeSwitch));  // to the weight view
  ASSERT_TRUE(v.GewichtGrd->isVisible());
  EXPECT_FALSE(ModalDuring([&] { test::TypeIntoCell(v.GewichtGrd, 1, 2, QStringLiteral("64")); }));
  EXPECT_EQ(w.diary->weights[0].values[0], "64");
  EXPECT_FALSE(ModalDuring([] { test::PressKey(Qt::Key_Return); }));
  EXPECT_EQ(w.diary->weights.size(), 2u);
  EXPECT_FALSE(o.persons.isVisible());

  // Escape: the window closes and keeps its compare line, as the close box does.
  ASSERT_TRUE(test::Click(v.CompareItemChk));
  EXPECT_EQ(v.CompareMarker, -2);
  test::PressKey(Qt::Key_Escape);
  EXPECT_FALSE(v.isVisible());
  int compare = 0;
  ASSERT_TRUE(ctx().options->GetParaInt(71, &compare));
  EXPECT_EQ(compare, v.CompareItemCoBo->currentIndex() + 1);
}

// The person button opens the person list; when it closes the person box shows the active
// person, also one made in the list, whose (empty) weight log the grid then shows.
TEST(DiaryOverview, ThePersonBoxShowsTheActivePersonAfterThePersonList) {
  DiaryWindowEnv w;
  FillMay(w);
  OverviewWindows o;
  TENViewDayDlg& v = o.ShowOn(20, 1);
  ASSERT_EQ(fromQ(v.PersonCoBo->currentText()), "Anna");

  // Closed without a change: Anna is still shown.
  EXPECT_TRUE(test::WhileModal(
      [&] {
        ASSERT_TRUE(test::Click(o.persons.OKBtn));
        EXPECT_FALSE(o.persons.isVisible());
      },
      [&] { ASSERT_TRUE(test::Click(v.PersonBtn)); }));
  EXPECT_EQ(fromQ(v.PersonCoBo->currentText()), "Anna");
  EXPECT_EQ(v.GewichtGrd->rowCount(), 3);

  // Carla made in the list is the active person and shown.
  const auto carla = [&] {
    ASSERT_TRUE(test::TypeInto(o.personData.NameEdt, QStringLiteral("Carla")));
    ASSERT_TRUE(test::TypeInto(o.personData.GebDatEdt, QStringLiteral("7.9.1985")));
    ASSERT_TRUE(test::TypeInto(o.personData.GroesseEdt, QStringLiteral("168")));
    ASSERT_TRUE(test::TypeInto(o.personData.GewichtEdt, QStringLiteral("60")));
    ASSERT_TRUE(test::Click(o.personData.OKBtn));
  };
  EXPECT_TRUE(test::WhileModal(
      [&] {
        EXPECT_TRUE(test::WhileModal(carla, [&] { ASSERT_TRUE(test::Click(o.persons.NewBtn)); }));
        ASSERT_TRUE(test::Click(o.persons.OKBtn));
      },
      [&] { ASSERT_TRUE(test::Click(v.PersonBtn)); }));
  EXPECT_EQ(w.diary->GetActivePersonName(), "Carla");
  EXPECT_EQ(fromQ(v.PersonCoBo->currentText()), "Carla");
  EXPECT_FALSE(v.GewichtGrd->isEnabled());  // Carla has no weights yet
  // Enter now opens no list.
  test::ActivateForClick(&v);
  EXPECT_FALSE(ModalDuring([] { test::PressKey(Qt::Key_Return); }));
  v.close();
}

// The day table keeps name, amount and mark in view, the period table date and mark, the weight
// grid the date, however far the other columns scroll sideways; the fixed columns take clicks
// and double clicks for the grid, and the keyboard walks the grid as before.
TEST(DiaryOverview, TheFixedColumnsStayWhenTheTablesScrollSideways) {
  DiaryWindowEnv w;
  FillMay(w);
  for (int day = 1; day <= 20; ++day) {
    const int i = w.diary->AddWeightEntryAt(day, kMay - 1, 2024, 7, 0);
    w.diary->SetWeightValue(i, 0, "65");
  }
  OverviewWindows o;
  TENViewDayDlg& v = o.overview;
  v.resize(700, 640);
  TENViewDayDlg& shown = o.ShowOn(10, 0);
  ASSERT_EQ(&shown, &v);
  auto* day = dynamic_cast<FrozenColumnTable*>(v.DayGrd);
  ASSERT_NE(day, nullptr);
  for (int c = 3; c < day->columnCount(); ++c) day->setColumnWidth(c, 120);  // room to scroll
  QTableView* fixed = day->FrozenView();
  ASSERT_TRUE(fixed->isVisible());
  EXPECT_EQ(fixed->width(), day->columnWidth(0) + day->columnWidth(1) + day->columnWidth(2));
  for (int c = 0; c < day->columnCount(); ++c) EXPECT_EQ(fixed->isColumnHidden(c), c >= 3) << c;
  EXPECT_TRUE(fixed->isRowHidden(0));

  // End: the last nutrient is current and in view, right of the fixed columns, which still
  // show name and amount over the scrolled grid.
  ASSERT_TRUE(test::ClickCell(day, 1, 3));
  test::PressKey(Qt::Key_End);
  const int last = day->columnCount() - 1;
  EXPECT_EQ(day->currentColumn(), last);
  EXPECT_GT(day->horizontalScrollBar()->value(), 0);
  EXPECT_LT(day->columnViewportPosition(0), 0);  // the grid's own name column is scrolled away
  EXPECT_EQ(fixed->columnViewportPosition(0), 0);
  // Left, column by column: the current cell never hides under the fixed columns.
  for (int c = last - 1; c >= 3; --c) {
    test::PressKey(Qt::Key_Left);
    ASSERT_EQ(day->currentColumn(), c);
    EXPECT_GE(day->visualRect(day->model()->index(1, c)).left(), day->FrozenWidth()) << c;
  }

  // A click on the fixed name of the food chooses it as a click on the grid does; the keyboard
  // stays with the grid, whose Up goes back to the salad.
  const int scrolled = day->horizontalScrollBar()->value();
  test::ClickOnCell(day, 2, 0);
  EXPECT_EQ(day->currentRow(), 2);
  EXPECT_FALSE(v.CalcRezeptBtn->isVisible());  // the food's amount and unit are shown
  EXPECT_EQ(fromQ(v.Menge2Txt->text()), w.diary->GetDayEntry(10, kMay, 2024, 1)->unit);
  EXPECT_EQ(day->horizontalScrollBar()->value(), scrolled);
  EXPECT_EQ(QApplication::focusWidget(), day);
  test::PressKey(Qt::Key_Up);
  EXPECT_EQ(day->currentRow(), 1);
  EXPECT_TRUE(v.CalcRezeptBtn->isVisible());
  // A double click on a fixed cell is the grid's double click.
  QSignalSpy doubled(day, &QTableWidget::cellDoubleClicked);
  test::DoubleClick(fixed->viewport(), fixed->visualRect(fixed->model()->index(2, 1)).center());
  ASSERT_EQ(doubled.count(), 1);
  EXPECT_EQ(doubled[0][0].toInt(), 2);

  // The period table: date and mark stay, its rows scroll in step.
  auto* period = dynamic_cast<FrozenColumnTable*>(v.VerlaufGrd);
  ASSERT_NE(period, nullptr);
  for (int c = 2; c < period->columnCount(); ++c) period->setColumnWidth(c, 120);
  period->horizontalScrollBar()->setValue(period->horizontalScrollBar()->maximum());
  EXPECT_GT(period->horizontalScrollBar()->value(), 0);
  for (int c = 0; c < period->columnCount(); ++c)
    EXPECT_EQ(period->FrozenView()->isColumnHidden(c), c >= 2) << c;
  EXPECT_EQ(period->FrozenView()->columnViewportPosition(0), 0);

  // The weight grid: its date stays while the comment scrolls into view; the comment typed
  // there is stored.
  ASSERT_TRUE(ClickToolBar(v.ENToolBar, v.TBViewModeSwitch));  // to the weight view
  auto* weights = dynamic_cast<FrozenColumnTable*>(v.GewichtGrd);
  ASSERT_NE(weights, nullptr);
  ASSERT_GE(weights->rowCount(), 22);
  const int comment = weights->columnCount() - 1;
  test::TypeIntoCell(weights, 1, comment, QStringLiteral("nach dem Laufen"));
  EXPECT_EQ(w.diary->weights[0].comment, "nach dem Laufen");
  EXPECT_GT(weights->horizontalScrollBar()->value(), 0);
  EXPECT_GE(weights->visualRect(weights->model()->index(1, comment)).left(),
            weights->FrozenWidth());
  EXPECT_TRUE(weights->FrozenView()->isVisible());
  EXPECT_EQ(weights->FrozenWidth(), weights->columnWidth(0));
  // Scrolled down, the fixed dates go with the rows.
  weights->verticalScrollBar()->setValue(weights->verticalScrollBar()->maximum());
  EXPECT_GT(weights->verticalScrollBar()->value(), 0);
  EXPECT_EQ(weights->FrozenView()->verticalScrollBar()->value(),
            weights->verticalScrollBar()->value());
  const int lastRow = weights->rowCount() - 1;
  EXPECT_EQ(weights->FrozenView()->visualRect(weights->model()->index(lastRow, 0)).top(),
            weights->visualRect(weights->model()->index(lastRow, 0)).top());
  v.close();
}

// The item `item` of the window's own menu bar, chosen with the mouse.
::testing::AssertionResult ChooseMenuItem(QMenuBar* bar, QAction* item) {
  QMenu* menu = test::MenuOf(item);
  if (!menu) return ::testing::AssertionFailure() << "no menu";
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                    bar->actionGeometry(menu->menuAction()).center());
  if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000))
    return ::testing::AssertionFailure() << "the menu did not open";
  if (!item->isVisible() || !item->isEnabled()) {
    menu->close();
    return ::testing::AssertionFailure() << fromQ(item->objectName()) << " cannot be chosen";
  }
  QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
  return ::testing::AssertionSuccess();
}

// The choices of the window: the period's length, the chart's nutrients, the compare line, the
// person, the help page, and the views by tool bar and menu; "Ernährungs-Modul schließen".
// A grid with fixed columns goes with its window: its model clears itself while the grid's
// children go, and that must not reach the fixed view (it crashed the program's end).
TEST(DiaryOverview, AFilledGridWithFixedColumnsGoesQuietly) {
  for (const bool destroyDataFirst : {false, true}) {
    auto* host = new QWidget;
    auto* grid = new FrozenColumnTable(host, 2);
    grid->setColumnCount(6);
    grid->setRowCount(4);
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 6; ++c) grid->setItem(r, c, new QTableWidgetItem(QString::number(c)));
    host->resize(300, 200);
    host->show();
    ASSERT_TRUE(grid->FrozenView()->isVisible());
    if (destroyDataFirst) grid->clear();
    delete host;
  }
}

// What the user does on the fixed columns is done on the grid, and the fixed view follows the
// grid's scrolling, column widths, row heights and a model that starts again.
TEST(DiaryOverview, TheFixedColumnsActOnTheGridAndFollowIt) {
  QWidget host;
  auto* grid = new FrozenColumnTable(&host, 2);
  grid->setGeometry(0, 0, 300, 200);
  grid->setColumnCount(8);
  grid->setRowCount(40);
  for (int r = 0; r < 40; ++r)
    for (int c = 0; c < 8; ++c) grid->setItem(r, c, new QTableWidgetItem(QString::number(r)));
  host.resize(300, 200);
  host.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  QTableView* frozen = grid->FrozenView();
  ASSERT_TRUE(frozen->isVisible());

  QSignalSpy pressed(grid, &QAbstractItemView::pressed);
  QSignalSpy clicked(grid, &QAbstractItemView::clicked);
  QSignalSpy activated(grid, &QAbstractItemView::activated);
  const QPoint at = frozen->visualRect(grid->model()->index(1, 0)).center();
  QTest::mouseClick(frozen->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(pressed.count(), 1);
  EXPECT_EQ(clicked.count(), 1);
  test::DoubleClick(frozen->viewport(), at);
  EXPECT_GE(activated.count(), 1);
  EXPECT_EQ(grid->currentRow(), 1);

  frozen->verticalScrollBar()->setValue(60);  // the wheel over the fixed columns
  EXPECT_EQ(grid->verticalScrollBar()->value(), 60);
  grid->verticalScrollBar()->setValue(90);
  EXPECT_EQ(frozen->verticalScrollBar()->value(), 90);

  grid->setColumnWidth(1, 123);
  EXPECT_EQ(frozen->columnWidth(1), 123);
  grid->setRowHeight(3, 41);
  EXPECT_EQ(frozen->rowHeight(3), 41);

  grid->clear();  // the model starts again: the fixed view shows the fixed columns only
  for (int c = 2; c < 8; ++c) EXPECT_TRUE(frozen->isColumnHidden(c)) << c;
  grid->setColumnWidth(0, 77);
  EXPECT_EQ(frozen->columnWidth(0), 77);
}

// Counts the paints of the chart.
struct ChartPaints : QObject {
  explicit ChartPaints(QWidget* chart) : chart(chart) {
    QApplication::processEvents();  // paints already asked for are not counted
    chart->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == chart && event->type() == QEvent::Paint) ++count;
    return false;
  }
  QWidget* chart;
  int count = 0;
};

TEST(DiaryOverview, TheChoicesAndViewsOfTheWindow) {
  DiaryWindowEnv w;
  FillMay(w);
  test::WithTools tools;
  OverviewWindows o;
  TENViewDayDlg& v = o.ShowOn(10, 0);
  EXPECT_EQ(v.Period.from.day, 10);
  EXPECT_EQ(v.Period.from.month, kMay - 1);  // the last 30 days
  ASSERT_TRUE(test::ChooseInCombo(v.DiffDateCoBo, v.DiffDateCoBo->itemText(0)));
  EXPECT_EQ(v.Period.from.day, 3);  // the last 7 days
  EXPECT_EQ(v.Period.from.month, kMay);

  // The chart by the tool bar; the second nutrient chosen switches it on.
  ASSERT_TRUE(ClickToolBar(v.ENToolBar, v.TBGraph));
  EXPECT_EQ(v.TableView, 0);
  EXPECT_TRUE(v.PaintGraph->isVisible());
  ASSERT_GE(v.Graph2CoBo->count(), 2);
  v.Graph2Chk->setChecked(false);
  ASSERT_TRUE(test::ChooseInCombo(v.Graph2CoBo, v.Graph2CoBo->itemText(1)));
  EXPECT_TRUE(v.Graph2Chk->isChecked());
  // The first nutrient chosen and the second one switched off draw the chart again.
  ChartPaints paints(v.PaintGraph);
  ASSERT_GE(v.Graph1CoBo->count(), 2);
  ASSERT_TRUE(test::ChooseInCombo(v.Graph1CoBo, v.Graph1CoBo->itemText(1)));
  EXPECT_TRUE(QTest::qWaitFor([&] { return paints.count > 0; }, 1000));
  paints.count = 0;
  ASSERT_TRUE(test::ClickBox(v.Graph2Chk));
  EXPECT_FALSE(v.Graph2Chk->isChecked());
  EXPECT_TRUE(QTest::qWaitFor([&] { return paints.count > 0; }, 1000));
  ASSERT_TRUE(ClickToolBar(v.ENToolBar, v.TBGraph));
  EXPECT_EQ(v.TableView, 1);
  EXPECT_TRUE(v.VerlaufGrd->isVisible());

  // The help page of the view shown.
  ASSERT_TRUE(ClickToolBar(v.ENToolBar, v.HelpBtn));
  ASSERT_FALSE(w.env.shell.opened.empty());
  EXPECT_NE(w.env.shell.opened.back().find("Help/Win_Nahrung.htm"), std::string::npos);

  // The weight view: its compare line switched on by choosing what it shows.
  ASSERT_TRUE(ClickToolBar(v.ENToolBar, v.TBViewModeSwitch));
  EXPECT_EQ(v.WeightView, 1);
  EXPECT_FALSE(v.TBGraph->isEnabled());
  ASSERT_FALSE(v.CompareItemChk->isChecked());
  ASSERT_TRUE(test::ChooseInCombo(v.CompareItemCoBo, v.CompareItemCoBo->itemText(2)));
  EXPECT_TRUE(v.CompareItemChk->isChecked());
  EXPECT_EQ(v.CompareMarker, -2);
  ASSERT_TRUE(ClickToolBar(v.ENToolBar, v.HelpBtn));
  EXPECT_NE(w.env.shell.opened.back().find("Help/Win_Gewicht.htm"), std::string::npos);

  // Another person chosen in the person box: Bert's (empty) weight log.
  ASSERT_TRUE(test::ChooseInCombo(v.PersonCoBo, QStringLiteral("Bert")));
  EXPECT_EQ(w.diary->GetActivePersonName(), "Bert");
  EXPECT_FALSE(v.GewichtGrd->isEnabled());
  ASSERT_TRUE(test::ChooseInCombo(v.PersonCoBo, QStringLiteral("Anna")));
  EXPECT_EQ(v.GewichtGrd->rowCount(), 3);

  // The menus: the nutrition view, the chart, the table, the weight view, and closing.
  ASSERT_TRUE(ChooseMenuItem(v.MainMnu, v.ErnaehrungMnu));
  EXPECT_EQ(v.WeightView, 0);
  ASSERT_TRUE(ChooseMenuItem(v.MainMnu, v.ViewGraphMnu));
  EXPECT_EQ(v.TableView, 0);
  ASSERT_TRUE(ChooseMenuItem(v.MainMnu, v.ViewTableMnu));
  EXPECT_EQ(v.TableView, 1);
  ASSERT_TRUE(ChooseMenuItem(v.MainMnu, v.GewichtMnu));
  EXPECT_EQ(v.WeightView, 1);
  ASSERT_TRUE(ChooseMenuItem(v.MainMnu, v.CloseENModulMnu));
  EXPECT_FALSE(v.isVisible());
}

// "bis zum" asks for the end date in its picker (OK takes it, Cancel keeps the one before); a
// double click on a recipe entry, on its fixed name, and "Berechnen" recalculate it; the
// person's master data come up from the menu.
TEST(DiaryOverview, TheEndDateTheRecalculationAndThePersonsData) {
  DiaryWindowEnv w;
  FillMay(w);
  OverviewWindows o;
  TENViewDayDlg& v = o.ShowOn(10, 0);
  auto* ok = o.endDate.findChild<QPushButton*>(QStringLiteral("OKBtn"));
  auto* cancel = o.endDate.findChild<QPushButton*>(QStringLiteral("CancelBtn"));
  ASSERT_TRUE(ok && cancel);
  const auto pick = [&](int day, QPushButton* button) {
    o.endDate.Calendar->SetDate(1, kMay + 1, 2024);
    test::ClickDay(o.endDate.Calendar, day);
    ASSERT_TRUE(test::Click(button));
  };
  EXPECT_TRUE(test::WhileModal([&] { pick(20, ok); },
                               [&] { ASSERT_TRUE(test::Click(v.DateMoreDaysRDB)); }));
  EXPECT_TRUE(v.DateMoreDaysRDB->isChecked());
  EXPECT_EQ(v.EndDate.day, 20);
  EXPECT_EQ(v.EndDate.month, kMay + 1);
  EXPECT_EQ(v.Period.from.day, 10);
  EXPECT_EQ(v.Period.to.day, 20);
  EXPECT_EQ(fromQ(v.DateToBtn->text()).rfind("20.", 0), 0u);
  EXPECT_TRUE(test::WhileModal([&] { pick(25, cancel); },
                               [&] { ASSERT_TRUE(test::Click(v.DateToBtn)); }));
  EXPECT_EQ(v.EndDate.day, 20);
  EXPECT_EQ(v.Period.to.day, 20);
  // Back to a number of days up to the day shown.
  ASSERT_TRUE(test::ClickBox(v.DiffDateRdb));
  EXPECT_TRUE(v.DiffDateRdb->isChecked());
  EXPECT_EQ(v.Period.to.day, 10);
  EXPECT_EQ(v.Period.to.month, kMay);

  // The salad's energy gone stale is calculated again, each way with the amount in the box.
  auto* day = dynamic_cast<FrozenColumnTable*>(v.DayGrd);
  ASSERT_NE(day, nullptr);
  const double energy = w.diary->GetDayEntry(10, kMay, 2024, 0)->energy;
  ASSERT_GT(energy, 0);
  w.diary->GetDayEntry(10, kMay, 2024, 0)->energy = 1;
  QTableView* fixed = day->FrozenView();
  test::DoubleClick(fixed->viewport(), fixed->visualRect(fixed->model()->index(1, 0)).center());
  EXPECT_DOUBLE_EQ(w.diary->GetDayEntry(10, kMay, 2024, 0)->energy, energy);
  w.diary->GetDayEntry(10, kMay, 2024, 0)->energy = 1;
  ASSERT_TRUE(test::ClickCell(day, 1, 3));
  ASSERT_TRUE(test::Click(v.CalcRezeptBtn));
  EXPECT_DOUBLE_EQ(w.diary->GetDayEntry(10, kMay, 2024, 0)->energy, energy);
  EXPECT_DOUBLE_EQ(w.diary->GetDayEntry(10, kMay, 2024, 0)->amount, 1);

  // "Stammdaten der aktuellen Person ...": Anna's data.
  std::string shown;
  EXPECT_TRUE(test::WhileModal([&] { shown = fromQ(o.personData.NameEdt->text()); },
                               [&] { ASSERT_TRUE(ChooseMenuItem(v.MainMnu, v.StammdatenMnu)); }));
  EXPECT_EQ(shown, "Anna");
  v.close();
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
