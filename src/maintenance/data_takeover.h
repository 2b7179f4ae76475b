#pragma once
// The first-start takeover of newly installed data: an installation leaves each new data file
// beside the user's one as an update file (the name with "u" appended, "Einheit.datu"). At the
// next start the user chooses per table whether the update file is taken (renamed over the
// user's file) or discarded (removed); every decision is written to "InstLog.txt". Files of
// the layout without language folders are split into DE and EN, legacy settings keys are moved
// and books of the former generation get the current magic.
//
// On Linux the program folder may not be writable, so "Version.txt" and "InstLog.txt" are kept
// in the data root, where the install step puts the update files as well.
#include <array>
#include <string>
#include <vector>

namespace tav {

class SettingsStore;

class DataTakeover {
 public:
  // The seven take-over flags, in the order of the window's boxes.
  enum Choice { kRecipes, kLexicon, kCategories, kUnits, kIngredients, kHtml, kBackPicture };
  static constexpr int kChoices = 7;

  // `dataRoot` ends with a separator; `settings` may be null (no registry moves then).
  DataTakeover(std::string dataRoot, std::string programFolder, SettingsStore* settings);

  // The major version of the installation before: the first line of "Version.txt" when it is
  // longer than 12 characters (its line feed counted) gives the number at its characters 8 and
  // 9; 1 otherwise.
  static int ParseInstalledVersion(const std::string& firstLine, bool fileOpened);
  static int ReadInstalledVersion(const std::string& versionFile);

  // Moves a settings key with its values and subkeys, only when `from` exists and `to` does
  // not. True when it moved.
  static bool MoveSettingsKey(SettingsStore& store, const std::string& from, const std::string& to);
  // The two keys of former generations onto the program's key (the first that exists wins).
  void MoveLegacyKeys();

  // An older installation: "Einheit.dat" in the data folder or in its DE folder.
  bool IsOlderInstallation() const;

  // The whole takeover as the start button runs it, with the flags as chosen. The choice is
  // kept in PendingFile() from the first file change to the last.
  void Run(const std::array<bool, kChoices>& take);
  // A run that was cut short (PendingFile() is there) is run again with its choice; false when
  // there is none.
  bool ResumeInterruptedRun();
  // The first line of the version file was written by this program ("Tavolin: ..."): its
  // installations are no data of the former generation.
  static bool WrittenByThisProgram(const std::string& versionFile);

  void SplitLanguageFile(const std::string& name);
  void ApplyUpdateFiles();
  // Takes or discards the update file of folder + name and logs the decision. Taking renames
  // the update file over the user's file (never removing that first) and does nothing when
  // there is no update file; a user's file that differs is first kept as name + ".bak" (when
  // that copy cannot be made the file is not taken: -1 in the log).
  void ReplaceByUpdateFile(const std::string& name, const std::string& folder, bool take);
  // A book's three files (`base` is the name with its dot, "Beispiele.") taken together: each
  // is read and kept as ".bak" first, and only when that went well for all three are they
  // renamed over the book. A book whose file could not be read (or kept) is not taken at all;
  // its update files stay, and BooksNotTaken() names it.
  void TakeBook(const std::string& base, bool take);

  // A book of the update that was not taken, and the file that stopped it.
  struct BookNotTaken {
    std::string book, file;
  };
  // What the start says once the language texts are there (message 1092).
  const std::vector<BookNotTaken>& BooksNotTaken() const { return booksNotTaken_; }
  bool CopyBetweenFolders(const std::string& name, const std::string& from, const std::string& to);
  static bool CopyWholeFile(const std::string& source, const std::string& target);
  // "SAPURINO" within the first 13 bytes of every index and record file of the data folder is
  // overwritten with "TAVOLIN_" where it stands.
  void PatchOldBookMagic();
  // The nutrients kept with recipes, written once when the settings have no list yet.
  void WriteDefaultNutrientList();

  const std::string& DataFolder() const { return data_; }
  std::string LogFile() const { return root_ + "InstLog.txt"; }
  std::string VersionFile() const { return root_ + "Version.txt"; }
  std::string PendingFile() const { return root_ + "Takeover.pending"; }
  static constexpr char kReplacedSuffix[] = ".bak";

  int installedMajor = 1;
  std::array<bool, kChoices> flags{true, true, true, true, true, true, true};

 private:
  // `split`: the files of the layout without language folders were split already.
  void RunFrom(const std::array<bool, kChoices>& take, bool split);
  void Log(const std::string& line) const;
  // One file of a take: the user's file, its update file, and how the take went (the log's
  // second code: 99 not attempted, 0 done, -1 failed, with the system error number).
  struct Take {
    std::string file, update;
    bool haveUpdate = false;
    int second = 99, error = 0;
    std::string stoppedBy;  // the file that could not be read or written
  };
  // Reads the user's file and the update file and keeps the user's one as ".bak" when they
  // differ; second -1 when that failed.
  Take PrepareTake(const std::string& name, const std::string& folder) const;
  // Renames the update file over the user's file, when prepared.
  void FinishTake(Take& t);
  void LogTake(const Take& t) const;

  std::string root_, data_, program_;
  SettingsStore* settings_;
  std::vector<BookNotTaken> booksNotTaken_;
};

}  // namespace tav
