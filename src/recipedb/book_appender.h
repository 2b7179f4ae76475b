#pragma once
// Appending many recipes to one book in a row (a bulk import): the book's record and index
// files stay open from Open to Close. Each Append does what NextRecipeNumber, WriteRezBlock and
// AppendIndexEntry of the recipe store do one after the other, with their messages: the number
// counter is raised on disk before its number is used (for a block of numbers at a time; Close
// gives back those not used), the record is appended (deleted, as the store appends), then its
// index entry, and then the record is made live. A record whose entry cannot be written is cut
// off the record file again, so a failure leaves no record without its entry, and a killed
// import none that an index rebuild would bring back.
#include <cstdint>
#include <string>

#include "recipedb/raw_file.h"
#include "recipedb/recipe_model.h"

namespace tav {

class TdbList;

class BookAppender {
 public:
  explicit BookAppender(TdbList& store) : store_(store) {}
  ~BookAppender() { Close(); }
  BookAppender(const BookAppender&) = delete;
  BookAppender& operator=(const BookAppender&) = delete;

  // Opens the named book (its record file and index are made when missing). False after message
  // 49 (record file) or 43 (index unusable, or no book of that name).
  bool Open(const std::string& bookName);
  // Gives the recipe its number (and an identifier when it has none), appends its record and
  // the entry, which gets number, position, length and the book id. False after the store's
  // message (41, 49); nothing of the recipe stays in the book then.
  bool Append(REZBLOCK& recipe, REZINDEX& entry);
  // False when closing reported a delayed write failure.
  bool Close();

  bool IsOpen() const { return index_.IsOpen(); }
  TdbList& Store() const { return store_; }
  const std::string& BookName() const { return name_; }

 private:
  TdbList& store_;
  std::string name_;
  RawFile records_, index_;
  long long recordsEnd_ = 0;  // where the next record goes
  long long entriesEnd_ = 0;  // where the next entry goes
  static constexpr int32_t kNumbersAhead = 256;
  int32_t counter_ = 0;   // the next number
  int32_t reserved_ = 0;  // the counter on disk: numbers below it may be used
  int16_t bookId_ = 0;
  std::string buffer_;
};

}  // namespace tav
