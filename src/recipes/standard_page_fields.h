#pragma once
// The fields of the editor's standard page that are more than a copy of a recipe text: the
// keyword memo, the energy field and the rating pictures.
#include <string>

#include "recipedb/recipe_model.h"

namespace tav {

// The keyword memo as the recipe keeps it: at most 1999 characters, every CR becomes ',' and
// every LF a blank, so "Suppe", "Winter" on two lines give "Suppe, Winter".
std::string KeywordsFromMemo(const std::string& memo);

// The energy field of a recipe: the first stored amount "GJ" (kJ) or "GCAL" (kcal) that reads as
// a number other than 0, divided by the servings when asked (and they are not 0), rounded to a
// whole number. "" when there is none.
std::string EnergyFieldText(const REZBLOCK& recipe, bool kiloJoule, bool perServing);
// Stores the field into every amount of that code, or a new one. Per serving (servings above 0)
// the field times the servings is written with six decimals and a decimal point; otherwise the
// field as typed. An empty field changes nothing.
void StoreEnergyField(REZBLOCK& recipe, const std::string& field, bool kiloJoule, bool perServing);

// The rating a click at x on a rating picture gives: 0 left of x = 8, then one mark per 21
// pixels, at most 5.
int RatingFromX(int x);

}  // namespace tav
