#include "pictures/jpeg_compressor.h"

#include <cstdlib>
#include <cstring>

#include "pictures/jpeg_stream.h"
#include "platform/text_file.h"

namespace tav {

namespace {

constexpr int kDefaultBufSize = 4096;

TJPEGCompressor* Owner(j_compress_ptr cinfo) {
  return static_cast<TJPEGCompressor*>(static_cast<TJPEGBase*>(cinfo->client_data));
}

// The 16 colours of the standard palette, red, green, blue: the colour table a bitmap without
// one of its own is reduced to.
constexpr uint8_t kStandardColors[16][3] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};

int NearestColor(const std::vector<RGBQUAD>& colors, const uint8_t* bgr) {
  int best = 0;
  int bestDistance = 1 << 30;
  for (size_t i = 0; i < colors.size(); ++i) {
    int db = colors[i].rgbBlue - bgr[0], dg = colors[i].rgbGreen - bgr[1],
        dr = colors[i].rgbRed - bgr[2];
    int d = db * db + dg * dg + dr * dr;
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

// Puts `count` bytes to the stream; false when it took fewer.
bool WriteAll(TStream& stream, const JOCTET* data, size_t count) {
  return count == 0 || stream.Write(data, static_cast<long>(count)) == static_cast<long>(count);
}

}  // namespace

// --- TJPEGCompressor ---

TJPEGCompressor::TJPEGCompressor() {
  CreateJPEGObject();
  cinfo_.input_components = 3;
  // libjpeg is asked for blue, green, red: the byte order of a DIB row.
  cinfo_.in_color_space = JCS_EXT_BGR;
  Protect([this] { jpeg_set_defaults(&cinfo_); });
  dest_.init_destination = &InitDestinationCB;
  dest_.empty_output_buffer = &EmptyOutputBufferCB;
  dest_.term_destination = &TermDestinationCB;
  cinfo_.dest = &dest_;
  SetQuality(75);
}

TJPEGCompressor::~TJPEGCompressor() {
  jpeg_destroy_compress(&cinfo_);
}

void TJPEGCompressor::CreateJPEGObject() {
  AttachJPEGObject(reinterpret_cast<j_common_ptr>(&cinfo_));
  Protect([this] { jpeg_create_compress(&cinfo_); });
  AttachProgress();
}

void TJPEGCompressor::SetQuality(int q) {
  quality_ = q;
  Protect([this, q] { jpeg_set_quality(&cinfo_, q, TRUE); });
}

void TJPEGCompressor::SetColorSpace(J_COLOR_SPACE space) {
  Protect([this, space] { jpeg_set_colorspace(&cinfo_, space); });
}

void TJPEGCompressor::AddQuantTable(int which, const unsigned int* table, int scale,
                                    bool forceBaseline) {
  boolean baseline = forceBaseline ? TRUE : FALSE;
  Protect([&] { jpeg_add_quant_table(&cinfo_, which, table, scale, baseline); });
}

void TJPEGCompressor::WriteMarker(int marker, const uint8_t* data, unsigned length) {
  Protect([&] { jpeg_write_marker(&cinfo_, marker, data, length); });
}

void TJPEGCompressor::GetBitmapInfoHeader(const TBitmap& bitmap, TBitmapResolution resolution,
                                          BITMAPINFOHEADER& header) {
  header = BITMAPINFOHEADER{};
  header.biWidth = bitmap.Width();
  header.biHeight = bitmap.Height();
  switch (resolution) {
    case bmDefault:
      header.biBitCount = static_cast<uint16_t>(bitmap.BitCount() > 8 ? 24 : bitmap.BitCount());
      break;
    case bm16Colour:
      header.biBitCount = 4;
      break;
    case bm256Colour:
      header.biBitCount = 8;
      break;
    case bm24bit:
      header.biBitCount = 24;
      break;
  }
}

void TJPEGCompressor::GetDIBSizes(const TBitmap& bitmap, TBitmapResolution resolution,
                                  int& infoSize, int& imageSize) {
  BITMAPINFOHEADER header;
  GetBitmapInfoHeader(bitmap, resolution, header);
  imageSize = DIBStride(header.biWidth, header.biBitCount) * header.biHeight;
  infoSize = header.biBitCount == 24 ? 40 : 40 + 4 * (1 << header.biBitCount);
}

void TJPEGCompressor::Bitmap2DIB(const TBitmap& bitmap, TBitmapResolution resolution, uint8_t* bits,
                                 TDIBInfo& info) {
  if (bitmap.Empty()) throw EJPEGError("Cannot obtain a Device Independent Bitmap");
  GetBitmapInfoHeader(bitmap, resolution, info.bmiHeader);
  int bitCount = info.bmiHeader.biBitCount;
  int width = bitmap.Width(), height = bitmap.Height();
  int stride = DIBStride(width, bitCount);
  info.bmiHeader.biSizeImage = static_cast<uint32_t>(stride) * height;
  info.bmiColors.clear();
  if (bitCount == bitmap.BitCount()) {
    info.bmiColors = bitmap.Colors();
    if (bitCount <= 8) info.bmiColors.resize(size_t{1} << bitCount);
    std::memcpy(bits, bitmap.Bits(), static_cast<size_t>(stride) * height);
    return;
  }
  if (bitCount <= 8) {
    // A colour table of the bitmap's own that fits is kept; otherwise the standard colours.
    size_t maxColors = size_t{1} << bitCount;
    if (bitmap.BitCount() <= 8 && bitmap.Colors().size() <= maxColors) {
      info.bmiColors = bitmap.Colors();
    } else {
      for (const auto& c : kStandardColors) {
        RGBQUAD q;
        q.rgbRed = c[0];
        q.rgbGreen = c[1];
        q.rgbBlue = c[2];
        info.bmiColors.push_back(q);
      }
    }
    info.bmiColors.resize(maxColors);
  }
  std::vector<uint8_t> bgr(static_cast<size_t>(width) * 3);
  for (int y = 0; y < height; ++y) {
    ExpandRowToBGR(bitmap.ScanLine(y), bitmap.BitCount(), bitmap.Colors(), width, bgr.data());
    uint8_t* out = bits + static_cast<size_t>(height - 1 - y) * stride;
    std::memset(out, 0, static_cast<size_t>(stride));
    if (bitCount == 24) {
      std::memcpy(out, bgr.data(), bgr.size());
      continue;
    }
    for (int x = 0; x < width; ++x) {
      int index = NearestColor(info.bmiColors, &bgr[static_cast<size_t>(x) * 3]);
      if (bitCount == 8)
        out[x] = static_cast<uint8_t>(index);
      else if (bitCount == 4)
        out[x >> 1] |= static_cast<uint8_t>(index << ((x & 1) ? 0 : 4));
      else
        out[x >> 3] |= static_cast<uint8_t>(index << (7 - (x & 7)));
    }
  }
}

void TJPEGCompressor::WriteDIBitmap(const TDIBInfo& info, const uint8_t* bits) {
  ClearAbortRequest();
  const BITMAPINFOHEADER& header = info.bmiHeader;
  int bitCount = header.biBitCount;
  if (bitCount != 4 && bitCount != 8 && bitCount != 24) {
    throw EJPEGError("Unable to compress at " + std::to_string(bitCount) + " bit resolution");
  }
  int width = header.biWidth;
  bool topDown = header.biHeight < 0;
  int height = std::abs(header.biHeight);
  cinfo_.image_width = static_cast<JDIMENSION>(width);
  cinfo_.image_height = static_cast<JDIMENSION>(height);
  // jpeg_set_colorspace decides on the JFIF and Adobe markers itself; the choice made through
  // the properties stays.
  boolean jfif = cinfo_.write_JFIF_header, adobe = cinfo_.write_Adobe_marker;
  SetColorSpace(GrayscaleOutput ? JCS_GRAYSCALE : JCS_YCbCr);
  cinfo_.write_JFIF_header = jfif;
  cinfo_.write_Adobe_marker = adobe;

  std::vector<JSAMPLE> rowBuffer;
  if (bitCount != 24) rowBuffer.resize(static_cast<size_t>(Round4(width)) * 3);
  if (ProgressiveJPEG) {
    Protect([this] { jpeg_simple_progression(&cinfo_); });
  } else {
    // A progressive script of an earlier picture must not carry over.
    cinfo_.scan_info = nullptr;
    cinfo_.num_scans = 0;
  }
  if (!WriteAllTables) Protect([this] { jpeg_suppress_tables(&cinfo_, TRUE); });
  boolean allTables = WriteAllTables ? TRUE : FALSE;
  Protect([this, allTables] { jpeg_start_compress(&cinfo_, allTables); });
  try {
    if (!Comment.empty()) {
      WriteMarker(JPEG_COM, reinterpret_cast<const uint8_t*>(Comment.data()),
                  static_cast<unsigned>(Comment.size()));
    }
    if (OnWriteMarkers) OnWriteMarkers(*this);

    size_t stride = static_cast<size_t>(bitCount == 4   ? Round4((width + 1) / 2)
                                        : bitCount == 8 ? Round4(width)
                                                        : Round4(width * 3));
    while (cinfo_.next_scanline < cinfo_.image_height) {
      size_t y = cinfo_.next_scanline;
      const uint8_t* source = bits + (topDown ? y : height - 1 - y) * stride;
      JSAMPROW row = const_cast<JSAMPROW>(source);
      if (bitCount != 24) {
        ExpandRowToBGR(source, bitCount, info.bmiColors, width, rowBuffer.data());
        row = rowBuffer.data();
      }
      Protect([this, &row] { jpeg_write_scanlines(&cinfo_, &row, 1); });
      CheckAbortRequest();
    }
    FinalProgress();
    Protect([this] { jpeg_finish_compress(&cinfo_); });
  } catch (...) {
    Abort();
    throw;
  }
}

void TJPEGCompressor::WriteBitmap(const TBitmap& bitmap) {
  // The bitmap already lives as a DIB at its own depth (what bmDefault asks for).
  if (bitmap.Empty()) throw EJPEGError("Cannot obtain a Device Independent Bitmap");
  WriteDIBitmap(bitmap.Info(), bitmap.Bits());
}

void TJPEGCompressor::WriteStretchedBitmap(const TBitmap& bitmap, int width, int height) {
  std::unique_ptr<TBitmap> stretched = ReSizeBitmap(bitmap, width, height);
  WriteBitmap(*stretched);
}

void TJPEGCompressor::InitDestinationCB(j_compress_ptr cinfo) {
  TJPEGCompressor* self = Owner(cinfo);
  if (int failure = self->Shield([self] { self->InitDestination(); })) self->Bail(failure);
}

boolean TJPEGCompressor::EmptyOutputBufferCB(j_compress_ptr cinfo) {
  TJPEGCompressor* self = Owner(cinfo);
  bool written = false;
  if (int failure = self->Shield([self, &written] { written = self->EmptyOutputBuffer(); })) {
    self->Bail(failure);
  }
  // Returning false would suspend the library, which the row loops cannot resume: a
  // destination that cannot take the bytes is a write error.
  if (!written) self->Bail(JERR_FILE_WRITE);
  return TRUE;
}

void TJPEGCompressor::TermDestinationCB(j_compress_ptr cinfo) {
  TJPEGCompressor* self = Owner(cinfo);
  if (int failure = self->Shield([self] { self->TermDestination(); })) self->Bail(failure);
}

// --- TJPEGStreamCompressor ---

TJPEGStreamCompressor::TJPEGStreamCompressor() : buffer_(kDefaultBufSize) {}

void TJPEGStreamCompressor::OpenStream(TStream& stream) {
  stream_ = &stream;
}

void TJPEGStreamCompressor::CloseStream() {
  stream_ = nullptr;
}

void TJPEGStreamCompressor::SetBufSize(int size) {
  if (stream_ && dest_.next_output_byte && dest_.next_output_byte != buffer_.data()) {
    throw EJPEGError("Cannot change buffer size while buffer is in use");
  }
  buffer_.assign(static_cast<size_t>(std::max(size, 1)), 0);
  dest_.next_output_byte = nullptr;
  dest_.free_in_buffer = 0;
}

void TJPEGStreamCompressor::InitDestination() {
  dest_.next_output_byte = buffer_.data();
  dest_.free_in_buffer = buffer_.size();
}

bool TJPEGStreamCompressor::EmptyOutputBuffer() {
  bool ok = stream_ && WriteAll(*stream_, buffer_.data(), buffer_.size());
  InitDestination();
  return ok;
}

void TJPEGStreamCompressor::TermDestination() {
  size_t used = buffer_.size() - dest_.free_in_buffer;
  bool ok = stream_ && WriteAll(*stream_, buffer_.data(), used);
  InitDestination();
  if (!ok) throw LibraryFault{JERR_FILE_WRITE};
}

void TJPEGStreamCompressor::SaveBitMapToStream(const TBitmap& bitmap, TStream& stream) {
  OpenStream(stream);
  CloseStreamOnExit closer(*this);
  WriteBitmap(bitmap);
}

void TJPEGStreamCompressor::SaveStretchedBitMapToStream(const TBitmap& bitmap, int width,
                                                        int height, TStream& stream) {
  OpenStream(stream);
  CloseStreamOnExit closer(*this);
  WriteStretchedBitmap(bitmap, width, height);
}

void TJPEGStreamCompressor::SaveDIBitmapToStream(TStream& stream, const TDIBInfo& info,
                                                 const uint8_t* bits) {
  OpenStream(stream);
  CloseStreamOnExit closer(*this);
  WriteDIBitmap(info, bits);
}

// --- TJPEGFileCompressor ---

namespace {

void ReplaceFile(const std::string& fileName, const std::string& bytes) {
  if (!WriteFileAtomic(fileName, bytes)) {
    throw EFCreateError("Cannot create file \"" + fileName + "\"");
  }
}

}  // namespace

void TJPEGFileCompressor::SaveBitmapToFile(const TBitmap& bitmap, const std::string& fileName) {
  TMemoryStream stream;
  SaveBitMapToStream(bitmap, stream);
  ReplaceFile(fileName, stream.Bytes());
}

void TJPEGFileCompressor::SaveStretchedBitmapToFile(const TBitmap& bitmap, int width, int height,
                                                    const std::string& fileName) {
  TMemoryStream stream;
  SaveStretchedBitMapToStream(bitmap, width, height, stream);
  ReplaceFile(fileName, stream.Bytes());
}

}  // namespace tav
