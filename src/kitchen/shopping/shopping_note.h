#pragma once
// What the shopping dialog keeps and writes: the servings chosen per recipe and the buy marks
// of the rows (values KListRez%d, KListYesNo, KListYesNoCRC, KListRemark of the Param key), the
// texts of its recipe check list, and the buying list "Kauflist.txt" of the export folder.
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "kitchen/shopping/shopping_computation.h"

namespace tav {

class SettingsStore;

// A check-list item: the title and, for a recipe with servings, " (" servings [kind] ")".
std::string ZettelItemText(const KAUFZETTEL& record);
// The item after its servings field was set to `servings`: "title (servings kind)", the title
// alone when both are empty.
std::string EditedItemText(const std::string& title, const std::string& servings,
                           const std::string& kind);
// The servings field read as an amount (a comma counts as the decimal point; 0 for no number).
double ReadServings(const std::string& text);

struct SavedServings {
  int16_t book = 0;
  int32_t number = 0;
  double servings = 0;
};
// KListRez0, KListRez1 ... up to the first value that begins with "-".
std::vector<SavedServings> ReadSavedServings(const SettingsStore& settings);
// Each record takes the servings saved for its book and number (the last match wins).
void ApplySavedServings(std::vector<KAUFZETTEL>& records, const std::vector<SavedServings>& saved);

// Check number of the data rows: the sum of the whole numbers leading column 1, plus 1000 times
// the grid's rows (the header row included).
long long GridCheckNumber(const std::vector<ShoppingRow>& rows);
// One letter per row: "J" for a row to buy, "N" otherwise.
std::string BuyLetters(const std::vector<ShoppingRow>& rows);
// Gives the rows the saved buy marks when the saved check number fits the rows.
void RestoreBuyMarks(std::vector<ShoppingRow>& rows, const SettingsStore& settings);
// Writes servings per record, buy marks with their check number and the errands text.
void SaveShoppingState(SettingsStore& settings, const std::vector<KAUFZETTEL>& records,
                       const std::vector<ShoppingRow>& rows, const std::string& errands);
std::string SavedErrands(const SettingsStore& settings);

// The text of Kauflist.txt (CR LF line ends): heading with user name and time, the ticked
// recipes, the rows to buy grouped by dealer, and the other errands.
std::string KaufListText(const std::string& userName, const std::tm& when,
                         const std::vector<std::string>& tickedItems,
                         const std::vector<ShoppingRow>& rows, const std::string& errands);
// "Kauflist.txt" of the export folder (option 4).
std::string KaufListTextPath();
// Writes Kauflist.txt for now and the user of option 10; message 221 and false when the file
// cannot be written (the old file is then left alone).
bool WriteKaufListText(const std::vector<std::string>& tickedItems,
                       const std::vector<ShoppingRow>& rows, const std::string& errands);

}  // namespace tav
