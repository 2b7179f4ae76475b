// The survey files and the nutrient file for the sibling program.
#include <gtest/gtest.h>

#include <cstdlib>

#include "maintenance/sibling_export.h"
#include "maintenance/user_survey.h"
#include "platform/paths.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::TempDir;
using test::TestEnv;
using test::WriteAll;

const char kQuestionnaire[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
    "<umfrage>\n"
    " <frage id=\"intro\" type=\"TEXT\" lines=\"3\"><text>Willkommen|zur "
    "Umfrage|danke</text></frage>\n"
    " <gruppe>\n"
    "  <frage id=\"kueche\" type=\"CBTN\"><text>Was kochen Sie?</text>\n"
    "   <auswahl id=\"k1\" text=\"Suppen &amp; Eint\xC3\xB6pfe\"/>\n"
    "   <auswahl id=\"k2\" text=\"Kuchen\"/>\n"
    "   <auswahl id=\"k3\" text=\"Salate\"/>\n"
    "  </frage>\n"
    " </gruppe>\n"
    " <frage id=\"oft\" type=\"RBTN\"><text>Wie oft?</text>\n"
    "  <auswahl id=\"o1\" text=\"t\xC3\xA4glich\"/><auswahl id=\"o2\" text=\"selten\"/>\n"
    " </frage>\n"
    " <frage id=\"liste\" type=\"COBO\"><text>Nie gezeigt</text><auswahl id=\"c\" "
    "text=\"c\"/></frage>\n"
    " <frage id=\"name\" type=\"EDIT\"><text>Ihr Name?</text></frage>\n"
    " <frage id=\"wunsch\" type=\"MEDT\" lines=\" 4x\"><text>Was fehlt?|Bitte "
    "ausf\xC3\xBChrlich</text></frage>\n"
    " <frage id=\"odd\" type=\"edit\"><text>kleingeschrieben</text></frage>\n"
    " <frage id=\"none\"><text>ohne Typ</text></frage>\n"
    "</umfrage>\n";

TEST(Survey, QuestionnaireIsRead) {
  TempDir dir;
  WriteAll(dir.Path() + "Umfrage.xml", kQuestionnaire);
  const std::vector<FRAGE> q = LoadSurveyQuestions(dir.Path() + "Umfrage.xml");
  ASSERT_EQ(q.size(), 8u);
  EXPECT_EQ(q[0].type, kSurveyText);
  EXPECT_EQ(q[0].lines, 3);
  EXPECT_EQ(q[0].textLines, 3);
  EXPECT_EQ(q[0].text, "Willkommen\r\nzur Umfrage\r\ndanke");
  EXPECT_EQ(q[1].id, "kueche") << "questions at any depth";
  EXPECT_EQ(q[1].type, kSurveyCheck);
  ASSERT_EQ(q[1].choices.size(), 3u);
  EXPECT_EQ(q[1].choices[0].text, "Suppen & Eint\xF6pfe");
  EXPECT_EQ(q[2].type, kSurveyRadio);
  EXPECT_EQ(q[3].type, kSurveyCombo);
  EXPECT_EQ(q[4].type, kSurveyEdit);
  EXPECT_EQ(q[5].type, kSurveyMemo);
  EXPECT_EQ(q[5].lines, 4);
  EXPECT_EQ(q[5].textLines, 2);
  EXPECT_EQ(q[6].type, kSurveyText) << "type words compare exactly";
  EXPECT_EQ(q[7].type, kSurveyText);
  EXPECT_TRUE(LoadSurveyQuestions(dir.Path() + "missing.xml").empty());
}

TEST(Survey, AnswersRoundTrip) {
  TestEnv env;
  env.LoadLanguage("DE");
  const std::string lang = env.Root() + "Data/DE/", data = env.DataFolder();
  WriteAll(lang + "Umfrage.xml", kQuestionnaire);
  std::vector<FRAGE> q = LoadSurveyQuestions(lang + "Umfrage.xml");
  q[1].choices[0].chosen = q[1].choices[2].chosen = 1;
  q[2].choices[1].chosen = 1;
  q[3].choices[0].chosen = 1;  // a combo box is never written
  q[4].answer = "M\xFCller & <S\xF6hne>";
  q[5].answer = "Mehr Rezepte f\xFCr \"Gro\xDF & Klein\"\r\n<b>bitte</b>\r\n\r\nDanke";
  ASSERT_EQ(WriteSurveyAnswers(q, data + "Antwort.xml", env.Root() + "Export/Umfrage.txt"),
            SurveyWrite::kWritten);

  const std::string xml = ReadAll(data + "Antwort.xml");
  EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<tantwort>\r\n", 0), 0u);
  EXPECT_NE(xml.find("  <antwort id=\"kueche\" type=\"CBTN\">\r\n    <value>k1</value>\r\n"
                     "    <value>k3</value>\r\n  </antwort>\r\n"),
            std::string::npos)
      << xml;
  EXPECT_NE(xml.find("<value>M\xC3\xBCller &amp; &lt;S\xC3\xB6hne&gt;</value>"), std::string::npos);
  EXPECT_EQ(xml.find("liste"), std::string::npos);
  EXPECT_EQ(xml.find("intro"), std::string::npos);

  std::vector<FRAGE> again = LoadSurveyQuestions(lang + "Umfrage.xml");
  LoadSurveyAnswers(data + "Antwort.xml", again);
  for (size_t i = 0; i < q.size(); ++i) {
    if (q[i].type == kSurveyCombo) continue;
    EXPECT_EQ(again[i].answer, q[i].answer) << q[i].id;
    for (size_t c = 0; c < q[i].choices.size(); ++c)
      EXPECT_EQ(again[i].choices[c].chosen, q[i].choices[c].chosen) << q[i].id << c;
  }

  const std::string text = ReadAll(env.Root() + "Export/Umfrage.txt");
  EXPECT_EQ(text.rfind("Tavolin Benutzer-Umfrage\r\n\r\nBitte schicken Sie diesen Text", 0), 0u);
  EXPECT_NE(text.find("\r\nWas kochen Sie?\r\n  * Suppen & Eint\xC3\xB6pfe\r\n  * Salate\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\nWas fehlt?\r\nBitte ausf\xC3\xBChrlich\r\n  Mehr Rezepte"),
            std::string::npos);
  EXPECT_NE(text.find("maschinenlesbarer Form: ------------\r\n" + xml +
                      "-------------------------------------------------------------\r\n"),
            std::string::npos);
}

// An answer holding control bytes (pasted from another program) still gives well-formed XML,
// as xmllint, the standard checker, reads it; tab and line breaks stay.
TEST(Survey, ControlBytesInAnAnswerKeepTheAnswersWellFormed) {
  TestEnv env;
  env.LoadLanguage("DE");
  const std::string lang = env.Root() + "Data/DE/", data = env.DataFolder();
  WriteAll(lang + "Umfrage.xml", kQuestionnaire);
  std::vector<FRAGE> q = LoadSurveyQuestions(lang + "Umfrage.xml");
  q[4].answer = std::string("M\xFCller\x01\x02 GmbH\x1B[0m\x0B\x0C\x7F");
  q[5].answer = "Erste Zeile\tmit Tab\r\nzweite\x00Zeile";
  q[5].answer.push_back('\0');
  ASSERT_EQ(WriteSurveyAnswers(q, data + "Antwort.xml", env.Root() + "Export/Umfrage.txt"),
            SurveyWrite::kWritten);
  const std::string xml = ReadAll(data + "Antwort.xml");
  for (unsigned char c : xml)
    EXPECT_TRUE(c >= 0x20 || c == '\t' || c == '\r' || c == '\n') << int(c);
  EXPECT_NE(xml.find("<value>M\xC3\xBCller   GmbH [0m  \x7F</value>"), std::string::npos) << xml;
  EXPECT_NE(xml.find("Erste Zeile\tmit Tab\r\nzweite"), std::string::npos) << xml;
  if (std::system("xmllint --version >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "xmllint is not installed (scripts/install-deps installs libxml2-utils)";
  const std::string out = env.Root() + "xmllint.txt";
  const std::string command =
      "xmllint --noout --nonet \"" + data + "Antwort.xml\" >\"" + out + "\" 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << ReadAll(out);
}

TEST(Survey, TextFileThatCannotBeMadeKeepsTheOldAnswers) {
  TestEnv env;
  env.LoadLanguage("DE");
  WriteAll(env.DataFolder() + "DE/Umfrage.xml", kQuestionnaire);
  std::vector<FRAGE> q = LoadSurveyQuestions(env.DataFolder() + "DE/Umfrage.xml");
  WriteAll(env.DataFolder() + "Antwort.xml", "earlier answers");
  q[4].answer = "neu";
  EXPECT_EQ(WriteSurveyAnswers(q, env.DataFolder() + "Antwort.xml",
                               env.Root() + "no such folder/Umfrage.txt"),
            SurveyWrite::kTextFailed);
  EXPECT_EQ(ReadAll(env.DataFolder() + "Antwort.xml"), "earlier answers");
  EXPECT_EQ(WriteSurveyAnswers(q, env.Root() + "no such folder/Antwort.xml",
                               env.Root() + "Export/Umfrage.txt"),
            SurveyWrite::kAnswersFailed);
  EXPECT_EQ(WriteSurveyAnswers({}, env.DataFolder() + "Antwort.xml", env.Root() + "Export/x.txt"),
            SurveyWrite::kNoQuestions);
}

TEST(Survey, UnknownAnswersAreIgnored) {
  TempDir dir;
  WriteAll(dir.Path() + "Umfrage.xml", kQuestionnaire);
  WriteAll(dir.Path() + "Antwort.xml",
           "<tantwort><antwort id=\"weg\" type=\"EDIT\"><value>x</value></antwort>"
           "<antwort id=\"oft\" type=\"RBTN\"><value>o9</value><value>o1</value></antwort>"
           "</tantwort>");
  std::vector<FRAGE> q = LoadSurveyQuestions(dir.Path() + "Umfrage.xml");
  LoadSurveyAnswers(dir.Path() + "Antwort.xml", q);
  EXPECT_EQ(q[2].choices[0].chosen, 1);
  EXPECT_EQ(q[2].choices[1].chosen, 0);
  LoadSurveyAnswers(dir.Path() + "missing.xml", q);
  EXPECT_EQ(q[2].choices[0].chosen, 1);
}

// A nutrient table of five columns, one of them text-valued.
void SmallTable(NutrientTable& table, const std::string& folder) {
  WriteAll(folder + "Fields.bls",
           "SBLS;CK;\"Lebensmittelschl\xFCssel\";\"\"\r\n"
           "GCAL;NE;\"Energie (kcal)\";\"kcal/100g\"\r\n"
           "ZE;NH;\"Eiwei\xDF (Protein)\";\"g/100g\"\r\n"
           "MNA;NM;\"Natrium\";\"mg/100g\"\r\n"
           "VITB12;NV;\"Vitamin B12\";\"\xB5g/100g\"\r\n");
  table.ReadFieldsFile(folder + "Fields.bls");
}

TEST(Sibling, FileRoundTripsWithOwnAndLongKeys) {
  TempDir dir;
  NutrientTable table;
  SmallTable(table, dir.Path());
  ASSERT_EQ(table.GetStoffCount(), 5);
  MakeDirs(dir.Path() + "QN_Sync");
  const std::string file = dir.Path() + "QN_Sync/bsl.snc";
  WriteAll(file, "ZE#ZE\r\nMNA#NATRIUM_LANG\r\nohne Raute\r\nXYZ#XYZ\r\nZE#ZE\r\nVITB12#B12\n");
  std::vector<SiblingNutrient> chosen = LoadSiblingNutrients(file, table);
  ASSERT_EQ(chosen.size(), 4u) << "unknown codes and lines without '#' dropped, duplicates kept";
  EXPECT_EQ(chosen[1].key, "NATRIUM_LANG");
  EXPECT_STREQ(chosen[1].stoff.unit, "mg");
  EXPECT_STREQ(chosen[3].stoff.unit, "\xB5g");
  EXPECT_EQ(chosen[3].stoff.name, "Vitamin B12");
  ASSERT_TRUE(SaveSiblingNutrients(file, chosen));
  EXPECT_EQ(ReadAll(file), "ZE#ZE\r\nMNA#NATRIUM_LANG\r\nZE#ZE\r\nVITB12#B12\r\n");
  EXPECT_TRUE(SaveSiblingNutrients(file, {}));
  EXPECT_EQ(ReadAll(file), "");
}

// Found by the fuzz harness: a file of mixed line ends leaves a CR in a key; written back it
// would end the first line early and the next read would give another key.
TEST(Sibling, AKeyWithAStrayLineEndReadsBackAsWritten) {
  TempDir dir;
  NutrientTable table;
  SmallTable(table, dir.Path());
  MakeDirs(dir.Path() + "QN_Sync");
  const std::string file = dir.Path() + "QN_Sync/bsl.snc";
  WriteAll(file, "ZE#EIW\r\r\nMNA#NA\n");
  const std::vector<SiblingNutrient> chosen = LoadSiblingNutrients(file, table);
  ASSERT_EQ(chosen.size(), 2u);
  EXPECT_EQ(chosen[0].key, "EIW");
  ASSERT_TRUE(SaveSiblingNutrients(file, chosen));
  const std::vector<SiblingNutrient> again = LoadSiblingNutrients(file, table);
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(again[0].key, "EIW");
  EXPECT_EQ(again[1].key, "NA");
}

TEST(Sibling, AddingKeepsOneOfEachCode) {
  TempDir dir;
  NutrientTable table;
  SmallTable(table, dir.Path());
  std::vector<SiblingNutrient> chosen;
  ISTOFF protein;
  ASSERT_TRUE(table.FindStoffByCode("ZE", &protein));
  EXPECT_TRUE(AddSiblingNutrient(chosen, protein));
  EXPECT_FALSE(AddSiblingNutrient(chosen, protein));
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(chosen[0].key, "ZE");
  EXPECT_STREQ(chosen[0].stoff.unit, "g");
  EXPECT_EQ(CutUnit("kcal/100g"), "kcal");
  EXPECT_EQ(CutUnit("Stk"), "Stk");
}

TEST(Sibling, MissingFolderIsNotMade) {
  TempDir dir;
  NutrientTable table;
  SmallTable(table, dir.Path());
  ISTOFF protein;
  table.FindStoffByCode("ZE", &protein);
  std::vector<SiblingNutrient> chosen;
  AddSiblingNutrient(chosen, protein);
  EXPECT_FALSE(SaveSiblingNutrients(dir.Path() + "QN_Sync/bsl.snc", chosen));
  EXPECT_FALSE(EntryExists(dir.Path() + "QN_Sync"));
  EXPECT_TRUE(LoadSiblingNutrients(dir.Path() + "QN_Sync/bsl.snc", table).empty());
}

}  // namespace
}  // namespace tav
