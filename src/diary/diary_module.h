#pragma once
// The diary data module: the diary persons, the active person's weight log and loaded months.
namespace tav {

class TENApplogMod {
 public:
  TENApplogMod();
};

extern TENApplogMod* ENApplogMod;

}  // namespace tav
