// Decoding a 12-megapixel JPEG (4000 x 3000) the way the windows load pictures: TJPEGBitmap from
// a file into a 24-bit bitmap. The picture is generated once and left in the temporary folder
// ("tavolin_bench_12mp.jpg") so that `djpeg -bmp` can be timed on the same file.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "pictures/jpeg_bitmap.h"
#include "pictures/jpeg_compressor.h"

namespace {

const std::string& BenchFile() {
  static const std::string path = [] {
    std::string file = (std::filesystem::temp_directory_path() / "tavolin_bench_12mp.jpg").string();
    // Smooth shapes, texture and a little noise, like a photograph.
    tav::TBitmap picture;
    const int width = 4000, height = 3000;
    picture.SetSize(width, height, 24);
    uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
      uint8_t* row = picture.ScanLine(y);
      for (int x = 0; x < width; ++x) {
        noise = noise * 1664525u + 1013904223u;
        int n = static_cast<int>(noise >> 28) - 8;
        double r = 128 + 100 * std::sin(x / 37.0 + y / 53.0);
        double g = 128 + 90 * std::sin(x / 23.0) * std::cos(y / 31.0);
        double b = (x * 255.0 / width + y * 255.0 / height) / 2;
        row[x * 3] = static_cast<uint8_t>(std::clamp(b + n, 0.0, 255.0));
        row[x * 3 + 1] = static_cast<uint8_t>(std::clamp(g + n, 0.0, 255.0));
        row[x * 3 + 2] = static_cast<uint8_t>(std::clamp(r + n, 0.0, 255.0));
      }
    }
    tav::TJPEGFileCompressor compressor;
    compressor.SetQuality(85);
    compressor.SaveBitmapToFile(picture, file);
    std::fprintf(stderr, "picture: %s\n", file.c_str());
    return file;
  }();
  return path;
}

void BM_DecodeJPEG12MP(benchmark::State& state) {
  const std::string& file = BenchFile();
  for (auto _ : state) {
    tav::TJPEGBitmap picture;
    picture.LoadFromFile(file);
    benchmark::DoNotOptimize(picture.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 4000 * 3000);
}
BENCHMARK(BM_DecodeJPEG12MP)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
