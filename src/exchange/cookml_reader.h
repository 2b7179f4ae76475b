#pragma once
// The CookML reader: one recipe from a <recipe> element of a CookML file, as the XML parser
// hands it over (head with its attributes, categories, texts, nutrient amounts and pictures;
// ingredient parts; preparation; remarks).
#include <string>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

class TXMLNode;

// The picture types a <picbin> may carry; its format must name one of them (case ignored).
bool IsKnownPictureType(const std::string& format);

// Fills the recipe (reset first) from the element. Pictures embedded as <picbin> are decoded
// into `pictureFolder` (created when missing) under eight random lower-case letters and the
// format as extension; only pictures that were written get a reference, and their paths are
// added to `written`. `marked` is option 34.
void ReadCookMLRecipe(const TXMLNode& element, REZBLOCK& recipe, const std::string& pictureFolder,
                      bool marked, std::vector<std::string>& written);

}  // namespace tav
