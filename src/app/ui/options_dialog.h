#pragma once
// The options window "Optionen & Parameter". It is also the options store: every part of the
// program reads and writes options through it. Its twelve pages show every option and the
// lists kept with the options (nutrients stored with recipes, weight-chart parts, external
// tools, the book order of the duplicate search); OK hands every value to the store.
#include <QDialog>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "services/options_store.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QToolButton;

namespace tav {

class TParaDlg : public QDialog, public OptionsStore {
  Q_OBJECT
 public:
  // Loads every option and starts the log file.
  explicit TParaDlg(QWidget* parent = nullptr);

  // Makes page 0 to 10 the active one; other numbers change nothing.
  void SelectParaPage(int page);
  // The language codes of LangCoBo, one per item.
  const std::vector<std::string>& LanguageCodes() const { return languageCodes_; }
  void LoadLanguageList();

  void FormShow();
  void OKBtnClick();
  void HelpBtnClick();
  void ReShowAssisBtnClick();
  void TargetFrameEdtChange();
  void ShowHTMLExportChkClick();
  void ImpNormKleinChkClick();
  void NormalizeTitelChkClick();
  void AppendKBookEdtChange();

  // Lists kept with the options.
  void FillGewPartList();
  void GewPartUpLiBoClick();
  void GewPartDownLiBoClick();
  // Brings the book order in line with the books and fills its grid.
  void SyncAutoDelBooks();
  void OrderUpBtnClick();
  void OrderDownBtnClick();
  void KBookOrderGrdClick();
  void KBookWrPrChkClick();
  void LoadToolsGrid();
  void RebuildToolsMenu();
  // Starts the tools of that menu text; when one cannot be started, the window opens on its
  // tools page.
  void StartToolOrAsk(const std::string& text);
  void ToolListGrdClick();
  void ToolEdtChange(int column);
  void NewBtnClick();
  void DelBtnClick();
  void ToolUpBtnClick();
  void ToolDownBtnClick();
  void SearchToolBtnClick();
  bool ToolsChanged() const { return toolsChanged_; }

  // Chooses a program or document for a tool; false when the user cancels. Tests replace it.
  std::function<bool(const std::string& folder, std::string& path)> chooseToolFile;

  QTabWidget* ParamSheet;
  // Vorgaben
  QLineEdit* AutornameEdt;
  QLineEdit* AutorEMailEdt;
  QLineEdit* PersAnzEdt;
  QComboBox* LangCoBo;
  QComboBox* LogLevelCoBo;
  // Allgemein
  QCheckBox* DelAskChk;
  QCheckBox* EnergieChk;
  QCheckBox* HTMLChk;
  QCheckBox* InpMMChk;
  QCheckBox* CopyBmpChk;
  QCheckBox* AssisOnChk;
  QCheckBox* NoFootlineChk;
  QCheckBox* XPLookChk;
  QCheckBox* SameQuelleChk;
  QCheckBox* KalProPersChk;
  QLineEdit* LexURLEdt;
  QPushButton* ReShowAssisBtn;
  // BLS
  QCheckBox* BLSMustValueChk;
  QCheckBox* ShowBLSColChk;
  QCheckBox* NoBLSChk;
  QCheckBox* CalcELTLChk;
  QLineEdit* CalcELEdt;
  QLineEdit* CalcTLEdt;
  QListWidget* StoffChLiBo;
  // Import
  QLineEdit* ImpPathEdt;
  QCheckBox* UmlImpChk;
  QCheckBox* ImpMarkerChk;
  QCheckBox* QuickWaitChk;
  QCheckBox* QEditFilterChk;
  QCheckBox* NormalizeTitelChk;
  QRadioButton* ImpNormGrossChk;
  QRadioButton* ImpNormKleinChk;
  QCheckBox* AppendKBookChk;
  QLineEdit* AppendKBookEdt;
  // Export
  QLineEdit* ExpPathEdt;
  QLineEdit* MaxExportLength;
  QCheckBox* ExpUmlIntChk;
  QCheckBox* DOSUmlChk;
  QCheckBox* NoExpInfoChk;
  QCheckBox* PicExportChk;
  QCheckBox* CMLLeadBytesChk;
  // HTML-Export
  QLineEdit* TargetFrameEdt;
  QCheckBox* ShowHTMLExportChk;
  QCheckBox* HTMLLinkListChk;
  QComboBox* HTMLExpTemplCoBo;
  QComboBox* HTMLQExpTemplCoBo;
  QLineEdit* HTMLRezPathEdt;
  QLineEdit* HTMLZutatPathEdt;
  // Auto-Import
  QCheckBox* ActivatedChk;
  QCheckBox* RenameChk;
  QCheckBox* LogBookChk;
  QRadioButton* DelImportedRdb;
  QRadioButton* MoveImportedRdb;
  QLineEdit* IntervallEdt;
  QComboBox* KBookCoBo;
  // Druckränder
  QLineEdit* RezPrintLeftEdt;
  QLineEdit* RezPrintTopEdt;
  QLineEdit* RezPrintBottomEdt;
  QLineEdit* EListPrintLeftEdt;
  QLineEdit* EListPrintTopEdt;
  QLineEdit* EListPrintBotEdt;
  // Ernährung
  QListWidget* GewPartLiBo;
  QPushButton* GewPartUpLiBo;
  QPushButton* GewPartDownLiBo;
  QCheckBox* MultiDataDayChk;
  // Tools
  QTableWidget* ToolListGrd;
  QLineEdit* ToolTextEdt;
  QLineEdit* ToolPathEdt;
  QLineEdit* ToolCmdEdt;
  QToolButton* SearchToolBtn;
  QPushButton* NewBtn;
  QPushButton* DelBtn;
  QPushButton* ToolUpBtn;
  QPushButton* ToolDownBtn;
  // Doppelsuche
  QTableWidget* KBookOrderGrd;
  QCheckBox* KBookWrPrChk;
  QPushButton* OrderUpBtn;
  QPushButton* OrderDownBtn;
  // Gefriergut
  QCheckBox* ShowOldLMChk;
  QCheckBox* ShowSoonLMChk;
  QLineEdit* ShowSoonLMEdt;
  QCheckBox* OldRedChk;
  QCheckBox* OldOrangeChk;
  QLineEdit* OldOrangeEdt;
  QCheckBox* PrintAddLineChk;
  QLineEdit* PrintAddLineEdt;
  QCheckBox* PrintOffLMChk;

  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QToolButton* HelpBtn;

 protected:
  void OnVisualStylesChanged(bool on) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildPages();
  QWidget* Page(const char* name, const char* caption);
  void FillNutrientList();
  void SaveNutrientList();
  void SaveWeightChart();
  // Copies the ticks of the weight-chart list back into the parts' visibility.
  void TakeGewPartTicks();
  void SwapGewParts(int row, int other);
  void SwapBookOrder(int row, int other);
  void ShowToolRow(int row);
  void SwapToolRows(int row, int other);
  std::vector<EXTTOOL> ToolRows() const;
  void FillTemplateCombos();

  std::vector<std::string> languageCodes_;
  std::vector<int> nutrientOfItem_;  // table index of each StoffChLiBo item
  // The check boxes in the order their flags are stored, with their option ids.
  std::vector<std::pair<QCheckBox*, int>> flagBoxes_;
  bool toolsChanged_ = false;
  bool toolsFilling_ = false;  // the tool edits are being filled from the grid
};

extern TParaDlg* ParaDlg;

}  // namespace tav
