#include "recipedb/ui/statistics_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "recipedb/book_statistics.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/ui/reorg_dialog.h"
#include "recipedb/unit_table.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/grid_columns.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TStatistikDlg* StatistikDlg = nullptr;

namespace {

QTableWidget* Grid(QWidget* parent, const char* name, int columns,
                   std::initializer_list<int> widths) {
  auto* g = Named<QTableWidget>(parent, name);
  g->setColumnCount(columns);
  g->verticalHeader()->hide();
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->setSelectionBehavior(QAbstractItemView::SelectRows);
  g->setSelectionMode(QAbstractItemView::SingleSelection);
  g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 6);
  int c = 0;
  for (int w : widths) g->setColumnWidth(c++, w);
  g->horizontalHeader()->setStretchLastSection(true);
  g->horizontalHeader()->setHighlightSections(false);
  return g;
}

void SetCell(QTableWidget* g, int row, int column, const std::string& text, bool number = false) {
  auto* item = new QTableWidgetItem(toQ(text));
  if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  g->setItem(row, column, item);
}

void SetHeaders(QTableWidget* g, std::initializer_list<int> texts) {
  QStringList labels;
  for (int t : texts) labels << toQ(GetLangText(t));
  g->setHorizontalHeaderLabels(labels);
}

}  // namespace

TStatistikDlg::TStatistikDlg(QWidget* parent) : QDialog(parent) {
  StatistikDlg = this;
  setObjectName(QStringLiteral("StatistikDlg"));
  setWindowTitle(toQ("Statistik"));
  setModal(true);

  DBGrd = Grid(this, "DBGrd", 6, {160, 60, 60, 60, 60, 140});
  DBGrd->setMinimumHeight(150);
  GattGrd = Grid(this, "GattGrd", 3, {160, 60, 0});
  GattGrd->setColumnHidden(2, true);
  GattGrd->horizontalHeader()->setStretchLastSection(false);
  GattGrd->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  GattGrd->setMinimumSize(240, 208);
  SonstGrd = Grid(this, "SonstGrd", 2, {214, 60});
  SonstGrd->setRowCount(9);
  SonstGrd->setSelectionMode(QAbstractItemView::NoSelection);
  SonstGrd->setMinimumSize(280, 174);
  WaitTxt = Captioned<QLabel>(this, "WaitTxt", "Datenbank wird durchsucht. Bitte warten...:");
  WaitTxt->setStyleSheet(QStringLiteral("color: red;"));
  reorgOneBtn = Named<QPushButton>(this, "reorgOneBtn");
  reorgAllBtn = Captioned<QPushButton>(this, "reorgAllBtn", "komprimiere &alle Kochb\xFC" "cher");
  OKBtn = Captioned<QPushButton>(this, "OKBtn", "&Schlie\xDF" "en");
  OKBtn->setDefault(true);
  HelpBtn = Captioned<QToolButton>(this, "HelpBtn", "?");
  reorgOneBtn->setAutoDefault(false);
  reorgAllBtn->setAutoDefault(false);

  auto* lower = new QHBoxLayout;
  lower->addWidget(GattGrd, 1);
  auto* other = new QVBoxLayout;
  other->addWidget(SonstGrd, 1);
  other->addWidget(WaitTxt);
  lower->addLayout(other, 1);
  auto* compress = new QHBoxLayout;
  compress->addWidget(reorgOneBtn);
  compress->addWidget(reorgAllBtn);
  compress->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(DBGrd, 1);
  layout->addLayout(compress);
  layout->addLayout(lower, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {OKBtn}));

  connect(DBGrd, &QTableWidget::itemSelectionChanged, this, [this] { DBGrdClick(); });
  connect(reorgOneBtn, &QPushButton::clicked, this, [this] { reorgOneBtnClick(); });
  connect(reorgAllBtn, &QPushButton::clicked, this, [this] { reorgAllBtnClick(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { reject(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });

  // Until the figures are in, only the waiting text tells what happens.
  reorgOneBtn->hide();
  OKBtn->hide();
  HelpBtn->hide();
  if (LangDlg) LangDlg->TranslateForm(this);
  SetHeaders(DBGrd, {189, 190, 191, 192, 193, 194});
  SetHeaders(GattGrd, {187, 188});
  SetHeaders(SonstGrd, {198, 199});
  DBGrd->setRowCount(3);
  for (int row = 0; row < 3; ++row) SetCell(DBGrd, row, 0, GetLangText(195 + row));
  for (int row = 0; row < 9; ++row) SetCell(SonstGrd, row, 0, GetLangText(200 + row));
}

void TStatistikDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterOnForm(this);
}

void TStatistikDlg::ComputeStatistics() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  WaitTxt->show();
  BookStatistics s;
  if (ctx().books && ctx().categories) s = ComputeBookStatistics(*ctx().books, *ctx().categories);

  const QSignalBlocker quiet(DBGrd);
  DBGrd->clearContents();
  DBGrd->setRowCount(static_cast<int>(s.books.size()) + 1);
  auto fill = [this](int row, const std::string& name, const BookFigures& f) {
    const int waste = WastePercent(f);
    SetCell(DBGrd, row, 0, name);
    SetCell(DBGrd, row, 1, std::to_string(f.live), true);
    SetCell(DBGrd, row, 2, std::to_string(f.deleted), true);
    SetCell(DBGrd, row, 3, std::to_string(f.rewrites), true);
    SetCell(DBGrd, row, 4, WasteText(waste), true);
    SetCell(DBGrd, row, 5, GetLangText(AdviceText(waste, f.live)));
  };
  fill(0, GetLangText(195), s.total);
  for (size_t i = 0; i < s.books.size(); ++i)
    fill(static_cast<int>(i) + 1, s.books[i], s.figures[i]);

  GattGrd->clearContents();
  GattGrd->setRowCount(static_cast<int>(s.categories.size()));
  for (size_t i = 0; i < s.categories.size(); ++i) {
    const int row = static_cast<int>(i);
    SetCell(GattGrd, row, 0, s.categories[i].name);
    SetCell(GattGrd, row, 1, std::to_string(s.categories[i].recipes), true);
    SetCell(GattGrd, row, 2, std::to_string(s.categories[i].id));
  }

  int main = 0, sub = 0, free = 0, fixedUnits = 0, converting = 0, ingredients = 0;
  if (ctx().categories) ctx().categories->CountGattKinds(main, sub, free);
  if (ctx().units) ctx().units->CountUnitKinds(fixedUnits, converting);
  if (ctx().ingredients) ctx().ingredients->CountZutaten(ingredients);
  const LexiconCounts* lexicon = Registered<LexiconCounts>::Get();
  const int counts[] = {static_cast<int>(s.books.size()),
                        main,
                        sub,
                        free,
                        fixedUnits,
                        converting,
                        ingredients,
                        lexicon ? lexicon->CountLexiconChapters() : 0,
                        lexicon ? lexicon->CountLexiconEntries() : 0};
  for (int row = 0; row < 9; ++row) SetCell(SonstGrd, row, 1, std::to_string(counts[row]), true);
  FitGridColumns(DBGrd, 160);

  reorgOneBtn->hide();
  WaitTxt->hide();
  OKBtn->show();
  HelpBtn->show();
  QApplication::restoreOverrideCursor();
}

std::string TStatistikDlg::SelectedBook() const {
  const QList<QTableWidgetItem*> items = DBGrd->selectedItems();
  if (items.isEmpty()) return std::string();
  const int row = items.front()->row();
  const QTableWidgetItem* name = DBGrd->item(row, 0);
  return row >= 1 && name ? fromQ(name->text()) : std::string();
}

void TStatistikDlg::DBGrdClick() {
  const std::string book = SelectedBook();
  if (book.empty()) {
    reorgOneBtn->hide();
    return;
  }
  reorgOneBtn->setText(toQ(GetLangText(212) + book + GetLangText(213)));
  reorgOneBtn->show();
}

void TStatistikDlg::Compress(int mode, const std::string& book) {
  if (!ReorgDlg) return;
  ReorgDlg->PrepareReorgDlg(static_cast<int16_t>(mode), book);
  ReorgDlg->exec();
  ComputeStatistics();
}

void TStatistikDlg::reorgOneBtnClick() {
  const std::string book = SelectedBook();
  if (!book.empty()) Compress(2, book);
}

void TStatistikDlg::reorgAllBtnClick() { Compress(1, std::string()); }

void TStatistikDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Statis.htm");
}

}  // namespace tav
