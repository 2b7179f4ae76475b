#include "diary/ui/intake_tables_dialog.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "diary/diary_module.h"
#include "diary/intake_editing.h"
#include "diary/requirement_rows.h"
#include "diary/ui/age_range_dialog.h"
#include "diary/ui/diary_pictures.h"
#include "nutrients/nutrient_table.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "services/context.h"
#include "services/text_tools.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TZufuhrDlg* ZufuhrDlg = nullptr;

namespace {

constexpr int kLabelCol = 0, kMaleCol = 1, kFemaleCol = 2, kUnitCol = 3;

QTableWidgetItem* ReadOnlyCell(const std::string& text) {
  auto* item = new QTableWidgetItem(toQ(text));
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
}

QTableWidgetItem* ValueCell(QTableWidgetItem* item) {
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

}  // namespace

TZufuhrDlg::TZufuhrDlg(QWidget* parent) : QDialog(parent) {
  ZufuhrDlg = this;
  setObjectName(QStringLiteral("ZufuhrDlg"));
  setWindowTitle(toQ("Tagesbedarf eines Stoffes"));
  ctx().intake = this;
  StoffChooseCoBo = Named<QComboBox>(this, "StoffChooseCoBo");
  StoffChooseCoBo->setMaxVisibleItems(20);
  StoffChooseCoBo->setIconSize(QSize(16, 16));
  StoffGrd = Named<QTableWidget>(this, "StoffGrd");
  StoffGrd->setColumnCount(4);
  StoffGrd->verticalHeader()->setVisible(false);
  StoffGrd->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StoffGrd->verticalHeader()->setDefaultSectionSize(20);
  StoffGrd->setEditTriggers(QAbstractItemView::AllEditTriggers);
  StoffGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  StoffGrd->setEnabled(false);
  StoffGrd->horizontalHeader()->setStretchLastSection(true);
  StoffGrd->horizontalHeader()->setSectionsClickable(false);
  StoffGrd->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StoffGrd->setMinimumSize(380, 200);
  NewBtn = Captioned<QPushButton>(this, "NewBtn", "Altersbereich &einf\xFCgen");
  DelBtn = Captioned<QPushButton>(this, "DelBtn", "Altersbereich &l\xF6schen");
  OKBtn = Captioned<QPushButton>(this, "OKBtn", "&OK");
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");
  HelpBtn = Captioned<QPushButton>(this, "HelpBtn", "&Hilfe");
  OKBtn->setDefault(true);
  EnableEditing(false);
  auto* column = new QVBoxLayout(this);
  column->addWidget(StoffChooseCoBo);
  column->addLayout(WithSideButtons(StoffGrd, {NewBtn, DelBtn}), 1);
  column->addLayout(DialogButtonRow(HelpBtn, {OKBtn, CancelBtn}));
  // FormCreate: the headers (column 0, the labels, stays without one), then the file.
  StoffGrd->setHorizontalHeaderLabels(
      {QString(), toQ(GetLangText(481)), toQ(GetLangText(482)), toQ(GetLangText(483))});
  StoffGrd->setColumnWidth(kLabelCol, 130);
  StoffGrd->setColumnWidth(kMaleCol, 80);
  StoffGrd->setColumnWidth(kFemaleCol, 80);
  ReadStoffCalc();
  connect(StoffChooseCoBo, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) StoffChooseCoBoChange();
  });
  connect(StoffGrd, &QTableWidget::cellChanged, this, [this](int row, int column) {
    if (!filling_) StoffGrdSetEditText(column, row);
  });
  connect(NewBtn, &QPushButton::clicked, this, [this] { NewBtnClick(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(HelpBtn, &QPushButton::clicked, this, [this] { HelpBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
  resize(560, 380);
}

TZufuhrDlg::~TZufuhrDlg() {
  if (ctx().intake == this) ctx().intake = nullptr;
  if (ZufuhrDlg == this) ZufuhrDlg = nullptr;
}

void TZufuhrDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TZufuhrDlg::FormShow() {
  if (StoffChooseCoBo->count() == 0) {
    filling_ = true;
    codes_.clear();
    StoffChooseCoBo->addItem(toQ(GetLangText(463)));
    codes_.emplace_back();
    if (ctx().nutrients)
      for (const RequirementNutrient& n : RequirementNutrients(*ctx().nutrients)) {
        StoffChooseCoBo->addItem(toQ(n.name));
        codes_.push_back(n.code);
      }
    StoffChooseCoBo->setCurrentIndex(0);
    chosenIndex_ = 0;
    filling_ = false;
  }
  // A Cancel may have dropped the chosen nutrient's new table: it gets its open end again.
  if (!chosenCode_.empty()) EnsureChosenTable();
  EnableEditing(!chosenCode_.empty());
  MarkNutrientItems();
  FillIntakeGrid();
  CenterOnForm(this);
}

void TZufuhrDlg::EnableEditing(bool on) {
  NewBtn->setEnabled(on);
  DelBtn->setEnabled(on);
  StoffGrd->setEnabled(on);
}

void TZufuhrDlg::MarkNutrientItems() {
  for (int i = 1; i < StoffChooseCoBo->count() && i < static_cast<int>(codes_.size()); ++i) {
    const int t = FindIntakeTable(codes_[static_cast<size_t>(i)]);
    const bool values = t >= 0 && IntakeHasValues(tables[static_cast<size_t>(t)]);
    StoffChooseCoBo->setItemIcon(
        i, QIcon(DiaryPixmap(values ? DiaryPicture::HasValues : DiaryPicture::NoValues)));
    StoffChooseCoBo->setItemData(i, values ? QColor(0, 128, 0) : QColor(128, 0, 0),
                                 Qt::ForegroundRole);
  }
}

ZUFUHR* TZufuhrDlg::ChosenTable() {
  if (chosenCode_.empty()) return nullptr;
  const int t = FindIntakeTable(chosenCode_);
  return t < 0 ? nullptr : &tables[static_cast<size_t>(t)];
}

ZUFUHR& TZufuhrDlg::EnsureChosenTable() {
  if (!ChosenTable()) tables.push_back(ZUFUHR{chosenCode_, chosenUnit_, {}});
  ZUFUHR& t = *ChosenTable();
  t.unit = chosenUnit_;
  if (t.rows.empty()) t.rows.push_back({kOpenEnd, -1, -1});
  return t;
}

void TZufuhrDlg::StoffChooseCoBoChange() {
  if (!TakeIntakeGrid()) {
    // The typed value of the nutrient before stays on screen to be mended.
    filling_ = true;
    StoffChooseCoBo->setCurrentIndex(chosenIndex_);
    filling_ = false;
    return;
  }
  const int i = StoffChooseCoBo->currentIndex();
  chosenIndex_ = i;
  EnableEditing(i > 0);
  if (i > 0 && i < static_cast<int>(codes_.size())) {
    chosenCode_ = codes_[static_cast<size_t>(i)];
    chosenUnit_.clear();
    ISTOFF s;
    if (ctx().nutrients && ctx().nutrients->FindStoffByCode(chosenCode_, &s)) {
      const std::string unit = s.unit;
      chosenUnit_ = unit.size() > 5 ? unit.substr(0, unit.size() - 5) : std::string();
    }
    EnsureChosenTable();
  } else {
    chosenCode_.clear();
  }
  FillIntakeGrid();
}

void TZufuhrDlg::FillIntakeGrid() {
  filling_ = true;
  StoffGrd->clearContents();
  const ZUFUHR* t = ChosenTable();
  if (!t || t->rows.empty()) {
    StoffGrd->setRowCount(1);  // the empty state: one row without text
    filling_ = false;
    return;
  }
  const int rows = static_cast<int>(t->rows.size());
  StoffGrd->setRowCount(rows);
  for (int k = 0; k < rows; ++k) {
    const ZUFUHRAGE& r = t->rows[static_cast<size_t>(k)];
    QTableWidgetItem* label = ReadOnlyCell(IntakeRowLabel(*t, k));
    label->setBackground(StoffGrd->palette().button());
    StoffGrd->setItem(k, kLabelCol, label);
    // The rows of pregnant and nursing women take no value for men.
    StoffGrd->setItem(k, kMaleCol,
                      ValueCell(IsWomenOnlyRow(r)
                                    ? ReadOnlyCell(std::string())
                                    : new QTableWidgetItem(toQ(IntakeCellText(r.male)))));
    StoffGrd->setItem(k, kFemaleCol,
                      ValueCell(new QTableWidgetItem(toQ(IntakeCellText(r.female)))));
    StoffGrd->setItem(k, kUnitCol, ReadOnlyCell(chosenUnit_));
  }
  filling_ = false;
}

bool TZufuhrDlg::TakeIntakeGrid() {
  ZUFUHR* t = ChosenTable();
  if (!t || t->rows.empty()) return true;
  const int rows = std::min(StoffGrd->rowCount(), static_cast<int>(t->rows.size()));
  std::vector<ZUFUHRAGE> taken(t->rows.begin(), t->rows.end());
  for (int r = 0; r < rows; ++r) {
    for (int c : {kMaleCol, kFemaleCol}) {
      const QTableWidgetItem* item = StoffGrd->item(r, c);
      const std::string text = item ? fromQ(item->text()) : std::string();
      ZUFUHRAGE& row = taken[static_cast<size_t>(r)];
      double& value = c == kMaleCol ? row.male : row.female;
      if (c == kMaleCol && IsWomenOnlyRow(row)) {
        value = -1;
      } else if (!ParseIntakeCell(text, value)) {
        StoffGrd->setCurrentCell(r, c);
        MessageBox(FormatLangText(GetLangText(936), {text}), GetLangText(15), MB_OK);
        return false;
      }
    }
  }
  t->rows = std::move(taken);
  MarkNutrientItems();
  return true;
}

void TZufuhrDlg::StoffGrdSetEditText(int column, int row) {
  QTableWidgetItem* item = StoffGrd->item(row, column);
  if (!item) return;
  const ZUFUHR* t = ChosenTable();
  filling_ = true;
  if (!t || t->rows.empty() || row >= static_cast<int>(t->rows.size()))
    item->setText(QString());
  else if (column == kUnitCol)
    item->setText(toQ(chosenUnit_));
  else if (column == kLabelCol)
    item->setText(toQ(IntakeRowLabel(*t, row)));
  else if (IsWomenOnlyRow(t->rows[static_cast<size_t>(row)]) && column != kFemaleCol)
    item->setText(QString());
  filling_ = false;
}

void TZufuhrDlg::NewBtnClick() {
  if (chosenCode_.empty() || !TakeIntakeGrid() || !AgeInputDlg) return;
  AgeInputDlg->exec();
  const int bound = AgeInputDlg->GetNewAgeBound();
  if (bound == 0) return;
  if (!AddAgeBound(EnsureChosenTable(), bound)) {
    MessageBox(GetLangText(935), GetLangText(15), MB_OK);
    return;
  }
  FillIntakeGrid();
  // The new row is the one to type into.
  const ZUFUHR* t = ChosenTable();
  for (int k = 0; t && k < static_cast<int>(t->rows.size()); ++k)
    if (t->rows[static_cast<size_t>(k)].age == bound)
      StoffGrd->setCurrentCell(k, bound >= kPregnant ? kFemaleCol : kMaleCol);
}

void TZufuhrDlg::DelBtnClick() {
  if (!TakeIntakeGrid()) return;
  ZUFUHR* t = ChosenTable();
  if (!t) return;
  const int row = StoffGrd->currentRow();
  if (row >= 0 && row < static_cast<int>(t->rows.size()) &&
      t->rows[static_cast<size_t>(row)].age == kOpenEnd) {
    MessageBox(GetLangText(937), GetLangText(15), MB_OK);
    return;
  }
  if (DeleteAgeRow(*t, row)) {
    FillIntakeGrid();
    MarkNutrientItems();
  }
}

void TZufuhrDlg::OKBtnClick() {
  if (!TakeIntakeGrid()) return;
  // A file that cannot be written keeps the window open with everything typed (message 891).
  if (!WriteStoffCalc()) return;
  if (ENApplogMod) {
    ENApplogMod->UpdateRequirements();
    ENApplogMod->NotifyDiaryChanged();  // the day values show the new requirements
  }
  accept();
}

void TZufuhrDlg::CancelBtnClick() {
  reject();
}

void TZufuhrDlg::reject() {
  ReadStoffCalc();
  QDialog::reject();
}

void TZufuhrDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Zufuhr.htm");
}

}  // namespace tav
