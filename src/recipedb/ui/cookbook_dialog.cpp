#include "recipedb/ui/cookbook_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/index_file.h"
#include "recipedb/ui/book_background_view.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/context_list_box.h"
#include "services/ui/file_dialog_filter.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"
#include "services/ui/named_controls.h"

namespace tav {

TKBookDlg* KBookDlg = nullptr;

namespace {

std::string DataFolder() { return ctx().options ? ctx().options->Str(2) : std::string(); }

// Letters A-Z and a-z, digits, '-', blanks and the German umlauts and ß.
bool BookNameAllowed(const std::string& name) {
  return std::all_of(name.begin(), name.end(), [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           c == '-' || c == ' ' || c == 0xC4 || c == 0xD6 || c == 0xDC || c == 0xDF ||
           c == 0xE4 || c == 0xF6 || c == 0xFC;
  });
}

}  // namespace

TKBookDlg::TKBookDlg(QWidget* parent) : QDialog(parent) {
  KBookDlg = this;
  setObjectName(QStringLiteral("KBookDlg"));
  setWindowTitle(toQ("Verwaltung der Kochb\xFC" "cher"));
  setModal(true);

  KBookTxt = Captioned<QLabel>(this, "KBookTxt", "Vorhandene Kochb\xFC" "cher:");
  KBookLiBo = Named<TContextListBox>(this, "KBookLiBo");
  KBookTxt->setBuddy(KBookLiBo);
  ActionTxt = Named<QGroupBox>(this, "ActionTxt");
  AktBookTxt = Captioned<QLabel>(ActionTxt, "AktBookTxt", "Name:");
  AktBookEdt = Named<QLineEdit>(ActionTxt, "AktBookEdt");
  AktBookEdt->setMaxLength(250);
  AktBookTxt->setBuddy(AktBookEdt);
  DescBookTxt = Captioned<QLabel>(ActionTxt, "DescBookTxt", "Kurze Umschreibung:");
  DescBookEdt = Named<QLineEdit>(ActionTxt, "DescBookEdt");
  DescBookTxt->setBuddy(DescBookEdt);
  ToolBookChk = Captioned<QCheckBox>(ActionTxt, "ToolBookChk", "in Toolbar-Leiste als Buch anzeigen");
  BackPicTxt = Captioned<QLabel>(ActionTxt, "BackPicTxt", "Name Hintergrundbild (z.B.: Backen.bmp):");
  BackPicEdt = Named<QLineEdit>(ActionTxt, "BackPicEdt");
  BackPicTxt->setBuddy(BackPicEdt);
  BackPicBtn = Captioned<QToolButton>(ActionTxt, "BackPicBtn", "...");
  overtakeBtn = Captioned<QPushButton>(ActionTxt, "overtakeBtn", "&\xDC" "bernehmen");
  NewBtn = Captioned<QPushButton>(this, "NewBtn", "&Neu");
  DelBtn = Captioned<QPushButton>(this, "DelBtn", "&L\xF6" "schen");
  kBookOrderBtn = Captioned<QPushButton>(this, "kBookOrderBtn", "L\xF6" "schreihenfolge bei Doppelsuche");
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Schlie\xDF" "en");
  HelpBtn = Captioned<QToolButton>(this, "HelpBtn", "?");
  // "Übernehmen" is the default button while it shows (Enter in a field applies the edits); no
  // other button takes Enter.
  for (QPushButton* b : {overtakeBtn, NewBtn, DelBtn, kBookOrderBtn, CancelBtn})
    b->setAutoDefault(false);

  auto* fields = new QGridLayout(ActionTxt);
  fields->addWidget(AktBookTxt, 0, 0, 1, 2);
  fields->addWidget(AktBookEdt, 1, 0, 1, 2);
  fields->addWidget(DescBookTxt, 2, 0, 1, 2);
  fields->addWidget(DescBookEdt, 3, 0, 1, 2);
  fields->addWidget(ToolBookChk, 4, 0, 1, 2);
  fields->addWidget(BackPicTxt, 5, 0, 1, 2);
  fields->addWidget(BackPicEdt, 6, 0);
  fields->addWidget(BackPicBtn, 6, 1);
  fields->setRowMinimumHeight(7, 8);
  fields->setRowStretch(7, 1);
  fields->addWidget(overtakeBtn, 8, 0, 1, 2, Qt::AlignRight);

  auto* left = new QVBoxLayout;
  left->addWidget(KBookTxt);
  left->addWidget(KBookLiBo, 1);
  auto* listButtons = new QHBoxLayout;
  listButtons->addWidget(NewBtn);
  listButtons->addWidget(DelBtn);
  listButtons->addStretch(1);
  left->addLayout(listButtons);
  auto* right = new QVBoxLayout;
  right->addWidget(ActionTxt, 1);
  right->addWidget(kBookOrderBtn, 0, Qt::AlignRight);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 1);
  top->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {CancelBtn}));

  // Filling and selecting from code block the list's signals: only the user's choice counts.
  // A mouse press or a key moves the current row first and the selection after it: the choice
  // is made once the selection follows.
  connect(KBookLiBo, &QListWidget::itemSelectionChanged, this, [this] { KBookLiBo2Click(); });
  connect(NewBtn, &QPushButton::clicked, this, [this] { NewBtnClick(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(overtakeBtn, &QPushButton::clicked, this, [this] { overtakeBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { reject(); });
  connect(kBookOrderBtn, &QPushButton::clicked, this, [this] { kBookOrderBtnClick(); });
  connect(BackPicBtn, &QToolButton::clicked, this, [this] { BackPicBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(AktBookEdt, &QLineEdit::textChanged, this, [this] { AktBookEdtChange(); });
  connect(DescBookEdt, &QLineEdit::textChanged, this, [this] { DescBookEdtChange(); });
  connect(BackPicEdt, &QLineEdit::textChanged, this, [this] { DescBookEdtChange(); });
  connect(ToolBookChk, &QCheckBox::toggled, this, [this] { ToolBookChkClick(); });

  chooseBackgroundPicture = [this](std::string& path) {
    QFileDialog dialog(this, toQ(GetLangText(650)), toQ(DataFolder()));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(FileDialogFilters(GetLangText(651)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = fromQ(dialog.selectedFiles().front());
    return true;
  };

  ctx().books = this;
  ScanKBooks();
  ShowOvertake(false);
  if (LangDlg) LangDlg->TranslateForm(this);
}

TKBookDlg::~TKBookDlg() {
  if (ctx().books == this) ctx().books = nullptr;
  if (KBookDlg == this) KBookDlg = nullptr;
}

void TKBookDlg::BookSelected(const KBOOK& book) {
  if (BookBackgroundView* view = BookBackground()) view->LoadViewBackground(book.backgroundPicture);
}

// ---------------------------------------------------------------------------------------------
// Lists and combo boxes of books

void TKBookDlg::BooksChanged() {
  FillKBookLiBo();
  BuildKBookMenus();
}

void TKBookDlg::FillKBookLiBo() {
  const QSignalBlocker quiet(KBookLiBo);
  const int selected = KBookLiBo->currentRow();
  KBookLiBo->clear();
  for (size_t i = 0; i < books_.size(); ++i) {
    KBookLiBo->addItem(toQ(books_[i].name));
    KBookLiBo->SetItemData(static_cast<int>(i), static_cast<int>(i));
  }
  if (selected >= 0 && KBookLiBo->count() > 0)
    KBookLiBo->setCurrentRow(std::min(selected, KBookLiBo->count() - 1));
  DelBtn->setEnabled(books_.size() >= 2);
}

void TKBookDlg::FillKBookCombo(QComboBox* combo, const std::string& name) const {
  if (!combo) return;
  combo->clear();
  int chosen = books_.empty() ? -1 : 0;
  for (size_t i = 0; i < books_.size(); ++i) {
    combo->addItem(toQ(books_[i].name));
    if (books_[i].name == name) chosen = static_cast<int>(i);
  }
  combo->setCurrentIndex(chosen);
}

void TKBookDlg::FillKBookList(QListWidget* list) const {
  if (!list) return;
  list->clear();
  for (const KBOOK& b : books_) list->addItem(toQ(b.name));
  if (list->count() > 0) list->setCurrentRow(0);
}

int TKBookDlg::SelectedBook() const {
  const int row = KBookLiBo->currentRow();
  if (row < 0 || !KBookLiBo->item(row)->isSelected()) return -1;
  const int position = KBookLiBo->GetItemData(row);
  return position >= 0 && position < static_cast<int>(books_.size()) ? position : -1;
}

void TKBookDlg::SelectBookItem(const std::string& name) {
  const QSignalBlocker quiet(KBookLiBo);
  KBookLiBo->ClearSelection();
  for (int i = 0; i < KBookLiBo->count(); ++i) {
    if (fromQ(KBookLiBo->item(i)->text()) != name) continue;
    KBookLiBo->setCurrentRow(i);
    return;
  }
}

// ---------------------------------------------------------------------------------------------
// Fields and edits

void TKBookDlg::ShowBook(const KBOOK* book) {
  filling_ = true;
  AktBookEdt->setText(book ? toQ(book->name) : QString());
  DescBookEdt->setText(book ? toQ(book->description) : QString());
  BackPicEdt->setText(book ? toQ(book->backgroundPicture) : QString());
  ToolBookChk->setChecked(book ? book->toolbarFlag != 0 : true);
  filling_ = false;
}

void TKBookDlg::ClearEdits() {
  nameEdited_ = descEdited_ = toolEdited_ = false;
  ShowOvertake(false);
}

void TKBookDlg::ShowOvertake(bool on) {
  overtakeBtn->setVisible(on);
  overtakeBtn->setDefault(on);
}

void TKBookDlg::SetAction(int text) { ActionTxt->setTitle(toQ(GetLangText(text))); }

void TKBookDlg::AktBookEdtChange() {
  if (filling_) return;
  nameEdited_ = true;
  ShowOvertake(true);
}

void TKBookDlg::DescBookEdtChange() {
  if (filling_) return;
  descEdited_ = true;
  ShowOvertake(true);
}

void TKBookDlg::ToolBookChkClick() {
  if (filling_) return;
  toolEdited_ = true;
  ShowOvertake(true);
}

// ---------------------------------------------------------------------------------------------
// Showing and closing

void TKBookDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TKBookDlg::FormShow() {
  const bool none = current_ < 0 || current_ >= static_cast<int>(books_.size());
  newBook_ = none;
  SetAction(none ? 364 : 365);
  ShowBook(none ? nullptr : &books_[static_cast<size_t>(current_)]);
  ClearEdits();
  AktBookEdt->setFocus();
  if (none) {
    const QSignalBlocker quiet(KBookLiBo);
    KBookLiBo->ClearSelection();
  } else {
    SelectBookItem(books_[static_cast<size_t>(current_)].name);
  }
  CenterOnForm(this);
}

void TKBookDlg::done(int result) {
  FormClose();
  QDialog::done(result);
}

void TKBookDlg::FormClose() {
  MainWindowAccess* main = MainWindow();
  const std::string open = ctx().options ? ctx().options->Str(6) : std::string();
  const bool openListed = std::any_of(books_.begin(), books_.end(),
                                      [&](const KBOOK& b) { return b.name == open; });
  if (main && !openListed && !books_.empty()) main->OpenBook(books_.front().name);
  if (!ApplyKBookChanges(true)) return;
  // A book deleted or a new one not applied leaves no current book: the open one stays open.
  if (main && current_ >= 0 && current_ < static_cast<int>(books_.size()))
    main->OpenBook(books_[static_cast<size_t>(current_)].name);
  if (main) {
    main->RefreshMainTitle();
    main->UpdateBookButtons(true);
  }
}

// ---------------------------------------------------------------------------------------------
// Commands

void TKBookDlg::KBookLiBo2Click() {
  const int row = KBookLiBo->currentRow();
  if (row < 0 || !KBookLiBo->item(row)->isSelected()) return;  // the choice is not made yet
  if (!ApplyKBookChanges(false)) {
    // The fields still show the book whose edits were refused.
    if (current_ >= 0 && current_ < static_cast<int>(books_.size()))
      SelectBookItem(books_[static_cast<size_t>(current_)].name);
    return;
  }
  SetAction(365);
  newBook_ = false;
  const int position = SelectedBook();
  if (position >= 0) {
    current_ = position;
    ShowBook(&books_[static_cast<size_t>(position)]);
  }
  ClearEdits();
}

void TKBookDlg::NewBtnClick() {
  if (!ApplyKBookChanges(true)) return;
  newBook_ = true;
  current_ = -1;
  SetAction(364);
  ShowBook(nullptr);
  {
    const QSignalBlocker quiet(KBookLiBo);
    KBookLiBo->ClearSelection();
  }
  AktBookEdt->setFocus();
  ClearEdits();
}

bool TKBookDlg::ApplyKBookChanges(bool reselect) {
  if (!HasEdits()) return true;
  KBOOK typed;
  typed.name = fromQ(AktBookEdt->text()).substr(0, 249);
  typed.description = fromQ(DescBookEdt->text()).substr(0, 249);
  typed.backgroundPicture = fromQ(BackPicEdt->text()).substr(0, 249);
  typed.toolbarFlag = ToolBookChk->isChecked() ? 1 : 0;
  if (typed.name.empty()) {
    ClearEdits();
    return true;
  }
  // A refused name keeps the edits, so the user can mend the name.
  if (!BookNameAllowed(typed.name)) {
    MessageBox(GetLangText(165), GetLangText(15), MB_OK | MB_ICONERROR);
    return false;
  }
  const int count = static_cast<int>(books_.size());
  bool isNew = current_ < 0 || current_ >= count;
  for (int i = 0; i < count; ++i)
    if (books_[static_cast<size_t>(i)].name == typed.name) {
      current_ = i;
      isNew = false;
    }
  if (!isNew) {
    KBOOK& book = books_[static_cast<size_t>(current_)];
    if (book.name != typed.name) {
      if (!RenameKBookFiles(book.name, typed.name)) return false;
      // The main window reads the open book's files under its name.
      if (ctx().options && ctx().options->Str(6) == book.name)
        ctx().options->SetParaString(6, typed.name);
    }
    typed.bookId = book.bookId;
    book = typed;
    SortKBooks();
  } else {
    // A book that cannot be made is not listed; the name stays for the user to mend.
    if (!CreateKBook(typed)) {
      current_ = -1;
      return false;
    }
    if (MainWindowAccess* main = MainWindow()) main->OpenBook(typed.name);
  }
  WriteDescriptionFile(BookFileIn(DataFolder(), typed.name, ".inf"), typed);
  BooksChanged();
  if (reselect) {
    SelectBookItem(typed.name);
    for (size_t i = 0; i < books_.size(); ++i)
      if (books_[i].name == typed.name) current_ = static_cast<int>(i);
  }
  SetAction(167);
  newBook_ = false;
  ClearEdits();
  return true;
}

void TKBookDlg::DelBtnClick() {
  const int position = SelectedBook();
  if (position < 0) return;
  if (MessageBox(GetLangText(168), GetLangText(56), MB_YESNO | MB_ICONERROR) != IDYES) return;
  RemoveKBook(position);
  BooksChanged();
  newBook_ = true;
  SetAction(169);
  ShowBook(nullptr);
  {
    const QSignalBlocker quiet(KBookLiBo);
    KBookLiBo->ClearSelection();
  }
  AktBookEdt->setFocus();
  ClearEdits();
}

void TKBookDlg::BackPicBtnClick() {
  std::string path;
  if (!chooseBackgroundPicture || !chooseBackgroundPicture(path)) return;
  // The empty view looks for the picture in the data folder.
  std::string name;
  if (!TakeFileIntoFolder(path, DataFolder(), name)) return;
  BackPicEdt->setText(toQ(name));
}

void TKBookDlg::kBookOrderBtnClick() {
  if (MainWindowAccess* main = MainWindow()) main->ShowOptionsWindow(9);
}

void TKBookDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_KBook.htm");
}

// ---------------------------------------------------------------------------------------------
// Book menus

void TKBookDlg::BuildKBookMenus() {
  MainWindowAccess* main = MainWindow();
  if (!main) return;
  std::string tick = ctx().options ? ctx().options->Str(6) : std::string();
  if (!ctx().options || !FileExists(BookFileIn(ctx().options->Str(2), tick, ".inf")))
    tick = books_.empty() ? std::string() : books_.front().name;
  for (const BookMenuKind kind : {BookMenuKind::Open, BookMenuKind::MoveRecipe,
                                  BookMenuKind::CopyRecipe, BookMenuKind::MoveMarked,
                                  BookMenuKind::CopyMarked}) {
    QMenu* menu = main->BookMenu(kind);
    if (!menu) continue;
    // The items there are take the books in list order; only missing ones are made and
    // surplus ones go, so a rebuild after a small change costs little.
    std::vector<QAction*> items = MainWindowAccess::BookMenuItems(menu);
    for (size_t i = books_.size(); i < items.size(); ++i) {
      menu->removeAction(items[i]);
      items[i]->deleteLater();  // the item may be the one whose click is running
    }
    for (size_t i = 0; i < books_.size(); ++i) {
      const KBOOK& book = books_[i];
      QAction* item = i < items.size() ? items[i] : nullptr;
      if (!item) {
        item = new QAction(menu);
        item->setProperty("bookItem", true);
        item->setCheckable(kind == BookMenuKind::Open);
        QObject::connect(item, &QAction::triggered, main->FrameWidget(), [main, kind, item] {
          main->BookMenuClick(kind, fromQ(item->data().toString()));
        });
        menu->addAction(item);
      }
      QString caption = toQ(book.name);
      caption.replace(QLatin1Char('&'), QLatin1String("&&"));
      item->setText(caption);
      item->setData(toQ(book.name));
      item->setToolTip(toQ(book.description));
      item->setStatusTip(toQ(book.description));
      if (kind == BookMenuKind::Open) item->setChecked(book.name == tick);
    }
  }
}

}  // namespace tav
