#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "jpeg_test_support.h"
#include "pictures/jpeg_compressor.h"
#include "pictures/jpeg_decompressor.h"
#include "pictures/jpeg_stream.h"

namespace tav {
namespace {

using namespace jpegtest;

std::string Encode(TJPEGStreamCompressor& c, const TBitmap& bitmap) {
  TMemoryStream stream;
  c.SaveBitMapToStream(bitmap, stream);
  return stream.TakeBytes();
}

std::unique_ptr<TBitmap> Decode(const std::string& bytes) {
  TJPEGStreamDecompressor d;
  TMemoryStream stream(bytes);
  return d.ReadBitMapFromStream(stream);
}

bool HasMarker(const std::string& jpeg, unsigned char marker) {
  return jpeg.find(std::string{'\xFF', static_cast<char>(marker)}) != std::string::npos;
}

TEST(JPEGEncode, RoundTripKeepsColoursAndChannelOrder) {
  // Bands plus a gradient row block, so that more than flat colour is compared.
  TBitmap picture = Bands(96, 32);
  for (int y = 24; y < 32; ++y) {
    for (int x = 0; x < 96; ++x) {
      uint8_t* p = picture.ScanLine(y) + x * 3;
      p[0] = static_cast<uint8_t>(x * 2);
      p[1] = static_cast<uint8_t>(128);
      p[2] = static_cast<uint8_t>(255 - x * 2);
    }
  }
  TJPEGStreamCompressor c;
  c.SetQuality(95);
  std::string jpeg = Encode(c, picture);
  ASSERT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
  EXPECT_TRUE(HasMarker(jpeg, 0xC0));  // baseline

  auto back = Decode(jpeg);
  ASSERT_EQ(back->Width(), 96);
  ASSERT_EQ(back->Height(), 32);
  ASSERT_EQ(back->BitCount(), 24);
  ExpectBands(*back, 12);
  // The gradient: blue grows and red falls to the right.
  for (int x = 8; x < 88; x += 16) {
    EXPECT_TRUE(Near(*back, x, 28, {255 - x * 2, 128, x * 2}, 10)) << x;
  }
}

TEST(JPEGEncode, OptionsShapeTheFile) {
  TBitmap picture = Bands();
  TJPEGStreamCompressor c;
  EXPECT_EQ(c.Quality(), 75);

  c.ProgressiveJPEG = true;
  std::string progressive = Encode(c, picture);
  EXPECT_TRUE(HasMarker(progressive, 0xC2));
  ExpectBands(*Decode(progressive), 30);

  // The progressive script of the last picture does not carry over.
  c.ProgressiveJPEG = false;
  std::string baseline = Encode(c, picture);
  EXPECT_TRUE(HasMarker(baseline, 0xC0));
  EXPECT_FALSE(HasMarker(baseline, 0xC2));

  c.GrayscaleOutput = true;
  auto grey = Decode(Encode(c, picture));
  EXPECT_EQ(grey->BitCount(), 8);
  EXPECT_EQ(grey->Colors().size(), 64u);

  // A header switched off through its property stays off.
  c.GrayscaleOutput = false;
  c.Setcinfowrite_JFIF_header(FALSE);
  EXPECT_EQ(Encode(c, picture).find("JFIF"), std::string::npos);
  c.Setcinfowrite_JFIF_header(TRUE);
  EXPECT_NE(Encode(c, picture).find("JFIF"), std::string::npos);
}

TEST(JPEGEncode, CommentAndOwnMarkersAreWritten) {
  TJPEGStreamCompressor c;
  c.Comment = "Guten Appetit";
  c.OnWriteMarkers = [](TJPEGBase& sender) {
    const uint8_t data[] = {'T', 'a', 'v'};
    static_cast<TJPEGCompressor&>(sender).WriteMarker(JPEG_APP0 + 2, data, 3);
  };
  std::string jpeg = Encode(c, Bands());

  TJPEGStreamDecompressor d;
  std::string comment;
  std::string app2;
  d.OnJPEGComment = [&](TJPEGDecompressor&, const char* text) { comment = text; };
  d.OnJPEGMarker = [&](TJPEGDecompressor& sender, int marker, bool& done) {
    if (marker != 2) return;
    int length = sender.GetByte() << 8;
    length |= sender.GetByte();
    for (int i = 2; i < length; ++i) app2.push_back(static_cast<char>(sender.GetByte()));
    done = true;
  };
  TMemoryStream stream(jpeg);
  ExpectBands(*d.ReadBitMapFromStream(stream), 30);
  EXPECT_EQ(comment, "Guten Appetit");
  EXPECT_EQ(app2, "Tav");
}

// 4- and 8-bit DIBs are expanded through their palette, high nibble first, the odd last pixel
// like the others.
TEST(JPEGEncode, PaletteDIBsAreExpandedThroughTheirColours) {
  std::vector<RGBQUAD> palette(3);
  palette[0].rgbRed = 255;
  palette[1].rgbGreen = 255;
  palette[2].rgbBlue = 255;
  for (int bitCount : {4, 8}) {
    SCOPED_TRACE(bitCount);
    const int width = 21, height = 16;  // odd width: the last 4-bit pixel is a high nibble alone
    TBitmap picture;
    picture.SetSize(width, height, bitCount, palette);
    for (int y = 0; y < height; ++y) {
      uint8_t* row = picture.ScanLine(y);
      for (int x = 0; x < width; ++x) {
        int index = x < 7 ? 0 : x < 14 ? 1 : 2;
        if (bitCount == 8)
          row[x] = static_cast<uint8_t>(index);
        else
          row[x / 2] |= static_cast<uint8_t>(index << (x % 2 ? 0 : 4));
      }
    }
    TJPEGStreamCompressor c;
    c.SetQuality(95);
    TMemoryStream stream;
    c.SaveDIBitmapToStream(stream, picture.Info(), picture.Bits());
    auto back = Decode(stream.Bytes());
    ASSERT_EQ(back->Width(), width);
    EXPECT_TRUE(Near(*back, 3, 8, kRed, 30));
    EXPECT_TRUE(Near(*back, 10, 8, kGreen, 30));
    EXPECT_TRUE(Near(*back, 20, 8, kBlue, 40));
  }
}

TEST(JPEGEncode, OneBitBitmapIsRefused) {
  TBitmap mono;
  mono.SetSize(8, 8, 1);
  TJPEGStreamCompressor c;
  TMemoryStream stream;
  try {
    c.SaveBitMapToStream(mono, stream);
    ADD_FAILURE() << "no error";
  } catch (const EJPEGError& e) {
    EXPECT_STREQ(e.what(), "Unable to compress at 1 bit resolution");
  }
  EXPECT_EQ(stream.Bytes(), "");
}

// A stream that stops taking bytes after `room` of them.
class FullStream : public TMemoryStream {
 public:
  explicit FullStream(long room) : room_(room) {}
  long Write(const void* buffer, long count) override {
    long n = std::min(count, room_);
    room_ -= n;
    return TMemoryStream::Write(buffer, n);
  }

 private:
  long room_;
};

TEST(JPEGEncode, WriteFailureIsAnErrorAndTheCompressorStaysUsable) {
  TBitmap picture = Bands(256, 256);
  TJPEGStreamCompressor c;
  c.SetBufSize(512);
  for (long room : {0L, 100L, 2000L}) {
    SCOPED_TRACE(room);
    FullStream full(room);
    try {
      c.SaveBitMapToStream(picture, full);
      ADD_FAILURE() << "no error";
    } catch (const EJPEGError& e) {
      EXPECT_STREQ(e.what(), "Output file write error --- out of disk space?");
    }
  }
  ExpectBands(*Decode(Encode(c, picture)), 30);
}

TEST(JPEGEncode, ProgressAndAbort) {
  TBitmap picture = Bands(64, 64);
  TJPEGStreamCompressor c;
  std::vector<int> percents;
  c.OnProgressReport = [&](TJPEGBase& sender) { percents.push_back(sender.PercentDone()); };
  Encode(c, picture);
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.back(), 100);

  c.OnProgressReport = [](TJPEGBase& sender) { sender.Abort(); };
  EXPECT_THROW(Encode(c, picture), EJPEGError);
  c.OnProgressReport = [](TJPEGBase&) { throw std::length_error("enough"); };
  EXPECT_THROW(Encode(c, picture), std::length_error);

  c.OnProgressReport = nullptr;
  ExpectBands(*Decode(Encode(c, picture)), 30);
}

TEST(JPEGEncode, BufferSizeCannotChangeWhileBytesWait) {
  TJPEGStreamCompressor c;
  c.OnWriteMarkers = [](TJPEGBase& sender) {
    try {
      static_cast<TJPEGStreamCompressor&>(sender).SetBufSize(100);
      ADD_FAILURE() << "no error";
    } catch (const EJPEGError& e) {
      EXPECT_STREQ(e.what(), "Cannot change buffer size while buffer is in use");
    }
  };
  ExpectBands(*Decode(Encode(c, Bands())), 30);
  c.OnWriteMarkers = nullptr;
  c.SetBufSize(100);
  ExpectBands(*Decode(Encode(c, Bands())), 30);
}

TEST(JPEGEncode, DIBOfOtherDepths) {
  TJPEGStreamCompressor c;
  TBitmap picture = Bands(6, 2);
  int infoSize = 0, imageSize = 0;
  c.GetDIBSizes(picture, bm16Colour, infoSize, imageSize);
  EXPECT_EQ(infoSize, 40 + 16 * 4);
  EXPECT_EQ(imageSize, 4 * 2);
  c.GetDIBSizes(picture, bmDefault, infoSize, imageSize);
  EXPECT_EQ(infoSize, 40);
  EXPECT_EQ(imageSize, 20 * 2);

  // Reduced to the 16 standard colours: pure red, green and blue are among them.
  std::vector<uint8_t> bits(8);
  TDIBInfo info;
  c.Bitmap2DIB(picture, bm16Colour, bits.data(), info);
  TBitmap reduced;
  reduced.SetSize(6, 2, 4, info.bmiColors);
  std::copy(bits.begin(), bits.end(), reduced.Bits());
  ExpectBands(reduced, 0);

  // And back up to 24 bits.
  std::vector<uint8_t> bits24(40);
  c.Bitmap2DIB(reduced, bm24bit, bits24.data(), info);
  EXPECT_EQ(info.bmiHeader.biBitCount, 24);
  EXPECT_TRUE(info.bmiColors.empty());
  TBitmap expanded;
  expanded.SetSize(6, 2, 24);
  std::copy(bits24.begin(), bits24.end(), expanded.Bits());
  ExpectBands(expanded, 0);
}

}  // namespace
}  // namespace tav
