#include "exchange/print_layout.h"

#include "exchange/recipe_list_snapshot.h"
#include "exchange/text_export_blocks.h"
#include "recipedb/category_table.h"
#include "recipedb/servings.h"
#include "recipes/key_figure_choice.h"
#include "recipes/key_figures.h"
#include "recipes/recipe_view.h"
#include "services/amounts.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/text_tools.h"

namespace tav {

namespace {

std::string NoTabs(std::string text) {
  for (char& c : text)
    if (c == '\t') c = ' ';
  return text;
}

// A position on a page: later pages come after, on one page the larger y.
struct PagePos {
  int page;
  int y;
  bool operator<(const PagePos& o) const { return page != o.page ? page < o.page : y < o.y; }
};

}  // namespace

int MillimetresToDots(int millimetres) {
  return static_cast<int>(kLayoutDpi * 0.03937007874015748 * millimetres);
}

int RecipePrintView::SetPrintFont(PrintCanvas& canvas, int points, int style) const {
  // MulDiv(points, 300, 72): the character height at 300 dots an inch, rounded.
  const int height = (points * kLayoutDpi + 36) / 72;
  canvas.SetFont(points, style, height);
  return height;
}

int RecipePrintView::AvailHeight(PrintCanvas& canvas) const {
  const int lh = SetPrintFont(canvas, 10, 0);
  return PageHeight - BottomMargin - TopMargin - 2 * lh;
}

void RecipePrintView::Footer(PrintCanvas& canvas, const std::string& text) const {
  const int lh = SetPrintFont(canvas, 6, 0);
  canvas.TextOut(LeftMargin, PageHeight - lh - BottomMargin, text + ExportVersion());
}

void RecipePrintView::SetRecipeMargins() {
  OptionsStore* o = ctx().options;
  LeftMargin = MillimetresToDots(o ? o->Int(13) : 20);
  TopMargin = MillimetresToDots(o ? o->Int(25) : 10);
  BottomMargin = MillimetresToDots(o ? o->Int(26) : 10);
}

void RecipePrintView::SetListMargins() {
  OptionsStore* o = ctx().options;
  // Lists get the recipes' margins unless the user chose others (a sheet printed to its edge
  // loses its first letters in most printers).
  LeftMargin = MillimetresToDots(o ? o->Int(14) : 20);
  TopMargin = MillimetresToDots(o ? o->Int(27) : 10);
  BottomMargin = MillimetresToDots(o ? o->Int(28) : 10);
}

void RecipePrintView::KeyFigureRows(std::vector<std::string>& rows) const {
  if (!keyFigures) return;
  const REZBLOCK& r = Recipe;
  for (const PARA_SHOWDATA& figure : keyFigures->keyFigures) {
    if (figure.outputKind != kKeyFiguresPrint) continue;
    const std::string label = figure.altText.empty() ? figure.displayName : figure.altText;
    auto labelRow = [&](const std::string& value) {
      if (!value.empty()) rows.push_back(label + ": " + value);
    };
    if (const std::string* field = KeyFigureField(r, figure.figureId)) {
      if (!field->empty())
        labelRow(IsTimeFigure(figure.figureId) ? AmountWithDefaultUnit(*field) : *field);
      continue;
    }
    switch (figure.figureId) {
      case kFigureNutrient: {
        std::string value;
        if (GetNutrientText(r, figure.stoffCode, value)) {
          NutrientPerServing(r, value);
          labelRow(value);
        }
        break;
      }
      case kFigureServings: {
        const int orig = OwnServings, cur = r.servings;
        std::string row = orig == cur ? label + ": " : GetLangText(561);
        if (orig != 0) row += std::to_string(orig) + " ";
        row += r.servingType;
        rows.push_back(row);
        if (orig != cur) {
          row = GetLangText(586);
          if (cur != 0) row += std::to_string(cur) + " ";
          row += r.servingType;
          rows.push_back(row);
        }
        break;
      }
      case kFigureCategories:
        for (int slot = 0; slot < 10; ++slot) {
          std::string name;
          const uint16_t id = r.categories[slot];
          if (id == 0 || !ctx().categories || !ctx().categories->GetGattName(id, name)) continue;
          if (slot == 0)
            labelRow(name);
          else
            rows.push_back("   " + name);
        }
        break;
      case kFigureKeywords: {
        std::vector<std::string> words;
        SplitText(r.hint, words, kSplitWords);
        for (size_t i = 0; i < words.size(); ++i) {
          if (i == 0)
            labelRow(words[i]);
          else
            rows.push_back(" " + words[i]);
        }
        break;
      }
      case kFigureSource: {
        std::vector<std::string> lines;
        WrapText(r.source, lines, 0, 39);
        for (size_t i = 0; i < lines.size(); ++i) {
          if (i == 0)
            labelRow(lines[i]);
          else
            rows.push_back("   " + lines[i]);
        }
        break;
      }
      case kFigureRecipeId:
        if (r.recipeIdLow != 0)
          labelRow(std::to_string(r.recipeIdHigh) + "," + std::to_string(r.recipeIdLow));
        break;
      case kFigureEnergy: {
        std::string value;
        if (GetEnergyPerServing(r, value)) labelRow(value);
        break;
      }
      default:  // remarks, quality, difficulty and the book are not printed as figures
        break;
    }
  }
}

int RecipePrintView::LayoutRecipePage(PrintCanvas& canvas, int page) const {
  const int avail = AvailHeight(canvas);
  auto past = [&](int y) { return y - TopMargin > avail; };
  const REZBLOCK& r = Recipe;

  const int lhTitle = SetPrintFont(canvas, 16, kFontBold | kFontUnderline);
  if (page == 1) canvas.TextOut(LeftMargin, TopMargin, r.title);  // whatever the margin

  // The key figures in the right column, the ingredients in the left; each column breaks onto
  // the next page on its own.
  PagePos right{1, TopMargin + 2 * lhTitle};
  PagePos left = right;
  int lh = SetPrintFont(canvas, 10, 0);
  auto place = [&](PagePos& at, int x, const std::string& text) {
    if (past(at.y)) {
      ++at.page;
      at.y = TopMargin;
    }
    if (at.page == page) canvas.TextOut(x, at.y, text);
  };

  std::vector<std::string> figures;
  KeyFigureRows(figures);
  const int xRight = LeftMargin + PageWidth / 2;
  for (const std::string& row : figures) {
    right.y += lh;
    place(right, xRight, row);
  }

  for (const REZZUTAT& line : r.lines) {
    if (!line.text.empty() && line.text[0] == '*') {
      SetPrintFont(canvas, 10, kFontItalic);
      left.y = static_cast<int>(left.y + lh * 1.4);
      place(left, LeftMargin, line.text.substr(1));
      SetPrintFont(canvas, 10, 0);
      continue;
    }
    std::string row;
    if (!line.amount.empty()) row += FormatNumberText(line.amount, 2) + " ";
    if (!line.unit.empty()) row += line.unit + " ";
    if (!line.text.empty() && line.text[0] == '-')
      row += "      " + line.text.substr(1);
    else
      row += line.text;
    left.y += lh;
    place(left, LeftMargin, row);
  }

  PagePos text = left < right ? right : left;
  text.y += 2 * lh;
  auto block = [&](const std::string& source, int width) {
    std::vector<std::string> lines;
    WrapText(source, lines, 0, static_cast<unsigned>(width));
    for (const std::string& line : lines) {
      place(text, LeftMargin, NoTabs(line));
      text.y += lh;
    }
  };
  lh = SetPrintFont(canvas, 12, 0);
  block(r.text, 75);

  const int mode = keyFigures ? keyFigures->GetRemarkShowMode(kKeyFiguresPrint) : 0;
  const std::string user = ctx().options ? ctx().options->Str(10) : std::string();
  for (const REZREMARK* remark : ShownRemarks(r, mode, user)) {
    lh = SetPrintFont(canvas, 12, kFontItalic);
    text.y += lh;
    block("    " + remark->author, 75);
    lh = SetPrintFont(canvas, 10, 0);
    block(remark->text, 75);
  }

  Footer(canvas, GetLangText(129));
  int pages = left.page;
  if (right.page > pages) pages = right.page;
  if (text.page > pages) pages = text.page;
  return pages;
}

bool RecipePrintView::PrintPages(PrintDevice& device, const std::string& title,
                                 PageRoutine routine) {
  NullCanvas counter;
  if ((this->*routine)(counter, 0) == 0) return false;  // nothing to print, no empty sheet
  if (!device.BeginJob(title)) return false;
  PrintCanvas& canvas = device.Canvas();
  int page = 1;
  int count = 0;
  do {
    count = (this->*routine)(canvas, page);
    if (page < count) device.NewPage();
    ++page;
  } while (page <= count);
  return device.EndJob();
}

bool RecipePrintView::PrintRecipe(PrintDevice& device, const REZBLOCK& recipe, int ownServings) {
  Recipe = recipe;
  OwnServings = ownServings;
  PageWidth = device.PageWidth();
  PageHeight = device.PageHeight();
  SetRecipeMargins();
  return PrintPages(device, GetLangText(151), &RecipePrintView::LayoutRecipePage);
}

void RecipePrintView::ComputePreviewGeometry(int viewWidth, int viewHeight, int pageW, int pageH) {
  if (pageW <= 0 || pageH <= 0) {
    pageW = kReferencePageWidth;
    pageH = kReferencePageHeight;
  }
  const double ratio = static_cast<double>(pageW) / pageH;
  SheetHeight = viewHeight - 50;
  SheetWidth = static_cast<int>(SheetHeight * ratio);
  // A sheet wider than the view would push what stands beside it out of the view.
  if (SheetWidth > viewWidth - 50) {
    SheetWidth = viewWidth - 50;
    SheetHeight = static_cast<int>(SheetWidth / ratio);
  }
  if (pageH > pageW) {
    if (SheetWidth < 201) {
      SheetWidth = 200;
      SheetHeight = static_cast<int>(200 / ratio);
    }
  } else if (SheetHeight < 201) {
    SheetHeight = 200;
    SheetWidth = static_cast<int>(200 * ratio);
  }
  PageWidth = pageW;
  PageHeight = pageH;
  Scale = static_cast<double>(SheetWidth) / pageW;
}

bool RecipePrintView::LoadPreviewRecipe(int pos, bool searchMode) {
  ListPos = pos;
  REZBLOCK recipe;
  if (!ReadRecipeOfListItem(pos, searchMode, recipe)) return false;
  Recipe = recipe;
  OwnServings = recipe.servings;
  // Scaled to the chosen servings; amounts of more than two decimals shown with two.
  ScaleToChosenServings(Recipe);
  return true;
}

}  // namespace tav
