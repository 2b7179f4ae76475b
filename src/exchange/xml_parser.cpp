#include "exchange/xml_parser.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/charset.h"
#include "platform/paths.h"
#include "services/context.h"

namespace tav {

// ---------------------------------------------------------------------------------------------
// Tree

TXMLNode::~TXMLNode() {
  // Iterative, so that deleting a deep tree cannot exhaust the stack.
  std::vector<TXMLNode*> pending = std::move(children_);
  while (!pending.empty()) {
    TXMLNode* n = pending.back();
    pending.pop_back();
    pending.insert(pending.end(), n->children_.begin(), n->children_.end());
    n->children_.clear();
    delete n;
  }
}

TXMLNode* TXMLNode::GetChild(int index) const {
  if (index < 0 || index >= GetChildCount()) return nullptr;
  return children_[static_cast<size_t>(index)];
}

namespace {
const std::string kEmpty;
}

const std::string& TXMLNode::GetAttribName(int index) const {
  if (index < 0 || index >= GetAttribCount()) return kEmpty;
  return attribs_[static_cast<size_t>(index)].GetName();
}

const std::string& TXMLNode::GetAttribValue(int index) const {
  if (index < 0 || index >= GetAttribCount()) return kEmpty;
  return attribs_[static_cast<size_t>(index)].GetValue();
}

void TXMLNode::AddAttrib(std::string name, std::string value) {
  attribs_.emplace_back(std::move(name), std::move(value));
}

void TXMLNode::AddChild(TXMLNode* child) {
  if (child) children_.push_back(child);
}

// ---------------------------------------------------------------------------------------------
// One parse

namespace {

constexpr size_t kChunk = size_t{1} << 16;

inline bool IsLetter(int c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
inline bool IsDigit(int c) {
  return c >= '0' && c <= '9';
}
inline bool IsNameChar(int c) {
  return IsLetter(c) || IsDigit(c) || c == '-' || c == ':' || c == '_';
}
inline bool IsBlank(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The Windows-1252 byte of a decoded code point; the C1 controls keep their byte (files that
// took Windows-1252 for Latin-1 write them for the euro sign and the quotes); '?' otherwise.
unsigned char ToCp1252(char32_t cp) {
  if (cp >= 0x80 && cp < 0xA0) return static_cast<unsigned char>(cp);
  const unsigned char b = CodePointToCp1252(cp);
  return b ? b : '?';
}

// Replaces the five predefined entities, each once: "&amp;lt;" gives "&lt;". Numeric character
// references and other entities stay as written.
void DecodeEntities(std::string& text) {
  size_t amp = text.find('&');
  if (amp == std::string::npos) return;
  static constexpr struct {
    const char* name;
    size_t len;
    char ch;
  } kEntities[] = {
      {"amp;", 4, '&'}, {"lt;", 3, '<'}, {"gt;", 3, '>'}, {"apos;", 5, '\''}, {"quot;", 5, '"'}};
  std::string out;
  out.reserve(text.size());
  size_t from = 0;
  while (amp != std::string::npos) {
    out.append(text, from, amp - from);
    from = amp + 1;
    char ch = '&';
    for (const auto& e : kEntities) {
      if (text.compare(amp + 1, e.len, e.name) == 0) {
        ch = e.ch;
        from = amp + 1 + e.len;
        break;
      }
    }
    out += ch;
    amp = text.find('&', from);
  }
  out.append(text, from, std::string::npos);
  text.swap(out);
}

// Elements and attributes of a subtree.
size_t CountItems(const TXMLNode& node) {
  size_t n = 0;
  std::vector<const TXMLNode*> pending{&node};
  while (!pending.empty()) {
    const TXMLNode* x = pending.back();
    pending.pop_back();
    n += 1 + static_cast<size_t>(x->GetAttribCount());
    for (int i = 0; i < x->GetChildCount(); ++i) pending.push_back(x->GetChild(i));
  }
  return n;
}

}  // namespace

class XmlParseRun {
 public:
  XmlParseRun(TXMLParser& parser, std::FILE* file)
      : p_(parser), file_(file), buf_(parser.buffer_), limits_(parser.limits_) {
    buf_.resize(kChunk);
  }

  int Run();

 private:
  // What became of an element.
  enum class Outcome { kDelivered, kTaken, kGivenUp };
  using NodePtr = std::unique_ptr<TXMLNode>;

  // -- reading --------------------------------------------------------------------------------
  bool Refill(size_t want);
  int Next();
  int NextSlow();
  void SkipBlanks() {
    while (IsBlank(cur_)) Next();
  }
  // Consumes the plain ASCII bytes that follow the current character up to the next byte that
  // needs a look (markup, line ends, non-ASCII, `stop`); appends them when `out` is given.
  void TakePlainRun(std::string* out, int stop);
  void StartLine() {
    if (newLine_) {
      ++line_;
      col_ = 0;
      newLine_ = false;
    }
  }

  // -- reports --------------------------------------------------------------------------------
  // An error message: " (detail)" and the position of the current character.
  void Report(const std::string& detail);
  // A syntax error with its language text; at the end of the file the one end-of-file report.
  void Error(int textId);
  void ReportEndOfFile();
  // A limit is reached: report and end the parse (every open element is discarded).
  void Fatal(int textId);

  // -- parsing --------------------------------------------------------------------------------
  void ParseProlog();
  // The current character must be `ch`: read past it, else report text `textId`.
  bool Expect(int ch, int textId);
  // Name characters from the current one on.
  bool ReadNameChars(std::string& name);
  bool ReadElementName(std::string& name, bool instruction);
  bool ReadAttributes(TXMLNode& node);
  bool ReadAttribute(TXMLNode& node);
  bool ReadAttribValue(std::string& value);
  Outcome ParseElement(int depth, NodePtr& delivered);
  bool ParseContent(TXMLNode& node, int depth);
  void SkipComment();
  bool CheckText(const std::string& text) {
    if (text.size() <= limits_.maxText) return true;
    Fatal(763);
    return false;
  }
  NodePtr NewNode(std::string name);
  bool CountItem();
  void Discard(NodePtr& node);
  bool IsWatched(const std::string& name) const;

  TXMLParser& p_;
  std::FILE* file_;
  std::vector<unsigned char>& buf_;
  const XmlLimits limits_;
  size_t pos_ = 0, end_ = 0;
  bool fileDone_ = false;  // fread has reached the end
  bool eof_ = false;       // no more characters (also after a limit)
  bool endReported_ = false;
  int cur_ = ' ';  // the current character, 0 at the end
  long line_ = 1, col_ = 0;
  bool newLine_ = false;  // the current character ended a line
  size_t items_ = 0;      // elements and attributes held now
};

bool XmlParseRun::Refill(size_t want) {
  if (fileDone_) return end_ - pos_ >= want;
  if (pos_ > 0) {
    std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
  }
  while (end_ - pos_ < want && !fileDone_) {
    const size_t n = std::fread(buf_.data() + end_, 1, buf_.size() - end_, file_);
    end_ += n;
    if (n == 0) fileDone_ = true;
  }
  return end_ - pos_ >= want;
}

inline int XmlParseRun::Next() {
  if (eof_) return cur_ = 0;
  if (pos_ < end_) {
    const unsigned char b = buf_[pos_];
    if (b >= 0x20 && b < 0x80) {
      StartLine();
      ++pos_;
      ++col_;
      return cur_ = b;
    }
  }
  return NextSlow();
}

int XmlParseRun::NextSlow() {
  for (;;) {
    if (pos_ >= end_ && !Refill(1)) {
      StartLine();
      ++col_;  // the position just past the last character
      eof_ = true;
      return cur_ = 0;
    }
    const unsigned char b = buf_[pos_];
    StartLine();
    if (b == 0) {  // not a character of any text file; dropped
      ++pos_;
      continue;
    }
    ++col_;
    if (b == '\n' || b == '\r') {
      ++pos_;
      if (b == '\r' && (pos_ < end_ || Refill(1)) && buf_[pos_] == '\n') ++pos_;
      newLine_ = true;
      return cur_ = '\n';
    }
    if (b < 0x80) {
      ++pos_;
      return cur_ = b;
    }
    // UTF-8: a valid sequence gives its Windows-1252 character, anything else stays a byte.
    if (end_ - pos_ < 4) Refill(4);
    const size_t avail = end_ - pos_;
    size_t len = 0;
    char32_t cp = 0, min = 0;
    if ((b & 0xE0) == 0xC0) {
      len = 2, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      len = 3, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      len = 4, cp = b & 0x07, min = 0x10000;
    }
    bool valid = len > 0 && avail >= len;
    for (size_t k = 1; valid && k < len; ++k) {
      const unsigned char c = buf_[pos_ + k];
      if ((c & 0xC0) != 0x80)
        valid = false;
      else
        cp = (cp << 6) | (c & 0x3F);
    }
    if (valid && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) valid = false;
    if (!valid) {
      ++pos_;
      return cur_ = b;
    }
    pos_ += len;
    return cur_ = ToCp1252(cp);
  }
}

void XmlParseRun::TakePlainRun(std::string* out, int stop) {
  const unsigned char* s = buf_.data() + pos_;
  const unsigned char* e = buf_.data() + end_;
  const unsigned char* q = s;
  while (q < e && *q >= 0x20 && *q < 0x80 && *q != '<' && *q != stop) ++q;
  const size_t n = static_cast<size_t>(q - s);
  if (n == 0) return;
  StartLine();
  if (out) out->append(reinterpret_cast<const char*>(s), n);
  pos_ += n;
  col_ += static_cast<long>(n);
}

// -- reports ------------------------------------------------------------------------------------

void XmlParseRun::Report(const std::string& detail) {
  if (!p_.callback_) return;
  std::string message = " (" + detail + ")";
  if (col_ > 0)
    message += " [" + GetLangText(675) + std::to_string(line_) + GetLangText(676) +
               std::to_string(col_) + "]";
  p_.callback_(p_.user_, kXmlError, message, nullptr);
}

void XmlParseRun::Error(int textId) {
  if (eof_) {
    ReportEndOfFile();
    return;
  }
  Report(GetLangText(textId));
}

void XmlParseRun::ReportEndOfFile() {
  if (endReported_) return;
  endReported_ = true;
  Report(GetLangText(762));
}

void XmlParseRun::Fatal(int textId) {
  if (!endReported_) Report(GetLangText(textId));
  endReported_ = true;
  eof_ = true;
  cur_ = 0;
}

// -- tree bookkeeping ---------------------------------------------------------------------------

bool XmlParseRun::CountItem() {
  if (++items_ <= limits_.maxItems) return true;
  Fatal(763);
  return false;
}

XmlParseRun::NodePtr XmlParseRun::NewNode(std::string name) {
  if (!CountItem()) return nullptr;
  return std::make_unique<TXMLNode>(std::move(name));
}

void XmlParseRun::Discard(NodePtr& node) {
  if (!node) return;
  const size_t n = CountItems(*node);
  items_ = n < items_ ? items_ - n : 0;
  node.reset();
}

bool XmlParseRun::IsWatched(const std::string& name) const {
  for (const auto& w : p_.watch_)
    if (w == name) return true;
  return false;
}

// -- parsing ------------------------------------------------------------------------------------

int XmlParseRun::Run() {
  // A UTF-8 byte-order mark is no character of the document.
  if (Refill(3) && buf_[0] == 0xEF && buf_[1] == 0xBB && buf_[2] == 0xBF) pos_ = 3;
  Next();
  SkipBlanks();
  for (int k = 0; k < 3 && cur_ != '<'; ++k) Next();
  if (cur_ != '<') {
    Report(GetLangText(664));
    return 0;
  }
  Next();
  ParseProlog();
  NodePtr root;
  if (ParseElement(1, root) == Outcome::kDelivered) p_.root_ = root.release();
  return 1;
}

void XmlParseRun::ParseProlog() {
  for (;;) {
    if (cur_ == '?') {
      Next();
      std::string target;
      if (!ReadElementName(target, true)) return;
      NodePtr node = NewNode(std::move(target));
      if (!node) return;
      if (!ReadAttributes(*node)) return;
      SkipBlanks();
      if (cur_ == '?') {
        Next();
        if (cur_ != '>') {
          Error(666);
          return;
        }
        p_.prolog_->AddChild(node.release());  // the '>' is read by the step below
      } else if (IsDigit(cur_) || cur_ == '-' || cur_ == ':') {
        Error(673);
        return;
      } else {
        Discard(node);  // any other character ends the instruction without keeping it
      }
    } else if (cur_ == '!') {
      // A document type declaration or a comment: up to the '>' outside brackets.
      int depth = 0;
      while (depth >= 0) {
        Next();
        if (eof_) return;
        if (cur_ == '[') {
          ++depth;
        } else if (cur_ == ']') {
          --depth;
        } else if (cur_ == '>') {
          if (depth > 0) {
            Error(667);
            return;
          }
          depth = -1;
        }
      }
    } else {
      return;  // the first character of the root element's name
    }
    Next();
    SkipBlanks();
    if (!Expect('<', 664)) return;
  }
}

bool XmlParseRun::Expect(int ch, int textId) {
  if (cur_ != ch) {
    Error(textId);
    return false;
  }
  Next();
  return true;
}

bool XmlParseRun::ReadNameChars(std::string& name) {
  name.clear();
  while (IsNameChar(cur_)) {
    name += static_cast<char>(cur_);
    if (name.size() > limits_.maxName) {
      Fatal(763);
      return false;
    }
    Next();
  }
  return true;
}

bool XmlParseRun::ReadElementName(std::string& name, bool instruction) {
  if (!IsLetter(cur_) && cur_ != '_' && cur_ != ':') {
    Error(670);
    return false;
  }
  if (!ReadNameChars(name)) return false;
  if (IsBlank(cur_) || cur_ == '/' || cur_ == '>' || (instruction && cur_ == '?')) return true;
  Error(671);
  return false;
}

bool XmlParseRun::ReadAttributes(TXMLNode& node) {
  for (;;) {
    SkipBlanks();
    if (!IsLetter(cur_) && cur_ != '_') return true;
    if (!ReadAttribute(node)) return false;
  }
}

bool XmlParseRun::ReadAttribute(TXMLNode& node) {
  std::string name;
  if (!ReadNameChars(name)) return false;
  if (!IsBlank(cur_) && cur_ != '=') {
    Error(673);
    return false;
  }
  SkipBlanks();
  if (!Expect('=', 665)) return false;
  SkipBlanks();
  if (IsDigit(cur_)) {
    Error(662);
    return false;
  }
  if (cur_ != '"' && cur_ != '\'') return true;  // dropped; its text is met by the tag
  std::string value;
  if (!ReadAttribValue(value)) return false;
  if (!CountItem()) return false;
  DecodeEntities(value);
  node.AddAttrib(std::move(name), std::move(value));
  return true;
}

bool XmlParseRun::ReadAttribValue(std::string& value) {
  const int quote = cur_;
  for (;;) {
    TakePlainRun(&value, quote);
    if (!CheckText(value)) return false;
    Next();
    if (cur_ == quote) break;
    if (eof_) {
      if (!endReported_) {
        endReported_ = true;
        Report(GetLangText(663));
      }
      return false;
    }
    value += static_cast<char>(cur_ == '\n' ? ' ' : cur_);  // a line end is a blank here
    if (!CheckText(value)) return false;
  }
  Next();
  return true;
}

XmlParseRun::Outcome XmlParseRun::ParseElement(int depth, NodePtr& delivered) {
  if (depth > limits_.maxDepth) {
    Fatal(672);
    return Outcome::kGivenUp;
  }
  SkipBlanks();
  std::string name;
  if (!ReadElementName(name, false)) return Outcome::kGivenUp;
  NodePtr node = NewNode(std::move(name));
  if (!node) return Outcome::kGivenUp;
  auto giveUp = [&](int textId) {
    if (textId) Error(textId);
    Discard(node);
    return Outcome::kGivenUp;
  };
  if (!ReadAttributes(*node)) return giveUp(0);
  SkipBlanks();
  bool withEvent = true;
  if (cur_ == '/') {
    Next();
    SkipBlanks();
    if (!Expect('>', 668)) return giveUp(0);
  } else if (cur_ == '>') {
    Next();
    if (!ParseContent(*node, depth)) return giveUp(0);
  } else if (cur_ == '<') {
    return giveUp(669);
  } else if (IsDigit(cur_) || cur_ == '-' || cur_ == ':' || eof_) {
    return giveUp(673);
  } else {
    // Complete as it stands; whatever follows is read by the enclosing element as text.
    withEvent = false;
  }
  if (withEvent && IsWatched(node->GetName()) && p_.callback_ &&
      p_.callback_(p_.user_, kXmlElement, std::string(), node.get()) == 1) {
    Discard(node);
    return Outcome::kTaken;
  }
  delivered = std::move(node);
  return Outcome::kDelivered;
}

bool XmlParseRun::ParseContent(TXMLNode& node, int depth) {
  std::string text;
  bool hadChild = false;     // text between child elements is dropped
  if (cur_ == '\n') Next();  // a line break right after the start tag is not text
  for (;;) {
    if (eof_) {
      ReportEndOfFile();
      return false;
    }
    if (cur_ != '<') {
      if (hadChild) {
        TakePlainRun(nullptr, 0);
      } else {
        text += static_cast<char>(cur_);
        TakePlainRun(&text, 0);
        if (!CheckText(text)) return false;
      }
      Next();
      continue;
    }
    Next();
    if (cur_ == '/') {
      Next();
      std::string name;
      if (!ReadElementName(name, false)) return false;
      if (name != node.GetName()) {
        Error(661);
        return false;
      }
      SkipBlanks();
      if (cur_ == '>') Next();
      break;
    }
    if (cur_ == '!') {
      SkipComment();
      continue;
    }
    NodePtr child;
    const Outcome outcome = ParseElement(depth + 1, child);
    if (outcome == Outcome::kGivenUp) continue;
    node.AddChild(child.release());
    if (!hadChild) {
      hadChild = true;
      std::string().swap(text);
    }
  }
  if (!hadChild) {
    DecodeEntities(text);
    node.SetValue(std::move(text));
  }
  return true;
}

void XmlParseRun::SkipComment() {
  // cur_ is the '!' after '<'.
  Next();
  if (!Expect('-', 674) || !Expect('-', 674)) return;
  for (;;) {
    if (eof_) return;
    if (cur_ == '-') {
      Next();
      if (cur_ == '-') break;
      if (eof_) return;
    }
    Next();
  }
  Next();
  Expect('>', 674);
}

// ---------------------------------------------------------------------------------------------
// Parser

TXMLParser::TXMLParser() : prolog_(new TXMLNode) {}

TXMLParser::~TXMLParser() {
  delete prolog_;
}

int TXMLParser::SetXMLFile(const std::string& fileName, XMLCallback callback, void* user) {
  fileName_ = fileName;
  callback_ = callback;
  user_ = user;
  return 1;
}

void TXMLParser::AddWatchName(const std::string& name) {
  if (name.empty())
    watch_.clear();
  else
    watch_.push_back(name);
}

int TXMLParser::ParseXMLFile() {
  root_ = nullptr;
  // Nobody reads the instructions of an earlier file; a parser kept for many files stays small.
  delete prolog_;
  prolog_ = new TXMLNode;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
      std::fopen(DiskPath(fileName_).c_str(), "rb"), &std::fclose);
  if (!file) {
    if (callback_) callback_(user_, kXmlError, GetLangText(677) + " (" + fileName_ + ")", nullptr);
    return 0;
  }
  int result;
  {
    XmlParseRun run(*this, file.get());
    result = run.Run();
  }
  file.reset();
  if (result && callback_) callback_(user_, kXmlEnd, std::string(), nullptr);
  return result;
}

}  // namespace tav
