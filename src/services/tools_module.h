#pragma once
// The tools module: the services the whole program shares and the little state they need.
// The services themselves are free functions in their topic headers (file_functions.h and the
// amount, date, character-set and text headers); this class holds the state and the services
// of the data root, help pages, log file and versions.
#include <cstdint>
#include <string>
#include <vector>

namespace tav {

// One umlaut exception word: the word and the offset of the letter pair it protects.
struct UMLCONV {
  std::string word;
  int offset = 0;
};

// One unit name form: the stored unit code and its singular and plural names.
struct RKEINHEIT {
  std::string canonical;
  std::string singular;
  std::string plural;
};

class TToolsMod {
 public:
  TToolsMod();  // fills the month names from the language texts (236-259)

  // Servings state: recipe servings and chosen servings (0 = the recipe's own, -2 = follow).
  int recipeServings = 0;
  int chosenServings = 0;
  // Month names, entries 1-12 (entry 0 stays empty).
  std::string longMonthNames[13];
  std::string shortMonthNames[13];
  // Read from their files on first use.
  std::vector<UMLCONV> umlautExceptions;
  std::vector<RKEINHEIT> unitNameForms;
  std::vector<std::string> titleWords;

  // The data root: program folder when it holds "Data", else the machine settings' "DataPath".
  // An outdated "DATAPATH" in the user settings shows message 756 and ends the process.
  std::string GetDataPath();
  // Opens language folder + "Help/" + page.
  void ShowHelpPage(const std::string& page);
  // One log entry; level -1 starts a new file with the header line.
  void WriteLog(const std::string& text, int level);
  std::string GetOsText();
  void GetExeVersion(uint16_t& major, uint16_t& minor, uint16_t& release, uint16_t& build);
  void GetVersionString(std::string& text);
  void SetVisualStyles(bool on);

  // The log file's path as WriteLog chooses it.
  std::string LogFilePath() const;
};

// The tools module's one instance, created third at start-up.
extern TToolsMod* ToolsMod;

// Data root rule without the outdated-installation check (used before any window exists):
// `programFolder` when it holds an entry "Data", else $TAVOLIN_DATA_ROOT when it is set, else
// the machine settings' "DataPath".
std::string FindDataRoot(const std::string& programFolder);

// $TAVOLIN_DATA_ROOT with a final separator; "" when it is not set.
std::string DataRootFromEnvironment();

// The log time stamp "{dd.mm.yy hh:mm:ss} " for a broken-down local time.
std::string LogTimeStamp(int day, int month, int year, int hour, int minute, int second);

}  // namespace tav
