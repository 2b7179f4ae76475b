#pragma once
// Storing what the person dialog shows into the diary: checks, the new person with its default
// requirement rows and folders, a rename that moves the person's folder. Qt-free, so that the
// rules are tested without the dialog.
#include <string>

#include "diary/diary_records.h"

namespace tav {

class TENApplogMod;

// The first page of the person dialog as typed.
struct PersonForm {
  std::string name;  // trimmed by the store
  std::string birthDate;
  std::string height;
  std::string weight;
  bool female = false;
  int pregnancyItem = 0;  // 0 no, 1 pregnant, 2 nursing
  int work = 30;
  int sport = 0;
  bool diet = false;
  std::string ownStars;
};

// What the dialog keeps between stores.
struct PersonEditState {
  ENPERSON* person =
      nullptr;  // the edited record: the caller's for a new person, then the stored one
  bool isNew = false;
  std::string previousName;  // the name of the person's folder
};

enum class PersonField { None, Name, BirthDate };

// Checks the form and stores it (StorePerson of the person dialog). 0 when stored; otherwise
// the number of the message shown, with the field to focus, and nothing written:
// 480 empty name, 446 a name another person has, 896 a name that cannot be a folder under
// "Konten", 447 a birth date that does not parse, 895 the person's folder cannot be renamed.
int StorePersonForm(TENApplogMod& diary, PersonEditState& state, const PersonForm& form,
                    PersonField& focus);

// At the start of the diary, after Users.dat is read: a rename that was cut short before
// Users.dat took the new name moves the folder back to the stored name (and the remembered
// active person with it); the intent is removed once folder and Users.dat agree.
void FinishInterruptedPersonRename(TENApplogMod& diary);

// Persons whose stored name cannot be a folder under "Konten" ("../DE", "a\\b"): they are kept
// as they are, their diary is neither read nor written, and message 1070 names them once.
void ReportDamagedPersons(const TENApplogMod& diary);

}  // namespace tav
