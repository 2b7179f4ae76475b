// Store files that could not be read whole: a read error at the load (an I/O error that is
// gone by the save, or a folder in the file's place), a damaged file, CR-only line ends. A
// store never writes such a file over without a word: a damaged file is kept as
// "<file>.damaged" and said, an unreadable one is written over only when the user agrees.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "diary/diary_module.h"
#include "diary/intake_tables.h"
#include "kitchen/freezer/freezer_records.h"
#include "kitchen/lexicon/lexicon_files.h"
#include "kitchen/menus/menu_courses.h"
#include "kitchen/shopping/dealers.h"
#include "kitchen/shopping/shopping_list.h"
#include "kitchen/weekplan/week_plan.h"
#include "maintenance/sibling_export.h"
#include "maintenance/user_survey.h"
#include "nutrients/nutrient_table.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "recipedb/book_test_util.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/unit_table.h"
#include "recipedb/recipe_model.h"
#include "recipes/key_figure_choice.h"
#include "recipes/portion_units.h"
#include "services/options_store.h"
#include "services/text_tools.h"
#include "support/read_faults.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

const std::string kUsers =
    "#\r\n>NAnna\r\n>G05031970\r\n>W70\r\n>H170\r\n>SF\r\n>TN\r\nVC#N90.00\r\n#\r\n"
    ">NBert\r\n>G01011960\r\n>W80\r\n>H180\r\n>SM\r\n>TN\r\n#\r\n";
const int kMonday = DayNumber(2024, 6, 3);

// One store as the program uses it: `load` reads the file and gives the number of items read,
// `addAndSave` adds one item as the user would and saves; its result.
struct Session {
  std::function<int()> load;
  std::function<bool()> addAndSave;
};

struct Store {
  const char* name;
  std::string file;         // below the data folder
  std::string sound;        // a sound file, CR LF line ends
  std::string garbledLine;  // a line the reader cannot use, appended to make a damaged file
  std::function<Session(test::TestEnv&)> open;
};

Session DiarySession(test::TestEnv& env, bool weights) {
  if (weights) WriteAll(env.DataFolder() + "Users.dat", kUsers);
  ctx().options->SetParaString(61, "Anna");
  auto diary = std::make_shared<std::unique_ptr<TENApplogMod>>();
  if (!weights)
    return {[diary] {
              *diary = std::make_unique<TENApplogMod>();
              return static_cast<int>((*diary)->persons.size());
            },
            [diary] {
              ENPERSON p;
              p.name = "Clara";
              (*diary)->AddPerson(p);
              return (*diary)->WriteUsers();
            }};
  return {[diary] {
            *diary = std::make_unique<TENApplogMod>();
            return static_cast<int>((*diary)->weights.size());
          },
          [diary, day = 1]() mutable {
            (*diary)->AddWeightEntryAt(day++, 2, 2025, 7, 30);
            return (*diary)->WriteWeightList();
          }};
}

// The nutrient table of a small Fields.bls, as the filter files and bsl.snc name its codes.
std::shared_ptr<NutrientTable> SmallNutrientTable(test::TestEnv& env) {
  const std::string fields = env.DataFolder() + "DE/Fields.bls";
  WriteAll(fields,
           "ZE;NE;\"Eiwei\xDF\";\"g/100g\"\r\nGCAL;NE;\"Energie (Kilokalorien)\";\"kcal/100g\"\r\n"
           "MNA;NE;\"Natrium\";\"mg/100g\"\r\nMCA;NE;\"Calcium\";\"mg/100g\"\r\n");
  auto table = std::make_shared<NutrientTable>();
  table->ReadFieldsFile(fields);
  return table;
}

std::vector<FRAGE> SurveyQuestions() {
  FRAGE wish;
  wish.id = "7";
  wish.type = kSurveyEdit;
  FRAGE use;
  use.id = "8";
  use.type = kSurveyCheck;
  use.choices = {{"a", "Kochen", 0}, {"b", "Backen", 0}};
  return {wish, use};
}

std::vector<Store> Stores() {
  return {
      {"FiltGrps.bls", "FiltGrps.bls", "Vitamine#7#0\r\nMineralstoffe#8#1\r\n",
       "Spurenelemente ohne Nummer\r\n",
       [](test::TestEnv& env) {
         auto t = SmallNutrientTable(env);
         return Session{[t, path = env.DataFolder() + "FiltGrps.bls"] {
                          t->ReadFilterGroupsFile(path);
                          return static_cast<int>(t->Groups().size());
                        },
                        [t] {
                          t->Groups().push_back({"Fette", 9, false});
                          return t->SaveFilterGroups();
                        }};
       }},
      {"Filt_7.bls", "Filt_7.bls", "ZE#0#1\r\nGCAL#1#1\r\nMNA#2#0\r\n", "MCA ohne Trenner\r\n",
       [](test::TestEnv& env) {
         auto t = SmallNutrientTable(env);
         t->Groups().push_back({"Vitamine", 7, false});
         t->currentGroup = 0;
         return Session{[t] {
                          t->LoadFilterFields(7);
                          int shown = 0;
                          for (const ISTOFF& s : t->Stoffe()) shown += s.visible;
                          return shown;
                        },
                        [t] {
                          t->Stoffe()[3].visible = true;
                          return t->SaveFilterFields();
                        }};
       }},
      {"bsl.snc", "QN_Sync/bsl.snc", "ZE#EIW\r\nGCAL#KCAL\r\n", "Natrium ohne Raute\r\n",
       [](test::TestEnv& env) {
         struct Export {
           std::shared_ptr<NutrientTable> table;
           StoreFileGuard guard;
           std::vector<SiblingNutrient> chosen;
         };
         auto e = std::make_shared<Export>(Export{SmallNutrientTable(env), {}, {}});
         const std::string path = env.DataFolder() + "QN_Sync/bsl.snc";
         return Session{[e, path] {
                          e->chosen = LoadSiblingNutrients(path, *e->table, &e->guard);
                          return static_cast<int>(e->chosen.size());
                        },
                        [e, path] {
                          AddSiblingNutrient(e->chosen, e->table->Stoffe()[2]);
                          return SaveSiblingNutrients(path, e->chosen, &e->guard);
                        }};
       }},
      {"Antwort.xml", "Antwort.xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<tantwort>\r\n"
       "  <antwort id=\"7\" type=\"EDIT\">\r\n    <value>Mehr Kuchen</value>\r\n"
       "  </antwort>\r\n  <antwort id=\"8\" type=\"CBTN\">\r\n    <value>b</value>\r\n"
       "  </antwort>\r\n</tantwort>\r\n",
       "<antwort id=\"9\" type=\r\n",
       [](test::TestEnv& env) {
         struct Survey {
           std::vector<FRAGE> questions = SurveyQuestions();
           StoreFileGuard guard;
         };
         auto s = std::make_shared<Survey>();
         const std::string path = env.DataFolder() + "Antwort.xml";
         const std::string text = env.Root() + "Umfrage.txt";
         return Session{[s, path] {
                          LoadSurveyAnswers(path, s->questions, &s->guard);
                          return static_cast<int>(std::count_if(
                              s->questions.begin(), s->questions.end(), IsAnswered));
                        },
                        [s, path, text] {
                          s->questions[1].choices[0].chosen = 1;
                          return WriteSurveyAnswers(s->questions, path, text, &s->guard) ==
                                 SurveyWrite::kWritten;
                        }};
       }},
      {"Users.dat", "Users.dat", kUsers, "Kalium ohne Raute\r\n",
       [](test::TestEnv& env) { return DiarySession(env, false); }},
      {"Weight.dat", "Konten/Anna/Weight.dat",
       "05012024:073081,5#92#Nach dem Laufen#30#40#50#60\r\n"
       "07012024:080080,9##Fr\xFChst\xFC"
       "ck danach\r\n",
       "0801\r\n", [](test::TestEnv& env) { return DiarySession(env, true); }},
      {"StoffCalc.dat", "StoffCalc.dat",
       "VC#A14:60.000/60.000#A999:110.000/95.000#A1000:-1.000/110.000#\r\n"
       "MFE#A999:10.000/15.000#\r\n",
       "Vitamin C ohne Tabelle\r\n",
       [](test::TestEnv&) {
         auto t = std::make_shared<IntakeTables>();
         return Session{[t] {
                          t->ReadStoffCalc();
                          return static_cast<int>(t->tables.size());
                        },
                        [t] {
                          t->tables.push_back({"MJ", "", {{999, 150, 150}}});
                          return t->WriteStoffCalc();
                        }};
       }},
      {"Haendler.dat", "Haendler.dat",
       "|B\xE4"
       "cker\r\nBrot\r\nBr\xF6tchen\r\n|Wochenmarkt\r\nMangold\r\n",
       "",
       [](test::TestEnv&) {
         auto t = std::make_shared<DealerTable>();
         return Session{[t] {
                          t->ReadHaendler();
                          return static_cast<int>(t->dealers.size());
                        },
                        [t] {
                          t->AddHaendler("Hofladen");
                          return t->SaveHaendler();
                        }};
       }},
      {"WPlan.ini", "WPlan.ini",
       "[03.06.2024]\r\nBook0=65533\r\nRID0=12\r\nPos0=0\r\nServAnz0=4\r\n"
       "Titel0=Gr\xFCner Salat\r\nServArt0=Portionen\r\nBem0=\r\nType0=R\r\n",
       "",
       [](test::TestEnv&) {
         auto plan = std::make_shared<WeekPlan>();
         plan->weekStart = kMonday;
         return Session{[plan] {
                          plan->LoadWeekPlan();
                          return static_cast<int>(plan->entries.size());
                        },
                        [plan] {
                          WPLAN e;
                          e.text = "Einkaufen";
                          e.day = kMonday + 2;
                          plan->entries.push_back(e);
                          return plan->SaveWeekPlan();
                        }};
       }},
      {"CoolBoxes.dat", "DE/CoolBoxes.dat",
       ReadAll(test::Fixture("coolboxes_two_freezers_cp1252.dat")), "\xFF\xFE Schublade\r\n",
       [](test::TestEnv& env) {
         auto inv = std::make_shared<FreezerInventory>();
         inv->folder = env.DataFolder() + "DE/";
         return Session{[inv] {
                          inv->LoadFreezers();
                          int foods = 0;
                          for (const CO_SCHRANK& s : inv->freezers)
                            for (const CO_FACH& f : s.faecher)
                              foods += static_cast<int>(f.foods.size());
                          return foods;
                        },
                        [inv] {
                          inv->AddDefaultFreezer();
                          return inv->SaveFreezers();
                        }};
       }},
      {"CoolTypes.dat", "DE/CoolTypes.dat", "+0#Fleisch\r\n~1#Hackfleisch~500 g\r\n",
       "~2 ohne Trenner\r\n",
       [](test::TestEnv& env) {
         auto inv = std::make_shared<FreezerInventory>();
         inv->folder = env.DataFolder() + "DE/";
         return Session{[inv] {
                          inv->LoadFoodTypes();
                          return static_cast<int>(inv->types.size());
                        },
                        [inv] {
                          inv->types.push_back({"Fisch", true, 0, 2, ""});
                          return inv->SaveFoodTypes();
                        }};
       }},
      {"Lexika.lbk", "DE/Lexika.lbk", "Kochtechnik#1\r\nZutaten#2\r\nGer\xE4te#3\r\n",
       "Kapitel ohne Nummer\r\n",
       [](test::TestEnv& env) {
         struct Chapters {
           LexiconFiles files;
           StoreFileGuard guard;
           std::vector<LEXBOOKS> chapters;
         };
         auto c =
             std::make_shared<Chapters>(Chapters{LexiconFiles(env.DataFolder() + "DE/"), {}, {}});
         return Session{[c] {
                          c->files.LoadLexiconChapters(c->chapters, &c->guard);
                          return static_cast<int>(c->chapters.size());
                        },
                        [c] {
                          c->chapters.push_back({"Saucen", 4});
                          return c->files.SaveLexiconChapters(c->chapters, &c->guard);
                        }};
       }},
      {"Portions.dat", "DE/Portions.dat",
       "Personen\r\nSt\xFC"
       "ck\r\nPortionen\r\n",
       "",
       [](test::TestEnv&) {
         auto units = std::make_shared<PortionUnits>();
         return Session{[units] {
                          units->LoadPortionUnits();
                          return static_cast<int>(units->names.size());
                        },
                        [units] {
                          units->names.push_back("Teller");
                          return units->SaveLoadedPortionUnits(units->names);
                        }};
       }},
      {"Kenndaten.dat", "DE/Kenndaten.dat", "0|0|\r\n0|1|\r\n3|5|\r\n", "9|7|\r\n",
       [](test::TestEnv&) {
         auto choice = std::make_shared<KeyFigureChoice>();
         return Session{[choice] {
                          choice->ReadKenndaten();
                          return choice->CountKeyFigures();
                        },
                        [choice] {
                          PARA_SHOWDATA f;
                          f.outputKind = 1;
                          f.figureId = 6;
                          choice->keyFigures.push_back(f);
                          return choice->SaveKenndaten();
                        }};
       }},
      {"Kauflist.dat", "Kauflist.dat",
       "65533#12#4#Gr\xFCner Salat\r\n65533#7#-1#Linsensuppe\r\n1#3#2#Apfelkuchen\r\n",
       "Kartoffeln\r\n",
       [](test::TestEnv&) {
         auto list = std::make_shared<ShoppingList>();
         return Session{[list] {
                          list->LoadKaufList();
                          return list->Count();
                        },
                        [list] {
                          // Added (appended to the file) and taken off again (written anew).
                          REZINDEX r;
                          r.SetTitle("Zwiebelkuchen");
                          r.bookId = -3;
                          r.number = 5;
                          list->AddToKaufList(r, 4);
                          return list->RemoveEntry(list->Count() - 1);
                        }};
       }},
  };
}

// The reference tables: a file they could not read is never written over (no question), so
// they join only the tests of damaged content.
std::vector<Store> ReferenceStores() {
  return {
      {"einheit.dat", "DE/einheit.dat",
       "Be Becher~5#Becher#M\r\ng Gramm~1#Gramm~g#M\r\nkg Kilogramm~1#Kilogramm~kg#M#1000#g\r\n", "",
       [](test::TestEnv&) {
         auto t = std::make_shared<UnitTable>();
         return Session{[t] {
                          t->ReadEinheiten();
                          return static_cast<int>(t->units.size());
                        },
                        [t] {
                          REZEINHEIT u;
                          u.name = "Prise";
                          u.plural = "Prisen";
                          u.code = "Pr";
                          t->units.push_back(u);
                          return t->WriteEinheiten();
                        }};
       }},
      {"zutaten.dat", "DE/zutaten.dat",
       "Granat\xE4pfel#Granatapfel#1#83#K#Sk~g~kg~#J" + std::string(36, ' ') +
           "SSSSSSSSNNNN#K#F510000##300\r\n\xC4pfel#Apfel#1#52#K#Sk~kl~mi~gr~g~kg~#J" +
           std::string(48, 'N') + "#K#F101000##150\r\n",
       "",
       [](test::TestEnv&) {
         auto t = std::make_shared<IngredientCatalogue>();
         return Session{[t] {
                          t->ReadZutaten();
                          return static_cast<int>(t->zutaten.size());
                        },
                        [t] {
                          REZZUTATEN z;
                          z.plural = "Quitten";
                          t->zutaten.push_back(z);
                          return t->WriteZutaten();
                        }};
       }},
      {"Gattung.dat", "DE/Gattung.dat",
       ">0001 Vorspeisen#\r\n>0002 Suppen#\r\n>0003 Salate#\r\n", "",
       [](test::TestEnv&) {
         auto t = std::make_shared<CategoryTable>();
         return Session{[t] {
                          t->ReadGattungen();
                          return static_cast<int>(t->gatt.size());
                        },
                        [t] {
                          REZGATT g;
                          g.name = "Kuchen";
                          g.id = 4;
                          g.kind = REZGATT::kMain;
                          t->gatt.push_back(g);
                          return t->WriteGattungen();
                        }};
       }},
  };
}

// Every store above and the reference tables.
std::vector<Store> AllStores() {
  std::vector<Store> all = Stores();
  for (Store& s : ReferenceStores()) all.push_back(std::move(s));
  return all;
}

// A sound file in another encoding: UTF-16 with its byte order mark or without, or junk.
struct Encoding {
  const char* name;
  std::function<std::string(const std::string&)> make;
};
std::vector<Encoding> OtherEncodings() {
  const auto wide = [](const std::string& bytes, bool littleEnd) {
    std::string out;
    for (char c : bytes) {
      out += littleEnd ? c : '\0';
      out += littleEnd ? '\0' : c;
    }
    return out;
  };
  return {
      {"UTF-16 LE with its mark", [wide](const std::string& b) { return "\xFF\xFE" + wide(b, true); }},
      {"UTF-16 BE without a mark", [wide](const std::string& b) { return wide(b, false); }},
      {"junk",
       [](const std::string&) {
         std::string junk;
         for (int k = 0; k < 20; ++k) junk += std::string("\x00\x9D\x17\r\n\xFF\x00\x00\x41\n\x00\xE4\x02", 13);
         return junk;
       }},
  };
}

// A data root of its own for one run, whose store file holds `bytes`; the file's path.
std::string PutFile(test::TestEnv& local, const std::string& file, const std::string& bytes) {
  local.LoadLanguage("DE");
  local.Options();
  const std::string path = local.DataFolder() + file;
  MakeDirs(path.substr(0, path.rfind('/')));
  WriteAll(path, bytes);
  return path;
}

class UnreadFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    env.LoadLanguage("DE");
    env.Options();
  }
  void TearDown() override { SetReadFaultForTest(nullptr); }
  test::TestEnv env;
};

// A read error at the load that is gone by the save (the worst case: the write would work).
// Without a Yes the file stays as it was; with a Yes it is kept aside before it is written.
TEST_F(UnreadFiles, AReadErrorAtTheLoadNeverLetsASaveWriteOverTheFile) {
  for (const Store& s : Stores()) {
    for (const int answer : {IDNO, IDYES}) {
      SCOPED_TRACE(std::string(s.name) + (answer == IDYES ? ", Yes" : ", No"));
      test::TestEnv local;
      local.LoadLanguage("DE");
      local.Options();
      const std::string path = local.DataFolder() + s.file;
      MakeDirs(path.substr(0, path.rfind('/')));
      WriteAll(path, s.sound);
      local.messages.defaultAnswer = answer;
      Session session = s.open(local);
      SetReadFaultForTest([&](const std::string& p) { return p == NativePath(path); });
      session.load();
      SetReadFaultForTest(nullptr);
      const bool saved = session.addAndSave();
      // (A store may have said first that it could not read its file.)
      const auto asked = std::find_if(local.messages.shown.begin(), local.messages.shown.end(),
                                      [](const auto& m) { return (m.flags & MB_YESNO) != 0; });
      ASSERT_NE(asked, local.messages.shown.end()) << "nothing was asked";
      EXPECT_NE(asked->text.find(path.substr(path.rfind('/') + 1)), std::string::npos);
      if (answer == IDNO) {
        EXPECT_FALSE(saved);
        // Every byte of the file is still there (the shopping list appends a new entry).
        EXPECT_EQ(ReadAll(path).compare(0, s.sound.size(), s.sound), 0);
        EXPECT_FALSE(EntryExists(path + ".damaged"));
        // Asked once: a second save stays quiet and writes nothing either.
        const size_t said = local.messages.shown.size();
        EXPECT_FALSE(session.addAndSave());
        EXPECT_EQ(local.messages.shown.size(), said);
        EXPECT_EQ(ReadAll(path).compare(0, s.sound.size(), s.sound), 0);
      } else {
        EXPECT_TRUE(saved);
        EXPECT_EQ(ReadAll(path + ".damaged").compare(0, s.sound.size(), s.sound), 0);
        EXPECT_TRUE(FileExists(path));
      }
    }
  }
}

// A folder in the file's place (what a read error looks like without a hook): not taken for an
// empty file, and never replaced without a Yes.
TEST_F(UnreadFiles, AFolderInTheFilesPlaceIsNotAnEmptyFile) {
  for (const Store& s : Stores()) {
    SCOPED_TRACE(s.name);
    test::TestEnv local;
    local.LoadLanguage("DE");
    local.Options();
    const std::string path = local.DataFolder() + s.file;
    ASSERT_TRUE(MakeDirs(path));
    WriteAll(path + "/inside.txt", "kept");
    Session session = s.open(local);
    session.load();
    EXPECT_FALSE(session.addAndSave());
    EXPECT_EQ(ReadAll(path + "/inside.txt"), "kept");
    int asked = 0;
    for (const auto& m : local.messages.shown)
      asked += (m.flags & MB_YESNO) != 0 && m.text.find(path) != std::string::npos;
    EXPECT_EQ(asked, 1);
  }
}

// A damaged file (a line the reader cannot use among sound ones) is kept as "<file>.damaged"
// at the first save, said once, and written anew; later saves make no second copy.
TEST_F(UnreadFiles, ADamagedFileIsKeptAndSaidOnceBeforeItIsWrittenAnew) {
  for (const Store& s : Stores()) {
    if (s.garbledLine.empty()) continue;  // every line is an item
    SCOPED_TRACE(s.name);
    test::TestEnv local;
    local.LoadLanguage("DE");
    local.Options();
    const std::string path = local.DataFolder() + s.file;
    MakeDirs(path.substr(0, path.rfind('/')));
    const std::string damaged = s.sound + s.garbledLine;
    WriteAll(path, damaged);
    Session session = s.open(local);
    session.load();
    EXPECT_TRUE(session.addAndSave());
    // (The shopping list appends its new entry before it writes the file anew.)
    EXPECT_EQ(ReadAll(path + ".damaged").compare(0, damaged.size(), damaged), 0);
    ASSERT_EQ(local.messages.shown.size(), 1u);
    EXPECT_NE(local.messages.shown[0].text.find(path + ".damaged"), std::string::npos);
    EXPECT_TRUE(session.addAndSave());
    EXPECT_FALSE(EntryExists(path + ".damaged-2"));
    EXPECT_EQ(local.messages.shown.size(), 1u);
  }
}

// A store file in another encoding (UTF-16, junk) is no empty file: the store takes none of
// its lines as values, keeps the file as "<file>.damaged", says so once and only then writes
// it anew, without a NUL byte.
TEST_F(UnreadFiles, AFileInAnotherEncodingIsKeptAndSaidBeforeItIsWrittenAnew) {
  for (const Store& s : AllStores()) {
    for (const Encoding& e : OtherEncodings()) {
      SCOPED_TRACE(std::string(s.name) + ", " + e.name);
      test::TestEnv local;
      const std::string other = e.make(s.sound);
      const std::string path = PutFile(local, s.file, other);
      Session session = s.open(local);
      session.load();
      EXPECT_TRUE(session.addAndSave());
      // (The shopping list appends its new entry before it writes the file anew.)
      EXPECT_EQ(ReadAll(path + ".damaged").compare(0, other.size(), other), 0);
      ASSERT_EQ(local.messages.shown.size(), 1u);
      EXPECT_EQ(local.messages.shown[0].text,
                FormatLangText(GetLangText(1076), {path, path + ".damaged"}));
      EXPECT_EQ(ReadAll(path).find('\0'), std::string::npos);
    }
  }
}

// A file cut between CR and LF (or a value written back with a CR it held) holds a lone CR:
// it ends its line, as every other line end, and is never written back inside a value.
TEST_F(UnreadFiles, ALoneCrEndsItsLineAndIsNeverWrittenBack) {
  for (const Store& s : AllStores()) {
    SCOPED_TRACE(s.name);
    const auto afterSave = [&s](const std::string& bytes, std::string& written) {
      test::TestEnv local;
      const std::string path = PutFile(local, s.file, bytes);
      Session session = s.open(local);
      const int read = session.load();
      EXPECT_TRUE(session.addAndSave());
      EXPECT_TRUE(local.messages.shown.empty());
      written = ReadAll(path);
      return std::make_pair(read, s.open(local).load());
    };
    std::string sound;
    const auto soundCounts = afterSave(s.sound, sound);
    // The last line end cut after its CR (the file cut short there), and one inside the file
    // after a first line that ends with CR LF.
    std::vector<size_t> cuts = {s.sound.rfind("\r\n")};
    const size_t second = s.sound.find("\r\n", s.sound.find("\r\n") + 2);
    if (second != cuts[0]) cuts.push_back(second);
    for (const size_t at : cuts) {
      SCOPED_TRACE("cut at " + std::to_string(at));
      std::string cut = s.sound, fromCut;
      cut.erase(at + 1, 1);
      EXPECT_EQ(afterSave(cut, fromCut), soundCounts);
      for (size_t cr = fromCut.find('\r'); cr != std::string::npos; cr = fromCut.find('\r', cr + 1))
        EXPECT_EQ(fromCut[cr + 1], '\n') << "a lone CR at " << cr;
    }
  }
}

// Files written by an old Mac editor end their lines with CR alone: read as many items as the
// CR LF file, and saved without a word or a copy.
TEST_F(UnreadFiles, CrOnlyLineEndsReadLikeCrLf) {
  for (const Store& s : Stores()) {
    SCOPED_TRACE(s.name);
    int sound = 0, crOnly = 0;
    {
      test::TestEnv local;
      local.LoadLanguage("DE");
      local.Options();
      WriteAll(local.DataFolder() + s.file, s.sound);
      sound = s.open(local).load();
    }
    test::TestEnv local;
    local.LoadLanguage("DE");
    local.Options();
    std::string mac = s.sound;
    for (size_t at = mac.find("\r\n"); at != std::string::npos; at = mac.find("\r\n", at))
      mac.erase(at + 1, 1);
    const std::string path = local.DataFolder() + s.file;
    WriteAll(path, mac);
    Session session = s.open(local);
    crOnly = session.load();
    EXPECT_GT(sound, 0);
    EXPECT_EQ(crOnly, sound);
    EXPECT_TRUE(session.addAndSave());
    EXPECT_TRUE(local.messages.shown.empty());
    EXPECT_FALSE(EntryExists(path + ".damaged"));
  }
}

// A file of 100 MB where a real one holds kilobytes (made sparse here, so the test writes no
// 100 MB) is not read: the load ends at once and says so, and a later save asks first.
TEST_F(UnreadFiles, AHugeFileIsRefusedWithAMessage) {
  for (const Store& s : Stores()) {
    SCOPED_TRACE(s.name);
    test::TestEnv local;
    const std::string path = PutFile(local, s.file, s.sound);
    ASSERT_EQ(truncate(path.c_str(), 100LL << 20), 0);
    Session session = s.open(local);
    session.load();
    ASSERT_EQ(local.messages.shown.size(), 1u);
    EXPECT_EQ(local.messages.shown[0].text, FormatLangText(GetLangText(1079), {path, "100", "4"}));
    EXPECT_FALSE(session.addAndSave());
    EXPECT_GE(FileSize(path), 100LL << 20);  // (the shopping list appends its new entry)
  }
  test::TestEnv local;
  local.LoadLanguage("DE");
  const std::string types = local.DataFolder() + "DE/MenuTypes.dat";
  WriteAll(types, "FF0000#Vorspeise\r\n");
  ASSERT_EQ(truncate(types.c_str(), 100LL << 20), 0);
  EXPECT_TRUE(ReadMenuTypes(types).empty());
  ASSERT_EQ(local.messages.shown.size(), 1u);
  EXPECT_EQ(local.messages.shown[0].text, FormatLangText(GetLangText(1079), {types, "100", "4"}));

  // A diary month, read when the diary opens: refused (and kept as a damaged month).
  test::TestEnv diaryRoot;
  const std::string month = PutFile(diaryRoot, "Konten/Anna/m052024.dat",
                                    "# TAVOLIN V02.01 05/2024\r\n#\r\n03#C0001\r\n|;1\r\n");
  ASSERT_EQ(truncate(month.c_str(), 100LL << 20), 0);
  WriteAll(diaryRoot.DataFolder() + "Users.dat", kUsers);
  ctx().options->SetParaString(61, "Anna");
  TENApplogMod d;
  EXPECT_FALSE(d.LoadMonth(4, 2024));  // months count from 0
  ASSERT_EQ(diaryRoot.messages.shown.size(), 1u);
  EXPECT_EQ(diaryRoot.messages.shown[0].text,
            FormatLangText(GetLangText(1079), {month, "100", "4"}));
}

// The case as it was met: Users.dat unreadable at the start, then a new person saved. Every
// other person stays in the file; with a Yes the old file is kept beside the new one.
TEST_F(UnreadFiles, UsersDatUnreadableAtTheStartKeepsEveryPerson) {
  const std::string path = env.DataFolder() + "Users.dat";
  WriteAll(path, kUsers);
  SetReadFaultForTest([&](const std::string& p) { return p == NativePath(path); });
  TENApplogMod diary;
  SetReadFaultForTest(nullptr);
  EXPECT_TRUE(diary.persons.empty());
  ENPERSON p;
  p.name = "Clara";
  diary.AddPerson(p);
  env.messages.answers = {IDNO};
  EXPECT_FALSE(diary.WriteUsers());
  EXPECT_EQ(ReadAll(path), kUsers);
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text,
            FormatLangText(GetLangText(1077), {path, path + ".damaged"}));
}

// Without StoffCalc.dat no standard value is known: a person's rows without a value of their
// own are kept when Users.dat is written, not dropped.
TEST_F(UnreadFiles, RequirementRowsStayWithoutTheIntakeTables) {
  const std::string users =
      "#\r\n>NAnna\r\n>G05031970\r\n>W70\r\n>H170\r\n>SF\r\n>TN\r\nVC#N\r\nMFE#J\r\nEPRO#N58."
      "00\r\n#"
      "\r\n";
  WriteAll(env.DataFolder() + "Users.dat", users);
  IntakeTables tables;
  EXPECT_FALSE(tables.ReadStoffCalc());
  ctx().intake = &tables;
  {
    TENApplogMod diary;
    ASSERT_EQ(diary.persons.size(), 1u);
    ASSERT_EQ(diary.persons[0].requirements.size(), 3u);
    ASSERT_TRUE(diary.WriteUsers());
  }
  TENApplogMod again;
  ASSERT_EQ(again.persons.size(), 1u);
  ASSERT_EQ(again.persons[0].requirements.size(), 3u);
  EXPECT_EQ(again.persons[0].requirements[1].code, "MFE");
  EXPECT_EQ(again.persons[0].requirements[1].alarm, 'J');
  ctx().intake = nullptr;
}

// A book's description that cannot be read keeps its id: the file is not written anew, and the
// next scan finds the id the lists name.
TEST_F(UnreadFiles, ABookDescriptionThatCannotBeReadKeepsItsId) {
  const std::string data = env.DataFolder();
  WriteAll(data + "Omas Backbuch.bok", "TAVOLIN__1.01_DAT\r\n");
  WriteAll(data + "Omas Backbuch.inf", "Kuchen und Torten\r\n65000\r\n1\r\n\r\n");
  CookbookList books;
  ctx().books = &books;
  SetReadFaultForTest([&](const std::string& p) { return p.find(".inf") != std::string::npos; });
  books.ScanKBooks();
  SetReadFaultForTest(nullptr);
  EXPECT_EQ(ReadAll(data + "Omas Backbuch.inf"), "Kuchen und Torten\r\n65000\r\n1\r\n\r\n");
  books.ScanKBooks();
  EXPECT_EQ(books.GetKBookName(static_cast<int16_t>(static_cast<uint16_t>(65000))),
            "Omas Backbuch");
  ctx().books = nullptr;
}

// Two books, the second one's description failing at each of its reads in turn while the list
// is scanned and the book opened. The book's recipes carry the id the cookbook list gives the
// book (its own, or one for this run), never the first book's nor 0: a recipe put on the
// shopping list names its book. The description stays as it is, and so does the older
// shopping-list entry that names the book by the id in it.
TEST_F(UnreadFiles, ABookWhoseIdCannotBeReadHasTheListsIdEverywhere) {
  test::BookEnv b("Hausbuch");
  REZBLOCK cake = test::RichRecipe(1);
  b.AddRecipe(cake);
  KBOOK omas;
  omas.name = "Omas Backbuch";
  ASSERT_TRUE(b.books.CreateKBook(omas));
  const std::string inf = b.Data() + "Omas Backbuch.inf";
  const std::string description = "Kuchen und Torten\r\n65000\r\n1\r\n\r\n";
  WriteAll(inf, description);
  b.books.ScanKBooks();
  b.env.Options().SetParaString(6, "Omas Backbuch");
  b.books.SelectKBook("Omas Backbuch");
  b.store.ReloadBookIndex();
  REZBLOCK apple = test::RichRecipe(2);
  apple.title = "Apfelkuchen vom Blech";
  b.AddRecipe(apple);
  const std::string older = "65000#1#4#Apfelkuchen vom Blech\r\n";
  WriteAll(ShoppingList::FilePath(), older);
  for (int n = 1;; ++n) {
    SCOPED_TRACE("read " + std::to_string(n));
    // The other book open first.
    b.books.ScanKBooks();
    b.env.Options().SetParaString(6, "Hausbuch");
    b.books.SelectKBook("Hausbuch");
    b.store.ReloadBookIndex();
    const int16_t other = b.store.BookId();
    test::NthReadFault fault(n, [&](const std::string& path) { return path == inf; });
    b.books.ScanKBooks();
    b.env.Options().SetParaString(6, "Omas Backbuch");
    b.books.SelectKBook("Omas Backbuch");
    b.store.ReloadBookIndex();
    fault.Off();
    if (!fault.Hit()) break;
    const int16_t id = b.books.GetAktKBookId();
    EXPECT_NE(id, other);
    EXPECT_NE(id, 0);
    EXPECT_EQ(b.books.GetKBookName(id), "Omas Backbuch");
    EXPECT_EQ(b.store.BookId(), id);
    ASSERT_EQ(b.store.BookIndex().size(), 1u);
    EXPECT_EQ(b.store.BookIndex()[0].bookId, id);
    ShoppingList list;
    list.LoadKaufList();
    ASSERT_TRUE(list.AddToKaufList(b.store.BookIndex()[0], 4));
    EXPECT_EQ(ReadAll(ShoppingList::FilePath()),
              older + std::to_string(static_cast<uint16_t>(id)) + "#1#4#Apfelkuchen vom Blech\r\n");
    WriteAll(ShoppingList::FilePath(), older);
    EXPECT_EQ(ReadAll(inf), description);
  }
}

}  // namespace
}  // namespace tav
