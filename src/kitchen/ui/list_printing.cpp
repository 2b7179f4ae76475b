#include "kitchen/ui/list_printing.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"
#include "services/tools_module.h"

namespace tav {

namespace {

// A line to draw: its font and the gap in line heights before it.
struct Styled {
  QString text;
  QFont font;
  double gapBefore = 0;
};

// Draws the lines page by page into `pdf` with the list margins (options 14, 27, 28, at least
// 15 mm) and a footer, then opens the file. False when nothing could be written.
bool DrawPdf(const std::string& pdf, const QString& title, const std::vector<Styled>& lines,
             const QString& footer) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(toQ(NativePath(pdf)));
  printer.setDocName(title);
  printer.setPageSize(QPageSize(QPageSize::A4));
  const OptionsStore* options = ctx().options;
  const auto mm = [&](int id) { return std::max(15, options ? options->Int(id) : 0); };
  printer.setPageMargins(QMarginsF(mm(14), mm(27), 15, mm(28)), QPageLayout::Millimeter);
  QPainter p;
  if (!p.begin(&printer)) return false;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  QFont small(QStringLiteral("Arial"));
  small.setPointSize(6);
  const int footerHeight = QFontMetrics(small, &printer).height() * 2;
  int y = 0;
  const auto drawFooter = [&] {
    p.setFont(small);
    p.drawText(0, page.height() - QFontMetrics(small, &printer).descent(), footer);
  };
  for (const Styled& line : lines) {
    const QFontMetrics fm(line.font, &printer);
    y += static_cast<int>(line.gapBefore * fm.height());
    if (y + fm.height() > page.height() - footerHeight) {
      drawFooter();
      printer.newPage();
      y = 0;
    }
    p.setFont(line.font);
    p.drawText(0, y + fm.ascent(), line.text);
    y += fm.height();
  }
  drawFooter();
  return p.end();
}

QFont ListFont(int points, bool bold, bool italic, bool underline) {
  QFont f(QStringLiteral("Arial"));
  f.setPointSize(points);
  f.setBold(bold);
  f.setItalic(italic);
  f.setUnderline(underline);
  return f;
}

std::string ExportFolder() {
  return ctx().options ? ctx().options->Str(4) : std::string();
}

// "Tavolin! Einkaufszettel, Version " and the program's version.
QString Footer(int text) {
  std::string version;
  if (ctx().tools) ctx().tools->GetVersionString(version);
  return toQ(GetLangText(text) + version);
}

}  // namespace

void PrintShoppingList(QWidget* parent) {
  (void)parent;
  std::vector<std::string> text;
  if (!ReadTextLines(NativePath(ExportFolder() + "Kauflist.txt"), text) || text.empty()) return;
  std::vector<Styled> lines;
  // The heading without its "---- " and " ----" frame.
  std::string heading = text[0];
  if (heading.size() > 8) heading = heading.substr(4, heading.size() - 8);
  lines.push_back({toQ(heading), ListFont(12, true, false, true), 0});
  for (size_t i = 1; i < text.size(); ++i)
    lines.push_back({toQ(text[i]), ListFont(10, false, false, false), 0});
  const std::string pdf = ExportFolder() + "Kauflist.pdf";
  if (DrawPdf(pdf, toQ(GetLangText(152)), lines, Footer(156))) ShellOpenFile(pdf);
}

void PrintWeekPlanFile(QWidget* parent) {
  (void)parent;
  std::vector<std::string> text;
  if (!ReadTextLines(NativePath(ExportFolder() + "WPlan.txt"), text) || text.empty()) return;
  std::vector<Styled> lines;
  lines.push_back({toQ(text[0]), ListFont(12, true, false, true), 0});
  for (size_t i = 1; i < text.size(); ++i) {
    const std::string& l = text[i];
    const bool kind = l.size() >= 2 && l[1] == ':';
    const QString body = kind ? toQ(l.substr(2)) : QString();
    if (kind && l[0] == 'D')
      lines.push_back({body, ListFont(11, false, true, true), 1});
    else if (kind && l[0] == 'T')
      lines.push_back({body, ListFont(12, true, false, false), 0});
    else if (kind && l[0] == 'B')
      lines.push_back({body, ListFont(10, false, true, false), 0});
    else if (!kind)
      lines.push_back({QString(), ListFont(3, false, false, false), 0});
  }
  const std::string pdf = ExportFolder() + "WPlan.pdf";
  if (DrawPdf(pdf, QStringLiteral("Tavolin! Wochenplan"), lines, Footer(157))) ShellOpenFile(pdf);
}

}  // namespace tav
