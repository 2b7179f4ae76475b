#include "kitchen/ui/dealers_dialog.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"
#include "services/ui/pane_parts.h"
#include "services/ui/tips_access.h"

namespace tav {

TThekeDlg* ThekeDlg = nullptr;

namespace {

// The tree takes only its own ingredient nodes; the window moves them in the table and
// rebuilds the tree, so the view itself moves nothing.
class DealerTree : public QTreeWidget {
 public:
  explicit DealerTree(TThekeDlg* dlg) : QTreeWidget(dlg), dlg_(dlg) {
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
  }

 protected:
  bool Accepts(const QDropEvent* e) const {
    return e->source() == this && dlg_->CanDragIngredient();
  }
  void dragEnterEvent(QDragEnterEvent* e) override {
    if (Accepts(e))
      e->acceptProposedAction();
    else
      e->ignore();
  }
  void dragMoveEvent(QDragMoveEvent* e) override {
    if (Accepts(e) && itemAt(e->position().toPoint()))
      e->acceptProposedAction();
    else
      e->ignore();
  }
  void dropEvent(QDropEvent* e) override {
    QTreeWidgetItem* target = itemAt(e->position().toPoint());
    if (!Accepts(e) || !target) {
      e->ignore();
      return;
    }
    e->setDropAction(Qt::CopyAction);
    e->accept();
    dlg_->ThekeTreeDragDrop(target);
  }

 private:
  TThekeDlg* dlg_;
};

}  // namespace

TThekeDlg::TThekeDlg(QWidget* parent) : QDialog(parent) {
  ThekeDlg = this;
  setObjectName(QStringLiteral("ThekeDlg"));
  setWindowTitle(toQ("H\xE4ndler und Abteilungen zum Erwerb von Zutaten"));
  setModal(true);

  ThekeTree = new DealerTree(this);
  ThekeTree->setObjectName(QStringLiteral("ThekeTree"));
  ThekeTree->setHeaderHidden(true);
  ThekeTree->setSelectionMode(QAbstractItemView::SingleSelection);
  ThekeTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ThekeTree->setMinimumWidth(240);

  HaendlerGrp = KitchenGroup(this, "HaendlerGrp", " H\xE4ndler oder Theke: ");
  HaendlerEdt = Named<QLineEdit>(HaendlerGrp, "HaendlerEdt");
  HaendlerLiBo = Named<QListWidget>(HaendlerGrp, "HaendlerLiBo");
  NewHaendlerBtn =
      Captioned<QPushButton>(HaendlerGrp, "NewHaendlerBtn", "&Neuen H\xE4ndler aufnehmen");
  ToolUpBtn = Named<QToolButton>(HaendlerGrp, "ToolUpBtn");
  ToolUpBtn->setArrowType(Qt::UpArrow);
  ToolDownBtn = Named<QToolButton>(HaendlerGrp, "ToolDownBtn");
  ToolDownBtn->setArrowType(Qt::DownArrow);
  DelHaendlerBtn = Captioned<QPushButton>(HaendlerGrp, "DelHaendlerBtn",
                                          "H\xE4ndler und alle seine Zutaten &l\xF6schen");
  auto* moves = new QVBoxLayout;
  moves->addWidget(ToolUpBtn);
  moves->addWidget(ToolDownBtn);
  moves->addStretch(1);
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(HaendlerLiBo, 1);
  listRow->addLayout(moves);
  auto* dealerBox = new QVBoxLayout(HaendlerGrp);
  dealerBox->addWidget(HaendlerEdt);
  dealerBox->addLayout(listRow, 1);
  dealerBox->addWidget(NewHaendlerBtn);
  dealerBox->addWidget(DelHaendlerBtn);

  ZutatPnl = KitchenGroup(this, "ZutatPnl", " Zutat: ");
  ZutatEdt = Named<QLineEdit>(ZutatPnl, "ZutatEdt");
  NewZutatBtn =
      Captioned<QPushButton>(ZutatPnl, "NewZutatBtn", "Neue &Zutat zum H\xE4ndler hinzuf\xFCgen");
  DelZutatBtn = Captioned<QPushButton>(ZutatPnl, "DelZutatBtn", "Zutat des H\xE4ndlers &entfernen");
  auto* zutatBox = new QVBoxLayout(ZutatPnl);
  zutatBox->addWidget(ZutatEdt);
  zutatBox->addWidget(NewZutatBtn);
  zutatBox->addWidget(DelZutatBtn);

  HelpBtn = Captioned<QToolButton>(this, "HelpBtn", "?");
  OKBtn = Captioned<QPushButton>(this, "OKBtn", "&OK");
  OKBtn->setDefault(true);
  CloseBtn = Captioned<QPushButton>(this, "CloseBtn", "&Abbrechen");

  auto* right = new QVBoxLayout;
  right->addWidget(HaendlerGrp, 1);
  right->addWidget(ZutatPnl);
  auto* top = new QHBoxLayout;
  top->addWidget(ThekeTree, 1);
  top->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {OKBtn, CloseBtn}));

  connect(HaendlerLiBo, &QListWidget::itemClicked, this, [this] { HaendlerLiBoClick(); });
  connect(ThekeTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
    if (!updating_) ThekeTreeChange(node);
  });
  connect(HaendlerEdt, &QLineEdit::textChanged, this, [this] { HaendlerEdtChange(); });
  connect(ZutatEdt, &QLineEdit::textChanged, this, [this] { ZutatEdtChange(); });
  connect(NewHaendlerBtn, &QPushButton::clicked, this, [this] { NewHaendlerBtnClick(); });
  connect(DelHaendlerBtn, &QPushButton::clicked, this, [this] { DelHaendlerBtnClick(); });
  connect(ToolUpBtn, &QToolButton::clicked, this, [this] { ToolUpBtnClick(); });
  connect(ToolDownBtn, &QToolButton::clicked, this, [this] { ToolDownBtnClick(); });
  connect(NewZutatBtn, &QPushButton::clicked, this, [this] { NewZutatBtnClick(); });
  connect(DelZutatBtn, &QPushButton::clicked, this, [this] { DelZutatBtnClick(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CloseBtn, &QPushButton::clicked, this, [this] { reject(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });

  // Creation: the table from the file, then the texts.
  ReadHaendler();
  Registered<DealerAccess>::Enter(this);
  if (LangDlg) LangDlg->TranslateForm(this);
  resize(620, 460);
}

TThekeDlg::~TThekeDlg() {
  Registered<DealerAccess>::Leave(this);
  if (ThekeDlg == this) ThekeDlg = nullptr;
}

bool TThekeDlg::IsIngredient(const QTreeWidgetItem* node) {
  return node && node->parent();
}

int TThekeDlg::DealerOf(const QTreeWidgetItem* node) {
  if (!node) return -1;
  const QTreeWidgetItem* top = node->parent() ? node->parent() : node;
  return top->data(0, Qt::UserRole).toInt();
}

bool TThekeDlg::CanDragIngredient() const {
  return IsIngredient(currentNode);
}

void TThekeDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  FillHaendlerList();
  FillThekeTree();
  updating_ = true;
  currentNode = nullptr;
  HaendlerLiBo->setCurrentRow(-1);
  HaendlerLiBo->clearSelection();
  HaendlerEdt->clear();
  updating_ = false;
  ShowZutatControls(false);
  CenterOnForm(this);
  QTimer::singleShot(0, this, [] {
    if (TipsAccess* tips = TipsWindow()) tips->ShowTip(25, 2);
  });
}

void TThekeDlg::done(int result) {
  QDialog::done(result);
  // Edits not saved with OK are dropped.
  ReadHaendler();
}

void TThekeDlg::FillThekeTree() {
  updating_ = true;
  currentNode = nullptr;
  ThekeTree->clear();
  const QIcon dealerIcon = PaneIcon(PanePicture::Dealer);
  const QIcon ingredientIcon = PaneIcon(PanePicture::Ingredient);
  for (size_t i = 0; i < dealers.size(); ++i) {
    auto* top = new QTreeWidgetItem(ThekeTree, {toQ(dealers[i].name)});
    top->setData(0, Qt::UserRole, static_cast<int>(i));
    top->setIcon(0, dealerIcon);
    for (size_t j = 0; j < dealers[i].ingredients.size(); ++j) {
      auto* child = new QTreeWidgetItem(top, {toQ(dealers[i].ingredients[j])});
      child->setData(0, Qt::UserRole, static_cast<int>(j));
      child->setIcon(0, ingredientIcon);
    }
  }
  ThekeTree->expandAll();
  updating_ = false;
}

void TThekeDlg::FillHaendlerList() {
  updating_ = true;
  HaendlerLiBo->clear();
  for (const HAENDLER& d : dealers) HaendlerLiBo->addItem(toQ(d.name));
  updating_ = false;
}

void TThekeDlg::SelectListRow(int row) {
  updating_ = true;
  HaendlerLiBo->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  updating_ = false;
}

void TThekeDlg::MakeCurrent(QTreeWidgetItem* node) {
  updating_ = true;
  ThekeTree->setCurrentItem(node);
  if (node) node->setSelected(true);
  currentNode = node;
  updating_ = false;
}

void TThekeDlg::SelectHaendlerNode(int k) {
  const int count = ThekeTree->topLevelItemCount();
  if (count == 0) return;
  MakeCurrent(ThekeTree->topLevelItem(std::min(k, count - 1)));
}

void TThekeDlg::ShowZutatControls(bool visible) {
  if (!isVisible()) return;
  updating_ = true;
  ZutatEdt->setVisible(visible);
  DelZutatBtn->setEnabled(visible);
  updating_ = false;
}

void TThekeDlg::HaendlerLiBoClick() {
  const int row = HaendlerLiBo->currentRow();
  if (row < 0) return;
  updating_ = true;
  HaendlerEdt->setText(HaendlerLiBo->item(row)->text());
  updating_ = false;
  SelectHaendlerNode(row);
}

void TThekeDlg::ThekeTreeChange(QTreeWidgetItem* node) {
  currentNode = node;
  if (!node) return;
  const int d = DealerOf(node);
  SelectListRow(d);
  updating_ = true;
  HaendlerEdt->setText(toQ(dealers[d].name));
  if (IsIngredient(node)) ZutatEdt->setText(node->text(0));
  updating_ = false;
  ShowZutatControls(IsIngredient(node));
}

void TThekeDlg::HaendlerEdtChange() {
  if (updating_ || !currentNode) return;
  QTreeWidgetItem* top = currentNode->parent() ? currentNode->parent() : currentNode;
  top->setText(0, HaendlerEdt->text());
  const int row = HaendlerLiBo->currentRow();
  if (row < 0 || row >= static_cast<int>(dealers.size())) return;
  HaendlerLiBo->item(row)->setText(HaendlerEdt->text());
  dealers[row].name = fromQ(HaendlerEdt->text());
}

void TThekeDlg::ZutatEdtChange() {
  if (updating_ || !IsIngredient(currentNode)) return;
  const int d = DealerOf(currentNode);
  const int z = currentNode->data(0, Qt::UserRole).toInt();
  if (z < 0 || z >= static_cast<int>(dealers[d].ingredients.size())) return;
  dealers[d].ingredients[z] = fromQ(ZutatEdt->text());
  currentNode->setText(0, ZutatEdt->text());
}

void TThekeDlg::NewHaendlerBtnClick() {
  HAENDLER d;
  d.name = GetLangText(529);
  dealers.push_back(d);
  const int index = static_cast<int>(dealers.size()) - 1;
  updating_ = true;
  HaendlerLiBo->addItem(toQ(d.name));
  updating_ = false;
  SelectListRow(index);
  auto* node = new QTreeWidgetItem(ThekeTree, {toQ(d.name)});
  node->setData(0, Qt::UserRole, index);
  node->setIcon(0, PaneIcon(PanePicture::Dealer));
  MakeCurrent(node);
  ShowZutatControls(false);
  updating_ = true;
  HaendlerEdt->setText(toQ(d.name));
  updating_ = false;
  HaendlerEdt->setFocus();
  HaendlerEdt->selectAll();
}

void TThekeDlg::DelHaendlerBtnClick() {
  const int row = HaendlerLiBo->currentRow();
  if (row < 0 || row >= static_cast<int>(dealers.size())) return;
  dealers.erase(dealers.begin() + row);
  FillThekeTree();
  FillHaendlerList();
  updating_ = true;
  if (dealers.empty()) {
    HaendlerEdt->clear();
    currentNode = nullptr;
    updating_ = false;
    return;
  }
  const int k = std::min(row, static_cast<int>(dealers.size()) - 1);
  HaendlerEdt->setText(toQ(dealers[k].name));
  updating_ = false;
  SelectListRow(k);
  SelectHaendlerNode(k);
  ShowZutatControls(false);
}

void TThekeDlg::MoveDealer(int step) {
  const int row = HaendlerLiBo->currentRow();
  const int to = row + step;
  if (row < 0 || to < 0 || to >= static_cast<int>(dealers.size())) return;
  std::swap(dealers[row], dealers[to]);
  FillThekeTree();
  FillHaendlerList();
  SelectListRow(to);
  SelectHaendlerNode(to);
}

void TThekeDlg::NewZutatBtnClick() {
  const int row = HaendlerLiBo->currentRow();
  if (row < 0 || row >= static_cast<int>(dealers.size())) return;
  const std::string name = GetLangText(530);
  dealers[row].ingredients.push_back(name);
  QTreeWidgetItem* top = ThekeTree->topLevelItem(row);
  if (!top) return;
  auto* node = new QTreeWidgetItem(top, {toQ(name)});
  node->setData(0, Qt::UserRole, static_cast<int>(dealers[row].ingredients.size()) - 1);
  node->setIcon(0, PaneIcon(PanePicture::Ingredient));
  top->setExpanded(true);
  MakeCurrent(node);
  ShowZutatControls(true);
  updating_ = true;
  ZutatEdt->setText(toQ(name));
  updating_ = false;
  ZutatEdt->setFocus();
  ZutatEdt->selectAll();
}

void TThekeDlg::DelZutatBtnClick() {
  if (!IsIngredient(currentNode)) return;
  const int d = DealerOf(currentNode);
  const int z = currentNode->data(0, Qt::UserRole).toInt();
  auto& list = dealers[d].ingredients;
  if (z >= 0 && z < static_cast<int>(list.size())) list.erase(list.begin() + z);
  FillThekeTree();
  SelectHaendlerNode(d);
  ShowZutatControls(false);
}

void TThekeDlg::ThekeTreeDragDrop(QTreeWidgetItem* target) {
  if (!IsIngredient(currentNode) || !target) return;
  const int from = DealerOf(currentNode);
  const int z = currentNode->data(0, Qt::UserRole).toInt();
  const int to = DealerOf(target);
  auto& old = dealers[from].ingredients;
  if (z < 0 || z >= static_cast<int>(old.size())) return;
  const std::string name = old[z];
  dealers[to].ingredients.push_back(name);
  // Appended first, so within one dealer the name moves to the end.
  old.erase(old.begin() + z);
  FillThekeTree();
  QTreeWidgetItem* top = ThekeTree->topLevelItem(to);
  if (!top || top->childCount() == 0) return;
  MakeCurrent(top->child(top->childCount() - 1));
  ThekeTreeChange(currentNode);
}

void TThekeDlg::OKBtnClick() {
  SaveHaendler();
  accept();
}

void TThekeDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Haendler.htm");
}

}  // namespace tav
