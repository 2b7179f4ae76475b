#pragma once
// The index page of an HTML export (name_Index.html: one link a recipe page, its look taken
// from the template "HTML/IndexTPL.html" of the data root) and the frameset start page
// (name_Start.html: the index in a narrow left frame beside the recipe pages).
//
// The index file is written under a temporary name and takes its place when the run finishes;
// the template's head is copied when the run begins, its tail when the run ends.
#include <cstdio>
#include <string>
#include <vector>

#include "exchange/html_template.h"

namespace tav {

class ExportRun;

class HtmlIndex {
 public:
  HtmlIndex() = default;
  ~HtmlIndex();
  HtmlIndex(const HtmlIndex&) = delete;
  HtmlIndex& operator=(const HtmlIndex&) = delete;

  // Before the first page of a file run: the index file (under its temporary name) with the
  // template's head; sets the run's IndexFileName, the row texts and StartPageName to the base
  // path of the frameset page, which the writer makes after Finish. False when the template or
  // the index file cannot be opened (no index then).
  bool Begin(ExportRun& run);
  bool IsOpen() const { return file_ != nullptr; }
  // The link line of a page: the page's file name (without folder) and the recipe's title.
  void AddLink(const ExportRun& run, const std::string& pagePath, const std::string& title);
  // The template's tail (with the footer unless the run uses frames or option 36 is set), then
  // the file takes its name. False when it could not be written whole.
  bool Finish();
  // Drops the index: nothing of it is left on disk.
  void Discard();

 private:
  void Write(const std::string& bytes);
  std::FILE* file_ = nullptr;
  std::string tempName_, target_;
  std::vector<TemplatePiece> tail_;
  bool writeFailed_ = false;
};

// Writes base + "_Start.html" for the base path `startPageName` holds; on success the name
// becomes that page's path. Nothing is written (and the name stays) when it cannot be created.
bool WriteHTMLStartPage(std::string& startPageName);

// The row toggle of the index links: true (the even pair) when the program starts, flipped
// after every page of an index run, across runs.
bool IndexRowToggle();
void FlipIndexRowToggle();
void ResetIndexRowToggleForTest();

}  // namespace tav
