// Showing a recipe in the standard view, offscreen, in the whole program: read from a generated
// book of 10,000 recipes, scaled, its key figures, ingredient lines, text and picture filled in,
// and the view painted. Every show is another recipe with another picture.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <clocale>
#include <filesystem>

#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "pictures/ui/picture_loader.h"
#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "recipedb/recipe_records.h"
#include "recipedb/recipe_store.h"
#include "recipedb/servings.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/info_pane_window.h"
#include "recipes/ui/standard_view_window.h"
#include "services/context.h"
#include "services/options_store.h"

#include "bench_support.h"

namespace {

constexpr int kRecipes = 10000;
constexpr int kPictures = 8;

using tav::bench::CopyFile;

tav::REZBLOCK Recipe(int i) {
  tav::REZBLOCK r;
  tav::ClearRezBlock(r);
  r.title = "Rezept Nummer " + std::to_string(i);
  r.servings = 3 + i % 4;
  r.servingType = "Portionen";
  r.quality = static_cast<char>('0' + i % 6);
  r.difficulty = static_cast<char>('0' + (i / 6) % 6);
  r.categories[0] = static_cast<uint16_t>(1 + i % 30);
  r.categories[1] = static_cast<uint16_t>(1 + (i / 30) % 30);
  r.hint = "schnell einfach lecker";
  r.source = "Sammlung\r\nSeite " + std::to_string(i % 300);
  r.totalTime = "45";
  r.prepTime = "15";
  r.costs = "5 Euro";
  r.createdBy = "Anna";
  r.recipeIdHigh = 0x02A51234;
  r.recipeIdLow = i + 1;
  r.lines.push_back({"", "", "*Teig", "", 0, 0});
  for (int k = 0; k < 14; ++k)
    r.lines.push_back({std::to_string(1 + k % 5) + (k % 3 ? "" : ",5"), k % 2 ? "g" : "EL",
                       "Zutat " + std::to_string(k), "", 0, 0});
  r.lines.push_back({"", "", "-fein gehackt", "", 0, 0});
  std::string text;
  for (int k = 0; k < 12; ++k) text += "Alles gut verr\xFChren und 20 Minuten ziehen lassen.\r\n";
  r.text = text;
  r.remarks = {{"Gelingt immer.", "Anna"}, {"Mit mehr Salz.", "Bert"}};
  r.pictures = {{'F', "bild" + std::to_string(i % kPictures) + ".jpg"}};
  tav::REZSTOFFMENGE kcal;
  std::strcpy(kcal.code, "GCAL");
  kcal.value = "2400";
  tav::REZSTOFFMENGE fat;
  std::strcpy(fat.code, "ZF");
  fat.value = "60,5";
  r.nutrients = {kcal, fat};
  return r;
}

// The shipped data, a book of kRecipes recipes and camera-sized pictures, the program started.
struct Environment : tav::bench::ProgramFolders {
  Environment() {
    const std::string shipped = std::string(TAVOLIN_SHIPPED_DATA) + "/Data/";
    for (const char* file : {"GUI.klf", "Assist.dat", "Kenndaten.dat", "einheit.dat",
                             "Gattung.dat", "Fields.bls"})
      CopyFile(shipped + "DE/" + file, root + "Data/DE/" + file);
    CopyFile(shipped + "FiltGrps.bls", root + "Data/FiltGrps.bls");
    tav::SetDecimalSep(',');
    std::filesystem::create_directories(root + "Pics");
    for (int p = 0; p < kPictures; ++p) {
      QImage image(1024, 768, QImage::Format_RGB32);
      QPainter painter(&image);
      painter.fillRect(image.rect(), QColor::fromHsv(p * 40, 120, 220));
      painter.setBrush(QColor::fromHsv(p * 40 + 20, 200, 120));
      for (int k = 0; k < 40; ++k) painter.drawEllipse(QPoint(k * 97 % 1024, k * 53 % 768), 60, 40);
      painter.end();
      tav::SavePictureFile(image, root + "Pics/bild" + std::to_string(p) + ".jpg");
    }
    tav::StartProgram();
    QApplication::processEvents();
    tav::TdbList& store = *tav::ctx().dbList;
    const std::string book = tav::ctx().options->Str(6);
    for (int i = 0; i < kRecipes; ++i) {
      tav::REZBLOCK r = Recipe(i);
      r.number = store.NextRecipeNumber(book);
      int32_t offset = 0, length = 0;
      store.WriteRezBlock("", r, offset, length);
      tav::REZINDEX e;
      e.SetTitle(r.title);
      e.number = r.number;
      e.offset = offset;
      e.length = length;
      std::memcpy(e.categories, r.categories, sizeof e.categories);
      store.WriteIndexEntry(e, -1);
    }
    store.ReloadBookIndex();
    tav::MainFrm->resize(1180, 760);
    tav::MainFrm->ShowStandardView(tav::showRezDlg, true);
    QApplication::processEvents();
  }
  ~Environment() { tav::DestroyAllWindows(); }
};

Environment* env = nullptr;

void Show(benchmark::State& state, int servings) {
  int item = 0;
  for (auto _ : state) {
    item = (item + 7919) % kRecipes;
    const auto t0 = std::chrono::steady_clock::now();
    tav::SetChosenServings(servings);
    tav::DataRezDlg->ShowRecipe(item, false);
    QApplication::processEvents();  // layout and paint
    const auto t1 = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
}

void BM_ShowRecipe(benchmark::State& state) {
  Show(state, 0);
}
BENCHMARK(BM_ShowRecipe)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ShowRecipeScaled(benchmark::State& state) {
  Show(state, 4);
}
BENCHMARK(BM_ShowRecipeScaled)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  Environment environment;
  env = &environment;
  // What one show fills, so the figures are known to measure the whole work.
  tav::DataRezDlg->ShowRecipe(1, true);
  std::printf("shown: %s, %d ingredient lines, picture %dx%d\n",
              tav::DataRezDlg->ShownRecipe.title.c_str(),
              static_cast<int>(tav::DataRezDlg->ShownRecipe.lines.size()),
              tav::InfoRezDlg->Picture().width(), tav::InfoRezDlg->Picture().height());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
