#pragma once
// A lost machine, simulated: while a PowerLossDisk lives it keeps a journal of every file change
// the program makes in one folder (platform/file_change.h) and a model of that folder: what each
// file holds now and what of it a sync has made durable, which names the folder holds now and
// which its last sync made durable. From it come the folders a power loss could leave at every
// step:
// - the durable state alone: everything written since the file's (or the folder's) last
//   successful sync is thrown away;
// - the same with one file's unsynced writes kept (the system wrote its pages back on its own);
// - the same with the folder's unsynced names kept (the system wrote the folder back).
// The first is the model of the issue; the other two catch writes that need a barrier between
// them and have none.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_change.h"

namespace tav::test {

class PowerLossDisk {
 public:
  using Files = std::map<std::string, std::string>;  // name in the folder -> bytes

  // One folder a loss could leave.
  struct LossState {
    Files files;
    int step = 0;      // the number of changes made before the loss
    std::string kind;  // how it came about (for messages)
  };

  // Takes the folder's files as they are as durable and starts the journal.
  explicit PowerLossDisk(const std::string& folder);
  ~PowerLossDisk();
  PowerLossDisk(const PowerLossDisk&) = delete;
  PowerLossDisk& operator=(const PowerLossDisk&) = delete;

  // Every distinct state a loss could leave so far, in the order they arose; the durable state
  // the journal began with comes first.
  const std::vector<LossState>& LossStates() const { return states_; }
  // What a loss now would leave (the durable state alone).
  Files AfterLossNow() const;
  // Every state a loss now could leave (also those seen before).
  std::vector<LossState> FinalStates() const;
  // The folder as the journal saw it change: equal to the folder on disk when every change
  // was told.
  Files Now() const;
  // Changes and successful syncs seen.
  int Steps() const { return steps_; }
  int Syncs() const { return syncs_; }
  // Changes the model could not follow (a file renamed in from another folder); empty when
  // the journal is whole.
  const std::vector<std::string>& Unfollowed() const { return unfollowed_; }

  // The ordinary files of a folder, read now.
  static Files Read(const std::string& folder);
  // Makes the folder hold exactly these files (its other ordinary files are removed).
  static void Put(const std::string& folder, const Files& files);

 private:
  struct Inode {
    std::string now, durable;
  };
  void On(const FileEvent& e);
  // The name of a path inside the folder; empty for a path elsewhere.
  std::string NameOf(std::string_view path) const;
  int NewInode(std::string now, std::string durable);
  Files Build(const std::map<std::string, int>& names, int fileNow) const;
  // The states a loss now could leave, each with how it came about.
  std::vector<LossState> Candidates(const std::string& kind) const;
  void Record(const std::string& kind);

  std::string folder_;  // as the system names it, without the final '/'
  std::vector<Inode> inodes_;
  std::map<std::string, int> names_, durableNames_;
  std::vector<LossState> states_;
  std::set<Files> seen_;
  std::vector<std::string> unfollowed_;
  std::string lastWrite_;  // the file the last change wrote to, while writes follow each other
  int steps_ = 0, syncs_ = 0;
};

}  // namespace tav::test
