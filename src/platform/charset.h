#pragma once
// Windows-1252 is the text encoding of every data file; the windows show UTF-8/UTF-16.
// These two functions are the only place where the two meet.
#include <string>
#include <string_view>

namespace tav {

// Every byte maps; the five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the C1 control characters of the same value, so a round trip keeps them.
std::string Cp1252ToUtf8(std::string_view text);

// Characters without a Windows-1252 form become '?'; invalid UTF-8 bytes are taken as
// Windows-1252 bytes, so a mislabelled file still reads.
std::string Utf8ToCp1252(std::string_view text);

// True when the text is well-formed UTF-8 (plain ASCII included).
bool IsUtf8(std::string_view text);

// The Unicode code point of one Windows-1252 byte.
char32_t Cp1252ToCodePoint(unsigned char c);

// The Windows-1252 byte of a code point, or 0 when it has none.
unsigned char CodePointToCp1252(char32_t cp);

}  // namespace tav
