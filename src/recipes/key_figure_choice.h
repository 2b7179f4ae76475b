#pragma once
// The key-figure choice: which facts are shown or written with a recipe, for each of the four
// outputs (screen, HTML page, text export, printout), in the user's order and under which label.
// The choice window TKenndatenDlg is this store; the list lives in "Kenndaten.dat" of the
// language folder, one line per figure: kind digit, '|', figure id, '|', nutrient code and,
// only with an alternative text, '|' and that text.
#include <cstdint>
#include <string>
#include <vector>

#include "recipedb/recipe_model.h"
#include "recipedb/reference_tables.h"

namespace tav {

// One chosen key figure.
struct PARA_SHOWDATA {
  int32_t outputKind = 0;   // 0 screen, 1 HTML page, 2 text export, 3 printout
  std::string displayName;  // the figure's name (a nutrient's name for id -1)
  std::string altText;      // label in place of the name; empty: the name
  int32_t figureId = 0;     // 0 to 21, or kFigureNutrient
  std::string stoffCode;    // nutrient code (id -1 only)
};

// Output kinds.
inline constexpr int kKeyFiguresScreen = 0;
inline constexpr int kKeyFiguresHtml = 1;
inline constexpr int kKeyFiguresText = 2;
inline constexpr int kKeyFiguresPrint = 3;

// Figure ids.
enum KeyFigureId : int32_t {
  kFigureNutrient = -1,
  kFigureServings = 0,
  kFigureCategories,
  kFigureKeywords,
  kFigureCosts,
  kFigureSource,
  kFigureTotalTime,
  kFigurePrepTime,
  kFigureCookTime,
  kFigureCreatedBy,
  kFigureCreatedEmail,
  kFigureCreatedDate,
  kFigureChangedBy,
  kFigureChangedEmail,
  kFigureChangedDate,
  kFigurePoints,
  kFigureAllRemarks,
  kFigureOwnRemarks,
  kFigureRecipeId,
  kFigureEnergy,
  kFigureQuality,
  kFigureDifficulty,
  kFigureBookName,
  kKeyFigureIdCount
};

// The stored text a plain key figure shows as it stands: the costs, the three times, who created
// and changed the recipe and when, the points. Null for every figure that is worked out or laid
// out otherwise. The one place that says which field a figure names.
const std::string* KeyFigureField(const REZBLOCK& recipe, int32_t id);
// The total, preparation and cooking times (shown with the default unit on screen and paper).
inline bool IsTimeFigure(int32_t id) {
  return id == kFigureTotalTime || id == kFigurePrepTime || id == kFigureCookTime;
}
// The six figures of who created and changed the recipe and when.
inline bool IsBylineFigure(int32_t id) {
  return id >= kFigureCreatedBy && id <= kFigureChangedDate;
}

// The language text that names a general figure (539-556, 569, 690-692); -1 for other ids.
int KeyFigureNameText(int32_t id);
// The name of a general figure as the choice window lists it; "?" for an unknown id.
std::string KeyFigureName(int32_t id);

// One file line (without its line end) and back. Parsing gives false with `stop` set for a
// line that ends the list (second character not '|'), and false without `stop` for a line that
// is skipped (no '|' after the figure id). The display name is filled in by the reader.
bool ParseKeyFigureLine(const std::string& line, PARA_SHOWDATA& out, bool& stop);
std::string FormatKeyFigureLine(const PARA_SHOWDATA& figure);

class KeyFigureChoice {
 public:
  std::vector<PARA_SHOWDATA> keyFigures;  // every kind, in the user's order
  int32_t currentKind = 0;                // the kind being edited

  // Language folder (option 52) + "Kenndaten.dat".
  std::string FilePath() const;
  // The list from the file; a file that cannot be opened leaves the list as it was (false).
  bool ReadKenndaten();
  // Replaces the file with the list; message 528 (title 15) when it cannot be written. A file
  // that exists but could not be read is never replaced.
  bool SaveKenndaten();

  int CountKeyFigures() const { return static_cast<int>(keyFigures.size()); }
  // The figure at that place; null outside the list.
  PARA_SHOWDATA* GetKeyFigure(int index);
  const PARA_SHOWDATA* GetKeyFigure(int index) const;
  // 15 when figure 15 (remarks of all persons) is chosen for the kind, else 16 when figure 16
  // (own remarks) is, else 0.
  int GetRemarkShowMode(int kind) const;

  // --- editing, as the choice window does it -------------------------------------------
  // A figure of the current kind: a general one by id, or a nutrient by code and name.
  PARA_SHOWDATA MakeGeneralFigure(int32_t id) const;
  PARA_SHOWDATA MakeNutrientFigure(const std::string& code, const std::string& name) const;
  // True when the list holds a figure of the same kind, id and code.
  bool HoldsFigure(const PARA_SHOWDATA& figure) const;
  // Appends the figure unless the list holds it; its index, or -1 when it was not added.
  int AddKeyFigure(const PARA_SHOWDATA& figure);
  // A drop on the list: the figure at `moving` (a move within the list) or `figure` (from a
  // source list, not added when the list holds it) goes before the figure at `before`, or to the
  // end when `before` is -1. Gives the new index of the figure, -1 when nothing changed.
  int DropKeyFigure(int moving, const PARA_SHOWDATA& figure, int before);
  void RemoveKeyFigure(int index);
  // Swaps two figures' places; false when an index is outside the list.
  bool SwapKeyFigures(int a, int b);
  // List indices of the current kind's figures, in order (the tree's nodes).
  std::vector<int> FiguresOfKind(int kind) const;
  // A node's text: the name, then ` ("alternative text")` when there is one.
  static std::string TreeText(const PARA_SHOWDATA& figure);

 private:
  ReferenceFile file_;  // how the list stands to its file (asked about before it is replaced)
};

// The remarks a remark mode shows, in their order: every author's for 15, only those of `user`
// for 16, none for 0; a remark without text is never shown. The one rule of the screen, the
// HTML page, the text exports and the printout.
std::vector<const REZREMARK*> ShownRemarks(const REZBLOCK& recipe, int mode,
                                           const std::string& user);

}  // namespace tav
