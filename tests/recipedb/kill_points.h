#pragma once
// Kill-point runs: an operation runs in a child process that ends itself (SIGKILL) before its
// n-th file change, and the parent looks at what the operation left behind. A run with no stop
// counts the operation's file changes, so a test can stop before each of them in turn.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "book_test_util.h"
#include "platform/file_change.h"
#include "platform/paths.h"
#include "recipes/recipe_edit.h"

namespace tav::test {

struct ChildRun {
  bool killed = false;
  int changes = 0;  // file changes made (a run that was not stopped)
};

// Runs `op` in a child; `stopAt` >= 0 ends it before that file change (counted from 0).
inline ChildRun RunInChild(const std::function<void()>& op, int stopAt) {
  int fds[2];
  if (pipe(fds) != 0) {
    ADD_FAILURE() << "pipe";
    return {};
  }
  const pid_t child = fork();
  if (child < 0) {
    ADD_FAILURE() << "fork";
    return {};
  }
  if (child == 0) {
    close(fds[0]);
    int count = 0;
    SetFileChangeHookForTest([&count, stopAt] {
      if (count++ == stopAt) raise(SIGKILL);
    });
    op();
    SetFileChangeHookForTest({});
    (void)!write(fds[1], &count, sizeof count);
    _exit(0);
  }
  close(fds[1]);
  ChildRun run;
  int status = 0;
  waitpid(child, &status, 0);
  run.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  if (read(fds[0], &run.changes, sizeof run.changes) != sizeof run.changes) run.changes = -1;
  close(fds[0]);
  return run;
}

// Stops `op` before each of its file changes in turn (and once not at all). `prepare` makes a
// fresh data root for every run and gives the operation; `check` looks at the result with the
// step that was stopped (-1: the run went through).
template <class Env>
void ForEachKillPoint(const std::function<std::function<void()>(Env&)>& prepare,
                      const std::function<void(Env&, int)>& check) {
  int total = 0;
  {
    Env env;
    const ChildRun run = RunInChild(prepare(env), -1);
    ASSERT_FALSE(run.killed);
    ASSERT_GT(run.changes, 0);
    total = run.changes;
    check(env, -1);
  }
  for (int step = 0; step < total; ++step) {
    SCOPED_TRACE("killed before file change " + std::to_string(step) + " of " +
                 std::to_string(total));
    Env env;
    const ChildRun run = RunInChild(prepare(env), step);
    ASSERT_TRUE(run.killed);
    check(env, step);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

// Scratch files of an operation that the next open should have finished or removed.
inline std::vector<std::string> ScratchFilesIn(const std::string& folder) {
  std::vector<std::string> found;
  for (const std::string& name : ListFolder(folder))
    if (name.find("$$$") != std::string::npos) found.push_back(name);
  return found;
}

// What a book must hold after a kill: each live title once, with one of the texts it may have
// (the recipe being saved may show its old or its new text); an optional title (a new recipe
// whose save was cut short) may be missing, but never twice.
struct WantedBook {
  std::map<std::string, std::set<std::string>> texts;
  std::set<std::string> optional;
};

// The live titles found, with their counts.
inline std::map<std::string, int> ExpectLiveRecipes(BookEnv& b, const WantedBook& want,
                                                    const char* when) {
  std::map<std::string, int> seen;
  for (size_t i = 0; i < b.store.BookIndex().size(); ++i) {
    if (b.store.BookIndex()[i].deleted) continue;
    REZBLOCK r;
    EXPECT_TRUE(b.store.ReadRezBlock("", nullptr, static_cast<int>(i), r)) << when;
    ++seen[r.title];
    auto it = want.texts.find(r.title);
    if (it == want.texts.end()) {
      ADD_FAILURE() << when << ": a recipe that should not be there: " << r.title;
      continue;
    }
    EXPECT_TRUE(it->second.count(r.text)) << when << ": " << r.title << " reads " << r.text;
  }
  for (const auto& [title, texts] : want.texts) {
    const int n = seen.count(title) ? seen.at(title) : 0;
    if (want.optional.count(title))
      EXPECT_LE(n, 1) << when << ": " << title;
    else
      EXPECT_EQ(n, 1) << when << ": " << title;
  }
  return seen;
}

// The number in every entry's record is the entry's; with `flagsToo` the deleted byte as well.
inline void ExpectRecordsMatchIndex(BookEnv& b, bool flagsToo, const char* when) {
  const std::string bok = ReadAll(b.File(ctx().options->Str(6), ".bok"));
  for (const REZINDEX& e : b.store.BookIndex()) {
    ASSERT_LE(static_cast<size_t>(e.offset) + 6, bok.size()) << when;
    int32_t number = 0;
    std::memcpy(&number, bok.data() + e.offset + 1, 4);
    EXPECT_EQ(number, e.number) << when << ": " << e.Title();
    if (flagsToo) {
      EXPECT_EQ(bok[static_cast<size_t>(e.offset) + 5], e.deleted) << when;
    }
  }
}

// A new start after the kill: the book list is scanned and the book opened, then its index is
// rebuilt. Both give the wanted recipes without a single message and leave no scratch file; a
// recipe whose save never wrote its entry (not in the opened book) does not come back with the
// rebuild.
inline void ExpectBookOpensWhole(BookEnv& b, const WantedBook& want) {
  b.env.messages.shown.clear();
  b.books.ScanKBooks();
  b.books.SelectKBook(ctx().options->Str(6));
  b.store.ReloadBookIndex();
  const std::map<std::string, int> opened = ExpectLiveRecipes(b, want, "opened");
  ExpectRecordsMatchIndex(b, false, "opened");
  EXPECT_EQ(ScratchFilesIn(b.Data()), std::vector<std::string>());
  // A record file of its header alone gives no rebuild (and an empty index).
  const bool records = FileSize(b.File(ctx().options->Str(6), ".bok")) > 19;
  EXPECT_EQ(b.store.RebuildIndex(), records);
  const std::map<std::string, int> rebuilt = ExpectLiveRecipes(b, want, "rebuilt");
  ExpectRecordsMatchIndex(b, true, "rebuilt");
  for (const std::string& title : want.optional)
    EXPECT_LE(rebuilt.count(title), opened.count(title)) << "revived by the rebuild: " << title;
  EXPECT_EQ(ScratchFilesIn(b.Data()), std::vector<std::string>());
  for (const auto& m : b.env.messages.shown) ADD_FAILURE() << "message: " << m.text;
}

// Four recipes: the first saved twice (its first record superseded), the last deleted.
struct WornBook : BookEnv {
  explicit WornBook(const std::string& parent = std::string()) : BookEnv("Test", parent) {
    for (int i = 0; i < 4; ++i) {
      REZBLOCK r = RichRecipe(i);
      r.text = "Text " + std::to_string(i);
      AddRecipe(r);
      recipes.push_back(r);
    }
    recipes[0].text = "Text 0, zweite Fassung";
    EXPECT_TRUE(SaveChanged(recipes[0], 0));
    REZINDEX e = store.BookIndex()[3];
    e.deleted = 1;
    EXPECT_TRUE(store.WriteIndexEntry(e, 3));
    EXPECT_TRUE(store.WriteRecordFlag(e, store.BookId(), 0));
  }
  // The live recipes as saved.
  WantedBook Wanted() const {
    WantedBook want;
    for (size_t i = 0; i < 3; ++i) want.texts[recipes[i].title] = {recipes[i].text};
    return want;
  }
  std::vector<REZBLOCK> recipes;
};

// The book a save killed between making its new record live and marking the old one left:
// both versions of the recipe are live in the record file, the index points at the new one.
struct TwoLiveVersions : WornBook {
  TwoLiveVersions() {
    const REZINDEX old = store.BookIndex()[2];
    recipes[2].text = "Text 2, neu";
    EXPECT_TRUE(SaveChanged(recipes[2], 2));
    std::string bok = ReadAll(File("Test", ".bok"));
    bok[static_cast<size_t>(old.offset) + 5] = 0;
    WriteAll(File("Test", ".bok"), bok);
  }
};

// Stores a new recipe as the editor does; true when it reports it saved.
inline bool SaveNewRecipe(const std::string& title, const std::string& text) {
  REZBLOCK r = RichRecipe(9);
  r.title = title;
  r.text = text;
  r.number = 0;
  EditedRecipeKey key;
  REZINDEX entry;
  return StoreEditedRecipe(r, key, entry);
}

// Stores the recipe at a book-index position with a new preparation text, as the editor does.
inline bool SaveChangedText(BookEnv& b, int position, const std::string& text) {
  REZBLOCK r;
  if (!b.store.ReadRezBlock("", nullptr, position, r)) return false;
  r.text = text;
  const REZINDEX& stored = b.store.BookIndex()[static_cast<size_t>(position)];
  EditedRecipeKey key;
  key.isNew = false;
  key.bookId = b.store.BookId();
  key.number = stored.number;
  key.loadedFlags = stored.flags;
  REZINDEX entry;
  return StoreEditedRecipe(r, key, entry);
}

}  // namespace tav::test
