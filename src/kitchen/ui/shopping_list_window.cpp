#include "kitchen/ui/shopping_list_window.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include "kitchen/ui/shopping_dialog.h"
#include "platform/qt/qt_text.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/context_list_box.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"
#include "services/ui/named_controls.h"
#include "services/ui/pane_parts.h"

namespace tav {

TKaufRezListDlg* KaufRezListDlg = nullptr;

namespace {

// Items on alternating light blues, the selected one dark blue with white text; the text
// starts 18 pixels in.
class ShoppingItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    p->fillRect(option.rect, selected          ? PaneSelected()
                             : index.row() % 2 ? PaneLight()
                                               : PaneDarker());
    p->setPen(selected ? Qt::white : Qt::black);
    p->setFont(option.font);
    p->drawText(option.rect.adjusted(18, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                index.data(Qt::DisplayRole).toString());
  }
};

// The list box takes drags from the recipe list; its own items can be dragged onto the recipe
// list, which removes them from the shopping list.
class ShoppingListBox : public TContextListBox {
 public:
  explicit ShoppingListBox(TKaufRezListDlg* pane) : TContextListBox(pane), pane_(pane) {
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
  }

 protected:
  static bool FromRecipeList(const QDropEvent* e) {
    return e->source() && e->source()->objectName() == QStringLiteral("ChooseLiBo");
  }
  void dragEnterEvent(QDragEnterEvent* e) override {
    if (FromRecipeList(e))
      e->acceptProposedAction();
    else
      e->ignore();
  }
  void dragMoveEvent(QDragMoveEvent* e) override {
    if (FromRecipeList(e))
      e->acceptProposedAction();
    else
      e->ignore();
  }
  void dropEvent(QDropEvent* e) override {
    if (!FromRecipeList(e)) {
      e->ignore();
      return;
    }
    e->setDropAction(Qt::CopyAction);
    e->accept();
    pane_->DropFromRecipeList();
  }

 private:
  TKaufRezListDlg* pane_;
};

}  // namespace

TKaufRezListDlg::TKaufRezListDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  KaufRezListDlg = this;
  setObjectName(QStringLiteral("KaufRezListDlg"));
  setWindowTitle(QStringLiteral("Einkaufsliste"));

  QHBoxLayout* buttons = nullptr;
  QWidget* strip = PaneTitleStrip(this, "RezTitle", RezTitle, buttons);
  RezTitle->setText(QStringLiteral("  Einkaufsliste"));
  TShopBtn = PaneButton(strip, "TShopBtn", PanePicture::Shop);
  TCloseBtn = PaneButton(strip, "TCloseBtn", PanePicture::Close);
  buttons->addWidget(TShopBtn);
  buttons->addWidget(TCloseBtn);

  EinkaufLiBo = new ShoppingListBox(this);
  EinkaufLiBo->setObjectName(QStringLiteral("EinkaufLiBo"));
  EinkaufLiBo->setItemDelegate(new ShoppingItemDelegate(EinkaufLiBo));
  EinkaufLiBo->setFrameShape(QFrame::NoFrame);
  // A closed pane is its title strip alone: the list asks for no height of its own, so the
  // layout never squeezes the strip to make room for it.
  EinkaufLiBo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  QPalette pal = EinkaufLiBo->palette();
  pal.setColor(QPalette::Base, PaneLight());
  EinkaufLiBo->setPalette(pal);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(strip);
  layout->addWidget(EinkaufLiBo, 1);

  BuildPopupMenu();
  EinkaufLiBo->SetPopupMenu(KListPopup);
  connect(TCloseBtn, &QToolButton::clicked, this, [this] { TCloseBtnClick(); });
  connect(TShopBtn, &QToolButton::clicked, this, [this] { FinishListClick(); });
  connect(EinkaufLiBo, &QListWidget::itemDoubleClicked, this, [this] { FinishListClick(); });

  // Creation: dock into the pane below the recipe list, the list, then the texts.
  if (auto* main = MainWindow()) {
    main->DockForm(this, main->PaneOf(MainPane::ShoppingList));
    setVisible(true);
  }
  Registered<ShoppingListAccess>::Enter(this);
  LoadKaufList();
  TCloseBtn->setToolTip(toQ(GetLangText(735)));
  TShopBtn->setToolTip(toQ(GetLangText(740)));
  if (LangDlg) {
    LangDlg->TranslateForm(this);
    LangDlg->TranslateMenu("KaufRezListDlg", KListPopup);
  }
}

TKaufRezListDlg::~TKaufRezListDlg() {
  Registered<ShoppingListAccess>::Leave(this);
  if (KaufRezListDlg == this) KaufRezListDlg = nullptr;
}

void TKaufRezListDlg::BuildPopupMenu() {
  KListPopup = new QMenu(this);
  KListPopup->setObjectName(QStringLiteral("KListPopup"));
  QMenu* m = KListPopup;
  QAction* finish = KitchenMenuItem(m, "FinishList", "Einkaufsliste &fertigstellen");
  connect(finish, &QAction::triggered, this, [this] { FinishListClick(); });
  m->setDefaultAction(finish);
  m->addSeparator();
  connect(KitchenMenuItem(m, "ShowRez", "&Zeige Rezept an"), &QAction::triggered, this,
          [this] { ShowRezClick(); });
  m->addSeparator();
  connect(KitchenMenuItem(m, "DelOneRez", "&Rezept aus Einkaufsliste entfernen"),
          &QAction::triggered, this, [this] { RemoveKaufListEntry(); });
  connect(KitchenMenuItem(m, "DelAllRez", "&Komplette Einkaufsliste leeren"), &QAction::triggered,
          this, [this] { DelAllRezClick(); });
  m->addSeparator();
  connect(KitchenMenuItem(m, "HelpMnu", "&Hilfe zur Kaufliste"), &QAction::triggered, this,
          [this] { HelpMnuClick(); });
  setContextMenuPolicy(Qt::DefaultContextMenu);
}

void TKaufRezListDlg::PaneOpen(bool open) {
  if (auto* main = MainWindow()) main->SetShoppingPaneOpen(open);
}

void TKaufRezListDlg::FillListBox(int select) {
  EinkaufLiBo->setUpdatesEnabled(false);
  EinkaufLiBo->clear();
  const auto& entries = list.Entries();
  for (int index : list.Rows()) {
    auto* item = new QListWidgetItem(toQ(entries[index].title));
    item->setData(Qt::UserRole, index);
    item->setToolTip(item->text());
    EinkaufLiBo->addItem(item);
  }
  EinkaufLiBo->setUpdatesEnabled(true);
  SelectEntry(select);
}

int TKaufRezListDlg::SelectedEntry() const {
  const QList<QListWidgetItem*> selected = EinkaufLiBo->selectedItems();
  if (selected.isEmpty()) return -1;
  return selected.front()->data(Qt::UserRole).toInt();
}

void TKaufRezListDlg::SelectEntry(int index) {
  const int row = index < 0 ? -1 : list.RowOfEntry(index);
  if (row < 0) {
    EinkaufLiBo->ClearSelection();
    return;
  }
  EinkaufLiBo->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void TKaufRezListDlg::LoadKaufList() {
  list.LoadKaufList();
  FillListBox(-1);
  if (list.Count() > 0) PaneOpen(true);
}

void TKaufRezListDlg::AddToKaufList(const REZINDEX& entry, int portions) {
  const bool written = list.AddToKaufList(entry, portions);
  FillListBox(SelectedEntry());
  if (written) PaneOpen(true);
}

void TKaufRezListDlg::RemoveKaufListEntry() {
  const int index = SelectedEntry();
  if (index < 0) return;
  list.RemoveEntry(index);
  FillListBox(-1);
  if (list.Count() == 0) PaneOpen(false);
}

void TKaufRezListDlg::RemoveFromKaufList(int16_t book, int32_t number) {
  if (list.RemoveFromKaufList(book, number) == 0) return;
  FillListBox(-1);
  if (list.Count() == 0) PaneOpen(false);
}

void TKaufRezListDlg::ClearKaufList() {
  list.ClearKaufList();
  FillListBox(-1);
  PaneOpen(false);
}

void TKaufRezListDlg::TCloseBtnClick() {
  MainWindowAccess* main = MainWindow();
  if (!main) return;
  main->SetShoppingPaneOpen(main->ShoppingPaneHeight() <= 17);
}

void TKaufRezListDlg::FinishListClick() {
  if (EinkaufDlg) EinkaufDlg->exec();
}

void TKaufRezListDlg::ShowRezClick() {
  const int index = SelectedEntry();
  if (index < 0 || !ChooseRezDlg) return;
  const KAUFLIST& e = list.Entries()[index];
  ChooseRezDlg->JumpToRecipe(e.book, e.number, false);
}

void TKaufRezListDlg::HelpMnuClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Base_KList.htm");
}

void TKaufRezListDlg::DropFromRecipeList() {
  if (ChooseRezDlg) ChooseRezDlg->AddSelectedToKaufList();
}

}  // namespace tav
