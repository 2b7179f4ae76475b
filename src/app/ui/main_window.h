#pragma once
// The main window: main menu, tool bar and status line around border-less panes into which the
// other windows dock (recipe list and shopping list on the left, menu planner and the five
// recipe views in the centre, consumption list on the right, week plan at the bottom). It owns
// no data tables.
#include <QMainWindow>
#include <string>
#include <vector>

#include "platform/services.h"
#include "recipes/recipe_list_commands.h"
#include "services/ui/main_window_access.h"

class QAction;
class QActionGroup;
class QMenu;
class QSplitter;
class QStatusBar;
class QTimer;
class QToolBar;

namespace tav {

class TWPlanDlg;

class TMainFrm : public QMainWindow, public ProgressSink, public MainWindowAccess {
  Q_OBJECT
 public:
  explicit TMainFrm(QWidget* parent = nullptr);
  ~TMainFrm() override;

  // Life cycle; the window events call these.
  void FormShow();
  void FormActivate();
  bool FormCloseQuery();
  void FormClose();
  void TimerMainTimer();
  void ShowHint(const QString& hint);

  // Progress window: kind 0 open (title, maximum), 1 title, 2 position, 3 close.
  void ProgressRelay(int kind, const std::string& text, int value) override;

  QWidget* FrameWidget() override { return this; }

  // Panes. A form docked into a pane fills it.
  QWidget* PaneOf(MainPane pane) const override;
  void DockForm(QWidget* form, QWidget* pane) override;
  void ToggleWeekPlanPane() override;
  void SetShoppingPaneOpen(bool open) override;
  void ShowMenuPane(bool show) override;
  void ToggleConsumptionPane(bool refresh) override;
  bool IsConsumptionPaneShown() const override { return consumptionOpen; }
  void ShowAboutBox() override { HelpAboutItemClick(); }
  void RefreshConsumptionPersons();
  // Height of the week-plan and shopping-list panes, width of the left and consumption panes.
  int WeekPlanHeight() const;
  int ShoppingPaneHeight() const override;
  int ChoosePaneWidth() const;
  int ConsumptionPaneWidth() const;

  // The five recipe views share the centre pane; showing one hides the other four.
  void ShowStandardView(QWidget* view, bool show) override;
  void ShowEditView(QWidget* view, bool show) override;
  void ShowHTMLView(QWidget* view, bool show) override;
  void ShowPrintView(QWidget* view, bool show) override;
  void ShowEmptyView(QWidget* view, bool show) override;
  // 1 standard, 2 text/HTML, 3 print preview; 0 takes the mode from the view menu's check marks.
  void SetViewMode(int mode) override;

  // Books and recipe buttons. OpenBook makes the named book (empty: the book of option 6)
  // current and lists all its recipes; an unknown name opens "Auto-Import" (message 660).
  void OpenBook(const std::string& name) override;
  // The window's caption: "Tavolin!   " and the current book with its description.
  void SetMainTitle(QWidget* window);
  void RefreshMainTitle() override { SetMainTitle(this); }
  // With true: one quick book button for each of the first ten books with the tool-bar flag.
  void UpdateBookButtons(bool fill) override;
  // The edit button needs a current list entry and a hidden editor; delete a current entry.
  void UpdateRecipeButtons() override;
  void TBKBookClick(int button);
  // The book items of the cookbook menu and of the four move and copy sub-menus; each gets
  // the name of its book.
  void MNOpenBookClick(const std::string& name);
  void MNMoveRezClick(const std::string& target);
  void MNCopyRezClick(const std::string& target);
  void MNMoveMarkedClick(const std::string& target);
  void MNCopyMarkedClick(const std::string& target);
  void MnDelMarkedClick();
  // The diary's menu items.
  void VerbrauchslisteMnuClick();
  void PersonenListeMnuClick();
  void ZufuhrMnuClick();
  void GewichtsverlaufMnuClick();
  void ENStatistikMnuClick();
  // The diary overview in the weight view (1) or the nutrition view (0), after the person check.
  void ShowDiaryOverview(int weight);
  void StammdatenMnuClick();

  // The cookbook window, then the quick book buttons again.
  void MnNewBookClick();
  void ZutatenlisteClick();
  void OptionenClick() { ShowOptionsWindow(-1); }
  // The options window on its tools page.
  void AddToolsMnuClick() { ShowOptionsWindow(8); }
  void MasseinheitenClick();
  // The category window manages the table; the recipe list's filter follows.
  void editGattungenClick();
  // The statistics window shows its waiting text while the figures are computed.
  void Statistik1Click();
  QMenu* BookMenu(BookMenuKind kind) const override;
  void BookMenuClick(BookMenuKind kind, const std::string& book) override;
  void ShowOptionsWindow(int page = -1) override;
  // Measures the tool bar with captions again (after its buttons changed) and fits it.
  void MeasureToolBar();

  // Clipboard commands on the focused text field of the views and editor pages:
  // 0 cut, 1 copy, 2 paste, 3 undo.
  void UpdateClipboardMenu() override;
  void ClipboardCommand(int kind);

  // The command-line words handled by the start timer; index 0 is the program.
  void SetCommandLine(std::vector<std::string> args) { commandLine_ = std::move(args); }
  void HandleCommandLine();
  // Food-database files left by an installer: install them and restart the program.
  void InstallPendingBlsData();

  // Menu and tool-bar commands.
  void FileExit();
  void ViewStdClick();
  void ViewHTMLClick();
  void ViewPrintClick();
  void TBMViewClick();
  void TBMHTMLClick();
  void WPlanClick();
  // The week-plan items run the week plan's operations.
  void WPParaClick();
  void NewRemarkMnuClick();
  void WPShowClick();
  void WPPrintClick();
  void WPKListClick();
  void MoveWPUpMnuClick();
  void MoveWPDownMnuClick();
  void WPSelDelClick() { WeekPlanDelete(0); }
  void WPGestDelClick() { WeekPlanDelete(1); }
  void WPAllDelClick() { WeekPlanDelete(2); }
  // The selected recipes onto the shopping list; the shopping dialog; the dealer window.
  void zurEinkaufsliste1Click();
  void Einkaufsliste1Click();
  void ThekeMnuClick();
  void EditCut() { ClipboardCommand(0); }
  void EditCopy() { ClipboardCommand(1); }
  void EditPaste() { ClipboardCommand(2); }
  void EditUndo() { ClipboardCommand(3); }
  void CHooseListMnuClick();
  void MnRandomRezClick() { NavigateList(4); }
  void TBBackClick() { NavigateList(2); }
  void TBQImportClick() { NavigateList(3); }
  void firstRezeptClick() { NavigateList(1); }
  void lastRezeptClick() { NavigateList(0); }
  void MnSelAllClick();
  // Editor first, then a new recipe or the selected one in the editor.
  void NeuesRezeptClick();
  void RezeptAendernClick();
  void RezeptloeschenClick();
  void TBDelClick();
  void markRezeptClick() { MarkList(0); }
  void markAllRezeptClick() { MarkList(1); }
  void demarkAllRezeptClick() { MarkList(2); }
  void AKKursImportMnuClick() { ShowAcademyPage("ImportvonRezepten"); }
  void AKSchnellerfMnuClick() { ShowAcademyPage("Schnellerfassung"); }
  void AkEinkaufslisteMnuClick() { ShowAcademyPage("Einkaufsliste"); }
  void AkNaehrberechMnuClick() { ShowAcademyPage("Naehrmittelberechnung"); }
  void AKGewichtMnuClick() { ShowAcademyPage("Gewichtsbeobachtung"); }
  void AkErnaehrungMnuClick() { ShowAcademyPage("Ernaehrungskontrolle"); }
  void MnHelpClick();
  void TavolinForumMnuClick();
  void TavolinWebseiten1Click();
  void MnAssistTipClick();
  void MnLogFileClick();
  void FileImportClick();
  // Opens the power search once the editor agrees to leave the shown recipe.
  void TBSearchClick();
  void MultidataChangeMnuClick();
  void MnDupeSearchClick();
  void QuickImportClick();
  void FileExportClick();
  void RezListExportClick();
  // The print mode selector, the printer's page set-up, the recipe as a web page.
  void FilePrint();
  void FilePrintSetup();
  void ShowHTMLMnuClick();
  void MnAutoImpClick();
  void BackupMnuClick();
  void UmfrageMnuClick();
  void QuenoraMnuClick();
  void DoReorgClick();
  void PortionsMnuClick();
  void ChangePersAnzMnuClick();
  void TBMCalcClick();
  void KennDatenMnuClick();
  void NewMenuMnuClick();
  void MenuEditMnuClick();
  void MenuPrintMnuClick();
  void SaisonMnuClick();
  void CoolMnuClick();
  void MHDMnuClick();
  void StartLexikonClick();
  void InpLexBegriffeClick();
  void DoNewInizClick();
  void HelpAboutItemClick();
  void TBInfoDblClick();
  void ShowAcademyPage(const std::string& topic);
  // The nutrient calculation of the edited recipe, or of the list's current one.
  void OpenNutrientCalculation();
  void CalcBLSStoffeMnuClick();
  void BLSShowDlgMnuClick();
  void BLSSearchMnuClick();
  // "Rezept in die BLS-Berechnung": the calculation, then the recipe on screen with its sums.
  void CalcBLSRezeptClick();
  // The editor's pages (mode 4 has no menu item).
  void NEditMnuClick();
  void QEditMnuClick();
  void ZEditMnuClick();
  void AEditMnuClick();

  // The named menu item or tool button (component name), or null.
  QAction* Action(const char* name) const override;

  // Controls, named as their component names.
  QMenuBar* MainMenu = nullptr;
  QToolBar* MainToolBar = nullptr;
  QStatusBar* StatusLine = nullptr;
  QTimer* TimerMain = nullptr;
  QWidget* ChooseParPanel = nullptr;
  QWidget* ChooseRezParPanel = nullptr;
  QWidget* KaufListParPanel = nullptr;
  QWidget* MainGnd = nullptr;
  QWidget* MenuGnd = nullptr;
  QWidget* ShowParPanel = nullptr;
  QWidget* NaehrwertPnl = nullptr;
  QWidget* WPlanPanel = nullptr;
  QSplitter* KauflistSplit = nullptr;
  QSplitter* ChooseSplit = nullptr;
  QSplitter* MenuSpl = nullptr;
  QSplitter* Splitter1 = nullptr;
  QSplitter* WPlanSplit = nullptr;
  QWidget* SpaceBtn = nullptr;

  QMenu* FileMenu = nullptr;
  QMenu* KBMenu = nullptr;
  QMenu* Rezepte1 = nullptr;
  QMenu* Aktionen1 = nullptr;
  QMenu* Markierung1 = nullptr;
  QMenu* EditMenu = nullptr;
  QMenu* Wochenplan1 = nullptr;
  QMenu* BLS1 = nullptr;
  QMenu* ErnaehrungMnu = nullptr;
  QMenu* Extras1 = nullptr;
  QMenu* ToolsMenu = nullptr;
  QMenu* HelpMenu = nullptr;
  QMenu* MnMoveRez = nullptr;
  QMenu* MnCopyRez = nullptr;
  QMenu* MnMoveMarked = nullptr;
  QMenu* MnCopyMarked = nullptr;
  QAction* KBSepMenu = nullptr;

  QAction* ViewStd = nullptr;
  QAction* ViewHTML = nullptr;
  QAction* ViewPrint = nullptr;
  QAction* TBMView = nullptr;
  QAction* TBMHTML = nullptr;
  QAction* TBEdit = nullptr;
  QAction* TBDel = nullptr;
  QAction* TBInfo = nullptr;
  QAction* EditCutItem = nullptr;
  QAction* EditCopyItem = nullptr;
  QAction* EditPasteItem = nullptr;
  QAction* VerbrauchslisteMnu = nullptr;
  QAction* KBook[10] = {};

  // True while the consumption pane is open.
  bool consumptionOpen = false;

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void FormCreate();
  void BuildMenu();
  void BuildToolBar();
  void BuildPanes();
  void ApplyPlacement();
  void RestackBottom(int weekPlanHeight);
  void WeekPlanCommand(void (TWPlanDlg::*command)());
  void WeekPlanDelete(int mode);
  void FitToolBar();
  void ShowView(QWidget* view, bool show);
  // The check mark on one view item (none for null).
  void CheckOnlyView(QAction* item);
  // The editor's save question (AskSaveChanges with reselect); false stops the action.
  bool EditorAgrees();
  void NavigateList(int how);
  void MarkList(int mode);
  // Copies one recipe of the list into a book (the item data of list row `position`).
  CopyOutcome CopyRecipeToBook(int position, const std::string& target);
  // Copies the selected (or marked) recipes of the list into the book `clicked` and its
  // follow-on books; a move then deletes each source whose copy is complete.
  void CopyListedRecipes(const std::string& clicked, bool move, bool marked);

  QActionGroup* viewButtons_ = nullptr;
  std::vector<std::string> commandLine_;
  bool shownOnce_ = false;
  bool activatedOnce_ = false;
  bool shoppingPaneOpen_ = false;
  // A click on the info button waits out the double-click time: the about box, modal, would
  // take the second click of a double click.
  QTimer* infoClick_ = nullptr;
  bool paneWidthApplied_ = false;  // the first show set the stored recipe-list width
  int toolBarTextWidth_ = 0;
};

extern TMainFrm* MainFrm;

}  // namespace tav
