#include <gtest/gtest.h>

#include <QLabel>
#include <QPixmap>

#include "pictures/jpeg_dib.h"
#include "pictures/ui/picture_loader.h"
#include "platform/paths.h"
#include "support/test_env.h"

namespace tav {
namespace {

::testing::AssertionResult Near(QRgb pixel, QRgb want, int tolerance) {
  if (std::abs(qRed(pixel) - qRed(want)) <= tolerance &&
      std::abs(qGreen(pixel) - qGreen(want)) <= tolerance &&
      std::abs(qBlue(pixel) - qBlue(want)) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "pixel " << qRed(pixel) << "," << qGreen(pixel) << "," << qBlue(pixel);
}

void ExpectBands(const QImage& image, int tolerance) {
  int w = image.width(), y = image.height() / 2;
  EXPECT_TRUE(Near(image.pixel(w / 6, y), qRgb(255, 0, 0), tolerance));
  EXPECT_TRUE(Near(image.pixel(w / 2, y), qRgb(0, 255, 0), tolerance));
  EXPECT_TRUE(Near(image.pixel(5 * w / 6, y), qRgb(0, 0, 255), tolerance));
}

QImage Bands() {
  QImage image(48, 16, QImage::Format_ARGB32);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 48; ++x) {
      image.setPixel(x, y, x < 16 ? qRgb(255, 0, 0) : x < 32 ? qRgb(0, 255, 0) : qRgb(0, 0, 255));
    }
  }
  return image;
}

TEST(PictureLoader, JpegFilesShowTheirColoursOnScreen) {
  QImage image;
  std::string error;
  ASSERT_TRUE(LoadPictureFile(test::Fixture("jpeg_red_green_blue.jpg"), image, &error)) << error;
  ASSERT_EQ(image.size(), QSize(48, 16));
  ExpectBands(image, 24);

  // Painted by a picture control, the colours stay where they belong.
  QLabel label;
  label.setPixmap(QPixmap::fromImage(image));
  label.resize(48, 16);
  QImage shown = label.grab().toImage();
  ExpectBands(shown.scaled(48, 16), 24);
}

TEST(PictureLoader, GreyAndCmykPictures) {
  QImage grey;
  ASSERT_TRUE(LoadPictureFile(test::Fixture("jpeg_grayscale.jpg"), grey));
  EXPECT_EQ(grey.format(), QImage::Format_Indexed8);
  EXPECT_TRUE(Near(grey.pixel(8, 8), qRgb(0, 0, 0), 2));
  EXPECT_TRUE(Near(grey.pixel(56, 8), qRgb(255, 255, 255), 2));

  QImage cmyk;
  ASSERT_TRUE(LoadPictureFile(test::Fixture("jpeg_cmyk.jpg"), cmyk));
  ExpectBands(cmyk, 24);
}

TEST(PictureLoader, CutShortLoadsWithAWarningEmptyFails) {
  QImage image;
  std::vector<std::string> warnings;
  ASSERT_TRUE(LoadPictureFile(test::Fixture("jpeg_truncated.jpg"), image, nullptr, &warnings));
  EXPECT_EQ(image.size(), QSize(32, 32));
  EXPECT_EQ(warnings, std::vector<std::string>{"Premature end of JPEG file"});

  std::string error;
  EXPECT_FALSE(LoadPictureFile(test::Fixture("jpeg_empty.jpg"), image, &error));
  EXPECT_EQ(error, "Empty input file");
  EXPECT_EQ(image.size(), QSize(32, 32));  // the picture shown before stays
  EXPECT_FALSE(LoadPictureFile(test::Fixture("no_such_picture.png"), image, &error));
  EXPECT_FALSE(error.empty());
}

TEST(PictureLoader, SavesJpegThroughThePictureClassOthersThroughQt) {
  test::TempDir dir;
  QImage image = Bands();
  // A transparent corner is laid on white (JPEG has no transparency).
  image.setPixel(0, 0, qRgba(0, 0, 0, 0));
  std::string error;
  ASSERT_TRUE(SavePictureFile(image, dir.Path() + "Bild.JPG", &error)) << error;
  EXPECT_EQ(test::ReadAll(dir.Path() + "Bild.JPG").substr(0, 2), "\xFF\xD8");
  QImage back;
  ASSERT_TRUE(LoadPictureFile(dir.Path() + "Bild.JPG", back, &error)) << error;
  ExpectBands(back, 30);
  EXPECT_GT(qRed(back.pixel(0, 0)), 200);
  EXPECT_GT(qBlue(back.pixel(0, 0)), 100);

  ASSERT_TRUE(SavePictureFile(Bands(), dir.Path() + "bild.png", &error)) << error;
  EXPECT_EQ(test::ReadAll(dir.Path() + "bild.png").substr(1, 3), "PNG");
  ASSERT_TRUE(LoadPictureFile(dir.Path() + "bild.png", back));
  ExpectBands(back, 0);

  EXPECT_FALSE(SavePictureFile(image, dir.Path() + "missing/bild.jpg", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(SavePictureFile(QImage(), dir.Path() + "leer.jpg", &error));
  EXPECT_FALSE(EntryExists(dir.Path() + "leer.jpg"));
}

TEST(PictureLoader, BitmapsOfEveryDepthBecomeImages) {
  std::vector<RGBQUAD> palette(2);
  palette[1].rgbRed = 255;
  for (int bitCount : {1, 4, 8, 24}) {
    SCOPED_TRACE(bitCount);
    TBitmap bitmap;
    bitmap.SetSize(9, 3, bitCount, palette);
    // The last pixel of the middle row is red.
    uint8_t* row = bitmap.ScanLine(1);
    if (bitCount == 24) row[8 * 3 + 2] = 255;
    if (bitCount == 8) row[8] = 1;
    if (bitCount == 4) row[4] = 0x10;
    if (bitCount == 1) row[1] = 0x80;
    QImage image = BitmapToImage(bitmap);
    ASSERT_EQ(image.size(), QSize(9, 3));
    EXPECT_EQ(image.pixel(8, 1), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(7, 1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(8, 0), qRgb(0, 0, 0));
  }
}

}  // namespace
}  // namespace tav
