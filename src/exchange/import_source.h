#pragma once
// The line source of the recipe import: a file or the clipboard text, read line by line.
//
// Lines end at LF, CR LF or a lone CR (any run of CRs before an LF counts as one line end); the
// last line is delivered whether or not a line break follows it. Every line is cleaned as it is
// read, so the readers see the same text whatever wrote the file: a tab becomes blanks up to
// the next multiple of 8, every other control byte (NUL, the DOS end-of-file mark 0x1A ...)
// becomes a blank. A line longer than kMaxImportLine is cut there (the rest of it is skipped);
// the source counts such lines. Memory stays the size of the read buffer and the lines read ahead
// (Peek: the import looks at a recipe's lines before its reader does).
//
// Lines come in Windows-1252, whatever code page the writer used (ExchangeLineDecoder: UTF-8,
// DOS or Windows-1252, by line, recipe and file). Umlauts spelled as two letters are left to the
// readers, which convert each field after they have found it in its column, in a recipe the
// import found German.
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "services/charsets.h"

namespace tav {

class ImportSource {
 public:
  static constexpr size_t kMaxImportLine = 32768;

  ImportSource() = default;
  ~ImportSource() { Close(); }
  ImportSource(const ImportSource&) = delete;
  ImportSource& operator=(const ImportSource&) = delete;

  // Opens a file for reading; false when it cannot be opened.
  bool OpenFile(const std::string& path);
  // Reads from a text held in memory (the clipboard).
  void OpenText(std::string text);
  void Close();
  bool IsOpen() const { return open_; }

  // The next line without its line end, in Windows-1252; false (and an empty line) at the end
  // of the source.
  bool ReadLine(std::string& line);
  // Hands a line back: the next ReadLine gives it again.
  void UnreadLine(const std::string& line);
  // The line `i` places after the last line read (0: the next one), read and decoded now and
  // given by ReadLine later; nullptr when the source ends before it.
  const std::string* Peek(size_t i);
  // A recipe's start line was read: the code page of lines without letters is decided anew.
  void RecipeStarts() { decoder_.NewRecipe(); }

  // Lines read so far (a line handed back counts once).
  long long LineNumber() const { return lineNumber_; }
  // Number of the first line that was cut, 0 when none was.
  long long FirstCutLine() const { return firstCutLine_; }

 private:
  bool Fill();  // more bytes into the buffer; false when none came
  bool ReadRawLine(std::string& line);
  ExchangeLineDecoder decoder_;
  std::FILE* file_ = nullptr;
  std::vector<char> buf_;
  size_t pos_ = 0, end_ = 0;
  bool open_ = false;
  bool eof_ = false;
  // Lines read ahead or handed back, in order: a ring whose strings keep their room.
  std::vector<std::string> ahead_;
  size_t aheadFirst_ = 0, aheadCount_ = 0;
  std::string& Ahead(size_t i) { return ahead_[(aheadFirst_ + i) % ahead_.size()]; }
  void MakeRoomAhead();
  long long lineNumber_ = 0;
  long long firstCutLine_ = 0;
};

}  // namespace tav
