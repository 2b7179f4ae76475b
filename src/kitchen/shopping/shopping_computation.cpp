#include "kitchen/shopping/shopping_computation.h"

#include <algorithm>
#include <regex>

#include "kitchen/shopping/dealers.h"
#include "platform/numbers.h"
#include "platform/services.h"
#include "services/amounts.h"
#include "services/context.h"

namespace tav {

namespace {

// An amount's leading number, a comma counting as the decimal point.
double ReadAmount(const std::string& amount) {
  return ReadNumber(amount);
}

// Whether an amount is a number the list can compute with: digits with at most one decimal
// point or comma, a fraction ("1/2") or a mixed number ("1 1/2"), blanks around it allowed.
// Anything else ("ca. 2", "2-3", "etwas") is listed as written.
bool IsNumberAmount(const std::string& amount) {
  static const std::regex number(R"(\s*(\d*[.,]?\d+|\d+[.,]|(\d+\s+)?\d+/\d+)\s*)");
  return std::regex_match(amount, number);
}

bool Skipped(const REZZUTAT& z) {
  return !z.text.empty() && (z.text.front() == '*' || z.text.front() == '-');
}

// Equal ingredient texts become one line when their units agree after g, kg and l went to mg
// and ml. The last line of the list keeps its amount and unit as collected.
// An amount that is no number stays a row of its own, as written; an empty one keeps its unit
// (no "0 mg" for "g Hefe") and merges with other empty ones of that unit.
bool Mergeable(const std::string& amount) {
  return amount.empty() || IsNumberAmount(amount);
}

void ToBaseUnit(std::string& amount, std::string& unit) {
  if (!amount.empty()) AmountToBaseUnit(amount, unit);
}

void MergeLines(std::vector<REZZUTAT>& work) {
  for (size_t i = 0; i < work.size(); ++i) {
    if (i + 1 == work.size() || !Mergeable(work[i].amount)) continue;
    REZZUTAT merged = work[i];
    ToBaseUnit(merged.amount, merged.unit);
    for (size_t j = i + 1; j < work.size();) {
      if (work[j].text != merged.text || !Mergeable(work[j].amount) ||
          work[j].amount.empty() != merged.amount.empty()) {
        ++j;
        continue;
      }
      std::string amount = work[j].amount, unit = work[j].unit;
      ToBaseUnit(amount, unit);
      if (unit != merged.unit) {
        ++j;
        continue;
      }
      merged.amount = AddAmounts(merged.amount, amount);
      if (ReadAmount(merged.amount) == 0) merged.amount.clear();
      work.erase(work.begin() + static_cast<long>(j));
    }
    work[i] = std::move(merged);
  }
}

}  // namespace

std::string ScaleShoppingAmount(const std::string& amount, double from, double to) {
  if (!IsNumberAmount(amount) || ReadAmount(amount) == 0 || from == to) return amount;
  std::string scaled = amount;
  if (scaled.find('/') != std::string::npos) MixedFractionToDecimal(scaled);
  const double v = ReadAmount(scaled);
  if (from == 0) return scaled;
  return FormatGeneral(v / from * to);
}

void BuildKaufZettel(const std::vector<KAUFLIST>& entries, std::vector<KAUFZETTEL>& records) {
  for (const KAUFLIST& e : entries) {
    KAUFZETTEL z;
    z.entry = e;
    z.listed = 1;
    records.push_back(std::move(z));
  }
}

void ReadZettelRecipes(std::vector<KAUFZETTEL>& records, const RecipeReader& read) {
  for (KAUFZETTEL& z : records) {
    REZBLOCK recipe;
    if (!read || !read(z.entry.book, z.entry.number, recipe)) {
      MessageBox(GetLangText(218) + z.entry.title + GetLangText(219), GetLangText(15),
                 MB_OK | MB_ICONERROR);
      z.missing = 1;
      z.lines.clear();
      z.recipeServings = z.chosenServings = 0;
      z.servingKind.clear();
      continue;
    }
    z.missing = 0;
    z.recipeServings = recipe.servings;
    z.chosenServings = z.entry.portions >= 0 ? z.entry.portions : z.recipeServings;
    z.servingKind = recipe.servingType;
    z.lines = std::move(recipe.lines);
  }
}

std::vector<ShoppingRow> BuildZutatenListe(const std::vector<KAUFZETTEL>& records,
                                           const std::vector<bool>& ticked,
                                           const DealerTable* dealers) {
  std::vector<REZZUTAT> work;
  for (size_t r = 0; r < records.size(); ++r) {
    if (r >= ticked.size() || !ticked[r]) continue;
    const KAUFZETTEL& z = records[r];
    for (const REZZUTAT& line : z.lines) {
      if (Skipped(line)) continue;
      work.push_back(line);
      work.back().amount = ScaleShoppingAmount(line.amount, z.recipeServings, z.chosenServings);
    }
  }
  MergeLines(work);
  for (REZZUTAT& z : work)
    if (IsNumberAmount(z.amount)) PrettyAmount(z.amount, z.unit);

  // The dealer of each line, first in visiting order.
  std::vector<int> position(work.size(), 0);
  int last = 0;
  if (dealers) {
    const auto first = dealers->FirstDealerIndex();
    for (size_t i = 0; i < work.size(); ++i) {
      const auto it = first.find(work[i].text);
      if (it == first.end()) continue;
      position[i] = it->second + 1;
      last = std::max(last, position[i]);
    }
  }
  std::vector<ShoppingRow> rows;
  rows.reserve(work.size());
  const std::string buy = GetLangText(223), dontBuy = GetLangText(225);
  const auto emit = [&](int p) {
    for (size_t i = 0; i < work.size(); ++i) {
      if (position[i] != p) continue;
      const REZZUTAT& z = work[i];
      ShoppingRow row;
      const bool decimals =
          IsNumberAmount(z.amount) && z.amount.find_first_of(".,") != std::string::npos;
      row[1] = decimals ? FormatNumberText(z.amount, 2) : z.amount;
      row[2] = z.unit.empty() ? z.text : z.unit + " " + z.text;
      row[3] = z.notOnShoppingList ? dontBuy : buy;
      row[4] = p > 0 ? dealers->dealers[p - 1].name : std::string();
      row[5] = std::to_string(p);
      row[6] = z.text;
      rows.push_back(std::move(row));
    }
  };
  for (int p = 1; p <= last; ++p) emit(p);
  emit(0);
  if (rows.empty()) {
    ShoppingRow row;
    row[2] = GetLangText(220);
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace tav
