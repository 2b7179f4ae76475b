#include <memory>

#include "exchange/cookml_writer.h"
#include "exchange/export_run.h"
#include "exchange/mealmaster_writer.h"
#include "exchange/rezkonv_writer.h"

namespace tav {

namespace {

class MealMasterWriter : public ExportWriter {
 public:
  const char* Extension() const override { return ".mm"; }
  int FilterText() const override { return 138; }
  void WriteRecipe(ExportRun& run, REZBLOCK& recipe) override { WriteMealMaster(run, recipe); }
};

class RezKonvWriter : public ExportWriter {
 public:
  const char* Extension() const override { return ".rk"; }
  int FilterText() const override { return 139; }
  void WriteRecipe(ExportRun& run, REZBLOCK& recipe) override { WriteRezKonv(run, recipe); }
};

// A file of its own: header, recipes, closing tag; never the clipboard.
class CookMLWriter : public ExportWriter {
 public:
  const char* Extension() const override { return ".cml"; }
  int FilterText() const override { return 568; }
  bool ClipboardAllowed() const override { return false; }
  void BeginFile(ExportRun& run) override { WriteCookMLHeader(run); }
  void EndFile(ExportRun& run) override { run.PutLine("</cookml>"); }
  void WriteRecipe(ExportRun& run, REZBLOCK& recipe) override { WriteCookMLRecipe(run, recipe); }
};

}  // namespace

std::unique_ptr<ExportWriter> MakeExportWriter(int format) {
  switch (format) {
    case kFormatMealMaster:
      return std::make_unique<MealMasterWriter>();
    case kFormatRezKonv:
      return std::make_unique<RezKonvWriter>();
    case kFormatCookML:
      return std::make_unique<CookMLWriter>();
    default:
      return nullptr;  // the readable text and the HTML pages come with the views
  }
}

}  // namespace tav
