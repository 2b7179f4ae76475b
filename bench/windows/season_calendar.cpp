// The seasonal calendar in the whole program, offscreen, over a catalogue of 500 ingredients
// with season data: the list of all ingredients with seasons built and every one of its 500
// rows drawn (49 cells each); and the calendar window at its usual size repainted after a click
// on another quarter-month.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <clocale>
#include <random>
#include <string>

#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "bench_support.h"
#include "kitchen/ui/season_dialog.h"
#include "kitchen/ui/season_grid.h"
#include "platform/text_file.h"

namespace {

using tav::bench::CopyFile;

// 500 ingredients: main and near seasons of different lengths around a random month.
std::string MakeCatalogue() {
  std::mt19937 rng(17);
  std::uniform_int_distribution<int> start(0, 47), length(4, 24);
  std::string file;
  for (int i = 0; i < 500; ++i) {
    std::string marks(48, ' ');
    const int s = start(rng), n = length(rng);
    for (int k = 0; k < n; ++k)
      marks[static_cast<size_t>((s + k) % 48)] = k < 3 || k >= n - 3 ? 'N' : 'S';
    const std::string name = "Zutat " + std::to_string(i) + (i % 4 ? "" : " (gr\xFCn)");
    file += name + "#" + name + "#1#40#K#g~kg~#J" + marks + "#K#G000000##0\r\n";
  }
  return file;
}

struct Environment : tav::bench::ProgramFolders {
  Environment() {
    const std::string data = root + "Data/";
    CopyFile(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/GUI.klf", data + "DE/GUI.klf");
    tav::WriteFileAtomic(data + "DE/zutaten.dat", MakeCatalogue());
    tav::StartProgram();
    tav::MainFrm->FormActivate();
    QApplication::processEvents();
    tav::SaisonDlg->show();
    tav::SaisonDlg->SetFilterTab(1);
    QApplication::processEvents();
  }
  ~Environment() { tav::DestroyAllWindows(); }
};

// The list built and all 500 rows drawn into a picture of the grid's width.
void BM_FillAndDrawAllRows(benchmark::State& state) {
  tav::TSaisonDlg* d = tav::SaisonDlg;
  const tav::SeasonGrid* grid = d->DataGrd;
  QImage image(grid->SlotX(49), 500 * grid->RowHeight(), QImage::Format_RGB32);
  for (auto _ : state) {
    d->FillSeasonGrid();
    QPainter p(&image);
    grid->PaintRows(p, 0, grid->RowCount() - 1, 0);
  }
  if (d->Shown.size() != 500) state.SkipWithError("not all ingredients listed");
}
BENCHMARK(BM_FillAndDrawAllRows)->Unit(benchmark::kMillisecond);

// A click on another quarter-month of the first tab: list, then the window painted.
void BM_ClickAndRepaintTheWindow(benchmark::State& state) {
  tav::TSaisonDlg* d = tav::SaisonDlg;
  d->SetFilterTab(0);
  int column = 1;
  for (auto _ : state) {
    column = column % 48 + 1;
    const auto t0 = std::chrono::steady_clock::now();
    d->DataGrd->SetCurrentColumn(column);
    d->DataGrdClick();
    d->repaint();
    const auto t1 = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
  d->SetFilterTab(1);
}
BENCHMARK(BM_ClickAndRepaintTheWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  const Environment environment;  // the program, started once for all runs
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
