#include "kitchen/ui/week_plan_remark_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TWPBemDlg* WPBemDlg = nullptr;

TWPBemDlg::TWPBemDlg(QWidget* parent) : QDialog(parent) {
  WPBemDlg = this;
  setObjectName(QStringLiteral("WPBemDlg"));
  setWindowTitle(QStringLiteral("Bemerkung zum Tag"));
  setModal(true);
  BemEdt = Named<QLineEdit>(this, "BemEdt");
  BemEdt->setMinimumWidth(320);
  OKBtn = Captioned<QPushButton>(this, "OKBtn", "&OK");
  OKBtn->setDefault(true);
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BemEdt);
  layout->addStretch(1);
  layout->addLayout(DialogButtonRow(nullptr, {OKBtn, CancelBtn}));
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TWPBemDlg::SetWPBemEntry(WPLAN* entry) {
  entry_ = entry;
  BemEdt->setText(entry ? toQ(entry->text) : QString());
}

void TWPBemDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  // Only the showing that ends with OK confirms.
  confirmed_ = false;
  CenterOnForm(this);
  BemEdt->setFocus();
}

void TWPBemDlg::OKBtnClick() {
  if (entry_) entry_->text = fromQ(BemEdt->text());
  confirmed_ = true;
  accept();
}

void TWPBemDlg::CancelBtnClick() {
  confirmed_ = false;
  reject();
}

}  // namespace tav
