#include "exchange/page_output.h"

#include <cstdio>

#include "exchange/export_run.h"
#include "platform/paths.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"

namespace tav {

namespace {

std::string Str(int id) {
  return ctx().options ? ctx().options->Str(id) : std::string();
}

// One page of the current recipe into `path` (written anew); true when it was written.
bool WriteCurrentRecipe(ExportRun& run, uint8_t format, const std::string& path, bool& opened) {
  run.WhatRez = kSetCurrent;
  run.Ziel = kTargetFile;
  run.PassToLexicon = true;
  run.NoExpInfo = ctx().options && ctx().options->Flag(32);
  run.Format = format;
  run.HTMLPreview = format == kFormatHTML;
  run.ScratchOutput = true;
  const std::string file = NativePath(path);
  MakeDirs(file.substr(0, LastSeparator(file) + 1));
  if (EntryExists(file)) RemoveFile(file);
  opened = run.PrepareWriter() && run.OpenOutputFile(file);
  if (opened) {
    run.ExportRecipeLoop();
    run.CloseOutputFile();
  }
  run.HTMLPreview = false;
  run.ScratchOutput = false;
  return opened && FileExists(file);
}

}  // namespace

std::string PreviewFilePath(bool html) {
  return Str(90) + (html ? "Export/$$$.html" : "Export/$$$.txt");
}

bool ViewTemplateFound() {
  return FileExists(NativePath(Str(5) + Str(58)));
}

bool ExportPreview(ExportRun& run, bool html) {
  bool opened = false;
  return WriteCurrentRecipe(run, html ? kFormatHTML : kFormatText, PreviewFilePath(html), opened);
}

void ShowRecipeHTML(ExportRun& run) {
  if (!run.list.AnySelected()) return;
  const std::string path = Str(4) + "Rezept.html";
  bool opened = false;
  // A page that could not be created is still handed over: the desktop says it is missing.
  if (WriteCurrentRecipe(run, kFormatHTML, path, opened) || !opened) ShellOpenFile(path);
}

}  // namespace tav
