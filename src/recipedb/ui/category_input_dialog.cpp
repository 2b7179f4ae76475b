#include "recipedb/ui/category_input_dialog.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/reference_tables.h"
#include "services/context.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TInpGattDlg* InpGattDlg = nullptr;

TInpGattDlg::TInpGattDlg(QWidget* parent) : QDialog(parent) {
  InpGattDlg = this;
  setObjectName(QStringLiteral("InpGattDlg"));
  setWindowTitle(toQ("Gattung"));
  setModal(true);
  NameEdt = Named<QLineEdit>(this, "NameEdt");
  NameEdt->setMinimumWidth(260);
  MainRdb = Captioned<QRadioButton>(this, "MainRdb", "ist &Hauptgattung");
  UnterRdb = Captioned<QRadioButton>(this, "UnterRdb", "ist &Nebengattung");
  OKBtn = Captioned<QPushButton>(this, "OKBtn", "OK");
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");
  // No default button: Enter in the name field ends the typing, only a click on OK confirms.
  for (QPushButton* b : {OKBtn, CancelBtn}) b->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(NameEdt);
  layout->addWidget(MainRdb);
  layout->addWidget(UnterRdb);
  layout->addSpacing(6);
  layout->addLayout(DialogButtonRow(nullptr, {OKBtn, CancelBtn}));

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { reject(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TInpGattDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  NameEdt->setFocus();
  NameEdt->selectAll();
  CenterOnForm(this);
}

void TInpGattDlg::SetGattInput(REZGATT& category) {
  category_ = &category;
  setWindowTitle(toQ(GetLangText(category.name.empty() ? 109 : 108)));
  NameEdt->setText(toQ(category.name));
  if (category.name.empty() || category.kind == REZGATT::kMain) {
    MainRdb->setChecked(true);
    UnterRdb->setText(toQ(GetLangText(110)));
  } else {
    UnterRdb->setChecked(true);
    UnterRdb->setText(toQ(GetLangText(category.kind == REZGATT::kFree ? 110 : 111)));
  }
}

void TInpGattDlg::OKBtnClick() {
  const std::string name = fromQ(NameEdt->text()).substr(0, 198);
  if (name.empty()) {
    MessageBox(GetLangText(112), GetLangText(15), MB_OK | MB_ICONERROR);
    return;
  }
  if (!NameFitsReferenceFile(name) || !category_) return;
  if (MainRdb->isChecked())
    category_->kind = REZGATT::kMain;
  else
    category_->kind = category_->kind == REZGATT::kSub ? REZGATT::kSub : REZGATT::kFree;
  category_->name = name;
  accept();
}

}  // namespace tav
