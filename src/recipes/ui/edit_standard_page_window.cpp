#include "recipes/ui/edit_standard_page_window.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "nutrients/recipe_calc.h"
#include "nutrients/ui/nutrient_calc_dialog.h"
#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/category_table.h"
#include "recipedb/ui/category_dialog.h"
#include "recipes/standard_page_fields.h"
#include "recipes/ui/edit_page_dock.h"
#include "recipes/ui/ingredient_lines_window.h"
#include "recipes/ui/portions_dialog.h"
#include "recipes/ui/quick_entry_page_window.h"
#include "recipes/ui/recipe_editor_window.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"

namespace tav {

TNEditDlg* NEditDlg = nullptr;

namespace {

QLabel* Caption(QWidget* parent, const char* name, const char* text) {
  auto* label = Named<QLabel>(parent, name);
  label->setText(toQ(text));
  return label;
}

QGroupBox* Group(QWidget* parent, const char* name, const char* title) {
  auto* group = Named<QGroupBox>(parent, name);
  group->setTitle(toQ(title));
  return group;
}

bool OptionFlag(int id) {
  return ctx().options && ctx().options->Flag(id);
}

// The text of a control as the recipe keeps it: Qt's line feeds become CR LF, like the text of
// a Windows edit control.
std::string ControlText(const QString& text) {
  std::string out;
  for (char c : fromQ(text)) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// Texts shown in Qt controls: a CR before a line feed is dropped (Qt breaks lines at LF alone).
QString ShownText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return toQ(out);
}

std::string WithoutCR(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '\r') out += c;
  return out;
}

QString PlainText(QWidget* w) {
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->toPlainText();
  if (auto* t = qobject_cast<QTextEdit*>(w)) return t->toPlainText();
  return QString();
}

}  // namespace

QPixmap RatingPicture(bool difficulty, int rating) {
  const int w = difficulty ? 111 : 113, h = difficulty ? 15 : 18;
  QPixmap pixmap(w, h);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 5; ++i) {
    // Mark i covers the clicks that give rating i + 1 (from x = 8 + 21 i).
    const double cx = 8 + 21 * i + 10;
    const double cy = h / 2.0;
    const bool on = i < rating;
    if (difficulty) {
      p.setPen(QPen(on ? QColor(0x90, 0x20, 0x10) : QColor(0xB0, 0xB0, 0xB0), 1));
      p.setBrush(on ? QColor(0xD0, 0x40, 0x20) : QColor(0xF0, 0xF0, 0xF0));
      p.drawEllipse(QPointF(cx, cy), 5.5, 5.5);
    } else {
      QPainterPath star;
      const double outer = 8.0, inner = 3.4;
      for (int k = 0; k < 10; ++k) {
        const double r = k % 2 ? inner : outer;
        const double a = -M_PI / 2 + k * M_PI / 5;
        const QPointF pt(cx + r * std::cos(a), cy + 0.5 + r * std::sin(a));
        if (k == 0)
          star.moveTo(pt);
        else
          star.lineTo(pt);
      }
      star.closeSubpath();
      p.setPen(QPen(on ? QColor(0xB0, 0x80, 0x00) : QColor(0xB0, 0xB0, 0xB0), 1));
      p.setBrush(on ? QColor(0xF5, 0xC0, 0x10) : QColor(0xF0, 0xF0, 0xF0));
      p.drawPath(star);
    }
  }
  return pixmap;
}

TNEditDlg::TNEditDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  NEditDlg = this;
  setObjectName(QStringLiteral("NEditDlg"));
  setWindowTitle(toQ("  Standard-Eingabe"));

  ScrollBox = Named<QScrollArea>(this, "ScrollBox");
  ScrollBox->setWidgetResizable(true);
  ScrollBox->setFrameShape(QFrame::NoFrame);
  auto* content = Named<QWidget>(nullptr, "ScrollPnl");
  ScrollBox->setWidget(content);

  NameGrp = Group(content, "NameGrp", "Name des Rezeptes:");
  TitelEdt = Named<QLineEdit>(NameGrp, "TitelEdt");
  TitelEdt->setMaxLength(59);
  SWortGrp = Group(content, "SWortGrp", "Stichworte:");
  SWortEdt = Named<QPlainTextEdit>(SWortGrp, "SWortEdt");
  SWortEdt->setTabChangesFocus(true);
  GattGrp = Group(content, "GattGrp", "Gattungen:");
  GattLiBo = Named<QListWidget>(GattGrp, "GattLiBo");
  GattLiBo->setSelectionMode(QAbstractItemView::MultiSelection);
  GattLiBo->setSortingEnabled(true);
  GattNeuBtn = Named<QToolButton>(GattGrp, "GattNeuBtn");
  GattNeuBtn->setText(toQ("&>"));
  EditZutatGrp = Group(content, "EditZutatGrp", "Zutaten:");

  InfoGrp = Group(content, "InfoGrp", "Angaben:");
  PortAnzTxt = Caption(InfoGrp, "PortAnzTxt", "Portionen:");
  PortAnzEdt = Named<QLineEdit>(InfoGrp, "PortAnzEdt");
  PortAnzEdt->setMaxLength(5);
  PortArtCoBo = Named<QComboBox>(InfoGrp, "PortArtCoBo");
  PortArtCoBo->setEditable(true);
  PortArtCoBo->setInsertPolicy(QComboBox::NoInsert);
  ZeitAnzTxt = Caption(InfoGrp, "ZeitAnzTxt", "Zeitbedarf:");
  ZeitAnzEdt = Named<QLineEdit>(InfoGrp, "ZeitAnzEdt");
  KostTxt = Caption(InfoGrp, "KostTxt", "Kosten:");
  KostEdt = Named<QLineEdit>(InfoGrp, "KostEdt");
  EnergieLbl = Caption(InfoGrp, "EnergieLbl", "N\xE4hrwert:");
  EnergieEdt = Named<QLineEdit>(InfoGrp, "EnergieEdt");
  EnergieTxt = Caption(InfoGrp, "EnergieTxt", "kcal");
  CalcEnergieBtn = Named<QPushButton>(InfoGrp, "CalcEnergieBtn");
  CalcEnergieBtn->setText(toQ("Be&rechnen"));
  AutornameTxt = Caption(InfoGrp, "AutornameTxt", "Erfa\xDFt von:");
  AutornameEdt = Named<QLineEdit>(InfoGrp, "AutornameEdt");
  fillAutorBtn = Named<QToolButton>(InfoGrp, "fillAutorBtn");
  fillAutorBtn->setText(QStringLiteral("<"));
  QuelleTxt = Caption(InfoGrp, "QuelleTxt", "Quelle:");
  QuelleEdt = Named<QPlainTextEdit>(InfoGrp, "QuelleEdt");
  QuelleEdt->setTabChangesFocus(true);

  // Rating panels: a label and six pictures on one spot, one of them visible.
  auto makeRating = [&](const char* panel, const char* label, const char* text, bool difficulty,
                        QLabel** images, QLabel** caption) {
    auto* pnl = Named<QWidget>(InfoGrp, panel);
    *caption = Caption(pnl, label, text);
    auto* stack = new QWidget(pnl);
    const QPixmap probe = RatingPicture(difficulty, 0);
    stack->setFixedSize(probe.size());
    for (int i = 0; i < 6; ++i) {
      const std::string name =
          std::string(difficulty ? "Difficulty" : "Quality") + std::to_string(i) + "Img";
      images[i] = Named<QLabel>(stack, name.c_str());
      images[i]->setPixmap(RatingPicture(difficulty, i));
      images[i]->setGeometry(0, 0, probe.width(), probe.height());
      images[i]->setCursor(Qt::PointingHandCursor);
      images[i]->installEventFilter(this);
      images[i]->setVisible(i == 0);
    }
    auto* row = new QHBoxLayout(pnl);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(*caption);
    row->addWidget(stack);
    row->addStretch(1);
    return pnl;
  };
  QualityPnl = makeRating("QualityPnl", "QualityTxt", "Bewertung:", false, QualityImg, &QualityTxt);
  DifficultyPnl = makeRating("DifficultyPnl", "DifficultyTxt", "Schwierigkeit:", true,
                             DifficultyImg, &DifficultyTxt);

  PicGrp = Group(content, "PicGrp", "Bild:");
  NEditPicPnl = Named<QWidget>(PicGrp, "NEditPicPnl");
  NEditPicPnl->setMinimumHeight(120);
  TextGrp = Group(content, "TextGrp", "Anleitung:");
  TextRtf = Named<QTextEdit>(TextGrp, "TextRtf");
  TextRtf->setAcceptRichText(false);
  TextRtf->setTabChangesFocus(false);
  TextRtf->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  TextRtf->setContextMenuPolicy(Qt::CustomContextMenu);

  PopupMnu = new QMenu(this);
  PopupMnu->setObjectName(QStringLiteral("PopupMnu"));
  auto item = [&](const char* name, const char* text, void (QTextEdit::*slot)()) {
    QAction* a = PopupMnu->addAction(toQ(text));
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, TextRtf, slot);
  };
  item("UndoMnu",
       "R\xFC"
       "ckg\xE4ngig",
       &QTextEdit::undo);
  item("CutMnu", "Ausschneiden", &QTextEdit::cut);
  item("CopyMnu", "Kopieren", &QTextEdit::copy);
  item("PasteMnu", "Einf\xFCgen", &QTextEdit::paste);
  item("SelectMnu", "Alles selektieren", &QTextEdit::selectAll);
  connect(TextRtf, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMnu->popup(TextRtf->mapToGlobal(at)); });

  // Layouts: name, keywords and categories, ingredients on the left; information and picture
  // on the right; the preparation text across the bottom.
  (new QVBoxLayout(NameGrp))->addWidget(TitelEdt);
  (new QVBoxLayout(SWortGrp))->addWidget(SWortEdt);
  auto* gattRow = new QHBoxLayout(GattGrp);
  gattRow->addWidget(GattLiBo, 1);
  gattRow->addWidget(GattNeuBtn, 0, Qt::AlignTop);
  auto* zutatLayout = new QVBoxLayout(EditZutatGrp);
  zutatLayout->setContentsMargins(6, 6, 6, 6);
  auto* info = new QGridLayout(InfoGrp);
  info->setVerticalSpacing(4);
  info->addWidget(PortAnzTxt, 0, 0);
  info->addWidget(PortAnzEdt, 0, 1);
  info->addWidget(PortArtCoBo, 0, 2, 1, 2);
  info->addWidget(ZeitAnzTxt, 1, 0);
  info->addWidget(ZeitAnzEdt, 1, 1, 1, 3);
  info->addWidget(KostTxt, 2, 0);
  info->addWidget(KostEdt, 2, 1, 1, 3);
  info->addWidget(EnergieLbl, 3, 0);
  info->addWidget(EnergieEdt, 3, 1);
  info->addWidget(EnergieTxt, 3, 2);
  info->addWidget(CalcEnergieBtn, 3, 3);
  info->addWidget(AutornameTxt, 4, 0);
  info->addWidget(AutornameEdt, 4, 1, 1, 2);
  info->addWidget(fillAutorBtn, 4, 3, Qt::AlignLeft);
  info->addWidget(QuelleTxt, 5, 0, Qt::AlignTop);
  info->addWidget(QuelleEdt, 5, 1, 1, 3);
  ratingHome_ = new QVBoxLayout;
  ratingHome_->setSpacing(2);
  info->addLayout(ratingHome_, 6, 0, 1, 4);
  info->setRowStretch(7, 1);
  info->setColumnStretch(2, 1);
  auto* picLayout = new QVBoxLayout(PicGrp);
  picLayout->addWidget(NEditPicPnl);
  (new QVBoxLayout(TextGrp))->addWidget(TextRtf);

  auto* grid = new QGridLayout(content);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->addWidget(NameGrp, 0, 0, 1, 2);
  grid->addWidget(SWortGrp, 1, 0);
  grid->addWidget(GattGrp, 1, 1);
  grid->addWidget(EditZutatGrp, 2, 0, 1, 2);
  grid->addWidget(InfoGrp, 0, 2, 2, 1);
  grid->addWidget(PicGrp, 2, 2);
  grid->addWidget(TextGrp, 3, 0, 1, 3);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(2, 3);
  grid->setRowStretch(3, 2);
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(0, 0, 0, 0);
  page->addWidget(ScrollBox);

  for (QWidget* w :
       std::initializer_list<QWidget*>{TitelEdt, TextRtf, SWortEdt, PortAnzEdt, ZeitAnzEdt, KostEdt,
                                       EnergieEdt, AutornameEdt, QuelleEdt, GattLiBo})
    w->installEventFilter(this);
  connect(GattNeuBtn, &QToolButton::clicked, this, [this] { GattNeuBtnClick(); });
  connect(fillAutorBtn, &QToolButton::clicked, this, [this] { fillAutorBtnClick(); });
  connect(CalcEnergieBtn, &QPushButton::clicked, this, [this] { CalcEnergieBtnClick(); });

  FormCreate();
  PlaceRatingPanels(false);
}

TNEditDlg::~TNEditDlg() {
  // Focus leaving a field while the page goes must not reach the recipe any more.
  editRecipe = nullptr;
  if (NEditDlg == this) NEditDlg = nullptr;
}

void TNEditDlg::FormCreate() {
  if (LangDlg) {
    LangDlg->TranslateForm(this);
    LangDlg->TranslateMenu("NEditDlg", PopupMnu);
  }
  if (PortionsDlg) PortionsDlg->FillPortionUnitCombo(PortArtCoBo);
  // Labels of the information group share one width, the rating labels included.
  int width = 0;
  const QFontMetrics fm(font());
  for (QLabel* l : {PortAnzTxt, ZeitAnzTxt, KostTxt, EnergieLbl, AutornameTxt, QuelleTxt,
                    QualityTxt, DifficultyTxt})
    width = std::max(width, fm.horizontalAdvance(l->text().remove(QLatin1Char('&'))) + 6);
  for (QLabel* l : {PortAnzTxt, ZeitAnzTxt, KostTxt, EnergieLbl, AutornameTxt, QuelleTxt,
                    QualityTxt, DifficultyTxt})
    l->setMinimumWidth(width);
  PortAnzEdt->setMaximumWidth(fm.averageCharWidth() * 8);
  EnergieEdt->setMaximumWidth(fm.averageCharWidth() * 8);
  QuelleEdt->setFixedHeight(fm.height() * 2 + 12);
  // Keywords and categories take four lines; the ingredients and the text get the rest.
  SWortEdt->setMinimumHeight(fm.height() * 4 + 12);
  GattLiBo->setMinimumHeight(fm.height() * 4 + 12);
}

// ---------------------------------------------------------------------------------------------
// Filling and storing

void TNEditDlg::NEditLoadRez(REZBLOCK* recipe) {
  editRecipe = recipe;
  loadedServings = recipe ? recipe->servings : 0;
  PlaceRatingPanels(false);
  NEditFillControls();
}

void TNEditDlg::FillRecipeCategories() {
  GattLiBo->clear();
  if (!editRecipe || !ctx().categories) return;
  for (uint16_t id : editRecipe->categories) {
    std::string name;
    if (id != 0 && ctx().categories->GetGattName(id, name)) GattLiBo->addItem(toQ(name));
  }
}

void TNEditDlg::NEditFillControls() {
  if (!editRecipe) return;
  const REZBLOCK& r = *editRecipe;
  editingCategories = false;
  TitelEdt->setText(toQ(r.title));
  SWortEdt->setPlainText(ShownText(r.hint));
  FillRecipeCategories();
  if (EditZutatDlg) EditZutatDlg->FillIngredientList();
  PortAnzEdt->setText(QString::number(r.servings));
  PortArtCoBo->setEditText(toQ(r.servingType));
  ZeitAnzEdt->setText(toQ(r.totalTime));
  KostEdt->setText(toQ(r.costs));
  EnergieEdt->setText(toQ(EnergyFieldText(r, OptionFlag(16), OptionFlag(88))));
  EnergieTxt->setText(toQ(OptionFlag(16) ? "kJoule" : "kcal"));
  AutornameEdt->setText(toQ(r.createdBy));
  QuelleEdt->setPlainText(ShownText(r.source));
  if (EditRezDlg) EditRezDlg->ShowRecipePicture();
  TextRtf->setPlainText(ShownText(r.text));
  ShowQualityStars(r.quality);
  ShowDifficultyStars(r.difficulty);
  // What the controls showed when filled; a control the user left alone writes nothing back.
  filled_.clear();
  for (QWidget* w :
       std::initializer_list<QWidget*>{TitelEdt, SWortEdt, PortArtCoBo, ZeitAnzEdt, KostEdt,
                                       EnergieEdt, AutornameEdt, QuelleEdt, TextRtf})
    filled_[w] = Shown(w);
}

QString TNEditDlg::Shown(QWidget* w) const {
  if (auto* box = qobject_cast<QComboBox*>(w)) return box->currentText();
  return PlainText(w);
}

bool TNEditDlg::Edited(QWidget* w) const {
  const auto it = filled_.find(w);
  return it == filled_.end() || it->second != Shown(w);
}

void TNEditDlg::NEditStoreTitle() {
  if (editRecipe && Edited(TitelEdt)) editRecipe->title = fromQ(TitelEdt->text()).substr(0, 59);
}

void TNEditDlg::NEditStoreRez() {
  if (!editRecipe) return;
  REZBLOCK& r = *editRecipe;
  NEditStoreCategories();
  NEditStoreTitle();
  if (Edited(TextRtf)) r.text = WithoutCR(ControlText(TextRtf->toPlainText())).substr(0, 19998);
  if (Edited(SWortEdt)) r.hint = KeywordsFromMemo(ControlText(SWortEdt->toPlainText()));
  r.servings = static_cast<int32_t>(ReadLong(fromQ(PortAnzEdt->text())));
  if (Edited(PortArtCoBo)) r.servingType = fromQ(PortArtCoBo->currentText());
  if (Edited(EnergieEdt))
    StoreEnergyField(r, fromQ(EnergieEdt->text()), OptionFlag(16), OptionFlag(88));
  if (Edited(ZeitAnzEdt)) r.totalTime = fromQ(ZeitAnzEdt->text()).substr(0, 1999);
  if (Edited(QuelleEdt))
    r.source = WithoutCR(ControlText(QuelleEdt->toPlainText())).substr(0, 1999);
  if (Edited(AutornameEdt)) r.createdBy = fromQ(AutornameEdt->text()).substr(0, 1999);
  if (Edited(KostEdt)) r.costs = fromQ(KostEdt->text()).substr(0, 1999);
  // Stored values are what the controls show from now on.
  for (auto& [w, text] : filled_) text = Shown(w);
}

void TNEditDlg::NEditStoreCategories() {
  if (!editingCategories || !editRecipe) return;
  uint16_t ids[10] = {};
  int n = 0;
  for (int i = 0; i < GattLiBo->count() && n < 10; ++i) {
    if (!GattLiBo->item(i)->isSelected()) continue;
    uint16_t codes[10] = {};
    if (ctx().categories && ctx().categories->GetGattIds(fromQ(GattLiBo->item(i)->text()), codes) &&
        codes[0] != 0)
      ids[n++] = codes[0];
  }
  std::copy(ids, ids + 10, editRecipe->categories);
}

// ---------------------------------------------------------------------------------------------
// Showing and layout

void TNEditDlg::NEditShowPage() {
  DockEditPage(this);
  FillHost(EditorPart("ImagePnl"), NEditPicPnl);
  NEditLayout();
}

void TNEditDlg::NEditLayout() {
  // The page's layout places the groups; the page keeps the size it needs to stay readable
  // and scrolls below it.
  // The least its groups need counts too: below it (a pane opened beside the editor) the
  // rating labels ran into each other and the pictures were cut.
  QWidget* content = ScrollBox->widget();
  content->setMinimumSize(QSize(554, 435).expandedTo(content->layout()->minimumSize()));
  if (EditRezDlg) EditRezDlg->FitPicture();
}

void TNEditDlg::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  NEditLayout();
}

// ---------------------------------------------------------------------------------------------
// Ratings

void TNEditDlg::ShowQualityStars(char rating) {
  for (int i = 0; i < 6; ++i) QualityImg[i]->setVisible(rating == '0' + i);
}

void TNEditDlg::ShowDifficultyStars(char rating) {
  for (int i = 0; i < 6; ++i) DifficultyImg[i]->setVisible(rating == '0' + i);
}

void TNEditDlg::PlaceRatingPanels(bool toQuickPage) {
  if (!toQuickPage) {
    ratingHome_->addWidget(QualityPnl);
    ratingHome_->addWidget(DifficultyPnl);
    QualityPnl->show();
    DifficultyPnl->show();
    return;
  }
  // On the quick entry page they stand in the room its information panel keeps for them.
  if (!QEditDlg) return;
  QWidget* room = QEditDlg->RatingSpace;
  for (QWidget* panel : {QualityPnl, DifficultyPnl}) {
    panel->setParent(room);
    panel->adjustSize();
  }
  QualityPnl->move(8, 4);
  DifficultyPnl->move(8, 4 + QualityPnl->height() + 4);
}

bool TNEditDlg::RatingsLent() const {
  return QualityPnl->parentWidget() != InfoGrp;
}

void TNEditDlg::QualityImgMouseDown(int x) {
  const char rating = static_cast<char>('0' + RatingFromX(x));
  ShowQualityStars(rating);
  if (RatingsLent()) {
    if (QEditDlg) QEditDlg->QEditSetQuality(rating);
  } else if (editRecipe) {
    editRecipe->quality = rating;
  }
}

void TNEditDlg::DifficultyImgMouseDown(int x) {
  const char rating = static_cast<char>('0' + RatingFromX(x));
  ShowDifficultyStars(rating);
  // Where the panels lie is read from the quality panel for both ratings.
  if (RatingsLent()) {
    if (QEditDlg) QEditDlg->QEditSetDifficulty(rating);
  } else if (editRecipe) {
    editRecipe->difficulty = rating;
  }
}

// ---------------------------------------------------------------------------------------------
// Events

bool TNEditDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    const int x = static_cast<QMouseEvent*>(event)->position().toPoint().x();
    for (int i = 0; i < 6; ++i) {
      if (watched == QualityImg[i]) {
        QualityImgMouseDown(x);
        return true;
      }
      if (watched == DifficultyImg[i]) {
        DifficultyImgMouseDown(x);
        return true;
      }
    }
  }
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
    const bool in = event->type() == QEvent::FocusIn;
    if (watched == GattLiBo) {
      if (in)
        GattLiBoEnter();
      else
        GattLiBoExit();
    } else if (auto* main = MainWindow()) {
      main->UpdateClipboardMenu();
    }
    if (!in && watched == PortAnzEdt) CheckServingsChange();
  }
  return QWidget::eventFilter(watched, event);
}

void TNEditDlg::GattLiBoEnter() {
  if (editingCategories || !ctx().categories) return;
  std::vector<ListItem> items;
  ctx().categories->FillMainGattList(items);
  GattLiBo->clear();
  for (const ListItem& item : items) GattLiBo->addItem(toQ(item.text));
  editingCategories = true;
  if (!editRecipe) return;
  for (uint16_t id : editRecipe->categories) {
    std::string name;
    if (id == 0 || !ctx().categories->GetGattName(id, name)) continue;
    for (QListWidgetItem* item : GattLiBo->findItems(toQ(name), Qt::MatchExactly))
      item->setSelected(true);
  }
}

void TNEditDlg::GattLiBoExit() {
  if (!editingCategories) return;
  NEditStoreCategories();
  FillRecipeCategories();
  editingCategories = false;
}

void TNEditDlg::GattNeuBtnClick() {
  // Choices made in the list itself count first; the category window then works on them.
  GattLiBoExit();
  if (!GattDlg || !editRecipe) return;
  NEditStoreTitle();  // the window is titled with the title as typed
  GattDlg->SetGattDlgMode(1, editRecipe);
  GattDlg->exec();
  if (GattDlg->GattDlgApplied()) FillRecipeCategories();
}

void TNEditDlg::fillAutorBtnClick() {
  const std::string name = ctx().options ? ctx().options->Str(10) : std::string();
  if (!name.empty()) {
    AutornameEdt->setText(toQ(name));
    return;
  }
  MessageBox(GetLangText(54), GetLangText(2), MB_OK);
  if (auto* main = MainWindow()) main->ShowOptionsWindow();
}

void TNEditDlg::PortAnzEdtExit() {
  if (auto* main = MainWindow()) main->UpdateClipboardMenu();
  CheckServingsChange();
}

void TNEditDlg::CheckServingsChange() {
  if (!editRecipe || loadedServings <= 0) return;
  const long typed = ReadLong(fromQ(PortAnzEdt->text()));
  if (typed == loadedServings) return;
  if (EditRezDlg) EditRezDlg->ChangeServings(static_cast<int>(typed));
  loadedServings = editRecipe->servings;
}

void TNEditDlg::CalcEnergieBtnClick() {
  if (EditRezDlg)
    EditRezDlg->CalcEditedRecipeNutrients();
  else
    NEditCalcEnergy();
}

void TNEditDlg::NEditCalcEnergy() {
  if (!editRecipe || !ctx().calc || !BLSZutatDlg) return;
  ctx().calc->editorEnergy = [this](const std::string& text) { EnergieEdt->setText(toQ(text)); };
  ctx().calc->LoadRecipeBlockForCalc(editRecipe);
  BLSZutatDlg->exec();
  // The calculation stored its sums in the recipe; the field shows them as stored.
  EnergieEdt->setText(toQ(EnergyFieldText(*editRecipe, OptionFlag(16), OptionFlag(88))));
  filled_[EnergieEdt] = EnergieEdt->text();
}

}  // namespace tav
