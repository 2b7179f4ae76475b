#include "kitchen/ui/season_dialog.h"

#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "kitchen/season/season_calendar.h"
#include "kitchen/ui/season_grid.h"
#include "platform/qt/qt_text.h"
#include "recipedb/recipe_records.h"
#include "recipes/ui/info_pane_window.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/form_controls.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TSaisonDlg* SaisonDlg = nullptr;

namespace {

QLabel* Legend(QWidget* parent, const char* name, const char* caption, const char* style) {
  QLabel* l = Captioned<QLabel>(parent, name, caption);
  l->setStyleSheet(QString::fromLatin1(style));
  return l;
}

}  // namespace

TSaisonDlg::TSaisonDlg(QWidget* parent) : QDialog(parent) {
  SaisonDlg = this;
  Registered<SeasonAccess>::Enter(this);
  ClearRezBlock(Recipe);
  setObjectName(QStringLiteral("SaisonDlg"));
  setWindowTitle(
      toQ("Saison-\xDC"
          "bersicht: Was gibts denn zur Zeit frisch ?"));
  setModal(true);
  setSizeGripEnabled(true);

  FilterTab = Named<QTabBar>(this, "FilterTab");
  FilterTab->setExpanding(false);
  for (const char* tab : {"Aktuelle Zutaten der jetzigen Saison", "Alle Zutaten mit Saisonangaben",
                          "Saisonangaben zu Zutaten des aktuellen Rezepts"})
    FilterTab->addTab(toQ(tab));

  // The grid panel: month names over the grid; a note in place of the grid when it is empty.
  SaisonHome = Named<QWidget>(this, "SaisonHome");
  DockColumn(SaisonHome);
  SaisonPnl = Named<QWidget>(SaisonHome, "SaisonPnl");
  DataGrd = new SeasonGrid(SeasonGrid::Kind::Calendar, SaisonPnl);
  DataGrd->setObjectName(QStringLiteral("DataGrd"));
  DataGrd->setFrameShape(QFrame::NoFrame);
  Panel2 = Named<QWidget>(SaisonPnl, "Panel2");
  MonthGrd = new SeasonMonthRow(DataGrd, Panel2);
  MonthGrd->setObjectName(QStringLiteral("MonthGrd"));
  MonthGrd->setEnabled(false);
  DockColumn(Panel2)->addWidget(MonthGrd);
  NoDataEdt = Named<QPlainTextEdit>(SaisonPnl, "NoDataEdt");
  NoDataEdt->setFrameShape(QFrame::NoFrame);
  NoDataEdt->setEnabled(false);
  NoDataEdt->setFixedHeight(NoDataEdt->fontMetrics().lineSpacing() * 4);
  auto* grid = new QGridLayout(SaisonPnl);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  grid->addWidget(Panel2, 0, 0);
  grid->addWidget(DataGrd, 1, 0);
  grid->addWidget(NoDataEdt, 1, 0, Qt::AlignTop);
  grid->setRowStretch(1, 1);
  SaisonHome->layout()->addWidget(SaisonPnl);
  panel_ = SaisonPnl;

  Panel1 = Named<QWidget>(this, "Panel1");
  GoTodayBtn = Captioned<QPushButton>(Panel1, "GoTodayBtn", "&Heute");
  Label1 = Legend(Panel1, "Label1", "  Hauptsaison (Dunkelgr\xFCn)  ",
                  "background: #00AA00; color: white; padding: 3px;");
  Label3 = Legend(Panel1, "Label3", "  Nebensaison (Hellgr\xFCn)  ",
                  "background: #00FF00; color: black; padding: 3px;");
  MainSaisonChk = Captioned<QCheckBox>(Panel1, "MainSaisonChk",
                                       "Nur Hauptsaison ber\xFC"
                                       "cksichtigen");
  HelpBtn = Named<QToolButton>(Panel1, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));
  CloseBtn = Captioned<QPushButton>(Panel1, "CloseBtn",
                                    "&Schlie\xDF"
                                    "en");
  auto* bar = new QHBoxLayout(Panel1);
  bar->setContentsMargins(0, 6, 0, 0);
  bar->addWidget(GoTodayBtn);
  bar->addSpacing(12);
  bar->addWidget(Label1);
  bar->addWidget(Label3);
  bar->addSpacing(12);
  bar->addWidget(MainSaisonChk);
  bar->addStretch(1);
  bar->addWidget(HelpBtn);
  bar->addWidget(CloseBtn);

  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(0);
  layout->addWidget(FilterTab);
  layout->addWidget(SaisonHome, 1);
  layout->addWidget(Panel1);
  resize(939, 540);

  connect(FilterTab, &QTabBar::currentChanged, this, [this] { FilterTabChange(); });
  connect(MainSaisonChk, &QCheckBox::clicked, this, [this] { MainSaisonChkClick(); });
  connect(GoTodayBtn, &QPushButton::clicked, this, [this] { GoTodayBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(CloseBtn, &QPushButton::clicked, this, [this] { CloseBtnClick(); });
  DataGrd->OnClick = [this] { DataGrdClick(); };
  DataGrd->OnSlotWidthChanged = [this] { MonthGrd->update(); };
  DataGrd->SetCurrentColumn(2);
  CurrentSlot = TodaysSlot();
  FormCreate();
}

TSaisonDlg::~TSaisonDlg() {
  Registered<SeasonAccess>::Leave(this);
  // A panel lent to the information pane shows this window's rows: it goes with the window.
  if (panel_ && panel_->parentWidget() != SaisonHome) delete panel_.data();
  if (SaisonDlg == this) SaisonDlg = nullptr;
}

void TSaisonDlg::FormCreate() {
  if (LangDlg) LangDlg->TranslateForm(this);
  NoDataEdt->setPlainText(toQ("\n" + GetLangText(587) + "\n"));
  FillSeasonGrid();
}

int TSaisonDlg::TodaysSlot() {
  const QDate today = QDate::currentDate();
  return SeasonSlot(today.month() - 1, today.day());
}

// --- what the recipe windows ask ------------------------------------------------------------

void TSaisonDlg::SetSeasonRecipe(const REZBLOCK& recipe) {
  Recipe = recipe;
  if (isVisible() || (InfoRezDlg && InfoRezDlg->InfoPageNo == 3)) FillSeasonGrid();
}

QWidget* TSaisonDlg::SeasonPanel() {
  return SaisonPnl;
}

void TSaisonDlg::SetFilterTab(int tab) {
  if (tab == FilterTab->currentIndex()) return;
  FilterTab->setCurrentIndex(tab);  // FilterTabChange fills the grid
}

void TSaisonDlg::UpdateSeasonSlot() {
  CurrentSlot = TodaysSlot();
  FillSeasonGrid();
}

// --- the grid -------------------------------------------------------------------------------

void TSaisonDlg::FillSeasonGrid() {
  Shown.clear();
  if (ctx().ingredients) {
    const auto tab = static_cast<SeasonTab>(std::max(0, FilterTab->currentIndex()));
    for (const REZZUTATEN* z : SeasonIngredients(ctx().ingredients->zutaten, tab, CurrentSlot,
                                                 MainSaisonChk->isChecked(), Recipe))
      Shown.push_back(*z);
  }
  std::vector<const REZZUTATEN*> rows;
  rows.reserve(Shown.size());
  for (const REZZUTATEN& z : Shown) rows.push_back(&z);
  DataGrd->SetCurrentSlot(CurrentSlot);
  DataGrd->SetRows(std::move(rows));
  NoDataEdt->setVisible(Shown.empty());
}

void TSaisonDlg::MovePanelTo(QWidget* ground) {
  if (!ground || SaisonPnl->parentWidget() == ground) {
    SaisonPnl->show();
    return;
  }
  SaisonPnl->setParent(ground);
  ground->layout()->addWidget(SaisonPnl);
  SaisonPnl->show();
}

// --- events ---------------------------------------------------------------------------------

void TSaisonDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  MovePanelTo(SaisonHome);
  MainSaisonChk->setVisible(FilterTab->currentIndex() == 0);
  FillSeasonGrid();
  CenterOnForm(this);
  NoDataEdt->setPlainText(toQ("\n" + GetLangText(587) + "\n"));
}

void TSaisonDlg::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  // The information pane's season page, when it is showing, gets its grid back.
  if (InfoRezDlg && InfoRezDlg->InfoPageNo == 3) {
    MovePanelTo(InfoRezDlg->SaisonGround);
    SetFilterTab(2);
    UpdateSeasonSlot();
  }
}

void TSaisonDlg::FilterTabChange() {
  MainSaisonChk->setVisible(FilterTab->currentIndex() == 0);
  FillSeasonGrid();
}

void TSaisonDlg::MainSaisonChkClick() {
  FillSeasonGrid();
}

void TSaisonDlg::GoTodayBtnClick() {
  UpdateSeasonSlot();
}

void TSaisonDlg::DataGrdClick() {
  const int column = DataGrd->CurrentColumn();
  if (column <= 0) return;
  CurrentSlot = column;
  FillSeasonGrid();
}

void TSaisonDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Saison.htm");
}

void TSaisonDlg::CloseBtnClick() {
  reject();
}

}  // namespace tav
