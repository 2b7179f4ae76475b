#include "recipes/ui/bulk_change_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/category_table.h"
#include "recipedb/recipe_store.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TMultiChangeDlg* MultiChangeDlg = nullptr;

namespace {

void FillModes(QComboBox* box, int count, int selected) {
  box->clear();
  for (int i = 0; i < count; ++i) box->addItem(toQ(GetLangText(640 + i)));
  box->setCurrentIndex(selected);
}

}  // namespace

TMultiChangeDlg::TMultiChangeDlg(QWidget* parent) : QDialog(parent) {
  MultiChangeDlg = this;
  setObjectName(QStringLiteral("MultiChangeDlg"));
  setWindowTitle(toQ("Massendaten\xE4nderungen"));

  ScopeGrp = Named<QGroupBox>(this, "ScopeGrp");
  ScopeGrp->setTitle(toQ("Die \xC4nderungen sollen durchgef\xFChrt werden auf ..."));
  AlleRecipesRdb = Captioned<QRadioButton>(ScopeGrp, "AlleRecipesRdb", "");
  AlleSelectRdb = Captioned<QRadioButton>(ScopeGrp, "AlleSelectRdb", "allen selektierten Rezepten");
  AlleMarkedRdb = Captioned<QRadioButton>(ScopeGrp, "AlleMarkedRdb", "allen markierten Rezepten");
  auto* scope = new QVBoxLayout(ScopeGrp);
  scope->addWidget(AlleRecipesRdb);
  scope->addWidget(AlleSelectRdb);
  scope->addWidget(AlleMarkedRdb);

  FieldGrp = Named<QGroupBox>(this, "FieldGrp");
  FieldGrp->setTitle(
      toQ("Was soll \xFC"
          "berall ge\xE4ndert werden ?"));
  StichwortChk = Captioned<QCheckBox>(FieldGrp, "StichwortChk", "Stichwort:");
  StichwortEdt = Named<QLineEdit>(FieldGrp, "StichwortEdt");
  StichwortLiBo = Named<QComboBox>(FieldGrp, "StichwortLiBo");
  GattungChk = Captioned<QCheckBox>(FieldGrp, "GattungChk", "Gattung:");
  GattungEdt = Named<QComboBox>(FieldGrp, "GattungEdt");
  GattungLiBo = Named<QComboBox>(FieldGrp, "GattungLiBo");
  QuelleChk = Captioned<QCheckBox>(FieldGrp, "QuelleChk", "Quelle:");
  QuelleEdt = Named<QPlainTextEdit>(FieldGrp, "QuelleEdt");
  QuelleEdt->setTabChangesFocus(true);
  QuelleLiBo = Named<QComboBox>(FieldGrp, "QuelleLiBo");
  AutorChk = Captioned<QCheckBox>(FieldGrp, "AutorChk", "Autorname:");
  AutorEdt = Named<QLineEdit>(FieldGrp, "AutorEdt");
  EMailChk = Captioned<QCheckBox>(FieldGrp, "EMailChk", "Autor-EMail:");
  EMailEdt = Named<QLineEdit>(FieldGrp, "EMailEdt");
  DatumChk = Captioned<QCheckBox>(FieldGrp, "DatumChk", "Datum:");
  DatumEdt = Named<QLineEdit>(FieldGrp, "DatumEdt");
  auto* fields = new QGridLayout(FieldGrp);
  fields->addWidget(StichwortChk, 0, 0);
  fields->addWidget(StichwortEdt, 0, 1);
  fields->addWidget(StichwortLiBo, 0, 2);
  fields->addWidget(GattungChk, 1, 0);
  fields->addWidget(GattungEdt, 1, 1);
  fields->addWidget(GattungLiBo, 1, 2);
  fields->addWidget(QuelleChk, 2, 0, Qt::AlignTop);
  fields->addWidget(QuelleEdt, 2, 1);
  fields->addWidget(QuelleLiBo, 2, 2, Qt::AlignTop);
  fields->addWidget(AutorChk, 3, 0);
  fields->addWidget(AutorEdt, 3, 1, 1, 2);
  fields->addWidget(EMailChk, 4, 0);
  fields->addWidget(EMailEdt, 4, 1, 1, 2);
  fields->addWidget(DatumChk, 5, 0);
  fields->addWidget(DatumEdt, 5, 1, 1, 2);
  fields->setColumnStretch(1, 1);

  HelpBtn = Named<QToolButton>(this, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));
  OKBtn = Captioned<QPushButton>(this, "OKBtn", "&Start");
  OKBtn->setDefault(true);
  Button1 = Captioned<QPushButton>(this, "Button1", "&Abbrechen");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ScopeGrp);
  layout->addWidget(FieldGrp, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {OKBtn, Button1}));

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(StichwortEdt, &QLineEdit::textEdited, this, [this] { StichwortEdtChange(); });
  connect(StichwortLiBo, &QComboBox::activated, this, [this] { StichwortEdtChange(); });
  connect(GattungEdt, &QComboBox::activated, this, [this] { GattungEdtChange(); });
  connect(GattungLiBo, &QComboBox::activated, this, [this] { GattungEdtChange(); });
  connect(QuelleEdt, &QPlainTextEdit::textChanged, this, [this] { QuelleEdtChange(); });
  connect(QuelleLiBo, &QComboBox::activated, this, [this] { QuelleEdtChange(); });
  connect(AutorEdt, &QLineEdit::textEdited, this, [this] { AutorEdtChange(); });
  connect(EMailEdt, &QLineEdit::textEdited, this, [this] { EMailEdtChange(); });
  connect(DatumEdt, &QLineEdit::textEdited, this, [this] { DatumEdtChange(); });
  FormCreate();
}

void TMultiChangeDlg::FormCreate() {
  if (LangDlg) LangDlg->TranslateForm(this);
  // The source memo keeps the few lines a source takes instead of growing with the window.
  const int lines = QuelleEdt->fontMetrics().lineSpacing() * 3 + 2 * QuelleEdt->frameWidth() + 8;
  QuelleEdt->setFixedHeight(std::max(lines, QuelleEdt->minimumHeight()));
  AlleSelectRdb->setChecked(true);
  GattungEdt->clear();
  std::vector<std::string> names;
  if (ctx().categories) ctx().categories->FillMainGattCombo(names);
  for (const std::string& n : names) GattungEdt->addItem(toQ(n));
  FillModes(StichwortLiBo, 4, kBulkAdd);
  FillModes(GattungLiBo, 4, kBulkAdd);
  FillModes(QuelleLiBo, 3, kBulkReplaceSource);
}

void TMultiChangeDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  const bool search = ChooseRezDlg && ChooseRezDlg->IsSearchMode();
  AlleRecipesRdb->setText(toQ(GetLangText(search ? 644 : 645)));
  CenterOnForm(this);
}

BulkChangeSettings TMultiChangeDlg::Settings() const {
  BulkChangeSettings s;
  s.keywords = StichwortChk->isChecked();
  s.keywordMode = StichwortLiBo->currentIndex();
  s.keywordText = fromQ(StichwortEdt->text());
  s.categories = GattungChk->isChecked();
  s.categoryMode = GattungLiBo->currentIndex();
  s.categoryText = fromQ(GattungEdt->currentText());
  s.source = QuelleChk->isChecked();
  s.sourceMode = QuelleLiBo->currentIndex();
  s.sourceText = fromQ(QuelleEdt->toPlainText());
  s.author = AutorChk->isChecked();
  s.authorText = fromQ(AutorEdt->text());
  s.email = EMailChk->isChecked();
  s.emailText = fromQ(EMailEdt->text());
  s.date = DatumChk->isChecked();
  s.dateText = fromQ(DatumEdt->text());
  return s;
}

int TMultiChangeDlg::RunBulkChange() {
  ChangedCount = 0;
  const int scope = AlleRecipesRdb->isChecked()  ? 1
                    : AlleSelectRdb->isChecked() ? 2
                    : AlleMarkedRdb->isChecked() ? 3
                                                 : 0;
  TdbList* store = ctx().dbList;
  if (scope == 0 || !ChooseRezDlg || !store) return 0;
  const BulkChangeSettings settings = Settings();
  const bool search = ChooseRezDlg->IsSearchMode();
  DeferredBookSyncs syncs;  // the syncs that keep no order, once for all recipes
  for (int row = 0; row < ChooseRezDlg->Count(); ++row) {
    REZINDEX e;
    if (scope == 3 && (!ChooseRezDlg->RowEntry(row, e) || e.flags == 0)) continue;
    if (scope == 2 && !ChooseRezDlg->IsSelected(row)) continue;
    // A failed write is reported by the recipe store and not counted as a change.
    if (BulkChangeRecipe(*store, search, ChooseRezDlg->ItemData(row), settings) ==
        BulkOutcome::Changed)
      ++ChangedCount;
  }
  syncs.Finish();
  ChooseRezDlg->ShowSelectedRecipe(true);
  if (ChangedCount > 0)
    MessageBox(GetLangText(646) + std::to_string(ChangedCount) + GetLangText(647), GetLangText(2),
               MB_OK);
  return ChangedCount;
}

void TMultiChangeDlg::OKBtnClick() {
  RunBulkChange();
  accept();
}

void TMultiChangeDlg::Button1Click() {
  reject();
}

void TMultiChangeDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_MultiChange.htm");
}

void TMultiChangeDlg::StichwortEdtChange() {
  StichwortChk->setChecked(true);
}
void TMultiChangeDlg::GattungEdtChange() {
  GattungChk->setChecked(true);
}
void TMultiChangeDlg::QuelleEdtChange() {
  QuelleChk->setChecked(true);
}
void TMultiChangeDlg::AutorEdtChange() {
  AutorChk->setChecked(true);
}
void TMultiChangeDlg::EMailEdtChange() {
  EMailChk->setChecked(true);
}
void TMultiChangeDlg::DatumEdtChange() {
  DatumChk->setChecked(true);
}
void TMultiChangeDlg::AutorLiBoChange() {
  AutorChk->setChecked(true);
}

}  // namespace tav
