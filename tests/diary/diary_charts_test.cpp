// The overview's charts without a screen: ranges, labels, marks and the weight lines.
#include <gtest/gtest.h>

#include "diary/diary_charts.h"
#include "platform/numbers.h"

namespace tav {
namespace {

ChartCanvas Canvas() {
  ChartCanvas c;
  c.width = 400;
  c.height = 300;
  c.cx = 8;
  c.cy = 13;
  c.textWidth = [](const std::string& t) { return static_cast<int>(t.size()) * 6; };
  return c;
}

const DiaryPeriod kMay{{1, 4, 2024}, {31, 4, 2024}};

std::vector<const ChartShape*> Shapes(const ChartScene& s, ChartShape::Kind kind,
                                      uint32_t colour) {
  std::vector<const ChartShape*> out;
  for (const ChartShape& shape : s.shapes)
    if (shape.kind == kind && shape.colour == colour) out.push_back(&shape);
  return out;
}

struct Comma {
  Comma() { SetDecimalSep(','); }
  ~Comma() { SetDecimalSep('.'); }
};

TEST(DiaryCharts, NutrientRangesAndLabels) {
  Comma comma;
  // Equal values, a single day and values too close for labels of their kind to differ: a
  // scale around the values with three different labels, the points inside the plot and not on
  // its base line.
  const int y0 = static_cast<int>(300 - 10 - 1.5 * 13);
  struct Flat {
    std::vector<double> values;
    double min, max;
    std::vector<std::string> labels;
  };
  for (const Flat& t : {Flat{{50, 50, 50}, 49, 51, {"51,00", "50,00", "49,00"}},
                        Flat{{430}, 429, 431, {"431", "430", "429"}},
                        Flat{{430.4, 431.4}, 430, 432, {"432", "431", "430"}},
                        Flat{{0.3}, 0, 1, {"1,00", "0,50", "0,00"}}}) {
    NutrientChartInput flat{kMay, {"g", false, -1}, false, {}, {}};
    int d = 3;
    for (double v : t.values) flat.days.push_back({{d++, 4, 2024}, v, 0});
    const ChartScene s = LayoutNutrientChart(flat, Canvas());
    EXPECT_NEAR(s.minLeft, t.min, 1e-9) << t.values[0];
    EXPECT_NEAR(s.maxLeft, t.max, 1e-9) << t.values[0];
    EXPECT_EQ(s.leftLabels, t.labels) << t.values[0];
    const auto circles = Shapes(s, ChartShape::Kind::Circle, kChartRed);
    ASSERT_EQ(circles.size(), t.values.size());
    for (const ChartShape* c : circles) EXPECT_LT(c->y, y0 - 3 - 10) << t.values[0];
  }
  ChartScene s;

  // Values from 20 to 80 without a requirement: 80,00, 50,00 and 20,00.
  NutrientChartInput spread{kMay, {"mg", false, -1}, false, {}, {}};
  spread.days = {{{3, 4, 2024}, 20, 0}, {{9, 4, 2024}, 80, 0}, {{12, 4, 2024}, 35, 0}};
  s = LayoutNutrientChart(spread, Canvas());
  EXPECT_EQ(s.leftLabels, (std::vector<std::string>{"80,00", "50,00", "20,00"}));
  // Without a second nutrient: no right axis, no green marks, the x axis ends in an arrowhead.
  EXPECT_TRUE(s.rightLabels.empty());
  EXPECT_TRUE(Shapes(s, ChartShape::Kind::Square, kChartGreen).empty());
  const auto blue = Shapes(s, ChartShape::Kind::Polyline, kChartBlue);
  ASSERT_GE(blue.size(), 2u);
  EXPECT_EQ(blue[1]->points.size(), 5u);  // the x axis with its arrowhead

  // Above 100 no decimals; a requirement widens the range and draws its line.
  NutrientChartInput energy{kMay, {"kcal", true, 2000}, true, {"g", true, 60}, {}};
  energy.days = {{{10, 4, 2024}, 1800, 70}, {{11, 4, 2024}, 2400, 40}};
  s = LayoutNutrientChart(energy, Canvas());
  EXPECT_EQ(s.leftLabels.front(), "2400");
  EXPECT_EQ(s.leftLabels.back(), "1800");
  EXPECT_EQ(s.rightLabels.back(), "40,00");
  EXPECT_EQ(Shapes(s, ChartShape::Kind::Square, kChartGreen).size(), 2u);
  EXPECT_EQ(Shapes(s, ChartShape::Kind::Polyline, kChartRed).size(), 1u);  // requirement line
  // Two days close together: the second date is left out.
  EXPECT_EQ(s.dateLabels.size(), 1u);

  // No complete day: nothing is drawn; a box below 100 pixels shows only the background.
  EXPECT_TRUE(LayoutNutrientChart({kMay, {"g"}, false, {}, {}}, Canvas()).shapes.empty());
  ChartCanvas small = Canvas();
  small.height = 99;
  EXPECT_TRUE(LayoutNutrientChart(spread, small).shapes.empty());
}

WeightChartEntry Weight(int day, int month, const std::string& kg, const std::string& fat = "") {
  WeightChartEntry e;
  e.date = {day, month, 2024};
  e.values[0] = kg;
  e.values[1] = fat;
  return e;
}

TEST(DiaryCharts, WeightLines) {
  const ChartCanvas c = Canvas();
  // An empty log: an axis from 0 upwards without labels, no line.
  ChartScene s = LayoutWeightChart({kMay, {}, -1}, c);
  EXPECT_TRUE(s.leftLabels.empty());
  EXPECT_LT(s.minLeft, s.maxLeft);
  EXPECT_TRUE(Shapes(s, ChartShape::Kind::Polyline, kChartRed).empty());
  EXPECT_TRUE(Shapes(s, ChartShape::Kind::Circle, kChartRed).empty());

  // One weight in the period, and two close together: three different labels around them and
  // the lone point shown as a dot in the middle of the scale.
  struct Lone {
    std::vector<WeightChartEntry> entries;
    std::vector<std::string> labels;
  };
  for (const Lone& lone : {Lone{{Weight(12, 4, "64")}, {"65", "64", "63"}},
                           Lone{{Weight(12, 4, "64,5"), Weight(20, 4, "65")}, {"66", "65", "64"}}}) {
    s = LayoutWeightChart({kMay, lone.entries, -1}, c);
    EXPECT_EQ(s.leftLabels, lone.labels);
    const auto dots = Shapes(s, ChartShape::Kind::Circle, kChartRed);
    const auto lines = Shapes(s, ChartShape::Kind::Polyline, kChartRed);
    EXPECT_EQ(dots.size() + lines.size(), 1u);
    const int y = dots.empty() ? lines[0]->points[0].second : dots[0]->y + 3;
    const int y0 = static_cast<int>(300 - 10 - 1.5 * 13), top = y0 - 234;  // plot height
    EXPECT_GT(y, top + 20) << lone.labels[1];
    EXPECT_LT(y, y0 - 20) << lone.labels[1];
  }
  s = LayoutWeightChart({kMay, {Weight(12, 4, "64")}, -1}, c);
  ASSERT_EQ(Shapes(s, ChartShape::Kind::Circle, kChartRed).size(), 1u);

  // Entries only before and after the period: one straight line from edge to edge.
  s = LayoutWeightChart({kMay, {Weight(20, 3, "80"), Weight(10, 5, "70")}, -1}, c);
  auto red = Shapes(s, ChartShape::Kind::Polyline, kChartRed);
  ASSERT_EQ(red.size(), 1u);
  ASSERT_EQ(red[0]->points.size(), 2u);
  EXPECT_GT(red[0]->points[1].second, red[0]->points[0].second);  // falling weight, lower end
  EXPECT_EQ(red[0]->points[1].first, 400 - 10);  // the right end of the x axis
  EXPECT_DOUBLE_EQ(s.minLeft, 70);
  EXPECT_DOUBLE_EQ(s.maxLeft, 80);

  // An entry on the first day: the line starts at it, no continuation from the left edge;
  // a later neighbour continues it to the right edge.
  s = LayoutWeightChart(
      {kMay, {Weight(20, 3, "81"), Weight(1, 4, "80"), Weight(15, 4, "79,5"), Weight(2, 5, "78")},
       -1},
      c);
  red = Shapes(s, ChartShape::Kind::Polyline, kChartRed);
  ASSERT_EQ(red.size(), 1u);
  ASSERT_EQ(red[0]->points.size(), 3u);
  EXPECT_EQ(s.leftLabels.front(), "81");  // the neighbour before widens the range

  // The compare line: percent label, green line and right labels.
  s = LayoutWeightChart({kMay, {Weight(3, 4, "80", "22,5"), Weight(20, 4, "79", "21")}, 1}, c);
  EXPECT_EQ(Shapes(s, ChartShape::Kind::Polyline, kChartGreen).size(), 1u);
  EXPECT_EQ(s.rightLabels.size(), 3u);
  bool percent = false;
  for (const ChartShape& shape : s.shapes) percent = percent || shape.text == "%";
  EXPECT_TRUE(percent);
}

}  // namespace
}  // namespace tav
