#include "exchange/html_template.h"

#include "exchange/text_export_blocks.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "services/charsets.h"
#include "services/web_addresses.h"

namespace tav {

namespace {
// A read takes at most 989 characters, the line end included.
constexpr size_t kPieceChars = 989;
}  // namespace

bool ReadTemplatePieces(const std::string& path, std::vector<TemplatePiece>& pieces) {
  pieces.clear();
  LineReader reader(path);
  if (!reader.IsOpen()) return false;
  std::string line;
  while (reader.Next(line)) {
    const bool hasBreak = reader.LastHadBreak();
    size_t at = 0;
    // A piece without its line end as long as the rest (and its line end) does not fit a read.
    while (line.size() - at + (hasBreak ? 1 : 0) > kPieceChars) {
      pieces.push_back({line.substr(at, kPieceChars), false});
      at += kPieceChars;
    }
    if (at < line.size() || hasBreak) pieces.push_back({line.substr(at), hasBreak});
  }
  return true;
}

std::string HtmlFooterLink() {
  return std::string("<a href=\"") + kMakerWebSite + "\" target=\"_blank\">Tavolin! V" +
         ExportVersion() + "</a>";
}

std::string HtmlEscaped(std::string text) {
  HtmlEscape(text);
  return text;
}

std::string FileNameOf(const std::string& path) {
  const size_t sep = LastSeparator(path);
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

}  // namespace tav
