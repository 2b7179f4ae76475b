// The small files of the maintenance windows: the survey's questions (Umfrage.xml) and answers
// (Antwort.xml), Version.txt, a backup's Backup.log and the sibling nutrient file (bsl.snc). Any
// file reads without harm; the answers the program writes always read back as they were given,
// and a nutrient file it wrote reads back to the same choice.
#include "fuzz_support.h"
#include "maintenance/data_backup.h"
#include "maintenance/data_takeover.h"
#include "maintenance/sibling_export.h"
#include "maintenance/user_survey.h"
#include "nutrients/nutrient_table.h"

namespace {

using namespace tav;

std::string Answers(const std::vector<FRAGE>& questions) {
  std::string out;
  for (const FRAGE& q : questions) {
    out += q.id + "=" + q.answer + "|";
    for (const AUSWAHL& c : q.choices) out += c.id + (c.chosen ? "+" : "-");
    out += "\n";
  }
  return out;
}

void Survey(const std::string& folder, FuzzedDataProvider& in) {
  const std::string questionsFile = folder + "Umfrage.xml", answersFile = folder + "Antwort.xml";
  fuzz::Write(questionsFile, in.ConsumeRandomLengthString());
  const bool answersFromFile = in.ConsumeBool();
  if (answersFromFile) fuzz::Write(answersFile, in.ConsumeRandomLengthString());
  std::vector<FRAGE> questions = LoadSurveyQuestions(questionsFile);
  LoadSurveyAnswers(answersFile, questions);
  // Whatever the user types (any bytes, control bytes too) goes out and comes back.
  for (FRAGE& q : questions) {
    if (q.type == kSurveyEdit || q.type == kSurveyMemo) q.answer = in.ConsumeRandomLengthString(64);
    for (AUSWAHL& c : q.choices) c.chosen = in.ConsumeBool();
  }
  const std::string xml = SurveyAnswersXml(questions);
  SurveyAnswersText(questions, xml);
  fuzz::Write(answersFile, xml);
  std::vector<FRAGE> again = LoadSurveyQuestions(questionsFile);
  LoadSurveyAnswers(answersFile, again);
  // Only what the answers file keeps is compared: answered questions of the kinds it writes.
  for (FRAGE& q : questions) {
    if (!IsAnswered(q) || q.type == kSurveyCombo || q.type == kSurveyText) {
      q.answer.clear();
      for (AUSWAHL& c : q.choices) c.chosen = 0;
    }
  }
  for (FRAGE& q : again)
    if (q.type == kSurveyCombo || q.type == kSurveyText) {
      q.answer.clear();
      for (AUSWAHL& c : q.choices) c.chosen = 0;
    }
  if (questions.size() == again.size() && Answers(questions) != Answers(again))
    fuzz::Fail("survey answers do not read back:\n" + Answers(questions) + "---\n" +
               Answers(again));
}

void Sibling(const std::string& folder, FuzzedDataProvider& in) {
  static NutrientTable table;
  static const bool loaded = [] {
    table.ReadFieldsFile(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/Fields.bls");
    return true;
  }();
  (void)loaded;
  const std::string file = folder + "bsl.snc";
  fuzz::Write(file, in.ConsumeRemainingBytesAsString());
  const std::vector<SiblingNutrient> chosen = LoadSiblingNutrients(file, table);
  if (!SaveSiblingNutrients(file, chosen)) fuzz::Fail("the nutrient file cannot be written");
  const std::vector<SiblingNutrient> again = LoadSiblingNutrients(file, table);
  if (again.size() != chosen.size()) fuzz::Fail("the nutrient file lost lines");
  for (size_t i = 0; i < again.size(); ++i)
    if (again[i].key != chosen[i].key ||
        std::string(again[i].stoff.code) != std::string(chosen[i].stoff.code))
      fuzz::Fail("the nutrient file changed a line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  test::TestEnv& env = fuzz::Begin();
  FuzzedDataProvider in(data, size);
  const std::string folder = env.DataFolder();
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
      Survey(folder, in);
      break;
    case 1: {
      fuzz::Write(folder + "Version.txt", in.ConsumeRemainingBytesAsString());
      DataTakeover::ReadInstalledVersion(folder + "Version.txt");
      break;
    }
    case 2: {
      // A backup folder whose log is the input: it lists, reads and is never taken for a
      // folder outside the backup path.
      const std::string backups = env.Root() + "Backup/";
      const std::string name = "TavolinBackup_2026.12.11_8.00.00";
      std::filesystem::remove_all(backups);
      fuzz::Write(backups + name + "/Backup.log", in.ConsumeRemainingBytesAsString());
      DataBackup backup(BackupPlaces{});
      for (const std::string& listed : backup.ListBackups(backups)) {
        if (listed.find('/') != std::string::npos) fuzz::Fail("a listed backup is a path");
        backup.ReadBackupLog(backups, listed);
      }
      break;
    }
    case 3:
      Sibling(folder, in);
      break;
  }
  return 0;
}
