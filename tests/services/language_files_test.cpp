// The shipped language files against the program: every message number the code asks for is
// present and worded in both languages, and both files have the same numbering.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "platform/text_file.h"
#include "services/lang_table.h"

namespace tav {
namespace {

LangTable LoadShipped(const std::string& lang) {
  LangTable t;
  EXPECT_TRUE(t.Load(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/GUI.klf")) << lang;
  return t;
}

// Numbers passed as literals to GetLangText, ShowError and the other text helpers.
std::set<int> NumbersUsedBySources() {
  std::set<int> used;
  const std::regex call(R"((GetLangText|ShowError|LangText|LangMessage)\s*\(\s*(\d+)\s*[,)])");
  for (const auto& e :
       std::filesystem::recursive_directory_iterator(std::string(TAVOLIN_SOURCE_DIR) + "/src")) {
    const auto ext = e.path().extension();
    if (ext != ".cpp" && ext != ".h") continue;
    std::string text;
    ReadFileBytes(e.path().string(), text);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), call);
         it != std::sregex_iterator(); ++it)
      used.insert(std::stoi((*it)[2].str()));
  }
  return used;
}

TEST(LanguageFiles, BothLanguagesHaveTheSameMessages) {
  const LangTable de = LoadShipped("DE"), en = LoadShipped("EN");
  EXPECT_GE(de.MessageCount(), 762u);
  EXPECT_EQ(de.MessageCount(), en.MessageCount());
  for (size_t n = 0; n < de.MessageCount(); ++n)
    EXPECT_EQ(de.GetLangText(static_cast<int>(n)).empty(),
              en.GetLangText(static_cast<int>(n)).empty())
        << "message " << n;
}

TEST(LanguageFiles, EveryNumberTheCodeAsksForIsWorded) {
  const LangTable de = LoadShipped("DE"), en = LoadShipped("EN");
  const std::set<int> used = NumbersUsedBySources();
  ASSERT_FALSE(used.empty());
  for (int n : used) {
    EXPECT_FALSE(de.GetLangText(n).empty()) << "DE message " << n;
    EXPECT_NE(de.GetLangText(n), "{" + std::to_string(n) + "}") << "DE message " << n;
    EXPECT_FALSE(en.GetLangText(n).empty()) << "EN message " << n;
    EXPECT_NE(en.GetLangText(n), "{" + std::to_string(n) + "}") << "EN message " << n;
  }
}

TEST(LanguageFiles, MonthNamesAreTheTwelveMonths) {
  const LangTable de = LoadShipped("DE");
  EXPECT_EQ(de.GetLangText(236), "Januar");
  EXPECT_EQ(de.GetLangText(247), "Dezember");
  EXPECT_EQ(de.GetLangText(15), "Fehler");
}

}  // namespace
}  // namespace tav
