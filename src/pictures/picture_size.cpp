#include "pictures/picture_size.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "pictures/jpeg_decompressor.h"
#include "pictures/jpeg_stream.h"
#include "platform/paths.h"

namespace tav {

namespace {

uint32_t Le(const unsigned char* p, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}
uint32_t Be(const unsigned char* p, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | p[i];
  return v;
}

bool JpegSize(const std::string& path, int& width, int& height) {
  try {
    TFileStream stream(path);
    TJPEGStreamDecompressor jpeg;
    jpeg.OpenStream(stream);
    const int w = static_cast<int>(jpeg.Getcinfoimage_width());
    const int h = static_cast<int>(jpeg.Getcinfoimage_height());
    jpeg.CloseStream();
    if (w <= 0 || h <= 0) return false;
    width = w;
    height = h;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

bool ReadPictureSize(const std::string& path, int& width, int& height) {
  unsigned char head[32] = {};
  std::FILE* f = std::fopen(DiskPath(path).c_str(), "rb");
  if (!f) return false;
  const size_t n = std::fread(head, 1, sizeof head, f);
  std::fclose(f);
  long w = 0, h = 0;
  if (n >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
    return JpegSize(path, width, height);
  if (n >= 26 && head[0] == 'B' && head[1] == 'M') {
    w = static_cast<int32_t>(Le(head + 18, 4));
    h = std::labs(static_cast<int32_t>(Le(head + 22, 4)));  // negative: rows top-down
  } else if (n >= 10 && head[0] == 'G' && head[1] == 'I' && head[2] == 'F') {
    w = Le(head + 6, 2);
    h = Le(head + 8, 2);
  } else if (n >= 24 && head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G') {
    w = Be(head + 16, 4);
    h = Be(head + 20, 4);
  }
  if (w <= 0 || h <= 0 || w > 1000000 || h > 1000000) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

}  // namespace tav
