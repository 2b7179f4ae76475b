#include "exchange/html_index.h"

#include <unistd.h>

#include "exchange/export_run.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/web_addresses.h"

namespace tav {

namespace {

bool g_evenRow = true;

std::string Str(int id) {
  return ctx().options ? ctx().options->Str(id) : std::string();
}
bool Flag(int id) {
  return ctx().options && ctx().options->Flag(id);
}

// The chosen file's path without its extension, and the extension with its dot.
void SplitExtension(const std::string& path, std::string& base, std::string& extension) {
  const size_t sep = LastSeparator(path);
  const size_t nameStart = sep == std::string::npos ? 0 : sep + 1;
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < nameStart) dot = path.size();
  base = path.substr(0, dot);
  extension = path.substr(dot);
}

// "$DefFormat" @head@tail@ ... with "RezGerade" or "RezUngerade" before the second '@'.
void TakeRowTexts(ExportRun& run, const std::string& line) {
  const size_t a = line.find('@');
  const size_t b = a == std::string::npos ? a : line.find('@', a + 1);
  const size_t c = b == std::string::npos ? b : line.find('@', b + 1);
  const std::string head = b == std::string::npos ? std::string() : line.substr(a + 1, b - a - 1);
  const std::string tail = c == std::string::npos ? std::string() : line.substr(b + 1, c - b - 1);
  const std::string keyPart = b == std::string::npos ? line : line.substr(0, b);
  if (keyPart.find("RezGerade") != std::string::npos) {
    run.EvenRowHead = head;
    run.EvenRowTail = tail;
  }
  if (keyPart.find("RezUngerade") != std::string::npos) {
    run.OddRowHead = head;
    run.OddRowTail = tail;
  }
}

}  // namespace

bool IndexRowToggle() {
  return g_evenRow;
}
void FlipIndexRowToggle() {
  g_evenRow = !g_evenRow;
}
void ResetIndexRowToggleForTest() {
  g_evenRow = true;
}

HtmlIndex::~HtmlIndex() {
  Discard();
}

void HtmlIndex::Write(const std::string& bytes) {
  if (file_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
    writeFailed_ = true;
}

bool HtmlIndex::Begin(ExportRun& run) {
  Discard();
  std::vector<TemplatePiece> pieces;
  if (!ReadTemplatePieces(Str(90) + "HTML/IndexTPL.html", pieces)) return false;
  std::string base, extension;
  SplitExtension(run.ExpFileName, base, extension);
  run.StartPageName = base;  // the frameset is written once the index is (WriteHTMLStartPage)
  run.IndexFileName = base + "_Index" + extension;
  target_ = NativePath(run.IndexFileName);
  tempName_ = target_ + ".$$$" + std::to_string(getpid());
  file_ = std::fopen(DiskPath(tempName_).c_str(), "wb");
  if (!file_) return false;
  writeFailed_ = false;
  size_t i = 0;
  for (; i < pieces.size(); ++i) {
    const TemplatePiece& piece = pieces[i];
    if (piece.text.find("$Titel") != std::string::npos) {
      Write("Rezepte-Sammlung von '" + HtmlEscaped(Str(10)) + "'<p>\r\n");
    } else if (piece.text.find("$DefFormat") != std::string::npos) {
      TakeRowTexts(run, piece.text);
    } else if (piece.text.find("$Rezepte") != std::string::npos) {
      ++i;
      break;
    } else {
      Write(piece.text + (piece.lineEnd ? "\r\n" : ""));
    }
  }
  tail_.assign(pieces.begin() + static_cast<std::ptrdiff_t>(i), pieces.end());
  return true;
}

void HtmlIndex::AddLink(const ExportRun& run, const std::string& pagePath,
                        const std::string& title) {
  const bool even = IndexRowToggle();
  std::string line = "<a href=\"" + HtmlEscaped(FileNameOf(pagePath)) + "\"";
  const std::string frame = Str(34);
  if (!frame.empty()) line += " target=\"" + frame + "\"";
  line += ">";
  line += even ? run.EvenRowHead : run.OddRowHead;
  line += HtmlEscaped(title);
  line += even ? run.EvenRowTail : run.OddRowTail;
  line += "</a><br>\r\n";
  Write(line);
  FlipIndexRowToggle();
}

bool HtmlIndex::Finish() {
  if (!file_) return false;
  const bool footer = Str(34).empty() && !Flag(36);
  for (const TemplatePiece& piece : tail_) {
    if (footer && piece.text.find("</body>") != std::string::npos)
      Write("<hr>\r\n<font size=\"1\" face=\"Arial\">Rezepte verwaltet von " + HtmlFooterLink() +
            "</font><br>");
    Write(piece.text + (piece.lineEnd ? "\r\n" : ""));
  }
  bool ok = std::fflush(file_) == 0 && !writeFailed_;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  if (ok && std::rename(DiskPath(tempName_).c_str(), DiskPath(target_).c_str()) == 0) return true;
  std::remove(DiskPath(tempName_).c_str());
  return false;
}

void HtmlIndex::Discard() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
  std::remove(DiskPath(tempName_).c_str());
}

bool WriteHTMLStartPage(std::string& startPageName) {
  const std::string name = HtmlEscaped(FileNameOf(startPageName));
  const std::string frame = Str(34);
  std::string page =
      "<html>\r\n<head>\r\n<title>Tavolin-Rezepte</title>\r\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\r\n"
      "<meta http-equiv=\"author\" content=\"";
  page += kMakerWebSite;
  page +=
      "\">\r\n"
      "<meta http-equiv=\"description\" content=\"Tavolin, Rezeptverwaltung, Rezeptsoftware, "
      "Rezeptdatenbank\">\r\n"
      "<meta http-equiv=\"keywords\" content=\"Tavolin, Rezeptverwaltung, Rezeptsoftware, "
      "Rezeptdatenbank\">\r\n"
      "<frameset cols=\"280,*\" border=0>\r\n";
  page += "   <frame src=\"" + name +
          "_Index.html\" name=\"tavmenue\" frameborder=1 marginwidth=10 merginheight=10>\r\n";
  page += "   <frame src=\"" + name + ".html\"";
  if (!frame.empty()) page += " name=\"" + frame + "\"";
  page += " frameborder=1 marginwidth=10 merginheight=10>\r\n";
  page += "</frameset></head>\r\n";
  page += "<body><H4>" + GetLangText(130) + "</H4><P></body>\r\n</html>\r\n";
  const std::string path = startPageName + "_Start.html";
  if (!WriteFileAtomic(NativePath(path), page)) return false;
  startPageName = path;
  return true;
}

}  // namespace tav
