#pragma once
// The program's own XML reader, used for CookML recipe files and the survey files.
//
// It is not a general XML processor: it reads one file in one pass and builds a tree of element
// nodes (name, attributes, text). Chosen elements are handed to an event function as soon as
// each is complete, so a file of many recipes is processed one recipe at a time: the caller
// takes the element (returns 1) and the parser deletes it at once, which keeps the memory of a
// long file flat. Errors are reported through the same function and the parse goes on after
// most of them.
//
// Typical use (the CookML import):
//
//   int OnRecipe(void* user, int kind, std::string text, TXMLNode* node) {
//     auto* self = static_cast<Importer*>(user);
//     if (kind == kXmlElement) self->Store(*node);        // node is the <recipe> element
//     else if (kind == kXmlEnd) delete self->parser.GetRootNode();
//     else if (kind == kXmlError) self->Log("! " + text);
//     return 1;                                           // 1: the parser deletes the node
//   }
//   parser.SetXMLFile(path, OnRecipe, this);
//   parser.AddWatchName("recipe");
//   parser.ParseXMLFile();
//
// Texts come out as Windows-1252 bytes: every valid UTF-8 character is decoded (a character
// that Windows-1252 lacks becomes '?'), and bytes that are not UTF-8 are kept as they are, so a
// file written in Windows-1252 reads as well. The five entities &amp; &lt; &gt; &apos; &quot;
// are decoded once; numeric character references stay as written. An element's value is its
// text, kept only when it has no child elements: line ends become "\n", a line break directly
// after the start tag is dropped. Attribute values take double or single quotes; a line end
// in them becomes a blank. Names compare exactly.
//
// Error messages read " (<language text>) [<text 675><line><text 676><column>]" (line and
// column of the character where the error was found, counted from 1); the one for a file that
// cannot be opened is text 677 followed by " (<file name>)".
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace tav {

class TXMLNode;

// Event kinds passed to XMLCallback.
enum XmlEventKind : int {
  kXmlError = 1,    // text: the message; node: null; the result is ignored
  kXmlElement = 3,  // node: a complete watched element; result 1 = taken (the parser deletes it)
  kXmlEnd = 4,      // the parse has ended; the caller now owns GetRootNode()
};

// The event function: user pointer (as given to SetXMLFile), event kind, message text, node.
// Any other result than 1 at kXmlElement leaves the element in the tree.
using XMLCallback = int (*)(void* user, int kind, std::string text, TXMLNode* node);

// Name and value, the common part of an element and an attribute. For an element the value is
// its text content (entities decoded), kept only when the element has no child elements; for
// an attribute it is the attribute's value.
class TXMLBase {
 public:
  TXMLBase() = default;
  TXMLBase(std::string name, std::string value)
      : name_(std::move(name)), value_(std::move(value)) {}

  const std::string& GetName() const { return name_; }
  const std::string& GetValue() const { return value_; }
  void SetName(std::string name) { name_ = std::move(name); }
  void SetValue(std::string value) { value_ = std::move(value); }

 private:
  std::string name_;
  std::string value_;
};

// An attribute: a name and its value.
class TXMLAttrib : public TXMLBase {
 public:
  using TXMLBase::TXMLBase;
};

// An element. It owns its attributes and its child elements (both in document order);
// deleting a node deletes its whole subtree.
class TXMLNode : public TXMLBase {
 public:
  TXMLNode() = default;
  explicit TXMLNode(std::string name) { SetName(std::move(name)); }
  ~TXMLNode();
  TXMLNode(const TXMLNode&) = delete;
  TXMLNode& operator=(const TXMLNode&) = delete;

  int GetChildCount() const { return static_cast<int>(children_.size()); }
  // The child at the index (counted from 0), still owned by this node; null out of range.
  TXMLNode* GetChild(int index) const;
  int GetAttribCount() const { return static_cast<int>(attribs_.size()); }
  // Name and value of the attribute at the index; empty out of range.
  const std::string& GetAttribName(int index) const;
  const std::string& GetAttribValue(int index) const;

  // Building the tree.
  void AddAttrib(std::string name, std::string value);
  void AddChild(TXMLNode* child);  // takes ownership

 private:
  std::vector<TXMLAttrib> attribs_;
  std::vector<TXMLNode*> children_;
};

// Limits that keep a broken or hostile file from exhausting the stack or the memory. Reaching
// one reports an error (text 672 for the depth, 763 for the others) and ends the parse.
struct XmlLimits {
  int maxDepth = 256;                  // nested elements
  size_t maxText = size_t{256} << 20;  // bytes of one element text or attribute value
  size_t maxName = 1000;               // bytes of an element or attribute name
  size_t maxItems = 4000000;           // elements and attributes held at once
};

// One parser, reusable for several files one after another.
//
// Events: kXmlError for every error (the file cannot be opened, a syntax error with its line
// and column, an unexpected end of file, a limit reached); kXmlElement for each complete
// element whose name is watched; kXmlEnd once at the end of every parse that found the file
// and its first '<'. Every event is delivered before ParseXMLFile returns.
//
// Error recovery: a failed item of the prolog ends the prolog; a failed element is discarded
// with everything under it and its parent goes on with its content; an end of file inside an
// element discards all open elements (reported once). A limit ends the parse.
class TXMLParser {
 public:
  TXMLParser();
  ~TXMLParser();  // does not delete the root node
  TXMLParser(const TXMLParser&) = delete;
  TXMLParser& operator=(const TXMLParser&) = delete;

  // The file to read and the function (with its user pointer) that receives the events.
  // Always 1.
  int SetXMLFile(const std::string& fileName, XMLCallback callback, void* user);
  // Adds an element name to the watch list (compared exactly); an empty name clears the list.
  void AddWatchName(const std::string& name);
  // Parses the file. 1 when the file was opened and its first '<' found (even when errors
  // followed), 0 otherwise (one kXmlError, no kXmlEnd).
  int ParseXMLFile();
  // The root element of the last parse: null when the parse produced none (syntax error in the
  // root, end of file inside it, or the root itself was watched and taken). The caller owns and
  // deletes it; a new parse forgets it.
  TXMLNode* GetRootNode() const { return root_; }

  // Test hook: other limits for the following parses.
  void SetLimitsForTest(const XmlLimits& limits) { limits_ = limits; }

 private:
  friend class XmlParseRun;
  TXMLNode* root_ = nullptr;
  TXMLNode* prolog_ = nullptr;  // the processing instructions before the root, of every parse
  std::string fileName_;
  std::vector<std::string> watch_;
  XMLCallback callback_ = nullptr;
  void* user_ = nullptr;
  XmlLimits limits_;
  std::vector<unsigned char> buffer_;  // the read buffer, kept for the next parse
};

}  // namespace tav
