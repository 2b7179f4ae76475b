// The recipe list in the whole program, offscreen: from opening a book of 10,000 recipes to the
// list filled and drawn, switching between two such books; and a quick-search keystroke in the
// window up to the found entry selected and handed to the standard view (the books hold index
// entries only, so the view reads no record).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <filesystem>

#include "../recipe_list_books.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "bench_support.h"
#include "platform/paths.h"
#include "platform/settings_store.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/context.h"

namespace {

using tav::bench::CopyFile;

// A data root with the German language file and two books of 10,000 recipes; the program
// started on the first of them in the standard view.
struct Environment : tav::bench::ProgramFolders {
  Environment() {
    const std::string data = root + "Data/";
    CopyFile(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/GUI.klf", data + "DE/GUI.klf");
    tav::bench::WriteListBook(data, "Buch A", 10000);
    tav::bench::WriteListBook(data, "Buch B", 10000);
    user.WriteString(tav::kRegParam, "KBook", "Buch A");
    user.WriteString(tav::kRegParam, "ShowMode", "1");
    tav::StartProgram();
    tav::MainFrm->FormActivate();
    QApplication::processEvents();
  }
  ~Environment() { tav::DestroyAllWindows(); }
};

Environment* env = nullptr;

void BM_OpenBookToDrawnList(benchmark::State& state) {
  bool second = true;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    tav::MainFrm->OpenBook(second ? "Buch B" : "Buch A");
    tav::ChooseRezDlg->ChooseLiBo->repaint();
    QApplication::processEvents();
    const auto t1 = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    second = !second;
  }
  if (tav::ChooseRezDlg->Count() != 9000) state.SkipWithError("list not filled");
}
BENCHMARK(BM_OpenBookToDrawnList)->UseManualTime()->Unit(benchmark::kMillisecond);

// A changed search text, found and shown, alternating between two texts.
void BM_QuickSearchKeystrokeInTheWindow(benchmark::State& state) {
  tav::TChooseRezDlg* list = tav::ChooseRezDlg;
  const QString texts[] = {QStringLiteral("mit Lachs vom"), QStringLiteral("Spinat (veg")};
  int k = 0;
  for (auto _ : state) {
    list->SearchEdt->setText(texts[k++ % 2]);
    const auto t0 = std::chrono::steady_clock::now();
    list->SearchEdtChange();
    const auto t1 = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    if (list->SelectedRows().size() != 1) state.SkipWithError("nothing found");
  }
}
BENCHMARK(BM_QuickSearchKeystrokeInTheWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  Environment environment;
  env = &environment;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
