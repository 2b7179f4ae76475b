#include "exchange/mahlzeit_reader.h"

#include <cstring>

#include "exchange/import_fields.h"
#include "platform/numbers.h"
#include "recipedb/recipe_records.h"
#include "services/amounts.h"
#include "services/charsets.h"

namespace tav {

namespace {

constexpr size_t kValuePos = 14;

void AddEnergy(REZBLOCK& recipe, std::string value) {
  REZSTOFFMENGE n;
  std::strcpy(n.code, "GCAL");
  n.value = std::move(value);
  recipe.nutrients.push_back(std::move(n));
}

class MahlzeitReader {
 public:
  MahlzeitReader(RecipeImporter& importer, const std::string& book)
      : importer_(importer), book_(book) {}

  ReadResult Run() {
    ClearRezBlock(recipe_);
    std::string line;
    for (;;) {
      if (!importer_.ReadImportLine(line)) {
        if (state_ == 2) return Finish();  // only the end line is missing
        importer_.LogIncompleteRecipe(recipe_.title);
        return ReadResult::kIncomplete;
      }
      if (RecipeStartLine(line) != StartLine::kNone) {  // the next recipe: its line goes back
        importer_.UnreadImportLine(line);
        return Finish();
      }
      if (line.find("ZZZZZ") != std::string::npos) return Finish();
      if (line.find("ZUTATEN --") != std::string::npos)
        state_ = 1;
      else if (line.find("ZUBEREITUNG --") != std::string::npos)
        state_ = 2;
      else if (state_ == 0)
        HeaderLine(line);
      else if (state_ == 1)
        IngredientLine(line);
      else {
        recipe_.text += Field(line);
        recipe_.text += '\n';
      }
    }
  }

 private:
  // A piece of a line, its spelled umlauts converted (labels and columns are found first).
  std::string Field(std::string_view text) const { return importer_.Umlauts().Converted(text); }

  void HeaderLine(const std::string& line) {
    std::string value = line.size() > kValuePos ? Field(line.substr(kValuePos)) : std::string();
    if (value == "unbekannt") value.clear();
    auto has = [&](const char* label) { return line.find(label) != std::string::npos; };
    if (has("Titel:")) recipe_.title = value;
    if (has("Kategorien:")) Categories(value);
    if (has("Portion:")) Servings(value);
    if (has("von:")) recipe_.createdBy = value;
    if (has("st am:")) recipe_.createdDate = value;
    if (has("rt am:")) recipe_.changedDate = value;
    if (has("Quelle:")) recipe_.source = value;
    if (has("Kalorien:")) AddEnergy(recipe_, value);
    if (has("Energie:"))
      AddEnergy(recipe_, line.size() > 13 ? Field(line.substr(13)) : std::string());
    if (has("Zeit:")) recipe_.totalTime = value;
    if (has("Kosten:")) recipe_.costs = value;
  }

  void Categories(std::string_view value) {
    size_t p = 0;
    while (codes_ < kImportCategoryCodes) {
      while (p < value.size() && (value[p] == ' ' || value[p] == ',')) ++p;
      if (p >= value.size()) break;
      size_t e = value.find(',', p);
      if (e == std::string_view::npos) e = value.size();
      TakeCategoryCodes(std::string(value.substr(p, e - p)), recipe_, codes_,
                        importer_.Categories());
      p = e;
    }
    for (int i = codes_; i < 10; ++i) recipe_.categories[i] = 0;
  }

  void Servings(std::string_view value) {
    size_t p = 0;
    while (p < value.size() && value[p] == ' ') ++p;
    const size_t digits = p;
    while (p < value.size() && IsDigit(value[p])) ++p;
    recipe_.servings =
        static_cast<int32_t>(ReadLong(value.substr(digits, std::min<size_t>(p - digits, 9))));
    recipe_.servingType = std::string(SkipChars(value, p, " "));
  }

  void IngredientLine(const std::string& line) {
    if (line.size() <= 11 || (line.size() > 12 && line[12] == ' ')) return;
    REZZUTAT z;
    if (line[0] == '-') {  // a group heading; the one of the source is dropped
      const size_t last = line.find_last_not_of('-');
      const std::string cut = last == std::string::npos ? std::string() : line.substr(0, last + 1);
      z.text = "*" + (cut.size() > 8 ? Field(cut.substr(8)) : std::string());
      if (line.find("QUELLE") != std::string::npos) z.text.clear();
    } else {
      const std::string_view view(line);
      z.amount = std::string(StripBlanks(view.substr(0, 7)));
      z.unit = std::string(StripBlanks(view.substr(8, 2)));
      z.text = Field(StripBlanks(view.substr(11)));
    }
    if (!z.text.empty()) recipe_.lines.push_back(std::move(z));
  }

  ReadResult Finish() {
    state_ = 3;
    return importer_.StoreImportedRecipe(ImportFormat::kMahlzeit, recipe_, book_, {});
  }

  RecipeImporter& importer_;
  const std::string& book_;
  REZBLOCK recipe_;
  int state_ = 0;  // 0 head, 1 ingredients, 2 text, 3 done
  int codes_ = 0;
};

}  // namespace

ReadResult ImportMahlzeit(RecipeImporter& importer, const std::string& book) {
  MahlzeitReader reader(importer, book);
  return reader.Run();
}

}  // namespace tav
