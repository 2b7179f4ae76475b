#include <cstdio>
#include <memory>

#include "exchange/cookml_writer.h"
#include "exchange/export_run.h"
#include "exchange/html_index.h"
#include "exchange/html_recipe_page.h"
#include "exchange/mealmaster_writer.h"
#include "exchange/readable_text_writer.h"
#include "exchange/rezkonv_writer.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "services/context.h"
#include "services/options_store.h"

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

// The readable text: the trailer line ends every file and the clipboard text.
class ReadableTextWriter : public ExportWriter {
 public:
  const char* Extension() const override { return ".txt"; }
  int FilterText() const override { return 140; }
  void EndFile(ExportRun& run) override { WriteTextTrailer(run); }
  void WriteRecipe(ExportRun& run, REZBLOCK& recipe) override { WriteReadableText(run, recipe); }
};

// A page per recipe from the template; a file run may keep an index page and a frameset start
// page beside them. The template is read once per run: when it is missing the run says so once
// (message 124) and stops, and nothing is written.
class HTMLWriter : public ExportWriter {
 public:
  const char* Extension() const override { return ".html"; }
  int FilterText() const override { return 141; }
  bool FilePerRecipe() const override { return true; }
  bool BeginRun(ExportRun& run) override {
    if (!Load(run)) return false;
    if (!run.HTMLLinkList && !run.UseFrames) return true;
    return index_.Begin(run);
  }
  void WriteRecipe(ExportRun& run, REZBLOCK& recipe) override {
    if (!Load(run)) return;
    page_.Write(run, recipe, index_.IsOpen() ? &index_ : nullptr);
    ++pages_;
  }
  void FinishRun(ExportRun& run) override {
    if (!index_.IsOpen()) return;
    if (pages_ == 0) {  // an index of nothing, and a frameset around it, are no pages
      index_.Discard();
      if (run.UseFrames && run.StartPageName.ends_with("_Start.html"))
        std::remove(DiskPath(run.StartPageName).c_str());
      return;
    }
    if (!index_.Finish()) run.StopRun();
  }
  std::string PageToOpen(const ExportRun& run) const override {
    if (pages_ == 0 || !ctx().options || !ctx().options->Flag(37)) return std::string();
    std::string page = run.FirstFileName;
    if (run.HTMLLinkList || run.UseFrames) page = run.IndexFileName;
    if (run.UseFrames) page = run.StartPageName;
    return FileExists(NativePath(page)) ? page : run.FirstFileName;
  }

 private:
  bool Load(ExportRun& run) {
    if (loaded_ || failed_) return loaded_;
    loaded_ = page_.LoadTemplate(run.HTMLPreview);
    if (!loaded_) {
      failed_ = true;
      MessageBox(GetLangText(124), GetLangText(15), MB_OK);
      run.StopRun();
    }
    return loaded_;
  }
  HtmlRecipePage page_;
  HtmlIndex index_;
  bool loaded_ = false, failed_ = false;
  int pages_ = 0;
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
    case kFormatText:
      return std::make_unique<ReadableTextWriter>();
    case kFormatHTML:
      return std::make_unique<HTMLWriter>();
    default:
      return nullptr;
  }
}

}  // namespace tav
