#include "diary/ui/end_date_dialog.h"

#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "diary/ui/calendar_window.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TDateToDlg* DateToDlg = nullptr;

TDateToDlg::TDateToDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DateToDlg"));
  auto* DatePnl = Named<QWidget>(this, "DatePnl");
  DatePnl->setMinimumSize(193, 193);
  Calendar = DockCalendar(DatePnl, [this] { picked_ = Calendar->Date(); });
  picked_ = Calendar->Date();
  auto* OKBtn = Captioned<QPushButton>(this, "OKBtn", "&OK");
  auto* CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");
  OKBtn->setDefault(true);
  auto* column = new QVBoxLayout(this);
  column->addWidget(DatePnl, 1);
  column->addLayout(DialogButtonRow(nullptr, {OKBtn, CancelBtn}));
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TDateToDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) CenterOnForm(this);
}

bool TDateToDlg::GetSelectedDate(int& day, int& month, int& year) const {
  if (!result_) return false;
  day = picked_.day;
  month = picked_.month;
  year = picked_.year;
  return true;
}

void TDateToDlg::OKBtnClick() {
  result_ = true;
  accept();
}

void TDateToDlg::CancelBtnClick() {
  result_ = false;
  reject();
}

}  // namespace tav
