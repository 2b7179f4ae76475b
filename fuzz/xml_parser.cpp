// The XML reader of CookML and survey files: any file parses to the end or to a reported error,
// within its limits, and every node it hands out or leaves is whole.
#include "exchange/xml_parser.h"
#include "fuzz_support.h"

namespace {

using namespace tav;

struct Run {
  TXMLParser parser;
  int elements = 0, errors = 0, ends = 0;
};

// Walks a node as a reader of it would.
size_t Visit(const TXMLNode* node) {
  size_t n = node->GetName().size() + node->GetValue().size();
  for (int i = 0; i < node->GetAttribCount(); ++i)
    n += node->GetAttribName(i).size() + node->GetAttribValue(i).size();
  for (int i = 0; i < node->GetChildCount(); ++i) n += Visit(node->GetChild(i));
  return n;
}

int OnEvent(void* user, int kind, std::string text, TXMLNode* node) {
  auto* run = static_cast<Run*>(user);
  if (kind == kXmlElement) {
    ++run->elements;
    Visit(node);
    return run->elements % 3 == 0 ? 0 : 1;  // some watched elements stay in the tree
  }
  if (kind == kXmlEnd) {
    ++run->ends;
    if (TXMLNode* root = run->parser.GetRootNode()) {
      Visit(root);
      delete root;
    }
  } else if (kind == kXmlError) {
    ++run->errors;
    if (text.empty()) fuzz::Fail("an error without a message");
  }
  return 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  test::TestEnv& env = fuzz::Begin();
  FuzzedDataProvider in(data, size);
  XmlLimits limits;
  if (in.ConsumeBool()) {
    limits.maxDepth = in.ConsumeIntegralInRange(1, 300);
    limits.maxText = in.ConsumeIntegralInRange<size_t>(1, 5000);
    limits.maxName = in.ConsumeIntegralInRange<size_t>(1, 2000);
    limits.maxItems = in.ConsumeIntegralInRange<size_t>(1, 5000);
  }
  const std::string watch = in.ConsumeRandomLengthString(12);
  const std::string path = env.DataFolder() + "in.xml";
  fuzz::Write(path, in.ConsumeRemainingBytesAsString());

  Run run;
  run.parser.SetLimitsForTest(limits);
  run.parser.SetXMLFile(path, OnEvent, &run);
  run.parser.AddWatchName(watch);
  run.parser.AddWatchName("recipe");
  const int found = run.parser.ParseXMLFile();
  if (run.ends != (found ? 1 : 0)) fuzz::Fail("end event count is wrong");
  return 0;
}
