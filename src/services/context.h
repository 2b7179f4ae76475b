#pragma once
// The one context object through which core code reaches the shared stores and the platform
// services. The program fills it at start-up, in window creation order (each owner sets its
// pointer when it is created); a test fills only what it needs. A pointer is null until its
// owner exists.
#include <functional>
#include <string>

namespace tav {

class SettingsStore;
class MessageBoxes;
class Shell;
class Clipboard;
class Launcher;
class ProgressSink;

class LangTable;            // language texts, owned by TLangDlg
class TToolsMod;            // the tools module: servings, month names, lists read on first use
class OptionsStore;         // options, owned by TParaDlg
class CategoryTable;        // owned by TGattDlg
class TdbList;              // the recipe store (data module dbList)
class UnitTable;            // owned by TEinheitenDlg
class CookbookList;         // owned by TKBookDlg
class IngredientCatalogue;  // owned by TZutatenDlg
class NutrientTable;        // nutrient table and filter groups, owned by TBLSFilterDlg
class FoodDatabase;         // food files, owned by TBLSMainDlg
class RecipeCalc;           // recipe nutrient calculation state, owned by TBLSZutatDlg
class RecipeListView;       // what the store asks of the recipe list pane (TChooseRezDlg)
class IntakeTables;         // intake tables StoffCalc.dat, owned by TZufuhrDlg

struct Context {
  // Platform services.
  SettingsStore* userSettings = nullptr;     // current-user scope ("registry")
  SettingsStore* machineSettings = nullptr;  // local-machine scope, read only
  MessageBoxes* messages = nullptr;
  Shell* shell = nullptr;
  Clipboard* clipboard = nullptr;
  Launcher* launcher = nullptr;
  ProgressSink* progress = nullptr;  // the main window's ProgressRelay
  // Ends the process at once (an outdated installation found at start). Tests replace it.
  std::function<void(int)> exitProcess;

  // Shared stores.
  LangTable* lang = nullptr;
  TToolsMod* tools = nullptr;
  OptionsStore* options = nullptr;
  CategoryTable* categories = nullptr;
  TdbList* dbList = nullptr;
  UnitTable* units = nullptr;
  CookbookList* books = nullptr;
  IngredientCatalogue* ingredients = nullptr;
  NutrientTable* nutrients = nullptr;
  FoodDatabase* foods = nullptr;
  RecipeCalc* calc = nullptr;
  RecipeListView* recipeList = nullptr;
  IntakeTables* intake = nullptr;
};

// The process-wide context.
Context& ctx();

// Shorthands used everywhere.
// The text of message number n (language file), "{n}" when missing or before the language
// texts exist.
std::string GetLangText(int n);
// A message box with the given text and title; returns the answer (IDOK, IDYES …). Without a
// message service (early start-up in tests) it returns IDOK / IDNO as a quiet default.
int MessageBox(const std::string& text, const std::string& title, int flags);
// The common error: text of message `textId` (plus `extra`), title message 15, OK button.
void ShowError(int textId, const std::string& extra = std::string());

}  // namespace tav
