#include "app/ui/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdlib>
#include <ctime>

#include "app/startup_files.h"
#include "app/ui/about_dialog.h"
#include "app/ui/options_dialog.h"
#include "app/ui/splash_dialog.h"
#include "app/ui/tips_dialog.h"
#include "diary/diary_module.h"
#include "diary/ui/day_panel_window.h"
#include "diary/ui/intake_tables_dialog.h"
#include "diary/ui/diary_overview_dialog.h"
#include "diary/ui/person_list_dialog.h"
#include "exchange/export_run.h"
#include "exchange/page_output.h"
#include "exchange/ui/auto_import_dialog.h"
#include "exchange/ui/export_dialog.h"
#include "exchange/ui/html_view_window.h"
#include "exchange/ui/import_dialog.h"
#include "exchange/ui/print_preview_window.h"
#include "exchange/ui/print_start_dialog.h"
#include "exchange/ui/qt_printing.h"
#include "exchange/ui/recipe_list_export_dialog.h"
#include "exchange/ui/recipe_list_snapshot_qt.h"
#include "kitchen/ui/best_before_dialog.h"
#include "kitchen/ui/dealers_dialog.h"
#include "kitchen/ui/freezer_dialog.h"
#include "kitchen/ui/lexicon_dialog.h"
#include "kitchen/ui/menu_planner_window.h"
#include "kitchen/ui/season_dialog.h"
#include "kitchen/ui/shopping_dialog.h"
#include "kitchen/ui/week_plan_window.h"
#include "maintenance/ui/backup_dialog.h"
#include "maintenance/ui/quenora_export_dialog.h"
#include "maintenance/ui/survey_dialog.h"
#include "nutrients/recipe_calc.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "nutrients/ui/food_chooser_dialog.h"
#include "nutrients/ui/nutrient_calc_dialog.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/raw_file.h"
#include "recipedb/recipe_store.h"
#include "recipedb/ui/category_dialog.h"
#include "recipedb/ui/cookbook_dialog.h"
#include "recipedb/ui/ingredients_dialog.h"
#include "recipedb/ui/reorg_dialog.h"
#include "recipedb/ui/statistics_dialog.h"
#include "recipedb/ui/units_dialog.h"
#include "recipes/ui/bulk_change_dialog.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/duplicate_search_dialog.h"
#include "recipes/ui/edit_additional_page_window.h"
#include "recipes/ui/edit_other_page_window.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/empty_view_window.h"
#include "recipes/ui/info_pane_window.h"
#include "recipes/ui/key_figures_dialog.h"
#include "recipes/ui/portions_dialog.h"
#include "recipes/ui/power_search_dialog.h"
#include "recipes/ui/quick_entry_page_window.h"
#include "recipes/ui/recipe_editor_window.h"
#include "recipes/ui/recipe_list_window.h"
#include "recipes/ui/servings_dialog.h"
#include "recipes/ui/standard_view_window.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/lang_table.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/progress_dialog.h"
#include "services/web_addresses.h"

namespace tav {

TMainFrm* MainFrm = nullptr;

namespace {

using Handler = void (TMainFrm::*)();

enum ItemFlags : int {
  kCheckable = 1,
  kChecked = 2,
  kHidden = 4,
  kDisabled = 8,
  kSubMenu = 16,  // the item opens a sub-menu filled at run time (one item per book)
};

// One item of a menu. A null name is a separator. A null handler marks a command whose window
// is not part of the program yet: the item stays disabled until its handler is entered here.
struct MenuItem {
  const char* name;
  const char* caption;  // the built-in German caption; the language file replaces it
  Handler handler;
  int flags;
};

struct MenuDef {
  const char* name;
  const char* caption;
  std::vector<MenuItem> items;
};

const MenuItem kSep{nullptr, nullptr, nullptr, 0};

// Captions are UTF-8 here (built-in texts of the window); the language file's are Windows-1252.
std::vector<MenuDef> MenuDefinitions() {
  using M = TMainFrm;
  return {
      {"FileMenu",
       "&Datei",
       {{"FileImport", "Rezepte importieren ...", &M::FileImportClick, 0},
        {"FileExport", "Rezepte exportieren ...", &M::FileExportClick, 0},
        kSep,
        {"RezListExport", "Rezeptliste exportieren ...", &M::RezListExportClick, 0},
        kSep,
        {"QuickImport", "&Quick-Import", &M::QuickImportClick, 0},
        {"MnAutoImp", "Auto-Import...", &M::MnAutoImpClick, 0},
        kSep,
        {"CoolMnu", "Gefriergut-Verwaltung ...", &M::CoolMnuClick, 0},
        {"MHDMnu", "MHD des Gefrierguts ...", &M::MHDMnuClick, 0},
        kSep,
        {"BackupMnu", "Sichern / Wiederherstellen der Daten", &M::BackupMnuClick, 0},
        kSep,
        {"FilePrintItem", "&Drucken ...", &M::FilePrint, 0},
        {"FilePrintSetupItem", "Drucker&einrichtung...", &M::FilePrintSetup, 0},
        kSep,
        {"FileExitItem", "&Beenden", &M::FileExit, 0}}},
      {"KBMenu",
       "&Kochbuch",
       {{"MnNewBook", "Kochbücher verwalten...", &M::MnNewBookClick, 0},
        {"KBSepMenu", nullptr, nullptr, 0}}},
      {"Rezepte1",
       "&Rezepte",
       {{"Powersuche1", "Powersuche ...", &M::TBSearchClick, 0},
        kSep,
        {"NeuesRezept", "&Neues Rezept", &M::NeuesRezeptClick, 0},
        {"RezeptAendern", "Rezept ändern", &M::RezeptAendernClick, 0},
        {"Rezeptloeschen", "Rezept löschen", &M::RezeptloeschenClick, 0},
        {"ShowHTMLMnu", "Rezept als Webseite anzeigen", &M::ShowHTMLMnuClick, 0},
        kSep,
        {"zurEinkaufsliste1", "Zur Einkaufsliste hinzufügen", &M::zurEinkaufsliste1Click, 0},
        {"Einkaufsliste1", "Einkaufsliste fertigstellen", &M::Einkaufsliste1Click, 0},
        kSep,
        {"MnMoveRez", "Verschiebe Rezept nach...", nullptr, kSubMenu},
        {"MnCopyRez", "Kopiere Rezept nach...", nullptr, kSubMenu},
        kSep,
        {"MnRandomRez", "&Zufälliges Rezept wählen", &M::MnRandomRezClick, 0},
        {"previousRezept", "Zum vorherigen Rezept", &M::TBBackClick, 0},
        {"nextRezept", "Zum nächsten Rezept", &M::TBQImportClick, 0},
        {"firstRezept", "Zum ersten Rezept", &M::firstRezeptClick, 0},
        {"lastRezept", "Zum letzten Rezept", &M::lastRezeptClick, 0},
        kSep,
        {"MnSelAll", "selektiere alle Rezepte", &M::MnSelAllClick, 0},
        kSep,
        {"NewMenuMnu", "Neuer Menüplan ...", &M::NewMenuMnuClick, 0},
        {"MenuEditMnu", "Menüplan bearbeiten ...", &M::MenuEditMnuClick, 0},
        {"MenuPrintMnu", "Menüplan drucken", &M::MenuPrintMnuClick, 0}}},
      {"Aktionen1",
       "Aktionen",
       {{"CalcBLSStoffeMnu", "Inhaltsstoffberechnung nach Bundeslebensmittelschlüssel...",
         &M::CalcBLSStoffeMnuClick, 0},
        kSep,
        {"StartLexikon", "&Lexikon des Kochens", &M::StartLexikonClick, 0},
        kSep,
        {"Statistik1", "Statistik", &M::Statistik1Click, 0},
        kSep,
        {"MultidataChangeMnu", "Massendatenänderung...", &M::MultidataChangeMnuClick, 0},
        kSep,
        {"MnDupeSearch", "Suche nach doppelten Rezepten", &M::MnDupeSearchClick, 0}}},
      {"Markierung1",
       "&Markierung",
       {{"markRezept", "(De-) Markiere Rezept", &M::markRezeptClick, 0},
        {"markAllRezept", "Markiere alle Rezepte", &M::markAllRezeptClick, 0},
        {"demarkAllRezept", "Entferne alle Markierungen", &M::demarkAllRezeptClick, 0},
        kSep,
        {"MnMoveMarked", "Verschiebe markierte Rezepte nach...", nullptr, kSubMenu},
        {"MnCopyMarked", "Kopiere markierte Rezepte nach...", nullptr, kSubMenu},
        {"MnDelMarked", "Lösche markierte Rezepte", &M::MnDelMarkedClick, 0},
        kSep,
        {"EditCutItem", "&Ausschneiden", &M::EditCut, 0},
        {"EditCopyItem", "&Kopieren", &M::EditCopy, 0},
        {"EditPasteItem", "&Einfügen", &M::EditPaste, 0},
        {"EditUndoMnu", "Änderung rückgängig machen", &M::EditUndo, 0},
        kSep,
        {"CHooseListMnu", "Springe zur Rezeptliste", &M::CHooseListMnuClick, 0}}},
      {"EditMenu",
       "&Ansicht",
       {{"ViewStd", "Standard-Ansicht", &M::ViewStdClick, kCheckable | kChecked},
        {"ViewHTML", "Text/HTML-Ansicht", &M::ViewHTMLClick, kCheckable},
        {"ViewPrint", "Druckvorschau-Ansicht", &M::ViewPrintClick, kCheckable},
        {nullptr, nullptr, nullptr, kDisabled},
        {"ChangePersAnzMnu", "Ändern der Portionsmenge ...", &M::ChangePersAnzMnuClick, 0},
        kSep,
        {"NEditMnu", "Standard-Eingabe", &M::NEditMnuClick, kCheckable},
        {"QEditMnu", "Schnell-Erfassung", &M::QEditMnuClick, kCheckable},
        {"ZEditMnu", "Zusätzliche Angaben zum Rezept", &M::ZEditMnuClick, kCheckable},
        kSep,
        {"SaisonMnu", "Saison-Übersicht", &M::SaisonMnuClick, 0}}},
      {"Wochenplan1",
       "&Wochenplan",
       {{"WPlan", "&Wochenplan anzeigen", &M::WPlanClick, 0},
        kSep,
        {"WPPara", "&Eigenschaften des aktuellen Wochen-Rezeptes bearbeiten...", &M::WPParaClick,
         0},
        {"NewRemarkMnu", "Neue Bemerkung zum Tag hinzufügen", &M::NewRemarkMnuClick, 0},
        kSep,
        {"WPShow", "&Aktuelles Wochen-Rezept anzeigen", &M::WPShowClick, 0},
        {"WPPrint", "Aktuellen Wochenplan aus&drucken", &M::WPPrintClick, 0},
        kSep,
        {"WPKList", "Selektierte Rezepte der Einkaufsliste &hinzufügen", &M::WPKListClick, 0},
        kSep,
        {"MoveWPUpMnu", "Eintrag nach oben schieben", &M::MoveWPUpMnuClick, 0},
        {"MoveWPDownMnu", "Eintrag nach unten schieben", &M::MoveWPDownMnuClick, 0},
        kSep,
        {"WPSelDel", "Selektierte Rezepte und Bemerkungen aus Liste ent&fernen", &M::WPSelDelClick,
         0},
        {"WPGestDel", "Alle Rezepte und Bemerkungen bis &gestern aus Plan entfernen",
         &M::WPGestDelClick, 0},
        {"WPAllDel", "Alle Rezepte und Bemerkungen aus &Plan entfernen", &M::WPAllDelClick, 0}}},
      {"BLS1",
       "BLS-Schlüssel",
       {{"BLSShowDlgMnu", "BLS-Daten anzeigen", &M::BLSShowDlgMnuClick, 0},
        kSep,
        {"BLSSearchMnu", "BLS-Lebensmittel suchen", &M::BLSSearchMnuClick, 0},
        {"CalcBLSRezept", "Rezept in die BLS-Berechnung", &M::CalcBLSRezeptClick, 0}}},
      {"ErnaehrungMnu",
       "Ernährung",
       {{"VerbrauchslisteMnu", "Verbrauchsliste einblenden", &M::VerbrauchslisteMnuClick,
         kCheckable},
        kSep,
        {"GewichtsverlaufMnu", "Gewichtsverlauf ...", &M::GewichtsverlaufMnuClick, 0},
        {"ENStatistikMnu", "Ernährungsübersicht ...", &M::ENStatistikMnuClick, 0},
        kSep,
        {"PersonenListeMnu", "Personenverwaltung ...", &M::PersonenListeMnuClick, 0},
        {"StammdatenMnu", "Stammdaten der aktuellen Person ...", &M::StammdatenMnuClick, 0},
        kSep,
        {"ZufuhrMnu", "Stoff-Zufuhr-Tabellen ...", &M::ZufuhrMnuClick, 0},
        {nullptr, nullptr, nullptr, kHidden},
        {"QuenoraMnu", "Quenora (Abgleich und Bestückung)", &M::QuenoraMnuClick, kHidden}}},
      {"Extras1",
       "&Einstellungen",
       {{"Zutatenliste", "&Zutatenliste", &M::ZutatenlisteClick, 0},
        {"Masseinheiten", "&Maßeinheiten", &M::MasseinheitenClick, 0},
        {"editGattungen", "&Gattungen", &M::editGattungenClick, 0},
        {"PortionsMnu", "Portions-Einheiten", &M::PortionsMnuClick, 0},
        kSep,
        {"KennDatenMnu", "Anzeige Kenndaten", &M::KennDatenMnuClick, 0},
        {"InpLexBegriffe", "Lexikon-Oberbegriffe", &M::InpLexBegriffeClick, 0},
        {"ThekeMnu", "Händler/Abteilungen", &M::ThekeMnuClick, 0},
        kSep,
        {"Optionen", "Optionen", &M::OptionenClick, 0}}},
      {"ToolsMenu",
       "&Akademie",
       {{"AKKursImportMnu", "Kurs: Import von Rezepten", &M::AKKursImportMnuClick, 0},
        {"AKSchnellerfMnu", "Kurs: Schnellerfassung", &M::AKSchnellerfMnuClick, 0},
        {"AkEinkaufslisteMnu", "Kurs: Einkaufsliste", &M::AkEinkaufslisteMnuClick, 0},
        {"AkNaehrberechMnu", "Kurs: Nährmittelberechnung", &M::AkNaehrberechMnuClick, 0},
        {"AKGewichtMnu", "Kurs: Gewichtsbeobachtung", &M::AKGewichtMnuClick, 0},
        {"AkErnaehrungMnu", "Kurs: Ernährungskontrolle", &M::AkErnaehrungMnuClick, 0},
        kSep,
        {"AddToolsMnu", "Weitere Tools einrichten...", &M::AddToolsMnuClick, 0},
        kSep}},
      {"HelpMenu",
       "&Hilfe",
       {{"MnHelp", "Tavolin-H&ilfesystem", &M::MnHelpClick, 0},
        {"TavolinForumMnu", "Häufige Fragen (FAQ)", &M::TavolinForumMnuClick, 0},
        {"TavolinWebseiten1", "&Tavolin im Web", &M::TavolinWebseiten1Click, 0},
        kSep,
        {"MnAssistTip", "Zeige Tips && Tricks", &M::MnAssistTipClick, 0},
        kSep,
        {"UmfrageMnu", "Tavolin - Benutzerumfrage", &M::UmfrageMnuClick, 0},
        kSep,
        {"DoReorg", "&Komprimierung ...", &M::DoReorgClick, 0},
        {"DoNewIniz", "&Index neu erstellen", &M::DoNewInizClick, 0},
        {"MnLogFile", "Supportdatei anzeigen", &M::MnLogFileClick, 0},
        kSep,
        {"HelpAboutItem", "Inf&o...", &M::HelpAboutItemClick, 0}}},
  };
}

// One tool button: component name, built-in caption and hint, icon, handler (null: not yet).
struct ToolButton {
  const char* name;
  const char* caption;
  const char* hint;
  QStyle::StandardPixmap icon;
  Handler handler;
};

// Groups of buttons, left to right; an invisible spacer lies between two groups.
std::vector<std::vector<ToolButton>> ToolButtonGroups() {
  using M = TMainFrm;
  return {
      {{"TBNew", "Neu", "Neues Rezept", QStyle::SP_FileIcon, &M::NeuesRezeptClick},
       {"TBEdit", "Ändern", "Rezept ändern", QStyle::SP_FileDialogDetailedView,
        &M::RezeptAendernClick},
       {"TBDel", "Löschen", "Rezept löschen", QStyle::SP_TrashIcon, &M::TBDelClick}},
      {{"TBSearch", "Suchen", "Powersuche", QStyle::SP_FileDialogContentsView, &M::TBSearchClick},
       {"TBHTMLView", "Webseite", "Rezept als Webseite anzeigen", QStyle::SP_DriveNetIcon,
        &M::ShowHTMLMnuClick}},
      {{"TBMView", "Standard", "Normale Ansicht", QStyle::SP_FileDialogListView, &M::TBMViewClick},
       {"TBMHTML", "Text/HTML", "Text / HTML-Ansicht", QStyle::SP_FileLinkIcon, &M::TBMHTMLClick},
       {"TBMCalc", "Portionen", "Personenumrechnung", QStyle::SP_BrowserReload, &M::TBMCalcClick}},
      {{"TBQImport", "Quick-Import",
        "Rezepte im Clipboard sofort ins aktuelle Kochbuch importieren", QStyle::SP_ArrowDown,
        &M::QuickImportClick},
       {"TBLexik", "Lexikon", "Lexikon des Kochens", QStyle::SP_FileDialogInfoView,
        &M::StartLexikonClick},
       {"TBWPlan", "Wochenplan", "Wochenplan / Menüplan", QStyle::SP_FileDialogStart,
        &M::WPlanClick},
       {"TBBLSBtn", "BLS", "BLS-Modul aufrufen", QStyle::SP_DriveHDIcon, &M::BLSShowDlgMnuClick}},
      {{"TBBook", "Kochbücher", "Kochbuchauswahl", QStyle::SP_DirIcon, &M::MnNewBookClick},
       {"TBParam", "Optionen", "Options-Dialog", QStyle::SP_ComputerIcon, &M::OptionenClick},
       {"TBPrint", "Drucken", "Rezepte drucken", QStyle::SP_DialogSaveButton, &M::FilePrint},
       {"HelpBtn", "Hilfe", "Hilfe-Inhaltsverzeichnis", QStyle::SP_MessageBoxQuestion,
        &M::MnHelpClick}},
  };
}

// The course pages of the Academy menu, "Academy/<topic>.html" in the program folder.
const std::pair<const char*, const char*> kAcademyCourses[] = {
    {"AKKursImportMnu", "ImportvonRezepten"}, {"AKSchnellerfMnu", "Schnellerfassung"},
    {"AkEinkaufslisteMnu", "Einkaufsliste"},  {"AkNaehrberechMnu", "Naehrmittelberechnung"},
    {"AKGewichtMnu", "Gewichtsbeobachtung"},  {"AkErnaehrungMnu", "Ernaehrungskontrolle"}};

// The German page is "Academy/<topic>.html"; another language's lies in a folder of its code
// ("Academy/EN/<topic>.html") and the German one stands in while it is missing.
std::string AcademyPage(const std::string& programFolder, const std::string& topic) {
  const std::string german = programFolder + "Academy/" + topic + ".html";
  const std::string lang = ctx().options ? ctx().options->Str(51) : std::string();
  if (lang.empty() || lang == "DE") return german;
  const std::string own = programFolder + "Academy/" + lang + "/" + topic + ".html";
  return FileExists(own) ? own : german;
}

// The style's icons come in different sizes; drawn centred on one square size they line up.
QIcon SquareIcon(const QStyle* style, QStyle::StandardPixmap which, int side) {
  const QPixmap source = style->standardIcon(which).pixmap(side, side);
  QPixmap square(side, side);
  square.fill(Qt::transparent);
  QPainter p(&square);
  const QSize s = source.size().scaled(side, side, Qt::KeepAspectRatio);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawPixmap(QRect((side - s.width()) / 2, (side - s.height()) / 2, s.width(), s.height()),
               source);
  p.end();
  return QIcon(square);
}

const int kToolIconSide = 24;

// A two-pane splitter: the extent of pane `index`, and setting it while the other pane takes
// the rest.
// The shopping list pane closed: its title strip.
constexpr int kShoppingStrip = 17;

int PaneExtent(const QSplitter* s, int index) {
  return s->sizes().value(index);
}

void SetPaneExtent(QSplitter* s, int index, int extent) {
  QList<int> sizes = s->sizes();
  if (sizes.size() != 2) return;
  int total = sizes[0] + sizes[1];
  const int available = s->orientation() == Qt::Horizontal ? s->width() : s->height();
  if (available - s->handleWidth() > total) total = available - s->handleWidth();
  sizes[index] = extent;
  sizes[1 - index] = std::max(0, total - extent);
  s->setSizes(sizes);
}

// A pane: a client area for one docked window. Framed panes show a sunken border so that the
// layout reads at a glance while they are empty.
QFrame* NewPane(const char* name, QWidget* parent, bool framed = true) {
  auto* pane = new QFrame(parent);
  pane->setObjectName(QString::fromLatin1(name));
  if (framed) pane->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  auto* layout = new QVBoxLayout(pane);
  const int m = framed ? pane->frameWidth() : 0;
  layout->setContentsMargins(m, m, m, m);
  layout->setSpacing(0);
  return pane;
}

QSplitter* NewSplitter(const char* name, Qt::Orientation o, int handle, QWidget* parent) {
  auto* s = new QSplitter(o, parent);
  s->setObjectName(QString::fromLatin1(name));
  s->setHandleWidth(handle);
  s->setChildrenCollapsible(false);
  return s;
}

// The focused field among the named text fields of a window, or null.
QWidget* FocusedField(QWidget* window, std::initializer_list<const char*> names) {
  QWidget* focus = QApplication::focusWidget();
  if (!window || !focus) return nullptr;
  for (const char* n : names)
    if (QWidget* w = window->findChild<QWidget*>(QString::fromLatin1(n)); w && w == focus) return w;
  return nullptr;
}

bool IsReadOnly(QWidget* w) {
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->isReadOnly();
  if (auto* t = qobject_cast<QTextEdit*>(w)) return t->isReadOnly();
  if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->isReadOnly();
  return false;
}

// Every editor-page field the clipboard commands work on.
QWidget* FocusedEditorField() {
  if (QWidget* w =
          FocusedField(NEditDlg, {"TitelEdt", "TextRtf", "SWortEdt", "PortAnzEdt", "ZeitAnzEdt",
                                  "KostEdt", "EnergieEdt", "AutornameEdt", "QuelleEdt"}))
    return w;
  if (QWidget* w = FocusedField(QEditDlg, {"TextRtf", "GrammEdt"})) return w;
  if (QWidget* w = FocusedField(
          ZEditDlg, {"TimePrepEdt", "TimeCookEdt", "TimeAllEdt", "FSStarsEdt", "RemarkEdt"}))
    return w;
  return FocusedField(AEditDlg, {"CardEdt"});
}

}  // namespace

TMainFrm::TMainFrm(QWidget* parent) : QMainWindow(parent) {
  MainFrm = this;
  Registered<MainWindowAccess>::Enter(this);
  setObjectName(QStringLiteral("MainFrm"));
  setWindowTitle(QStringLiteral("Tavolin!"));
  ctx().progress = this;
  FormCreate();
}

TMainFrm::~TMainFrm() {
  Registered<MainWindowAccess>::Leave(this);
}

QAction* TMainFrm::Action(const char* name) const {
  return findChild<QAction*>(QString::fromLatin1(name));
}

void TMainFrm::BuildMenu() {
  MainMenu = menuBar();
  MainMenu->setObjectName(QStringLiteral("MainMenu"));
  for (const MenuDef& def : MenuDefinitions()) {
    QMenu* menu = MainMenu->addMenu(QString::fromUtf8(def.caption));
    menu->setObjectName(QString::fromLatin1(def.name));
    menu->menuAction()->setObjectName(QString::fromLatin1(def.name));
    for (const MenuItem& item : def.items) {
      if (!item.caption) {  // separator, named when the program refers to it
        QAction* sep = menu->addSeparator();
        if (item.name) sep->setObjectName(QString::fromLatin1(item.name));
        sep->setVisible(!(item.flags & kHidden));
        sep->setEnabled(!(item.flags & kDisabled));
        continue;
      }
      QAction* a;
      if (item.flags & kSubMenu) {
        QMenu* sub = menu->addMenu(QString::fromUtf8(item.caption));
        sub->setObjectName(QString::fromLatin1(item.name));
        a = sub->menuAction();
      } else {
        a = menu->addAction(QString::fromUtf8(item.caption));
      }
      a->setObjectName(QString::fromLatin1(item.name));
      a->setCheckable(item.flags & kCheckable);
      a->setChecked(item.flags & kChecked);
      a->setVisible(!(item.flags & kHidden));
      if (item.handler) {
        const Handler h = item.handler;
        connect(a, &QAction::triggered, this, [this, h] { (this->*h)(); });
      } else if (!(item.flags & kSubMenu)) {  // a sub-menu's items carry the handlers
        a->setEnabled(false);
      }
    }
  }
  auto menu = [this](const char* n) { return findChild<QMenu*>(QString::fromLatin1(n)); };
  FileMenu = menu("FileMenu");
  KBMenu = menu("KBMenu");
  Rezepte1 = menu("Rezepte1");
  Aktionen1 = menu("Aktionen1");
  Markierung1 = menu("Markierung1");
  EditMenu = menu("EditMenu");
  Wochenplan1 = menu("Wochenplan1");
  BLS1 = menu("BLS1");
  ErnaehrungMnu = menu("ErnaehrungMnu");
  Extras1 = menu("Extras1");
  ToolsMenu = menu("ToolsMenu");
  HelpMenu = menu("HelpMenu");
  MnMoveRez = menu("MnMoveRez");
  MnCopyRez = menu("MnCopyRez");
  MnMoveMarked = menu("MnMoveMarked");
  MnCopyMarked = menu("MnCopyMarked");
  KBSepMenu = Action("KBSepMenu");
  ViewStd = Action("ViewStd");
  ViewHTML = Action("ViewHTML");
  ViewPrint = Action("ViewPrint");
  EditCutItem = Action("EditCutItem");
  EditCopyItem = Action("EditCopyItem");
  EditPasteItem = Action("EditPasteItem");
  VerbrauchslisteMnu = Action("VerbrauchslisteMnu");
  // A course whose page does not ship with this build has nothing to open.
  for (const auto& [item, topic] : kAcademyCourses)
    if (QAction* a = Action(item)) a->setEnabled(FileExists(AcademyPage(ProgramFolder(), topic)));
}

void TMainFrm::BuildToolBar() {
  MainToolBar = new QToolBar(this);
  MainToolBar->setObjectName(QStringLiteral("MainToolBar"));
  MainToolBar->setMovable(false);
  MainToolBar->setFloatable(false);
  MainToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  MainToolBar->setIconSize(QSize(kToolIconSide, kToolIconSide));
  MainToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
  QFont captions = MainToolBar->font();
  captions.setPointSizeF(captions.pointSizeF() * 0.9);
  MainToolBar->setFont(captions);
  addToolBar(Qt::TopToolBarArea, MainToolBar);
  viewButtons_ = new QActionGroup(this);
  // One of the two stays pressed; the print preview has no button of its own and leaves the
  // one pressed before it.
  viewButtons_->setExclusive(true);
  int spacer = 0;
  auto addSpacer = [&] {
    QAction* sep = MainToolBar->addSeparator();
    sep->setObjectName(QStringLiteral("SpeedButton%1").arg(++spacer));
  };
  bool first = true;
  for (const auto& group : ToolButtonGroups()) {
    if (!first) addSpacer();
    first = false;
    for (const ToolButton& b : group) {
      QAction* a = MainToolBar->addAction(SquareIcon(style(), b.icon, kToolIconSide),
                                          QString::fromUtf8(b.caption));
      a->setObjectName(QString::fromLatin1(b.name));
      a->setToolTip(QString::fromUtf8(b.hint));
      a->setStatusTip(QString::fromUtf8(b.hint));
      if (b.handler) {
        const Handler h = b.handler;
        connect(a, &QAction::triggered, this, [this, h] { (this->*h)(); });
      } else {
        a->setEnabled(false);
      }
    }
  }
  TBMView = Action("TBMView");
  TBMHTML = Action("TBMHTML");
  TBEdit = Action("TBEdit");
  TBDel = Action("TBDel");
  for (QAction* a : {TBMView, TBMHTML}) {
    a->setCheckable(true);
    viewButtons_->addAction(a);
  }
  TBMView->setChecked(true);
  addSpacer();
  for (int i = 0; i < 10; ++i) {
    KBook[i] = MainToolBar->addAction(SquareIcon(style(), QStyle::SP_DirClosedIcon, kToolIconSide),
                                      QStringLiteral("KBook%1").arg(i + 1));
    KBook[i]->setObjectName(QStringLiteral("KBook%1").arg(i + 1));
    KBook[i]->setVisible(false);
    connect(KBook[i], &QAction::triggered, this, [this, i] { TBKBookClick(i); });
  }
  // The spacer fills the free width so that the info button sits at the right edge.
  SpaceBtn = new QWidget(MainToolBar);
  SpaceBtn->setObjectName(QStringLiteral("SpaceBtn"));
  SpaceBtn->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  MainToolBar->addWidget(SpaceBtn)->setObjectName(QStringLiteral("SpaceBtn"));
  TBInfo = MainToolBar->addAction(
      SquareIcon(style(), QStyle::SP_MessageBoxInformation, kToolIconSide), QStringLiteral("Info"));
  TBInfo->setObjectName(QStringLiteral("TBInfo"));
  TBInfo->setToolTip(QStringLiteral("Info / Web"));
  TBInfo->setStatusTip(TBInfo->toolTip());
  infoClick_ = new QTimer(this);
  infoClick_->setSingleShot(true);
  connect(infoClick_, &QTimer::timeout, this, [this] { HelpAboutItemClick(); });
  connect(TBInfo, &QAction::triggered, this, [this] {
    infoClick_->start(QApplication::doubleClickInterval());
  });
  if (QWidget* w = MainToolBar->widgetForAction(TBInfo)) w->installEventFilter(this);
}

void TMainFrm::BuildPanes() {
  // Bottom: the week plan below everything else.
  WPlanSplit = NewSplitter("WPlanSplit", Qt::Vertical, 6, this);
  ChooseSplit = NewSplitter("ChooseSplit", Qt::Horizontal, 5, WPlanSplit);
  WPlanPanel = NewPane("WPlanPanel", WPlanSplit);
  WPlanPanel->setMinimumHeight(4);
  WPlanSplit->addWidget(ChooseSplit);
  WPlanSplit->addWidget(WPlanPanel);
  WPlanSplit->setStretchFactor(0, 1);
  WPlanSplit->setStretchFactor(1, 0);

  // Left: the recipe list with the shopping list below it.
  ChooseParPanel = NewPane("ChooseParPanel", ChooseSplit, false);
  ChooseParPanel->setMinimumWidth(20);
  KauflistSplit = NewSplitter("KauflistSplit", Qt::Vertical, 4, ChooseParPanel);
  ChooseParPanel->layout()->addWidget(KauflistSplit);
  ChooseRezParPanel = NewPane("ChooseRezParPanel", KauflistSplit);
  // Unframed: closed, the pane is its 17-pixel title strip with the toggle, and no frame may
  // cut it.
  KaufListParPanel = NewPane("KaufListParPanel", KauflistSplit, false);
  KaufListParPanel->setMinimumHeight(kShoppingStrip);
  KauflistSplit->addWidget(ChooseRezParPanel);
  KauflistSplit->addWidget(KaufListParPanel);
  KauflistSplit->setStretchFactor(0, 1);
  KauflistSplit->setStretchFactor(1, 0);

  // Centre with the consumption pane on its right.
  Splitter1 = NewSplitter("Splitter1", Qt::Horizontal, 3, ChooseSplit);
  MainGnd = NewPane("MainGnd", Splitter1, false);
  NaehrwertPnl = NewPane("NaehrwertPnl", Splitter1);
  Splitter1->addWidget(MainGnd);
  Splitter1->addWidget(NaehrwertPnl);
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
  Splitter1->setCollapsible(1, true);
  ChooseSplit->addWidget(ChooseParPanel);
  ChooseSplit->addWidget(Splitter1);
  ChooseSplit->setStretchFactor(0, 0);
  ChooseSplit->setStretchFactor(1, 1);

  // Centre: the menu planner above the recipe views.
  MenuSpl = NewSplitter("MenuSpl", Qt::Vertical, 3, MainGnd);
  MainGnd->layout()->addWidget(MenuSpl);
  MenuGnd = NewPane("MenuGnd", MenuSpl);
  ShowParPanel = NewPane("ShowParPanel", MenuSpl);
  MenuSpl->addWidget(MenuGnd);
  MenuSpl->addWidget(ShowParPanel);
  MenuSpl->setStretchFactor(0, 0);
  MenuSpl->setStretchFactor(1, 1);

  for (QWidget* pane : {ChooseRezParPanel, KaufListParPanel, NaehrwertPnl, WPlanPanel}) {
    pane->setBackgroundRole(QPalette::Base);
    pane->setAutoFillBackground(true);
  }
  setCentralWidget(WPlanSplit);

  // Initial layout: week plan and shopping list 4 high, left pane 228 wide, the consumption
  // pane closed, the menu-planner pane 132 high.
  WPlanSplit->setSizes({476, 4});
  KauflistSplit->setSizes({476, kShoppingStrip});
  ChooseSplit->setSizes({228, 412});
  Splitter1->setSizes({412, 0});
  MenuSpl->setSizes({132, 344});
}

void TMainFrm::FormCreate() {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  BuildMenu();
  BuildToolBar();
  StatusLine = statusBar();
  StatusLine->setObjectName(QStringLiteral("StatusLine"));
  StatusLine->setFixedHeight(23);
  StatusLine->setSizeGripEnabled(true);
  StatusLine->setStyleSheet(QStringLiteral("QStatusBar { border-top: 1px solid palette(mid); }"));
  BuildPanes();
  TimerMain = new QTimer(this);
  TimerMain->setObjectName(QStringLiteral("TimerMain"));
  TimerMain->setInterval(500);
  connect(TimerMain, &QTimer::timeout, this, [this] { TimerMainTimer(); });
  const QStringList args = QCoreApplication::arguments();
  for (const QString& a : args) commandLine_.push_back(fromQ(a));

  ApplyPlacement();

  // The localisation window and the options store do not exist yet: the data root comes from
  // the same rule they use, and the settings are read directly.
  const std::string root = FindDataRoot(ProgramFolder());
  EnsureDataFolder(root);
  const std::string dataFolder = root + "Data/";
  if (!EnsureDefaultBook(dataFolder)) {
    LangTable texts;
    texts.Load(LanguageFilePath(root));
    MessageBox(texts.GetLangText(14), texts.GetLangText(15), MB_OK | MB_ICONERROR);
    ctx().exitProcess(0);
    return;
  }
  if (ctx().userSettings) ChooseFirstStartBook(*ctx().userSettings, dataFolder);
  ShowMenuPane(false);
}

void TMainFrm::ApplyPlacement() {
  if (!ctx().userSettings) return;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize s = screen ? screen->size() : QSize(1024, 768);
  // A first start shows the whole menu bar (its German captions are the longest).
  const int menuWidth =
      MainMenu->sizeHint().width() + 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
  const WindowPlacement p =
      ClampPlacement(ReadPlacement(*ctx().userSettings), s.width(), s.height(),
                     std::max(kFirstStartWidth, menuWidth), kFirstStartHeight);
  move(p.x, p.y);
  resize(p.w, p.h);
  if (p.state == 1)
    setWindowState(Qt::WindowMinimized);
  else if (p.state == 2)
    setWindowState(Qt::WindowMaximized);
}

bool TMainFrm::event(QEvent* e) {
  if (e->type() == QEvent::StatusTip) {
    ShowHint(static_cast<QStatusTipEvent*>(e)->tip());
    return true;
  }
  if (e->type() == QEvent::WindowActivate) FormActivate();
  return QMainWindow::event(e);
}

void TMainFrm::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!shownOnce_) {
    shownOnce_ = true;
    FormShow();
    // The book opens with the window, also where no window manager activates it (or its
    // focus-stealing prevention keeps it inactive); an activation that comes first does it.
    QTimer::singleShot(0, this, [this] {
      if (shoppingPaneOpen_) SetShoppingPaneOpen(true);
      FormActivate();
    });
  }
}

void TMainFrm::closeEvent(QCloseEvent* e) {
  if (!FormCloseQuery()) {
    e->ignore();
    return;
  }
  FormClose();
  e->accept();
}

bool TMainFrm::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::MouseButtonDblClick && TBInfo &&
      watched == MainToolBar->widgetForAction(TBInfo)) {
    infoClick_->stop();
    TBInfoDblClick();
    return true;
  }
  return QMainWindow::eventFilter(watched, e);
}

void TMainFrm::ShowHint(const QString& hint) {
  StatusLine->showMessage(hint);
}

void TMainFrm::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  FitToolBar();
}

void TMainFrm::MeasureToolBar() {
  MainToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  toolBarTextWidth_ = MainToolBar->sizeHint().width();
  FitToolBar();
}

void TMainFrm::FitToolBar() {
  // Captions under the icons while every button fits; a narrower window shows the icons alone
  // (the hints stay as tool tips).
  MainToolBar->setToolButtonStyle(width() >= toolBarTextWidth_ ? Qt::ToolButtonTextUnderIcon
                                                               : Qt::ToolButtonIconOnly);
}

void TMainFrm::FormShow() {
  if (ctx().options) SetViewMode(ctx().options->Int(63));
  if (LangDlg) LangDlg->TranslateForm(this);
  // Tool-bar hints also go to the status line.
  for (QAction* a : MainToolBar->actions()) a->setStatusTip(a->toolTip());
  MeasureToolBar();
  LoadUmlautExceptions();
  if (SplashDlg) SplashDlg->hide();
  UpdateClipboardMenu();
  InstallPendingBlsData();
  if (ctx().tools && ctx().options) {
    uint16_t major, minor, release, build;
    ctx().tools->GetExeVersion(major, minor, release, build);
    // Beside the data root, where the next installation's takeover reads it (the program
    // folder may not be writable).
    WriteVersionFile(ctx().options->Str(90), major, minor, release);
  }
  if (AssistDlg && TAssistDlg::StartTipOn()) AssistDlg->ShowTip(0, 3);
  RestackBottom(4);
  int slider = ctx().userSettings ? ReadParamInt(*ctx().userSettings, "SliderChoose", 228) : 228;
  if (slider > width()) slider = 228;
  SetPaneExtent(ChooseSplit, 0, slider);
  paneWidthApplied_ = true;
  if (MenuCenterDlg) {
    DockForm(MenuCenterDlg, MenuGnd);
    MenuCenterDlg->show();
  }
  if (ChooseRezDlg)
    if (auto* list = ChooseRezDlg->findChild<QWidget*>(QStringLiteral("ChooseLiBo")))
      list->setFocus();
  TimerMain->start();
}

void TMainFrm::InstallPendingBlsData() {
  if (!ctx().options) return;
  switch (InstallPendingBlsFiles(ctx().options->Str(1), ctx().options->Str(2))) {
    case BlsInstall::Nothing:
      return;
    case BlsInstall::Failed:
      MessageBox(GetLangText(436), GetLangText(56), MB_OK | MB_ICONWARNING);
      return;
    case BlsInstall::Installed:
      MessageBox(GetLangText(435), GetLangText(2), MB_OK | MB_ICONINFORMATION);
      close();
      if (ctx().launcher) ctx().launcher->Restart();
      return;
  }
}

void TMainFrm::FormActivate() {
  if (activatedOnce_) return;
  // Set first: opening the book lets window events run, among them this activation again.
  activatedOnce_ = true;
  OpenBook(std::string());
  UpdateBookButtons(true);
  UpdateRecipeButtons();
}

void TMainFrm::TimerMainTimer() {
  if (!isVisible()) return;
  TimerMain->stop();
  HandleCommandLine();
  // The freezer's best-before check at start: only when options 79 or 80 ask for it and it
  // finds something.
  if (ctx().options && (ctx().options->Flag(79) || ctx().options->Flag(80)) && CoolMHDDlg) {
    CoolMHDDlg->SetBestBeforeMode(1);
    if (CoolMHDDlg->FillBestBeforeDialog()) CoolMHDDlg->exec();
  }
}

void TMainFrm::HandleCommandLine() {
  for (const std::string& arg : commandLine_) {
    std::string word = arg;
    for (char& c : word)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (word == "bls") {
      BLSShowDlgMnuClick();
    } else if (word == "weight") {
      GewichtsverlaufMnuClick();
    } else if (word == "cool") {
      if (CoolDlg) CoolDlg->show();
    }
  }
}

bool TMainFrm::FormCloseQuery() {
  // A changed menu is stored without a question (a failure is said, and the close goes on).
  if (MenuCenterDlg) MenuCenterDlg->CloseMenuPlan();
  const bool agreed = EditorAgrees();
  // The freezer saves whether or not the close goes on.
  if (CoolDlg && CoolDlg->isVisible()) CoolDlg->SaveOnClose(false);
  return agreed;
}

void TMainFrm::FormClose() {
  if (ctx().userSettings) {
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    const QRect g = normal ? QRect(pos(), size()) : normalGeometry();
    WindowPlacement p;
    p.x = g.x();
    p.y = g.y();
    p.w = g.width();
    p.h = g.height();
    p.state = windowState() & Qt::WindowMinimized ? 1 : windowState() & Qt::WindowMaximized ? 2 : 0;
    WritePlacement(*ctx().userSettings, p);
    // A close before the stored width was applied (the restart after installing food-database
    // files) keeps the stored width.
    if (paneWidthApplied_) WriteParamInt(*ctx().userSettings, "SliderChoose", ChoosePaneWidth());
  }
  // The program ends with the main window and destroys no window: every window still open
  // closes by its own path first, so that what it keeps on closing is written.
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != this && w->isVisible()) w->close();
  if (ctx().tools) ctx().tools->WriteLog("END", 0);
}

bool TMainFrm::EditorAgrees() {
  return !EditRezDlg || EditRezDlg->AskSaveChanges(true);
}

void TMainFrm::OpenNutrientCalculation() {
  if (EditRezDlg && !EditRezDlg->isHidden()) {
    EditRezDlg->CalcEditedRecipeNutrients();
    return;
  }
  REZINDEX entry;
  if (!ChooseRezDlg || !ctx().calc || !BLSZutatDlg) return;
  const int row = ChooseRezDlg->CurrentRow();
  if (row < 0 || ChooseRezDlg->ItemData(row) == -1 || !ChooseRezDlg->RowEntry(row, entry)) return;
  if (ctx().calc->LoadRecipeForCalc(entry.bookId, entry.number)) BLSZutatDlg->exec();
}

void TMainFrm::BLSShowDlgMnuClick() {
  if (!BLSMainDlg) return;
  BLSMainDlg->show();
  BLSMainDlg->raise();
  BLSMainDlg->activateWindow();
}

void TMainFrm::BLSSearchMnuClick() {
  if (!BLSChooseDlg) return;
  // For looking only: no food is handed back.
  BLSChooseDlg->SetChooseOption("OvertakeBtn", false);
  BLSChooseDlg->SetChooseOption("StartSearch", true);
  BLSChooseDlg->exec();
}

void TMainFrm::CalcBLSStoffeMnuClick() {
  if (!ChooseRezDlg || ChooseRezDlg->SelectedRows().empty()) return;
  CalcBLSRezeptClick();
}

void TMainFrm::CalcBLSRezeptClick() {
  OpenNutrientCalculation();
  // New sums show at once in the recipe on screen, whichever item started the calculation.
  if (ChooseRezDlg && (!EditRezDlg || EditRezDlg->isHidden()) && ChooseRezDlg->CurrentRow() >= 0)
    ChooseRezDlg->ShowSelectedRecipe(true);
}

void TMainFrm::NEditMnuClick() {
  if (EditRezDlg) EditRezDlg->SetEditMode(1);
}
void TMainFrm::QEditMnuClick() {
  if (EditRezDlg) EditRezDlg->SetEditMode(2);
}
void TMainFrm::ZEditMnuClick() {
  if (EditRezDlg) EditRezDlg->SetEditMode(3);
}
void TMainFrm::AEditMnuClick() {
  if (EditRezDlg) EditRezDlg->SetEditMode(4);
}

void TMainFrm::ProgressRelay(int kind, const std::string& text, int value) {
  TProgressDlg* dlg = ProgressDlg;
  if (!dlg) return;
  switch (kind) {
    case 0:
      dlg->TitleTxt->setText(toQ(text));
      dlg->MainPBr->setMaximum(std::max(0, value));
      dlg->MainPBr->setValue(0);
      dlg->Position = 0;
      dlg->show();
      dlg->ProgTim->start();
      QCoreApplication::processEvents();
      break;
    case 1:
      dlg->TitleTxt->setText(toQ(text));
      QCoreApplication::processEvents();
      break;
    case 2:
      dlg->Position = value;
      break;
    case 3:
      dlg->close();
      break;
    default:
      break;
  }
}

// Panes -------------------------------------------------------------------------------------

QWidget* TMainFrm::PaneOf(MainPane pane) const {
  switch (pane) {
    case MainPane::RecipeList:
      return ChooseRezParPanel;
    case MainPane::ShoppingList:
      return KaufListParPanel;
    case MainPane::WeekPlan:
      return WPlanPanel;
    case MainPane::Consumption:
      return NaehrwertPnl;
    case MainPane::View:
      break;
  }
  return ShowParPanel;
}

void TMainFrm::DockForm(QWidget* form, QWidget* pane) {
  if (!form || !pane) return;
  if (form->parentWidget() != pane) {
    form->setParent(pane);
    pane->layout()->addWidget(form);
  }
}

int TMainFrm::WeekPlanHeight() const {
  return PaneExtent(WPlanSplit, 1);
}
int TMainFrm::ShoppingPaneHeight() const {
  return PaneExtent(KauflistSplit, 1);
}
int TMainFrm::ChoosePaneWidth() const {
  return PaneExtent(ChooseSplit, 0);
}
int TMainFrm::ConsumptionPaneWidth() const {
  return PaneExtent(Splitter1, 1);
}

void TMainFrm::RestackBottom(int weekPlanHeight) {
  SetPaneExtent(WPlanSplit, 1, weekPlanHeight);
}

void TMainFrm::ToggleWeekPlanPane() {
  RestackBottom(WeekPlanHeight() == 4 ? 150 : 4);
}

void TMainFrm::SetShoppingPaneOpen(bool open) {
  // The saved list opens the pane before the window has its size: a third of nothing would
  // leave a strip. The first show opens it then.
  shoppingPaneOpen_ = open;
  if (!shownOnce_) return;
  SetPaneExtent(KauflistSplit, 1,
                open ? std::max(ChooseParPanel->height() / 3, 4 * kShoppingStrip) : kShoppingStrip);
}

void TMainFrm::ShowMenuPane(bool show) {
  MenuGnd->setVisible(show);
}

void TMainFrm::ToggleConsumptionPane(bool refresh) {
  // Opening needs a diary person (the module asks for one when there is none).
  if (!consumptionOpen && !(ENApplogMod && ENApplogMod->CheckPersonExists())) {
    VerbrauchslisteMnu->setChecked(false);
    return;
  }
  consumptionOpen = !consumptionOpen;
  VerbrauchslisteMnu->setChecked(consumptionOpen);
  SetPaneExtent(Splitter1, 1, consumptionOpen ? 220 : 0);
  if (consumptionOpen && ENAddDayDlg) ENAddDayDlg->FormShow();
  if (refresh && BLSMainDlg) BLSMainDlg->ToggleBLSConsumptionPanel(false);
  if (ENViewDayDlg) ENViewDayDlg->ToggleVerbrauchsliste(false);
}

void TMainFrm::RefreshConsumptionPersons() {
  if (ENAddDayDlg) ENAddDayDlg->RefreshDayPanel();
}

void TMainFrm::VerbrauchslisteMnuClick() {
  ToggleConsumptionPane(true);
}

void TMainFrm::ZufuhrMnuClick() {
  if (ZufuhrDlg) ZufuhrDlg->exec();
}

void TMainFrm::ShowDiaryOverview(int weight) {
  if (!ENApplogMod || !ENViewDayDlg || !ENApplogMod->CheckPersonExists()) return;
  ENViewDayDlg->SetOverviewMode(weight);
  ENViewDayDlg->show();
  ENViewDayDlg->raise();
  ENViewDayDlg->activateWindow();
}

void TMainFrm::GewichtsverlaufMnuClick() {
  ShowDiaryOverview(1);
}

void TMainFrm::ENStatistikMnuClick() {
  ShowDiaryOverview(0);
}

void TMainFrm::PersonenListeMnuClick() {
  if (PersListDlg) PersListDlg->exec();
}

void TMainFrm::StammdatenMnuClick() {
  if (ENApplogMod && ENApplogMod->CheckPersonExists()) ENApplogMod->EditActivePerson();
}

void TMainFrm::ShowView(QWidget* view, bool show) {
  if (!view) return;
  if (!show) {
    view->hide();
    return;
  }
  DockForm(view, ShowParPanel);
  for (QWidget* other :
       std::initializer_list<QWidget*>{showRezDlg, EditRezDlg, HTMLRezDlg, PrintRezDlg, EmptyDlg})
    if (other && other != view) other->hide();
  view->show();
  // The clipboard items follow the view: a hidden text/HTML view no longer holds them at copy.
  UpdateClipboardMenu();
}

void TMainFrm::ShowStandardView(QWidget* view, bool show) {
  ShowView(view, show);
}
void TMainFrm::ShowEditView(QWidget* view, bool show) {
  ShowView(view, show);
}
void TMainFrm::ShowHTMLView(QWidget* view, bool show) {
  ShowView(view, show);
}
void TMainFrm::ShowPrintView(QWidget* view, bool show) {
  ShowView(view, show);
}
void TMainFrm::ShowEmptyView(QWidget* view, bool show) {
  ShowView(view, show);
}

void TMainFrm::SetViewMode(int mode) {
  if (!EditorAgrees()) return;
  if (mode == 0) {
    if (ViewStd->isChecked()) mode = 1;
    if (ViewHTML->isChecked()) mode = 2;
    if (ViewPrint->isChecked()) mode = 3;
  }
  CheckOnlyView(nullptr);
  // The selected recipe follows into the chosen view through the recipe list, at the servings
  // the user chose.
  switch (mode) {
    case 1:
      if (ChooseRezDlg) ChooseRezDlg->ShowInStandardView(false, false);
      ViewStd->setChecked(true);
      TBMView->setChecked(true);
      break;
    case 2:
      if (ChooseRezDlg) ChooseRezDlg->ShowInHTMLView(false);
      ViewHTML->setChecked(true);
      TBMHTML->setChecked(true);
      break;
    case 3:
      if (ChooseRezDlg) ChooseRezDlg->ShowInPrintView(false);
      ViewPrint->setChecked(true);
      break;
    default:
      break;
  }
  if (ctx().options) ctx().options->SetParaInt(63, mode);
  UpdateRecipeButtons();
}

void TMainFrm::CheckOnlyView(QAction* item) {
  for (QAction* a : {ViewStd, ViewHTML, ViewPrint}) a->setChecked(a == item);
}

void TMainFrm::ViewStdClick() {
  if (!EditorAgrees()) return;
  CheckOnlyView(ViewStd);
  SetViewMode(0);
}

void TMainFrm::ViewHTMLClick() {
  if (!EditorAgrees()) return;
  CheckOnlyView(ViewHTML);
  SetViewMode(0);
}

void TMainFrm::ViewPrintClick() {
  if (!EditorAgrees()) return;
  CheckOnlyView(ViewPrint);
  SetViewMode(0);
}

// The editor's question comes inside SetViewMode for the buttons.
void TMainFrm::TBMViewClick() {
  CheckOnlyView(ViewStd);
  SetViewMode(0);
}

void TMainFrm::TBMHTMLClick() {
  CheckOnlyView(ViewHTML);
  SetViewMode(0);
}

// Books -------------------------------------------------------------------------------------

void TMainFrm::OpenBook(const std::string& name) {
  OptionsStore* options = ctx().options;
  CookbookList* books = ctx().books;
  if (!options || !books) return;
  const std::string current = options->Str(6);
  std::string book = name;
  if (book.empty())
    book = current;
  else if (book == current)
    return;
  if (!EditorAgrees()) return;
  for (QAction* item : BookMenuItems(KBMenu))
    item->setChecked(item->data().toString() == toQ(book));
  options->SetParaString(6, book);
  if (!books->SelectKBook(book)) {
    // The book that stands in for a lost one is made when it does not exist either.
    const std::string standIn = "Auto-Import";
    if (!books->SelectKBook(standIn)) {
      KBOOK created;
      created.name = standIn;
      books->CreateKBook(created);
      books->SelectKBook(standIn);
    }
    options->SetParaString(6, standIn);
    MessageBox(GetLangText(660), GetLangText(15), MB_OK | MB_ICONERROR);
  }
  if (dbList) {
    // Only a missing index is made anew: one that is there but cannot be read (a read error)
    // holds the numbers that lists and plans name, and the load says so.
    if (FileIsMissing(TdbList::BookFilePath("", ".idx"))) dbList->RebuildIndex();
    dbList->ReloadBookIndex();
  }
  if (ChooseRezDlg) {
    ChooseRezDlg->SetCategoryIndex(0);
    ChooseRezDlg->RefreshRecipeList();
  }
  ShowEmptyView(EmptyDlg, true);
  SetMainTitle(this);
}

void TMainFrm::SetMainTitle(QWidget* window) {
  std::string caption;
  if (ctx().books) ctx().books->GetAktKBookCaption(caption);
  if (window) window->setWindowTitle(toQ("Tavolin!   " + caption));
}

void TMainFrm::UpdateBookButtons(bool fill) {
  if (!fill || !ctx().books) return;
  int used = 0;
  for (const KBOOK& b : ctx().books->Books()) {
    if (!b.toolbarFlag || used >= 10) continue;
    const std::string hint = b.description.empty() ? b.name : b.name + " (" + b.description + ")";
    QAction* button = KBook[used++];
    button->setText(toQ(b.name));
    button->setToolTip(toQ(hint));
    button->setStatusTip(toQ(hint));
  }
  for (int i = 0; i < 10; ++i) KBook[i]->setVisible(i < used);
  MeasureToolBar();
}

void TMainFrm::TBKBookClick(int button) {
  if (button < 0 || button >= 10) return;
  std::string name = fromQ(KBook[button]->toolTip());
  const size_t cut = name.find(" (");
  if (cut != std::string::npos) name.resize(cut);
  OpenBook(name);
}

void TMainFrm::MNOpenBookClick(const std::string& name) {
  OpenBook(name);
  SetMainTitle(this);
}

void TMainFrm::UpdateRecipeButtons() {
  const bool current = ChooseRezDlg && ChooseRezDlg->CurrentRow() >= 0;
  const bool editorHidden = !EditRezDlg || !EditRezDlg->isVisible();
  TBEdit->setEnabled(current && editorHidden);
  TBDel->setEnabled(current);
}

CopyOutcome TMainFrm::CopyRecipeToBook(int position, const std::string& target) {
  if (!ChooseRezDlg || !dbList) return CopyOutcome::NotCopied;
  const int item = ChooseRezDlg->ItemData(position);
  if (item == -1) return CopyOutcome::NotCopied;
  return tav::CopyRecipeToBook(*dbList, ChooseRezDlg->IsSearchMode(), item, target);
}

void TMainFrm::CopyListedRecipes(const std::string& clicked, bool move, bool marked) {
  if (!EditorAgrees() || !ChooseRezDlg || !ctx().books || !ctx().options) return;
  TChooseRezDlg* list = ChooseRezDlg;
  const int n = list->Count();
  if (n == 0) {
    MessageBox(GetLangText(0), GetLangText(2), MB_OK | MB_ICONINFORMATION);
    return;
  }
  CookbookList& books = *ctx().books;
  const std::string current = books.GetKBookName(books.GetAktKBookId());
  if (move && clicked == current) return;
  auto chosen = [list, marked](int row) {
    if (!marked) return list->IsSelected(row);
    REZINDEX e;
    return list->RowEntry(row, e) && e.IsMarked();
  };
  std::string target = clicked;
  int count = books.CountKBookRecipes(target, true);
  const int limit = ctx().options->Int(74);
  std::vector<int> copied;  // item data of the recipes whose copy is complete
  bool intoCurrent = false;
  {
    DeferredBookSyncs syncs;
    for (int k = 0; k < n; ++k) {
      if (!chosen(k)) continue;
      if (limit > 0 && count >= limit) count = books.GetContinuationKBook(target);
      const CopyOutcome done = CopyRecipeToBook(k, target);
      if (done == CopyOutcome::NotCopied) continue;
      ++count;
      if (target == current) intoCurrent = true;
      if (done == CopyOutcome::Copied) copied.push_back(list->ItemData(k));
    }
    // The copies are on the disk before an original leaves its book.
    if (!syncs.Finish()) copied.clear();
  }
  if (move) {
    // Only a recipe whose copy is stored whole leaves its book.
    list->DeleteRows([&](int row) {
      return chosen(row) &&
             std::find(copied.begin(), copied.end(), list->ItemData(row)) != copied.end();
    });
  }
  // Copies appended to the open book's files are shown (and its index in memory stays in step
  // with the file) only after the book is read again.
  if (intoCurrent || (!move && clicked == current)) {
    ctx().options->SetParaString(6, std::string());
    OpenBook(current);
  }
  if (move || marked) UpdateRecipeButtons();
}

QMenu* TMainFrm::BookMenu(BookMenuKind kind) const {
  switch (kind) {
    case BookMenuKind::Open:
      return KBMenu;
    case BookMenuKind::MoveRecipe:
      return MnMoveRez;
    case BookMenuKind::CopyRecipe:
      return MnCopyRez;
    case BookMenuKind::MoveMarked:
      return MnMoveMarked;
    case BookMenuKind::CopyMarked:
      return MnCopyMarked;
  }
  return nullptr;
}

void TMainFrm::BookMenuClick(BookMenuKind kind, const std::string& book) {
  switch (kind) {
    case BookMenuKind::Open:
      MNOpenBookClick(book);
      break;
    case BookMenuKind::MoveRecipe:
      MNMoveRezClick(book);
      break;
    case BookMenuKind::CopyRecipe:
      MNCopyRezClick(book);
      break;
    case BookMenuKind::MoveMarked:
      MNMoveMarkedClick(book);
      break;
    case BookMenuKind::CopyMarked:
      MNCopyMarkedClick(book);
      break;
  }
}

void TMainFrm::ShowOptionsWindow(int page) {
  if (!ParaDlg) return;
  ParaDlg->SelectParaPage(page);
  ParaDlg->exec();
}

void TMainFrm::Statistik1Click() {
  if (!StatistikDlg) return;
  // The window tells the user to wait while the books are read, then shows its figures.
  StatistikDlg->show();
  StatistikDlg->repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  StatistikDlg->ComputeStatistics();
  StatistikDlg->hide();
  StatistikDlg->exec();
}

void TMainFrm::ZutatenlisteClick() {
  if (ZutatenDlg) ZutatenDlg->exec();
}

void TMainFrm::MasseinheitenClick() {
  if (EinheitenDlg) EinheitenDlg->exec();
}

void TMainFrm::editGattungenClick() {
  if (!GattDlg) return;
  GattDlg->SetGattDlgMode(0, nullptr);
  GattDlg->exec();
  // The recipe list filters by the main categories as they are now.
  if (ChooseRezDlg) ChooseRezDlg->FillRecipeFilterCombo();
}

void TMainFrm::MnNewBookClick() {
  if (!KBookDlg) return;
  KBookDlg->exec();
  UpdateBookButtons(true);
}

void TMainFrm::MNMoveRezClick(const std::string& target) {
  CopyListedRecipes(target, true, false);
}
void TMainFrm::MNCopyRezClick(const std::string& target) {
  CopyListedRecipes(target, false, false);
}
void TMainFrm::MNMoveMarkedClick(const std::string& target) {
  CopyListedRecipes(target, true, true);
}
void TMainFrm::MNCopyMarkedClick(const std::string& target) {
  CopyListedRecipes(target, false, true);
}

void TMainFrm::MnDelMarkedClick() {
  if (!EditorAgrees() || !ChooseRezDlg) return;
  TChooseRezDlg* list = ChooseRezDlg;
  if (list->Count() == 0) return;
  const auto marked = [list](int row) {
    REZINDEX e;
    return list->RowEntry(row, e) && e.IsMarked();
  };
  bool any = false;
  for (int row = 0; row < list->Count() && !any; ++row) any = marked(row);
  if (!any) {  // nothing to ask about
    MessageBox(GetLangText(1038), GetLangText(2), MB_OK | MB_ICONINFORMATION);
    return;
  }
  // A question, titled as the other delete questions (text 15 would call it an error).
  if (MessageBox(GetLangText(19), GetLangText(17), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  list->DeleteRows(marked);
  UpdateRecipeButtons();
}

// Recipe list commands ----------------------------------------------------------------------

void TMainFrm::NavigateList(int how) {
  if (ChooseRezDlg) ChooseRezDlg->NavigateRecipe(how);
}

void TMainFrm::MnSelAllClick() {
  if (ChooseRezDlg) ChooseRezDlg->SelectAllRecipes(true);
}

void TMainFrm::NeuesRezeptClick() {
  if (ChooseRezDlg) ChooseRezDlg->NewRezMnuClick();
}

void TMainFrm::RezeptAendernClick() {
  if (ChooseRezDlg) ChooseRezDlg->EditRezMnuClick();
}

void TMainFrm::RezeptloeschenClick() {
  if (ChooseRezDlg) ChooseRezDlg->DeleteSelectedRecipes();
  UpdateRecipeButtons();
}

void TMainFrm::TBDelClick() {
  if (!EditorAgrees()) return;
  // No to the question keeps the recipe on screen; only a deletion empties the view.
  const bool deleted = ChooseRezDlg && ChooseRezDlg->DeleteSelectedRecipes();
  UpdateRecipeButtons();
  if (deleted) ShowEmptyView(EmptyDlg, true);
}

void TMainFrm::MarkList(int mode) {
  if (ChooseRezDlg) ChooseRezDlg->MarkSelectedRecipes(mode);
}

// Commands ----------------------------------------------------------------------------------

void TMainFrm::UpdateClipboardMenu() {
  bool editable = false, readOnly = false;
  if (QWidget* w = FocusedField(showRezDlg, {"RezTextRtf"})) {
    editable = true;
    readOnly = IsReadOnly(w);
  }
  if (FocusedEditorField()) editable = true;
  if (FocusedField(HTMLRezDlg, {"ViewText"}) || (HTMLRezDlg && HTMLRezDlg->isVisible())) {
    editable = true;
    readOnly = true;
  }
  EditCopyItem->setEnabled(editable);
  EditCutItem->setEnabled(editable && !readOnly);
  EditPasteItem->setEnabled(editable && !readOnly);
}

void TMainFrm::ClipboardCommand(int kind) {
  QWidget* target = FocusedField(showRezDlg, {"RezTextRtf"});
  if (!target) target = FocusedEditorField();
  if (!target) target = FocusedField(HTMLRezDlg, {"ViewText"});
  // The quick entry text takes pasted text without its formatting.
  if (kind == 2 && target && target == FocusedField(QEditDlg, {"TextRtf"})) {
    QEditDlg->QEditPastePlain(true);
    return;
  }
  // With the text/HTML view visible, its selection is copied (cut and undo too: the view is
  // read-only); a paste would have nowhere to go and leaves the clipboard as it is.
  if (HTMLRezDlg && HTMLRezDlg->isVisible()) {
    if (kind != 2) HTMLRezDlg->CopyHTMLSelection();
    return;
  }
  if (!target) return;
  static const char* const kSlots[] = {"cut", "copy", "paste", "undo"};
  if (kind >= 0 && kind <= 3) QMetaObject::invokeMethod(target, kSlots[kind]);
}

void TMainFrm::FileExit() {
  close();
}

void TMainFrm::WPlanClick() {
  if (AssistDlg) AssistDlg->ShowTip(20, 2);
  ToggleWeekPlanPane();
}

void TMainFrm::zurEinkaufsliste1Click() {
  if (ChooseRezDlg) ChooseRezDlg->AddSelectedToKaufList();
}

void TMainFrm::Einkaufsliste1Click() {
  if (EinkaufDlg) EinkaufDlg->exec();
  SetPaneExtent(KauflistSplit, 1, 100);
}

void TMainFrm::ThekeMnuClick() {
  if (ThekeDlg) ThekeDlg->exec();
}

void TMainFrm::WeekPlanCommand(void (TWPlanDlg::*command)()) {
  if (WPlanDlg) (WPlanDlg->*command)();
}

void TMainFrm::WPParaClick() {
  WeekPlanCommand(&TWPlanDlg::EditWeekPlanCell);
}
void TMainFrm::NewRemarkMnuClick() {
  WeekPlanCommand(&TWPlanDlg::AddWeekPlanRemark);
}
void TMainFrm::WPShowClick() {
  WeekPlanCommand(&TWPlanDlg::ShowWeekPlanRecipe);
}
void TMainFrm::WPPrintClick() {
  WeekPlanCommand(&TWPlanDlg::PrintWeekPlan);
}
void TMainFrm::WPKListClick() {
  WeekPlanCommand(&TWPlanDlg::AddWeekPlanToKaufList);
}
void TMainFrm::MoveWPUpMnuClick() {
  WeekPlanCommand(&TWPlanDlg::MoveWeekPlanEntryUp);
}
void TMainFrm::MoveWPDownMnuClick() {
  WeekPlanCommand(&TWPlanDlg::MoveWeekPlanEntryDown);
}

void TMainFrm::WeekPlanDelete(int mode) {
  if (WPlanDlg) WPlanDlg->DeleteWeekPlanEntries(mode);
}

void TMainFrm::CHooseListMnuClick() {
  if (ChooseRezDlg)
    if (auto* list = ChooseRezDlg->findChild<QWidget*>(QStringLiteral("ChooseLiBo")))
      list->setFocus();
}

void TMainFrm::ShowAcademyPage(const std::string& topic) {
  ShellOpenFile(AcademyPage(ctx().options ? ctx().options->Str(1) : ProgramFolder(), topic));
}

void TMainFrm::MnHelpClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Start.htm");
}

void TMainFrm::TavolinForumMnuClick() {
  ShellOpenFile(kMakerFaqPage);
}

void TMainFrm::TavolinWebseiten1Click() {
  ShellOpenFile(kMakerWebSite);
}

void TMainFrm::TBInfoDblClick() {
  ShellOpenFile(kMakerWebSite);
}

void TMainFrm::MnAssistTipClick() {
  if (AssistDlg) AssistDlg->ShowTip(4, 1);
}

void TMainFrm::MnLogFileClick() {
  if (ctx().options) ShellOpenFile(ctx().options->Str(90) + "Tavolin.log");
}

void TMainFrm::FileImportClick() {
  if (ImportDlg) ImportDlg->exec();
}

void TMainFrm::TBSearchClick() {
  if (!EditorAgrees()) return;
  if (PSearchDlg) PSearchDlg->exec();
  UpdateRecipeButtons();
}

void TMainFrm::MultidataChangeMnuClick() {
  if (MultiChangeDlg) MultiChangeDlg->exec();
}

void TMainFrm::MnDupeSearchClick() {
  if (DupesDlg) DupesDlg->exec();
}

void TMainFrm::QuickImportClick() {
  if (ImportDlg) ImportDlg->QuickImport();
}

void TMainFrm::FileExportClick() {
  if (ExportDlg) ExportDlg->exec();
}

void TMainFrm::RezListExportClick() {
  if (ExpRezListDlg) ExpRezListDlg->exec();
}

void TMainFrm::FilePrint() {
  if (PrintStartDlg) PrintStartDlg->exec();
}

void TMainFrm::FilePrintSetup() {
  RunPrinterSetup(this);
  if (PrintRezDlg) PrintRezDlg->update();
}

void TMainFrm::ShowHTMLMnuClick() {
  // A menu shown in the planner gives its menu card.
  if (ChooseRezDlg && ChooseRezDlg->IsMenuShown()) {
    if (MenuCenterDlg) MenuCenterDlg->PrintMenuPlan();
    return;
  }
  ExportRun run;
  run.list = TakeRecipeListSnapshot();
  run.keyFigures = KenndatenDlg;
  ShowRecipeHTML(run);
}

void TMainFrm::MnAutoImpClick() {
  if (AutoImpDlg) AutoImpDlg->exec();
}

void TMainFrm::BackupMnuClick() {
  if (BackupDlg) BackupDlg->exec();
}

void TMainFrm::UmfrageMnuClick() {
  if (UmfrageDlg) UmfrageDlg->exec();
}

void TMainFrm::QuenoraMnuClick() {
  if (QuenoraDlg) QuenoraDlg->exec();
}

void TMainFrm::PortionsMnuClick() {
  if (PortionsDlg) PortionsDlg->exec();
}

void TMainFrm::ChangePersAnzMnuClick() {
  if (PersAnzDlg) PersAnzDlg->exec();
}

void TMainFrm::TBMCalcClick() {
  ChangePersAnzMnuClick();
}

void TMainFrm::DoReorgClick() {
  if (!ReorgDlg) return;
  ReorgDlg->PrepareReorgDlg(0, std::string());
  ReorgDlg->exec();
}

void TMainFrm::NewMenuMnuClick() {
  if (MenuCenterDlg) MenuCenterDlg->OpenMenuPlan(nullptr, false);
}

void TMainFrm::MenuEditMnuClick() {
  if (MenuCenterDlg) MenuCenterDlg->EditMenuPlan();
}

void TMainFrm::MenuPrintMnuClick() {
  if (MenuCenterDlg) MenuCenterDlg->PrintMenuPlan();
}

void TMainFrm::CoolMnuClick() {
  if (CoolDlg) CoolDlg->show();
}

void TMainFrm::MHDMnuClick() {
  if (!CoolMHDDlg) return;
  CoolMHDDlg->SetBestBeforeMode(0);
  CoolMHDDlg->exec();
}

void TMainFrm::SaisonMnuClick() {
  if (SaisonDlg) SaisonDlg->exec();
}

void TMainFrm::StartLexikonClick() {
  if (LexShowDlg) LexShowDlg->ShowLexicon();
}

void TMainFrm::InpLexBegriffeClick() {
  if (LexShowDlg) LexShowDlg->EditLexiconChapters();
}

void TMainFrm::KennDatenMnuClick() {
  if (!KenndatenDlg) return;
  KenndatenDlg->exec();
  // The recipe on screen shows the figures as chosen now.
  if (InfoRezDlg && DataRezDlg) InfoRezDlg->FillKeyFigureGrid(DataRezDlg);
}

void TMainFrm::DoNewInizClick() {
  // Only Yes rebuilds: closing the question (Esc) is a No.
  if (MessageBox(GetLangText(16), GetLangText(17), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  if (dbList) dbList->RebuildIndex();
  MessageBox(GetLangText(18), GetLangText(2), MB_OK | MB_ICONINFORMATION);
}

void TMainFrm::HelpAboutItemClick() {
  if (InfoDlg) InfoDlg->exec();
}

}  // namespace tav
