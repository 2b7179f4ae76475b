#pragma once
// The category window: manages the category table (mode 0: new, change, delete, relate main
// and sub categories, symbols) or chooses the main categories of one recipe (mode 1). It owns
// the category table.
#include <QDialog>
#include <functional>

#include "recipedb/category_table.h"
#include "recipedb/recipe_model.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabBar;
class QToolButton;

namespace tav {

class TContextListBox;

class TGattDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TGattDlg(QWidget* parent = nullptr);
  ~TGattDlg() override;

  // The category table, read when the window is created.
  CategoryTable categories;

  // Mode 0 manages the table; mode 1 chooses the categories of `recipe`, whose codes change
  // only when the window is closed with OK.
  void SetGattDlgMode(int mode, REZBLOCK* recipe);
  // True after OK, false after Cancel or the close box.
  bool GattDlgApplied() const { return applied_; }
  int Mode() const { return mode_; }
  // The table index of the category in the detail pane; -1 for none.
  int Shown() const { return shown_; }

  void FormActivate();
  void FillGattList(int kind);
  void FillNebenList();
  void ShowGattDetails(bool fromSelection);
  void UpdateGattButtons();
  void ArtTabChange();
  void ShowBtnClick();
  void ShowOBtnClick();
  void GattLiBoDblClick();
  void NeuBtnClick();
  void ChangeBtnClick();
  void DelBtnClick();
  void GattAddBtnClick();
  void GattDelBtnClick();
  void SymbolEdtChange();
  void SymbolBtnClick();
  void OKBtnClick();
  void CancelBtnClick();
  void HelpBtnClick();

  // Shows the category input dialog for the category; false when it was cancelled. Tests
  // replace it.
  std::function<bool(REZGATT& category)> inputCategory;
  // Chooses a symbol picture; false when the user cancels. Tests replace it.
  std::function<bool(std::string& path)> chooseSymbolPicture;

  QTabBar* ArtTab;
  TContextListBox* GattLiBo;
  QGroupBox* NebenGrp;
  QLabel* GattImg;
  QLabel* GattArtTxt;
  QLabel* GattNameTxt;
  QLabel* NebenTxt;
  TContextListBox* NebenLiBo;
  QLabel* Free1Txt;
  QLabel* Free2Txt;
  QLabel* Start1Txt;
  QLabel* Start2Txt;
  QLabel* Start3Txt;
  QLabel* SymbolTxt;
  QLineEdit* SymbolEdt;
  QToolButton* SymbolBtn;
  QPushButton* NeuBtn;
  QPushButton* ChangeBtn;
  QPushButton* DelBtn;
  QPushButton* ShowBtn;
  QPushButton* ShowOBtn;
  QPushButton* GattAddBtn;
  QPushButton* GattDelBtn;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QToolButton* HelpBtn;

  // The codes the window works on in mode 1 (the recipe's own stay until OK).
  const uint16_t* Codes() const { return codes_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Table index of the selected item of a list, -1 for none.
  int Selected(const TContextListBox* list) const;
  bool Valid(int index) const;
  void SelectByName(const std::string& name);
  void SelectRow(TContextListBox* list, int row);
  void SetSymbolControls(bool visible);
  // Two columns of main categories while assigning, one column while managing.
  void FitListColumns();
  void ReportFreed(int count, int title);
  void AddItem(TContextListBox* list, const REZGATT& g, int data, bool indent);

  int mode_ = 0;
  REZBLOCK* recipe_ = nullptr;
  uint16_t codes_[10] = {};
  bool applied_ = false;
  int shown_ = -1;
  int listMinWidth_ = 0;  // as the language file sizes the list
};

extern TGattDlg* GattDlg;

}  // namespace tav
