#pragma once
// Small text and path helpers of the diary files.
#include <string>
#include <string_view>

namespace tav {

// The data folder (option 2), ending with '/'.
std::string DiaryDataFolder();
// The folder of a person under "Konten", ending with '/'; "" for a name that cannot be a
// folder of its own there (empty, ".", "..", or holding '/', '\' or ':'), so that no diary
// file is ever read or written outside "Konten".
std::string PersonFolder(const std::string& name);

// A number with that many decimals and '.' as the separator, like printf's "%.*f".
std::string FixedWithPoint(double value, int decimals);
// A text read whole as a number (blanks around it allowed, ',' or '.' as the separator);
// false for an empty text or one that holds anything else.
bool ReadWholeNumber(std::string_view text, double& value);

// The amount typed into a diary window's amount box: the text is given the user's decimal
// separator (as the box shows it again) and read as a number, 0 when it holds none.
double TypedAmount(std::string& text);

// What a user typed into a field of a diary file: a line break (and a tab) becomes a blank,
// and with `hashToo` a '#' as well, so the text cannot move the fields of its line.
void CleanFieldText(std::string& text, bool hashToo);

// The current local date and time (month 0-11).
struct LocalNow {
  int day, month, year, hour, minute;
};
LocalNow CurrentLocalTime();

}  // namespace tav
