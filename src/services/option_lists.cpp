// The lists kept beside the numbered options: nutrients stored with recipes, weight-chart parts,
// the book order of the duplicate search and the external tools.
#include <algorithm>

#include "platform/numbers.h"
#include "platform/settings_store.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"

namespace tav {

namespace {

SettingsStore* Settings() { return ctx().userSettings; }

std::string ReadParam(const std::string& name) {
  std::string v;
  if (Settings()) Settings()->ReadString(kRegParam, name, v);
  return v;
}

void WriteParam(const std::string& name, const std::string& value) {
  if (Settings()) Settings()->WriteString(kRegParam, name, value);
}

std::string Numbered(const char* name, size_t n) { return name + std::to_string(n); }

}  // namespace

// Nutrients stored with recipes --------------------------------------------------------------

void OptionsStore::SaveBlsRezStoffe(const std::vector<int32_t>& list) {
  blsRezStoffe = list;
  blsRezStoffeStored = true;  // chosen now, also when empty: the default list no longer applies
  for (size_t n = 0; n < list.size(); ++n)
    WriteParam(Numbered("BLSRezStoff_", n), std::to_string(list[n]));
  WriteParam(Numbered("BLSRezStoff_", list.size()), "-1");
}

// Weight-chart parts ------------------------------------------------------------------------

int OptionsStore::GetGewChartPos(int part) const {
  return part >= 0 && part < 6 ? chartPosition[static_cast<size_t>(part)] : 0;
}

bool OptionsStore::GetGewChartVisible(int part) const {
  return part >= 0 && part < 6 && chartVisible[static_cast<size_t>(part)];
}

std::vector<int> OptionsStore::ShownWeightParts() const {
  std::vector<int> parts;
  for (int position = 0; position < 6; ++position)
    for (int part = 0; part < 6; ++part)
      if (GetGewChartPos(part) == position && GetGewChartVisible(part)) parts.push_back(part);
  return parts;
}

std::string OptionsStore::WeightChartText() const {
  std::string text;
  for (size_t i = 0; i < 6; ++i) {
    text += chartVisible[i] ? '+' : '-';
    text += std::to_string(chartPosition[i]);
  }
  return text;
}

// Book order of the duplicate search ---------------------------------------------------------

void OptionsStore::LoadAutoDelBooks() {
  autoDelBooks.clear();
  for (size_t n = 0;; ++n) {
    AUTODELKBOOK entry;
    entry.name = ReadParam(Numbered("AutoDelName", n));
    if (entry.name.empty()) break;
    long long never = 0;
    entry.neverDelete = ParseInt(ReadParam(Numbered("AutoDelNever", n)), never) && never == 1;
    autoDelBooks.push_back(entry);
  }
}

void OptionsStore::SaveAutoDelBooks() {
  const HeldSettingsChanges hold(Settings());  // the list goes to the file in one write
  for (size_t n = 0; n < autoDelBooks.size(); ++n) {
    WriteParam(Numbered("AutoDelName", n), autoDelBooks[n].name);
    WriteParam(Numbered("AutoDelNever", n), autoDelBooks[n].neverDelete ? "1" : "0");
  }
  if (!Settings()) return;
  // The pair after the last ends the list when it is read again.
  Settings()->DeleteValue(kRegParam, Numbered("AutoDelName", autoDelBooks.size()));
  Settings()->DeleteValue(kRegParam, Numbered("AutoDelNever", autoDelBooks.size()));
}

int OptionsStore::FindAutoDelBook(int16_t bookId, bool* neverDelete) const {
  for (size_t i = 0; i < autoDelBooks.size(); ++i) {
    if (autoDelBooks[i].bookId != bookId) continue;
    if (neverDelete) *neverDelete = autoDelBooks[i].neverDelete;
    return static_cast<int>(i);
  }
  return kNoAutoDelBook;
}

void OptionsStore::ChangeAutoDelBook(int mode, const std::string& name, const std::string& newName,
                                     int16_t bookId) {
  auto last = std::find_if(autoDelBooks.rbegin(), autoDelBooks.rend(),
                           [&](const AUTODELKBOOK& e) { return e.name == name; });
  const bool found = last != autoDelBooks.rend();
  if (mode == 0 && found) {
    autoDelBooks.erase(std::next(last).base());
  } else if (mode == 1 && !found) {
    autoDelBooks.push_back({name, bookId, true});
  } else if (mode == 2 && found) {
    last->name = newName;
  } else {
    return;
  }
  SaveAutoDelBooks();
}

void OptionsStore::SyncAutoDelBooks(const std::vector<BookNameId>& books) {
  if (books.empty()) return;
  auto book = [&](const std::string& name) {
    return std::find_if(books.begin(), books.end(),
                        [&](const BookNameId& b) { return b.name == name; });
  };
  std::erase_if(autoDelBooks, [&](const AUTODELKBOOK& e) { return book(e.name) == books.end(); });
  for (const BookNameId& b : books) {
    const bool listed = std::any_of(autoDelBooks.begin(), autoDelBooks.end(),
                                    [&](const AUTODELKBOOK& e) { return e.name == b.name; });
    if (!listed) autoDelBooks.push_back({b.name, 0, true});
  }
  for (AUTODELKBOOK& e : autoDelBooks) e.bookId = book(e.name)->id;
}

// External tools ---------------------------------------------------------------------------

void OptionsStore::LoadTools() {
  tools.clear();
  for (size_t n = 0;; ++n) {
    EXTTOOL t;
    t.text = ReadParam(Numbered("Tool", n));
    if (t.text.empty()) break;
    t.path = ReadParam(Numbered("ToolP", n));
    t.params = ReadParam(Numbered("ToolC", n));
    tools.push_back(t);
  }
}

void OptionsStore::SaveTools(const std::vector<EXTTOOL>& rows) {
  WriteParam("Tools", "1");
  tools.clear();
  for (const EXTTOOL& t : rows) {
    if (t.text.empty()) continue;
    const size_t n = tools.size();
    WriteParam(Numbered("Tool", n), t.text);
    WriteParam(Numbered("ToolP", n), t.path);
    WriteParam(Numbered("ToolC", n), t.params);
    tools.push_back(t);
  }
  WriteParam(Numbered("Tool", tools.size()), std::string());
}

bool OptionsStore::StartTool(const std::string& text) const {
  bool any = false, ok = true;
  for (const EXTTOOL& t : tools) {
    if (t.text != text) continue;
    any = true;
    if (LaunchProgramOrUrl(t.path, t.params) == 0) ok = false;
  }
  return any && ok;
}

}  // namespace tav
