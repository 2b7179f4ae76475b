#include "diary/person_store.h"

#include <string_view>

#include "diary/diary_module.h"
#include "diary/diary_text.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "services/context.h"
#include "services/dates.h"

namespace tav {

namespace {

std::string Trimmed(const std::string& text) {
  const size_t from = text.find_first_not_of(' ');
  if (from == std::string::npos) return std::string();
  return text.substr(from, text.find_last_not_of(' ') - from + 1);
}

// The rows a new person starts with: energy without alarm, then the minimum nutrients.
void DefaultRequirements(ENPERSON& p) {
  p.requirements.clear();
  TAGESBEDARF energy;
  energy.code = "ZW";
  energy.alarm = '-';
  p.requirements.push_back(energy);
  for (const char* code : {"VAR", "VD", "VK", "VB1", "VB2", "VB3", "VB5", "VB6", "VB7", "VC", "MNA",
                           "MMG", "MFE", "MJ"}) {
    TAGESBEDARF row;
    row.code = code;
    row.alarm = '<';
    p.requirements.push_back(row);
  }
}

int Refuse(int message, PersonField field, PersonField& focus) {
  MessageBox(GetLangText(message), GetLangText(15), MB_OK);
  focus = field;
  return message;
}

}  // namespace

int StorePersonForm(TENApplogMod& diary, PersonEditState& state, const PersonForm& form,
                    PersonField& focus) {
  focus = PersonField::None;
  const std::string name = Trimmed(form.name);
  if (name.empty()) return Refuse(480, PersonField::Name, focus);
  // Another person of that name: for a new person, and for a stored one that is renamed.
  ENPERSON* other = nullptr;
  if ((state.isNew || name != state.previousName) && diary.FindPerson(name, &other))
    return Refuse(446, PersonField::Name, focus);
  // The name is the person's folder under "Konten": it must stay inside it.
  if (PersonFolder(name).empty()) {
    MessageBox(GetLangText(896) + name, GetLangText(15), MB_OK);
    focus = PersonField::Name;
    return 896;
  }
  int day = 0, month = 0, year = 0;
  if (!ParseDate(form.birthDate, day, month, year))
    return Refuse(447, PersonField::BirthDate, focus);

  const std::string root = DiaryDataFolder() + "Konten";
  // A stored person that is renamed takes its folder along; a failed move keeps everything.
  if (!state.isNew && name != state.previousName) {
    const std::string from = root + "/" + state.previousName;
    const std::string to = root + "/" + name;
    if (DirExists(from) && (EntryExists(to) || !RenameFile(from, to))) {
      MessageBox(GetLangText(895) + from, GetLangText(15), MB_OK);
      focus = PersonField::Name;
      return 895;
    }
  }

  ENPERSON& p = *state.person;
  p.work = form.work;
  p.sport = form.sport;
  p.name = name;
  p.height = static_cast<int>(ReadLong(form.height));
  p.weight = static_cast<int>(ReadLong(form.weight));
  p.sex = form.female ? 'F' : 'M';
  p.diet = form.diet;
  p.pointScore = static_cast<int>(ReadLong(form.ownStars));
  p.pregnancy = form.pregnancyItem == 1 ? 'J' : form.pregnancyItem == 2 ? 'S' : 'N';
  p.birthDay = day;
  p.birthMonth = month;
  p.birthYear = year;

  if (state.isNew) {
    DefaultRequirements(p);
    diary.AddPerson(p);
    ENPERSON* stored = nullptr;
    diary.FindPerson(name, &stored);
    state.person = stored;
    state.previousName = name;
    // The new person becomes the active one; its weight log is empty.
    diary.SwitchPerson(name);
    MakeDirs(root + "/" + name);
    diary.NotifyDiaryChanged();
  } else if (name != state.previousName) {
    if (diary.GetActivePersonName() == state.previousName) diary.SelectPerson(name);
    state.previousName = name;
  }
  diary.UpdateRequirements();
  diary.WriteUsers();
  state.isNew = false;
  return 0;
}

}  // namespace tav
