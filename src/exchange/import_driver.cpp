#include "exchange/import_driver.h"

#include <cstdio>
#include <cstring>

#include "exchange/cookml_reader.h"
#include "exchange/import_fields.h"
#include "exchange/mahlzeit_reader.h"
#include "exchange/mealmaster_reader.h"
#include "exchange/rezkonv_reader.h"
#include "exchange/xml_parser.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "recipedb/book_appender.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/unit_table.h"
#include "services/amounts.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/dates.h"
#include "services/options_store.h"
#include "services/recipe_language.h"
#include "services/text_tools.h"

namespace tav {

namespace {

bool Flag(int id) {
  return ctx().options && ctx().options->Flag(id);
}
int Int(int id) {
  return ctx().options ? ctx().options->Int(id) : 0;
}
std::string Str(int id) {
  return ctx().options ? ctx().options->Str(id) : std::string();
}

// `word` (capitals) in the line, its letters a to z taken as capitals.
bool ContainsUpper(std::string_view line, std::string_view word) {
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  if (word.empty()) return true;
  // The places of the word's first letter, in either case, found by memchr: frame lines of
  // "=" and "-" have none.
  const char* const end = line.data() + line.size();
  for (const char first : {word[0], static_cast<char>(word[0] - 'A' + 'a')}) {
    const char* p = line.data();
    while (static_cast<size_t>(end - p) >= word.size()) {
      p = static_cast<const char*>(std::memchr(p, first, static_cast<size_t>(end - p)));
      if (!p || static_cast<size_t>(end - p) < word.size()) break;
      size_t j = 1;
      while (j < word.size() && upper(p[j]) == word[j]) ++j;
      if (j == word.size()) return true;
      ++p;
    }
  }
  return false;
}

// The first five bytes of the file are "<?xml".
bool StartsAsXml(const std::string& path) {
  std::FILE* f = path.empty() ? nullptr : std::fopen(DiskPath(path).c_str(), "rb");
  if (!f) return false;
  char head[5] = {};
  const size_t got = std::fread(head, 1, sizeof head, f);
  std::fclose(f);
  return got == 5 && std::memcmp(head, "<?xml", 5) == 0;
}

// While recipes are stored: keeps the text of the last error box the store shows, so that the
// log can say why storing failed. The boxes still show as before.
class StoreErrorRecorder : public MessageBoxes {
 public:
  explicit StoreErrorRecorder(std::string& last) : last_(last), inner_(ctx().messages) {
    ctx().messages = this;
  }
  ~StoreErrorRecorder() override { ctx().messages = inner_; }
  StoreErrorRecorder(const StoreErrorRecorder&) = delete;
  StoreErrorRecorder& operator=(const StoreErrorRecorder&) = delete;

  int Show(const std::string& text, const std::string& title, int flags) override {
    if ((flags & 0xF0) == MB_ICONERROR) last_ = text;
    ctx().messages = inner_;  // the box as it is shown without the recorder
    const int answer = MessageBox(text, title, flags);
    ctx().messages = this;
    return answer;
  }

 private:
  std::string& last_;
  MessageBoxes* inner_;
};

// The log line of a storing failure: message 770 and the store's message on one line.
std::string StoreFailureLine(std::string reason) {
  for (char& c : reason)
    if (c == '\n' || c == '\r') c = ' ';
  const std::string text = GetLangText(770);
  return "! " + (reason.empty() ? std::string(StripChars(text, ": ")) : text + reason);
}

// The progress and summary lines: "-> ", the count, the text.
std::string CountLine(int count, int textId) {
  return "-> " + std::to_string(count) + GetLangText(textId);
}

}  // namespace

StartLine RecipeStartLine(const std::string& line) {
  // Blanks before the start line do not hide it (a recipe quoted with an indent). Every line of
  // a source comes here, most of them twice: a line that cannot start a recipe is told by its
  // first character and one search for a 'Z'.
  const char* const begin = line.data();
  const char* const end = begin + line.size();
  const char* p = begin;
  while (p < end && *p == ' ') ++p;
  if (end - p >= 5 && (*p == 'M' || *p == '-' || *p == '=')) {
    const std::string_view rest(p, static_cast<size_t>(end - p));
    const std::string_view five = rest.substr(0, 5);
    if ((five == "MMMMM" || five == "-----") && ContainsUpper(rest, "MEAL-MAS"))
      return StartLine::kMealMaster;
    if (five == "=====" && ContainsUpper(rest, "REZKONV")) return StartLine::kRezKonv;
  }
  if (!std::memchr(begin, 'Z', line.size())) return StartLine::kNone;
  if (line.find("ZZZZZ") != std::string::npos && line.find("Mahlzeit") != std::string::npos)
    return StartLine::kMahlzeit;
  return StartLine::kNone;
}

namespace {

// The rest of a line that begins with "> " once one or two blanks before it are passed over;
// npos otherwise.
size_t AfterGuard(std::string_view line) {
  size_t b = 0;
  while (b < 2 && b < line.size() && line[b] == ' ') ++b;
  return line.substr(b, 2) == "> " ? b + 2 : std::string_view::npos;
}

}  // namespace

bool GuardedStartLine(std::string_view line, IngredientShape firstLine) {
  if (RecipeStartLine(std::string(line)) != StartLine::kNone) return true;
  if (firstLine && firstLine(line)) return true;
  const size_t rest = AfterGuard(line);
  return rest != std::string_view::npos && GuardedStartLine(line.substr(rest), firstLine);
}

std::string_view UnguardedTextLine(std::string_view line, IngredientShape firstLine) {
  const size_t rest = AfterGuard(line);
  if (rest == std::string_view::npos || !GuardedStartLine(line.substr(rest), firstLine))
    return line;
  return line.substr(rest);
}

RecipeImporter::RecipeImporter() = default;
RecipeImporter::~RecipeImporter() = default;

// ---------------------------------------------------------------------------------------------
// Window hooks: nothing without a window.

bool RecipeImporter::ChooseImportFiles(std::vector<std::string>& files) {
  files.clear();
  return false;
}
void RecipeImporter::ShowRunState(bool) {}
void RecipeImporter::LogLineAdded(const std::string&) {}
void RecipeImporter::LogLineSet(int, const std::string&) {}
void RecipeImporter::LogLineRemoved(int) {}
void RecipeImporter::LogCleared() {}
void RecipeImporter::ShowLastLogLine() {}
void RecipeImporter::ProcessMessages() {}
bool RecipeImporter::ImportBlocked() const {
  return false;
}

// ---------------------------------------------------------------------------------------------
// Log

int RecipeImporter::AddLogLine(const std::string& line) {
  log_.push_back(line);
  LogLineAdded(line);
  return static_cast<int>(log_.size()) - 1;
}

void RecipeImporter::SetLogLine(int position, const std::string& line) {
  if (position < 0 || position >= static_cast<int>(log_.size())) return;
  log_[static_cast<size_t>(position)] = line;
  LogLineSet(position, line);
}

void RecipeImporter::RemoveLogLine(int position) {
  if (position < 0 || position >= static_cast<int>(log_.size())) return;
  log_.erase(log_.begin() + position);
  LogLineRemoved(position);
}

void RecipeImporter::ClearLog() {
  log_.clear();
  progressLine_ = -1;
  LogCleared();
}

void RecipeImporter::ShowProgressLine(int count) {
  const std::string text = CountLine(count, 178);
  if (progressLine_ >= 0)
    SetLogLine(progressLine_, text);
  else
    progressLine_ = AddLogLine(text);
  ShowLastLogLine();
  ProcessMessages();
}

void RecipeImporter::LogIncompleteRecipe(const std::string& title) {
  AddLogLine("! " + GetLangText(767) + "'" + title + "'");
}

// ---------------------------------------------------------------------------------------------
// What the window shows

std::vector<std::string> RecipeImporter::TargetBookNames(const std::string& preferred,
                                                         int& selected) {
  std::vector<std::string> names;
  selected = -1;
  if (!ctx().books) return names;
  uint16_t count = kAllBookNames;
  std::string all;
  ctx().books->GetKBookName(count, all);
  size_t p = 0;
  for (uint16_t i = 0; i < count; ++i) {
    size_t e = all.find(kBookNameSeparator, p);
    if (e == std::string::npos) e = all.size();
    names.push_back(all.substr(p, e - p));
    p = e + 1;
  }
  if (!names.empty()) selected = 0;
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == preferred) selected = static_cast<int>(i);
  return names;
}

int RecipeImporter::ProbeClipboard() {
  const std::string text = ctx().clipboard ? ctx().clipboard->Text() : std::string();
  if (text.empty()) return -1;
  return text.find("MMMMM") != std::string::npos || text.find("=====") != std::string::npos;
}

std::string RecipeImporter::QuickImportNotice(int count) {
  if (count <= 0) return GetLangText(183);
  const bool many = count > 1;
  return std::string("Es wurde") + (many ? "n" : "") + " " + std::to_string(count) + " Rezept" +
         (many ? "e" : "") + " importiert.";
}

// ---------------------------------------------------------------------------------------------
// Runs

int RecipeImporter::StartImport() {
  if (running_) {  // a click during the run: stop it
    running_ = false;
    return -1;
  }
  running_ = true;
  ClearLog();
  std::vector<std::string> files;
  if (!clipboardSource && !ChooseImportFiles(files)) {
    running_ = false;
    return -1;
  }
  ShowRunState(true);
  runBook_.clear();
  const RecipeIdBatch ids;
  int total = 0;
  if (clipboardSource) {
    sourceFile_.clear();
    imported_ = 0;
    clipboardText_ = ctx().clipboard ? ctx().clipboard->Text() : std::string();
    if (!clipboardText_.empty()) ImportTextRecipes();
    clipboardText_.clear();
    total = imported_;
  } else {
    for (const std::string& file : files) {
      if (!running_) break;  // stopped: the files left are not read
      sourceFile_ = file;
      if (StartsAsXml(file))
        ImportCookML();
      else
        ImportTextRecipes();
      total += imported_;
    }
  }
  imported_ = total;
  ShowRunState(false);
  AddLogLine(GetLangText(173));
  if (!running_) AddLogLine(GetLangText(174));
  ShowLastLogLine();
  running_ = false;
  CloseBook();
  if (ctx().dbList) ctx().dbList->ReloadBookIndex();
  return imported_;
}

int RecipeImporter::ImportFileIntoBook(const std::string& fileName, const std::string& bookName) {
  sourceFile_ = fileName;
  if (ImportBlocked()) return -1;
  clipboardSource = false;
  int selected = -1;
  const std::vector<std::string> names = TargetBookNames(Str(6), selected);
  targetBook = names.empty() ? std::string() : names.front();
  for (const std::string& name : names)
    if (name == bookName) targetBook = name;
  running_ = true;
  runBook_.clear();
  {
    const RecipeIdBatch ids;
    ImportTextRecipes();
  }
  running_ = false;
  CloseBook();
  return imported_;
}

bool RecipeImporter::OpenImportSource() {
  if (clipboardSource) {
    source_.OpenText(clipboardText_);
    return true;
  }
  return source_.OpenFile(sourceFile_);
}

void RecipeImporter::CloseImportSource() {
  source_.Close();
}

bool RecipeImporter::ReadImportLine(std::string& line) {
  return source_.ReadLine(line);
}

void RecipeImporter::UnreadImportLine(const std::string& line) {
  source_.UnreadLine(line);
}

namespace {

// A line that ends a recipe of the text formats: a start line of Meal-Master or RezKonv, the end
// line of Meal-Master ("MMMMM" or "-----", shorter than 10) or of RezKonv ("=====", blanks after
// it); in a Mahlzeit recipe any line with "ZZZZZ" (its end and start lines). Other lines are
// passed over at their first character: the look-ahead sees every line of the source.
bool EndsRecipe(const std::string& line, bool mahlzeit) {
  const size_t b = line.find_first_not_of(' ');
  if (b == std::string::npos) return false;
  if (line[b] == 'M' || line[b] == '-' || line[b] == '=') {
    if (line.size() < 10 && line.size() >= 5 &&
        (line.compare(0, 5, "MMMMM") == 0 || line.compare(0, 5, "-----") == 0))
      return true;
    if (line.compare(0, 5, "=====") == 0 && line.find_first_not_of(' ', 5) == std::string::npos)
      return true;
    if (RecipeStartLine(line) != StartLine::kNone) return true;
  }
  return mahlzeit && line.find("ZZZZZ") != std::string::npos;
}

bool StartsWithNoCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && SameTextNoCase(text.substr(0, start.size()), start);
}

// How far a recipe is read ahead: no real recipe is longer; a source without end lines is
// decided by its first lines.
constexpr size_t kAheadLines = 400;
constexpr size_t kAheadBytes = 64 * 1024;

}  // namespace

void RecipeImporter::DecideLanguage(bool mahlzeit) {
  umlauts_ = &sourceUmlauts_;
  if (sourceUmlauts_.ConvertsNothing()) return;
  size_t lines = 0, bytes = 0;
  bool pairs = false;
  for (; lines < kAheadLines && bytes < kAheadBytes; ++lines) {
    const std::string* line = source_.Peek(lines);
    if (!line || EndsRecipe(*line, mahlzeit)) break;
    bytes += line->size();
    pairs = pairs || UmlautSpelling::HasSpelledPair(*line);
  }
  if (!pairs) return;  // nothing to convert either way
  LanguageCount words;
  for (size_t i = lines; i-- > 0;) {
    const std::string& line = *source_.Peek(i);
    // The labels the writers put in any recipe (":Stichwort : ...", "- Erfasst am ... von")
    // tell nothing of the recipe's own language.
    const std::string_view start = SkipChars(line, 0, " -");
    if (!start.empty() && (start[0] == ':' || StartsWithNoCase(start, "Erfasst"))) continue;
    words.Add(line);
    if (words.Settled()) break;
  }
  if (words.MostlyEnglish()) umlauts_ = &keptUmlauts_;
}

void RecipeImporter::StartBook(std::string& book, int& bookCount) {
  if (runBook_.empty() || runTarget_ != targetBook) {
    runTarget_ = runBook_ = targetBook;
    runBookCount_ = ctx().books ? ctx().books->CountKBookRecipes(targetBook, true) : 0;
  }
  book = runBook_;
  bookCount = runBookCount_;
}

void RecipeImporter::KeepBook(const std::string& book, int bookCount, bool failed) {
  runBook_ = failed ? std::string() : book;  // after a failure the count is not sure: count again
  runBookCount_ = bookCount;
}

void RecipeImporter::FollowOnCheck(std::string& book, int& bookCount) const {
  const int limit = Int(74);
  if (limit > 0 && bookCount >= limit && ctx().books)
    bookCount = ctx().books->GetContinuationKBook(book);
}

bool RecipeImporter::ImportTextRecipes() {
  imported_ = 0;
  int mealMaster = 0, rezKonv = 0, mahlzeit = 0, xml = 0;
  bool xmlFound = false, failed = false;
  if (!OpenImportSource()) return false;
  sourceUmlauts_ = UmlautSpelling::Current();
  umlauts_ = &sourceUmlauts_;
  TakeUnitConversions();
  storeError_.clear();
  const StoreErrorRecorder recorder(storeError_);
  progressLine_ = -1;
  AddLogLine(clipboardSource ? GetLangText(176) : GetLangText(177) + sourceFile_ + "'");
  std::string book;
  int bookCount = 0;
  StartBook(book, bookCount);

  // Hands the source to a reader; counts what it stored. The counters of recipes stored one
  // after the other, so that those a failed batch took with it come off their count.
  std::vector<int*> storedBy;
  auto runReader = [&](ReadResult (*reader)(RecipeImporter&, const std::string&), int& counter) {
    FollowOnCheck(book, bookCount);
    const ReadResult result = reader(*this, book);
    if (result == ReadResult::kStored) {
      ++bookCount;
      ++counter;
      storedBy.push_back(&counter);
    }
    failed = result == ReadResult::kFailed;
  };

  std::string line;
  int shownSum = 0;
  long long lines = 0;
  while (!failed && !xmlFound && running_ && ReadImportLine(line)) {
    const StartLine start = RecipeStartLine(line);
    if (start != StartLine::kNone) {
      source_.RecipeStarts();
      DecideLanguage(start == StartLine::kMahlzeit);
    }
    switch (start) {
      case StartLine::kMealMaster:
        runReader(ImportMealMaster, mealMaster);
        break;
      case StartLine::kRezKonv:
        runReader(ImportRezKonv, rezKonv);
        break;
      case StartLine::kMahlzeit:
        runReader(ImportMahlzeit, mahlzeit);
        break;
      case StartLine::kNone:
        break;
    }
    if (line.find("<?xml") != std::string::npos) {
      xmlFound = true;
      ++xml;
    }
    const int sum = mealMaster + rezKonv + mahlzeit + xml;
    if (sum % 3 == 1 && sum != shownSum) {
      shownSum = sum;
      imported_ = mealMaster + rezKonv + mahlzeit;
      ShowProgressLine(imported_);
    } else if (++lines % 8192 == 0) {
      ProcessMessages();  // long stretches without recipes stay stoppable
    }
  }
  // The recipes read go to disk before they are counted in the log.
  int lost = lostRecipes_, lostNow = 0;
  if (!FlushBook(lostNow)) failed = true;
  lost += lostNow;
  KeepBook(book, bookCount, failed || lost > 0);
  for (int i = 0; i < lost && !storedBy.empty(); ++i) {
    --*storedBy.back();
    storedBy.pop_back();
  }
  const long long cutLine = source_.FirstCutLine();
  CloseImportSource();
  if (cutLine > 0) AddLogLine("! " + GetLangText(768) + std::to_string(cutLine));
  imported_ = mealMaster + rezKonv + mahlzeit;
  storeFailed_ = failed;
  WriteImportSummary(mealMaster, rezKonv, mahlzeit, xml);
  if (xmlFound) {
    const int textRecipes = imported_;
    ImportCookML();
    imported_ += textRecipes;
  }
  return failed;
}

void RecipeImporter::WriteImportSummary(int mealMaster, int rezKonv, int mahlzeit, int xml) {
  if (progressLine_ >= 0) RemoveLogLine(progressLine_);
  progressLine_ = -1;
  if (mealMaster) AddLogLine(CountLine(mealMaster, 180));
  if (mahlzeit) AddLogLine(CountLine(mahlzeit, 181));
  if (rezKonv) AddLogLine(CountLine(rezKonv, 638));
  if (storeFailed_)
    AddLogLine(StoreFailureLine(storeError_));  // never "no recipes found" then
  else if (mealMaster + rezKonv + mahlzeit + xml == 0)
    AddLogLine(GetLangText(182));
  AddLogLine(std::string());
  ShowLastLogLine();
}

// ---------------------------------------------------------------------------------------------
// Storing

ReadResult RecipeImporter::StoreImportedRecipe(ImportFormat format, REZBLOCK& recipe,
                                               const std::string& book,
                                               const std::vector<std::string>& categoryWords) {
  lostRecipes_ = 0;
  const bool text = format == ImportFormat::kMealMaster || format == ImportFormat::kRezKonv;
  if (format != ImportFormat::kCookML) RemoveTrailingLineFeeds(recipe.text);
  recipe.deleted = 0;
  recipe.flags = format != ImportFormat::kMahlzeit && Flag(34) ? kRecipeMarked : 0;
  if (text) recipe.lineCount = static_cast<int32_t>(recipe.lines.size());
  if (format != ImportFormat::kMahlzeit) {
    if (unitConversions_)
      unitConversions_->Convert(recipe);
    else if (ctx().units)
      ctx().units->ConvertRecipeUnits(recipe);
  }
  if (format == ImportFormat::kCookML) {
    for (REZZUTAT& line : recipe.lines) {
      PrettyAmount(line.amount, line.unit);
      // A CookML quantity is a decimal: "0.666666666666667" or "0.67" is the cook's 2/3.
      DecimalToCookFraction(line.amount);
    }
  }
  if (text && recipe.hint.empty()) {
    for (size_t i = 0; i < categoryWords.size(); ++i) {
      if (i) recipe.hint += ", ";
      recipe.hint += categoryWords[i];
    }
  }
  if (format != ImportFormat::kMahlzeit && recipe.recipeIdLow == 0) GiveNewRecipeId(recipe);
  if (recipe.title.size() >= 60) recipe.title.resize(59);
  NormalizeTitle(recipe.title);

  if (book.empty()) {  // no book to import into
    ShowError(43);
    return ReadResult::kFailed;
  }
  REZINDEX entry;
  entry.flags = recipe.flags;
  std::memcpy(entry.categories, recipe.categories, sizeof entry.categories);
  return SaveRecipe(book, recipe, entry) ? ReadResult::kStored : ReadResult::kFailed;
}

bool RecipeImporter::SaveRecipe(const std::string& book, REZBLOCK& recipe, REZINDEX& entry) {
  TdbList* store = ctx().dbList;
  if (!store) return false;
  if (!appender_ || &appender_->Store() != store)
    appender_ = std::make_unique<BookAppender>(*store);
  if (appender_->BookName() != book) {
    if (!FlushBook(lostRecipes_) || !appender_->Open(book)) return false;  // the last book's batch first
  }
  entry.SetTitle(recipe.title);
  if (appender_->Append(recipe, entry)) return true;
  lostRecipes_ = appender_->Lost();
  return false;
}

void RecipeImporter::TakeUnitConversions() {
  unitConversions_.reset(ctx().units ? new UnitConversions(*ctx().units) : nullptr);
  categoryCodes_.reset(ctx().categories ? new CategoryCodes(*ctx().categories) : nullptr);
}

bool RecipeImporter::FlushBook(int& lost) {
  lost = 0;
  if (!appender_ || appender_->Flush()) return true;
  lost = appender_->Lost();
  return false;
}

void RecipeImporter::CloseBook() {
  if (appender_) appender_->Close();
}

// ---------------------------------------------------------------------------------------------
// CookML

int OnCookMLEvent(void* user, int kind, std::string text, TXMLNode* node) {
  auto* self = static_cast<RecipeImporter*>(user);
  if (kind == kXmlElement && node) {
    self->OnCookMLRecipe(*node);
  } else if (kind == kXmlEnd) {
    self->FinishCookML();
  } else {
    self->AddLogLine("! " + text);
    self->ShowLastLogLine();
    self->ProcessMessages();
  }
  return 1;
}

void RecipeImporter::ImportCookML() {
  imported_ = 0;
  progressLine_ = -1;
  AddLogLine(GetLangText(177) + sourceFile_ + "'");
  StartBook(cookMLBook_, cookMLBookCount_);
  if (!parser_) parser_ = std::make_unique<TXMLParser>();
  cookMLCount_ = 0;
  cookMLFailed_ = false;
  TakeUnitConversions();
  storeError_.clear();
  const StoreErrorRecorder recorder(storeError_);
  parser_->SetXMLFile(sourceFile_, OnCookMLEvent, this);
  parser_->AddWatchName(std::string());
  parser_->AddWatchName("recipe");
  parser_->ParseXMLFile();
  // A file that ended in an error has no end event: its recipes still go to disk here.
  if (appender_ && appender_->Pending() > 0) {
    const bool failedBefore = cookMLFailed_;
    FlushCookML();
    if (cookMLFailed_ && !failedBefore) AddLogLine(StoreFailureLine(storeError_));
  }
  KeepBook(cookMLBook_, cookMLBookCount_, cookMLFailed_);
  imported_ = cookMLCount_;
}

void RecipeImporter::FlushCookML() {
  int lost = 0;
  if (FlushBook(lost)) return;
  cookMLFailed_ = true;
  cookMLCount_ -= lost;
}

void RecipeImporter::OnCookMLRecipe(TXMLNode& element) {
  // After a storing failure (the store said why) or a stop request the rest is passed over.
  if (cookMLFailed_ || !running_) return;
  std::vector<std::string> pictures;
  ReadCookMLRecipe(element, recipe_, Str(90) + "Pics/", Flag(34), pictures);
  FollowOnCheck(cookMLBook_, cookMLBookCount_);
  bool stored =
      StoreImportedRecipe(ImportFormat::kCookML, recipe_, cookMLBook_, {}) == ReadResult::kStored;
  // A recipe with pictures goes to disk at once, so that a failure knows whose pictures to take
  // back: no picture without its recipe.
  if (stored && !pictures.empty() && !FlushBook(lostRecipes_)) {
    stored = false;
    --lostRecipes_;  // itself, not yet counted
  }
  if (!stored) {
    for (const std::string& path : pictures) RemoveFile(path);
    cookMLCount_ -= lostRecipes_;
    cookMLFailed_ = true;
    return;
  }
  ++cookMLBookCount_;
  if (++cookMLCount_ % 13 == 1) ShowProgressLine(cookMLCount_);
}

void RecipeImporter::FinishCookML() {
  FlushCookML();
  delete parser_->GetRootNode();
  if (progressLine_ >= 0) RemoveLogLine(progressLine_);
  progressLine_ = -1;
  if (cookMLCount_ > 0) AddLogLine(CountLine(cookMLCount_, 178));
  if (cookMLFailed_) AddLogLine(StoreFailureLine(storeError_));
  AddLogLine(std::string());
  ShowLastLogLine();
}

}  // namespace tav
