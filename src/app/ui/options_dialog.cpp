#include "app/ui/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ui/main_window.h"
#include "exchange/ui/auto_import_dialog.h"
#include "exchange/ui/html_view_window.h"
#include "exchange/ui/print_preview_window.h"
#include "nutrients/nutrient_table.h"
#include "nutrients/recipe_calc.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/ui/cookbook_dialog.h"
#include "recipedb/ui/unit_combo_view.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/info_pane_window.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/tools_module.h"
#include "services/ui/file_dialog_filter.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"
#include "services/ui/tips_access.h"

namespace tav {

TParaDlg* ParaDlg = nullptr;

namespace {

const char* const kAssistKey = "Software\\Brimo\\Tavolin\\Assist";
// The items of the Tools menu before the external tools: six courses, a separator, the item
// that sets up tools and another separator.
constexpr int kFixedToolsItems = 9;

// A page of label-and-field rows, check boxes and groups, top to bottom.
class PageForm {
 public:
  explicit PageForm(QWidget* page) : page_(page), grid_(new QGridLayout(page)) {
    grid_->setColumnStretch(1, 1);
  }
  QLineEdit* Field(const char* name, const char* labelName, const char* caption, int width = 0) {
    auto* edit = Named<QLineEdit>(page_, name);
    auto* label = Captioned<QLabel>(page_, labelName, caption);
    label->setBuddy(edit);
    grid_->addWidget(label, row_, 0);
    if (width > 0) {
      edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * width + 12);
      grid_->addWidget(edit, row_++, 1, Qt::AlignLeft);
    } else {
      grid_->addWidget(edit, row_++, 1);
    }
    return edit;
  }
  QComboBox* Combo(const char* name, const char* labelName, const char* caption) {
    auto* combo = Named<QComboBox>(page_, name);
    auto* label = Captioned<QLabel>(page_, labelName, caption);
    label->setBuddy(combo);
    grid_->addWidget(label, row_, 0);
    grid_->addWidget(combo, row_++, 1);
    return combo;
  }
  template <typename W>
  W* Line(W* w) {
    grid_->addWidget(w, row_++, 0, 1, 2);
    return w;
  }
  QCheckBox* Box(const char* name, const char* caption) {
    return Line(Captioned<QCheckBox>(page_, name, caption));
  }
  void Layout(QLayout* layout) { grid_->addLayout(layout, row_++, 0, 1, 2); }
  void Space() { grid_->setRowMinimumHeight(row_++, 8); }
  void End(int stretchRow = -1) { grid_->setRowStretch(stretchRow < 0 ? row_ : stretchRow, 1); }
  int Row() const { return row_; }
  QWidget* PageWidget() const { return page_; }

 private:
  QWidget* page_;
  QGridLayout* grid_;
  int row_ = 0;
};

// A number of an edit as atol reads it.
int EditNumber(const QLineEdit* edit) {
  return static_cast<int>(ReadLong(fromQ(edit->text().trimmed())));
}

QTableWidget* Grid(QWidget* parent, const char* name, int columns) {
  auto* g = Named<QTableWidget>(parent, name);
  g->setColumnCount(columns);
  g->verticalHeader()->hide();
  g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 6);
  g->setSelectionBehavior(QAbstractItemView::SelectRows);
  g->setSelectionMode(QAbstractItemView::SingleSelection);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->horizontalHeader()->setStretchLastSection(true);
  g->horizontalHeader()->setHighlightSections(false);
  return g;
}

std::string CellText(const QTableWidget* g, int row, int column) {
  const QTableWidgetItem* item = g->item(row, column);
  return item ? fromQ(item->text()) : std::string();
}

void SetCellText(QTableWidget* g, int row, int column, const std::string& text) {
  g->setItem(row, column, new QTableWidgetItem(toQ(text)));
}

}  // namespace

TParaDlg::TParaDlg(QWidget* parent) : QDialog(parent) {
  ParaDlg = this;
  setObjectName(QStringLiteral("ParaDlg"));
  setWindowTitle(toQ("Optionen & Parameter"));
  setModal(true);
  const std::string root = ctx().tools ? ctx().tools->GetDataPath() : std::string();
  LoadOptions(root);
  ctx().options = this;

  BuildPages();
  chooseToolFile = [this](const std::string& folder, std::string& path) {
    const QStringList filters = FileDialogFilters(GetLangText(27));
    QFileDialog dialog(this, QString(), toQ(folder));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (filters.size() >= 4) dialog.selectNameFilter(filters[3]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = fromQ(dialog.selectedFiles().front());
    return true;
  };

  // Creation: the tools, the log levels, the first page, the languages, the Tools menu and
  // the nutrients stored with recipes.
  LoadToolsGrid();
  toolsChanged_ = false;
  for (int t = 758; t <= 761; ++t) LogLevelCoBo->addItem(toQ(GetLangText(t)));
  LogLevelCoBo->setCurrentIndex(std::clamp(Int(92), 0, 3));
  ParamSheet->setCurrentIndex(0);
  LoadLanguageList();
  RebuildToolsMenu();
  LoadBlsRezStoffe();
  if (LangDlg) LangDlg->TranslateForm(this);
  if (ctx().tools) {
    ctx().tools->WriteLog("START", -1);
    ctx().tools->WriteLog("Exepath: " + Str(1), 0);
    ctx().tools->WriteLog("DataPath: " + Str(90), 0);
  }
}

void TParaDlg::OnVisualStylesChanged(bool on) {
  if (ctx().tools) ctx().tools->SetVisualStyles(on);
}

QWidget* TParaDlg::Page(const char* name, const char* caption) {
  auto* page = new QWidget;
  page->setObjectName(QString::fromLatin1(name));
  ParamSheet->addTab(page, toQ(caption));
  return page;
}

// ---------------------------------------------------------------------------------------------
// The pages

void TParaDlg::BuildPages() {
  ParamSheet = Named<QTabWidget>(this, "ParamSheet");
  ParamSheet->setUsesScrollButtons(false);

  PageForm general(Page("VorgabenPnl", "Vorgaben"));
  AutornameEdt = general.Field("AutornameEdt", "AutornameTxt", "Ihr Name (Autor neuer Rezepte):");
  AutorEMailEdt = general.Field("AutorEMailEdt", "AutorEMailTxt", "Ihre E-Mail-Adresse:");
  PersAnzEdt = general.Field("PersAnzEdt", "PersAnzTxt", "Portionen neuer Rezepte:", 5);
  general.Space();
  LangCoBo = general.Combo("LangCoBo", "LangTxt",
                           "Sprache (ab dem n\xE4"
                           "chsten Start):");
  LogLevelCoBo = general.Combo("LogLevelCoBo", "LogLevelTxt", "Protokoll f\xFCr den Support:");
  general.End();

  PageForm common(Page("AllgemeinPnl", "Allgemein"));
  DelAskChk = common.Box("DelAskChk", "Vor dem L\xF6schen von Rezepten nachfragen");
  EnergieChk = common.Box("EnergieChk", "Energie in kJ statt in kcal angeben");
  HTMLChk = common.Box("HTMLChk", "Rezepte als Webseite statt als Text anzeigen");
  InpMMChk = common.Box("InpMMChk", "Nur Einheiten anbieten, die es im Meal-Master-Format gibt");
  CopyBmpChk = common.Box("CopyBmpChk", "Rezeptbilder immer in den Bilderordner kopieren");
  AssisOnChk = common.Box("AssisOnChk", "Tipp des Tages beim Start zeigen");
  NoFootlineChk = common.Box("NoFootlineChk", "Keine Kennzeile am Ende eines Rezepts");
  XPLookChk = common.Box("XPLookChk", "Bedienelemente im Stil des Systems zeichnen");
  SameQuelleChk = common.Box("SameQuelleChk", "Letzte Quelle f\xFCr ein neues Rezept vorgeben");
  KalProPersChk =
      common.Box("KalProPersChk", "Energie pro Portion statt f\xFCr das ganze Rezept eingeben");
  common.Space();
  LexURLEdt =
      common.Field("LexURLEdt", "LexURLTxt", "Online-Lexikon (# steht f\xFCr den Begriff):");
  ReShowAssisBtn =
      Captioned<QPushButton>(common.PageWidget(), "ReShowAssisBtn", "Alle Tipps wieder anzeigen");
  common.Line(ReShowAssisBtn)->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  common.End();

  PageForm bls(Page("BLSGPnl", "BLS"));
  BLSMustValueChk =
      bls.Box("BLSMustValueChk", "N\xE4hrstoffe nur zeigen, wenn ihr Wert nicht 0 ist");
  ShowBLSColChk = bls.Box("ShowBLSColChk",
                          "BLS-Schl\xFC"
                          "ssel in der Lebensmittelauswahl zeigen");
  NoBLSChk = bls.Box("NoBLSChk", "BLS-Funktionen ausblenden");
  CalcELTLChk = bls.Box("CalcELTLChk",
                        "Ess- und Teel\xF6"
                        "ffel mit festen Mengen berechnen:");
  CalcELEdt = bls.Field("CalcELEdt", "CalcELTxt",
                        "Gramm je Essl\xF6"
                        "ffel:",
                        5);
  CalcTLEdt = bls.Field("CalcTLEdt", "CalcTLTxt",
                        "Gramm je Teel\xF6"
                        "ffel:",
                        5);
  bls.Line(Captioned<QLabel>(bls.PageWidget(), "StoffChTxt",
                             "N\xE4hrstoffe, die mit dem Rezept gespeichert werden:"));
  StoffChLiBo = bls.Line(Named<QListWidget>(bls.PageWidget(), "StoffChLiBo"));
  bls.End(bls.Row() - 1);

  PageForm import(Page("ImportPnl", "Import"));
  ImpPathEdt = import.Field("ImpPathEdt", "ImpPathTxt", "Import-Ordner:");
  UmlImpChk = import.Box("UmlImpChk", "ae, oe, ue nicht automatisch in Umlaute wandeln");
  ImpMarkerChk = import.Box("ImpMarkerChk", "Alle Rezepte eines Imports markieren");
  QuickWaitChk = import.Box("QuickWaitChk", "Nach dem Quick-Import die Anzahl melden");
  QEditFilterChk =
      import.Box("QEditFilterChk", "HTML-Tags beim Einf\xFCgen in die Schnellerfassung entfernen");
  NormalizeTitelChk = import.Box("NormalizeTitelChk", "Titel beim Import vereinheitlichen:");
  ImpNormGrossChk = Captioned<QRadioButton>(import.PageWidget(), "ImpNormGrossChk",
                                            "ganz in Gro\xDF"
                                            "buchstaben");
  ImpNormKleinChk = Captioned<QRadioButton>(import.PageWidget(), "ImpNormKleinChk",
                                            "jedes Wort gro\xDF beginnen");
  auto* titles = new QHBoxLayout;
  titles->addSpacing(20);
  titles->addWidget(ImpNormGrossChk);
  titles->addWidget(ImpNormKleinChk);
  titles->addStretch(1);
  import.Layout(titles);
  AppendKBookChk = Captioned<QCheckBox>(import.PageWidget(), "AppendKBookChk",
                                        "In einem Folgekochbuch weiter nach");
  AppendKBookEdt = Named<QLineEdit>(import.PageWidget(), "AppendKBookEdt");
  AppendKBookEdt->setMaximumWidth(
      AppendKBookEdt->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
  auto* follow = new QHBoxLayout;
  follow->addWidget(AppendKBookChk);
  follow->addWidget(AppendKBookEdt);
  follow->addWidget(Captioned<QLabel>(import.PageWidget(), "AppendKBookTxt", "Rezepten"));
  follow->addStretch(1);
  import.Layout(follow);
  import.End();

  PageForm exportPage(Page("ExportPnl", "Export"));
  ExpPathEdt = exportPage.Field("ExpPathEdt", "ExpPathTxt", "Export-Ordner:");
  MaxExportLength = exportPage.Field("MaxExportLength", "MaxExportTxt",
                                     "Zeilenl\xE4nge beim Text-Export (60 bis 75):", 5);
  ExpUmlIntChk = exportPage.Box("ExpUmlIntChk", "Umlaute als ae, oe, ue schreiben");
  DOSUmlChk = exportPage.Box("DOSUmlChk", "Umlaute im DOS-Zeichensatz schreiben");
  NoExpInfoChk = exportPage.Box("NoExpInfoChk", "Zusatzangaben (Zeilen mit \":\") weglassen");
  PicExportChk = exportPage.Box("PicExportChk", "Bilder mit exportieren (nur CookML)");
  CMLLeadBytesChk = exportPage.Box("CMLLeadBytesChk", "CookML-Dateien mit UTF-8-Kennung beginnen");
  exportPage.End();

  PageForm html(Page("HTMLPnl", "HTML-Export"));
  TargetFrameEdt = html.Field("TargetFrameEdt", "TargetFrameTxt", "Zielrahmen der Links:");
  ShowHTMLExportChk = html.Box("ShowHTMLExportChk", "Seiten nach dem Export anzeigen");
  HTMLLinkListChk = html.Box("HTMLLinkListChk", "Inhaltsverzeichnis als Linkliste schreiben");
  HTMLExpTemplCoBo = html.Combo("HTMLExpTemplCoBo", "HTMLExpTemplTxt", "Vorlage des HTML-Exports:");
  HTMLQExpTemplCoBo = html.Combo("HTMLQExpTemplCoBo", "HTMLQExpTemplTxt",
                                 "Vorlage der Ansicht und des Schnell-Exports:");
  HTMLRezPathEdt = html.Field("HTMLRezPathEdt", "HTMLRezPathTxt", "Pfad zu den Rezeptbildern:");
  HTMLZutatPathEdt =
      html.Field("HTMLZutatPathEdt", "HTMLZutatPathTxt", "Pfad zu den Zutatenbildern:");
  html.End();

  PageForm autoImport(Page("AImportPnl", "Auto-Import"));
  ActivatedChk = autoImport.Box("ActivatedChk",
                                "Den \xFC"
                                "berwachten Ordner abfragen");
  IntervallEdt = autoImport.Field("IntervallEdt", "IntervallTxt", "Abfrage alle (Minuten):", 5);
  KBookCoBo = autoImport.Combo("KBookCoBo", "KBookTxt", "Ziel-Kochbuch:");
  DelImportedRdb = autoImport.Line(Captioned<QRadioButton>(
      autoImport.PageWidget(), "DelImportedRdb", "Importierte Dateien l\xF6schen"));
  MoveImportedRdb = autoImport.Line(Captioned<QRadioButton>(
      autoImport.PageWidget(), "MoveImportedRdb", "Importierte Dateien in *.OK umbenennen"));
  RenameChk = autoImport.Box("RenameChk", "Dateien ohne Rezepte in *.NoRez umbenennen");
  LogBookChk = autoImport.Box("LogBookChk", "Logbuch f\xFChren");
  autoImport.End();

  PageForm print(Page("PrintPnl", "Druckr\xE4nder"));
  auto* recipe = Named<QGroupBox>(print.PageWidget(), "RezPrintGrp");
  recipe->setTitle(toQ(" Rezepte (mm) "));
  auto* lists = Named<QGroupBox>(print.PageWidget(), "EListPrintGrp");
  lists->setTitle(toQ(" Einkaufszettel und Wochenplan (mm) "));
  PageForm recipeMargins(recipe), listMargins(lists);
  RezPrintLeftEdt = recipeMargins.Field("RezPrintLeftEdt", "RezPrintLeftTxt", "links:", 5);
  RezPrintTopEdt = recipeMargins.Field("RezPrintTopEdt", "RezPrintTopTxt", "oben:", 5);
  RezPrintBottomEdt = recipeMargins.Field("RezPrintBottomEdt", "RezPrintBottomTxt", "unten:", 5);
  EListPrintLeftEdt = listMargins.Field("EListPrintLeftEdt", "EListPrintLeftTxt", "links:", 5);
  EListPrintTopEdt = listMargins.Field("EListPrintTopEdt", "EListPrintTopTxt", "oben:", 5);
  EListPrintBotEdt = listMargins.Field("EListPrintBotEdt", "EListPrintBotTxt", "unten:", 5);
  print.Line(recipe);
  print.Line(lists);
  print.End();

  PageForm food(Page("NahrungPnl", "Ern\xE4hrung"));
  food.Line(Captioned<QLabel>(food.PageWidget(), "GewPartTxt", "Teile des Gewichtsverlaufs:"));
  GewPartLiBo = Named<QListWidget>(food.PageWidget(), "GewPartLiBo");
  GewPartUpLiBo = Captioned<QPushButton>(food.PageWidget(), "GewPartUpLiBo", "Nach &oben");
  GewPartDownLiBo = Captioned<QPushButton>(food.PageWidget(), "GewPartDownLiBo", "Nach &unten");
  food.Layout(WithSideButtons(GewPartLiBo, {GewPartUpLiBo, GewPartDownLiBo}));
  MultiDataDayChk =
      food.Box("MultiDataDayChk", "Mehrere Gewichtseintr\xE4ge an einem Tag erlauben");
  food.End();

  QWidget* toolsPage = Page("ToolsPnl", "Tools");
  ToolListGrd = Grid(toolsPage, "ToolListGrd", 3);
  NewBtn = Captioned<QPushButton>(toolsPage, "NewBtn", "&Neu");
  DelBtn = Captioned<QPushButton>(toolsPage, "DelBtn", "&L\xF6schen");
  ToolUpBtn = Captioned<QPushButton>(toolsPage, "ToolUpBtn", "Nach &oben");
  ToolDownBtn = Captioned<QPushButton>(toolsPage, "ToolDownBtn", "Nach &unten");
  auto* toolsLayout = new QVBoxLayout(toolsPage);
  toolsLayout->addLayout(WithSideButtons(ToolListGrd, {NewBtn, DelBtn, ToolUpBtn, ToolDownBtn}), 1);
  auto* toolFields = new QWidget(toolsPage);
  PageForm tool(toolFields);
  ToolTextEdt = tool.Field("ToolTextEdt", "ToolTextTxt", "Men\xFCtext:");
  ToolPathEdt = tool.Field("ToolPathEdt", "ToolPathTxt", "Programm oder Datei:");
  ToolCmdEdt = tool.Field("ToolCmdEdt", "ToolCmdTxt", "Parameter:");
  SearchToolBtn = Captioned<QToolButton>(toolFields, "SearchToolBtn", "...");
  static_cast<QGridLayout*>(toolFields->layout())->addWidget(SearchToolBtn, 1, 2);
  toolFields->layout()->setContentsMargins(0, 0, 0, 0);
  toolsLayout->addWidget(toolFields);

  QWidget* dupePage = Page("DupePnl", "Doppelsuche");
  KBookOrderGrd = Grid(dupePage, "KBookOrderGrd", 2);
  KBookWrPrChk =
      Captioned<QCheckBox>(dupePage, "KBookWrPrChk", "Aus diesem Kochbuch nie l\xF6schen");
  OrderUpBtn = Captioned<QPushButton>(dupePage, "OrderUpBtn", "Nach &oben");
  OrderDownBtn = Captioned<QPushButton>(dupePage, "OrderDownBtn", "Nach &unten");
  auto* dupeLayout = new QVBoxLayout(dupePage);
  dupeLayout->addLayout(WithSideButtons(KBookOrderGrd, {OrderUpBtn, OrderDownBtn}), 1);
  dupeLayout->addWidget(KBookWrPrChk);

  PageForm cool(Page("CoolPnl", "Gefriergut"));
  ShowOldLMChk = cool.Box("ShowOldLMChk", "Beim Start abgelaufenes Gefriergut zeigen");
  ShowSoonLMChk = cool.Box("ShowSoonLMChk", "Beim Start Gefriergut zeigen, das bald abl\xE4uft");
  ShowSoonLMEdt =
      cool.Field("ShowSoonLMEdt", "ShowSoonLMTxt", "bald hei\xDFt innerhalb (Monate):", 5);
  OldRedChk = cool.Box("OldRedChk", "Abgelaufenes Gefriergut rot markieren");
  OldOrangeChk = cool.Box("OldOrangeChk", "Gefriergut orange markieren, das bald abl\xE4uft");
  OldOrangeEdt = cool.Field("OldOrangeEdt", "OldOrangeTxt", "orange innerhalb (Monate):", 5);
  PrintAddLineChk = cool.Box("PrintAddLineChk", "Beim Drucken leere Zeilen je Fach anf\xFCgen");
  PrintAddLineEdt = cool.Field("PrintAddLineEdt", "PrintAddLineTxt", "leere Zeilen je Fach:", 5);
  PrintOffLMChk = cool.Box("PrintOffLMChk", "Spalte zum Abhaken entnommener Ware drucken");
  cool.End();

  OKBtn = Captioned<QPushButton>(this, "OKBtn", "OK");
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");
  HelpBtn = Captioned<QToolButton>(this, "HelpBtn", "?");
  // No default button: Enter in a field would store every option and close the window.
  for (QPushButton* b : {ReShowAssisBtn, GewPartUpLiBo, GewPartDownLiBo, NewBtn, DelBtn, ToolUpBtn,
                         ToolDownBtn, OrderUpBtn, OrderDownBtn, OKBtn, CancelBtn})
    b->setAutoDefault(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ParamSheet, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {OKBtn, CancelBtn}));

  flagBoxes_ = {
      {DelAskChk, 18},       {NoBLSChk, 56},          {CalcELTLChk, 67},     {PicExportChk, 49},
      {CMLLeadBytesChk, 89}, {CopyBmpChk, 50},        {EnergieChk, 16},      {DOSUmlChk, 21},
      {UmlImpChk, 22},       {ExpUmlIntChk, 31},      {ShowBLSColChk, 55},   {NoExpInfoChk, 32},
      {HTMLChk, 19},         {InpMMChk, 33},          {ActivatedChk, 41},    {RenameChk, 45},
      {LogBookChk, 46},      {ImpMarkerChk, 34},      {QuickWaitChk, 48},    {QEditFilterChk, 78},
      {ShowOldLMChk, 79},    {ShowSoonLMChk, 80},     {OldRedChk, 82},       {OldOrangeChk, 83},
      {PrintAddLineChk, 85}, {PrintOffLMChk, 87},     {MultiDataDayChk, 76}, {AssisOnChk, 12},
      {HTMLLinkListChk, 40}, {NoFootlineChk, 36},     {XPLookChk, 75},       {SameQuelleChk, 77},
      {KalProPersChk, 88},   {ShowHTMLExportChk, 37}, {BLSMustValueChk, 54}};

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { reject(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(ReShowAssisBtn, &QPushButton::clicked, this, [this] { ReShowAssisBtnClick(); });
  connect(TargetFrameEdt, &QLineEdit::textChanged, this, [this] { TargetFrameEdtChange(); });
  connect(ShowHTMLExportChk, &QCheckBox::clicked, this, [this] { ShowHTMLExportChkClick(); });
  connect(ImpNormGrossChk, &QRadioButton::clicked, this, [this] { ImpNormKleinChkClick(); });
  connect(ImpNormKleinChk, &QRadioButton::clicked, this, [this] { ImpNormKleinChkClick(); });
  connect(NormalizeTitelChk, &QCheckBox::clicked, this, [this] { NormalizeTitelChkClick(); });
  connect(AppendKBookEdt, &QLineEdit::textEdited, this, [this] { AppendKBookEdtChange(); });
  connect(GewPartUpLiBo, &QPushButton::clicked, this, [this] { GewPartUpLiBoClick(); });
  connect(GewPartDownLiBo, &QPushButton::clicked, this, [this] { GewPartDownLiBoClick(); });
  connect(OrderUpBtn, &QPushButton::clicked, this, [this] { OrderUpBtnClick(); });
  connect(OrderDownBtn, &QPushButton::clicked, this, [this] { OrderDownBtnClick(); });
  connect(KBookOrderGrd, &QTableWidget::itemSelectionChanged, this,
          [this] { KBookOrderGrdClick(); });
  connect(KBookWrPrChk, &QCheckBox::clicked, this, [this] { KBookWrPrChkClick(); });
  connect(ToolListGrd, &QTableWidget::itemSelectionChanged, this, [this] { ToolListGrdClick(); });
  connect(ToolTextEdt, &QLineEdit::textChanged, this, [this] { ToolEdtChange(0); });
  connect(ToolPathEdt, &QLineEdit::textChanged, this, [this] { ToolEdtChange(1); });
  connect(ToolCmdEdt, &QLineEdit::textChanged, this, [this] { ToolEdtChange(2); });
  connect(NewBtn, &QPushButton::clicked, this, [this] { NewBtnClick(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(ToolUpBtn, &QPushButton::clicked, this, [this] { ToolUpBtnClick(); });
  connect(ToolDownBtn, &QPushButton::clicked, this, [this] { ToolDownBtnClick(); });
  connect(SearchToolBtn, &QToolButton::clicked, this, [this] { SearchToolBtnClick(); });
}

void TParaDlg::SelectParaPage(int page) {
  // The page numbers skip the nutrition page.
  static const char* const pages[] = {"VorgabenPnl", "AllgemeinPnl", "BLSGPnl",    "ImportPnl",
                                      "ExportPnl",   "HTMLPnl",      "AImportPnl", "PrintPnl",
                                      "ToolsPnl",    "DupePnl",      "CoolPnl"};
  if (page < 0 || page > 10) return;
  for (int i = 0; i < ParamSheet->count(); ++i)
    if (ParamSheet->widget(i)->objectName() == QLatin1String(pages[page]))
      ParamSheet->setCurrentIndex(i);
}

// ---------------------------------------------------------------------------------------------
// Languages and templates

void TParaDlg::LoadLanguageList() {
  languageCodes_.clear();
  LangCoBo->clear();
  const std::string data = Str(2);
  if (!FileExists(data + "EN/Languages.dat")) return;
  std::vector<std::pair<std::string, std::string>> languages;  // name, code
  for (const std::string& entry : ListFolder(data)) {
    if (!DirExists(data + entry)) continue;
    std::vector<std::string> lines;
    if (!ReadTextLines(FindFileNoCase(data + entry + "/Languages.dat"), lines) || lines.empty())
      continue;
    const std::string first = lines.front().substr(0, 198);
    const size_t hash = first.find('#');
    if (first.empty() || hash == std::string::npos) continue;
    languages.push_back({first.substr(hash + 1), first.substr(0, hash)});
  }
  // Listed by their names, not in the order the file system gives the folders.
  std::sort(languages.begin(), languages.end(),
            [](const auto& a, const auto& b) { return CompareTextNoCase(a.first, b.first) < 0; });
  for (const auto& [name, code] : languages) {
    languageCodes_.push_back(code);
    LangCoBo->addItem(toQ(name));
  }
}

void TParaDlg::FillTemplateCombos() {
  HTMLExpTemplCoBo->clear();
  HTMLQExpTemplCoBo->clear();
  std::vector<std::string> names;
  const std::string folder = Str(5);
  for (const std::string& entry : ListFolder(folder))
    if (entry.size() > 5 && SameTextNoCase(entry.substr(entry.size() - 5), ".html") &&
        FileExists(folder + entry))
      names.push_back(entry);
  std::sort(names.begin(), names.end());
  for (const std::string& n : names) {
    HTMLExpTemplCoBo->addItem(toQ(n));
    HTMLQExpTemplCoBo->addItem(toQ(n));
  }
}

// ---------------------------------------------------------------------------------------------
// Showing

void TParaDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TParaDlg::FormShow() {
  FillTemplateCombos();
  AutornameEdt->setText(toQ(Str(10)));
  AutorEMailEdt->setText(toQ(Str(62)));
  LogLevelCoBo->setCurrentIndex(std::clamp(Int(92), 0, 3));
  HTMLExpTemplCoBo->setCurrentIndex(HTMLExpTemplCoBo->findText(toQ(Str(57)), Qt::MatchExactly));
  HTMLQExpTemplCoBo->setCurrentIndex(HTMLQExpTemplCoBo->findText(toQ(Str(58)), Qt::MatchExactly));
  HTMLRezPathEdt->setText(toQ(Str(59)));
  HTMLZutatPathEdt->setText(toQ(Str(60)));
  TargetFrameEdt->setText(toQ(Str(34)));
  ShowSoonLMEdt->setText(QString::number(Int(81)));
  OldOrangeEdt->setText(QString::number(Int(84)));
  PrintAddLineEdt->setText(QString::number(Int(86)));
  PersAnzEdt->setText(QString::number(Int(17)));
  CalcELEdt->setText(toQ(Str(68)));
  CalcTLEdt->setText(toQ(Str(69)));

  const int titles = Int(73);
  NormalizeTitelChk->setChecked(titles > 0);
  ImpNormGrossChk->setChecked(titles == 1);
  ImpNormKleinChk->setChecked(titles != 1);
  // Showing changes no option: the limit is worked out when OK stores it.
  const int limit = Int(74);
  AppendKBookEdt->setText(limit ? QString::number(limit) : QString());
  AppendKBookChk->setChecked(limit > 0);

  for (const auto& [box, id] : flagBoxes_) box->setChecked(Flag(id));
  (Flag(44) ? DelImportedRdb : MoveImportedRdb)->setChecked(true);
  TargetFrameEdtChange();

  RezPrintLeftEdt->setText(QString::number(Int(13)));
  RezPrintTopEdt->setText(QString::number(Int(25)));
  RezPrintBottomEdt->setText(QString::number(Int(26)));
  EListPrintLeftEdt->setText(QString::number(Int(14)));
  EListPrintTopEdt->setText(QString::number(Int(27)));
  EListPrintBotEdt->setText(QString::number(Int(28)));
  MaxExportLength->setText(QString::number(Int(29)));
  IntervallEdt->setText(QString::number(Int(42)));
  ExpPathEdt->setText(toQ(Str(4)));
  ImpPathEdt->setText(toQ(Str(3)));
  if (KBookDlg)
    KBookDlg->FillKBookCombo(KBookCoBo, Str(43));
  else
    KBookCoBo->clear();
  LexURLEdt->setText(toQ(Str(66)));

  // The language stored for the next start, else the one of this run.
  std::string language = Str(51);
  if (ctx().userSettings) ctx().userSettings->ReadString(kRegParam, "AKTLANGUAGE", language);
  const auto code = std::find(languageCodes_.begin(), languageCodes_.end(), language);
  if (code != languageCodes_.end())
    LangCoBo->setCurrentIndex(static_cast<int>(code - languageCodes_.begin()));

  FillNutrientList();
  SyncAutoDelBooks();
  // Tool edits that were cancelled are not kept.
  LoadToolsGrid();
  toolsChanged_ = false;
  CenterOnForm(this);
  FillGewPartList();
}

// ---------------------------------------------------------------------------------------------
// OK and the other commands of the form

void TParaDlg::OKBtnClick() {
  SetParaString(10, fromQ(AutornameEdt->text()));
  SetParaString(62, fromQ(AutorEMailEdt->text()));
  SetParaString(4, fromQ(ExpPathEdt->text()));
  SetParaString(3, fromQ(ImpPathEdt->text()));
  // A template that is not among the files keeps the name stored.
  if (HTMLExpTemplCoBo->currentIndex() >= 0)
    SetParaString(57, fromQ(HTMLExpTemplCoBo->currentText()));
  if (HTMLQExpTemplCoBo->currentIndex() >= 0)
    SetParaString(58, fromQ(HTMLQExpTemplCoBo->currentText()));
  SetParaString(59, fromQ(HTMLRezPathEdt->text()));
  SetParaString(60, fromQ(HTMLZutatPathEdt->text()));

  SetParaInt(17, EditNumber(PersAnzEdt));
  SetParaString(34, fromQ(TargetFrameEdt->text()));
  SetParaInt(81, EditNumber(ShowSoonLMEdt));
  SetParaInt(84, EditNumber(OldOrangeEdt));
  SetParaInt(86, EditNumber(PrintAddLineEdt));
  SetParaString(68, fromQ(CalcELEdt->text()));
  SetParaString(69, fromQ(CalcTLEdt->text()));

  SetParaInt(73, !NormalizeTitelChk->isChecked() ? 0 : ImpNormGrossChk->isChecked() ? 1 : 2);
  // A limit of 1 to 99 recipes is raised to 100.
  int limit = AppendKBookChk->isChecked() ? EditNumber(AppendKBookEdt) : 0;
  if (limit >= 1 && limit <= 99) limit = 100;
  SetParaInt(74, limit);

  if (KBookCoBo->currentIndex() >= 0) SetParaString(43, fromQ(KBookCoBo->currentText()));
  SetParaString(66, fromQ(LexURLEdt->text()));
  // Without a chosen language the stored one stays.
  const int language = LangCoBo->currentIndex();
  if (language >= 0 && language < static_cast<int>(languageCodes_.size()))
    SetParaString(51, languageCodes_[static_cast<size_t>(language)]);

  for (size_t i = 0; i < flagBoxes_.size(); ++i) {
    SetParaBool(flagBoxes_[i].second, flagBoxes_[i].first->isChecked());
    if (flagBoxes_[i].second == 41) SetParaBool(44, DelImportedRdb->isChecked());
  }

  SetParaInt(13, EditNumber(RezPrintLeftEdt));
  SetParaInt(25, EditNumber(RezPrintTopEdt));
  SetParaInt(26, EditNumber(RezPrintBottomEdt));
  SetParaInt(14, EditNumber(EListPrintLeftEdt));
  SetParaInt(27, EditNumber(EListPrintTopEdt));
  SetParaInt(28, EditNumber(EListPrintBotEdt));
  SetParaInt(42, EditNumber(IntervallEdt));
  SetParaInt(92, std::max(0, LogLevelCoBo->currentIndex()));
  SetParaInt(29, std::clamp(EditNumber(MaxExportLength), 60, 75));

  SaveWeightChart();
  SaveAutoDelBooks();
  SaveNutrientList();
  accept();

  // Other windows take up the new values.
  if (NEditDlg && NEditDlg->isVisible()) NEditDlg->NEditFillControls();
  if (InfoRezDlg && DataRezDlg) InfoRezDlg->FillKeyFigureGrid(DataRezDlg);
  if (UnitComboView* chooser = UnitCombo<kChooserUnitCombo>()) chooser->RefillUnitCombo();
  if (toolsChanged_) {
    SaveTools(ToolRows());
    RebuildToolsMenu();
  }
  if (AutoImpDlg) AutoImpDlg->ApplyAutoImportTimer();
  // The text/HTML view takes option 19 and renders anew; the preview shows the new margins.
  if (HTMLRezDlg) HTMLRezDlg->ApplyHTMLViewMode();
  if (PrintRezDlg) PrintRezDlg->update();
}

void TParaDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Param.htm");
}

void TParaDlg::ReShowAssisBtnClick() {
  if (ctx().userSettings) ctx().userSettings->DeleteKey(kAssistKey);
  MessageBox(GetLangText(21), GetLangText(22), MB_OK | MB_ICONINFORMATION);
}

void TParaDlg::TargetFrameEdtChange() {
  if (TargetFrameEdt->text().isEmpty()) {
    HTMLLinkListChk->setEnabled(true);
    return;
  }
  HTMLLinkListChk->setChecked(true);
  HTMLLinkListChk->setEnabled(false);
}

void TParaDlg::ShowHTMLExportChkClick() {
  if (TipsAccess* tips = TipsWindow()) tips->ShowTip(3, 2);
}

void TParaDlg::ImpNormKleinChkClick() {
  NormalizeTitelChk->setChecked(true);
}

void TParaDlg::NormalizeTitelChkClick() {
  if (!ImpNormGrossChk->isChecked()) ImpNormKleinChk->setChecked(true);
}

void TParaDlg::AppendKBookEdtChange() {
  AppendKBookChk->setChecked(true);
}

// ---------------------------------------------------------------------------------------------
// Nutrients stored with recipes

void TParaDlg::FillNutrientList() {
  StoffChLiBo->clear();
  nutrientOfItem_.clear();
  if (!ctx().nutrients) return;
  NutrientTable& table = *ctx().nutrients;
  // Until a list is stored, the nutrients a calculation keeps by default show ticked.
  const std::vector<int> stored = NutrientsStoredWithRecipes();
  for (int i = 0; i < table.GetStoffCount(); ++i) {
    ISTOFF* s = nullptr;
    table.GetStoffPtr(i, &s);
    if (!s || s->isText) continue;
    auto* item = new QListWidgetItem(toQ(s->name), StoffChLiBo);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    const bool ticked = std::find(stored.begin(), stored.end(), i) != stored.end();
    item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    nutrientOfItem_.push_back(i);
  }
}

void TParaDlg::SaveNutrientList() {
  if (StoffChLiBo->count() == 0) return;
  std::vector<int32_t> list;
  for (int i = 0; i < StoffChLiBo->count(); ++i)
    if (StoffChLiBo->item(i)->checkState() == Qt::Checked)
      list.push_back(nutrientOfItem_[static_cast<size_t>(i)]);
  SaveBlsRezStoffe(list);
}

// ---------------------------------------------------------------------------------------------
// Weight-chart parts

void TParaDlg::FillGewPartList() {
  const int selected = GewPartLiBo->currentRow();
  GewPartLiBo->clear();
  for (int i = 0; i < 6; ++i) {
    auto* item = new QListWidgetItem(GewPartLiBo);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  for (int part = 0; part < 6; ++part) {
    QListWidgetItem* item = GewPartLiBo->item(GetGewChartPos(part));
    item->setText(toQ(GetLangText(619 + part)));
    item->setCheckState(GetGewChartVisible(part) ? Qt::Checked : Qt::Unchecked);
  }
  if (selected >= 0) GewPartLiBo->setCurrentRow(selected);
}

void TParaDlg::TakeGewPartTicks() {
  for (size_t part = 0; part < 6; ++part)
    chartVisible[part] = GewPartLiBo->item(chartPosition[part])->checkState() == Qt::Checked;
}

void TParaDlg::SwapGewParts(int row, int other) {
  TakeGewPartTicks();
  auto at = [this](int r) {
    return std::find(chartPosition.begin(), chartPosition.end(), r) - chartPosition.begin();
  };
  const auto a = at(row), b = at(other);
  if (a >= 6 || b >= 6) return;
  std::swap(chartPosition[static_cast<size_t>(a)], chartPosition[static_cast<size_t>(b)]);
  FillGewPartList();
  GewPartLiBo->setCurrentRow(other);
}

void TParaDlg::GewPartUpLiBoClick() {
  const int row = GewPartLiBo->currentRow();
  if (row >= 1) SwapGewParts(row, row - 1);
}

void TParaDlg::GewPartDownLiBoClick() {
  const int row = GewPartLiBo->currentRow();
  if (row >= 0 && row <= 4) SwapGewParts(row, row + 1);
}

void TParaDlg::SaveWeightChart() {
  TakeGewPartTicks();
  SetParaString(70, WeightChartText());
}

// ---------------------------------------------------------------------------------------------
// Book order of the duplicate search

void TParaDlg::SyncAutoDelBooks() {
  const CookbookList* books = ctx().books;
  const std::vector<BookNameId> ids = books ? books->BookNameIds() : std::vector<BookNameId>();
  const QSignalBlocker quiet(KBookOrderGrd);
  const int selected = KBookOrderGrd->currentRow();
  KBookOrderGrd->setRowCount(static_cast<int>(ids.size()));
  if (ids.empty()) return;
  KBookOrderGrd->setHorizontalHeaderLabels({toQ(GetLangText(421)), toQ(GetLangText(422))});
  KBookOrderGrd->setColumnWidth(0, 210);
  OptionsStore::SyncAutoDelBooks(ids);
  KBookOrderGrd->setRowCount(static_cast<int>(autoDelBooks.size()));
  for (size_t r = 0; r < autoDelBooks.size(); ++r) {
    SetCellText(KBookOrderGrd, static_cast<int>(r), 0, autoDelBooks[r].name);
    SetCellText(KBookOrderGrd, static_cast<int>(r), 1,
                GetLangText(autoDelBooks[r].neverDelete ? 423 : 424));
  }
  if (selected >= 0 && selected < KBookOrderGrd->rowCount()) KBookOrderGrd->selectRow(selected);
}

void TParaDlg::SwapBookOrder(int row, int other) {
  std::swap(autoDelBooks[static_cast<size_t>(row)], autoDelBooks[static_cast<size_t>(other)]);
  SyncAutoDelBooks();
  KBookOrderGrd->selectRow(other);
}

void TParaDlg::OrderUpBtnClick() {
  const int row = KBookOrderGrd->currentRow();
  if (row >= 1 && row < static_cast<int>(autoDelBooks.size())) SwapBookOrder(row, row - 1);
}

void TParaDlg::OrderDownBtnClick() {
  const int row = KBookOrderGrd->currentRow();
  if (row >= 0 && row + 1 < static_cast<int>(autoDelBooks.size())) SwapBookOrder(row, row + 1);
}

void TParaDlg::KBookOrderGrdClick() {
  const int row = KBookOrderGrd->currentRow();
  if (row < 0 || row >= static_cast<int>(autoDelBooks.size())) return;
  KBookWrPrChk->setChecked(autoDelBooks[static_cast<size_t>(row)].neverDelete);
}

void TParaDlg::KBookWrPrChkClick() {
  const int row = KBookOrderGrd->currentRow();
  if (row < 0 || row >= static_cast<int>(autoDelBooks.size())) return;
  autoDelBooks[static_cast<size_t>(row)].neverDelete = KBookWrPrChk->isChecked();
  SyncAutoDelBooks();
  KBookOrderGrd->selectRow(row);
}

// ---------------------------------------------------------------------------------------------
// External tools

void TParaDlg::LoadToolsGrid() {
  LoadTools();
  const QSignalBlocker quiet(ToolListGrd);
  ToolListGrd->setHorizontalHeaderLabels(
      {toQ(GetLangText(24)), toQ(GetLangText(25)), toQ(GetLangText(26))});
  ToolListGrd->setColumnWidth(0, 110);
  ToolListGrd->setColumnWidth(1, 254);
  ToolListGrd->setRowCount(std::max<int>(1, static_cast<int>(tools.size())));
  for (int r = 0; r < ToolListGrd->rowCount(); ++r) {
    const EXTTOOL t =
        r < static_cast<int>(tools.size()) ? tools[static_cast<size_t>(r)] : EXTTOOL{};
    SetCellText(ToolListGrd, r, 0, t.text);
    SetCellText(ToolListGrd, r, 1, t.path);
    SetCellText(ToolListGrd, r, 2, t.params);
  }
  ToolListGrd->selectRow(0);
  ShowToolRow(0);
}

std::vector<EXTTOOL> TParaDlg::ToolRows() const {
  std::vector<EXTTOOL> rows;
  for (int r = 0; r < ToolListGrd->rowCount(); ++r)
    rows.push_back(
        {CellText(ToolListGrd, r, 0), CellText(ToolListGrd, r, 1), CellText(ToolListGrd, r, 2)});
  return rows;
}

void TParaDlg::ShowToolRow(int row) {
  toolsFilling_ = true;
  ToolTextEdt->setText(toQ(CellText(ToolListGrd, row, 0)));
  ToolPathEdt->setText(toQ(CellText(ToolListGrd, row, 1)));
  ToolCmdEdt->setText(toQ(CellText(ToolListGrd, row, 2)));
  toolsFilling_ = false;
}

void TParaDlg::ToolListGrdClick() {
  ShowToolRow(ToolListGrd->currentRow());
}

void TParaDlg::ToolEdtChange(int column) {
  if (toolsFilling_) return;
  const int row = ToolListGrd->currentRow();
  const QLineEdit* edits[] = {ToolTextEdt, ToolPathEdt, ToolCmdEdt};
  if (row >= 0) SetCellText(ToolListGrd, row, column, fromQ(edits[column]->text()));
  toolsChanged_ = true;
}

void TParaDlg::NewBtnClick() {
  if (ToolListGrd->rowCount() >= kMaxTools) return;
  toolsChanged_ = true;
  const int row = ToolListGrd->rowCount();
  ToolListGrd->insertRow(row);
  for (int c = 0; c < 3; ++c) SetCellText(ToolListGrd, row, c, std::string());
  ToolListGrd->selectRow(row);
  ShowToolRow(row);
  ToolTextEdt->setFocus();
}

void TParaDlg::DelBtnClick() {
  toolsChanged_ = true;
  if (ToolListGrd->rowCount() <= 1) {
    for (int c = 0; c < 3; ++c) SetCellText(ToolListGrd, 0, c, std::string());
    ShowToolRow(0);
    return;
  }
  const int row = std::max(0, ToolListGrd->currentRow());
  ToolListGrd->removeRow(row);
  ToolListGrd->selectRow(std::min(row, ToolListGrd->rowCount() - 1));
  ShowToolRow(ToolListGrd->currentRow());
}

void TParaDlg::SwapToolRows(int row, int other) {
  toolsChanged_ = true;
  for (int c = 0; c < 3; ++c) {
    const std::string a = CellText(ToolListGrd, row, c);
    SetCellText(ToolListGrd, row, c, CellText(ToolListGrd, other, c));
    SetCellText(ToolListGrd, other, c, a);
  }
  ToolListGrd->selectRow(other);
  ShowToolRow(other);
}

void TParaDlg::ToolUpBtnClick() {
  const int row = ToolListGrd->currentRow();
  if (row >= 1) SwapToolRows(row, row - 1);
}

void TParaDlg::ToolDownBtnClick() {
  const int row = ToolListGrd->currentRow();
  if (row >= 0 && row + 1 < ToolListGrd->rowCount()) SwapToolRows(row, row + 1);
}

void TParaDlg::SearchToolBtnClick() {
  std::string folder, name, path;
  SplitPath(fromQ(ToolPathEdt->text()), folder, name);
  if (chooseToolFile && chooseToolFile(folder, path)) ToolPathEdt->setText(toQ(path));
}

void TParaDlg::RebuildToolsMenu() {
  if (!MainFrm || !MainFrm->ToolsMenu) return;
  QMenu* menu = MainFrm->ToolsMenu;
  const QList<QAction*> items = menu->actions();
  for (int i = kFixedToolsItems; i < items.size(); ++i) {
    menu->removeAction(items[i]);
    items[i]->deleteLater();  // the item may be the one whose click is running
  }
  for (const EXTTOOL& t : tools) {
    auto* item = new QAction(toQ(t.text), menu);
    item->setToolTip(toQ(t.path));
    item->setStatusTip(toQ(t.path));
    const std::string text = t.text;
    connect(item, &QAction::triggered, this, [this, text] { StartToolOrAsk(text); });
    menu->addAction(item);
  }
}

void TParaDlg::StartToolOrAsk(const std::string& text) {
  if (StartTool(text)) return;
  SelectParaPage(8);
  exec();
}

}  // namespace tav
