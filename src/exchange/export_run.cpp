#include "exchange/export_run.h"

#include <unistd.h>

#include <algorithm>
#include <map>
#include <unordered_map>

#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/index_file.h"
#include "recipedb/raw_file.h"
#include "recipedb/recipe_store.h"
#include "recipedb/servings.h"
#include "services/amounts.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"
#include "services/text_tools.h"

namespace tav {

namespace {

const char* const kExportKey = "Software\\Brimo\\Tavolin\\Export";

bool Flag(int id) {
  return ctx().options && ctx().options->Flag(id);
}
std::string Str(int id) {
  return ctx().options ? ctx().options->Str(id) : std::string();
}

int ReadChoice(const SettingsStore* settings, const char* name, int def) {
  if (!settings) return def;
  std::string text;
  if (!settings->ReadString(kExportKey, name, text)) return def;
  return static_cast<int>(ReadLong(text));
}

int16_t CurrentBookId() {
  if (ctx().books) return ctx().books->GetAktKBookId();
  return ctx().dbList ? ctx().dbList->BookId() : 0;
}

// A menu's hint holds its coded course list, which no exchange format carries: it leaves as
// neither keywords nor categories.
void DropCourseList(REZBLOCK& recipe) {
  if (recipe.IsMenu()) recipe.hint.clear();
}

// The current recipe at the chosen servings, amounts of more than two decimals cut to two.
void ScaleToChosen(REZBLOCK& recipe) {
  const int chosen = GetChosenServings();
  if (chosen > 0 && chosen <= 0xFFFF && chosen != recipe.servings) {
    ScaleRecipeAmounts(recipe, static_cast<uint16_t>(chosen));
    recipe.servings = chosen;
  }
  for (REZZUTAT& line : recipe.lines) line.amount = RoundLongDecimals(line.amount);
}

}  // namespace

// Reads the recipes of a run. Each book's record file stays open while the run lasts, and a
// book other than the current one has its index read once, so a run over thousands of recipes
// opens no file per recipe.
class ExportRun::Reader {
 public:
  // The recipe at a position of the current book's index.
  bool FromBook(int position, REZBLOCK& out) {
    TdbList* store = ctx().dbList;
    if (!store || position < 0 || position >= static_cast<int>(store->BookIndex().size()))
      return false;
    if (!current_.tried) Open(current_, TdbList::BookFilePath(std::string(), ".bok"));
    if (!current_.file.IsOpen()) return false;
    const REZINDEX entry = store->BookIndex()[static_cast<size_t>(position)];
    return store->ReadRecordFrom(current_.file, entry, out, std::string());  // the current book
  }

  // The recipe with that key in any book.
  bool ByKey(int16_t bookId, int32_t number, REZBLOCK& out) {
    TdbList* store = ctx().dbList;
    if (!store) return false;
    if (bookId == store->BookId()) {
      if (!currentIndexed_) {
        const std::vector<REZINDEX>& index = store->BookIndex();
        for (size_t i = 0; i < index.size(); ++i)
          currentByNumber_[index[i].number] = static_cast<int>(i);
        currentIndexed_ = true;
      }
      const auto at = currentByNumber_.find(number);
      return at != currentByNumber_.end() && FromBook(at->second, out);
    }
    Book& book = others_[bookId];
    if (!book.tried) ReadIndexOf(bookId);
    const auto at = book.byNumber.find(number);
    if (at == book.byNumber.end() || !book.file.IsOpen()) return false;
    return store->ReadRecordFrom(book.file, at->second, out, book.name);
  }

  // Reads the index of a book other than the current one, once per run; false when it is
  // there but could not be read whole (its recipes would be missing from the run).
  bool ReadIndexOf(int16_t bookId) {
    Book& book = others_[bookId];
    if (book.tried) return book.indexRead;
    book.tried = true;
    const std::string name = ctx().books ? ctx().books->GetKBookName(bookId) : std::string();
    if (name.empty()) return true;
    book.name = name;
    const std::string index = TdbList::BookFilePath(name, ".idx");
    int32_t counter = 0;
    std::vector<REZINDEX> entries;
    if (!ReadIndexFile(index, counter, entries)) {
      book.indexRead = FileIsMissing(index);
      return book.indexRead;
    }
    for (const REZINDEX& e : entries) book.byNumber.emplace(e.number, e);
    Open(book, TdbList::BookFilePath(name, ".bok"));
    return true;
  }

 private:
  struct Book {
    RawFile file;
    std::string name;  // the book a damaged record is said of
    bool tried = false;
    bool indexRead = true;
    std::unordered_map<int32_t, REZINDEX> byNumber;
  };
  static void Open(Book& book, const std::string& path) {
    book.tried = true;
    if (!book.file.Open(path, RawFile::kRead)) ShowError(45);  // said once per book and run
  }

  Book current_;
  bool currentIndexed_ = false;
  std::unordered_map<int32_t, int> currentByNumber_;
  std::map<int16_t, Book> others_;
};

ExportRun::ExportRun() = default;

ExportRun::~ExportRun() {
  if (file_) {
    std::fclose(file_);
    std::remove(DiskPath(tempName_).c_str());
  }
}

// ---------------------------------------------------------------------------------------------
// Window hooks: nothing without a window.

bool ExportRun::ChooseExportFile(std::string& name) {
  name.clear();
  return false;
}
void ExportRun::ShowRunState(RunState) {}
void ExportRun::LogLineAdded(const std::string&) {}
void ExportRun::LastLogLineRemoved() {}
void ExportRun::LogCleared() {}
void ExportRun::ShowLastLogLine() {}
void ExportRun::ProcessMessages() {}
void ExportRun::RecipeWritten() {}
void ExportRun::PassRecipeToLexicon(const REZBLOCK&) {}

// ---------------------------------------------------------------------------------------------
// Choices

int ExportRun::TileCount(const std::string& text) {
  return static_cast<int>(ReadLong(std::string_view(text).substr(0, 98)));
}

void ExportRun::LoadChoices() {
  const SettingsStore* s = ctx().userSettings;
  const int what = ReadChoice(s, "WhatRez", kSetCurrent);
  WhatRez = static_cast<uint8_t>(what >= kSetCurrent && what <= kSetSelected ? what : kSetCurrent);
  Ziel = ReadChoice(s, "Ziel", kTargetFile) == kTargetClipboard ? kTargetClipboard : kTargetFile;
  Split = ReadChoice(s, "Split", 1) != 0;
  const int format = ReadChoice(s, "Format", kFormatCookML);
  Format = static_cast<uint8_t>(
      format >= kFormatMealMaster && format <= kFormatCookML ? format : kFormatCookML);
  TileText = s ? s->Read(kExportKey, "TileAnz", "100") : std::string("100");
  TileAnz = TileCount(TileText);
}

void ExportRun::SaveChoices() const {
  SettingsStore* s = ctx().userSettings;
  if (!s) return;
  s->WriteString(kExportKey, "WhatRez", std::to_string(WhatRez));
  s->WriteString(kExportKey, "Ziel", std::to_string(Ziel));
  s->WriteString(kExportKey, "Split", Split ? "1" : "0");
  s->WriteString(kExportKey, "Format", std::to_string(Format));
  s->WriteString(kExportKey, "TileAnz", TileText);
}

// ---------------------------------------------------------------------------------------------
// Log

void ExportRun::AddLogLine(const std::string& line) {
  log_.push_back(line);
  LogLineAdded(line);
}

void ExportRun::ClearLog() {
  log_.clear();
  ProgressShown = false;
  LogCleared();
}

void ExportRun::LogExportProgress(int count, bool final) {
  if (!final && count % 3 != 0) return;
  if (ProgressShown && !log_.empty()) {
    log_.pop_back();
    LastLogLineRemoved();
  }
  if (count == 0)
    AddLogLine(GetLangText(145));
  else if (count == 1)
    AddLogLine(GetLangText(142));
  else
    AddLogLine(GetLangText(143) + std::to_string(count) + GetLangText(144));
  ShowLastLogLine();
  ProcessMessages();
  ProgressShown = true;
}

// ---------------------------------------------------------------------------------------------
// Output

bool ExportRun::OpenOutputFile(const std::string& path) {
  if (file_) CloseOutputFile();
  tempName_ = NativePath(path) + ".$$$" + std::to_string(getpid());
  file_ = std::fopen(DiskPath(tempName_).c_str(), "wb");
  fileBytes_ = 0;
  writeFailed_ = false;
  if (!file_) return false;
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  return true;
}

bool ExportRun::CloseOutputFile() {
  if (!file_) return true;
  bool ok = std::fflush(file_) == 0 && !writeFailed_;
  // A page per recipe is not synced one by one: thousands of syncs would make an HTML export
  // of a book take minutes, and a page lost in a crash is made again by the next export.
  if (ok && fileBytes_ > 0 && !ScratchOutput && !(writer_ && writer_->FilePerRecipe()))
    fsync(fileno(file_));
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  const std::string target = tempName_.substr(0, tempName_.rfind(".$$$"));
  if (ok && fileBytes_ > 0 && std::rename(DiskPath(tempName_).c_str(), DiskPath(target).c_str()) == 0) {
    written_.push_back(target);
    return true;
  }
  std::remove(DiskPath(tempName_).c_str());
  return ok && fileBytes_ == 0;  // a file that got nothing is simply not made
}

void ExportRun::Write(std::string_view bytes) {
  if (Ziel == kTargetClipboard) {
    ClipText.append(bytes);
    return;
  }
  if (!file_) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) writeFailed_ = true;
  fileBytes_ += static_cast<long long>(bytes.size());
}

void ExportRun::PutExportLine(std::string& line) {
  if (Format == kFormatMealMaster) AnsiToDosUmlauts(line);
  line += "\r\n";
  Write(line);
}

void ExportRun::PutExportDataLine(std::string& line) {
  if (NoExpInfo && !line.empty() && line[0] == ':') return;
  PutExportLine(line);
}

void ExportRun::PutExportWideLine(WideText& line) {
  line += u'\r';
  line += u'\n';
  wideBytes_.clear();  // the same bytes as WideTextBytes, in a buffer kept for the run
  for (char16_t unit : line) {
    if (unit >> 8) wideBytes_ += static_cast<char>(unit >> 8);
    wideBytes_ += static_cast<char>(unit & 0xFF);
  }
  Write(wideBytes_);
}

void ExportRun::PutExportBytes(std::string_view bytes) {
  Write(bytes);
}

void ExportRun::PutLine(std::string_view line) {
  std::string copy(line);
  PutExportLine(copy);
}

void ExportRun::PutDataLine(std::string_view line) {
  std::string copy(line);
  PutExportDataLine(copy);
}

// ---------------------------------------------------------------------------------------------
// Runs

void ExportRun::StopRun() {
  running_ = false;
  failed_ = true;
}

bool ExportRun::PrepareWriter() {
  writer_ = MakeExportWriter(Format);
  return writer_ != nullptr;
}

void ExportRun::StartExport() {
  if (running_) {  // the second click: stop after the recipe in hand
    running_ = false;
    return;
  }
  running_ = true;
  TileAnz = TileCount(TileText);
  HTMLLinkList = Flag(40);
  UseFrames = !Str(34).empty();
  SaveChoices();
  ClearLog();
  ShowRunState(kStarting);
  NoExpInfo = Flag(32);
  bool failed = RunExport();
  FinishExport();
  failed = failed || failed_;
  ClipText.clear();
  ShowRunState(kIdle);
  AddLogLine(std::string());
  if (failed) {
    AddLogLine(GetLangText(131));
  } else {
    if (Ziel == kTargetFile && written_.size() > 1) {
      LogWrittenFiles();
    } else {
      AddLogLine(GetLangText(Ziel == kTargetClipboard ? 132 : 133));
    }
    AddLogLine(GetLangText(134));
    if (!running_) AddLogLine(GetLangText(135));
    if (Ziel == kTargetFile && writer_) {
      const std::string page = writer_->PageToOpen(*this);
      if (!page.empty()) ShellOpenFile(page);
    }
  }
  ShowLastLogLine();
  running_ = false;
}

void ExportRun::LogWrittenFiles() {
  AddLogLine(GetLangText(1000) + std::to_string(written_.size()) + GetLangText(1001));
  if (writer_ && writer_->FilePerRecipe()) {  // a page a recipe: their folder, not thousands of names
    const size_t folderEnd = LastSeparator(written_.front());
    AddLogLine("  " + (folderEnd == std::string::npos ? written_.front()
                                                      : written_.front().substr(0, folderEnd + 1)));
    return;
  }
  for (const std::string& file : written_) AddLogLine("  " + file);
}

bool ExportRun::ChooseFile() {
  std::string name;
  if (!ChooseExportFile(name) || name.empty()) return false;
  const std::string extension = writer_->Extension();
  if (name.find(extension) == std::string::npos) name += extension;
  ExpFileName = name;
  return true;
}

bool ExportRun::BooksReadWhole() {
  TdbList* store = ctx().dbList;
  if (!store) return true;
  // The books the run reads from: the current one, or those of the search result. Their
  // indexes are read here, once, for the run.
  std::vector<int16_t> books;
  const bool search = list.searchMode || WhatRez == kSetSearchList;
  REZINDEX entry;
  if (!search) {
    books.push_back(store->BookId());
  } else if (WhatRez == kSetCurrent) {
    if (list.Entry(list.CurrentRecipeRow(), entry)) books.push_back(entry.bookId);
  } else {
    for (const REZINDEX& e : store->SearchResult())
      if (std::find(books.begin(), books.end(), e.bookId) == books.end()) books.push_back(e.bookId);
  }
  preparedReader_ = std::make_unique<Reader>();
  for (const int16_t id : books) {
    const bool current = id == store->BookId();
    if (current ? store->IndexReadWhole() : preparedReader_->ReadIndexOf(id)) continue;
    const std::string name = current       ? Str(6)
                             : ctx().books ? ctx().books->GetKBookName(id)
                                           : std::string();
    MessageBox(FormatLangText(GetLangText(1093), {name}), GetLangText(15), MB_OK | MB_ICONERROR);
    preparedReader_.reset();
    return false;
  }
  return true;
}

bool ExportRun::RunExport() {
  failed_ = false;
  PassToLexicon = true;
  exported_ = 0;
  written_.clear();
  if (!PrepareWriter()) return true;
  // An earlier export is never replaced by one that lacks the recipes of a book not read.
  if (!BooksReadWhole()) return true;
  if (Ziel == kTargetFile) {
    if (!ChooseFile()) return true;
    ShowRunState(kWriting);
    if (!writer_->BeginRun(*this)) failed_ = true;  // the run goes on without what it began
    FirstFileName = ExpFileName;
    if (OpenOutputFile(ExpFileName))
      ExportRecipeLoop();
    else
      failed_ = true;
  } else {
    if (!writer_->ClipboardAllowed()) return true;
    ShowRunState(kWriting);
    ClipText.clear();
    ExportRecipeLoop();
    if (ctx().clipboard) ctx().clipboard->SetText(ClipText);
  }
  return failed_;
}

bool ExportRun::ReadRow(int row, REZBLOCK& recipe) {
  if (list.searchMode) {
    REZINDEX entry;
    return list.Entry(row, entry) && ReadSearchEntry(entry, recipe);
  }
  if (row < 0 || row >= list.Count()) return false;
  if (!reader_->FromBook(list.items[static_cast<size_t>(row)], recipe)) return false;
  recipe.bookId = CurrentBookId();
  DropCourseList(recipe);
  return true;
}

bool ExportRun::ReadSearchEntry(const REZINDEX& entry, REZBLOCK& recipe) {
  if (!reader_->ByKey(entry.bookId, entry.number, recipe)) return false;
  recipe.bookId = entry.bookId;
  DropCourseList(recipe);
  return true;
}

bool ExportRun::OpenNextSplitFile(int fileNumber) {
  // name.ext -> name_2.ext -> name_3.ext: the number goes before the extension of the file
  // name, never into a folder's name.
  const size_t folderEnd = LastSeparator(ExpFileName);
  const size_t nameStart = folderEnd == std::string::npos ? 0 : folderEnd + 1;
  size_t dot = ExpFileName.rfind('.');
  if (dot == std::string::npos || dot < nameStart) dot = ExpFileName.size();
  std::string base = ExpFileName.substr(0, dot);
  const std::string extension = ExpFileName.substr(dot);
  if (fileNumber >= 2) {
    const size_t underscore = base.rfind('_');
    if (underscore != std::string::npos && underscore >= nameStart) base.resize(underscore);
  }
  ExpFileName = base + "_" + std::to_string(fileNumber + 1) + extension;
  if (!OpenOutputFile(ExpFileName)) return false;
  splitDue_ = false;
  writer_->BeginFile(*this);
  return true;
}

void ExportRun::WriteOne(REZBLOCK& recipe, int& count, int& fileNumber) {
  if (splitDue_) {
    if (!OpenNextSplitFile(fileNumber)) {
      failed_ = true;
      running_ = false;
      return;
    }
    ++fileNumber;
  }
  writer_->WriteRecipe(*this, recipe);
  RecipeWritten();
  ++count;
  const bool perRecipe = writer_->FilePerRecipe();
  if (Ziel != kTargetFile || !(Split || perRecipe)) return;
  if (perRecipe || (TileAnz > 0 && count % TileAnz == 0)) {
    writer_->EndFile(*this);
    if (!CloseOutputFile()) {
      failed_ = true;
      running_ = false;
    }
    splitDue_ = true;
  }
}

void ExportRun::ExportRecipeLoop() {
  ProgressShown = false;
  exported_ = 0;
  splitDue_ = false;
  if (!writer_ && !PrepareWriter()) return;
  // The books' indexes as the run's check read them, else read as the run goes.
  reader_ = preparedReader_ ? std::move(preparedReader_) : std::make_unique<Reader>();
  int count = 0;
  int fileNumber = 1;
  REZBLOCK recipe;

  if (WhatRez == kSetCurrent) {
    ListExport = false;
    const int row = list.CurrentRecipeRow();
    if (row < 0) {  // nothing selected: nothing is written, not even a header
      AddLogLine(GetLangText(137));
      return;
    }
    writer_->BeginFile(*this);
    if (ReadRow(row, recipe)) {
      ScaleToChosen(recipe);
      writer_->WriteRecipe(*this, recipe);
      if (Format == kFormatText && PassToLexicon) PassRecipeToLexicon(recipe);
      RecipeWritten();
      count = 1;
    }
  } else if (WhatRez == kSetAll || WhatRez == kSetMarked || WhatRez == kSetSelected) {
    ListExport = true;
    writer_->BeginFile(*this);
    for (int row = 0; row < list.Count() && running_; ++row) {
      REZINDEX entry;
      const bool taken = list.Entry(row, entry) && entry.deleted == 0 &&
                         (WhatRez != kSetMarked || entry.IsMarked()) &&
                         (WhatRez != kSetSelected || list.Selected(row));
      if (taken && ReadRow(row, recipe)) WriteOne(recipe, count, fileNumber);
      LogExportProgress(count, false);
    }
  } else if (WhatRez == kSetSearchList) {
    ListExport = true;
    writer_->BeginFile(*this);
    const int n = ctx().dbList ? ctx().dbList->CountSearchResult() : 0;
    for (int i = 0; i < n && running_; ++i) {
      REZINDEX entry;
      if (ctx().dbList->GetSearchEntry(entry, i) && entry.deleted == 0 &&
          ReadSearchEntry(entry, recipe))
        WriteOne(recipe, count, fileNumber);
      LogExportProgress(count, false);
    }
  } else {
    writer_->BeginFile(*this);
  }

  if (!splitDue_) writer_->EndFile(*this);
  LogExportProgress(count, true);
  exported_ = count;
}

void ExportRun::FinishExport() {
  if (file_ && !CloseOutputFile()) failed_ = true;
  if (writer_) writer_->FinishRun(*this);
  reader_.reset();
  preparedReader_.reset();  // a run that ended before its loop
}

}  // namespace tav
