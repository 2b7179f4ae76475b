#include "recipes/ui/servings_dialog.h"

#include <algorithm>

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "recipedb/servings.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/recipe_output_views.h"
#include "services/context.h"
#include "services/text_tools.h"
#include "services/ui/form_controls.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"

namespace tav {

TPersAnzDlg* PersAnzDlg = nullptr;

namespace {

constexpr size_t kMaxSentence = 999;
constexpr int kDigitsRead = 8;

bool ViewTicked(const char* item) {
  MainWindowAccess* main = MainWindow();
  QAction* action = main ? main->Action(item) : nullptr;
  return action && action->isChecked();
}

bool StandardViewShown() {
  return DataRezDlg && ViewTicked("ViewStd");
}

// The text/HTML view or the print preview when the view menu has it ticked.
RecipeOutputView* ShownOutputView() {
  if (ViewTicked("ViewHTML")) return OutputView(OutputViewKind::HTML);
  if (ViewTicked("ViewPrint")) return OutputView(OutputViewKind::Print);
  return nullptr;
}

}  // namespace

TPersAnzDlg::TPersAnzDlg(QWidget* parent) : QDialog(parent) {
  PersAnzDlg = this;
  setObjectName(QStringLiteral("PersAnzDlg"));
  setWindowTitle(QString::fromUtf8("Ändern der Portionsmenge"));
  setModal(true);

  AktMengeTxt = Named<QLabel>(this, "AktMengeTxt");
  AktMengeTxt->setWordWrap(true);
  QFont bold = AktMengeTxt->font();
  bold.setBold(true);
  AktMengeTxt->setFont(bold);
  NewAnzLbl = Named<QLabel>(this, "NewAnzLbl");
  NewAnzLbl->setText(QString::fromUtf8("Anzeigen für:"));
  NewAnzEdt = Named<QLineEdit>(this, "NewAnzEdt");
  NewAnzEdt->setMaximumWidth(70);
  PortionBezTxt = Named<QLabel>(this, "PortionBezTxt");
  HinweisTxt = Named<QLabel>(this, "HinweisTxt");
  HinweisTxt->setWordWrap(true);
  HinweisTxt->setText(QString::fromUtf8(
      "Hinweis: Die Anzahl dient nur für die Anzeige, das Rezept selbst wird nicht verändert!"));
  OrgAnzBtn = Named<QPushButton>(this, "OrgAnzBtn");
  OrgAnzBtn->setText(QString::fromUtf8("Original&menge anzeigen"));
  OKBtn = Named<QPushButton>(this, "OKBtn");
  OKBtn->setText(QStringLiteral("OK"));
  OKBtn->setDefault(true);
  CancelBtn = Named<QPushButton>(this, "CancelBtn");
  CancelBtn->setText(QString::fromUtf8("&Abbrechen"));

  auto* number = new QHBoxLayout;
  number->addWidget(NewAnzLbl);
  number->addWidget(NewAnzEdt);
  number->addWidget(PortionBezTxt, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(OrgAnzBtn);
  buttons->addStretch(1);
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(AktMengeTxt);
  layout->addLayout(number);
  layout->addWidget(HinweisTxt);
  layout->addStretch(1);
  layout->addLayout(buttons);

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(OrgAnzBtn, &QPushButton::clicked, this, [this] { OrgAnzBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  if (LangDlg) LangDlg->TranslateForm(this);
}

TPersAnzDlg::~TPersAnzDlg() {
  if (PersAnzDlg == this) PersAnzDlg = nullptr;
}

void TPersAnzDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TPersAnzDlg::FormShow() {
  const std::string type = ShownServingType();
  std::string sentence =
      FormatLangText(GetLangText(679).substr(0, kMaxSentence),
                     {std::to_string(GetRecipeServings()), type});
  if (sentence.size() > kMaxSentence) sentence.resize(kMaxSentence);
  AktMengeTxt->setText(toQ(sentence));
  PortionBezTxt->setText(toQ(type));
  NewAnzEdt->setText(QString::number(GetChosenServings()));
  NewAnzEdt->selectAll();
  NewAnzEdt->setFocus();
  CenterOnForm(this);
}

void TPersAnzDlg::OKBtnClick() {
  // A negative number would select one of the servings states; it counts as none.
  const int n = std::max(0, static_cast<int>(ReadLong(fromQ(NewAnzEdt->text()).substr(0, kDigitsRead))));
  SetChosenServings(n);
  RedisplayShown(n);
  accept();
}

void TPersAnzDlg::OrgAnzBtnClick() {
  NewAnzEdt->setText(QString::number(GetRecipeServings()));
  OKBtnClick();
}

// The view the main window's view menu has ticked tells the serving type and shows its recipe
// again.
std::string TPersAnzDlg::ShownServingType() const {
  if (StandardViewShown()) return DataRezDlg->GetShownServingType();
  if (RecipeOutputView* view = ShownOutputView()) return view->ShownServingType();
  return std::string();
}

void TPersAnzDlg::RedisplayShown(int servings) {
  if (StandardViewShown()) DataRezDlg->RedisplayCurrentRecipe(servings);
  if (RecipeOutputView* view = ShownOutputView()) view->RefreshView();
}

}  // namespace tav
