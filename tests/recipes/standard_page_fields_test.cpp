// The fields of the editor's standard page that the recipe keeps in another form: keywords,
// energy and the rating clicks.
#include "recipes/standard_page_fields.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/numbers.h"

namespace tav {
namespace {

REZSTOFFMENGE Amount(const char* code, const char* value) {
  REZSTOFFMENGE a;
  std::strcpy(a.code, code);
  a.value = value;
  return a;
}

TEST(StandardPageFields, KeywordLinesBecomeOneCommaSeparatedText) {
  EXPECT_EQ(KeywordsFromMemo("Suppe\r\nWinter\r\nschnell"), "Suppe, Winter, schnell");
  EXPECT_EQ(KeywordsFromMemo(""), "");
  EXPECT_EQ(KeywordsFromMemo(std::string(2500, 'x')).size(), 1999u);
}

TEST(StandardPageFields, EnergyPerServingAndBack) {
  SetDecimalSep(',');
  REZBLOCK r;
  r.servings = 4;
  r.nutrients = {Amount("ZF", "20"), Amount("GCAL", "0"), Amount("GCAL", "2000"),
                 Amount("GJ", "8374")};
  EXPECT_EQ(EnergyFieldText(r, false, true), "500") << "the first amount that is not 0";
  EXPECT_EQ(EnergyFieldText(r, false, false), "2000");
  EXPECT_EQ(EnergyFieldText(r, true, false), "8374");
  r.servings = 0;
  EXPECT_EQ(EnergyFieldText(r, false, true), "2000") << "no servings, no division";
  r.servings = 4;
  StoreEnergyField(r, "500", false, true);
  EXPECT_EQ(r.nutrients[1].value, "2000.000000");
  EXPECT_EQ(r.nutrients[2].value, "2000.000000") << "every amount of that code";
  EXPECT_EQ(r.nutrients[3].value, "8374");
  StoreEnergyField(r, "", false, true);
  EXPECT_EQ(r.nutrients[1].value, "2000.000000") << "an empty field changes nothing";
  REZBLOCK fresh;
  StoreEnergyField(fresh, "1200", true, false);
  ASSERT_EQ(fresh.nutrients.size(), 1u);
  EXPECT_STREQ(fresh.nutrients[0].code, "GJ");
  EXPECT_EQ(fresh.nutrients[0].value, "1200");
  SetDecimalSep('.');
}

TEST(StandardPageFields, RatingFromTheClickedPosition) {
  struct Case {
    int x, rating;
  };
  for (const Case c : {Case{0, 0}, Case{7, 0}, Case{8, 1}, Case{27, 1}, Case{28, 2}, Case{91, 5},
                       Case{112, 5}, Case{400, 5}})
    EXPECT_EQ(RatingFromX(c.x), c.rating) << c.x;
}

}  // namespace
}  // namespace tav
