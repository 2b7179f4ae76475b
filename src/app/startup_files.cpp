#include "app/startup_files.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/paths.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/text_tools.h"

namespace tav {

int ReadParamInt(const SettingsStore& settings, const std::string& name, int def) {
  std::string text;
  if (!settings.ReadString(kRegParam, name, text)) return def;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str()) return def;
  return static_cast<int>(v);
}

void WriteParamInt(SettingsStore& settings, const std::string& name, int value) {
  settings.WriteString(kRegParam, name, std::to_string(value));
}

WindowPlacement ReadPlacement(const SettingsStore& settings) {
  WindowPlacement p;
  p.x = ReadParamInt(settings, "WinX", -1);
  p.y = ReadParamInt(settings, "WinY", 0);
  p.w = ReadParamInt(settings, "WinW", 640);
  p.h = ReadParamInt(settings, "WinH", 480);
  p.state = ReadParamInt(settings, "WinI", 0);
  return p;
}

void WritePlacement(SettingsStore& settings, const WindowPlacement& p) {
  WriteParamInt(settings, "WinX", p.x);
  WriteParamInt(settings, "WinY", p.y);
  WriteParamInt(settings, "WinW", p.w);
  WriteParamInt(settings, "WinH", p.h);
  WriteParamInt(settings, "WinI", p.state);
}

WindowPlacement ClampPlacement(WindowPlacement p, int screenWidth, int screenHeight,
                               int firstWidth, int firstHeight) {
  if (p.x == -1) {
    // 640 x 480 would cut off the menu bar and the tool bar.
    p.x = 0;
    p.w = std::max(640, std::min(firstWidth, screenWidth));
    p.h = std::max(p.h, std::min(firstHeight, screenHeight));
  }
  if (screenWidth < p.x + p.w) {
    p.x = 0;
    p.w = screenWidth;
  }
  if (screenHeight < p.y + p.h) {
    p.y = 0;
    p.h = screenHeight;
  }
  return p;
}

void EnsureDataFolder(const std::string& dataRoot) {
  const std::string folder = NativePath(dataRoot + "Data");
  std::error_code ec;
  if (!EntryExists(folder)) std::filesystem::create_directory(DiskPath(folder), ec);
}

namespace {
bool EndsWithBok(const std::string& name) {
  return name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".bok") == 0;
}
}  // namespace

std::vector<std::string> BookNames(const std::string& dataFolder) {
  std::vector<std::string> names;
  for (const std::string& n : ListFolder(dataFolder))
    if (EndsWithBok(n) && FileExists(NativePath(dataFolder) + n))
      names.push_back(n.substr(0, n.size() - 4));
  return names;
}

bool EnsureDefaultBook(const std::string& dataFolder) {
  if (!BookNames(dataFolder).empty()) return true;
  const std::string base = NativePath(WithSeparator(dataFolder)) + kDefaultBook;
  if (!WriteFileAtomic(base + ".bok", "TAVOLIN__1.01_DAT\r\n")) return false;
  WriteFileAtomic(base + ".inf", "\r\n1\r\n");
  return true;
}

void ChooseFirstStartBook(SettingsStore& settings, const std::string& dataFolder) {
  if (settings.Read(kRegParam, "KBook", "-") != "-") return;
  const std::string folder = NativePath(WithSeparator(dataFolder));
  if (FileExists(folder + kDefaultBook + ".bok")) {
    settings.WriteString(kRegParam, "KBook", kDefaultBook);
    return;
  }
  // The first book by name, so the choice does not depend on the folder's order.
  const std::vector<std::string> books = BookNames(dataFolder);
  if (!books.empty()) settings.WriteString(kRegParam, "KBook", books.front());
}

std::vector<std::string> StartupFileNotices(const SettingsStore* userSettings,
                                            const std::string& dataFolder) {
  std::vector<std::string> notices;
  const SettingsStore::FileState user =
      userSettings ? userSettings->State() : SettingsStore::FileState();
  if (user.damaged) {
    notices.push_back(user.damagedCopy.empty()
                          ? FormatLangText(GetLangText(833), {user.file})
                          : FormatLangText(GetLangText(832), {user.file, user.damagedCopy}));
  }
  std::vector<std::string> readOnly;
  if (!FolderIsWritable(dataFolder))
    readOnly.push_back(FormatLangText(GetLangText(834), {dataFolder}));
  if (!user.file.empty()) {
    const size_t slash = LastSeparator(user.file);
    const std::string folder = slash == std::string::npos ? "./" : user.file.substr(0, slash + 1);
    // The folder is made with the first change anyway; one that cannot be made cannot be saved in.
    MakeDirs(folder);
    if (!FolderIsWritable(folder)) readOnly.push_back(FormatLangText(GetLangText(835), {folder}));
  }
  if (!readOnly.empty()) {
    std::string text;
    for (const std::string& line : readOnly) text += (text.empty() ? "" : "\n\n") + line;
    notices.push_back(text);
  }
  return notices;
}

void RemoveLeftTemporaryFiles(const std::string& dataRoot,
                              const std::vector<TemporaryFileFolder>& elsewhere) {
  // The whole tree, so that a folder a new writer uses is never left out.
  RemoveStaleTemporaryFiles(dataRoot, kTemporaryFileDepth);
  const std::string root = dataRoot.empty() ? std::string() : WithSeparator(NativePath(dataRoot));
  for (const TemporaryFileFolder& place : elsewhere) {
    const std::string f = place.folder.empty() ? std::string() : WithSeparator(NativePath(place.folder));
    if (root.empty() || f.compare(0, root.size(), root) != 0)
      RemoveStaleTemporaryFiles(f, place.depth);
  }
}

bool WriteVersionFile(const std::string& programFolder, int major, int minor, int release) {
  char line[64];
  std::snprintf(line, sizeof line, "Tavolin: %d.%d%d\r\n", major, minor, release);
  return WriteFileAtomic(NativePath(WithSeparator(programFolder)) + "Version.txt", line);
}

BlsInstall InstallPendingBlsFiles(const std::string& programFolder, const std::string& dataFolder) {
  const std::string pending = NativePath(WithSeparator(programFolder)) + "BLS-Install/";
  const std::string data = NativePath(WithSeparator(dataFolder));
  if (!FileExists(pending + "Data.bls")) return BlsInstall::Nothing;
  if (!CopyFileBytes(pending + "Data.bls", data + "Data.bls")) return BlsInstall::Failed;
  for (const std::string& sub : ListFolder(pending)) {
    if (!DirExists(pending + sub)) continue;
    const std::string source = pending + sub + "/index.bls";
    if (!FileExists(source)) continue;
    if (!CopyFileBytes(source, data + sub + "/index.bls")) return BlsInstall::Failed;
    RemoveFile(source);
  }
  for (const std::string& name : ListFolder(pending))
    if (FileExists(pending + name)) RemoveFile(pending + name);
  return BlsInstall::Installed;
}

}  // namespace tav
