#pragma once
// The automatic import from the watched folder (option 47): recipe files that another program
// or the user drops there are imported into the auto-import book (option 43) without asking,
// one at a time, each through the ordinary import of a file. Afterwards a file is deleted or
// renamed (".OK" after recipes, ".NoRez" without any, as options 44 and 45 say) so that it is
// not imported twice, and a line goes to the folder's log "Logbuch.txt" (option 46). The
// window TAutoImpDlg derives from this class and runs it on a timer and on demand.
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tav {

class AutoImport {
 public:
  virtual ~AutoImport() = default;

  // Imports one file into the named book: -1 when the import cannot run now, else the number
  // of recipes imported. The window gives it the import window's.
  std::function<int(const std::string& file, const std::string& book)> importFile;

  enum FileState { kPending, kImported, kNoRecipe };
  struct FolderFile {
    std::string name;
    FileState state;
  };
  // By its name: ".OK" in it (any case) imported, ".NOREZ" no recipe, anything else pending.
  static FileState StateOf(const std::string& name);
  // The watched folder's plain files (hidden ones and the log aside) in name order, with their
  // states; `filter` 0 keeps the pending ones, 1 the imported and no-recipe ones, 2 all.
  static std::vector<FolderFile> ListWatchedFolder(int filter);
  // The watched folder, ending with '/'.
  static std::string WatchedFolder();

  // Imports one file: the number of recipes, 0 for none (also for a file whose name says it
  // was imported), -1 when the import cannot run now or the file cannot be put away after its
  // import (message 338 + path + 339). Such a file is left alone by every later automatic run.
  int AutoImportFile(const std::string& path);
  // Imports every pending file, each time the first of a fresh listing, until none is left, an
  // import cannot run or a file cannot be put away; then reloads the list when the current book
  // is the auto-import book. A call while a run is under way (a message box of it is open) does
  // nothing.
  void RunAutoImport();
  // One line of "Logbuch.txt" with option 46: "dd.mm.yyyy hh:mm: " and the text.
  void WriteImportLog(const std::string& text);
  // Reloads the current book's index and list when it is the auto-import book.
  void ReloadIfAutoImportBook();

  bool IsBusy() const { return busy_; }
  // A file that could not be put away after its import (the automatic runs pass it over).
  bool IsSetAside(const std::string& path) const { return setAside_.count(path) != 0; }

 private:
  std::set<std::string> setAside_;
  bool busy_ = false;
};

}  // namespace tav
