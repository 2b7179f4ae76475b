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

bool ReadReferenceLines(const std::string& path, std::vector<std::string>& lines, bool& holdsFile) {
  const bool read = ReadTextLines(path, lines);
  if (read || !EntryExists(path)) holdsFile = true;
  return read;
}

bool WriteReferenceLines(const std::string& path, const std::vector<std::string>& lines,
                         bool& holdsFile, int failText, int failTitle) {
  if ((!holdsFile && EntryExists(path)) || !WriteTextLines(path, lines)) {
    MessageBox(GetLangText(failText), GetLangText(failTitle), MB_OK | MB_ICONERROR);
    return false;
  }
  holdsFile = true;
  return true;
}

}  // namespace tav
