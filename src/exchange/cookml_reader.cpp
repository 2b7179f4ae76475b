#include "exchange/cookml_reader.h"

#include <random>

#include "exchange/base64.h"
#include "exchange/import_fields.h"
#include "exchange/xml_parser.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "recipedb/recipe_records.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/dates.h"

namespace tav {

bool IsKnownPictureType(const std::string& format) {
  for (const char* type : {"jpg", "jpeg", "bmp", "png", "gif"})
    if (SameTextNoCase(format, type)) return true;
  return false;
}

namespace {

std::string Trimmed(const std::string& text) {
  return std::string(StripBlanks(text));
}

int32_t LeadingInt(const std::string& text) {
  return static_cast<int32_t>(ReadLong(text));
}

std::string RandomLetters(int n) {
  static std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<int> letter('a', 'z');
  std::string out;
  for (int i = 0; i < n; ++i) out += static_cast<char>(letter(random));
  return out;
}

// Writes a <picbin> picture into the folder under a name of our own; a picture that was not
// written gets no reference.
void WritePicture(const TXMLNode& picbin, REZBLOCK& recipe, const std::string& folder,
                  std::vector<std::string>& written) {
  const std::string format = picbin.GetAttribValue(0);
  if (!IsKnownPictureType(format)) return;  // the extension never comes from the file as is
  const std::string name = RandomLetters(8);
  std::string suffix;
  std::string path = folder + name + "." + format;
  for (int tries = 0; EntryExists(path); ++tries) {
    if (tries == 1000) return;
    suffix = "_" + RandomLetters(2);
    path = folder + name + suffix + "." + format;
  }
  // Writers may wrap the Base64 text; the line breaks are no part of it.
  std::string base64;
  base64.reserve(picbin.GetValue().size());
  for (char c : picbin.GetValue())
    if (c != ' ' && c != '\n' && c != '\r' && c != '\t') base64 += c;
  MakeDirs(folder);
  if (!TBase64::DecodeTextToFile(path, base64)) return;
  written.push_back(path);
  recipe.pictures.push_back({'F', name + suffix + "." + format});
}

// "high,low" as the writer puts it: the first group of digits is the high half, the next the
// low half; a '-' right before a group makes it negative (halves above 2^31 are written so).
void ReadRecipeIdAttribute(const std::string& value, REZBLOCK& recipe) {
  int32_t halves[2] = {0, 0};
  size_t p = 0;
  for (int32_t& half : halves) {
    while (p < value.size() && !IsDigit(value[p])) ++p;
    if (p >= value.size()) break;
    const bool negative = p > 0 && value[p - 1] == '-';
    uint32_t x = 0;
    while (p < value.size() && IsDigit(value[p]))
      x = x * 10 + static_cast<uint32_t>(value[p++] - '0');
    half = static_cast<int32_t>(negative ? 0u - x : x);
  }
  recipe.recipeIdHigh = halves[0];
  recipe.recipeIdLow = halves[1];
}

void ReadHead(const TXMLNode& head, REZBLOCK& recipe, int& codes, const std::string& folder,
              std::vector<std::string>& written) {
  for (int i = 0; i < head.GetAttribCount(); ++i) {
    const std::string& name = head.GetAttribName(i);
    const std::string& value = head.GetAttribValue(i);
    if (name == "title")
      recipe.title = value;
    else if (name == "rid") {
      ReadRecipeIdAttribute(value, recipe);
    } else if (name == "servingqty")
      recipe.servings = LeadingInt(value);
    else if (name == "servingtype")
      recipe.servingType = value;
    else if (name == "quality")
      recipe.quality = value.empty() ? '0' : value[0];
    else if (name == "difficulty")
      recipe.difficulty = value.empty() ? '0' : value[0];
    else if (name == "createuser")
      recipe.createdBy = value;
    else if (name == "createdate")
      IsoDateToGerman(value, recipe.createdDate);
    else if (name == "createemail")
      recipe.createdEmail = value;
    else if (name == "changeuser")
      recipe.changedBy = value;
    else if (name == "changedate")
      IsoDateToGerman(value, recipe.changedDate);
    else if (name == "changeemail")
      recipe.changedEmail = value;
    else if (name == "timeprepqty")
      recipe.prepTime = value;
    else if (name == "timecookqty")
      recipe.cookTime = value;
    else if (name == "timeallqty")
      recipe.totalTime = value;
    else if (name == "costs")
      recipe.costs = value;
    else if (name == "wwpoints")
      recipe.points = value;
  }
  for (int i = 0; i < head.GetChildCount(); ++i) {
    const TXMLNode& child = *head.GetChild(i);
    const std::string& name = child.GetName();
    if (name == "cat") {
      TakeCategoryCodes(child.GetValue(), recipe, codes);
      CompactCategoryCodes(recipe.categories, codes);
    } else if (name == "sourceline") {
      if (!recipe.source.empty()) recipe.source += "\r\n";
      recipe.source += child.GetValue();
    } else if (name == "card") {
      if (!recipe.cardText.empty()) recipe.cardText += "\r\n";
      recipe.cardText += child.GetValue();
    } else if (name == "hint") {
      if (!recipe.hint.empty()) recipe.hint += ", ";
      recipe.hint += child.GetValue();
    } else if (name == "content") {
      REZSTOFFMENGE amount;
      std::string code;
      for (int a = 0; a < child.GetAttribCount(); ++a) {
        if (child.GetAttribName(a) == "type")
          code = child.GetAttribValue(a);
        else if (child.GetAttribName(a) == "value")
          amount.value = child.GetAttribValue(a);
      }
      // The code field holds seven characters; a longer code is no nutrient of ours.
      if (!code.empty() && code.size() < sizeof amount.code && !amount.value.empty()) {
        code.copy(amount.code, code.size());
        recipe.nutrients.push_back(std::move(amount));
      }
    } else if (name == "picture") {
      if (child.GetAttribCount() > 0) recipe.pictures.push_back({'U', child.GetAttribValue(0)});
    } else if (name == "picbin") {
      if (child.GetAttribCount() > 0) WritePicture(child, recipe, folder, written);
    }
  }
}

void ReadPart(const TXMLNode& part, REZBLOCK& recipe) {
  for (int i = 0; i < part.GetAttribCount(); ++i) {
    if (part.GetAttribName(i) != "title") continue;
    REZZUTAT heading;
    heading.text = "*" + Trimmed(part.GetAttribValue(i));
    recipe.lines.push_back(std::move(heading));
  }
  for (int i = 0; i < part.GetChildCount(); ++i) {
    const TXMLNode& ingredient = *part.GetChild(i);
    if (ingredient.GetName() != "ingredient") continue;
    REZZUTAT z;
    for (int a = 0; a < ingredient.GetAttribCount(); ++a) {
      const std::string& name = ingredient.GetAttribName(a);
      const std::string& value = ingredient.GetAttribValue(a);
      if (name == "qty")
        z.amount = value;
      else if (name == "unit")
        z.unit = value;
      else if (name == "item")
        z.text = value;
      else if (name == "shop")
        z.notOnShoppingList = 1;
      else if (name == "bls")
        z.blsCode = value;
      else if (name == "gram")
        z.grams = LeadingInt(value);
      else if (name == "calc") {
        if (value == "N") z.grams = -1;
      } else if (name == "title")
        z.text = "*" + value;
    }
    z.text = Trimmed(z.text);
    if (!z.text.empty() && z.text[0] == '-' && (!z.amount.empty() || !z.unit.empty()))
      DropDashesOfIngredient(z.text);
    recipe.lines.push_back(std::move(z));
    for (int n = 0; n < ingredient.GetChildCount(); ++n) {
      const TXMLNode& note = *ingredient.GetChild(n);
      if (note.GetName() != "inote") continue;
      REZZUTAT line;
      line.text = "-" + Trimmed(note.GetValue());
      recipe.lines.push_back(std::move(line));
    }
  }
}

void ReadPreparation(const TXMLNode& preparation, REZBLOCK& recipe) {
  for (int i = 0; i < preparation.GetChildCount(); ++i) {
    const TXMLNode& child = *preparation.GetChild(i);
    const bool step = child.GetName() == "step";
    if (!step && child.GetName() != "text") continue;
    if (!recipe.text.empty()) recipe.text += step ? "\n\n" : "\n";
    recipe.text += child.GetValue();
  }
}

void ReadRemark(const TXMLNode& remark, REZBLOCK& recipe) {
  REZREMARK r;
  for (int i = 0; i < remark.GetAttribCount(); ++i)
    if (remark.GetAttribName(i) == "user") r.author = remark.GetAttribValue(i);
  bool first = true;
  for (int i = 0; i < remark.GetChildCount(); ++i) {
    const TXMLNode& line = *remark.GetChild(i);
    if (line.GetName() != "line") continue;
    if (!first) r.text += '\n';
    r.text += line.GetValue();
    first = false;
  }
  recipe.remarks.push_back(std::move(r));
}

}  // namespace

void ReadCookMLRecipe(const TXMLNode& element, REZBLOCK& recipe, const std::string& pictureFolder,
                      bool marked, std::vector<std::string>& written) {
  ClearRezBlock(recipe);
  recipe.flags = marked ? kRecipeMarked : 0;
  int codes = 0;
  for (int i = 0; i < element.GetChildCount(); ++i) {
    const TXMLNode& child = *element.GetChild(i);
    const std::string& name = child.GetName();
    if (name == "head")
      ReadHead(child, recipe, codes, pictureFolder, written);
    else if (name == "part")
      ReadPart(child, recipe);
    else if (name == "preparation")
      ReadPreparation(child, recipe);
    else if (name == "remark")
      ReadRemark(child, recipe);
  }
}

}  // namespace tav
