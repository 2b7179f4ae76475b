#pragma once
// The recipe import: the work of the import window TImportDlg, which derives from this class
// and gives the window hooks below their window work.
//
// A run reads its sources (the clipboard text or the chosen files) and stores every recipe it
// finds into the target book through the recipe store. Text sources are scanned line by line;
// a recipe's start line hands the source to the reader of its format (Meal-Master, RezKonv,
// "Mahlzeit"), which reads on to the recipe's end, stores it and gives the source back. CookML
// files go to the XML-based reader. When the target book holds as many live recipes as option
// 74 allows, the import goes on in a follow-on book ("name-2", "name-3" ...). The run keeps a
// log with a progress line and a summary.
//
// Only recipes that were stored are counted. A recipe whose source ends (or whose next recipe
// begins) before its head and ingredients are read is not stored and is named in the log; one
// that only lacks its end line is stored.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/import_source.h"
#include "recipedb/recipe_model.h"

namespace tav {

class TXMLParser;
class TXMLNode;
class BookAppender;
class UnitConversions;
class CategoryCodes;

enum class ImportFormat { kMealMaster, kRezKonv, kMahlzeit, kCookML };

// What a reader made of one recipe.
enum class ReadResult {
  kStored,      // stored in the book
  kIncomplete,  // the recipe ended before it was whole; nothing stored
  kFailed,      // storing failed (the store showed why); the scan of this source stops
};

// The start lines of the text formats: "MMMMM" or "-----" first (blanks before them aside) and
// "MEAL-MAS" in any case: Meal-Master; "=====" first (blanks aside) and "REZKONV" in any case:
// RezKonv; "ZZZZZ" and "Mahlzeit" anywhere: Mahlzeit.
enum class StartLine { kNone, kMealMaster, kRezKonv, kMahlzeit };
StartLine RecipeStartLine(const std::string& line);

// Lines a reader takes for something else than text right after a recipe's ingredients: an
// ingredient or a group heading of its format (MealMasterIngredientShape, RezKonvIngredientShape).
using IngredientShape = bool (*)(std::string_view line);

// A text line that an export writes behind "> ", so that no reader takes it for a recipe's
// start line: a start line, or a line (one or two blanks before it aside) of "> " and such a line.
// Given a shape, the line is the first of the text after the ingredients, and a line of that
// shape is guarded as well.
bool GuardedStartLine(std::string_view line, IngredientShape firstLine = nullptr);
// A text line as read: a line written behind that guard without it; any other line as it is.
// The shape is given for the first line of the text, as on writing.
std::string_view UnguardedTextLine(std::string_view line, IngredientShape firstLine = nullptr);

class RecipeImporter {
 public:
  RecipeImporter();
  virtual ~RecipeImporter();
  RecipeImporter(const RecipeImporter&) = delete;
  RecipeImporter& operator=(const RecipeImporter&) = delete;

  // The choices of the window: source (ClipRdb checked, else FileRdb) and target book (the
  // selected ImportLiBo item).
  bool clipboardSource = false;
  std::string targetBook;

  // --- runs ------------------------------------------------------------------------------
  // One run from the chosen source into the target book. While a run is under way the call is
  // a stop request: it ends that run after the line in hand and gives -1. Gives -1 as well
  // when the user cancels the file choice; otherwise the number of recipes imported.
  int StartImport();
  // The line scan of the current source (clipboard text or source file). True when a reader's
  // storing failed.
  bool ImportTextRecipes();
  // Reads the source file as CookML.
  void ImportCookML();
  // Imports one file into the named book (the first book when there is none of that name)
  // without showing anything. -1 when the import window, the recipe editor or the export
  // window is open, else the number of recipes imported.
  int ImportFileIntoBook(const std::string& fileName, const std::string& bookName);

  bool IsRunning() const { return running_; }
  int ImportedCount() const { return imported_; }
  const std::string& SourceFileName() const { return sourceFile_; }

  // --- what the window shows ---------------------------------------------------------------
  // Every book as the cookbook list gives them and the item to select: item 0, then the last
  // item equal to `preferred` (exactly); -1 without books.
  static std::vector<std::string> TargetBookNames(const std::string& preferred, int& selected);
  // The source a clipboard text suggests: 1 when it holds "MMMMM" or "=====", 0 when it holds
  // neither, -1 when the clipboard holds no text.
  static int ProbeClipboard();
  // The quick import's notice for a count.
  static std::string QuickImportNotice(int count);
  const std::vector<std::string>& Log() const { return log_; }

  // --- services of the readers -------------------------------------------------------------
  // The next line of the source in Windows-1252 (ImportSource); false at the end of the source.
  // Umlauts spelled as two letters are still spelled: the readers convert each field with
  // Umlauts() once they have cut it out of the line.
  bool ReadImportLine(std::string& line);
  // The spelling of the recipe being read: the exception words and option 22 of the source, or,
  // for a recipe whose words are mostly English, one that converts nothing (DecideLanguage).
  const UmlautSpelling& Umlauts() const { return *umlauts_; }
  // The category table's lookup, made for the source being read (nullptr without a table).
  const CategoryCodes* Categories() const { return categoryCodes_.get(); }
  // Hands a line back to the source (a reader that met the next recipe's start line).
  void UnreadImportLine(const std::string& line);
  // Stores a finished recipe into `book` with the steps its format takes (trailing line feeds,
  // flags, line count, units, keywords from the category words, number, identifier, title).
  ReadResult StoreImportedRecipe(ImportFormat format, REZBLOCK& recipe, const std::string& book,
                                 const std::vector<std::string>& categoryWords);
  // The recipe a text reader fills, kept from recipe to recipe so that its line list and text
  // keep their room (the reader clears it first).
  REZBLOCK& TextRecipe() { return textRecipe_; }
  // Two lists of lines a text reader collects, kept likewise (the reader counts what it uses).
  std::vector<std::string>& ScratchLines(size_t list) { return scratchLines_[list % 2]; }
  // Names a recipe that was not stored because it ended before it was whole.
  void LogIncompleteRecipe(const std::string& title);
  // The Meal-Master reader's source-block flag ("QUELLE" group).
  bool mealMasterSourceBlock = false;

  // --- the log -----------------------------------------------------------------------------
  // Appends a line; gives its position.
  int AddLogLine(const std::string& line);
  void SetLogLine(int position, const std::string& line);
  void RemoveLogLine(int position);
  void ClearLog();

 protected:
  // Window hooks. The defaults do nothing (no window).
  // The open-file dialog; false when the user cancels.
  virtual bool ChooseImportFiles(std::vector<std::string>& files);
  // The start button's caption, the close button and the cursor for a run (or its end).
  virtual void ShowRunState(bool running);
  // The log changed: the list box follows.
  virtual void LogLineAdded(const std::string& line);
  virtual void LogLineSet(int position, const std::string& line);
  virtual void LogLineRemoved(int position);
  virtual void LogCleared();
  // Selects the last log line and repaints.
  virtual void ShowLastLogLine();
  // Lets pending window messages run (a click on the start button then arrives as a stop
  // request).
  virtual void ProcessMessages();
  // The import window, the recipe editor or the export window is open.
  virtual bool ImportBlocked() const;
  // Stores one recipe: next number, record and index entry, with the book's files kept open
  // for the rest of the run. False after the store's message.
  virtual bool SaveRecipe(const std::string& book, REZBLOCK& recipe, REZINDEX& entry);

 private:
  friend int OnCookMLEvent(void* user, int kind, std::string text, TXMLNode* node);
  bool OpenImportSource();
  void CloseImportSource();
  void FollowOnCheck(std::string& book, int& bookCount) const;
  // The book a source starts in and its live recipes: counted at the run's first source, then
  // carried from source to source (KeepBook), so the index is not read again for every file.
  void StartBook(std::string& book, int& bookCount);
  void KeepBook(const std::string& book, int bookCount, bool failed);
  void WriteImportSummary(int mealMaster, int rezKonv, int mahlzeit, int xml);
  // After a recipe's start line: its lines up to its end, read ahead, tell whether its spelled
  // umlauts are German ones to convert or the letters of English words to keep.
  void DecideLanguage(bool mahlzeit);
  void ShowProgressLine(int count);
  void OnCookMLRecipe(TXMLNode& recipe);
  void FinishCookML();
  void FlushCookML();
  // The unit table's conversions and the category lookup for the source about to be read.
  void TakeUnitConversions();
  // Writes the recipes the appender holds; false after the store's message, with `lost` the
  // number of them that could not be stored.
  bool FlushBook(int& lost);
  void CloseBook();

  bool running_ = false;
  int imported_ = 0;
  std::string runTarget_, runBook_;  // runBook_ empty: nothing counted yet in this run
  int runBookCount_ = 0;
  std::string sourceFile_;
  std::string clipboardText_;
  ImportSource source_;
  UmlautSpelling sourceUmlauts_;  // the exception words and option 22 of the source being read
  UmlautSpelling keptUmlauts_;    // converts nothing: a recipe in English
  const UmlautSpelling* umlauts_ = &sourceUmlauts_;
  std::string storeError_;  // the store's last error message while a source is read
  bool storeFailed_ = false;
  int lostRecipes_ = 0;  // recipes counted as stored that a failed write took with it
  std::vector<std::string> log_;
  int progressLine_ = -1;  // the progress line of the source being read, -1 when none
  std::unique_ptr<TXMLParser> parser_;
  int cookMLCount_ = 0;
  int cookMLBookCount_ = 0;
  bool cookMLFailed_ = false;  // a recipe could not be stored: the rest of the file is skipped
  std::string cookMLBook_;
  REZBLOCK recipe_;                         // the CookML recipe being built
  REZBLOCK textRecipe_;
  std::vector<std::string> scratchLines_[2];
  std::unique_ptr<BookAppender> appender_;  // the book a run appends to, open while it runs
  std::unique_ptr<UnitConversions> unitConversions_;
  std::unique_ptr<CategoryCodes> categoryCodes_;
};

}  // namespace tav
