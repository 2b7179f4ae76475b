#include "recipes/ui/ingredient_lines_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "recipes/ingredient_lines.h"
#include "recipes/ui/edit_page_dock.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/ingredient_chooser_dialog.h"
#include "recipes/ui/recipe_editor_window.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TEditZutatDlg* EditZutatDlg = nullptr;

namespace {

// Draws an entry's tab-separated parts at tab stops of 20 dialog units, as a list box with tab
// stops does: amount, unit and ingredient stand in columns.
class TabStopDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    const QFontMetrics fm(opt.font);
    const int stop = std::max(1, fm.averageCharWidth() * 5);
    painter->save();
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text));
    int x = area.left() + 2;
    const QStringList parts = text.split(QLatin1Char('\t'));
    for (int i = 0; i < parts.size(); ++i) {
      if (i > 0) x = area.left() + 2 + ((x - area.left() - 2) / stop + 1) * stop;
      const QString part = parts[i];
      painter->drawText(QRect(x, area.top(), area.right() - x, area.height()),
                        Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, part);
      x += fm.horizontalAdvance(part);
    }
    painter->restore();
  }
};

}  // namespace

TEditZutatDlg::TEditZutatDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  EditZutatDlg = this;
  setObjectName(QStringLiteral("EditZutatDlg"));
  ZutatLiBo = Named<QListWidget>(this, "ZutatLiBo");
  ZutatLiBo->setItemDelegate(new TabStopDelegate(ZutatLiBo));
  ZutatLiBo->setSelectionMode(QAbstractItemView::SingleSelection);
  ZutatLiBo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ZutatNeuBtn = Named<QPushButton>(this, "ZutatNeuBtn");
  ZutatNeuBtn->setText(toQ("&Neue Zutat"));
  ZutatEditBtn = Named<QPushButton>(this, "ZutatEditBtn");
  ZutatEditBtn->setText(toQ("\xC4n&dern"));
  ZutatDelBtn = Named<QPushButton>(this, "ZutatDelBtn");
  ZutatDelBtn->setText(toQ("&L\xF6schen"));
  ZutatUpBtn = Named<QToolButton>(this, "ZutatUpBtn");
  ZutatUpBtn->setArrowType(Qt::UpArrow);
  ZutatUpBtn->setAutoRaise(true);
  ZutatDownBtn = Named<QToolButton>(this, "ZutatDownBtn");
  ZutatDownBtn->setArrowType(Qt::DownArrow);
  ZutatDownBtn->setAutoRaise(true);

  auto* arrows = new QHBoxLayout;
  arrows->addWidget(ZutatUpBtn);
  arrows->addWidget(ZutatDownBtn);
  arrows->addStretch(1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ZutatNeuBtn);
  buttons->addWidget(ZutatEditBtn);
  buttons->addWidget(ZutatDelBtn);
  buttons->addLayout(arrows);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ZutatLiBo, 1);
  layout->addLayout(buttons);

  connect(ZutatLiBo, &QListWidget::itemClicked, this, [this] { ZutatLiBoClick(); });
  connect(ZutatLiBo, &QListWidget::currentRowChanged, this, [this] { UpdateLineButtons(); });
  connect(ZutatLiBo, &QListWidget::itemDoubleClicked, this, [this] { ZutatEditBtnClick(); });
  connect(ZutatNeuBtn, &QPushButton::clicked, this, [this] { ZutatNeuBtnClick(); });
  connect(ZutatEditBtn, &QPushButton::clicked, this, [this] { ZutatEditBtnClick(); });
  connect(ZutatDelBtn, &QPushButton::clicked, this, [this] { ZutatDelBtnClick(); });
  connect(ZutatUpBtn, &QToolButton::clicked, this, [this] { ZutatUpBtnClick(); });
  connect(ZutatDownBtn, &QToolButton::clicked, this, [this] { ZutatDownBtnClick(); });
  FormCreate();
  if (NEditDlg) FillHost(this, NEditDlg->EditZutatGrp);
  UpdateLineButtons();
}

TEditZutatDlg::~TEditZutatDlg() {
  if (EditZutatDlg == this) EditZutatDlg = nullptr;
}

void TEditZutatDlg::FormCreate() {
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TEditZutatDlg::SetIngredientListRecipe(REZBLOCK* recipe) {
  ListRecipe = recipe;
  FillIngredientList();
}

int TEditZutatDlg::SelectedLine() const {
  const QList<QListWidgetItem*> selected = ZutatLiBo->selectedItems();
  return selected.isEmpty() ? -1 : ZutatLiBo->row(selected.front());
}

void TEditZutatDlg::FillIngredientList() {
  const int selected = SelectedLine();
  ZutatLiBo->clear();
  if (!ListRecipe) return;
  for (const REZZUTAT& line : ListRecipe->lines) ZutatLiBo->addItem(toQ(IngredientListText(line)));
  if (selected >= 0 && selected < ZutatLiBo->count()) SelectIngredientLine(selected);
}

void TEditZutatDlg::FindLineBlock(int& first, int& last) const {
  if (ListRecipe) tav::FindLineBlock(*ListRecipe, first, last);
}

int TEditZutatDlg::DeleteLineBlock(int index) {
  if (!ListRecipe) return -1;
  if (index == -1) index = SelectedLine();
  if (index == -1) return -1;
  return tav::DeleteLineBlock(*ListRecipe, index);
}

void TEditZutatDlg::InsertLineGap(int at, int n) {
  if (ListRecipe) tav::InsertLineGap(*ListRecipe, at, n);
}

void TEditZutatDlg::StoreLineAt(int index, const REZZUTAT& line) {
  if (!ListRecipe) return;
  tav::StoreLineAt(*ListRecipe, index, line);
  FillIngredientList();
  UpdateLineButtons();
}

void TEditZutatDlg::SelectIngredientLine(int index) {
  if (index == -2) {
    ZutatLiBo->clearSelection();
    ZutatLiBo->setCurrentRow(-1);
  } else {
    if (index == -1) index = ZutatLiBo->count() - 1;
    ZutatLiBo->setCurrentRow(index);
    if (QListWidgetItem* item = ZutatLiBo->item(index)) {
      item->setSelected(true);
      ZutatLiBo->scrollToItem(item);
    }
  }
  UpdateLineButtons();
}

void TEditZutatDlg::UpdateLineButtons() {
  const int sel = SelectedLine();
  ZutatDelBtn->setEnabled(sel != -1);
  ZutatEditBtn->setEnabled(sel != -1);
  int first = sel, last = sel;
  FindLineBlock(first, last);
  ZutatUpBtn->setEnabled(sel != -1 && first > 0);
  ZutatDownBtn->setEnabled(sel != -1 && last < ZutatLiBo->count() - 1);
}

void TEditZutatDlg::PlaceIngredientList(bool intoChooser) {
  inChooser_ = intoChooser;
  if (intoChooser) {
    if (ChooseZutatDlg) FillHost(this, ChooseZutatDlg->EditZutatGrp);
    ZutatNeuBtn->hide();
    ZutatEditBtn->hide();
  } else {
    if (NEditDlg) FillHost(this, NEditDlg->EditZutatGrp);
    ZutatNeuBtn->show();
    ZutatEditBtn->show();
    if (NEditDlg) NEditDlg->NEditLayout();
  }
}

void TEditZutatDlg::OpenChooser(int line) {
  if (!ChooseZutatDlg) return;
  PlaceIngredientList(true);
  ChooseZutatDlg->LoadChooserLine(ListRecipe, line, false);
  ChooseZutatDlg->exec();
}

void TEditZutatDlg::MoveBlock(bool down) {
  if (!ListRecipe) return;
  const int sel = SelectedLine();
  const int moved = down ? MoveLineBlockDown(*ListRecipe, sel) : MoveLineBlockUp(*ListRecipe, sel);
  if (moved == sel) return;
  FillIngredientList();
  SelectIngredientLine(moved);
  if (ChooseZutatDlg) ChooseZutatDlg->SetChooserEditIndex(moved);
  UpdateLineButtons();
}

void TEditZutatDlg::ZutatDownBtnClick() {
  MoveBlock(true);
}
void TEditZutatDlg::ZutatUpBtnClick() {
  MoveBlock(false);
}

void TEditZutatDlg::ZutatLiBoClick() {
  const int pos = SelectedLine();
  if (ChooseZutatDlg) ChooseZutatDlg->StoreChooserLine();
  // The position is the one clicked, taken before the pending line was stored.
  if (inChooser_ && ChooseZutatDlg) ChooseZutatDlg->LoadChooserLine(ListRecipe, pos, false);
  UpdateLineButtons();
}

void TEditZutatDlg::ZutatEditBtnClick() {
  if (inChooser_) return;
  OpenChooser(SelectedLine());
}

void TEditZutatDlg::ZutatNeuBtnClick() {
  SelectIngredientLine(-2);
  if (inChooser_) {
    if (ChooseZutatDlg) ChooseZutatDlg->LoadChooserLine(ListRecipe, -1, false);
    return;
  }
  if (ChooseZutatDlg) ChooseZutatDlg->IsIngredientLine = true;
  OpenChooser(-1);
}

void TEditZutatDlg::ZutatDelBtnClick() {
  const int pos = SelectedLine();
  DeleteLineBlock(-1);
  FillIngredientList();
  int first = pos, last = pos;
  FindLineBlock(first, last);
  if (ZutatLiBo->count() == 0)
    SelectIngredientLine(-2);
  else if (first >= 0 && first < ZutatLiBo->count())
    SelectIngredientLine(first);
  else
    SelectIngredientLine(-1);
  if (inChooser_ && ChooseZutatDlg)
    ChooseZutatDlg->LoadChooserLine(ListRecipe, SelectedLine(), false);
  UpdateLineButtons();
}

}  // namespace tav
