#pragma once
// Pictures and checks shared by the JPEG tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "pictures/jpeg_dib.h"
#include "pictures/jpeg_stream.h"
#include "support/test_env.h"

namespace tav::jpegtest {

struct Colour {
  int r, g, b;
};
constexpr Colour kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};

// 24-bit bands red | green | blue, each a third of the width.
inline TBitmap Bands(int width = 48, int height = 16) {
  TBitmap bitmap;
  bitmap.SetSize(width, height, 24);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      Colour c = x < width / 3 ? kRed : x < 2 * width / 3 ? kGreen : kBlue;
      row[x * 3] = static_cast<uint8_t>(c.b);
      row[x * 3 + 1] = static_cast<uint8_t>(c.g);
      row[x * 3 + 2] = static_cast<uint8_t>(c.r);
    }
  }
  return bitmap;
}

// Every channel of the pixel within `tolerance` of the colour.
inline ::testing::AssertionResult Near(const TBitmap& bitmap, int x, int y, Colour want,
                                       int tolerance) {
  RGBQUAD p = bitmap.Pixel(x, y);
  if (std::abs(p.rgbRed - want.r) <= tolerance && std::abs(p.rgbGreen - want.g) <= tolerance &&
      std::abs(p.rgbBlue - want.b) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "pixel " << x << "," << y << " is r" << int(p.rgbRed) << " g" << int(p.rgbGreen) << " b"
         << int(p.rgbBlue) << ", want r" << want.r << " g" << want.g << " b" << want.b;
}

// The band centres (at a third of the height and at the middle) are red, green, blue.
inline void ExpectBands(const TBitmap& bitmap, int tolerance) {
  int w = bitmap.Width();
  for (int y : {bitmap.Height() / 3, bitmap.Height() / 2}) {
    EXPECT_TRUE(Near(bitmap, w / 6, y, kRed, tolerance));
    EXPECT_TRUE(Near(bitmap, w / 2, y, kGreen, tolerance));
    EXPECT_TRUE(Near(bitmap, 5 * w / 6, y, kBlue, tolerance));
  }
}

inline std::string FixtureBytes(const std::string& name) {
  std::string path = test::Fixture(name);
  std::string bytes = test::ReadAll(path);
  return bytes;
}

}  // namespace tav::jpegtest
