#pragma once
// The HTML page of a recipe: a template of the HTML folder copied line by line, each line that
// carries a marker ("$Titel", "$Zutaten", "<!--$Bild w300 h200-->" ...) replaced by text made
// from the recipe. The markers and what they write are listed in docs/html_pages.md. Every line
// goes out through the run's output lines; a page of an index run ends with its link in the
// index.
#include <cstdint>
#include <string>
#include <vector>

#include "exchange/html_template.h"
#include "recipedb/recipe_model.h"

namespace tav {

class ExportRun;
class HtmlIndex;

class HtmlRecipePage {
 public:
  // The page template of the HTML folder (option 5): option 58 ("QViewTPL.html") for the view
  // template, option 57 ("ViewTPL.html") otherwise. Read once; false when it cannot be opened.
  bool LoadTemplate(bool viewTemplate);
  // Writes the page. The recipe is the run's working copy: the preparation text is consumed,
  // and the first picture's name is cleared when its file is missing or is no picture.
  void Write(ExportRun& run, REZBLOCK& recipe, HtmlIndex* index) const;

  // The box a recipe picture is fitted into, keeping its aspect ratio (a smaller picture is
  // enlarged); without a size the picture keeps its own.
  static void FitPicture(int pictureW, int pictureH, int boxW, int boxH, int& w, int& h);

  // The markers of a template line (bits) and its picture marker, if any.
  struct PieceMarks {
    uint32_t marks = 0;
    size_t pictureAt = std::string::npos;
    int pictureKind = 0;  // 0 the recipe's, 1 an ingredient's, 2 a category's picture
  };
  static PieceMarks Analyse(const std::string& text);

 private:
  std::vector<TemplatePiece> pieces_;
  std::vector<PieceMarks> marks_;
};

// One page with a template read for it: message 124 (title 15) when the template is missing,
// and then nothing is written. `viewTemplate` as for LoadTemplate.
void WriteHTMLRecipe(ExportRun& run, REZBLOCK& recipe, bool viewTemplate);

}  // namespace tav
