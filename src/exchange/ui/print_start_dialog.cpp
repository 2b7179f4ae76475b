#include "exchange/ui/print_start_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "exchange/export_run.h"
#include "exchange/page_output.h"
#include "exchange/ui/print_preview_window.h"
#include "exchange/ui/qt_printing.h"
#include "exchange/ui/recipe_list_snapshot_qt.h"
#include "pictures/ui/picture_loader.h"
#include "platform/qt/qt_text.h"
#include "recipes/ui/key_figures_dialog.h"
#include "recipes/ui/menu_planner_access.h"
#include "recipes/ui/recipe_editor_window.h"
#include "recipes/ui/week_plan_access.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TPrintStartDlg* PrintStartDlg = nullptr;

namespace {

struct ModeShow {
  int mode;
  const char* picture;  // in Pics/Zutaten of the data root
  int description;      // language text
};
const ModeShow kModes[] = {{TPrintStartDlg::kRecipeHTML, "PrnRezTPL.bmp", 639},
                           {TPrintStartDlg::kWeekPlan, "PrnWeekSim.bmp", 745},
                           {TPrintStartDlg::kRecipe, "PrnRezSim.bmp", 742},
                           {TPrintStartDlg::kSelected, "PrnRezSim.bmp", 743},
                           {TPrintStartDlg::kMarked, "PrnRezSim.bmp", 744},
                           {TPrintStartDlg::kMenuCard, "PrnMenu.bmp", 741}};

// The preview picture's size on the form.
constexpr int kPictureW = 113, kPictureH = 161;

}  // namespace

TPrintStartDlg::TPrintStartDlg(QWidget* parent) : QDialog(parent) {
  PrintStartDlg = this;
  setObjectName(QStringLiteral("PrintStartDlg"));
  setWindowTitle(toQ("Druckausgabe"));

  PRecipeBtn = Captioned<QRadioButton>(this, "PRecipeBtn", "Aktuelles Rezept mit Bildern ausgeben");
  PMenuBtn = Captioned<QRadioButton>(this, "PMenuBtn", "Men\xFC-Karte stilvoll ausgeben");
  PRecipeSimpleBtn = Captioned<QRadioButton>(
      this, "PRecipeSimpleBtn", "aktuelles Rezept ohne Bilder drucken (einfache Ausgabe)");
  PSelRecSimpleBtn = Captioned<QRadioButton>(
      this, "PSelRecSimpleBtn", "alle selektierten Rezepte ohne Bilder drucken (einfache Ausgabe)");
  PMarkRecSimpleBtn = Captioned<QRadioButton>(
      this, "PMarkRecSimpleBtn", "alle markierten Rezepte ohne Bilder drucken (einfache Ausgabe)");
  PWeekSimpleBtn =
      Captioned<QRadioButton>(this, "PWeekSimpleBtn", "Aktuellen Wochenplan als Liste drucken");

  PreviewGrp = Named<QGroupBox>(this, "PreviewGrp");
  PreviewGrp->setTitle(toQ(" Vorschau "));
  PreviewImg = Named<QLabel>(PreviewGrp, "PreviewImg");
  PreviewImg->setFixedSize(kPictureW, kPictureH);
  PreviewImg->setScaledContents(true);
  auto* preview = new QVBoxLayout(PreviewGrp);
  preview->addWidget(PreviewImg, 0, Qt::AlignCenter);

  PrintInfoEdt = Named<QPlainTextEdit>(this, "PrintInfoEdt");
  PrintInfoEdt->setReadOnly(true);
  PrintInfoEdt->setFixedHeight(PrintInfoEdt->fontMetrics().lineSpacing() * 4 + 12);

  StartBtn = Captioned<QPushButton>(this, "StartBtn", "&Druck starten");
  StartBtn->setDefault(true);
  QFont bold = StartBtn->font();
  bold.setBold(true);
  StartBtn->setFont(bold);
  PrinterSettingsBtn = Captioned<QPushButton>(this, "PrinterSettingsBtn", "&Druckereinstellungen");
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn",
                                     "&Schlie\xDF"
                                     "en");
  HelpBtn = Named<QToolButton>(this, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));
  HelpBtn->setAutoRaise(true);

  auto* choices = new QVBoxLayout;
  for (QRadioButton* b : {PRecipeBtn, PMenuBtn, PRecipeSimpleBtn, PSelRecSimpleBtn,
                          PMarkRecSimpleBtn, PWeekSimpleBtn})
    choices->addWidget(b);
  choices->addSpacing(8);
  choices->addWidget(PrintInfoEdt);
  choices->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addLayout(choices, 1);
  top->addWidget(PreviewGrp, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {StartBtn, PrinterSettingsBtn, CancelBtn}));
  layout->setSizeConstraint(QLayout::SetFixedSize);  // a fixed dialog border

  for (const ModeShow& m : kModes) {
    const int mode = m.mode;
    connect(ModeButton(mode), &QRadioButton::clicked, this, [this, mode] { ModeClick(mode); });
  }
  connect(StartBtn, &QPushButton::clicked, this, [this] { StartBtnClick(); });
  connect(PrinterSettingsBtn, &QPushButton::clicked, this, [this] { PrinterSettingsBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

QRadioButton* TPrintStartDlg::ModeButton(int mode) const {
  switch (mode) {
    case kMenuCard:
      return PMenuBtn;
    case kRecipe:
      return PRecipeSimpleBtn;
    case kSelected:
      return PSelRecSimpleBtn;
    case kMarked:
      return PMarkRecSimpleBtn;
    case kWeekPlan:
      return PWeekSimpleBtn;
    default:
      return PRecipeBtn;
  }
}

void TPrintStartDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TPrintStartDlg::FormShow() {
  CenterOnForm(this);
  PRecipeBtn->setChecked(true);
  ModeClick(kRecipeHTML);
  StartBtn->setFocus();
}

void TPrintStartDlg::ModeClick(int mode) {
  PrintMode = mode;
  ShowPrintPreview();
}

void TPrintStartDlg::ShowPrintPreview() {
  for (const ModeShow& m : kModes) {
    if (m.mode != PrintMode) continue;
    const std::string root = ctx().options ? ctx().options->Str(90) : std::string();
    QImage picture;
    // A picture that is missing or cannot be read shows nothing.
    if (LoadPictureOrLog(root + "Pics/Zutaten/" + m.picture, picture))
      PreviewImg->setPixmap(QPixmap::fromImage(picture));
    else
      PreviewImg->clear();
    PrintInfoEdt->setPlainText(toQ(GetLangText(m.description)));
  }
}

bool TPrintStartDlg::EditorLetsGo() const {
  return !EditRezDlg || EditRezDlg->AskSaveChanges(true);
}

void TPrintStartDlg::PrintListRecipe(int item) {
  REZBLOCK recipe;
  const RecipeListSnapshot list = TakeRecipeListSnapshot();
  if (!ReadRecipeOfListItem(item, list.searchMode, recipe)) return;
  QtPrintDevice device(this);
  // A layout of its own: the preview keeps the recipe it shows and prints.
  RecipePrintView view;
  view.keyFigures = KenndatenDlg;
  view.PrintRecipe(device, recipe, recipe.servings);
}

void TPrintStartDlg::StartBtnClick() {
  switch (PrintMode) {
    case kRecipeHTML: {
      ExportRun run;
      run.list = TakeRecipeListSnapshot();
      run.keyFigures = KenndatenDlg;
      ShowRecipeHTML(run);
      accept();
      return;
    }
    case kRecipe:
    case kSelected:
    case kMarked: {
      if (!EditorLetsGo()) return;
      const RecipeListSnapshot list = TakeRecipeListSnapshot();
      std::vector<int> items;
      if (PrintMode == kRecipe) {
        const int row = list.CurrentRecipeRow();
        if (row >= 0) items.push_back(list.items[static_cast<size_t>(row)]);
      } else {
        for (int row = 0; row < list.Count(); ++row) {
          REZINDEX entry;
          // Marked means the marked bit: a menu that is not marked is not printed.
          const bool take = PrintMode == kSelected
                                ? list.Selected(row)
                                : list.Entry(row, entry) && entry.IsMarked();
          if (take) items.push_back(list.items[static_cast<size_t>(row)]);
        }
        if (PrintMode == kSelected && items.empty()) return;
        if (PrintMode == kMarked && list.Count() == 0) return;
      }
      for (int item : items) PrintListRecipe(item);
      accept();
      return;
    }
    case kWeekPlan:
      // The week planner writes the shown week and prints it (or says that it is empty).
      if (WeekPlanAccess* plan = WeekPlanPane()) plan->PrintWeekPlan();
      accept();
      return;
    case kMenuCard:
      // The menu planner makes the card of the open menu; the dialog stays open.
      if (MenuPlannerAccess* planner = MenuPlanner()) planner->PrintMenuPlan();
      return;
    default:
      return;
  }
}

void TPrintStartDlg::PrinterSettingsBtnClick() {
  RunPrinterSetup(this);
  if (PrintRezDlg) PrintRezDlg->update();
}

void TPrintStartDlg::CancelBtnClick() {
  reject();
}

void TPrintStartDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Print.htm");
}

}  // namespace tav
