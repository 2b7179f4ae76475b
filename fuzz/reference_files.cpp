// The reference files of the language and data folders: einheit.dat, Gattung.dat,
// zutaten.dat, umlconvs.dat, NormTitle.dat and RkKonvert.dat. Any file reads without harm, the
// lookups and conversions that use the tables take any text, and a table saved unchanged reads
// back as it was read (what a window shows is what the next start shows).
#include <algorithm>

#include "fuzz_support.h"
#include "recipedb/category_table.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/recipe_records.h"
#include "recipedb/unit_table.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/text_tools.h"
#include "services/tools_module.h"

namespace {

using namespace tav;

std::string Dump(const std::vector<REZEINHEIT>& units) {
  std::string out;
  for (const REZEINHEIT& u : units) {
    // Codes hold no blanks; the reader drops the one a target code may be written with.
    const std::string target =
        u.target.substr(std::min(u.target.find_first_not_of(' '), u.target.size()));
    out += u.name + "|" + u.plural + "|" + u.shortForm + "|" + u.code + "|" +
           std::to_string(u.fixed) + std::to_string(u.mealMaster) + "|" + target + "|" +
           std::to_string(u.kinds) + "|" + u.factor + "\n";
  }
  return out;
}

std::string Dump(const std::vector<REZGATT>& table) {
  std::string out;
  for (const REZGATT& g : table) {
    out += std::to_string(g.kind) + "|" + std::to_string(g.id) + "|" + g.name + "|" + g.symbol;
    for (uint16_t id : g.mainIds) out += "|" + std::to_string(id);
    out += "\n";
  }
  return out;
}

std::string Dump(const std::vector<REZZUTATEN>& table) {
  std::string out;
  for (const REZZUTATEN& z : table) {
    out += z.plural + "|" + z.singular + "|" + std::to_string(z.energyBasis) + "|" +
           std::to_string(z.energyUnit) + "|" + z.energy + "|" + z.season + "|" + z.blsKey + "|" +
           z.picture + "|" + std::to_string(z.pieceWeight) + "|" +
           std::to_string(z.notOnShoppingList);
    // The old pair form of the units may hold a '~', which separates codes in the current form.
    std::string joined;
    for (const std::string& u : z.units) joined += u + "~";
    for (size_t from = 0, to; (to = joined.find('~', from)) != std::string::npos; from = to + 1)
      if (to > from) out += "|" + joined.substr(from, to - from);
    out += "\n";
  }
  return out;
}

void Same(const std::string& first, const std::string& second, const char* file) {
  if (first != second)
    fuzz::Fail(std::string(file) + " changed by saving it:\n" + first + "---\n" + second);
}

REZBLOCK RecipeOf(FuzzedDataProvider& in) {
  REZBLOCK r;
  ClearRezBlock(r);
  while (in.remaining_bytes() > 0 && r.lines.size() < 8) {
    REZZUTAT z;
    z.amount = in.ConsumeRandomLengthString(16);
    z.unit = in.ConsumeRandomLengthString(6);
    z.text = in.ConsumeRandomLengthString(40);
    r.lines.push_back(z);
  }
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  test::TestEnv& env = fuzz::Begin();
  FuzzedDataProvider in(data, size);
  const int which = in.ConsumeIntegralInRange(0, 5);
  const std::string file = in.ConsumeRandomLengthString(1 << 14);
  const std::string text = in.ConsumeRandomLengthString(200);
  const std::string lang = env.DataFolder() + "DE/";

  switch (which) {
    case 0: {
      fuzz::Write(lang + "einheit.dat", file);
      UnitTable units;
      ctx().units = &units;
      units.ReadEinheiten();
      units.SortEinheiten();
      const std::string first = Dump(units.units);
      if (!units.WriteEinheiten()) fuzz::Fail("einheit.dat not written");
      UnitTable again;
      again.ReadEinheiten();
      again.SortEinheiten();
      Same(first, Dump(again.units), "einheit.dat");
      std::string t = text, code;
      units.UnitTextToCode(t);
      t = text;
      units.NormalizeUnitCode(t);
      t = text;
      units.NormalizeUnitCodeFixed(t);
      units.ResolveUnitCode(text, code);
      units.FindUnitByPrefix(text, code);
      REZBLOCK r = RecipeOf(in);
      units.ConvertRecipeUnits(r);
      std::string rejected, note;
      units.ConvertToMealMasterUnits(r, rejected, true, note);
      for (size_t i = 0; i <= units.units.size(); ++i) units.IsMealMasterUsable(i);
      ctx().units = nullptr;
      break;
    }
    case 1: {
      fuzz::Write(lang + "Gattung.dat", file);
      CategoryTable table;
      table.ReadGattungen();
      const std::string first = Dump(table.gatt);
      if (!table.WriteGattungen()) fuzz::Fail("Gattung.dat not written");
      CategoryTable again;
      again.ReadGattungen();
      // Ids have four digits; a line of longer numbers is no file the program writes.
      const bool fourDigits =
          std::all_of(table.gatt.begin(), table.gatt.end(), [](const REZGATT& g) {
            return std::all_of(g.mainIds.begin(), g.mainIds.end(),
                               [](uint16_t id) { return id <= 9999; });
          });
      if (fourDigits) Same(first, Dump(again.gatt), "Gattung.dat");
      uint16_t codes[10];
      table.GetGattIds(text, codes);
      int16_t id = 0;
      table.GetGattIdByName(text, id);
      table.FindFreeGattId();
      if (!table.gatt.empty()) table.RemoveMainGattId(table.gatt.front().id);
      break;
    }
    case 2: {
      fuzz::Write(lang + "zutaten.dat", file);
      IngredientCatalogue catalogue;
      catalogue.ReadZutaten();
      // Saving puts a name before the shorter names inside it: what was saved reads back.
      if (!catalogue.WriteZutaten()) fuzz::Fail("zutaten.dat not written");
      const std::string first = Dump(catalogue.zutaten);
      IngredientCatalogue again;
      again.ReadZutaten();
      // Unit codes have up to three characters; the current form of the units field is told
      // from the older one by a '~' among its first four.
      const bool shortCodes =
          std::all_of(catalogue.zutaten.begin(), catalogue.zutaten.end(), [](const REZZUTATEN& z) {
            return std::all_of(z.units.begin(), z.units.end(),
                               [](const std::string& u) { return u.size() <= 3; });
          });
      if (shortCodes) Same(first, Dump(again.zutaten), "zutaten.dat");
      REZZUTATEN z;
      catalogue.FindZutatForText(text, z);
      std::string name, key;
      catalogue.FindZutatByPrefix(text, name);
      uint8_t notOnList = 0;
      catalogue.GetZutatBLSKey(text, key, notOnList);
      std::vector<std::string> pictures;
      catalogue.CollectRecipeZutatPictures(RecipeOf(in), pictures);
      break;
    }
    case 3: {
      fuzz::Write(lang + "umlconvs.dat", file);
      std::vector<UMLCONV> exceptions;
      ReadUmlautExceptions(lang + "umlconvs.dat", exceptions);
      std::string t = text;
      DosToAnsiUmlauts(t, exceptions, false);
      break;
    }
    case 4: {
      fuzz::Write(lang + "NormTitle.dat", file);
      std::vector<std::string> words;
      ReadTitleWords(lang + "NormTitle.dat", words);
      for (int mode = 0; mode <= 3; ++mode) {
        std::string t = text;
        NormalizeTitle(t, mode, words);
      }
      break;
    }
    default: {
      fuzz::Write(env.DataFolder() + "RkKonvert.dat", file);
      TToolsMod tools;
      ctx().tools = &tools;
      std::string unit = text;
      ConvertUnitName(unit, 1.0, true);
      ConvertUnitName(unit, 2.0, false);
      ctx().tools = nullptr;
      break;
    }
  }
  return 0;
}
