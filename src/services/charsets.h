#pragma once
// Character sets of the exchange formats: DOS umlauts and umlauts spelled as two letters,
// transliteration, XML, HTML and sort keys. Text is Windows-1252 throughout. The umlaut
// exception words live in the tools module (TToolsMod::umlautExceptions).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "services/tools_module.h"

namespace tav {

// The 16-bit units of the CookML writer: each unit holds one plain byte, or two bytes of a
// UTF-8 sequence (first byte high, second byte low).
using WideText = std::u16string;

// Reads the exception words of "umlconvs.dat" in the language folder into the tools module's
// list (emptied first). A missing file leaves the list empty.
void LoadUmlautExceptions();
// The reader behind it: '#' lines set the offset of the words below them; the first '?' of a
// word becomes the marker code 1. False when the file cannot be opened (list left empty).
bool ReadUmlautExceptions(const std::string& path, std::vector<UMLCONV>& list);

// DOS code page letters to Windows-1252; then, unless option 22 is set, "ae", "oe", "ue" (any
// case of the 'e', first letter a, o, u, A, O, U) become umlauts where no exception word
// protects the pair.
void DosToAnsiUmlauts(std::string& text);
// The same with an explicit exception list and switch (the service above reads them from the
// tools module and option 22).
void DosToAnsiUmlauts(std::string& text, const std::vector<UMLCONV>& exceptions,
                      bool keepSpelledUmlauts);
// The first step alone: the twelve letters the DOS code page places apart from Windows-1252.
void DosLettersToAnsi(std::string& text);

// The second step alone, for many texts: the exception words are sorted once by the pair they
// can protect and the letter before it, so a pair is checked against a handful of words.
class UmlautSpelling {
 public:
  // Converts nothing.
  UmlautSpelling() = default;
  // `keepSpelledUmlauts` is option 22: nothing is converted then.
  UmlautSpelling(const std::vector<UMLCONV>& exceptions, bool keepSpelledUmlauts);
  // The tools module's exception words and option 22.
  static UmlautSpelling Current();

  // In place: "ae", "oe", "ue" ... become umlauts where no exception word protects the pair.
  void Convert(std::string& text) const;
  // The same for the end of a text from `from`, as a text of its own (exception words look no
  // further back), so a line appended to a longer text needs no copy of its own.
  void ConvertFrom(std::string& text, size_t from) const;
  std::string Converted(std::string_view text) const;
  // Nothing can be converted: option 22, or exception words that protect every pair (the
  // English "umlconvs.dat").
  bool ConvertsNothing() const { return !active_ || protectsAll_; }
  // The text holds a letter pair that may be an umlaut spelled out ("ae", "oe", "ue", any case).
  static bool HasSpelledPair(std::string_view text);

 private:
  bool Protected(std::string_view text, size_t p, int letter) const;
  struct Word {
    std::string text;
    size_t offset;
  };
  bool active_ = false;
  bool protectsAll_ = false;
  std::vector<Word> words_;  // grouped by bucket: pair letter (a, o, u) x letter before it
  std::vector<uint32_t> bucketStart_;
};

// Lines of an exchange file made Windows-1252, whatever code page their writer used:
// - a line that is well-formed UTF-8 with bytes above 0x7F is read as UTF-8 (characters without
//   a Windows-1252 form become '?'); a byte-order mark at the start of the first line goes;
// - any other line with bytes above 0x7F is DOS (code page 437/850) or already Windows-1252,
//   as its letters show: DOS letters lie at 0x80-0xA5, Windows-1252 letters at 0xC0-0xFF and
//   count only next to a letter; box and block signs of 437 apart from letters are DOS. A line
//   without letters of either kind (only ° or ½) takes the code page most lines of its recipe
//   showed so far, else most of the file's, DOS at the start; so one line of Windows-1252 letters
//   in a DOS file changes only that line. A DOS line maps the twelve letters of DosLettersToAnsi,
//   every other letter and sign the two DOS code pages agree on (é ñ ° ½ ¼, the non-breaking space
//   ...) and the graphics to '-', '|', '+', '*' or a blank; a Windows-1252 line stays as it is,
//   but for the DOS signs its writer may have kept, read by their neighbours: 0xF8 between a
//   number and C or F is the degree sign ("220øC"), 0x85 alone before an amount or "la" is "à".
class ExchangeLineDecoder {
 public:
  // `utf8`: lines may be UTF-8 (files; clipboard text is Windows-1252 already).
  explicit ExchangeLineDecoder(bool utf8 = true) : utf8_(utf8) {}
  void Decode(std::string& line);
  // A recipe starts: its lines without letters no longer follow the recipe before.
  void NewRecipe() { recipeScore_ = 0; }

 private:
  bool utf8_;
  bool first_ = true;
  // Lines that showed DOS letters less those that showed Windows-1252 letters, since the
  // recipe's start and since the file's.
  long long recipeScore_ = 0;
  long long fileScore_ = 0;
};
// Option 21: Windows-1252 letters to the DOS code page; otherwise nothing changes.
void AnsiToDosUmlauts(std::string& text);
// Option 31: Ä ä Ö ö Ü ü ß spelled out ("Ae", "ss" ...); otherwise nothing changes.
void TransliterateUmlauts(std::string& text);

// The text escaped for XML as UTF-8 units: > < ' " & become entities, every byte from 0x80 up
// becomes the UTF-8 form of its Windows-1252 character, other bytes stay.
void XmlEscapeUtf8(std::string_view text, WideText& out);
// One unit per byte (value 0-255); Assign empties the wide text first.
void AssignCString(std::string_view text, WideText& out);
void AppendCString(std::string_view text, WideText& out);
// The bytes the CookML writer puts out for the units: the high byte when not 0, then the low.
std::string WideTextBytes(const WideText& units);

// > < " & become entities; nothing else changes.
void HtmlEscape(std::string& text);
// Upper-case sort key: a-z upper, Ä/ä "AE", Ö/ö "OE", Ü/ü "UE", ß "SS".
std::string MakeSortKey(std::string_view text);
// Every bare line feed becomes CR LF; a CR LF pair stays as it is.
void LfToCrLf(std::string& text);
// Every CR LF pair becomes "<br>\n".
std::string CrLfToBr(std::string_view text);

// Letter case of Windows-1252 text (the Western letters, Š Œ Ž Ÿ included; ß and µ have no
// upper-case letter here).
char UpperAnsi(char c);
char LowerAnsi(char c);
std::string UpperCaseAnsi(std::string_view text);
// Equal without regard to letter case.
bool SameTextNoCase(std::string_view a, std::string_view b);
// Dictionary order without regard to case: accented letters sort with their base letter (ä with
// a, ß as ss), ties broken by the letters themselves. <0, 0, >0.
int CompareTextNoCase(std::string_view a, std::string_view b);
// A key whose byte order is the order of CompareTextNoCase: the base-letter key, a zero byte,
// then the text upper-cased (UpperCaseAnsi). For sorting many texts without comparing them
// letter by letter again and again.
std::string CompareKeyNoCase(std::string_view text);

}  // namespace tav
