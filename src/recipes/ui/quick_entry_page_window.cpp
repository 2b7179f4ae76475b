#include "recipes/ui/quick_entry_page_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "nutrients/food_database.h"
#include "nutrients/ui/food_chooser_dialog.h"
#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/category_table.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/unit_table.h"
#include "recipes/ui/edit_page_dock.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "services/amounts.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/text_tools.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"

namespace tav {

TQEditDlg* QEditDlg = nullptr;

namespace {

constexpr const char* kTagLead = "         [";  // nine blanks before a tag
constexpr int kLongTitle = 65;
constexpr int kLongIngredient = 29;
constexpr int kLongHeading = 28;

// Label and hint texts by line kind (0: no hint).
constexpr int kKindLabel[17] = {492, 491, 493, 495, 496, 497, 498, 499, 494,
                                500, 501, 503, 656, 502, 504, 686, 688};
constexpr int kKindHint[17] = {0,   505, 507, 508, 509, 510, 513, 511, 519,
                               514, 515, 517, 657, 516, 518, 687, 689};

std::string Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return std::string(text);
}

std::string Text(const QComboBox* combo) {
  return fromQ(combo->currentText());
}

}  // namespace

TQEditDlg::TQEditDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  QEditDlg = this;
  Registered<UnitComboView, kQuickEntryUnitCombo>::Enter(this);
  setObjectName(QStringLiteral("QEditDlg"));
  setWindowTitle(QString::fromUtf8("Schnell-Erfassung"));

  QWidget* box = PageScrollBox(this, "ScrollBoxQuick", ScrollBoxQuick);

  TextRtf = Named<QTextEdit>(box, "TextRtf");
  TextRtf->setAcceptRichText(false);
  TextRtf->setLineWrapMode(QTextEdit::NoWrap);
  TextRtf->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  TextRtf->setContextMenuPolicy(Qt::CustomContextMenu);
  QFont textFont(QStringLiteral("Arial"));
  textFont.setPointSize(10);
  TextRtf->setFont(textFont);
  CopyTxt = Named<QPlainTextEdit>(box, "CopyTxt");
  CopyTxt->hide();

  CmdPnl = Named<QFrame>(box, "CmdPnl");
  auto* cmds = new QGridLayout(CmdPnl);
  cmds->setContentsMargins(0, 0, 0, 0);
  cmds->setSpacing(4);
  struct Command {
    QPushButton** button;
    const char* name;
    const char* caption;
    const char* command;
  } const commands[] = {
      {&CmdTrennBtn, "CmdTrennBtn", "* Überschrift", "*"},
      {&CmdZutInfBtn, "CmdZutInfBtn", "- Beschreibung", "-"},
      {&CmdPortionBtn, "CmdPortionBtn", "P> Portionen", "P>"},
      {&CmdZeitBtn, "CmdZeitBtn", "Z> Zeit", "Z>"},
      {&CmdGattungBtn, "CmdGattungBtn", "G> Gattungen", "G>"},
      {&CmdStichwortBtn, "CmdStichwortBtn", "S> Stichworte", "S>"},
      {&CmdErfasserBtn, "CmdErfasserBtn", "A> Erfasser", "A>"},
      {&CmdQuelleBtn, "CmdQuelleBtn", "Q> Quelle", "Q>"},
      {&CmdKostenBtn, "CmdKostenBtn", "K> Kosten", "K>"},
      {&CmdEnergieBtn, "CmdEnergieBtn", "N> Energie", "N>"},
      {&CmdQualityBtn, "CmdQualityBtn", "B> Bewertung", "B>"},
      {&CmdDifficultyBtn, "CmdDifficultyBtn", "D> Schwierigkeit", "D>"},
  };
  int i = 0;
  for (const Command& c : commands) {
    QPushButton* b = Named<QPushButton>(CmdPnl, c.name);
    b->setText(QString::fromUtf8(c.caption));
    b->setFocusPolicy(Qt::NoFocus);
    *c.button = b;
    cmds->addWidget(b, i / 4, i % 4);
    const std::string command = c.command;
    connect(b, &QPushButton::clicked, this, [this, command] { QEditInsertCommand(command); });
    ++i;
  }

  QEditInfoPnl = Named<QFrame>(box, "QEditInfoPnl");
  QEditInfoPnl->setFrameShape(QFrame::StyledPanel);
  QEditInfoPnl->setFixedWidth(300);
  LineTypeTxt = Named<QLabel>(QEditInfoPnl, "LineTypeTxt");
  QFont bold = LineTypeTxt->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.15);
  LineTypeTxt->setFont(bold);
  HelpLiBo = Named<QListWidget>(QEditInfoPnl, "HelpLiBo");
  HelpLiBo->setSelectionMode(QAbstractItemView::MultiSelection);
  HelpLiBo->setMinimumHeight(150);

  HelpIngPnl = Named<QFrame>(QEditInfoPnl, "HelpIngPnl");
  HelpZutatMengeCoBo = Named<QComboBox>(HelpIngPnl, "HelpZutatMengeCoBo");
  HelpZutatMengeCoBo->setEditable(true);
  HelpZutatMengeCoBo->setInsertPolicy(QComboBox::NoInsert);
  HelpZutatMengeCoBo->addItems(
      {"1/4", "1/2", "3/4", "1", "2", "3", "4", "5", "10", "12", "20", "24", "25", "50", "100"});
  HelpZutatEinheitCoBo = Named<QComboBox>(HelpIngPnl, "HelpZutatEinheitCoBo");
  HelpZutatEinheitCoBo->setEditable(true);
  HelpZutatEinheitCoBo->setInsertPolicy(QComboBox::NoInsert);
  HelpZutatCoBo = Named<QComboBox>(HelpIngPnl, "HelpZutatCoBo");
  HelpZutatCoBo->setEditable(true);
  HelpZutatCoBo->setInsertPolicy(QComboBox::NoInsert);
  NotKListChk = Named<QCheckBox>(HelpIngPnl, "NotKListChk");
  NotKListChk->setText(QString::fromUtf8("Soll nicht auf die &Einkaufliste"));
  EntsprichtTxt = Named<QLabel>(HelpIngPnl, "EntsprichtTxt");
  EntsprichtTxt->setText(QString::fromUtf8("entspricht"));
  GrammEdt = Named<QLineEdit>(HelpIngPnl, "GrammEdt");
  GrammEdt->setMaximumWidth(70);
  GrammTxt = Named<QLabel>(HelpIngPnl, "GrammTxt");
  GrammTxt->setText(QString::fromUtf8("Gramm"));
  UnbedeutendChk = Named<QCheckBox>(HelpIngPnl, "UnbedeutendChk");
  UnbedeutendChk->setText(QString::fromUtf8("Unbedeutend"));
  BLSBtn = Named<QPushButton>(HelpIngPnl, "BLSBtn");
  BLSBtn->setText(QString::fromUtf8("&BLS:"));
  BLSStoffTxt = Named<QLabel>(HelpIngPnl, "BLSStoffTxt");
  BLSStoffTxt->setWordWrap(true);
  DelBLSBtn = Named<QPushButton>(HelpIngPnl, "DelBLSBtn");
  DelBLSBtn->setText(QString::fromUtf8("&X"));
  DelBLSBtn->setMaximumWidth(30);
  auto* form = new QGridLayout(HelpIngPnl);
  form->setContentsMargins(0, 0, 0, 0);
  form->addWidget(HelpZutatMengeCoBo, 0, 0);
  form->addWidget(HelpZutatEinheitCoBo, 0, 1, 1, 3);
  form->addWidget(HelpZutatCoBo, 1, 0, 1, 4);
  auto* grams = new QHBoxLayout;
  grams->addWidget(EntsprichtTxt);
  grams->addWidget(GrammEdt);
  grams->addWidget(GrammTxt);
  grams->addStretch(1);
  form->addLayout(grams, 2, 0, 1, 4);
  form->addWidget(UnbedeutendChk, 3, 0, 1, 4);
  form->addWidget(NotKListChk, 4, 0, 1, 4);
  form->addWidget(BLSBtn, 5, 0);
  form->addWidget(BLSStoffTxt, 5, 1, 1, 2);
  form->addWidget(DelBLSBtn, 5, 3);
  form->setColumnStretch(1, 1);
  form->setColumnMinimumWidth(0, 70);

  HelpErrorTxt = Named<QLabel>(QEditInfoPnl, "HelpErrorTxt");
  HelpErrorTxt->setWordWrap(true);
  QPalette red = HelpErrorTxt->palette();
  red.setColor(QPalette::WindowText, QColor(0xC0, 0, 0));
  HelpErrorTxt->setPalette(red);
  // Room for the standard page's rating pictures, which it places on this panel while lent.
  RatingSpace = Named<QWidget>(QEditInfoPnl, "RatingSpace");
  RatingSpace->setFixedHeight(80);
  HelpInfoTxt = Named<QLabel>(QEditInfoPnl, "HelpInfoTxt");
  HelpInfoTxt->setWordWrap(true);
  HelpInfoTxt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* info = new QVBoxLayout(QEditInfoPnl);
  info->setSpacing(10);
  info->addWidget(LineTypeTxt);
  info->addWidget(HelpLiBo);
  info->addWidget(HelpIngPnl);
  info->addWidget(HelpErrorTxt);
  info->addWidget(RatingSpace);
  info->addWidget(HelpInfoTxt);
  info->addStretch(1);

  QEditPicPnl = Named<QWidget>(box, "QEditPicPnl");
  QEditPicPnl->setFixedWidth(300);
  QEditPicPnl->setMinimumHeight(170);

  auto* left = new QVBoxLayout;
  left->addWidget(TextRtf, 1);
  left->addWidget(CmdPnl);
  auto* right = new QVBoxLayout;
  right->addWidget(QEditInfoPnl, 1);
  right->addWidget(QEditPicPnl);
  auto* layout = new QHBoxLayout(box);
  layout->addLayout(left, 1);
  layout->addLayout(right);

  PopupMnu = new QMenu(this);
  PopupMnu->setObjectName(QStringLiteral("PopupMnu"));
  auto item = [this](const char* name, const char* caption) {
    QAction* a = PopupMnu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  UndoMnu = item("UndoMnu", "Rückgängig");
  PopupMnu->addSeparator();
  CutMnu = item("CutMnu", "Ausschneiden");
  CopyMnu = item("CopyMnu", "Kopieren");
  PasteMnu = item("PasteMnu", "Einfügen");
  PopupMnu->addSeparator();
  SelectMnu = item("SelectMnu", "Alles selektieren");
  connect(UndoMnu, &QAction::triggered, TextRtf, &QTextEdit::undo);
  connect(CutMnu, &QAction::triggered, TextRtf, &QTextEdit::cut);
  connect(CopyMnu, &QAction::triggered, TextRtf, &QTextEdit::copy);
  connect(PasteMnu, &QAction::triggered, this, [this] { QEditPastePlain(true); });
  connect(SelectMnu, &QAction::triggered, TextRtf, &QTextEdit::selectAll);
  connect(TextRtf, &QTextEdit::customContextMenuRequested, this,
          [this](const QPoint& p) { PopupMnu->popup(TextRtf->viewport()->mapToGlobal(p)); });

  connect(TextRtf, &QTextEdit::cursorPositionChanged, this, [this] { TextRtfSelectionChange(); });
  TextRtf->installEventFilter(this);
  GrammEdt->installEventFilter(this);
  HelpZutatEinheitCoBo->installEventFilter(this);
  connect(HelpZutatMengeCoBo, &QComboBox::currentTextChanged, this,
          [this] { HelpZutatMengeCoBoChange(); });
  connect(HelpZutatCoBo, &QComboBox::currentTextChanged, this,
          [this] { HelpZutatMengeCoBoChange(); });
  connect(HelpZutatEinheitCoBo, &QComboBox::currentTextChanged, this,
          [this] { HelpZutatEinheitCoBoChange(); });
  connect(GrammEdt, &QLineEdit::textChanged, this, [this] { GrammEdtChange(); });
  connect(NotKListChk, &QCheckBox::clicked, this, [this] { NotKListChkClick(); });
  connect(UnbedeutendChk, &QCheckBox::clicked, this, [this] { UnbedeutendChkClick(); });
  connect(BLSBtn, &QPushButton::clicked, this, [this] { BLSBtnClick(); });
  connect(DelBLSBtn, &QPushButton::clicked, this, [this] { DelBLSBtnClick(); });
  connect(HelpLiBo, &QListWidget::itemClicked, this, [this] { HelpLiBoClick(); });
  FormCreate();
}

TQEditDlg::~TQEditDlg() {
  if (QEditDlg == this) QEditDlg = nullptr;
  Registered<UnitComboView, kQuickEntryUnitCombo>::Leave(this);
  // Rating pictures lent by the standard page go back before this page's children go.
  if (NEditDlg && NEditDlg->QualityPnl && NEditDlg->QualityPnl->parentWidget() == RatingSpace)
    NEditDlg->PlaceRatingPanels(false);
}

void TQEditDlg::FormCreate() {
  if (LangDlg) {
    LangDlg->TranslateForm(this);
    LangDlg->TranslateMenu("QEditDlg", PopupMnu);
  }
  RefillUnitCombo();
  HelpZutatMengeCoBo->setEditText(QString());
  ShowKind(kQuickEmpty);
  LineTypeTxt->clear();
}

void TQEditDlg::RefillUnitCombo() {
  const QSignalBlocker block(HelpZutatEinheitCoBo);
  const QString typed = HelpZutatEinheitCoBo->currentText();
  HelpZutatEinheitCoBo->clear();
  if (ctx().units) {
    std::vector<std::string> names;
    ctx().units->FillUnitCombo(names, false);
    for (const std::string& n : names) HelpZutatEinheitCoBo->addItem(toQ(n));
  }
  HelpZutatEinheitCoBo->setEditText(typed);
}

bool TQEditDlg::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((watched == TextRtf || watched == GrammEdt) &&
      (type == QEvent::FocusIn || type == QEvent::FocusOut))
    EnableClipboard();
  if (watched == HelpZutatEinheitCoBo && type == QEvent::FocusOut) HelpZutatEinheitCoBoExit();
  if (watched == TextRtf && type == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool shiftInsert = key->key() == Qt::Key_Insert && key->modifiers() == Qt::ShiftModifier;
    if (shiftInsert || key->matches(QKeySequence::Paste)) {
      QEditPastePlain(true);
      return true;
    }
    if (key->key() == Qt::Key_Delete) QTimer::singleShot(0, this, [this] { QEditRefreshInfo(); });
  }
  return QWidget::eventFilter(watched, event);
}

void TQEditDlg::EnableClipboard() {
  if (auto* main = MainWindow()) main->UpdateClipboardMenu();
}

// Editor operations ----------------------------------------------------------------------------

void TQEditDlg::QEditLoadRez(REZBLOCK* recipe) {
  editRecipe = recipe;
  if (!recipe) return;
  busy = 1;
  TextRtf->setPlainText(toQ(quick.RezToQuickText(*recipe)));
  TextRtf->moveCursor(QTextCursor::Start);
  TextRtf->document()->clearUndoRedoStacks();
  busy = 0;
  categoryListFilled = 0;
  LendRatingPanels();
  QEditRefreshInfo();
}

bool TQEditDlg::QEditStoreRez() {
  if (!editRecipe) return true;
  QEditRefreshInfo();
  quick.SplitQuickTextLines(fromQ(FieldText(TextRtf)));
  quick.QuickTextToRez(*editRecipe);
  return true;
}

void TQEditDlg::QEditShowPage() {
  DockEditPage(this);
  FillHost(EditorPart("ImagePnl"), QEditPicPnl);
}

// The standard page's rating pictures, lent to this page's panel by the editor before it loads
// the page, stay hidden until a "B>" or "D>" line holds the caret.
void TQEditDlg::LendRatingPanels() {
  for (const char* name : {"QualityPnl", "DifficultyPnl"})
    if (QWidget* w = QEditInfoPnl->findChild<QWidget*>(QString::fromLatin1(name))) w->hide();
}

void TQEditDlg::QEditSetQuality(char rating) {
  QEditSetCommandLine(std::string("B> ") + rating);
}

void TQEditDlg::QEditSetDifficulty(char rating) {
  QEditSetCommandLine(std::string("D> ") + rating);
}

// The information panel ------------------------------------------------------------------------

void TQEditDlg::CaretToLine() {
  if (TextRtf->document()->isEmpty()) return;
  const QTextCursor c = TextRtf->textCursor();
  currentLine = c.blockNumber();
  currentColumn = c.positionInBlock();
}

std::string TQEditDlg::CurrentLineText() const {
  if (currentLine < 0 || currentLine >= static_cast<int>(quick.lines.size())) return std::string();
  return quick.lines[currentLine];
}

void TQEditDlg::TextRtfSelectionChange() {
  if (!busy) QEditRefreshInfo();
}

void TQEditDlg::QEditRefreshInfo() {
  CaretToLine();
  quick.SplitQuickTextLines(fromQ(FieldText(TextRtf)));
  if (currentLine < 0 || currentLine >= static_cast<int>(quick.lines.size())) return;
  const int kind = quick.LineKind(currentLine);
  if (kind != kQuickCategories) categoryListFilled = 0;
  ShowKind(kind);
}

void TQEditDlg::ShowWarning(const std::string& text) {
  HelpErrorTxt->setText(toQ(text));
  HelpErrorTxt->show();
}

void TQEditDlg::ShowKind(int kind) {
  if (kind < 0 || kind > kQuickDifficulty) return;
  LineTypeTxt->setText(toQ(GetLangText(kKindLabel[kind])));
  HelpInfoTxt->setText(kKindHint[kind] ? toQ(GetLangText(kKindHint[kind])) : QString());
  HelpInfoTxt->setVisible(kind != kQuickEmpty);
  HelpLiBo->hide();
  HelpErrorTxt->hide();
  HelpIngPnl->hide();
  RatingSpace->hide();
  for (const char* name : {"QualityPnl", "DifficultyPnl"})
    if (QWidget* w = QEditInfoPnl->findChild<QWidget*>(QString::fromLatin1(name))) w->hide();

  const std::string line = CurrentLineText();
  switch (kind) {
    case kQuickTitle:
      if (static_cast<int>(line.size()) >= kLongTitle) ShowWarning(GetLangText(506));
      break;
    case kQuickIngredient:
      FillIngredientForm();
      break;
    case kQuickHeading:
    case kQuickDescription:
      if (static_cast<int>(Trim(std::string_view(line).substr(line.empty() ? 0 : 1)).size()) >=
          kLongHeading) {
        ShowWarning(GetLangText(526));
        HelpInfoTxt->hide();
      }
      if (kind == kQuickDescription) FillDescriptionList();
      break;
    case kQuickCategories:
      FillCategoryList();
      break;
    case kQuickQuality:
    case kQuickDifficulty:
      ShowRatingLine(kind);
      break;
    default:
      break;
  }
}

void TQEditDlg::RefillIngredientCombo(const std::string& unitCode) {
  const QSignalBlocker block(HelpZutatCoBo);
  const QString typed = HelpZutatCoBo->currentText();
  HelpZutatCoBo->clear();
  if (ctx().ingredients) {
    std::vector<std::string> names;
    ctx().ingredients->FillZutatCombo(unitCode, names);
    for (const std::string& n : names) HelpZutatCoBo->addItem(toQ(n));
  }
  HelpZutatCoBo->setEditText(typed);
}

void TQEditDlg::FillIngredientForm() {
  filling = 1;
  const QSignalBlocker b1(HelpZutatMengeCoBo), b2(HelpZutatEinheitCoBo), b3(HelpZutatCoBo),
      b4(GrammEdt);
  HelpIngPnl->show();
  BLSStoffTxt->setText(QStringLiteral("???"));
  QuickIngredient parts;
  ParseQuickIngredientLine(Trim(CurrentLineText()), parts);
  currentReference = parts.reference;
  if (static_cast<int>(Trim(parts.text).size()) >= kLongIngredient) {
    ShowWarning(GetLangText(512));
    HelpInfoTxt->hide();
  }
  HelpZutatMengeCoBo->setEditText(toQ(parts.amount));
  std::string unitName;
  if (ctx().units)
    ctx().units->GetUnitName(Trim(parts.unit), ReadLong(parts.amount) != 1, unitName);
  HelpZutatEinheitCoBo->setEditText(toQ(unitName));
  HelpZutatCoBo->clear();
  std::string code;
  if (ctx().units && ctx().units->ResolveUnitCode(unitName, code)) RefillIngredientCombo(code);
  HelpZutatCoBo->setEditText(toQ(parts.text));

  const ZUTAT_ADDS* ref = currentReference >= 1 ? quick.FindReference(currentReference) : nullptr;
  if (ref) {
    NotKListChk->setChecked(ref->notOnShoppingList != 0);
    UnbedeutendChk->setChecked(ref->grams == -1);
    GrammEdt->setText(ref->grams < 1 ? QString() : QString::number(ref->grams));
    blsCode = ref->blsCode;
    std::string name;
    if (!blsCode.empty() && ctx().foods && ctx().foods->FindBLSNameByKey(blsCode, &name))
      BLSStoffTxt->setText(toQ(name));
  } else {
    NotKListChk->setChecked(false);
    UnbedeutendChk->setChecked(false);
    GrammEdt->clear();
    blsCode.clear();
  }
  filling = 0;
}

void TQEditDlg::FillDescriptionList() {
  HelpLiBo->setSortingEnabled(false);
  HelpLiBo->clear();
  HelpLiBo->show();
  const auto& lines = quick.lines;
  const int last = static_cast<int>(lines.size()) - 1;
  int i = currentLine;
  while (i >= 0 && !lines[i].empty() && lines[i][0] == '-') --i;
  if (i >= 1 && i < last) HelpLiBo->addItem(toQ(lines[i]));
  for (int j = i + 1; j < last && !lines[j].empty() && lines[j][0] == '-'; ++j)
    HelpLiBo->addItem(toQ(lines[j].substr(1)));
}

void TQEditDlg::FillCategoryList() {
  const int scroll = HelpLiBo->verticalScrollBar()->value();
  HelpLiBo->setSortingEnabled(true);
  HelpLiBo->show();
  if (!categoryListFilled) {
    HelpLiBo->clear();
    if (ctx().categories) {
      std::vector<ListItem> items;
      ctx().categories->FillMainGattList(items);
      for (const ListItem& it : items) {
        auto* item = new QListWidgetItem(toQ(it.text));
        item->setData(Qt::UserRole, it.data);
        HelpLiBo->addItem(item);
      }
    }
    categoryListFilled = 1;
  }
  const std::string line = Trim(CurrentLineText());
  const std::string rest = line.size() > 2 ? line.substr(2) : std::string();
  std::vector<uint16_t> ids;
  std::vector<std::string> unknown;
  CategoryIdsFromNames(rest, ids, &unknown);
  if (!Trim(rest).empty()) {
    HelpLiBo->clearSelection();
    for (int r = 0; r < HelpLiBo->count(); ++r) {
      const int id = HelpLiBo->item(r)->data(Qt::UserRole).toInt();
      if (std::find(ids.begin(), ids.end(), id) != ids.end()) HelpLiBo->item(r)->setSelected(true);
    }
  }
  if (!unknown.empty()) {
    std::string warning = GetLangText(527);
    for (const std::string& w : unknown) warning += w + "\n";
    ShowWarning(warning);
  }
  HelpLiBo->verticalScrollBar()->setValue(scroll);
}

void TQEditDlg::HelpLiBoClick() {
  if (!categoryListFilled) return;
  const int scroll = HelpLiBo->verticalScrollBar()->value();
  // Names joined as the writer joins them, so that names holding blanks read back whole.
  std::string line = "G> ";
  int taken = 0;
  for (int r = 0; r < HelpLiBo->count() && taken < 10; ++r) {
    if (!HelpLiBo->item(r)->isSelected()) continue;
    line += (taken ? ", " : "") + fromQ(HelpLiBo->item(r)->text());
    ++taken;
  }
  QEditSetCommandLine(line);
  HelpLiBo->verticalScrollBar()->setValue(scroll);
}

void TQEditDlg::ShowRatingLine(int kind) {
  RatingSpace->show();
  const char* panel = kind == kQuickQuality ? "QualityPnl" : "DifficultyPnl";
  if (QWidget* w = QEditInfoPnl->findChild<QWidget*>(QString::fromLatin1(panel))) {
    // The one picture shown stands at the top of its room, which fits it.
    if (w->parentWidget() == RatingSpace) {
      w->move(w->x(), 4);
      RatingSpace->setFixedHeight(w->height() + 8);
    }
    w->show();
    w->raise();
  }
  const std::string line = Trim(CurrentLineText());
  const long n = ReadLong(Trim(line.size() > 2 ? line.substr(2) : std::string()));
  const char rating = static_cast<char>('0' + std::clamp<long>(n, 0, 5));
  if (editRecipe) (kind == kQuickQuality ? editRecipe->quality : editRecipe->difficulty) = rating;
  if (!NEditDlg) return;
  if (kind == kQuickQuality)
    NEditDlg->ShowQualityStars(rating);
  else
    NEditDlg->ShowDifficultyStars(rating);
}

// Changing lines -------------------------------------------------------------------------------

void TQEditDlg::QEditSetCommandLine(const std::string& line) {
  if (currentLine < 0 || currentLine >= static_cast<int>(quick.lines.size())) return;
  quick.lines[currentLine] = line;
  QTextCursor caret = TextRtf->textCursor();
  const int offset = caret.position();
  QTextCursor c(TextRtf->document()->findBlockByNumber(currentLine));
  c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  c.insertText(toQ(line));
  caret.setPosition(std::min(offset, TextRtf->document()->characterCount() - 1));
  TextRtf->setTextCursor(caret);
}

void TQEditDlg::QEditInsertCommand(const std::string& command) {
  CaretToLine();
  quick.SplitQuickTextLines(fromQ(FieldText(TextRtf)));
  std::string line = CurrentLineText();
  if (command.size() == 1) {
    if (!line.empty() && (line[0] == '*' || line[0] == '-'))
      line[0] = command[0];
    else
      line = command + line;
  } else if (line.size() >= 2 && line[1] == '>') {
    line[0] = command[0];
  } else {
    line = line.empty() ? command + " " : command + " " + line;
  }
  QEditSetCommandLine(line);
  TextRtf->setFocus();
}

void TQEditDlg::QEditRebuildIngredientLine() {
  std::string line = Trim(Text(HelpZutatMengeCoBo));
  if (!line.empty()) line += " ";
  const std::string unitText = Text(HelpZutatEinheitCoBo);
  std::string code;
  if (!ctx().units || !ctx().units->ResolveUnitCode(unitText, code)) code = unitText;
  // A unit name holding a blank would read back by its first word only: the code stands in.
  if (!code.empty()) line += (unitText.find(' ') == std::string::npos ? unitText : code) + " ";
  line += Text(HelpZutatCoBo);

  const std::string gramsText = Trim(fromQ(GrammEdt->text()));
  const bool hidden = !blsCode.empty() || !gramsText.empty() || NotKListChk->isChecked() ||
                      UnbedeutendChk->isChecked();
  if (hidden) {
    int32_t grams = static_cast<int32_t>(ReadLong(gramsText));
    if (grams <= 0 && UnbedeutendChk->isChecked()) grams = -1;
    ZUTAT_ADDS* ref = quick.FindReference(currentReference);
    if (!ref) currentReference = 0;
    const uint8_t flag = NotKListChk->isChecked() ? 1 : 0;
    if (ref) {
      ref->blsCode = blsCode;
      ref->grams = grams;
      ref->notOnShoppingList = flag;
    } else {
      currentReference = quick.NextReference();
      quick.references.push_back({currentReference, blsCode, grams, flag});
    }
    line += kTagLead + std::to_string(currentReference) + "]";
  } else {
    std::erase_if(quick.references,
                  [this](const ZUTAT_ADDS& a) { return a.reference == currentReference; });
  }
  busy = 1;
  QEditSetCommandLine(line);
  busy = 0;
}

void TQEditDlg::HelpZutatMengeCoBoChange() {
  if (!filling) QEditRebuildIngredientLine();
}

void TQEditDlg::HelpZutatEinheitCoBoChange() {
  std::string code;
  if (ctx().units && ctx().units->ResolveUnitCode(Text(HelpZutatEinheitCoBo), code)) {
    RefillIngredientCombo(code);
    HelpErrorTxt->hide();
  } else {
    ShowWarning(GetLangText(525));
  }
  if (!filling) QEditRebuildIngredientLine();
}

void TQEditDlg::HelpZutatEinheitCoBoExit() {
  std::string code;
  if (ctx().units && ctx().units->ResolveUnitCode(Text(HelpZutatEinheitCoBo), code))
    RefillIngredientCombo(code);
}

void TQEditDlg::GrammEdtChange() {
  if (!filling) QEditRebuildIngredientLine();
}

void TQEditDlg::NotKListChkClick() {
  if (filling) return;
  QEditRebuildIngredientLine();
  TextRtf->setFocus();
}

void TQEditDlg::UnbedeutendChkClick() {
  if (UnbedeutendChk->isChecked()) {
    const QSignalBlocker block(GrammEdt);
    GrammEdt->clear();
  }
  if (filling) return;
  QEditRebuildIngredientLine();
  TextRtf->setFocus();
}

void TQEditDlg::BLSBtnClick() {
  const std::string ingredient = Trim(Text(HelpZutatCoBo));
  std::string key, name;
  uint8_t notOnList = 0;
  if (blsCode.empty() && ctx().ingredients &&
      ctx().ingredients->GetZutatBLSKey(ingredient, key, notOnList)) {
    blsCode = key;
    if (!blsCode.empty() && ctx().foods && ctx().foods->FindBLSNameByKey(blsCode, &name))
      BLSStoffTxt->setText(toQ(name));
  } else if (chooseFood ? chooseFood(ingredient, key, name)
                        : BLSChooseDlg && BLSChooseDlg->ChooseFoodFor(ingredient, key, name)) {
    blsCode = key;
    BLSStoffTxt->setText(toQ(name));
  }
  QEditRebuildIngredientLine();
  TextRtf->setFocus();
}

void TQEditDlg::DelBLSBtnClick() {
  blsCode.clear();
  BLSStoffTxt->clear();
  QEditRebuildIngredientLine();
  TextRtf->setFocus();
}

// Pasting --------------------------------------------------------------------------------------

void TQEditDlg::QEditPastePlain(bool paste) {
  busy = 1;
  Clipboard* clip = ctx().clipboard;
  if (clip && ctx().options && ctx().options->Flag(78)) {
    CopyTxt->clear();
    CopyTxt->setPlainText(toQ(clip->Text()));
    clip->SetText(fromQ(CopyTxt->toPlainText()));
  }
  if (paste && clip) TextRtf->insertPlainText(toQ(clip->Text()));
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(10);
  TextRtf->setFont(font);
  TextRtf->setTextColor(Qt::black);
  TextRtf->setFocus();
  busy = 0;
}

}  // namespace tav
