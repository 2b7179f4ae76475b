#include "app/ui/startup.h"

#include <QApplication>
#include <functional>
#include <stdexcept>
#include <vector>

#include "app/creation_order.h"
#include "app/startup_files.h"
#include "app/ui/about_dialog.h"
#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "app/ui/options_dialog.h"
#include "app/ui/splash_dialog.h"
#include "app/ui/tips_dialog.h"
#include "diary/diary_module.h"
#include "diary/ui/age_range_dialog.h"
#include "diary/ui/calendar_window.h"
#include "diary/ui/day_panel_window.h"
#include "diary/ui/diary_overview_dialog.h"
#include "diary/ui/end_date_dialog.h"
#include "diary/ui/intake_tables_dialog.h"
#include "diary/ui/person_data_dialog.h"
#include "diary/ui/person_list_dialog.h"
#include "exchange/ui/auto_import_dialog.h"
#include "exchange/ui/export_dialog.h"
#include "exchange/ui/html_view_window.h"
#include "exchange/ui/import_dialog.h"
#include "exchange/ui/print_preview_window.h"
#include "exchange/ui/print_start_dialog.h"
#include "exchange/ui/recipe_list_export_dialog.h"
#include "kitchen/ui/best_before_dialog.h"
#include "kitchen/ui/dealers_dialog.h"
#include "kitchen/ui/freezer_dialog.h"
#include "kitchen/ui/lexicon_chapters_dialog.h"
#include "kitchen/ui/lexicon_dialog.h"
#include "kitchen/ui/lexicon_entry_dialog.h"
#include "kitchen/ui/menu_course_dialog.h"
#include "kitchen/ui/menu_planner_window.h"
#include "kitchen/ui/season_dialog.h"
#include "kitchen/ui/season_input_dialog.h"
#include "kitchen/ui/shopping_dialog.h"
#include "kitchen/ui/shopping_list_window.h"
#include "kitchen/ui/week_plan_entry_dialog.h"
#include "kitchen/ui/week_plan_remark_dialog.h"
#include "kitchen/ui/week_plan_window.h"
#include "maintenance/data_backup.h"
#include "maintenance/data_takeover.h"
#include "maintenance/ui/backup_dialog.h"
#include "maintenance/ui/quenora_export_dialog.h"
#include "maintenance/ui/survey_dialog.h"
#include "maintenance/ui/takeover_dialog.h"
#include "nutrients/ui/filter_group_dialog.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "nutrients/ui/food_chooser_dialog.h"
#include "nutrients/ui/food_compare_window.h"
#include "nutrients/ui/food_search_dialog.h"
#include "nutrients/ui/new_filter_dialog.h"
#include "nutrients/ui/nutrient_calc_dialog.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "recipedb/recipe_store.h"
#include "recipedb/ui/category_dialog.h"
#include "recipedb/ui/category_input_dialog.h"
#include "recipedb/ui/cookbook_dialog.h"
#include "recipedb/ui/ingredients_dialog.h"
#include "recipedb/ui/reorg_dialog.h"
#include "recipedb/ui/statistics_dialog.h"
#include "recipedb/ui/unit_input_dialog.h"
#include "recipedb/ui/units_dialog.h"
#include "recipes/ui/alert_dialog.h"
#include "recipes/ui/bulk_change_dialog.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/duplicate_search_dialog.h"
#include "recipes/ui/edit_additional_page_window.h"
#include "recipes/ui/edit_other_page_window.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/empty_view_window.h"
#include "recipes/ui/info_pane_window.h"
#include "recipes/ui/ingredient_chooser_dialog.h"
#include "recipes/ui/ingredient_lines_window.h"
#include "recipes/ui/ingredient_pane_window.h"
#include "recipes/ui/ingredient_picker_dialog.h"
#include "recipes/ui/key_figures_dialog.h"
#include "recipes/ui/portions_dialog.h"
#include "recipes/ui/power_search_dialog.h"
#include "recipes/ui/quick_entry_page_window.h"
#include "recipes/ui/recipe_editor_window.h"
#include "recipes/ui/recipe_list_window.h"
#include "recipes/ui/servings_dialog.h"
#include "recipes/ui/standard_view_window.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/startup_texts.h"
#include "services/text_tools.h"
#include "services/tools_module.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/progress_dialog.h"

namespace tav {

namespace {

// How to delete each created instance again, in creation order.
std::vector<std::function<void()>>& Deleters() {
  static std::vector<std::function<void()>> deleters;
  return deleters;
}

// The food browser's own day panel: it adds the browser's current food to the day shown and
// keeps the main window's consumption pane in step with the browser's.
class BrowserDiaryPanel final : public BrowserDayPanel {
 public:
  explicit BrowserDiaryPanel(TBLSMainDlg* browser)
      : panel_(new TENAddDayDlg(
            nullptr, [browser](int d, int m, int y) { browser->AddSelectedFoodToDay(d, m, y); })) {
    panel_->closeRequested = [browser] { browser->ToggleBLSConsumptionPanel(true); };
  }
  QWidget* PanelWidget() override { return panel_; }
  void RefreshDayPanel() override { panel_->RefreshDayPanel(); }
  bool CheckPersonExists() override { return ENApplogMod && ENApplogMod->CheckPersonExists(); }
  void SyncConsumptionViews(bool) override {
    if (MainFrm) MainFrm->ToggleConsumptionPane(false);
  }

 private:
  TENAddDayDlg* panel_;  // owned by the browser once it is docked
};

void Created(const char* className, std::function<void()> deleter) {
  NoteCreated(className);
  Deleters().push_back(std::move(deleter));
}

// A window owned by the main window, created through its global.
template <class T>
void Form(T*& global, const char* className) {
  global = new T(MainFrm);
  T** slot = &global;
  Created(className, [slot] {
    delete *slot;
    *slot = nullptr;
  });
}

}  // namespace

void CreateAllWindows() {
  if (MainFrm) throw std::logic_error("the windows exist already");
  MainFrm = new TMainFrm;
  Created("TMainFrm", [] { delete MainFrm; });
  // An invisible window: no owner, so it never shows inside the main window.
  LangDlg = new TLangDlg;
  LangDlg->FormCreate(MainFrm);
  Created("TLangDlg", [] { delete LangDlg; });
  ToolsMod = new TToolsMod;
  ctx().tools = ToolsMod;
  Created("TToolsMod", [] {
    delete ToolsMod;
    ToolsMod = nullptr;
  });
  Form(ParaDlg, "TParaDlg");
  // Before any window reads the data: a restore cut short is finished first.
  DataBackup(BackupPlaces::FromProgram()).FinishInterruptedRestore();
  Form(WPlanDlg, "TWPlanDlg");
  Form(showRezDlg, "TshowRezDlg");
  Form(GattDlg, "TGattDlg");
  Form(ChooseRezDlg, "TChooseRezDlg");
  Form(DataRezDlg, "TDataRezDlg");
  Form(InfoRezDlg, "TInfoRezDlg");
  Form(ZutatRezDlg, "TZutatRezDlg");
  dbList = new TdbList;
  ctx().dbList = dbList;
  Created("TdbList", [] {
    delete dbList;
    dbList = nullptr;
    ctx().dbList = nullptr;
  });
  Form(EmptyDlg, "TEmptyDlg");
  Form(HTMLRezDlg, "THTMLRezDlg");
  Form(EinheitenDlg, "TEinheitenDlg");
  Form(PortionsDlg, "TPortionsDlg");
  Form(NEditDlg, "TNEditDlg");
  Form(ZEditDlg, "TZEditDlg");
  Form(QEditDlg, "TQEditDlg");
  Form(AEditDlg, "TAEditDlg");
  Form(EditRezDlg, "TEditRezDlg");
  Form(EditZutatDlg, "TEditZutatDlg");
  Form(KBookDlg, "TKBookDlg");
  Form(InpGattDlg, "TInpGattDlg");
  Form(ZutatenDlg, "TZutatenDlg");
  Form(InpEinheitDlg, "TInpEinheitDlg");
  Form(InfoDlg, "TInfoDlg");
  Form(ChooseZutatDlg, "TChooseZutatDlg");
  Form(PrintRezDlg, "TPrintRezDlg");
  Form(WPBemDlg, "TWPBemDlg");
  Form(AssistDlg, "TAssistDlg");
  Form(ImportDlg, "TImportDlg");
  Form(StatistikDlg, "TStatistikDlg");
  Form(KaufRezListDlg, "TKaufRezListDlg");
  Form(EinkaufDlg, "TEinkaufDlg");
  Form(ReorgDlg, "TReorgDlg");
  Form(PSearchDlg, "TPSearchDlg");
  Form(PrintStartDlg, "TPrintStartDlg");
  Form(LexBookDlg, "TLexBookDlg");
  Form(LexInpDlg, "TLexInpDlg");
  Form(LexShowDlg, "TLexShowDlg");
  Form(WPParaDlg, "TWPParaDlg");
  Form(ProgressDlg, "TProgressDlg");
  Form(DupesDlg, "TDupesDlg");
  Form(ExpRezListDlg, "TExpRezListDlg");
  Form(AutoImpDlg, "TAutoImpDlg");
  Form(GetZutatDlg, "TGetZutatDlg");
  Form(SaisonDlg, "TSaisonDlg");
  Form(SaisonInpDlg, "TSaisonInpDlg");
  Form(ZufuhrDlg, "TZufuhrDlg");
  ENApplogMod = new TENApplogMod;
  Created("TENApplogMod", [] {
    delete ENApplogMod;
    ENApplogMod = nullptr;
  });
  Form(ENAddDayDlg, "TENAddDayDlg");
  Form(ENViewDayDlg, "TENViewDayDlg");
  Form(BLSMainDlg, "TBLSMainDlg");
  Form(BLSCompareDlg, "TBLSCompareDlg");
  Form(BLSFilterDlg, "TBLSFilterDlg");
  Form(BLSSearchDlg, "TBLSSearchDlg");
  Form(DateInpDlg, "TDateInpDlg");
  Form(NewFilterDlg, "TNewFilterDlg");
  Form(BLSZutatDlg, "TBLSZutatDlg");
  Form(BLSChooseDlg, "TBLSChooseDlg");
  Form(PersListDlg, "TPersListDlg");
  Form(PersDataDlg, "TPersDataDlg");
  Form(AgeInputDlg, "TAgeInputDlg");
  Form(DateToDlg, "TDateToDlg");
  Form(ThekeDlg, "TThekeDlg");
  Form(KenndatenDlg, "TKenndatenDlg");
  Form(ExportDlg, "TExportDlg");
  Form(UmfrageDlg, "TUmfrageDlg");
  Form(BackupDlg, "TBackupDlg");
  Form(MultiChangeDlg, "TMultiChangeDlg");
  Form(PersAnzDlg, "TPersAnzDlg");
  Form(MenuCenterDlg, "TMenuCenterDlg");
  Form(MenuEditDlg, "TMenuEditDlg");
  Form(CoolDlg, "TCoolDlg");
  Form(CoolMHDDlg, "TCoolMHDDlg");
  Form(QuenoraDlg, "TQuenoraDlg");
  Form(AlertDlg, "TAlertDlg");
  // The food browser's commands that windows of this floor carry out.
  BLSMainDlg->calculateRecipe = [] { MainFrm->CalcBLSRezeptClick(); };
  BLSMainDlg->showAbout = [] { InfoDlg->exec(); };
  // The calculation window's filter choice reaches the browser and the diary overview.
  BLSZutatDlg->filterChanged = [](int) {
    if (BLSMainDlg) BLSMainDlg->FilterChosenElsewhere();
    if (ENViewDayDlg && ENViewDayDlg->isVisible()) ENViewDayDlg->RefreshOverviewGrids();
  };
  auto* browserPanel = new BrowserDiaryPanel(BLSMainDlg);
  BLSMainDlg->SetDayPanel(browserPanel);
  // Goes before the browser, which owns the panel's widget.
  Deleters().push_back([browserPanel] {
    if (BLSMainDlg) BLSMainDlg->SetDayPanel(nullptr);
    delete browserPanel;
  });
}

void DestroyAllWindows() {
  auto& deleters = Deleters();
  for (auto it = deleters.rbegin(); it != deleters.rend(); ++it) (*it)();
  deleters.clear();
  ForgetCreatedWindows();
  MainFrm = nullptr;
  LangDlg = nullptr;
  ParaDlg = nullptr;
  ctx().lang = nullptr;
  ctx().tools = nullptr;
  ctx().options = nullptr;
  ctx().progress = nullptr;
  delete SplashDlg;
  SplashDlg = nullptr;
  delete UpdaterDlg;
  UpdaterDlg = nullptr;
}

bool StartProgram() {
  // Nothing exists yet: neither language texts nor options. The root rule is the one the
  // localisation window and the tools module use. Without a data root or a language file the
  // program could only show numbers in braces: it says so in both languages and ends.
  const std::string root = FindDataRoot(ProgramFolder());
  if (const std::string fault = DataRootFault(ProgramFolder(), root); !fault.empty()) {
    MessageBox(fault, kStartupFaultTitle, MB_OK | MB_ICONERROR);
    ctx().exitProcess(1);
    return false;
  }
  // A takeover cut short is finished with the choice it was started with.
  DataTakeover interrupted(root, ProgramFolder(), ctx().userSettings);
  if (!interrupted.ResumeInterruptedRun() &&
      FileExists(FindFileNoCase(root + "Data/DE/Einheit.datu"))) {
    new TUpdaterDlg(root);
    UpdaterDlg->PrepareUpdateDialog();
    UpdaterDlg->exec();
  }
  const std::string languageFile = LanguageFilePath(root);
  if (const LanguageFileFault fault = CheckLanguageFile(languageFile);
      fault != LanguageFileFault::kNone) {
    MessageBox(LanguageFileFaultText(fault, languageFile), kStartupFaultTitle,
               MB_OK | MB_ICONERROR);
    ctx().exitProcess(1);
    return false;
  }
  new TSplashDlg;
  SplashDlg->ShowNow();
  CreateAllWindows();
  // Files start-up could not take as they were, before the first book is opened.
  const std::string dataFolder = ctx().options ? ctx().options->Str(2) : root + "Data/";
  RemoveLeftTemporaryFiles(
      root, {{dataFolder, 2},  // DE/, EN/, Konten/ and Konten/<person>/
             {ctx().options ? ctx().options->Str(4) : root + "Export/", 1},
             {ProgramFolder(), 0},  // the log before the options know the root
             {SettingsFolder(), 0}});
  for (const std::string& notice : StartupFileNotices(ctx().userSettings, dataFolder))
    MessageBox(notice, GetLangText(17), MB_OK | MB_ICONWARNING);
  // The takeover ran before the language texts: the books it could not take are said now.
  for (const DataTakeover* run : {static_cast<const DataTakeover*>(&interrupted),
                                  static_cast<const DataTakeover*>(UpdaterDlg)})
    if (run)
      for (const DataTakeover::BookNotTaken& book : run->BooksNotTaken())
        MessageBox(FormatLangText(GetLangText(1092), {book.book, book.file}), GetLangText(17),
                   MB_OK | MB_ICONWARNING);
  MainFrm->show();
  return true;
}

int RunProgram(QApplication& app) {
  try {
    if (!StartProgram()) return 1;
  } catch (const std::exception& e) {
    ShowException(e);
    return 0;
  }
  app.exec();
  return 0;
}

}  // namespace tav
