#pragma once
// The ingredient chooser "Eingabe von Zutaten": enters and changes the ingredient lines of the
// recipe being edited, one line at a time (an ingredient with amount, unit, description,
// shopping-list flag and food link, or a heading), with the editor's line list in its left half.
// Units and ingredients are completed from the unit table and the ingredient catalogue; holding
// Ctrl or Alt takes the completion.
#include <QDialog>
#include <functional>
#include <string>

#include "recipedb/recipe_model.h"
#include "recipedb/ui/unit_combo_view.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace tav {

class TChooseZutatDlg : public QDialog, public UnitComboView {
  Q_OBJECT
 public:
  explicit TChooseZutatDlg(QWidget* parent = nullptr);
  ~TChooseZutatDlg() override;

  // Prepares the fields for line `index` of the recipe, or for a new line when index < 0.
  void LoadChooserLine(REZBLOCK* recipe, int index, bool refill);
  // Fills the fields from the line selected in the list.
  void ShowChooserLine();
  void ClearChooserFields();
  // Writes the fields into the recipe when they changed.
  void StoreChooserLine();
  // Fills the ingredient list for the unit chosen (all: every ingredient).
  void FillIngredientCombo(bool all);
  // 0 unit field, 1 ingredient field.
  void UpdateCompletionHint(int field);
  // Offers the catalogue's food link of the ingredient; true when it was taken.
  bool OfferCatalogueBLSLink(const std::string& ingredient);
  void ShowBLSName();
  void SetChooserEditIndex(int index) { EditIndex = index; }
  // Refills the unit list from the unit table (at creation and after the units changed).
  void FillUnitItems();
  void RefillUnitCombo() override { FillUnitItems(); }

  void OKBtnClick();
  void NewZutatBtnClick();
  void NewTrennzeileBtnClick();
  void ClearBtnClick();
  void AddBLSBtnClick();
  void RemoveBLSBtnClick();
  void ShowBLSBtnClick();
  void CancelBtnClick();
  void HelpBtnClick();
  void FormCreate();
  void FormShow();
  void FormClose();

  REZBLOCK* ChooserRecipe = nullptr;
  std::string CompletionHint;
  bool NewLine = true;
  bool LineChanged = false;
  bool ModifierHeld = false;
  int32_t EditIndex = -1;
  bool IsIngredientLine = true;

  // The food chooser, run modally with a search text: true with the key and name of the food
  // taken over. The food browser, shown with a food selected. Unset, the program's chooser and
  // browser serve; tests replace them.
  std::function<bool(const std::string& search, std::string& key, std::string& name)> chooseFood;
  std::function<void(const std::string& key)> showFood;

  QGroupBox* EditZutatGrp = nullptr;
  QPushButton* NewZutatBtn = nullptr;
  QPushButton* NewTrennzeileBtn = nullptr;
  QGroupBox* ChangeZutatGrp = nullptr;
  QLabel* MengeTxt = nullptr;
  QComboBox* MengeCoBo = nullptr;
  QLabel* EinheitTxt = nullptr;
  QComboBox* EinheitCoBo = nullptr;
  QLabel* ZutatTxt = nullptr;
  QComboBox* ZutatCoBo = nullptr;
  QLabel* MemoTxt = nullptr;
  QPlainTextEdit* MemoEdt = nullptr;
  QCheckBox* KListChk = nullptr;
  QGroupBox* BLSGrp = nullptr;
  QLabel* BLSKeyTxt = nullptr;
  QLabel* BLSKey = nullptr;
  QLabel* BLSBez = nullptr;
  QLabel* NoBLSTxt = nullptr;
  QPushButton* AddBLSBtn = nullptr;
  QPushButton* RemoveBLSBtn = nullptr;
  QPushButton* ShowBLSBtn = nullptr;
  QPushButton* ClearBtn = nullptr;
  QPushButton* OKBtn = nullptr;
  QGroupBox* ChangeLineGrp = nullptr;
  QLabel* TrenntextTxt = nullptr;
  QLineEdit* TrenntextEdt = nullptr;
  QPushButton* Clear2Btn = nullptr;
  QPushButton* OK2Btn = nullptr;
  QFrame* HintPanel = nullptr;
  QLabel* HintCaptionTxt = nullptr;
  QLabel* HintTxt = nullptr;
  QPushButton* CancelBtn = nullptr;
  QToolButton* HelpBtn = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowLinkControls();
  void UnitFieldChanged();
  void IngredientFieldChanged();
  void LeaveUnitField();
  void LeaveIngredientField();
  void LeaveAmountField();
  bool filling_ = false;
  bool closing_ = false;
  // The food-link question is asked once per ingredient text of a line: the text it was asked
  // for, and set while it is open (its box takes the focus, which is no leaving of the field).
  std::string offeredFor_;
  bool offering_ = false;
};

extern TChooseZutatDlg* ChooseZutatDlg;

}  // namespace tav
