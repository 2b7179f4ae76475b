#include "kitchen/shopping/shopping_list.h"

#include <algorithm>
#include <cstdio>

#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "recipedb/recipe_model.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

namespace {

bool IntField(std::string_view text, long long low, long long high, long long& value) {
  return ParseInt(text, value) && value >= low && value <= high;
}

}  // namespace

std::string ShoppingList::FilePath() {
  return (ctx().options ? ctx().options->Str(2) : std::string()) + "Kauflist.dat";
}

std::string ShoppingList::FileLine(const KAUFLIST& e) {
  return std::to_string(static_cast<uint16_t>(e.book)) + "#" + std::to_string(e.number) + "#" +
         std::to_string(e.portions) + "#" + e.title + "\r\n";
}

bool ShoppingList::ParseLine(const std::string& line, KAUFLIST& entry) {
  const size_t a = line.find('#');
  if (a == std::string::npos) return false;
  const size_t b = line.find('#', a + 1);
  if (b == std::string::npos) return false;
  const size_t c = line.find('#', b + 1);
  if (c == std::string::npos) return false;
  const std::string_view view(line);
  long long book = 0, number = 0, portions = 0;
  if (!IntField(view.substr(0, a), -32768, 65535, book) ||
      !IntField(view.substr(a + 1, b - a - 1), INT32_MIN, INT32_MAX, number) ||
      !IntField(view.substr(b + 1, c - b - 1), INT32_MIN, INT32_MAX, portions))
    return false;
  entry.book = static_cast<int16_t>(static_cast<uint16_t>(book));
  entry.number = static_cast<int32_t>(number);
  entry.portions = static_cast<int32_t>(portions);
  entry.title = line.substr(c + 1);
  return true;
}

void ShoppingList::LoadKaufList() {
  entries_.clear();
  rows_.clear();
  const std::string path = NativePath(FilePath());
  if (file_.TooLarge(path)) return;
  LineReader reader(path);
  bool damaged = false;
  std::string line;
  KAUFLIST entry;
  while (reader.Next(line)) {
    if (!ParseLine(line, entry)) {
      damaged = damaged || !line.empty();
      continue;
    }
    entries_.push_back(entry);
  }
  file_.Read(path, reader, damaged);
  // The rows AddRow would give one entry at a time, sorted once: a long file loads in n log n.
  rows_.resize(entries_.size());
  for (size_t i = 0; i < rows_.size(); ++i) rows_[i] = static_cast<int>(i);
  std::stable_sort(rows_.begin(), rows_.end(), [this](int a, int b) {
    return CompareTextNoCase(entries_[a].title, entries_[b].title) < 0;
  });
}

void ShoppingList::AddRow(int index) {
  const std::string& title = entries_[index].title;
  const auto at = std::upper_bound(rows_.begin(), rows_.end(), index, [&](int, int row) {
    return CompareTextNoCase(title, entries_[row].title) < 0;
  });
  rows_.insert(at, index);
}

int ShoppingList::RowOfEntry(int index) const {
  const auto it = std::find(rows_.begin(), rows_.end(), index);
  return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

bool ShoppingList::AddToKaufList(const REZINDEX& index, int portions) {
  KAUFLIST e;
  e.title = index.Title();
  e.book = index.bookId;
  e.number = index.number;
  e.portions = portions;
  entries_.push_back(e);
  AddRow(Count() - 1);
  if (AppendTextLines(NativePath(FilePath()), FileLine(e))) return true;
  ShowError(214);
  return false;
}

std::string ShoppingList::FileBytes() const {
  std::string bytes;
  for (const KAUFLIST& e : entries_) bytes += FileLine(e);
  return bytes;
}

bool ShoppingList::WriteFile() const {
  return file_.MayWrite() && WriteFileAtomic(NativePath(FilePath()), FileBytes());
}

bool ShoppingList::RemoveEntry(int index) {
  if (index < 0 || index >= Count()) return false;
  const int last = Count() - 1;
  rows_.erase(rows_.begin() + RowOfEntry(index));
  if (index != last) {
    entries_[index] = entries_[last];
    rows_[RowOfEntry(last)] = index;
  }
  entries_.pop_back();
  if (!file_.MayWrite()) return false;  // said by the guard
  if (WriteFile()) return true;
  ShowError(214);
  return false;
}

int ShoppingList::RemoveFromKaufList(int16_t book, int32_t number) {
  int removed = 0;
  for (size_t row = 0; row < rows_.size();) {
    const KAUFLIST& e = entries_[rows_[row]];
    if (e.book != book || (number != -1 && e.number != number)) {
      ++row;
      continue;
    }
    // The following row moves up into this place.
    RemoveEntry(rows_[row]);
    ++removed;
    if (number != -1) MessageBox(GetLangText(215), GetLangText(2), MB_OK);
  }
  if (number == -1 && removed > 0) MessageBox(GetLangText(216), GetLangText(2), MB_OK);
  return removed;
}

void ShoppingList::ClearKaufList() {
  std::remove(DiskPath(FilePath()).c_str());
  entries_.clear();
  rows_.clear();
  file_.Read(NativePath(FilePath()), FileFound::kMissing);
}

}  // namespace tav
