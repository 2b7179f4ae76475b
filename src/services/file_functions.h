#pragma once
// Shell opening, launching, the encyclopedia search and small file functions of the tools
// module.
#include <string>

namespace tav {

// Hands a file, folder or address to the desktop. A bare name (no ':' and no separator) is
// taken from the program folder. A failure shows message 185 + name + 186, title "Fehler".
void ShellOpenFile(const std::string& name);

// Starts a program (a target naming ".exe", or an executable file) with the arguments, or opens
// anything else through ShellOpenFile. 1 when started or handed on, 0 when the target is empty
// or the program cannot be started (message 260 with the system error number).
int LaunchProgramOrUrl(const std::string& target, const std::string& arguments);

// Opens the encyclopedia search (option 66, '#' stands for the term) for the term.
void WebSearch(const std::string& term);
// The term with the German umlauts and ß written as escaped UTF-8 for an address.
std::string EscapeSearchTerm(const std::string& term);

// True when an ordinary file (not a folder, not hidden) matches the path, which may hold the
// wildcards '*' and '?' in its last component.
bool PathExists(const std::string& path);

// Splits at the last separator; both empty unless the path is longer than 4 characters and
// holds a separator.
void SplitPath(const std::string& path, std::string& folder, std::string& name);

// Copies a whole file byte for byte; true only when everything was read and written.
bool CopyFileBytes(const std::string& source, const std::string& destination);

// Copies a picture of the picture folder (data root + "Pics/") to a free random name with the
// same extension and gives that name back in `name`. False (name unchanged) when the name is too
// short, no free name is found or the copy fails.
bool CopyToUniquePicture(std::string& name);

// Takes a file chosen anywhere into `folder` (ending with a separator) and gives its name there.
// A file of the folder itself stays where it is; another is copied under its own name when that
// name is free or holds the same bytes, else under the name with "-2", "-3" … before its
// extension. False (name unchanged) when the file cannot be read or copied.
bool TakeFileIntoFolder(const std::string& source, const std::string& folder, std::string& name);

// The extension of a file name from its last '.', with the dot; empty when there is none.
std::string FileExtension(const std::string& name);

}  // namespace tav
