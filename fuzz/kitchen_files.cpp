// The kitchen's files and the small lists beside them: Kauflist.dat, Haendler.dat, WPlan.ini,
// Lexika.ldt and Lexika.lbk, MenuTypes.dat, CoolBoxes.dat and CoolTypes.dat, Kenndaten.dat,
// Assist.dat and the header of a picture file. Any file reads without harm, and reading never
// changes it on disk.
#include "fuzz_support.h"
#include "kitchen/freezer/food_types.h"
#include "kitchen/freezer/freezer_records.h"
#include "kitchen/lexicon/lexicon_files.h"
#include "kitchen/menus/menu_courses.h"
#include "kitchen/shopping/dealers.h"
#include "kitchen/shopping/shopping_list.h"
#include "kitchen/weekplan/week_plan.h"
#include "pictures/picture_size.h"
#include "recipes/key_figure_choice.h"
#include "services/tips_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tav;
  test::TestEnv& env = fuzz::Begin();
  FuzzedDataProvider in(data, size);
  const int which = in.ConsumeIntegralInRange(0, 9);
  const std::string file = in.ConsumeRemainingBytesAsString();
  const std::string folder = env.DataFolder(), lang = env.DataFolder() + "DE/";
  std::string path;
  switch (which) {
    case 0: {
      fuzz::Write(path = ShoppingList::FilePath(), file);
      ShoppingList list;
      list.LoadKaufList();
      if (list.Rows().size() != list.Entries().size()) fuzz::Fail("rows and entries differ");
      break;
    }
    case 1: {
      fuzz::Write(path = DealerTable::FilePath(), file);
      DealerTable table;
      table.ReadHaendler();
      std::string dealer;
      int position = 0;
      table.GetHaendlerOfZutat("Mehl", dealer, position);
      table.GetNextHaendler(dealer, position);
      break;
    }
    case 2: {
      fuzz::Write(path = WeekPlan::IniPath(), file);
      WeekPlan plan;
      plan.weekStart = MondayOf(DayNumber(2024, 6, 3));
      plan.LoadWeekPlan();
      plan.DrawWeekGrid();
      for (int col = 0; col < WeekPlan::kColumns; ++col)
        for (int row = 0; row < plan.RowCount(); ++row) plan.CellIndex(col, row);
      int count = 0;
      plan.WeekPlanText(count);
      break;
    }
    case 3: {
      fuzz::Write(path = lang + kLexiconDataFile, file);
      LexiconFiles files(lang);
      std::vector<LEXINDEX> index;
      files.LoadLexiconIndex(index);
      for (const LEXINDEX& e : index) {
        files.ReadLexiconText(e);
        files.ReadLexiconKeywords(e);
      }
      break;
    }
    case 4: {
      fuzz::Write(path = lang + kLexiconChapterFile, file);
      LexiconFiles files(lang);
      std::vector<LEXBOOKS> chapters;
      files.LoadLexiconChapters(chapters);
      // A file that holds chapters is only read.
      if (!chapters.empty() && test::ReadAll(path) != file) {
        bool defaults = chapters.size() == 3;
        for (const LEXBOOKS& c : chapters) defaults = defaults && c.number >= 1 && c.number <= 3;
        if (!defaults) fuzz::Fail("a chapter file was written over");
      }
      path.clear();
      break;
    }
    case 5: {
      fuzz::Write(path = lang + "MenuTypes.dat", file);
      ReadMenuTypes(path);
      for (const MN_RECIPE& c : ParseCourseList(file))
        if (c.printTitle.find(kPrintTitleEnd) != std::string::npos)
          fuzz::Fail("a print title holds its end mark");
      break;
    }
    case 6: {
      FreezerInventory inventory;
      inventory.folder = lang;
      fuzz::Write(path = inventory.FreezerPath(), file);
      inventory.LoadFreezers();
      for (const CO_SCHRANK& s : inventory.freezers)
        if (s.count < 0 || s.count > static_cast<int>(s.faecher.size()))
          fuzz::Fail("more compartments in use than there are");
      break;
    }
    case 7: {
      FreezerInventory inventory;
      inventory.folder = lang;
      fuzz::Write(path = inventory.TypesPath(), file);
      inventory.LoadFoodTypes();
      const std::vector<int> parents = FoodTypeParents(inventory.types);
      for (size_t i = 0; i < parents.size(); ++i)
        if (parents[i] >= static_cast<int>(i)) fuzz::Fail("a parent after its child");
      for (const CO_TYPE& t : inventory.types) FoodTypeNodeText(t);
      break;
    }
    case 8: {
      KeyFigureChoice choice;
      fuzz::Write(path = choice.FilePath(), file);
      choice.ReadKenndaten();
      for (int kind = 0; kind < 4; ++kind) {
        choice.FiguresOfKind(kind);
        choice.GetRemarkShowMode(kind);
      }
      for (const PARA_SHOWDATA& f : choice.keyFigures) KeyFigureChoice::TreeText(f);
      break;
    }
    case 9: {
      fuzz::Write(path = lang + "Assist.dat", file);
      int count = 0;
      std::string text;
      if (ReadTipCount(path, count))
        for (int tip = 0; tip < std::min(count, 50); ++tip) ReadTipText(path, tip, count, text);
      int width = 0, height = 0;
      ReadPictureSize(path, width, height);
      break;
    }
  }
  if (!path.empty() && test::ReadAll(path) != file) fuzz::Fail("reading changed the file");
  return 0;
}
