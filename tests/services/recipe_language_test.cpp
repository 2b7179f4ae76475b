#include "services/recipe_language.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/charsets.h"

namespace tav {
namespace {

TEST(RecipeLanguage, TheListedWordsOfEachLanguageAreCountedInAnyCase) {
  struct Case {
    const char* line;
    int german;
    int english;
  } cases[] = {
      {"  Preheat the oven to 350 degrees.", 0, 4},
      {"Die Kartoffeln sch\xE4len und in W\xFCrfel schneiden.", 4, 0},  // "in" tells nothing
      {"MIT DER SAHNE AUFKOCHEN", 3, 0},
      {"F\xFCr den Teig; \xDC"
       "BER Nacht",
       3, 0},                                   // Windows-1252 umlauts, upper case too
      {"fuer die Fuellung ueber Nacht", 3, 0},  // the spelled forms count as well
      {"da\xDF es gut ist", 3, 0},              // ß is a letter of its word
      {"Joe's sauce, 2eggs", 0, 1},             // signs and digits end a word
      // Words both languages write tell nothing.
      {"in so also an was will hat man Butter", 0, 0},
      // A long word is known by its first seven letters and its length, never by its start.
      {"Kartoffelsalat schneide Schneiders", 0, 0},
      {"", 0, 0},
      {"\xE0 la minute", 0, 0},
  };
  for (const Case& c : cases) {
    LanguageCount count;
    count.Add(c.line);
    EXPECT_EQ(count.German(), c.german) << c.line;
    EXPECT_EQ(count.English(), c.english) << c.line;
  }
}

TEST(RecipeLanguage, ARecipeIsEnglishOnlyWhenItsEnglishWordsOutnumberItsGermanOnes) {
  struct Case {
    std::vector<const char*> lines;
    bool english;
  } cases[] = {
      {{"Sloppy Joes for Sue", "Brown the beef and the onion."}, true},
      {{"Blueberry Muffins nach Omas Art", "Mehl und Zucker verruehren."}, false},
      {{"Tuna salad", "Mix the tuna with the mayonnaise.", "Dazu passt Brot."}, true},
      {{"Kaesetoast", "2 sl Toastbrot"}, false},         // nothing told: German
      {{"Bread and butter", "Brot und Butter"}, false},  // a tie: German
  };
  for (const Case& c : cases) {
    LanguageCount count;
    for (const char* line : c.lines) count.Add(line);
    EXPECT_EQ(count.MostlyEnglish(), c.english) << c.lines[0];
  }
}

TEST(RecipeLanguage, ALeadOfTwelveWordsSettlesTheCount) {
  struct Case {
    const char* line;
    bool settled;
  } cases[] = {
      {"the the the the the the the the the the the", false},                  // 11
      {"the the the the the the the the the the the the", true},               // 12
      {"und und und und und und und und und und und und", true},               // German alike
      {"the the the the the the the the the the the the the und und", false},  // 13 to 2
  };
  for (const Case& c : cases) {
    LanguageCount count;
    count.Add(c.line);
    EXPECT_EQ(count.Settled(), c.settled) << c.line;
  }
}

TEST(RecipeLanguage, ASpellingKnowsWhetherItCanConvertAnything) {
  EXPECT_TRUE(UmlautSpelling().ConvertsNothing());
  EXPECT_TRUE(UmlautSpelling({}, true).ConvertsNothing());  // option 22
  EXPECT_FALSE(UmlautSpelling({}, false).ConvertsNothing());
  EXPECT_FALSE(UmlautSpelling({{"AE", 0}, {"OE", 0}}, false).ConvertsNothing());
  EXPECT_TRUE(UmlautSpelling({{"AE", 0}, {"oe", 0}, {"UE", 0}}, false).ConvertsNothing());
  EXPECT_FALSE(UmlautSpelling({{"AE", 0}, {"OE", 0}, {"UEX", 0}}, false).ConvertsNothing());

  for (const char* text : {"Kaese", "BLUE", "zOE", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxue"})
    EXPECT_TRUE(UmlautSpelling::HasSpelledPair(text)) << text;
  for (const char* text :
       {"", "e", "Kase", "Ei", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxu", "ea ie"})
    EXPECT_FALSE(UmlautSpelling::HasSpelledPair(text)) << text;
}

}  // namespace
}  // namespace tav
