#pragma once
// The recipe editor: one of the five recipe views. It owns the recipe being edited and the copy
// taken when editing began, hosts the four editor pages (standard input, quick entry, additional
// data, other data) above its tab strip and buttons, lends its picture panel to the page shown,
// decides what counts as a change, asks to save and stores the recipe through the recipe store.
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "recipedb/recipe_model.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTabBar;
class QToolButton;

namespace tav {

class TEditRezDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TEditRezDlg(QWidget* parent = nullptr);
  ~TEditRezDlg() override;

  // Docks into the main window's view pane and shows the active page (true), or hides (false).
  void ShowEditView(bool show);
  // Starts editing the recipe of a recipe-list entry (a position in the search result while the
  // list shows it, else in the current book's index).
  void LoadRecipeForEdit(int listIndex);
  // Starts editing a new, empty recipe.
  void NewRecipe();
  // Stores the active page into the working recipe and compares it with the copy taken at load.
  bool IsRecipeModified();
  // Before the recipe on screen is replaced: true when the caller may go on (editor hidden,
  // nothing changed, saved, or changes dropped with No); false on Cancel or when saving did not
  // end the editing.
  bool AskSaveChanges(bool reselect);
  // Checks and stores the recipe; false when the user goes on editing or the store failed (the
  // recipe stays in the editor).
  bool SaveRecipe(bool reselect);
  // 1 standard, 2 quick entry, 3 additional data, 4 other data.
  void SetEditMode(int mode);
  // Asks whether to rescale the amounts to the new servings (the standard page calls it).
  void ChangeServings(int servings);
  // The main window's nutrient calculation while the editor is shown.
  void CalcEditedRecipeNutrients();
  int GetEditListIndex() const { return ListIndex; }
  // Hands the working recipe to the ingredient line list and the active page.
  void LoadEditPages();

  // Picture panel.
  bool ShowRecipePicture();
  bool ShowPictureFile(const std::string& path);
  void FitPicture();
  void ShowPictureControls();
  void PicAddBtnClick();
  void PicEditBtnClick();
  void PicDelBtnClick();

  // Events.
  void OKBtnClick();
  void CancelBtnClick();
  void FormCreate();
  void FormShow();
  void HelpBtnClick();
  void PopupMnuClick();
  void showLexikonMnuClick();
  void ShowModiTabChange(int index);
  void EditMnuPnlResize();

  // The recipe being edited and its copy from when editing began.
  REZBLOCK WorkRecipe;
  REZBLOCK LoadedRecipe;
  uint8_t LoadedFlags = 0;
  int16_t RecipeBookId = 0;
  uint16_t HasPicture = 0;
  int32_t RecipeNumber = 0;
  std::string NewPicturePath;
  int32_t ListIndex = -1;
  int32_t EditMode = 0;
  uint8_t PictureRemoved = 0;
  // The recipe has not been stored yet (a new recipe until its first save).
  bool IsNewRecipe = false;

  // The picture file dialog; gives the chosen file. Tests replace it.
  std::function<bool(std::string& path)> choosePictureFile;

  QWidget* EditPnl = nullptr;
  QWidget* ImagePnl = nullptr;
  QFrame* ImgGrp = nullptr;
  QLabel* RezImg = nullptr;
  QLabel* BmpTitleTxt = nullptr;
  QPushButton* PicAddBtn = nullptr;
  QPushButton* PicEditBtn = nullptr;
  QPushButton* PicDelBtn = nullptr;
  QWidget* EditMnuPnl = nullptr;
  QTabBar* ShowModiTab = nullptr;
  QWidget* ButtonPnl = nullptr;
  QToolButton* HilfeBtn = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
  QMenu* PopupMnu = nullptr;
  QAction* changeQEditModeMnu = nullptr;
  QAction* saveRezeptMnu = nullptr;
  QAction* showLexikonMnu = nullptr;
  QAction* HelpBtn = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool SearchMode() const;
  void StorePage(int mode);
  void LoadPage(int mode);
  void ShowPage(int mode);
  void CheckModeItem(int mode, bool checked);
  void ShowPictureImage(const QImage& image);
  // The picture shown (kept whole so that it can be fitted again at every resize).
  QImage picture_;
  bool changingTabs_ = false;
};

extern TEditRezDlg* EditRezDlg;

}  // namespace tav
