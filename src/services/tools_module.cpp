#include "services/tools_module.h"

#include <sys/utsname.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/paths.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"

namespace tav {

TToolsMod* ToolsMod = nullptr;

TToolsMod::TToolsMod() {
  for (int m = 1; m <= 12; ++m) {
    longMonthNames[m] = GetLangText(235 + m);
    shortMonthNames[m] = GetLangText(247 + m);
  }
}

std::string DataRootFromEnvironment() {
  const char* value = std::getenv("TAVOLIN_DATA_ROOT");
  return value && *value ? WithSeparator(value) : std::string();
}

std::string FindDataRoot(const std::string& programFolder) {
  const std::string folder = WithSeparator(programFolder);
  if (!folder.empty() && EntryExists(folder + "Data")) return folder;
  // The variable the install step reads names the same root, so it stands before DataPath.
  if (std::string root = DataRootFromEnvironment(); !root.empty()) return root;
  std::string root;
  if (ctx().machineSettings) ctx().machineSettings->ReadString(kRegAppPaths, "DataPath", root);
  return NativePath(root);
}

std::string TToolsMod::GetDataPath() {
  std::string old;
  if (ctx().userSettings && ctx().userSettings->ReadString(kRegParam, "DATAPATH", old) &&
      !old.empty()) {
    MessageBox(GetLangText(756), GetLangText(755), MB_OK | MB_ICONERROR);
    ctx().exitProcess(0);
    return std::string();
  }
  return FindDataRoot(ProgramFolder());
}

void TToolsMod::ShowHelpPage(const std::string& page) {
  std::string folder;
  if (ctx().options) ctx().options->GetParaString(52, &folder);
  ShellOpenFile(folder + "Help/" + page);
}

std::string TToolsMod::LogFilePath() const {
  if (ctx().options) return ctx().options->Str(90) + "Tavolin.log";
  return ProgramFolder() + "Tavolin.log";
}

std::string LogTimeStamp(int day, int month, int year, int hour, int minute, int second) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "{%02d.%02d.%02d %02d:%02d:%02d} ", day, month, year - 2000,
                hour, minute, second);
  return buf;
}

void TToolsMod::WriteLog(const std::string& text, int level) {
  std::string out;
  if (level == -1) {
    uint16_t major, minor, release, build;
    GetExeVersion(major, minor, release, build);
    out = "Tavolin " + std::to_string(major) + "." + std::to_string(minor) +
          std::to_string(release) + "  (Build " + std::to_string(build) + ") / " + GetOsText() +
          "\r\n";
  }
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  out += LogTimeStamp(tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900, tm.tm_hour, tm.tm_min,
                      tm.tm_sec) +
         text + "\r\n";
  const std::string path = LogFilePath();
  if (level == -1) {
    WriteFileAtomic(path, out);
  } else {
    AppendTextLines(path, out);
  }
}

std::string TToolsMod::GetOsText() {
  struct utsname u;
  if (uname(&u) != 0) return "?";
  int major = 0, minor = 0, build = 0;
  std::sscanf(u.release, "%d.%d.%d", &major, &minor, &build);
  char buf[64];
  std::snprintf(buf, sizeof buf, "OS: %d/%d/%d ", major, minor, build);
  return std::string(buf) + u.sysname;
}

void TToolsMod::GetExeVersion(uint16_t& major, uint16_t& minor, uint16_t& release,
                              uint16_t& build) {
  major = TAVOLIN_VERSION_MAJOR;
  minor = TAVOLIN_VERSION_MINOR;
  release = TAVOLIN_VERSION_RELEASE;
  build = TAVOLIN_VERSION_BUILD;
}

void TToolsMod::GetVersionString(std::string& text) {
  uint16_t major, minor, release, build;
  GetExeVersion(major, minor, release, build);
  text = std::to_string(major) + "." + std::to_string(minor) + std::to_string(release);
}

void TToolsMod::SetVisualStyles(bool on) {
  std::string folder = ProgramFolder();
  if (ctx().options) ctx().options->GetParaString(1, &folder);
  const std::string full = folder + "Tavolin.exe.manifest";
  const std::string shortName = folder + "Tavolin.exe.manifes";
  if (on)
    RenameFile(shortName, full);
  else
    RenameFile(full, shortName);
  MessageBox(GetLangText(655), GetLangText(2), MB_OK | MB_ICONINFORMATION);
}

}  // namespace tav
