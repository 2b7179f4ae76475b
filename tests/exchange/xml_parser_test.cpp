#include "exchange/xml_parser.h"

#include <gtest/gtest.h>

#include "platform/charset.h"
#include "support/test_env.h"
#include "xml_test_support.h"

namespace tav {
namespace {

using test::Dump;
using test::Fixture;
using test::TestEnv;
using test::XmlEvents;

// Windows-1252 form of a UTF-8 literal, so that expectations can be written readably.
std::string W(const std::string& utf8) {
  return Utf8ToCp1252(utf8);
}

class XmlParserTest : public ::testing::Test {
 protected:
  XmlParserTest() { env.LoadLanguage("DE"); }

  int Parse(const std::string& bytes, const std::vector<std::string>& watch = {}) {
    ev = XmlEvents();
    return test::ParseBytes(parser, env.Root(), bytes, ev, watch);
  }
  // The message of an error with language text n at a position.
  static std::string Msg(int n, int line, int col) {
    return " (" + GetLangText(n) + ") [" + GetLangText(675) + std::to_string(line) +
           GetLangText(676) + std::to_string(col) + "]";
  }

  // `in` as element text and as attribute value reads as `out`.
  void ExpectTextAndValue(const std::string& in, const std::string& out) {
    SCOPED_TRACE(testing::PrintToString(in));
    ASSERT_EQ(Parse("<a v=\"" + in + "\">" + in + "</a>"), 1);
    ASSERT_NE(ev.root, nullptr);
    EXPECT_EQ(ev.root->GetValue(), out);
    EXPECT_EQ(ev.root->GetAttribValue(0), out);
  }

  TestEnv env;
  TXMLParser parser;
  XmlEvents ev;
};

TEST_F(XmlParserTest, CookmlFileHandsOverEachRecipeAndKeepsNoneInTheTree) {
  ev.parser = &parser;
  parser.SetXMLFile(Fixture("cookml_two_recipes.cml"), &XmlEvents::Callback, &ev);
  parser.AddWatchName("recipe");
  EXPECT_EQ(parser.ParseXMLFile(), 1);
  EXPECT_EQ(ev.kinds, (std::vector<int>{kXmlElement, kXmlElement, kXmlEnd}));
  ASSERT_EQ(ev.elements.size(), 2u);
  EXPECT_EQ(ev.elements[0],
            W("recipe(lang=DE){"
              "head(title=Käsespätzle & Salat,rid=12345,678,servingqty=4,servingtype=Portionen,"
              "quality=3,createdate=2004-05-06T00:00:00,createuser=Anna Müller,"
              "timeprepqty=20 Min.){cat=\"Hauptgerichte\",hint=\"Käse\","
              "content(type=GCAL,value=2500),picbin(format=JPG)=\"/9j/4AAQSkZJRg==\"},"
              "part(title=Teig){ingredient(qty=500,unit=g,item=Mehl,bls=E110100,gram=500),"
              "ingredient(qty=5,item=Eier){inote=\"Größe M\"}},"
              "preparation{text=\"Mehl <sieben>.\nEier unterrühren.\"},"
              "remark(user=Anna){line=\"Schmeckt auch mit Bergkäse.\"}}"));
  EXPECT_EQ(ev.elements[1], W("recipe(lang=DE){head(title=Crème brûlée,rid=12345,679,"
                              "servingtype=Portionen)=\"    \",part{ingredient(qty=0.5,unit=l,"
                              "item=Sahne)}}"));
  EXPECT_EQ(Dump(ev.root.get()), "cookml(version=1.0.11,prog=Tavolin,progver=1.0.0)");
}

TEST_F(XmlParserTest, WithoutWatchNamesTheCallerGetsTheWholeTree) {
  ev.parser = &parser;
  parser.SetXMLFile(Fixture("cookml_two_recipes.cml"), &XmlEvents::Callback, &ev);
  EXPECT_EQ(parser.ParseXMLFile(), 1);
  EXPECT_EQ(ev.kinds, (std::vector<int>{kXmlEnd}));
  ASSERT_NE(ev.root, nullptr);
  ASSERT_EQ(ev.root->GetChildCount(), 2);
  const TXMLNode* head = ev.root->GetChild(0)->GetChild(0);
  EXPECT_EQ(head->GetName(), "head");
  EXPECT_EQ(head->GetAttribName(0), "title");
  EXPECT_EQ(head->GetAttribValue(0), W("Käsespätzle & Salat"));
  EXPECT_EQ(head->GetValue(), "");  // it has child elements
  EXPECT_EQ(ev.root->GetChild(5), nullptr);
  EXPECT_EQ(head->GetAttribName(99), "");
}

TEST_F(XmlParserTest, ElementTextsAndAttributes) {
  const struct {
    const char* xml;
    const char* tree;
  } cases[] = {
      {"<a>kurz</a>", "a=\"kurz\""},
      {"<a>\r\n  <b/>\r\n</a>", "a{b}"},                // only a child: no value
      {"<a>\r\neins\r\nzwei</a>", "a=\"eins\nzwei\""},  // first line break is no text
      {"<a>\n\nx</a>", "a=\"\nx\""},
      {"<a>eins\rzwei</a>", "a=\"eins\nzwei\""},
      {"<a></a>", "a"},
      {"<a x=\"1\" />", "a(x=1)"},
      {"<a>vor<b>in</b>nach</a>", "a{b=\"in\"}"},  // text between children is dropped
      {"<a>x<!-- c - d -->y</a>", "a=\"xy\""},
      {"<a><!-- c --><b/></a>", "a{b}"},
      {"<a>x</a >", "a=\"x\""},
      {"<head\r\ntitle=\"x\"/>", "head(title=x)"},  // a name ends at its line end
      {"<a\ttitle\r\n=\r\n\"x\"/>", "a(title=x)"},
      {"<a t='einfach \"q\"'/>", "a(t=einfach \"q\")"},
      {"<a t=\"eins\r\nzwei\"/>", "a(t=eins zwei)"},
      {"<a b=\"1\"c=\"2\"/>", "a(b=1,c=2)"},
      {"\xEF\xBB\xBF<a/>", "a"},
      {"  \r\n<a/>", "a"},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<!DOCTYPE a SYSTEM \"a.dtd\">\r\n"
       "<!-- Kommentar -->\r\n<?pi?>\r\n<a/>",
       "a"},
      {"<_x:y-1 />", "_x:y-1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.xml);
    EXPECT_EQ(Parse(c.xml), 1);
    EXPECT_EQ(Dump(ev.root.get()), c.tree);
  }
  // A zero byte is no character.
  EXPECT_EQ(Parse(std::string("<a>x\0y</a>", 11)), 1);
  EXPECT_EQ(Dump(ev.root.get()), "a=\"xy\"");
}

TEST_F(XmlParserTest, EachEntityIsDecodedOnce) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"&amp;lt;", "&lt;"},     {"&lt;&gt;&apos;&quot;&amp;", "<>'\"&"},
      {"&amp;amp;", "&amp;"},   {"&#228; &auml; & &amp", "&#228; &auml; & &amp"},
      {"a&lt;b&gt;c", "a<b>c"},
  };
  for (const auto& c : cases) ExpectTextAndValue(c.in, c.out);
}

TEST_F(XmlParserTest, Utf8CharactersBecomeWindows1252AndOtherBytesStay) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"\xC3\xA4", "\xE4"},              // ä
      {"\xC3\x85", "\xC5"},              // Å
      {"\xC3\x9F", "\xDF"},              // ß
      {"\xC2\xB0", "\xB0"},              // °
      {"\xC2\xA0", "\xA0"},              // no-break space
      {"\xE2\x82\xAC", "\x80"},          // euro sign
      {"\xE2\x80\x9E", "\x84"},          // German opening quote
      {"\xC5\x93", "\x9C"},              // oe ligature
      {"\xC2\x80", "\x80"},              // C1 control written for a Windows-1252 byte
      {"\xF0\x9F\x8D\x95", "?"},         // no Windows-1252 form
      {"\xE4", "\xE4"},                  // a Windows-1252 file
      {"\xC3(", "\xC3("},                // cut sequence
      {"\xC0\x80", "\xC0\x80"},          // overlong
      {"\xED\xA0\x80", "\xED\xA0\x80"},  // surrogate
      {"\xE2\x82", "\xE2\x82"},          // cut by the end tag
  };
  for (const auto& c : cases) ExpectTextAndValue(c.in, c.out);
}

TEST_F(XmlParserTest, SyntaxErrorsAreReportedWithTheirPositionAndTheParseGoesOn) {
  const struct {
    const char* xml;
    std::vector<std::string> errors;
    const char* tree;
  } cases[] = {
      // Unexpected characters where an attribute may begin end the element; nothing loops.
      {"<r><a 1=\"x\">t</a><b/></r>", {Msg(673, 1, 7), Msg(661, 1, 17)}, "null"},
      {"<r><a -x=\"1\"/><b/></r>", {Msg(673, 1, 7)}, "r{b}"},
      {"<r><b/><a :=\"1\"/></r>", {Msg(673, 1, 11)}, "r{b}"},
      {"<?xml 1=\"x\"?><a/>", {Msg(673, 1, 7), Msg(670, 1, 7)}, "null"},
      {"<a>\r\n  <b>x</c>\r\n</a>", {Msg(661, 2, 10)}, "a=\"  >\n\""},
      {"<a b=\"x\" <c/>", {Msg(669, 1, 10)}, "null"},
      {"<a/x>", {Msg(668, 1, 4)}, "null"},
      {"<a b \"x\"/>", {Msg(665, 1, 6)}, "null"},
      {"<a b=1/>", {Msg(662, 1, 6)}, "null"},
      {"<a><!-x-></a>", {Msg(674, 1, 7)}, "a=\"x->\""},
      {"<a><!-- x --y --></a>", {Msg(674, 1, 13)}, "a=\"y -->\""},
      {"<!DOCTYPE a [<!ELEMENT a ANY>]><a/>", {Msg(667, 1, 29), Msg(670, 1, 29)}, "null"},
      {"<?xml version=\"1.0\"? ><a/>", {Msg(666, 1, 21), Msg(670, 1, 22)}, "null"},
      {"<?xml version=\"1.0\"?>x<a/>", {Msg(664, 1, 22), Msg(671, 1, 23)}, "null"},
      {"<1a/>", {Msg(670, 1, 2)}, "null"},
      {"<a%/>", {Msg(671, 1, 3)}, "null"},
      {"<a b%=\"1\"/>", {Msg(673, 1, 5)}, "null"},
      {"<_x:y-1.z/>", {Msg(671, 1, 8)}, "null"},       // '.' is no name character
      {"<a b=x c=\"2\"/>", {Msg(665, 1, 8)}, "null"},  // unquoted: x is taken for a name
      // The end of the file inside an element, a tag or a value is reported once.
      {"<a>\r\n<b>eins</b>\r\n<b>zw", {Msg(762, 3, 6)}, "null"},
      {"<a><b x=\"1\"", {Msg(762, 1, 12)}, "null"},
      {"<a><b x=", {Msg(762, 1, 9)}, "null"},
      {"<a></a", {Msg(762, 1, 7)}, "null"},
      {"<a><!-- offen", {Msg(762, 1, 14)}, "null"},
      {"<a b=\"x", {Msg(663, 1, 8)}, "null"},
      {"<?xml version=\"1.0\"?>", {Msg(762, 1, 22)}, "null"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.xml);
    EXPECT_EQ(Parse(c.xml), 1);
    EXPECT_EQ(ev.errors, c.errors);
    EXPECT_EQ(Dump(ev.root.get()), c.tree);
    EXPECT_EQ(ev.kinds.back(), kXmlEnd);
  }
  // The message as the user reads it.
  Parse("<a>\r\n  <b>x</c>\r\n</a>");
  EXPECT_EQ(
      ev.errors,
      (std::vector<std::string>{W(" (End-Tag passt nicht zum Start-Tag) [Zeile 2, Spalte 10]")}));
}

TEST_F(XmlParserTest, FilesThatCannotStartGiveOneErrorAndNoEnd) {
  const struct {
    std::string xml;
    std::string error;
  } cases[] = {
      {"hallo <a/>", Msg(664, 1, 4)},
      {"", Msg(664, 1, 1)},
      {"   \r\n ", Msg(664, 2, 2)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.xml);
    EXPECT_EQ(Parse(c.xml), 0);
    EXPECT_EQ(ev.kinds, (std::vector<int>{kXmlError}));
    EXPECT_EQ(ev.errors, (std::vector<std::string>{c.error}));
  }
  ev = XmlEvents();
  parser.SetXMLFile(env.Root() + "fehlt.xml", &XmlEvents::Callback, &ev);
  EXPECT_EQ(parser.ParseXMLFile(), 0);
  EXPECT_EQ(ev.kinds, (std::vector<int>{kXmlError}));
  EXPECT_EQ(ev.errors, (std::vector<std::string>{"Die XML-Datei konnte nicht ge\xF6"
                                                 "ffnet werden (" +
                                                 env.Root() + "fehlt.xml)"}));
}

TEST_F(XmlParserTest, PositionsCountRealLinesAndCharacters) {
  // A long line, a text over three lines and umlauts before the error.
  const std::string xml = "<a>" + std::string(300, 'x') + "\r\n<b>eins\r\nzwei\ndrei</b>\r\n" +
                          "\xC3\xA4\xC3\xA4<c 1/></a>";
  Parse(xml);
  EXPECT_EQ(ev.errors, (std::vector<std::string>{Msg(673, 5, 6)}));
  // Each parse counts from the start of its own file.
  Parse("<a>\r\n<c 1/></a>");
  EXPECT_EQ(ev.errors, (std::vector<std::string>{Msg(673, 2, 4)}));
}

TEST_F(XmlParserTest, WatchedElementsAreTakenOrLeftInTheTree) {
  const std::string xml = "<r><x>1</x><y><x>2</x></y><x/></r>";
  ev = XmlEvents();
  ev.takeResult = 0;  // every watched element stays
  EXPECT_EQ(test::ParseBytes(parser, env.Root(), xml, ev, {"x"}), 1);
  EXPECT_EQ(ev.elements, (std::vector<std::string>{"x=\"1\"", "x=\"2\"", "x"}));
  EXPECT_EQ(Dump(ev.root.get()), "r{x=\"1\",y{x=\"2\"},x}");

  Parse(xml, {"x"});
  EXPECT_EQ(ev.elements, (std::vector<std::string>{"x=\"1\"", "x=\"2\"", "x"}));
  EXPECT_EQ(Dump(ev.root.get()), "r{y}");

  Parse(xml, {"y", "r"});  // the root itself taken: no root
  EXPECT_EQ(ev.elements, (std::vector<std::string>{"y{x=\"2\"}", "r{x=\"1\",x}"}));
  EXPECT_EQ(ev.root, nullptr);

  Parse(xml, {"X"});  // names compare with case
  EXPECT_TRUE(ev.elements.empty());
}

TEST_F(XmlParserTest, AParserServesSeveralFilesWithItsWatchList) {
  test::WriteAll(env.Root() + "eins.xml", "<r><x>1</x></r>");
  test::WriteAll(env.Root() + "zwei.xml", "<r><x>2</x><x>3</x></r>");
  ev.parser = &parser;
  parser.AddWatchName("x");
  for (const char* name : {"eins.xml", "zwei.xml"}) {
    parser.SetXMLFile(env.Root() + name, &XmlEvents::Callback, &ev);
    EXPECT_EQ(parser.ParseXMLFile(), 1);
  }
  EXPECT_EQ(ev.elements, (std::vector<std::string>{"x=\"1\"", "x=\"2\"", "x=\"3\""}));
  parser.AddWatchName("");  // clears the list
  ev = XmlEvents();
  ev.parser = &parser;
  EXPECT_EQ(parser.ParseXMLFile(), 1);
  EXPECT_TRUE(ev.elements.empty());
  EXPECT_EQ(Dump(ev.root.get()), "r{x=\"2\",x=\"3\"}");
}

std::string Nested(int depth) {
  std::string s;
  for (int i = 0; i < depth; ++i) s += "<a>";
  s += "x";
  for (int i = 0; i < depth; ++i) s += "</a>";
  return s;
}

TEST_F(XmlParserTest, NestingDeeperThanTheLimitEndsTheParseWithOneMessage) {
  EXPECT_EQ(Parse(Nested(256)), 1);
  EXPECT_TRUE(ev.errors.empty());
  int depth = 0;
  for (const TXMLNode* n = ev.root.get(); n; n = n->GetChild(0)) ++depth;
  EXPECT_EQ(depth, 256);

  EXPECT_EQ(Parse(Nested(257)), 1);
  EXPECT_EQ(ev.errors, (std::vector<std::string>{Msg(672, 1, 770)}));
  EXPECT_EQ(ev.root, nullptr);
  EXPECT_EQ(ev.kinds, (std::vector<int>{kXmlError, kXmlEnd}));
}

TEST_F(XmlParserTest, SizeLimitsEndTheParseWithOneMessage) {
  XmlLimits small;
  small.maxText = 100;
  small.maxName = 10;
  small.maxItems = 50;
  parser.SetLimitsForTest(small);

  Parse("<a>" + std::string(100, 'x') + "</a>");
  EXPECT_TRUE(ev.errors.empty());
  Parse("<a>" + std::string(300, 'x') + "</a><b/>");
  EXPECT_EQ(ev.errors, (std::vector<std::string>{Msg(763, 1, 303)}));
  Parse("<a v=\"" + std::string(300, 'x') + "\"/>");
  EXPECT_EQ(ev.errors.size(), 1u);
  Parse("<abcdefghijk/>");
  EXPECT_EQ(ev.errors, (std::vector<std::string>{Msg(763, 1, 12)}));

  // Taken elements no longer count: a long file of recipes stays within the limit.
  std::string many = "<r>";
  for (int i = 0; i < 1000; ++i) many += "<recipe n=\"1\"><i/><i/></recipe>";
  many += "</r>";
  Parse(many, {"recipe"});
  EXPECT_TRUE(ev.errors.empty());
  EXPECT_EQ(ev.elements.size(), 1000u);
  EXPECT_EQ(Dump(ev.root.get()), "r");
  // Kept, they reach it.
  Parse(many);
  EXPECT_EQ(ev.errors.size(), 1u);
  EXPECT_EQ(ev.errors[0].find(" (" + GetLangText(763) + ")"), 0u);
  EXPECT_EQ(ev.root, nullptr);
}

}  // namespace
}  // namespace tav
