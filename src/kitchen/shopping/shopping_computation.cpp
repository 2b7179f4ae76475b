#include "kitchen/shopping/shopping_computation.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <unordered_map>

#include "kitchen/shopping/dealers.h"
#include "platform/numbers.h"
#include "platform/services.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/index_file.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/servings.h"
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
// Anything else ("ca. 2", "etwas", and a range such as "2-3", which scales on its own) is not
// computed with.
bool IsNumberAmount(const std::string& amount) {
  size_t i = 0, n = amount.size();
  auto blanks = [&] {
    while (i < n && std::isspace(static_cast<unsigned char>(amount[i]))) ++i;
  };
  auto digits = [&] {
    const size_t from = i;
    while (i < n && std::isdigit(static_cast<unsigned char>(amount[i]))) ++i;
    return i - from;
  };
  blanks();
  const size_t whole = digits();
  if (i < n && amount[i] == '/') {  // "1/2"
    ++i;
    if (whole == 0 || digits() == 0) return false;
  } else if (i < n && (amount[i] == '.' || amount[i] == ',')) {  // "1,5", ",5", "2."
    ++i;
    if (digits() == 0 && whole == 0) return false;
  } else if (whole > 0 && i < n && std::isspace(static_cast<unsigned char>(amount[i]))) {
    blanks();  // "1 1/2", or a number followed by blanks
    if (i < n) {
      if (digits() == 0 || i >= n || amount[i] != '/') return false;
      ++i;
      if (digits() == 0) return false;
    }
  } else if (whole == 0) {
    return false;
  }
  blanks();
  return i == n;
}

bool Skipped(const REZZUTAT& z) {
  return !z.text.empty() && (z.text.front() == '*' || z.text.front() == '-');
}

// Equal ingredient texts become one line when their units agree after g, kg and l went to mg
// and ml; the line stands where the first of them stood. The last line of the list keeps its
// amount and unit as collected when nothing joined it. An amount that is no number stays a row
// of its own, as written; an empty one keeps its unit (no "0 mg" for "g Hefe") and merges with
// other empty ones of that unit. Lines are grouped by text and unit in one pass, so a long list
// costs no comparison of every pair.
bool Mergeable(const std::string& amount) {
  return amount.empty() || IsNumberAmount(amount);
}

void ToBaseUnit(std::string& amount, std::string& unit) {
  if (!amount.empty()) AmountToBaseUnit(amount, unit);
}

void MergeLines(std::vector<REZZUTAT>& work) {
  struct Group {
    size_t first;
    size_t count;
    std::string amount, unit;  // in the base unit, summed in list order
  };
  std::vector<Group> groups;
  std::unordered_map<std::string, size_t> byKey;
  byKey.reserve(work.size());
  for (size_t k = 0; k < work.size(); ++k) {
    std::string amount = work[k].amount, unit = work[k].unit;
    if (!Mergeable(amount)) {
      groups.push_back({k, 1, std::move(amount), std::move(unit)});
      continue;
    }
    ToBaseUnit(amount, unit);
    std::string key = work[k].text;
    key += '\0';
    key += amount.empty() ? 'e' : 'n';
    key += unit;
    const auto [it, added] = byKey.try_emplace(std::move(key), groups.size());
    if (added) {
      groups.push_back({k, 1, std::move(amount), std::move(unit)});
      continue;
    }
    Group& g = groups[it->second];
    g.amount = AddAmounts(g.amount, amount);
    if (ReadAmount(g.amount) == 0) g.amount.clear();
    ++g.count;
  }
  std::vector<REZZUTAT> merged;
  merged.reserve(groups.size());
  for (size_t n = 0; n < groups.size(); ++n) {
    Group& g = groups[n];
    merged.push_back(std::move(work[g.first]));
    if (n + 1 == groups.size() && g.count == 1) continue;
    merged.back().amount = std::move(g.amount);
    merged.back().unit = std::move(g.unit);
  }
  work = std::move(merged);
}

}  // namespace

std::string ScaleShoppingAmount(const std::string& amount, double from, double to) {
  if (const size_t dash = AmountRangeDash(amount); dash != std::string::npos) {
    // Both ends of a range ("2-3") scale, each kept to two decimals.
    if (from == 0 || from == to) return amount;
    double low = 0, high = 0;
    ReadAmountValue(amount.substr(0, dash), low);
    ReadAmountValue(amount.substr(dash + 1), high);
    const auto end = [from, to](double v) {
      return FormatGeneral(std::round(v / from * to * 100) / 100);
    };
    return end(low) + "-" + end(high);
  }
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

RecipeReader IndexedRecipeReader(TdbList& store) {
  struct Books {
    bool openBookMapped = false;
    std::unordered_map<int32_t, std::vector<size_t>> openBook;  // number -> index positions
    struct Other {
      std::string name;
      std::unordered_map<int32_t, REZINDEX> first;  // the first entry of each number
    };
    std::unordered_map<int16_t, Other> others;
  };
  auto books = std::make_shared<Books>();
  return [&store, books](int16_t book, int32_t number, REZBLOCK& out) {
    if (book == store.BookId()) {
      const std::vector<REZINDEX>& index = store.BookIndex();
      if (!books->openBookMapped) {
        for (size_t i = 0; i < index.size(); ++i) books->openBook[index[i].number].push_back(i);
        books->openBookMapped = true;
      }
      const auto it = books->openBook.find(number);
      if (it == books->openBook.end()) {
        ClearRezBlock(out);
        return false;
      }
      // Every entry of that number is read, the last one read counts (as the store does).
      bool ok = false;
      for (const size_t i : it->second) {
        const REZINDEX e = index[i];
        ok = store.ReadRezBlock(std::string(), &e, -1, out);
      }
      return ok;
    }
    ClearRezBlock(out);
    auto [other, added] = books->others.try_emplace(book);
    if (added && ctx().books) {
      other->second.name = ctx().books->GetKBookName(book);
      int32_t counter = 0;
      std::vector<REZINDEX> entries;
      if (!other->second.name.empty() &&
          ReadIndexFile(TdbList::BookFilePath(other->second.name, ".idx"), counter, entries))
        for (REZINDEX& e : entries) other->second.first.try_emplace(e.number, std::move(e));
    }
    const auto it = other->second.first.find(number);
    if (other->second.name.empty() || it == other->second.first.end()) return false;
    return store.ReadRezBlock(other->second.name, &it->second, -1, out);
  };
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
  // The lines of each dealer in list order, so that the rows come out in one pass.
  std::vector<std::vector<size_t>> atDealer(static_cast<size_t>(last) + 1);
  for (size_t i = 0; i < work.size(); ++i) atDealer[static_cast<size_t>(position[i])].push_back(i);
  const auto emit = [&](int p) {
    for (const size_t i : atDealer[static_cast<size_t>(p)]) {
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
