#pragma once
// Book compression: copies the live recipes of a book into fresh temporary files ("$$$.bok",
// "$$$.idx" in the data folder) and puts them in the book's place. The swap is committed by a
// marker file ("$$$.swp", holding the book's name) written once both temporary files are
// complete on disk; a swap that a crash interrupted is finished by FinishPendingSwap the next
// time a book is opened or scanned, so the book always opens whole, old or new. The window
// TReorgDlg derives from BookCompression and shows its log.
#include <functional>
#include <string>
#include <vector>

namespace tav {

class BookCompression {
 public:
  virtual ~BookCompression() = default;

  // Compresses one book. True when the copying failed (the book stays as it was); false
  // otherwise, also when the book could not be started (messages 230, 231, 232).
  bool ReorgKBook(const std::string& name);

  // The end of a run, after its books: the lexicon is reorganised (when the program has one),
  // then the current book's index is loaded again.
  void FinishReorgRun();

  // With toStatus: the status text; otherwise a new log line.
  void ReorgLogLine(const std::string& text, bool toStatus);
  void ClearLog();
  const std::vector<std::string>& LogLines() const { return logLines_; }
  const std::string& StatusText() const { return status_; }

 protected:
  // The window shows a new log line (and selects it) and repaints the status text.
  virtual void OnLogLine(const std::string& text) { (void)text; }
  virtual void OnLogCleared() {}
  virtual void OnStatus(const std::string& text) { (void)text; }

 private:
  std::vector<std::string> logLines_;
  std::string status_;
};

// The lexicon's reorganisation, which the compression runs after the books. The lexicon (a
// kitchen window) registers itself as Registered<LexiconReorganizer>; it logs through `log`.
class LexiconReorganizer {
 public:
  virtual ~LexiconReorganizer() = default;
  virtual bool ReorganizeLexicon(BookCompression& log) = 0;
};

// Completes a committed swap that was interrupted: the temporary files named by the marker
// replace the book's files, then the marker goes. Without a marker, nothing happens.
void FinishPendingSwap(const std::string& dataFolder);
// Syncs the data folder, removes the swap marker and syncs the folder again; false when any
// of it failed.
bool RemoveMarkerDurably(const std::string& dataFolder, const std::string& marker);

// Test hook: called with 0 when both temporary files are complete, 1 after the commit marker is
// written, 2 after the index is swapped and
// 3 after the record file is swapped (a test process ends itself there).
void SetSwapHookForTest(std::function<void(int)> hook);

}  // namespace tav
