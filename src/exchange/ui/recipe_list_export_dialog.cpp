#include "exchange/ui/recipe_list_export_dialog.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "exchange/ui/list_printing.h"
#include "exchange/ui/recipe_list_snapshot_qt.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/ui/file_dialog_filter.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TExpRezListDlg* ExpRezListDlg = nullptr;

TExpRezListDlg::TExpRezListDlg(QWidget* parent) : QDialog(parent) {
  ExpRezListDlg = this;
  Registered<RecipeListExport>::Enter(this);
  setObjectName(QStringLiteral("ExpRezListDlg"));
  setWindowTitle(toQ("Rezeptliste exportieren"));

  GroupBox1 = Named<QGroupBox>(this, "GroupBox1");
  GroupBox1->setTitle(toQ(" Exportmenge "));
  mAllRezRdb = Captioned<QRadioButton>(GroupBox1, "mAllRezRdb", "alle Rezepte in der &Liste");
  mMarkRezRdb = Captioned<QRadioButton>(GroupBox1, "mMarkRezRdb", "alle &markierten Rezepte");
  mSelRezRdb = Captioned<QRadioButton>(GroupBox1, "mSelRezRdb", "alle &selektierten Rezepte");
  auto* range = new QVBoxLayout(GroupBox1);
  for (QRadioButton* b : {mAllRezRdb, mMarkRezRdb, mSelRezRdb}) range->addWidget(b);

  GroupBox2 = Named<QGroupBox>(this, "GroupBox2");
  GroupBox2->setTitle(toQ(" Exportmedium "));
  FileRdb = Captioned<QRadioButton>(GroupBox2, "FileRdb", "in eine &Datei");
  PrintRdb = Captioned<QRadioButton>(GroupBox2, "PrintRdb", "&auf den Drucker");
  auto* target = new QVBoxLayout(GroupBox2);
  target->addWidget(FileRdb);
  target->addWidget(PrintRdb);

  OKBtn = Named<QPushButton>(this, "OKBtn");
  OKBtn->setText(toQ("St&art"));
  OKBtn->setDefault(true);
  CancelBtn = Named<QPushButton>(this, "CancelBtn");
  CancelBtn->setText(toQ("&Abbrechen"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  layout->addWidget(GroupBox2);
  layout->addStretch(1);
  layout->addLayout(DialogButtonRow(nullptr, {OKBtn, CancelBtn}));

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  FormCreate();
}

TExpRezListDlg::~TExpRezListDlg() {
  Registered<RecipeListExport>::Leave(this);
  if (ExpRezListDlg == this) ExpRezListDlg = nullptr;
}

void TExpRezListDlg::FormCreate() {
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TExpRezListDlg::ShowRecipeListExport() {
  exec();
}

void TExpRezListDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TExpRezListDlg::FormShow() {
  TitleListChoices choices;
  choices.Load();
  if (choices.range == kTitlesAll) mAllRezRdb->setChecked(true);
  if (choices.range == kTitlesMarked) mMarkRezRdb->setChecked(true);
  if (choices.range == kTitlesSelected) mSelRezRdb->setChecked(true);
  (choices.target == kTitlesToPrinter ? PrintRdb : FileRdb)->setChecked(true);
  CenterOnForm(this);
}

bool TExpRezListDlg::ChooseListFile(std::string& path) {
  path.clear();
  if (chooseFileForTest) return chooseFileForTest(path);
  QFileDialog dialog(this, toQ(GetLangText(312)));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  HideScratchFiles(dialog);
  // A name typed without an extension is a text file.
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  if (ctx().options) dialog.setDirectory(toQ(ctx().options->Str(4)));
  const QStringList filters = FileDialogFilters(GetLangText(140));
  dialog.setNameFilters(filters);
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = fromQ(dialog.selectedFiles().front());
  return !path.empty();
}

void TExpRezListDlg::OKBtnClick() {
  TitleListChoices choices;
  choices.range = kTitlesAll;
  if (mAllRezRdb->isChecked()) choices.range = kTitlesAll;
  if (mMarkRezRdb->isChecked()) choices.range = kTitlesMarked;
  if (mSelRezRdb->isChecked()) choices.range = kTitlesSelected;
  choices.target = PrintRdb->isChecked() ? kTitlesToPrinter : kTitlesToFile;
  choices.Save();
  std::string path;
  if (choices.target == kTitlesToFile) {
    if (!ChooseListFile(path)) {  // cancelled: nothing to say
      accept();
      return;
    }
  } else {
    path = (ctx().options ? ctx().options->Str(4) : std::string()) + "KList.txt";
  }
  const bool written = WriteRecipeTitleList(TakeRecipeListSnapshot(), choices.range, path);
  accept();
  if (written && choices.target == kTitlesToPrinter) PrintRecipeList(this);
}

void TExpRezListDlg::CancelBtnClick() {
  reject();
}

}  // namespace tav
