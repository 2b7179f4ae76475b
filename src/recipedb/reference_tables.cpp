#include "recipedb/reference_tables.h"

#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

bool NameFitsReferenceFile(const std::string& name) {
  if (name.find('#') == std::string::npos) return true;
  MessageBox(GetLangText(764), GetLangText(15), MB_OK | MB_ICONERROR);
  return false;
}

std::string LanguageFolderFile(const std::string& name) {
  std::string folder;
  if (ctx().options) ctx().options->GetParaString(52, &folder);
  return FindFileNoCase(folder + name);
}

bool ReadReferenceLines(const std::string& path, std::vector<std::string>& lines,
                        ReferenceFile& file) {
  lines.clear();
  file.tooLarge = file.guard.TooLarge(path);
  if (file.tooLarge) return false;
  bool nul = false;
  const bool read = ReadTextLines(path, lines, &nul);
  if (read || !EntryExists(path)) file.holds = true;
  file.guard.Read(path, read, nul);
  return read;
}

void ReferenceLinesTaken(const std::string& path, const std::vector<std::string>& lines,
                         size_t taken, ReferenceFile& file) {
  if (taken > 0 || file.guard.Found() != FileFound::kWhole) return;
  for (const std::string& line : lines)
    if (line.find_first_not_of(' ') != std::string::npos) {
      file.guard.Read(path, FileFound::kDamaged);
      return;
    }
}

bool WriteReferenceLines(const std::string& path, const std::vector<std::string>& lines,
                         ReferenceFile& file, int failText, int failTitle) {
  if (file.holds && !file.guard.MayWrite()) return false;  // said by the guard
  if ((!file.holds && EntryExists(path)) || !WriteTextLines(path, lines)) {
    MessageBox(GetLangText(failText), GetLangText(failTitle), MB_OK | MB_ICONERROR);
    return false;
  }
  file.holds = true;
  return true;
}

}  // namespace tav
