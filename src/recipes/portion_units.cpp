#include "recipes/portion_units.h"

#include "platform/services.h"
#include "platform/text_file.h"
#include "recipedb/reference_tables.h"
#include "services/context.h"

namespace tav {
namespace {

constexpr size_t kPiece = 998;  // longest name a line gives

}  // namespace

std::string PortionUnits::FilePath() {
  return LanguageFolderFile("Portions.dat");
}

void PortionUnits::LoadPortionUnits() {
  LoadPortionUnits(FilePath());
}

void PortionUnits::LoadPortionUnits(const std::string& path) {
  names.clear();
  loadedFrom_ = path;
  // A few dozen names; a file of megabytes would fill the servings boxes for minutes.
  if (file_.TooLarge(path)) return;
  LineReader reader(path);
  std::string line;
  while (reader.Next(line)) {
    size_t from = 0;
    while (line.size() - from > kPiece) {
      names.push_back(line.substr(from, kPiece));
      from += kPiece;
    }
    names.push_back(line.substr(from));
  }
  file_.Read(path, reader, false);
}

bool PortionUnits::SaveLoadedPortionUnits(const std::vector<std::string>& rows) {
  if (loadedFrom_.empty()) return SavePortionUnits(rows);
  if (!rows.empty() && !file_.MayWrite()) return false;  // said by the guard
  return SavePortionUnits(loadedFrom_, rows);
}

bool PortionUnits::SavePortionUnits(const std::vector<std::string>& rows) {
  return SavePortionUnits(FilePath(), rows);
}

bool PortionUnits::SavePortionUnits(const std::string& path, const std::vector<std::string>& rows) {
  if (rows.empty()) return true;
  if (WriteTextLines(path, rows)) return true;
  MessageBox(GetLangText(528), GetLangText(15), MB_OK | MB_ICONERROR);
  return false;
}

}  // namespace tav
