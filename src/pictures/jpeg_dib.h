#pragma once
// Device-independent bitmaps (DIBs) in memory, laid out the way the picture classes exchange
// them with libjpeg: a 40-byte info header, a colour table of blue-green-red-reserved entries,
// and rows stored bottom-up (the last row of the picture first), each padded to a multiple of 4
// bytes. 24-bit pixels hold blue, green, red in that order. `TBitmap` is the bitmap object the
// windows show and store; it reads and writes uncompressed bitmap files.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tav {

class TStream;

struct BITMAPINFOHEADER {
  uint32_t biSize = 40;
  int32_t biWidth = 0;
  int32_t biHeight = 0;
  uint16_t biPlanes = 1;
  uint16_t biBitCount = 0;
  uint32_t biCompression = 0;
  uint32_t biSizeImage = 0;
  int32_t biXPelsPerMeter = 0;
  int32_t biYPelsPerMeter = 0;
  uint32_t biClrUsed = 0;
  uint32_t biClrImportant = 0;
};

struct RGBQUAD {
  uint8_t rgbBlue = 0;
  uint8_t rgbGreen = 0;
  uint8_t rgbRed = 0;
  uint8_t rgbReserved = 0;
};

// The info part of a DIB: its header and colour table.
struct TDIBInfo {
  BITMAPINFOHEADER bmiHeader;
  std::vector<RGBQUAD> bmiColors;
};

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// A bitmap file or bitmap contents that cannot be used.
class EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Pictures larger than this are refused rather than allocated: a damaged header (of a bitmap
// file or a JPEG of a few hundred bytes) would ask for gigabytes.
inline constexpr int64_t kMaxBitmapPixels = int64_t{1} << 28;

// n rounded up to a multiple of 4.
inline int Round4(int n) {
  return (n + 3) & ~3;
}
// Bytes of one padded row of `width` pixels at `bitCount` bits.
inline int DIBStride(int width, int bitCount) {
  return Round4(static_cast<int>((static_cast<int64_t>(width) * bitCount + 7) / 8));
}

// Expands one row of `width` pixels at 1, 4, 8 or 24 bits to blue-green-red triples. Indices
// beyond the colour table give black.
void ExpandRowToBGR(const uint8_t* row, int bitCount, const std::vector<RGBQUAD>& colors, int width,
                    uint8_t* bgr);

// The start of a bitmap file: "BM", file size, 4 zero bytes, offset of the bits, then the
// info header and `colorEntries` colour table entries (missing ones zero). Numbers are
// little-endian.
std::string BitmapFileHead(const TDIBInfo& info, size_t colorEntries, uint32_t bitsSize);

enum TProgressStage { psStarting, psRunning, psEnding };

class TBitmap {
 public:
  using TProgressEvent = std::function<void(TBitmap& sender, TProgressStage stage, int percentDone,
                                            const std::string& message)>;

  TBitmap() = default;
  virtual ~TBitmap() = default;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  TBitmap(TBitmap&& other) noexcept { TakeContents(other); }
  TBitmap& operator=(TBitmap&& other) noexcept {
    TakeContents(other);
    return *this;
  }

  // A new picture of the size and depth (1, 4, 8 or 24 bits), every byte 0. Paletted depths
  // get the colour table given (missing entries black).
  void SetSize(int width, int height, int bitCount, std::vector<RGBQUAD> colors = {});
  // Replaces the colour table of a paletted bitmap (cut to 2^bits entries).
  void SetColors(std::vector<RGBQUAD> colors);
  // Copies another bitmap's picture (not its events).
  void Assign(const TBitmap& source);
  // Takes over another bitmap's picture, leaving it empty.
  void TakeContents(TBitmap& source) noexcept;

  bool Empty() const { return width_ == 0 || height_ == 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitCount() const { return bitCount_; }
  int Stride() const { return DIBStride(width_, bitCount_); }
  const std::vector<RGBQUAD>& Colors() const { return colors_; }
  // Rows bottom-up, Stride() bytes each.
  uint8_t* Bits() { return bits_.get(); }
  const uint8_t* Bits() const { return bits_.get(); }
  // The row `y` counted from the top.
  uint8_t* ScanLine(int y) { return bits_.get() + static_cast<size_t>(height_ - 1 - y) * Stride(); }
  const uint8_t* ScanLine(int y) const {
    return bits_.get() + static_cast<size_t>(height_ - 1 - y) * Stride();
  }
  // The colour at x, y (y from the top) as blue, green, red.
  RGBQUAD Pixel(int x, int y) const;

  // Header (size 40, planes 1, no compression, image size) and colour table.
  TDIBInfo Info() const;

  // A bitmap file: "BM", file header, info, bits. Reading takes uncompressed 1, 4, 8 and 24 bit
  // files, bottom-up or top-down, and throws EInvalidGraphic for anything else.
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream);
  void LoadFromFile(const std::string& name);
  // Replaces the file whole (temporary file, then rename); throws EFCreateError on failure.
  virtual void SaveToFile(const std::string& name);

  TProgressEvent OnProgress;

 protected:
  void Progress(TProgressStage stage, int percentDone, const std::string& message);

 private:
  int width_ = 0, height_ = 0, bitCount_ = 0;
  std::vector<RGBQUAD> colors_;
  std::unique_ptr<uint8_t[]> bits_;
};

// A new 24-bit bitmap of width x height with the `source` rectangle of `bitmap` stretched into it
// by averaging the source pixels each target pixel covers.
std::unique_ptr<TBitmap> CropBitmap(const TBitmap& bitmap, int width, int height, TRect source);
// CropBitmap over the whole bitmap.
std::unique_ptr<TBitmap> ReSizeBitmap(const TBitmap& bitmap, int width, int height);

}  // namespace tav
