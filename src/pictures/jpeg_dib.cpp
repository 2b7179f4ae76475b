#include "pictures/jpeg_dib.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "pictures/jpeg_stream.h"
#include "platform/text_file.h"

namespace tav {

namespace {

const char kInvalidBitmap[] = "Bitmap image is not valid";

bool ValidDepth(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
}

void Put16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
uint32_t Get16(const uint8_t* p) {
  return p[0] | (p[1] << 8);
}
uint32_t Get32(const uint8_t* p) {
  return Get16(p) | (Get16(p + 2) << 16);
}

void ReadExactly(TStream& stream, void* buffer, long count) {
  if (stream.Read(buffer, count) != count) throw EInvalidGraphic(kInvalidBitmap);
}

}  // namespace

void ExpandRowToBGR(const uint8_t* row, int bitCount, const std::vector<RGBQUAD>& colors, int width,
                    uint8_t* bgr) {
  if (bitCount == 24) {
    std::memcpy(bgr, row, static_cast<size_t>(width) * 3);
    return;
  }
  const RGBQUAD black;
  for (int x = 0; x < width; ++x) {
    unsigned index;
    if (bitCount == 8) {
      index = row[x];
    } else if (bitCount == 4) {
      index = (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    } else {
      index = (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
    const RGBQUAD& c = index < colors.size() ? colors[index] : black;
    *bgr++ = c.rgbBlue;
    *bgr++ = c.rgbGreen;
    *bgr++ = c.rgbRed;
  }
}

std::string BitmapFileHead(const TDIBInfo& info, size_t colorEntries, uint32_t bitsSize) {
  const BITMAPINFOHEADER& h = info.bmiHeader;
  uint32_t infoSize = 40 + static_cast<uint32_t>(colorEntries) * 4;
  std::string head;
  head += "BM";
  Put32(head, 14 + infoSize + bitsSize);
  Put32(head, 0);
  Put32(head, 14 + infoSize);
  Put32(head, 40);
  Put32(head, static_cast<uint32_t>(h.biWidth));
  Put32(head, static_cast<uint32_t>(h.biHeight));
  Put16(head, h.biPlanes);
  Put16(head, h.biBitCount);
  Put32(head, h.biCompression);
  Put32(head, h.biSizeImage);
  Put32(head, static_cast<uint32_t>(h.biXPelsPerMeter));
  Put32(head, static_cast<uint32_t>(h.biYPelsPerMeter));
  Put32(head, h.biClrUsed);
  Put32(head, h.biClrImportant);
  for (size_t i = 0; i < colorEntries; ++i) {
    RGBQUAD c = i < info.bmiColors.size() ? info.bmiColors[i] : RGBQUAD{};
    head.push_back(static_cast<char>(c.rgbBlue));
    head.push_back(static_cast<char>(c.rgbGreen));
    head.push_back(static_cast<char>(c.rgbRed));
    head.push_back(0);
  }
  return head;
}

void TBitmap::SetSize(int width, int height, int bitCount, std::vector<RGBQUAD> colors) {
  if (width < 0 || height < 0 || !ValidDepth(bitCount) ||
      static_cast<int64_t>(width) * height > kMaxBitmapPixels) {
    throw EInvalidGraphic(kInvalidBitmap);
  }
  size_t size = static_cast<size_t>(DIBStride(width, bitCount)) * height;
  bits_.reset(new uint8_t[size]());
  width_ = width;
  height_ = height;
  bitCount_ = bitCount;
  size_t maxColors = bitCount <= 8 ? size_t{1} << bitCount : 0;
  if (colors.size() > maxColors || colors.empty()) colors.resize(maxColors);
  colors_ = std::move(colors);
}

void TBitmap::SetColors(std::vector<RGBQUAD> colors) {
  if (bitCount_ == 0 || bitCount_ > 8) return;
  size_t maxColors = size_t{1} << bitCount_;
  if (colors.size() > maxColors || colors.empty()) colors.resize(maxColors);
  colors_ = std::move(colors);
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  if (source.bitCount_ == 0) {
    TBitmap empty;
    TakeContents(empty);
    return;
  }
  SetSize(source.width_, source.height_, source.bitCount_, source.colors_);
  std::memcpy(bits_.get(), source.bits_.get(), static_cast<size_t>(Stride()) * height_);
}

void TBitmap::TakeContents(TBitmap& source) noexcept {
  if (&source == this) return;
  width_ = std::exchange(source.width_, 0);
  height_ = std::exchange(source.height_, 0);
  bitCount_ = std::exchange(source.bitCount_, 0);
  colors_ = std::move(source.colors_);
  source.colors_.clear();
  bits_ = std::move(source.bits_);
}

RGBQUAD TBitmap::Pixel(int x, int y) const {
  uint8_t bgr[3];
  const uint8_t* row = ScanLine(y);
  if (bitCount_ == 24) {
    std::memcpy(bgr, row + static_cast<size_t>(x) * 3, 3);
  } else {
    // Expand just the byte that holds x: shift the row so x is its first pixel.
    int perByte = 8 / bitCount_;
    uint8_t one = row[x / perByte];
    int shift = (x % perByte) * bitCount_;
    uint8_t moved = static_cast<uint8_t>(one << shift);
    ExpandRowToBGR(&moved, bitCount_, colors_, 1, bgr);
  }
  RGBQUAD c;
  c.rgbBlue = bgr[0];
  c.rgbGreen = bgr[1];
  c.rgbRed = bgr[2];
  return c;
}

TDIBInfo TBitmap::Info() const {
  TDIBInfo info;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = height_;
  info.bmiHeader.biBitCount = static_cast<uint16_t>(bitCount_);
  info.bmiHeader.biSizeImage = static_cast<uint32_t>(Stride()) * height_;
  info.bmiColors = colors_;
  return info;
}

void TBitmap::SaveToStream(TStream& stream) {
  if (Empty()) throw EInvalidGraphic(kInvalidBitmap);
  TDIBInfo info = Info();
  info.bmiHeader.biClrUsed = static_cast<uint32_t>(colors_.size());
  uint32_t bitsSize = info.bmiHeader.biSizeImage;
  std::string head = BitmapFileHead(info, colors_.size(), bitsSize);
  if (stream.Write(head.data(), static_cast<long>(head.size())) != static_cast<long>(head.size()) ||
      stream.Write(bits_.get(), static_cast<long>(bitsSize)) != static_cast<long>(bitsSize)) {
    throw EInvalidGraphic("Stream write error");
  }
}

void TBitmap::LoadFromStream(TStream& stream) {
  int64_t start = stream.Position();
  uint8_t head[54];
  ReadExactly(stream, head, sizeof head);
  uint32_t dataOffset = Get32(head + 10);
  uint32_t headerSize = Get32(head + 14);
  int32_t width = static_cast<int32_t>(Get32(head + 18));
  int32_t height = static_cast<int32_t>(Get32(head + 22));
  int bitCount = static_cast<int>(Get16(head + 28));
  uint32_t compression = Get32(head + 30);
  uint32_t colorsUsed = Get32(head + 46);
  if (head[0] != 'B' || head[1] != 'M' || headerSize < 40 || headerSize > 1024 || width <= 0 ||
      height == 0 || height == INT32_MIN || Get16(head + 26) != 1 || !ValidDepth(bitCount) ||
      compression != 0) {
    throw EInvalidGraphic(kInvalidBitmap);
  }
  bool topDown = height < 0;
  height = topDown ? -height : height;
  // Before any row size is worked out: a damaged width would overflow it.
  if (static_cast<int64_t>(width) * height > kMaxBitmapPixels) {
    throw EInvalidGraphic(kInvalidBitmap);
  }
  std::vector<RGBQUAD> colors;
  if (bitCount <= 8) {
    uint32_t maxColors = 1u << bitCount;
    uint32_t count = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
    stream.SetPosition(start + 14 + headerSize);
    std::vector<uint8_t> table(static_cast<size_t>(count) * 4);
    ReadExactly(stream, table.data(), static_cast<long>(table.size()));
    colors.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
      colors[i].rgbBlue = table[i * 4];
      colors[i].rgbGreen = table[i * 4 + 1];
      colors[i].rgbRed = table[i * 4 + 2];
    }
  }
  int64_t stride = DIBStride(width, bitCount);
  if (start + int64_t{dataOffset} + stride * height > stream.Size()) {
    throw EInvalidGraphic(kInvalidBitmap);
  }
  TBitmap loaded;
  loaded.SetSize(width, height, bitCount, std::move(colors));
  stream.SetPosition(start + dataOffset);
  for (int row = 0; row < height; ++row) {
    // Stored rows run bottom-up unless the height was negative.
    int y = topDown ? row : height - 1 - row;
    ReadExactly(stream, loaded.ScanLine(y), static_cast<long>(stride));
  }
  TakeContents(loaded);
}

void TBitmap::LoadFromFile(const std::string& name) {
  TFileStream stream(name);
  LoadFromStream(stream);
}

void TBitmap::SaveToFile(const std::string& name) {
  TMemoryStream stream;
  SaveToStream(stream);
  if (!WriteFileAtomic(name, stream.Bytes())) {
    throw EFCreateError("Cannot create file \"" + name + "\"");
  }
}

void TBitmap::Progress(TProgressStage stage, int percentDone, const std::string& message) {
  if (OnProgress) OnProgress(*this, stage, percentDone, message);
}

std::unique_ptr<TBitmap> CropBitmap(const TBitmap& bitmap, int width, int height, TRect source) {
  auto result = std::make_unique<TBitmap>();
  result->SetSize(width, height, 24);
  source.Left = std::clamp(source.Left, 0, bitmap.Width());
  source.Right = std::clamp(source.Right, source.Left, bitmap.Width());
  source.Top = std::clamp(source.Top, 0, bitmap.Height());
  source.Bottom = std::clamp(source.Bottom, source.Top, bitmap.Height());
  int srcW = source.Right - source.Left, srcH = source.Bottom - source.Top;
  if (width == 0 || height == 0 || srcW == 0 || srcH == 0) return result;

  // Source rows are expanded to blue-green-red once; each target pixel averages the source
  // pixels of the span it covers (at least one).
  std::vector<uint8_t> expanded(static_cast<size_t>(srcW) * srcH * 3);
  std::vector<uint8_t> row(static_cast<size_t>(bitmap.Width()) * 3);
  for (int y = 0; y < srcH; ++y) {
    ExpandRowToBGR(bitmap.ScanLine(source.Top + y), bitmap.BitCount(), bitmap.Colors(),
                   bitmap.Width(), row.data());
    std::memcpy(&expanded[static_cast<size_t>(y) * srcW * 3], &row[size_t(source.Left) * 3],
                static_cast<size_t>(srcW) * 3);
  }
  auto span = [](int i, int target, int src, int& from, int& to) {
    from = static_cast<int>(static_cast<int64_t>(i) * src / target);
    to = std::max(from + 1, static_cast<int>(static_cast<int64_t>(i + 1) * src / target));
  };
  for (int y = 0; y < height; ++y) {
    int y0, y1;
    span(y, height, srcH, y0, y1);
    uint8_t* out = result->ScanLine(y);
    for (int x = 0; x < width; ++x) {
      int x0, x1;
      span(x, width, srcW, x0, x1);
      uint32_t sum[3] = {0, 0, 0};
      for (int sy = y0; sy < y1; ++sy) {
        const uint8_t* p = &expanded[(static_cast<size_t>(sy) * srcW + x0) * 3];
        for (int sx = x0; sx < x1; ++sx, p += 3) {
          sum[0] += p[0];
          sum[1] += p[1];
          sum[2] += p[2];
        }
      }
      uint32_t n = static_cast<uint32_t>((y1 - y0) * (x1 - x0));
      for (int c = 0; c < 3; ++c) out[x * 3 + c] = static_cast<uint8_t>((sum[c] + n / 2) / n);
    }
  }
  return result;
}

std::unique_ptr<TBitmap> ReSizeBitmap(const TBitmap& bitmap, int width, int height) {
  return CropBitmap(bitmap, width, height, TRect{0, 0, bitmap.Width(), bitmap.Height()});
}

}  // namespace tav
