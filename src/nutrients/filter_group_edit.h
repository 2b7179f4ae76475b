#pragma once
// The editing steps of the filter group window on the nutrient table and its groups.
#include <string>
#include <vector>

#include "nutrients/nutrient_table.h"

namespace tav {

// One more than the largest id in use (at least 0), so 1 without groups.
long NextFilterGroupId(const std::vector<FILTGRP>& groups);

// Whether a group has that name, letter case ignored.
bool FilterGroupNameTaken(const std::vector<FILTGRP>& groups, const std::string& name);

// The index of the group of that name (letter case ignored); -1 when none.
int FilterGroupIndex(const std::vector<FILTGRP>& groups, const std::string& name);

// The nutrients of the check list: row r is the first nutrient at position r.
std::vector<const ISTOFF*> CheckListRows(const std::vector<ISTOFF>& table);

// Every nutrient's `visible` becomes the check of the row at its position (rows beyond the
// list leave a nutrient as it is); nothing happens without rows.
void StoreStoffChecks(std::vector<ISTOFF>& table, const std::vector<bool>& checks);

// The nutrients at positions r-1 and r change places; false when r is not in 1 .. count-1.
bool SwapStoffPositions(std::vector<ISTOFF>& table, int r);

// Appends a group of that name with the next id, not for day values; its index.
int AppendFilterGroup(std::vector<FILTGRP>& groups, const std::string& name);

// Removes the group of that name (letter case ignored) and deletes its Filt_<id>.bls; false
// when there is no such group.
bool RemoveFilterGroup(std::vector<FILTGRP>& groups, const std::string& name);

// Only the group of that name (exactly) serves for day values.
void SetDayValuesGroup(std::vector<FILTGRP>& groups, const std::string& name);

}  // namespace tav
