#pragma once
// The dealer list (dealers and shop counters with the ingredients bought there, a kitchen
// window) as the ingredient catalogue's window sees it. The dealer window registers itself;
// Dealers() is null while there is none.
#include <string>
#include <vector>

#include "services/registered.h"

namespace tav {

class DealerAccess {
 public:
  virtual ~DealerAccess() = default;
  // Every dealer name in visiting order (what a dealer combo box lists).
  virtual std::vector<std::string> DealerNames() const = 0;
  // The last dealer that lists the ingredient name (compared exactly); false when none does.
  virtual bool FindHaendlerOfZutat(const std::string& ingredient, std::string& dealer,
                                   int& sequence) const = 0;
  // Appends a dealer unless the name is empty or taken.
  virtual void AddHaendler(const std::string& name) = 0;
  // Moves the ingredient to that dealer; a name no dealer has only removes it from its dealer.
  virtual void SetHaendlerOfZutat(const std::string& dealer, const std::string& ingredient) = 0;
  // Writes "Haendler.dat"; message 528 and false when it cannot be written.
  virtual bool SaveHaendler() = 0;
};

inline DealerAccess* Dealers() {
  return Registered<DealerAccess>::Get();
}

}  // namespace tav
