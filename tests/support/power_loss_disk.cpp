#include "support/power_loss_disk.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/paths.h"
#include "support/test_env.h"

namespace tav::test {

PowerLossDisk::PowerLossDisk(const std::string& folder) {
  folder_ = DiskPath(folder);
  while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
  for (const auto& [name, bytes] : Read(folder)) names_[name] = NewInode(bytes, bytes);
  durableNames_ = names_;
  Record("start");
  SetFileJournalForTest([this](const FileEvent& e) { On(e); });
}

PowerLossDisk::~PowerLossDisk() { SetFileJournalForTest({}); }

int PowerLossDisk::NewInode(std::string now, std::string durable) {
  inodes_.push_back({std::move(now), std::move(durable)});
  return static_cast<int>(inodes_.size()) - 1;
}

std::string PowerLossDisk::NameOf(std::string_view path) const {
  if (FolderOf(path) != folder_) return std::string();
  return std::string(path.substr(folder_.size() + (folder_ == "/" ? 0 : 1)));
}

void PowerLossDisk::On(const FileEvent& e) {
  if (e.kind == FileEvent::kSyncFolder) {
    std::string folder(e.path);
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder != folder_) return;
    ++steps_;
    ++syncs_;
    lastWrite_.clear();
    durableNames_ = names_;
    Record("folder synced");
    return;
  }
  const std::string name = NameOf(e.path);
  if (e.kind == FileEvent::kRename) {
    const std::string to = NameOf(e.newPath);
    if (name.empty() && to.empty()) return;
    ++steps_;
    lastWrite_.clear();
    if (name.empty()) {
      unfollowed_.push_back("renamed in from elsewhere: " + std::string(e.newPath));
      return;
    }
    const auto at = names_.find(name);
    if (at == names_.end()) {
      unfollowed_.push_back("renamed, not known: " + name);
      return;
    }
    const int id = at->second;
    names_.erase(at);
    if (!to.empty()) names_[to] = id;
    Record("renamed " + name + " to " + to);
    return;
  }
  if (name.empty()) return;
  ++steps_;
  if (e.kind != FileEvent::kWrite) lastWrite_.clear();
  const auto at = names_.find(name);
  // A file written to, cut or synced under a name the folder does not hold cannot be followed.
  Inode* known = at == names_.end() ? nullptr : &inodes_[static_cast<size_t>(at->second)];
  const auto unknown = [&](const char* what) {
    unfollowed_.push_back(std::string(what) + ", not known: " + name);
  };
  switch (e.kind) {
    case FileEvent::kCreate:
      if (known)
        known->now.clear();
      else
        names_[name] = NewInode(std::string(), std::string());
      Record("made " + name);
      return;
    case FileEvent::kWrite: {
      if (!known && e.offset >= 0) return unknown("written");
      if (!known) known = &inodes_[static_cast<size_t>(names_[name] = NewInode({}, {}))];
      std::string& now = known->now;
      const size_t pos = e.offset < 0 ? now.size() : static_cast<size_t>(e.offset);
      if (now.size() < pos + e.bytes.size()) now.resize(pos + e.bytes.size(), '\0');
      now.replace(pos, e.bytes.size(), e.bytes);
      // Of a run of writes to one file (a record made live after the other), the first stands
      // for the rest: the next change of another kind records where the run ended.
      if (lastWrite_ != name) Record("wrote " + name);
      lastWrite_ = name;
      return;
    }
    case FileEvent::kTruncate:
      if (!known) return unknown("cut");
      known->now.resize(static_cast<size_t>(e.offset), '\0');
      Record("cut " + name);
      return;
    case FileEvent::kRemove:
      if (known) names_.erase(at);
      Record("removed " + name);
      return;
    case FileEvent::kSync:
      if (!known) return unknown("synced");
      ++syncs_;
      known->durable = known->now;
      Record("synced " + name);
      return;
    default:
      return;
  }
}

PowerLossDisk::Files PowerLossDisk::Build(const std::map<std::string, int>& names,
                                          int fileNow) const {
  Files files;
  for (const auto& [name, id] : names) {
    const Inode& inode = inodes_[static_cast<size_t>(id)];
    files[name] = id == fileNow ? inode.now : inode.durable;
  }
  return files;
}

std::vector<PowerLossDisk::LossState> PowerLossDisk::Candidates(const std::string& kind) const {
  std::vector<LossState> out;
  out.push_back({Build(durableNames_, -1), steps_, "durable state after " + kind});
  // Any file with writes not yet synced may have reached the disk on its own, whole.
  for (const auto& [name, id] : durableNames_) {
    const Inode& inode = inodes_[static_cast<size_t>(id)];
    if (inode.now != inode.durable)
      out.push_back({Build(durableNames_, id), steps_, name + " written back after " + kind});
  }
  out.push_back({Build(names_, -1), steps_, "the folder written back after " + kind});
  return out;
}

void PowerLossDisk::Record(const std::string& kind) {
  for (LossState& s : Candidates(kind))
    if (seen_.insert(s.files).second) states_.push_back(std::move(s));
}

std::vector<PowerLossDisk::LossState> PowerLossDisk::FinalStates() const {
  return Candidates("the end");
}

PowerLossDisk::Files PowerLossDisk::AfterLossNow() const { return Build(durableNames_, -1); }

PowerLossDisk::Files PowerLossDisk::Now() const {
  Files files;
  for (const auto& [name, id] : names_) files[name] = inodes_[static_cast<size_t>(id)].now;
  return files;
}

namespace {
// The ordinary files of a folder (as the system names it), by name.
std::vector<std::string> FilesIn(const std::string& base) {
  std::vector<std::string> names;
  DIR* dir = opendir(base.c_str());
  if (!dir) return names;
  while (dirent* e = readdir(dir)) {
    struct stat st;
    if (lstat((base + e->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
      names.push_back(e->d_name);
  }
  closedir(dir);
  return names;
}
}  // namespace

PowerLossDisk::Files PowerLossDisk::Read(const std::string& folder) {
  const std::string base = WithSeparator(DiskPath(folder));
  Files files;
  for (const std::string& name : FilesIn(base)) {
    std::string& bytes = files[name];
    std::FILE* f = std::fopen((base + name).c_str(), "rb");
    if (!f) continue;
    char chunk[1 << 16];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    std::fclose(f);
  }
  return files;
}

void PowerLossDisk::Put(const std::string& folder, const Files& files) {
  const std::string base = WithSeparator(DiskPath(folder));
  for (const std::string& name : FilesIn(base)) unlink((base + name).c_str());
  for (const auto& [name, bytes] : files) WriteAll(base + name, bytes);
}

}  // namespace tav::test
