#pragma once
// The index file of a recipe book (".idx": header, counter, 104-byte entries) and the book id on
// line 2 of its description file (".inf").
#include <cstdint>
#include <string>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

inline constexpr int kIndexCounterPos = 19;
inline constexpr int kIndexEntriesPos = 23;
inline constexpr int kIndexEntrySize = 104;

// A book's file in a folder: the existing file whose name matches without regard to case
// (books copied from Windows often carry ".BOK", ".IDX", ".INF"), else the name as written.
std::string BookFileIn(const std::string& folder, const std::string& name, const char* extension);

// The bytes of a new index: header and counter 1.
std::string NewIndexBytes();
// Writes a new index at `path` when no file is there (a book whose index was never made, such
// as the default book before it was first opened). False when there is still none after it.
bool CreateIndexIfMissing(const std::string& path);

// File position of entry i.
inline long long IndexEntryPos(long long i) { return kIndexEntriesPos + kIndexEntrySize * i; }

// The whole index: header check, counter and every whole entry. False when the file cannot be
// read (a read error among the entries too, with no entries) or its header fails the check.
bool ReadIndexFile(const std::string& path, int32_t& counter, std::vector<REZINDEX>& entries);

// False for an entry that can be no entry of a record file of `recordSize` bytes (-1: not
// known): a deleted byte other than 0 or 1, a title without its NUL, a record that starts
// before the first record, is shorter than any record or reaches past the end of the file.
bool IndexEntryIsPlausible(const REZINDEX& entry, long long recordSize);

// Number of entries from the file size; with liveOnly those whose deleted byte is 0. 0 without
// a file.
int CountIndexEntries(const std::string& path, bool liveOnly);

// The book id on line 2 of a description file: the decimal number at its start, its low 16 bits
// taken signed (0 when there is none). False when the file cannot be read to line 2 (a read
// error), and then `id` is left as it was.
bool ReadDescriptionBookId(const std::string& path, int16_t& id);

}  // namespace tav
