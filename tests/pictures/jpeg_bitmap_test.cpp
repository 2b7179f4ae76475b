#include <gtest/gtest.h>

#include "jpeg_test_support.h"
#include "pictures/jpeg_bitmap.h"
#include "pictures/jpeg_stream.h"
#include "platform/paths.h"

namespace tav {
namespace {

using namespace jpegtest;

TEST(JPEGBitmap, SaveToFileChoosesTheFormatByExtension) {
  test::TempDir dir;
  TJPEGBitmap picture;
  picture.Assign(Bands());
  struct Case {
    const char* name;
    const char* start;
  } cases[] = {{"bild.JPG", "\xFF\xD8"},
               {"bild.jpeg", "\xFF\xD8"},
               {"bild.bmp", "BM"},
               {"ordner.jpg/../bild", "BM"}};
  MakeDirs(dir.Path() + "ordner.jpg");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = dir.Path() + c.name;
    picture.SaveToFile(path);
    EXPECT_EQ(test::ReadAll(path).substr(0, 2), c.start);
  }
  // The JPEG file loads back through the picture class.
  TJPEGBitmap back;
  back.LoadFromFile(dir.Path() + "bild.JPG");
  ExpectBands(back, 30);
  // The plain bitmap file holds the exact pixels.
  TBitmap plain;
  plain.LoadFromFile(dir.Path() + "bild.bmp");
  ExpectBands(plain, 0);
}

TEST(JPEGBitmap, FailedLoadKeepsThePictureAndReportsTheError) {
  TJPEGBitmap picture;
  picture.LoadFromFile(test::Fixture("jpeg_red_green_blue.jpg"));
  for (const char* name : {"jpeg_empty.jpg", "no_such_picture.jpg"}) {
    SCOPED_TRACE(name);
    EXPECT_ANY_THROW(picture.LoadFromFile(test::Fixture(name)));
    EXPECT_EQ(picture.Width(), 48);
    ExpectBands(picture, 24);
  }
}

TEST(JPEGBitmap, FailedSaveLeavesTheOldFile) {
  test::TempDir dir;
  std::string path = dir.Path() + "bild.jpg";
  test::WriteAll(path, "old");
  TJPEGBitmap empty;
  EXPECT_THROW(empty.SaveToFile(path), EJPEGError);
  EXPECT_EQ(test::ReadAll(path), "old");
  TJPEGBitmap picture;
  picture.Assign(Bands());
  EXPECT_THROW(picture.SaveToFile(dir.Path() + "missing/bild.jpg"), EFCreateError);
}

TEST(JPEGBitmap, ReportsProgressStagesAndWarnings) {
  TJPEGBitmap picture;
  std::vector<std::string> stages;
  std::vector<std::string> warnings;
  picture.OnProgress = [&](TBitmap&, TProgressStage stage, int percent, const std::string& msg) {
    if (stages.empty() || stages.back() != msg) stages.push_back(msg);
    EXPECT_GE(percent, 0);
    EXPECT_LE(percent, 100);
    if (stage == psEnding) {
      EXPECT_EQ(percent, 100);
    }
  };
  picture.OnWarning = [&](const std::string& w) { warnings.push_back(w); };
  picture.LoadFromFile(test::Fixture("jpeg_truncated.jpg"));
  EXPECT_EQ(stages, (std::vector<std::string>{"Opening JPEG Image", "Decompressing Image",
                                              "Decompression completed"}));
  EXPECT_EQ(warnings, std::vector<std::string>{"Premature end of JPEG file"});

  stages.clear();
  TMemoryStream stream;
  picture.SaveToStream(stream);
  EXPECT_EQ(stages, (std::vector<std::string>{"Opening JPEG Image", "Compressing Image",
                                              "Compression completed"}));
}

TEST(JPEGBitmap, RegisteredForJpgAndJpeg) {
  EXPECT_EQ(GraphicClassForFile("Pics/Bild.JPG"), &NewJPEGBitmap);
  EXPECT_EQ(GraphicClassForFile("C:\\Pics\\bild.jpeg"), &NewJPEGBitmap);
  EXPECT_EQ(GraphicClassForFile("bild.bmp"), nullptr);
  EXPECT_EQ(GraphicClassForFile("ordner.jpg/bild"), nullptr);
  EXPECT_EQ(GraphicClassForFile("jpg"), nullptr);
  EXPECT_EQ(GraphicDescription("JPG"), "JPEG Image");
  auto graphic = GraphicClassForFile("a.jpg")();
  EXPECT_NE(dynamic_cast<TJPEGBitmap*>(graphic.get()), nullptr);
}

TEST(Bitmap, FileRoundTripAtEveryDepth) {
  std::vector<RGBQUAD> palette(2);
  palette[1].rgbRed = 200;
  palette[1].rgbGreen = 100;
  for (int bitCount : {1, 4, 8, 24}) {
    SCOPED_TRACE(bitCount);
    TBitmap picture;
    picture.SetSize(13, 5, bitCount, palette);
    // A diagonal of colour 1 (or a distinct 24-bit value).
    for (int y = 0; y < 5; ++y) {
      uint8_t* row = picture.ScanLine(y);
      int x = y * 2;
      if (bitCount == 24) {
        row[x * 3 + 2] = 200;
      } else if (bitCount == 8) {
        row[x] = 1;
      } else if (bitCount == 4) {
        row[x / 2] |= static_cast<uint8_t>(x % 2 ? 1 : 0x10);
      } else {
        row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      }
    }
    TMemoryStream stream;
    picture.SaveToStream(stream);
    EXPECT_EQ(stream.Bytes().size(),
              14u + 40u + (bitCount == 24 ? 0 : 4u * palette.size()) + 5u * picture.Stride());
    stream.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(stream);
    ASSERT_EQ(back.BitCount(), bitCount);
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 13; ++x) {
        EXPECT_EQ(back.Pixel(x, y).rgbRed, x == y * 2 ? 200 : 0) << x << "," << y;
      }
    }
  }
}

TEST(Bitmap, DamagedBitmapFilesAreRefused) {
  TBitmap good;
  good.Assign(Bands(8, 4));
  TMemoryStream stream;
  good.SaveToStream(stream);
  const std::string bytes = stream.Bytes();
  auto with = [&](size_t at, std::string patch) {
    std::string b = bytes;
    b.replace(at, patch.size(), patch);
    return b;
  };
  std::string cases[] = {
      "",
      bytes.substr(0, 30),
      bytes.substr(0, bytes.size() - 1),
      with(0, "XM"),
      with(18, std::string("\xFF\xFF\xFF\x7F", 4)),  // width 2^31 - 1
      with(22, std::string("\x00\x00\x01\x00", 4)),  // 65536 rows that are not there
      with(28, std::string("\x10\x00", 2)),          // 16 bits
      with(30, std::string("\x01", 1)),              // run-length compressed
  };
  for (const std::string& bad : cases) {
    TMemoryStream in(bad);
    TBitmap picture;
    EXPECT_THROW(picture.LoadFromStream(in), EInvalidGraphic) << bad.size();
    EXPECT_TRUE(picture.Empty());
  }
}

TEST(Bitmap, CropAndResizeAverageTheCoveredPixels) {
  TBitmap bands = Bands(6, 2);
  auto small = ReSizeBitmap(bands, 3, 1);
  ASSERT_EQ(small->Width(), 3);
  ASSERT_EQ(small->BitCount(), 24);
  ExpectBands(*small, 0);
  auto half = ReSizeBitmap(bands, 1, 1);  // the middle of red, green and blue
  EXPECT_TRUE(Near(*half, 0, 0, {85, 85, 85}, 1));
  auto big = ReSizeBitmap(bands, 12, 4);
  ExpectBands(*big, 0);
  auto green = CropBitmap(bands, 4, 4, TRect{2, 0, 4, 2});
  EXPECT_TRUE(Near(*green, 0, 0, kGreen, 0));
  EXPECT_TRUE(Near(*green, 3, 3, kGreen, 0));
}

}  // namespace
}  // namespace tav
