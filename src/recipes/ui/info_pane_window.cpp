#include "recipes/ui/info_pane_window.h"

#include <QAction>
#include <QDateTime>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "pictures/ui/picture_loader.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipes/recipe_view.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/key_figures_dialog.h"
#include "recipes/ui/lexicon_access.h"
#include "recipes/ui/rating_pictures.h"
#include "recipes/ui/season_access.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"
#include "services/ui/context_list_box.h"
#include "services/ui/elided_label.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"

namespace tav {

TInfoRezDlg* InfoRezDlg = nullptr;

namespace {

// Draws the key-figure grid's cells through the pane.
class KeyFigureCells : public QStyledItemDelegate {
 public:
  explicit KeyFigureCells(TInfoRezDlg* pane) : QStyledItemDelegate(pane), pane_(pane) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    pane_->InfoGrdDrawCell(painter, index.column(), index.row(), option.rect);
  }

 private:
  TInfoRezDlg* pane_;
};

// A rating picture with white as the transparent colour.
QPixmap Transparent(QPixmap pm) {
  pm.setMask(pm.createMaskFromColor(Qt::white));
  return pm;
}

}  // namespace

TInfoRezDlg::TInfoRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  InfoRezDlg = this;
  setObjectName(QStringLiteral("InfoRezDlg"));

  // Information page: the key-figure grid left, the picture right.
  InfoGrd = Named<QTableWidget>(nullptr, "InfoGrd");
  InfoGrd->setColumnCount(2);
  InfoGrd->setRowCount(1);
  InfoGrd->horizontalHeader()->hide();
  InfoGrd->verticalHeader()->hide();
  InfoGrd->horizontalHeader()->setStretchLastSection(true);
  InfoGrd->setShowGrid(false);
  InfoGrd->setFrameShape(QFrame::NoFrame);
  InfoGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  InfoGrd->setSelectionBehavior(QAbstractItemView::SelectRows);
  InfoGrd->setEditTriggers(QAbstractItemView::NoEditTriggers);
  InfoGrd->setFocusPolicy(Qt::NoFocus);
  InfoGrd->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  InfoGrd->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  InfoGrd->setItemDelegate(new KeyFigureCells(this));
  InfoPanel = Named<QWidget>(nullptr, "InfoPanel");
  DockColumn(InfoPanel)->addWidget(InfoGrd);

  PicPanel = Named<QWidget>(nullptr, "PicPanel");
  PicPanel->setMinimumWidth(1);
  PicPanel->setAutoFillBackground(true);
  PicPanel->setBackgroundRole(QPalette::Base);
  PicPanel->setCursor(Qt::PointingHandCursor);
  RezImg = Named<QLabel>(PicPanel, "RezImg");
  RezImg->setScaledContents(true);
  RezImg->setCursor(Qt::PointingHandCursor);
  RezImg->setContextMenuPolicy(Qt::CustomContextMenu);
  RezImg->hide();
  // A picture panel narrower than the text shows it cut with an ellipsis.
  NoPicTxt = Named<ElidedLabel>(PicPanel, "NoPicTxt");
  NoPicTxt->setText(toQ("Kein Bild"));
  NoPicTxt->setAlignment(Qt::AlignCenter);
  NoPicTxt->setEnabled(false);
  // Clicks on the text reach the panel, which stands for it.
  NoPicTxt->setAttribute(Qt::WA_TransparentForMouseEvents);
  PicPanel->installEventFilter(this);
  RezImg->installEventFilter(this);

  ChooseSplit = Named<QSplitter>(nullptr, "ChooseSplit");
  ChooseSplit->setChildrenCollapsible(false);
  ChooseSplit->setOpaqueResize(true);
  ChooseSplit->setHandleWidth(5);
  ChooseSplit->addWidget(InfoPanel);
  ChooseSplit->addWidget(PicPanel);
  ChooseSplit->setStretchFactor(0, 0);
  ChooseSplit->setStretchFactor(1, 1);
  InfoSheet = Named<QWidget>(nullptr, "InfoSheet");
  DockColumn(InfoSheet)->addWidget(ChooseSplit);
  InfoSheet->installEventFilter(this);

  // Lexicon page: the terms left, the entry right.
  LexCaption = CaptionBar("LexCaption", toQ("Auto-Glossar"));
  LexListLiBo = Named<TContextListBox>(nullptr, "LexListLiBo");
  LexListLiBo->setFrameShape(QFrame::NoFrame);
  WikipediaBtn = Named<QPushButton>(nullptr, "WikipediaBtn");
  WikipediaBtn->setText(toQ("  in Wikipedia"));
  auto* lexLeft = Named<QWidget>(nullptr, "LexListPanel");
  QVBoxLayout* left = DockColumn(lexLeft);
  left->addWidget(LexCaption);
  left->addWidget(LexListLiBo, 1);
  left->addWidget(WikipediaBtn);
  LexTextCaption = CaptionBar("LexTextCaption", toQ("Lexikon-Eintrag"));
  LexTxt = Named<QPlainTextEdit>(nullptr, "LexTxt");
  LexTxt->setReadOnly(true);
  LexTxt->setFrameShape(QFrame::NoFrame);
  LexTxt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  LexTxt->setContextMenuPolicy(Qt::CustomContextMenu);
  auto* lexRight = Named<QWidget>(nullptr, "LexTextPanel");
  QVBoxLayout* right = DockColumn(lexRight);
  right->addWidget(LexTextCaption);
  right->addWidget(LexTxt, 1);
  Splitter1 = Named<QSplitter>(nullptr, "Splitter1");
  Splitter1->setChildrenCollapsible(false);
  Splitter1->addWidget(lexLeft);
  Splitter1->addWidget(lexRight);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({129 * fontMetrics().averageCharWidth() / 6, 400});
  LexSheet = Named<QWidget>(nullptr, "LexSheet");
  DockColumn(LexSheet)->addWidget(Splitter1);

  // Season page: the season window's panel moves in here.
  SaisonGround = Named<QWidget>(nullptr, "SaisonGround");
  DockColumn(SaisonGround);
  SaisonSheet = Named<QWidget>(nullptr, "SaisonSheet");
  DockColumn(SaisonSheet)->addWidget(SaisonGround);

  InfoPage = Named<QTabWidget>(nullptr, "InfoPage");
  InfoPage->setDocumentMode(true);
  InfoPage->addTab(InfoSheet, toQ("Informationen"));
  InfoPage->addTab(LexSheet, toQ("Online-Lexikon"));
  InfoPage->addTab(SaisonSheet, toQ("Frische Zutaten"));
  DockColumn(this)->addWidget(InfoPage);

  InfoPopup = Named<QMenu>(nullptr, "InfoPopup");
  InfoPopup->setParent(this, Qt::Popup);
  PicEdit = InfoPopup->addAction(toQ("&Bild bearbeiten"));
  PicEdit->setObjectName(QStringLiteral("PicEdit"));
  LexPopup = Named<QMenu>(nullptr, "LexPopup");
  LexPopup->setParent(this, Qt::Popup);
  ShowLex = LexPopup->addAction(toQ("&zugeh\xF6rigen Lexikoneintrag aufrufen"));
  ShowLex->setObjectName(QStringLiteral("ShowLex"));
  for (QAction* a : {PicEdit, ShowLex}) {
    QFont bold = a->font();
    bold.setBold(true);
    a->setFont(bold);  // default items
  }
  LexListLiBo->SetPopupMenu(LexPopup);

  connect(InfoPage, &QTabWidget::currentChanged, this, [this] { InfoPageChange(); });
  connect(ChooseSplit, &QSplitter::splitterMoved, this, [this] { ChooseSplitMoved(); });
  connect(PicEdit, &QAction::triggered, this, [this] { RezImgDblClick(); });
  connect(RezImg, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { InfoPopup->popup(RezImg->mapToGlobal(pos)); });
  connect(LexListLiBo, &QListWidget::itemClicked, this, [this] { LexListLiBoClick(); });
  connect(LexListLiBo, &QListWidget::itemDoubleClicked, this, [this] { LexListLiBoDblClick(); });
  connect(ShowLex, &QAction::triggered, this, [this] { LexListLiBoDblClick(); });
  connect(LexTxt, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { LexPopup->popup(LexTxt->mapToGlobal(pos)); });
  connect(WikipediaBtn, &QPushButton::clicked, this, [this] { WikipediaBtnClick(); });
  OnCreate();
}

void TInfoRezDlg::OnCreate() {
  InfoPage->setCurrentWidget(InfoSheet);
  if (DataRezDlg) DockInto(this, DataRezDlg->InfoDatPanel);
  std::string stored;
  // Wide enough for a label and its value side by side at the window font.
  long long w = std::max(200, 54 * fontMetrics().averageCharWidth());
  long long read = 0;
  if (ctx().userSettings && ctx().userSettings->ReadString(kRegParam, "InfoW", stored) &&
      ParseInt(stored, read))
    w = read;
  // Cut to the pane's width - 20 whenever the pane is laid out (ApplyInfoWidth); at creation
  // the pane has no width of its own yet.
  infoW_ = static_cast<int>(std::clamp(w, 1LL, 100000LL));
  if (LangDlg) {
    LangDlg->TranslateForm(this);
    LangDlg->TranslateMenu("InfoRezDlg", InfoPopup);
    LangDlg->TranslateMenu("InfoRezDlg", LexPopup);
  }
  const int line = fontMetrics().height();
  InfoGrd->setColumnWidth(0, 100);
  InfoGrd->setColumnWidth(1, 1000);
  InfoGrd->verticalHeader()->setMinimumSectionSize(1);
  InfoGrd->verticalHeader()->setDefaultSectionSize(std::max(13, line + 6));
  InfoGrd->setRowHeight(0, std::max(18, line + 10));
  ApplyInfoWidth();
}

// Key figures -------------------------------------------------------------------------------

void TInfoRezDlg::FillKeyFigureGrid(TDataRezDlg* data) {
  if (!data) return;
  const std::vector<KeyFigureRow> rows = KeyFigureRows(data->ShownRecipe, KenndatenDlg, 0);
  InfoGrd->setRowCount(std::max<int>(1, static_cast<int>(rows.size())));
  if (rows.empty()) {
    InfoGrd->setItem(0, 0, new QTableWidgetItem);
    InfoGrd->setItem(0, 1, new QTableWidgetItem);
  }
  const QFontMetrics fm(InfoGrd->font());
  int labelWidth = 100;
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const QString label = toQ(rows[r].label);
    InfoGrd->setItem(r, 0, new QTableWidgetItem(label));
    InfoGrd->setItem(r, 1, new QTableWidgetItem(toQ(rows[r].value)));
    labelWidth = std::max(labelWidth, fm.horizontalAdvance(label) + 16);
  }
  InfoGrd->setColumnWidth(0, labelWidth);
  const int line = fm.height();
  for (int r = 1; r < InfoGrd->rowCount(); ++r) InfoGrd->setRowHeight(r, std::max(13, line + 6));
  InfoGrd->setRowHeight(0, std::max(18, line + 10));
}

void TInfoRezDlg::InfoGrdDrawCell(QPainter* painter, int column, int row,
                                  const QRect& rect) const {
  painter->save();
  painter->fillRect(rect, palette().color(row == 0 ? QPalette::Button : QPalette::Base));
  const QTableWidgetItem* item = InfoGrd->item(row, column);
  const QString text = item ? item->text() : QString();
  const bool quality = text.startsWith(QLatin1String("~Q"));
  if (column == 1 && (quality || text.startsWith(QLatin1String("~D")))) {
    const int d = text.size() > 2 ? text.at(2).unicode() - '0' : -1;
    if (d >= 0 && d <= 5) {
      // The picture keeps its cell's proportions (70 × 13, 70 × 9), scaled to the row.
      const int h = std::min(rect.height() - 4, (quality ? 13 : 9) * (rect.height() - 4) / 13);
      const int w = h * 70 / (quality ? 13 : 9);
      const QRect target(rect.left() + 8, rect.top() + (rect.height() - h) / 2, w, h);
      painter->setRenderHint(QPainter::SmoothPixmapTransform);
      painter->drawPixmap(target, Transparent(quality ? QualityPicture(d) : DifficultyPicture(d)));
    }
  } else {
    painter->setPen(palette().color(QPalette::Text));
    painter->setFont(InfoGrd->font());
    const QRect textRect = rect.adjusted(8, row == 0 ? 2 : 0, -2, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      painter->fontMetrics().elidedText(text, Qt::ElideRight, textRect.width()));
  }
  if (row > 0) {
    // A faint line between the rows keeps long lists readable.
    painter->setPen(palette().color(QPalette::Midlight));
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
  }
  painter->restore();
}

// Pages -------------------------------------------------------------------------------------

void TInfoRezDlg::InfoPageChange() {
  QWidget* page = InfoPage->currentWidget();
  const int old = InfoPageNo;
  InfoPageNo = page == LexSheet ? 2 : page == SaisonSheet ? 3 : 1;
  // The season menu item stands for the page while it is shown.
  if (QAction* season = MainWindow() ? MainWindow()->Action("SaisonMnu") : nullptr) {
    if (InfoPageNo == 3 && old != 3) {
      seasonMenuWasEnabled_ = season->isEnabled();
      season->setEnabled(false);
    } else if (InfoPageNo != 3 && old == 3) {
      season->setEnabled(seasonMenuWasEnabled_);
    }
  }
  switch (InfoPageNo) {
    case 3:
      if (SeasonAccess* season = Season()) {
        // The calendar's grid panel is lent to this page.
        QWidget* panel = season->SeasonPanel();
        if (panel && panel->parentWidget() != SaisonGround) {
          panel->setParent(SaisonGround);
          SaisonGround->layout()->addWidget(panel);
        }
        if (panel) panel->show();
        season->SetFilterTab(2);
        season->UpdateSeasonSlot();
      }
      break;
    case 2:
      if (LexiconAccess* lexicon = Lexicon()) {
        lexicon->SelectLexiconTab(0);
        lexicon->UpdateRecipeLexiconTerms(true);
        lexicon->CopyLexiconTermList(LexListLiBo);
      }
      ResetLexiconPage();
      break;
    default:
      ShowInfoPicture();
      break;
  }
}

void TInfoRezDlg::ShowInfoSheet() {
  InfoPage->setCurrentWidget(InfoSheet);
  InfoPageChange();
}

// Picture -----------------------------------------------------------------------------------

std::string TInfoRezDlg::PicturePath(const std::string& name) const {
  if (name.find_first_of("/\\") != std::string::npos) return FindFileNoCase(NativePath(name));
  const std::string root = ctx().options ? ctx().options->Str(90) : std::string();
  return FindFileNoCase(root + "Pics/" + name);
}

int TInfoRezDlg::PictureSizeWanted() const {
  const double longer = std::max(PicPanel->width(), PicPanel->height()) * devicePixelRatioF();
  return std::max(256, static_cast<int>(longer));
}

bool TInfoRezDlg::LoadPicture(const std::string& path) {
  const QFileInfo info(toQ(path));
  const long long stamp = info.lastModified().toMSecsSinceEpoch() ^ (info.size() << 20);
  const int wanted = PictureSizeWanted();
  if (!picture_.isNull() && path == picturePath_ && stamp == pictureStamp_ &&
      !NeedsLargerPicture(wanted))
    return true;
  // A camera picture is decoded no larger than the panel needs; a larger panel loads it again.
  QImage image;
  if (!LoadPictureOrLog(path, image, wanted)) {
    picture_ = QImage();
    picturePath_.clear();
    return false;
  }
  picture_ = std::move(image);
  pixmapKey_ = 0;
  picturePath_ = path;
  pictureStamp_ = stamp;
  pictureFit_ = wanted;
  return true;
}

bool TInfoRezDlg::NeedsLargerPicture(int wanted) const {
  return wanted > pictureFit_ && std::max(picture_.width(), picture_.height()) < wanted;
}

void TInfoRezDlg::ShowInfoPicture() {
  const std::string name = DataRezDlg ? DataRezDlg->GetShownPictureName() : std::string();
  bool shown = false;
  if (!name.empty()) {
    const std::string path = PicturePath(name);
    shown = PathExists(path) && LoadPicture(path);
  }
  if (shown) {
    if (RezImg->pixmap().cacheKey() != pixmapKey_ || RezImg->pixmap().isNull()) {
      RezImg->setPixmap(QPixmap::fromImage(picture_));
      pixmapKey_ = RezImg->pixmap().cacheKey();
    }
    RezImg->show();
    NoPicTxt->hide();
    NoPicTxt->setEnabled(true);
  } else {
    picture_ = QImage();
    picturePath_.clear();
    RezImg->clear();
    pixmapKey_ = 0;
    RezImg->hide();
    NoPicTxt->setText(toQ(GetLangText(401)));
    NoPicTxt->setEnabled(false);
    NoPicTxt->show();
  }
  FitRecipePicture();
}

void TInfoRezDlg::FitRecipePicture() {
  const int pw = PicPanel->width(), ph = PicPanel->height();
  NoPicTxt->setGeometry(0, 0, pw, ph);
  if (ph == 0 || picture_.isNull() || picture_.height() == 0) return;
  if (NeedsLargerPicture(PictureSizeWanted())) {
    if (!LoadPicture(picturePath_)) {
      ShowInfoPicture();  // the file went away meanwhile
      return;
    }
    RezImg->setPixmap(QPixmap::fromImage(picture_));
    pixmapKey_ = RezImg->pixmap().cacheKey();
  }
  const double rp = static_cast<double>(picture_.width()) / picture_.height();
  const double pp = static_cast<double>(pw) / ph;
  int left = 0, top = 0, w = 0, h = 0;
  if (rp > pp) {
    w = pw;
    h = static_cast<int>(w / rp);
    top = ph / 2 - h / 2;
  } else {
    h = ph;
    w = static_cast<int>(h * rp);
    left = pw / 2 - w / 2;
  }
  RezImg->setGeometry(left, top, w, h);
}

void TInfoRezDlg::RezImgDblClick() {
  const std::string name = DataRezDlg ? DataRezDlg->GetShownPictureName() : std::string();
  if (name.find_first_of("/\\") != std::string::npos) {
    ShellOpenFile(name);
    return;
  }
  const std::string root = ctx().options ? ctx().options->Str(90) : std::string();
  ShellOpenFile(root + "Pics/" + name);
}

void TInfoRezDlg::ApplyInfoWidth() {
  const int total = ChooseSplit->width();
  const int w = std::max(1, std::min(infoW_, total - 20));
  ChooseSplit->setSizes({w, std::max(1, total - w - ChooseSplit->handleWidth())});
}

void TInfoRezDlg::ChooseSplitMoved() {
  FitRecipePicture();
  infoW_ = InfoPanel->width();
  if (ctx().userSettings)
    ctx().userSettings->WriteString(kRegParam, "InfoW", std::to_string(infoW_));
}

// Lexicon page ------------------------------------------------------------------------------

void TInfoRezDlg::LexListLiBoClick() {
  ShowLexiconTerm();
}

void TInfoRezDlg::ShowLexiconTerm() {
  LexiconAccess* lexicon = Lexicon();
  if (!lexicon || !LexListLiBo->currentItem()) return;
  lexicon->SelectLexiconTerm(fromQ(LexListLiBo->currentItem()->text()));
  lexicon->CopyLexiconText(LexTxt);
}

void TInfoRezDlg::LexListLiBoDblClick() {
  LexiconAccess* lexicon = Lexicon();
  if (!lexicon || !LexListLiBo->currentItem()) return;
  const std::string term = fromQ(LexListLiBo->currentItem()->text());
  lexicon->ShowLexicon();
  lexicon->SelectLexiconTerm(term);
}

void TInfoRezDlg::ResetLexiconPage() {
  LexTxt->clear();
  if (LexListLiBo->count() > 0 && LexListLiBo->currentRow() < 0) {
    LexListLiBo->setCurrentRow(0);
    ShowLexiconTerm();
  }
}

void TInfoRezDlg::WikipediaBtnClick() {
  if (LexListLiBo->count() > 0 && LexListLiBo->currentItem())
    WebSearch(fromQ(LexListLiBo->currentItem()->text()));
}

bool TInfoRezDlg::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type t = event->type();
  if (watched == InfoSheet && t == QEvent::Resize) {
    ApplyInfoWidth();
  } else if (watched == PicPanel && t == QEvent::Resize) {
    FitRecipePicture();
  } else if ((watched == PicPanel || watched == RezImg) &&
             (t == QEvent::MouseButtonRelease || t == QEvent::MouseButtonDblClick) &&
             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    // A click opens the picture; a double click opens it once, not again on its release.
    if (t == QEvent::MouseButtonDblClick) {
      swallowRelease_ = true;
    } else if (swallowRelease_) {
      swallowRelease_ = false;
    } else {
      RezImgDblClick();
    }
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tav
