#include "nutrients/ui/nutrient_calc_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "nutrients/nutrient_report.h"
#include "nutrients/nutrient_table.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "nutrients/ui/food_chooser_dialog.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TBLSZutatDlg* BLSZutatDlg = nullptr;

namespace {

// Paints a cell without the selection highlight: PaintRows gives the selected row its colours.
class RowColourDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem plain(option);
    plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    QStyledItemDelegate::paint(painter, plain, index);
  }
};

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QTableWidget* NewGrid(const char* name, QWidget* parent) {
  auto* g = Named(new QTableWidget(0, 5, parent), name);
  g->verticalHeader()->hide();
  g->setSelectionBehavior(QAbstractItemView::SelectRows);
  g->setSelectionMode(QAbstractItemView::SingleSelection);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 6);
  g->horizontalHeader()->setHighlightSections(false);
  return g;
}

void SetHeader(QTableWidget* grid, int firstText) {
  QStringList titles;
  for (int i = 0; i < 5; ++i) titles << toQ(GetLangText(firstText + i));
  grid->setHorizontalHeaderLabels(titles);
}

void SetRow(QTableWidget* grid, int row, const std::array<std::string, 5>& cells) {
  for (int c = 0; c < 5; ++c) {
    auto* item = new QTableWidgetItem(toQ(cells[c]));
    if (grid->objectName() == QLatin1String("StoffGrd") && (c == 1 || c == 2 || c == 3))
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->setItem(row, c, item);
  }
}

void SetLabelColour(QLabel* label, const QColor& colour) {
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
}

}  // namespace

TBLSZutatDlg::TBLSZutatDlg(QWidget* parent) : QDialog(parent) {
  BLSZutatDlg = this;
  ctx().calc = this;
  setObjectName(QStringLiteral("BLSZutatDlg"));
  setWindowTitle(QString::fromUtf8("Nährwertberechnung nach BLS"));
  setModal(true);

  Label1 = Named(new QLabel(QStringLiteral("Rezept:"), this), "Label1");
  TitleTxt = Named(new QLabel(this), "TitleTxt");
  QFont bold = TitleTxt->font();
  bold.setBold(true);
  TitleTxt->setFont(bold);

  ZutatGrd = NewGrid("ZutatGrd", this);
  SetHeader(ZutatGrd, 606);
  // The rows carry their own colours, the selected one included.
  ZutatGrd->setItemDelegate(new RowColourDelegate(ZutatGrd));
  const int ingredientWidths[] = {60, 50, 200, 200, 90};
  for (int c = 0; c < 5; ++c) ZutatGrd->setColumnWidth(c, ingredientWidths[c]);
  ZutatGrd->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);

  MengeGrp = Named(new QGroupBox(QString::fromUtf8(" Mengenumrechnung: "), this), "MengeGrp");
  CalcOKRdb = Named(new QRadioButton(MengeGrp), "CalcOKRdb");
  CalcOKRdb->setEnabled(false);
  AutoCalcRdb = Named(new QLabel(QStringLiteral("Autom. Umrechnung OK"), MengeGrp), "AutoCalcRdb");
  NotCalcRdb = Named(new QRadioButton(MengeGrp), "NotCalcRdb");
  NotCalcRdb->setEnabled(false);
  Label5 = Named(new QLabel(QStringLiteral("Nicht umrechenbar"), MengeGrp), "Label5");
  EgalRdb = Named(new QRadioButton(QStringLiteral("Menge ist unbedeutend"), MengeGrp), "EgalRdb");
  ManInputRdb =
      Named(new QRadioButton(QStringLiteral("Man. Gewichtseingabe:"), MengeGrp), "ManInputRdb");
  ManGrammEdt = Named(new QLineEdit(MengeGrp), "ManGrammEdt");
  ManGrammEdt->setMaximumWidth(90);
  for (QLabel* l : {AutoCalcRdb, Label5}) {
    l->setCursor(Qt::PointingHandCursor);
    l->installEventFilter(this);
  }
  auto* weights = new QGridLayout(MengeGrp);
  weights->addWidget(CalcOKRdb, 0, 0);
  weights->addWidget(AutoCalcRdb, 0, 1, 1, 2);
  weights->addWidget(NotCalcRdb, 1, 0);
  weights->addWidget(Label5, 1, 1, 1, 2);
  weights->addWidget(EgalRdb, 2, 0, 1, 3);
  weights->addWidget(ManInputRdb, 3, 0, 1, 2);
  weights->addWidget(ManGrammEdt, 3, 2);
  weights->setColumnStretch(1, 1);

  GetBLSCodeBtn =
      Named(new QPushButton(QStringLiteral("&BLS-Code zuweisen"), this), "GetBLSCodeBtn");
  ErrMsgTxt = Named(new QLabel(this), "ErrMsgTxt");
  ErrMsg2Txt = Named(new QLabel(this), "ErrMsg2Txt");
  for (QLabel* l : {ErrMsgTxt, ErrMsg2Txt}) {
    SetLabelColour(l, QColor(0xFF, 0, 0));
    l->setWordWrap(true);
  }

  StoffGrd = NewGrid("StoffGrd", this);
  SetHeader(StoffGrd, 611);
  const int resultWidths[] = {240, 90, 90, 78, 80};
  for (int c = 0; c < 5; ++c) StoffGrd->setColumnWidth(c, resultWidths[c]);
  StoffGrd->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  Label2 = Named(new QLabel(QStringLiteral("Stoff-Filter:"), this), "Label2");
  BLSFilterCoBo = Named(new QComboBox(this), "BLSFilterCoBo");
  BLSFilterCoBo->setMinimumContentsLength(24);
  Label2->setBuddy(BLSFilterCoBo);
  OutputResultBtn =
      Named(new QPushButton(QStringLiteral("Ausgabe der Werte"), this), "OutputResultBtn");
  ErrMsg3Txt = Named(new QLabel(this), "ErrMsg3Txt");
  ErrMsg3Txt->setFont(bold);
  HelpBtn = Named(new QPushButton(QStringLiteral("&Hilfe"), this), "HelpBtn");
  CloseBtn = Named(new QPushButton(QString::fromUtf8("&Schließen"), this), "CloseBtn");
  for (QPushButton* b : {GetBLSCodeBtn, OutputResultBtn, HelpBtn, CloseBtn})
    b->setAutoDefault(false);

  auto* title = new QHBoxLayout;
  title->addWidget(Label1);
  title->addWidget(TitleTxt, 1);
  auto* lineTools = new QVBoxLayout;
  lineTools->addWidget(MengeGrp);
  lineTools->addWidget(GetBLSCodeBtn);
  lineTools->addWidget(ErrMsgTxt);
  lineTools->addWidget(ErrMsg2Txt);
  lineTools->addStretch(1);
  auto* upper = new QHBoxLayout;
  upper->addWidget(ZutatGrd, 1);
  upper->addLayout(lineTools);
  auto* filter = new QHBoxLayout;
  filter->addWidget(Label2);
  filter->addWidget(BLSFilterCoBo);
  filter->addSpacing(12);
  filter->addWidget(ErrMsg3Txt, 1);
  filter->addWidget(OutputResultBtn);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(HelpBtn);
  buttons->addWidget(CloseBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(title);
  layout->addLayout(upper, 3);
  layout->addLayout(filter);
  layout->addWidget(StoffGrd, 4);
  layout->addLayout(buttons);
  resize(900, 640);

  connect(ZutatGrd, &QTableWidget::currentCellChanged, this, [this] { ZutatGrdClick(); });
  connect(ZutatGrd, &QTableWidget::cellDoubleClicked, this, [this] { ZutatGrdDblClick(); });
  connect(GetBLSCodeBtn, &QPushButton::clicked, this, [this] { ZutatGrdDblClick(); });
  connect(ManGrammEdt, &QLineEdit::textChanged, this, [this] { ManGrammEdtChange(); });
  connect(ManInputRdb, &QRadioButton::clicked, this, [this] { ManGrammEdtChange(); });
  connect(EgalRdb, &QRadioButton::clicked, this, [this] { EgalRdbClick(); });
  connect(BLSFilterCoBo, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) BLSFilterCoBoChange();
  });
  connect(OutputResultBtn, &QPushButton::clicked, this, [this] { OutputResultBtnClick(); });
  connect(HelpBtn, &QPushButton::clicked, this, [this] { HelpBtnClick(); });
  connect(CloseBtn, &QPushButton::clicked, this, [this] { CloseBtnClick(); });

  FillFilterCombo();
  if (ctx().nutrients)
    filterListener_ = ctx().nutrients->AddFilterListListener([this] { FillFilterCombo(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

TBLSZutatDlg::~TBLSZutatDlg() {
  if (ctx().nutrients) ctx().nutrients->RemoveFilterListListener(filterListener_);
  if (ctx().calc == this) ctx().calc = nullptr;
  if (BLSZutatDlg == this) BLSZutatDlg = nullptr;
}

void TBLSZutatDlg::FillFilterCombo() {
  filling_ = true;
  BLSFilterCoBo->clear();
  if (ctx().nutrients)
    for (const std::string& entry : ctx().nutrients->FilterEntries())
      BLSFilterCoBo->addItem(toQ(entry));
  filling_ = false;
}

int TBLSZutatDlg::SelectedLine() const {
  return ZutatGrd->currentRow();
}

int TBLSZutatDlg::FilterItem() const {
  return BLSFilterCoBo->currentIndex();
}

void TBLSZutatDlg::SetFilterFromOption() {
  const int option = ctx().options ? ctx().options->Int(53) : -1;
  filling_ = true;
  BLSFilterCoBo->setCurrentIndex(option >= 0 && option < BLSFilterCoBo->count() ? option : 0);
  filling_ = false;
}

void TBLSZutatDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TBLSZutatDlg::FormShow() {
  TitleTxt->setText(calcRecipe ? toQ(calcRecipe->title) : QString());
  SetFilterFromOption();
  // The food browser's filter list takes option 53 as it stands.
  if (ctx().nutrients && ctx().options) ctx().nutrients->SetChosenFilter(ctx().options->Int(53));
  LoadLineFoods();
  ShowCalcResult();
  RecalcAllLines();
  ShowCalcLines();
  ZutatGrdClick();
  CenterOnForm(this);
}

void TBLSZutatDlg::ShowCalcLines() {
  const int selected = SelectedLine();
  const auto rows = IngredientRows();
  ZutatGrd->setRowCount(static_cast<int>(rows.size()));
  if (rows.empty()) return;
  fillingControls = true;
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) SetRow(ZutatGrd, r, rows[r]);
  PaintRows();
  const int line = selected >= 0 && selected < LineCount() ? selected : 0;
  ZutatGrd->setCurrentCell(line, 0);
  fillingControls = false;
  ShowLineMessages(line);
  SetFilterFromOption();
  LoadLineFoods();
  ShowCalcResult();
}

void TBLSZutatDlg::PaintRows() {
  const int selected = SelectedLine();
  for (int r = 0; r < ZutatGrd->rowCount() && r < LineCount(); ++r) {
    const BLSCALC& c = lines[r];
    const bool sel = r == selected;
    QColor back, text = Qt::black;
    if (c.isHeading) {
      back = QColor(0x40, 0x40, 0x40);
      text = sel ? QColor(0xFF, 0xFF, 0) : QColor(Qt::white);
    } else if (c.isUnimportant || (c.isConverted && !c.blsCode.empty())) {
      back = sel ? QColor(0xB0, 0xFF, 0xB0) : QColor(0xE0, 0xFF, 0xE0);
    } else if (c.isConverted) {
      back = sel ? QColor(0xFF, 0xFF, 0xB0) : QColor(0xFF, 0xFF, 0xE0);
    } else {
      back = sel ? QColor(0xFF, 0xB0, 0xB0) : QColor(0xFF, 0xE0, 0xE0);
    }
    for (int col = 0; col < 5; ++col) {
      if (QTableWidgetItem* item = ZutatGrd->item(r, col)) {
        item->setBackground(back);
        item->setForeground(text);
      }
    }
  }
}

void TBLSZutatDlg::ZutatGrdClick() {
  if (fillingControls) return;
  const int line = SelectedLine();
  if (line < 0 || line >= LineCount()) return;
  PaintRows();
  const BLSCALC& c = lines[line];
  const bool visible = !c.isHeading;
  for (QWidget* w : std::initializer_list<QWidget*>{MengeGrp, GetBLSCodeBtn, ErrMsgTxt, ErrMsg2Txt})
    w->setVisible(visible);
  if (visible) {
    fillingControls = true;
    ManGrammEdt->setText(toQ(c.manualGramsText));
    fillingControls = false;
    if (c.isUnimportant) {
      EgalRdb->setChecked(true);
    } else if (c.isManual) {
      ManInputRdb->setChecked(true);
    } else if (c.isConverted) {
      CalcOKRdb->setChecked(true);
      ShowLineMessages(line);
    } else {
      NotCalcRdb->setChecked(true);
      ShowLineMessages(line);
    }
  }
  ShowCalcResult();
}

void TBLSZutatDlg::ShowLineMessages(int line) {
  const auto texts = LineMessages(line);
  ErrMsgTxt->setText(toQ(texts[0]));
  ErrMsg2Txt->setText(toQ(texts[1]));
}

void TBLSZutatDlg::ZutatGrdDblClick() {
  if (SelectedLine() < 0 || SelectedLine() >= LineCount()) return;
  ChooseFoodForLine();
}

void TBLSZutatDlg::ChooseFoodForLine() {
  const int line = SelectedLine();
  std::string key, name;
  if (chooseFood)
    chooseFood(lines[line].ingredient, key, name);
  else if (BLSChooseDlg)
    BLSChooseDlg->ChooseFoodFor(lines[line].ingredient, key, name);
  SetLineFood(line, key, name);  // the lines are read and summed again either way
  ShowCalcLines();
}

void TBLSZutatDlg::ManGrammEdtChange() {
  if (fillingControls) return;
  const int line = SelectedLine();
  if (line < 0 || line >= LineCount()) return;
  ManInputRdb->setChecked(true);
  SetManualGrams(line, fromQ(ManGrammEdt->text()));
  ShowCalcLines();
}

void TBLSZutatDlg::EgalRdbClick() {
  const int line = SelectedLine();
  if (line < 0 || line >= LineCount()) return;
  SetUnimportant(line);
  ShowCalcLines();
}

void TBLSZutatDlg::AutoCalcRdbClick() {
  const int line = SelectedLine();
  if (line < 0 || line >= LineCount()) return;
  SetAutomatic(line);
  ShowCalcLines();
  if (lines[line].isConverted) {
    CalcOKRdb->setChecked(true);
  } else {
    NotCalcRdb->setChecked(true);
  }
}

void TBLSZutatDlg::ShowCalcResult() {
  SetFilterFromOption();
  const auto rows = ResultRows(FilterItem(), SelectedLine());
  StoffGrd->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) SetRow(StoffGrd, r, rows[r]);
}

void TBLSZutatDlg::ShowCalcState() {
  StoffGrd->setHorizontalHeaderItem(2, new QTableWidgetItem(toQ(ServingColumnTitle())));
  ErrMsg3Txt->setText(toQ(StatusText()));
  SetLabelColour(ErrMsg3Txt, complete ? QColor(0, 0x80, 0) : QColor(0xFF, 0, 0));
}

void TBLSZutatDlg::BLSFilterCoBoChange() {
  const int item = BLSFilterCoBo->currentIndex();
  if (ctx().options) ctx().options->SetParaInt(53, item);
  if (ctx().nutrients) ctx().nutrients->SetChosenFilter(item);
  if (filterChanged)
    filterChanged(item);
  else if (BLSMainDlg)
    BLSMainDlg->FilterChosenElsewhere();
  ShowCalcResult();
}

void TBLSZutatDlg::OutputResultBtnClick() {
  NutrientReport report;
  report.title = fromQ(TitleTxt->text());
  const auto cell = [](QTableWidget* g, int r, int c) {
    const QTableWidgetItem* item = g->item(r, c);
    return item ? fromQ(item->text()) : std::string();
  };
  for (int r = 0; r < ZutatGrd->rowCount(); ++r)
    report.ingredientRows.push_back({cell(ZutatGrd, r, 0), cell(ZutatGrd, r, 1),
                                     cell(ZutatGrd, r, 2), cell(ZutatGrd, r, 3),
                                     cell(ZutatGrd, r, 4)});
  for (int r = 0; r < StoffGrd->rowCount(); ++r)
    report.resultRows.push_back({cell(StoffGrd, r, 0), cell(StoffGrd, r, 1), cell(StoffGrd, r, 2),
                                 cell(StoffGrd, r, 3), cell(StoffGrd, r, 4)});
  const QTableWidgetItem* title = StoffGrd->horizontalHeaderItem(2);
  report.servingTitle = title ? fromQ(title->text()) : std::string();
  report.status = fromQ(ErrMsg3Txt->text());
  OutputNutrientReport(report);
}

void TBLSZutatDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_BLSNCalc.htm");
}

void TBLSZutatDlg::CloseBtnClick() {
  StoreNutrientSums();
  HandEnergyToEditor();
  accept();
}

void TBLSZutatDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    CloseBtnClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TBLSZutatDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      (watched == AutoCalcRdb || watched == Label5)) {
    AutoCalcRdbClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tav
