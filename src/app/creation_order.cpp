#include "app/creation_order.h"

#include <algorithm>
#include <stdexcept>

namespace tav {

namespace {
std::vector<std::string>& Record() {
  static std::vector<std::string> names;
  return names;
}
}  // namespace

void NoteCreated(const std::string& className) {
  auto& names = Record();
  if (std::find(names.begin(), names.end(), className) != names.end())
    throw std::logic_error(className + " created twice");
  names.push_back(className);
}

const std::vector<std::string>& CreatedWindows() {
  return Record();
}

void ForgetCreatedWindows() {
  Record().clear();
}

}  // namespace tav
