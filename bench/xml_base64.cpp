// XML parser and Base64 coder: a generated CookML file of 10,000 recipes read recipe by recipe
// (as the CookML import reads it), and Base64 over 10 MB.
//
// Counters: items_per_second = recipes (or bytes) a second; peak_heap_KB = the most heap the
// parse held at once above what was allocated before it (flat when recipes are dropped).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <string>

#include "exchange/base64.h"
#include "exchange/xml_parser.h"

// -- heap accounting ---------------------------------------------------------------------------

static std::atomic<long long> g_heap{0};
static std::atomic<long long> g_heapPeak{0};

void* operator new(size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  const long long now = g_heap += static_cast<long long>(malloc_usable_size(p));
  long long peak = g_heapPeak.load();
  while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
  }
  return p;
}
// The blocks come from malloc in operator new above.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
  if (!p) return;
  g_heap -= static_cast<long long>(malloc_usable_size(p));
  std::free(p);
}
void operator delete(void* p, size_t) noexcept {
  operator delete(p);
}

namespace {

using namespace tav;

// -- CookML generation -------------------------------------------------------------------------

const char* const kItems[] = {"Mehl",  "Zucker",      "Eier",          "Butter",
                              "Milch", "Salz",        "Zwiebeln",      "Kartoffeln",
                              "Sahne", "K\xC3\xA4se", "M\xC3\xB6hren", "Petersilie"};
const char* const kUnits[] = {"g", "kg", "ml", "l", "EL", "TL", "St", "Pr"};

std::string MakeCookML(int recipes) {
  std::mt19937 rng(42);
  std::string s;
  s += "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n";
  s += "<!DOCTYPE cookml SYSTEM \"cookml.dtd\">\r\n";
  s += "<?xml-stylesheet href=\"cookml.xsl\" type=\"text/xsl\"?>\r\n";
  s += "<cookml version=\"1.0.11\" prog=\"Tavolin\" progver=\"1.0.0\">\r\n";
  for (int r = 0; r < recipes; ++r) {
    const std::string n = std::to_string(r);
    s += "  <recipe lang=\"DE\">\r\n";
    s += "    <head title=\"Gem\xC3\xBCsesuppe &amp; Br\xC3\xB6tchen Nr. " + n + "\"\r\n";
    s += "       rid=\"305419896," + n + "\"\r\n";
    s += "       servingqty=\"4\" servingtype=\"Portionen\" quality=\"3\" difficulty=\"2\"\r\n";
    s += "       createdate=\"2004-05-06T00:00:00\" createuser=\"Anna M\xC3\xBCller\"\r\n";
    s += "       timeprepqty=\"20\"\r\n       timecookqty=\"45\"\r\n       >\r\n";
    s += "       <cat>Suppen</cat>\r\n       <cat>Vegetarisch</cat>\r\n";
    s += "       <hint>Herbst</hint>\r\n       <hint>schnell</hint>\r\n";
    s += "       <sourceline>Omas Kochbuch, Seite " + n + "</sourceline>\r\n";
    s +=
        "       <content type=\"GCAL\" value=\"" + std::to_string(1000 + rng() % 3000) + "\"/>\r\n";
    s += "       <content type=\"ZE\" value=\"45\"/>\r\n";
    s += "    </head>\r\n";
    s += "    <part title=\"Suppe\">\r\n";
    const int lines = 8 + static_cast<int>(rng() % 8);
    for (int i = 0; i < lines; ++i) {
      s += "      <ingredient qty=\"" + std::to_string(1 + rng() % 500) + "\" unit=\"" +
           kUnits[rng() % 8] + "\" item=\"" + kItems[rng() % 12] + "\" bls=\"G" +
           std::to_string(100000 + rng() % 900000) + "\" gram=\"" + std::to_string(rng() % 500) +
           "\"";
      if (i % 5 == 4)
        s += ">\r\n         <inote>fein gew\xC3\xBCrfelt</inote>\r\n      </ingredient>\r\n";
      else
        s += "/>\r\n";
    }
    s += "    </part>\r\n";
    s += "    <preparation>\r\n      <text>Das Gem\xC3\xBCse putzen, waschen und klein "
         "schneiden.\r\nIn der Butter and\xC3\xBCnsten, mit Br\xC3\xBChe abl\xC3\xB6schen "
         "und 30 Minuten k\xC3\xB6"
         "cheln lassen.\r\nMit Salz &amp; Pfeffer "
         "abschmecken, &lt;nicht&gt; zu scharf.</text>\r\n    </preparation>\r\n";
    s += "    <remark user=\"Anna\">\r\n      <line>Schmeckt auch aufgew\xC3\xA4rmt.</line>\r\n"
         "    </remark>\r\n";
    s += "  </recipe>\r\n";
  }
  s += "</cookml>\r\n";
  return s;
}

std::string TempPath(const std::string& name) {
  return "/tmp/tavolin_bench_" + std::to_string(getpid()) + "_" + name;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

const std::string& CookMLFile(int recipes, size_t* bytes) {
  static std::string paths[2];
  static size_t sizes[2];
  const int k = recipes == 10000 ? 0 : 1;
  if (paths[k].empty()) {
    const std::string xml = MakeCookML(recipes);
    paths[k] = TempPath("cookml_" + std::to_string(recipes) + ".cml");
    WriteFile(paths[k], xml);
    sizes[k] = xml.size();
  }
  *bytes = sizes[k];
  return paths[k];
}

// -- reading recipes the way the CookML import does --------------------------------------------

struct Reader {
  TXMLParser parser;
  long recipes = 0;
  long errors = 0;
  size_t touched = 0;

  // Reads every attribute and text of the recipe, as the import copies them into a recipe.
  void Visit(const TXMLNode& n) {
    touched += n.GetName().size() + n.GetValue().size();
    for (int i = 0; i < n.GetAttribCount(); ++i)
      touched += n.GetAttribName(i).size() + n.GetAttribValue(i).size();
    for (int i = 0; i < n.GetChildCount(); ++i) Visit(*n.GetChild(i));
  }

  static int OnEvent(void* user, int kind, std::string, TXMLNode* node) {
    auto* self = static_cast<Reader*>(user);
    if (kind == kXmlElement) {
      self->Visit(*node);
      ++self->recipes;
    } else if (kind == kXmlEnd) {
      delete self->parser.GetRootNode();
    } else {
      ++self->errors;
    }
    return 1;
  }
};

void BM_ParseCookML(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  size_t bytes = 0;
  const std::string& path = CookMLFile(count, &bytes);
  long long peak = 0;
  for (auto _ : state) {
    Reader reader;
    reader.parser.SetXMLFile(path, &Reader::OnEvent, &reader);
    reader.parser.AddWatchName("recipe");
    const long long before = g_heap.load();
    g_heapPeak = before;
    reader.parser.ParseXMLFile();
    peak = std::max(peak, g_heapPeak.load() - before);
    if (reader.recipes != count || reader.errors != 0) state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(reader.touched);
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.SetBytesProcessed(state.iterations() * static_cast<long long>(bytes));
  state.counters["peak_heap_KB"] = static_cast<double>(peak) / 1024.0;
  state.counters["file_MB"] = static_cast<double>(bytes) / (1 << 20);
}
BENCHMARK(BM_ParseCookML)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);

// -- Base64 -------------------------------------------------------------------------------------

const std::string& TenMegabytes() {
  static std::string data = [] {
    std::string d(10 << 20, '\0');
    std::mt19937 rng(5);
    for (auto& c : d) c = static_cast<char>(rng());
    return d;
  }();
  return data;
}

void BM_Base64Encode(benchmark::State& state) {
  const std::string& data = TenMegabytes();
  std::string out(TBase64::Base64EncodedSize(data.size()), '\0');
  for (auto _ : state) {
    TBase64::Base64Encode(data.data(), data.size(), out.data(), out.size());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long long>(data.size()));
}
BENCHMARK(BM_Base64Encode)->Unit(benchmark::kMillisecond);

void BM_Base64Decode(benchmark::State& state) {
  const std::string& data = TenMegabytes();
  std::string text(TBase64::Base64EncodedSize(data.size()), '\0');
  TBase64::Base64Encode(data.data(), data.size(), text.data(), text.size());
  text.pop_back();
  std::string out(data.size(), '\0');
  for (auto _ : state) {
    if (!TBase64::Base64Decode(text, out.data(), out.size())) state.SkipWithError("decode");
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<long long>(data.size()));
}
BENCHMARK(BM_Base64Decode)->Unit(benchmark::kMillisecond);

// A picture of 60 KB as the CookML import stores it: decoded and written as its own file.
void BM_DecodePictureToFile(benchmark::State& state) {
  const std::string data = TenMegabytes().substr(0, 60000);
  std::string text(TBase64::Base64EncodedSize(data.size()), '\0');
  TBase64::Base64Encode(data.data(), data.size(), text.data(), text.size());
  text.pop_back();
  const std::string path = TempPath("picture.jpg");
  for (auto _ : state)
    if (!TBase64::DecodeTextToFile(path, text)) state.SkipWithError("write");
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodePictureToFile)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (int recipes : {10000, 40000})
    std::remove(TempPath("cookml_" + std::to_string(recipes) + ".cml").c_str());
  return 0;
}
