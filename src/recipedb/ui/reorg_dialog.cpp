#include "recipedb/ui/reorg_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_store.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TReorgDlg* ReorgDlg = nullptr;

TReorgDlg::TReorgDlg(QWidget* parent) : QDialog(parent) {
  ReorgDlg = this;
  setObjectName(QStringLiteral("ReorgDlg"));
  setWindowTitle(toQ("Datenbank komprimieren"));
  setModal(true);

  AktRdb = Named<QRadioButton>(this, "AktRdb");
  AktRdb->setText(toQ("komprimiere aktuelles Kochbuch"));
  AllRdb = Named<QRadioButton>(this, "AllRdb");
  AllRdb->setText(toQ("komprimiere alle Kochb\xFC" "cher"));
  ExactRdb = Named<QRadioButton>(this, "ExactRdb");
  ExactRdb->setText(toQ("komprimiere nur folgende Kochb\xFC" "cher"));
  AktRdb->setChecked(true);
  KBookLiBo = Named<QListWidget>(this, "KBookLiBo");
  KBookLiBo->setSelectionMode(QAbstractItemView::MultiSelection);
  LogLiBo = Named<QListWidget>(this, "LogLiBo");
  StatusTxt = Named<QLabel>(this, "StatusTxt");
  OKBtn = Named<QPushButton>(this, "OKBtn");
  OKBtn->setText(toQ("&Start"));
  OKBtn->setDefault(true);
  CancelBtn = Named<QPushButton>(this, "CancelBtn");
  CancelBtn->setText(toQ("&Abbrechen"));
  HelpBtn = Named<QToolButton>(this, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));

  auto* choice = new QVBoxLayout;
  choice->addWidget(AktRdb);
  choice->addWidget(AllRdb);
  choice->addWidget(ExactRdb);
  choice->addWidget(KBookLiBo, 1);
  auto* lists = new QHBoxLayout;
  lists->addLayout(choice);
  lists->addWidget(LogLiBo, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(HelpBtn);
  buttons->addWidget(StatusTxt, 1);
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addLayout(buttons);

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(KBookLiBo, &QListWidget::itemClicked, this, [this] { KBookLiBoClick(); });
  FormCreate();
}

void TReorgDlg::FormCreate() {
  if (LangDlg) LangDlg->TranslateForm(this);
  // The language file's widths are least widths: a choice keeps its whole text beyond them.
  for (QRadioButton* r : {AktRdb, AllRdb, ExactRdb})
    r->setMinimumWidth(std::max(r->minimumWidth(), r->sizeHint().width()));
}

void TReorgDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  OKBtn->setFocus();
  CenterOnForm(this);
}

void TReorgDlg::PrepareReorgDlg(int16_t mode, const std::string& bookName) {
  KBookLiBo->clear();
  if (ctx().books)
    for (const KBOOK& b : ctx().books->Books()) KBookLiBo->addItem(toQ(b.name));
  if (mode == 0) {
    AktRdb->setChecked(true);
  } else if (mode == 1) {
    AllRdb->setChecked(true);
  } else {
    ExactRdb->setChecked(true);
    for (int i = 0; i < KBookLiBo->count(); ++i)
      if (fromQ(KBookLiBo->item(i)->text()) == bookName) KBookLiBo->item(i)->setSelected(true);
  }
  ClearLog();
}

void TReorgDlg::OKBtnClick() {
  ClearLog();
  bool nothing = false;
  if (AktRdb->isChecked()) {
    ReorgKBook(ctx().options ? ctx().options->Str(6) : std::string());
  } else if (AllRdb->isChecked()) {
    for (int i = 0; i < KBookLiBo->count(); ++i) ReorgKBook(fromQ(KBookLiBo->item(i)->text()));
  } else if (ExactRdb->isChecked()) {
    bool any = false;
    for (int i = 0; i < KBookLiBo->count(); ++i) {
      if (!KBookLiBo->item(i)->isSelected()) continue;
      any = true;
      ReorgKBook(fromQ(KBookLiBo->item(i)->text()));
    }
    if (!any) {
      MessageBox(GetLangText(226), GetLangText(15), MB_OK | MB_ICONQUESTION);
      nothing = true;
    }
  }
  FinishReorgRun();
  CancelBtn->setText(toQ(GetLangText(227)));
  ReorgLogLine(GetLangText(nothing ? 228 : 229), false);
  CancelBtn->setFocus();
}

void TReorgDlg::CancelBtnClick() { close(); }

void TReorgDlg::KBookLiBoClick() { ExactRdb->setChecked(true); }

void TReorgDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Reorg.htm");
}

void TReorgDlg::OnLogLine(const std::string& text) {
  LogLiBo->addItem(toQ(text));
  LogLiBo->setCurrentRow(LogLiBo->count() - 1);
}

void TReorgDlg::OnLogCleared() { LogLiBo->clear(); }

void TReorgDlg::OnStatus(const std::string& text) {
  StatusTxt->setText(toQ(text));
  StatusTxt->repaint();
}

}  // namespace tav
