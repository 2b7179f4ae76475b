#include "platform/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <strings.h>

#include "platform/charset.h"
#include "platform/file_change.h"

namespace tav {

std::string NativePath(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

namespace {

bool HasHighBytes(std::string_view text) {
  for (unsigned char c : text)
    if (c >= 0x80) return true;
  return false;
}

bool OnDisk(const std::string& diskPath) {
  struct stat st;
  return lstat(diskPath.c_str(), &st) == 0;
}

}  // namespace

std::string DiskPath(std::string_view path) {
  std::string native = NativePath(path);
  if (!HasHighBytes(native)) return native;
  std::string utf8 = Cp1252ToUtf8(native);
  if (OnDisk(utf8)) return utf8;
  // Part by part: the UTF-8 name where it is there, else the Windows-1252 one where that is
  // there, else UTF-8 (a name still to be made).
  std::string out;
  for (size_t pos = 0; pos <= native.size();) {
    size_t end = native.find('/', pos);
    if (end == std::string::npos) end = native.size();
    const std::string part = native.substr(pos, end - pos);
    if (HasHighBytes(part)) {
      const std::string asUtf8 = Cp1252ToUtf8(part);
      out += !OnDisk(out + asUtf8) && OnDisk(out + part) ? part : asUtf8;
    } else {
      out += part;
    }
    if (end < native.size()) out += '/';
    pos = end + 1;
  }
  return out;
}

std::string NameFromDisk(std::string_view name) {
  if (!HasHighBytes(name) || !IsUtf8(name)) return std::string(name);
  std::string text = Utf8ToCp1252(name);
  return Cp1252ToUtf8(text) == name ? text : std::string(name);
}

std::string WithSeparator(std::string_view folder) {
  std::string out(folder);
  if (!out.empty() && !IsSeparator(out.back())) out += '/';
  return out;
}

bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\") == std::string_view::npos;
}

size_t LastSeparator(std::string_view path) { return path.find_last_of("/\\"); }

std::vector<std::string> ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.empty() ? "." : DiskPath(folder).c_str());
  if (!dir) return names;
  while (dirent* e = readdir(dir)) {
    std::string n = e->d_name;
    if (n != "." && n != "..") names.push_back(NameFromDisk(n));
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::string FindFileNoCase(std::string_view path) {
  std::string native = NativePath(path);
  if (native.empty() || EntryExists(native)) return native;
  std::string found = native[0] == '/' ? "/" : "";
  size_t pos = native[0] == '/' ? 1 : 0;
  while (pos <= native.size()) {
    size_t end = native.find('/', pos);
    if (end == std::string::npos) end = native.size();
    std::string part = native.substr(pos, end - pos);
    if (!part.empty()) {
      std::string candidate = found + part;
      if (!EntryExists(candidate)) {
        bool matched = false;
        for (const std::string& n : ListFolder(found.empty() ? "." : found)) {
          if (strcasecmp(n.c_str(), part.c_str()) == 0) {
            candidate = found + n;
            matched = true;
            break;
          }
        }
        if (!matched) return native;
      }
      found = candidate;
    }
    if (end < native.size()) found += '/';
    pos = end + 1;
  }
  return found;
}

bool EntryExists(const std::string& path) {
  struct stat st;
  return !path.empty() && lstat(DiskPath(path).c_str(), &st) == 0;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(DiskPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirExists(const std::string& path) {
  struct stat st;
  return !path.empty() && stat(DiskPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsRealFolder(const std::string& path) {
  struct stat st;
  return !path.empty() && lstat(DiskPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsRealFile(const std::string& path) {
  struct stat st;
  return !path.empty() && lstat(DiskPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool MakeDirs(const std::string& path) {
  std::string native = NativePath(path);
  if (native.empty()) return false;
  for (size_t pos = 1; pos <= native.size(); ++pos) {
    if (pos == native.size() || native[pos] == '/') {
      std::string part = DiskPath(native.substr(0, pos));
      if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
  }
  return DirExists(native);
}

long long FileSize(const std::string& path) {
  struct stat st;
  if (path.empty() || stat(DiskPath(path).c_str(), &st) != 0) return -1;
  return static_cast<long long>(st.st_size);
}

bool RemoveFile(const std::string& path) {
  BeforeFileChange();
  const std::string disk = DiskPath(path);
  if (std::remove(disk.c_str()) != 0) return false;
  TellFileChange(FileEvent::kRemove, disk);
  return true;
}

size_t LongestNameIn(const std::string& folder) {
  const long max = ::pathconf(folder.empty() ? "." : DiskPath(folder).c_str(), _PC_NAME_MAX);
  return max > 0 ? static_cast<size_t>(max) : 255;
}

bool FolderIsWritable(const std::string& folder) {
  const std::string probe =
      DiskPath(WithSeparator(folder)) + ".tavolin-probe-" + std::to_string(getpid());
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

bool RenameFile(const std::string& from, const std::string& to) {
  BeforeFileChange();
  const std::string diskFrom = DiskPath(from), diskTo = DiskPath(to);
  if (std::rename(diskFrom.c_str(), diskTo.c_str()) != 0) return false;
  TellFileChange(FileEvent::kRename, diskFrom, 0, {}, diskTo);
  return true;
}

bool TruncateFile(const std::string& path, long long size) {
  BeforeFileChange();
  const std::string disk = DiskPath(path);
  if (::truncate(disk.c_str(), static_cast<off_t>(size)) != 0) return false;
  TellFileChange(FileEvent::kTruncate, disk, size);
  return true;
}

namespace {
std::string& ProgramFolderRef() {
  static std::string folder = [] {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::string();
    std::string exe = NameFromDisk(std::string_view(buf, static_cast<size_t>(n)));
    return exe.substr(0, exe.rfind('/') + 1);
  }();
  return folder;
}
}  // namespace

const std::string& ProgramFolder() { return ProgramFolderRef(); }
void SetProgramFolder(const std::string& folder) { ProgramFolderRef() = WithSeparator(folder); }

}  // namespace tav
