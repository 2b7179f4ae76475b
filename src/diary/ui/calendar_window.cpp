#include "diary/ui/calendar_window.h"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/lang_table.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TDateInpDlg* DateInpDlg = nullptr;

TDateInpDlg::TDateInpDlg(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("DateInpDlg"));
  MonthCoBo = Named<QComboBox>(this, "MonthCoBo");
  YearCoBo = Named<QComboBox>(this, "YearCoBo");
  MonthGrd = Named<QTableWidget>(this, "MonthGrd");
  AktDateTxt = Named<QLabel>(this, "AktDateTxt");
  TodayBtn = Captioned<QPushButton>(this, "TodayBtn", "Heute");
  LastYearBtn = Captioned<QPushButton>(this, "LastYearBtn", "<<");
  LastMonthBtn = Captioned<QPushButton>(this, "LastMonthBtn", "<");
  NextMonthBtn = Captioned<QPushButton>(this, "NextMonthBtn", ">");
  NextYearBtn = Captioned<QPushButton>(this, "NextYearBtn", ">>");

  MonthGrd->setColumnCount(7);
  MonthGrd->setRowCount(7);
  MonthGrd->horizontalHeader()->setVisible(false);
  MonthGrd->verticalHeader()->setVisible(false);
  MonthGrd->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  MonthGrd->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  MonthGrd->verticalHeader()->setDefaultSectionSize(16);
  MonthGrd->verticalHeader()->setMinimumSectionSize(14);
  MonthGrd->setShowGrid(false);
  MonthGrd->setEditTriggers(QAbstractItemView::NoEditTriggers);
  MonthGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  MonthGrd->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  MonthGrd->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  MonthGrd->setFocusPolicy(Qt::StrongFocus);
  MonthGrd->setMinimumHeight(7 * 16 + 4);
  AktDateTxt->setAlignment(Qt::AlignCenter);
  AktDateTxt->setFrameShape(QFrame::StyledPanel);
  AktDateTxt->setFrameShadow(QFrame::Sunken);
  for (QPushButton* b : {LastYearBtn, LastMonthBtn, NextMonthBtn, NextYearBtn})
    b->setFixedWidth(24);
  for (QPushButton* b : {TodayBtn, LastYearBtn, LastMonthBtn, NextMonthBtn, NextYearBtn})
    b->setAutoDefault(false);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  auto* top = new QHBoxLayout;
  top->setSpacing(2);
  top->addWidget(MonthCoBo, 3);
  top->addWidget(YearCoBo, 2);
  column->addLayout(top);
  column->addWidget(MonthGrd, 1);
  column->addWidget(AktDateTxt);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(0);
  buttons->addWidget(LastYearBtn);
  buttons->addWidget(LastMonthBtn);
  buttons->addWidget(TodayBtn, 1);
  buttons->addWidget(NextMonthBtn);
  buttons->addWidget(NextYearBtn);
  column->addLayout(buttons);

  FillCombos();
  connect(TodayBtn, &QPushButton::clicked, this, [this] { TodayBtnClick(); });
  connect(LastYearBtn, &QPushButton::clicked, this, [this] { LastYearBtnClick(); });
  connect(NextYearBtn, &QPushButton::clicked, this, [this] { NextYearBtnClick(); });
  connect(LastMonthBtn, &QPushButton::clicked, this, [this] { LastMonthBtnClick(); });
  connect(NextMonthBtn, &QPushButton::clicked, this, [this] { NextMonthBtnClick(); });
  connect(MonthCoBo, &QComboBox::activated, this, [this] { MonthCoBoChange(); });
  connect(YearCoBo, &QComboBox::activated, this, [this] { MonthCoBoChange(); });
  // A move of the current cell (mouse or keys) picks its day; a click on the day already
  // current picks it again.
  connect(MonthGrd, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
    if (!filling_ && row >= 0) MonthGrdClick(row, column);
  });
  connect(MonthGrd, &QTableWidget::cellClicked, this, [this](int row, int column) {
    const QTableWidgetItem* item = MonthGrd->item(row, column);
    if (item && item->text().toInt() == date_.day) MonthGrdClick(row, column);
  });
  if (LangDlg) LangDlg->TranslateForm(this);
  // After the translation, which gives the date text its empty caption.
  SetToday();
  hide();
}

void TDateInpDlg::FillCombos() {
  for (int m = 0; m < 12; ++m) MonthCoBo->addItem(toQ(GetLangText(236 + m)));
  for (int y = kCalendarFirstYear; y <= kCalendarLastYear; ++y)
    YearCoBo->addItem(QString::number(y));
  for (int c = 0; c < 7; ++c) {
    auto* item = new QTableWidgetItem(toQ(GetLangText(351 + c)));
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsEnabled);
    item->setBackground(palette().button());
    QFont f = item->font();
    f.setBold(true);
    item->setFont(f);
    MonthGrd->setItem(0, c, item);
  }
}

TDateInpDlg::~TDateInpDlg() {
  if (DateInpDlg == this) DateInpDlg = nullptr;
}

void TDateInpDlg::GetDate(int& day, int& month, int& year) const {
  day = date_.day;
  month = date_.month;
  year = date_.year;
}

void TDateInpDlg::SetDate(int day, int month, int year) {
  date_ = {day, month, year};
  ClampDay(date_);
  filling_ = true;
  MonthCoBo->setCurrentIndex(month);
  YearCoBo->setCurrentIndex(year - kCalendarFirstYear);  // -1 outside the range: no selection
  filling_ = false;
  FillMonthGrid();
  AktDateTxt->setText(toQ(CalendarDateText(date_, LanguageFromSettings())));
}

void TDateInpDlg::SetToday() {
  const QDate today = QDate::currentDate();
  SetDate(today.day(), today.month() - 1, today.year());
}

void TDateInpDlg::FireDateChanged() {
  if (dateChanged_) dateChanged_();
}

void TDateInpDlg::FillMonthGrid() {
  const MonthGridLayout g = LayoutMonthGrid(date_);
  filling_ = true;
  MonthGrd->setRowCount(g.rowCount);
  for (int r = 1; r < g.rowCount; ++r)
    for (int c = 0; c < 7; ++c) {
      const int d = g.cells[static_cast<size_t>(r)][static_cast<size_t>(c)];
      auto* item = new QTableWidgetItem(d ? QString::number(d) : QString());
      item->setTextAlignment(Qt::AlignCenter);
      item->setFlags(d ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
      if (c >= 5 && d) item->setForeground(QColor(0, 0, 170));
      MonthGrd->setItem(r, c, item);
    }
  MonthGrd->setCurrentCell(g.selectedRow, g.selectedColumn);
  filling_ = false;
}

void TDateInpDlg::Step(CalendarStep step) {
  if (!StepCalendar(date_, step)) return;
  SetDate(date_.day, date_.month, date_.year);
  FireDateChanged();
}

void TDateInpDlg::TodayBtnClick() {
  SetToday();
  FireDateChanged();
}
void TDateInpDlg::LastYearBtnClick() {
  Step(CalendarStep::PreviousYear);
}
void TDateInpDlg::NextYearBtnClick() {
  Step(CalendarStep::NextYear);
}
void TDateInpDlg::LastMonthBtnClick() {
  Step(CalendarStep::PreviousMonth);
}
void TDateInpDlg::NextMonthBtnClick() {
  Step(CalendarStep::NextMonth);
}

void TDateInpDlg::MonthCoBoChange() {
  if (filling_ || MonthCoBo->currentIndex() < 0 || YearCoBo->currentIndex() < 0) return;
  SetDate(date_.day, MonthCoBo->currentIndex(), YearCoBo->currentIndex() + kCalendarFirstYear);
  FireDateChanged();
}

void TDateInpDlg::MonthGrdClick(int row, int column) {
  if (row < 1) return;
  const QTableWidgetItem* item = MonthGrd->item(row, column);
  if (!item || item->text().isEmpty()) return;
  date_.day = item->text().toInt();
  AktDateTxt->setText(toQ(CalendarDateText(date_, LanguageFromSettings())));
  if (!filling_) FireDateChanged();
}

TDateInpDlg* DockCalendar(QWidget* panel, std::function<void()> dateChanged) {
  auto* calendar = new TDateInpDlg(panel);
  DockColumn(panel)->addWidget(calendar);
  calendar->SetDateChangedEvent(std::move(dateChanged));
  calendar->show();
  return calendar;
}

}  // namespace tav
