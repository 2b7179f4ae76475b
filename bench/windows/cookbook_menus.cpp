// The book items of the main window's cookbook menu and its four move and copy sub-menus,
// built for 200 books (1,000 items), offscreen in the started program: made anew and rebuilt
// after a change of the list.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMenu>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <string>

#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "bench_support.h"
#include "platform/text_file.h"
#include "recipedb/index_file.h"
#include "recipedb/record_file.h"
#include "recipedb/ui/cookbook_dialog.h"

namespace {

using tav::bench::CopyFile;

// A data root with the shipped language file and 200 books of names like "Backen 17" with a
// description each.
struct Environment : tav::bench::ProgramFolders {
  Environment() {
    CopyFile(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/GUI.klf", root + "Data/DE/GUI.klf");
    static const char* topics[] = {"Backen", "Suppen", "Salate", "Desserts", "Gem\xFCse",
                                   "Fisch",  "Fleisch", "Gefl\xFCgel", "Getr\xE4nke", "Brot"};
    for (int i = 0; i < 200; ++i) {
      const std::string name = std::string(topics[i % 10]) + " " + std::to_string(i / 10 + 1);
      const std::string data = root + "Data/";
      tav::WriteFileAtomic(data + name + ".bok", tav::TextModeRecordFileHeader());
      tav::WriteFileAtomic(data + name + ".idx", tav::NewIndexBytes());
      tav::WriteTextLines(data + name + ".inf", {"Rezepte zum Thema " + std::string(topics[i % 10]),
                                                 std::to_string(65000 - i), i < 8 ? "1" : "0", ""});
    }
  }
};

// Every book item made anew, as at start-up: the menus hold none before each build.
void BM_BuildBookMenusFor200Books(benchmark::State& state) {
  for (auto _ : state) {
    for (tav::BookMenuKind kind :
         {tav::BookMenuKind::Open, tav::BookMenuKind::MoveRecipe, tav::BookMenuKind::CopyRecipe,
          tav::BookMenuKind::MoveMarked, tav::BookMenuKind::CopyMarked})
      for (QAction* a : tav::MainWindowAccess::BookMenuItems(tav::MainFrm->BookMenu(kind)))
        delete a;
    const auto t0 = std::chrono::steady_clock::now();
    tav::KBookDlg->BuildKBookMenus();
    const auto t1 = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
  state.counters["items"] =
      static_cast<double>(tav::MainWindowAccess::BookMenuItems(tav::MainFrm->KBMenu).size() * 5);
}
BENCHMARK(BM_BuildBookMenusFor200Books)->UseManualTime()->Unit(benchmark::kMillisecond);

// A rebuild after a change of the list (a book renamed or described): the items are taken up.
void BM_RebuildBookMenusFor200Books(benchmark::State& state) {
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    tav::KBookDlg->BuildKBookMenus();
    const auto t1 = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
}
BENCHMARK(BM_RebuildBookMenusFor200Books)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  Environment env;
  tav::StartProgram();
  QApplication::processEvents();
  std::printf("books: %zu\n", tav::KBookDlg->Books().size());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  tav::DestroyAllWindows();
  return 0;
}
