// The diary windows in the whole program, offscreen, over a year of diary of one person (2024,
// 5 entries a day with a value line of 150 nutrients, 12 month files) and the food table of the
// food benchmarks: the overview opened on the year ("letztes Jahr" back from 31 December, the
// month files read anew) with its period table drawn, the period table refilled and drawn, the
// nutrient chart of two nutrients drawn, the weight chart drawn; and the day panel of the main
// window switched to another day of a loaded month, lists filled and drawn.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QTableWidget>
#include <chrono>
#include <clocale>
#include <cstdio>

#include "../diary_year.h"
#include "../food_table.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "bench_support.h"
#include "diary/diary_module.h"
#include "diary/ui/calendar_window.h"
#include "diary/ui/day_panel_window.h"
#include "diary/ui/diary_overview_dialog.h"
#include "platform/text_file.h"
#include "services/dates.h"
#include "services/ui/context_list_box.h"

namespace {

using tav::bench::CopyFile;

constexpr int kYear = 2024;
constexpr int kEntriesPerDay = 5;

struct Environment : tav::bench::ProgramFolders {
  std::vector<std::string> keys;
  Environment() {
    const std::string data = root + "Data/";
    CopyFile(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/GUI.klf", data + "DE/GUI.klf");
    tav::bench::WriteNationalFoodTable(root, keys);
    tav::WriteTextLines(data + "Users.dat", {"#", ">NAnna M\xFCller", ">G05031970", ">W68", ">H172",
                                             ">SF", ">TN", "#"});
    user.WriteString(tav::kRegParam, "LastLogin", "Anna M\xFCller");
    tav::StartProgram();
    tav::MainFrm->resize(1200, 800);
    tav::MainFrm->FormActivate();
    WriteYear();
    QApplication::processEvents();
  }
  ~Environment() { tav::DestroyAllWindows(); }

  // Entries of recipes and foods alternating, each day summed; weights twice a week.
  void WriteYear() {
    tav::TENApplogMod* diary = tav::ENApplogMod;
    tav::bench::AddDiaryYear(
        *diary,
        {kYear, kEntriesPerDay, tav::bench::kFields, "Gem\xFCsesuppe mit Graupen ", "Roggenbrot",
         [this](int k) { return keys[static_cast<size_t>(k * 101)]; }},
        [diary](int day, int month) {
          if (day % 4 != 0) return;
          const int i = diary->AddWeightEntryAt(day, month, kYear, 7, 30);
          diary->SetWeightValue(i, 0,
                                std::to_string(70 - month / 3) + "," + std::to_string(day % 10));
          diary->SetWeightValue(i, 1, "2" + std::to_string(day % 10));
        });
    diary->SaveAllMonths();
    diary->UnloadAllMonths();
  }
};

double Seconds(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The overview on 31 December 2024 with the last year as its period, hidden.
tav::TENViewDayDlg* OverviewOnTheYear() {
  tav::TENViewDayDlg* v = tav::ENViewDayDlg;
  v->resize(1000, 700);
  v->Calendar->SetDate(31, 11, kYear);
  v->DiffDateCoBo->setCurrentIndex(4);
  v->OverviewDateChanged();
  return v;
}

void BM_OpenOverviewOnAYear(benchmark::State& state) {
  tav::TENViewDayDlg* v = OverviewOnTheYear();
  v->SetOverviewMode(0);
  v->ViewTableMnuClick();
  for (auto _ : state) {
    v->hide();
    tav::ENApplogMod->UnloadAllMonths();
    QApplication::processEvents();
    const auto t0 = std::chrono::steady_clock::now();
    tav::MainFrm->ENStatistikMnuClick();
    v->repaint();
    QApplication::processEvents();
    state.SetIterationTime(Seconds(t0));
    state.counters["days"] = v->VerlaufGrd->rowCount() - 1;
    state.counters["columns"] = v->VerlaufGrd->columnCount();
  }
  v->hide();
}
BENCHMARK(BM_OpenOverviewOnAYear)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_RefillAndDrawPeriodTable(benchmark::State& state) {
  tav::TENViewDayDlg* v = OverviewOnTheYear();
  v->SetOverviewMode(0);
  v->ViewTableMnuClick();
  v->show();
  QApplication::processEvents();
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    v->RefreshOverviewGrids();
    v->repaint();
    QApplication::processEvents();
    state.SetIterationTime(Seconds(t0));
  }
  v->hide();
}
BENCHMARK(BM_RefillAndDrawPeriodTable)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_DrawNutrientChartOfAYear(benchmark::State& state) {
  tav::TENViewDayDlg* v = OverviewOnTheYear();
  v->show();
  v->SetOverviewMode(0);
  v->ViewGraphMnuClick();
  v->Graph1CoBo->setCurrentIndex(2);
  v->Graph2CoBo->setCurrentIndex(3);
  QApplication::processEvents();
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    v->PaintGraph->repaint();
    state.SetIterationTime(Seconds(t0));
  }
  v->hide();
}
BENCHMARK(BM_DrawNutrientChartOfAYear)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_DrawWeightChartOfAYear(benchmark::State& state) {
  tav::TENViewDayDlg* v = OverviewOnTheYear();
  v->show();
  v->SetOverviewMode(1);
  QApplication::processEvents();
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    v->PaintGraph->repaint();
    state.SetIterationTime(Seconds(t0));
  }
  state.counters["weights"] = static_cast<double>(tav::ENApplogMod->weights.size());
  v->hide();
}
BENCHMARK(BM_DrawWeightChartOfAYear)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SwitchDayInDayPanel(benchmark::State& state) {
  if (!tav::MainFrm->IsConsumptionPaneShown()) tav::MainFrm->ToggleConsumptionPane(true);
  tav::TENAddDayDlg* panel = tav::ENAddDayDlg;
  panel->Calendar->SetDate(10, 4, kYear);
  panel->DayPanelDateChanged();
  QApplication::processEvents();
  int day = 10;
  for (auto _ : state) {
    day = day == 10 ? 11 : 10;
    const auto t0 = std::chrono::steady_clock::now();
    panel->Calendar->SetDate(day, 4, kYear);
    panel->DayPanelDateChanged();
    panel->repaint();
    QApplication::processEvents();
    state.SetIterationTime(Seconds(t0));
    state.counters["entries"] = panel->RezLiBo->count();
  }
}
BENCHMARK(BM_SwitchDayInDayPanel)->UseManualTime()->Unit(benchmark::kMillisecond);

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
