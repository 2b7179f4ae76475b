#include "kitchen/ui/shopping_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "exchange/ui/list_printing.h"
#include "kitchen/shopping/dealers.h"
#include "kitchen/shopping/shopping_note.h"
#include "kitchen/ui/dealers_dialog.h"
#include "kitchen/ui/shopping_list_window.h"
#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipedb/recipe_store.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"
#include "services/ui/pane_parts.h"
#include "services/ui/tips_access.h"

namespace tav {

TEinkaufDlg* EinkaufDlg = nullptr;

namespace {

constexpr int kGridColumns = 7;
// Column widths of the ingredient grid at a character width of 6 pixels (the amount column at
// least as wide as "0000,00"); columns 5 and 6 hold data only.
constexpr int kColumnWidth[kGridColumns] = {10, 48, 160, 50, 110, 0, 0};

}  // namespace

TEinkaufDlg::TEinkaufDlg(QWidget* parent) : QDialog(parent) {
  EinkaufDlg = this;
  setObjectName(QStringLiteral("EinkaufDlg"));
  setWindowTitle(QStringLiteral("Einkaufsliste erstellen"));
  setModal(true);

  RezGrp = KitchenGroup(this, "RezGrp", " Rezeptliste: ");
  RezeptLiBo = Named<QListWidget>(RezGrp, "RezeptLiBo");
  MengeLbl = Captioned<QLabel>(RezGrp, "MengeLbl", "Zutaten f\xFCr:");
  MengeEdt = Named<QLineEdit>(RezGrp, "MengeEdt");
  MengeEdt->setMaxLength(98);
  MengeEdt->setFixedWidth(60);
  MengeTxt = Named<QLabel>(RezGrp, "MengeTxt");
  auto* servings = new QHBoxLayout;
  servings->addWidget(MengeLbl);
  servings->addWidget(MengeEdt);
  servings->addWidget(MengeTxt, 1);
  auto* rezBox = new QVBoxLayout(RezGrp);
  rezBox->addWidget(RezeptLiBo, 1);
  rezBox->addLayout(servings);

  SonstGrp = KitchenGroup(this, "SonstGrp", " Sonstige Besorgungen: ");
  SonstEdt = Named<QPlainTextEdit>(SonstGrp, "SonstEdt");
  auto* sonstBox = new QVBoxLayout(SonstGrp);
  sonstBox->addWidget(SonstEdt);

  ZutatGrp = KitchenGroup(this, "ZutatGrp", " Zutatenliste: ");
  ZutatGrd = Named<QTableWidget>(ZutatGrp, "ZutatGrd");
  ZutatGrd->setColumnCount(kGridColumns);
  ZutatGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  ZutatGrd->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
  ZutatGrd->setWordWrap(false);
  // The narrow fixed first column is the row header: dragging it moves a row.
  ZutatGrd->setColumnHidden(0, true);
  ZutatGrd->setColumnHidden(5, true);
  ZutatGrd->setColumnHidden(6, true);
  QHeaderView* rowHeader = ZutatGrd->verticalHeader();
  rowHeader->setFixedWidth(kColumnWidth[0]);
  rowHeader->setSectionsMovable(true);
  rowHeader->setSectionResizeMode(QHeaderView::Fixed);
  rowHeader->setDefaultSectionSize(ZutatGrd->fontMetrics().height() + 4);
  // Wider with a wider font, so amounts such as "1250,75" fit.
  const double scale = std::max(1.0, ZutatGrd->fontMetrics().averageCharWidth() / 6.0);
  for (int c = 1; c < kGridColumns; ++c)
    ZutatGrd->setColumnWidth(c, static_cast<int>(kColumnWidth[c] * scale));
  ZutatGrd->setColumnWidth(1, std::max(ZutatGrd->columnWidth(1),
                                       ZutatGrd->fontMetrics().horizontalAdvance("0000,00") + 12));
  ZutatGrd->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  ZutatGrd->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
  ZutatGrd->installEventFilter(this);
  HaendlerLbl =
      Captioned<QLabel>(ZutatGrp, "HaendlerLbl", "Diese Zutat kaufen beim H\xE4ndler/Theke:");
  HaendlerCoBo = Named<QComboBox>(ZutatGrp, "HaendlerCoBo");
  HaendlerCoBo->setMinimumWidth(180);
  HaendlerBtn = Captioned<QToolButton>(ZutatGrp, "HaendlerBtn", "...");
  auto* dealerRow = new QHBoxLayout;
  dealerRow->addWidget(HaendlerLbl);
  dealerRow->addWidget(HaendlerCoBo, 1);
  dealerRow->addWidget(HaendlerBtn);
  auto* zutatBox = new QVBoxLayout(ZutatGrp);
  zutatBox->addWidget(ZutatGrd, 1);
  zutatBox->addLayout(dealerRow);

  editList = Captioned<QPushButton>(this, "editList", "Einkaufsliste im &Texteditor anzeigen");
  printList = Captioned<QPushButton>(this, "printList", "Einkaufszettel drucken");
  printList->setDefault(true);
  OKBtn = Captioned<QPushButton>(this, "OKBtn",
                                 "&Schlie\xDF"
                                 "en");
  OKBtn->setAutoDefault(false);
  HelpBtn = Captioned<QToolButton>(this, "HelpBtn", "?");

  auto* left = new QVBoxLayout;
  left->addWidget(RezGrp, 3);
  left->addWidget(SonstGrp, 2);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 2);
  top->addWidget(ZutatGrp, 3);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {editList, printList, OKBtn}));

  connect(RezeptLiBo, &QListWidget::currentRowChanged, this, [this] { RezeptLiBoClick(); });
  connect(RezeptLiBo, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    // Only a changed tick counts; item texts are set by the dialog with signals blocked.
    const bool ticked = item->checkState() == Qt::Checked;
    if (item->data(Qt::UserRole).toBool() == ticked) return;
    item->setData(Qt::UserRole, ticked);
    RezeptLiBoClickCheck(RezeptLiBo->row(item));
  });
  connect(MengeEdt, &QLineEdit::textEdited, this, [this] { MengeEdtChange(); });
  connect(ZutatGrd, &QTableWidget::cellClicked, this,
          [this](int row, int col) { ZutatGrdClick(row, col); });
  connect(HaendlerCoBo, &QComboBox::activated, this, [this](int i) { HaendlerCoBoChange(i); });
  connect(HaendlerBtn, &QToolButton::clicked, this, [this] { HaendlerBtnClick(); });
  connect(editList, &QPushButton::clicked, this, [this] { editListClick(); });
  connect(printList, &QPushButton::clicked, this, [this] { printListClick(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });

  if (LangDlg) LangDlg->TranslateForm(this);
  ZutatGrd->setHorizontalHeaderLabels({QString(), toQ(GetLangText(531)), toQ(GetLangText(532)),
                                       toQ(GetLangText(533)), toQ(GetLangText(534)), QString(),
                                       QString()});
  resize(820, 520);
}

DealerTable* TEinkaufDlg::Table() const {
  return ThekeDlg;
}

void TEinkaufDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  PrepareEinkaufList();
  FillDealerCombo();
  dealersChanged = false;
  CenterOnForm(this);
}

void TEinkaufDlg::PrepareEinkaufList() {
  records.clear();
  if (KaufRezListDlg) BuildKaufZettel(KaufRezListDlg->list.Entries(), records);
  ReadZettelRecipes(records, ctx().dbList ? IndexedRecipeReader(*ctx().dbList) : RecipeReader());
  if (ctx().userSettings) ApplySavedServings(records, ReadSavedServings(*ctx().userSettings));

  filling_ = true;
  {
    const QSignalBlocker quiet(RezeptLiBo);
    RezeptLiBo->clear();
    for (const KAUFZETTEL& z : records) {
      auto* item = new QListWidgetItem(toQ(ZettelItemText(z)), RezeptLiBo);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      const bool ticked = !z.missing;
      item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
      item->setData(Qt::UserRole, ticked);
    }
    MengeEdt->clear();
    MengeTxt->clear();
    if (!records.empty()) {
      RezeptLiBo->setCurrentRow(0);
      MengeEdt->setText(toQ(FormatGeneral(records[0].chosenServings)));
      MengeTxt->setText(toQ(records[0].servingKind));
    }
  }
  filling_ = false;
  BuildZutatenListe();
  SonstEdt->setPlainText(ctx().userSettings ? toQ(SavedErrands(*ctx().userSettings)) : QString());
  if (ctx().userSettings) {
    std::vector<ShoppingRow> rows = GridRows();
    RestoreBuyMarks(rows, *ctx().userSettings);
    SetGridRows(rows);
  }
}

std::vector<bool> TEinkaufDlg::Ticks() const {
  std::vector<bool> ticks;
  for (int i = 0; i < RezeptLiBo->count(); ++i)
    ticks.push_back(RezeptLiBo->item(i)->checkState() == Qt::Checked);
  return ticks;
}

void TEinkaufDlg::BuildZutatenListe() {
  SetGridRows(tav::BuildZutatenListe(records, Ticks(), Table()));
}

void TEinkaufDlg::FillDealerCombo() {
  HaendlerCoBo->clear();
  if (DealerTable* t = Table())
    for (const std::string& name : t->DealerNames()) HaendlerCoBo->addItem(toQ(name));
  HaendlerCoBo->addItem(QStringLiteral("---"));
  HaendlerCoBo->setCurrentIndex(-1);
}

int TEinkaufDlg::ModelRow(int place) const {
  return ZutatGrd->verticalHeader()->logicalIndex(place);
}

QString TEinkaufDlg::Cell(int row, int col) const {
  const QTableWidgetItem* item = ZutatGrd->item(row, col);
  return item ? item->text() : QString();
}

void TEinkaufDlg::SetCell(int row, int col, const QString& text) {
  if (QTableWidgetItem* item = ZutatGrd->item(row, col)) item->setText(text);
}

std::vector<ShoppingRow> TEinkaufDlg::GridRows() const {
  std::vector<ShoppingRow> rows;
  for (int place = 0; place < ZutatGrd->rowCount(); ++place) {
    const int r = ModelRow(place);
    ShoppingRow row;
    for (int c = 0; c < kGridColumns; ++c) row[c] = fromQ(Cell(r, c));
    rows.push_back(std::move(row));
  }
  return rows;
}

void TEinkaufDlg::SetGridRows(const std::vector<ShoppingRow>& rows) {
  ZutatGrd->setRowCount(0);
  ZutatGrd->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    for (int c = 0; c < kGridColumns; ++c) {
      auto* item = new QTableWidgetItem(toQ(rows[r][c]));
      if (c != 1 && c != 2) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      ZutatGrd->setItem(r, c, item);
    }
    ZutatGrd->setVerticalHeaderItem(r, new QTableWidgetItem(QString()));
  }
}

std::vector<std::string> TEinkaufDlg::TickedItems() const {
  std::vector<std::string> items;
  for (int i = 0; i < RezeptLiBo->count(); ++i)
    if (RezeptLiBo->item(i)->checkState() == Qt::Checked)
      items.push_back(fromQ(RezeptLiBo->item(i)->text()));
  return items;
}

void TEinkaufDlg::RezeptLiBoClick() {
  const int i = RezeptLiBo->currentRow();
  if (i < 0 || i >= static_cast<int>(records.size())) return;
  filling_ = true;
  MengeEdt->setText(toQ(FormatGeneral(records[i].chosenServings)));
  MengeTxt->setText(toQ(records[i].servingKind));
  filling_ = false;
}

void TEinkaufDlg::RezeptLiBoClickCheck(int item) {
  if (item < 0 || item >= static_cast<int>(records.size())) return;
  if (records[item].missing) {
    QListWidgetItem* it = RezeptLiBo->item(item);
    const QSignalBlocker quiet(RezeptLiBo);
    it->setCheckState(Qt::Unchecked);
    it->setData(Qt::UserRole, false);
    return;
  }
  BuildZutatenListe();
}

void TEinkaufDlg::MengeEdtChange() {
  const int i = RezeptLiBo->currentRow();
  if (filling_ || i < 0 || i >= static_cast<int>(records.size())) return;
  KAUFZETTEL& z = records[i];
  const std::string s = fromQ(MengeEdt->text());
  {
    const QSignalBlocker quiet(RezeptLiBo);
    RezeptLiBo->item(i)->setText(toQ(EditedItemText(z.entry.title, s, z.servingKind)));
  }
  z.chosenServings = ReadServings(s);
  BuildZutatenListe();
}

void TEinkaufDlg::ZutatGrdClick(int row, int col) {
  if (row < 0 || row >= ZutatGrd->rowCount()) return;
  if (col == 4) {
    dealersChanged = true;
    if (DealerTable* t = Table()) {
      int position = 0;
      const std::string next = t->GetNextHaendler(fromQ(Cell(row, 4)), position);
      SetCell(row, 4, toQ(next));
      SetCell(row, 5, QString::number(position));
      t->SetHaendlerOfZutat(next, fromQ(Cell(row, 6)));
    }
  }
  HaendlerCoBo->setCurrentIndex(
      HaendlerCoBo->findText(Cell(row, 4), Qt::MatchExactly | Qt::MatchCaseSensitive));
  if (col == 3) {
    const QString buy = toQ(GetLangText(223));
    SetCell(row, 3, Cell(row, 3) == buy ? toQ(GetLangText(225)) : buy);
  }
  if (col > 2) ZutatGrd->setCurrentCell(row, 2);
}

void TEinkaufDlg::HaendlerCoBoChange(int index) {
  const int row = ZutatGrd->currentRow();
  if (row < 0 || index < 0) return;
  const QString name = HaendlerCoBo->itemText(index);
  if (name == QStringLiteral("---")) {
    SetCell(row, 4, QString());
    SetCell(row, 5, QStringLiteral("0"));
    return;
  }
  SetCell(row, 4, name);
  SetCell(row, 5, QString::number(index + 1));
  if (DealerTable* t = Table()) t->SetHaendlerOfZutat(fromQ(name), fromQ(Cell(row, 6)));
  dealersChanged = true;
}

void TEinkaufDlg::HaendlerBtnClick() {
  DealerTable* t = Table();
  if (dealersChanged && t) t->SaveHaendler();
  if (ThekeDlg) ThekeDlg->exec();
  FillDealerCombo();
}

bool TEinkaufDlg::WriteKaufListText() {
  return tav::WriteKaufListText(TickedItems(), GridRows(), fromQ(SonstEdt->toPlainText()));
}

void TEinkaufDlg::editListClick() {
  if (WriteKaufListText()) ShellOpenFile(KaufListTextPath());
}

void TEinkaufDlg::printListClick() {
  if (WriteKaufListText()) PrintShoppingList(this);
}

void TEinkaufDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_KList.htm");
}

void TEinkaufDlg::OKBtnClick() {
  if (ctx().userSettings)
    SaveShoppingState(*ctx().userSettings, records, GridRows(), fromQ(SonstEdt->toPlainText()));
  accept();
}

void TEinkaufDlg::keyPressEvent(QKeyEvent* e) {
  // Escape answers the close button, which keeps the choices.
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    OKBtnClick();
    return;
  }
  QDialog::keyPressEvent(e);
}

bool TEinkaufDlg::eventFilter(QObject* watched, QEvent* e) {
  if (watched == ZutatGrd && e->type() == QEvent::FocusIn && !tipShown_) {
    tipShown_ = true;
    if (TipsAccess* tips = TipsWindow()) tips->ShowTip(5, 2);
  }
  // Enter in the grid ends the edit of a cell (its editor commits it) and nothing else: it
  // never reaches the default button, which would print.
  if (watched == ZutatGrd && e->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
  }
  return QDialog::eventFilter(watched, e);
}

void TEinkaufDlg::done(int result) {
  if (dealersChanged)
    if (DealerTable* t = Table()) t->SaveHaendler();
  QDialog::done(result);
}

}  // namespace tav
