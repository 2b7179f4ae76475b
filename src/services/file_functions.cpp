#include "services/file_functions.h"

#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <random>

#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

void ShellOpenFile(const std::string& name) {
  std::string full = name;
  if (name.find(':') == std::string::npos && LastSeparator(name) == std::string::npos) {
    const std::string& folder = ProgramFolder();
    full = (folder.empty() ? std::string("/") : folder) + name;
  }
  if (full.find("://") == std::string::npos && full.rfind("mailto:", 0) != 0)
    full = NativePath(full);
  const bool ok = ctx().shell && ctx().shell->Open(full);
  if (!ok) MessageBox(GetLangText(185) + full + GetLangText(186), "Fehler", MB_OK | MB_ICONERROR);
}

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st;
  const std::string disk = DiskPath(path);
  return stat(disk.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(disk.c_str(), X_OK) == 0;
}

bool NamesExe(const std::string& target) {
  std::string upper = target;
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper.find(".EXE") != std::string::npos;
}

// Message 260 with the error number put where its first %d or %s stands; the text itself is
// never used as a format.
std::string InsertNumber(const std::string& text, int number) {
  const std::string num = std::to_string(number);
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '%' && (text[i + 1] == 'd' || text[i + 1] == 's' || text[i + 1] == 'i' ||
                           text[i + 1] == 'u'))
      return text.substr(0, i) + num + text.substr(i + 2);
  }
  return text + " " + num;
}

}  // namespace

int LaunchProgramOrUrl(const std::string& target, const std::string& arguments) {
  if (target.empty()) return 0;
  if (NamesExe(target) || IsExecutableFile(target)) {
    // The tool's own folder is its working folder; a bare name (found on the search path)
    // keeps the program's.
    const size_t sep = LastSeparator(target);
    const std::string workDir = sep == std::string::npos ? std::string() : target.substr(0, sep);
    int error = 0;
    if (!ctx().launcher || !ctx().launcher->Start(target, arguments, workDir, error)) {
      std::string text = InsertNumber(GetLangText(260), error);
      if (error != 0) text += std::string("\n") + std::strerror(error);
      MessageBox(text, "Fehler", MB_OK | MB_ICONERROR);
      return 0;
    }
    return 1;
  }
  ShellOpenFile(target);
  return 1;
}

std::string EscapeSearchTerm(const std::string& term) {
  std::string out;
  for (char c : term) {
    switch (static_cast<unsigned char>(c)) {
      case 0xE4: out += "%C3%A4"; break;  // ä
      case 0xF6: out += "%C3%B6"; break;  // ö
      case 0xFC: out += "%C3%BC"; break;  // ü
      case 0xC4: out += "%C3%84"; break;  // Ä
      case 0xD6: out += "%C3%96"; break;  // Ö
      case 0xDC: out += "%C3%9C"; break;  // Ü
      case 0xDF: out += "%C3%9F"; break;  // ß
      default: out += c;
    }
  }
  return out;
}

void WebSearch(const std::string& term) {
  std::string templ;
  if (ctx().options) ctx().options->GetParaString(66, &templ);
  if (templ.empty()) {
    MessageBox(GetLangText(366), "Fehler", MB_OK | MB_ICONERROR);
    return;
  }
  const std::string escaped = EscapeSearchTerm(term);
  std::string url;
  for (char c : templ) {
    if (c == '#')
      url += escaped;
    else
      url += c;
  }
  ShellOpenFile(url);
}

bool PathExists(const std::string& path) {
  const std::string native = NativePath(path);
  const size_t sep = native.rfind('/');
  const std::string folder = sep == std::string::npos ? std::string() : native.substr(0, sep + 1);
  const std::string pattern = sep == std::string::npos ? native : native.substr(sep + 1);
  if (pattern.empty()) return false;
  auto ordinary = [&](const std::string& name) {
    return name[0] != '.' && FileExists(folder + name);
  };
  // Names are compared without case, as every other look-up of a file does.
  if (pattern.find_first_of("*?") == std::string::npos)
    return pattern[0] != '.' && FileExists(FindFileNoCase(native));
  for (const std::string& name : ListFolder(folder))
    if (fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0 && ordinary(name)) return true;
  return false;
}

void SplitPath(const std::string& path, std::string& folder, std::string& name) {
  folder.clear();
  name.clear();
  const size_t sep = LastSeparator(path);
  if (path.size() <= 4 || sep == std::string::npos) return;
  name = path.substr(sep + 1);
  folder = path.substr(0, sep + 1);
}

bool CopyFileBytes(const std::string& source, const std::string& destination) {
  // The destination is replaced whole, and only by a complete copy.
  std::string bytes;
  return FileExists(source) && ReadFileBytes(source, bytes) && WriteFileAtomic(destination, bytes);
}

namespace {

// Two paths name one folder (also through links or a different spelling).
bool SameFolder(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  return stat(DiskPath(a).c_str(), &sa) == 0 && stat(DiskPath(b).c_str(), &sb) == 0 &&
         sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

bool TakeFileIntoFolder(const std::string& source, const std::string& folder, std::string& name) {
  const size_t sep = LastSeparator(source);
  const std::string own = sep == std::string::npos ? source : source.substr(sep + 1);
  const std::string from = sep == std::string::npos ? std::string() : source.substr(0, sep + 1);
  std::string bytes;
  if (own.empty() || !ReadFileBytes(source, bytes)) return false;
  if (!from.empty() && SameFolder(from, folder)) {
    name = own;
    return true;
  }
  MakeDirs(folder);
  const std::string ext = FileExtension(own);
  const std::string stem = own.substr(0, own.size() - ext.size());
  for (int n = 1; n < 1000; ++n) {
    const std::string candidate = n == 1 ? own : stem + "-" + std::to_string(n) + ext;
    std::string there;
    if (FileExists(folder + candidate)) {
      if (!ReadFileBytes(folder + candidate, there) || there != bytes) continue;
    } else if (!WriteFileAtomic(folder + candidate, bytes)) {
      return false;
    }
    name = candidate;
    return true;
  }
  return false;
}

std::string FileExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  const size_t sep = LastSeparator(name);
  if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return std::string();
  return name.substr(dot);
}

bool CopyToUniquePicture(std::string& name) {
  if (name.size() <= 4) return false;
  const std::string ext = FileExtension(name);
  std::string root;
  if (ctx().options) ctx().options->GetParaString(90, &root);
  const std::string folder = root + "Pics/";
  static std::mt19937 rng{std::random_device{}()};
  std::uniform_int_distribution<int> letter(0, 25);
  std::string fresh;
  // 26^8 names: a few tries always find a free one; the bound only guards a broken folder.
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::string candidate;
    for (int i = 0; i < 8; ++i) candidate += static_cast<char>('a' + letter(rng));
    candidate += ext;
    if (!EntryExists(folder + candidate)) {
      fresh = candidate;
      break;
    }
  }
  if (fresh.empty()) return false;
  const bool ok = CopyFileBytes(folder + name, folder + fresh);
  if (ok) name = fresh;
  return ok;
}

}  // namespace tav
