// Backup and restore of a data root against `cp -r` of the same tree, in turn in every
// iteration. The root: ten books of 10,000 recipes (record files of about 19 MB each, the
// recipes as text, and their indexes), a year of diary for two persons, 300 recipe pictures of
// 20-300 KB and 200 ingredient pictures, the shipped language folders and templates. The
// figures to watch are the ratios.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench_data_root.h"
#include "maintenance/data_backup.h"
#include "platform/text_file.h"
#include "recipe_list_books.h"

extern char** environ;

namespace {

using namespace tav;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

std::string RandomText(std::mt19937& rng, size_t size) {
  static const char* words[] = {"Zwiebeln ",
                                "fein ",
                                "w\xFCrfeln ",
                                "und ",
                                "in ",
                                "Butter ",
                                "glasig ",
                                "d\xFCnsten. ",
                                "Mehl ",
                                "Zucker ",
                                "Eier ",
                                "verr\xFChren, ",
                                "180 \xB0"
                                "C ",
                                "backen. ",
                                "Sahne "};
  std::string out;
  out.reserve(size + 16);
  while (out.size() < size) out += words[rng() % std::size(words)];
  out.resize(size);
  return out;
}

std::string RandomBytes(std::mt19937& rng, size_t size) {
  std::string out(size, '\0');
  for (char& c : out) c = static_cast<char>(rng());
  return out;
}

struct World {
  bench::BenchDataRoot root{"backup"};
  BackupPlaces places;
  std::string work;
  long long bytes = 0;
  int files = 0;

  World() {
    std::mt19937 rng(7);
    const std::string data = root.data;
    fs::copy(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE", data + "DE",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::copy(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/EN", data + "EN",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::copy(std::string(TAVOLIN_SHIPPED_DATA) + "/HTML", root.root + "HTML",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    for (int b = 0; b < 10; ++b) {
      const std::string name = "Buch " + std::to_string(b + 1);
      bench::WriteListBook(data, name, 10000);  // the index of 10,000 entries
      std::string bok = RecordFileHeader();
      for (int r = 0; r < 10000; ++r) bok += "#" + RandomText(rng, 1800) + '\0';
      WriteFileAtomic(data + name + ".bok", bok);
      places.books.push_back(name);
    }
    for (const char* person : {"Anna", "Bernd"}) {
      places.persons.push_back(person);
      fs::create_directories(data + "Konten/" + person);
      for (int m = 1; m <= 12; ++m) {
        char month[32];
        std::snprintf(month, sizeof month, "m%02d2026.dat", m);
        WriteFileAtomic(data + "Konten/" + person + "/" + month, RandomText(rng, 200000));
      }
      WriteFileAtomic(data + "Konten/" + person + "/Weight.dat", RandomText(rng, 8000));
    }
    WriteFileAtomic(data + "Users.dat", "Anna\r\nBernd\r\n");
    WriteFileAtomic(data + "WPlan.ini", RandomText(rng, 40000));
    WriteFileAtomic(data + "Kauflist.dat", RandomText(rng, 2000));
    fs::create_directories(root.root + "Pics/Zutaten");
    for (int p = 0; p < 300; ++p)
      WriteFileAtomic(root.root + "Pics/rezept" + std::to_string(p) + ".jpg",
                      RandomBytes(rng, 20000 + rng() % 280000));
    for (int p = 0; p < 200; ++p)
      WriteFileAtomic(root.root + "Pics/Zutaten/zutat" + std::to_string(p) + ".jpg",
                      RandomBytes(rng, 5000 + rng() % 30000));
    places.dataRoot = root.root;
    places.dataFolder = data;
    places.htmlFolder = root.root + "HTML/";
    places.htmlTemplate = "ViewTPL.html";
    places.quickTemplate = "QViewTPL.html";
    places.languageFolders = FindLanguageFolders(data);
    work = root.root.substr(0, root.root.size() - 1) + "-work/";
    fs::create_directories(work);
    for (const auto& e : fs::recursive_directory_iterator(root.root))
      if (e.is_regular_file()) {
        bytes += static_cast<long long>(e.file_size());
        ++files;
      }
  }
  ~World() { fs::remove_all(work); }
};

World& TheWorld() {
  static World world;
  return world;
}

double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// Runs a program with its arguments and waits for it.
void Run(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  int status = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0)
    waitpid(pid, &status, 0);
}

// `cp -r` of the three folders a backup takes.
double CpSeconds(const std::string& from, const std::string& to) {
  fs::create_directories(to);
  const auto t0 = Clock::now();
  Run({"cp", "-r", from + "Data", from + "Pics", from + "HTML", to});
  return Seconds(t0, Clock::now());
}

void BM_BackupVsCp(benchmark::State& state) {
  World& w = TheWorld();
  double backup = 0, cp = 0;
  int n = 0;
  for (auto _ : state) {
    const std::string copy = w.work + "cp" + std::to_string(n) + "/";
    const std::string path = w.work + "backup" + std::to_string(n++) + "/";
    cp += CpSeconds(w.root.root, copy);
    DataBackup b(w.places);
    std::string folder;
    const auto t0 = Clock::now();
    const bool ok = b.RunBackup(path, BackupSets{}, folder);
    const double s = Seconds(t0, Clock::now());
    backup += s;
    state.SetIterationTime(s);
    if (!ok) state.SkipWithError("backup failed");
    fs::remove_all(copy);
    fs::remove_all(path);
  }
  state.counters["cp_ms"] = 1000 * cp / static_cast<double>(state.iterations());
  state.counters["ratio"] = backup / cp;
  state.counters["MB"] = static_cast<double>(w.bytes) / 1e6;
  state.counters["files"] = w.files;
}
BENCHMARK(BM_BackupVsCp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RestoreVsCp(benchmark::State& state) {
  World& w = TheWorld();
  DataBackup b(w.places);
  std::string folder;
  const std::string path = w.work + "restore/";
  if (!b.RunBackup(path, BackupSets{}, folder)) state.SkipWithError("backup failed");
  const std::string saved = path + folder + "/";
  double restore = 0, cp = 0;
  for (auto _ : state) {
    // `cp -r` of the backup's folders over the data root, as a restore by hand would do it.
    const auto t0 = Clock::now();
    Run({"cp", "-r", saved + "Data", saved + "Pics", saved + "HTML", w.root.root});
    cp += Seconds(t0, Clock::now());
    RestoreCounts counts;
    const auto t1 = Clock::now();
    const bool ok = b.RestoreBackup(path, folder, counts);
    const double s = Seconds(t1, Clock::now());
    restore += s;
    state.SetIterationTime(s);
    if (!ok) state.SkipWithError("restore failed");
  }
  state.counters["cp_ms"] = 1000 * cp / static_cast<double>(state.iterations());
  state.counters["ratio"] = restore / cp;
  fs::remove_all(path);
}
BENCHMARK(BM_RestoreVsCp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
