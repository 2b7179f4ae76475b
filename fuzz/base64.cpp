// Base64 of the CookML pictures: any text decodes or is refused without writing past the
// buffer its decoded size asks for, and encoded bytes decode to themselves.
#include <cstring>
#include <vector>

#include "exchange/base64.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tav;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const size_t decodedSize = TBase64::Base64DecodedSize(text.size(), TBase64::Base64PadCount(text));
  std::vector<char> out(decodedSize);
  const int decoded = TBase64::Base64Decode(text, out.data(), out.size());
  if (decoded && decodedSize == 0) fuzz::Fail("an empty or odd text decoded");

  std::vector<char> coded(TBase64::Base64EncodedSize(size));
  if (size > 0 && !TBase64::Base64Encode(data, size, coded.data(), coded.size()))
    fuzz::Fail("encoding failed");
  if (size > 0) {
    const std::string_view codedText(coded.data(), coded.size() - 1);
    std::vector<char> back(
        TBase64::Base64DecodedSize(codedText.size(), TBase64::Base64PadCount(codedText)));
    if (back.size() != size || !TBase64::Base64Decode(codedText, back.data(), back.size()) ||
        std::memcmp(back.data(), data, size) != 0)
      fuzz::Fail("bytes changed by encoding and decoding");
  }
  return 0;
}
