#include "nutrients/ui/new_filter_dialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TNewFilterDlg* NewFilterDlg = nullptr;

TNewFilterDlg::TNewFilterDlg(QWidget* parent) : QDialog(parent) {
  NewFilterDlg = this;
  setObjectName(QStringLiteral("NewFilterDlg"));
  setWindowTitle(toQ("Neue Filtergruppe"));
  FiltGrpNameEdt = new QLineEdit(this);
  FiltGrpNameEdt->setObjectName(QStringLiteral("FiltGrpNameEdt"));
  FiltGrpNameEdt->setMinimumWidth(260);
  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton(toQ("&Abbrechen"), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FiltGrpNameEdt);
  layout->addLayout(buttons);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TNewFilterDlg::SetNewFilterName(const std::string& name) {
  FiltGrpNameEdt->setText(toQ(name));
}

std::string TNewFilterDlg::GetNewFilterName() const {
  return fromQ(FiltGrpNameEdt->text().trimmed());
}

void TNewFilterDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  FiltGrpNameEdt->setFocus();
  CenterOnForm(this);
}

void TNewFilterDlg::done(int result) {
  // Only OK names a group: Cancel, Esc and the title bar create none.
  if (result != QDialog::Accepted) FiltGrpNameEdt->clear();
  QDialog::done(result);
}

}  // namespace tav
