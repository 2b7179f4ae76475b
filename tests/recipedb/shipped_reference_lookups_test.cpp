// The shipped units, ingredients and categories tried against the words real recipes use:
// every spelling finds its unit, every ingredient its own entry, every category word its
// category. The texts are written in UTF-8 here and turned into Windows-1252 as the files hold
// them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/charset.h"
#include "platform/settings_store.h"
#include "recipedb/category_table.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/recipe_model.h"
#include "recipedb/unit_table.h"
#include "services/charsets.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

constexpr auto W = Utf8ToCp1252;

class ShippedLookups : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    env.userSettings.WriteString(kRegParam, "AktLanguage", Lang());
    env.Options();
    for (const char* f : {"einheit.dat", "Gattung.dat", "zutaten.dat"})
      WriteAll(env.Root() + "Data/" + Lang() + "/" + f,
               ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + Lang() + "/" + f));
    ASSERT_TRUE(units.ReadEinheiten());
    units.SortEinheiten();
    ASSERT_TRUE(ingredients.ReadZutaten());
    categories.ReadGattungen();
  }
  const std::string& Lang() const { return GetParam(); }
  bool German() const { return Lang() == "DE"; }

  // A unit word as an import or the quick entry meets it: its code, then what the import's
  // conversion makes of it. The amount shows a conversion's factor.
  REZZUTAT Resolve(const std::string& word, const std::string& amount = "1") const {
    REZBLOCK r;
    r.lines.push_back({amount, "", "x", "", 0, 0});
    if (!units.ResolveUnitCode(word, r.lines[0].unit)) r.lines[0].unit = "?";
    units.ConvertRecipeUnits(r);
    return r.lines[0];
  }

  test::TestEnv env;
  UnitTable units;
  IngredientCatalogue ingredients;
  CategoryTable categories;
};

TEST_P(ShippedLookups, EveryIngredientFindsItselfByEitherName) {
  ASSERT_GT(ingredients.zutaten.size(), 600u);
  for (const REZZUTATEN& z : ingredients.zutaten) {
    for (const std::string* name : {&z.plural, &z.singular}) {
      if (name->empty()) continue;
      REZZUTATEN found;
      EXPECT_EQ(ingredients.FindZutatForText(*name, found), 1) << *name;
      EXPECT_EQ(found.plural, z.plural) << *name;
      std::string key = "unchanged";
      uint8_t notOnList = 9;
      EXPECT_TRUE(ingredients.GetZutatBLSKey(*name, key, notOnList)) << *name;
      EXPECT_EQ(key, z.blsKey) << *name;
    }
  }
}

// The words cooks type most: each names an ingredient of its own, linked to a food of the
// shipped food table. Gemüsebrühe and Butterschmalz have no food in that table.
TEST_P(ShippedLookups, TheWordsCooksTypeMostAreIngredientsWithFoods) {
  const std::vector<const char*> german = {
      "Salz", "Pfeffer", "Zucker", "Mehl", "Butter", "Eier", "Ei", "Milch", "Sahne", "Zwiebeln",
      "Zwiebel", "Knoblauch", "Knoblauchzehen", "Öl", "Olivenöl", "Wasser", "Tomaten", "Tomate",
      "Kartoffeln", "Möhren", "Karotten", "Petersilie", "Zitrone", "Zitronensaft", "Essig",
      "Senf", "Honig", "Hefe", "Backpulver", "Vanillezucker", "Quark", "Joghurt", "Käse",
      "Parmesan", "Hackfleisch", "Speck", "Schinken", "Paprika", "Paprikapulver", "Brühe",
      "Gemüsebrühe", "Weißwein", "Rotwein", "Reis", "Nudeln", "Spaghetti", "Lauch",
      "Champignons", "Spinat", "Zucchini", "Gurke", "Äpfel", "Apfel", "Bananen", "Orangen",
      "Mandeln", "Haselnüsse", "Walnüsse", "Rosinen", "Schokolade", "Kakao", "Puderzucker",
      "Speisestärke", "Schmand", "Saure Sahne", "saure Sahne", "Crème fraîche", "Frischkäse",
      "Mozzarella", "Feta", "Lachs", "Thunfisch", "Garnelen", "Hähnchenbrust",
      "Hähnchenbrustfilets", "Rindfleisch", "Schweinefleisch", "Schnittlauch", "Dill",
      "Basilikum", "Thymian", "Rosmarin", "Oregano", "Majoran", "Muskat", "Muskatnuss", "Zimt",
      "Curry", "Chili", "Ingwer", "Lorbeerblätter", "Tomatenmark", "Sojasoße", "Ketchup",
      "Mayonnaise", "Margarine", "Semmelbrösel", "Haferflocken", "Brot", "Brötchen",
      "Toastbrot", "Erbsen", "Mais", "Linsen", "Kichererbsen", "Kokosmilch", "Sonnenblumenöl",
      "Eigelb", "Eiweiß", "Gelatine", "Limette", "Frühlingszwiebeln", "Kirschtomaten",
      "Brokkoli", "Blumenkohl", "Kürbis", "Aubergine", "Schalotten", "Porree", "Sellerie",
      "Rucola", "Feldsalat", "Kohlrabi", "Weißkohl", "Rotkohl", "Sauerkraut", "Gouda",
      "Emmentaler", "Butterschmalz", "Pilze", "Bohnen"};
  const std::vector<const char*> english = {
      "salt", "pepper", "black pepper", "sugar", "brown sugar", "flour", "all-purpose flour",
      "butter", "unsalted butter", "eggs", "egg", "milk", "cream", "heavy cream", "sour cream",
      "onion", "onions", "garlic", "garlic cloves", "olive oil", "oil", "vegetable oil", "water",
      "tomatoes", "tomato", "potatoes", "carrots", "carrot", "celery", "parsley", "lemon",
      "lemon juice", "lime", "lime juice", "vinegar", "mustard", "honey", "yeast",
      "baking powder", "baking soda", "vanilla extract", "vanilla", "cheese", "cheddar cheese",
      "parmesan cheese", "mozzarella cheese", "cream cheese", "ground beef", "bacon", "ham",
      "chicken breasts", "chicken breast", "chicken", "beef", "pork", "salmon", "tuna", "shrimp",
      "rice", "pasta", "spaghetti", "noodles", "bread", "breadcrumbs", "rolled oats",
      "cornstarch", "cinnamon", "nutmeg", "cumin", "paprika", "chili powder", "oregano", "basil",
      "thyme", "rosemary", "bay leaves", "bay leaf", "ginger", "cilantro", "zucchini",
      "eggplant", "bell pepper", "red bell pepper", "green bell pepper", "spinach", "mushrooms",
      "broccoli", "cabbage", "corn", "peas", "green beans", "black beans", "chickpeas",
      "lentils", "coconut milk", "soy sauce", "ketchup", "mayonnaise", "Worcestershire sauce",
      "chicken broth", "beef broth", "white wine", "red wine", "walnuts", "almonds", "raisins",
      "chocolate", "cocoa powder", "powdered sugar", "maple syrup", "apples", "bananas",
      "strawberries", "blueberries", "scallions", "green onions", "shallots", "avocado",
      "cucumber", "lettuce", "yogurt", "buttermilk", "margarine", "jalapeño",
      "red pepper flakes"};
  const auto& words = German() ? german : english;
  EXPECT_GE(words.size(), 100u);
  for (const char* utf8 : words) {
    const std::string word = W(utf8);
    REZZUTATEN found;
    EXPECT_EQ(ingredients.FindZutatForText(word, found), 1) << utf8;
    std::string key;
    uint8_t notOnList = 0;
    EXPECT_TRUE(ingredients.GetZutatBLSKey(word, key, notOnList)) << utf8;
    const bool noFood = word == W("Gemüsebrühe") || word == "Butterschmalz";
    EXPECT_EQ(key.empty(), noFood) << utf8;
  }

  // Piece weights of what is counted.
  struct Piece {
    const char* de;
    const char* en;
    int grams;
  } pieces[] = {{"Eier", "eggs", 60},        {"Zwiebel", "onion", 80},
                {"Knoblauchzehe", "garlic clove", 4}, {"Kartoffeln", "potatoes", 100},
                {"Möhren", "carrots", 80},   {"Tomaten", "tomatoes", 100},
                {"Paprika", "bell pepper", 160},      {"Zitrone", "lemon", 100},
                {"Äpfel", "apples", 150},    {"Bananen", "bananas", 120},
                {"Salz", "salt", 1},         {"Brötchen", "bread rolls", 60}};
  for (const Piece& p : pieces) {
    REZZUTATEN found;
    ASSERT_EQ(ingredients.FindZutatForText(W(German() ? p.de : p.en), found), 1) << p.de;
    EXPECT_EQ(found.pieceWeight, p.grams) << p.de;
  }
}

TEST_P(ShippedLookups, UnitSpellingsResolveToTheirUnits) {
  struct Case {
    const char* word;
    const char* unit;  // after the import's conversion
  };
  const std::vector<Case> german = {
      {"Eßlöffel", "EL"}, {"Esslöffel", "EL"}, {"EL.", "EL"},     {"EL", "EL"},
      {"el", "EL"},       {"Essl.", "EL"},     {"Teelöffel", "TL"}, {"TL.", "TL"},
      {"Pck.", "Pk"},     {"Päckchen", "Pk"},  {"Packung", "Pk"},  {"Msp.", "Msp"},
      {"Messerspitze", "Msp"}, {"Stk.", "Sk"}, {"Stk", "Sk"},     {"St.", "Sk"},
      {"St", "Sk"},       {"Stck", "Sk"},      {"Stück", "Sk"},   {"Schote", "Sco"},
      {"Schoten", "Sco"}, {"Kugel", "Kgl"},    {"Zehe", "Zeh"},   {"Zehen", "Zeh"},
      {"Scheibe", "Sch"}, {"Scheiben", "Sch"}, {"Bund", "Bd"},    {"Dose", "Ds"},
      {"Dosen", "Ds"},    {"Becher", "Be"},    {"Tasse", "Tas"},  {"Prise", "Pr"},
      {"Prisen", "Pr"},   {"Gramm", "g"},      {"g", "g"},        {"Liter", "l"},
      {"Ltr.", "l"},      {"klein", "kl"},     {"kleine", "kl"},  {"mittelgroße", "mi"},
      {"groß", "gr"},     {"große", "gr"},     {"gr", "gr"}};
  const std::vector<Case> english = {
      {"tbsp", "EL"},        {"Tbsp.", "EL"},        {"tsp", "TL"},
      {"tsp.", "TL"},        {"tablespoon", "EL"},   {"tablespoons", "EL"},
      {"teaspoon", "TL"},    {"teaspoons", "TL"},    {"lb", "g"},
      {"lbs", "g"},          {"pound", "g"},         {"oz", "g"},
      {"ounces", "g"},       {"fl oz", "ml"},        {"fluid ounces", "ml"},
      {"pint", "ml"},        {"quart", "ml"},        {"cup", "Tas"},
      {"cups", "Tas"},       {"package", "Pk"},      {"can", "Ds"},
      {"cans", "Ds"},        {"clove", "Zeh"},       {"cloves", "Zeh"},
      {"pinch", "Pr"},       {"dash", "Shs"},        {"slice", "Sch"},
      {"slices", "Sch"},     {"bunch", "Bd"},        {"stalks", "Stg"},
      {"small", "kl"},       {"medium", "mi"},       {"large", "gr"},
      {"each", "Sk"},        {"piece", "Sk"},        {"grams", "g"}};
  for (const Case& c : German() ? german : english) {
    EXPECT_EQ(Resolve(W(c.word)).unit, c.unit) << c.word;
  }
  // Converted amounts as a cook measures them: none, one or two decimals by their size.
  EXPECT_EQ(Resolve("lbs", "2").amount, "907");
  EXPECT_EQ(Resolve("fl oz", "2").amount, "59.1");
  EXPECT_EQ(Resolve(W("Pfund"), "1").amount, German() ? "500" : "1");
}

// The unit codes of Meal-Master files, as its reader hands them over, become units the
// program knows; the ones that differ only in case from a German code keep their meaning.
TEST_P(ShippedLookups, MealMasterCodesBecomeTheirUnits) {
  struct Case {
    const char* code;
    const char* amount;
    const char* unit;
  } cases[] = {
      {"t", "1", "TL"},   {"T", "1", "EL"},     {"ts", "1", "TL"},   {"tb", "1", "EL"},
      {"c", "1", "Tas"},  {"pt", "473", "ml"}, {"qt", "946", "ml"}, {"ga", "3.79", "l"},
      {"oz", "28.4", "g"}, {"lb", "454", "g"}, {"ml", "1", "ml"},  {"l", "1", "l"},
      {"g", "1", "g"},    {"kg", "1", "kg"},    {"pn", "1", "Pr"},   {"ds", "1", "Shs"},
      {"Ds", "1", "Ds"},  {"fl", "29.6", "ml"}, {"Fl", "1", "Fl"},  {"sm", "1", "kl"},
      {"md", "1", "mi"},  {"lg", "1", "gr"},    {"x", "1", "Por"},   {"ea", "1", "Sk"},
      {"pk", "1", "Pk"},  {"Pk", "1", "Pk"},    {"cn", "1", "Ds"},   {"cl", "1", "cl"},
      {"sl", "1", "Sch"}, {"bn", "1", "Bd"},    {"dr", "1", "Tr"},   {"cb", "1", "ml"},
      {"dl", "1", "dl"},  {"mg", "1", "mg"},    {"ct", "1", "Be"},   {"St", "1", "Sk"},
      {"Ms", "1", "Msp"}, {"Ta", "1", "Tas"},   {"Ze", "1", "Zeh"},  {"Sc", "1", "Sch"}};
  REZBLOCK r;
  for (const Case& c : cases) r.lines.push_back({"1", c.code, "x", "", 0, 0});
  units.ConvertRecipeUnits(r);
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(r.lines[i].unit, cases[i].unit) << cases[i].code;
    EXPECT_EQ(r.lines[i].amount, cases[i].amount) << cases[i].code;
    const REZEINHEIT* u = units.FindUnitByCode(r.lines[i].unit);
    EXPECT_TRUE(u && u->fixed) << cases[i].code;
  }
}

// A unit's name and plural lead back to it, so no spelling is taken by another unit first.
TEST_P(ShippedLookups, EveryUnitNameLeadsBackToItsUnit) {
  for (const REZEINHEIT& u : units.units) {
    for (const std::string* name : {&u.name, &u.plural}) {
      if (name->empty()) continue;
      std::string code;
      EXPECT_TRUE(units.ResolveUnitCode(*name, code)) << *name;
      EXPECT_EQ(code, u.code) << *name;
    }
  }
}

TEST_P(ShippedLookups, CategoryWordsFindTheirCategories) {
  struct Case {
    const char* word;
    uint16_t main;
  };
  const std::vector<Case> german = {
      {"Suppe", 2},        {"Suppen", 2},      {"Dessert", 6},       {"Nachtisch", 6},
      {"Salat", 3},        {"Vorspeise", 1},   {"Hauptgericht", 4},  {"Hauptspeise", 4},
      {"Eintopf", 15},     {"Auflauf", 16},    {"Aufläufe", 16},     {"Getränk", 11},
      {"Kuchen", 7},       {"Gebäck", 9},      {"Brot", 10},         {"Brötchen", 10},
      {"Soße", 12},        {"Sauce", 12},      {"Beilage", 5},       {"Torte", 8},
      {"Kekse", 9},        {"Plätzchen", 9},   {"Fleischgericht", 17}, {"Fisch", 19},
      {"Pasta", 23},       {"Marmelade", 28},  {"Grill", 29},        {"Huhn", 18},
      {"rindfleisch", 17}, {"SUPPE", 2}};
  const std::vector<Case> english = {
      {"soup", 2},        {"Soups", 2},       {"dessert", 6},       {"desserts", 6},
      {"salad", 3},       {"starter", 1},     {"appetizers", 1},    {"main dish", 4},
      {"Main Dish", 4},   {"entree", 4},      {"stew", 15},         {"casserole", 16},
      {"casseroles", 16}, {"drink", 11},      {"beverages", 11},    {"cake", 7},
      {"cakes", 7},       {"bread", 10},      {"breads", 10},       {"cookies", 9},
      {"sauce", 12},      {"side dish", 5},   {"beef", 17},         {"chicken", 18},
      {"seafood", 20},    {"vegetable", 21},  {"pasta", 23},        {"pies", 7},
      {"jams", 28},       {"grilling", 29}};
  for (const Case& c : German() ? german : english) {
    uint16_t codes[10];
    EXPECT_TRUE(categories.GetGattIds(W(c.word), codes)) << c.word;
    EXPECT_EQ(codes[0], c.main) << c.word;
  }

  // Names are unique in either language, and sub categories stand for main categories.
  std::vector<std::string> names;
  for (const REZGATT& g : categories.gatt) {
    for (const std::string& other : names) EXPECT_FALSE(SameTextNoCase(other, g.name)) << g.name;
    names.push_back(g.name);
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ShippedLookups, ::testing::Values("DE", "EN"));

}  // namespace
}  // namespace tav
