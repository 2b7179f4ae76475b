// Broken input of every kind: the parser must end, report sensibly and never crash or loop.
#include <gtest/gtest.h>
#include <unistd.h>

#include <random>

#include "exchange/xml_parser.h"
#include "support/test_env.h"
#include "xml_test_support.h"

namespace tav {
namespace {

using test::TestEnv;
using test::XmlEvents;

// Ends the test program when a parse does not come back (an endless loop).
class Watchdog {
 public:
  explicit Watchdog(unsigned seconds) { alarm(seconds); }
  ~Watchdog() { alarm(0); }
};

class XmlRobustnessTest : public ::testing::Test {
 protected:
  XmlRobustnessTest() { env.LoadLanguage("DE"); }

  // Parses and checks what holds for every input: the events are well formed, a parse that
  // started ends with exactly one end event, errors carry a message.
  int ParseChecked(const std::string& bytes, const std::vector<std::string>& watch = {"recipe"}) {
    TXMLParser parser;
    ev = XmlEvents();
    const int result = test::ParseBytes(parser, env.Root(), bytes, ev, watch);
    EXPECT_TRUE(result == 0 || result == 1);
    int ends = 0;
    for (int k : ev.kinds) {
      EXPECT_TRUE(k == kXmlError || k == kXmlElement || k == kXmlEnd) << k;
      ends += k == kXmlEnd;
    }
    if (result == 0) {
      EXPECT_EQ(ev.kinds, (std::vector<int>{kXmlError}));
    } else {
      EXPECT_EQ(ends, 1);
      EXPECT_EQ(ev.kinds.back(), kXmlEnd);
    }
    for (const auto& e : ev.errors) EXPECT_EQ(e.rfind(" (", 0), 0u) << e;
    return result;
  }

  TestEnv env;
  XmlEvents ev;
};

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

TEST_F(XmlRobustnessTest, EveryTruncationOfACookmlFileKeepsTheCompleteRecipesAndSaysSo) {
  Watchdog dog(120);
  const std::string full = test::ReadAll(test::Fixture("cookml_two_recipes.cml"));
  ASSERT_FALSE(full.empty());
  ParseChecked(full);
  ASSERT_TRUE(ev.errors.empty());
  const std::vector<std::string> complete = ev.elements;
  const size_t rootEnd = full.find("</cookml>") + 9;

  for (size_t len = 0; len < full.size(); ++len) {
    SCOPED_TRACE(len);
    const std::string cut = full.substr(0, len);
    const int result = ParseChecked(cut);
    if (len == 0) {
      EXPECT_EQ(result, 0);
      continue;
    }
    // The recipes whose end tag is in the file are delivered whole; the rest is dropped.
    const size_t whole = Count(cut, "</recipe>");
    ASSERT_EQ(ev.elements.size(), whole);
    for (size_t i = 0; i < whole; ++i) EXPECT_EQ(ev.elements[i], complete[i]);
    // A file cut inside its root element gives exactly one message.
    EXPECT_EQ(ev.errors.size(), len < rootEnd ? 1u : 0u);
  }
}

// Random inputs: raw bytes, and a soup of the characters that steer the parser.
TEST_F(XmlRobustnessTest, RandomInputsEndWithoutCrashOrLoop) {
  Watchdog dog(120);
  std::mt19937 rng(20240611);
  const std::string soup =
      "<<>>//\"\"''==!!?-?-:-:__[]&;# \t\r\n\r\naAbZz019\xC3\xA4\xE2\x82\xAC\xF0\x00";
  for (int round = 0; round < 3000; ++round) {
    const size_t len = rng() % 600;
    std::string bytes;
    bytes.reserve(len + 8);
    if (round % 3 != 0) bytes = "<r>";  // most inputs get past the start
    for (size_t i = 0; i < len; ++i) {
      if (round % 2)
        bytes += static_cast<char>(rng() & 0xFF);
      else
        bytes += soup[rng() % (soup.size() + 1)];  // includes the terminating zero
    }
    SCOPED_TRACE(round);
    ParseChecked(bytes, {"r", "a"});
  }
}

TEST_F(XmlRobustnessTest, MutatedCookmlFilesEndWithoutCrashOrLoop) {
  Watchdog dog(120);
  const std::string full = test::ReadAll(test::Fixture("cookml_two_recipes.cml"));
  std::mt19937 rng(7);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes = full;
    const int edits = 1 + static_cast<int>(rng() % 6);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
      const size_t at = rng() % bytes.size();
      static const char kChars[] = "<>/\"'=!?-:1a &\r\n\x00\xC3";
      const char ch = kChars[rng() % (sizeof kChars - 1)];
      switch (rng() % 3) {
        case 0:
          bytes[at] = ch;
          break;
        case 1:
          bytes.insert(bytes.begin() + static_cast<long>(at), ch);
          break;
        default:
          bytes.erase(at, 1 + rng() % 20);
          break;
      }
    }
    SCOPED_TRACE(round);
    ParseChecked(bytes);
  }
}

TEST_F(XmlRobustnessTest, HugeAndDegenerateInputsStayBounded) {
  Watchdog dog(120);
  // One endless line of text.
  const std::string line(8 << 20, 'x');
  ParseChecked("<a>" + line + "</a>", {});
  ASSERT_NE(ev.root, nullptr);
  EXPECT_EQ(ev.root->GetValue().size(), line.size());
  // The same line, the file cut before the end tag: one message at the end of the line.
  ParseChecked("<a>" + line, {});
  EXPECT_EQ(ev.errors.size(), 1u);
  EXPECT_NE(ev.errors[0].find(std::to_string(line.size() + 4) + "]"), std::string::npos);
  // A million open elements: one message, the stack is never at risk.
  std::string deep;
  for (int i = 0; i < 1000000; ++i) deep += "<a>";
  ParseChecked(deep, {});
  EXPECT_EQ(ev.errors.size(), 1u);
  EXPECT_EQ(ev.root, nullptr);
  // Three hundred thousand watched elements are taken one by one.
  std::string flat = "<r>";
  for (int i = 0; i < 300000; ++i) flat += "<recipe/>";
  flat += "</r>";
  ParseChecked(flat);
  EXPECT_TRUE(ev.errors.empty());
  EXPECT_EQ(ev.elements.size(), 300000u);
  // A megabyte of zero bytes is no file to read.
  EXPECT_EQ(ParseChecked(std::string(1 << 20, '\0')), 0);
}

}  // namespace
}  // namespace tav
