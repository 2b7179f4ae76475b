#pragma once
// JPEG reading: the decompressor turns JPEG data into DIB rows (blue, green, red, or palette
// indices) through libjpeg; the stream decompressor reads the data from a stream, the file
// decompressor from a file. Comments and application markers go to events.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pictures/jpeg_base.h"
#include "pictures/jpeg_dib.h"

namespace tav {

class TStream;

// jp24bit: blue-green-red; jp8bit and jp4bit: colours reduced to a palette; jpGrayscale: 8 bits
// with a 64-entry grey palette.
enum TJPEGOutputType { jp24bit, jp8bit, jp4bit, jpGrayscale };

class TJPEGDecompressor : public TJPEGBase {
 public:
  using TJPEGCommentEvent = std::function<void(TJPEGDecompressor& sender, const char* comment)>;
  // marker 1 to 13 or 15 (APPn); a handler that sets done has read the marker itself (GetByte).
  using TJPEGMarkerEvent = std::function<void(TJPEGDecompressor& sender, int marker, bool& done)>;

  TJPEGDecompressor();
  ~TJPEGDecompressor() override;

  TJPEGCommentEvent OnJPEGComment;
  J_DCT_METHOD DCTMethod = JDCT_ISLOW;
  bool DoFancyUpSampling = true;
  bool DoBlockSmoothing = true;
  bool GrayScaleOutput = false;  // ReadBitmap decodes to grey
  bool TwoPassQuantize = true;
  J_DITHER_MODE DitherMode = JDITHER_FS;
  int ColoursIn8bitMode = 64;
  TJPEGMarkerEvent OnJPEGMarker;

  TAV_JPEG_FIELD(jpeg_decompress_struct, out_color_space)
  TAV_JPEG_FIELD(jpeg_decompress_struct, scale_num)
  TAV_JPEG_FIELD(jpeg_decompress_struct, scale_denom)
  TAV_JPEG_FIELD(jpeg_decompress_struct, output_gamma)
  TAV_JPEG_FIELD(jpeg_decompress_struct, quantize_colors)
  TAV_JPEG_FIELD(jpeg_decompress_struct, desired_number_of_colors)
  TAV_JPEG_FIELD(jpeg_decompress_struct, colormap)
  TAV_JPEG_FIELD(jpeg_decompress_struct, actual_number_of_colors)
  TAV_JPEG_FIELD(jpeg_decompress_struct, image_width)
  TAV_JPEG_FIELD(jpeg_decompress_struct, image_height)
  TAV_JPEG_FIELD(jpeg_decompress_struct, jpeg_color_space)
  TAV_JPEG_FIELD(jpeg_decompress_struct, saw_JFIF_marker)
  TAV_JPEG_FIELD(jpeg_decompress_struct, density_unit)
  TAV_JPEG_FIELD(jpeg_decompress_struct, X_density)
  TAV_JPEG_FIELD(jpeg_decompress_struct, Y_density)
  TAV_JPEG_FIELD(jpeg_decompress_struct, Adobe_transform)
  TAV_JPEG_FIELD(jpeg_decompress_struct, enable_1pass_quant)
  TAV_JPEG_FIELD(jpeg_decompress_struct, enable_external_quant)
  TAV_JPEG_FIELD(jpeg_decompress_struct, enable_2pass_quant)
  TAV_JPEG_FIELD(jpeg_decompress_struct, output_height)
  TAV_JPEG_FIELD(jpeg_decompress_struct, output_width)
  const JOCTET* GetNextInputByte() const { return src_.next_input_byte; }
  void SetNextInputByte(const JOCTET* p) { src_.next_input_byte = p; }
  size_t GetBytesInBuffer() const { return src_.bytes_in_buffer; }
  void SetBytesInBuffer(size_t n) { src_.bytes_in_buffer = n; }

  // The next byte of the JPEG data (for marker handlers); "Read beyond end of JPEG source"
  // when there is none.
  int GetByte();
  // Sizes for ReadDIBitmap after the header was read (EJPEGError for a picture too big to
  // decode).
  size_t GetDIBitsSize(TJPEGOutputType outputType) const;
  int GetBitmapInfoSize(TJPEGOutputType outputType) const;
  // Decodes the picture whose header was read into `bits` (GetDIBitsSize bytes, rows
  // bottom-up) and fills `info`.
  void ReadDIBitmap(TDIBInfo& info, TJPEGOutputType outputType, uint8_t* bits);
  // Decodes the picture into a bitmap file written to `stream`.
  void ReadDIBtoStream(TStream& stream, TJPEGOutputType outputType);
  // Decodes the picture into a new bitmap: grey (8 bits) for grey pictures or when
  // GrayScaleOutput is set, else 24 bits.
  std::unique_ptr<TBitmap> ReadBitmap();
  // Like ReadBitmap for a screen of `screenBits` bits per pixel: 8 bits gets a 256-colour
  // picture, 4 bits a 16-colour one; `palette` receives the colour table (none for 24 bits).
  void ReadWinBitmap(TBitmap& bitmap, std::vector<RGBQUAD>& palette, int screenBits = 24);

 protected:
  void CreateJPEGObject() override;
  // libjpeg's source manager. FillInputBuffer never suspends: it gives true with bytes.
  virtual void InitSource() = 0;
  virtual bool FillInputBuffer() = 0;
  virtual void SkipInputBytes(long count) = 0;
  virtual bool ResyncToRestart(int desired);
  virtual void TermSource() = 0;
  virtual void DoJPEGComment(const char* text);
  // Reads the header, hands the decoding settings to libjpeg and works out the output size.
  virtual void ReadHeader();
  // Refuses a file with more scans than any encoder writes before it passes them on.
  void DoProgress() override;

  jpeg_decompress_struct cinfo_{};
  jpeg_source_mgr src_{};

 private:
  void HandleJPEGComment();
  void HandleAPPMarker();
  int MarkerLength();
  // Throws EJPEGError for a picture of more than kMaxBitmapPixels (as stored or as decoded).
  void CheckPictureSize() const;
  int BytesPerPixel(TJPEGOutputType outputType) const;

  static void InitSourceCB(j_decompress_ptr cinfo);
  static boolean FillInputBufferCB(j_decompress_ptr cinfo);
  static void SkipInputDataCB(j_decompress_ptr cinfo, long count);
  static boolean ResyncToRestartCB(j_decompress_ptr cinfo, int desired);
  static void TermSourceCB(j_decompress_ptr cinfo);
  static boolean CommentCB(j_decompress_ptr cinfo);
  static boolean APPMarkerCB(j_decompress_ptr cinfo);
};

class TJPEGStreamDecompressor : public TJPEGDecompressor {
 public:
  TJPEGStreamDecompressor();

  // Remembers the stream and reads the header (the stream is forgotten if that fails).
  void OpenStream(TStream& stream);
  void CloseStream();
  // Throws "Cannot change buffer size while buffer is in use" while read bytes wait.
  void SetBufSize(int size);

  // Each of these opens the stream, reads one picture and closes the stream, also on failure.
  void ConvertToDIB(TStream& jpegStream, TStream& bitmapStream, TJPEGOutputType outputType);
  void LoadPictureFromStream(TBitmap& picture, TStream& stream);
  std::unique_ptr<TBitmap> ReadBitMapFromStream(TStream& stream);
  void ReadDIBitmapFromStream(TStream& stream, TDIBInfo& info, std::vector<uint8_t>& bits,
                              TJPEGOutputType outputType);

 protected:
  void InitSource() override;
  bool FillInputBuffer() override;
  void SkipInputBytes(long count) override;
  void TermSource() override {}

 private:
  TStream* stream_ = nullptr;
  std::vector<JOCTET> buffer_;
  long long bytesRead_ = 0;
};

class TJPEGFileDecompressor : public TJPEGStreamDecompressor {
 public:
  // EFOpenError when the file cannot be opened.
  void LoadPictureFromFile(TBitmap& picture, const std::string& fileName);
};

}  // namespace tav
