// The diary's files: a month file, Users.dat, Weight.dat and StoffCalc.dat. Any file reads
// without harm; once saved, a file read and saved again keeps its bytes (a month needs two
// rounds: its amounts are written with six decimals); a month file that cannot be read to its
// end is never written over.
#include <memory>

#include "diary/diary_module.h"
#include "diary/intake_tables.h"
#include "fuzz_support.h"
#include "nutrients/recipe_calc.h"
#include "platform/text_file.h"

namespace {

using namespace tav;

void Same(const std::string& first, const std::string& second, const char* file) {
  if (first != second)
    fuzz::Fail(std::string(file) + " changed by saving it again:\n" + first + "---\n" + second);
}

// A module over the persons file as it is, with "Anna" active when the file names her.
std::unique_ptr<TENApplogMod> Module() {
  ctx().options->SetParaString(61, "Anna");
  return std::make_unique<TENApplogMod>();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  test::TestEnv& env = fuzz::Begin();
  static RecipeCalc calc;
  ctx().calc = &calc;
  FuzzedDataProvider in(data, size);
  const int which = in.ConsumeIntegralInRange(0, 3);
  const std::string file = in.ConsumeRemainingBytesAsString();
  const std::string folder = env.DataFolder() + "Konten/Anna/";
  fuzz::RemoveFiles(folder);
  fuzz::Write(env.DataFolder() + "Users.dat", "#\r\n>NAnna\r\n#\r\n");

  switch (which) {
    case 0: {
      const std::string path = folder + "m052024.dat";
      fuzz::Write(path, file);
      auto d = Module();
      const bool whole = d->LoadMonth(4, 2024);
      d->MarkMonthDirty(4, 2024);
      d->SaveMonth(4, 2024);
      if (!whole) {
        if (test::ReadAll(path) != file) fuzz::Fail("a damaged month file was written over");
        break;
      }
      d->UnloadAllMonths();
      if (!d->LoadMonth(4, 2024)) fuzz::Fail("a saved month does not read back");
      d->MarkMonthDirty(4, 2024);
      d->SaveMonth(4, 2024);
      const std::string second = test::ReadAll(path);
      d->UnloadAllMonths();
      d->LoadMonth(4, 2024);
      d->MarkMonthDirty(4, 2024);
      d->SaveMonth(4, 2024);
      Same(second, test::ReadAll(path), "the month file");
      TextGrid grid;
      d->FillDayGrid(grid, 3, 4, 2024);
      d->FillPeriodGrid(grid, 1, 4, 2024, 31, 4, 2024);
      d->AggregateDayValues(3, 4, 2024);
      if (ENDAY* day = d->GetDay(3, 4, 2024)) d->CalcDaySums(day);
      break;
    }
    case 1: {
      fuzz::Write(env.DataFolder() + "Users.dat", file);
      auto d = Module();
      d->WriteUsers();
      const std::string first = test::ReadAll(env.DataFolder() + "Users.dat");
      d->ReadUsers();
      d->WriteUsers();
      Same(first, test::ReadAll(env.DataFolder() + "Users.dat"), "Users.dat");
      TextGrid grid;
      d->FillPersonGrid(grid);
      d->UpdateRequirements();
      break;
    }
    case 2: {
      fuzz::Write(folder + "Weight.dat", file);
      auto d = Module();
      // Dates and times of other characters than digits are no file the program writes; their
      // numbers do not fit the columns again.
      bool digits = true;
      for (const GEWICHTLIST& w : d->weights)
        for (int v : {w.day, w.month, w.year / 100, w.year % 100, w.hour, w.minute})
          digits = digits && v >= 0 && v <= 99;
      d->weightsChanged = true;
      d->WriteWeightList();
      const std::string first = test::ReadAll(folder + "Weight.dat");
      d->ReadWeightList();
      d->weightsChanged = true;
      d->WriteWeightList();
      if (digits) Same(first, test::ReadAll(folder + "Weight.dat"), "Weight.dat");
      TextGrid grid;
      d->FillWeightGrid(grid);
      d->AddWeightEntryAt(5, 1, 2024, 7, 30);
      break;
    }
    case 3: {
      fuzz::Write(env.DataFolder() + "StoffCalc.dat", file);
      IntakeTables tables;
      tables.ReadStoffCalc();
      tables.WriteStoffCalc();
      const std::string first = test::ReadAll(env.DataFolder() + "StoffCalc.dat");
      tables.ReadStoffCalc();
      tables.WriteStoffCalc();
      Same(first, test::ReadAll(env.DataFolder() + "StoffCalc.dat"), "StoffCalc.dat");
      ENPERSON p;
      for (const ZUFUHR& t : tables.tables)
        for (int age : {0, 30, 999, 1000}) tables.StandardRequirementFor(t.code, p, age);
      break;
    }
  }
  ctx().calc = nullptr;
  return 0;
}
