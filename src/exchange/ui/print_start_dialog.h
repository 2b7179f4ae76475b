#pragma once
// The print mode selector "Druckausgabe": what the main window's print command puts out (the
// current recipe as a web page, the menu card, the current, selected or marked recipes printed
// with the simple page layout, the week plan as a list), with a small picture and a description
// of each choice. It only dispatches: the pages come from the export, the print view and the
// kitchen windows.
#include <QDialog>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tav {

class TPrintStartDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPrintStartDlg(QWidget* parent = nullptr);

  // The print modes.
  enum Mode {
    kRecipeHTML = 1,
    kWeekPlan = 20,
    kRecipe = 30,
    kSelected = 31,
    kMarked = 32,
    kMenuCard = 40
  };

  void FormShow();
  void ModeClick(int mode);
  // The picture and the description of PrintMode.
  void ShowPrintPreview();
  // Reads the recipe of a recipe list position and prints it as stored (its own servings).
  void PrintListRecipe(int item);
  void StartBtnClick();
  void PrinterSettingsBtnClick();
  void CancelBtnClick();
  void HelpBtnClick();

  QRadioButton* PRecipeBtn;
  QRadioButton* PMenuBtn;
  QRadioButton* PRecipeSimpleBtn;
  QRadioButton* PSelRecSimpleBtn;
  QRadioButton* PMarkRecSimpleBtn;
  QRadioButton* PWeekSimpleBtn;
  QGroupBox* PreviewGrp;
  QLabel* PreviewImg;
  QPlainTextEdit* PrintInfoEdt;
  QPushButton* StartBtn;
  QPushButton* PrinterSettingsBtn;
  QPushButton* CancelBtn;
  QToolButton* HelpBtn;

  int PrintMode = kRecipeHTML;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QRadioButton* ModeButton(int mode) const;
  bool EditorLetsGo() const;
};

extern TPrintStartDlg* PrintStartDlg;

}  // namespace tav
