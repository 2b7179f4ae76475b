#include "recipes/ui/ingredient_chooser_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "nutrients/food_database.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "nutrients/ui/food_chooser_dialog.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/unit_table.h"
#include "recipes/ingredient_lines.h"
#include "recipes/ui/ingredient_lines_window.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/form_controls.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TChooseZutatDlg* ChooseZutatDlg = nullptr;

namespace {

QComboBox* EditableCombo(QWidget* parent, const char* name) {
  auto* box = Named<QComboBox>(parent, name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  // Completion is the chooser's own (hint and Ctrl/Alt), not the combo box's.
  box->setCompleter(nullptr);
  box->setMaxVisibleItems(20);
  return box;
}

std::string Text(const QComboBox* box) {
  return fromQ(box->currentText());
}

bool StartsWith(const std::string& text, char c) {
  return !text.empty() && text[0] == c;
}

QString GroupCaption(int text) {
  return toQ(GetLangText(text));
}

}  // namespace

TChooseZutatDlg::TChooseZutatDlg(QWidget* parent) : QDialog(parent) {
  ChooseZutatDlg = this;
  Registered<UnitComboView, kChooserUnitCombo>::Enter(this);
  setObjectName(QStringLiteral("ChooseZutatDlg"));
  setWindowTitle(toQ("Eingabe von Zutaten"));
  setModal(true);

  EditZutatGrp = Named<QGroupBox>(this, "EditZutatGrp");
  EditZutatGrp->setTitle(toQ("Liste der bisherigen Zutaten:"));
  NewZutatBtn = Named<QPushButton>(this, "NewZutatBtn");
  NewZutatBtn->setText(toQ("&Neue Zutat"));
  NewTrennzeileBtn = Named<QPushButton>(this, "NewTrennzeileBtn");
  NewTrennzeileBtn->setText(toQ("Neue &Trennzeile"));

  ChangeZutatGrp = Named<QGroupBox>(this, "ChangeZutatGrp");
  MengeTxt = Named<QLabel>(ChangeZutatGrp, "MengeTxt");
  MengeTxt->setText(toQ("&Menge:"));
  MengeCoBo = EditableCombo(ChangeZutatGrp, "MengeCoBo");
  for (const char* amount :
       {"1/4", "1/2", "3/4", "1", "2", "3", "4", "5", "10", "12", "20", "24", "25", "50", "100"})
    MengeCoBo->addItem(QString::fromLatin1(amount));
  MengeTxt->setBuddy(MengeCoBo);
  EinheitTxt = Named<QLabel>(ChangeZutatGrp, "EinheitTxt");
  EinheitTxt->setText(toQ("&Einheit:"));
  EinheitCoBo = EditableCombo(ChangeZutatGrp, "EinheitCoBo");
  EinheitTxt->setBuddy(EinheitCoBo);
  ZutatTxt = Named<QLabel>(ChangeZutatGrp, "ZutatTxt");
  ZutatTxt->setText(toQ("Zu&tat:"));
  ZutatCoBo = EditableCombo(ChangeZutatGrp, "ZutatCoBo");
  ZutatTxt->setBuddy(ZutatCoBo);
  MemoTxt = Named<QLabel>(ChangeZutatGrp, "MemoTxt");
  MemoTxt->setText(toQ("Beschreibung:"));
  MemoEdt = Named<QPlainTextEdit>(ChangeZutatGrp, "MemoEdt");
  MemoEdt->setToolTip(toQ("N\xE4here Angaben zur Zutat (z.B. 'aufgetaut' oder 'fein gemahlen')"));
  MemoEdt->setTabChangesFocus(true);
  KListChk = Named<QCheckBox>(ChangeZutatGrp, "KListChk");
  KListChk->setText(toQ("Zutat in Einkaufsliste nicht mit auff\xFChren"));

  BLSGrp = Named<QGroupBox>(ChangeZutatGrp, "BLSGrp");
  BLSGrp->setTitle(toQ("Bundeslebensmittelschl\xFCssel"));
  BLSKeyTxt = Named<QLabel>(BLSGrp, "BLSKeyTxt");
  BLSKeyTxt->setText(toQ("BLS-Schl\xFCssel:"));
  BLSKey = Named<QLabel>(BLSGrp, "BLSKey");
  BLSBez = Named<QLabel>(BLSGrp, "BLSBez");
  BLSBez->setWordWrap(true);
  NoBLSTxt = Named<QLabel>(BLSGrp, "NoBLSTxt");
  NoBLSTxt->setText(toQ("Derzeit keine Verkn\xFCpfung"));
  AddBLSBtn = Named<QPushButton>(BLSGrp, "AddBLSBtn");
  AddBLSBtn->setText(toQ("&Zuweisen"));
  RemoveBLSBtn = Named<QPushButton>(BLSGrp, "RemoveBLSBtn");
  RemoveBLSBtn->setText(toQ("Entfernen"));
  ShowBLSBtn = Named<QPushButton>(BLSGrp, "ShowBLSBtn");
  ShowBLSBtn->setText(toQ("&BLS-Daten aufrufen"));

  ClearBtn = Named<QPushButton>(ChangeZutatGrp, "ClearBtn");
  ClearBtn->setText(toQ("Maske &leeren"));
  OKBtn = Named<QPushButton>(ChangeZutatGrp, "OKBtn");
  OKBtn->setText(
      toQ("&Zutat \xFC"
          "bernehmen"));
  OKBtn->setDefault(true);

  ChangeLineGrp = Named<QGroupBox>(this, "ChangeLineGrp");
  TrenntextTxt = Named<QLabel>(ChangeLineGrp, "TrenntextTxt");
  TrenntextTxt->setText(
      toQ("\xDC"
          "ber&schrift:"));
  TrenntextEdt = Named<QLineEdit>(ChangeLineGrp, "TrenntextEdt");
  TrenntextTxt->setBuddy(TrenntextEdt);
  Clear2Btn = Named<QPushButton>(ChangeLineGrp, "Clear2Btn");
  Clear2Btn->setText(toQ("Maske &leeren"));
  OK2Btn = Named<QPushButton>(ChangeLineGrp, "OK2Btn");
  OK2Btn->setText(
      toQ("&Zutat \xFC"
          "bernehmen"));

  HintPanel = Named<QFrame>(ChangeZutatGrp, "HintPanel");
  HintPanel->setFrameShape(QFrame::Box);
  HintPanel->setAutoFillBackground(true);
  QPalette yellow = HintPanel->palette();
  yellow.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xC0));
  HintPanel->setPalette(yellow);
  HintCaptionTxt = Named<QLabel>(HintPanel, "HintCaptionTxt");
  HintCaptionTxt->setText(toQ("Die 'Alt'-Taste w\xFCrde erg\xE4nzen zu:"));
  HintTxt = Named<QLabel>(HintPanel, "HintTxt");
  // Long hints wrap inside the panel instead of running past the dialog's edge.
  for (QLabel* label : {HintCaptionTxt, HintTxt}) label->setWordWrap(true);
  QFont bold = HintTxt->font();
  bold.setBold(true);
  HintTxt->setFont(bold);
  QPalette blue = HintTxt->palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  HintTxt->setPalette(blue);
  auto* hintLayout = new QVBoxLayout(HintPanel);
  hintLayout->setContentsMargins(6, 3, 6, 3);
  hintLayout->setSpacing(1);
  hintLayout->addWidget(HintCaptionTxt);
  hintLayout->addWidget(HintTxt);
  HintPanel->hide();

  CancelBtn = Named<QPushButton>(this, "CancelBtn");
  CancelBtn->setText(
      toQ("&Schlie\xDF"
          "en"));
  HelpBtn = Named<QToolButton>(this, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));

  // Left half: the line list (docked in while the dialog is open) and the two "new" buttons.
  auto* listLayout = new QVBoxLayout(EditZutatGrp);
  listLayout->setContentsMargins(6, 6, 6, 6);
  auto* newButtons = new QHBoxLayout;
  newButtons->addWidget(NewZutatBtn);
  newButtons->addWidget(NewTrennzeileBtn);
  newButtons->addStretch(1);
  auto* left = new QVBoxLayout;
  left->addWidget(EditZutatGrp, 1);
  left->addLayout(newButtons);

  // Right half: the fields of an ingredient line, or of a heading on the same spot.
  auto* fields = new QGridLayout;
  fields->addWidget(MengeTxt, 0, 0);
  fields->addWidget(EinheitTxt, 0, 1);
  fields->addWidget(ZutatTxt, 0, 2);
  fields->addWidget(MengeCoBo, 1, 0);
  fields->addWidget(EinheitCoBo, 1, 1);
  fields->addWidget(ZutatCoBo, 1, 2);
  fields->setColumnStretch(1, 2);
  fields->setColumnStretch(2, 3);
  auto* blsGrid = new QGridLayout(BLSGrp);
  blsGrid->addWidget(BLSKeyTxt, 0, 0);
  blsGrid->addWidget(BLSKey, 0, 1);
  blsGrid->addWidget(NoBLSTxt, 0, 0, 1, 2);
  blsGrid->addWidget(BLSBez, 1, 0, 1, 2);
  auto* blsButtons = new QHBoxLayout;
  blsButtons->addWidget(AddBLSBtn);
  blsButtons->addWidget(RemoveBLSBtn);
  blsButtons->addStretch(1);
  blsButtons->addWidget(ShowBLSBtn);
  blsGrid->addLayout(blsButtons, 2, 0, 1, 2);
  blsGrid->setColumnStretch(1, 1);
  auto* okRow = new QHBoxLayout;
  okRow->addStretch(1);
  okRow->addWidget(ClearBtn);
  okRow->addWidget(OKBtn);
  auto* ingredient = new QVBoxLayout(ChangeZutatGrp);
  ingredient->addLayout(fields);
  ingredient->addWidget(MemoTxt);
  ingredient->addWidget(MemoEdt, 1);
  ingredient->addWidget(KListChk);
  ingredient->addWidget(BLSGrp);
  ingredient->addLayout(okRow);

  auto* headingRow = new QHBoxLayout;
  headingRow->addWidget(TrenntextTxt);
  headingRow->addWidget(TrenntextEdt, 1);
  auto* ok2Row = new QHBoxLayout;
  ok2Row->addStretch(1);
  ok2Row->addWidget(Clear2Btn);
  ok2Row->addWidget(OK2Btn);
  auto* heading = new QVBoxLayout(ChangeLineGrp);
  heading->addLayout(headingRow);
  heading->addStretch(1);
  heading->addLayout(ok2Row);
  ChangeLineGrp->hide();

  auto* right = new QVBoxLayout;
  right->addWidget(ChangeZutatGrp, 1);
  right->addWidget(ChangeLineGrp, 1);
  auto* halves = new QHBoxLayout;
  halves->addLayout(left, 1);
  halves->addLayout(right, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(HelpBtn);
  bottom->addStretch(1);
  bottom->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(halves, 1);
  layout->addLayout(bottom);

  for (QWidget* w : std::initializer_list<QWidget*>{MengeCoBo, EinheitCoBo, ZutatCoBo})
    w->installEventFilter(this);
  connect(MengeCoBo, &QComboBox::editTextChanged, this, [this] {
    if (!filling_) LineChanged = true;
  });
  connect(EinheitCoBo, &QComboBox::editTextChanged, this, [this] { UnitFieldChanged(); });
  connect(ZutatCoBo, &QComboBox::editTextChanged, this, [this] { IngredientFieldChanged(); });
  connect(MemoEdt, &QPlainTextEdit::textChanged, this, [this] {
    if (!filling_) LineChanged = true;
  });
  connect(TrenntextEdt, &QLineEdit::textChanged, this, [this] {
    if (!filling_) LineChanged = true;
  });
  connect(KListChk, &QCheckBox::clicked, this, [this] { LineChanged = true; });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(OK2Btn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(ClearBtn, &QPushButton::clicked, this, [this] { ClearBtnClick(); });
  connect(Clear2Btn, &QPushButton::clicked, this, [this] { ClearBtnClick(); });
  connect(NewZutatBtn, &QPushButton::clicked, this, [this] { NewZutatBtnClick(); });
  connect(NewTrennzeileBtn, &QPushButton::clicked, this, [this] { NewTrennzeileBtnClick(); });
  connect(AddBLSBtn, &QPushButton::clicked, this, [this] { AddBLSBtnClick(); });
  connect(RemoveBLSBtn, &QPushButton::clicked, this, [this] { RemoveBLSBtnClick(); });
  connect(ShowBLSBtn, &QPushButton::clicked, this, [this] { ShowBLSBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });

  const QFontMetrics fm(font());
  MengeCoBo->setMinimumWidth(fm.averageCharWidth() * 11);
  EinheitCoBo->setMinimumWidth(fm.averageCharWidth() * 22);
  ZutatCoBo->setMinimumWidth(fm.averageCharWidth() * 24);
  EditZutatGrp->setMinimumWidth(fm.averageCharWidth() * 50);
  setMinimumSize(fm.averageCharWidth() * 135, fm.height() * 28);

  FillUnitItems();
  CompletionHint.clear();
  FormCreate();
  ShowLinkControls();
}

TChooseZutatDlg::~TChooseZutatDlg() {
  if (ChooseZutatDlg == this) ChooseZutatDlg = nullptr;
  Registered<UnitComboView, kChooserUnitCombo>::Leave(this);
}

void TChooseZutatDlg::FormCreate() {
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TChooseZutatDlg::FillUnitItems() {
  std::vector<std::string> items;
  if (ctx().units) ctx().units->FillUnitCombo(items, true);
  const bool wasFilling = filling_;
  filling_ = true;
  const QString text = EinheitCoBo->currentText();
  EinheitCoBo->clear();
  for (const std::string& item : items) EinheitCoBo->addItem(toQ(item));
  EinheitCoBo->setEditText(text);
  filling_ = wasFilling;
}

void TChooseZutatDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TChooseZutatDlg::FormShow() {
  ModifierHeld = false;
  if (ChangeLineGrp->isVisibleTo(this))
    TrenntextEdt->setFocus();
  else
    MengeCoBo->setFocus();
  BLSGrp->setVisible(!(ctx().options && ctx().options->Flag(56)));
  CenterOnForm(this);
}

void TChooseZutatDlg::done(int result) {
  if (!closing_) {
    closing_ = true;
    FormClose();
    closing_ = false;
  }
  QDialog::done(result);
}

void TChooseZutatDlg::closeEvent(QCloseEvent* event) {
  QDialog::closeEvent(event);
}

void TChooseZutatDlg::FormClose() {
  StoreChooserLine();
  if (EditZutatDlg) EditZutatDlg->PlaceIngredientList(false);
}

void TChooseZutatDlg::CancelBtnClick() {
  close();
}

void TChooseZutatDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_InpZutat.htm");
}

// ---------------------------------------------------------------------------------------------
// Loading and showing a line

void TChooseZutatDlg::LoadChooserLine(REZBLOCK* recipe, int index, bool refill) {
  ChooserRecipe = recipe;
  if (refill && EditZutatDlg) EditZutatDlg->FillIngredientList();
  if (index >= 0 && EditZutatDlg) EditZutatDlg->SelectIngredientLine(index);
  const int sel = EditZutatDlg ? EditZutatDlg->SelectedLine() : -1;
  if (recipe && sel >= 0 && sel < static_cast<int>(recipe->lines.size()))
    IsIngredientLine = !StartsWith(recipe->lines[static_cast<size_t>(sel)].text, '*');
  if (index < 0) {
    EditIndex = -1;
    ChangeZutatGrp->setTitle(GroupCaption(61));
    ChangeLineGrp->setTitle(GroupCaption(62));
    ShowChooserLine();
    OKBtn->setText(toQ(GetLangText(63)));
    OK2Btn->setText(toQ(GetLangText(64)));
    NewLine = true;
  } else {
    EditIndex = index;
    ChangeZutatGrp->setTitle(GroupCaption(65));
    ChangeLineGrp->setTitle(GroupCaption(58));
    ShowChooserLine();
    OKBtn->setText(toQ(GetLangText(59)));
    OK2Btn->setText(toQ(GetLangText(59)));
    NewLine = false;
  }
  FillIngredientCombo(false);
  LineChanged = false;
}

void TChooseZutatDlg::ShowChooserLine() {
  offeredFor_.clear();
  filling_ = true;
  MengeCoBo->setEditText(QString());
  EinheitCoBo->setEditText(QString());
  ZutatCoBo->setEditText(QString());
  TrenntextEdt->clear();
  std::string description;
  const int sel = EditZutatDlg ? EditZutatDlg->SelectedLine() : -1;
  const bool valid =
      ChooserRecipe && sel >= 0 && sel < static_cast<int>(ChooserRecipe->lines.size());
  if (valid && StartsWith(ChooserRecipe->lines[static_cast<size_t>(sel)].text, '*'))
    IsIngredientLine = false;

  if (IsIngredientLine) {
    ChangeZutatGrp->show();
    ChangeLineGrp->hide();
    if (valid) {
      int head = sel, last = sel;
      FindLineBlock(*ChooserRecipe, head, last);
      const REZZUTAT& line = ChooserRecipe->lines[static_cast<size_t>(head)];
      MengeCoBo->setEditText(toQ(line.amount));
      KListChk->setChecked(line.notOnShoppingList != 0);
      QString unit = toQ(line.unit);
      for (int i = 0; i < EinheitCoBo->count(); ++i) {
        std::string code;
        if (BracketUnitCode(fromQ(EinheitCoBo->itemText(i)), code) &&
            SameTextNoCase(code, line.unit) && !line.unit.empty())
          unit = EinheitCoBo->itemText(i);
      }
      EinheitCoBo->setEditText(unit);
      ZutatCoBo->setEditText(toQ(line.text));
      if (isVisible()) MengeCoBo->setFocus();
      BLSKey->setText(toQ(line.blsCode));
      ShowBLSName();
      description = BlockDescription(*ChooserRecipe, head, last);
    }
  } else {
    ChangeZutatGrp->hide();
    ChangeLineGrp->show();
    BLSKey->clear();
    BLSBez->clear();
    KListChk->setChecked(false);
    if (valid)
      TrenntextEdt->setText(toQ(ChooserRecipe->lines[static_cast<size_t>(sel)].text.substr(1)));
    if (isVisible()) TrenntextEdt->setFocus();
  }
  MemoEdt->setPlainText(toQ(description));
  filling_ = false;
  LineChanged = false;
  FillIngredientCombo(false);
  ShowLinkControls();
}

void TChooseZutatDlg::ShowLinkControls() {
  const bool linked = !BLSKey->text().isEmpty();
  NoBLSTxt->setVisible(!linked);
  BLSKeyTxt->setVisible(linked);
  BLSKey->setVisible(linked);
  BLSBez->setVisible(linked);
}

void TChooseZutatDlg::ClearChooserFields() {
  // The focus moves before the fields empty: leaving the ingredient field then is no reason to
  // ask about the food link of the line just stored.
  if (isVisible()) {
    if (ChangeLineGrp->isVisible())
      TrenntextEdt->setFocus();
    else
      MengeCoBo->setFocus();
  }
  MengeCoBo->setEditText(QString());
  EinheitCoBo->setEditText(QString());
  ZutatCoBo->setEditText(QString());
  MemoEdt->clear();
  TrenntextEdt->clear();
  KListChk->setChecked(false);
  BLSKey->clear();
  BLSBez->clear();
  ShowLinkControls();
  offeredFor_.clear();
}

// ---------------------------------------------------------------------------------------------
// Storing a line

void TChooseZutatDlg::StoreChooserLine() {
  if (!LineChanged || !ChooserRecipe || !EditZutatDlg) return;
  if (!IsIngredientLine || ChangeLineGrp->isVisibleTo(this)) {
    const std::string text = fromQ(TrenntextEdt->text());
    if (text.empty()) MessageBox(GetLangText(57), GetLangText(2), MB_OK);
    // A heading is one line: it is written over in place or appended.
    const int at = NewLine ? -1 : EditIndex;
    EditZutatDlg->StoreLineAt(at, HeadingLine(text));
    EditIndex = at == -1 ? static_cast<int>(ChooserRecipe->lines.size()) - 1 : at;
  } else {
    ChooserFields f;
    f.amount = Text(MengeCoBo);
    f.unit = Text(EinheitCoBo);
    f.ingredient = Text(ZutatCoBo);
    f.description = fromQ(MemoEdt->toPlainText());
    f.notOnShoppingList = KListChk->isChecked();
    f.blsKey = fromQ(BLSKey->text());
    const std::vector<REZZUTAT> block = BuildIngredientBlock(f, ctx().units);
    if (block.empty()) return;  // no ingredient: nothing stored, the fields stay
    int at = -1;
    if (!NewLine) {
      at = EditZutatDlg->DeleteLineBlock(EditIndex);
      if (at >= 0) EditZutatDlg->InsertLineGap(at, static_cast<int>(block.size()));
    }
    const int head = at >= 0 ? at : static_cast<int>(ChooserRecipe->lines.size());
    for (size_t i = 0; i < block.size(); ++i)
      EditZutatDlg->StoreLineAt(at >= 0 ? at + static_cast<int>(i) : -1, block[i]);
    EditIndex = head;
  }
  // The fields now describe the stored line: storing again replaces it instead of adding one.
  NewLine = false;
  LineChanged = false;
  EditZutatDlg->SelectIngredientLine(EditIndex);
}

// ---------------------------------------------------------------------------------------------
// Unit and ingredient lists, completion, food link

void TChooseZutatDlg::FillIngredientCombo(bool all) {
  const QString remembered = ZutatCoBo->currentText();
  const std::string unitText = Text(EinheitCoBo);
  std::optional<std::string> code;
  std::string found;
  if (BracketUnitCode(unitText, found)) {
    code = found;
  } else if (ctx().units && !unitText.empty()) {
    found = unitText;
    if (ctx().units->NormalizeUnitCode(found)) {
      code = found;
    } else {
      found = unitText;
      if (ctx().units->UnitTextToCode(found)) code = found;
    }
  }
  std::vector<std::string> items;
  if (ctx().ingredients)
    ctx().ingredients->FillZutatCombo(
        all || !code ? std::optional<std::string>(std::string()) : code, items);
  std::sort(items.begin(), items.end(),
            [](const std::string& a, const std::string& b) { return CompareTextNoCase(a, b) < 0; });
  const bool wasFilling = filling_;
  filling_ = true;
  ZutatCoBo->clear();
  for (const std::string& item : items) ZutatCoBo->addItem(toQ(item));
  if (!remembered.isEmpty()) {
    int match = -1;
    for (int i = 0; i < ZutatCoBo->count(); ++i)
      if (ZutatCoBo->itemText(i).compare(remembered, Qt::CaseInsensitive) == 0) match = i;
    if (match < 0) {
      ZutatCoBo->addItem(remembered);
      match = ZutatCoBo->count() - 1;
    }
    ZutatCoBo->setCurrentIndex(match);
    ZutatCoBo->setEditText(ZutatCoBo->itemText(match));
  } else {
    ZutatCoBo->setCurrentIndex(-1);
    ZutatCoBo->setEditText(QString());
  }
  filling_ = wasFilling;
}

void TChooseZutatDlg::UpdateCompletionHint(int field) {
  CompletionHint.clear();
  if (field == 0) {
    const std::string typed = Text(EinheitCoBo);
    if (ctx().units && !typed.empty()) ctx().units->FindUnitByPrefix(typed, CompletionHint);
  } else if (ctx().ingredients) {
    ctx().ingredients->FindZutatByPrefix(Text(ZutatCoBo), CompletionHint);
  }
}

void TChooseZutatDlg::UnitFieldChanged() {
  if (filling_) return;
  LineChanged = true;
  UpdateCompletionHint(0);
  HintTxt->setText(toQ(CompletionHint));
  HintPanel->setVisible(!CompletionHint.empty() && EinheitCoBo->hasFocus());
}

void TChooseZutatDlg::IngredientFieldChanged() {
  if (filling_) return;
  offeredFor_.clear();
  LineChanged = true;
  UpdateCompletionHint(1);
  HintTxt->setText(toQ(CompletionHint));
  HintPanel->setVisible(!CompletionHint.empty() && ZutatCoBo->hasFocus());
}

void TChooseZutatDlg::LeaveUnitField() {
  HintPanel->hide();
  FillIngredientCombo(false);
  CompletionHint.clear();
}

void TChooseZutatDlg::LeaveIngredientField() {
  HintPanel->hide();
  CompletionHint.clear();
  OfferCatalogueBLSLink(Text(ZutatCoBo));
}

void TChooseZutatDlg::LeaveAmountField() {
  std::string amount = Text(MengeCoBo);
  const std::string before = amount;
  FractionCharToText(amount);
  if (amount != before) MengeCoBo->setEditText(toQ(amount));
}

bool TChooseZutatDlg::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QComboBox*>(watched);
  if (!box) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::FocusIn:
      if (box == EinheitCoBo || box == ZutatCoBo) {
        // The hint stands below the field it completes.
        const QRect field = box->geometry();
        HintPanel->adjustSize();
        HintPanel->move(field.left(), field.bottom() + 2);
        HintPanel->raise();
        HintPanel->hide();
      }
      break;
    case QEvent::FocusOut: {
      // A message box or pop-up taking the focus is no leaving of the field; a click on the
      // OK button asks in the button's own handler (a question here would swallow the click).
      const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
      const QWidget* to = QApplication::focusWidget();
      const bool left = why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason &&
                        to != OKBtn && to != OK2Btn;
      if (box == EinheitCoBo)
        LeaveUnitField();
      else if (box == ZutatCoBo && left)
        LeaveIngredientField();
      else if (box == MengeCoBo)
        LeaveAmountField();
      break;
    }
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key != Qt::Key_Control && key != Qt::Key_Alt) break;
      if (!ModifierHeld) {
        ModifierHeld = true;
        if (box != MengeCoBo && !CompletionHint.empty()) {
          box->setEditText(toQ(CompletionHint));
          if (box == ZutatCoBo) OfferCatalogueBLSLink(Text(ZutatCoBo));
        }
      }
      return true;
    }
    case QEvent::KeyRelease: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key != Qt::Key_Control && key != Qt::Key_Alt) break;
      if (ModifierHeld) {
        ModifierHeld = false;
        if (box == MengeCoBo)
          EinheitCoBo->setFocus();
        else if (box == EinheitCoBo)
          ZutatCoBo->setFocus();
      }
      return true;
    }
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

bool TChooseZutatDlg::OfferCatalogueBLSLink(const std::string& ingredient) {
  if (ctx().options && ctx().options->Flag(56)) return false;
  if (!BLSBez->isHidden() || !ctx().ingredients || offering_) return false;
  std::string key;
  uint8_t notOnList = 0;
  if (!ctx().ingredients->GetZutatBLSKey(ingredient, key, notOnList) || key.empty()) return false;
  // Answered No once for this text: the user knows, and is not asked again.
  if (ingredient == offeredFor_) return false;
  offeredFor_ = ingredient;
  offering_ = true;
  const int answer = MessageBox(GetLangText(425), GetLangText(56), MB_YESNO | MB_ICONQUESTION);
  offering_ = false;
  if (answer != IDYES) return false;
  BLSKey->setText(toQ(key));
  ShowBLSName();
  ShowLinkControls();
  KListChk->setChecked(notOnList != 0);
  // Only a link taken changes the line; looking at a line leaves it as it is.
  LineChanged = true;
  return true;
}

void TChooseZutatDlg::ShowBLSName() {
  const std::string key = fromQ(BLSKey->text());
  if (key.empty()) return;
  std::string name;
  if (ctx().foods) ctx().foods->FindBLSNameByKey(key, &name);
  BLSBez->setText(toQ(name));
}

// ---------------------------------------------------------------------------------------------
// Buttons

void TChooseZutatDlg::OKBtnClick() {
  if (IsIngredientLine && !ChangeLineGrp->isVisibleTo(this)) OfferCatalogueBLSLink(Text(ZutatCoBo));
  StoreChooserLine();
  if (LineChanged) return;  // not stored (no ingredient): the fields stay for the user
  EditIndex = -1;
  ClearChooserFields();
  OKBtn->setText(toQ(GetLangText(63)));
  NewLine = true;
  if (EditZutatDlg) EditZutatDlg->SelectIngredientLine(-2);
  IsIngredientLine = true;
  LoadChooserLine(ChooserRecipe, -1, false);
  if (isVisible()) MengeCoBo->setFocus();
  ModifierHeld = false;
}

void TChooseZutatDlg::NewZutatBtnClick() {
  IsIngredientLine = true;
  if (EditZutatDlg) EditZutatDlg->SelectIngredientLine(-2);
  BLSKey->clear();
  BLSBez->clear();
  LoadChooserLine(ChooserRecipe, -1, false);
}

void TChooseZutatDlg::NewTrennzeileBtnClick() {
  IsIngredientLine = false;
  if (EditZutatDlg) EditZutatDlg->SelectIngredientLine(-2);
  LoadChooserLine(ChooserRecipe, -1, false);
}

void TChooseZutatDlg::ClearBtnClick() {
  ClearChooserFields();
  FillIngredientCombo(false);
}

void TChooseZutatDlg::AddBLSBtnClick() {
  const std::string ingredient = Text(ZutatCoBo);
  if (OfferCatalogueBLSLink(ingredient)) return;
  std::string key, name;
  const bool chosen = chooseFood
                          ? chooseFood(ingredient, key, name)
                          : BLSChooseDlg && BLSChooseDlg->ChooseFoodFor(ingredient, key, name);
  if (!chosen) return;
  BLSKey->setText(toQ(key));
  BLSBez->setText(toQ(name));
  ShowLinkControls();
  if (ingredient.empty()) ZutatCoBo->setEditText(toQ(name));
  LineChanged = true;
}

void TChooseZutatDlg::RemoveBLSBtnClick() {
  BLSKey->clear();
  BLSBez->clear();
  ShowLinkControls();
  LineChanged = true;
}

void TChooseZutatDlg::ShowBLSBtnClick() {
  const std::string key = fromQ(BLSKey->text()).substr(0, 8);
  if (key.empty()) {
    MessageBox(GetLangText(376), GetLangText(2), MB_OK);
    return;
  }
  if (showFood)
    showFood(key);
  else if (BLSMainDlg)
    BLSMainDlg->ShowFood(key);
}

}  // namespace tav
