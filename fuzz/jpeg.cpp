// Pictures: any bytes given to the JPEG decoder (every output type) or to the bitmap reader
// give a picture or an EJPEGError / EInvalidGraphic, never a crash, a hang or a memory blow-up.
#include "fuzz_support.h"
#include "pictures/jpeg_bitmap.h"
#include "pictures/jpeg_decompressor.h"
#include "pictures/jpeg_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tav;
  if (size < 1) return 0;
  const int how = data[0] % 6;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  try {
    TMemoryStream stream(bytes);
    if (how == 5) {
      TBitmap bitmap;
      bitmap.LoadFromStream(stream);
      return 0;
    }
    TJPEGStreamDecompressor decoder;
    if (how == 4) {
      TBitmap picture;
      decoder.LoadPictureFromStream(picture, stream);
      return 0;
    }
    const TJPEGOutputType types[] = {jp24bit, jp8bit, jp4bit, jpGrayscale};
    TDIBInfo info;
    std::vector<uint8_t> bits;
    decoder.ReadDIBitmapFromStream(stream, info, bits, types[how]);
  } catch (const EJPEGError&) {
  } catch (const EInvalidGraphic&) {
  }
  return 0;
}
