#pragma once
// The usual-foods list as a tree: each entry's parent is the nearest entry before it one level
// up. Every change renumbers the list so that an entry's position is its index.
#include <string>
#include <vector>

#include "kitchen/freezer/freezer_records.h"

namespace tav {

void RenumberFoodTypes(std::vector<CO_TYPE>& types);

// The parent index of every entry, -1 for a top-level one. An entry whose level jumps more than
// one above the entry before it (a hand-edited file) hangs under the deepest entry open at that
// point; so does one whose level is negative at the top.
std::vector<int> FoodTypeParents(const std::vector<CO_TYPE>& types);

// The text of an entry's node: a food below the top level shows ", " and its default amount.
std::string FoodTypeNodeText(const CO_TYPE& t);

// A new group named `name` (text "0") as the first child of the group at `pos`; its index.
int InsertChildGroup(std::vector<CO_TYPE>& types, int pos, const std::string& name);
// A new group as the last entry at the level of the group at `pos` under the same parent.
int InsertSiblingGroup(std::vector<CO_TYPE>& types, int pos, const std::string& name);
// A food as the first child of the group at `pos`.
int InsertFoodUnder(std::vector<CO_TYPE>& types, int pos, const std::string& name,
                    const std::string& amount);
// The nearest entry before `pos` with a lower level, or 0 when there is none.
int FoodTypeParentOrFirst(const std::vector<CO_TYPE>& types, int pos);
// Removes the entry at `pos` with its whole subtree; gives the entry to select afterwards
// (its parent, or 0), -1 when the list is now empty.
int DeleteFoodTypeSubtree(std::vector<CO_TYPE>& types, int pos);

}  // namespace tav
