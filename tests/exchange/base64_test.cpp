#include "exchange/base64.h"

#include <gtest/gtest.h>

#include <random>

#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::TempDir;
using test::WriteAll;

std::string Encode(const std::string& data) {
  std::string out(TBase64::Base64EncodedSize(data.size()), '#');
  if (out.empty()) return "";
  EXPECT_EQ(TBase64::Base64Encode(data.data(), data.size(), out.data(), out.size()), 1);
  EXPECT_EQ(out.back(), '\0');
  out.pop_back();
  return out;
}

// The decoded bytes, or "<fail>".
std::string Decode(const std::string& text) {
  std::string out(TBase64::Base64DecodedSize(text.size(), TBase64::Base64PadCount(text)), '\0');
  if (!TBase64::Base64Decode(text, out.data(), out.size())) return "<fail>";
  return out;
}

TEST(Base64, Sizes) {
  EXPECT_EQ(TBase64::Base64EncodedSize(0), 0u);
  EXPECT_EQ(TBase64::Base64EncodedSize(1), 5u);
  EXPECT_EQ(TBase64::Base64EncodedSize(2), 5u);
  EXPECT_EQ(TBase64::Base64EncodedSize(3), 5u);
  EXPECT_EQ(TBase64::Base64EncodedSize(4), 9u);
  EXPECT_EQ(TBase64::Base64PadCount(""), 0);
  EXPECT_EQ(TBase64::Base64PadCount("ABC="), 1);
  EXPECT_EQ(TBase64::Base64PadCount("AB=="), 2);
  EXPECT_EQ(TBase64::Base64PadCount("A==="), -1);
  EXPECT_EQ(TBase64::Base64DecodedSize(4, 1), 2u);
  EXPECT_EQ(TBase64::Base64DecodedSize(8, 0), 6u);
  EXPECT_EQ(TBase64::Base64DecodedSize(6, 0), 0u);
  EXPECT_EQ(TBase64::Base64DecodedSize(0, 0), 0u);
  EXPECT_EQ(TBase64::Base64DecodedSize(8, 3), 0u);
  EXPECT_EQ(TBase64::Base64DecodedSize(8, -1), 0u);
}

TEST(Base64, EncodesAndDecodesTheStandardVectors) {
  const struct {
    const char* data;
    const char* text;
  } cases[] = {{"f", "Zg=="},
               {"fo", "Zm8="},
               {"foo", "Zm9v"},
               {"foob", "Zm9vYg=="},
               {"fooba", "Zm9vYmE="},
               {"foobar", "Zm9vYmFy"},
               {"\xFF\xEF\xBE", "/+++"},
               {"\xFB\xFF", "+/8="}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Encode(c.data), c.text);
    EXPECT_EQ(Decode(c.text), c.data);
  }
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::mt19937 rng(3);
  for (int i = 0; i < 5000; ++i) all += static_cast<char>(rng());
  for (size_t cut : {all.size(), all.size() - 1, all.size() - 2}) {
    const std::string data = all.substr(0, cut);
    EXPECT_EQ(Decode(Encode(data)), data);
  }
}

TEST(Base64, EncodingNeedsRoomForTheTerminatingZero) {
  char out[9];
  EXPECT_EQ(TBase64::Base64Encode("abcd", 4, out, 8), 0);
  EXPECT_EQ(TBase64::Base64Encode("abcd", 4, out, 9), 1);
  EXPECT_STREQ(out, "YWJjZA==");
}

TEST(Base64, DecodingAcceptsOnlyTheAlphabetAndTheFinalPadding) {
  const char* bad[] = {
      "",               // empty
      "Zm9vY",          // not a multiple of 4
      "Zm9v\nYmFyZg=",  // a line break
      "Zm9v YmFyZg=",   // a blank
      "Zg==Zm8=",       // '=' before the last group
      "Z=8=",           // '=' inside the last group
      "Z===",           // three '='
      "Zm9v-_8=",       // the URL alphabet
  };
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Decode(text), "<fail>");
  }
  // The output buffer must hold the decoded bytes.
  char out[6] = {};
  EXPECT_EQ(TBase64::Base64Decode("Zm9vYmFy", out, 5), 0);
  // Bytes decoded before a bad character stay in the output.
  EXPECT_EQ(TBase64::Base64Decode("Zm9vYmF!", out, 6), 0);
  EXPECT_EQ(std::string(out, 3), "foo");
}

TEST(Base64, DecodeTextToFileWritesOnlyWhatDecodes) {
  TempDir dir;
  const std::string pic = dir.Path() + "abcdefgh.JPG";
  EXPECT_EQ(TBase64::DecodeTextToFile(pic, "Zg=="), 1);
  EXPECT_EQ(ReadAll(pic), "f");
  // A bad text leaves the file as it was.
  EXPECT_EQ(TBase64::DecodeTextToFile(pic, "Zm9v\r\nYmFy"), 0);
  EXPECT_EQ(ReadAll(pic), "f");
  // A good one replaces it.
  EXPECT_EQ(TBase64::DecodeTextToFile(pic, "Zm9vYmFy"), 1);
  EXPECT_EQ(ReadAll(pic), "foobar");
  // A file that cannot be written is a failure, not a success.
  EXPECT_EQ(TBase64::DecodeTextToFile(dir.Path() + "fehlt/x.JPG", "Zg=="), 0);
}

TEST(Base64, EncodeFileToStreamWritesTheWholeFileOrNothing) {
  TempDir dir;
  std::string picture;
  std::mt19937 rng(11);
  for (int i = 0; i < 70001; ++i) picture += static_cast<char>(rng());
  WriteAll(dir.Path() + "bild.jpg", picture);
  WriteAll(dir.Path() + "leer.jpg", "");

  std::string text = "<picbin format=\"JPG\">";
  EXPECT_EQ(TBase64::EncodeFileToStream(dir.Path() + "bild.jpg", text), 1);
  const std::string encoded = text.substr(21);
  EXPECT_EQ(encoded.size(), TBase64::Base64EncodedSize(picture.size()) - 1);
  EXPECT_EQ(encoded.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
  EXPECT_EQ(Decode(encoded), picture);

  std::string untouched = "x";
  EXPECT_EQ(TBase64::EncodeFileToStream(dir.Path() + "fehlt.jpg", untouched), 0);
  EXPECT_EQ(TBase64::EncodeFileToStream(dir.Path() + "leer.jpg", untouched), 1);
  EXPECT_EQ(untouched, "x");

  // The same through an open file.
  const std::string out = dir.Path() + "out.cml";
  std::FILE* f = std::fopen(out.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("A", f);
  EXPECT_EQ(TBase64::EncodeFileToStream(dir.Path() + "bild.jpg", f), 1);
  EXPECT_EQ(TBase64::EncodeFileToStream(dir.Path() + "fehlt.jpg", f), 0);
  std::fclose(f);
  EXPECT_EQ(ReadAll(out), "A" + encoded);

  // Whole files round trip.
  EXPECT_EQ(TBase64::DecodeTextToFile(dir.Path() + "zurueck.jpg", encoded), 1);
  std::string back;
  EXPECT_EQ(TBase64::ReadWholeFile(dir.Path() + "zurueck.jpg", back), 1);
  EXPECT_EQ(back, picture);
  EXPECT_EQ(TBase64::ReadWholeFile(dir.Path() + "fehlt.jpg", back), 0);
}

}  // namespace
}  // namespace tav
