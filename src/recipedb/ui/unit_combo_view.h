#pragma once
// A window of a higher floor that offers the units of measure in a combo box (the ingredient
// chooser, the quick entry page). The units window has each refill its combo after the table
// changed; each registers itself under its own tag and is null while there is none.
#include "services/registered.h"

namespace tav {

class UnitComboView {
 public:
  virtual ~UnitComboView() = default;
  virtual void RefillUnitCombo() = 0;
};

enum UnitComboTag { kChooserUnitCombo = 1, kQuickEntryUnitCombo = 2 };

template <UnitComboTag Tag>
inline UnitComboView* UnitCombo() {
  return Registered<UnitComboView, Tag>::Get();
}

}  // namespace tav
