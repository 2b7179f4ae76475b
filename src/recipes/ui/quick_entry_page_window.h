#pragma once
// The recipe editor's page "Schnell-Erfassung": the whole recipe as one plain text, an
// information panel about the line that holds the caret (its kind, a hint, warnings, and for an
// ingredient line a small form with the line's hidden data), twelve buttons that turn the
// current line into a heading, a description or a prefixed line, and the editor's picture.
#include <QWidget>
#include <functional>
#include <string>

#include "recipedb/recipe_model.h"
#include "recipedb/ui/unit_combo_view.h"
#include "recipes/quick_entry_text.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTextEdit;

namespace tav {

class TQEditDlg : public QWidget, public UnitComboView {
  Q_OBJECT
 public:
  explicit TQEditDlg(QWidget* parent = nullptr);
  ~TQEditDlg() override;

  // The editor shell's page operations.
  void QEditLoadRez(REZBLOCK* recipe);
  bool QEditStoreRez();
  void QEditShowPage();
  // The standard page's rating pictures, while lent to this page, set the current line.
  void QEditSetQuality(char rating);
  void QEditSetDifficulty(char rating);
  // Pastes the clipboard's text without formatting (with paste false only the clipboard is
  // made plain).
  void QEditPastePlain(bool paste);
  // The unit list of the ingredient form from the unit table (fixed units, without codes); the
  // units window calls it after every change of the table.
  void RefillUnitCombo() override;

  void QEditRefreshInfo();
  void QEditRebuildIngredientLine();
  void QEditInsertCommand(const std::string& command);
  void QEditSetCommandLine(const std::string& line);
  void CaretToLine();

  void FormCreate();
  void TextRtfSelectionChange();
  void EnableClipboard();
  void HelpZutatMengeCoBoChange();
  void HelpZutatEinheitCoBoChange();
  void HelpZutatEinheitCoBoExit();
  void GrammEdtChange();
  void NotKListChkClick();
  void UnbedeutendChkClick();
  void BLSBtnClick();
  void DelBLSBtnClick();
  void HelpLiBoClick();
  void BmpGroundPnlResize();

  // The text and its line list and reference table.
  QuickEntryText quick;
  REZBLOCK* editRecipe = nullptr;
  int32_t currentLine = -1;
  int32_t currentColumn = 0;
  int32_t currentReference = 0;
  uint8_t filling = 0;
  uint8_t busy = 0;
  uint8_t categoryListFilled = 0;
  std::string blsCode;
  // The food chooser, preset with a search text; gives the chosen food's code and name. Unset,
  // the program's chooser serves; tests replace it.
  std::function<bool(const std::string& search, std::string& code, std::string& name)> chooseFood;

  QScrollArea* ScrollBoxQuick;
  QTextEdit* TextRtf;
  QPlainTextEdit* CopyTxt;
  QFrame* CmdPnl;
  QPushButton* CmdTrennBtn;
  QPushButton* CmdZutInfBtn;
  QPushButton* CmdPortionBtn;
  QPushButton* CmdZeitBtn;
  QPushButton* CmdGattungBtn;
  QPushButton* CmdStichwortBtn;
  QPushButton* CmdErfasserBtn;
  QPushButton* CmdQuelleBtn;
  QPushButton* CmdKostenBtn;
  QPushButton* CmdEnergieBtn;
  QPushButton* CmdQualityBtn;
  QPushButton* CmdDifficultyBtn;
  QFrame* QEditInfoPnl;
  QLabel* LineTypeTxt;
  QListWidget* HelpLiBo;
  QFrame* HelpIngPnl;
  QComboBox* HelpZutatMengeCoBo;
  QComboBox* HelpZutatEinheitCoBo;
  QComboBox* HelpZutatCoBo;
  QCheckBox* NotKListChk;
  QLabel* EntsprichtTxt;
  QLineEdit* GrammEdt;
  QLabel* GrammTxt;
  QCheckBox* UnbedeutendChk;
  QPushButton* BLSBtn;
  QLabel* BLSStoffTxt;
  QPushButton* DelBLSBtn;
  QLabel* HelpErrorTxt;
  QWidget* RatingSpace;
  QLabel* HelpInfoTxt;
  QWidget* QEditPicPnl;
  QMenu* PopupMnu;
  QAction* UndoMnu;
  QAction* CutMnu;
  QAction* CopyMnu;
  QAction* PasteMnu;
  QAction* SelectMnu;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowKind(int kind);
  void FillIngredientForm();
  void FillDescriptionList();
  void FillCategoryList();
  void ShowRatingLine(int kind);
  void RefillIngredientCombo(const std::string& unitCode);
  void ShowWarning(const std::string& text);
  std::string CurrentLineText() const;
  void LendRatingPanels();
  void LayOutPicture();
};

extern TQEditDlg* QEditDlg;

}  // namespace tav
