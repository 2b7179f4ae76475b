#include "services/startup_texts.h"

#include "platform/charset.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "services/context.h"
#include "services/tools_module.h"

namespace tav {

namespace {

// The texts stand here in UTF-8; the program's texts are Windows-1252.
std::string BothLanguages(const std::string& de, const std::string& en) {
  return Utf8ToCp1252(de + "\n\n" + en);
}

}  // namespace

std::string DataRootFault(const std::string& programFolder, const std::string& root) {
  // A relative root would be the working folder of whoever started the program.
  if (!root.empty() && root[0] == '/' && DirExists(root)) return std::string();
  const std::string data = WithSeparator(programFolder) + "Data";
  if (!DataRootFromEnvironment().empty()) {
    return BothLanguages(
        "Tavolin findet seinen Datenordner nicht und wird beendet.\n\n„" + data +
            "“ gibt es nicht, und den in TAVOLIN_DATA_ROOT genannten Datenordner „" + root +
            "“ gibt es nicht oder er ist kein vollständiger Pfad.\n\nBitte richten Sie "
            "Tavolin neu ein.",
        "Tavolin cannot find its data folder and will close.\n\n\"" + data +
            "\" does not exist, and the data folder that TAVOLIN_DATA_ROOT names, \"" + root +
            "\", does not exist or is no full path.\n\nPlease install Tavolin again.");
  }
  SettingsStore::FileState machine;
  if (ctx().machineSettings) machine = ctx().machineSettings->State();
  const std::string file = machine.file.empty() ? "machine.ini" : machine.file;
  std::string de, en;
  if (machine.missing) {
    de = "Die Datei fehlt.";
    en = "The file is missing.";
  } else if (machine.unreadable) {
    de = "Die Datei kann nicht gelesen werden.";
    en = "The file cannot be read.";
  } else if (root.empty()) {
    de = machine.damaged ? "Die Datei ist beschädigt und nennt keinen Datenordner (DataPath)."
                         : "Sie nennt keinen Datenordner (DataPath).";
    en = machine.damaged ? "The file is damaged and names no data folder (DataPath)."
                         : "It names no data folder (DataPath).";
  } else if (root[0] != '/') {
    de = "Der dort genannte Datenordner „" + root + "“ ist kein vollständiger Pfad.";
    en = "The data folder it names, \"" + root + "\", is no full path.";
  } else {
    de = "Den dort genannten Datenordner „" + root + "“ gibt es nicht.";
    en = "The data folder it names, \"" + root + "\", does not exist.";
  }
  const std::string german = "Tavolin findet seinen Datenordner nicht und wird beendet.\n\n"
                             "Gesucht wurde:\n- im Programmordner: „" + data +
                             "“ gibt es nicht;\n- in der Einstellungsdatei „" + file + "“: " + de +
                             "\n\nBitte richten Sie Tavolin neu ein.";
  const std::string english = "Tavolin cannot find its data folder and will close.\n\n"
                              "Where it looked:\n- in the program folder: \"" + data +
                              "\" does not exist;\n- in the settings file \"" + file + "\": " +
                              en + "\n\nPlease install Tavolin again.";
  return BothLanguages(german, english);
}

std::string LanguageFileFaultText(LanguageFileFault fault, const std::string& path) {
  std::string de, en;
  switch (fault) {
    case LanguageFileFault::kNone: return std::string();
    case LanguageFileFault::kMissing:
      de = "fehlt";
      en = "is missing";
      break;
    case LanguageFileFault::kEmpty:
      de = "ist leer";
      en = "is empty";
      break;
    case LanguageFileFault::kDamaged:
      de = "ist beschädigt";
      en = "is damaged";
      break;
  }
  return BothLanguages("Die Sprachdatei „" + path + "“ " + de +
                           ". Ohne sie kann Tavolin nichts anzeigen und wird beendet.\nBitte "
                           "installieren Sie Tavolin neu.",
                       "The language file \"" + path + "\" " + en +
                           ". Tavolin cannot show anything without it and will close.\nPlease "
                           "install Tavolin again.");
}

}  // namespace tav
