#include "maintenance/data_takeover.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/file_change.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "services/file_functions.h"

namespace tav {

namespace {

constexpr char kSplitDone[] = "split";

bool EndsWithNoCase(const std::string& name, const std::string& tail) {
  if (name.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i) {
    const char a = name[name.size() - tail.size() + i];
    const char b = tail[i];
    if ((a >= 'A' && a <= 'Z' ? a + 32 : a) != (b >= 'A' && b <= 'Z' ? b + 32 : b)) return false;
  }
  return true;
}

// Plain files of the folder whose names end with `tail` (any case), in listing order.
std::vector<std::string> FilesEndingWith(const std::string& folder, const std::string& tail) {
  std::vector<std::string> out;
  for (const std::string& name : ListFolder(folder))
    if (EndsWithNoCase(name, tail) && FileExists(folder + name)) out.push_back(name);
  return out;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && EndsWithNoCase(a, b);
}

bool HasFile(const std::string& folder, const std::string& name) {
  return FileExists(FindFileNoCase(folder + name));
}

void CopyKeyBelow(SettingsStore& store, const std::string& from, const std::string& to) {
  for (const std::string& name : store.ValueNames(from)) {
    std::string value;
    if (store.ReadString(from, name, value)) store.WriteString(to, name, value);
  }
  for (const std::string& sub : store.SubKeys(from))
    CopyKeyBelow(store, from + "\\" + sub, to + "\\" + sub);
}

}  // namespace

DataTakeover::DataTakeover(std::string dataRoot, std::string programFolder, SettingsStore* settings)
    : root_(WithSeparator(NativePath(dataRoot))),
      data_(root_ + "Data/"),
      program_(WithSeparator(NativePath(programFolder))),
      settings_(settings) {}

int DataTakeover::ParseInstalledVersion(const std::string& firstLine, bool fileOpened) {
  if (!fileOpened || firstLine.size() <= 12) return 1;
  const std::string digits = firstLine.substr(8, 2);
  return std::atoi(digits.c_str());
}

int DataTakeover::ReadInstalledVersion(const std::string& versionFile) {
  LineReader reader(FindFileNoCase(versionFile));
  if (!reader.IsOpen()) return 1;
  std::string line;
  if (!reader.Next(line)) return 1;
  if (line.size() > 97) line.resize(97);  // the line of 98 characters, its line feed included
  if (reader.LastHadBreak()) line += '\n';
  return ParseInstalledVersion(line, true);
}

bool DataTakeover::MoveSettingsKey(SettingsStore& store, const std::string& from,
                                   const std::string& to) {
  if (!store.KeyExists(from) || store.KeyExists(to)) return false;
  CopyKeyBelow(store, from, to);
  return store.DeleteKey(from);
}

void DataTakeover::MoveLegacyKeys() {
  if (!settings_) return;
  MoveSettingsKey(*settings_, "Software\\Orlak\\Sapurino", kRegKey);
  MoveSettingsKey(*settings_, "Software\\Brimo\\Sapurino", kRegKey);
}

bool DataTakeover::IsOlderInstallation() const {
  return HasFile(data_, "Einheit.dat") || HasFile(data_ + "DE/", "Einheit.dat");
}

void DataTakeover::Run(const std::array<bool, kChoices>& take) {
  RunFrom(take, false);
}

void DataTakeover::RunFrom(const std::array<bool, kChoices>& take, bool split) {
  flags = take;
  // The choice is kept until the last file is taken, so that a start after a run cut short
  // finishes it (the unit table's update file, the start's marker, is among the first taken).
  // The split is not repeated: it would copy an old table over one taken since.
  std::string chosen;
  for (bool b : take) chosen += b ? '1' : '0';
  if (!split) {
    WriteFileAtomic(PendingFile(), chosen + "\r\n");
    for (const char* name : {"Assist.dat", "Einheit.dat", "Gattung.dat", "Lexika.lbk",
                             "Lexika.ldt", "UmlConvS.dat", "Zutaten.dat"})
      SplitLanguageFile(name);
    WriteFileAtomic(PendingFile(), chosen + "\r\n" + kSplitDone + "\r\n");
  }
  ApplyUpdateFiles();
  PatchOldBookMagic();
  const std::string oldProgram = FindFileNoCase(program_ + "Sapurino.exe");
  if (FileExists(oldProgram)) RemoveFile(oldProgram);
  WriteDefaultNutrientList();
  RemoveFile(PendingFile());
}

bool DataTakeover::ResumeInterruptedRun() {
  std::string chosen;
  if (!ReadFileBytes(PendingFile(), chosen)) return false;
  std::array<bool, kChoices> take{};
  for (int i = 0; i < kChoices; ++i)
    take[static_cast<size_t>(i)] = static_cast<size_t>(i) < chosen.size() && chosen[i] == '1';
  RunFrom(take, chosen.find(kSplitDone) != std::string::npos);
  return true;
}

bool DataTakeover::WrittenByThisProgram(const std::string& versionFile) {
  LineReader reader(FindFileNoCase(versionFile));
  std::string line;
  return reader.IsOpen() && reader.Next(line) && line.rfind("Tavolin:", 0) == 0;
}

void DataTakeover::SplitLanguageFile(const std::string& name) {
  const std::string source = FindFileNoCase(data_ + name);
  if (!FileExists(source)) return;
  const std::string own = source.substr(LastSeparator(source) + 1);
  CopyWholeFile(source, data_ + "DE/" + own);
  // A file the EN folder holds already stays; so does the source then.
  if (EntryExists(FindFileNoCase(data_ + "EN/" + own))) return;
  RenameFile(source, data_ + "EN/" + own);
}

void DataTakeover::Log(const std::string& line) const {
  AppendTextLines(LogFile(), line + "\r\n");
}

DataTakeover::Take DataTakeover::PrepareTake(const std::string& name,
                                             const std::string& folder) const {
  Take t;
  t.file = FindFileNoCase(folder + name);
  t.update = FindFileNoCase(folder + name + "u");
  t.haveUpdate = FileExists(t.update);
  // The user's file takes the update file's spelling when there is none of its own.
  if (!FileExists(t.file) && t.haveUpdate) t.file = t.update.substr(0, t.update.size() - 1);
  if (!t.haveUpdate || !FileExists(t.file)) return t;
  // The user's table is kept beside it before it is replaced; without that copy it stays.
  std::string own, update;
  errno = 0;
  if (!ReadFileBytes(t.file, own))
    t.stoppedBy = t.file;
  else if (!ReadFileBytes(t.update, update))
    t.stoppedBy = t.update;
  else if (own != update && !WriteFileAtomic(t.file + kReplacedSuffix, own))
    t.stoppedBy = t.file + kReplacedSuffix;
  if (!t.stoppedBy.empty()) {
    t.second = -1;
    t.error = errno ? errno : EIO;
  }
  return t;
}

void DataTakeover::FinishTake(Take& t) {
  if (!t.haveUpdate || t.second == -1) return;
  // The rename replaces the user's file in one step: it is never removed first, so a failed
  // rename leaves it whole.
  t.second = RenameFile(t.update, t.file) ? 0 : -1;
  if (t.second != 0) t.error = errno;
}

void DataTakeover::LogTake(const Take& t) const {
  Log(t.file + ";" + (t.haveUpdate ? t.update : std::string("-")) + ";99;" +
      std::to_string(t.second) + ";" + std::to_string(t.error) + ".");
}

void DataTakeover::ReplaceByUpdateFile(const std::string& name, const std::string& folder,
                                       bool take) {
  if (take) {
    Take t = PrepareTake(name, folder);
    FinishTake(t);  // nothing to take without an update file: the user's file stays
    LogTake(t);
    return;
  }
  const std::string u = FindFileNoCase(folder + name + "u");
  std::string f = FindFileNoCase(folder + name);
  if (!FileExists(f) && FileExists(u)) f = u.substr(0, u.size() - 1);
  const int first = RemoveFile(u) ? 0 : -1;
  const int error = first != 0 ? errno : 0;
  Log(f + ";-;" + std::to_string(first) + ";99;" + std::to_string(error) + ".");
}

void DataTakeover::TakeBook(const std::string& base, bool take) {
  static constexpr const char* kExtensions[] = {"bok", "idx", "inf"};
  if (!take) {
    for (const char* ext : kExtensions) ReplaceByUpdateFile(base + ext, data_, false);
    return;
  }
  // The three files go together: a record file taken without its index (or the other way
  // round) would show the titles of the one over the recipes of the other.
  std::vector<Take> files;
  const Take* failed = nullptr;
  for (const char* ext : kExtensions) files.push_back(PrepareTake(base + ext, data_));
  for (const Take& t : files)
    if (!failed && t.second == -1) failed = &t;
  if (failed) {
    booksNotTaken_.push_back({base.substr(0, base.size() - 1), failed->stoppedBy});
  } else {
    for (Take& t : files) FinishTake(t);
  }
  for (const Take& t : files) LogTake(t);
}

bool DataTakeover::CopyBetweenFolders(const std::string& name, const std::string& from,
                                      const std::string& to) {
  const std::string source = FindFileNoCase(from + name);
  return CopyWholeFile(source, to + source.substr(LastSeparator(source) + 1));
}

bool DataTakeover::CopyWholeFile(const std::string& source, const std::string& target) {
  return FileExists(source) && CopyFileBytes(source, target);
}

void DataTakeover::ApplyUpdateFiles() {
  const std::string de = data_ + "DE/", en = data_ + "EN/", html = root_ + "HTML/";
  // A single shipped lexicon serves both languages; a language folder with a lexicon file of
  // its own (or its update file) keeps it.
  for (const char* name : {"Lexika.lbk", "Lexika.ldt"})
    if (!HasFile(en, name) && !HasFile(en, std::string(name) + "u"))
      CopyBetweenFolders(std::string(name) + "u", de, en);
  for (const char* name : {"Tavolin.chm", "RkKonvert.dat"}) CopyBetweenFolders(name, de, en);
  auto languageTables = [this](const std::string& folder) {
    if (!HasFile(folder, "CoolBoxes.dat")) {
      // The file the rule tests goes last, so that a run cut short between the two takes both.
      ReplaceByUpdateFile("CoolTypes.dat", folder, true);
      ReplaceByUpdateFile("CoolBoxes.dat", folder, true);
    }
    ReplaceByUpdateFile("Einheit.dat", folder, flags[kUnits]);
    ReplaceByUpdateFile("Gattung.dat", folder, flags[kCategories]);
    ReplaceByUpdateFile("Portions.dat", folder, flags[kCategories]);
    ReplaceByUpdateFile("Lexika.lbk", folder, flags[kLexicon]);
    ReplaceByUpdateFile("Lexika.ldt", folder, flags[kLexicon]);
    ReplaceByUpdateFile("Zutaten.dat", folder, flags[kIngredients]);
    ReplaceByUpdateFile("MenuTypes.dat", folder, true);
    ReplaceByUpdateFile("Kenndaten.dat", folder, !HasFile(folder, "Kenndaten.dat"));
  };
  languageTables(de);
  languageTables(en);
  for (const char* name : {"IndexTPL.html", "ViewTPL.html", "QViewTPL.html", "Menu.mpl"})
    ReplaceByUpdateFile(name, html, flags[kHtml]);
  ReplaceByUpdateFile("Hintergrund.bmp", data_, flags[kBackPicture]);
  ReplaceByUpdateFile("Haendler.dat", data_, !HasFile(data_, "Haendler.dat"));
  ReplaceByUpdateFile("StoffCalc.dat", data_, !HasFile(data_, "StoffCalc.dat"));
  const bool filters = !HasFile(data_, "FiltGrps.bls");
  for (const char* name : {"Filt_1.bls", "Filt_2.bls", "Filt_3.bls", "Filt_4.bls", "FiltGrps.bls"})
    ReplaceByUpdateFile(name, data_, filters);
  // Every book with an update file of any of its three files: a run cut short after the
  // record file was taken finishes with the index and the description.
  std::vector<std::string> books;
  for (const char* tail : {".boku", ".idxu", ".infu"})
    for (const std::string& name : FilesEndingWith(data_, tail)) {
      const std::string base = name.substr(0, name.size() - 4);  // the dot stays
      bool known = false;
      for (const std::string& b : books) known = known || EqualNoCase(b, base);
      if (!known) books.push_back(base);
    }
  for (const std::string& base : books) TakeBook(base, flags[kRecipes]);
}

void DataTakeover::PatchOldBookMagic() {
  for (const char* ext : {".idx", ".bok"}) {
    for (const std::string& name : FilesEndingWith(data_, ext)) {
      const std::string path = data_ + name;
      const int fd = ::open(DiskPath(path).c_str(), O_RDWR);
      if (fd < 0) continue;
      char head[19];
      if (::pread(fd, head, sizeof head, 0) == static_cast<ssize_t>(sizeof head)) {
        const std::string searched(head, strnlen(head, 13));
        const size_t at = searched.find("SAPURINO");
        if (at != std::string::npos) {
          // Written where the old word stands, never at a fixed place.
          BeforeFileChange();
          if (::pwrite(fd, "TAVOLIN_", 8, static_cast<off_t>(at)) != 8) {
            // Nothing more to do: an unpatched book is read as before.
          }
        }
      }
      ::close(fd);
    }
  }
}

void DataTakeover::WriteDefaultNutrientList() {
  if (!settings_) return;
  std::string first;
  if (settings_->ReadString(kRegParam, "BLSRezStoff_0", first)) return;
  const int list[] = {4, 5, 7, 8, 9, 10, 13, 137, 141, -1};
  for (int n = 0; n < 10; ++n)
    settings_->WriteString(kRegParam, "BLSRezStoff_" + std::to_string(n), std::to_string(list[n]));
}

}  // namespace tav
