#pragma once
// What the ingredient window uses of windows on higher floors: the food data and the food
// chooser and browser (nutrient database) and the season editor (kitchen); the dealer list
// comes through recipedb/dealer_access.h.
// Each implementer registers itself; while one is missing the ingredient window switches off
// the controls that need it.
#include <string>

#include "services/registered.h"

namespace tav {

struct REZZUTATEN;

// The food names and energy values of the food database.
class FoodData {
 public:
  virtual ~FoodData() = default;
  // The name of the first food with that key; false (name unchanged) when there is none.
  virtual bool FoodNameByKey(const std::string& key, std::string& name) = 0;
  // The food's energy per 100 g as text, in kJ or kcal; false when it cannot be read.
  virtual bool FoodEnergy(const std::string& key, bool kJ, std::string& value) = 0;
};

// The food chooser, shown modally: the key and name of the food the user took over; false with
// both empty when the user left it without one.
class FoodChooser {
 public:
  virtual ~FoodChooser() = default;
  virtual bool ChooseFood(std::string& key, std::string& name) = 0;
};

// The food browser, shown without waiting on the food of that key.
class FoodBrowser {
 public:
  virtual ~FoodBrowser() = default;
  virtual void ShowFood(const std::string& key) = 0;
};

// The season editor of one ingredient, shown modally; true when confirmed (the ingredient's
// season characters then hold the new season).
class SeasonEditor {
 public:
  virtual ~SeasonEditor() = default;
  virtual bool EditSeason(REZZUTATEN& ingredient) = 0;
};

template <class Link>
inline Link* Linked() {
  return Registered<Link>::Get();
}

}  // namespace tav
