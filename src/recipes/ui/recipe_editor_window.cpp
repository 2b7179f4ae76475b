#include "recipes/ui/recipe_editor_window.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "pictures/ui/picture_loader.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_list_view.h"
#include "recipedb/recipe_store.h"
#include "recipedb/servings.h"
#include "recipes/recipe_edit.h"
#include "recipes/recipe_picture.h"
#include "recipes/ui/edit_additional_page_window.h"
#include "recipes/ui/edit_other_page_window.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/ingredient_lines_window.h"
#include "recipes/ui/lexicon_access.h"
#include "recipes/ui/quick_entry_page_window.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/file_dialog_filter.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"
#include "services/ui/tips_access.h"

namespace tav {

TEditRezDlg* EditRezDlg = nullptr;

namespace {

QAction* NamedAction(QMenu* menu, const char* name, const char* text) {
  QAction* a = menu->addAction(toQ(text));
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

// The file-type index last chosen in the picture dialog (1-based), kept for the run.
int pictureFilterIndex = 1;

// Height of the picture buttons' row below the picture frame.
constexpr int kPictureButtonRow = 29;

bool OptionFlag(int id) {
  return ctx().options && ctx().options->Flag(id);
}

}  // namespace

TEditRezDlg::TEditRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  EditRezDlg = this;
  setObjectName(QStringLiteral("EditRezDlg"));
  setWindowTitle(toQ("Rezept bearbeiten"));

  EditPnl = Named<QWidget>(this, "EditPnl");
  auto* pageLayout = new QVBoxLayout(EditPnl);
  pageLayout->setContentsMargins(0, 0, 0, 0);

  // The picture panel: frame and "no picture" label on the same spot, buttons below. The page
  // that borrows it gives it its size; the children follow in eventFilter.
  ImagePnl = Named<QWidget>(this, "ImagePnl");
  ImagePnl->hide();
  ImagePnl->installEventFilter(this);
  ImgGrp = Named<QFrame>(ImagePnl, "ImgGrp");
  ImgGrp->setFrameShape(QFrame::StyledPanel);
  ImgGrp->setFrameShadow(QFrame::Sunken);
  ImgGrp->setAutoFillBackground(true);
  QPalette white = ImgGrp->palette();
  white.setColor(QPalette::Window, Qt::white);
  ImgGrp->setPalette(white);
  ImgGrp->installEventFilter(this);
  RezImg = Named<QLabel>(ImgGrp, "RezImg");
  RezImg->setCursor(Qt::PointingHandCursor);
  RezImg->installEventFilter(this);
  BmpTitleTxt = Named<QLabel>(ImagePnl, "BmpTitleTxt");
  BmpTitleTxt->setAlignment(Qt::AlignCenter);
  BmpTitleTxt->setFrameShape(QFrame::StyledPanel);
  BmpTitleTxt->setFrameShadow(QFrame::Sunken);
  PicAddBtn = Named<QPushButton>(ImagePnl, "PicAddBtn");
  PicAddBtn->setText(toQ("&Zuweisen"));
  PicEditBtn = Named<QPushButton>(ImagePnl, "PicEditBtn");
  PicEditBtn->setText(toQ("Bea&rbeiten"));
  PicDelBtn = Named<QPushButton>(ImagePnl, "PicDelBtn");
  PicDelBtn->setText(toQ("L\xF6schen"));

  EditMnuPnl = Named<QWidget>(this, "EditMnuPnl");
  ShowModiTab = Named<QTabBar>(EditMnuPnl, "ShowModiTab");
  ShowModiTab->setShape(QTabBar::RoundedSouth);
  ShowModiTab->setDrawBase(false);
  ShowModiTab->setExpanding(false);
  // A narrow editor shortens the tab captions rather than push a tab out of sight.
  ShowModiTab->setUsesScrollButtons(false);
  ShowModiTab->setElideMode(Qt::ElideRight);
  for (const char* tab :
       {"Standard-Eingabe", "Schnell-Erfassung", "Zus\xE4tzliche Angaben zum Rezept", "Sonstiges"})
    ShowModiTab->addTab(toQ(tab));
  ButtonPnl = Named<QWidget>(EditMnuPnl, "ButtonPnl");
  HilfeBtn = Named<QToolButton>(ButtonPnl, "HilfeBtn");
  HilfeBtn->setText(QStringLiteral("?"));
  HilfeBtn->setAutoRaise(true);
  OKBtn = Named<QPushButton>(ButtonPnl, "OKBtn");
  OKBtn->setText(
      toQ("\xDC"
          "berne&hmen"));
  OKBtn->setDefault(true);
  CancelBtn = Named<QPushButton>(ButtonPnl, "CancelBtn");
  CancelBtn->setText(toQ("&Abbrechen"));

  auto* buttons = new QHBoxLayout(ButtonPnl);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addWidget(HilfeBtn);
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* strip = new QHBoxLayout(EditMnuPnl);
  strip->setContentsMargins(4, 0, 4, 4);
  strip->addWidget(ShowModiTab, 0, Qt::AlignTop);
  strip->addStretch(1);
  strip->addWidget(ButtonPnl, 0, Qt::AlignVCenter);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(EditPnl, 1);
  layout->addWidget(EditMnuPnl);

  PopupMnu = new QMenu(this);
  PopupMnu->setObjectName(QStringLiteral("PopupMnu"));
  changeQEditModeMnu = NamedAction(PopupMnu, "changeQEditModeMnu", "Quick-Edit-Modus wechseln");
  saveRezeptMnu = NamedAction(PopupMnu, "saveRezeptMnu", "Rezept speichern und Eingabe beenden");
  PopupMnu->addSeparator();
  showLexikonMnu =
      NamedAction(PopupMnu, "showLexikonMnu", "Passende Lexikon-Eintragungen anzeigen");
  PopupMnu->addSeparator();
  HelpBtn = NamedAction(PopupMnu, "HelpBtn", "&Hilfe zur Rezepteingabe");
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMnu->popup(mapToGlobal(at)); });

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(HilfeBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(saveRezeptMnu, &QAction::triggered, this, [this] { OKBtnClick(); });
  connect(showLexikonMnu, &QAction::triggered, this, [this] { showLexikonMnuClick(); });
  connect(HelpBtn, &QAction::triggered, this, [this] { PopupMnuClick(); });
  connect(ShowModiTab, &QTabBar::currentChanged, this, [this](int index) {
    if (!changingTabs_) ShowModiTabChange(index);
  });
  connect(PicAddBtn, &QPushButton::clicked, this, [this] { PicAddBtnClick(); });
  connect(PicEditBtn, &QPushButton::clicked, this, [this] { PicEditBtnClick(); });
  connect(PicDelBtn, &QPushButton::clicked, this, [this] { PicDelBtnClick(); });

  choosePictureFile = [this](std::string& path) {
    const QStringList filters = FileDialogFilters(GetLangText(5));
    QFileDialog dialog(this, toQ(GetLangText(400)));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (pictureFilterIndex >= 1 && pictureFilterIndex <= filters.size())
      dialog.selectNameFilter(filters[pictureFilterIndex - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    pictureFilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    path = fromQ(dialog.selectedFiles().front());
    return true;
  };
  FormCreate();
}

TEditRezDlg::~TEditRezDlg() {
  if (EditRezDlg == this) EditRezDlg = nullptr;
}

void TEditRezDlg::FormCreate() {
  // Translating refills the tab strip; that is no change of page.
  changingTabs_ = true;
  if (LangDlg) {
    LangDlg->TranslateForm(this);
    LangDlg->TranslateMenu("EditRezDlg", PopupMnu);
  }
  changingTabs_ = false;
  int mode = 1;
  if (ctx().userSettings) {
    const long stored = ReadLong(ctx().userSettings->Read(kRegParam, "QEditMode", "1"));
    if (stored >= 1 && stored <= 4) mode = static_cast<int>(stored);
  }
  SetEditMode(mode);
  changingTabs_ = true;
  const bool unsupported = ctx().userSettings && ReadLong(ctx().userSettings->Read(
                                                     kRegParam, "UnsupportedItemsEdit", "0")) != 0;
  if (!unsupported && ShowModiTab->count() > 3) ShowModiTab->removeTab(3);
  changingTabs_ = false;
  ShowPictureControls();
}

bool TEditRezDlg::SearchMode() const {
  return ctx().recipeList && ctx().recipeList->IsSearchMode();
}

// ---------------------------------------------------------------------------------------------
// Pages

void TEditRezDlg::StorePage(int mode) {
  switch (mode) {
    case 1:
      if (NEditDlg) NEditDlg->NEditStoreRez();
      break;
    case 2:
      if (QEditDlg) QEditDlg->QEditStoreRez();
      break;
    case 3:
      if (ZEditDlg) ZEditDlg->ZEditStoreRez();
      break;
    case 4:
      if (AEditDlg) AEditDlg->AEditStoreRez();
      break;
    default:
      break;
  }
}

void TEditRezDlg::LoadPage(int mode) {
  switch (mode) {
    case 1:
      if (NEditDlg) NEditDlg->NEditLoadRez(&WorkRecipe);
      break;
    case 2:
      // The quick entry page shows the standard page's rating pictures on its panel.
      if (NEditDlg) NEditDlg->PlaceRatingPanels(true);
      if (QEditDlg) QEditDlg->QEditLoadRez(&WorkRecipe);
      ShowRecipePicture();
      break;
    case 3:
      if (ZEditDlg) ZEditDlg->ZEditLoadRez(&WorkRecipe);
      break;
    case 4:
      if (AEditDlg) AEditDlg->AEditLoadRez(&WorkRecipe);
      break;
    default:
      break;
  }
}

void TEditRezDlg::ShowPage(int mode) {
  switch (mode) {
    case 1:
      if (NEditDlg) NEditDlg->NEditShowPage();
      break;
    case 2:
      if (QEditDlg) {
        QEditDlg->QEditShowPage();
        FitPicture();
      }
      break;
    case 3:
      if (ZEditDlg) ZEditDlg->ZEditShowPage();
      break;
    case 4:
      if (AEditDlg) AEditDlg->AEditShowPage();
      break;
    default:
      break;
  }
}

void TEditRezDlg::CheckModeItem(int mode, bool checked) {
  static const char* const kItems[] = {"NEditMnu", "QEditMnu", "ZEditMnu", "ZEditMnu"};
  MainWindowAccess* main = MainWindow();
  if (mode < 1 || mode > 4 || !main) return;
  // Mode 4 has no item of its own: it unchecks the item of mode 3 and checks none.
  if (checked && mode == 4) return;
  if (QAction* item = main->Action(kItems[mode - 1])) {
    item->setCheckable(true);
    item->setChecked(checked);
  }
}

void TEditRezDlg::LoadEditPages() {
  if (EditZutatDlg) EditZutatDlg->SetIngredientListRecipe(&WorkRecipe);
  LoadPage(EditMode);
}

void TEditRezDlg::SetEditMode(int mode) {
  if (mode < 1 || mode > 4) return;
  if (EditMode >= 1) {
    StorePage(EditMode);
    CheckModeItem(EditMode, false);
  }
  EditMode = mode;
  LoadPage(mode);
  ShowPage(mode);
  CheckModeItem(mode, true);
  // The tab strip follows a change from the main menu, so that its tabs always lead elsewhere.
  if (mode - 1 < ShowModiTab->count()) {
    changingTabs_ = true;
    ShowModiTab->setCurrentIndex(mode - 1);
    changingTabs_ = false;
  }
  if (ctx().userSettings)
    ctx().userSettings->WriteString(kRegParam, "QEditMode", std::to_string(mode));
  if (auto* main = MainWindow()) main->UpdateClipboardMenu();
}

void TEditRezDlg::ShowModiTabChange(int index) {
  SetEditMode(index + 1);
}

// ---------------------------------------------------------------------------------------------
// Showing, loading, new recipe

void TEditRezDlg::ShowEditView(bool show) {
  if (auto* main = MainWindow())
    main->ShowEditView(this, show);
  else
    setVisible(show);
  if (!show) return;
  ShowPage(EditMode);
  if (EditMode == 1 && NEditDlg) NEditDlg->TitelEdt->setFocus();
  if (EditMode == 2 && QEditDlg) QEditDlg->TextRtf->setFocus();
}

void TEditRezDlg::LoadRecipeForEdit(int listIndex) {
  ListIndex = listIndex;
  TdbList* store = ctx().dbList;
  if (SearchMode()) {
    REZINDEX entry;
    if (store && store->GetSearchEntry(entry, listIndex)) {
      store->ReadRezBlockByKey(entry.bookId, entry.number, WorkRecipe);
      RecipeBookId = entry.bookId;
      RecipeNumber = entry.number;
      LoadedFlags = entry.flags;
    }
  } else {
    RecipeBookId = ctx().books ? ctx().books->GetAktKBookId() : (store ? store->BookId() : 0);
    REZINDEX entry;
    if (store && store->GetListEntry(entry, listIndex)) {
      store->ReadRezBlock("", nullptr, listIndex, WorkRecipe);
      LoadedFlags = entry.flags;
      RecipeNumber = entry.number;
    }
  }
  IsNewRecipe = false;
  PrepareLoadedRecipe(WorkRecipe);
  LoadedRecipe = WorkRecipe;
  HasPicture = WorkRecipe.pictures.empty() ? 0 : 1;
  NewPicturePath.clear();
  PictureRemoved = 0;
  ShowPictureControls();
  LoadEditPages();
  ShowPictureControls();
  if (EditZutatDlg) EditZutatDlg->UpdateLineButtons();
}

void TEditRezDlg::NewRecipe() {
  ListIndex = -1;
  IsNewRecipe = true;
  // A new recipe is neither marked nor a menu, whatever was edited before.
  LoadedFlags = 0;
  RecipeNumber = 0;
  ResetNewRecipe(WorkRecipe);
  FillNewRecipe(WorkRecipe);
  HasPicture = 0;
  NewPicturePath.clear();
  PictureRemoved = 0;
  picture_ = QImage();
  ShowPictureControls();
  if (EditZutatDlg) EditZutatDlg->SetIngredientListRecipe(&WorkRecipe);
  LoadEditPages();
  // A new recipe nobody has typed into is no change: the reference is what the page gives
  // back of it.
  StorePage(EditMode);
  LoadedRecipe = WorkRecipe;
  if (EditZutatDlg) EditZutatDlg->UpdateLineButtons();
}

// ---------------------------------------------------------------------------------------------
// Change test, save question, saving

bool TEditRezDlg::IsRecipeModified() {
  StorePage(EditMode);
  PendingPicture picture;
  picture.removed = PictureRemoved != 0;
  picture.chosenPath = NewPicturePath;
  return RecipeChanged(WorkRecipe, LoadedRecipe, picture);
}

bool TEditRezDlg::AskSaveChanges(bool reselect) {
  if (isHidden() || !IsRecipeModified()) return true;
  switch (MessageBox(GetLangText(39), GetLangText(17), MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return SaveRecipe(reselect);
    case IDNO:
      return true;
    default:
      return false;
  }
}

bool TEditRezDlg::SaveRecipe(bool reselect) {
  if (IsRecipeModified()) {
    if (WorkRecipe.title.empty() || WorkRecipe.text.empty()) {
      if (MessageBox(GetLangText(42), GetLangText(17), MB_YESNO | MB_ICONWARNING) == IDYES)
        return false;  // back to editing; nothing is stored
      if (ctx().options) ctx().options->SetParaString(72, WorkRecipe.source);
      return true;  // the changes are dropped
    }
    if (!WorkRecipe.nutrients.empty() && LinesOrServingsChanged(WorkRecipe, LoadedRecipe) &&
        MessageBox(GetLangText(749), GetLangText(2), MB_YESNO | MB_ICONQUESTION) == IDYES)
      WorkRecipe.nutrients.clear();
    if (WorkRecipe.title.size() >= 60) {
      MessageBox(GetLangText(46), GetLangText(2), MB_OK);
      WorkRecipe.title.resize(59);
    }
    if (OptionFlag(33)) {
      const std::string units = UnusableMealMasterUnits(WorkRecipe);
      if (!units.empty()) MessageBox(GetLangText(53) + units, GetLangText(2), MB_OK);
    }

    // The picture list changes only now, after the checks, right before the write.
    const std::vector<REZPICTURE> oldPictures = WorkRecipe.pictures;
    std::string copied;
    if (PictureRemoved || !NewPicturePath.empty()) WorkRecipe.pictures.clear();
    if (!NewPicturePath.empty()) {
      if (OptionFlag(50)) {
        std::string name = NewPicturePath;
        if (CopyRecipePicture(name)) {
          WorkRecipe.pictures.push_back({'F', name});
          copied = name;
        } else {
          // The new picture could not be copied (the copy said why): the old one stays.
          WorkRecipe.pictures = oldPictures;
        }
      } else {
        WorkRecipe.pictures.push_back({'F', NewPicturePath});
      }
    }

    EditedRecipeKey key;
    key.isNew = IsNewRecipe;
    key.bookId = RecipeBookId;
    key.number = RecipeNumber;
    key.loadedFlags = LoadedFlags;
    REZINDEX entry;
    if (!StoreEditedRecipe(WorkRecipe, key, entry)) {
      // Nothing reached the book: the recipe stays as it was in the editor.
      if (!copied.empty()) RemoveFile(RecipePictureFolder() + copied);
      WorkRecipe.pictures = oldPictures;
      return false;
    }
    // A replaced or removed picture file stays: the recipe's old record still names it and can
    // be restored until its book is compressed.
    // The stored recipe is the new baseline, found by its key from now on.
    IsNewRecipe = false;
    RecipeBookId = key.bookId;
    RecipeNumber = key.number;
    if (ctx().dbList)
      ListIndex = SearchMode() ? ctx().dbList->FindSearchEntry(key.bookId, key.number)
                               : ctx().dbList->FindIndexEntry(key.bookId, key.number);
    NewPicturePath.clear();
    PictureRemoved = 0;
    HasPicture = WorkRecipe.pictures.empty() ? 0 : 1;
    LoadedRecipe = WorkRecipe;
    ShowRecipePicture();
    ShowPictureControls();
    if (ChooseRezDlg) {
      ChooseRezDlg->RefreshRecipeList();
      if (reselect) ChooseRezDlg->SelectRecipeListEntry(entry);
      ChooseRezDlg->RefreshShownRecipe();
    }
  }
  if (ctx().options) ctx().options->SetParaString(72, WorkRecipe.source);
  return true;
}

void TEditRezDlg::ChangeServings(int servings) {
  // Without a number of servings there is nothing to rescale to (every amount would become 0).
  const bool scalable = servings > 0 && servings <= 0xFFFF;
  if (scalable &&
      MessageBox(GetLangText(55), GetLangText(56), MB_YESNO | MB_ICONQUESTION) == IDYES) {
    ScaleRecipeAmounts(WorkRecipe, static_cast<uint16_t>(servings));
    for (REZZUTAT& line : WorkRecipe.lines)
      if (line.grams != -1) line.grams = 0;
    WorkRecipe.nutrients.clear();
    if (NEditDlg) NEditDlg->EnergieEdt->clear();
    if (EditZutatDlg) EditZutatDlg->FillIngredientList();
  }
  WorkRecipe.servings = servings;
}

void TEditRezDlg::CalcEditedRecipeNutrients() {
  StorePage(EditMode);
  if (EditMode != 1 && NEditDlg) NEditDlg->NEditLoadRez(&WorkRecipe);
  if (NEditDlg) NEditDlg->NEditCalcEnergy();
  LoadPage(EditMode);
  if (EditMode == 2 || EditMode == 3) ShowPage(EditMode);
}

// ---------------------------------------------------------------------------------------------
// Buttons and events

void TEditRezDlg::OKBtnClick() {
  if (EditMode == 1 && NEditDlg) NEditDlg->CheckServingsChange();
  if (TipsAccess* tips = TipsWindow()) tips->ShowTip(1, 2);
  if (!SaveRecipe(true)) return;
  ShowEditView(false);
  if (ChooseRezDlg) ChooseRezDlg->ShowSelectedRecipe(true);
}

void TEditRezDlg::CancelBtnClick() {
  ShowEditView(false);
  if (ChooseRezDlg) ChooseRezDlg->ShowSelectedRecipe(true);
}

void TEditRezDlg::FormShow() {
  if (EditZutatDlg) EditZutatDlg->UpdateLineButtons();
}

void TEditRezDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
  if (auto* main = MainWindow()) main->UpdateClipboardMenu();
}

void TEditRezDlg::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (auto* main = MainWindow()) main->UpdateClipboardMenu();
}

void TEditRezDlg::HelpBtnClick() {
  static const char* const kPages[] = {"Win_Norm.htm", "Win_EditQuick.htm", "Win_EditMore.htm",
                                       "Win_EditNext.htm"};
  if (ctx().tools && EditMode >= 1 && EditMode <= 4)
    ctx().tools->ShowHelpPage(kPages[EditMode - 1]);
}

void TEditRezDlg::PopupMnuClick() {
  HelpBtnClick();
}

void TEditRezDlg::showLexikonMnuClick() {
  if (LexiconAccess* lexicon = Lexicon()) lexicon->ShowLexicon();
}

void TEditRezDlg::EditMnuPnlResize() {
  // The strip's layout keeps the buttons at its right edge.
}

// ---------------------------------------------------------------------------------------------
// Picture panel

bool TEditRezDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ImagePnl && event->type() == QEvent::Resize) {
    const int w = ImagePnl->width(), h = ImagePnl->height();
    const int frameH = std::max(0, h - kPictureButtonRow);
    ImgGrp->setGeometry(0, 0, w, frameH);
    BmpTitleTxt->setGeometry(0, 0, w, frameH);
    const int gap = 6;
    const int bw = std::max(40, (w - 2 * gap) / 3);
    const int bh = std::min(kPictureButtonRow - 4, PicAddBtn->sizeHint().height());
    int x = 0;
    for (QPushButton* b : {PicAddBtn, PicEditBtn, PicDelBtn}) {
      b->setGeometry(x, frameH + 4, bw, bh);
      x += bw + gap;
    }
  } else if (watched == ImgGrp && event->type() == QEvent::Resize) {
    FitPicture();
  } else if (watched == RezImg && event->type() == QEvent::MouseButtonRelease) {
    PicEditBtnClick();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TEditRezDlg::ShowPictureImage(const QImage& image) {
  picture_ = image;
  if (picture_.isNull()) RezImg->clear();
  FitPicture();
}

bool TEditRezDlg::ShowRecipePicture() {
  if (WorkRecipe.pictures.empty()) {
    ShowPictureImage(QImage());
    return true;
  }
  return ShowPictureFile(RecipePicturePath(WorkRecipe.pictures[0].name));
}

bool TEditRezDlg::ShowPictureFile(const std::string& path) {
  const bool found = !path.empty() && FileExists(NativePath(path));
  QImage image;
  const bool ok = found && LoadPictureFile(NativePath(path), image);
  // A missing or unreadable file leaves the frame empty, never the last recipe's picture.
  ShowPictureImage(ok ? image : QImage());
  if (found) ShowPictureControls();
  return ok;
}

void TEditRezDlg::FitPicture() {
  PictureBox box;
  if (picture_.isNull() ||
      !FitPictureBox(ImgGrp->width(), ImgGrp->height(), picture_.width(), picture_.height(), box))
    return;
  RezImg->setGeometry(box.left, box.top, box.width, box.height);
  if (box.width > 0 && box.height > 0)
    RezImg->setPixmap(QPixmap::fromImage(
        picture_.scaled(box.width, box.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void TEditRezDlg::ShowPictureControls() {
  const bool flag = HasPicture != 0;
  RezImg->setVisible(flag);
  ImgGrp->setVisible(flag);
  BmpTitleTxt->setVisible(!flag);
  if (!flag) BmpTitleTxt->setText(toQ(GetLangText(401)));
  PicEditBtn->setEnabled(flag);
  PicDelBtn->setEnabled(flag);
  BmpTitleTxt->setEnabled(flag);
}

void TEditRezDlg::PicAddBtnClick() {
  std::string path;
  if (!choosePictureFile || !choosePictureFile(path) || path.empty()) {
    // Cancelled: the panel stays as it was.
    ShowPictureControls();
    return;
  }
  NewPicturePath = path;
  HasPicture = 1;
  ShowPictureFile(NewPicturePath);
  ShowPictureControls();
  if (!WorkRecipe.pictures.empty() && !WorkRecipe.pictures[0].name.empty()) PictureRemoved = 1;
}

void TEditRezDlg::PicEditBtnClick() {
  const std::string stored =
      WorkRecipe.pictures.empty() ? std::string() : WorkRecipe.pictures[0].name;
  const size_t sep = LastSeparator(NewPicturePath);
  std::string chosen = sep == std::string::npos ? NewPicturePath : NewPicturePath.substr(sep + 1);
  if (chosen.empty()) chosen = stored;
  if (!NewPicturePath.empty() && chosen != stored) {
    ShellOpenFile(NewPicturePath);
  } else if (!stored.empty()) {
    ShellOpenFile(LastSeparator(stored) == std::string::npos ? RecipePictureFolder() + stored
                                                             : stored);
  }
}

void TEditRezDlg::PicDelBtnClick() {
  ShowPictureImage(QImage());
  PictureRemoved = 1;
  HasPicture = 0;
  NewPicturePath.clear();
  ShowPictureControls();
}

}  // namespace tav
