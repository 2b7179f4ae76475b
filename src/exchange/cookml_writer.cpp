#include "exchange/cookml_writer.h"

#include <string>
#include <vector>

#include "exchange/base64.h"
#include "exchange/export_run.h"
#include "exchange/text_export_blocks.h"
#include "platform/numbers.h"
#include "recipedb/category_table.h"
#include "recipedb/unit_table.h"
#include "recipes/recipe_picture.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/dates.h"
#include "services/options_store.h"
#include "services/text_tools.h"

namespace tav {

namespace {

// One output line of markup and escaped texts.
class Line {
 public:
  explicit Line(std::string_view markup = {}) { AppendCString(markup, units_); }
  Line& operator<<(std::string_view markup) {
    AppendCString(markup, units_);
    return *this;
  }
  // A text of the recipe: escaped, UTF-8.
  Line& Text(std::string_view text) {
    // Scratch buffers kept between lines: a file of thousands of recipes has many lines.
    static thread_local std::string clean;
    static thread_local WideText escaped;
    clean.assign(text);
    for (char& c : clean) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x20 && c != '\t' && c != '\n' && c != '\r') c = ' ';
    }
    XmlEscapeUtf8(clean, escaped);
    units_ += escaped;
    return *this;
  }
  // name="text" with the text escaped.
  Line& Attribute(std::string_view name, std::string_view text) {
    *this << name << "=\"";
    return Text(text) << "\"";
  }
  // The same after a blank.
  Line& More(std::string_view name, std::string_view text) {
    *this << " ";
    return Attribute(name, text);
  }
  void Put(ExportRun& run) { run.PutExportWideLine(units_); }

 private:
  WideText units_;
};

bool Starts(const std::string& text, char c) {
  return !text.empty() && text[0] == c;
}

// The creation or change line: the attributes that have a value, one blank between them.
void WhoAndWhen(ExportRun& run, const char* prefix, const std::string& date,
                const std::string& user, const std::string& email) {
  if (date.empty() && user.empty() && email.empty()) return;
  Line line("       ");
  bool first = true;
  auto add = [&](const char* name, const std::string& value) {
    if (value.empty()) return;
    if (first)
      line.Attribute(std::string(prefix) + name, value);
    else
      line.More(std::string(prefix) + name, value);
    first = false;
  };
  std::string iso;
  if (!date.empty()) DateToIsoText(date, iso);
  add("date", iso);
  add("user", user);
  add("email", email);
  line.Put(run);
}

void WriteHead(ExportRun& run, const REZBLOCK& recipe) {
  Line("    <head ").Attribute("title", recipe.title).Put(run);
  Line("       rid=\"" + std::to_string(recipe.recipeIdHigh) + "," +
       std::to_string(recipe.recipeIdLow) + "\"")
      .Put(run);
  Line serving("       ");
  if (recipe.servings != 0) serving << "servingqty=\"" << std::to_string(recipe.servings) << "\" ";
  serving.Attribute("servingtype", recipe.servingType);
  if (recipe.quality > '0') serving.More("quality", std::string(1, recipe.quality));
  if (recipe.difficulty > '0') serving.More("difficulty", std::string(1, recipe.difficulty));
  serving.Put(run);
  WhoAndWhen(run, "create", recipe.createdDate, recipe.createdBy, recipe.createdEmail);
  WhoAndWhen(run, "change", recipe.changedDate, recipe.changedBy, recipe.changedEmail);
  const std::pair<const char*, const std::string*> values[] = {{"timeprepqty", &recipe.prepTime},
                                                               {"timecookqty", &recipe.cookTime},
                                                               {"timeallqty", &recipe.totalTime},
                                                               {"costs", &recipe.costs},
                                                               {"wwpoints", &recipe.points}};
  for (const auto& [name, value] : values)
    if (!value->empty()) Line("       ").Attribute(name, *value).Put(run);
  run.PutLine("       >");

  for (uint16_t id : recipe.categories) {
    std::string name;
    if (id != 0 && ctx().categories && ctx().categories->GetGattName(id, name))
      (Line("       <cat>").Text(name) << "</cat>").Put(run);
  }
  std::vector<std::string> pieces;
  if (!recipe.hint.empty()) {
    SplitText(recipe.hint, pieces, kSplitWords);
    for (const std::string& word : pieces) (Line("       <hint>").Text(word) << "</hint>").Put(run);
  }
  if (!recipe.source.empty()) {
    SplitText(recipe.source, pieces, kSplitLines);
    for (const std::string& line : pieces)
      (Line("       <sourceline>").Text(line) << "</sourceline>").Put(run);
  }
  if (!recipe.cardText.empty()) {
    SplitText(recipe.cardText, pieces, kSplitLines);
    for (const std::string& line : pieces) (Line("       <card>").Text(line) << "</card>").Put(run);
  }
  for (const REZSTOFFMENGE& amount : recipe.nutrients) {
    if (!(ReadNumber(amount.value) > 0)) continue;  // 0,3 counts: a number above 0
    Line line("       <content ");
    (line.Attribute("type", amount.code).More("value", amount.value) << "/>").Put(run);
  }
  if (ctx().options && ctx().options->Flag(49)) {
    for (const REZPICTURE& picture : recipe.pictures) {
      if (picture.name.empty()) continue;
      if (picture.kind == 'U') {
        (Line("       <picture ").Attribute("file", picture.name) << "/>").Put(run);
        continue;
      }
      const std::string upper = UpperCaseAnsi(picture.name);
      const char* format = upper.find(".JPG") != std::string::npos   ? "JPG"
                           : upper.find(".BMP") != std::string::npos ? "BMP"
                                                                     : "";
      std::string bytes = "       <picbin format=\"" + std::string(format) + "\">";
      TBase64::EncodeFileToStream(RecipePicturePath(picture.name), bytes);
      bytes += "</picbin>\r\n";
      run.PutExportBytes(bytes);
    }
  }
  run.PutLine("    </head>");
}

void LogUnconvertedUnits(ExportRun& run, REZBLOCK& recipe) {
  if (!ctx().units) return;
  std::string rejected, note;
  if (!ctx().units->ConvertToMealMasterUnits(recipe, rejected, false, note)) return;
  run.AddLogLine(GetLangText(148) + recipe.title + "':");
  run.AddLogLine(GetLangText(659));
  if (!rejected.empty()) run.AddLogLine("  (" + rejected + ")");
  run.AddLogLine(GetLangText(658));
  run.ProgressShown = false;
}

// Parts of ingredients: a heading starts a titled part; a note after an ingredient becomes its
// <inote>, any other note an ingredient of its own. An ingredient's start tag waits until the
// next line tells whether it gets children.
void WriteIngredients(ExportRun& run, REZBLOCK& recipe) {
  bool partOpen = false, ingredientOpen = false, lastIngredient = false, pending = false;
  Line start;
  auto closeIngredient = [&] {
    if (ingredientOpen) run.PutLine("      </ingredient>");
    ingredientOpen = false;
  };
  auto writePending = [&](const char* end) {
    if (!pending) return;
    (start << end).Put(run);
    pending = false;
  };
  for (REZZUTAT& z : recipe.lines) {
    if (Starts(z.text, '*')) {
      closeIngredient();
      writePending("/>");
      if (partOpen) run.PutLine("    </part>");
      (Line("    <part ").Attribute("title", std::string_view(z.text).substr(1)) << ">").Put(run);
      partOpen = true;
      lastIngredient = false;
      continue;
    }
    if (!partOpen) {
      run.PutLine("    <part>");
      partOpen = true;
    }
    if (IsDescriptionLine(z)) {
      if (pending) {
        writePending(">");
        ingredientOpen = true;
      }
      const std::string_view note = std::string_view(z.text).substr(1);
      if (lastIngredient) {
        (Line("         <inote>").Text(note) << "</inote>").Put(run);
        ingredientOpen = true;
      } else {
        (Line("      <ingredient ").Attribute("item", note) << "/>").Put(run);
      }
      continue;
    }
    closeIngredient();
    writePending("/>");
    FractionCharToText(z.amount);
    MixedFractionToDecimal(z.amount);
    // CookML's quantity is a number with a point: two decimals at most, which the import reads
    // back as the fraction they stand for ("0.67" is 2/3).
    z.amount = RoundLongDecimals(z.amount);
    ReplaceChar(z.amount, ',', '.');
    start = Line("      <ingredient");
    if (!z.amount.empty()) start.More("qty", z.amount);
    if (!z.unit.empty()) start.More("unit", z.unit);
    if (!z.text.empty()) start.More("item", z.text);
    if (!z.blsCode.empty()) start.More("bls", z.blsCode);
    if (z.grams > 0) start << " gram=\"" << std::to_string(z.grams) << "\"";
    if (z.grams == -1) start << " calc=\"N\"";
    if (z.notOnShoppingList) start << " shop=\"N\"";
    pending = true;
    lastIngredient = true;
  }
  closeIngredient();
  writePending("/>");
  if (partOpen) run.PutLine("    </part>");
}

}  // namespace

void WriteCookMLHeader(ExportRun& run) {
  const bool bom = ctx().options && ctx().options->Flag(89);
  run.PutLine(std::string(bom ? "\xEF\xBB\xBF" : "") +
              "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");
  run.PutLine("<!DOCTYPE cookml SYSTEM \"cookml.dtd\">");
  run.PutLine("<?xml-stylesheet href=\"cookml.xsl\" type=\"text/xsl\"?>");
  run.PutLine("<cookml version=\"1.0.11\" prog=\"Tavolin\" progver=\"" + ExportVersion() + "\">");
}

void WriteCookMLRecipe(ExportRun& run, REZBLOCK& recipe) {
  run.PutLine("  <recipe lang=\"DE\">");
  WriteHead(run, recipe);
  LogUnconvertedUnits(run, recipe);
  if (!recipe.lines.empty()) WriteIngredients(run, recipe);
  if (!recipe.text.empty()) {
    std::string text = recipe.text;
    LfToCrLf(text);
    run.PutLine("    <preparation>");
    (Line("      <text>").Text(text) << "</text>").Put(run);
    run.PutLine("    </preparation>");
  }
  for (const REZREMARK& remark : recipe.remarks) {
    (Line("    <remark ").Attribute("user", remark.author) << ">").Put(run);
    (Line("      <line>").Text(remark.text) << "</line>").Put(run);
    run.PutLine("    </remark>");
  }
  run.PutLine("  </recipe>");
}

}  // namespace tav
