#pragma once
// The user survey: the questionnaire "Umfrage.xml" (language folder), the answers kept in
// "Antwort.xml" (data folder) and the text "Umfrage.txt" (export folder) for the user to send.
//
// Umfrage.xml: every element "frage" is a question with the attributes id, type (TEXT, EDIT,
// MEDT, CBTN, RBTN, COBO; anything else is TEXT) and lines, a child "text" ('|' breaks a line)
// and one child "auswahl" (id, text) per choice. Antwort.xml declares UTF-8 and is written so:
// every text converted and escaped, so an answer with '&', '<' or umlauts reads back as typed.
#include <cstdint>
#include <string>
#include <vector>

#include "services/store_file.h"

namespace tav {

enum SurveyType : int {
  kSurveyText = 0,
  kSurveyCheck = 1,  // CBTN
  kSurveyRadio = 2,  // RBTN
  kSurveyCombo = 3,  // COBO: shown and written never
  kSurveyEdit = 4,
  kSurveyMemo = 6,  // MEDT
};

struct AUSWAHL {
  std::string id;
  std::string text;
  uint8_t chosen = 0;
};

struct FRAGE {
  std::string id;
  int type = kSurveyText;
  int lines = 1;
  int textLines = 1;  // 1 + the '|' of the text
  std::string text;   // every '|' made CR LF
  std::vector<AUSWAHL> choices;
  std::string answer;  // EDIT and MEDT; line breaks CR LF
};

// The type code of a type word; TEXT for any other.
int SurveyTypeCode(const std::string& word);
// The type word of an answered question's type.
const char* SurveyTypeWord(int type);

// The questions of the file in document order; empty when it is missing or holds none.
std::vector<FRAGE> LoadSurveyQuestions(const std::string& path);
// Sets the answers and chosen flags of the questions from the answers file; a missing file,
// an unknown question and an unknown choice change nothing. `guard` learns how the read went:
// a file the parser found errors in (another encoding, cut short) is damaged.
void LoadSurveyAnswers(const std::string& path, std::vector<FRAGE>& questions,
                       StoreFileGuard* guard = nullptr);

// A choice ticked, or a non-empty answer of an EDIT or MEDT question.
bool IsAnswered(const FRAGE& q);

// The content of Antwort.xml (UTF-8, lines ended by CR LF) and of Umfrage.txt (which ends with
// a copy of the answers file; UTF-8 as well).
std::string SurveyAnswersXml(const std::vector<FRAGE>& questions);
std::string SurveyAnswersText(const std::vector<FRAGE>& questions, const std::string& xml);

enum class SurveyWrite { kWritten, kNoQuestions, kTextFailed, kAnswersFailed, kAnswersKept };
// Writes Umfrage.txt first and then Antwort.xml, each whole through a temporary file: a text
// file that cannot be made leaves the answers file as it was. An answers file that `guard`
// does not let be written over (not read whole, the user said No) leaves both as they were
// (kAnswersKept, said by the guard).
SurveyWrite WriteSurveyAnswers(const std::vector<FRAGE>& questions, const std::string& xmlPath,
                               const std::string& textPath, StoreFileGuard* guard = nullptr);

}  // namespace tav
