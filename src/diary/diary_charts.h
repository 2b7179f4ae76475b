#pragma once
// The two charts of the diary overview worked out without a screen: the nutrient chart (one or
// two nutrients on the complete days of a period, against the requirements) and the weight
// chart (the weight log as a line, optionally a compare line, continued to the period's edges
// from the nearest entries outside it). Each layout gives the shapes to draw, in order; the
// window paints them with QPainter. Positions are pixels (cut toward zero), colours 0x00BBGGRR.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "diary/diary_period.h"

namespace tav {

inline constexpr uint32_t kChartBlue = 0xFF0000;
inline constexpr uint32_t kChartRed = 0x0000FF;
inline constexpr uint32_t kChartGreen = 0x008000;
inline constexpr uint32_t kChartBackground = 0xCCFFEE;

struct ChartShape {
  enum class Kind { Polyline, Text, Square, Circle };
  Kind kind = Kind::Polyline;
  uint32_t colour = 0;
  std::vector<std::pair<int, int>> points;  // Polyline
  int x = 0, y = 0;                         // Text (top left), Square and Circle (7 x 7 box)
  std::string text;
};

struct ChartScene {
  std::vector<ChartShape> shapes;
  // What the axes show, for a look without drawing: the ranges after the widening, and the
  // left and right labels from the top (maximum, middle, minimum).
  double minLeft = 0, maxLeft = 0, minRight = 0, maxRight = 0;
  std::vector<std::string> leftLabels, rightLabels;
  std::vector<std::string> dateLabels;  // the dates written under the x axis besides the ends
};

// The paint box and its font: cx and cy are the width and height of "W".
struct ChartCanvas {
  int width = 0, height = 0;
  int cx = 8, cy = 13;
  std::function<int(const std::string&)> textWidth;
};

// "0" when above 100, else "0.00" (the user's decimal separator).
std::string FormatGraphValue(double x);

struct NutrientChartDay {
  CalendarDate date;
  double a = 0, b = 0;
};
struct NutrientChartSeries {
  std::string unit;             // the nutrient's unit, cut before its first '/'
  bool hasRequirement = false;  // the person has a row for the nutrient
  double requirement = -1;      // its effective value
};
struct NutrientChartInput {
  DiaryPeriod period;
  NutrientChartSeries a;
  bool withB = false;
  NutrientChartSeries b;
  std::vector<NutrientChartDay> days;  // the complete days of the period, in order
};
ChartScene LayoutNutrientChart(const NutrientChartInput& in, const ChartCanvas& canvas);

struct WeightChartEntry {
  CalendarDate date;
  std::string values[6];  // as typed
};
struct WeightChartInput {
  DiaryPeriod period;
  std::vector<WeightChartEntry> entries;  // the weight log in date order
  int compare = -1;                       // value column 1-5 of the compare line, -1 none
};
ChartScene LayoutWeightChart(const WeightChartInput& in, const ChartCanvas& canvas);

}  // namespace tav
