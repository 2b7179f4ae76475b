#pragma once
// The printed pages of a recipe and of the three lists (shopping list, week plan, recipe title
// list), worked out without windows. The print preview TPrintRezDlg derives from this class: it
// holds the page geometry and the recipe the preview shows, and draws the pages on screen with
// the same routines that print them.
//
// Every page routine lays the whole document out from its top on every call, draws only the
// page it is asked for and returns the page count; page 0 draws only the footer. Positions are
// layout dots (print_canvas.h); line heights are the fonts' character heights.
#include <string>
#include <vector>

#include "exchange/print_canvas.h"
#include "recipedb/recipe_model.h"

namespace tav {

class KeyFigureChoice;

// A page a layout draws nothing on (for counting pages).
class NullCanvas : public PrintCanvas {
 public:
  void SetFont(int, int, int) override {}
  void TextOut(int, int, const std::string&) override {}
};

// The reference page of the preview when no printer tells its page: 2323 x 3369 dots.
inline constexpr int kReferencePageWidth = 2323;
inline constexpr int kReferencePageHeight = 3369;

class RecipePrintView {
 public:
  virtual ~RecipePrintView() = default;

  // --- geometry of the page being laid out, in layout dots --------------------------------
  int PageWidth = kReferencePageWidth;
  int PageHeight = kReferencePageHeight;
  int LeftMargin = 0;
  int TopMargin = 0;
  int BottomMargin = 0;

  // --- the preview's sheet ----------------------------------------------------------------
  int SheetWidth = 0;  // in the preview's pixels
  int SheetHeight = 0;
  double Scale = 0;  // layout dots to preview pixels; 0 until the preview is drawn

  // --- what is shown ----------------------------------------------------------------------
  REZBLOCK Recipe;      // the recipe the view shows and prints
  int OwnServings = 0;  // its servings as stored; the servings rows compare with them
  int ListPos = -1;     // its recipe list position (item data), -1 when none
  const KeyFigureChoice* keyFigures = nullptr;  // the figures chosen for printing

  // Chooses the font ("Arial" in points and style bits) and returns its line height.
  int SetPrintFont(PrintCanvas& canvas, int points, int style) const;

  // --- the recipe -------------------------------------------------------------------------
  int LayoutRecipePage(PrintCanvas& canvas, int page) const;
  // Margins from options 13, 25 and 26 (millimetres).
  void SetRecipeMargins();
  // One print job of the recipe (title message 151); `ownServings` are its stored servings.
  // False when the job did not start.
  bool PrintRecipe(PrintDevice& device, const REZBLOCK& recipe, int ownServings);

  // --- the lists (files of the export folder) ---------------------------------------------
  int PrintShoppingListPage(PrintCanvas& canvas, int page) const;  // "Kauflist.txt"
  int PrintWeekPlanPage(PrintCanvas& canvas, int page) const;      // "WPlan.txt"
  int PrintRecipeListPage(PrintCanvas& canvas, int page) const;    // "KList.txt"
  // Margins from options 14, 27 and 28 (millimetres).
  void SetListMargins();
  // One print job of the list; nothing when its file is missing. False when nothing printed.
  bool PrintShoppingList(PrintDevice& device);
  bool PrintWeekPlanFile(PrintDevice& device);
  bool PrintRecipeList(PrintDevice& device);

  // --- the preview ------------------------------------------------------------------------
  // The sheet for a view of that size: its height the view's less 50 pixels, its width by the
  // page's proportions (`pageW` x `pageH`, landscape when wider than high), both smaller when
  // that width would pass the view's less 50 (`viewWidth` is what the sheet may take beside the
  // view's buttons), and at least 200 pixels on its shorter side; Scale follows.
  void ComputePreviewGeometry(int viewWidth, int viewHeight, int pageW, int pageH);
  // Loads the recipe at list position `pos`, scaled to the chosen servings: false when it cannot
  // be read.
  bool LoadPreviewRecipe(int pos, bool searchMode);

 protected:
  using PageRoutine = int (RecipePrintView::*)(PrintCanvas&, int) const;
  // Counts the pages; with any, runs one job of them. False when nothing was printed.
  bool PrintPages(PrintDevice& device, const std::string& title, PageRoutine routine);

 private:
  void Footer(PrintCanvas& canvas, const std::string& text) const;
  int AvailHeight(PrintCanvas& canvas) const;
  void KeyFigureRows(std::vector<std::string>& rows) const;
};

// Millimetres as layout dots.
int MillimetresToDots(int millimetres);

}  // namespace tav
