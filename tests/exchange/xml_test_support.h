#pragma once
// Shared helpers of the XML parser tests: an event recorder and a compact dump of a tree.
#include <memory>
#include <string>
#include <vector>

#include "exchange/xml_parser.h"

namespace tav::test {

// Records the events of one parse. Watched elements are dumped and taken (or left in the tree
// when takeResult is not 1); at the end the root is taken over.
struct XmlEvents {
  std::vector<int> kinds;
  std::vector<std::string> errors;
  std::vector<std::string> elements;  // Dump() of each watched element
  int takeResult = 1;
  TXMLParser* parser = nullptr;
  std::unique_ptr<TXMLNode> root;

  static int Callback(void* user, int kind, std::string text, TXMLNode* node);
};

// name(attr=value,...)="text"{child,child}; parts left out when empty.
std::string Dump(const TXMLNode* node);

// Writes the bytes to a file in `folder` and parses it with the watch names.
int ParseBytes(TXMLParser& parser, const std::string& folder, const std::string& bytes,
               XmlEvents& events, const std::vector<std::string>& watch = {});

}  // namespace tav::test
