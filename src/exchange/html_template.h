#pragma once
// What the HTML recipe pages and the HTML index share: their templates, read the way the pages
// have always read them (a line of more than 988 characters arrives in pieces of 989, each
// handled as a line of its own), and the footer link to the maker's web site.
#include <string>
#include <vector>

namespace tav {

struct TemplatePiece {
  std::string text;     // without its line end
  bool lineEnd = true;  // the piece ends its line
};

// The pieces of a template file; false when it cannot be opened.
bool ReadTemplatePieces(const std::string& path, std::vector<TemplatePiece>& pieces);

// <a href="maker's site" target="_blank">Tavolin! V<version></a>
std::string HtmlFooterLink();

// A recipe text for a page: > < " & as entities, so a title such as "Kuchen <schnell> & gut"
// reads as it is written and can never become markup.
std::string HtmlEscaped(std::string text);

// The part of a path after its last separator.
std::string FileNameOf(const std::string& path);

}  // namespace tav
