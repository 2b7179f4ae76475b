#include "export_test_support.h"

#include <cstdio>
#include <cstring>

#include "platform/paths.h"
#include "recipedb/recipe_records.h"
#include "exchange/import_fields.h"

namespace tav::test {

ExportEnv::ExportEnv() {
  MakeDirs(env.Root() + "Export");
  exporter.keyFigures = &figures;
}

ExportEnv::~ExportEnv() = default;

void ExportEnv::AddRecipes(const std::vector<REZBLOCK>& recipes) {
  for (REZBLOCK r : recipes) AddRecipe(r);
  store.ReloadBookIndex();
}

RecipeListSnapshot ExportEnv::AllRows() const {
  RecipeListSnapshot rows;
  for (const FakeRecipeList::Item& item : list.items) rows.items.push_back(item.index);
  rows.selected.assign(rows.items.size(), 0);
  return rows;
}

void ExportEnv::Export(uint8_t format, uint8_t set, const std::string& name) {
  exporter.Format = format;
  exporter.WhatRez = set;
  exporter.fileName = name.empty() ? std::string() : Path(name);
  if (exporter.list.items.empty()) exporter.list = AllRows();
  exporter.StartExport();
}

void ExportEnv::ChooseFigures(const std::vector<WantFigure>& want) {
  figures.keyFigures.clear();
  for (const WantFigure& f : want)
    figures.keyFigures.push_back(Figure(kKeyFiguresText, f.id, f.label, f.code));
}

PARA_SHOWDATA Figure(int kind, int32_t id, const char* label, const char* code) {
  PARA_SHOWDATA figure;
  figure.outputKind = kind;
  figure.figureId = id;
  figure.stoffCode = code;
  figure.displayName = id == kFigureNutrient ? code : KeyFigureName(id);
  if (label) figure.altText = label;
  return figure;
}

std::vector<REZBLOCK> ExportEnv::ImportInto(const std::string& file, const std::string& book) {
  KBOOK target;
  target.name = book;
  books.CreateKBook(target);
  importer.clipboardSource = false;
  importer.targetBook = book;
  importer.files = {file};
  importer.StartImport();
  return Recipes(book);
}

REZSTOFFMENGE Nutrient(const char* code, const char* value) {
  REZSTOFFMENGE n;
  std::strncpy(n.code, code, sizeof n.code - 1);
  n.value = value;
  return n;
}

REZBLOCK PlainRecipe(int i) {
  REZBLOCK r;
  ClearRezBlock(r);
  char title[32];
  std::snprintf(title, sizeof title, "Rezept %05d", i);
  r.title = title;
  r.servings = 4;
  r.servingType = "Portionen";
  r.categories[0] = 7;
  r.lines = {{"250", "g", "Mehl", "", 0, 0}, {"2", "", "Eier", "", 0, 0}};
  r.text = "Alles verr\xFChren.";
  return r;
}

void JoinNotes(REZBLOCK& r) {
  std::vector<REZZUTAT> joined;
  for (REZZUTAT& z : r.lines) {
    if (!joined.empty() && !z.text.empty() && z.text[0] == '-' && !joined.back().text.empty() &&
        joined.back().text[0] != '*') {
      joined.back().text += " " + std::string(StripBlanks(z.text.substr(1)));
      continue;
    }
    joined.push_back(z);
  }
  r.lines = std::move(joined);
}

}  // namespace tav::test
