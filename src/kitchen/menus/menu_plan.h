#pragma once
// The open menu of the menu planner and its store: a menu is taken from a stored recipe (its
// course list read from the hint), changed in memory, and stored as a recipe of its book: the
// record appended, its index entry written (appended for a new menu, replaced by book and
// number otherwise), and only then the superseded record marked deleted.
#include <cstdint>
#include <string>
#include <vector>

#include "kitchen/menus/menu_courses.h"
#include "recipedb/recipe_model.h"

namespace tav {

class TdbList;

class MenuPlan {
 public:
  MenuPlan();

  // A menu is open while its number is not -1.
  bool IsOpen() const { return open.number != -1; }
  // A new, empty menu of the book (number -1, flags 128); the comparison copy is left alone.
  void StartNewMenu(int16_t bookId);
  // Takes title, texts, identifier, number, flags and servings of a stored menu recipe, its
  // courses from the hint (which is then emptied) and the book it lives in. The comparison copy
  // becomes the menu as taken.
  void TakeMenuRecipe(const REZBLOCK& recipe, int16_t bookId);
  // The same menu: book and number equal.
  bool IsOpenMenu(const REZBLOCK& recipe, int16_t bookId) const;
  bool HasMenuChanged() const { return MenuDiffers(open, compare); }
  // Forgets the open menu and its comparison copy (both numbers -1).
  void ClearMenu();

  enum class Store { Unchanged, Stored, Failed };
  // Stores the open menu when it has changed. A title of 60 characters or more keeps its first
  // 59. A new menu (number -1) goes into the current book with its next number; `added` is the
  // new index entry. `always` stores an unchanged menu too (a new one the editor confirmed).
  // Failures are reported by the store.
  Store SaveMenuRecipe(TdbList& store, REZINDEX* added = nullptr, bool always = false);

  // Appends a course for the entry's recipe (its serving type read from the store); false for
  // a menu, which cannot become a course.
  bool AddRecipeToMenu(TdbList& store, const REZINDEX& entry, const std::string& bookName);
  bool RemoveCourse(int index);
  // Swaps the course with the one before (after) it; false when there is none.
  bool MoveCourseUp(int index);
  bool MoveCourseDown(int index);

  REZBLOCK open;     // the open menu
  REZBLOCK compare;  // as it was loaded or last stored
  std::vector<MN_TYPE> types;
};

}  // namespace tav
