#include "diary/diary_charts.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/numbers.h"
#include "services/dates.h"

namespace tav {

namespace {

constexpr int kMargin = 10;

int Trunc(double v) {
  return static_cast<int>(v);
}

// Days since 1 January 1900: positions on the x axis and distances for the interpolation.
int DayNumber(const CalendarDate& d) {
  return DaysBetween(1, 0, 1900, d.day, d.month, d.year);
}

struct Range {
  double min = 65531, max = 0;
  void Widen(double v) {
    min = std::min(min, v);
    max = std::max(max, v);
  }
};

// The frame shared by both charts: scales, axes, labels and the period's dates.
struct Frame {
  Frame(const ChartCanvas& canvas, ChartScene& out) : c(canvas), scene(out) {}
  const ChartCanvas& c;
  ChartScene& scene;
  bool second = false;
  int w1 = 0, w2 = 0;
  double y0 = 0, x0 = 0;
  int pH = 0;
  Range left, right;
  double sLeft = 0, sRight = 0;
  int leftLimit = 0, rightLimit = 0;
  // An axis without any value gets no value labels.
  bool leftBlank = false, rightBlank = false;

  int Width(const std::string& t) const { return c.textWidth ? c.textWidth(t) : 0; }
  void Add(ChartShape::Kind kind, uint32_t colour, std::vector<std::pair<int, int>> points) {
    ChartShape s;
    s.kind = kind;
    s.colour = colour;
    s.points = std::move(points);
    scene.shapes.push_back(std::move(s));
  }
  void Text(uint32_t colour, int x, int y, std::string text) {
    ChartShape s;
    s.kind = ChartShape::Kind::Text;
    s.colour = colour;
    s.x = x;
    s.y = y;
    s.text = std::move(text);
    scene.shapes.push_back(std::move(s));
  }
  void Box(ChartShape::Kind kind, uint32_t colour, int x, int y) {
    ChartShape s;
    s.kind = kind;
    s.colour = colour;
    s.x = x;
    s.y = y;
    scene.shapes.push_back(std::move(s));
  }

  // Steps 2 to 5: scales and axes.
  void Axes() {
    const int W = c.width, H = c.height, m = kMargin, cx = c.cx;
    y0 = H - m - 1.5 * c.cy;
    pH = Trunc(H - 2 * m - 3.5 * c.cy);
    x0 = m + w1 + 0.75 * cx;
    for (Range* r : {&left, &right})
      if (r->max == r->min) r->max += 1;
    sLeft = pH / (left.max - left.min);
    sRight = pH / (right.max - right.min);
    scene.minLeft = left.min;
    scene.maxLeft = left.max;
    scene.minRight = right.min;
    scene.maxRight = right.max;
    Add(ChartShape::Kind::Polyline, kChartBlue,
        {{Trunc(x0), m},
         {Trunc(m + w1 + 0.25 * cx), m + cx},
         {Trunc(m + w1 + 1.25 * cx), m + cx},
         {Trunc(x0), m},
         {Trunc(x0), H - m}});
    if (second) {
      const int xR = W - m - w2 - cx;
      Add(ChartShape::Kind::Polyline, kChartBlue,
          {{xR, m},
           {Trunc(W - m - w2 - 0.5 * cx), m + cx},
           {Trunc(W - m - w2 - 1.5 * cx), m + cx},
           {xR, m},
           {xR, H - m}});
    }
    const int yA = Trunc(y0);
    if (second)
      Add(ChartShape::Kind::Polyline, kChartBlue, {{m, yA}, {W - m, yA}});
    else
      Add(ChartShape::Kind::Polyline, kChartBlue,
          {{m, yA},
           {W - m, yA},
           {W - m - cx, yA - cx / 2},
           {W - m - cx, yA + cx / 2},
           {W - m, yA}});
  }

  // Steps 6 to 8: value labels with their ticks, and the period's dates.
  void Labels(const std::function<std::string(double)>& format, const DiaryPeriod& period) {
    const int W = c.width, H = c.height, m = kMargin, cx = c.cx, cy = c.cy;
    const int yT = Trunc(y0 - pH);
    const int ys[3] = {Trunc(y0 - pH - cy / 2), yT + pH / 2 - cy / 2, Trunc(H - m - 2.5 * cy)};
    auto values = [](const Range& r) {
      return std::vector<double>{r.max, r.min + (r.max - r.min) * 0.5, r.min};
    };
    const std::vector<double> lv = values(left);
    for (int i = 0; i < 3 && !leftBlank; ++i) {
      scene.leftLabels.push_back(format(lv[static_cast<size_t>(i)]));
      Text(kChartRed, m, ys[i], scene.leftLabels.back());
    }
    for (int y : {yT, yT + pH / 2})
      Add(ChartShape::Kind::Polyline, kChartBlue,
          {{m + w1 + cx / 2, y}, {Trunc(m + w1 + cx / 2 + 0.75 * cx), y}});
    if (second) {
      const std::vector<double> rv = values(right);
      for (int i = 0; i < 3 && !rightBlank; ++i) {
        scene.rightLabels.push_back(format(rv[static_cast<size_t>(i)]));
        Text(kChartGreen, Trunc(W - m - w2 - 0.25 * cx), ys[i], scene.rightLabels.back());
      }
      for (int y : {yT, yT + pH / 2}) {
        const int x = Trunc(W - m - w2 - 0.5 * cx);
        Add(ChartShape::Kind::Polyline, kChartBlue, {{x, y}, {Trunc(x - 0.75 * cx), y}});
      }
    }
    const std::string first = ChartDateText(period.from), last = ChartDateText(period.to);
    Text(kChartBlue, Trunc(x0 + 1), H - m - cy + 1, first);
    Text(kChartBlue, W - m - w2 - Width(last), H - m - cy + 1, last);
    leftLimit = Trunc(m + w1 + 1 + 1.5 * Width(first) + 0.75 * cx);
    rightLimit = Trunc(W - m - w2 - 1.5 * Width(last));
  }
};

// A scale whose three labels would not all differ (one day, equal or close values) is spread
// around its values, so that the labels differ and the points stand inside the plot rather than
// on its base line. A scale of values that are none below zero keeps 0 as its floor.
void SpreadForLabels(Range& r) {
  const std::string top = FormatGraphValue(r.max);
  const std::string middle = FormatGraphValue(r.min + (r.max - r.min) * 0.5);
  const std::string bottom = FormatGraphValue(r.min);
  if (r.max > r.min && top != middle && middle != bottom) return;
  const bool nonNegative = r.min >= 0;
  const double centre = std::round((r.min + r.max) / 2);
  r.min = std::min(r.min, centre - 1);
  r.max = std::max(r.max, centre + 1);
  if (nonNegative && r.min < 0) r.min = 0;
}

double ValueOf(const std::string& text) {
  return ReadNumber(text);  // ',' is read as '.'; no number gives 0
}

}  // namespace

std::string FormatGraphValue(double x) {
  return FormatFixed(x, x > 100 ? 0 : 2);
}

ChartScene LayoutNutrientChart(const NutrientChartInput& in, const ChartCanvas& c) {
  ChartScene scene;
  if (c.width < 100 || c.height < 100 || in.days.empty()) return scene;
  Frame f(c, scene);
  f.second = in.withB;
  const int W = c.width, m = kMargin, cx = c.cx;
  for (const NutrientChartDay& d : in.days) {
    f.left.Widen(d.a);
    if (in.withB) f.right.Widen(d.b);
  }
  const double ra = in.a.hasRequirement ? in.a.requirement : -1;
  const double rb = in.withB && in.b.hasRequirement ? in.b.requirement : -1;
  if (in.a.hasRequirement) f.left.Widen(ra);
  if (in.withB && in.b.hasRequirement) f.right.Widen(rb);
  SpreadForLabels(f.left);
  if (in.withB) SpreadForLabels(f.right);
  f.w1 = std::max(f.Width(FormatGraphValue(f.left.min)), f.Width(FormatGraphValue(f.left.max)));
  if (in.withB)
    f.w2 = std::max(f.Width(FormatGraphValue(f.right.min)), f.Width(FormatGraphValue(f.right.max)));
  f.Text(kChartRed, m, m, in.a.unit);
  f.w1 = std::max(f.w1, Trunc(f.Width(in.a.unit) + 0.25 * cx));
  if (in.withB) {
    f.Text(kChartGreen, W - m - f.Width(in.b.unit), m, in.b.unit);
    f.w2 = std::max(f.w2, Trunc(f.Width(in.b.unit) + 0.25 * cx));
  }
  f.Axes();
  const int pW = Trunc(W - 2 * m - f.w1 - f.w2 - 1.75 * cx);
  const int count = std::max(1, PeriodDayCount(in.period));
  const double xs = static_cast<double>(pW) / count;
  if (in.withB && rb > 0) {
    const int y = Trunc(f.y0 - (rb - f.right.min) * f.sRight);
    f.Add(ChartShape::Kind::Polyline, kChartGreen, {{Trunc(f.x0), y}, {W - m - f.w2 - cx / 2, y}});
  }
  if (ra > 0) {
    const int y = Trunc(f.y0 - (ra - f.left.min) * f.sLeft);
    f.Add(ChartShape::Kind::Polyline, kChartRed,
          {{Trunc(m + f.w1 + 0.25 * cx), y}, {W - m - f.w2 - cx, y}});
  }
  f.Labels(FormatGraphValue, in.period);
  const int from = DayNumber(in.period.from);
  for (const NutrientChartDay& d : in.days) {
    const double xc = f.x0 + (DayNumber(d.date) - from) * xs;
    const int px = Trunc(xc - 3);
    if (in.withB && d.b > 0)
      f.Box(ChartShape::Kind::Square, kChartGreen, px,
            Trunc(f.y0 - (d.b - f.right.min) * f.sRight - 3));
    if (d.a > 0)
      f.Box(ChartShape::Kind::Circle, kChartRed, px,
            Trunc(f.y0 - (d.a - f.left.min) * f.sLeft - 3));
    const std::string t = ChartDateText(d.date);
    const int tw = f.Width(t);
    if (xc - 0.6 * tw >= f.leftLimit && xc + 0.6 * tw <= f.rightLimit) {
      f.Text(kChartBlue, Trunc(xc - tw / 2), c.height - m - c.cy + 1, t);
      scene.dateLabels.push_back(t);
      f.leftLimit = Trunc(xc + 0.6 * tw);
    }
  }
  return scene;
}

ChartScene LayoutWeightChart(const WeightChartInput& in, const ChartCanvas& c) {
  ChartScene scene;
  if (c.width < 100 || c.height < 100) return scene;
  Frame f(c, scene);
  f.second = in.compare >= 1 && in.compare <= 5;
  const int W = c.width, H = c.height, m = kMargin, cx = c.cx, cy = c.cy;
  const int columns[2] = {0, f.second ? in.compare : -1};
  struct Neighbour {
    int day = 0;
    double value = 0;
  };
  std::optional<Neighbour> before[2], after[2];
  int widest[2] = {0, 0};
  for (int s = 0; s < 2; ++s) {
    if (columns[s] < 0) continue;
    Range& r = s == 0 ? f.left : f.right;
    for (const WeightChartEntry& e : in.entries) {
      const double v = ValueOf(e.values[columns[s]]);
      if (v <= 0) continue;
      if (DateBefore(e.date, in.period.from)) {
        before[s] = Neighbour{DayNumber(e.date), v};  // the last one before the period
      } else if (DateBefore(in.period.to, e.date)) {
        if (!after[s]) after[s] = Neighbour{DayNumber(e.date), v};  // the first one after it
      } else {
        r.Widen(v);
        widest[s] = std::max(widest[s], f.Width(std::to_string(Trunc(v))));
      }
    }
    for (const auto* n : {&before[s], &after[s]})
      if (*n) {
        r.Widen((*n)->value);
        widest[s] = std::max(widest[s], f.Width(std::to_string(Trunc((*n)->value))));
      }
    if (r.max < r.min) {
      // Nothing to scale: an empty axis from 0 upwards, without labels.
      r = Range{0, 1};
      (s == 0 ? f.leftBlank : f.rightBlank) = true;
      continue;
    }
    if (r.min > 300) r.min = 300;
    // Whole-number labels need a span of two to differ: one value, or values close together,
    // get a scale around them with the points in the middle.
    if (r.max - r.min < 2) {
      const double centre = std::round((r.min + r.max) / 2);
      r.min = std::min(r.min, centre - 1);
      r.max = std::max(r.max, centre + 1);
      widest[s] = std::max(widest[s], f.Width(std::to_string(Trunc(r.max))));
    }
  }
  if (!f.second) f.right = Range{0, 1};
  f.w1 = widest[0];
  f.w2 = f.second ? widest[1] : 0;
  f.Axes();
  int pW = Trunc(W - 2 * m - f.w1 - f.w2 - 0.75 * cx);
  if (f.second) pW -= cx;
  const int from = DayNumber(in.period.from), to = DayNumber(in.period.to);
  const int count = std::max(1, to - from);
  const double xs = static_cast<double>(pW) / count;
  auto whole = [](double v) { return FormatFixed(v, 0); };
  f.Labels(whole, in.period);
  f.Text(kChartRed, m, m, "kg");
  if (f.second && (in.compare == 1 || in.compare == 2))
    f.Text(kChartGreen, W - m - f.Width("%"), m, "%");

  struct Mark {
    int x, width;
    std::string text;
  };
  std::vector<Mark> marks;
  const int xEnd = f.second ? W - m - f.w2 - cx : W - m - f.w2;
  for (int s = 0; s < 2; ++s) {
    if (columns[s] < 0) continue;
    const Range& r = s == 0 ? f.left : f.right;
    const double scale = s == 0 ? f.sLeft : f.sRight;
    auto yOf = [&](double v) { return Trunc(f.y0 - (v - r.min) * scale - 1); };
    auto between = [](int d1, double v1, int d2, double v2, int at) {
      return d2 == d1 ? v1 : v1 + (v2 - v1) * (at - d1) / static_cast<double>(d2 - d1);
    };
    std::vector<std::pair<int, int>> line;
    int lastDay = 0;
    double lastValue = 0;
    for (const WeightChartEntry& e : in.entries) {
      if (!DateInPeriod(e.date, in.period)) continue;
      const double v = ValueOf(e.values[columns[s]]);
      if (v == 0) continue;
      const int day = DayNumber(e.date);
      const int x = Trunc(f.x0 + (day - from) * xs), y = yOf(v);
      if (line.empty() && before[s] && day != from)
        line.emplace_back(Trunc(f.x0),
                          yOf(between(before[s]->day, before[s]->value, day, v, from)));
      line.emplace_back(x, y);
      lastDay = day;
      lastValue = v;
      // The date under the point, where it does not crowd the marks before it.
      const std::string t = ChartDateText(e.date);
      const int w = f.Width(t);
      if (s == 0) {
        if (x - w / 2 > f.leftLimit && x + w / 2 < f.rightLimit) {
          marks.push_back({x, w, t});
          f.leftLimit = x + w;
        }
      } else if (v > 0) {
        int lo = Trunc(m + f.w1 + 1 + 0.75 * cx + 3 * w), hi = Trunc(W - m - f.w2 - 1.5 * w);
        if (!marks.empty()) {
          int leftOf = -1;
          for (size_t i = 0; i < marks.size(); ++i)
            if (marks[i].x < x) leftOf = static_cast<int>(i);
          if (leftOf >= 0) {
            const Mark& k = marks[static_cast<size_t>(leftOf)];
            lo = Trunc(k.x + 0.75 * k.width);
            if (static_cast<size_t>(leftOf) + 1 < marks.size()) {
              const Mark& n = marks[static_cast<size_t>(leftOf) + 1];
              hi = Trunc(n.x - 0.75 * n.width);
            }
          } else {
            hi = Trunc(marks.front().x - 0.75 * marks.front().width);
          }
        }
        if (x - w / 2 > lo && x + w / 2 < hi) marks.push_back({x, w, t});
      }
    }
    if (!line.empty()) {
      if (after[s] && lastDay != to)
        line.emplace_back(xEnd,
                          yOf(between(lastDay, lastValue, after[s]->day, after[s]->value, to)));
    } else if (before[s] && after[s]) {
      line.emplace_back(Trunc(f.x0), yOf(between(before[s]->day, before[s]->value, after[s]->day,
                                                 after[s]->value, from)));
      line.emplace_back(
          xEnd, yOf(between(before[s]->day, before[s]->value, after[s]->day, after[s]->value, to)));
    }
    if (line.size() == 1)  // a lone point draws no line: a dot shows it
      f.Box(ChartShape::Kind::Circle, s == 0 ? kChartRed : kChartGreen, line[0].first - 3,
            line[0].second - 3);
    else if (!line.empty())
      f.Add(ChartShape::Kind::Polyline, s == 0 ? kChartRed : kChartGreen, line);
  }
  for (const Mark& k : marks) {
    f.Add(ChartShape::Kind::Polyline, kChartBlue,
          {{k.x, Trunc(H - m - cy)}, {k.x, Trunc(H - m - 2.0 * cy)}});
    f.Text(kChartBlue, k.x - k.width / 2 + cy / 2, H - m - cy + 1, k.text);
    scene.dateLabels.push_back(k.text);
  }
  return scene;
}

}  // namespace tav
