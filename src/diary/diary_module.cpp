#include "diary/diary_module.h"

namespace tav {

TENApplogMod* ENApplogMod = nullptr;

TENApplogMod::TENApplogMod() {
  ENApplogMod = this;
}

}  // namespace tav
