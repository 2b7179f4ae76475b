#pragma once
// The buying list: the recipes of the shopping list read, their amounts scaled to the servings
// shopped for, equal ingredients merged, amounts made readable, and the rows grouped by dealer
// in visiting order (then the rows without a dealer). The rows are the seven columns of the
// shopping dialog's ingredient grid.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "kitchen/shopping/shopping_list.h"
#include "recipedb/recipe_model.h"

namespace tav {

class DealerTable;
class TdbList;

// One recipe of the computation.
struct KAUFZETTEL {
  KAUFLIST entry;
  std::vector<REZZUTAT> lines;  // copies of the recipe's ingredient lines
  uint8_t listed = 0;           // 1 when made from the shopping list
  double recipeServings = 0;
  double chosenServings = 0;
  std::string servingKind;
  uint8_t missing = 0;  // 1 when the recipe cannot be read
};

// Columns of a grid row: 0 empty, 1 amount, 2 unit and ingredient, 3 buy mark (message 223 or
// 225), 4 dealer name, 5 dealer position ("0" for none), 6 the ingredient text alone.
using ShoppingRow = std::array<std::string, 7>;

// A recipe by book id and number into `out`; false when it cannot be read.
using RecipeReader = std::function<bool(int16_t book, int32_t number, REZBLOCK& out)>;
// Reads recipes by book id and number as TdbList::ReadRezBlockByKey does, but finds them by a
// map made once per book (the open book's index, another book's index file read once), so a
// list of thousands of recipes costs no search of an index per recipe. The store must outlive
// the reader.
RecipeReader IndexedRecipeReader(TdbList& store);

// Appends a record per shopping-list entry, in entry order.
void BuildKaufZettel(const std::vector<KAUFLIST>& entries, std::vector<KAUFZETTEL>& records);
// Reads each record's recipe; one that cannot be read is said (messages 218, 219) and marked
// missing.
void ReadZettelRecipes(std::vector<KAUFZETTEL>& records, const RecipeReader& read);
// The grid rows of the ticked records (ticked[i] for record i); at least one row (message 220
// when nothing is to be bought). `dealers` may be null.
std::vector<ShoppingRow> BuildZutatenListe(const std::vector<KAUFZETTEL>& records,
                                           const std::vector<bool>& ticked,
                                           const DealerTable* dealers);

// An amount scaled from one number of servings to another (the computation's rule: amounts
// that read as 0 stay as they are). Both ends of a range scale ("2-3" for 4 bought for 8 is
// "4-6"); any other amount that is no number stays as written.
std::string ScaleShoppingAmount(const std::string& amount, double from, double to);

}  // namespace tav
