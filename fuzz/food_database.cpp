// The food database files (Structure.bls, Index.bls, Names.bls, Data.bls, Fields.bls,
// FiltGrps.bls, Filt_<id>.bls): any files load, and every lookup and search over them ends.
#include "nutrients/food_database.h"
#include "fuzz_support.h"
#include "nutrients/nutrient_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tav;
  test::TestEnv& env = fuzz::Begin();
  FuzzedDataProvider in(data, size);
  const std::string lang = env.DataFolder() + "DE/", folder = env.DataFolder();
  fuzz::Write(lang + "Structure.bls", in.ConsumeRandomLengthString(2000));
  fuzz::Write(lang + "Index.bls", in.ConsumeRandomLengthString(2000));
  fuzz::Write(lang + "Names.bls", in.ConsumeRandomLengthString(4000));
  fuzz::Write(lang + "Fields.bls", in.ConsumeRandomLengthString(2000));
  fuzz::Write(folder + "FiltGrps.bls", in.ConsumeRandomLengthString(500));
  fuzz::Write(folder + "Filt_1.bls", in.ConsumeRandomLengthString(1000));
  const std::string query = in.ConsumeRandomLengthString(12);
  const std::string limit = in.ConsumeRandomLengthString(8);
  const int op = in.ConsumeIntegralInRange(-1, 5);
  fuzz::Write(folder + "Data.bls", in.ConsumeRemainingBytesAsString());

  NutrientTable table;
  FoodDatabase foods;
  ctx().nutrients = &table;
  ctx().foods = &foods;
  table.LoadNutrientTable();
  table.PrepareFilter(true);
  for (int pos = -1; pos <= table.GetStoffCount(); ++pos) {
    ISTOFF s;
    table.GetStoffAtPos(pos, &s);
    table.GetDayStoffAtPos(pos, &s);
  }
  for (int i = 0; i < static_cast<int>(table.FilterEntries().size()); ++i) {
    table.SetChosenFilter(i);
    table.PrepareFilter(false);
  }

  std::vector<BLSGROUPNODE> tree;
  FoodDatabase::ReadBLSGroupTree(tree);
  foods.LoadBLSIndex();
  std::vector<LB_DATA> list;
  foods.LoadBLSFoodNames(query.c_str(), &list);
  LB_DATA food;
  foods.ReadBLSFood(query, &food, true);
  std::string text;
  foods.ReadBLSEnergy(query, true, &text);
  foods.FindBLSNameByKey(query, &text);
  foods.SearchBLS('B', query, op, "");
  foods.SearchBLS('L', query, op, "");
  const std::string code =
      table.GetStoffCount() > 0 ? table.StoffAt(table.GetStoffCount() - 1)->code : "";
  foods.SearchBLS('S', limit, op, code);
  for (const LB_DATA& f : foods.foodList) foods.ReadBLSFood(f.key, &food, false);

  ctx().nutrients = nullptr;
  ctx().foods = nullptr;
  return 0;
}
