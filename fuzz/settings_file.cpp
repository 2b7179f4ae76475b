// The settings file (user.ini): any file reads, and what was read, or any text the program
// stores, comes back unchanged after the file was written and read again.
#include <array>

#include "fuzz_support.h"
#include "platform/settings_store.h"

namespace {

using namespace tav;

// Every key with its values, in a fixed order.
class Store : public IniSettingsStore {
 public:
  using IniSettingsStore::IniSettingsStore;
  std::string Dump() const {
    std::string out;
    for (const auto& [norm, key] : keys_) {
      out += "[" + key.path + "]\n";
      for (const auto& [lower, v] : key.values) out += v.name + "=" + v.value + "\n";
    }
    return out;
  }
  const std::map<std::string, Key>& Keys() const { return keys_; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  test::TestEnv& env = fuzz::Begin();
  FuzzedDataProvider in(data, size);
  const std::string path = env.DataFolder() + "user.ini";
  const bool fromFile = in.ConsumeBool();
  if (fromFile) {
    fuzz::Write(path, in.ConsumeRemainingBytesAsString());
    Store store(path, false);
    const std::string first = store.Dump();
    // A change rewrites the file: write one value back as it is.
    bool rewritten = false;
    for (const auto& [norm, key] : store.Keys()) {
      for (const auto& [lower, v] : key.values) {
        const std::string path = key.path, name = v.name, value = v.value;
        store.WriteString(path, name, value);
        rewritten = true;
        break;
      }
      if (rewritten) break;
    }
    if (!rewritten) return 0;
    Store again(path, false);
    if (again.Dump() != first)
      fuzz::Fail("settings changed by rewriting:\n" + first + "---\n" + again.Dump());
    return 0;
  }
  // Values the program writes: key paths below the program's key, any names and texts.
  Store store(path, false);
  std::vector<std::array<std::string, 3>> written;
  while (in.remaining_bytes() > 0 && written.size() < 8) {
    // A key path stands on its header line as it is: the program's keys never break a line and
    // hold no NUL (a NUL in the file is damage).
    std::string key = std::string(kRegKey) + "\\" + in.ConsumeRandomLengthString(20);
    std::erase(key, '\n');
    std::erase(key, '\r');
    std::erase(key, '\0');
    std::string name = in.ConsumeRandomLengthString(20), value = in.ConsumeRandomLengthString(60);
    if (!store.WriteString(key, name, value)) fuzz::Fail("a value was not stored");
    written.push_back({key, name, value});
  }
  Store again(path, false);
  for (const auto& [key, name, value] : written) {
    std::string expected, got;
    store.ReadString(key, name, expected);
    if (!again.ReadString(key, name, got) || got != expected)
      fuzz::Fail("a stored value did not come back: [" + key + "] " + name + "=" + expected);
  }
  return 0;
}
