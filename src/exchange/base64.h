#pragma once
// Base64 (RFC 4648: the alphabet A-Z a-z 0-9 + /, '=' padding, no line breaks) for the pictures
// that CookML files carry inline in their <picbin> elements. The decoder accepts nothing but
// the alphabet and the final padding: a text with a line break or a blank does not decode.
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace tav {

// The coder keeps no state; the export and import windows each own one to group the calls.
// All results are 1 for success and 0 for failure.
class TBase64 {
 public:
  // The encoded length of n bytes plus one for a terminating zero; 0 for n = 0.
  static size_t Base64EncodedSize(size_t n);
  // The number of '=' at the end of the text: 0, 1 or 2; -1 for three or more.
  static int Base64PadCount(std::string_view text);
  // The number of bytes a text of that length and padding gives; 0 when the length is 0 or not
  // a multiple of 4, or the padding is not 0 to 2.
  static size_t Base64DecodedSize(size_t length, int pad);

  // Encodes n bytes into out (outSize at least Base64EncodedSize(n)), ended by a zero byte.
  static int Base64Encode(const void* data, size_t n, char* out, size_t outSize);
  // Decodes the text into out (outSize at least the decoded size). Fails on a length that is
  // not a multiple of 4, an empty text, a character outside the alphabet or a '=' before the
  // final padding; bytes written before the failure stay in out.
  static int Base64Decode(std::string_view text, void* out, size_t outSize);

  // Reads a whole file into data.
  static int ReadWholeFile(const std::string& fileName, std::string& data);
  // Replaces (or creates) the file with the bytes, through a temporary file.
  static int WriteWholeFile(const std::string& fileName, std::string_view data);

  // Writes the Base64 text of the whole file (no terminating zero, no line breaks) to the
  // stream, or appends it to out. A file that cannot be read writes nothing and gives 0; an
  // empty file writes nothing and gives 1.
  static int EncodeFileToStream(const std::string& fileName, std::FILE* stream);
  static int EncodeFileToStream(const std::string& fileName, std::string& out);
  // Decodes the text and writes the bytes as the file (replacing it). 1 only when the text
  // decoded and the file was written; nothing is written when the text does not decode.
  static int DecodeTextToFile(const std::string& fileName, std::string_view text);
};

}  // namespace tav
