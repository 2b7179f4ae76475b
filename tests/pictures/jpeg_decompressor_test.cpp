#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <stdexcept>

#include "jpeg_test_support.h"
#include "pictures/jpeg_decompressor.h"
#include "pictures/jpeg_stream.h"

namespace tav {
namespace {

using namespace jpegtest;

std::unique_ptr<TBitmap> Decode(const std::string& bytes, TJPEGStreamDecompressor& d) {
  TMemoryStream stream(bytes);
  return d.ReadBitMapFromStream(stream);
}

std::string ErrorOf(const std::string& bytes) {
  TJPEGStreamDecompressor d;
  try {
    Decode(bytes, d);
  } catch (const EJPEGError& e) {
    return e.what();
  }
  return "";
}

// Colour pictures from other encoders come out as blue-green-red rows, whatever their kind.
TEST(JPEGDecode, ColourFixturesGiveRedGreenBlueBands) {
  for (const char* name :
       {"jpeg_red_green_blue.jpg", "jpeg_progressive.jpg", "jpeg_cmyk.jpg", "jpeg_ycck.jpg"}) {
    SCOPED_TRACE(name);
    TJPEGFileDecompressor d;
    std::vector<std::string> warnings;
    d.OnWarning = [&](const std::string& w) { warnings.push_back(w); };
    TBitmap picture;
    d.LoadPictureFromFile(picture, test::Fixture(name));
    ASSERT_EQ(picture.Width(), 48);
    ASSERT_EQ(picture.Height(), 16);
    EXPECT_EQ(picture.BitCount(), 24);
    ExpectBands(picture, 24);
    EXPECT_TRUE(warnings.empty());
  }
}

TEST(JPEGDecode, GreyPictureIsEightBitWith64LevelPalette) {
  TJPEGFileDecompressor d;
  TBitmap picture;
  d.LoadPictureFromFile(picture, test::Fixture("jpeg_grayscale.jpg"));
  ASSERT_EQ(picture.BitCount(), 8);
  ASSERT_EQ(picture.Colors().size(), 64u);
  for (int i : {0, 1, 32, 63}) {
    int v = static_cast<int>(std::lround(255 * std::sin(i * std::numbers::pi / 126)));
    EXPECT_EQ(picture.Colors()[i].rgbRed, v);
    EXPECT_EQ(picture.Colors()[i].rgbBlue, v);
  }
  // Bands of grey 0, 64, 128, 255, each sample divided by 4.
  const uint8_t* row = picture.ScanLine(8);
  int expected[] = {0, 16, 32, 63};
  for (int band = 0; band < 4; ++band) EXPECT_NEAR(row[band * 16 + 8], expected[band], 1);
}

TEST(JPEGDecode, FileCutShortGivesPictureAndOneWarning) {
  TJPEGFileDecompressor d;
  std::vector<std::string> warnings;
  d.OnWarning = [&](const std::string& w) { warnings.push_back(w); };
  TBitmap picture;
  d.LoadPictureFromFile(picture, test::Fixture("jpeg_truncated.jpg"));
  ASSERT_EQ(picture.Width(), 32);
  ASSERT_EQ(picture.Height(), 32);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0], "Premature end of JPEG file");
  EXPECT_GE(d.GetWarnings(), 1);
  // The decoded top keeps its noise; the missing bottom is plain grey.
  EXPECT_FALSE(Near(picture, 0, 0, {128, 128, 128}, 4));
  EXPECT_TRUE(Near(picture, 31, 31, {128, 128, 128}, 1));
}

TEST(JPEGDecode, EmptyAndNonJPEGInputAreErrors) {
  EXPECT_EQ(ErrorOf(FixtureBytes("jpeg_empty.jpg")), "Empty input file");
  EXPECT_NE(ErrorOf("GIF89a and more").find("Not a JPEG file"), std::string::npos);
  // Cut inside the header: nothing to show.
  std::string header = FixtureBytes("jpeg_red_green_blue.jpg").substr(0, 100);
  EXPECT_FALSE(ErrorOf(header).empty());
}

TEST(JPEGDecode, MarkerLengthBelowTwoIsACorruptFile) {
  const std::string good = FixtureBytes("jpeg_red_green_blue.jpg");
  struct Case {
    const char* name;
    std::string marker;
    bool withHandler;
  } cases[] = {
      {"comment, length 0", std::string("\xFF\xFE\x00\x00", 4), false},
      {"comment, length 1", std::string("\xFF\xFE\x00\x01", 4), false},
      {"APP1, length 0", std::string("\xFF\xE1\x00\x00", 4), false},
      {"APP5, length 1, handler declines", std::string("\xFF\xE5\x00\x01", 4), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = good.substr(0, 2) + c.marker + good.substr(2);
    TJPEGStreamDecompressor d;
    bool called = false;
    if (c.withHandler) d.OnJPEGMarker = [&](TJPEGDecompressor&, int, bool&) { called = true; };
    EXPECT_THROW(
        {
          try {
            Decode(bytes, d);
          } catch (const EJPEGError& e) {
            EXPECT_STREQ(e.what(), "Bogus marker length");
            throw;
          }
        },
        EJPEGError);
    EXPECT_EQ(called, c.withHandler);
    // The decompressor is whole again afterwards.
    ExpectBands(*Decode(good, d), 24);
  }
}

// Whatever the bytes, a decode gives a picture or an EJPEGError: never a crash or a hang.
TEST(JPEGDecode, DamagedFilesNeverCrash) {
  std::vector<std::string> inputs;
  for (const char* name : {"jpeg_red_green_blue.jpg", "jpeg_progressive.jpg", "jpeg_ycck.jpg"}) {
    const std::string good = FixtureBytes(name);
    for (size_t cut = 0; cut < good.size(); cut += 7) inputs.push_back(good.substr(0, cut));
    std::mt19937 random(42);
    for (int i = 0; i < 150; ++i) {
      std::string bad = good;
      for (int flips = 0; flips < 3; ++flips) {
        bad[random() % bad.size()] = static_cast<char>(random() % 256);
      }
      inputs.push_back(bad);
    }
  }
  TJPEGStreamDecompressor d;
  int pictures = 0;
  for (const std::string& bytes : inputs) {
    try {
      auto picture = Decode(bytes, d);
      ++pictures;
      EXPECT_FALSE(picture->Empty());
    } catch (const EJPEGError&) {
    }
  }
  EXPECT_GT(pictures, 0);
  ExpectBands(*Decode(FixtureBytes("jpeg_red_green_blue.jpg"), d), 24);
}

TEST(JPEGDecode, APictureTooBigToDecodeIsRefusedBeforeItsMemoryIsTaken) {
  // A few hundred bytes whose header claims 65500 x 65500 pixels once asked for 12 GB.
  const std::string bytes = FixtureBytes("jpeg_header_claims_65500_square.jpg");
  for (TJPEGOutputType type : {jp24bit, jp8bit, jp4bit, jpGrayscale}) {
    TJPEGStreamDecompressor d;
    TMemoryStream stream(bytes);
    TDIBInfo info;
    std::vector<uint8_t> bits;
    EXPECT_THROW(d.ReadDIBitmapFromStream(stream, info, bits, type), EJPEGError) << type;
    EXPECT_TRUE(bits.empty());
  }
  EXPECT_EQ(ErrorOf(bytes), "JPEG image is too big");
  // The decoder stays usable.
  TJPEGStreamDecompressor d;
  ExpectBands(*Decode(FixtureBytes("jpeg_red_green_blue.jpg"), d), 24);
}

TEST(JPEGDecode, AFileOfEndlesslyRepeatedScansIsRefused) {
  // Each scan is a pass over the whole picture: repeated scans kept the decoder busy for
  // minutes with a large picture.
  EXPECT_EQ(ErrorOf(FixtureBytes("jpeg_scan_repeated_510_times.jpg")),
            "JPEG file has too many scans");
  TJPEGStreamDecompressor d;
  ExpectBands(*Decode(FixtureBytes("jpeg_progressive.jpg"), d), 24);
}

TEST(JPEGDecode, PaletteOutputsMapToTheRightColours) {
  for (TJPEGOutputType type : {jp8bit, jp4bit}) {
    SCOPED_TRACE(type == jp8bit ? "8 bit" : "4 bit");
    TJPEGStreamDecompressor d;
    TMemoryStream stream(FixtureBytes("jpeg_red_green_blue.jpg"));
    TDIBInfo info;
    std::vector<uint8_t> bits;
    d.ReadDIBitmapFromStream(stream, info, bits, type);
    int bitCount = type == jp8bit ? 8 : 4;
    ASSERT_EQ(info.bmiHeader.biBitCount, bitCount);
    ASSERT_EQ(info.bmiColors.size(), size_t{1} << bitCount);
    ASSERT_EQ(bits.size(), static_cast<size_t>(DIBStride(48, bitCount)) * 16);
    TBitmap picture;
    picture.SetSize(48, 16, bitCount, info.bmiColors);
    std::copy(bits.begin(), bits.end(), picture.Bits());
    // Colour map plane 0 is blue: a swap would turn the red band blue.
    ExpectBands(picture, 40);
  }
}

TEST(JPEGDecode, GreyPictureRefusesColourOutputAndCmykRefusesPalettes) {
  struct Case {
    const char* fixture;
    TJPEGOutputType type;
    const char* message;
  } cases[] = {
      {"jpeg_grayscale.jpg", jp24bit, "Image is Grayscale but colour output requested"},
      {"jpeg_grayscale.jpg", jp8bit, "Image is Grayscale but colour output requested"},
      {"jpeg_cmyk.jpg", jp8bit, "A CMYK picture cannot be shown with a colour palette"},
      {"jpeg_ycck.jpg", jp4bit, "A CMYK picture cannot be shown with a colour palette"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    TJPEGStreamDecompressor d;
    TMemoryStream stream(FixtureBytes(c.fixture));
    TDIBInfo info;
    std::vector<uint8_t> bits;
    try {
      d.ReadDIBitmapFromStream(stream, info, bits, c.type);
      ADD_FAILURE() << "no error";
    } catch (const EJPEGError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(JPEGDecode, GreyOutputOfColourPictures) {
  for (const char* name : {"jpeg_red_green_blue.jpg", "jpeg_cmyk.jpg"}) {
    SCOPED_TRACE(name);
    TJPEGStreamDecompressor d;
    d.GrayScaleOutput = true;
    auto picture = Decode(FixtureBytes(name), d);
    ASSERT_EQ(picture->BitCount(), 8);
    // Luminance of red, green, blue (0.30, 0.59, 0.11 of 255), divided by 4.
    const uint8_t* row = picture->ScanLine(8);
    EXPECT_NEAR(row[8], 76 / 4, 3);
    EXPECT_NEAR(row[24], 150 / 4, 3);
    EXPECT_NEAR(row[40], 29 / 4, 3);
  }
}

TEST(JPEGDecode, BitmapFileOfAGreyPictureHoldsItsPalette) {
  TJPEGStreamDecompressor d;
  TMemoryStream jpeg(FixtureBytes("jpeg_grayscale.jpg"));
  TMemoryStream bmp;
  d.ConvertToDIB(jpeg, bmp, jpGrayscale);
  const std::string& file = bmp.Bytes();
  ASSERT_GE(file.size(), 54u);
  auto u32 = [&](size_t at) {
    return uint32_t(uint8_t(file[at])) | uint32_t(uint8_t(file[at + 1])) << 8 |
           uint32_t(uint8_t(file[at + 2])) << 16 | uint32_t(uint8_t(file[at + 3])) << 24;
  };
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(u32(2), file.size());
  EXPECT_EQ(u32(10), 14u + 296u);
  EXPECT_EQ(u32(46), 64u);  // colours used
  EXPECT_EQ(file.size(), 14u + 296u + 64u * 16u);

  TBitmap back;
  bmp.SetPosition(0);
  back.LoadFromStream(bmp);
  EXPECT_EQ(back.BitCount(), 8);
  EXPECT_EQ(back.Colors().size(), 64u);
  EXPECT_NEAR(back.ScanLine(8)[56], 63, 1);
  EXPECT_EQ(back.Pixel(56, 8).rgbRed, 255);
}

TEST(JPEGDecode, CommentsAndApplicationMarkersReachTheEvents) {
  // An APP3 block read by the handler, an APP7 block and a comment longer than the buffer.
  std::string app3 = std::string("\xFF\xE3\x00\x06", 4) + "Tavo";
  std::string app7 = std::string("\xFF\xE7\x00\x05", 4) + "xyz";
  std::string text(300, 'k');
  std::string com = std::string("\xFF\xFE\x01\x2E", 4) + text;
  std::string good = FixtureBytes("jpeg_red_green_blue.jpg");
  std::string bytes = good.substr(0, 2) + app3 + app7 + com + good.substr(2);

  TJPEGStreamDecompressor d;
  d.SetBufSize(16);  // markers cross buffer boundaries
  std::vector<std::string> comments;
  std::vector<int> markers;
  std::string app3Data;
  d.OnJPEGComment = [&](TJPEGDecompressor&, const char* c) { comments.push_back(c); };
  d.OnJPEGMarker = [&](TJPEGDecompressor& sender, int marker, bool& done) {
    markers.push_back(marker);
    if (marker != 3) return;
    int length = sender.GetByte() << 8;
    length |= sender.GetByte();
    for (int i = 2; i < length; ++i) app3Data.push_back(static_cast<char>(sender.GetByte()));
    done = true;
  };
  ExpectBands(*Decode(bytes, d), 24);
  EXPECT_EQ(markers, (std::vector<int>{3, 7}));
  EXPECT_EQ(app3Data, "Tavo");
  EXPECT_EQ(comments, (std::vector<std::string>{text}));
}

TEST(JPEGDecode, ProgressRunsToOneHundredPercent) {
  TJPEGStreamDecompressor d;
  std::vector<int> percents;
  d.OnProgressReport = [&](TJPEGBase& sender) { percents.push_back(sender.PercentDone()); };
  EXPECT_EQ(d.PercentDone(), 0);
  Decode(FixtureBytes("jpeg_progressive.jpg"), d);
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.back(), 100);
  for (int p : percents) {
    EXPECT_GE(p, 0);
    EXPECT_LE(p, 100);
  }
}

TEST(JPEGDecode, AbortAndFailingProgressHandlersStopTheDecode) {
  const std::string bytes = FixtureBytes("jpeg_truncated.jpg");
  TJPEGStreamDecompressor d;
  d.SetBufSize(64);
  d.OnProgressReport = [](TJPEGBase& sender) { sender.Abort(); };
  try {
    Decode(bytes, d);
    ADD_FAILURE() << "no error";
  } catch (const EJPEGError& e) {
    EXPECT_STREQ(e.what(), "User Interrupt");
  }

  d.OnProgressReport = [](TJPEGBase&) { throw std::out_of_range("stop here"); };
  try {
    Decode(bytes, d);
    ADD_FAILURE() << "no error";
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "stop here");
  }

  // A warning handler that fails ends the decode as well.
  d.OnProgressReport = nullptr;
  d.OnWarning = [](const std::string& w) { throw std::runtime_error("warned: " + w); };
  try {
    Decode(bytes, d);
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "warned: Premature end of JPEG file");
  }

  // None of it leaves the decompressor stuck.
  d.OnWarning = nullptr;
  EXPECT_EQ(Decode(bytes, d)->Width(), 32);
}

TEST(JPEGDecode, BufferSizeCannotChangeWhileBytesWait) {
  TJPEGStreamDecompressor d;
  TMemoryStream stream(FixtureBytes("jpeg_red_green_blue.jpg"));
  d.OpenStream(stream);
  EXPECT_GT(d.GetBytesInBuffer(), 0u);
  try {
    d.SetBufSize(100);
    ADD_FAILURE() << "no error";
  } catch (const EJPEGError& e) {
    EXPECT_STREQ(e.what(), "Cannot change buffer size while buffer is in use");
  }
  d.CloseStream();
  d.SetBufSize(100);
  ExpectBands(*Decode(FixtureBytes("jpeg_red_green_blue.jpg"), d), 24);
}

TEST(JPEGDecode, MissingFileIsAnOpenError) {
  TJPEGFileDecompressor d;
  TBitmap picture;
  EXPECT_THROW(d.LoadPictureFromFile(picture, test::Fixture("no_such_picture.jpg")), EFOpenError);
}

}  // namespace
}  // namespace tav
