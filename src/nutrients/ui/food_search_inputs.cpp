#include "nutrients/ui/food_search_inputs.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "nutrients/food_database.h"
#include "nutrients/ui/food_grids.h"
#include "platform/qt/qt_text.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/ui/named_controls.h"

namespace tav {

int FillBLSResultGrid(char kind, const std::string& text, int op, const std::string& code,
                      QTableWidget* grid) {
  FoodDatabase* foods = ctx().foods;
  if (!foods) return 0;
  foods->SearchBLS(kind, text, op, code);
  FillFoodRows(grid, foods->foodList);
  if (!foods->foodList.empty()) {
    grid->setCurrentCell(0, 1);
    grid->selectRow(0);
  }
  return static_cast<int>(foods->foodList.size());
}

FoodSearchInputs::FoodSearchInputs(QWidget* parent, const QStringList& gridTitles)
    : QObject(parent) {
  BLSRdb = Named<QRadioButton>(parent, "BLSRdb");
  BLSRdb->setText(toQ("BLS-&Schl\xFCssel:"));
  BLSEdt = Named<QLineEdit>(parent, "BLSEdt");
  BLSEdt->setMaxLength(9);
  BLSEdt->setMaximumWidth(BLSEdt->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 9 + 16);
  BLSExTxt = Named<QLabel>(parent, "BLSExTxt");
  BLSExTxt->setText(toQ("(z. B. \"B\" oder \"C101000\")"));
  LMRdb = Named<QRadioButton>(parent, "LMRdb");
  LMRdb->setText(toQ("&Name enth\xE4lt:"));
  LMEdt = Named<QLineEdit>(parent, "LMEdt");
  MengeRdb = Named<QRadioButton>(parent, "MengeRdb");
  MengeRdb->setText(toQ("&Mengenvergleich:  (Aufwendig, kann etwas dauern)"));
  StoffCoBo = Named<QComboBox>(parent, "StoffCoBo");
  StoffCoBo->setMinimumContentsLength(24);
  StoffCoBo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  CompCoBo = Named<QComboBox>(parent, "CompCoBo");
  MengeEdt = Named<QLineEdit>(parent, "MengeEdt");
  MengeEdt->setMaximumWidth(90);
  StartBtn = Named<QPushButton>(parent, "StartBtn");
  StartBtn->setText(toQ("Suche &starten"));
  SearchResultGrd = NewFoodGrid(parent, "SearchResultGrd", gridTitles);
  SearchResultGrd->horizontalHeader()->setStretchLastSection(true);
  NoResTxt = Named<QLabel>(parent, "NoResTxt");
  NoResTxt->setText(toQ("Es wurde noch nicht gesucht."));
  NothFoundTxt = Named<QLabel>(parent, "NothFoundTxt");
  NothFoundTxt->setText(toQ("Es wurde kein passendes Lebensmittel gefunden."));
  for (QLabel* l : {NoResTxt, NothFoundTxt}) {
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::StyledPanel);
  }

  FillSearchNutrients(StoffCoBo, codes);
  FillCompareOperators(CompCoBo);
  StoffCoBo->setCurrentIndex(StoffCoBo->count() > 0 ? 0 : -1);
  CompCoBo->setCurrentIndex(0);

  connect(LMEdt, &QLineEdit::textChanged, this, [this] {
    LMRdb->setChecked(true);
    emit InputChanged();
  });
  connect(BLSEdt, &QLineEdit::textChanged, this, [this] {
    BLSRdb->setChecked(true);
    emit InputChanged();
  });
  auto amount = [this] {
    MengeRdb->setChecked(true);
    emit InputChanged();
  };
  connect(StoffCoBo, &QComboBox::currentIndexChanged, this, amount);
  connect(CompCoBo, &QComboBox::currentIndexChanged, this, amount);
  connect(MengeEdt, &QLineEdit::textChanged, this, amount);
}

QGridLayout* FoodSearchInputs::InputLayout() {
  auto* grid = new QGridLayout;
  grid->addWidget(BLSRdb, 0, 0);
  auto* key = new QHBoxLayout;
  key->addWidget(BLSEdt);
  key->addWidget(BLSExTxt);
  key->addStretch(1);
  grid->addLayout(key, 0, 1);
  grid->addWidget(LMRdb, 1, 0);
  grid->addWidget(LMEdt, 1, 1);
  grid->addWidget(MengeRdb, 2, 0, 1, 2);
  auto* amount = new QHBoxLayout;
  amount->addSpacing(20);
  amount->addWidget(StoffCoBo, 1);
  amount->addWidget(CompCoBo);
  amount->addWidget(MengeEdt);
  grid->addLayout(amount, 3, 0, 1, 2);
  auto* start = new QHBoxLayout;
  start->addStretch(1);
  start->addWidget(StartBtn);
  grid->addLayout(start, 4, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  return grid;
}

QVBoxLayout* FoodSearchInputs::ResultLayout() {
  auto* column = new QVBoxLayout;
  column->addWidget(SearchResultGrd, 1);
  column->addWidget(NoResTxt, 1);
  column->addWidget(NothFoundTxt, 1);
  return column;
}

void FoodSearchInputs::ShowNoSearchYet() {
  NoResTxt->show();
  NothFoundTxt->hide();
  SearchResultGrd->hide();
}

bool FoodSearchInputs::HasResult() const {
  return !SearchResultGrd->isHidden() && !CellText(SearchResultGrd, 0, 0).empty();
}

int FoodSearchInputs::StartSearch() {
  char kind = 0;
  std::string text, code;
  int op = 0;
  if (BLSRdb->isChecked()) {
    kind = 'B';
    text = UpperCaseAnsi(fromQ(BLSEdt->text()));
  } else if (LMRdb->isChecked()) {
    kind = 'L';
    text = UpperCaseAnsi(fromQ(LMEdt->text()));
  } else if (MengeRdb->isChecked()) {
    kind = 'S';
    const int row = StoffCoBo->currentIndex();
    if (row < 0 || row >= static_cast<int>(codes.size())) return -1;
    code = codes[static_cast<size_t>(row)];
    op = CompCoBo->currentIndex();
    text = fromQ(MengeEdt->text());
  } else {
    ShowError(375);
    return -1;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const int hits = FillBLSResultGrid(kind, text, op, code, SearchResultGrd);
  QApplication::restoreOverrideCursor();
  NoResTxt->hide();
  NothFoundTxt->setVisible(hits == 0);
  SearchResultGrd->setVisible(hits > 0);
  return hits;
}

}  // namespace tav
