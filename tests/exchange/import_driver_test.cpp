#include <gtest/gtest.h>

#include <random>

#include "exchange/import_source.h"
#include "import_test_support.h"
#include "platform/paths.h"

namespace tav {
namespace {

using test::Ansi;

// A Meal-Master recipe with one ingredient, CR LF line ends.
std::string MealMaster(const std::string& title) {
  return "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n      Title: " + title +
         "\r\n Categories: Salate\r\n      Yield: 2\r\n\r\n      1    "
         "Ei\r\n\r\nKochen.\r\n\r\nMMMMM\r\n";
}

std::vector<std::string> Titles(const std::vector<REZBLOCK>& recipes) {
  std::vector<std::string> out;
  for (const REZBLOCK& r : recipes) out.push_back(r.title);
  return out;
}

class Import : public ::testing::Test {
 protected:
  std::string WriteSource(const std::string& name, const std::string& bytes) {
    const std::string path = env.env.Root() + "Import/" + name;
    test::WriteAll(path, bytes);
    return path;
  }
  int ImportFiles(const std::vector<std::string>& files) {
    env.importer.clipboardSource = false;
    env.importer.files = files;
    return env.importer.StartImport();
  }
  test::ImportEnv env;
};

TEST_F(Import, AThirdRecipeGoesToTheFollowOnBook) {
  ctx().options->SetParaInt(74, 2);
  EXPECT_EQ(env.ImportClipboard(MealMaster("Eins") + MealMaster("Zwei") + MealMaster("Drei")), 3);
  EXPECT_EQ(Titles(env.Recipes("Ziel")), (std::vector<std::string>{"Eins", "Zwei"}));
  EXPECT_EQ(Titles(env.Recipes("Ziel-2")), (std::vector<std::string>{"Drei"}));
  EXPECT_NE(env.books.FindKBookId("Ziel-2"), -1);
  // A further import goes straight on in the follow-on book, then in the next.
  EXPECT_EQ(env.ImportClipboard(MealMaster("Vier") + MealMaster("Fuenf")), 2);
  EXPECT_EQ(Titles(env.Recipes("Ziel-2")), (std::vector<std::string>{"Drei", "Vier"}));
  EXPECT_EQ(Titles(env.Recipes("Ziel-3")), (std::vector<std::string>{Ansi("Fünf")}));
}

TEST_F(Import, TheFollowOnBookCarriesOnFromFileToFileInOneRun) {
  ctx().options->SetParaInt(74, 2);
  const std::string one = WriteSource("eins.mm", MealMaster("Eins") + MealMaster("Zwei"));
  const std::string two = WriteSource("zwei.mm", MealMaster("Drei"));
  const std::string three = WriteSource("drei.mm", MealMaster("Vier") + MealMaster("Fuenf"));
  EXPECT_EQ(ImportFiles({one, two, three}), 5);
  EXPECT_EQ(Titles(env.Recipes("Ziel")), (std::vector<std::string>{"Eins", "Zwei"}));
  EXPECT_EQ(Titles(env.Recipes("Ziel-2")), (std::vector<std::string>{"Drei", "Vier"}));
  EXPECT_EQ(Titles(env.Recipes("Ziel-3")), (std::vector<std::string>{Ansi("Fünf")}));
  // A recipe deleted between runs counts: the next run counts the book again.
  ctx().options->SetParaInt(74, 3);
  EXPECT_EQ(ImportFiles({two}), 1);
  EXPECT_EQ(Titles(env.Recipes("Ziel")), (std::vector<std::string>{"Eins", "Zwei", "Drei"}));
}

TEST_F(Import, CookMLChecksTheFollowOnBookForEveryRecipe) {
  ctx().options->SetParaInt(74, 2);
  const std::string path = WriteSource(
      "drei.cml",
      "<?xml version=\"1.0\"?>\n<cookml><recipe><head title=\"A\"/></recipe>"
      "<recipe><head title=\"B\"/></recipe><recipe><head title=\"C\"/></recipe></cookml>");
  EXPECT_EQ(ImportFiles({path}), 3);
  EXPECT_EQ(Titles(env.Recipes("Ziel")), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(Titles(env.Recipes("Ziel-2")), (std::vector<std::string>{"C"}));
}

TEST_F(Import, MixedFormatsInOneSourceGiveOneSummaryLineEach) {
  const std::string text =
      MealMaster("Meal") +
      "========== REZKONV-Rezept - RezkonvSuite v1.4\r\n      Titel: Konv\r\n"
      " Kategorien: Salate\r\n      Menge: 2 Portionen\r\n\r\n      1 "
      "Ei\r\n\r\nKochen.\r\n=====\r\n" +
      "ZZZZZ Mahlzeit ZZZZZ\r\nTitel:        Zeit\r\nZUBEREITUNG --\r\nKochen.\r\nZZZZZ\r\n" +
      MealMaster("Meal2");
  EXPECT_EQ(env.ImportClipboard(text), 4);
  EXPECT_EQ(Titles(env.Recipes("Ziel")),
            (std::vector<std::string>{"Meal", "Konv", "Zeit", "Meal2"}));
  EXPECT_EQ(env.importer.Log(),
            (std::vector<std::string>{"Lese Rezepte aus der Zwischenablage ...",
                                      "-> 2 Meal-Master-Rezepte importiert",
                                      "-> 1 Mahlzeit-Rezepte importiert",
                                      "-> 1 RezKonv-Rezepte importiert", "", "Import beendet."}));
}

TEST_F(Import, ClipboardWithLfLineEndsAndNoFinalLineBreak) {
  std::string text = MealMaster("Letzte Zeile");
  std::string lf;
  for (char c : text)
    if (c != '\r') lf += c;
  lf.pop_back();  // "MMMMM" is the last line, with no line break after it
  EXPECT_EQ(env.ImportClipboard(lf), 1);
  const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
  ASSERT_EQ(recipes.size(), 1u);
  EXPECT_EQ(recipes[0].title, "Letzte Zeile");
  EXPECT_EQ(recipes[0].text, "Kochen.");
}

TEST_F(Import, ClipboardWithoutTextImportsNothing) {
  EXPECT_EQ(env.ImportClipboard(""), 0);
  EXPECT_EQ(env.importer.Log(), std::vector<std::string>{"Import beendet."});
}

TEST_F(Import, MalformedFilesGiveAClearMessageAndLeaveTheBookReadable) {
  env.ImportClipboard(MealMaster("Vorher"));
  std::mt19937 random(7);
  std::string binary;
  for (int i = 0; i < 200000; ++i) binary += static_cast<char>(random());
  const std::string endless =
      MealMaster("Davor") + "MMMMM----- Recipe via Meal-Master\r\n" + std::string(5'000'000, 'x');
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> messages;  // UTF-8
    int imported;
  } cases[] = {
      {"binaer.mm", binary, {"Es wurden keine Rezepte gefunden."}, 0},
      {"endlos.mm",
       endless,
       {"! Unvollständiges Rezept nicht importiert: ''",
        "! Zeilen mit mehr als 32768 Zeichen wurden gekürzt, zuerst Zeile 12",
        "-> 1 Meal-Master-Rezepte importiert"},
       1},
  };
  int stored = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ImportFiles({WriteSource(c.name, c.bytes)}), c.imported);
    for (const std::string& m : c.messages)
      EXPECT_NE(env.LogText().find(Ansi(m)), std::string::npos) << env.LogText();
    stored += c.imported;
    const std::vector<REZBLOCK> recipes = env.Recipes("Ziel");
    EXPECT_EQ(recipes.size(), static_cast<size_t>(stored));
    EXPECT_EQ(recipes.at(0).title, "Vorher");
    EXPECT_TRUE(env.store.ReloadBookIndex());
    EXPECT_EQ(env.store.BookIndex().size(), static_cast<size_t>(stored));
  }
  EXPECT_TRUE(env.env.messages.shown.empty());
}

TEST_F(Import, AFailedStoreStopsTheSourceAndIsNotCounted) {
  env.importer.targetBook = "Fehlt";  // no such book
  EXPECT_EQ(env.ImportClipboard(MealMaster("Eins") + MealMaster("Zwei")), 0);
  ASSERT_EQ(env.env.messages.shown.size(), 1u);  // the store's message, once
  EXPECT_FALSE(FileExists(env.Data() + "Fehlt.bok"));
  // The log names the failure and its reason, never "no recipes found".
  EXPECT_EQ(env.LogText().find("Es wurden keine Rezepte gefunden."), std::string::npos);
  EXPECT_NE(env.LogText().find(Ansi("! Die Rezepte konnten nicht gespeichert werden: Der Index "
                                    "des Ziel-Kochbuchs ist nicht verwendbar")),
            std::string::npos)
      << env.LogText();

  // A store that fails on the second recipe keeps the first.
  env.importer.targetBook = "Ziel";
  int calls = 0;
  env.importer.saveOverride = [&](const std::string& book, REZBLOCK& r, REZINDEX& e) {
    return ++calls == 1 && env.importer.SaveInStore(book, r, e);
  };
  EXPECT_EQ(env.ImportClipboard(MealMaster("Eins") + MealMaster("Zwei") + MealMaster("Drei")), 1);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(Titles(env.Recipes("Ziel")), std::vector<std::string>{"Eins"});
  EXPECT_NE(env.LogText().find("-> 1 Meal-Master-Rezepte importiert\n! Die Rezepte konnten nicht "
                               "gespeichert werden\n"),
            std::string::npos)
      << env.LogText();
}

TEST_F(Import, RecipesOfABatchThatCannotBeWrittenAreNotCounted) {
  // Recipes of about 3 KB: a batch holds about eighty, the disk takes one batch more.
  const std::string longText(3000, 'k');
  std::string text;
  for (int i = 0; i < 300; ++i) {
    std::string one = MealMaster("R" + std::to_string(i));
    one.replace(one.find("Kochen."), 7, longText);
    text += one;
  }
  const size_t bok = test::ReadAll(env.Data() + "Ziel.bok").size();
  int count = 0;
  {
    test::FileSizeLimit limit(bok + 400000);
    count = env.ImportClipboard(text);
  }
  EXPECT_GT(count, 0);
  EXPECT_LT(count, 300);
  EXPECT_EQ(env.Recipes("Ziel").size(), static_cast<size_t>(count));
  EXPECT_NE(env.LogText().find("-> " + std::to_string(count) +
                               " Meal-Master-Rezepte importiert\n! Die Rezepte konnten nicht "
                               "gespeichert werden: "),
            std::string::npos)
      << env.LogText();
  EXPECT_EQ(env.env.messages.shown.at(0).text, GetLangText(49));
}

TEST_F(Import, AClickAtAProgressPointStopsTheRun) {
  std::string text;
  for (int i = 0; i < 6; ++i) text += MealMaster("R" + std::to_string(i));
  env.importer.onProcess = [&] { EXPECT_EQ(env.importer.StartImport(), -1); };
  EXPECT_EQ(env.ImportClipboard(text), 1);
  EXPECT_FALSE(env.importer.IsRunning());
  const std::vector<std::string>& log = env.importer.Log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "Import beendet.");
  EXPECT_EQ(log.back(), "Der Import wurde abgebrochen.");
}

TEST_F(Import, EveryChosenFileIsReadAndTheCountsAddUp) {
  const std::string a = WriteSource("a.mm", MealMaster("A1") + MealMaster("A2"));
  const std::string b = WriteSource("b.cml",
                                    "<?xml version=\"1.0\"?><cookml><recipe><head title=\"B\"/>"
                                    "</recipe></cookml>");
  const std::string missing = env.env.Root() + "Import/fehlt.mm";
  EXPECT_EQ(ImportFiles({a, missing, b}), 3);
  EXPECT_EQ(Titles(env.Recipes("Ziel")), (std::vector<std::string>{"A1", "A2", "B"}));
  // The store's index in memory follows, so the list shows the new recipes.
  EXPECT_EQ(env.store.BookIndex().size(), 3u);
  env.importer.cancelChoice = true;
  EXPECT_EQ(ImportFiles({a}), -1);
  EXPECT_FALSE(env.importer.IsRunning());
}

TEST_F(Import, ImportFileIntoBookTakesTheFirstBookWhenTheNameIsUnknown) {
  KBOOK other;
  other.name = "Andere";
  ASSERT_TRUE(env.books.CreateKBook(other));
  const std::string path = WriteSource("auto.mm", MealMaster("Auto"));
  EXPECT_EQ(env.importer.ImportFileIntoBook(path, "Ziel"), 1);
  EXPECT_EQ(env.importer.ImportFileIntoBook(path, "Unbekannt"), 1);
  EXPECT_EQ(env.Recipes("Andere").size(), 1u);  // "Andere" is listed first
  EXPECT_EQ(env.Recipes("Ziel").size(), 1u);
}

TEST_F(Import, WhatTheWindowShows) {
  KBOOK other;
  other.name = "Andere";
  ASSERT_TRUE(env.books.CreateKBook(other));
  int selected = -1;
  EXPECT_EQ(RecipeImporter::TargetBookNames("Ziel", selected),
            (std::vector<std::string>{"Andere", "Ziel"}));
  EXPECT_EQ(selected, 1);
  RecipeImporter::TargetBookNames("ziel", selected);  // case counts
  EXPECT_EQ(selected, 0);

  env.env.clipboard.text = "";
  EXPECT_EQ(RecipeImporter::ProbeClipboard(), -1);
  env.env.clipboard.text = "Rezept\r\n=====\r\n";
  EXPECT_EQ(RecipeImporter::ProbeClipboard(), 1);
  env.env.clipboard.text = "Einkaufsliste";
  EXPECT_EQ(RecipeImporter::ProbeClipboard(), 0);

  EXPECT_EQ(RecipeImporter::QuickImportNotice(0), "Es wurde kein Rezept importiert.");
  EXPECT_EQ(RecipeImporter::QuickImportNotice(1), "Es wurde 1 Rezept importiert.");
  EXPECT_EQ(RecipeImporter::QuickImportNotice(3), "Es wurden 3 Rezepte importiert.");
}

TEST(ImportSource, LineEndsControlBytesAndLongLines) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r\r\nc\n\n", {"a", "b", "c", ""}},
      {"\r\n", {""}},
      {"", {}},
      {"x\ty\tz\r\n", {"x       y       z"}},
      {std::string("a\0b\x1A", 4), {"a b "}},
  };
  for (const Case& c : cases) {
    ImportSource source;
    source.OpenText(c.bytes);
    std::vector<std::string> lines;
    std::string line;
    while (source.ReadLine(line)) lines.push_back(line);
    EXPECT_EQ(lines, c.lines) << c.bytes;
    EXPECT_EQ(source.FirstCutLine(), 0);
  }

  test::TempDir dir;
  const std::string path = dir.Path() + "lang.txt";
  // CR LF split across the read buffer; a line longer than the limit.
  std::string bytes(262143, 'a');
  bytes += "\r\nb\r\n" + std::string(ImportSource::kMaxImportLine + 5, 'c') + "\r\nd";
  test::WriteAll(path, bytes);
  ImportSource source;
  ASSERT_TRUE(source.OpenFile(path));
  std::string line;
  ASSERT_TRUE(source.ReadLine(line));
  EXPECT_EQ(line.size(), ImportSource::kMaxImportLine);  // cut as well
  ASSERT_TRUE(source.ReadLine(line));
  EXPECT_EQ(line, "b");
  source.UnreadLine(line);
  ASSERT_TRUE(source.ReadLine(line));
  EXPECT_EQ(line, "b");
  ASSERT_TRUE(source.ReadLine(line));
  EXPECT_EQ(line, std::string(ImportSource::kMaxImportLine, 'c'));
  ASSERT_TRUE(source.ReadLine(line));
  EXPECT_EQ(line, "d");
  EXPECT_FALSE(source.ReadLine(line));
  EXPECT_EQ(source.FirstCutLine(), 1);
  EXPECT_EQ(source.LineNumber(), 4);
  EXPECT_FALSE(ImportSource().OpenFile(dir.Path() + "fehlt.txt"));
}

// Lines looked at ahead come later from ReadLine in their order, decoded as if read then; a line
// handed back comes before them.
TEST(ImportSourceTest, LinesReadAheadComeBackInOrder) {
  ImportSource source;
  source.OpenText("eins\r\nK\x84se\r\ndrei\r\nvier");
  std::string line;
  ASSERT_TRUE(source.ReadLine(line));
  EXPECT_EQ(line, "eins");
  ASSERT_NE(source.Peek(2), nullptr);
  EXPECT_EQ(*source.Peek(2), "vier");
  EXPECT_EQ(*source.Peek(0), "K\xE4se");  // the DOS letter of the line, as ReadLine gives it
  EXPECT_EQ(source.Peek(3), nullptr);     // past the end
  source.UnreadLine("eins");
  std::vector<std::string> lines;
  while (source.ReadLine(line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"eins", "K\xE4se", "drei", "vier"}));
  EXPECT_EQ(source.Peek(0), nullptr);
  EXPECT_EQ(source.LineNumber(), 4);
}

}  // namespace
}  // namespace tav
