#include "recipedb/ui/category_dialog.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/ui/category_input_dialog.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/context_list_box.h"
#include "services/ui/file_dialog_filter.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"
#include "services/ui/program_pictures.h"

namespace tav {

TGattDlg* GattDlg = nullptr;

namespace {

constexpr int kAllKinds = 0;

// The kind picture, drawn 8 pixels in for sub and free categories among all kinds.
QIcon KindIcon(int kind, bool indent) {
  QPixmap pm(22, 14);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.drawPixmap(indent ? 8 : 0, 0, CategoryKindPicture(kind));
  p.end();
  return QIcon(pm);
}

std::string SymbolFolder() {
  return (ctx().options ? ctx().options->Str(90) : std::string()) + "Pics/Gattungen/";
}

}  // namespace

TGattDlg::TGattDlg(QWidget* parent) : QDialog(parent) {
  GattDlg = this;
  setObjectName(QStringLiteral("GattDlg"));
  setWindowTitle(toQ("Gattungen"));
  setModal(true);

  ArtTab = Named<QTabBar>(this, "ArtTab");
  for (const char* tab : {"Komplett", "Haupt-", "Unter-", "Freie Gattungen"}) ArtTab->addTab(toQ(tab));
  ArtTab->setExpanding(false);
  ArtTab->setUsesScrollButtons(false);
  ArtTab->setElideMode(Qt::ElideNone);
  ArtTab->setDrawBase(false);
  GattLiBo = Named<TContextListBox>(this, "GattLiBo");
  GattLiBo->setIconSize(QSize(22, 14));
  NebenGrp = Named<QGroupBox>(this, "NebenGrp");
  GattImg = Named<QLabel>(NebenGrp, "GattImg");
  GattImg->setFixedSize(16, 16);
  GattArtTxt = Named<QLabel>(NebenGrp, "GattArtTxt");
  GattNameTxt = Named<QLabel>(NebenGrp, "GattNameTxt");
  QFont bold = GattNameTxt->font();
  bold.setBold(true);
  GattNameTxt->setFont(bold);
  NebenTxt = Named<QLabel>(NebenGrp, "NebenTxt");
  NebenLiBo = Named<TContextListBox>(NebenGrp, "NebenLiBo");
  NebenLiBo->setIconSize(QSize(22, 14));
  Free1Txt = Captioned<QLabel>(NebenGrp, "Free1Txt", "Dies ist eine freie Gattung die keiner");
  Free2Txt = Captioned<QLabel>(NebenGrp, "Free2Txt", "Hauptgattung zugewiesen wurde");
  Start1Txt = Captioned<QLabel>(NebenGrp, "Start1Txt", "Bitte w\xE4hlen Sie links zun\xE4" "chst eine");
  Start2Txt = Captioned<QLabel>(NebenGrp, "Start2Txt", "Gattung duch Doppelklick oder mit dem");
  Start3Txt = Captioned<QLabel>(NebenGrp, "Start3Txt", "'zeige>'-Knopf aus.");
  SymbolTxt = Captioned<QLabel>(NebenGrp, "SymbolTxt", "Symbolbild:");
  SymbolEdt = Named<QLineEdit>(NebenGrp, "SymbolEdt");
  SymbolTxt->setBuddy(SymbolEdt);
  SymbolBtn = Captioned<QToolButton>(NebenGrp, "SymbolBtn", "...");
  ShowOBtn = Captioned<QPushButton>(NebenGrp, "ShowOBtn", "< Z&eige");
  NeuBtn = Captioned<QPushButton>(this, "NeuBtn", "&Neu");
  ChangeBtn = Captioned<QPushButton>(this, "ChangeBtn", "&\xC4ndern");
  DelBtn = Captioned<QPushButton>(this, "DelBtn", "&L\xF6schen");
  ShowBtn = Captioned<QPushButton>(this, "ShowBtn", "&Zeige >");
  GattAddBtn = Captioned<QPushButton>(this, "GattAddBtn", "&>>");
  GattDelBtn = Captioned<QPushButton>(this, "GattDelBtn", "&<<");
  OKBtn = Captioned<QPushButton>(this, "OKBtn", "OK");
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");
  HelpBtn = Captioned<QToolButton>(this, "HelpBtn", "?");
  // No default button: Enter in the symbol field or a list would close the window.
  for (QPushButton* b : {NeuBtn, ChangeBtn, DelBtn, ShowBtn, ShowOBtn, GattAddBtn, GattDelBtn,
                         OKBtn, CancelBtn})
    b->setAutoDefault(false);

  // Details of the shown category, its related list, and the hints in its place.
  auto* detail = new QGridLayout(NebenGrp);
  auto* kindRow = new QHBoxLayout;
  kindRow->addWidget(GattImg);
  kindRow->addWidget(GattArtTxt, 1);
  detail->addLayout(kindRow, 0, 0, 1, 2);
  detail->addWidget(GattNameTxt, 1, 0, 1, 2);
  detail->addWidget(NebenTxt, 2, 0, 1, 2);
  detail->addWidget(NebenLiBo, 3, 0, 1, 2);
  detail->addWidget(ShowOBtn, 4, 0, Qt::AlignLeft);
  detail->addWidget(Free1Txt, 5, 0, 1, 2);
  detail->addWidget(Free2Txt, 6, 0, 1, 2);
  detail->addWidget(Start1Txt, 7, 0, 1, 2);
  detail->addWidget(Start2Txt, 8, 0, 1, 2);
  detail->addWidget(Start3Txt, 9, 0, 1, 2);
  detail->setRowStretch(10, 1);
  detail->addWidget(SymbolTxt, 11, 0, 1, 2);
  auto* symbolRow = new QHBoxLayout;
  symbolRow->addWidget(SymbolEdt, 1);
  symbolRow->addWidget(SymbolBtn);
  detail->addLayout(symbolRow, 12, 0, 1, 2);
  detail->setRowStretch(3, 4);

  auto* left = TabbedList(ArtTab, GattLiBo, {NeuBtn, ChangeBtn, DelBtn});
  auto* middle = new QVBoxLayout;
  middle->addSpacing(ArtTab->sizeHint().height());
  middle->addWidget(ShowBtn);
  middle->addSpacing(16);
  middle->addWidget(GattAddBtn);
  middle->addWidget(GattDelBtn);
  middle->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 3);
  top->addLayout(middle);
  top->addWidget(NebenGrp, 3);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {OKBtn, CancelBtn}));

  // Dragging a category onto the related list adds it; dragging one back removes it.
  for (TContextListBox* list : {GattLiBo, NebenLiBo}) {
    list->setDragEnabled(true);
    list->setDragDropMode(QAbstractItemView::DragDrop);
    list->setDefaultDropAction(Qt::CopyAction);
    list->viewport()->installEventFilter(this);
  }

  connect(ArtTab, &QTabBar::currentChanged, this, [this] { ArtTabChange(); });
  connect(GattLiBo, &QListWidget::itemSelectionChanged, this, [this] { UpdateGattButtons(); });
  connect(NebenLiBo, &QListWidget::itemSelectionChanged, this, [this] { UpdateGattButtons(); });
  connect(GattLiBo, &QListWidget::itemDoubleClicked, this, [this] { GattLiBoDblClick(); });
  connect(NebenLiBo, &QListWidget::itemDoubleClicked, this, [this] { ShowOBtnClick(); });
  connect(ShowBtn, &QPushButton::clicked, this, [this] { ShowBtnClick(); });
  connect(ShowOBtn, &QPushButton::clicked, this, [this] { ShowOBtnClick(); });
  connect(NeuBtn, &QPushButton::clicked, this, [this] { NeuBtnClick(); });
  connect(ChangeBtn, &QPushButton::clicked, this, [this] { ChangeBtnClick(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(GattAddBtn, &QPushButton::clicked, this, [this] { GattAddBtnClick(); });
  connect(GattDelBtn, &QPushButton::clicked, this, [this] { GattDelBtnClick(); });
  connect(SymbolEdt, &QLineEdit::textEdited, this, [this] { SymbolEdtChange(); });
  connect(SymbolBtn, &QToolButton::clicked, this, [this] { SymbolBtnClick(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });

  inputCategory = [](REZGATT& category) {
    if (!InpGattDlg) return false;
    InpGattDlg->SetGattInput(category);
    return InpGattDlg->exec() == QDialog::Accepted;
  };
  chooseSymbolPicture = [this](std::string& path) {
    QFileDialog dialog(this, toQ(GetLangText(648)), toQ(SymbolFolder()));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(FileDialogFilters(GetLangText(649)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = fromQ(dialog.selectedFiles().front());
    return true;
  };

  if (LangDlg) LangDlg->TranslateForm(this);
  listMinWidth_ = GattLiBo->minimumWidth();
  categories.ReadGattungen();
  ctx().categories = &categories;
  ArtTab->setCurrentIndex(0);
  SetGattDlgMode(0, nullptr);
  ShowGattDetails(false);
}

TGattDlg::~TGattDlg() {
  if (ctx().categories == &categories) ctx().categories = nullptr;
  if (GattDlg == this) GattDlg = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Modes, showing and closing

void TGattDlg::SetGattDlgMode(int mode, REZBLOCK* recipe) {
  mode_ = mode == 1 && recipe ? 1 : 0;
  recipe_ = mode_ == 1 ? recipe : nullptr;
  if (recipe_) std::copy(recipe_->categories, recipe_->categories + 10, codes_);
  const bool manage = mode_ == 0;
  if (!manage) {
    setWindowTitle(toQ(GetLangText(80) + recipe_->title + "'"));
    NebenGrp->setTitle(toQ(GetLangText(81)));
  } else {
    setWindowTitle(toQ(GetLangText(79)));
    NebenGrp->setTitle(QString());
  }
  // Assigning lists the main categories in two columns.
  GattLiBo->setFlow(QListView::TopToBottom);
  GattLiBo->setWrapping(!manage);
  GattLiBo->setResizeMode(QListView::Adjust);
  FitListColumns();
  for (QWidget* w : std::initializer_list<QWidget*>{
           SymbolEdt, SymbolTxt, SymbolBtn, ArtTab, NebenTxt, Free1Txt, Free2Txt, GattArtTxt,
           GattNameTxt, GattImg, Start1Txt, Start2Txt, Start3Txt, ShowBtn, ShowOBtn, NeuBtn,
           ChangeBtn, DelBtn})
    w->setVisible(manage);
}

void TGattDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterOnForm(this);
  FormActivate();
}

void TGattDlg::FitListColumns() {
  if (mode_ == 0) {
    GattLiBo->setGridSize(QSize());
    GattLiBo->setMinimumWidth(listMinWidth_);
    return;
  }
  // Each column as wide as the longest name, and the list wide enough for two of them.
  int widest = 0;
  for (const REZGATT& g : categories.gatt)
    if (g.kind == REZGATT::kMain)
      widest = std::max(widest, GattLiBo->fontMetrics().horizontalAdvance(toQ(g.name)));
  widest += GattLiBo->iconSize().width() + 16;
  GattLiBo->setMinimumWidth(std::clamp(2 * widest + 24, listMinWidth_, 620));
  GattLiBo->setGridSize(QSize(std::max(widest, GattLiBo->viewport()->width() / 2 - 2),
                              GattLiBo->fontMetrics().height() + 4));
}

void TGattDlg::FormActivate() {
  categories.removedIds.clear();
  FitListColumns();
  FillGattList(mode_ == 1 ? kAllKinds : ArtTab->currentIndex());
  ShowGattDetails(true);
  if (mode_ == 1) FillNebenList();
  UpdateGattButtons();
}

void TGattDlg::OKBtnClick() {
  applied_ = true;
  if (mode_ == 1 && recipe_) std::copy(codes_, codes_ + 10, recipe_->categories);
  const bool written = categories.WriteGattungen();
  if (written || mode_ == 1) accept();
}

void TGattDlg::CancelBtnClick() {
  categories.ReadGattungen();
  reject();
}

void TGattDlg::reject() {
  // The close box neither writes nor reads: the table stays as edited until OK or Cancel.
  applied_ = false;
  QDialog::reject();
}

void TGattDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Gattung.htm");
}

// ---------------------------------------------------------------------------------------------
// Lists

bool TGattDlg::Valid(int index) const {
  return index >= 0 && index < static_cast<int>(categories.gatt.size());
}

int TGattDlg::Selected(const TContextListBox* list) const {
  const int row = list->currentRow();
  if (row < 0 || !list->item(row)->isSelected()) return -1;
  return list->GetItemData(row);
}

void TGattDlg::SelectRow(TContextListBox* list, int row) {
  list->ClearSelection();
  if (list->count() == 0) return;
  list->setCurrentRow(std::clamp(row, 0, list->count() - 1));
}

void TGattDlg::SelectByName(const std::string& name) {
  GattLiBo->ClearSelection();
  for (int i = GattLiBo->count() - 1; i >= 0; --i)
    if (fromQ(GattLiBo->item(i)->text()) == name) {
      GattLiBo->setCurrentRow(i);
      return;
    }
}

void TGattDlg::AddItem(TContextListBox* list, const REZGATT& g, int data, bool indent) {
  // The lists are sorted by name without regard to case.
  int row = 0;
  while (row < list->count() &&
         CompareTextNoCase(fromQ(list->item(row)->text()), g.name) <= 0)
    ++row;
  auto* item = new QListWidgetItem(KindIcon(g.kind, indent), toQ(g.name));
  item->setData(Qt::UserRole, data);
  list->insertItem(row, item);
}

void TGattDlg::FillGattList(int kind) {
  GattLiBo->clear();
  const bool all = mode_ == 0 && kind == kAllKinds;
  for (size_t i = 0; i < categories.gatt.size(); ++i) {
    const REZGATT& g = categories.gatt[i];
    const bool wanted = mode_ == 1 ? g.kind == REZGATT::kMain : kind == kAllKinds || g.kind == kind;
    if (wanted) AddItem(GattLiBo, g, static_cast<int>(i), all && g.kind != REZGATT::kMain);
  }
}

void TGattDlg::FillNebenList() {
  NebenLiBo->clear();
  if (mode_ == 1) {
    for (uint16_t code : codes_) {
      if (code == 0) continue;
      for (const REZGATT& g : categories.gatt)
        if (g.kind == REZGATT::kMain && g.id == code) {
          AddItem(NebenLiBo, g, code, false);
          break;
        }
    }
    return;
  }
  if (!Valid(shown_)) return;
  const REZGATT& shown = categories.gatt[static_cast<size_t>(shown_)];
  if (shown.kind == REZGATT::kMain) {
    SetSymbolControls(true);
    SymbolEdt->setText(toQ(shown.symbol));
    for (size_t i = 0; i < categories.gatt.size(); ++i)
      for (uint16_t id : categories.gatt[i].mainIds)
        if (id == shown.id) AddItem(NebenLiBo, categories.gatt[i], static_cast<int>(i), false);
  } else if (shown.kind == REZGATT::kSub) {
    SetSymbolControls(false);
    SymbolEdt->clear();
    for (uint16_t id : shown.mainIds)
      for (size_t i = 0; i < categories.gatt.size(); ++i)
        if (categories.gatt[i].id == id)
          AddItem(NebenLiBo, categories.gatt[i], static_cast<int>(i), false);
  }
}

void TGattDlg::SetSymbolControls(bool visible) {
  SymbolTxt->setVisible(visible);
  SymbolEdt->setVisible(visible);
  SymbolBtn->setVisible(visible);
}

void TGattDlg::ShowGattDetails(bool fromSelection) {
  if (mode_ == 1) {
    NebenLiBo->show();
    return;
  }
  int index = fromSelection ? Selected(GattLiBo) : shown_;
  if (!Valid(index)) index = -1;
  const bool any = index >= 0;
  for (QLabel* w : {Start1Txt, Start2Txt, Start3Txt}) w->setVisible(!any);
  GattArtTxt->setVisible(any);
  GattNameTxt->setVisible(any);
  if (!any) {
    for (QWidget* w : std::initializer_list<QWidget*>{NebenTxt, NebenLiBo, ShowOBtn, Free1Txt,
                                                      Free2Txt})
      w->hide();
    SetSymbolControls(false);
    GattImg->clear();
    shown_ = -1;
    NebenLiBo->clear();
    return;
  }
  const REZGATT& g = categories.gatt[static_cast<size_t>(index)];
  shown_ = index;
  GattNameTxt->setText(toQ(g.name));
  const bool free = g.kind == REZGATT::kFree;
  GattArtTxt->setText(toQ(GetLangText(g.kind == REZGATT::kMain ? 72 : free ? 76 : 74)));
  NebenTxt->setText(toQ(GetLangText(g.kind == REZGATT::kMain ? 73 : 75)));
  for (QWidget* w : std::initializer_list<QWidget*>{NebenTxt, NebenLiBo, ShowOBtn})
    w->setVisible(!free);
  Free1Txt->setVisible(free);
  Free2Txt->setVisible(free);
  // Only main categories carry a symbol.
  SetSymbolControls(g.kind == REZGATT::kMain);
  GattImg->setPixmap(CategoryKindPicture(g.kind));
  if (free)
    NebenLiBo->clear();
  else
    FillNebenList();
}

void TGattDlg::UpdateGattButtons() {
  const int selected = Selected(GattLiBo);
  const bool hasSelection = selected >= 0;
  const int nebenRow = NebenLiBo->currentRow();
  const bool nebenSelection = nebenRow >= 0 && NebenLiBo->item(nebenRow)->isSelected();
  if (mode_ == 1) {
    GattAddBtn->setEnabled(hasSelection);
    GattDelBtn->setEnabled(nebenSelection);
    return;
  }
  ChangeBtn->setEnabled(hasSelection);
  DelBtn->setEnabled(hasSelection);
  ShowBtn->setEnabled(hasSelection);
  const bool nebenShown = NebenLiBo->isVisibleTo(this);
  ShowOBtn->setEnabled(nebenSelection && nebenShown);
  GattDelBtn->setEnabled(nebenSelection && nebenShown);
  bool add = false;
  if (hasSelection && nebenShown && Valid(selected) && Valid(shown_)) {
    const uint8_t sel = categories.gatt[static_cast<size_t>(selected)].kind;
    const uint8_t shown = categories.gatt[static_cast<size_t>(shown_)].kind;
    add = (sel != REZGATT::kMain && shown == REZGATT::kMain) ||
          (sel == REZGATT::kMain && shown == REZGATT::kSub);
  }
  GattAddBtn->setEnabled(add);
}

// ---------------------------------------------------------------------------------------------
// Commands

void TGattDlg::ArtTabChange() {
  FillGattList(ArtTab->currentIndex());
  UpdateGattButtons();
}

void TGattDlg::ShowBtnClick() {
  ShowGattDetails(true);
  UpdateGattButtons();
}

void TGattDlg::GattLiBoDblClick() {
  if (mode_ == 1)
    GattAddBtnClick();
  else
    ShowGattDetails(true);
  UpdateGattButtons();
}

void TGattDlg::ShowOBtnClick() {
  if (mode_ == 1) return;
  const QListWidgetItem* item = NebenLiBo->currentItem();
  if (!item || !item->isSelected()) return;
  const std::string name = fromQ(item->text());
  if (ArtTab->currentIndex() != kAllKinds) {
    const QSignalBlocker quiet(ArtTab);
    ArtTab->setCurrentIndex(kAllKinds);
    FillGattList(kAllKinds);
  }
  SelectByName(name);
  ShowGattDetails(true);
  UpdateGattButtons();
}

void TGattDlg::ReportFreed(int count, int title) {
  if (count <= 0) return;
  const std::string text =
      count == 1 ? GetLangText(68) : GetLangText(69) + std::to_string(count) + GetLangText(70);
  MessageBox(text, GetLangText(title), MB_OK | MB_ICONINFORMATION);
}

void TGattDlg::NeuBtnClick() {
  REZGATT fresh;
  fresh.kind = REZGATT::kFree;
  if (!inputCategory || !inputCategory(fresh)) return;
  const int id = categories.FindFreeGattId();
  if (id == 0) {
    MessageBox(GetLangText(950), GetLangText(15), MB_OK | MB_ICONERROR);
    return;
  }
  for (const REZGATT& g : categories.gatt)
    if (g.name == fresh.name) {
      MessageBox(GetLangText(60), GetLangText(15), MB_OK | MB_ICONERROR);
      return;
    }
  fresh.id = id;
  fresh.kind = fresh.kind == REZGATT::kMain ? REZGATT::kMain : REZGATT::kFree;
  fresh.symbol.clear();
  fresh.mainIds.clear();
  categories.gatt.push_back(fresh);
  {
    const QSignalBlocker quiet(ArtTab);
    ArtTab->setCurrentIndex(kAllKinds);
  }
  FillGattList(kAllKinds);
  SelectByName(fresh.name);
  ShowGattDetails(true);
  UpdateGattButtons();
}

void TGattDlg::ChangeBtnClick() {
  const int index = Selected(GattLiBo);
  if (!Valid(index)) return;
  REZGATT copy = categories.gatt[static_cast<size_t>(index)];
  const uint8_t oldKind = copy.kind;
  const std::string oldName = copy.name;
  if (!inputCategory || !inputCategory(copy)) return;
  REZGATT& entry = categories.gatt[static_cast<size_t>(index)];
  if (copy.name != oldName)
    for (const REZGATT& g : categories.gatt)
      if (g.name == copy.name) {
        MessageBox(GetLangText(60), GetLangText(15), MB_OK | MB_ICONERROR);
        return;
      }
  entry.name = copy.name;
  bool takeKind = true;
  if (copy.kind != oldKind) {
    if (copy.kind == REZGATT::kMain) {
      copy.mainIds.clear();
    } else if (oldKind == REZGATT::kMain) {
      // No keeps the category as it was, with its new name.
      takeKind = MessageBox(GetLangText(67), GetLangText(17), MB_YESNO | MB_ICONQUESTION) == IDYES;
      if (takeKind) {
        categories.removedIds.push_back(entry.id);
        ReportFreed(categories.RemoveMainGattId(entry.id), 2);
      }
    }
  }
  if (takeKind) {
    entry.kind = copy.kind;
    entry.symbol = copy.kind == REZGATT::kMain ? copy.symbol : std::string();
    entry.mainIds = copy.mainIds;
  }
  FillGattList(ArtTab->currentIndex());
  SelectByName(copy.name);
  ShowGattDetails(true);
  UpdateGattButtons();
}

void TGattDlg::DelBtnClick() {
  const int index = Selected(GattLiBo);
  if (!Valid(index)) return;
  const int row = GattLiBo->currentRow();
  const REZGATT gone = categories.gatt[static_cast<size_t>(index)];
  if (gone.kind == REZGATT::kMain &&
      MessageBox(GetLangText(71), GetLangText(17), MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  const int last = static_cast<int>(categories.gatt.size()) - 1;
  categories.gatt[static_cast<size_t>(index)] = categories.gatt.back();
  categories.gatt.pop_back();
  // The shown category may have been the deleted one or the one that took its place.
  if (shown_ == index)
    shown_ = -1;
  else if (shown_ == last)
    shown_ = index;
  if (gone.kind == REZGATT::kMain) {
    categories.removedIds.push_back(gone.id);
    ReportFreed(categories.RemoveMainGattId(gone.id), 15);
  }
  FillGattList(ArtTab->currentIndex());
  SelectRow(GattLiBo, row);
  ShowGattDetails(true);
  UpdateGattButtons();
}

void TGattDlg::GattAddBtnClick() {
  const int selected = Selected(GattLiBo);
  if (!Valid(selected)) return;
  REZGATT& sel = categories.gatt[static_cast<size_t>(selected)];
  if (mode_ == 1) {
    const auto id = static_cast<uint16_t>(sel.id);
    if (std::find(codes_, codes_ + 10, id) != codes_ + 10) return;
    uint16_t* slot = std::find(codes_, codes_ + 10, uint16_t{0});
    if (slot == codes_ + 10) {
      MessageBox(GetLangText(78), GetLangText(2), MB_OK | MB_ICONINFORMATION);
      return;
    }
    *slot = id;
    AddItem(NebenLiBo, sel, id, false);
    UpdateGattButtons();
    return;
  }
  if (!Valid(shown_) || selected == shown_) return;
  REZGATT& shown = categories.gatt[static_cast<size_t>(shown_)];
  if (sel.kind == REZGATT::kMain && shown.kind == REZGATT::kSub) {
    const auto id = static_cast<uint16_t>(sel.id);
    if (std::find(shown.mainIds.begin(), shown.mainIds.end(), id) == shown.mainIds.end()) {
      shown.mainIds.push_back(id);
      FillNebenList();
    }
  } else if (sel.kind != REZGATT::kMain && shown.kind == REZGATT::kMain) {
    const auto id = static_cast<uint16_t>(shown.id);
    if (std::find(sel.mainIds.begin(), sel.mainIds.end(), id) == sel.mainIds.end()) {
      sel.mainIds.push_back(id);
      FillNebenList();
      if (sel.mainIds.size() == 1) {
        // A free category that gets a main category is a sub category from now on.
        sel.kind = REZGATT::kSub;
        const int row = GattLiBo->currentRow();
        FillGattList(ArtTab->currentIndex());
        SelectRow(GattLiBo, row);
      }
    }
  }
  UpdateGattButtons();
}

void TGattDlg::GattDelBtnClick() {
  const int row = NebenLiBo->currentRow();
  if (row < 0 || !NebenLiBo->item(row)->isSelected()) return;
  const int data = NebenLiBo->GetItemData(row);
  if (mode_ == 1) {
    std::replace(codes_, codes_ + 10, static_cast<uint16_t>(data), uint16_t{0});
    FillNebenList();
  } else if (Valid(shown_) && Valid(data)) {
    REZGATT& shown = categories.gatt[static_cast<size_t>(shown_)];
    REZGATT& item = categories.gatt[static_cast<size_t>(data)];
    // A main item is taken from the shown sub category, a sub item loses the shown main one.
    REZGATT& sub = item.kind == REZGATT::kMain ? shown : item;
    const auto id = static_cast<uint16_t>(item.kind == REZGATT::kMain ? item.id : shown.id);
    auto it = std::find(sub.mainIds.begin(), sub.mainIds.end(), id);
    if (it != sub.mainIds.end()) {
      *it = sub.mainIds.back();
      sub.mainIds.pop_back();
      if (sub.mainIds.empty()) {
        sub.kind = REZGATT::kFree;
        const int listRow = GattLiBo->currentRow();
        ShowGattDetails(false);
        FillGattList(ArtTab->currentIndex());
        SelectRow(GattLiBo, listRow);
      }
    }
    FillNebenList();
  }
  SelectRow(NebenLiBo, row);
  UpdateGattButtons();
}

void TGattDlg::SymbolEdtChange() {
  if (!Valid(shown_)) return;
  REZGATT& shown = categories.gatt[static_cast<size_t>(shown_)];
  if (shown.kind == REZGATT::kMain) shown.symbol = fromQ(SymbolEdt->text());
}

void TGattDlg::SymbolBtnClick() {
  std::string path, name;
  if (!chooseSymbolPicture || !chooseSymbolPicture(path)) return;
  // The symbol is looked for in the symbol folder.
  if (!TakeFileIntoFolder(path, SymbolFolder(), name)) return;
  SymbolEdt->setText(toQ(name));
  SymbolEdtChange();
}

// ---------------------------------------------------------------------------------------------
// Dragging between the lists

bool TGattDlg::eventFilter(QObject* watched, QEvent* event) {
  const bool toNeben = watched == NebenLiBo->viewport();
  const bool toGatt = watched == GattLiBo->viewport();
  if (!toNeben && !toGatt) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::Resize && toGatt) {
    FitListColumns();
    return false;
  }
  if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove &&
      event->type() != QEvent::Drop)
    return false;
  auto* drop = static_cast<QDropEvent*>(event);
  const bool accepted = toNeben ? drop->source() == GattLiBo && GattAddBtn->isEnabled()
                                : drop->source() == NebenLiBo;
  if (!accepted) {
    drop->ignore();
    return true;
  }
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  if (event->type() == QEvent::Drop) {
    if (toNeben)
      GattAddBtnClick();
    else
      GattDelBtnClick();
  }
  return true;
}

}  // namespace tav
