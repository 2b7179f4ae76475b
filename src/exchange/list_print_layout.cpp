// The printed lists: the shopping list, the week plan and the recipe title list, each read from
// its text file in the export folder on every call (RecipePrintView, print_layout.h).
#include <vector>

#include "exchange/print_layout.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

namespace {

bool ReadListFile(const char* name, std::vector<std::string>& lines) {
  const std::string folder = ctx().options ? ctx().options->Str(4) : std::string();
  return ReadTextLines(folder + name, lines);
}

struct PagePos {
  int page;
  int y;
  bool operator<(const PagePos& o) const { return page != o.page ? page < o.page : y < o.y; }
};

// The parts of Kauflist.txt: the recipes up to the first empty line, then what to buy (dealer
// groups; an empty line comes before the items without a dealer), then from the dashed line on
// the user's own errands, every line as written.
bool ErrandsLine(const std::string& line) {
  return line.size() >= 6 && line.compare(0, 3, "---") == 0 &&
         line.compare(line.size() - 3, 3, "---") == 0;
}

}  // namespace

// Section 0 (the recipes) in the right half, section 1 (what to buy) on the left, section 2
// (further errands) below the longer of the two. Each column breaks onto the next page on its
// own, so the other column's lines on the page before stay where they are.
int RecipePrintView::PrintShoppingListPage(PrintCanvas& canvas, int page) const {
  std::vector<std::string> lines;
  if (!ReadListFile("Kauflist.txt", lines)) return 0;
  const int avail = AvailHeight(canvas);
  auto past = [&](int y) { return y - TopMargin > avail; };

  const std::string& first = lines.empty() ? std::string() : lines[0];
  const std::string title = first.size() >= 8 ? first.substr(4, first.size() - 8) : std::string();
  const int lhTitle = SetPrintFont(canvas, 12, kFontBold | kFontUnderline);
  if (page == 1) canvas.TextOut(LeftMargin, TopMargin, title);

  PagePos right{1, TopMargin + 2 * lhTitle};
  PagePos left = right, below = right;
  const int lh = SetPrintFont(canvas, 10, 0);
  const int xRight = LeftMargin + PageWidth / 2;
  auto heading = [&](const PagePos& at, int x, int text) {
    if (at.page != page) return;
    SetPrintFont(canvas, 10, kFontItalic | kFontUnderline);
    canvas.TextOut(x, at.y, GetLangText(text));
    SetPrintFont(canvas, 10, 0);
  };
  // An empty line inside a part is a gap before the next printed line, never after the last.
  bool gap = false;
  auto place = [&](PagePos& at, int x, const std::string& text) {
    if (text.empty()) {
      gap = true;
      return;
    }
    at.y += gap ? 2 * lh : lh;
    gap = false;
    if (past(at.y)) {
      ++at.page;
      at.y = TopMargin;
    }
    if (at.page == page) canvas.TextOut(x, at.y, text);
  };

  int section = 0;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (section == 0 && line.empty()) {
      section = 1;
      gap = false;
      heading(left, LeftMargin, 154);
      continue;
    }
    if (section == 1 && ErrandsLine(line)) {
      section = 2;
      gap = false;
      below = left < right ? right : left;
      below.y += 2 * lh;
      if (past(below.y)) {
        ++below.page;
        below.y = TopMargin;
      }
      heading(below, LeftMargin, 155);
      continue;
    }
    if (section == 0) {
      if (i == 1) heading(right, xRight, 153);
      place(right, xRight, line);
    } else {
      place(section == 1 ? left : below, LeftMargin, line);
    }
  }
  if (section < 2) below = left < right ? right : left;

  Footer(canvas, GetLangText(156));
  int pages = below.page;
  if (left.page > pages) pages = left.page;
  if (right.page > pages) pages = right.page;
  return pages;
}

// "D:" day headings, "T:" entries, "B:" remarks; any other line is a small gap. A line that no
// longer fits starts the next page, so no page is left with only its footer.
int RecipePrintView::PrintWeekPlanPage(PrintCanvas& canvas, int page) const {
  std::vector<std::string> lines;
  if (!ReadListFile("WPlan.txt", lines)) return 0;
  const int avail = AvailHeight(canvas);
  auto past = [&](int y) { return y - TopMargin > avail; };

  const int lhTitle = SetPrintFont(canvas, 12, kFontBold | kFontUnderline);
  if (page == 1 && !lines.empty()) canvas.TextOut(LeftMargin, TopMargin, lines[0]);
  PagePos at{1, TopMargin + 2 * lhTitle};
  SetPrintFont(canvas, 10, 0);
  auto place = [&](const std::string& text) {
    if (past(at.y)) {
      ++at.page;
      at.y = TopMargin;
    }
    if (at.page == page) canvas.TextOut(LeftMargin, at.y, text);
  };

  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.size() >= 2 && line[1] == ':') {
      const std::string text = line.substr(2);
      switch (line[0]) {
        case 'D': {
          const int lh = SetPrintFont(canvas, 11, kFontItalic | kFontUnderline);
          at.y += lh;
          place(text);
          at.y += lh;
          break;
        }
        case 'T':
        case 'B': {
          const int lh = line[0] == 'T' ? SetPrintFont(canvas, 12, kFontBold)
                                        : SetPrintFont(canvas, 10, kFontItalic);
          place(text);
          at.y += lh;
          break;
        }
        default:
          break;
      }
      continue;
    }
    at.y += SetPrintFont(canvas, 10, 0) / 3;
  }

  Footer(canvas, GetLangText(157));
  return at.page;
}

int RecipePrintView::PrintRecipeListPage(PrintCanvas& canvas, int page) const {
  std::vector<std::string> lines;
  if (!ReadListFile("KList.txt", lines)) return 0;
  const int avail = AvailHeight(canvas);
  const int lh = SetPrintFont(canvas, 10, 0);
  // Two line heights of the list's own font above the first title, on every page alike.
  PagePos at{1, TopMargin + 2 * lh};
  for (const std::string& line : lines) {
    if (at.y - TopMargin > avail) {
      ++at.page;
      at.y = TopMargin;
    }
    if (at.page == page) canvas.TextOut(LeftMargin, at.y, line);
    at.y += lh;
  }
  Footer(canvas, GetLangText(158));
  return at.page;
}

bool RecipePrintView::PrintShoppingList(PrintDevice& device) {
  PageWidth = device.PageWidth();
  PageHeight = device.PageHeight();
  SetListMargins();
  return PrintPages(device, GetLangText(152), &RecipePrintView::PrintShoppingListPage);
}

bool RecipePrintView::PrintWeekPlanFile(PrintDevice& device) {
  PageWidth = device.PageWidth();
  PageHeight = device.PageHeight();
  SetListMargins();
  return PrintPages(device, "Tavolin! Wochenplan", &RecipePrintView::PrintWeekPlanPage);
}

bool RecipePrintView::PrintRecipeList(PrintDevice& device) {
  PageWidth = device.PageWidth();
  PageHeight = device.PageHeight();
  SetListMargins();
  return PrintPages(device, "Tavolin! Rezeptliste", &RecipePrintView::PrintRecipeListPage);
}

}  // namespace tav
