#pragma once
// What the ingredient window uses of windows on higher floors: the food data and the food
// chooser and browser (nutrient database), the season editor and the dealer list (kitchen).
// Each implementer registers itself; while one is missing the ingredient window switches off
// the controls that need it.
#include <string>
#include <vector>

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

// The dealers at which ingredients are bought, each with the plurals bought there.
class DealerList {
 public:
  virtual ~DealerList() = default;
  virtual std::vector<std::string> DealerNames() const = 0;
  // The dealer that lists the ingredient (the last one when several do); false when none.
  virtual bool FindHaendlerOfZutat(const std::string& ingredient, std::string& dealer) const = 0;
  // A new dealer, unless the name is empty or taken.
  virtual void AddHaendler(const std::string& dealer) = 0;
  // Moves the ingredient to the dealer; a dealer name that names none only removes it.
  virtual void SetHaendlerOfZutat(const std::string& dealer, const std::string& ingredient) = 0;
  virtual void SaveHaendler() = 0;
};

template <class Link>
inline Link* Linked() {
  return Registered<Link>::Get();
}

}  // namespace tav
