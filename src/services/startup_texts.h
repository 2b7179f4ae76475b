#pragma once
// The only texts of the program that do not come from the language file: what start-up says
// when it cannot reach the language file, or the data root that holds it. Each message gives
// the German text, then the English one.
#include <string>

#include "services/lang_table.h"

namespace tav {

// Title of both messages.
inline constexpr const char* kStartupFaultTitle = "Tavolin";

// "" when the data root FindDataRoot gave is a folder; otherwise why none was found: the
// program folder's "Data" and the machine settings file (with what was wrong there) named.
std::string DataRootFault(const std::string& programFolder, const std::string& root);

// The message for a language file that cannot serve, naming it; "" for kNone.
std::string LanguageFileFaultText(LanguageFileFault fault, const std::string& path);

}  // namespace tav
