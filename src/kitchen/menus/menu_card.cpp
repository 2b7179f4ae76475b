#include "kitchen/menus/menu_card.h"

#include "platform/paths.h"
#include "platform/text_file.h"
#include "services/charsets.h"

namespace tav {

namespace {

struct Marker {
  const char* text;
  size_t length;
};

constexpr Marker kTitle{"<!--$MN_Title", 13};
constexpr Marker kDesc{"<!--$MN_Desc", 12};
constexpr Marker kBottom{"<!--$MN_Bottom", 14};
constexpr Marker kRepeatStart{"<!--$RepeatStart", 16};
constexpr Marker kRepeatEnd{"<!--$RepeatEnd", 14};
constexpr Marker kType{"<!--$MN_Type", 12};
constexpr Marker kRecipe{"<!--$MN_Recipe", 14};
constexpr Marker kRecDesc{"<!--$MN_RecDesc", 15};

// The value as the page shows it: HTML-escaped, each line break (CR LF or LF) a "<br>" that
// ends the page's line.
std::string Escaped(const std::string& text, bool breaks) {
  std::string escaped = text;
  HtmlEscape(escaped);
  if (!breaks) return escaped;
  std::string out;
  for (size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] == '\r' && i + 1 < escaped.size() && escaped[i + 1] == '\n') continue;
    if (escaped[i] == '\n')
      out += "<br>\r\n";
    else
      out += escaped[i];
  }
  return out;
}

// The line with the marker and its three closing characters replaced by the value.
std::string Replaced(const std::string& line, size_t at, const Marker& m,
                     const std::string& value) {
  const size_t rest = std::min(line.size(), at + m.length + 3);
  return line.substr(0, at) + value + line.substr(rest);
}

}  // namespace

std::string MenuCardFileName(const std::string& title) {
  std::string name;
  for (char c : title) {
    const unsigned char u = static_cast<unsigned char>(c);
    const bool bad = u < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
                     c == '"' || c == '<' || c == '>' || c == '|';
    name += bad ? '_' : c;
  }
  // No hidden file, no name that ends in a dot or a blank, and never "." or "..".
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  while (!name.empty() && (name.front() == '.' || name.front() == ' ')) name.erase(0, 1);
  return name.empty() ? "Menue" : name;
}

std::string MenuCardPage(const REZBLOCK& menu, const std::vector<std::string>& lines) {
  std::string page;
  auto write = [&page](const std::string& line) { page += line + "\r\n"; };
  const std::vector<MN_RECIPE>& courses = menu.courses;
  size_t course = 0;
  size_t repeatAt = std::string::npos;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    size_t at;
    if ((at = line.find(kTitle.text)) != std::string::npos) {
      write(Replaced(line, at, kTitle, Escaped(menu.title, false)));
    } else if ((at = line.find(kDesc.text)) != std::string::npos) {
      if (!menu.text.empty()) write(Replaced(line, at, kDesc, Escaped(menu.text, true)));
    } else if ((at = line.find(kBottom.text)) != std::string::npos) {
      if (!menu.cardText.empty()) write(Replaced(line, at, kBottom, Escaped(menu.cardText, true)));
    } else if (line.find(kRepeatStart.text) != std::string::npos) {
      if (repeatAt == std::string::npos) repeatAt = i + 1;
    } else if (repeatAt != std::string::npos && line.find(kRepeatEnd.text) != std::string::npos) {
      if (course + 1 < courses.size()) i = repeatAt - 1;
      ++course;
    } else {
      // Course markers past the last course have nothing to show.
      const MN_RECIPE* c = course < courses.size() ? &courses[course] : nullptr;
      if ((at = line.find(kType.text)) != std::string::npos) {
        if (c && !c->courseType.empty())
          write(Replaced(line, at, kType, Escaped(c->courseType, false)));
      } else if ((at = line.find(kRecipe.text)) != std::string::npos) {
        if (c && !c->printTitle.empty())
          write(Replaced(line, at, kRecipe, Escaped(c->printTitle, false)));
      } else if ((at = line.find(kRecDesc.text)) != std::string::npos) {
        if (c && !c->description.empty())
          write(Replaced(line, at, kRecDesc, Escaped(c->description, true)));
      } else {
        write(line);
      }
    }
  }
  return page;
}

MenuCardResult WriteMenuCard(const REZBLOCK& menu, const std::string& dataRoot, std::string& page) {
  page.clear();
  if (menu.courses.empty()) return MenuCardResult::NoCourse;
  std::vector<std::string> lines;
  if (!ReadTextLines(FindFileNoCase(dataRoot + "HTML/Menu.mpl"), lines))
    return MenuCardResult::NoTemplate;
  const std::string folder = FindFileNoCase(dataRoot + "Menue");
  page = folder + "/" + MenuCardFileName(menu.title) + ".html";
  if (!MakeDirs(folder) || !WriteFileAtomic(page, MenuCardPage(menu, lines)))
    return MenuCardResult::NotWritable;
  return MenuCardResult::Written;
}

}  // namespace tav
