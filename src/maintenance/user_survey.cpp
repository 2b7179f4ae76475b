#include "maintenance/user_survey.h"

#include <cstdlib>

#include "exchange/xml_parser.h"
#include "platform/charset.h"
#include "platform/text_file.h"
#include "services/charsets.h"
#include "services/context.h"

namespace tav {

namespace {

struct TypeWord {
  const char* word;
  int code;
};
constexpr TypeWord kTypeWords[] = {{"TEXT", kSurveyText},  {"CBTN", kSurveyCheck},
                                   {"RBTN", kSurveyRadio}, {"COBO", kSurveyCombo},
                                   {"EDIT", kSurveyEdit},  {"MEDT", kSurveyMemo}};

std::string Attrib(const TXMLNode* node, const char* name) {
  for (int i = 0; i < node->GetAttribCount(); ++i)
    if (node->GetAttribName(i) == name) return node->GetAttribValue(i);
  return std::string();
}

struct QuestionRead {
  TXMLParser* parser;
  std::vector<FRAGE>* questions;
};

int OnQuestionElement(void* user, int kind, std::string, TXMLNode* node) {
  auto* read = static_cast<QuestionRead*>(user);
  if (kind == kXmlEnd) {
    delete read->parser->GetRootNode();
  } else if (kind == kXmlElement && node) {
    FRAGE q;
    q.id = Attrib(node, "id");
    q.type = SurveyTypeCode(Attrib(node, "type"));
    const std::string lines = Attrib(node, "lines");
    q.lines = lines.empty() ? 1 : static_cast<int>(std::strtol(lines.c_str(), nullptr, 10));
    std::string text;
    for (int i = 0; i < node->GetChildCount(); ++i) {
      const TXMLNode* child = node->GetChild(i);
      if (child->GetName() == "text") text = child->GetValue();
      if (child->GetName() == "auswahl")
        q.choices.push_back({Attrib(child, "id"), Attrib(child, "text"), 0});
    }
    for (char c : text) {
      if (c == '|') {
        q.text += "\r\n";
        ++q.textLines;
      } else {
        q.text += c;
      }
    }
    read->questions->push_back(std::move(q));
  }
  return 1;
}

struct AnswerRead {
  TXMLParser* parser;
  std::vector<FRAGE>* questions;
  bool errors = false;
};

int OnAnswerElement(void* user, int kind, std::string, TXMLNode* node) {
  auto* read = static_cast<AnswerRead*>(user);
  if (kind == kXmlError) {
    read->errors = true;
  } else if (kind == kXmlEnd) {
    delete read->parser->GetRootNode();
  } else if (kind == kXmlElement && node) {
    const std::string id = Attrib(node, "id"), type = Attrib(node, "type");
    for (FRAGE& q : *read->questions) {
      if (q.id != id) continue;
      for (int i = 0; i < node->GetChildCount(); ++i) {
        std::string value = node->GetChild(i)->GetValue();
        if (type == "EDIT" || type == "MEDT") {
          LfToCrLf(value);
          q.answer = value;
        } else {
          for (AUSWAHL& a : q.choices)
            if (a.id == value) a.chosen = 1;
        }
      }
      break;
    }
  }
  return 1;
}

// Windows-1252 text as escaped UTF-8 for the answers file. Control bytes other than tab and
// line ends (pasted into an answer) are no XML characters at all, not even as references: a
// blank takes their place, so the file stays well-formed.
std::string XmlText(const std::string& text) {
  std::string out;
  for (char c : Cp1252ToUtf8(text)) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') c = ' ';
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// Line breaks of any kind as "\n"; the file writer makes them CR LF.
std::string Lf(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return out;
}

std::string CrLf(const std::string& text) {
  std::string out = Lf(text);
  LfToCrLf(out);
  return out;
}

}  // namespace

int SurveyTypeCode(const std::string& word) {
  for (const TypeWord& t : kTypeWords)
    if (word == t.word) return t.code;
  return kSurveyText;
}

const char* SurveyTypeWord(int type) {
  for (const TypeWord& t : kTypeWords)
    if (type == t.code) return t.word;
  return "TEXT";
}

std::vector<FRAGE> LoadSurveyQuestions(const std::string& path) {
  std::vector<FRAGE> questions;
  TXMLParser parser;
  QuestionRead read{&parser, &questions};
  parser.SetXMLFile(path, OnQuestionElement, &read);
  parser.AddWatchName("frage");
  parser.ParseXMLFile();
  return questions;
}

void LoadSurveyAnswers(const std::string& path, std::vector<FRAGE>& questions,
                       StoreFileGuard* guard) {
  StoreFileGuard local;
  StoreFileGuard& file = guard ? *guard : local;
  if (file.TooLarge(path)) return;
  // Read once whole first: the parser cannot tell a read error from the end of the file.
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    file.Read(path, false, false);
    return;
  }
  TXMLParser parser;
  AnswerRead read{&parser, &questions};
  parser.SetXMLFile(path, OnAnswerElement, &read);
  parser.AddWatchName("antwort");
  const bool parsed = parser.ParseXMLFile() != 0;
  // Whatever follows the answers' end (a second write run into the first) the parser passes
  // over, and a save would lose it.
  const size_t end = bytes.rfind("</tantwort>");
  const bool ended = end != std::string::npos &&
                     bytes.find_first_not_of(" \t\r\n", end + 11) == std::string::npos;
  const bool blank = bytes.find_first_not_of(" \t\r\n") == std::string::npos;
  file.Read(path, true,
            !blank && (!parsed || !ended || read.errors || bytes.find('\0') != std::string::npos));
}

bool IsAnswered(const FRAGE& q) {
  switch (q.type) {
    case kSurveyCheck:
    case kSurveyRadio:
      for (const AUSWAHL& a : q.choices)
        if (a.chosen) return true;
      return false;
    case kSurveyEdit:
    case kSurveyMemo:
      return !q.answer.empty();
    default:
      return false;
  }
}

std::string SurveyAnswersXml(const std::vector<FRAGE>& questions) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<tantwort>\n";
  for (const FRAGE& q : questions) {
    if (!IsAnswered(q)) continue;
    xml += "  <antwort id=\"" + XmlText(q.id) + "\" type=\"" + SurveyTypeWord(q.type) + "\">\n";
    if (q.type == kSurveyEdit || q.type == kSurveyMemo) {
      xml += "    <value>" + XmlText(Lf(q.answer)) + "</value>\n";
    } else {
      for (const AUSWAHL& a : q.choices)
        if (a.chosen) xml += "    <value>" + XmlText(a.id) + "</value>\n";
    }
    xml += "  </antwort>\n";
  }
  xml += "</tantwort>\n";
  LfToCrLf(xml);
  return xml;
}

std::string SurveyAnswersText(const std::vector<FRAGE>& questions, const std::string& xml) {
  std::string text = GetLangText(1059) + "\n\n" + GetLangText(1060) + "\n\n" +
                     Lf(GetLangText(1061)) + "\n\n" + GetLangText(1062) + "\n\n\n" +
                     GetLangText(1063) + "\n";
  for (const FRAGE& q : questions) {
    if (!IsAnswered(q)) continue;
    text += "\n" + Lf(q.text) + "\n";
    if (q.type == kSurveyEdit || q.type == kSurveyMemo) {
      text += "  " + Lf(q.answer) + "\n";
    } else {
      for (const AUSWAHL& a : q.choices)
        if (a.chosen) text += "  * " + a.text + "\n";
    }
  }
  text += "\n" + GetLangText(1064) + "\n";
  std::string out = CrLf(Cp1252ToUtf8(text)) + xml;
  out += "-------------------------------------------------------------\r\n";
  return out;
}

SurveyWrite WriteSurveyAnswers(const std::vector<FRAGE>& questions, const std::string& xmlPath,
                               const std::string& textPath, StoreFileGuard* guard) {
  if (questions.empty()) return SurveyWrite::kNoQuestions;
  if (guard && !guard->MayWrite()) return SurveyWrite::kAnswersKept;
  const std::string xml = SurveyAnswersXml(questions);
  if (!WriteFileAtomic(textPath, SurveyAnswersText(questions, xml)))
    return SurveyWrite::kTextFailed;
  if (!WriteFileAtomic(xmlPath, xml)) return SurveyWrite::kAnswersFailed;
  return SurveyWrite::kWritten;
}

}  // namespace tav
