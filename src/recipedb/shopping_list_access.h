#pragma once
// The shopping list (a kitchen window) as the recipe list and the cookbook list see it: recipes
// go onto it, and leave it when they or their book are deleted. The shopping list registers
// itself; ShoppingListPane() is null while there is none.
#include <cstdint>

#include "services/registered.h"

namespace tav {

struct REZINDEX;

class ShoppingListAccess {
 public:
  virtual ~ShoppingListAccess() = default;
  // Appends the recipe of an index entry; portions -1 = its own servings.
  virtual void AddToKaufList(const REZINDEX& entry, int portions) = 0;
  // Removes every entry of the book (and recipe number, unless it is -1), with notices.
  virtual void RemoveFromKaufList(int16_t book, int32_t number) = 0;
  // Removes the entry selected in the shopping list's pane.
  virtual void RemoveKaufListEntry() = 0;
};

inline ShoppingListAccess* ShoppingListPane() {
  return Registered<ShoppingListAccess>::Get();
}

}  // namespace tav
