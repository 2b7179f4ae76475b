// Every file the program reads, fed damaged: empty, cut short at several places, random bytes,
// one line of a megabyte, runs of 0x00 and 0xFF, CR-only and LF-only line ends, UTF-8 where
// Windows-1252 is kept. Each read ends without a crash (the sanitizer builds check the memory),
// gives what the sound part holds, and leaves the file on disk as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "diary/diary_module.h"
#include "diary/intake_tables.h"
#include "exchange/cookml_reader.h"
#include "exchange/xml_parser.h"
#include "kitchen/freezer/food_types.h"
#include "kitchen/freezer/freezer_records.h"
#include "kitchen/lexicon/lexicon_files.h"
#include "kitchen/menus/menu_courses.h"
#include "kitchen/shopping/dealers.h"
#include "kitchen/shopping/shopping_list.h"
#include "kitchen/weekplan/week_plan.h"
#include "nutrients/nutrient_table.h"
#include "pictures/jpeg_bitmap.h"
#include "pictures/jpeg_decompressor.h"
#include "pictures/jpeg_stream.h"
#include "pictures/jpeg_dib.h"
#include "pictures/picture_size.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/category_table.h"
#include "recipedb/book_test_util.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/recipe_model.h"
#include "recipedb/recipe_store.h"
#include "recipedb/unit_table.h"
#include "recipes/key_figure_choice.h"
#include "recipes/portion_units.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/lang_table.h"
#include "services/options_store.h"
#include "services/text_tools.h"
#include "services/tips_file.h"
#include "services/tools_module.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

std::string Shipped(const std::string& name) {
  return ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + name);
}

// --- the damaged copies of a sound file ------------------------------------------------

struct Variant {
  std::string name;
  std::string bytes;
  enum Kind { kOther, kCut, kLongLine, kLfOnly, kCrOnly } kind = kOther;
};

std::string Random(size_t size, unsigned seed) {
  std::mt19937 gen(seed);
  std::string out(size, '\0');
  for (char& c : out) c = static_cast<char>(gen() & 0xFF);
  return out;
}

std::string ReplaceLineEnds(const std::string& text, const std::string& end) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (text[i] == '\r' || text[i] == '\n')
      out += end;
    else
      out += text[i];
  }
  return out;
}

// Windows-1252 bytes above 0x7F written as UTF-8 (as Latin-1 for simplicity: what matters is
// that two-byte sequences stand where one byte is expected).
std::string AsUtf8(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string AsUtf16(const std::string& text) {
  std::string out = "\xFF\xFE";
  for (char c : text) out += std::string{c, '\0'};
  return out;
}

std::vector<Variant> DamagedCopies(const std::string& sound) {
  std::vector<Variant> v;
  v.push_back({"empty", ""});
  for (size_t cut : {size_t{1}, sound.size() / 3, sound.size() / 2, sound.size() * 2 / 3,
                     sound.size() - 1})
    if (cut < sound.size())
      v.push_back({"cut at " + std::to_string(cut), sound.substr(0, cut), Variant::kCut});
  v.push_back({"random bytes", Random(8192, 20261211)});
  v.push_back({"random bytes after the first line",
               sound.substr(0, sound.find('\n') + 1) + Random(8192, 7)});
  const std::string huge(1 << 20, 'x');
  const bool endsLine = !sound.empty() && sound.back() == '\n';
  v.push_back({"a line of a megabyte at the end", sound + (endsLine ? "" : "\r\n") + huge + "\r\n",
               Variant::kLongLine});
  v.push_back({"a megabyte without a line end", huge + Random(64, 3)});
  v.push_back({"0x00 run", std::string(4096, '\0')});
  v.push_back({"0xFF run", std::string(4096, '\xFF')});
  v.push_back({"0x00 run in the middle", sound.substr(0, sound.size() / 2) +
                                             std::string(4096, '\0') +
                                             sound.substr(sound.size() / 2)});
  v.push_back({"CR only", ReplaceLineEnds(sound, "\r"), Variant::kCrOnly});
  v.push_back({"LF only", ReplaceLineEnds(sound, "\n"), Variant::kLfOnly});
  v.push_back({"UTF-8", AsUtf8(sound)});
  v.push_back({"UTF-16", AsUtf16(sound)});
  return v;
}

// --- the readers ------------------------------------------------------------------------

struct Reader {
  const char* name;
  std::string file;  // below the data folder
  std::function<std::string()> sound;
  // Reads the file as the program does and uses what it read; the number of items read.
  std::function<int(test::TestEnv&)> read;
  bool lineEndsFree = true;  // a text file read the same with LF alone or CR alone
  // The reader writes a file it could not use anew, but only after keeping it as
  // "<file>.damaged" (an empty file needs no copy).
  bool repairs = false;
  // The reader may cut an unfinished tail off the file: what stays is where the file began.
  bool cutsTail = false;
};

int Lines(const std::vector<std::string>& v) {
  return static_cast<int>(v.size());
}

const std::string kMonth =
    "# TAVOLIN V02.01 05/2024\r\n#\r\n03#C0001\r\n|;1\r\n"
    "#BC#0#0#96.000000#Gramm#100.000000#100.000000#Spinat\r\nG101000;Spinat;;91,4;23;96\r\n"
    "12#C0001\r\n|;1\r\n#BC#0#0#50.000000#Gramm#100.000000#100.000000#Feldsalat\r\n"
    "G102000;Feldsalat;;93,0;21;88\r\n";
const std::string kUsers =
    "#\r\n>NAnna\r\n>G05031970\r\n>W70\r\n>H170\r\n>SF\r\n>TN\r\n#\r\n"
    ">NBert\r\n>G01011960\r\n>W80\r\n>H180\r\n>SM\r\n>TN\r\n#\r\n";
const std::string kWeight =
    "05012024:073081,5#92#Nach dem Laufen#30#40#50#60\r\n"
    "07012024:080080,9##Fr\xFChst\xFC" "ck danach\r\n"
    "09012024:071580,2#91#\r\n";

std::unique_ptr<TENApplogMod> Diary(test::TestEnv& env) {
  WriteAll(env.DataFolder() + "Users.dat", kUsers);
  ctx().options->SetParaString(61, "Anna");
  return std::make_unique<TENApplogMod>();
}

// The book "Book" of the sound fixture opened as the main window opens a book, and every live
// recipe of its index read; the number of recipes read. A damaged index is said (message 36)
// and, without a Yes, left as it is.
int BookRead(test::TestEnv& env) {
  for (const char* ext : {".bok", ".idx", ".inf"}) {
    const std::string path = env.DataFolder() + "Book" + ext;
    if (!FileExists(path)) WriteAll(path, ReadAll(test::Fixture(std::string("sound_book") + ext)));
  }
  CookbookList books;
  TdbList store;
  test::FakeRecipeList list;
  ctx().books = &books;
  ctx().dbList = &store;
  ctx().recipeList = &list;
  ctx().options->SetParaString(6, "Book");
  books.ScanKBooks();
  books.SelectKBook("Book");
  store.ReloadBookIndex();
  int read = 0;
  for (size_t i = 0; i < store.BookIndex().size(); ++i) {
    if (store.BookIndex()[i].deleted != 0) continue;
    REZBLOCK r;
    read += store.ReadRezBlock("", nullptr, static_cast<int>(i), r);
  }
  ctx().books = nullptr;
  ctx().dbList = nullptr;
  ctx().recipeList = nullptr;
  return read;
}

// A picture decoded as the picture loader does (1), or refused with an error (0); its size
// read from the header alone must agree with a decoded picture.
int PictureRead(const std::string& path, bool jpeg) {
  int width = 0, height = 0;
  const bool sized = ReadPictureSize(path, width, height);
  std::unique_ptr<TBitmap> picture = jpeg ? NewJPEGBitmap() : std::make_unique<TBitmap>();
  try {
    picture->LoadFromFile(path);
  } catch (const std::exception&) {
    return 0;
  }
  if (picture->Empty()) return 0;
  if (sized) {
    EXPECT_EQ(width, picture->Width());
    EXPECT_EQ(height, std::abs(picture->Height()));
  }
  return 1;
}

std::vector<Reader> Readers() {
  return {
      {"einheit.dat", "DE/einheit.dat", [] { return Shipped("DE/einheit.dat"); },
       [](test::TestEnv&) {
         UnitTable units;
         units.ReadEinheiten();
         units.SortEinheiten();
         std::string code;
         units.ResolveUnitCode("EL", code);
         return static_cast<int>(units.units.size());
       }},
      {"zutaten.dat", "DE/zutaten.dat", [] { return Shipped("DE/zutaten.dat"); },
       [](test::TestEnv&) {
         IngredientCatalogue catalogue;
         catalogue.ReadZutaten();
         REZZUTATEN z;
         catalogue.FindZutatForText("Kartoffeln", z);
         return static_cast<int>(catalogue.zutaten.size());
       }},
      {"Gattung.dat", "DE/Gattung.dat", [] { return Shipped("DE/Gattung.dat"); },
       [](test::TestEnv&) {
         CategoryTable table;
         table.ReadGattungen();
         uint16_t codes[10];
         table.GetGattIds("Suppe", codes);
         return static_cast<int>(table.gatt.size());
       }},
      {"umlconvs.dat", "DE/umlconvs.dat", [] { return Shipped("DE/umlconvs.dat"); },
       [](test::TestEnv& env) {
         std::vector<UMLCONV> list;
         ReadUmlautExceptions(env.DataFolder() + "DE/umlconvs.dat", list);
         std::string t = "Mauerbluemchen Aepfel";
         DosToAnsiUmlauts(t, list, false);
         return static_cast<int>(list.size());
       }},
      {"NormTitle.dat", "DE/NormTitle.dat", [] { return Shipped("DE/NormTitle.dat"); },
       [](test::TestEnv& env) {
         std::vector<std::string> words;
         ReadTitleWords(env.DataFolder() + "DE/NormTitle.dat", words);
         std::string t = "DER GROSSE KUCHEN MIT DEN BEEREN";
         NormalizeTitle(t, 3, words);
         return Lines(words);
       }},
      {"RkKonvert.dat", "RkKonvert.dat", [] { return Shipped("RkKonvert.dat"); },
       [](test::TestEnv&) {
         TToolsMod tools;
         ctx().tools = &tools;
         std::string unit = "EL";
         ConvertUnitName(unit, 2.0, false);
         const int n = static_cast<int>(tools.unitNameForms.size());
         ctx().tools = nullptr;
         return n;
       }},
      {"GUI.klf", "DE/GUI.klf", [] { return Shipped("DE/GUI.klf"); },
       [](test::TestEnv& env) {
         LangTable table;
         table.Load(env.DataFolder() + "DE/GUI.klf");
         for (int n = 0; n < 1100; n += 7) table.GetLangText(n);
         return static_cast<int>(table.MessageCount());
       },
       false},  // message n is line n: a CR-only file is one line
      {"Fields.bls", "DE/Fields.bls", [] { return Shipped("DE/Fields.bls"); },
       [](test::TestEnv& env) {
         NutrientTable table;
         table.ReadFieldsFile(env.DataFolder() + "DE/Fields.bls");
         return table.GetStoffCount();
       }},
      {"StoffCalc.dat", "StoffCalc.dat", [] { return Shipped("StoffCalc.dat"); },
       [](test::TestEnv&) {
         IntakeTables tables;
         tables.ReadStoffCalc();
         ENPERSON p;
         for (const ZUFUHR& t : tables.tables) tables.StandardRequirementFor(t.code, p, 30);
         return static_cast<int>(tables.tables.size());
       }},
      {"Users.dat", "Users.dat", [] { return kUsers; },
       [](test::TestEnv&) {
         auto d = std::make_unique<TENApplogMod>();
         return static_cast<int>(d->persons.size());
       }},
      {"month file", "Konten/Anna/m052024.dat", [] { return kMonth; },
       [](test::TestEnv& env) {
         auto d = Diary(env);
         d->LoadMonth(4, 2024);  // months count from 0
         int days = 0;
         for (int day = 1; day <= 31; ++day) days += d->GetDay(day, 4, 2024) != nullptr;
         return days;
       }},
      {"Weight.dat", "Konten/Anna/Weight.dat", [] { return kWeight; },
       [](test::TestEnv& env) {
         auto d = Diary(env);
         d->ReadWeightList();
         return static_cast<int>(d->weights.size());
       }},
      {"Kauflist.dat", "Kauflist.dat",
       [] {
         return std::string(
             "65533#12#4#Gr\xFCner Salat\r\n65533#7#-1#Linsensuppe\r\n1#3#2#Apfelkuchen\r\n");
       },
       [](test::TestEnv&) {
         ShoppingList list;
         list.LoadKaufList();
         return list.Count();
       }},
      {"Haendler.dat", "Haendler.dat", [] { return Shipped("DE/Haendler.dat"); },
       [](test::TestEnv&) {
         DealerTable table;
         table.ReadHaendler();
         std::string dealer;
         int position = 0;
         table.GetHaendlerOfZutat("Mehl", dealer, position);
         return static_cast<int>(table.dealers.size());
       }},
      {"WPlan.ini", "WPlan.ini",
       [] {
         return std::string(
             "[03.06.2024]\r\nBook0=65533\r\nRID0=12\r\nPos0=0\r\nServAnz0=4\r\n"
             "Titel0=Gr\xFCner Salat\r\nServArt0=Portionen\r\nBem0=\r\nType0=R\r\n"
             "Book1=0\r\nRID1=0\r\nPos1=1\r\nServAnz1=0\r\nTitel1=Einkaufen\r\nType1=B\r\n"
             "\r\n[05.06.2024]\r\nBook0=65533\r\nRID0=7\r\nPos0=0\r\nServAnz0=2\r\n"
             "Titel0=Linsensuppe\r\nServArt0=Teller\r\nType0=R\r\n");
       },
       [](test::TestEnv&) {
         WeekPlan plan;
         plan.weekStart = DayNumber(2024, 6, 3);
         plan.LoadWeekPlan();
         plan.DrawWeekGrid();
         int count = 0;
         plan.WeekPlanText(count);
         return static_cast<int>(plan.entries.size());
       }},
      {"Lexika.ldt", "DE/Lexika.ldt", [] { return Shipped("DE/Lexika.ldt"); },
       [](test::TestEnv& env) {
         LexiconFiles files(env.DataFolder() + "DE/");
         std::vector<LEXINDEX> index;
         files.LoadLexiconIndex(index);
         for (const LEXINDEX& e : index) {
           files.ReadLexiconText(e);
           files.ReadLexiconKeywords(e);
         }
         return static_cast<int>(index.size());
       }},
      {"Lexika.lbk", "DE/Lexika.lbk", [] { return Shipped("DE/Lexika.lbk"); },
       [](test::TestEnv& env) {
         LexiconFiles files(env.DataFolder() + "DE/");
         std::vector<LEXBOOKS> chapters;
         files.LoadLexiconChapters(chapters);
         return static_cast<int>(chapters.size());
       },
       true, true},  // without a usable line the default chapters are written
      {"user.ini", "user.ini",
       [] {
         test::TempDir dir;
         {
           IniSettingsStore store(dir.Path() + "user.ini", false);
           store.WriteString(kRegParam, "KBook", "Omas Backbuch");
           store.WriteString(kRegParam, "StartTip", "4");
           store.WriteString(kRegParam, "AktLanguage", "DE");
           store.WriteString(std::string(kRegParam) + "\\Fenster", "WinY", "120");
         }
         return ReadAll(dir.Path() + "user.ini");
       },
       [](test::TestEnv& env) {
         IniSettingsStore store(env.DataFolder() + "user.ini", false);
         return static_cast<int>(store.ValueNames(kRegParam).size());
       },
       true, true},  // a damaged file is kept and written anew at once
      {"MenuTypes.dat", "DE/MenuTypes.dat", [] { return Shipped("DE/MenuTypes.dat"); },
       [](test::TestEnv& env) {
         return static_cast<int>(ReadMenuTypes(env.DataFolder() + "DE/MenuTypes.dat").size());
       }},
      {"CoolBoxes.dat", "DE/CoolBoxes.dat",
       [] { return ReadAll(test::Fixture("coolboxes_two_freezers_cp1252.dat")); },
       [](test::TestEnv& env) {
         FreezerInventory inventory;
         inventory.folder = env.DataFolder() + "DE/";
         inventory.LoadFreezers();
         int foods = 0;
         for (const CO_SCHRANK& s : inventory.freezers)
           for (const CO_FACH& f : s.faecher) foods += static_cast<int>(f.foods.size());
         return foods;
       }},
      {"CoolTypes.dat", "DE/CoolTypes.dat", [] { return Shipped("DE/CoolTypes.dat"); },
       [](test::TestEnv& env) {
         FreezerInventory inventory;
         inventory.folder = env.DataFolder() + "DE/";
         inventory.LoadFoodTypes();
         FoodTypeParents(inventory.types);
         if (!inventory.types.empty()) {
           // A child of the last group: its level is its parent's plus one.
           for (int pos = static_cast<int>(inventory.types.size()) - 1; pos >= 0; --pos)
             if (inventory.types[pos].group) {
               InsertChildGroup(inventory.types, pos, "Neu");
               break;
             }
         }
         return static_cast<int>(inventory.types.size());
       }},
      {"Kenndaten.dat", "DE/Kenndaten.dat", [] { return Shipped("DE/Kenndaten.dat"); },
       [](test::TestEnv&) {
         KeyFigureChoice choice;
         choice.ReadKenndaten();
         return choice.CountKeyFigures();
       }},
      {"Portions.dat", "DE/Portions.dat", [] { return Shipped("DE/Portions.dat"); },
       [](test::TestEnv&) {
         PortionUnits units;
         units.LoadPortionUnits();
         for (const std::string& n : units.names) {
           EXPECT_LE(n.size(), 998u);
         }
         return static_cast<int>(units.names.size());
       }},
      {"Assist.dat", "DE/Assist.dat", [] { return Shipped("DE/Assist.dat"); },
       [](test::TestEnv& env) {
         const std::string path = env.DataFolder() + "DE/Assist.dat";
         int count = 0, read = 0;
         std::string text;
         if (ReadTipCount(path, count))
           for (int tip = 0; tip < std::min(count, 200); ++tip)
             read += ReadTipText(path, tip, count, text);
         return read;
       },
       false},  // tip n is line n + 2
      {"CookML file", "input.cml",
       [] { return ReadAll(test::Fixture("cookml_two_recipes.cml")); },
       [](test::TestEnv& env) {
         struct Run {
           TXMLParser parser;
           std::string pictures;
           int recipes = 0;
         } run;
         run.pictures = env.Root() + "Pics/";
         auto onElement = [](void* user, int kind, std::string, TXMLNode* node) {
           auto* r = static_cast<Run*>(user);
           if (kind == kXmlElement) {
             REZBLOCK recipe;
             std::vector<std::string> written;
             ReadCookMLRecipe(*node, recipe, r->pictures, false, written);
             ++r->recipes;
           } else if (kind == kXmlEnd) {
             delete r->parser.GetRootNode();
           }
           return 1;
         };
         run.parser.SetXMLFile(env.DataFolder() + "input.cml", onElement, &run);
         run.parser.AddWatchName("recipe");
         run.parser.ParseXMLFile();
         return run.recipes;
       }},
      {"book index", "Book.idx", [] { return ReadAll(test::Fixture("sound_book.idx")); }, BookRead,
       false},
      {"record file", "Book.bok", [] { return ReadAll(test::Fixture("sound_book.bok")); }, BookRead,
       false, false, true},  // opening a book cuts a half-written record off its end
      {"JPEG picture", "Pics/bild.jpg",
       [] { return ReadAll(test::Fixture("jpeg_red_green_blue.jpg")); },
       [](test::TestEnv& env) { return PictureRead(env.DataFolder() + "Pics/bild.jpg", true); },
       false},
      {"bitmap picture", "Pics/bild.bmp", [] { return Shipped("hintergrund.bmp"); },
       [](test::TestEnv& env) { return PictureRead(env.DataFolder() + "Pics/bild.bmp", false); },
       false},
  };
}

TEST(DamagedFiles, EveryReaderSurvivesAndLeavesTheFileAsItWas) {
  for (const Reader& reader : Readers()) {
    SCOPED_TRACE(reader.name);
    const std::string sound = reader.sound();
    ASSERT_FALSE(sound.empty());
    int soundCount = 0;
    {
      test::TestEnv env;
      env.LoadLanguage("DE");
      env.Options();
      const std::string path = env.DataFolder() + reader.file;
      MakeDirs(path.substr(0, path.rfind('/')));
      WriteAll(path, sound);
      soundCount = reader.read(env);
      ASSERT_GT(soundCount, 0) << "the sound file reads nothing";
      EXPECT_EQ(ReadAll(path), sound);
    }
    for (const Variant& v : DamagedCopies(sound)) {
      SCOPED_TRACE(v.name);
      test::TestEnv env;
      env.LoadLanguage("DE");
      env.Options();
      const std::string path = env.DataFolder() + reader.file;
      MakeDirs(path.substr(0, path.rfind('/')));
      WriteAll(path, v.bytes);
      const int count = reader.read(env);
      EXPECT_GE(count, 0);
      const std::string after = ReadAll(path);
      if (reader.cutsTail && after.size() < v.bytes.size() &&
          v.bytes.compare(0, after.size(), after) == 0) {
        // the recovery of a save cut short
      } else if (after != v.bytes) {
        EXPECT_TRUE(reader.repairs) << "reading changed the file";
        if (!v.bytes.empty()) {
          EXPECT_EQ(ReadAll(path + ".damaged"), v.bytes) << "a damaged file was not kept";
        }
      }
      if (v.kind == Variant::kCut) {
        EXPECT_LE(count, soundCount);
      } else if (v.kind == Variant::kLongLine) {
        EXPECT_GE(count, soundCount);
      } else if ((v.kind == Variant::kLfOnly || v.kind == Variant::kCrOnly) &&
                 reader.lineEndsFree) {
        EXPECT_EQ(count, soundCount);
      }
    }
  }
}

// A hand-edited level of many digits in CoolTypes.dat stops at nine digits, so neither the
// reading nor a child group's level (its parent's plus one) overflows.
TEST(DamagedFiles, OverlongLevelsOfTheUsualFoods) {
  std::vector<CO_TYPE> types = ReadFoodTypeLines(
      {"+99999999999999999999#Tiefk\xFChlware", "~-77777777777777#Erbsen~500 g", "+2#Fisch"});
  ASSERT_EQ(types.size(), 3u);
  EXPECT_EQ(types[0].level, 999999999);
  EXPECT_EQ(types[1].level, -999999999);
  EXPECT_EQ(types[2].level, 2);
  const int child = InsertChildGroup(types, 0, "Gem\xFCse");
  EXPECT_EQ(types[static_cast<size_t>(child)].level, 1000000000);
  FoodTypeParents(types);
}

// The freezer window saves both files when the program closes: a file read only in part is
// kept as "<file>.damaged" before it is replaced (and said), a sound one is simply written.
TEST(DamagedFiles, FreezerFilesAreKeptBeforeTheyAreWrittenAnew) {
  test::TestEnv env;
  env.LoadLanguage("DE");
  env.Options();
  FreezerInventory inventory;
  inventory.folder = env.DataFolder() + "DE/";
  MakeDirs(inventory.folder);
  const std::string sound = ReadAll(test::Fixture("coolboxes_two_freezers_cp1252.dat"));
  const std::string types = "+0#Fleisch\r\n~1#Hackfleisch~500 g\r\n";
  struct Case {
    const char* name;
    std::string boxes, types;
    bool damaged;
  } cases[] = {
      {"sound", sound, types, false},
      {"zero-filled", std::string(4096, '\0'), std::string(512, '\0'), true},
      {"UTF-16", AsUtf16(sound), AsUtf16(types), true},
      {"a garbled line among sound ones", sound + "\xFF\xFE garbage\r\n",
       types + "~2 no separator\r\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* name : {"CoolBoxes.dat", "CoolTypes.dat"}) {
      std::remove((inventory.folder + name + ".damaged").c_str());
      std::remove((inventory.folder + name + ".damaged-2").c_str());
    }
    WriteAll(inventory.FreezerPath(), c.boxes);
    WriteAll(inventory.TypesPath(), c.types);
    inventory.LoadFreezers();
    inventory.LoadFoodTypes();
    ASSERT_FALSE(inventory.freezers.empty());
    EXPECT_TRUE(inventory.SaveFreezers());
    EXPECT_TRUE(inventory.SaveFoodTypes());
    EXPECT_EQ(FileExists(inventory.FreezerPath() + ".damaged"), c.damaged);
    EXPECT_EQ(FileExists(inventory.TypesPath() + ".damaged"), c.damaged);
    if (c.damaged) {
      EXPECT_EQ(ReadAll(inventory.FreezerPath() + ".damaged"), c.boxes);
      EXPECT_EQ(ReadAll(inventory.TypesPath() + ".damaged"), c.types);
      // Once kept, later saves write without another copy.
      EXPECT_TRUE(inventory.SaveFreezers());
      EXPECT_FALSE(FileExists(inventory.FreezerPath() + ".damaged-2"));
    } else {
      EXPECT_EQ(ReadAll(inventory.FreezerPath()), sound);
      EXPECT_EQ(ReadAll(inventory.TypesPath()), types);
    }
  }
  // A damaged file that cannot be kept is not replaced.
  WriteAll(inventory.FreezerPath(), std::string(64, '\0'));
  inventory.LoadFreezers();
  std::remove((inventory.FreezerPath() + ".damaged").c_str());
  ASSERT_TRUE(MakeDirs(inventory.FreezerPath() + ".damaged"));
  for (int n = 2; n < 100; ++n)
    ASSERT_TRUE(MakeDirs(inventory.FreezerPath() + ".damaged-" + std::to_string(n)));
  env.messages.shown.clear();
  EXPECT_FALSE(inventory.SaveFreezers());
  EXPECT_EQ(ReadAll(inventory.FreezerPath()), std::string(64, '\0'));
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text,
            FormatLangText(GetLangText(1078), {inventory.FreezerPath()}));
}

// A progressive JPEG of 316 bytes whose header claims 10000 x 12288 pixels once kept the
// decoder busy for many seconds and a gigabyte; a file that short cannot hold that picture and is
// refused at once. A large picture whose file can hold it still decodes.
TEST(DamagedFiles, HugePictureInATinyJPEGIsRefused) {
  const std::string path = test::Fixture("jpeg_progressive_316_bytes_claim_10000x12288.jpg");
  int width = 0, height = 0;
  EXPECT_FALSE(ReadPictureSize(path, width, height));  // the size reader refuses it alike
  std::unique_ptr<TBitmap> picture = NewJPEGBitmap();
  EXPECT_THROW(picture->LoadFromFile(path), EJPEGError);
  EXPECT_TRUE(picture->Empty());

  // 4100 x 4100 pixels (above the size where file length counts) of one colour.
  std::unique_ptr<TBitmap> large = NewJPEGBitmap();
  large->SetSize(4100, 4100, 24);
  for (int y = 0; y < large->Height(); ++y)
    std::memset(large->ScanLine(y), 0x80, static_cast<size_t>(large->Width()) * 3);
  TMemoryStream stream;
  large->SaveToStream(stream);
  stream.SetPosition(0);
  std::unique_ptr<TBitmap> back = NewJPEGBitmap();
  back->LoadFromStream(stream);
  EXPECT_EQ(back->Width(), 4100);
  EXPECT_EQ(back->Height(), 4100);
}

// Files far longer than the program writes them are read whole, in time that grows with
// their length: a day of 20,000 week plan entries (the keys of a section were once looked up
// line by line, for minutes) and a shopping list of 100,000 recipes (once sorted row by row).
TEST(DamagedFiles, LongFilesReadWhole) {
  test::TestEnv env;
  env.LoadLanguage("DE");
  env.Options();
  const int kEntries = 20000;
  std::string ini = "[03.06.2024]\r\n";
  for (int i = kEntries - 1; i >= 0; --i) {
    const std::string n = std::to_string(i);
    ini += "Book" + n + "=65533\r\nRID" + n + "=" + n + "\r\nPos" + n + "=" + n +
           "\r\nServAnz" + n + "=4\r\nTitel" + n + "=Rezept " + n + "\r\nType" + n + "=R\r\n";
  }
  WriteAll(WeekPlan::IniPath(), ini);
  WeekPlan plan;
  plan.weekStart = DayNumber(2024, 6, 3);
  ASSERT_TRUE(plan.LoadWeekPlan());
  ASSERT_EQ(plan.entries.size(), static_cast<size_t>(kEntries));
  EXPECT_EQ(plan.entries[0].text, "Rezept 0");
  EXPECT_EQ(plan.entries[kEntries - 1].recipeNo, kEntries - 1);
  EXPECT_EQ(ReadAll(WeekPlan::IniPath()), ini);

  const int kRecipes = 100000;
  std::string list;
  for (int i = 0; i < kRecipes; ++i)
    list += "65533#" + std::to_string(i) + "#4#Rezept " + std::to_string((i * 7919) % 1000) +
            "\r\n";
  WriteAll(ShoppingList::FilePath(), list);
  ShoppingList shopping;
  shopping.LoadKaufList();
  ASSERT_EQ(shopping.Count(), kRecipes);
  ASSERT_EQ(shopping.Rows().size(), static_cast<size_t>(kRecipes));
  // Sorted by title; equal titles in file order.
  for (size_t r = 1; r < shopping.Rows().size(); ++r) {
    const KAUFLIST& a = shopping.Entries()[shopping.Rows()[r - 1]];
    const KAUFLIST& b = shopping.Entries()[shopping.Rows()[r]];
    const int order = CompareTextNoCase(a.title, b.title);
    ASSERT_LE(order, 0) << r;
    if (order == 0) {
      ASSERT_LT(a.number, b.number) << r;
    }
  }
}

}  // namespace
}  // namespace tav
