#include "services/store_file.h"

#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/text_tools.h"

namespace tav {

void StoreFileGuard::Read(const std::string& path, FileFound found) {
  path_ = path;
  found_ = found;
  refused_ = false;
}

void StoreFileGuard::Read(const std::string& path, bool readOk, bool damaged) {
  if (!readOk)
    Read(path, EntryExists(path) ? FileFound::kUnreadable : FileFound::kMissing);
  else
    Read(path, damaged ? FileFound::kDamaged : FileFound::kWhole);
}

long long StoreFileLimit(const std::string& path) {
  // Tables that grow with every recipe or entry the user adds; every other store is a list
  // or a setting of a few kilobytes.
  static const char* const kGrowing[] = {"zutaten.dat", "Lexika.ldt"};
  const std::string name = path.substr(path.find_last_of("/\\") + 1);
  for (const char* growing : kGrowing)
    if (SameTextNoCase(name, growing)) return 16LL << 20;
  return 4LL << 20;
}

void StoreFileGuard::Read(const std::string& path, const LineReader& reader, bool damaged) {
  Read(path, reader.IsOpen() && !reader.Failed(), damaged || reader.NulLines() > 0);
}

bool StoreFileGuard::TooLarge(const std::string& path) {
  const long long limit = StoreFileLimit(path);
  const long long size = FileSize(path);
  if (size <= limit) return false;
  Read(path, FileFound::kUnreadable);
  MessageBox(FormatLangText(GetLangText(1079), {path, std::to_string(size / (1 << 20)),
                                                std::to_string(limit / (1 << 20))}),
             GetLangText(17), MB_OK | MB_ICONWARNING);
  return true;
}

bool StoreFileGuard::MayWrite() {
  if (found_ == FileFound::kWhole || found_ == FileFound::kMissing) return true;
  if (refused_) return false;
  if (!EntryExists(path_)) {  // gone since it was read: nothing to keep
    found_ = FileFound::kWhole;
    return true;
  }
  std::string kept;
  if (found_ == FileFound::kDamaged) {
    kept = KeepDamagedCopy(path_);
    if (!kept.empty())
      MessageBox(FormatLangText(GetLangText(1076), {path_, kept}), GetLangText(17),
                 MB_OK | MB_ICONWARNING);
  } else {
    const int answer =
        MessageBox(FormatLangText(GetLangText(1077), {path_, FreeDamagedName(path_)}),
                   GetLangText(17), MB_YESNO | MB_ICONWARNING);
    if (answer != IDYES) {
      refused_ = true;
      return false;
    }
    // Moved, not copied: what cannot be read cannot be copied either.
    kept = MoveAsideDamaged(path_);
  }
  if (kept.empty()) {
    refused_ = true;
    MessageBox(FormatLangText(GetLangText(1078), {path_}), GetLangText(15), MB_OK);
    return false;
  }
  found_ = FileFound::kWhole;
  return true;
}

}  // namespace tav
