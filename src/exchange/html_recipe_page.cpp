#include "exchange/html_recipe_page.h"

#include <cstdlib>
#include <optional>

#include "exchange/export_run.h"
#include "exchange/html_index.h"
#include "pictures/picture_size.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/servings.h"
#include "recipedb/unit_table.h"
#include "recipes/key_figure_choice.h"
#include "recipes/key_figures.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/text_tools.h"

namespace tav {

namespace {

constexpr size_t npos = std::string::npos;

std::string Str(int id) {
  return ctx().options ? ctx().options->Str(id) : std::string();
}

bool Has(const std::string& line, const char* marker) {
  return line.find(marker) != npos;
}

// The text after `key` ("P#", "S#") up to the next '#'; the search for that '#' starts one
// character further, so the first character always belongs to the text.
std::string Framed(const std::string& line, const char* key) {
  const size_t p = line.find(key);
  if (p == npos) return std::string();
  const size_t start = p + 2;
  if (start + 1 > line.size()) return std::string();
  const size_t end = line.find('#', start + 1);
  return end == npos ? std::string() : line.substr(start, end - start);
}

// The decimal number at `pos` (atoi): leading blanks, a sign, digits.
int NumberAt(const std::string& line, size_t pos) {
  return pos < line.size() ? std::atoi(line.c_str() + pos) : 0;
}

void ReplaceAll(std::string& text, char from, const char* to) {
  std::string out;
  for (char c : text) {
    if (c == from)
      out += to;
    else
      out += c;
  }
  text.swap(out);
}

bool IsHeading(const REZZUTAT& line) {
  return !line.text.empty() && line.text[0] == '*';
}

// An image that cannot be shown: the line upper-cased without its first image tag.
std::string WithoutFirstImage(const std::string& line) {
  std::string upper = UpperCaseAnsi(line);
  const size_t tag = upper.find("<IMG");
  if (tag == npos) return upper;
  const size_t end = upper.find('>', tag);
  upper.erase(tag, end == npos ? npos : end - tag + 1);
  return upper;
}

// The markers a template line can carry, as bits; a line's markers are found once, when the
// template is read.
enum Marker : uint32_t {
  kHtmlTitle = 1u << 0,
  kFooter = 1u << 1,
  kTitel = 1u << 2,
  kGattung = 1u << 3,
  kAnzahl = 1u << 4,
  kZutaten = 1u << 5,
  kAnleitung = 1u << 6,
  kBemerkung = 1u << 7,
  kStichworte = 1u << 8,
  kCookbook = 1u << 9,
  kQuality = 1u << 10,
  kDifficulty = 1u << 11,
  kErfasser = 1u << 12,
  kQuelle = 1u << 13,
  kTimePrep = 1u << 14,
  kTimeCook = 1u << 15,
  kTimeAll = 1u << 16,
  kInfoData = 1u << 17,
  kBody = 1u << 18,
};

// Markers 1 to 3 count in the whole line; a picture marker cuts the line, and the markers after
// it in the order of service are looked for before the cut only.
const std::pair<const char*, Marker> kWholeLine[] = {
    {"$HTML-Title", kHtmlTitle}, {"$Footer", kFooter}, {"$Titel", kTitel}};
const std::pair<const char*, Marker> kBeforePicture[] = {
    {"$Gattung", kGattung},     {"$Anzahl", kAnzahl},       {"$Zutaten", kZutaten},
    {"$Anleitung", kAnleitung}, {"$Bemerkung", kBemerkung}, {"$Stichworte", kStichworte},
    {"$Cookbook", kCookbook},   {"$Quality", kQuality},     {"$Difficulty", kDifficulty},
    {"$Erfasser", kErfasser},   {"$Quelle", kQuelle},       {"$TimePrep", kTimePrep},
    {"$TimeCook", kTimeCook},   {"$TimeAll", kTimeAll},     {"$InfoData", kInfoData},
    {"</body>", kBody}};

}  // namespace

HtmlRecipePage::PieceMarks HtmlRecipePage::Analyse(const std::string& text) {
  PieceMarks m;
  for (const auto& [marker, bit] : kWholeLine)
    if (Has(text, marker)) m.marks |= bit;
  m.pictureAt = text.find("<!--$Bild");
  m.pictureKind = 0;
  if (m.pictureAt == npos) {
    m.pictureAt = text.find("<!--$ZutatBild");
    m.pictureKind = 1;
  }
  if (m.pictureAt == npos) {
    m.pictureAt = text.find("<!--$GattBild");
    m.pictureKind = 2;
  }
  const std::string_view before =
      m.pictureAt == npos ? std::string_view(text) : std::string_view(text).substr(0, m.pictureAt);
  for (const auto& [marker, bit] : kBeforePicture)
    if (before.find(marker) != npos) m.marks |= bit;
  return m;
}

namespace {

class PageWriter {
 public:
  PageWriter(ExportRun& run, REZBLOCK& recipe, HtmlIndex* index)
      : run_(run), r_(recipe), index_(index) {
    dataRoot_ = Str(90);
    userName_ = Str(10);
    frame_ = Str(34);
    noFooter_ = ctx().options && ctx().options->Flag(36);
    recipePicturePath_ = Str(59);
    // Option 60 names where both kinds of small pictures lie; without it each kind is found
    // in its own folder of the data root.
    const std::string small = Str(60);
    smallPrefix_ = small.empty() ? "file://" + dataRoot_ + "Pics/Zutaten/" : small;
    symbolPrefix_ = small.empty() ? "file://" + dataRoot_ + "Pics/Gattungen/" : small;
    PreparePicture();
  }

  void Line(const TemplatePiece& piece, const HtmlRecipePage::PieceMarks& marks);
  void PlainLine(const TemplatePiece& piece) {
    Put(piece.lineEnd ? piece.text + "\r\n" : piece.text);
  }

 private:
  void Put(const std::string& text) { run_.PutLine(text); }
  void PutData(const std::string& text) { run_.PutDataLine(text); }

  void PreparePicture();
  bool Picture(const std::string& line, size_t at, int kind);
  void Categories(const std::string& line);
  void Ingredients(const std::string& line);
  void IngredientList(bool two);
  void IngredientTable(bool two, const std::string widths[3]);
  std::string UnitText(const REZZUTAT& line) const;
  bool unitNames_ = false, shortUnits_ = false;
  void HeadingLine(const REZZUTAT& line, bool two);
  void Preparation();
  void Remarks();
  bool Rating(const std::string& line, char rating, bool quality);
  void KeyFigures();
  bool KeyFigure(const PARA_SHOWDATA& figure);
  void EndOfBody(const TemplatePiece& piece);

  const std::vector<std::string>& IngredientPictures() {
    if (!zutPictures_) {
      zutPictures_.emplace();
      if (ctx().ingredients) ctx().ingredients->CollectRecipeZutatPictures(r_, *zutPictures_);
    }
    return *zutPictures_;
  }
  const std::vector<std::string>& CategoryPictures() {
    if (!gattPictures_) {
      gattPictures_.emplace();
      if (ctx().categories) ctx().categories->AddRecipeGattSymbols(r_, *gattPictures_);
    }
    return *gattPictures_;
  }

  ExportRun& run_;
  REZBLOCK& r_;
  HtmlIndex* index_;
  std::string dataRoot_, userName_, frame_, recipePicturePath_, smallPrefix_, symbolPrefix_;
  bool noFooter_ = false;
  std::string picturePath_;
  int pictureW_ = 0, pictureH_ = 0;
  int boxW_ = 250, boxH_ = 200;
  bool footerWritten_ = false;
  std::optional<std::vector<std::string>> zutPictures_, gattPictures_;
};

void PageWriter::PreparePicture() {
  if (r_.pictures.empty()) return;
  const std::string& name = r_.pictures[0].name;
  const bool absolute = (!name.empty() && (name[0] == '/' || name[0] == '\\')) ||
                        (name.size() >= 3 && name[1] == ':' && name[2] == '\\');
  std::string path = absolute ? name : dataRoot_ + "Pics/" + name;
  // A file that is missing, or that is no picture, counts as no picture at all.
  if (name.empty() || !FileExists(NativePath(path)) ||
      !ReadPictureSize(NativePath(path), pictureW_, pictureH_)) {
    pictureW_ = pictureH_ = 0;
    r_.pictures[0].name.clear();
    return;
  }
  ReplaceAll(path, '\\', "/");
  picturePath_ = path;
}

// kind 0 the recipe picture, 1 an ingredient picture, 2 a category picture.
bool PageWriter::Picture(const std::string& line, size_t at, int kind) {
  const std::string head = line.substr(0, at);
  std::string address, attributes;
  bool missing = false;
  if (kind == 0) {
    size_t i = at + 9;
    while (i < line.size() && line[i] != '-') {
      const char c = line[i++];
      if ((c == 'w' || c == 'h') && i < line.size() && IsDigit(line[i])) {
        int value = 0;
        while (i < line.size() && IsDigit(line[i])) value = value * 10 + (line[i++] - '0');
        (c == 'w' ? boxW_ : boxH_) = value;
      }
    }
    const size_t gt = line.find('>', at);
    const std::string tail = gt != npos && gt + 2 <= line.size() ? line.substr(gt + 2) : "";
    int w = pictureW_, h = pictureH_;
    HtmlRecipePage::FitPicture(pictureW_, pictureH_, boxW_, boxH_, w, h);
    attributes =
        "\" width=\"" + std::to_string(w) + "\" height=\"" + std::to_string(h) + "\" " + tail;
    missing = r_.pictures.empty() || r_.pictures[0].name.empty();
    if (recipePicturePath_.empty())
      address = "file://" + (missing ? std::string() : picturePath_);
    else
      address = recipePicturePath_ + (r_.pictures.empty() ? std::string() : r_.pictures[0].name);
  } else {
    const size_t markerLength = kind == 1 ? 14 : 13;
    const int n = NumberAt(line, at + markerLength + 1);
    // A number below 1 names no picture: an ingredient marker then leaves the line as text, a
    // category marker counts as a missing picture.
    if (kind == 1 && n < 1) return false;
    const size_t tailAt = at + markerLength + 6;
    attributes = tailAt < line.size() ? line.substr(tailAt) : std::string();
    const std::vector<std::string>& list = kind == 1 ? IngredientPictures() : CategoryPictures();
    missing = n < 1 || static_cast<size_t>(n) > list.size();
    if (!missing)
      address = (kind == 1 ? smallPrefix_ : symbolPrefix_) + list[static_cast<size_t>(n - 1)];
  }
  ReplaceAll(address, '\\', "/");
  // Picture names come from recipes and imports: escaped, a quote cannot end the attribute.
  const std::string out = head + HtmlEscaped(address) + attributes;
  Put(missing ? WithoutFirstImage(out) : out);
  return true;
}

void PageWriter::Categories(const std::string& line) {
  const size_t at = line.find("$Gattung") + 9;
  int perLine = 0;
  if (at < line.size()) perLine = line[at] == 'B' ? 1 : static_cast<uint8_t>(NumberAt(line, at));
  std::string text;
  int inLine = 0;
  for (uint16_t id : r_.categories) {
    std::string name;
    // A slot that names no main category adds nothing.
    if (id == 0 || !ctx().categories || !ctx().categories->GetGattName(id, name)) continue;
    text += inLine == 0 ? GetLangText(535) : std::string(", ");
    text += HtmlEscaped(name);
    ++inLine;
    if (perLine > 0 && inLine >= perLine) {
      Put(text + "<BR>");
      text.clear();
      inLine = 0;
    }
  }
  if (perLine == 0 || inLine != 0) Put(text + "<BR>");
}

std::string PageWriter::UnitText(const REZZUTAT& line) const {
  // A reader of the page knows names, not the codes the book stores ("Sk", "mi"): without the
  // template's F (names) the short name, or the name where the unit has none.
  std::string text = line.unit;
  double value = 0;
  const bool plural = ReadAmountValue(line.amount, value) && value > 1;
  if (!line.unit.empty() && ctx().units)
    ctx().units->GetUnitDisplayName(line.unit, plural, !unitNames_ || shortUnits_, text);
  return text;
}

void PageWriter::HeadingLine(const REZZUTAT& line, bool two) {
  std::string out = "      ";
  if (two) out += "<center>";
  out += "<font size=\"2\" face=\"Arial\"><strong>" + HtmlEscaped(line.text.substr(1)) +
         "</strong></font>";
  if (two) out += "</center>";
  Put(out + "\r\n");
}

// "$Zutaten" followed by options up to the first '-': 2 two columns, F unit names, P short unit
// names, C the column table (C1:40% C2:15 set the widths of its columns, C3 removes one).
void PageWriter::Ingredients(const std::string& line) {
  const size_t at = line.find("$Zutaten") + 8;
  const size_t end = line.find('-', at);
  const std::string options = line.substr(at, end == npos ? npos : end - at);
  bool two = false, table = false;
  int width[3] = {31, 22, 0};
  bool percent[3] = {false, false, false};
  size_t i = 0;
  while (i < options.size()) {
    const char c = options[i++];
    if (c == '2') {
      two = true;
    } else if (c == 'F') {
      unitNames_ = true;
    } else if (c == 'P') {
      unitNames_ = shortUnits_ = true;
    } else if (c == 'C') {
      table = true;
      if (i < options.size() && options[i] >= '1' && options[i] <= '3') {
        const int k = options[i] - '1';
        width[k] = 0;
        if (i + 1 < options.size() && options[i + 1] == ':') {
          i += 2;
          int value = 0;
          while (i < options.size() && IsDigit(options[i]))
            value = value * 10 + (options[i++] - '0');
          width[k] = value;
          if (i < options.size() && options[i] == '%') {
            percent[k] = true;
            ++i;
          }
          ++i;  // the character after an entry
        }
      }
    }
  }
  if (r_.lines.empty()) return;
  if (!table) {
    IngredientList(two);
    return;
  }
  std::string parts[3];
  for (int k = 0; k < 3; ++k)
    if (width[k] != 0)
      parts[k] = " width=\"" + std::to_string(std::abs(width[k])) + (percent[k] ? "%" : "") + "\"";
  IngredientTable(two, parts);
}

void PageWriter::IngredientList(bool two) {
  // The entries: a line's amount, unit and text; a description joins the entry before it.
  std::vector<std::string> entries;
  std::string entry;
  for (const REZZUTAT& line : r_.lines) {
    if (!line.text.empty() && line.text[0] == '-') {
      if (!entry.empty()) entry += ' ';
      entry += line.text.substr(1);
      continue;
    }
    if (!entry.empty()) entries.push_back(entry);
    entry = RoundLongDecimals(line.amount);
    const std::string unit = UnitText(line);
    if (!unit.empty()) entry += " " + unit;
    if (!entry.empty()) entry += ' ';
    entry += line.text;
    if (IsHeading(line)) {  // nothing joins a heading
      entries.push_back(entry);
      entry.clear();
    }
  }
  if (!entry.empty()) entries.push_back(entry);

  const std::string cell = "<td valign=\"top\" width=\"50%\"><font size=\"2\" face=\"Arial\">";
  bool inside = false;
  int r = 0, s = -1, o = 0;
  for (size_t k = 0; k < entries.size(); ++k) {
    const std::string& e = entries[k];
    if (!inside) {
      o = 0;
      for (size_t j = k; j < entries.size() && entries[j][0] != '*'; ++j) ++o;
      s = (o + 1) / 2;
      Put("      <table border=\"0\" width=\"100%\">");
      Put("        <tr>");
      Put("          " + cell);
      r = 0;
      inside = true;
    }
    if (two && r == s) {
      Put("        </font></td>");
      if (o > 1) Put("        " + cell);
      s = -1;
      r = 0;
    }
    if (e[0] == '*') {
      Put("        </font></td>");
      Put("        </tr>");
      Put("      </table>");
      REZZUTAT heading;
      heading.text = e;
      HeadingLine(heading, two);
      inside = false;
    } else {
      Put(HtmlEscaped(e));
      Put("<br>\r\n");
      ++r;
    }
  }
  if (inside) {
    Put("        </font></td>");
    Put("      </tr>");
    Put("    </table>");
  }
}

// Each block between headings is a table of three cells (amounts, units, texts), one row a
// line; with two columns a block is two such tables side by side. Every cell is filled in a
// pass of its own over the block's lines.
void PageWriter::IngredientTable(bool two, const std::string widths[3]) {
  const std::vector<REZZUTAT>& lines = r_.lines;
  const int n = static_cast<int>(lines.size());
  const std::string a1 =
      "          <td valign=\"top\"" + widths[0] + "><font size=\"2\" face=\"Arial\"><nobr>";
  auto openCell = [&](int k) {
    Put("          <td valign=\"top\"" + widths[k] + ">");
    Put("         <font size=\"2\" face=\"Arial\"><nobr>");
  };
  auto heading = [&](int i) { return IsHeading(lines[static_cast<size_t>(i)]); };
  int u = 0, r = 0, s = -1, o = 0, first = 0, afterHeading = 0;
  bool secondHalf = false;
  int i = 0;
  while (i <= n) {
    bool passEnds = false;
    if (two && r == s) {
      if (u == 3) {
        secondHalf = true;
        Put("          </nobr></font></td>");
        Put("        </tr>");
        Put("      </table>");
        Put("    </td>");
        if (o > 1) {
          Put("    <td valign=\"top\" width=\"50%\">");
          Put("      <table border=\"0\">");
          Put("        <tr>");
          Put(a1);
          first = afterHeading + r;
        } else {
          Put("        </tr>");
          Put("      </table>");
          secondHalf = false;
        }
        s = -1;
        r = 0;
        u = 0;
      } else {
        passEnds = true;
      }
    }
    if (passEnds || i == n || heading(i)) {
      if (u == 1 || u == 2) {
        Put("       </nobr></font></td>");
        openCell(u);  // the unit cell after the amounts, the text cell after the units
        i = first;
        r = 0;
        ++u;
      } else {
        if (u == 3) {
          Put("       </nobr></font></td>");
          u = 4;
        }
        if (u == 4) {
          if (!secondHalf) Put("          </nobr></font></td>");
          Put("        </tr>");
          Put("      </table>");
          Put("    </td>");
          Put("  </tr>");
          Put("</table>");
          secondHalf = false;
          u = 0;
        }
        if (u == 0 && i < n && heading(i)) {
          HeadingLine(lines[static_cast<size_t>(i)], two);
          afterHeading = i + 1;
        }
        ++i;
        continue;
      }
    }
    if (u == 0) {
      if (secondHalf) {
        u = 1;
      } else {
        o = 0;
        for (int j = i; j < n && !heading(j); ++j) ++o;
        s = (o + 1) / 2;
        Put("      <table border=\"0\" width=\"100%\">");
        Put("        <tr>");
        Put("          <td valign=\"top\" width=\"50%\">");
        Put("            <table border=\"0\">");
        Put("              <tr>");
        Put(a1);
        first = i;
        r = 0;
        u = 1;
      }
    }
    if (r > 0) Put("<br>");
    const REZZUTAT& line = lines[static_cast<size_t>(i)];
    const std::string cell = u == 1   ? FormatNumberText(line.amount, 2)
                             : u == 2 ? UnitText(line)
                                      : line.text;
    // An empty line of a cell would take the cell's default font and stand taller than a
    // line of text, and every unit below it would drift down beside the wrong ingredient.
    Put(cell.empty() ? std::string("&nbsp;") : HtmlEscaped(cell));
    ++r;
    ++i;
  }
}

// The text a line at a time, each ended by <br>; the recipe keeps only what follows the last
// line end.
void PageWriter::Preparation() {
  std::string& text = r_.text;
  size_t from = 0, lf;
  while ((lf = text.find('\n', from)) != npos) {
    size_t end = lf;
    if (end > from && text[end - 1] == '\r') --end;  // the stored CR LF
    PutData(HtmlEscaped(text.substr(from, end - from)) + "<br>\r\n");
    from = lf + 1;
  }
  text.erase(0, from);
  if (!text.empty()) PutData(HtmlEscaped(text));
}

void PageWriter::Remarks() {
  if (r_.remarks.empty() || !run_.keyFigures) return;
  const int mode = run_.keyFigures->GetRemarkShowMode(kKeyFiguresHtml);
  std::vector<std::string> lines;
  for (const REZREMARK* shown : ShownRemarks(r_, mode, userName_)) {
    const REZREMARK& remark = *shown;
    PutData("&nbsp;&nbsp;&nbsp;" + HtmlEscaped(remark.author) + ":<br>\r\n");
    lines.clear();
    WrapText(remark.text, lines, 0, 79);
    std::string last = HtmlEscaped(remark.text);
    for (const std::string& line : lines) {
      PutData(HtmlEscaped(line));
      PutData("<br>\r\n");
      last = "<br>\r\n";
    }
    PutData(last);
  }
}

bool PageWriter::Rating(const std::string& line, char rating, bool quality) {
  if (rating <= '0') return false;
  std::string value;
  if (Has(line, " T ")) {
    value = RatingText(quality, rating);
  } else {
    const std::string prefix = Str(60).empty() ? "file://" + dataRoot_ + "Pics/Zutaten/" : Str(60);
    const std::string img = "<img align=\"absmiddle\" src=\"" + prefix;
    if (quality) {
      const int stars = rating <= '9' ? rating - '0' : 0;
      for (int k = 0; k < stars; ++k) value += img + "Star.gif\">";
    } else {
      value = img + "Difficulty" + std::string(1, rating) + ".gif\">";
    }
  }
  PutData(Framed(line, "P#") + value + Framed(line, "S#"));
  return true;
}

bool PageWriter::KeyFigure(const PARA_SHOWDATA& figure) {
  const std::string head =
      HtmlEscaped(figure.altText.empty() ? figure.displayName : figure.altText) + ": ";
  // Option 32 leaves the key figures out; the lines start with their label, as a reader reads
  // them, so the filter of lines that begin with ':' no longer sees them.
  auto line = [&](const std::string& value) {
    if (!run_.NoExpInfo) Put(head + HtmlEscaped(value) + "<br>");
    return true;
  };
  auto ifSet = [&](const std::string& value) { return !value.empty() && line(value); };
  auto ifTime = [&](const std::string& value) {
    return !value.empty() && IsNonZeroText(value) && line(value);
  };
  if (const std::string* field = KeyFigureField(r_, figure.figureId))
    return IsTimeFigure(figure.figureId) ? ifTime(*field) : ifSet(*field);
  switch (figure.figureId) {
    case kFigureNutrient: {
      std::string value;
      if (!GetNutrientText(r_, figure.stoffCode, value)) return false;
      NutrientPerServing(r_, value);
      return line(value);
    }
    case kFigureServings:
      return line(std::to_string(r_.servings) +
                  (r_.servingType.empty() ? std::string() : " " + r_.servingType));
    case kFigureCategories: {
      std::string names;
      bool any = false;
      for (uint16_t id : r_.categories) {
        std::string name;
        if (id == 0 || !ctx().categories || !ctx().categories->GetGattName(id, name)) continue;
        if (any) names += ", ";
        names += name;
        any = true;
      }
      if (!any) {
        PutData("<br>");
        return true;
      }
      return line(names);
    }
    case kFigureKeywords: {
      std::vector<std::string> words;
      SplitText(r_.hint, words, kSplitWords);
      if (words.empty()) return false;
      std::string joined;
      for (size_t k = 0; k < words.size(); ++k) joined += (k ? ", " : "") + words[k];
      return line(joined);
    }
    case kFigureSource: {
      std::vector<std::string> pieces;
      SplitText(r_.source, pieces, kSplitLines);
      for (const std::string& piece : pieces) line(piece);
      return !pieces.empty();
    }
    case kFigureRecipeId:
      return r_.recipeIdLow != 0 &&
             line(std::to_string(r_.recipeIdHigh) + "," + std::to_string(r_.recipeIdLow));
    case kFigureEnergy: {
      std::string value;
      return GetEnergyPerServing(r_, value) && line(value);
    }
    case kFigureQuality:
      return ifSet(RatingText(true, r_.quality));
    case kFigureDifficulty:
      return ifSet(RatingText(false, r_.difficulty));
    case kFigureBookName:
      return ctx().books && ifSet(ctx().books->GetKBookName(r_.bookId));
    default:  // the remarks come with "$Bemerkung"
      return false;
  }
}

void PageWriter::KeyFigures() {
  if (!run_.keyFigures) return;
  for (const PARA_SHOWDATA& figure : run_.keyFigures->keyFigures)
    if (figure.outputKind == kKeyFiguresHtml) KeyFigure(figure);
}

void PageWriter::EndOfBody(const TemplatePiece& piece) {
  if (!noFooter_ && !footerWritten_)
    Put("<hr>\r\n<font size=\"1\" face=\"Arial\">" + GetLangText(125) + HtmlFooterLink() +
        "</font><br>");
  if (index_ && frame_.empty()) {
    Put("<hr>\r\n");
    Put("<font size=\"2\" face=\"Arial\">\r\n<a href=\"" +
        HtmlEscaped(FileNameOf(run_.IndexFileName)) + "\">" + GetLangText(128) + "</a></font>\r\n");
  }
  Put(piece.text + (piece.lineEnd ? "\r\n" : ""));
}

void PageWriter::Line(const TemplatePiece& piece, const HtmlRecipePage::PieceMarks& m) {
  std::string line = piece.text;
  bool handled = false;
  bool cut = false;
  auto has = [&](Marker marker) { return (m.marks & marker) != 0; };
  auto simple = [&](Marker marker, const std::string& value) {
    if (!has(marker) || value.empty()) return;
    PutData(Framed(line, "P#") + HtmlEscaped(value) + Framed(line, "S#"));
    handled = true;
  };

  if (has(kHtmlTitle)) {
    Put(HtmlEscaped(r_.title));
    handled = true;
  }
  if (has(kFooter)) {
    footerWritten_ = true;
    if (!noFooter_)
      Put("\r\n<font size=\"1\" face=\"Arial\">" + GetLangText(125) + HtmlFooterLink() +
          "</font><br>\r\n");
    handled = true;
  }
  if (has(kTitel)) {
    std::string title = HtmlEscaped(r_.title);
    if (Has(line, "%20")) {
      ReplaceAll(title, ' ', "%20");
      Put(title);
    } else {
      Put(title + "\r\n");
    }
    handled = true;
  }
  if (m.pictureAt != npos) {
    if (Picture(line, m.pictureAt, m.pictureKind)) handled = true;
    line.resize(m.pictureAt);  // the markers below are looked for before the picture only
    cut = true;
  }
  if (has(kGattung)) {
    Categories(line);
    handled = true;
  }
  if (has(kAnzahl) && r_.servings > 0) {
    Put(Framed(line, "P#") + std::to_string(r_.servings) + " " + HtmlEscaped(r_.servingType) +
        Framed(line, "S#"));
    handled = true;
  }
  if (has(kZutaten)) {
    Ingredients(line);
    handled = true;
  }
  if (has(kAnleitung)) Preparation();
  if (has(kBemerkung)) Remarks();
  simple(kStichworte, r_.hint);
  if (has(kCookbook) && ctx().books) simple(kCookbook, ctx().books->GetKBookName(r_.bookId));
  if (has(kQuality) && Rating(line, r_.quality, true)) handled = true;
  if (has(kDifficulty) && Rating(line, r_.difficulty, false)) handled = true;
  simple(kErfasser, r_.createdBy);
  simple(kQuelle, r_.source);
  {
    const std::string* time = nullptr;
    if (has(kTimePrep)) time = &r_.prepTime;
    if (has(kTimeCook)) time = &r_.cookTime;
    if (has(kTimeAll)) time = &r_.totalTime;
    if (time && !time->empty() && IsNonZeroText(*time)) {
      PutData(Framed(line, "P#") + HtmlEscaped(*time) + Framed(line, "S#"));
      handled = true;
    }
  }
  if (has(kInfoData)) KeyFigures();
  if (has(kBody)) {
    EndOfBody({line, piece.lineEnd && !cut});
    handled = true;
  }
  if (!handled) Put(line + (piece.lineEnd && !cut ? "\r\n" : ""));
}

}  // namespace

void HtmlRecipePage::FitPicture(int pictureW, int pictureH, int boxW, int boxH, int& w, int& h) {
  w = pictureW;
  h = pictureH;
  if (pictureH == 0 || boxH == 0) return;
  const double rP = static_cast<double>(pictureW) / pictureH;
  const double rB = static_cast<double>(boxW) / boxH;
  if (rP > rB) {
    w = boxW;
    h = static_cast<int>(boxW / rP);
  } else {
    h = boxH;
    w = static_cast<int>(boxH * rP);
  }
}

bool HtmlRecipePage::LoadTemplate(bool viewTemplate) {
  const std::string name = Str(viewTemplate ? 58 : 57);
  if (!ReadTemplatePieces(Str(5) + name, pieces_)) return false;
  marks_.clear();
  for (const TemplatePiece& piece : pieces_) marks_.push_back(Analyse(piece.text));
  return true;
}

void HtmlRecipePage::Write(ExportRun& run, REZBLOCK& recipe, HtmlIndex* index) const {
  PageWriter page(run, recipe, index);
  for (size_t i = 0; i < pieces_.size(); ++i) {
    const PieceMarks& m = marks_[i];
    if (m.marks == 0 && m.pictureAt == std::string::npos)
      page.PlainLine(pieces_[i]);
    else
      page.Line(pieces_[i], m);
  }
  if (index && index->IsOpen()) index->AddLink(run, run.ExpFileName, recipe.title);
}

void WriteHTMLRecipe(ExportRun& run, REZBLOCK& recipe, bool viewTemplate) {
  HtmlRecipePage page;
  if (!page.LoadTemplate(viewTemplate)) {
    MessageBox(GetLangText(124), GetLangText(15), MB_OK);
    return;
  }
  page.Write(run, recipe, nullptr);
}

}  // namespace tav
