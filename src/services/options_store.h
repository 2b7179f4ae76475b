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
  void LoadBlsRezStoffe();
  // The first entry; -1 when the list is empty.
  int GetFirstRezStoff() const;
  // The entry after the first one equal to `entry`; -1 after the last or for an unknown one.
  int GetNextRezStoff(int entry) const;

  // Weight-chart parts held from option 70 ("GEWCHART"): visible and display position.
  std::array<bool, 6> chartVisible{};
  std::array<int32_t, 6> chartPosition{};

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
