#pragma once
// The current recipe of the recipe list as one page for the views and the desktop: the scratch
// files "Export/$$$.html" (view template) and "Export/$$$.txt" (readable text) of the data root,
// which the text/HTML view shows, and the single web page "Rezept.html" of the export folder,
// which the desktop opens. Each is written by an export run of the current recipe, scaled to
// the chosen servings; option 32 is read at the time of the call.
#include <string>

namespace tav {

class ExportRun;

// The scratch file of the view: data root + "Export/$$$.html" or "Export/$$$.txt".
std::string PreviewFilePath(bool html);
// Whether the view template (option 58 in the HTML folder) is there to be read.
bool ViewTemplateFound();

// Writes the scratch file anew from `run.list` (its folder is made when missing). The old file
// is removed first, so a recipe that cannot be written never leaves an older one to be shown.
// True when the file was written.
bool ExportPreview(ExportRun& run, bool html);

// With a selected recipe in `run.list`: writes "Rezept.html" into the export folder with the
// view template and hands it to the desktop. Nothing without a selected recipe; nothing is
// opened when the template is missing (message 124 said so).
void ShowRecipeHTML(ExportRun& run);

}  // namespace tav
