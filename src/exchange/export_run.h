#pragma once
// The recipe export: the work of the export window TExportDlg, which derives from this class
// and gives the window hooks below their window work.
//
// A run writes a chosen set of recipes (the current one, all, the marked or the selected ones
// of the recipe list, or the search result) in one format to a file or to the clipboard. Each
// recipe is read into a working copy and handed to the format's writer (ExportWriter), which
// puts its text out only through the run's output lines (PutExportLine and its kin) and
// reports problems only as lines of the run's log. A file run can start a new file every n
// recipes: name.ext, name_2.ext, name_3.ext ...; the next file is opened when its first recipe
// comes, so no file holds only a header. Every output file is written under a temporary name
// and renamed over its target when it is complete.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/recipe_list_snapshot.h"
#include "recipedb/recipe_model.h"
#include "services/charsets.h"

namespace tav {

class ExportRun;
class KeyFigureChoice;

// Registry value "Format".
enum ExportFormat : uint8_t {
  kFormatMealMaster = 0,
  kFormatRezKonv = 1,
  kFormatText = 2,
  kFormatHTML = 3,
  kFormatCookML = 4,
};
// Registry value "WhatRez": which recipes.
enum ExportSet : uint8_t {
  kSetCurrent = 0,
  kSetAll = 1,
  kSetMarked = 2,
  kSetSearchList = 3,
  kSetSelected = 4,
};
// Registry value "Ziel".
enum ExportTarget : uint8_t { kTargetFile = 0, kTargetClipboard = 1 };

// One export format.
class ExportWriter {
 public:
  virtual ~ExportWriter() = default;
  // The file name extension with its dot (".cml").
  virtual const char* Extension() const = 0;
  // The language text of the save dialog's filter.
  virtual int FilterText() const = 0;
  virtual bool ClipboardAllowed() const { return true; }
  // One output file per recipe, whether the run splits or not.
  virtual bool FilePerRecipe() const { return false; }
  // Before the first output is opened (a file run only); false fails the run.
  virtual bool BeginRun(ExportRun&) { return true; }
  // The start and the end of every output file, and of the clipboard text.
  virtual void BeginFile(ExportRun&) {}
  virtual void EndFile(ExportRun&) {}
  // Writes one recipe; the recipe is the run's working copy and may be changed.
  virtual void WriteRecipe(ExportRun& run, REZBLOCK& recipe) = 0;
  // After the run's output is closed.
  virtual void FinishRun(ExportRun&) {}
  // A page the desktop opens after a file run; "" for none.
  virtual std::string PageToOpen(const ExportRun&) const { return std::string(); }
};

// The writer of a format; null for a format whose writer is not part of the program yet.
std::unique_ptr<ExportWriter> MakeExportWriter(int format);

class ExportRun {
 public:
  ExportRun();
  virtual ~ExportRun();
  ExportRun(const ExportRun&) = delete;
  ExportRun& operator=(const ExportRun&) = delete;

  // --- the choices of the window -------------------------------------------------------
  uint8_t WhatRez = kSetCurrent;
  uint8_t Format = kFormatCookML;
  uint8_t Ziel = kTargetFile;
  bool Split = true;
  std::string TileText = "100";  // the text of the recipes-per-file edit
  int TileAnz = 100;             // recipes per file; 0 or less: no split by count

  // Section "Export" of the user settings: WhatRez, Ziel, Split, Format (integers) and
  // TileAnz (the edit's text); defaults 0, 0, 1, 4 and "100".
  void LoadChoices();
  void SaveChoices() const;
  // The number the first 98 characters of the edit's text begin with (atol); 0 for none.
  static int TileCount(const std::string& text);

  // --- what a run reads ----------------------------------------------------------------
  RecipeListSnapshot list;                      // the recipe list, taken before each run
  const KeyFigureChoice* keyFigures = nullptr;  // the key-figure choice; null: none chosen

  // --- run state, read by the writers --------------------------------------------------
  std::string ExpFileName;     // the output file being written
  std::string FirstFileName;   // the first output file of the run
  std::string ClipText;        // the text collected for the clipboard
  std::string IndexFileName;   // the HTML index page
  std::string StartPageName;   // the HTML frameset page
  bool ListExport = false;     // false for the current recipe, true for every other set
  bool ProgressShown = false;  // the last log line is the progress line
  bool NoExpInfo = false;      // option 32 at the start of the run: no key-figure lines
  bool HTMLLinkList = false;   // option 40 at the start of the run
  bool UseFrames = false;      // option 34 not empty at the start of the run
  bool HTMLPreview = false;    // set by the views' page output only
  bool PassToLexicon = false;
  bool ScratchOutput = false;  // a page only to be shown: its file is not synced to disk
  // The link texts of the HTML index's even and odd rows, taken from the index template; they
  // keep their values from one run to the next.
  std::string EvenRowHead, EvenRowTail, OddRowHead, OddRowTail;

  // What the window shows of a run: kStarting the close button off and the busy cursor;
  // kWriting the start button stops the run; kIdle the start button starts, the close button
  // is on again (text 574).
  enum RunState { kStarting, kWriting, kIdle };

  bool IsRunning() const { return running_; }
  // A writer that cannot go on (its template is missing): the run stops after the recipe in
  // hand and counts as failed.
  void StopRun();
  // The running run has failed so far (a write, a split file, a writer that stopped it).
  bool Failed() const { return failed_; }
  // The writer of the running (or last) run's format; null before the first run.
  ExportWriter* Writer() const { return writer_.get(); }
  // Recipes handed to the writer by the last loop.
  int ExportedCount() const { return exported_; }
  // Every output file the last run wrote, in order.
  const std::vector<std::string>& WrittenFiles() const { return written_; }

  // --- runs ----------------------------------------------------------------------------
  // The start button. While a run is going it only asks the run to stop after the recipe in
  // hand. Otherwise it saves the choices, runs the export and logs the outcome (texts 131-135).
  void StartExport();
  // Prepares the target, runs the recipe loop, delivers the clipboard text. True when failed;
  // nothing is written (no file, no clipboard text) when a book the run would read from could
  // not have its index read whole (message 1093).
  bool RunExport();
  // Writes the chosen recipes to the open output (a file opened by OpenOutputFile, or the
  // clipboard text).
  void ExportRecipeLoop();
  // Closes the output and ends the writer's run.
  void FinishExport();
  // The output file: `path` is written under a temporary name and takes its place when it is
  // closed; a file that received no byte is dropped and `path` stays as it was. False when it
  // cannot be created, or (closing) when not every byte reached the disk.
  bool OpenOutputFile(const std::string& path);
  bool CloseOutputFile();
  bool OutputOpen() const { return file_ != nullptr; }
  // Sets the writer by Format (ExportRecipeLoop on its own needs one); false when the format
  // has no writer.
  bool PrepareWriter();

  // --- output lines --------------------------------------------------------------------
  // One line of 8-bit text: Meal-Master lines pass AnsiToDosUmlauts (option 21) first; the line
  // end is CR LF. The caller's string keeps the converted text and the line end.
  void PutExportLine(std::string& line);
  // A key-figure line: dropped while NoExpInfo is set and it begins with ':'.
  void PutExportDataLine(std::string& line);
  // A line of CookML units (file target only): each unit's high byte when not 0, then its low
  // byte; CR LF after it.
  void PutExportWideLine(WideText& line);
  // Bytes straight into the output file, without a line end.
  void PutExportBytes(std::string_view bytes);
  // Copies for callers that keep their line.
  void PutLine(std::string_view line);
  void PutDataLine(std::string_view line);
  // The progress line of the log (texts 142-145): at every third count and at the end.
  void LogExportProgress(int count, bool final);

  // --- the log -------------------------------------------------------------------------
  void AddLogLine(const std::string& line);
  void ClearLog();
  const std::vector<std::string>& Log() const { return log_; }

 protected:
  // Window hooks. The defaults do nothing (no window).
  // The save dialog: the chosen name, false when cancelled.
  virtual bool ChooseExportFile(std::string& name);
  virtual void ShowRunState(RunState state);
  virtual void LogLineAdded(const std::string& line);
  virtual void LastLogLineRemoved();
  virtual void LogCleared();
  // Selects the last log line and repaints.
  virtual void ShowLastLogLine();
  // Lets pending window messages run (a click on the start button then asks the run to stop).
  virtual void ProcessMessages();
  // After every recipe (the window repaints).
  virtual void RecipeWritten();
  // The current recipe after it was written as readable text, while PassToLexicon is set: the
  // window hands it to the lexicon.
  virtual void PassRecipeToLexicon(const REZBLOCK& recipe);

 private:
  class Reader;
  bool ChooseFile();
  // True when every book the run takes recipes from had its index read whole; otherwise
  // message 1093 names the first that did not.
  bool BooksReadWhole();
  // The log lines of a run that wrote more than one file: their count and names (texts 1000,
  // 1001), or their folder when each recipe has a file of its own.
  void LogWrittenFiles();
  // Reads the recipe of a row (or of a search-result entry) into the working copy; sets its
  // book id. False when it cannot be read (the store showed why).
  bool ReadRow(int row, REZBLOCK& recipe);
  bool ReadSearchEntry(const REZINDEX& entry, REZBLOCK& recipe);
  // Hands a recipe to the writer, opening the next split file first when one is due, and
  // closes the file after it when the split rule says so.
  void WriteOne(REZBLOCK& recipe, int& count, int& fileNumber);
  bool OpenNextSplitFile(int fileNumber);
  void Write(std::string_view bytes);

  std::unique_ptr<ExportWriter> writer_;
  std::unique_ptr<Reader> reader_;
  std::unique_ptr<Reader> preparedReader_;  // filled by BooksReadWhole for the run's loop
  std::FILE* file_ = nullptr;
  std::string tempName_;
  long long fileBytes_ = 0;
  bool writeFailed_ = false;
  bool splitDue_ = false;  // the last file was closed by the split rule; the next opens lazily
  bool failed_ = false;
  bool running_ = false;
  int exported_ = 0;
  std::vector<std::string> written_;
  std::vector<std::string> log_;
  std::string wideBytes_;
};

}  // namespace tav
