#pragma once
// The file and settings work of the main window's life cycle: its placement in the user
// settings, the data folder with the default book, the first-start book choice, "Version.txt"
// and the food-database files an installer leaves in "BLS-Install/".
#include <string>
#include <vector>

namespace tav {

class SettingsStore;

// Placement of the main window as the settings hold it ("WinX" … "WinI" in section Param);
// state 0 normal, 1 minimised, 2 maximised.
struct WindowPlacement {
  int x = -1, y = 0, w = 640, h = 480, state = 0;
  bool operator==(const WindowPlacement&) const = default;
};

// Reads "WinX", "WinY", "WinW", "WinH", "WinI" with their defaults (-1, 0, 640, 480, 0).
WindowPlacement ReadPlacement(const SettingsStore& settings);
void WritePlacement(SettingsStore& settings, const WindowPlacement& p);
// First start (x -1) gives x 0 and width 640, grown to at least firstWidth x firstHeight (the
// size that shows the whole menu bar and tool bar) as far as the screen allows; a stored
// placement is used as it is. A window wider or higher than the screen from its edge starts at
// the screen edge with the screen's size (width and height apart).
inline constexpr int kFirstStartWidth = 1024;
inline constexpr int kFirstStartHeight = 700;
WindowPlacement ClampPlacement(WindowPlacement p, int screenWidth, int screenHeight,
                               int firstWidth = kFirstStartWidth,
                               int firstHeight = kFirstStartHeight);

// An integer value of section Param (decimal text), `def` when absent or not a number.
int ReadParamInt(const SettingsStore& settings, const std::string& name, int def);
void WriteParamInt(SettingsStore& settings, const std::string& name, int value);

inline constexpr const char* kDefaultBook = "Tavolin-Rezepte mit Bildern";

// The data folder "<root>Data" is created when no entry of that name exists (one level;
// a failure is left to later file operations).
void EnsureDataFolder(const std::string& dataRoot);

// Names of the books (".bok" files, any case) of the data folder, without the extension,
// sorted by byte value.
std::vector<std::string> BookNames(const std::string& dataFolder);

// Creates the default book (19-byte header "TAVOLIN__1.01_DAT\r\n" and an ".inf" holding an
// empty description and book id 1) when the data folder holds no book. False only when the
// record file could not be created; a failed ".inf" is ignored.
bool EnsureDefaultBook(const std::string& dataFolder);

// On a first start (no "KBook" or "-") stores the current book: the default book when it
// exists, else the first book by name. Nothing is stored when there is no book.
void ChooseFirstStartBook(SettingsStore& settings, const std::string& dataFolder);

// What start-up tells the user about files it could not take as they were, one text per
// message box: a damaged user settings file (message 832 with the kept copy, 833 when no copy
// could be kept), and in one text the folders nothing can be saved in (834 the data folder, 835
// the folder of the user settings file).
std::vector<std::string> StartupFileNotices(const SettingsStore* userSettings,
                                            const std::string& dataFolder);

// Removes the temporary files of whole-file writes that a killed run left ("name.$$$<pid>"
// whose process has ended) in every folder the program writes files into: the data root with
// every folder below it (kTemporaryFileDepth levels: data, language and diary folders, Pics/
// and Pics/Zutaten/, HTML/, QN_Sync/, Backup/ with its backups, and whatever folder a writer
// adds there), and `elsewhere` (the data, export and program folders and the settings folder
// where they lie outside the root) with `depth` levels below each. The book folder's are
// removed again when a book is opened.
inline constexpr int kTemporaryFileDepth = 6;  // <root>Backup/<stamp>/Data/Konten/<person>/
struct TemporaryFileFolder {
  std::string folder;
  int depth = 0;
};
void RemoveLeftTemporaryFiles(const std::string& dataRoot,
                              const std::vector<TemporaryFileFolder>& elsewhere);

// "Version.txt" in the folder (the data root): "Tavolin: <major>.<minor><release>" and CR LF.
bool WriteVersionFile(const std::string& programFolder, int major, int minor, int release);

// Food-database files waiting in programFolder + "BLS-Install/": "Data.bls" goes into the data
// folder, each sub-folder's "index.bls" into the same sub-folder of the data folder (source
// deleted after its copy). When every copy worked, the files directly in "BLS-Install/" are
// deleted; the sub-folders stay.
enum class BlsInstall { Nothing, Installed, Failed };
BlsInstall InstallPendingBlsFiles(const std::string& programFolder, const std::string& dataFolder);

}  // namespace tav
