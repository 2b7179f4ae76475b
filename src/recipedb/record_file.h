#pragma once
// The record file of a recipe book (".bok"): a 19-byte header and one record per stored version
// of a recipe (RecipeRecord). This header holds the coding of a recipe into a record, the
// decoding of a record (with the rules for records of earlier versions), the record head with
// its offset table, and the header rules shared with the index file.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "recipedb/recipe_model.h"

namespace tav {

inline constexpr int kBookHeaderSize = 19;
inline constexpr int kRecordHeadSize = 51;
// The smallest record: head, title NUL, categories, final NUL.
inline constexpr int kMinRecordLength = kRecordHeadSize + 1 + 20 + 1;

// The record file's header as the store writes it ("...DAT" LF CR) and as a book created in
// text mode has it ("...DAT" CR LF).
std::string RecordFileHeader();
std::string TextModeRecordFileHeader();
// The index header ("...IDX" CR LF).
std::string IndexFileHeader();
// The header check shared by record and index files: 19 bytes, "TAVO" within bytes 0-12 (byte
// 13 taken as the end of the text), "1.01" in bytes 9-12.
bool CheckBookHeader(std::string_view header);

// Offsets of the record's fields, counted from its first byte; entry 0 is the record's length.
struct RecordOffsetTable {
  int32_t entry[10] = {};
};
enum RecordOffset {
  kOffLength = 0, kOffCategories, kOffHint, kOffAuthor, kOffRating, kOffSource, kOffNutrients,
  kOffLineCount, kOffText, kOffRemarks
};

// The fixed head of a record (bytes 0-50).
struct RecipeRecordHead {
  char mark = 0;  // '#'
  int32_t number = 0;
  uint8_t deleted = 0;
  uint8_t flags = 0;
  uint16_t titleHash = 0;
  uint8_t titleLength = 0;  // modulo 255
  uint8_t lineCount = 0;    // modulo 255
  RecordOffsetTable offsets;
};
// False when fewer than 51 bytes are given.
bool ReadRecordHead(std::string_view record, RecipeRecordHead& head);

// Title hash: sum of byte x index x 127, modulo 65535.
uint16_t TitleHash(std::string_view title);

// Codes the recipe as one record into `out` (replaced). The recipe must already carry its
// identifier (WriteRezBlock gives it one). Texts end at a NUL byte, as stored texts must.
void EncodeRecipeRecord(const REZBLOCK& recipe, std::string& out);
// The same record appended to `out` (a batch of records).
void AppendRecipeRecord(const REZBLOCK& recipe, std::string& out);

// Fills a reset recipe from the record's bytes (exactly the record, `length` bytes). Never reads
// past the end; what the record lacks keeps its reset value. An old record without identifier
// gets a new one in memory only.
void DecodeRecipeRecord(std::string_view record, REZBLOCK& recipe);
// The pictures alone, as DecodeRecipeRecord gives them (the fields before them are skipped).
void DecodeRecordPictures(std::string_view record, std::vector<REZPICTURE>& pictures);

// Position of a record's field bytes that can be changed in place.
inline constexpr int kRecordNumberPos = 1;
inline constexpr int kRecordDeletedPos = 5;
inline constexpr int kRecordFlagsPos = 6;

}  // namespace tav
