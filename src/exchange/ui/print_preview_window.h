#pragma once
// The print preview: the recipe at a recipe list position as a sheet of paper with a grey
// shadow, laid out and drawn by the printout's own page routine (RecipePrintView), so it shows
// exactly the printed pages. Beside the sheet: the servings button, the page box and the print
// button. It docks into the main window's centre pane. The printed lists use the same routines.
#include <QWidget>
#include <string>

#include "exchange/print_layout.h"
#include "recipes/ui/recipe_output_views.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPainter;
class QPushButton;

namespace tav {

class TPrintRezDlg : public QWidget, public RecipeOutputView, public RecipePrintView {
  Q_OBJECT
 public:
  explicit TPrintRezDlg(QWidget* parent = nullptr);
  ~TPrintRezDlg() override;

  // RecipeOutputView
  QWidget* ViewWidget() override { return this; }
  void ShowListRecipe(int item) override { ShowPrintRecipe(item); }
  void RefreshView() override { RefreshPrintView(); }
  std::string ShownServingType() const override { return GetPrintServingType(); }

  // Loads the recipe at list position `pos`, scaled to the chosen servings, and shows page 1.
  void ShowPrintRecipe(int pos);
  // ShowPrintRecipe of the stored position; nothing before the first recipe.
  void RefreshPrintView();
  std::string GetPrintServingType() const { return Recipe.servingType; }

  // The steps of a repaint: the sheet for the view's size, the margins, the paper, the page.
  void ComputePreviewGeometry();
  void DrawPreviewPaper(QPainter& painter);
  // Draws the selected page (1 when none is selected) on the sheet.
  void DrawSelectedPage(QPainter& painter);
  void ShowSelectedPage();
  int SelectedPage() const;

  // Handlers.
  void StartBtnClick();
  void pAnzBtnClick();
  void editMnuClick();
  void showLexikonMnuClick();
  void showViewMnuClick();
  void showHTMLMnuClick();
  void HelpBtnClick();

  QWidget* Ground = nullptr;
  QPushButton* pAnzBtn = nullptr;
  QLabel* PageTxt = nullptr;
  QComboBox* PageCoBo = nullptr;
  QPushButton* StartBtn = nullptr;
  QMenu* PopupMnu = nullptr;
  QAction* editMnu = nullptr;
  QAction* showLexikonMnu = nullptr;
  QAction* showViewMnu = nullptr;
  QAction* showHTMLMnu = nullptr;
  QAction* HelpBtn = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void FormCreate();
  void PlaceGround();
};

extern TPrintRezDlg* PrintRezDlg;

}  // namespace tav
