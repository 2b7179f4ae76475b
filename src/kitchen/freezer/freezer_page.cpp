#include "kitchen/freezer/freezer_page.h"

#include <algorithm>

#include "platform/services.h"
#include "platform/text_file.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/file_functions.h"

namespace tav {

namespace {

std::string Escaped(std::string text) {
  HtmlEscape(text);
  return text;
}

std::string OrSpace(const std::string& text) {
  return text.empty() ? std::string("&nbsp;") : text;
}

const char* const kHeadCell =
    " bgcolor=\"#E6E6E6\" bordercolor=\"#C0C0C0\"><font face=\"Arial\"><b>&nbsp;";

}  // namespace

std::string FreezerOverviewHtml(const CO_SCHRANK& freezer, int current, bool whole,
                                const FreezerPageOptions& options, const ClockDate& today) {
  const std::string nl = "\r\n";
  std::string out;
  const auto line = [&](const std::string& text) { out += text + nl; };
  line("<html>");
  line("<head>");
  line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
  line("<title>Tavolin-Gefriergutverwaltung</title>");
  line("</head>");
  line("");
  line("<body>");
  line("");
  line("<table border=\"0\" width=\"100%\">");
  line("  <tr>");
  line("    <td width=\"100%\"><b><font face=\"Arial\" size=\"4\">" +
       Escaped(GetLangText(733) + " '" + freezer.name) + "'</td><td width=\"0%\" align=\"right\">" +
       std::to_string(today.day) + "." + std::to_string(today.month) + "." +
       std::to_string(today.year) + "</td>");
  line("  </tr>");
  line("</table>");
  line("");
  line("&nbsp;");
  line("<table border=\"1\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"><tr>");

  const int n = std::max(0, options.extraRows);
  const bool six = options.takenColumn;
  const int inUse = std::min<int>(freezer.count, static_cast<int>(freezer.faecher.size()));
  for (int i = 0; i < inUse; ++i) {
    const CO_FACH& fach = freezer.faecher[i];
    if (!(i == current || whole) || (fach.foods.empty() && n == 0)) continue;
    out += "<td width=\"100%\" colspan=\"";
    out += six ? "6" : "5";
    out +=
        "\" bgcolor=\"#E6E6E6\" bordercolor=\"#C0C0C0\"><font face=\"Arial\"><b>&nbsp;</b>"
        "</font><font face=\"Arial\" size=\"4\"><b>";
    out += GetLangText(720) + " " + std::to_string(ShownCompartmentNumber(freezer, i)) + ": " +
           Escaped(fach.name);
    line("  </b></font></td>");
    line("</tr><tr>");
    line(std::string("<td width=\"80%\" ") + kHeadCell + GetLangText(722) + "</b></font></td>");
    line(std::string("<td width=\"20%\"") + kHeadCell + GetLangText(723) + "</b></font></td>");
    line(std::string("<td width=\"20\"") + kHeadCell + GetLangText(724) + "</b></font></td>");
    line(std::string("<td width=\"0%\"") + kHeadCell + GetLangText(730) + "</b></font></td>");
    line(std::string("<td width=\"0%\"") + kHeadCell + GetLangText(731) + "</b></font></td>");
    if (six)
      line(
          "<td width=\"0%\" bgcolor=\"#E6E6E6\" bordercolor=\"#C0C0C0\"><font face=\"Arial\">"
          "<b><center>" +
          GetLangText(732) + "</center></b></font></td>");
    line("</tr>");

    int row = -1;
    const auto cells = [&](const std::string(&texts)[5]) {
      ++row;
      const std::string stripe = row % 2 == 1 ? " bgcolor=\"#F7F7F7\"" : "";
      const auto cell = [&](const char* start, const std::string& text) {
        line(std::string(start) + " bordercolor=\"#C0C0C0\"" + stripe +
             "><font face=\"Arial\">&nbsp;" + text + "</font></td>");
      };
      line("<tr>");
      cell("<td width=\"80%\"", texts[0]);
      cell("<td width=\"20%\" nowrap", texts[1]);
      cell("<td width=\"20\" nowrap", texts[2]);
      cell("<td width=\"0%\" nowrap", texts[3]);
      cell("<td width=\"0%\" nowrap", texts[4]);
      if (six) out += "<td width=\"0%\" nowrap bordercolor=\"#C0C0C0\"" + stripe + ">&nbsp;</td>";
      line("</tr>");
    };
    for (const CO_LMITTEL& f : fach.foods) {
      const std::string texts[5] = {
          OrSpace(Escaped(f.name)) + "&nbsp;", OrSpace(Escaped(f.amount)) + "&nbsp;",
          std::string(f.opened ? "X" : "&nbsp;") + "&nbsp;",
          OrSpace(f.mhdMonth == 0 ? std::string()
                                  : FormatFoodDate(f.mhdDay, f.mhdMonth, f.mhdYear)) +
              "&nbsp;",
          OrSpace(f.sinceMonth == 0 ? std::string()
                                    : FormatFoodDate(f.sinceDay, f.sinceMonth, f.sinceYear)) +
              "&nbsp;"};
      cells(texts);
    }
    const std::string empty[5] = {"", "", "", "", ""};
    for (int k = 0; k < n; ++k) cells(empty);
    line("<tr>");
  }
  line("</table>");
  line("</body>");
  line("</html>");
  return out;
}

bool WriteFreezerOverview(const std::string& path, const CO_SCHRANK& freezer, int current,
                          bool whole, const FreezerPageOptions& options) {
  if (!WriteFileAtomic(path,
                       FreezerOverviewHtml(freezer, current, whole, options, FreezerToday()))) {
    MessageBox(GetLangText(1030) + "\n" + path, GetLangText(15), MB_OK | MB_ICONERROR);
    return false;
  }
  ShellOpenFile(path);
  return true;
}

}  // namespace tav
