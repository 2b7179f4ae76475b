#pragma once
// The picture files of the picture folder ("Pics/" below the data root) that recipes name. A
// recipe's picture reference of kind 'F' whose name has no folder part names such a file; the
// file belongs to every recipe that names it, so it may go only when none does any more.
#include <string>
#include <unordered_map>
#include <vector>

#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_model.h"

namespace tav {

// A file of the picture folder itself: kind 'F', a name without '/' or '\', not "." or "..".
bool IsPictureFolderFile(const REZPICTURE& picture);
// The picture folder: option 90 (data root) + "Pics/".
std::string PictureFolder();

// Removes those of the named files (bare names in the picture folder) that no recipe of the
// books but `exceptBook` names. Deleted recipes count too: they can be restored until their book
// is compressed. A book whose records cannot all be read keeps every file.
void RemoveUnusedPictures(const std::vector<std::string>& names, const std::vector<KBOOK>& books,
                          const std::string& exceptBook);

// The picture-folder files named by the records of a record file (".bok") that do not start at
// one of the `skip` positions (sorted): old versions of changed recipes and deleted recipes
// when `skip` holds the live records. The walk stops at the first byte that starts no whole
// record.
std::vector<std::string> PicturesOfRecordsBut(const std::string& recordPath,
                                              const std::vector<long long>& skip);

// Removes those of the named files (bare names in the picture folder) that no record of any
// record file of the data folder names: old versions and deleted recipes count, as they can be
// restored until their book is compressed. A record file that cannot be read record by record to
// its end keeps every file.
void RemovePicturesNoRecordNames(const std::vector<std::string>& names,
                                 const std::string& dataFolder);

// The names by their key without case (UpperCaseAnsi), the first spelling of each.
std::unordered_map<std::string, std::string> PictureNameKeys(const std::vector<std::string>& names);

}  // namespace tav
