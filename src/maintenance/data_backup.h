#pragma once
// Backup and restore of the user's data as plain file copies: a backup run copies the chosen
// sets into a new folder "TavolinBackup_<date>_<time>" below the backup path, with its log
// "Backup.log"; a restore copies a listed backup back over the data root; a backup is deleted
// with everything in it. Only folders that hold "Backup.log" count as backups, and only once
// their run is complete: a run marks its folder "Backup.run" first and removes that mark last.
//
// Typical use without the window:
//   DataBackup backup(BackupPlaces::FromProgram());
//   std::string folder;
//   bool ok = backup.RunBackup(root + "Backup/", BackupSets{}, folder);
//   ...
//   RestoreCounts counts;
//   backup.RestoreBackup(root + "Backup/", folder, counts);
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace tav {

// Where the data lies. Folders end with '/'.
struct BackupPlaces {
  std::string dataRoot;                      // option 90
  std::string dataFolder;                    // option 2
  std::string htmlFolder;                    // option 5
  std::string htmlTemplate, quickTemplate;   // options 57 and 58, names in the HTML folder
  std::vector<std::string> languageFolders;  // subfolders of the data folder with Languages.dat
  std::vector<std::string> persons;          // diary persons, each with a folder under Konten
                                             // (a backup takes every folder there as well)
  std::vector<std::string> books;            // every cookbook name, in list order

  // From the options, the cookbook list and the diary of the running program.
  static BackupPlaces FromProgram();
};

// What a backup run takes; every set on by default, all books.
struct BackupSets {
  bool books = true;
  bool allBooks = true;
  std::vector<std::string> chosenBooks;  // with allBooks false: the ticked books
  bool recipePictures = true;
  bool ingredientPictures = true;
  bool databases = true;
  bool lexicon = true;
  bool accounts = true;
  bool htmlTemplates = true;
};

// Files restored per set, and files that could not be restored.
struct RestoreCounts {
  int data = 0, accounts = 0, pictures = 0, ingredientPictures = 0, html = 0;
  std::vector<std::string> failed;
};

// The files of the data folder that every backup takes besides the books (a missing one is
// skipped), and those of each language folder.
const std::vector<std::string>& BackupDataFiles();
const std::vector<std::string>& BackupLanguageFiles();

// Subfolders of the data folder that hold a "Languages.dat", in listing order.
std::vector<std::string> FindLanguageFolders(const std::string& dataFolder);
// "TavolinBackup_%04d.%d.%d_%d.%02d.%02d" and "Tavolin - Backup %04d.%d.%d %d:%02d:%02d:".
std::string BackupFolderName(const std::tm& t);
std::string BackupLogHeader(const std::tm& t);
std::tm LocalTimeNow();

class DataBackup {
 public:
  explicit DataBackup(BackupPlaces places);
  virtual ~DataBackup() = default;

  // Every line of a run: the window lists it; during a backup it also goes to Backup.log.
  std::function<void(const std::string&)> onLogLine;
  // The local time that names a backup and heads its log.
  std::function<std::tm()> clock = LocalTimeNow;

  // One backup run into a new folder below `backupPath` (ends with a separator). `folder`
  // gets the new folder's name ("" when it could not be made). False when the folder could not
  // be made (a folder of the same second exists) or a copy failed; the log says which.
  bool RunBackup(const std::string& backupPath, const BackupSets& sets, std::string& folder);

  // The names of the backups below the path (folders that hold Backup.log), in listing order.
  std::vector<std::string> ListBackups(const std::string& backupPath) const;
  // The lines of a backup's Backup.log; empty when it cannot be read.
  std::vector<std::string> ReadBackupLog(const std::string& backupPath,
                                         const std::string& name) const;
  // True when backupPath + name is a folder that holds Backup.log and whose run was complete.
  bool IsBackup(const std::string& backupPath, const std::string& name) const;
  // A backup folder whose run was cut short or failed: never listed nor restored.
  bool IsUnfinishedBackup(const std::string& backupPath, const std::string& name) const;

  // Copies a backup back over the data root. False (nothing copied) when it is no backup, and
  // message 1068 for one whose run was not complete; otherwise true when every file was
  // restored. Only ordinary files and folders of the backup with plain names are copied, never
  // through a link; anything else counts as not restored. Each file replaces its target in one
  // rename, so a failed copy leaves the user's file whole; "Restore.run" in the data folder
  // names the backup while the restore runs.
  bool RestoreBackup(const std::string& backupPath, const std::string& name, RestoreCounts& counts);
  // Called once at the start, before any store reads the data: a restore that was cut short
  // (its "Restore.run" is there) is run again from the backup it names, and message 1071 (or
  // 1072 when it cannot be finished) says so. True when there was none or it is finished.
  bool FinishInterruptedRestore();

  // Removes a backup (a finished or an unfinished one) with everything in it. False when it is
  // no backup or an entry could not be removed (the removal stops there).
  bool DeleteBackup(const std::string& backupPath, const std::string& name);
  // Removes everything below the folder, stopping at the first entry that cannot be removed.
  static bool DeleteFolderTree(const std::string& folder);

  // Copies one file, replacing the target. Direction 'B' program side to backup side, 'R' the
  // other way. False when the source is missing or the copy failed.
  static bool CopyBackupFile(char direction, const std::string& programSide,
                             const std::string& backupSide);

  const BackupPlaces& Places() const { return places_; }
  // The backup folder of the running backup (path + name + '/'); "" outside a run.
  const std::string& RunningFolder() const { return running_; }

 protected:
  // Logs one line: to the window, and into Backup.log of the running backup.
  void AddBackupLogLine(const std::string& text);

 private:
  // Creates the folder tree of a backup; the name, or "" (with the abort line logged).
  std::string CreateBackupFolders(const std::string& backupPath, const std::tm& now);
  // A copy for the backup: a missing source is skipped (true); a failed copy is logged.
  bool CopyIn(const std::string& name, const std::string& from, const std::string& to);
  bool CopyAllFiles(const std::string& from, const std::string& to);
  bool CopyRecipeBooks(const BackupSets& sets);
  bool CopyRecipePictures();
  bool CopyIngredientPictures();
  bool CopyInternalDatabases();
  bool CopyLexicon();
  bool CopyAccounts();
  // The persons' folders below Konten that a backup takes: every person the diary names and
  // every folder that lies there, in that order, each once.
  std::vector<std::string> AccountFolders() const;
  bool CopyHtmlTemplates();
  void RestoreFailed(const std::string& path, RestoreCounts& counts);
  bool IsRestorableFolder(const std::string& backupSide, RestoreCounts& counts);
  int RestoreFolderFiles(const std::string& programSide, const std::string& backupSide,
                         RestoreCounts& counts);

  BackupPlaces places_;
  std::string running_;
};

}  // namespace tav
