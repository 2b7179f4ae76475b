#pragma once
// The options store: every setting is an option id read and written as a flag, an integer or a
// text. Values live in the user settings under "Software\Brimo\Tavolin\Param" as decimal or
// plain text; a setter writes only when the value changed. The options window TParaDlg is this
// store (it derives from it).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tav {

// One book of the duplicate search's book order: recipes of a book with the never-delete mark
// are never marked for deletion. The id is not stored; it follows the name.
struct AUTODELKBOOK {
  std::string name;
  int16_t bookId = 0;
  bool neverDelete = true;
};

// A book as the cookbook list names it, for bringing the book order in line.
struct BookNameId {
  std::string name;
  int16_t id = 0;
};

// One external tool at the end of the Tools menu: its menu text, the program or document, and
// the parameters handed to a program.
struct EXTTOOL {
  std::string text, path, params;
  bool operator==(const EXTTOOL&) const = default;
};

// FindAutoDelBook's answer for a book that is not in the order.
inline constexpr int kNoAutoDelBook = 9999;
// The tools grid holds at most this many tools.
inline constexpr int kMaxTools = 20;

class OptionsStore {
 public:
  static constexpr int kMaxId = 99;

  OptionsStore() = default;
  virtual ~OptionsStore() = default;

  // Reads every option from the user settings. `dataRoot` comes from the tools module's
  // GetDataPath; the program folder from the platform.
  void LoadOptions(const std::string& dataRoot);

  bool GetParaBool(int id, bool* value = nullptr) const;
  bool GetParaInt(int id, int* value) const;
  bool GetParaString(int id, std::string* value) const;
  void SetParaBool(int id, bool value);
  void SetParaInt(int id, int value);
  void SetParaString(int id, const std::string& value);
  // An integer value of the Param key read with default 0: true when it is not 0.
  bool ReadParamFlag(const std::string& valueName) const;

  // Shorthands: the value, or false / 0 / "" for an id without one.
  bool Flag(int id) const { return GetParaBool(id); }
  int Int(int id) const;
  std::string Str(int id) const;

  // Nutrients stored with recipes: nutrient-table indexes, read from the values
  // "BLSRezStoff_0", "BLSRezStoff_1" ... up to the first negative or missing one.
  std::vector<int32_t> blsRezStoffe;
  // The list was stored at some time (value "BLSRezStoff_0" exists, if only as the end mark -1).
  // Before that, the calculation stores its default nutrients (RecipeCalc).
  bool blsRezStoffeStored = false;
  void LoadBlsRezStoffe();
  // The first entry; -1 when the list is empty.
  int GetFirstRezStoff() const;
  // The entry after the first one equal to `entry`; -1 after the last or for an unknown one.
  int GetNextRezStoff(int entry) const;

  // Writes the list as "BLSRezStoff_0" ... followed by -1 and holds it.
  void SaveBlsRezStoffe(const std::vector<int32_t>& list);

  // Weight-chart parts held from option 70 ("GEWCHART"): visible and display position.
  std::array<bool, 6> chartVisible{};
  std::array<int32_t, 6> chartPosition{};
  // Position and visibility of a part; 0 and false for a part number of 6 or more.
  int GetGewChartPos(int part) const;
  bool GetGewChartVisible(int part) const;
  // The shown parts in display order: the value columns of the weight grid, from column 2.
  std::vector<int> ShownWeightParts() const;
  // The option-70 text of the held parts: per part "+" or "-" and its position.
  std::string WeightChartText() const;

  // Book order of the duplicate search, first entry first ("AutoDelName%d", "AutoDelNever%d").
  std::vector<AUTODELKBOOK> autoDelBooks;
  void LoadAutoDelBooks();
  // Writes every entry and deletes the pair after the last.
  void SaveAutoDelBooks();
  // Position of the first entry with that book id, or kNoAutoDelBook. Only a hit gives its
  // never-delete mark through the pointer; a miss leaves the caller's flag as it was.
  int FindAutoDelBook(int16_t bookId, bool* neverDelete) const;
  // Follows the cookbook list: mode 0 a book was removed, 1 created (with its id), 2 renamed
  // to `newName`. Saves when the order changed.
  void ChangeAutoDelBook(int mode, const std::string& name, const std::string& newName,
                         int16_t bookId = 0);
  // Drops entries that name no book, appends books missing from the order (never delete set)
  // and takes every entry's id from the books. Nothing changes when there is no book.
  void SyncAutoDelBooks(const std::vector<BookNameId>& books);

  // External tools as stored ("Tool%d", "ToolP%d", "ToolC%d" up to the first empty menu text).
  std::vector<EXTTOOL> tools;
  void LoadTools();
  // Writes "Tools" as "1", the tools that have a menu text, then an empty menu text after
  // them; holds what was written.
  void SaveTools(const std::vector<EXTTOOL>& rows);
  // Starts every tool of that menu text with its parameters (a program) or opens it through
  // the shell. False when there is none or a start failed.
  bool StartTool(const std::string& text) const;

  // Registry value name of an option, "" when the id has none of that kind.
  static const char* FlagName(int id);
  static const char* IntName(int id);
  static const char* TextName(int id);

 protected:
  // Called when option 75 (visual styles) changes, before it is written.
  virtual void OnVisualStylesChanged(bool on);

 private:
  bool WriteValue(const char* name, const std::string& text);
  static bool ParseWeightChart(const std::string& text, std::array<bool, 6>& visible,
                               std::array<int32_t, 6>& position);

  std::array<bool, kMaxId + 1> flags_{};
  std::array<int32_t, kMaxId + 1> ints_{};
  std::array<std::string, kMaxId + 1> texts_{};
  std::string programFolder_, dataRoot_, dataFolder_, currentBook_, language_;
  std::string lastWeightChart_;  // the text the option-70 setter wrote last in this run
  bool wroteWeightChart_ = false;
};

}  // namespace tav
