// The text/HTML view and printing, offscreen, in the whole program over a generated book:
// - showing a recipe in the HTML view: the page written from the view template into
//   "Export/$$$.html", loaded by the browser, laid out and painted; each show another recipe;
// - the same in the text form: the readable text written, read into the memo and painted;
// - printing a recipe of three pages to a PDF file: every page laid out and painted, the file
//   written.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextBrowser>
#include <chrono>
#include <clocale>
#include <cstring>
#include <filesystem>

#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "exchange/recipe_list_snapshot.h"
#include "exchange/ui/html_view_window.h"
#include "exchange/ui/print_preview_window.h"
#include "exchange/ui/qt_printing.h"
#include "pictures/ui/picture_loader.h"
#include "platform/numbers.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/context.h"
#include "services/options_store.h"

#include "bench_support.h"

namespace {

constexpr int kRecipes = 2000;
constexpr int kPictures = 4;

using tav::bench::CopyFile;

tav::REZBLOCK Recipe(int i) {
  tav::REZBLOCK r;
  tav::ClearRezBlock(r);
  r.title = "Rezept Nummer " + std::to_string(i) + " mit K\xE4se";
  r.servings = 4;
  r.servingType = "Portionen";
  r.quality = static_cast<char>('1' + i % 5);
  r.difficulty = static_cast<char>('1' + i % 3);
  r.categories[0] = static_cast<uint16_t>(1 + i % 30);
  r.hint = "schnell einfach lecker";
  r.source = "Sammlung, Seite " + std::to_string(i % 300);
  r.totalTime = "45";
  r.createdBy = "Anna";
  r.recipeIdHigh = 0x02A51234;
  r.recipeIdLow = i + 1;
  r.lines.push_back({"", "", "*Teig", "", 0, 0});
  for (int k = 0; k < 14; ++k)
    r.lines.push_back({std::to_string(1 + k % 5) + (k % 3 ? "" : ",5"), k % 2 ? "g" : "EL",
                       "Zutat " + std::to_string(k), "", 0, 0});
  r.lines.push_back({"", "", "-fein gehackt", "", 0, 0});
  for (int k = 0; k < 12; ++k) r.text += "Alles gut verr\xFChren und 20 Minuten ziehen lassen.\r\n";
  r.remarks = {{"Gelingt immer.", "Anna"}, {"Mit mehr Salz.", "Bert"}};
  r.pictures = {{'F', "bild" + std::to_string(i % kPictures) + ".jpg"}};
  return r;
}

// Sixty ingredient lines and eighty text lines: three pages.
tav::REZBLOCK ThreePages() {
  tav::REZBLOCK r = Recipe(0);
  r.title = "Buffet";
  r.lines.clear();
  for (int k = 1; k <= 60; ++k)
    r.lines.push_back({std::to_string(k * 10), "g", "Zutat Nummer " + std::to_string(k), "", 0, 0});
  r.text.clear();
  for (int k = 0; k < 80; ++k)
    r.text += "Schritt " + std::to_string(k + 1) + ": alles vorbereiten und warm stellen.\r\n";
  return r;
}

struct Environment : tav::bench::ProgramFolders {
  Environment() {
    const std::string shipped = std::string(TAVOLIN_SHIPPED_DATA) + "/";
    for (const char* file : {"Data/DE/GUI.klf", "Data/DE/Kenndaten.dat", "Data/DE/einheit.dat",
                             "Data/DE/Gattung.dat", "HTML/ViewTPL.html", "HTML/QViewTPL.html",
                             "Pics/Zutaten/Star.gif", "Pics/Zutaten/Difficulty1.gif",
                             "Pics/Zutaten/Difficulty2.gif", "Pics/Zutaten/Difficulty3.gif"})
      CopyFile(shipped + file, root + file);
    tav::SetDecimalSep(',');
    std::filesystem::create_directories(root + "Pics");
    for (int p = 0; p < kPictures; ++p) {
      QImage image(1024, 768, QImage::Format_RGB32);
      QPainter painter(&image);
      painter.fillRect(image.rect(), QColor::fromHsv(p * 40, 120, 220));
      painter.end();
      tav::SavePictureFile(image, root + "Pics/bild" + std::to_string(p) + ".jpg");
    }
    user.WriteString(tav::kRegParam, "ShowMode", "2");
    tav::StartProgram();
    QApplication::processEvents();
    tav::TdbList& store = *tav::ctx().dbList;
    const std::string book = tav::ctx().options->Str(6);
    for (int i = 0; i < kRecipes; ++i) {
      tav::REZBLOCK r = i == 0 ? ThreePages() : Recipe(i);
      r.number = store.NextRecipeNumber(book);
      int32_t offset = 0, length = 0;
      store.WriteRezBlock("", r, offset, length);
      tav::REZINDEX e;
      e.SetTitle(r.title);
      e.number = r.number;
      e.offset = offset;
      e.length = length;
      store.WriteIndexEntry(e, -1);
    }
    tav::MainFrm->OpenBook(std::string());
    store.ReloadBookIndex();
    tav::ChooseRezDlg->RefreshRecipeList();
    tav::MainFrm->resize(1180, 760);
    tav::MainFrm->show();
    QApplication::processEvents();
    tav::QtPrintDevice::pdfFileForTest = [this](const std::string&) {
      return root + "Export/druck.pdf";
    };
  }
  ~Environment() { tav::DestroyAllWindows(); }
};

// Selects the row and shows it in the view mode; the view painted into an image.
void ShowRows(benchmark::State& state) {
  QImage canvas(tav::MainFrm->size(), QImage::Format_RGB32);
  int row = 0;
  for (auto _ : state) {
    row = (row + 7919) % kRecipes;
    const auto t0 = std::chrono::steady_clock::now();
    tav::ChooseRezDlg->SelectOnly(row);
    tav::ChooseRezDlg->ShowSelectedRecipe(true);
    QPainter painter(&canvas);
    tav::HTMLRezDlg->render(&painter);  // layout and paint
    painter.end();
    const auto t1 = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
}

void BM_ShowHTMLView(benchmark::State& state) {
  tav::ctx().options->SetParaBool(19, true);
  tav::HTMLRezDlg->ApplyHTMLViewMode();
  ShowRows(state);
}
BENCHMARK(BM_ShowHTMLView)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ShowTextView(benchmark::State& state) {
  tav::ctx().options->SetParaBool(19, false);
  tav::HTMLRezDlg->ApplyHTMLViewMode();
  ShowRows(state);
}
BENCHMARK(BM_ShowTextView)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_PrintThreePagesToPdf(benchmark::State& state) {
  tav::REZBLOCK recipe;
  tav::ReadRecipeOfListItem(0, false, recipe);
  for (auto _ : state) {
    tav::QtPrintDevice device(nullptr);
    if (!tav::PrintRezDlg->PrintRecipe(device, recipe, recipe.servings))
      state.SkipWithError("not printed");
  }
  tav::NullCanvas counter;
  state.counters["pages"] = tav::PrintRezDlg->LayoutRecipePage(counter, 0);
}
BENCHMARK(BM_PrintThreePagesToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  Environment environment;
  std::printf("recipes in the list: %d\n", tav::ChooseRezDlg->Count());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
