// Start-up to a usable main window with every window and data module created, offscreen: the
// first start of a process (fonts and styles still to load) and repeated starts.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "services/context.h"

#include "bench_support.h"

namespace {

using tav::bench::CopyFile;

// A data root with the shipped language files and tips, and settings that point at it.
struct Environment : tav::bench::ProgramFolders {
  Environment() {
    for (const char* lang : {"DE", "EN"})
      for (const char* file : {"GUI.klf", "Assist.dat"})
        CopyFile(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/" + file,
                 root + "Data/" + lang + "/" + file);
  }
};

double StartOnce() {
  const auto t0 = std::chrono::steady_clock::now();
  tav::StartProgram();
  QApplication::processEvents();
  const auto t1 = std::chrono::steady_clock::now();
  tav::DestroyAllWindows();
  return std::chrono::duration<double, std::milli>(t1 - t0).count();
}

void BM_StartUp(benchmark::State& state) {
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    tav::StartProgram();
    QApplication::processEvents();
    const auto t1 = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    tav::DestroyAllWindows();
  }
}
BENCHMARK(BM_StartUp)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const auto t0 = std::chrono::steady_clock::now();
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  Environment env;
  const double appMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  const double firstMs = StartOnce();
  std::printf("first start in this process: %.1f ms (application object %.1f ms before it)\n",
              firstMs, appMs);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
