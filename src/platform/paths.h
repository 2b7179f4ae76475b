#pragma once
// File-system helpers. Paths the program builds or stores may use '\' (as files from Windows
// installations do) or '/'; both are separators there. A name read from a folder listing or
// typed by the user is a name, never a path: it is checked with IsPlainName before it is joined
// to a folder. Folder paths end with a separator.
#include <string>
#include <string_view>
#include <vector>

namespace tav {

// '\' becomes '/'.
std::string NativePath(std::string_view path);

// The program's text is Windows-1252; names on disk are UTF-8. These two are the only crossing
// point, and every call that hands a path to the system goes through DiskPath.
// The bytes to give the system for a path: NativePath, then UTF-8. A part of the path that is
// not on disk in UTF-8 but is in its Windows-1252 bytes (a file copied in from Windows) keeps
// those, so such files are still found, read and replaced under their own names.
std::string DiskPath(std::string_view path);
// A name or path as the system gives it, in the program's text: UTF-8 that Windows-1252 can
// hold is converted; anything else (a Windows-1252 name on disk) is kept byte for byte, so that
// DiskPath finds it again.
std::string NameFromDisk(std::string_view name);

// True for '/' and '\'.
inline bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// True for a name that can stand for one entry of a folder: not empty, not "." or "..", and
// without '/' or '\' (which the file functions would take for separators).
bool IsPlainName(std::string_view name);

// Appends '/' unless the path is empty or already ends with a separator.
std::string WithSeparator(std::string_view folder);

// Position of the last separator, or npos.
size_t LastSeparator(std::string_view path);

// The existing path whose components match `path` without regard to case (first match in
// sorted order); the path itself, separators made native, when nothing matches.
std::string FindFileNoCase(std::string_view path);

bool EntryExists(const std::string& path);  // file, folder or anything else
bool FileExists(const std::string& path);   // an ordinary file
bool DirExists(const std::string& path);
// A folder or an ordinary file itself, never a symbolic link to one.
bool IsRealFolder(const std::string& path);
bool IsRealFile(const std::string& path);
bool MakeDirs(const std::string& path);      // like mkdir -p; true when the folder exists after
long long FileSize(const std::string& path); // -1 when absent
bool RemoveFile(const std::string& path);
// True when a file can be made in the folder (tried with a probe file that is removed again).
bool FolderIsWritable(const std::string& folder);
bool RenameFile(const std::string& from, const std::string& to);  // replaces `to`
// Cuts the file to `size` bytes.
bool TruncateFile(const std::string& path, long long size);

// The longest file name, in bytes on disk, the folder's file system takes (255 when unknown).
size_t LongestNameIn(const std::string& folder);

// Names of the entries of a folder (no "." and ".."), sorted by byte value.
std::vector<std::string> ListFolder(const std::string& folder);

// The folder of the running program, ending with '/'. Taken from /proc/self/exe unless set.
const std::string& ProgramFolder();
void SetProgramFolder(const std::string& folder);

}  // namespace tav
