// Backup, restore and takeover over a folder tree of hostile names and links: names with
// backslashes, "..", control bytes and Windows-1252 bytes, links to folders and files outside.
// Whatever the tree holds, nothing outside the data root and the backup folder is created,
// changed or removed, and the program's own work never follows a link out.
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "fuzz_support.h"
#include "maintenance/data_backup.h"
#include "maintenance/data_takeover.h"

namespace {

using namespace tav;
namespace fs = std::filesystem;

// Every entry below `folder` (links not followed) with its kind and, for files, its bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> out;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::end(it);
       it.increment(ec)) {
    const fs::path& p = it->path();
    const std::string rel = p.string().substr(folder.size());
    if (it->is_symlink(ec)) {
      out[rel] = "link:" + fs::read_symlink(p, ec).string();
    } else if (it->is_directory(ec)) {
      out[rel] = "dir";
    } else {
      out[rel] = "file:" + test::ReadAll(p.string());
    }
  }
  return out;
}

// A name from the input: made of pieces that meet the rules about names.
std::string HostileName(FuzzedDataProvider& in) {
  static const char* const pieces[] = {"..",  "\\",   ".",    "Data", "DE",   "Konten",
                                       "x",   "\xFC", "\x01", "Pics", "..\\", "Users.dat",
                                       ".bok", "u",   " ",    "Backup.log"};
  std::string name;
  const int count = in.ConsumeIntegralInRange(1, 4);
  for (int i = 0; i < count; ++i) name += pieces[in.ConsumeIntegralInRange(0, 15)];
  if (name == "." || name == "..") name += "x";
  return name;
}

// Fills `folder` with entries from the input; links point at `outside` or up the tree.
void Populate(FuzzedDataProvider& in, const std::string& folder, const std::string& outside,
              int depth) {
  const int count = in.ConsumeIntegralInRange(0, 6);
  for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) {
    const std::string path = folder + HostileName(in);
    switch (in.ConsumeIntegralInRange(0, 3)) {
      case 0:
        test::WriteAll(path, in.ConsumeRandomLengthString(32));
        break;
      case 1:
        if (depth < 3 && ::mkdir(path.c_str(), 0755) == 0)
          Populate(in, path + "/", outside, depth + 1);
        break;
      case 2:
        (void)::symlink(outside.c_str(), path.c_str());
        break;
      case 3:
        (void)::symlink((outside + "geheim.txt").c_str(), path.c_str());
        break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  test::TestEnv& env = fuzz::Begin();
  FuzzedDataProvider in(data, size);
  // world/ holds the data root, the backups and a folder that must never change.
  const std::string world = env.Root() + "welt/";
  std::error_code ec;
  fs::remove_all(world, ec);
  const std::string root = world + "root/", backups = world + "sicher/",
                    outside = world + "aussen/";
  for (const std::string& f : {root + "Data/Konten/", root + "Data/DE/", root + "HTML/",
                               root + "Pics/", backups, outside})
    fs::create_directories(f, ec);
  test::WriteAll(outside + "geheim.txt", "nicht anfassen");
  test::WriteAll(root + "Data/DE/Languages.dat", "DE#Deutsch");
  Populate(in, root + "Data/", outside, 0);
  Populate(in, root + "Data/DE/", outside, 1);
  Populate(in, root + "Pics/", outside, 1);
  const auto outsideBefore = Snapshot(outside);
  const auto rootBefore = Snapshot(env.Root());

  BackupPlaces places;
  places.dataRoot = root;
  places.dataFolder = root + "Data/";
  places.htmlFolder = root + "HTML/";
  places.languageFolders = {"DE"};
  DataBackup backup(places);
  backup.clock = [] {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 11;
    return t;
  };
  std::string folder;
  backup.RunBackup(backups, BackupSets{}, folder);
  // More hostile entries put into the backup by hand, then restored.
  if (!folder.empty()) Populate(in, backups + folder + "/Data/", outside, 1);
  RestoreCounts counts;
  for (const std::string& name : backup.ListBackups(backups))
    backup.RestoreBackup(backups, name, counts);
  // Update files of the takeover, some of them links.
  Populate(in, root + "Data/", outside, 2);
  DataTakeover takeover(root, root, nullptr);
  std::array<bool, DataTakeover::kChoices> take{};
  for (bool& t : take) t = in.ConsumeBool();
  takeover.Run(take);

  if (Snapshot(outside) != outsideBefore) fuzz::Fail("a file outside the data root changed");
  // Nothing may appear beside world/ in the environment's root.
  auto rootAfter = Snapshot(env.Root());
  for (const auto& [rel, kind] : rootAfter)
    if (rel.rfind("welt", 0) != 0 && rootBefore.count(rel) == 0)
      fuzz::Fail("an entry was made outside the data root: " + rel);
  for (const auto& [rel, kind] : rootBefore)
    if (rel.rfind("welt", 0) != 0 && rootAfter.count(rel) == 0)
      fuzz::Fail("an entry outside the data root was removed: " + rel);
  return 0;
}
