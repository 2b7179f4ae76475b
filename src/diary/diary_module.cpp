// The diary module's persons (Users.dat), its life and the adding of recipes and foods.
#include "diary/diary_module.h"

#include <algorithm>

#include "diary/diary_text.h"
#include "diary/intake_tables.h"
#include "diary/person_store.h"
#include "nutrients/food_database.h"
#include "nutrients/recipe_calc.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

TENApplogMod* ENApplogMod = nullptr;

namespace {

constexpr size_t kMaxCode = 7;

std::string UsersPath() {
  return DiaryDataFolder() + "Users.dat";
}

// The fields that every '#' line resets; the others carry over to the next block.
void ResetBlock(ENPERSON& p) {
  p.name.clear();
  p.diet = false;
  p.pointScore = 0;
  p.pregnancy = 'N';
  p.requirements.clear();
}

int Number(std::string_view text, size_t from, size_t length) {
  if (from >= text.size()) return 0;
  return static_cast<int>(ReadLong(text.substr(from, length)));
}

void ReadTag(ENPERSON& p, const std::string& line) {
  const std::string value = line.substr(2);
  const char first = value.empty() ? '\0' : value[0];
  switch (line[1]) {
    case 'N':
      p.name = value;
      break;
    case 'G':
      p.birthDay = Number(line, 2, 2);
      p.birthMonth = Number(line, 4, 2);
      p.birthYear = Number(line, 6, 4);
      break;
    case 'W':
      p.weight = Number(value, 0, value.size());
      break;
    case 'H':
      p.height = Number(value, 0, value.size());
      break;
    case 'S':
      if (first) p.sex = first;
      break;
    case 'T':
      if (first) p.pregnancy = first;
      break;
    case 'A':
      p.work = Number(value, 0, value.size());
      break;
    case 'F':
      p.sport = Number(value, 0, value.size());
      break;
    case '+':
      p.manualEnergyApplies = first == 'M';
      break;
    case 'C':
      p.calculatedEnergy = Number(value, 0, value.size());
      break;
    case 'M':
      p.manualEnergy = Number(value, 0, value.size());
      break;
    case 'P':
      p.diet = first == 'D';
      break;
    case 'Q':
      p.pointScore = Number(value, 0, value.size());
      break;
    default:
      break;
  }
}

// "code#<alarm><own value>"; a row without value has none (-1), one without alarm checks
// nothing.
// False for a line that is no requirement row (a damaged file).
bool ReadRequirement(ENPERSON& p, const std::string& line) {
  const size_t hash = line.find('#');
  if (hash == std::string::npos || hash > kMaxCode) return false;
  TAGESBEDARF row;
  row.code = line.substr(0, hash);
  if (hash + 1 < line.size()) row.alarm = line[hash + 1];
  if (hash + 2 < line.size()) {
    size_t used = 0;
    const double v = ReadNumber(std::string_view(line).substr(hash + 2), &used);
    if (used > 0) row.own = row.effective = v;
  }
  p.requirements.push_back(row);
  return true;
}

void Two(int v, std::string& out) {
  if (v >= 0 && v < 10) out += '0';
  out += std::to_string(v);
}

RecipeCalc& Calc() {
  static RecipeCalc standIn;  // rescaling needs no calculation window
  return ctx().calc ? *ctx().calc : standIn;
}

}  // namespace

// --- life -----------------------------------------------------------------------------------

TENApplogMod::TENApplogMod() {
  ENApplogMod = this;
  Registered<DiaryAccess>::Enter(this);
  ReadUsers();
  FinishInterruptedPersonRename(*this);
  ReportDamagedPersons(*this);
  const std::string remembered = ctx().options ? ctx().options->Str(61) : std::string();
  ENPERSON* p = nullptr;
  if (FindPerson(remembered, &p)) {
    SelectPerson(remembered);
    // The log belongs to the active person from the start, so that a later write never puts
    // a few new entries in place of an unread file.
    ReadWeightList();
  }
  UpdateRequirements();
}

TENApplogMod::~TENApplogMod() {
  Registered<DiaryAccess>::Leave(this);
  if (ENApplogMod == this) ENApplogMod = nullptr;
}

// --- persons --------------------------------------------------------------------------------

void TENApplogMod::ReadUsers() {
  const std::string path = FindFileNoCase(UsersPath());
  if (usersFile_.TooLarge(path)) return;
  LineReader in(path);
  if (!in.IsOpen()) {
    usersFile_.Read(path, false, false);
    return;
  }
  persons.clear();
  ENPERSON work;
  ResetBlock(work);
  bool damaged = false;
  std::string line;
  while (in.Next(line)) {
    if (line.empty()) continue;
    if (line[0] == '#') {
      if (!work.name.empty()) persons.push_back(work);
      ResetBlock(work);
    } else if (line[0] == '>') {
      if (line.size() >= 2) ReadTag(work, line);
    } else if (!ReadRequirement(work, line)) {
      damaged = true;
    }
  }
  // A person cut off before the closing "#" is not taken; the file is kept before a save.
  if (!work.name.empty()) damaged = true;
  usersFile_.Read(path, in, damaged);
}

bool TENApplogMod::WriteUsers() {
  const bool tablesComplete = ctx().intake && ctx().intake->Complete();
  std::string out = "#\r\n";
  for (const ENPERSON& p : persons) {
    out += ">N" + p.name + "\r\n>G";
    Two(p.birthDay, out);
    Two(p.birthMonth, out);
    std::string year = std::to_string(p.birthYear);
    if (p.birthYear >= 0 && year.size() < 4) year.insert(0, 4 - year.size(), '0');
    out += year + "\r\n";
    out += ">W" + std::to_string(p.weight) + "\r\n";
    out += ">H" + std::to_string(p.height) + "\r\n";
    out += std::string(">S") + p.sex + "\r\n";
    out += std::string(">T") + p.pregnancy + "\r\n";
    out += ">A" + std::to_string(p.work) + "\r\n";
    out += ">F" + std::to_string(p.sport) + "\r\n";
    out += std::string(">+") + (p.manualEnergyApplies ? 'M' : 'C') + "\r\n";
    out += ">C" + std::to_string(p.calculatedEnergy) + "\r\n";
    out += ">M" + std::to_string(p.manualEnergy) + "\r\n";
    out += std::string(">P") + (p.diet ? 'D' : 'N') + "\r\n";
    out += ">Q" + std::to_string(p.pointScore) + "\r\n";
    for (const TAGESBEDARF& r : p.requirements) {
      // Without the whole intake tables a row without a value of its own is kept: its
      // standard is only unknown here.
      if (tablesComplete && !(r.own > -1 || r.standard > -1)) continue;
      out += r.code + "#" + r.alarm + FixedWithPoint(r.own, 2) + "\r\n";
    }
    out += "#\r\n";
  }
  if (DiaryDataFolder().empty()) {
    MessageBox(GetLangText(891), GetLangText(15), MB_OK);
    return false;
  }
  if (!usersFile_.MayWrite()) return false;  // said by the guard
  if (!WriteFileAtomic(FindFileNoCase(UsersPath()), out)) {
    MessageBox(GetLangText(891), GetLangText(15), MB_OK);
    return false;
  }
  return true;
}

bool TENApplogMod::FindPerson(const std::string& name, ENPERSON** out) {
  for (ENPERSON& p : persons) {
    if (p.name == name) {
      *out = &p;
      return true;
    }
  }
  return false;
}

void TENApplogMod::AddPerson(ENPERSON person) {
  CleanFieldText(person.name, false);
  persons.push_back(std::move(person));
}

void TENApplogMod::DeletePerson(const std::string& name) {
  const auto it = std::find_if(persons.begin(), persons.end(),
                               [&](const ENPERSON& p) { return p.name == name; });
  if (it == persons.end()) return;
  persons.erase(it);
  if (name != activePerson) return;
  // Its months and weight log go to its own files before another person's are loaded.
  SaveAllMonths();
  UnloadAllMonths();
  WriteWeightList();
  weights.clear();
  weightsChanged = false;
  if (!persons.empty()) {
    SwitchPerson(persons.front().name);
    return;
  }
  activePerson.clear();
  if (hooks.closeDiaryViews) hooks.closeDiaryViews();
}

void TENApplogMod::SelectPerson(const std::string& name) {
  activePerson = name;
  if (ctx().options) ctx().options->SetParaString(61, name);
  NotifyDiaryChanged();
}

void TENApplogMod::SwitchPerson(const std::string& name) {
  SaveAllMonths();
  UnloadAllMonths();
  WriteWeightList();
  // The views hear of the change only once the new person's log is in: a weight grid filled
  // earlier would edit the new log with the old person's rows.
  activePerson = name;
  if (ctx().options) ctx().options->SetParaString(61, name);
  ReadWeightList();
  NotifyDiaryChanged();
}

bool TENApplogMod::CheckPersonExists() {
  if (!activePerson.empty()) return true;
  if (persons.empty()) {
    MessageBox(GetLangText(443), GetLangText(2), MB_OK);
    if (hooks.showPersonList) hooks.showPersonList();
  }
  return !persons.empty();
}

void TENApplogMod::EditActivePerson() {
  ENPERSON* p = nullptr;
  if (CheckPersonExists() && FindPerson(activePerson, &p) && hooks.showPersonDialog)
    hooks.showPersonDialog(p);
}

void TENApplogMod::FillPersonGrid(TextGrid& grid) const {
  grid.SetRowCount(persons.empty() ? 2 : static_cast<int>(persons.size()) + 1);
  if (persons.empty()) {
    grid.SetCell(0, 1, std::string());
    grid.SetCell(1, 1, std::string());
    return;
  }
  for (size_t i = 0; i < persons.size(); ++i) {
    const ENPERSON& p = persons[i];
    const int row = static_cast<int>(i) + 1;
    grid.SetCell(0, row, p.name);
    grid.SetCell(1, row,
                 std::to_string(p.birthDay) + "." + std::to_string(p.birthMonth) + "." +
                     std::to_string(p.birthYear));
  }
}

std::vector<std::string> TENApplogMod::PersonNames() const {
  std::vector<std::string> names;
  for (const ENPERSON& p : persons) names.push_back(p.name);
  return names;
}

int TENApplogMod::PersonAgeOn(const ENPERSON& person, int day, int month, int year) {
  int age = year - person.birthYear;
  if (person.birthMonth > month) --age;
  if (person.birthMonth == month && person.birthDay > day) --age;
  return age;
}

int TENApplogMod::GetPersonAge(const ENPERSON* person) {
  const LocalNow now = CurrentLocalTime();
  return PersonAgeOn(*person, now.day, now.month + 1, now.year);
}

void TENApplogMod::UpdateRequirements() {
  for (ENPERSON& p : persons) {
    const int age = GetPersonAge(&p);
    for (TAGESBEDARF& r : p.requirements) {
      r.standard = ctx().intake ? ctx().intake->StandardRequirementFor(r.code, p, age) : -1;
      r.effective = r.own >= 0 ? r.own : r.standard >= 0 ? r.standard : -1;
    }
  }
}

bool TENApplogMod::GetDailyRequirement(const std::string& code, double& value, char& alarm) const {
  if (activePerson.empty()) return false;
  for (const ENPERSON& p : persons) {
    if (p.name != activePerson) continue;
    for (const TAGESBEDARF& r : p.requirements) {
      if (r.code == code) {
        value = r.effective;
        alarm = r.alarm;
        return true;
      }
    }
    return false;
  }
  return false;
}

// --- adding ---------------------------------------------------------------------------------

void TENApplogMod::RescaleEntry(ENENTRY& e, double amount, bool setComplete) {
  Calc().ScaleEntryToAmount({e.amount, e.baseAmount, e.energy, e.nutrientLine, e.food}, amount,
                            setComplete);
}

bool TENApplogMod::AddRecipeToDay(int day, int month, int year, int16_t book, int32_t number) {
  RecipeCalc* calc = ctx().calc;
  if (!calc || PersonFolder(activePerson).empty()) return false;
  // The month comes from its file first, so that saving it keeps its other days.
  LoadMonth(month, year);
  if (!calc->LoadRecipeForCalc(book, number)) return false;
  ENENTRY e;
  e.isRecipe = true;
  e.day = day;
  e.month = month;
  e.year = year;
  e.book = static_cast<uint16_t>(book);
  e.recipeNumber = number;
  e.name = calc->recipeCopy.title;
  e.baseAmount = calc->recipeCopy.servings;
  e.unit = calc->recipeCopy.servingType;
  calc->LoadLineFoods();
  calc->RecalcAllLines();
  calc->GetRecipeTotalLine(e.calculated, e.energy, e.nutrientLine);
  e.amount = 1;
  RescaleEntry(e, 0, true);
  AddEntry(std::move(e));
  DayChanged(day, month, year);
  return true;
}

bool TENApplogMod::AddFoodToDay(int day, int month, int year, const std::string& key) {
  FoodDatabase* foods = ctx().foods;
  if (!foods || PersonFolder(activePerson).empty()) return false;
  LoadMonth(month, year);
  ENENTRY e;
  e.calculated = true;
  e.day = day;
  e.month = month;
  e.year = year;
  if (!foods->ReadBLSFood(key, &e.food, false)) return false;
  e.foodKey = key;
  // The name without touching the food browser's own list.
  std::vector<LB_DATA> names;
  foods->LoadBLSFoodNames(key.c_str(), &names);
  if (!names.empty()) e.name = names.front().name;
  FoodDatabase::JoinBLSValues(&e.food, &e.nutrientLine);
  e.amount = 100;
  e.baseAmount = 100;
  e.unit = "Gramm";
  // Amount and base are equal: the values keep their size and get the two decimals a reload
  // gives them, the energy is value 5.
  RescaleEntry(e, 0, false);
  AddEntry(std::move(e));
  DayChanged(day, month, year);
  return true;
}

void TENApplogMod::NotifyDiaryChanged() {
  // A listener may remove itself while it runs.
  const auto listeners = listeners_;
  for (const auto& l : listeners) l.second();
}

int TENApplogMod::AddDiaryListener(std::function<void()> listener) {
  listeners_.emplace_back(nextListener_, std::move(listener));
  return nextListener_++;
}

void TENApplogMod::RemoveDiaryListener(int id) {
  listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                  [id](const auto& l) { return l.first == id; }),
                   listeners_.end());
}

}  // namespace tav
