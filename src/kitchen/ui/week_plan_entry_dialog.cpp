#include "kitchen/ui/week_plan_entry_dialog.h"

#include <QAction>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/servings.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/recipe_list_window.h"
#include "recipes/ui/recipe_output_views.h"
#include "services/context.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"
#include "services/ui/named_controls.h"

namespace tav {

TWPParaDlg* WPParaDlg = nullptr;

void ShowPlannedRecipe(int16_t book, int32_t number, int servings) {
  SetChosenServings(servings);
  // The views the main window has switched on show their recipe again for these servings.
  MainWindowAccess* main = MainWindow();
  auto on = [main](const char* item) {
    QAction* action = main ? main->Action(item) : nullptr;
    return action && action->isChecked();
  };
  if (on("ViewStd") && DataRezDlg) DataRezDlg->RedisplayCurrentRecipe(servings);
  if (on("ViewHTML"))
    if (RecipeOutputView* view = OutputView(OutputViewKind::HTML)) view->RefreshView();
  if (on("ViewPrint"))
    if (RecipeOutputView* view = OutputView(OutputViewKind::Print)) view->RefreshView();
  if (ChooseRezDlg) ChooseRezDlg->JumpToRecipe(book, number, false);
}

TWPParaDlg::TWPParaDlg(QWidget* parent) : QDialog(parent) {
  WPParaDlg = this;
  setObjectName(QStringLiteral("WPParaDlg"));
  setWindowTitle(QStringLiteral("Rezept im Wochenplan"));
  setModal(true);

  TitelLbl = Captioned<QLabel>(this, "TitelLbl", "Rezept:");
  WPPTitel = Named<QLabel>(this, "WPPTitel");
  QFont bold = WPPTitel->font();
  bold.setBold(true);
  WPPTitel->setFont(bold);
  WPPTitel->setStyleSheet(QStringLiteral("color: #770000;"));
  BookLbl = Captioned<QLabel>(this, "BookLbl", "Kochbuch:");
  WPPKBookName = Named<QLabel>(this, "WPPKBookName");
  DateLbl = Captioned<QLabel>(this, "DateLbl", "Tag:");
  WPPDate = Named<QLabel>(this, "WPPDate");
  ServLbl = Captioned<QLabel>(this, "ServLbl", "Geplant f\xFCr:");
  WPPAnzServ = Named<QLineEdit>(this, "WPPAnzServ");
  WPPAnzServ->setFixedWidth(50);
  WPPArtServ = Named<QLabel>(this, "WPPArtServ");
  BemLbl = Captioned<QLabel>(this, "BemLbl", "Bemerkung:");
  WPPBem = Named<QLineEdit>(this, "WPPBem");
  WPPBem->setMinimumWidth(280);
  ShowRezBtn = Captioned<QPushButton>(this, "ShowRezBtn", "&zum Rezept springen");
  ShowRezBtn->setAutoDefault(false);
  OKBtn = Captioned<QPushButton>(this, "OKBtn",
                                 "&Schlie\xDF"
                                 "en");
  OKBtn->setDefault(true);

  auto* servings = new QHBoxLayout;
  servings->addWidget(WPPAnzServ);
  servings->addWidget(WPPArtServ, 1);
  auto* grid = new QGridLayout;
  grid->addWidget(TitelLbl, 0, 0);
  grid->addWidget(WPPTitel, 0, 1);
  grid->addWidget(BookLbl, 1, 0);
  grid->addWidget(WPPKBookName, 1, 1);
  grid->addWidget(DateLbl, 2, 0);
  grid->addWidget(WPPDate, 2, 1);
  grid->addWidget(ServLbl, 3, 0);
  grid->addLayout(servings, 3, 1);
  grid->addWidget(BemLbl, 4, 0);
  grid->addWidget(WPPBem, 4, 1);
  grid->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addStretch(1);
  layout->addLayout(DialogButtonRow(nullptr, {ShowRezBtn, OKBtn}));

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(ShowRezBtn, &QPushButton::clicked, this, [this] { ShowRezBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TWPParaDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TWPParaDlg::FormShow() {
  if (entry_) {
    WPPTitel->setText(toQ(entry_->text));
    WPPKBookName->setText(ctx().books ? toQ(ctx().books->GetKBookName(entry_->book)) : QString());
    // As the week grid's column titles write it, whatever the system's locale.
    WPPDate->setText(toQ(ShortDateText(entry_->day)));
    WPPAnzServ->setText(QString::number(entry_->servings));
    WPPArtServ->setText(toQ(entry_->servingKind));
    WPPBem->setText(toQ(entry_->remark));
  }
  CenterOnForm(this);
}

void TWPParaDlg::OKBtnClick() {
  if (entry_) {
    entry_->servings = static_cast<int32_t>(ReadLong(fromQ(WPPAnzServ->text())));
    entry_->remark = fromQ(WPPBem->text());
  }
  accept();
}

void TWPParaDlg::keyPressEvent(QKeyEvent* e) {
  // The close button is also the cancel button: Escape keeps the edits as well.
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    OKBtnClick();
    return;
  }
  QDialog::keyPressEvent(e);
}

void TWPParaDlg::ShowRezBtnClick() {
  if (entry_) ShowPlannedRecipe(entry_->book, entry_->recipeNo, entry_->servings);
}

}  // namespace tav
