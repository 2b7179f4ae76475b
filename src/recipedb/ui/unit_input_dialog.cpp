#include "recipedb/ui/unit_input_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TInpEinheitDlg* InpEinheitDlg = nullptr;

namespace {

QLabel* Caption(QWidget* parent, const char* name, const char* text, QWidget* buddy) {
  auto* label = Named<QLabel>(parent, name);
  label->setText(toQ(text));
  label->setBuddy(buddy);
  return label;
}

}  // namespace

TInpEinheitDlg::TInpEinheitDlg(QWidget* parent) : QDialog(parent) {
  InpEinheitDlg = this;
  setObjectName(QStringLiteral("InpEinheitDlg"));
  setWindowTitle(toQ("Eingabe einer Einheit"));
  setModal(true);

  NameEdt = Named<QLineEdit>(this, "NameEdt");
  NameTxt = Caption(this, "NameTxt", "Bezeichnung:", NameEdt);
  PluralEdt = Named<QLineEdit>(this, "PluralEdt");
  PluralTxt = Caption(this, "PluralTxt", "Plural (opt.):", PluralEdt);
  ShortEdt = Named<QLineEdit>(this, "ShortEdt");
  ShortTxt = Caption(this, "ShortTxt", "K\xFCrzform (opt.):", ShortEdt);
  AbkEdt = Named<QLineEdit>(this, "AbkEdt");
  AbkEdt->setMaxLength(3);
  AbkTxt = Caption(this, "AbkTxt", "Abk\xFCrzung:", AbkEdt);
  MMChk = Captioned<QCheckBox>(this, "MMChk", "g\xFCltige &Meal-Master-Einheit");
  festeRdb = Captioned<QRadioButton>(this, "festeRdb", "&keine");
  umrechRdb = Captioned<QRadioButton>(this, "umrechRdb", "a&ktiviert");
  UmrechTxt = Caption(this, "UmrechTxt", "Umrechnung:", festeRdb);
  ArtGrp = Named<QGroupBox>(this, "ArtGrp");
  ArtGrp->setTitle(toQ(" Art der Einheit "));
  FluessigChk = Captioned<QCheckBox>(ArtGrp, "FluessigChk", "Fl\xFCssigkeiten");
  MasseChk = Captioned<QCheckBox>(ArtGrp, "MasseChk", "Gewichte");
  ZaehlChk = Captioned<QCheckBox>(ArtGrp, "ZaehlChk", "Z\xE4hlbares");
  LaengeChk = Captioned<QCheckBox>(ArtGrp, "LaengeChk", "L\xE4ngen und Volumen");
  KleinChk = Captioned<QCheckBox>(ArtGrp, "KleinChk", "Kleine Mengen (Gew\xFCrze)");
  UmrechGrp = Named<QGroupBox>(this, "UmrechGrp");
  UmrechGrp->setTitle(toQ(" bei umzurechnenden Einheiten"));
  FaktorEdt = Named<QLineEdit>(UmrechGrp, "FaktorEdt");
  FaktorTxt = Caption(UmrechGrp, "FaktorTxt", "Faktor:", FaktorEdt);
  DtEinheitCoBo = Named<QComboBox>(UmrechGrp, "DtEinheitCoBo");
  DtEinheitTxt = Caption(UmrechGrp, "DtEinheitTxt", "feste Einheit:", DtEinheitCoBo);
  OKBtn = Captioned<QPushButton>(this, "OKBtn", "&OK");
  OKBtn->setDefault(true);
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");
  HelpBtn = Captioned<QToolButton>(this, "HelpBtn", "?");

  auto* kinds = new QVBoxLayout(ArtGrp);
  for (QCheckBox* c : {FluessigChk, MasseChk, ZaehlChk, LaengeChk, KleinChk}) kinds->addWidget(c);
  kinds->addStretch(1);
  auto* convert = new QGridLayout(UmrechGrp);
  convert->addWidget(FaktorTxt, 0, 0);
  convert->addWidget(FaktorEdt, 0, 1);
  convert->addWidget(DtEinheitTxt, 1, 0);
  convert->addWidget(DtEinheitCoBo, 1, 1);
  convert->setRowStretch(2, 1);
  convert->setColumnStretch(1, 1);

  auto* fields = new QGridLayout;
  fields->addWidget(NameTxt, 0, 0);
  fields->addWidget(NameEdt, 0, 1);
  fields->addWidget(PluralTxt, 1, 0);
  fields->addWidget(PluralEdt, 1, 1);
  fields->addWidget(ShortTxt, 2, 0);
  fields->addWidget(ShortEdt, 2, 1);
  fields->addWidget(AbkTxt, 3, 0);
  fields->addWidget(AbkEdt, 3, 1, Qt::AlignLeft);
  fields->addWidget(MMChk, 4, 1);
  auto* choice = new QHBoxLayout;
  choice->addWidget(festeRdb);
  choice->addWidget(umrechRdb);
  choice->addStretch(1);
  fields->addWidget(UmrechTxt, 5, 0);
  fields->addLayout(choice, 5, 1);
  fields->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(ArtGrp, 1);
  layout->addWidget(UmrechGrp, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {OKBtn, CancelBtn}));

  connect(festeRdb, &QRadioButton::clicked, this, [this] { festeRdbClick(); });
  connect(umrechRdb, &QRadioButton::clicked, this, [this] { umrechRdbClick(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { reject(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
  AbkEdt->setFixedWidth(AbkEdt->fontMetrics().horizontalAdvance(QStringLiteral("MMMM")) + 12);
  UmrechGrp->hide();
}

void TInpEinheitDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  NameEdt->setFocus();
  CenterOnForm(this);
}

void TInpEinheitDlg::done(int r) {
  // Only OK sets the result; the close box and Escape count as Cancel.
  if (r != QDialog::Accepted) result_ = false;
  QDialog::done(r);
}

void TInpEinheitDlg::FillTargetCombo() {
  const QString chosen = DtEinheitCoBo->currentText();
  DtEinheitCoBo->clear();
  std::vector<std::string> items;
  if (ctx().units) ctx().units->FillUnitCombo(items, true);
  for (const std::string& item : items) DtEinheitCoBo->addItem(toQ(item));
  DtEinheitCoBo->setCurrentIndex(DtEinheitCoBo->findText(chosen));
}

void TInpEinheitDlg::SetUnitInput(REZEINHEIT& unit) {
  unit_ = &unit;
  result_ = false;
  if (unit.fixed) {
    unit.factor.clear();
    unit.target.clear();
  }
  NameEdt->setText(toQ(unit.name));
  PluralEdt->setText(toQ(unit.plural));
  ShortEdt->setText(toQ(unit.shortForm));
  AbkEdt->setText(toQ(unit.code));
  FaktorEdt->setText(toQ(unit.factor));
  festeRdb->setChecked(unit.fixed != 0);
  umrechRdb->setChecked(unit.fixed == 0);
  ArtGrp->setVisible(unit.fixed != 0);
  UmrechGrp->setVisible(unit.fixed == 0);
  MMChk->setChecked(unit.mealMaster == 1);
  DtEinheitCoBo->clear();
  FillTargetCombo();
  const int target = DtEinheitCoBo->findText(toQ(" [" + unit.target + "]"), Qt::MatchContains);
  DtEinheitCoBo->setCurrentIndex(unit.target.empty() ? -1 : target);
  const std::pair<QCheckBox*, uint16_t> kinds[] = {{FluessigChk, kUnitLiquid},
                                                   {MasseChk, kUnitWeight},
                                                   {ZaehlChk, kUnitCountable},
                                                   {LaengeChk, kUnitLengthOrVolume},
                                                   {KleinChk, kUnitSmallAmount}};
  for (const auto& [box, bit] : kinds) box->setChecked((unit.kinds & bit) != 0);
}

void TInpEinheitDlg::festeRdbClick() {
  if (unit_) unit_->fixed = 1;
  ArtGrp->show();
  UmrechGrp->hide();
}

void TInpEinheitDlg::umrechRdbClick() {
  if (unit_) unit_->fixed = 0;
  UmrechGrp->show();
  ArtGrp->hide();
  if (unit_ && unit_->factor.empty() && FaktorEdt->text().isEmpty()) {
    FaktorEdt->setText(QStringLiteral("1"));
    FaktorEdt->setFocus();
  }
}

void TInpEinheitDlg::OKBtnClick() {
  if (!unit_) return;
  REZEINHEIT u = *unit_;
  u.name = fromQ(NameEdt->text()).substr(0, 254);
  u.plural = fromQ(PluralEdt->text()).substr(0, 254);
  u.shortForm = fromQ(ShortEdt->text()).substr(0, 254);
  u.code = fromQ(AbkEdt->text()).substr(0, 3);
  u.fixed = festeRdb->isChecked() ? 1 : 0;
  u.mealMaster = MMChk->isChecked() ? 1 : 0;
  if (u.fixed) {
    u.factor.clear();
    u.target.clear();
    u.kinds = 0;
    const std::pair<QCheckBox*, uint16_t> kinds[] = {{FluessigChk, kUnitLiquid},
                                                     {MasseChk, kUnitWeight},
                                                     {ZaehlChk, kUnitCountable},
                                                     {LaengeChk, kUnitLengthOrVolume},
                                                     {KleinChk, kUnitSmallAmount}};
    for (const auto& [box, bit] : kinds)
      if (box->isChecked()) u.kinds |= bit;
  } else {
    u.kinds = 0;
    u.factor = fromQ(FaktorEdt->text()).substr(0, 254);
    const std::string item = fromQ(DtEinheitCoBo->currentText());
    const size_t open = item.rfind('[');
    if (DtEinheitCoBo->currentIndex() >= 0 && open != std::string::npos && item.size() > open + 1)
      u.target = item.substr(open + 1, item.size() - open - 2);
  }
  if (const int fault = UnitTable::UnitInputFault(u)) {
    MessageBox(GetLangText(fault), GetLangText(15), MB_OK | MB_ICONERROR);
    return;
  }
  *unit_ = u;
  result_ = true;
  accept();
}

void TInpEinheitDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_AngEinheit.htm");
}

}  // namespace tav
