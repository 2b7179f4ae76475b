#pragma once
// JPEG writing: the compressor turns DIB rows (blue, green, red) into JPEG data through libjpeg;
// the stream compressor writes that data to a stream, the file compressor to a file.
#include <cstdint>
#include <string>
#include <vector>

#include "pictures/jpeg_base.h"
#include "pictures/jpeg_dib.h"

namespace tav {

class TStream;

// The depth a bitmap is converted to before compressing.
enum TBitmapResolution { bmDefault, bm16Colour, bm256Colour, bm24bit };

class TJPEGCompressor : public TJPEGBase {
 public:
  TJPEGCompressor();
  ~TJPEGCompressor() override;

  std::string Comment;  // written as a COM marker when not empty
  bool ProgressiveJPEG = false;
  bool WriteAllTables = true;
  bool GrayscaleOutput = false;  // write a one-component (grayscale) JPEG
  TNotifyEvent OnWriteMarkers;   // after the header: the place for WriteMarker

  int Quality() const { return quality_; }
  // Stores q and sets the tables (forced to baseline).
  void SetQuality(int q);
  void SetColorSpace(J_COLOR_SPACE space);
  void AddQuantTable(int which, const unsigned int* table, int scale, bool forceBaseline);
  void WriteMarker(int marker, const uint8_t* data, unsigned length);

  TAV_JPEG_FIELD(jpeg_compress_struct, input_components)
  TAV_JPEG_FIELD(jpeg_compress_struct, image_width)
  TAV_JPEG_FIELD(jpeg_compress_struct, image_height)
  TAV_JPEG_FIELD(jpeg_compress_struct, input_gamma)
  TAV_JPEG_FIELD(jpeg_compress_struct, data_precision)
  TAV_JPEG_FIELD(jpeg_compress_struct, jpeg_color_space)
  TAV_JPEG_FIELD(jpeg_compress_struct, dct_method)
  TAV_JPEG_FIELD(jpeg_compress_struct, optimize_coding)
  TAV_JPEG_FIELD(jpeg_compress_struct, restart_interval)
  TAV_JPEG_FIELD(jpeg_compress_struct, restart_in_rows)
  TAV_JPEG_FIELD(jpeg_compress_struct, smoothing_factor)
  TAV_JPEG_FIELD(jpeg_compress_struct, write_JFIF_header)
  TAV_JPEG_FIELD(jpeg_compress_struct, density_unit)
  TAV_JPEG_FIELD(jpeg_compress_struct, X_density)
  TAV_JPEG_FIELD(jpeg_compress_struct, Y_density)
  TAV_JPEG_FIELD(jpeg_compress_struct, write_Adobe_marker)
  JOCTET* GetNextOut() const { return dest_.next_output_byte; }
  void SetNextOut(JOCTET* p) { dest_.next_output_byte = p; }
  size_t GetFreeIn() const { return dest_.free_in_buffer; }
  void SetFreeIn(size_t n) { dest_.free_in_buffer = n; }

  // The DIB header a bitmap gets at `resolution`: bmDefault keeps its depth (more than 8 bits
  // become 24).
  void GetBitmapInfoHeader(const TBitmap& bitmap, TBitmapResolution resolution,
                           BITMAPINFOHEADER& header);
  // Info size (header and colour table) and size of the bits at `resolution`.
  void GetDIBSizes(const TBitmap& bitmap, TBitmapResolution resolution, int& infoSize,
                   int& imageSize);
  // The bitmap as a DIB at `resolution`: `bits` must hold the image size of GetDIBSizes.
  void Bitmap2DIB(const TBitmap& bitmap, TBitmapResolution resolution, uint8_t* bits,
                  TDIBInfo& info);
  // Compresses a DIB of 4, 8 or 24 bits (rows bottom-up; a negative height means top-down).
  void WriteDIBitmap(const TDIBInfo& info, const uint8_t* bits);
  void WriteBitmap(const TBitmap& bitmap);
  void WriteStretchedBitmap(const TBitmap& bitmap, int width, int height);

 protected:
  void CreateJPEGObject() override;
  // libjpeg's destination manager. EmptyOutputBuffer gives false when the bytes could not be
  // written, which ends the compression with a write error.
  virtual void InitDestination() = 0;
  virtual bool EmptyOutputBuffer() = 0;
  virtual void TermDestination() = 0;

  jpeg_compress_struct cinfo_{};
  jpeg_destination_mgr dest_{};

 private:
  static void InitDestinationCB(j_compress_ptr cinfo);
  static boolean EmptyOutputBufferCB(j_compress_ptr cinfo);
  static void TermDestinationCB(j_compress_ptr cinfo);

  int quality_ = 75;
};

class TJPEGStreamCompressor : public TJPEGCompressor {
 public:
  TJPEGStreamCompressor();

  // Each of these opens the stream, writes one JPEG picture and closes it, also on failure.
  void SaveBitMapToStream(const TBitmap& bitmap, TStream& stream);
  void SaveStretchedBitMapToStream(const TBitmap& bitmap, int width, int height, TStream& stream);
  void SaveDIBitmapToStream(TStream& stream, const TDIBInfo& info, const uint8_t* bits);

  void OpenStream(TStream& stream);
  void CloseStream();
  // Throws "Cannot change buffer size while buffer is in use" while bytes wait to be written.
  void SetBufSize(int size);

 protected:
  void InitDestination() override;
  bool EmptyOutputBuffer() override;
  void TermDestination() override;

 private:
  TStream* stream_ = nullptr;
  std::vector<JOCTET> buffer_;
};

class TJPEGFileCompressor : public TJPEGStreamCompressor {
 public:
  // Each replaces the file whole (temporary file, then rename); EFCreateError when it cannot.
  void SaveBitmapToFile(const TBitmap& bitmap, const std::string& fileName);
  void SaveStretchedBitmapToFile(const TBitmap& bitmap, int width, int height,
                                 const std::string& fileName);
};

}  // namespace tav
