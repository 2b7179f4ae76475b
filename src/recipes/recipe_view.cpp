#include "recipes/recipe_view.h"

#include "platform/numbers.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/servings.h"
#include "recipedb/unit_table.h"
#include "recipes/key_figure_choice.h"
#include "recipes/key_figures.h"
#include "services/amounts.h"
#include "services/context.h"
#include "services/text_tools.h"

namespace tav {
namespace {

// "a-b" with an amount on each side: the two ends. A leading '-' is no range.
bool SplitRange(const std::string& amount, std::string& a, std::string& b) {
  const size_t dash = amount.find('-');
  if (dash == std::string::npos || dash == 0 || amount.find('-', dash + 1) != std::string::npos)
    return false;
  a = amount.substr(0, dash);
  b = amount.substr(dash + 1);
  double v;
  return ReadAmountValue(a, v) && ReadAmountValue(b, v);
}

// Digits with one decimal point or comma, blanks around allowed.
bool IsPlainDecimal(const std::string& text) {
  const size_t b = text.find_first_not_of(' ');
  if (b == std::string::npos) return false;
  const size_t e = text.find_last_not_of(' ');
  int digits = 0, seps = 0;
  for (size_t i = b; i <= e; ++i) {
    if (IsDigit(text[i])) ++digits;
    else if (text[i] == ',' || text[i] == '.') ++seps;
    else return false;
  }
  return digits > 0 && seps == 1;
}

void AddSplitRows(std::vector<KeyFigureRow>& rows, const std::string& label,
                  const std::string& text, int mode) {
  std::vector<std::string> parts;
  SplitText(text, parts, mode);
  for (size_t i = 0; i < parts.size(); ++i) rows.push_back({i == 0 ? label : "", parts[i]});
}

}  // namespace

void ScaleToChosenServings(REZBLOCK& recipe) {
  SetRecipeServings(recipe.servings);
  const int chosen = GetChosenServings();
  if (recipe.servings == chosen || chosen < 0) return;
  ScaleRecipeAmounts(recipe, static_cast<uint16_t>(chosen));
  recipe.servings = chosen;
  for (REZZUTAT& line : recipe.lines) line.amount = RoundLongDecimals(line.amount);
}

std::string ShownRecipeTitle(const REZBLOCK& recipe, const std::string& searchBookName) {
  std::string title = " " + recipe.title;
  if (!searchBookName.empty()) title += " (" + GetLangText(573) + ": " + searchBookName + ")";
  return title;
}

std::string ShownRecipeText(const REZBLOCK& recipe, int remarkMode, const std::string& user) {
  std::string text = recipe.text;
  if (remarkMode == 0 || recipe.remarks.empty()) return text;
  text += "\n";
  for (const REZREMARK* r : ShownRemarks(recipe, remarkMode, user))
    text += "\n  " + r->author + ":\n" + r->text + "\n";
  return text;
}

std::string ListedAmount(const std::string& amount) {
  std::string a, b;
  if (SplitRange(amount, a, b)) return ListedAmount(a) + "-" + ListedAmount(b);
  return IsPlainDecimal(amount) ? FormatNumberText(amount, 2) : amount;
}

std::vector<IngredientPaneLine> IngredientPaneLines(const REZBLOCK& recipe) {
  std::vector<IngredientPaneLine> out;
  out.reserve(recipe.lines.size() + 4);
  int data = -1;
  for (size_t n = 0; n < recipe.lines.size(); ++n) {
    const REZZUTAT& line = recipe.lines[n];
    const char first = line.text.empty() ? '\0' : line.text[0];
    std::string text;
    IngredientPaneLine::Kind kind = IngredientPaneLine::kIngredient;
    if (first == '*') {
      if (n > 0) out.push_back({std::string(), -1, IngredientPaneLine::kSpacer});
      text = "----- " + line.text.substr(1) + " -----";
      data = -1;
      kind = IngredientPaneLine::kHeading;
    } else if (first == '-') {
      text = "     " + line.text.substr(1);
      kind = IngredientPaneLine::kDescription;
    } else {
      text = ListedAmount(line.amount);
      for (const std::string* part : {&line.unit, &line.text}) {
        if (part->empty()) continue;
        if (!text.empty()) text += ' ';
        text += *part;
      }
      data = static_cast<int>(n);
    }
    out.push_back({std::move(text), data, kind});
  }
  return out;
}

std::string IngredientLineText(const REZBLOCK& recipe, int line) {
  if (line < 0 || line >= static_cast<int>(recipe.lines.size())) return std::string();
  const REZZUTAT& z = recipe.lines[static_cast<size_t>(line)];
  std::string out = RoundLongDecimals(z.amount);
  if (!out.empty()) out += ' ';
  // Read as atof does: the comma ends the number, so 1,5 counts as one.
  const bool plural = ReadNumber(std::string_view(z.amount).substr(0, z.amount.find(','))) > 1;
  std::string unit;
  if (ctx().units) ctx().units->GetUnitName(z.unit, plural, unit);
  out += unit;
  if (!out.empty()) out += ' ';
  out += z.text;
  for (size_t i = static_cast<size_t>(line) + 1; i < recipe.lines.size(); ++i) {
    const std::string& t = recipe.lines[i].text;
    if (t.empty() || t[0] != '-') break;
    out += " " + t.substr(1);
  }
  return out;
}

std::vector<KeyFigureRow> KeyFigureRows(const REZBLOCK& shown, const KeyFigureChoice* choice,
                                        int kind) {
  std::vector<KeyFigureRow> rows;
  if (!choice) return rows;
  const int own = GetRecipeServings();
  // Stored nutrients are the whole recipe's: per serving means per serving of the recipe's
  // own count, whatever count the amounts are shown for.
  REZBLOCK perServing;
  bool perServingReady = false;
  auto ownServings = [&]() -> const REZBLOCK& {
    if (!perServingReady) {
      perServing.servings = own;
      perServing.nutrients = shown.nutrients;
      perServingReady = true;
    }
    return perServing;
  };
  auto servingsText = [&](int n) {
    return (n != 0 ? std::to_string(n) + " " : std::string()) + shown.servingType;
  };
  auto add = [&](const std::string& label, const std::string& value) {
    if (!value.empty()) rows.push_back({label, value});
  };

  for (int i = 0; i < choice->CountKeyFigures(); ++i) {
    const PARA_SHOWDATA& f = *choice->GetKeyFigure(i);
    if (f.outputKind != kind) continue;
    const std::string& name = f.altText.empty() ? f.displayName : f.altText;
    if (const std::string* field = KeyFigureField(shown, f.figureId)) {
      if (!field->empty())
        add(name, IsTimeFigure(f.figureId) ? AmountWithDefaultUnit(*field) : *field);
      continue;
    }
    switch (f.figureId) {
      case kFigureNutrient: {
        std::string value;
        if (!GetNutrientText(shown, f.stoffCode, value)) break;
        NutrientPerServing(ownServings(), value);
        rows.push_back({name, value});
        break;
      }
      case kFigureServings:
        if (shown.servings == own) {
          rows.push_back({name, servingsText(shown.servings)});
        } else {
          rows.push_back({GetLangText(31), servingsText(shown.servings)});
          rows.push_back({GetLangText(32), servingsText(own)});
        }
        break;
      case kFigureCategories: {
        bool first = true;
        for (uint16_t id : shown.categories) {
          if (id == 0) continue;
          // A category that no longer exists shows an empty value.
          std::string category;
          if (!ctx().categories || !ctx().categories->GetGattName(id, category)) category.clear();
          rows.push_back({first ? name : std::string(), category});
          first = false;
        }
        break;
      }
      case kFigureKeywords: AddSplitRows(rows, name, shown.hint, kSplitWords); break;
      case kFigureSource: AddSplitRows(rows, name, shown.source, kSplitLines); break;
      case kFigureRecipeId:
        if (shown.recipeIdLow != 0)
          rows.push_back(
              {name, std::to_string(shown.recipeIdHigh) + "," + std::to_string(shown.recipeIdLow)});
        break;
      case kFigureEnergy: {
        std::string value;
        if (GetEnergyPerServing(ownServings(), value)) rows.push_back({name, value});
        break;
      }
      case kFigureQuality:
        if (static_cast<signed char>(shown.quality) > '0')
          rows.push_back({name, std::string("~Q") + shown.quality});
        break;
      case kFigureDifficulty:
        if (static_cast<signed char>(shown.difficulty) > '0')
          rows.push_back({name, std::string("~D") + shown.difficulty});
        break;
      case kFigureBookName:
        if (ctx().books) add(name, ctx().books->GetKBookName(shown.bookId));
        break;
      default:  // remark figures (15, 16) show in the text; unknown ids show nothing
        break;
    }
  }
  return rows;
}

}  // namespace tav
