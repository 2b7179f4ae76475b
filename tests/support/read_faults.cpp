#include "support/read_faults.h"

#include "platform/text_file.h"

namespace tav::test {

NthReadFault::NthReadFault(int n, std::function<bool(const std::string&)> which) : n_(n) {
  SetReadFaultForTest([this, which = std::move(which)](const std::string& path) {
    if (which && !which(path)) return false;
    if (++reads_ != n_) return false;
    hit_ = true;
    failedPath_ = path;
    return true;
  });
}

NthReadFault::~NthReadFault() {
  Off();
}

void NthReadFault::Off() {
  SetReadFaultForTest(nullptr);
}

}  // namespace tav::test
