#pragma once
// Power-loss runs: an operation runs in a child process under a PowerLossDisk of one folder; the
// child hands the parent every folder a lost machine could have left while it ran, and the ones
// a loss right after it returned could leave. The parent puts each into a fresh data root and
// starts over it, as the program starts after the machine comes back.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/power_loss_disk.h"
#include "support/test_env.h"

namespace tav::test {

struct PowerLossRun {
  std::vector<PowerLossDisk::LossState> during;  // a loss while the operation ran
  std::vector<PowerLossDisk::LossState> after;   // a loss right after it returned
  bool reported = false;        // the operation said it stored what it was given
  bool journalWhole = false;    // the journal saw every change: its folder is the disk's
  std::vector<std::string> messages;  // what the user was told
  int syncs = 0;
};

namespace detail {

inline void PutBytes(std::string& out, const std::string& bytes) {
  const uint64_t n = bytes.size();
  out.append(reinterpret_cast<const char*>(&n), sizeof n);
  out += bytes;
}
inline std::string GetBytes(const std::string& in, size_t& pos) {
  uint64_t n = 0;
  if (pos + sizeof n > in.size()) return std::string();
  std::memcpy(&n, in.data() + pos, sizeof n);
  pos += sizeof n;
  if (pos + n > in.size()) return std::string();
  std::string bytes = in.substr(pos, n);
  pos += n;
  return bytes;
}
inline void PutStates(std::string& out, const std::vector<PowerLossDisk::LossState>& states) {
  PutBytes(out, std::to_string(states.size()));
  for (const auto& s : states) {
    PutBytes(out, s.kind);
    PutBytes(out, std::to_string(s.step));
    PutBytes(out, std::to_string(s.files.size()));
    for (const auto& [name, bytes] : s.files) {
      PutBytes(out, name);
      PutBytes(out, bytes);
    }
  }
}
inline std::vector<PowerLossDisk::LossState> GetStates(const std::string& in, size_t& pos) {
  std::vector<PowerLossDisk::LossState> states(std::stoul("0" + GetBytes(in, pos)));
  for (auto& s : states) {
    s.kind = GetBytes(in, pos);
    s.step = std::stoi("0" + GetBytes(in, pos));
    const size_t files = std::stoul("0" + GetBytes(in, pos));
    for (size_t i = 0; i < files; ++i) {
      std::string name = GetBytes(in, pos);
      s.files[name] = GetBytes(in, pos);
    }
  }
  return states;
}

}  // namespace detail

// Runs `op` (true when it reported success) in a child process with a journal of `folder`.
inline PowerLossRun RunUntilLoss(const std::string& folder, const std::function<bool()>& op) {
  TempDir out;
  const std::string file = out.Path() + "run";
  PowerLossRun run;
  const pid_t child = fork();
  if (child < 0) {
    ADD_FAILURE() << "fork";
    return run;
  }
  if (child == 0) {
    std::string bytes;
    {
      PowerLossDisk disk(folder);
      const size_t shown = ctx().messages ? static_cast<FakeMessageBoxes*>(ctx().messages)->shown.size() : 0;
      const bool reported = op();
      const std::vector<PowerLossDisk::LossState> after = disk.FinalStates();
      const bool whole = disk.Now() == PowerLossDisk::Read(folder) && disk.Unfollowed().empty();
      detail::PutBytes(bytes, reported ? "1" : "0");
      detail::PutBytes(bytes, whole ? "1" : "0");
      detail::PutBytes(bytes, std::to_string(disk.Syncs()));
      std::vector<std::string> messages;
      if (ctx().messages) {
        const auto& all = static_cast<FakeMessageBoxes*>(ctx().messages)->shown;
        for (size_t i = shown; i < all.size(); ++i) messages.push_back(all[i].text);
      }
      detail::PutBytes(bytes, std::to_string(messages.size()));
      for (const std::string& m : messages) detail::PutBytes(bytes, m);
      detail::PutStates(bytes, disk.LossStates());
      detail::PutStates(bytes, after);
    }
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (f) {
      std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fclose(f);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    ADD_FAILURE() << "the child did not end normally";
    return run;
  }
  const std::string in = ReadAll(file);
  size_t pos = 0;
  run.reported = detail::GetBytes(in, pos) == "1";
  run.journalWhole = detail::GetBytes(in, pos) == "1";
  run.syncs = std::stoi("0" + detail::GetBytes(in, pos));
  const size_t messages = std::stoul("0" + detail::GetBytes(in, pos));
  for (size_t i = 0; i < messages; ++i) run.messages.push_back(detail::GetBytes(in, pos));
  run.during = detail::GetStates(in, pos);
  run.after = detail::GetStates(in, pos);
  return run;
}

// Puts every state of the run into a fresh `Env` (its folder `folderOf(env)`) and calls
// `check(env, afterReturn)`: afterReturn is true for a loss after the operation returned.
template <class Env>
void ForEachLoss(const PowerLossRun& run, const std::function<std::string(Env&)>& folderOf,
                 const std::function<void(Env&, bool)>& check) {
  ASSERT_TRUE(run.journalWhole) << "a change was not told to the journal";
  ASSERT_FALSE(run.during.empty());
  ASSERT_FALSE(run.after.empty());
  for (const bool after : {false, true}) {
    for (const auto& state : after ? run.after : run.during) {
      SCOPED_TRACE("lost at step " + std::to_string(state.step) + ", " + state.kind);
      Env env;
      PowerLossDisk::Put(folderOf(env), state.files);
      check(env, after);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

}  // namespace tav::test
