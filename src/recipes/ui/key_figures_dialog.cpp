#include "recipes/ui/key_figures_dialog.h"

#include <QComboBox>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "nutrients/nutrient_table.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/form_controls.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TKenndatenDlg* KenndatenDlg = nullptr;

namespace {

// The state pictures of the tree: 1 a stored nutrient amount, 2 a general figure.
QIcon StateIcon(int state) {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  if (state == 1) {
    p.setPen(QPen(QColor(0x2E, 0x7D, 0x32), 1));
    p.setBrush(QColor(0x66, 0xBB, 0x6A));
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
  } else {
    p.setPen(QPen(QColor(0x1C, 0x2F, 0x66), 1));
    p.setBrush(QColor(0x4A, 0x6F, 0xC4));
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
    p.setPen(QPen(Qt::white, 1.5));
    p.drawLine(QPointF(5.5, 8), QPointF(10.5, 8));
  }
  return QIcon(pm);
}

// The tree takes figures dropped from itself and from the two figure lists.
class FigureTree : public QTreeWidget {
 public:
  explicit FigureTree(TKenndatenDlg* dlg) : dlg_(dlg) {}

 protected:
  bool Accepts(const QDropEvent* e) const {
    const QObject* s = e->source();
    if (s == this) return true;
    const QString name = s ? s->objectName() : QString();
    return name == QLatin1String("BLSDatenLiBo") || name == QLatin1String("KenndatenLiBo");
  }
  void dragEnterEvent(QDragEnterEvent* e) override {
    if (Accepts(e)) e->acceptProposedAction();
    else e->ignore();
  }
  void dragMoveEvent(QDragMoveEvent* e) override {
    QTreeWidget::dragMoveEvent(e);
    if (Accepts(e)) e->acceptProposedAction();
    else e->ignore();
  }
  void dropEvent(QDropEvent* e) override {
    if (!Accepts(e)) {
      e->ignore();
      return;
    }
    const QTreeWidgetItem* node = itemAt(e->position().toPoint());
    const int before = node ? node->data(0, Qt::UserRole).toInt() : -1;
    // A copy for the drag source: the tree is rebuilt here and the lists keep their items.
    e->setDropAction(Qt::CopyAction);
    e->accept();
    dlg_->ShowDataTreeDragDrop(e->source(), before);
  }

 private:
  TKenndatenDlg* dlg_;
};

}  // namespace

TKenndatenDlg::TKenndatenDlg(QWidget* parent) : QDialog(parent) {
  KenndatenDlg = this;
  setObjectName(QStringLiteral("KenndatenDlg"));
  setWindowTitle(toQ("Welche Kenndaten sollen mit dem Rezept angezeigt werden ?"));
  setModal(true);

  DataTypeTxt = Named<QLabel>(nullptr, "DataTypeTxt");
  DataTypeTxt->setText(toQ(" Die Zusammenstellung der Kenndaten gilt f\xFCr:"));
  DataTypeCoBo = Named<QComboBox>(nullptr, "DataTypeCoBo");
  DataTypeTxt->setBuddy(DataTypeCoBo);

  ShowDataTree = new FigureTree(this);
  ShowDataTree->setObjectName(QStringLiteral("ShowDataTree"));
  ShowDataTree->setHeaderHidden(true);
  ShowDataTree->setRootIsDecorated(false);
  ShowDataTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ShowDataTree->setDragEnabled(true);
  ShowDataTree->setAcceptDrops(true);
  ShowDataTree->setDropIndicatorShown(true);
  ShowDataTree->setDragDropMode(QAbstractItemView::DragDrop);
  ShowDataTree->setDefaultDropAction(Qt::CopyAction);
  ShowDataDelBtn = Named<QPushButton>(nullptr, "ShowDataDelBtn");
  ShowDataDelBtn->setText(toQ("&L\xF6schen"));
  ShowDataUpBtn = Named<QToolButton>(nullptr, "ShowDataUpBtn");
  ShowDataUpBtn->setArrowType(Qt::UpArrow);
  ShowDataDownBtn = Named<QToolButton>(nullptr, "ShowDataDownBtn");
  ShowDataDownBtn->setArrowType(Qt::DownArrow);
  ShowDataGrp = Named<QGroupBox>(nullptr, "ShowDataGrp");
  ShowDataGrp->setTitle(toQ(" Anzugebende Kenndaten: "));
  auto* treeButtons = new QHBoxLayout;
  treeButtons->addWidget(ShowDataDelBtn);
  treeButtons->addStretch(1);
  treeButtons->addWidget(ShowDataUpBtn);
  treeButtons->addWidget(ShowDataDownBtn);
  auto* treeBox = new QVBoxLayout(ShowDataGrp);
  treeBox->addWidget(ShowDataTree, 1);
  treeBox->addLayout(treeButtons);

  KenndatenLiBo = Named<QListWidget>(nullptr, "KenndatenLiBo");
  KenndatenLiBo->setDragEnabled(true);
  KenndatenLiBo->setDragDropMode(QAbstractItemView::DragOnly);
  KenndatenAddBtn = Named<QPushButton>(nullptr, "KenndatenAddBtn");
  KenndatenAddBtn->setText(toQ("&<"));
  KenndatenGrp = Named<QGroupBox>(nullptr, "KenndatenGrp");
  KenndatenGrp->setTitle(toQ("Allgemeine Kenndaten:"));
  auto* generalBox = new QHBoxLayout(KenndatenGrp);
  generalBox->addWidget(KenndatenAddBtn, 0, Qt::AlignVCenter);
  generalBox->addWidget(KenndatenLiBo, 1);

  BLSDatenLiBo = Named<QListWidget>(nullptr, "BLSDatenLiBo");
  BLSDatenLiBo->setSortingEnabled(true);
  BLSDatenLiBo->setDragEnabled(true);
  BLSDatenLiBo->setDragDropMode(QAbstractItemView::DragOnly);
  BLSDatenAddBtn = Named<QPushButton>(nullptr, "BLSDatenAddBtn");
  BLSDatenAddBtn->setText(QStringLiteral("<"));
  BLSDatenGrp = Named<QGroupBox>(nullptr, "BLSDatenGrp");
  BLSDatenGrp->setTitle(toQ(" BLS-Mengenangaben:"));
  // The add buttons stay small beside their lists.
  for (QPushButton* b : {KenndatenAddBtn, BLSDatenAddBtn}) {
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    b->setFixedWidth(fontMetrics().averageCharWidth() * 6);
  }
  auto* nutrientBox = new QHBoxLayout(BLSDatenGrp);
  nutrientBox->addWidget(BLSDatenAddBtn, 0, Qt::AlignVCenter);
  nutrientBox->addWidget(BLSDatenLiBo, 1);

  ShowTextTxt = Named<QLabel>(nullptr, "ShowTextTxt");
  ShowTextTxt->setText(toQ("Anzeigetext:"));
  ShowTextEdt = Named<QLineEdit>(nullptr, "ShowTextEdt");
  ShowTextTxt->setBuddy(ShowTextEdt);
  ShowTextGrp = Named<QGroupBox>(nullptr, "ShowTextGrp");
  ShowTextGrp->setTitle(toQ(" Alternativer Anzeigetext: "));
  auto* textBox = new QHBoxLayout(ShowTextGrp);
  textBox->addWidget(ShowTextTxt);
  textBox->addWidget(ShowTextEdt, 1);

  OKBtn = Named<QPushButton>(nullptr, "OKBtn");
  OKBtn->setText(toQ("&OK"));
  OKBtn->setDefault(true);
  CloseBtn = Named<QPushButton>(nullptr, "CloseBtn");
  CloseBtn->setText(toQ("&Abbrechen"));
  HelpBtn = Named<QToolButton>(nullptr, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));

  auto* kind = new QHBoxLayout;
  kind->addWidget(DataTypeTxt);
  kind->addWidget(DataTypeCoBo, 1);
  auto* sources = new QVBoxLayout;
  sources->addWidget(KenndatenGrp, 1);
  sources->addWidget(BLSDatenGrp, 1);
  auto* lists = new QHBoxLayout;
  lists->addWidget(ShowDataGrp, 1);
  lists->addLayout(sources, 1);
  auto* buttons = DialogButtonRow(HelpBtn, {OKBtn, CloseBtn});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(11, 11, 11, 11);
  layout->setSpacing(8);
  layout->addLayout(kind);
  layout->addLayout(lists, 1);
  layout->addWidget(ShowTextGrp);
  layout->addLayout(buttons);

  resize(720, 540);

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CloseBtn, &QPushButton::clicked, this, [this] { CloseBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(DataTypeCoBo, &QComboBox::activated, this, [this] { DataTypeCoBoChange(); });
  connect(KenndatenAddBtn, &QPushButton::clicked, this, [this] { KenndatenAddBtnClick(); });
  connect(KenndatenLiBo, &QListWidget::itemDoubleClicked, this,
          [this] { KenndatenAddBtnClick(); });
  connect(BLSDatenAddBtn, &QPushButton::clicked, this, [this] { BLSDatenAddBtnClick(); });
  connect(BLSDatenLiBo, &QListWidget::itemDoubleClicked, this, [this] { BLSDatenAddBtnClick(); });
  connect(ShowDataDelBtn, &QPushButton::clicked, this, [this] { ShowDataDelBtnClick(); });
  connect(ShowDataUpBtn, &QToolButton::clicked, this, [this] { ShowDataUpBtnClick(); });
  connect(ShowDataDownBtn, &QToolButton::clicked, this, [this] { ShowDataDownBtnClick(); });
  connect(ShowDataTree, &QTreeWidget::currentItemChanged, this, [this] { ShowDataTreeChange(); });
  connect(ShowTextEdt, &QLineEdit::textEdited, this, [this] { ShowTextEdtChange(); });
  FormCreate();
}

void TKenndatenDlg::FormCreate() {
  for (int text = 557; text <= 560; ++text) DataTypeCoBo->addItem(toQ(GetLangText(text)));
  // An item's row is its figure id.
  for (int id = 0; id < kKeyFigureIdCount; ++id) KenndatenLiBo->addItem(toQ(KeyFigureName(id)));
  if (const NutrientTable* table = ctx().nutrients) {
    for (int i = 0; i < table->GetStoffCount(); ++i) {
      const ISTOFF* s = table->StoffAt(i);
      if (!s || s->isText) continue;
      auto* item = new QListWidgetItem(toQ(s->name));
      item->setData(Qt::UserRole, i);
      BLSDatenLiBo->addItem(item);
    }
  }
  DataTypeCoBo->setCurrentIndex(0);
  currentKind = 0;
  ReadKenndaten();
  RefreshKeyFigureTree(-1);
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TKenndatenDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  shownWith_ = keyFigures;
  CenterOnForm(this);
}

int TKenndatenDlg::SelectedFigure() const {
  const QTreeWidgetItem* node = ShowDataTree->currentItem();
  return node ? node->data(0, Qt::UserRole).toInt() : -1;
}

int TKenndatenDlg::NodeRow(int index) const {
  for (int row = 0; row < ShowDataTree->topLevelItemCount(); ++row)
    if (ShowDataTree->topLevelItem(row)->data(0, Qt::UserRole).toInt() == index) return row;
  return -1;
}

void TKenndatenDlg::RefreshKeyFigureTree(int select) {
  filling_ = true;
  ShowDataTree->clear();
  QTreeWidgetItem* selected = nullptr;
  for (int index : FiguresOfKind(currentKind)) {
    const PARA_SHOWDATA& f = keyFigures[static_cast<size_t>(index)];
    auto* node = new QTreeWidgetItem(ShowDataTree, QStringList(toQ(TreeText(f))));
    node->setIcon(0, StateIcon(f.figureId == kFigureNutrient ? 1 : 2));
    node->setData(0, Qt::UserRole, index);
    if (index == select) selected = node;
  }
  ShowDataTree->setCurrentItem(selected);
  if (!selected) ShowDataTree->clearSelection();
  filling_ = false;
  ShowDataTreeChange();
}

void TKenndatenDlg::OKBtnClick() {
  SaveKenndaten();
  accept();
}

void TKenndatenDlg::CloseBtnClick() {
  // Back to the file; without a readable file, back to the list as it was when shown.
  if (!ReadKenndaten()) keyFigures = shownWith_;
  RefreshKeyFigureTree(-1);
  reject();
}

void TKenndatenDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Kenndaten.htm");
}

void TKenndatenDlg::DataTypeCoBoChange() {
  currentKind = DataTypeCoBo->currentIndex();
  RefreshKeyFigureTree(-1);
}

void TKenndatenDlg::KenndatenAddBtnClick() {
  const int row = KenndatenLiBo->currentRow();
  if (row < 0) return;
  const int added = AddKeyFigure(MakeGeneralFigure(row));
  if (added >= 0) RefreshKeyFigureTree(added);
}

PARA_SHOWDATA TKenndatenDlg::NutrientItemFigure(int row) const {
  const QListWidgetItem* item = BLSDatenLiBo->item(row);
  const ISTOFF* s = ctx().nutrients && item
                        ? ctx().nutrients->StoffAt(item->data(Qt::UserRole).toInt())
                        : nullptr;
  return s ? MakeNutrientFigure(s->code, s->name) : PARA_SHOWDATA();
}

void TKenndatenDlg::BLSDatenAddBtnClick() {
  const int row = BLSDatenLiBo->currentRow();
  if (row < 0) return;
  const PARA_SHOWDATA f = NutrientItemFigure(row);
  if (f.figureId != kFigureNutrient) return;
  const int added = AddKeyFigure(f);
  if (added >= 0) RefreshKeyFigureTree(added);
}

void TKenndatenDlg::ShowDataDelBtnClick() {
  const int index = SelectedFigure();
  if (index < 0) return;
  const int row = NodeRow(index);
  RemoveKeyFigure(index);
  RefreshKeyFigureTree(-1);
  const int count = ShowDataTree->topLevelItemCount();
  if (count > 0) ShowDataTree->setCurrentItem(ShowDataTree->topLevelItem(std::min(row, count - 1)));
  ShowDataTree->setFocus();
}

void TKenndatenDlg::MoveSelected(int step) {
  const int index = SelectedFigure();
  const int row = NodeRow(index);
  const int other = row + step;
  if (index < 0 || other < 0 || other >= ShowDataTree->topLevelItemCount()) return;
  const int otherIndex = ShowDataTree->topLevelItem(other)->data(0, Qt::UserRole).toInt();
  SwapKeyFigures(index, otherIndex);
  RefreshKeyFigureTree(otherIndex);
}

void TKenndatenDlg::ShowDataUpBtnClick() {
  MoveSelected(-1);
}

void TKenndatenDlg::ShowDataDownBtnClick() {
  MoveSelected(1);
}

void TKenndatenDlg::ShowDataTreeDragDrop(QObject* source, int before) {
  int moving = -1;
  PARA_SHOWDATA figure;
  if (source == ShowDataTree) {
    moving = SelectedFigure();
    if (moving < 0) return;
  } else if (source == KenndatenLiBo) {
    const int row = KenndatenLiBo->currentRow();
    if (row < 0) return;
    figure = MakeGeneralFigure(row);
  } else if (source == BLSDatenLiBo) {
    const int row = BLSDatenLiBo->currentRow();
    if (row < 0) return;
    figure = NutrientItemFigure(row);
    if (figure.figureId != kFigureNutrient) return;
  } else {
    return;
  }
  const int at = DropKeyFigure(moving, figure, before);
  if (at >= 0) RefreshKeyFigureTree(at);
}

void TKenndatenDlg::ShowDataTreeChange() {
  if (filling_) return;
  const PARA_SHOWDATA* f = GetKeyFigure(SelectedFigure());
  filling_ = true;
  ShowTextEdt->setText(f ? toQ(f->altText) : QString());
  ShowTextEdt->setEnabled(f != nullptr);
  filling_ = false;
}

void TKenndatenDlg::ShowTextEdtChange() {
  if (filling_) return;
  PARA_SHOWDATA* f = GetKeyFigure(SelectedFigure());
  if (!f) return;
  f->altText = fromQ(ShowTextEdt->text());
  ShowDataTree->currentItem()->setText(0, toQ(TreeText(*f)));
}

}  // namespace tav
