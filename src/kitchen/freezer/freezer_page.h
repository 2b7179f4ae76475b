#pragma once
// The printable overview of a freezer or of one of its compartments: "CoolBoxes.html" in the
// HTML folder, opened in the browser for printing.
#include <string>

#include "kitchen/freezer/freezer_records.h"

namespace tav {

struct FreezerPageOptions {
  int extraRows = 0;        // empty rows per compartment (option 86 when option 85 is on)
  bool takenColumn = true;  // the sixth column for ticking off (option 87)
};

// The page's bytes (CR LF line ends): the compartment `current` of the freezer, or every
// compartment in use when `whole` is set. Names are HTML-escaped; the page declares the
// Windows-1252 character set its texts are written in.
std::string FreezerOverviewHtml(const CO_SCHRANK& freezer, int current, bool whole,
                                const FreezerPageOptions& options, const ClockDate& today);

// Writes the page to `path` through a temporary file and opens it; when it cannot be written,
// message 1030 names the file and nothing is opened. False then.
bool WriteFreezerOverview(const std::string& path, const CO_SCHRANK& freezer, int current,
                          bool whole, const FreezerPageOptions& options);

}  // namespace tav
