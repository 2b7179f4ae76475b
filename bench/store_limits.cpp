// Store files far larger than any real one, as a garbled or hostile file makes them: the key
// figures (Kenndaten.dat) and the serving units (Portions.dat) read at the start, at a size a
// real file never reaches but the limit still lets through (3.5 MB) and at 20 MB, which the
// limit refuses. Time and the peak memory the read adds (counter "peak_MB").
#include <benchmark/benchmark.h>

#include <string>

#include "bench_data_root.h"
#include "bench_memory.h"
#include "platform/text_file.h"
#include "recipes/key_figure_choice.h"
#include "recipes/portion_units.h"

namespace {

using namespace tav;

// Short lines as a garbled file repeats them, `bytes` in all.
std::string Filled(const std::string& line, long long bytes) {
  std::string out;
  out.reserve(static_cast<size_t>(bytes) + line.size());
  while (static_cast<long long>(out.size()) < bytes) out += line;
  return out;
}

template <typename Read>
void RunRead(benchmark::State& state, const std::string& file, const std::string& line,
             Read read) {
  bench::BenchDataRoot root("limits");
  WriteFileAtomic(root.data + "DE/" + file, Filled(line, state.range(0) << 10));
  long peak = 0;
  for (auto _ : state) {
    bench::ResetPeakRss();
    const long before = bench::RssKb();
    benchmark::DoNotOptimize(read());
    peak = std::max(peak, bench::PeakRssKb() - before);
  }
  state.counters["peak_MB"] = static_cast<double>(peak) / 1024.0;
}

void BM_KeyFigures(benchmark::State& state) {
  RunRead(state, "Kenndaten.dat", "0|0|\r\n", [] {
    KeyFigureChoice choice;
    choice.ReadKenndaten();
    return choice.CountKeyFigures();
  });
}
BENCHMARK(BM_KeyFigures)->Arg(3584)->Arg(20 << 10)->Unit(benchmark::kMillisecond);

void BM_ServingUnits(benchmark::State& state) {
  RunRead(state, "Portions.dat", "Teller\r\n", [] {
    PortionUnits units;
    units.LoadPortionUnits();
    return units.names.size();
  });
}
BENCHMARK(BM_ServingUnits)->Arg(3584)->Arg(20 << 10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
