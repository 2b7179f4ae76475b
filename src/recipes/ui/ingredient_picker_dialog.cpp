#include "recipes/ui/ingredient_picker_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/ui/form_controls.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TGetZutatDlg* GetZutatDlg = nullptr;

TGetZutatDlg::TGetZutatDlg(QWidget* parent) : QDialog(parent) {
  GetZutatDlg = this;
  setObjectName(QStringLiteral("GetZutatDlg"));
  setWindowTitle(QString::fromUtf8("Zutaten-Auswahl"));
  setModal(true);

  ZutatGrp = Named<QGroupBox>(this, "ZutatGrp");
  ZutatGrp->setTitle(QString::fromUtf8(" Bitte wählen Sie eine Zutat: "));
  ZutatLiBo = Named<QListWidget>(ZutatGrp, "ZutatLiBo");
  ZutatLiBo->setSortingEnabled(true);
  OKBtn = Named<QPushButton>(this, "OKBtn");
  OKBtn->setText(QStringLiteral("OK"));
  OKBtn->setDefault(true);
  CancelBtn = Named<QPushButton>(this, "CancelBtn");
  CancelBtn->setText(QString::fromUtf8("&Abbrechen"));

  auto* group = new QVBoxLayout(ZutatGrp);
  group->addWidget(ZutatLiBo);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ZutatGrp, 1);
  layout->addLayout(buttons);

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(ZutatLiBo, &QListWidget::itemDoubleClicked, this, [this] { OKBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

TGetZutatDlg::~TGetZutatDlg() {
  if (GetZutatDlg == this) GetZutatDlg = nullptr;
}

void TGetZutatDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TGetZutatDlg::FormShow() {
  ZutatLiBo->clear();
  if (ctx().ingredients) {
    std::vector<ListItem> items;
    ctx().ingredients->FillZutatList(items, false);
    for (const ListItem& it : items) {
      auto* item = new QListWidgetItem(toQ(it.text));
      item->setData(Qt::UserRole, it.data);
      ZutatLiBo->addItem(item);
    }
  }
  CenterOnForm(this);
  ZutatLiBo->setFocus();
}

void TGetZutatDlg::OKBtnClick() {
  if (const QListWidgetItem* item = ZutatLiBo->currentItem();
      item && item->isSelected() && ctx().ingredients)
    ctx().ingredients->GetZutat(item->data(Qt::UserRole).toInt(), chosen);
  accept();
}

void TGetZutatDlg::CancelBtnClick() {
  reject();
}

void TGetZutatDlg::reject() {
  chosen.plural.clear();
  QDialog::reject();
}

}  // namespace tav
