#include "maintenance/data_backup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "diary/diary_module.h"
#include "platform/file_change.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/index_file.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

namespace {

// A name that can be a folder of its own below another (a diary person's account).
bool IsOwnFolderName(const std::string& name) {
  return IsPlainName(name) && name.find(':') == std::string::npos;
}

// Lies in a backup folder from its first moment until the run is complete: a backup cut short
// (or failed) is never listed and never restored.
constexpr const char* kUnfinishedMark = "Backup.run";
// Lies in the data folder while a restore runs; the next start finishes the restore.
constexpr const char* kRestoreMark = "Restore.run";

std::string Folder(const std::string& path) {
  return WithSeparator(NativePath(path));
}

// The copy loop: the kernel copies where it can, plain reads and writes elsewhere.
bool CopyDescriptor(int in, int out, off_t size) {
  off_t done = 0;
  while (done < size) {
    const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size - done, 0);
    if (n <= 0) break;
    done += n;
  }
  if (done == size) {
    // The file may have grown since its size was taken; take the rest as well.
    char probe;
    if (::pread(in, &probe, 1, done) == 0) return true;
  }
  if (::lseek(in, done, SEEK_SET) < 0 || ::lseek(out, done, SEEK_SET) < 0) return false;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0) return false;
    for (ssize_t w = 0; w < n;) {
      const ssize_t m = ::write(out, buffer + w, n - w);
      if (m <= 0) return false;
      w += m;
    }
  }
}

}  // namespace

const std::vector<std::string>& BackupDataFiles() {
  static const std::vector<std::string> files{"Haendler.dat", "WPlan.ini",    "StoffCalc.dat",
                                              "Users.dat",    "Kauflist.dat", "Antwort.xml"};
  return files;
}

const std::vector<std::string>& BackupLanguageFiles() {
  static const std::vector<std::string> files{"Einheit.dat",  "Gattung.dat",   "Kenndaten.dat",
                                              "Portions.dat", "Zutaten.dat",   "UmlConvS.dat",
                                              "Umfrage.xml",  "CoolBoxes.dat", "CoolTypes.dat"};
  return files;
}

std::vector<std::string> FindLanguageFolders(const std::string& dataFolder) {
  std::vector<std::string> out;
  const std::string data = Folder(dataFolder);
  for (const std::string& name : ListFolder(data))
    if (IsRealFolder(data + name) && FileExists(FindFileNoCase(data + name + "/Languages.dat")))
      out.push_back(name);
  return out;
}

std::string BackupFolderName(const std::tm& t) {
  char name[80];
  std::snprintf(name, sizeof name, "TavolinBackup_%04d.%d.%d_%d.%02d.%02d", t.tm_year + 1900,
                t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return name;
}

std::string BackupLogHeader(const std::tm& t) {
  char line[80];
  std::snprintf(line, sizeof line, "Tavolin - Backup %04d.%d.%d %d:%02d:%02d:", t.tm_year + 1900,
                t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return line;
}

std::tm LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  return t;
}

BackupPlaces BackupPlaces::FromProgram() {
  BackupPlaces p;
  if (OptionsStore* o = ctx().options) {
    p.dataRoot = Folder(o->Str(90));
    p.dataFolder = Folder(o->Str(2));
    p.htmlFolder = Folder(o->Str(5));
    p.htmlTemplate = o->Str(57);
    p.quickTemplate = o->Str(58);
  }
  p.languageFolders = FindLanguageFolders(p.dataFolder);
  if (ENApplogMod)
    for (const ENPERSON& person : ENApplogMod->persons) p.persons.push_back(person.name);
  if (ctx().books)
    for (const KBOOK& book : ctx().books->Books()) p.books.push_back(book.name);
  return p;
}

DataBackup::DataBackup(BackupPlaces places) : places_(std::move(places)) {
  for (std::string* folder : {&places_.dataRoot, &places_.dataFolder, &places_.htmlFolder})
    if (!folder->empty()) *folder = Folder(*folder);
}

void DataBackup::AddBackupLogLine(const std::string& text) {
  if (onLogLine) onLogLine(text);
  if (!running_.empty()) AppendTextLines(running_ + "Backup.log", text + "\r\n");
}

bool DataBackup::CopyBackupFile(char direction, const std::string& programSide,
                                const std::string& backupSide) {
  const std::string& source = direction == 'R' ? backupSide : programSide;
  const std::string& target = direction == 'R' ? programSide : backupSide;
  // A restore never reads through a link that lies in the backup.
  const int in = ::open(DiskPath(source).c_str(), O_RDONLY | O_CLOEXEC | (direction == 'R' ? O_NOFOLLOW : 0));
  if (in < 0) return false;
  struct stat st {};
  if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(in);
    return false;
  }
  // Written beside the target and renamed over it, so a failed copy never leaves the target
  // cut short; the name is the one whose leftovers the program clears away after a crash.
  const std::string temp = target + ".$$$" + std::to_string(::getpid());
  BeforeFileChange();
  const int out = ::open(DiskPath(temp).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (out < 0) {
    ::close(in);
    return false;
  }
  bool ok = CopyDescriptor(in, out, st.st_size);
  ok = (::close(out) == 0) && ok;
  ::close(in);
  if (ok) BeforeFileChange();
  ok = ok && std::rename(DiskPath(temp).c_str(), DiskPath(target).c_str()) == 0;
  if (!ok) ::unlink(DiskPath(temp).c_str());
  return ok;
}

bool DataBackup::CopyIn(const std::string& name, const std::string& from, const std::string& to) {
  const std::string source = FindFileNoCase(from + name);
  if (!FileExists(source)) return true;  // not there: nothing to take
  const std::string own = source.substr(LastSeparator(source) + 1);
  if (CopyBackupFile('B', source, to + own)) return true;
  AddBackupLogLine(GetLangText(1052) + source);
  return false;
}

bool DataBackup::CopyAllFiles(const std::string& from, const std::string& to) {
  bool ok = true;
  for (const std::string& name : ListFolder(from)) {
    if (!FileExists(from + name)) continue;
    if (!CopyBackupFile('B', from + name, to + name)) {
      AddBackupLogLine(GetLangText(1052) + from + name);
      ok = false;
    }
  }
  return ok;
}

std::string DataBackup::CreateBackupFolders(const std::string& backupPath, const std::tm& now) {
  const std::string name = BackupFolderName(now);
  const std::string base = backupPath + name;
  if (EntryExists(base)) {
    // A backup of the same second: refused, never merged into it.
    AddBackupLogLine(GetLangText(1058) + name);
    return std::string();
  }
  std::vector<std::string> folders{base, base + "/Data", base + "/Data/Konten"};
  for (const std::string& person : AccountFolders())
    folders.push_back(base + "/Data/Konten/" + person);
  for (const std::string& lang : places_.languageFolders) folders.push_back(base + "/Data/" + lang);
  for (const char* sub : {"/Pics", "/Pics/Zutaten", "/HTML"}) folders.push_back(base + sub);
  // The backup path itself may be new; every folder of the backup must be made here.
  MakeDirs(backupPath);
  for (const std::string& folder : folders) {
    BeforeFileChange();
    if (::mkdir(DiskPath(folder).c_str(), 0755) != 0 ||
        (folder == base && !WriteFileAtomic(base + "/" + kUnfinishedMark, BackupLogHeader(now)))) {
      AddBackupLogLine(GetLangText(1051));
      return std::string();
    }
  }
  return name;
}

bool DataBackup::RunBackup(const std::string& backupPath, const BackupSets& sets,
                           std::string& folder) {
  const std::string path = Folder(backupPath);
  running_.clear();
  folder = path.empty() || path == "/" ? std::string() : CreateBackupFolders(path, clock());
  bool success = !folder.empty();
  if (success) running_ = path + folder + "/";
  AddBackupLogLine(BackupLogHeader(clock()));
  AddBackupLogLine(std::string());
  struct Set {
    bool on;
    int text;
    std::function<bool()> copy;
  };
  const Set order[] = {
      {sets.books, 591, [&] { return CopyRecipeBooks(sets); }},
      {sets.recipePictures, 592, [&] { return CopyRecipePictures(); }},
      {sets.ingredientPictures, 593, [&] { return CopyIngredientPictures(); }},
      {sets.databases, 594, [&] { return CopyInternalDatabases(); }},
      {sets.lexicon, 595, [&] { return CopyLexicon(); }},
      {sets.accounts, 596, [&] { return CopyAccounts(); }},
      {sets.htmlTemplates, 597, [&] { return CopyHtmlTemplates(); }},
  };
  for (const Set& set : order) {
    if (!success || !set.on) continue;
    AddBackupLogLine(GetLangText(set.text) + GetLangText(598));
    success = set.copy();
  }
  AddBackupLogLine(std::string());
  AddBackupLogLine(GetLangText(success ? 599 : 600));
  // The last change of a whole run: from now on the folder is a backup.
  if (success) success = RemoveFile(running_ + kUnfinishedMark);
  running_.clear();
  return success;
}

bool DataBackup::CopyRecipeBooks(const BackupSets& sets) {
  const std::string target = running_ + "Data/";
  bool ok = true;
  for (const std::string& book : places_.books) {
    if (!sets.allBooks) {
      bool ticked = false;
      for (const std::string& chosen : sets.chosenBooks) ticked = ticked || chosen == book;
      if (!ticked) continue;
    }
    AddBackupLogLine("   " + book);
    const std::string records = BookFileIn(places_.dataFolder, book, ".bok");
    if (!FileExists(records)) {
      AddBackupLogLine(GetLangText(1052) + records);
      ok = false;
      continue;
    }
    ok = CopyIn(records.substr(LastSeparator(records) + 1), places_.dataFolder, target) && ok;
    for (const char* ext : {".idx", ".inf"}) {
      const std::string file = BookFileIn(places_.dataFolder, book, ext);
      ok = CopyIn(file.substr(LastSeparator(file) + 1), places_.dataFolder, target) && ok;
    }
  }
  return ok;
}

bool DataBackup::CopyRecipePictures() {
  return CopyAllFiles(FindFileNoCase(places_.dataRoot + "Pics") + "/", running_ + "Pics/");
}

bool DataBackup::CopyIngredientPictures() {
  return CopyAllFiles(FindFileNoCase(places_.dataRoot + "Pics/Zutaten") + "/",
                      running_ + "Pics/Zutaten/");
}

bool DataBackup::CopyInternalDatabases() {
  bool ok = true;
  for (const std::string& name : BackupDataFiles())
    ok = CopyIn(name, places_.dataFolder, running_ + "Data/") && ok;
  for (const std::string& lang : places_.languageFolders)
    for (const std::string& name : BackupLanguageFiles())
      ok = CopyIn(name, places_.dataFolder + lang + "/", running_ + "Data/" + lang + "/") && ok;
  return ok;
}

bool DataBackup::CopyLexicon() {
  bool ok = true;
  for (const std::string& lang : places_.languageFolders)
    for (const char* name : {"Lexika.lbk", "Lexika.ldt"})
      ok = CopyIn(name, places_.dataFolder + lang + "/", running_ + "Data/" + lang + "/") && ok;
  return ok;
}

std::vector<std::string> DataBackup::AccountFolders() const {
  std::vector<std::string> out;
  const auto add = [&out](const std::string& name) {
    if (IsOwnFolderName(name) && std::find(out.begin(), out.end(), name) == out.end())
      out.push_back(name);
  };
  for (const std::string& person : places_.persons) add(person);
  // A diary that could not read Users.dat knows no persons (or only some): their folders are
  // the user's data all the same.
  const std::string konten = places_.dataFolder + "Konten/";
  for (const std::string& name : ListFolder(konten))
    if (IsRealFolder(konten + name)) add(name);
  return out;
}

bool DataBackup::CopyAccounts() {
  bool ok = true;
  for (const std::string& person : AccountFolders()) {
    const std::string from = places_.dataFolder + "Konten/" + person + "/";
    if (IsRealFolder(from.substr(0, from.size() - 1)))
      ok = CopyAllFiles(from, running_ + "Data/Konten/" + person + "/") && ok;
  }
  return ok;
}

bool DataBackup::CopyHtmlTemplates() {
  for (const std::string& name : {places_.htmlTemplate, places_.quickTemplate}) {
    const std::string source = FindFileNoCase(places_.htmlFolder + name);
    const std::string own = source.substr(LastSeparator(source) + 1);
    if (name.empty() || !CopyBackupFile('B', source, running_ + "HTML/" + own)) {
      AddBackupLogLine(GetLangText(1052) + source);
      return false;
    }
  }
  return true;
}

bool DataBackup::IsBackup(const std::string& backupPath, const std::string& name) const {
  return IsOwnFolderName(name) && IsRealFolder(Folder(backupPath) + name) &&
         IsRealFile(Folder(backupPath) + name + "/Backup.log") &&
         !EntryExists(Folder(backupPath) + name + "/" + kUnfinishedMark);
}

bool DataBackup::IsUnfinishedBackup(const std::string& backupPath, const std::string& name) const {
  return IsOwnFolderName(name) && IsRealFolder(Folder(backupPath) + name) &&
         EntryExists(Folder(backupPath) + name + "/" + kUnfinishedMark);
}

std::vector<std::string> DataBackup::ListBackups(const std::string& backupPath) const {
  std::vector<std::string> out;
  if (Folder(backupPath).empty()) return out;
  for (const std::string& name : ListFolder(Folder(backupPath)))
    if (IsBackup(backupPath, name)) out.push_back(name);
  return out;
}

std::vector<std::string> DataBackup::ReadBackupLog(const std::string& backupPath,
                                                   const std::string& name) const {
  std::vector<std::string> lines;
  if (IsBackup(backupPath, name)) ReadTextLines(Folder(backupPath) + name + "/Backup.log", lines);
  return lines;
}

void DataBackup::RestoreFailed(const std::string& path, RestoreCounts& counts) {
  counts.failed.push_back(path);
  AddBackupLogLine(GetLangText(1052) + path);
}

bool DataBackup::IsRestorableFolder(const std::string& backupSide, RestoreCounts& counts) {
  if (IsRealFolder(backupSide)) return true;
  // A link in place of a folder of the backup is never followed; a missing one holds nothing.
  if (EntryExists(backupSide)) RestoreFailed(backupSide, counts);
  return false;
}

int DataBackup::RestoreFolderFiles(const std::string& programSide, const std::string& backupSide,
                                   RestoreCounts& counts) {
  int restored = 0;
  for (const std::string& name : ListFolder(backupSide)) {
    const std::string source = backupSide + "/" + name;
    // Only ordinary files and folders of plain names: never through a link, and never a name
    // whose '\' the file functions would take for a way out of the folder.
    if (!IsOwnFolderName(name)) {
      RestoreFailed(source, counts);
      continue;
    }
    if (IsRealFolder(source)) continue;
    if (!IsRealFile(source)) {
      RestoreFailed(source, counts);
    } else if (CopyBackupFile('R', programSide + "/" + name, source)) {
      ++restored;
    } else {
      RestoreFailed(programSide + "/" + name, counts);
    }
  }
  return restored;
}

bool DataBackup::RestoreBackup(const std::string& backupPath, const std::string& name,
                               RestoreCounts& counts) {
  counts = RestoreCounts{};
  running_.clear();
  if (IsUnfinishedBackup(backupPath, name)) {
    MessageBox(GetLangText(1068) + name, GetLangText(15), MB_OK | MB_ICONERROR);
    return false;
  }
  if (!IsBackup(backupPath, name) || places_.dataFolder.empty() || places_.dataRoot.empty() ||
      places_.htmlFolder.empty())
    return false;
  const std::string backup = Folder(backupPath) + name;
  // Written before the first file and removed after the last: a restore cut short is finished
  // at the next start, so no book is left with its record file of one date and its index of
  // another.
  const std::string mark = places_.dataFolder + kRestoreMark;
  if (!MakeDirs(places_.dataFolder) || !WriteFileAtomic(mark, backup + "\r\n")) {
    RestoreFailed(mark, counts);
    AddBackupLogLine(std::string());
    AddBackupLogLine(GetLangText(1054));
    return false;
  }
  auto line = [this](int set, int count) {
    AddBackupLogLine(GetLangText(set) + GetLangText(604) + std::to_string(count));
  };
  // The data folder with every subfolder: language folders, Konten and any other.
  const std::string data = places_.dataFolder.substr(0, places_.dataFolder.size() - 1);
  MakeDirs(data);
  // Each folder of the backup, its files to the matching folder of the data root.
  auto restoreFolder = [&](const std::string& to, const std::string& from) {
    if (!IsRestorableFolder(from, counts)) return 0;
    MakeDirs(to);
    return RestoreFolderFiles(to, from, counts);
  };
  // Subfolders of plain names (the file loop reports the others).
  auto subfolders = [&](const std::string& from) {
    std::vector<std::string> names;
    if (!IsRealFolder(from)) return names;
    for (const std::string& sub : ListFolder(from))
      if (IsOwnFolderName(sub) && IsRealFolder(from + "/" + sub)) names.push_back(sub);
    return names;
  };
  counts.data = restoreFolder(data, backup + "/Data");
  for (const std::string& sub : subfolders(backup + "/Data"))
    counts.data += restoreFolder(data + "/" + sub, backup + "/Data/" + sub);
  line(594, counts.data);
  MakeDirs(data + "/Konten");
  for (const std::string& person : subfolders(backup + "/Data/Konten"))
    counts.accounts +=
        restoreFolder(data + "/Konten/" + person, backup + "/Data/Konten/" + person);
  line(596, counts.accounts);
  counts.pictures = restoreFolder(places_.dataRoot + "Pics", backup + "/Pics");
  line(592, counts.pictures);
  counts.ingredientPictures =
      restoreFolder(places_.dataRoot + "Pics/Zutaten", backup + "/Pics/Zutaten");
  line(593, counts.ingredientPictures);
  const std::string html = places_.htmlFolder.substr(0, places_.htmlFolder.size() - 1);
  counts.html = restoreFolder(html, backup + "/HTML");
  line(597, counts.html);
  AddBackupLogLine(std::string());
  AddBackupLogLine(counts.failed.empty() ? GetLangText(605) : GetLangText(1054));
  RemoveFile(mark);
  return counts.failed.empty();
}

bool DataBackup::FinishInterruptedRestore() {
  const std::string mark = places_.dataFolder + kRestoreMark;
  if (places_.dataFolder.empty() || !EntryExists(mark)) return true;
  std::vector<std::string> lines;
  ReadTextLines(mark, lines);
  const std::string backup = lines.empty() ? std::string() : lines[0];
  const size_t sep = backup.find_last_of('/');
  RestoreCounts counts;
  const bool done = sep != std::string::npos &&
                    RestoreBackup(backup.substr(0, sep + 1), backup.substr(sep + 1), counts);
  // Said once: a restore that cannot be finished is not tried at every start.
  if (EntryExists(mark)) RemoveFile(mark);
  MessageBox(GetLangText(done ? 1071 : 1072) + backup, GetLangText(done ? 2 : 15),
             MB_OK | (done ? MB_ICONINFORMATION : MB_ICONERROR));
  return done;
}

bool DataBackup::DeleteFolderTree(const std::string& folder) {
  for (;;) {
    const std::vector<std::string> entries = ListFolder(folder);
    if (entries.empty()) return true;
    const std::string entry = folder + "/" + entries.front();
    if (IsRealFolder(entry)) {
      if (!DeleteFolderTree(entry)) return false;
      BeforeFileChange();
      if (::rmdir(DiskPath(entry).c_str()) != 0) return false;
    } else if (BeforeFileChange(), ::unlink(DiskPath(entry).c_str()) != 0) {
      return false;  // an entry that stays would be met again at once: stop here
    }
  }
}

bool DataBackup::DeleteBackup(const std::string& backupPath, const std::string& name) {
  if (!IsBackup(backupPath, name) && !IsUnfinishedBackup(backupPath, name)) return false;
  const std::string folder = Folder(backupPath) + name;
  if (!DeleteFolderTree(folder)) return false;
  BeforeFileChange();
  return ::rmdir(DiskPath(folder).c_str()) == 0;
}

}  // namespace tav
