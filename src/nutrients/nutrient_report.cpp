#include "nutrients/nutrient_report.h"

#include "platform/paths.h"
#include "platform/text_file.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/web_addresses.h"

namespace tav {

namespace {

constexpr const char* kKeywords = "BLS, Tavolin, Rezeptverwaltung, Rezeptsoftware, Rezeptdatenbank";
constexpr const char* kTableStart =
    "<table border=\"1\" width=\"100%\" cellspacing=\"1\" bordercolorlight=\"#C0C0C0\">";

std::string Esc(std::string text) {
  HtmlEscape(text);
  return text;
}

std::string Font(const std::string& text) {
  return "<font face=\"Arial\">" + Esc(text) + "</font>";
}

void HeaderRow(std::string& out, const std::vector<std::pair<std::string, const char*>>& cells) {
  out += "<tr>\r\n";
  for (const auto& [text, width] : cells)
    out +=
        std::string("<th width=\"") + width + "\" bgcolor=\"#C0C0C0\">" + Font(text) + "</th>\r\n";
  out += "</tr>\r\n";
}

void Row(std::string& out, const std::vector<std::pair<std::string, const char*>>& cells) {
  out += "<tr>\r\n";
  for (const auto& [text, width] : cells)
    out += std::string("<td width=\"") + width + "\">" + (text.empty() ? "&nbsp;" : Font(text)) +
           "</td>\r\n";
  out += "</tr>\r\n";
}

}  // namespace

std::string NutrientReportHtml(const NutrientReport& r) {
  std::string out;
  out += "<html>\r\n<head>\r\n";
  out += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\r\n";
  out += std::string("<meta name=\"author\" content=\"") + kMakerWebSite + "\">\r\n";
  out += std::string("<meta name=\"GENERATOR\" content=\"") + kMakerWebSite + "\">\r\n";
  out += std::string("<meta name=\"description\" content=\"") + kKeywords + "\">\r\n";
  out += std::string("<meta name=\"keywords\" content=\"") + kKeywords + "\">\r\n";
  out += "<title>Tavolin-BLS-Inhaltsstoffberechnung</title>\r\n</head>\r\n<body>\r\n";
  out +=
      "<p><b><font face=\"Arial\" size=\"4\">Inhaltsstoff-Berechnung mit dem "
      "Bundeslebensmittelschl\xFC"
      "ssel</font></b></p>\r\n";
  out += "<p><b>" + Font("Rezept: " + r.title) + "</b></p>\r\n";

  out += std::string(kTableStart) + "\r\n";
  HeaderRow(out, {{"Menge", "15%"},
                  {"Einheit", "10%"},
                  {"Zutat", "27%"},
                  {"BLS-Lebensmittel", "31%"},
                  {"Umg. Menge", "17%"}});
  for (const auto& c : r.ingredientRows)
    Row(out, {{c[0], "15%"}, {c[1], "10%"}, {c[2], "27%"}, {c[3], "31%"}, {c[4], "17%"}});
  out += "</table>\r\n<p>&nbsp;</p>\r\n";

  out += std::string(kTableStart) + "\r\n";
  HeaderRow(
      out,
      {{"Inhaltsstoff", "59%"}, {"Rezept", "16%"}, {r.servingTitle, "16%"}, {"Einheit", "9%"}});
  for (const auto& c : r.resultRows)
    Row(out, {{c[0], "59%"}, {c[1], "16%"}, {c[2], "16%"}, {c[4], "9%"}});
  out += "</table>\r\n<br>\r\n";

  out += Font(r.status) + "<p>\r\n";
  if (!(ctx().options && ctx().options->Flag(36))) {
    std::string version;
    if (ctx().tools) ctx().tools->GetVersionString(version);
    out += "<hr>\r\n<font face=\"Arial\" size=\"1\">" + Esc(GetLangText(426)) + " <a href=\"" +
           kMakerWebSite + "\" target=\"_blank\">Tavolin! V" + Esc(version) + "</a></font><br>\r\n";
  }
  out += "</body>\r\n</html>\r\n";
  return out;
}

bool OutputNutrientReport(const NutrientReport& report) {
  std::string html = ctx().options ? ctx().options->Str(5) : std::string();
  if (html.empty()) return false;
  // The HTML folder of a fresh data root may not exist yet (or exist spelt in another case).
  while (!html.empty() && IsSeparator(html.back())) html.pop_back();
  html = FindFileNoCase(html);
  if (!DirExists(NativePath(html)) && !MakeDirs(NativePath(html))) return false;
  const std::string path = WithSeparator(html) + "blsvalues.html";
  if (!WriteFileAtomic(path, NutrientReportHtml(report))) return false;
  ShellOpenFile(path);
  return true;
}

}  // namespace tav
