#include "diary/person_store.h"

#include <string_view>
#include <vector>

#include "diary/diary_module.h"
#include "diary/diary_text.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/dates.h"
#include "services/options_store.h"

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

std::string RenameIntentPath() { return DiaryDataFolder() + "Users.ren"; }

// A folder of its own directly below "Konten": a plain name and no link.
bool IsOwnFolder(const std::string& konten, const std::string& name) {
  return !PersonFolder(name).empty() && IsRealFolder(konten + "/" + name);
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
  bool renaming = false;
  if (!state.isNew && name != state.previousName) {
    // The old name is checked as the new one is: it names the folder that moves.
    if (PersonFolder(state.previousName).empty()) {
      MessageBox(GetLangText(1069) + state.previousName, GetLangText(15), MB_OK);
      focus = PersonField::Name;
      return 1069;
    }
    const std::string from = root + "/" + state.previousName;
    const std::string to = root + "/" + name;
    if (EntryExists(from)) {
      renaming = true;
      const bool moved =
          IsOwnFolder(root, state.previousName) && !EntryExists(to) &&
          WriteFileAtomic(RenameIntentPath(), state.previousName + "\r\n" + name + "\r\n") &&
          RenameFile(from, to);
      if (!moved) {
        if (EntryExists(RenameIntentPath())) RemoveFile(RenameIntentPath());
        MessageBox(GetLangText(895) + from, GetLangText(15), MB_OK);
        focus = PersonField::Name;
        return 895;
      }
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
  // Until Users.dat holds the new name, the intent stays for the next start to undo the move.
  if (diary.WriteUsers() && renaming) RemoveFile(RenameIntentPath());
  state.isNew = false;
  return 0;
}

void FinishInterruptedPersonRename(TENApplogMod& diary) {
  const std::string intent = RenameIntentPath();
  if (DiaryDataFolder().empty() || !EntryExists(intent)) return;
  std::vector<std::string> lines;
  ReadTextLines(intent, lines);
  const std::string root = DiaryDataFolder() + "Konten";
  bool settled = true;
  if (lines.size() >= 2 && !PersonFolder(lines[0]).empty() && !PersonFolder(lines[1]).empty()) {
    const std::string& oldName = lines[0];
    const std::string& newName = lines[1];
    ENPERSON* p = nullptr;
    const bool storedOld = diary.FindPerson(oldName, &p);
    const bool storedNew = diary.FindPerson(newName, &p);
    // Users.dat still names the old name: the folder goes back to it.
    if (storedOld && !storedNew && IsOwnFolder(root, newName) &&
        !EntryExists(root + "/" + oldName)) {
      settled = RenameFile(root + "/" + newName, root + "/" + oldName);
      if (settled && ctx().options && ctx().options->Str(61) == newName)
        ctx().options->SetParaString(61, oldName);
    }
  }
  if (settled) RemoveFile(intent);
}

void ReportDamagedPersons(const TENApplogMod& diary) {
  std::string names;
  for (const ENPERSON& p : diary.persons)
    if (PersonFolder(p.name).empty()) names += (names.empty() ? "\"" : "\", \"") + p.name;
  if (!names.empty() && !DiaryDataFolder().empty())
    MessageBox(GetLangText(1070) + names + "\"", GetLangText(15), MB_OK | MB_ICONWARNING);
}

}  // namespace tav
