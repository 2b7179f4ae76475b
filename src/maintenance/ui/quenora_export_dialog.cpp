#include "maintenance/ui/quenora_export_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "nutrients/food_database.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "services/context.h"
#include "services/ui/context_list_box.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TQuenoraDlg* QuenoraDlg = nullptr;

TQuenoraDlg::TQuenoraDlg(QWidget* parent) : QDialog(parent) {
  QuenoraDlg = this;
  setObjectName(QStringLiteral("QuenoraDlg"));
  setWindowTitle(toQ("Abgleich Quenora"));
  resize(750, 558);

  QNSyncMnu = Named<QTabWidget>(this, "QNSyncMnu");
  SyncPage = new QWidget;  // the page has no component name
  BLSPage = Named<QWidget>(nullptr, "BLSPage");
  QNSyncMnu->addTab(SyncPage, toQ("Synchronisation"));
  QNSyncMnu->addTab(BLSPage, toQ("BLS-Datenexport"));

  StartExportBtn = Captioned<QPushButton>(BLSPage, "StartExportBtn", "Export starten");
  PageControl1 = Named<QTabWidget>(BLSPage, "PageControl1");
  TabSheet1 = Named<QWidget>(nullptr, "TabSheet1");
  TabSheet2 = Named<QWidget>(nullptr, "TabSheet2");
  PageControl1->addTab(TabSheet1, toQ("BLS-Lebensmittel"));
  PageControl1->addTab(TabSheet2, toQ("BLS-Inhaltsstoffe"));

  BLSTre = Named<QTreeWidget>(TabSheet1, "BLSTre");
  SelBLSTre = Named<QTreeWidget>(TabSheet1, "SelBLSTre");
  for (QTreeWidget* tree : {BLSTre, SelBLSTre}) tree->setHeaderHidden(true);
  Button3 = Captioned<QPushButton>(TabSheet1, "Button3", "<<");
  Button4 = Captioned<QPushButton>(TabSheet1, "Button4", ">>");
  // Foods are not exported yet: the buttons would do nothing.
  Button3->setEnabled(false);
  Button4->setEnabled(false);
  auto* foodButtons = new QVBoxLayout;
  foodButtons->addStretch(1);
  foodButtons->addWidget(Button3);
  foodButtons->addWidget(Button4);
  foodButtons->addStretch(1);
  auto* foods = new QHBoxLayout(TabSheet1);
  foods->addWidget(SelBLSTre, 1);
  foods->addLayout(foodButtons);
  foods->addWidget(BLSTre, 1);

  StoffGrd = Named<QTableWidget>(TabSheet2, "StoffGrd");
  StoffGrd->setColumnCount(3);
  StoffGrd->verticalHeader()->hide();
  StoffGrd->setSelectionBehavior(QAbstractItemView::SelectRows);
  StoffGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  StoffGrd->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StoffLiBo = Named<TContextListBox>(TabSheet2, "StoffLiBo");
  StoffLiBo->SetMultiSelect(true);
  AddStoffBtn = Captioned<QPushButton>(TabSheet2, "AddStoffBtn", "<<");
  RemoveStoffBtn = Captioned<QPushButton>(TabSheet2, "RemoveStoffBtn", ">>");
  auto* stoffButtons = new QVBoxLayout;
  stoffButtons->addStretch(1);
  stoffButtons->addWidget(AddStoffBtn);
  stoffButtons->addWidget(RemoveStoffBtn);
  stoffButtons->addStretch(1);
  auto* stoffe = new QHBoxLayout(TabSheet2);
  stoffe->addWidget(StoffGrd, 5);
  stoffe->addLayout(stoffButtons);
  stoffe->addWidget(StoffLiBo, 2);

  auto* blsPage = new QVBoxLayout(BLSPage);
  blsPage->addWidget(PageControl1, 1);
  auto* exportRow = new QHBoxLayout;
  exportRow->addStretch(1);
  exportRow->addWidget(StartExportBtn);
  blsPage->addLayout(exportRow);

  CloseBtn = Captioned<QPushButton>(this, "CloseBtn",
                                    "&Schlie\xDF"
                                    "en");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(QNSyncMnu, 1);
  layout->addLayout(DialogButtonRow(nullptr, {CloseBtn}));

  connect(StartExportBtn, &QPushButton::clicked, this, [this] { StartExportBtnClick(); });
  connect(AddStoffBtn, &QPushButton::clicked, this, [this] { AddStoffBtnClick(); });
  connect(StoffLiBo, &QListWidget::itemDoubleClicked, this, [this] { AddStoffBtnClick(); });
  connect(RemoveStoffBtn, &QPushButton::clicked, this, [this] { RemoveStoffBtnClick(); });
  connect(CloseBtn, &QPushButton::clicked, this, [this] { CloseBtnClick(); });
  FormCreate();
}

void TQuenoraDlg::FormCreate() {
  StoffGrd->setColumnWidth(0, 270);
  StoffGrd->setColumnWidth(1, 50);
  StoffGrd->setColumnWidth(2, 40);
  StoffGrd->horizontalHeader()->setStretchLastSection(true);
  QNSyncMnu->setCurrentWidget(BLSPage);
  PageControl1->setCurrentWidget(TabSheet2);
  if (LangDlg) LangDlg->TranslateForm(this);
  StoffGrd->setHorizontalHeaderLabels(
      {toQ(GetLangText(1065)), toQ(GetLangText(1066)), toQ(GetLangText(1067))});
}

void TQuenoraDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TQuenoraDlg::FormShow() {
  // Read when shown rather than at every start: a missing group file is said when it matters.
  LoadBlsStructure();
  FillBlsNutrientList();
  LoadSiblingNutrients();
  ShowSiblingNutrients();
  CenterOnForm(this);
}

void TQuenoraDlg::LoadBlsStructure() {
  BLSTre->clear();
  std::vector<BLSGROUPNODE> tree;
  if (!FoodDatabase::ReadBLSGroupTree(tree)) {
    ShowError(389);
    return;
  }
  for (const BLSGROUPNODE& group : tree) {
    auto* item = new QTreeWidgetItem(BLSTre, {toQ(group.text)});
    item->setData(0, Qt::UserRole, group.data);
    for (const BLSGROUPNODE& child : group.children)
      (new QTreeWidgetItem(item, {toQ(child.text)}))->setData(0, Qt::UserRole, child.data);
  }
}

void TQuenoraDlg::FillBlsNutrientList() {
  StoffLiBo->clear();
  NutrientTable* table = ctx().nutrients;
  if (!table) return;
  table->PrepareFilter(true);
  for (int p = 0; p < table->GetStoffCount(); ++p) {
    ISTOFF s;
    if (!table->GetStoffAtPos(p, &s) || !s.visible || s.isText) continue;
    StoffLiBo->addItem(toQ(s.name + " (" + CutUnit(s.unit) + ")"));
    StoffLiBo->SetItemData(StoffLiBo->count() - 1, p);
  }
}

void TQuenoraDlg::AddStoffBtnClick() {
  NutrientTable* table = ctx().nutrients;
  if (!table) return;
  for (int i = 0; i < StoffLiBo->count(); ++i) {
    if (!StoffLiBo->item(i)->isSelected()) continue;
    ISTOFF s;
    if (table->GetStoffAtPos(StoffLiBo->GetItemData(i), &s) && s.visible)
      AddSiblingNutrient(chosen_, s);
  }
  ShowSiblingNutrients();
}

void TQuenoraDlg::RemoveStoffBtnClick() {
  const int r = StoffGrd->currentRow() + 1;  // the grid's header is its row 0
  if (r >= 1 && r - 1 < static_cast<int>(chosen_.size())) chosen_.erase(chosen_.begin() + (r - 1));
  ShowSiblingNutrients();
}

void TQuenoraDlg::ShowSiblingNutrients() {
  StoffGrd->clearContents();
  StoffGrd->setRowCount(chosen_.empty() ? 1 : static_cast<int>(chosen_.size()));
  for (size_t n = 0; n < chosen_.size(); ++n) {
    const int row = static_cast<int>(n);
    StoffGrd->setItem(row, 0, new QTableWidgetItem(toQ(chosen_[n].stoff.name)));
    StoffGrd->setItem(row, 1, new QTableWidgetItem(toQ(chosen_[n].stoff.unit)));
    StoffGrd->setItem(row, 2, new QTableWidgetItem(toQ(chosen_[n].stoff.code)));
  }
}

void TQuenoraDlg::SaveSiblingNutrients() {
  if (!tav::SaveSiblingNutrients(SiblingExportFile(), chosen_, &file_) && !file_.Refused())
    MessageBox("QNSyncStoff could not be saved", "Tavolin", MB_OK);
}

void TQuenoraDlg::LoadSiblingNutrients() {
  chosen_.clear();
  if (ctx().nutrients)
    chosen_ = tav::LoadSiblingNutrients(SiblingExportFile(), *ctx().nutrients, &file_);
}

}  // namespace tav
