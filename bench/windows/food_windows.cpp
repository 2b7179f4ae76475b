// The food windows in the whole program, offscreen, over the 15,000-food table of the nutrient
// benchmarks: the browser opened on a group (the first group listed, its first food's 150
// values shown, all drawn), another group chosen in the tree, and a name search typed into the
// search window letter by letter, each letter searched to the filled and drawn grid.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QTreeWidget>
#include <chrono>
#include <clocale>

#include "../food_table.h"
#include "app/ui/startup.h"
#include "bench_support.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "nutrients/ui/food_search_dialog.h"
#include "nutrients/ui/food_search_inputs.h"

namespace {

using tav::bench::CopyFile;

struct Environment : tav::bench::ProgramFolders {
  std::vector<std::string> keys;
  Environment() {
    const std::string data = root + "Data/";
    CopyFile(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/GUI.klf", data + "DE/GUI.klf");
    tav::bench::WriteNationalFoodTable(root, keys);
    tav::StartProgram();
    tav::BLSMainDlg->resize(1000, 700);
    QApplication::processEvents();
  }
  ~Environment() { tav::DestroyAllWindows(); }
};

double Seconds(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_OpenBrowserOnAGroup(benchmark::State& state) {
  tav::TBLSMainDlg* b = tav::BLSMainDlg;
  for (auto _ : state) {
    // A group other than the first is on show, so opening lists the first one anew.
    b->GattTre->setCurrentItem(b->GattTre->topLevelItem(1));
    b->hide();
    QApplication::processEvents();
    const auto t0 = std::chrono::steady_clock::now();
    b->show();
    b->repaint();
    QApplication::processEvents();
    state.SetIterationTime(Seconds(t0));
    state.counters["foods"] = b->StoffGrd->rowCount();
    state.counters["values"] = b->InhaltGrd->rowCount();
  }
  b->hide();
}
BENCHMARK(BM_OpenBrowserOnAGroup)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ChooseASubGroup(benchmark::State& state) {
  tav::TBLSMainDlg* b = tav::BLSMainDlg;
  b->show();
  QApplication::processEvents();
  int i = 0;
  for (auto _ : state) {
    QTreeWidgetItem* main = b->GattTre->topLevelItem(i % b->GattTre->topLevelItemCount());
    QTreeWidgetItem* sub = main->child(i % main->childCount());
    const auto t0 = std::chrono::steady_clock::now();
    b->GattTre->setCurrentItem(sub);
    b->repaint();
    QApplication::processEvents();
    state.SetIterationTime(Seconds(t0));
    state.counters["foods"] = b->StoffGrd->rowCount();
    ++i;
  }
  b->hide();
}
BENCHMARK(BM_ChooseASubGroup)->UseManualTime()->Unit(benchmark::kMillisecond);

// "k", "ko", "koh", "kohl" and again: every letter a search to the drawn grid.
void BM_NameSearchAsTyped(benchmark::State& state) {
  tav::TBLSSearchDlg* s = tav::BLSSearchDlg;
  s->resize(700, 600);
  s->show();
  QApplication::processEvents();
  const QString word = QStringLiteral("kohl");
  int letters = 0;
  double hits = 0;
  for (auto _ : state) {
    letters = letters % word.size() + 1;
    const auto t0 = std::chrono::steady_clock::now();
    s->inputs->LMEdt->setText(word.left(letters));
    s->StartBtnClick();
    s->repaint();
    QApplication::processEvents();
    state.SetIterationTime(Seconds(t0));
    hits += s->inputs->SearchResultGrd->rowCount();
  }
  state.counters["hits"] = benchmark::Counter(hits, benchmark::Counter::kAvgIterations);
  s->hide();
}
BENCHMARK(BM_NameSearchAsTyped)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  Environment environment;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
