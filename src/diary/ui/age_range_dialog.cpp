#include "diary/ui/age_range_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "diary/intake_editing.h"
#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "services/context.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TAgeInputDlg* AgeInputDlg = nullptr;

TAgeInputDlg::TAgeInputDlg(QWidget* parent) : QDialog(parent) {
  AgeInputDlg = this;
  setObjectName(QStringLiteral("AgeInputDlg"));
  setWindowTitle(toQ("Definition Bereich"));
  auto* group = Named<QGroupBox>(this, "AgeGrp");
  group->setTitle(toQ(" Neuer Altersbereich: "));
  AlterRdb = Captioned<QRadioButton>(group, "AlterRdb", "Bis zum Alter von");
  SchwangerRdb = Captioned<QRadioButton>(group, "SchwangerRdb", "Schwangere Frauen");
  StillendRdb = Captioned<QRadioButton>(group, "StillendRdb", "Stillende Frauen");
  NewAgeEdt = Named<QLineEdit>(group, "NewAgeEdt");
  NewAgeEdt->setFixedWidth(44);
  auto* years = Captioned<QLabel>(group, "YearsLbl", "Jahren");
  auto* ageRow = new QHBoxLayout;
  ageRow->addWidget(AlterRdb);
  ageRow->addWidget(NewAgeEdt);
  ageRow->addWidget(years);
  ageRow->addStretch(1);
  auto* inner = new QVBoxLayout(group);
  inner->addLayout(ageRow);
  inner->addWidget(SchwangerRdb);
  inner->addWidget(StillendRdb);
  OKBtn = Captioned<QPushButton>(this, "OKBtn", "&OK");
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");
  OKBtn->setDefault(true);
  auto* column = new QVBoxLayout(this);
  column->addWidget(group);
  column->addLayout(DialogButtonRow(nullptr, {OKBtn, CancelBtn}));
  column->setSizeConstraint(QLayout::SetFixedSize);
  // AlterRdbClick, bound to all three: a choice made enables OK.
  for (QRadioButton* r : {AlterRdb, SchwangerRdb, StillendRdb})
    connect(r, &QRadioButton::toggled, this, [this](bool on) {
      if (on) OKBtn->setEnabled(true);
    });
  // NewAgeEdtChange: typing an age chooses the age option.
  connect(NewAgeEdt, &QLineEdit::textEdited, this, [this] { AlterRdb->setChecked(true); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

TAgeInputDlg::~TAgeInputDlg() {
  if (AgeInputDlg == this) AgeInputDlg = nullptr;
}

void TAgeInputDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TAgeInputDlg::FormShow() {
  NewAgeEdt->clear();
  for (QRadioButton* r : {AlterRdb, SchwangerRdb, StillendRdb}) {
    r->setAutoExclusive(false);
    r->setChecked(false);
    r->setAutoExclusive(true);
  }
  OKBtn->setEnabled(false);
  NewAgeEdt->setFocus();
  CenterOnForm(this);
}

int TAgeInputDlg::GetNewAgeBound() const {
  return static_cast<int>(ReadLong(fromQ(NewAgeEdt->text())));
}

void TAgeInputDlg::OKBtnClick() {
  if (SchwangerRdb->isChecked()) {
    NewAgeEdt->setText(QString::number(IntakeTables::kPregnant));
  } else if (StillendRdb->isChecked()) {
    NewAgeEdt->setText(QString::number(IntakeTables::kNursing));
  } else {
    int bound = 0;
    if (!ParseAgeBound(fromQ(NewAgeEdt->text()), bound)) {
      MessageBox(GetLangText(934), GetLangText(15), MB_OK);
      NewAgeEdt->setFocus();
      NewAgeEdt->selectAll();
      return;
    }
    NewAgeEdt->setText(QString::number(bound));
  }
  accept();
}

void TAgeInputDlg::CancelBtnClick() {
  reject();
}

void TAgeInputDlg::reject() {
  NewAgeEdt->clear();
  QDialog::reject();
}

}  // namespace tav
