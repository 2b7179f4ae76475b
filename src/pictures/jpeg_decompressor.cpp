#include "pictures/jpeg_decompressor.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "pictures/jpeg_stream.h"

namespace tav {

namespace {

constexpr int kDefaultBufSize = 4096;
// Rows asked of libjpeg per call: enough for a whole row group, so that it decodes straight
// into the bitmap.
constexpr int kRowBatch = 16;
// Progressive encoders write a few dozen scans at most. Each scan is a pass over the whole
// picture, so a small file that repeats one scan thousands of times would keep the decoder
// busy for minutes.
constexpr int kMaxScans = 500;
// Above this many pixels a file must hold at least a byte per 1024 of them: every 8x8 block
// codes its DC value in one bit or more. A header of a few hundred bytes that claims a
// hundred million pixels would otherwise take a second of decoding per scan and a gigabyte.
constexpr int64_t kLargePicture = int64_t{1} << 24;
constexpr int64_t kPixelsPerByte = 1024;

TJPEGDecompressor* Owner(j_decompress_ptr cinfo) {
  return static_cast<TJPEGDecompressor*>(static_cast<TJPEGBase*>(cinfo->client_data));
}

bool IsFourComponent(J_COLOR_SPACE space) {
  return space == JCS_CMYK || space == JCS_YCCK;
}

inline uint8_t Mul255(int a, int b) {
  return static_cast<uint8_t>((a * b + 127) / 255);
}

// CMYK rows (libjpeg turns YCCK into CMYK) to blue, green, red. Files with an Adobe marker
// store the inks inverted, as the programs that write CMYK JPEGs do.
void CmykToBgr(const JSAMPLE* cmyk, uint8_t* bgr, int width, bool inverted) {
  for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    bgr[0] = Mul255(y, k);
    bgr[1] = Mul255(m, k);
    bgr[2] = Mul255(c, k);
  }
}

}  // namespace

// --- TJPEGDecompressor ---

TJPEGDecompressor::TJPEGDecompressor() {
  CreateJPEGObject();
  src_.init_source = &InitSourceCB;
  src_.fill_input_buffer = &FillInputBufferCB;
  src_.skip_input_data = &SkipInputDataCB;
  src_.resync_to_restart = &ResyncToRestartCB;
  src_.term_source = &TermSourceCB;
  cinfo_.src = &src_;
  // APP0 (JFIF) and APP14 (Adobe) stay with libjpeg, which needs them.
  Protect([this] {
    jpeg_set_marker_processor(&cinfo_, JPEG_COM, &CommentCB);
    for (int n = 1; n <= 15; ++n) {
      if (n != 14) jpeg_set_marker_processor(&cinfo_, JPEG_APP0 + n, &APPMarkerCB);
    }
  });
}

TJPEGDecompressor::~TJPEGDecompressor() {
  jpeg_destroy_decompress(&cinfo_);
}

void TJPEGDecompressor::CreateJPEGObject() {
  AttachJPEGObject(reinterpret_cast<j_common_ptr>(&cinfo_));
  Protect([this] { jpeg_create_decompress(&cinfo_); });
  AttachProgress();
}

void TJPEGDecompressor::ReadHeader() {
  Protect([this] { jpeg_read_header(&cinfo_, TRUE); });
  cinfo_.do_fancy_upsampling = DoFancyUpSampling ? TRUE : FALSE;
  cinfo_.dct_method = DCTMethod;
  cinfo_.do_block_smoothing = DoBlockSmoothing ? TRUE : FALSE;
  cinfo_.two_pass_quantize = TwoPassQuantize ? TRUE : FALSE;
  cinfo_.dither_mode = DitherMode;
  Protect([this] { jpeg_calc_output_dimensions(&cinfo_); });
  CheckPictureSize();
}

void TJPEGDecompressor::DoProgress() {
  if (cinfo_.input_scan_number > kMaxScans) throw EJPEGError("JPEG file has too many scans");
  TJPEGBase::DoProgress();
}

void TJPEGDecompressor::CheckPictureSize() const {
  const auto pixels = [](JDIMENSION w, JDIMENSION h) { return int64_t{w} * int64_t{h}; };
  if (pixels(cinfo_.image_width, cinfo_.image_height) > kMaxBitmapPixels ||
      pixels(cinfo_.output_width, cinfo_.output_height) > kMaxBitmapPixels) {
    throw EJPEGError("JPEG image is too big");
  }
}

int TJPEGDecompressor::GetByte() {
  if (src_.bytes_in_buffer == 0 && !FillInputBuffer()) {
    throw EJPEGError("Read beyond end of JPEG source");
  }
  --src_.bytes_in_buffer;
  return *src_.next_input_byte++;
}

int TJPEGDecompressor::BytesPerPixel(TJPEGOutputType outputType) const {
  return outputType == jp24bit ? 3 : 1;
}

size_t TJPEGDecompressor::GetDIBitsSize(TJPEGOutputType outputType) const {
  CheckPictureSize();
  int width = static_cast<int>(cinfo_.output_width);
  int rowBytes = outputType == jp4bit ? (width + 1) / 2 : width * BytesPerPixel(outputType);
  return static_cast<size_t>(Round4(rowBytes)) * cinfo_.output_height;
}

int TJPEGDecompressor::GetBitmapInfoSize(TJPEGOutputType outputType) const {
  switch (outputType) {
    case jp24bit:
      return 40;
    case jp8bit:
      return 40 + 256 * 4;
    case jp4bit:
      return 40 + 16 * 4;
    case jpGrayscale:
      return 40 + 64 * 4;
  }
  return 40;
}

void TJPEGDecompressor::ReadDIBitmap(TDIBInfo& info, TJPEGOutputType outputType, uint8_t* bits) {
  ClearAbortRequest();
  if (cinfo_.out_color_space == JCS_GRAYSCALE && outputType != jpGrayscale) {
    throw EJPEGError("Image is Grayscale but colour output requested");
  }
  // CMYK and YCCK pictures are decoded to CMYK and converted here; libjpeg has no conversion
  // of its own for them.
  bool cmyk = IsFourComponent(cinfo_.jpeg_color_space);
  if (cmyk && (outputType == jp8bit || outputType == jp4bit)) {
    throw EJPEGError("A CMYK picture cannot be shown with a colour palette");
  }
  switch (outputType) {
    case jp8bit:
    case jp4bit:
      cinfo_.quantize_colors = TRUE;
      cinfo_.desired_number_of_colors = outputType == jp8bit ? ColoursIn8bitMode : 16;
      cinfo_.out_color_space = JCS_EXT_BGR;
      break;
    case jpGrayscale:
      cinfo_.out_color_space = cmyk ? JCS_CMYK : JCS_GRAYSCALE;
      break;
    case jp24bit:
      cinfo_.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
      break;
  }
  Protect([this] { jpeg_start_decompress(&cinfo_); });
  try {
    int width = static_cast<int>(cinfo_.output_width);
    int height = static_cast<int>(cinfo_.output_height);
    int expected = cmyk ? 4 : outputType == jpGrayscale ? 1 : 3;
    if (cinfo_.out_color_components != expected) {
      throw EJPEGError("Unsupported color conversion request");
    }
    info = TDIBInfo{};
    BITMAPINFOHEADER& header = info.bmiHeader;
    header.biWidth = width;
    header.biHeight = height;
    header.biBitCount = outputType == jp24bit ? 24 : outputType == jp4bit ? 4 : 8;
    int rowBytes = outputType == jp4bit ? (width + 1) / 2 : width * BytesPerPixel(outputType);
    size_t stride = static_cast<size_t>(Round4(rowBytes));

    // Pictures that need converting go through a buffer; the others are decoded in place.
    int bufferComponents = cmyk ? 4 : outputType == jp4bit ? 1 : 0;
    std::vector<JSAMPLE> buffer(static_cast<size_t>(width) * bufferComponents * kRowBatch);
    std::vector<uint8_t> greyScratch(cmyk && outputType == jpGrayscale ? width * 3 : 0);
    bool inverted = cinfo_.saw_Adobe_marker;
    JSAMPROW rows[kRowBatch];
    while (cinfo_.output_scanline < cinfo_.output_height) {
      int first = static_cast<int>(cinfo_.output_scanline);
      int wanted = std::min(kRowBatch, height - first);
      for (int i = 0; i < wanted; ++i) {
        rows[i] = bufferComponents ? &buffer[static_cast<size_t>(i) * width * bufferComponents]
                                   : bits + static_cast<size_t>(height - 1 - (first + i)) * stride;
      }
      JDIMENSION got = 0;
      Protect([&] { got = jpeg_read_scanlines(&cinfo_, rows, static_cast<JDIMENSION>(wanted)); });
      if (got == 0) throw EJPEGError("Read beyond end of JPEG source");
      for (int i = 0; i < static_cast<int>(got); ++i) {
        uint8_t* out = bits + static_cast<size_t>(height - 1 - (first + i)) * stride;
        const JSAMPLE* in = rows[i];
        if (cmyk && outputType == jp24bit) {
          CmykToBgr(in, out, width, inverted);
        } else if (cmyk) {
          CmykToBgr(in, greyScratch.data(), width, inverted);
          for (int x = 0; x < width; ++x) {
            const uint8_t* p = &greyScratch[static_cast<size_t>(x) * 3];
            out[x] = static_cast<uint8_t>((p[0] * 29 + p[1] * 150 + p[2] * 77 + 128) >> 8);
          }
        } else if (outputType == jp4bit) {
          // Two pixels a byte, the first in the high nibble.
          for (int x = 0; x < width; x += 2) {
            int high = in[x], low = x + 1 < width ? in[x + 1] : 0;
            out[x / 2] = static_cast<uint8_t>((high << 4) | (low & 0x0F));
          }
        }
        if (outputType == jpGrayscale) {
          for (int x = 0; x < width; ++x) out[x] >>= 2;  // 64 grey levels
        }
        std::memset(out + rowBytes, 0, stride - rowBytes);
      }
      CheckAbortRequest();
    }

    if (outputType == jpGrayscale) {
      info.bmiColors.resize(64);
      for (int i = 0; i < 64; ++i) {
        auto v = static_cast<uint8_t>(std::lround(255.0 * std::sin(i * std::numbers::pi / 126)));
        info.bmiColors[i].rgbBlue = info.bmiColors[i].rgbGreen = info.bmiColors[i].rgbRed = v;
      }
      // The header says how many entries there are, so that a bitmap file of this DIB is read
      // with its 64 colours and not 256.
      header.biClrUsed = 64;
    } else if (outputType != jp24bit) {
      info.bmiColors.resize(outputType == jp8bit ? 256 : 16);
      int count =
          std::min<int>(cinfo_.actual_number_of_colors, static_cast<int>(info.bmiColors.size()));
      // The colour map follows the output order: plane 0 is blue.
      for (int i = 0; i < count; ++i) {
        info.bmiColors[i].rgbBlue = cinfo_.colormap[0][i];
        info.bmiColors[i].rgbGreen = cinfo_.colormap[1][i];
        info.bmiColors[i].rgbRed = cinfo_.colormap[2][i];
      }
    }
    header.biSizeImage = static_cast<uint32_t>(stride * height);
    FinalProgress();
    Protect([this] { jpeg_finish_decompress(&cinfo_); });
  } catch (...) {
    Abort();
    throw;
  }
}

void TJPEGDecompressor::ReadDIBtoStream(TStream& stream, TJPEGOutputType outputType) {
  int infoSize = GetBitmapInfoSize(outputType);
  std::vector<uint8_t> bits(GetDIBitsSize(outputType));
  TDIBInfo info;
  ReadDIBitmap(info, outputType, bits.data());
  std::string head = BitmapFileHead(info, static_cast<size_t>(infoSize - 40) / 4,
                                    static_cast<uint32_t>(bits.size()));
  if (stream.Write(head.data(), static_cast<long>(head.size())) != static_cast<long>(head.size()) ||
      stream.Write(bits.data(), static_cast<long>(bits.size())) != static_cast<long>(bits.size())) {
    throw EJPEGError("Stream write error");
  }
}

std::unique_ptr<TBitmap> TJPEGDecompressor::ReadBitmap() {
  // On a true-colour screen ReadWinBitmap takes grey or 24 bits, which is what is asked here.
  std::vector<RGBQUAD> palette;
  auto bitmap = std::make_unique<TBitmap>();
  ReadWinBitmap(*bitmap, palette, 24);
  return bitmap;
}

void TJPEGDecompressor::ReadWinBitmap(TBitmap& bitmap, std::vector<RGBQUAD>& palette,
                                      int screenBits) {
  TJPEGOutputType type = GrayScaleOutput || cinfo_.out_color_space == JCS_GRAYSCALE ? jpGrayscale
                         : screenBits == 8                                          ? jp8bit
                         : screenBits == 4                                          ? jp4bit
                                                                                    : jp24bit;
  // The size libjpeg will decode to, worked out with the settings of the moment, so that the
  // bitmap's memory is exactly what ReadDIBitmap fills.
  Protect([this] { jpeg_calc_output_dimensions(&cinfo_); });
  bitmap.SetSize(static_cast<int>(cinfo_.output_width), static_cast<int>(cinfo_.output_height),
                 type == jp24bit  ? 24
                 : type == jp4bit ? 4
                                  : 8);
  TDIBInfo info;
  ReadDIBitmap(info, type, bitmap.Bits());
  palette = info.bmiColors;
  bitmap.SetColors(info.bmiColors);
}

bool TJPEGDecompressor::ResyncToRestart(int desired) {
  return jpeg_resync_to_restart(&cinfo_, desired) != FALSE;
}

void TJPEGDecompressor::DoJPEGComment(const char* text) {
  if (OnJPEGComment) OnJPEGComment(*this, text);
}

int TJPEGDecompressor::MarkerLength() {
  int length = GetByte() << 8;
  length |= GetByte();
  // The length counts its own two bytes: anything shorter is a damaged file.
  if (length < 2) throw LibraryFault{JERR_BAD_LENGTH};
  return length - 2;
}

void TJPEGDecompressor::HandleJPEGComment() {
  int length = MarkerLength();
  if (length == 0) return;
  std::string text(static_cast<size_t>(length), '\0');
  for (char& c : text) c = static_cast<char>(GetByte());
  DoJPEGComment(text.c_str());
}

void TJPEGDecompressor::HandleAPPMarker() {
  if (OnJPEGMarker) {
    bool done = false;
    OnJPEGMarker(*this, cinfo_.unread_marker - JPEG_APP0, done);
    if (done) return;
  }
  int length = MarkerLength();
  if (length > 0) SkipInputBytes(length);
}

void TJPEGDecompressor::InitSourceCB(j_decompress_ptr cinfo) {
  TJPEGDecompressor* self = Owner(cinfo);
  if (int failure = self->Shield([self] { self->InitSource(); })) self->Bail(failure);
}

boolean TJPEGDecompressor::FillInputBufferCB(j_decompress_ptr cinfo) {
  TJPEGDecompressor* self = Owner(cinfo);
  bool filled = false;
  if (int failure = self->Shield([self, &filled] { filled = self->FillInputBuffer(); })) {
    self->Bail(failure);
  }
  // Returning false would suspend the library, which the row loops cannot resume.
  if (!filled) self->Bail(JERR_INPUT_EOF);
  return TRUE;
}

void TJPEGDecompressor::SkipInputDataCB(j_decompress_ptr cinfo, long count) {
  TJPEGDecompressor* self = Owner(cinfo);
  if (int failure = self->Shield([self, count] { self->SkipInputBytes(count); })) {
    self->Bail(failure);
  }
}

boolean TJPEGDecompressor::ResyncToRestartCB(j_decompress_ptr cinfo, int desired) {
  TJPEGDecompressor* self = Owner(cinfo);
  bool result = false;
  if (int failure = self->Shield([&] { result = self->ResyncToRestart(desired); })) {
    self->Bail(failure);
  }
  return result ? TRUE : FALSE;
}

void TJPEGDecompressor::TermSourceCB(j_decompress_ptr cinfo) {
  TJPEGDecompressor* self = Owner(cinfo);
  if (int failure = self->Shield([self] { self->TermSource(); })) self->Bail(failure);
}

boolean TJPEGDecompressor::CommentCB(j_decompress_ptr cinfo) {
  TJPEGDecompressor* self = Owner(cinfo);
  if (int failure = self->Shield([self] { self->HandleJPEGComment(); })) self->Bail(failure);
  return TRUE;
}

boolean TJPEGDecompressor::APPMarkerCB(j_decompress_ptr cinfo) {
  TJPEGDecompressor* self = Owner(cinfo);
  if (int failure = self->Shield([self] { self->HandleAPPMarker(); })) self->Bail(failure);
  return TRUE;
}

// --- TJPEGStreamDecompressor ---

TJPEGStreamDecompressor::TJPEGStreamDecompressor() : buffer_(kDefaultBufSize) {}

void TJPEGStreamDecompressor::OpenStream(TStream& stream) {
  stream_ = &stream;
  bytesRead_ = 0;
  src_.next_input_byte = nullptr;
  src_.bytes_in_buffer = 0;
  try {
    ReadHeader();
    const int64_t pixels = int64_t{cinfo_.image_width} * int64_t{cinfo_.image_height};
    if (pixels > kLargePicture && stream.Size() < pixels / kPixelsPerByte)
      throw EJPEGError("JPEG file too short for its picture size");
  } catch (...) {
    CloseStream();
    throw;
  }
}

void TJPEGStreamDecompressor::CloseStream() {
  stream_ = nullptr;
  src_.next_input_byte = nullptr;
  src_.bytes_in_buffer = 0;
  // A picture left half read would block the next one.
  Abort();
}

void TJPEGStreamDecompressor::SetBufSize(int size) {
  if (src_.bytes_in_buffer > 0) {
    throw EJPEGError("Cannot change buffer size while buffer is in use");
  }
  // Room for the end marker put in at a premature end.
  buffer_.assign(static_cast<size_t>(std::max(size, 2)), 0);
}

void TJPEGStreamDecompressor::InitSource() {
  src_.bytes_in_buffer = 0;
}

bool TJPEGStreamDecompressor::FillInputBuffer() {
  long count = stream_ ? stream_->Read(buffer_.data(), static_cast<long>(buffer_.size())) : 0;
  if (count > 0) {
    src_.next_input_byte = buffer_.data();
    src_.bytes_in_buffer = static_cast<size_t>(count);
    bytesRead_ += count;
    return true;
  }
  if (bytesRead_ == 0) throw LibraryFault{JERR_INPUT_EMPTY};
  // Cut short: finish the picture with an end marker and say so.
  EmitWarning(JWRN_JPEG_EOF);
  buffer_[0] = 0xFF;
  buffer_[1] = JPEG_EOI;
  src_.next_input_byte = buffer_.data();
  src_.bytes_in_buffer = 2;
  return true;
}

void TJPEGStreamDecompressor::SkipInputBytes(long count) {
  if (count <= 0) return;
  if (static_cast<size_t>(count) > src_.bytes_in_buffer) {
    if (stream_) stream_->Seek(count - static_cast<long>(src_.bytes_in_buffer), soFromCurrent);
    src_.bytes_in_buffer = 0;
  } else {
    src_.next_input_byte += count;
    src_.bytes_in_buffer -= static_cast<size_t>(count);
  }
}

void TJPEGStreamDecompressor::ConvertToDIB(TStream& jpegStream, TStream& bitmapStream,
                                           TJPEGOutputType outputType) {
  OpenStream(jpegStream);
  CloseStreamOnExit closer(*this);
  ReadDIBtoStream(bitmapStream, outputType);
}

void TJPEGStreamDecompressor::LoadPictureFromStream(TBitmap& picture, TStream& stream) {
  std::unique_ptr<TBitmap> bitmap = ReadBitMapFromStream(stream);
  picture.TakeContents(*bitmap);
}

std::unique_ptr<TBitmap> TJPEGStreamDecompressor::ReadBitMapFromStream(TStream& stream) {
  OpenStream(stream);
  CloseStreamOnExit closer(*this);
  return ReadBitmap();
}

void TJPEGStreamDecompressor::ReadDIBitmapFromStream(TStream& stream, TDIBInfo& info,
                                                     std::vector<uint8_t>& bits,
                                                     TJPEGOutputType outputType) {
  OpenStream(stream);
  CloseStreamOnExit closer(*this);
  bits.assign(GetDIBitsSize(outputType), 0);
  ReadDIBitmap(info, outputType, bits.data());
}

// --- TJPEGFileDecompressor ---

void TJPEGFileDecompressor::LoadPictureFromFile(TBitmap& picture, const std::string& fileName) {
  TFileStream stream(fileName);
  LoadPictureFromStream(picture, stream);
}

}  // namespace tav
