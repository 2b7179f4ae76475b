#pragma once
// Every call that changes a file on disk (create, write, truncate, rename, remove) passes
// through BeforeFileChange first. The kill-point tests stop a child process there, before one
// change after the other, and look at what the interrupted operation left behind.
//
// A change that went through, and every successful sync, is then told to the file journal
// (TellFileChange). The power-loss tests keep a journal: a model of what the disk holds and of
// what of it a sync has made durable, so they can build the files a lost machine would leave
// at any step of an operation.
#include <functional>
#include <string>
#include <string_view>

namespace tav {

void BeforeFileChange();

// Test hook: called before each file-changing call; an empty function switches it off.
void SetFileChangeHookForTest(std::function<void()> hook);

// One change that went through. Paths are as given to the system (DiskPath).
struct FileEvent {
  enum Kind {
    kCreate,      // made, or emptied when it was there
    kWrite,       // `bytes` at `offset` (-1: at the end of the file, made when missing)
    kTruncate,    // cut to (or grown to) `offset` bytes
    kRename,      // `path` is now `newPath`, replacing what had that name
    kRemove,
    kSync,        // the file's contents are durable
    kSyncFolder,  // the folder's names are durable
  };
  Kind kind = kCreate;
  std::string_view path;
  std::string_view newPath;
  long long offset = 0;
  std::string_view bytes;
};
void TellFileChange(FileEvent::Kind kind, std::string_view path, long long offset = 0,
                    std::string_view bytes = {}, std::string_view newPath = {});
// Test hook: receives every FileEvent; an empty function switches it off.
void SetFileJournalForTest(std::function<void(const FileEvent&)> journal);

// Writes all n bytes at `offset` of an open file (pwrite) and tells the journal what went in,
// also of a write that failed half way; false when any byte is missing. No BeforeFileChange:
// the caller calls it.
bool WriteAllAt(int fd, std::string_view diskPath, long long offset, const char* data, size_t n);

// fdatasync of an open file (its bytes and its size), told to the journal when it succeeds.
// False when the system (or a test fault) says the data may not be on the disk: the caller
// treats that as a failed write.
bool SyncFile(int fd, std::string_view diskPath);
// The same for a file given by its disk path (opened for the purpose).
bool SyncFileAt(std::string_view diskPath);
// fsync of a folder, so that names made, renamed or removed in it are durable.
bool SyncFolder(std::string_view diskFolder);
// The folder part of a disk path ("." for a bare name).
std::string FolderOf(std::string_view diskPath);

// Test hook: while it returns true for a disk path (a file, or a folder for SyncFolder), the
// sync fails as a failing disk's would. An empty function switches it off.
void SetSyncFaultForTest(std::function<bool(std::string_view diskPath)> fault);

}  // namespace tav
