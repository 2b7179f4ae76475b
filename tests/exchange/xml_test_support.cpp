#include "xml_test_support.h"

#include <gtest/gtest.h>

#include "support/test_env.h"

namespace tav::test {

int XmlEvents::Callback(void* user, int kind, std::string text, TXMLNode* node) {
  auto* self = static_cast<XmlEvents*>(user);
  self->kinds.push_back(kind);
  if (kind == kXmlError) {
    EXPECT_EQ(node, nullptr);
    self->errors.push_back(text);
  } else if (kind == kXmlElement) {
    EXPECT_NE(node, nullptr);
    self->elements.push_back(Dump(node));
    return self->takeResult;
  } else if (kind == kXmlEnd) {
    self->root.reset(self->parser->GetRootNode());
  }
  return 1;
}

std::string Dump(const TXMLNode* node) {
  if (!node) return "null";
  std::string s = node->GetName();
  if (node->GetAttribCount() > 0) {
    s += '(';
    for (int i = 0; i < node->GetAttribCount(); ++i) {
      if (i) s += ',';
      s += node->GetAttribName(i) + "=" + node->GetAttribValue(i);
    }
    s += ')';
  }
  if (!node->GetValue().empty()) s += "=\"" + node->GetValue() + "\"";
  if (node->GetChildCount() > 0) {
    s += '{';
    for (int i = 0; i < node->GetChildCount(); ++i) {
      if (i) s += ',';
      s += Dump(node->GetChild(i));
    }
    s += '}';
  }
  return s;
}

int ParseBytes(TXMLParser& parser, const std::string& folder, const std::string& bytes,
               XmlEvents& events, const std::vector<std::string>& watch) {
  const std::string path = folder + "in.xml";
  WriteAll(path, bytes);
  events.parser = &parser;
  parser.SetXMLFile(path, &XmlEvents::Callback, &events);
  parser.AddWatchName("");
  for (const auto& w : watch) parser.AddWatchName(w);
  return parser.ParseXMLFile();
}

}  // namespace tav::test
