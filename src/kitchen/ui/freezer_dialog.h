#pragma once
// The freezer window "Gefriergut-Verwaltung": the picture of the current freezer on the left; on
// the right either the inventory view (the stored-foods table, the food editor and the
// usual-foods tree) or the definition view (freezers, their compartments and names). The
// window owns the freezer inventory for the whole run: it reads CoolBoxes.dat and CoolTypes.dat
// when it is created and writes them when it closes.
#include <QDialog>
#include <QImage>
#include <vector>

#include "kitchen/freezer/best_before.h"
#include "kitchen/freezer/freezer_records.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDropEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QSplitter;
class QTableWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tav {

class FreezerPicture;

class TCoolDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TCoolDlg(QWidget* parent = nullptr);
  ~TCoolDlg() override;

  FreezerInventory inventory;
  std::vector<CO_SCHRANK>& Freezers() { return inventory.freezers; }
  std::vector<CO_TYPE>& FoodTypes() { return inventory.types; }
  CO_SCHRANK* CurrentFreezer();

  // --- files (CoolBoxes.dat, CoolTypes.dat in the language folder) ------------------------
  void LoadFreezers() { inventory.LoadFreezers(); }
  bool SaveFreezers() { return inventory.SaveFreezers(); }
  void AddDefaultFreezer() { inventory.AddDefaultFreezer(); }
  void LoadFoodTypes() { inventory.LoadFoodTypes(); }
  bool SaveFoodTypes() { return inventory.SaveFoodTypes(); }

  // --- the window and the picture ---------------------------------------------------------
  void FormCreate();
  void SetFreezerViewMode(int mode);
  void FillCompartmentChooser();
  void FillFreezerBox();
  void ShowWarnedFood(const CO_SLIST& entry);
  // A press on the picture at height y (paint box coordinates).
  void PaintGraphMouseDown(int y);
  // The compartment under height y for a drop, -1 outside the compartments.
  int DropCompartment(int y) const;
  bool CanDropFoodType() const;
  // A drag that carries a usual food (not a group) from the tree: what the picture and the
  // table take.
  bool AcceptsFoodTypeDrag(const QDropEvent* e) const;
  void PaintGraphDragDrop(int y);
  void SchrankCoBoChange();
  void FachChooseCoBoChange();
  void ExitMnuClick();
  void ShowOptionsMnuClick();
  void PrintFachMnuClick() { WriteOverview(false); }
  void PrintSchrankMnuClick() { WriteOverview(true); }
  void DefSchrankMnuClick() { SetFreezerViewMode(1); }
  void EditHelpBtnClick();

  // --- the stored-foods table and the food editor -----------------------------------------
  void SetFoodTableColumns();
  void FillFoodTable();
  // Compartment and food index of the current row.
  void GetSelectedFood(int& compartment, int& food) const;
  void SelectFoodRow(int compartment, int food);
  void ShowFoodEditor();
  // Stores a new food (a copy of `model` when given) into `compartment` (-1: the current row's)
  // with today's stored date and selects it.
  void StoreFood(const CO_LMITTEL* model, int compartment);
  void LMittelGrdClick();
  void LMNameEdtChange();
  void LMMengeEdtChange();
  void LMAngebChkClick();
  void LMMHDEdtChange();
  void LMSinceEdtChange();
  void LMSinceBtnClick();
  void NewLMittelBtnClick() { StoreFood(nullptr, -1); }
  void LMCopyBtnClick();
  void DelLMittelBtnClick();
  void StartSearchMnuClick();
  // The status colour of a best-before cell: 0 none, 1 due soon, 2 expired (options 82, 83).
  int BestBeforeCellStatus(int compartment, int food) const;

  // --- the definition view ----------------------------------------------------------------
  void FillFreezerTable();
  void ShowFreezerDefinition();
  void NewSchrankBtnClick();
  void DelSchrankBtnClick();
  void SchraenkeGrdClick();
  void SchranknameEdtChange();
  void SchrankfachAnzEdtChange();
  void FaecherSortChkClick();
  void FaecherGrdClick();
  void FaecherGrdSetEditText(int row);
  void EditOKBtnClick();
  void EditCancelBtnClick();

  // --- the usual-foods tree ---------------------------------------------------------------
  void BuildFoodTypeTree();
  void SelectFoodTypeNode(int position);
  // The entry of the selected node, -1 when none is selected.
  int SelectedFoodType() const;
  void TreeMnuPopup();
  void AddGutMnuClick();
  void DelMnuClick();
  void AddMnuClick();
  void NewChildNodeClick();
  void NewNodeMnuClick();
  void RenameMnuClick();
  void OpenAllMnuClick();
  void TypeTreeEdited(QTreeWidgetItem* node);
  void TypeTreeDblClick(QTreeWidgetItem* node);
  void MoveTypeBtnClick();

  // Saves both files as the window closes or the program ends. Foods of compartments beyond a
  // lowered count are dropped only on Yes to message 1031; on No the window stays open when
  // `mayStay` (false is returned), else the count rises to keep them.
  bool SaveOnClose(bool mayStay);
  // Closing the window (also by Escape) saves both files.
  void done(int result) override;

  // View state.
  int ViewMode = 0;
  int CurFreezer = 0;
  int CurFach = 0;
  bool Updating = false;
  bool AllFaecher = false;
  bool Translating = false;

  // Pictures (white is transparent).
  QImage TruheObenImg, TruheFachImg, TruheFachSImg, TruheUntenImg, AngebrochenImg;

  // Controls.
  QMenuBar* MainMenu = nullptr;
  QAction* StartSearchMnu = nullptr;
  QAction* ExitMnu = nullptr;
  QAction* PrintFachMnu = nullptr;
  QAction* PrintSchrankMnu = nullptr;
  QAction* DefSchrankMnu = nullptr;
  QAction* ShowOptionsMnu = nullptr;
  QComboBox* SchrankCoBo = nullptr;
  QLabel* SchrankNameTxt = nullptr;
  QWidget* TruhePnl = nullptr;
  FreezerPicture* PaintGraph = nullptr;
  QWidget* WorkPnl = nullptr;
  QComboBox* FachChooseCoBo = nullptr;
  QPushButton* NewLMittelBtn = nullptr;
  QPushButton* LMCopyBtn = nullptr;
  QPushButton* DelLMittelBtn = nullptr;
  QTableWidget* LMittelGrd = nullptr;
  QSplitter* Splitter1 = nullptr;
  QGroupBox* InpLMittelPnl = nullptr;
  QLineEdit* LMNameEdt = nullptr;
  QLineEdit* LMMengeEdt = nullptr;
  QCheckBox* LMAngebChk = nullptr;
  QLineEdit* LMMHDEdt = nullptr;
  QLineEdit* LMSinceEdt = nullptr;
  QPushButton* LMSinceBtn = nullptr;
  QPushButton* MoveTypeBtn = nullptr;
  QToolButton* EditHelpBtn = nullptr;
  QTreeWidget* TypeTree = nullptr;
  QMenu* LMMnu = nullptr;
  QMenu* TreeMnu = nullptr;
  QAction* AddGutMnu = nullptr;
  QAction* DelTypeMnu = nullptr;  // "Lebensmittel aus dieser Auswahl entfernen"
  QAction* AddMnu = nullptr;
  QAction* TreeSep1 = nullptr;
  QAction* NewChildNode = nullptr;
  QAction* NewNodeMnu = nullptr;
  QAction* RenameMnu = nullptr;
  QAction* DelMnu = nullptr;  // "Knoten löschen"
  QAction* TreeSep2 = nullptr;
  QAction* OpenAllMnu = nullptr;
  QWidget* TruhenPnl = nullptr;
  QPushButton* NewSchrankBtn = nullptr;
  QPushButton* DelSchrankBtn = nullptr;
  QTableWidget* SchraenkeGrd = nullptr;
  QGroupBox* SchrankGrp = nullptr;
  QLineEdit* SchranknameEdt = nullptr;
  QLineEdit* SchrankfachAnzEdt = nullptr;
  QCheckBox* FaecherSortChk = nullptr;
  QTableWidget* FaecherGrd = nullptr;
  QPushButton* EditOKBtn = nullptr;
  QPushButton* EditCancelBtn = nullptr;
  QToolButton* DefHelpBtn = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void WriteOverview(bool whole);
  // The food of a table row (-1: none); the current row counts from 1, as the grid's cursor does.
  bool RowFood(int row, int& compartment, int& food) const;
  void SetCurrentFoodRow(int row);
  // Sets an edit's text without running its write-through.
  void PutEditor(QLineEdit* edit, const std::string& text);
  // A date edit's text into the edited food's best-before or stored date and its cell.
  void DateEdited(QLineEdit* edit, int column, bool bestBefore);
  // True when saving would drop foods of compartments beyond a freezer's count and the user
  // does not want that.
  bool DroppedFoodsRefused();
  // OK leaves no freezer without a name (message 1022): the first unnamed one is shown.
  bool UnnamedFreezerRefused();
  void AfterDefinition();
  void StartEditingNode(int position);
  // A new group under (child) or beside the selected group, its name edited at once.
  void AddGroupNode(bool child);
  bool fillingEditor_ = false;
  bool fillingTable_ = false;
  int editedType_ = -1;  // the entry whose node text is being edited
};

extern TCoolDlg* CoolDlg;

}  // namespace tav
