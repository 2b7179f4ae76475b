#include "exchange/auto_import.h"

#include <ctime>

#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_store.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

namespace {

bool Flag(int id) {
  return ctx().options && ctx().options->Flag(id);
}
std::string Str(int id) {
  return ctx().options ? ctx().options->Str(id) : std::string();
}

std::string FileName(const std::string& path) {
  const size_t sep = LastSeparator(path);
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

// The file is gone or carries its new name: deleted, or moved over an older file of that name.
bool PutAway(const std::string& path, const std::string& newName) {
  if (newName.empty()) return RemoveFile(path) || !EntryExists(path);
  if (EntryExists(newName) && !RemoveFile(newName)) return false;
  return RenameFile(path, newName);
}

}  // namespace

AutoImport::FileState AutoImport::StateOf(const std::string& name) {
  const std::string upper = UpperCaseAnsi(name);
  if (upper.find(".OK") != std::string::npos) return kImported;
  if (upper.find(".NOREZ") != std::string::npos) return kNoRecipe;
  return kPending;
}

std::string AutoImport::WatchedFolder() {
  return WithSeparator(Str(47));
}

std::vector<AutoImport::FolderFile> AutoImport::ListWatchedFolder(int filter) {
  std::vector<FolderFile> files;
  const std::string folder = WatchedFolder();
  for (const std::string& name : ListFolder(folder)) {
    // A name holding '\\' would be read as a path leading out of the folder: such a file is
    // never imported, deleted or renamed.
    if (!IsPlainName(name) || name[0] == '.' || !FileExists(folder + name)) continue;
    if (UpperCaseAnsi(name) == "LOGBUCH.TXT") continue;
    const FileState state = StateOf(name);
    if (filter == 0 && state != kPending) continue;
    if (filter == 1 && state == kPending) continue;
    files.push_back({name, state});
  }
  return files;
}

void AutoImport::WriteImportLog(const std::string& text) {
  if (!Flag(46)) return;
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%02d.%02d.%d %02d:%02d: ", t.tm_mday, t.tm_mon + 1,
                t.tm_year + 1900, t.tm_hour, t.tm_min);
  AppendTextLines(FindFileNoCase(WatchedFolder() + "Logbuch.txt"), stamp + text + "\r\n");
}

int AutoImport::AutoImportFile(const std::string& path) {
  if (StateOf(FileName(path)) != kPending) return 0;
  const std::string folder = WatchedFolder();
  if (path.compare(0, folder.size(), folder) != 0 || !IsPlainName(path.substr(folder.size())))
    return 0;  // only a file directly in the watched folder is ever put away
  const int count = importFile ? importFile(path, Str(43)) : -1;
  if (count < 0) return -1;
  WriteImportLog((count > 0 ? std::to_string(count) + GetLangText(337) : GetLangText(336)) +
                 ". ('" + path + "')");
  std::string newName;
  if (count > 0 && !Flag(44)) newName = path + ".OK";
  if (count == 0 && Flag(45)) newName = path + ".NoRez";
  if (!PutAway(path, newName)) {
    setAside_.insert(path);  // imported once; never again while the program runs
    MessageBox(GetLangText(338) + path + GetLangText(339), GetLangText(851),
               MB_OK | MB_ICONWARNING);
    return -1;
  }
  return count;
}

void AutoImport::RunAutoImport() {
  if (busy_) return;
  busy_ = true;
  int total = 0;
  for (;;) {
    std::string next;
    for (const FolderFile& file : ListWatchedFolder(0)) {
      if (!IsSetAside(WatchedFolder() + file.name)) {
        next = WatchedFolder() + file.name;
        break;
      }
    }
    if (next.empty()) break;
    const int result = AutoImportFile(next);
    if (result > 0) total += result;
    if (result < 0) break;
    if (EntryExists(next)) setAside_.insert(next);  // still there: it would come back forever
  }
  busy_ = false;
  if (total > 0) ReloadIfAutoImportBook();
}

void AutoImport::ReloadIfAutoImportBook() {
  if (!ctx().dbList) return;
  const std::string current =
      ctx().books ? ctx().books->GetKBookName(ctx().books->GetAktKBookId()) : Str(6);
  if (current == Str(43)) ctx().dbList->ReloadBookIndex();
}

}  // namespace tav
