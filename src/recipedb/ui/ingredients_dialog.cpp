#include "recipedb/ui/ingredients_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/dealer_access.h"
#include "recipedb/reference_tables.h"
#include "recipedb/ui/ingredient_links.h"
#include "recipedb/unit_table.h"
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

namespace tav {

TZutatenDlg* ZutatenDlg = nullptr;

SeasonStrip::SeasonStrip(QWidget* parent) : QWidget(parent) {
  setMinimumSize(48 * 5, 18);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SeasonStrip::SetSeason(const std::string& marks, bool any) {
  season_ = marks;
  any_ = any;
  update();
}

void SeasonStrip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor quarters[] = {{238, 255, 238}, {255, 255, 238}, {255, 238, 238}, {238, 255, 255}};
  const double w = static_cast<double>(width()) / 48;
  for (int k = 0; k < 48; ++k) {
    const QRectF cell(k * w, 0, w, height());
    QColor fill = quarters[k / 12];
    const char mark = any_ && static_cast<size_t>(k + 1) < season_.size() ? season_[k + 1] : ' ';
    if (mark == 'N') fill = QColor(0, 255, 0);
    if (mark == 'S') fill = QColor(0, 170, 0);
    p.fillRect(cell, fill);
    // A line between the months.
    p.setPen(k % 4 == 0 ? QColor(150, 150, 150) : QColor(215, 215, 215));
    p.drawLine(cell.topLeft(), cell.bottomLeft());
  }
  p.setPen(QColor(150, 150, 150));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SeasonStrip::mousePressEvent(QMouseEvent*) {
  if (clicked) clicked();
}

namespace {

std::string PictureFolder() {
  return (ctx().options ? ctx().options->Str(90) : std::string()) + "Pics/Zutaten/";
}

}  // namespace

TZutatenDlg::TZutatenDlg(QWidget* parent) : QDialog(parent) {
  ZutatenDlg = this;
  setObjectName(QStringLiteral("ZutatenDlg"));
  setWindowTitle(toQ("Zutatenliste"));
  setModal(true);

  FilterTab = Named<QTabBar>(this, "FilterTab");
  FilterTab->addTab(toQ("Alle"));
  FilterTab->addTab(toQ("ohne Einheitenzuweisungen"));
  FilterTab->setExpanding(false);
  FilterTab->setDrawBase(false);
  FilterTab->setUsesScrollButtons(false);
  FilterTab->setElideMode(Qt::ElideNone);
  ZutatLiBo = Named<TContextListBox>(this, "ZutatLiBo");
  NeuBtn = Captioned<QPushButton>(this, "NeuBtn", "&Neu");
  DelBtn = Captioned<QPushButton>(this, "DelBtn", "&L\xF6schen");
  OKBtn = Captioned<QPushButton>(this, "OKBtn", "&OK");
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");
  HelpBtn = Captioned<QToolButton>(this, "HelpBtn", "?");

  DetailGrp = Named<QGroupBox>(this, "DetailGrp");
  DetailGrp->setTitle(toQ(" Angaben zur Zutat : "));
  NameTxt = Captioned<QLabel>(DetailGrp, "NameTxt", "Zutat (Mehrzahl):");
  NameEdt = Named<QLineEdit>(DetailGrp, "NameEdt");
  NameTxt->setBuddy(NameEdt);
  SingNameTxt = Captioned<QLabel>(DetailGrp, "SingNameTxt", "Einzahl:");
  SingNameEdt = Named<QLineEdit>(DetailGrp, "SingNameEdt");
  SingNameTxt->setBuddy(SingNameEdt);
  KListChk = Named<QCheckBox>(DetailGrp, "KListChk");
  KList1Txt = Captioned<QLabel>(DetailGrp, "KList1Txt", "Soll mit auf die ");
  KList2Txt = Captioned<QLabel>(DetailGrp, "KList2Txt", "&Einkaufsliste");
  KList2Txt->setBuddy(KListChk);

  SaisonPnl = Named<QGroupBox>(DetailGrp, "SaisonPnl");
  SaisonPnl->setTitle(toQ(" Saison "));
  DataGrd = Named<SeasonStrip>(SaisonPnl, "DataGrd");
  NoSaisonTxt = Captioned<QLabel>(SaisonPnl, "NoSaisonTxt", "Keine Saisonangaben verf\xFCgbar");
  InpSaisonBtn = Captioned<QToolButton>(SaisonPnl, "InpSaisonBtn", "...");

  HaendlerPnl = Named<QGroupBox>(DetailGrp, "HaendlerPnl");
  HaendlerPnl->setTitle(toQ(" H\xE4ndler "));
  HaendlerCoBo = Named<QComboBox>(HaendlerPnl, "HaendlerCoBo");
  HaendlerCoBo->setEditable(true);
  DelHaendlerBtn = Captioned<QToolButton>(HaendlerPnl, "DelHaendlerBtn", "X");

  EnergieGrp = Named<QGroupBox>(DetailGrp, "EnergieGrp");
  EnergieGrp->setTitle(toQ(" Energie "));
  NoEnergieRdb = Captioned<QRadioButton>(EnergieGrp, "NoEnergieRdb", "keine Angabe");
  UnwichtigRdb = Captioned<QRadioButton>(EnergieGrp, "UnwichtigRdb", "unbedeutender Gehalt");
  EnergieRdb = Captioned<QRadioButton>(EnergieGrp, "EnergieRdb", "folgender Wert:");
  auto* energyKinds = new QButtonGroup(this);
  for (QRadioButton* r : {NoEnergieRdb, UnwichtigRdb, EnergieRdb}) energyKinds->addButton(r);
  EnergieEdt = Named<QLineEdit>(EnergieGrp, "EnergieEdt");
  EnergieEinheitCoBo = Named<QComboBox>(EnergieGrp, "EnergieEinheitCoBo");
  EnergieEinheitCoBo->addItems({QStringLiteral("kcal"), QStringLiteral("kJoule")});
  ProTxt = Captioned<QLabel>(EnergieGrp, "ProTxt", "pro");
  MasseCoBo = Named<QComboBox>(EnergieGrp, "MasseCoBo");
  MasseCoBo->addItems({QStringLiteral("1 g"), QStringLiteral("100 g"), QStringLiteral("1 kg"),
                       QStringLiteral("1 cl"), QStringLiteral("1 l")});
  CalcBLSBtn = Captioned<QPushButton>(EnergieGrp, "CalcBLSBtn", "Aus BLS-Daten besorgen");

  BLSPnl = Named<QGroupBox>(DetailGrp, "BLSPnl");
  BLSPnl->setTitle(toQ(" Lebensmittel "));
  BLSKeyTxt = Captioned<QLabel>(BLSPnl, "BLSKeyTxt", "BLS-Schl\xFCssel:");
  BLSKey = Named<QLabel>(BLSPnl, "BLSKey");
  BLSBez = Named<QLabel>(BLSPnl, "BLSBez");
  BLSBez->setWordWrap(true);
  NoBLSTxt = Captioned<QLabel>(BLSPnl, "NoBLSTxt", "Derzeit keine Verkn\xFCpfung");
  AddBLSBtn = Captioned<QPushButton>(BLSPnl, "AddBLSBtn", "&Zuweisen");
  RemoveBLSBtn = Captioned<QPushButton>(BLSPnl, "RemoveBLSBtn", "Entfernen");
  ShowBLSBtn = Captioned<QPushButton>(BLSPnl, "ShowBLSBtn", "&BLS-Daten aufrufen");

  WeightPnl = Named<QGroupBox>(DetailGrp, "WeightPnl");
  WeightPnl->setTitle(toQ(" Gewicht pro St\xFC" "ck "));
  WeightEdt = Named<QLineEdit>(WeightPnl, "WeightEdt");
  WeightTxt = Captioned<QLabel>(WeightPnl, "WeightTxt", "g");

  PicGrp = Named<QGroupBox>(DetailGrp, "PicGrp");
  PicGrp->setTitle(toQ(" Bild "));
  BmpNameTxt = Named<QLabel>(PicGrp, "BmpNameTxt");
  PicNewBtn = Captioned<QPushButton>(PicGrp, "PicNewBtn", "Zu&weisen");
  PicDelBtn = Captioned<QPushButton>(PicGrp, "PicDelBtn", "Entfernen");
  PicEditBtn = Captioned<QPushButton>(PicGrp, "PicEditBtn", "An&schauen");

  EinheitGrp = Named<QGroupBox>(DetailGrp, "EinheitGrp");
  EinheitGrp->setTitle(toQ(" Zutat soll erscheinen bei : "));
  alwaysRdb = Captioned<QRadioButton>(EinheitGrp, "alwaysRdb",
                                      "Zutat soll immer zur Auswahl angeboten werden");
  onlyRdb = Captioned<QRadioButton>(EinheitGrp, "onlyRdb",
                                    "Zutat nur anbieten bei folgenden Einheiten:");
  EinheitLiBo = Named<TContextListBox>(EinheitGrp, "EinheitLiBo");
  EinheitLiBo->setSelectionMode(QAbstractItemView::MultiSelection);
  EinheitLiBo->setFlow(QListView::TopToBottom);
  EinheitLiBo->setWrapping(true);
  EinheitLiBo->setResizeMode(QListView::Adjust);
  EinheitLiBo->viewport()->installEventFilter(this);
  FluessigBtn = Captioned<QPushButton>(EinheitGrp, "FluessigBtn", "&Fl\xFCssigkeiten");
  GewichtBtn = Captioned<QPushButton>(EinheitGrp, "GewichtBtn", "&Gewichte");
  ZaehlBtn = Captioned<QPushButton>(EinheitGrp, "ZaehlBtn", "Z&\xE4hlbares");
  LaengeBtn = Captioned<QPushButton>(EinheitGrp, "LaengeBtn", "&Volumen");
  KleinBtn = Captioned<QPushButton>(EinheitGrp, "KleinBtn", "Gew&\xFCrze");
  for (QPushButton* b : {NeuBtn, DelBtn, CalcBLSBtn, AddBLSBtn, RemoveBLSBtn, ShowBLSBtn,
                         PicNewBtn, PicDelBtn, PicEditBtn, FluessigBtn, GewichtBtn, ZaehlBtn,
                         LaengeBtn, KleinBtn, OKBtn, CancelBtn})
    b->setAutoDefault(false);  // no default button: Enter in a field would close the window

  // Layouts of the groups.
  auto* season = new QHBoxLayout(SaisonPnl);
  season->addWidget(DataGrd, 1);
  season->addWidget(NoSaisonTxt, 1);
  season->addWidget(InpSaisonBtn);
  auto* dealer = new QHBoxLayout(HaendlerPnl);
  dealer->addWidget(HaendlerCoBo, 1);
  dealer->addWidget(DelHaendlerBtn);
  auto* energy = new QGridLayout(EnergieGrp);
  energy->addWidget(NoEnergieRdb, 0, 0, 1, 4);
  energy->addWidget(UnwichtigRdb, 1, 0, 1, 4);
  energy->addWidget(EnergieRdb, 2, 0, 1, 4);
  auto* value = new QHBoxLayout;
  value->addSpacing(20);
  value->addWidget(EnergieEdt, 1);
  value->addWidget(EnergieEinheitCoBo);
  value->addWidget(ProTxt);
  value->addWidget(MasseCoBo);
  energy->addLayout(value, 3, 0, 1, 4);
  energy->addWidget(CalcBLSBtn, 4, 0, 1, 4, Qt::AlignRight);
  energy->setRowStretch(5, 1);
  auto* food = new QGridLayout(BLSPnl);
  food->addWidget(BLSKeyTxt, 0, 0);
  food->addWidget(BLSKey, 0, 1);
  food->addWidget(NoBLSTxt, 0, 0, 1, 2);
  food->addWidget(BLSBez, 1, 0, 1, 2);
  food->setRowStretch(2, 1);
  food->setColumnStretch(1, 1);
  auto* foodButtons = new QHBoxLayout;
  foodButtons->addWidget(AddBLSBtn);
  foodButtons->addWidget(RemoveBLSBtn);
  foodButtons->addWidget(ShowBLSBtn);
  foodButtons->addStretch(1);
  food->addLayout(foodButtons, 3, 0, 1, 2);
  auto* weight = new QHBoxLayout(WeightPnl);
  weight->addWidget(WeightEdt);
  weight->addWidget(WeightTxt);
  weight->addStretch(1);
  auto* picture = new QVBoxLayout(PicGrp);
  picture->addWidget(BmpNameTxt);
  auto* pictureButtons = new QHBoxLayout;
  pictureButtons->addWidget(PicNewBtn);
  pictureButtons->addWidget(PicDelBtn);
  pictureButtons->addWidget(PicEditBtn);
  picture->addLayout(pictureButtons);
  auto* units = new QVBoxLayout(EinheitGrp);
  units->addWidget(alwaysRdb);
  units->addWidget(onlyRdb);
  units->addLayout(
      WithSideButtons(EinheitLiBo, {FluessigBtn, GewichtBtn, ZaehlBtn, LaengeBtn, KleinBtn}), 1);

  auto* detail = new QGridLayout(DetailGrp);
  detail->addWidget(NameTxt, 0, 0);
  detail->addWidget(NameEdt, 0, 1);
  detail->addWidget(SingNameTxt, 0, 2);
  detail->addWidget(SingNameEdt, 0, 3);
  auto* shopping = new QHBoxLayout;
  shopping->setSpacing(0);
  shopping->addWidget(KListChk);
  shopping->addSpacing(4);
  shopping->addWidget(KList1Txt);
  shopping->addWidget(KList2Txt);
  shopping->addStretch(1);
  detail->addLayout(shopping, 1, 1, 1, 3);
  detail->addWidget(EnergieGrp, 2, 0, 1, 2);
  detail->addWidget(BLSPnl, 2, 2, 1, 2);
  detail->addWidget(SaisonPnl, 3, 0, 1, 2);
  detail->addWidget(HaendlerPnl, 3, 2, 1, 2);
  detail->addWidget(WeightPnl, 4, 0, 1, 2);
  detail->addWidget(PicGrp, 4, 2, 1, 2);
  detail->addWidget(EinheitGrp, 5, 0, 1, 4);
  detail->setRowStretch(5, 1);
  detail->setColumnStretch(1, 1);
  detail->setColumnStretch(3, 1);

  auto* left = TabbedList(FilterTab, ZutatLiBo, {NeuBtn, DelBtn});
  auto* top = new QHBoxLayout;
  top->addLayout(left, 1);
  top->addWidget(DetailGrp, 3);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {OKBtn, CancelBtn}));

  // A mouse press or a key moves the current row first and the selection after it: the
  // ingredient is shown once the selection follows.
  connect(ZutatLiBo, &QListWidget::itemSelectionChanged, this, [this] { ZutatLiBo2Click(); });
  connect(FilterTab, &QTabBar::currentChanged, this, [this] { FilterTabChange(); });
  connect(NeuBtn, &QPushButton::clicked, this, [this] { NeuBtnClick(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { reject(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(EinheitLiBo, &QListWidget::itemClicked, this, [this] { EinheitLiBo2Click(); });
  connect(FluessigBtn, &QPushButton::clicked, this, [this] { AddUnitsOfKind(kUnitLiquid); });
  connect(GewichtBtn, &QPushButton::clicked, this, [this] { AddUnitsOfKind(kUnitWeight); });
  connect(ZaehlBtn, &QPushButton::clicked, this, [this] { AddUnitsOfKind(kUnitCountable); });
  connect(LaengeBtn, &QPushButton::clicked, this, [this] { AddUnitsOfKind(kUnitLengthOrVolume); });
  connect(KleinBtn, &QPushButton::clicked, this, [this] { AddUnitsOfKind(kUnitSmallAmount); });
  connect(InpSaisonBtn, &QToolButton::clicked, this, [this] { InpSaisonBtnClick(); });
  DataGrd->clicked = [this] { InpSaisonBtnClick(); };
  connect(AddBLSBtn, &QPushButton::clicked, this, [this] { AddBLSBtnClick(); });
  connect(RemoveBLSBtn, &QPushButton::clicked, this, [this] { RemoveBLSBtnClick(); });
  connect(ShowBLSBtn, &QPushButton::clicked, this, [this] { ShowBLSBtnClick(); });
  connect(CalcBLSBtn, &QPushButton::clicked, this, [this] { TakeBLSEnergy(); });
  connect(MasseCoBo, &QComboBox::activated, this, [this] { MasseCoBoChange(); });
  connect(EnergieEinheitCoBo, &QComboBox::activated, this, [this] { MasseCoBoChange(); });
  connect(EnergieEdt, &QLineEdit::textEdited, this, [this] { MasseCoBoChange(); });
  connect(DelHaendlerBtn, &QToolButton::clicked, this, [this] { DelHaendlerBtnClick(); });
  connect(PicNewBtn, &QPushButton::clicked, this, [this] { PicNewBtnClick(); });
  connect(PicDelBtn, &QPushButton::clicked, this, [this] { PicDelBtnClick(); });
  connect(PicEditBtn, &QPushButton::clicked, this, [this] { PicEditBtnClick(); });
  for (QLabel* label : {KList1Txt, KList2Txt, BmpNameTxt}) label->installEventFilter(this);

  choosePictureFile = [this](std::string& path) {
    const QStringList filters = FileDialogFilters(GetLangText(5));
    QFileDialog dialog(this, toQ(GetLangText(378)), toQ(PictureFolder()));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = fromQ(dialog.selectedFiles().front());
    return true;
  };

  catalogue.onlyWithoutUnits = false;
  catalogue.ReadZutaten();
  ctx().ingredients = &catalogue;
  FillUnitList();
  if (LangDlg) LangDlg->TranslateForm(this);
  EinheitLiBo->setMinimumHeight(EinheitLiBo->fontMetrics().height() * 6);
  WeightEdt->setMaximumWidth(WeightEdt->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 10);
}

TZutatenDlg::~TZutatenDlg() {
  if (ctx().ingredients == &catalogue) ctx().ingredients = nullptr;
  if (ZutatenDlg == this) ZutatenDlg = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Lists

int TZutatenDlg::SelectedZutat() const {
  const int row = ZutatLiBo->currentRow();
  if (row < 0 || !ZutatLiBo->item(row)->isSelected()) return -1;
  const int index = ZutatLiBo->GetItemData(row);
  return index >= 0 && index < static_cast<int>(catalogue.zutaten.size()) ? index : -1;
}

REZZUTATEN* TZutatenDlg::CurrentZutat() {
  if (current_ < 0 || current_ >= static_cast<int>(catalogue.zutaten.size())) return nullptr;
  return &catalogue.zutaten[static_cast<size_t>(current_)];
}

void TZutatenDlg::FillZutatList() {
  const QSignalBlocker quiet(ZutatLiBo);
  std::vector<ListItem> items;
  catalogue.FillZutatList(items, false);
  std::stable_sort(items.begin(), items.end(), [](const ListItem& a, const ListItem& b) {
    return CompareTextNoCase(a.text, b.text) < 0;
  });
  ZutatLiBo->clear();
  for (const ListItem& item : items) {
    ZutatLiBo->addItem(toQ(item.text));
    ZutatLiBo->SetItemData(ZutatLiBo->count() - 1, item.data);
  }
}

void TZutatenDlg::SelectText(const std::string& text) {
  const QSignalBlocker quiet(ZutatLiBo);
  ZutatLiBo->ClearSelection();
  for (int i = ZutatLiBo->count() - 1; i >= 0; --i)
    if (fromQ(ZutatLiBo->item(i)->text()) == text) {
      ZutatLiBo->setCurrentRow(i);
      return;
    }
}

void TZutatenDlg::SelectRow(int row) {
  const QSignalBlocker quiet(ZutatLiBo);
  ZutatLiBo->ClearSelection();
  if (ZutatLiBo->count() > 0) ZutatLiBo->setCurrentRow(std::clamp(row, 0, ZutatLiBo->count() - 1));
}

void TZutatenDlg::FillUnitList() {
  const QSignalBlocker quiet(EinheitLiBo);
  EinheitLiBo->clear();
  if (!ctx().units) return;
  std::vector<ListItem> items;
  ctx().units->FillUnitList(items);
  std::stable_sort(items.begin(), items.end(), [](const ListItem& a, const ListItem& b) {
    return CompareTextNoCase(a.text, b.text) < 0;
  });
  for (const ListItem& item : items) {
    EinheitLiBo->addItem(toQ(item.text));
    EinheitLiBo->SetItemData(EinheitLiBo->count() - 1, item.data);
  }
}

// ---------------------------------------------------------------------------------------------
// Showing

void TZutatenDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TZutatenDlg::FormShow() {
  // Every change that was not written is dropped here.
  catalogue.ReadZutaten();
  // The unit list holds table positions, which a change of the units moves.
  FillUnitList();
  FillZutatList();
  // The dealer box is filled before the ingredient is shown: filling it puts the first dealer
  // into its edit, which OK would store as the ingredient's dealer.
  {
    const QSignalBlocker quiet(HaendlerCoBo);
    HaendlerCoBo->clear();
    if (const DealerAccess* dealers = Dealers())
      for (const std::string& d : dealers->DealerNames()) HaendlerCoBo->addItem(toQ(d));
    HaendlerPnl->setEnabled(Dealers() != nullptr);
  }
  SelectRow(startPosition_);
  current_ = SelectedZutat();
  ShowZutat();
  BLSPnl->setVisible(!(ctx().options && ctx().options->Flag(56)));
  CenterOnForm(this);
}

void TZutatenDlg::ShowLinkControls(bool linked) {
  BLSKeyTxt->setVisible(linked);
  BLSKey->setVisible(linked);
  BLSBez->setVisible(linked);
  NoBLSTxt->setVisible(!linked);
  ShowBLSBtn->setEnabled(linked && Linked<FoodBrowser>());
  RemoveBLSBtn->setEnabled(linked);
  CalcBLSBtn->setEnabled(linked && Linked<FoodData>());
  AddBLSBtn->setEnabled(current_ >= 0 && Linked<FoodChooser>());
}

void TZutatenDlg::SetPictureControls(bool any) {
  PicEditBtn->setEnabled(any);
  PicDelBtn->setEnabled(any);
  BmpNameTxt->setEnabled(any);
}

void TZutatenDlg::ShowZutat() {
  filling_ = true;
  const REZZUTATEN* z = CurrentZutat();
  if (!z) {
    NameEdt->clear();
    SingNameEdt->clear();
    KListChk->setChecked(true);
    auto* group = NoEnergieRdb->group();
    group->setExclusive(false);
    for (QRadioButton* r : {NoEnergieRdb, UnwichtigRdb, EnergieRdb}) r->setChecked(false);
    group->setExclusive(true);
    MasseCoBo->setCurrentIndex(-1);
    EnergieEdt->clear();
    WeightEdt->clear();
    BmpNameTxt->clear();
    BLSKey->clear();
    ShowLinkControls(false);
    alwaysRdb->setChecked(true);
    SetPictureControls(false);
    EnableZutatUnitControls();
    ShowZutatSeason();
    filling_ = false;
    return;
  }
  NameEdt->setText(toQ(z->plural));
  SingNameEdt->setText(toQ(z->singular));
  WeightEdt->setText(z->pieceWeight ? toQ(std::to_string(z->pieceWeight)) : QString());
  KListChk->setChecked(!z->notOnShoppingList);
  EnergieEdt->clear();
  BmpNameTxt->setText(toQ(z->picture));
  BLSKey->setText(toQ(z->blsKey));
  ShowZutatBLSName();
  ShowLinkControls(!z->blsKey.empty());
  (z->units.empty() ? alwaysRdb : onlyRdb)->setChecked(true);
  MasseCoBo->setCurrentIndex(REZZUTATEN::kPer100g);
  EnergieEinheitCoBo->setCurrentIndex(REZZUTATEN::kKcal);
  if (z->energy.empty()) {
    NoEnergieRdb->setChecked(true);
  } else if (z->energy == "?") {
    UnwichtigRdb->setChecked(true);
  } else {
    MasseCoBo->setCurrentIndex(std::min<int>(z->energyBasis, 4));
    EnergieEinheitCoBo->setCurrentIndex(z->energyUnit == REZZUTATEN::kKJ ? 1 : 0);
    EnergieEdt->setText(toQ(z->energy));
    EnergieRdb->setChecked(true);
  }
  SetPictureControls(!z->picture.empty());
  {
    const QSignalBlocker quiet(HaendlerCoBo);
    std::string dealer;
    int sequence = 0;
    const DealerAccess* dealers = Dealers();
    HaendlerCoBo->setEditText(dealers && dealers->FindHaendlerOfZutat(z->plural, dealer, sequence)
                                  ? toQ(dealer)
                                  : QString());
  }
  EnableZutatUnitControls();
  ShowZutatSeason();
  filling_ = false;
}

void TZutatenDlg::ShowZutatUnits() {
  const QSignalBlocker quiet(EinheitLiBo);
  const int index = SelectedZutat();
  if (index < 0) return;
  const REZZUTATEN& z = catalogue.zutaten[static_cast<size_t>(index)];
  for (int i = 0; i < EinheitLiBo->count(); ++i) {
    const REZEINHEIT* u =
        ctx().units ? ctx().units->GetUnitAt(static_cast<size_t>(EinheitLiBo->GetItemData(i)))
                    : nullptr;
    const bool marked = u && std::find(z.units.begin(), z.units.end(), u->code) != z.units.end();
    EinheitLiBo->item(i)->setSelected(marked);
  }
  // Codes the list does not show still count: the ingredient keeps being offered with them.
  (z.units.empty() ? alwaysRdb : onlyRdb)->setChecked(true);
}

void TZutatenDlg::EnableZutatUnitControls() {
  const bool any = SelectedZutat() >= 0;
  for (QWidget* w : std::initializer_list<QWidget*>{FluessigBtn, GewichtBtn, ZaehlBtn, LaengeBtn,
                                                    KleinBtn, EinheitLiBo, alwaysRdb, onlyRdb,
                                                    DelBtn})
    w->setEnabled(any);
  if (!any) {
    const QSignalBlocker quiet(EinheitLiBo);
    EinheitLiBo->clearSelection();
    return;
  }
  ShowZutatUnits();
}

void TZutatenDlg::ShowZutatSeason() {
  const int index = SelectedZutat();
  const REZZUTATEN* z = index >= 0 ? &catalogue.zutaten[static_cast<size_t>(index)] : nullptr;
  const bool any = z && !z->season.empty() && z->season[0] == 'J';
  DataGrd->setVisible(any);
  NoSaisonTxt->setVisible(!any);
  DataGrd->SetSeason(z ? z->season : std::string(), z != nullptr);
  InpSaisonBtn->setEnabled(z && Linked<SeasonEditor>());
}

void TZutatenDlg::ShowZutatBLSName() {
  const std::string key = fromQ(BLSKey->text());
  std::string name;
  if (!key.empty())
    if (FoodData* foods = Linked<FoodData>()) foods->FoodNameByKey(key, name);
  BLSBez->setText(toQ(name));
}

// ---------------------------------------------------------------------------------------------
// Storing the edits

bool TZutatenDlg::ApplyZutatEdits() {
  REZZUTATEN* z = CurrentZutat();
  if (!z) return true;
  const std::string plural = fromQ(NameEdt->text()).substr(0, 50);
  const std::string singular = fromQ(SingNameEdt->text()).substr(0, 50);
  if (fromQ(NameEdt->text()) != plural) NameEdt->setText(toQ(plural));
  if (fromQ(SingNameEdt->text()) != singular) SingNameEdt->setText(toQ(singular));
  // A name holding '#' would split its line of zutaten.dat.
  if (!NameFitsReferenceFile(plural) || !NameFitsReferenceFile(singular)) return false;
  z->plural = plural;
  z->singular = singular;
  z->notOnShoppingList = KListChk->isChecked() ? 0 : 1;
  if (EnergieRdb->isChecked()) {
    z->energy = fromQ(EnergieEdt->text());
    z->energyBasis = static_cast<uint8_t>(std::max(0, MasseCoBo->currentIndex()));
    z->energyUnit = static_cast<uint8_t>(std::max(0, EnergieEinheitCoBo->currentIndex()));
  } else {
    z->energy = UnwichtigRdb->isChecked() ? "?" : "";
    z->energyBasis = REZZUTATEN::kPer1g;
    z->energyUnit = REZZUTATEN::kKcal;
  }
  if (alwaysRdb->isChecked()) z->units.clear();
  z->pieceWeight = static_cast<int32_t>(ReadLong(fromQ(WeightEdt->text())));
  if (DealerAccess* dealers = Dealers()) {
    const std::string dealer = fromQ(HaendlerCoBo->currentText());
    dealers->AddHaendler(dealer);
    dealers->SetHaendlerOfZutat(dealer, plural);
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Commands

void TZutatenDlg::ZutatLiBo2Click() {
  if (SelectedZutat() < 0) return;
  const REZZUTATEN* before = CurrentZutat();
  const std::string oldPlural = before ? before->plural : std::string();
  if (!ApplyZutatEdits()) {
    // The refused name stays in the field; the list goes back to its ingredient.
    const QSignalBlocker quiet(ZutatLiBo);
    for (int i = 0; i < ZutatLiBo->count(); ++i)
      if (ZutatLiBo->GetItemData(i) == current_) ZutatLiBo->setCurrentRow(i);
    return;
  }
  const REZZUTATEN* after = CurrentZutat();
  if (after && after->plural != oldPlural) {
    const int row = ZutatLiBo->currentRow();
    const std::string chosen = row >= 0 ? fromQ(ZutatLiBo->item(row)->text()) : std::string();
    FillZutatList();
    SelectText(chosen);
  }
  const int index = SelectedZutat();
  if (index >= 0) current_ = index;
  ShowZutat();
}

void TZutatenDlg::NeuBtnClick() {
  if (!ApplyZutatEdits()) return;
  REZZUTATEN fresh;
  fresh.plural = GetLangText(956);
  catalogue.zutaten.push_back(fresh);
  FillZutatList();
  SelectText(fresh.plural);
  current_ = SelectedZutat();
  ShowZutatUnits();
  ShowZutat();
  NameEdt->setFocus();
  NameEdt->selectAll();
}

void TZutatenDlg::DelBtnClick() {
  const int index = SelectedZutat();
  if (index < 0) return;
  const int row = ZutatLiBo->currentRow();
  catalogue.zutaten[static_cast<size_t>(index)] = catalogue.zutaten.back();
  catalogue.zutaten.pop_back();
  FillZutatList();
  SelectRow(row);
  current_ = SelectedZutat();
  ShowZutatUnits();
  ShowZutat();
}

void TZutatenDlg::FilterTabChange() {
  catalogue.onlyWithoutUnits = FilterTab->currentIndex() != 0;
  FillZutatList();
  // The ingredient shown stays; its item is selected again when the list still holds it.
  const QSignalBlocker quiet(ZutatLiBo);
  for (int i = 0; i < ZutatLiBo->count(); ++i)
    if (ZutatLiBo->GetItemData(i) == current_) ZutatLiBo->setCurrentRow(i);
}

void TZutatenDlg::EinheitLiBo2Click() {
  const int index = SelectedZutat();
  if (index < 0 || !ctx().units) return;
  onlyRdb->setChecked(true);
  REZZUTATEN& z = catalogue.zutaten[static_cast<size_t>(index)];
  z.units.clear();
  for (int i = 0; i < EinheitLiBo->count(); ++i) {
    if (!EinheitLiBo->item(i)->isSelected()) continue;
    if (const REZEINHEIT* u =
            ctx().units->GetUnitAt(static_cast<size_t>(EinheitLiBo->GetItemData(i))))
      z.units.push_back(u->code);
  }
}

void TZutatenDlg::AddUnitsOfKind(uint16_t mask) {
  const int index = SelectedZutat();
  if (index < 0 || !ctx().units) return;
  ctx().units->AddUnitsOfKind(catalogue.zutaten[static_cast<size_t>(index)], mask);
  onlyRdb->setChecked(true);
  ShowZutatUnits();
}

void TZutatenDlg::InpSaisonBtnClick() {
  const int index = SelectedZutat();
  SeasonEditor* editor = Linked<SeasonEditor>();
  if (index < 0 || !editor) return;
  REZZUTATEN copy = catalogue.zutaten[static_cast<size_t>(index)];
  if (editor->EditSeason(copy)) catalogue.zutaten[static_cast<size_t>(index)].season = copy.season;
  ShowZutatSeason();
}

void TZutatenDlg::AddBLSBtnClick() {
  FoodChooser* chooser = Linked<FoodChooser>();
  REZZUTATEN* z = CurrentZutat();
  if (!chooser || !z) return;
  std::string key, name;
  chooser->ChooseFood(key, name);
  BLSKey->setText(toQ(key));
  BLSBez->setText(toQ(name));
  ShowZutatBLSName();
  ShowLinkControls(!key.empty());
  z->blsKey = key;
  if (!key.empty() &&
      MessageBox(GetLangText(379), GetLangText(56), MB_YESNO | MB_ICONQUESTION) == IDYES)
    TakeBLSEnergy();
}

void TZutatenDlg::RemoveBLSBtnClick() {
  if (REZZUTATEN* z = CurrentZutat()) z->blsKey.clear();
  BLSKey->clear();
  BLSBez->clear();
  ShowLinkControls(false);
}

void TZutatenDlg::ShowBLSBtnClick() {
  const std::string key = fromQ(BLSKey->text()).substr(0, 8);
  if (key.empty()) {
    MessageBox(GetLangText(376), GetLangText(2), MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (FoodBrowser* browser = Linked<FoodBrowser>()) browser->ShowFood(key);
}

void TZutatenDlg::TakeBLSEnergy() {
  const REZZUTATEN* z = CurrentZutat();
  FoodData* foods = Linked<FoodData>();
  if (!z || !foods) return;
  const bool kJ = ctx().options && ctx().options->Flag(16);
  std::string value;
  if (!foods->FoodEnergy(z->blsKey, kJ, value)) {
    value.clear();
    MessageBox(GetLangText(431), GetLangText(15), MB_OK | MB_ICONERROR);
  }
  EnergieEdt->setText(toQ(value));
  MasseCoBo->setCurrentIndex(REZZUTATEN::kPer100g);
  EnergieEinheitCoBo->setCurrentIndex(kJ ? 1 : 0);
  MasseCoBoChange();
}

void TZutatenDlg::MasseCoBoChange() {
  if (!filling_) EnergieRdb->setChecked(true);
}

void TZutatenDlg::KList1TxtClick() { KListChk->toggle(); }

void TZutatenDlg::DelHaendlerBtnClick() { HaendlerCoBo->setEditText(QString()); }

void TZutatenDlg::PicNewBtnClick() {
  REZZUTATEN* z = CurrentZutat();
  std::string path, name;
  if (!z || !choosePictureFile || !choosePictureFile(path)) return;
  // The picture is shown from the ingredient picture folder.
  if (!TakeFileIntoFolder(path, PictureFolder(), name)) return;
  z->picture = name;
  BmpNameTxt->setText(toQ(name));
  SetPictureControls(true);
}

void TZutatenDlg::PicDelBtnClick() {
  if (REZZUTATEN* z = CurrentZutat()) z->picture.clear();
  BmpNameTxt->clear();
  SetPictureControls(false);
}

void TZutatenDlg::PicEditBtnClick() {
  const REZZUTATEN* z = CurrentZutat();
  if (z && !z->picture.empty()) ShellOpenFile(PictureFolder() + z->picture);
}

void TZutatenDlg::OKBtnClick() {
  if (!ApplyZutatEdits()) return;
  catalogue.WriteZutaten();
  if (DealerAccess* dealers = Dealers()) dealers->SaveHaendler();
  accept();
}

void TZutatenDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Zutat.htm");
}

bool TZutatenDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    if (watched == KList1Txt || watched == KList2Txt) {
      KList1TxtClick();
      return true;
    }
    if (watched == BmpNameTxt) {
      PicEditBtnClick();
      return true;
    }
  }
  if (watched == EinheitLiBo->viewport() && event->type() == QEvent::Resize)
    EinheitLiBo->setGridSize(QSize(std::max(60, EinheitLiBo->viewport()->width() / 4 - 1),
                                   EinheitLiBo->fontMetrics().height() + 4));
  return QDialog::eventFilter(watched, event);
}

}  // namespace tav
