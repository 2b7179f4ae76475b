// The week plan in the whole program, offscreen: from a click on "Woche vor" to the next week
// read from WPlan.ini (a year of plans, 10 entries a day in the weeks shown) and the grid
// drawn; the two weeks shown alternate.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableWidget>
#include <chrono>
#include <clocale>

#include "../week_plans.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "bench_support.h"
#include "kitchen/ui/week_plan_window.h"
#include "platform/settings_store.h"
#include "services/context.h"

namespace {

using tav::bench::CopyFile;

const int kMonday = tav::DayNumber(2024, 6, 3);

struct Environment : tav::bench::ProgramFolders {
  Environment() {
    const std::string data = root + "Data/";
    CopyFile(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/GUI.klf", data + "DE/GUI.klf");
    tav::bench::WriteYearOfPlans(data + "WPlan.ini", kMonday, 14);
    tav::StartProgram();
    tav::MainFrm->resize(1200, 800);
    tav::MainFrm->ToggleWeekPlanPane();
    tav::MainFrm->FormActivate();
    QApplication::processEvents();
  }
  ~Environment() { tav::DestroyAllWindows(); }
};

void BM_ShowAWeekWith10EntriesADay(benchmark::State& state) {
  tav::TWPlanDlg* plan = tav::WPlanDlg;
  // Every run starts at the first of the two weeks.
  plan->plan.weekStart = kMonday;
  bool forward = true;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    if (forward)
      plan->NextWeekBtnClick();
    else
      plan->PrevWeekBtnClick();
    plan->WPlanGrd->repaint();
    QApplication::processEvents();
    const auto t1 = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    forward = !forward;
    if (plan->plan.entries.size() != 70) {
      state.SkipWithError("week not read");
      break;
    }
  }
}
BENCHMARK(BM_ShowAWeekWith10EntriesADay)->UseManualTime()->Unit(benchmark::kMillisecond);

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
