#pragma once
// The settings store that stands in for the registry: keys are paths such as
// "Software\Brimo\Tavolin\Param"; each key holds named string values. Key paths and value names
// are compared without regard to ASCII case, as the registry does. Values are Windows-1252 text.
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tav {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual bool KeyExists(const std::string& key) const = 0;
  // False when the key or the value is missing; `value` is then unchanged.
  virtual bool ReadString(const std::string& key, const std::string& name,
                          std::string& value) const = 0;
  // Creates the key when needed. False when the store cannot be written.
  virtual bool WriteString(const std::string& key, const std::string& name,
                           const std::string& value) = 0;
  virtual bool DeleteValue(const std::string& key, const std::string& name) = 0;
  // Deletes the key with every key below it.
  virtual bool DeleteKey(const std::string& key) = 0;
  virtual std::vector<std::string> ValueNames(const std::string& key) const = 0;
  // Names of the direct subkeys.
  virtual std::vector<std::string> SubKeys(const std::string& key) const = 0;

  // Changes made between HoldChanges and ReleaseChanges go to a store's file once, when the
  // last hold is released (a list of values written one by one). ReleaseChanges gives false
  // when they could not be written.
  virtual void HoldChanges() {}
  virtual bool ReleaseChanges() { return true; }

  // Convenience: the string, or `def` when absent.
  std::string Read(const std::string& key, const std::string& name,
                   const std::string& def = std::string()) const;

  // The file a store keeps its values in, and what was wrong with it when it was read.
  struct FileState {
    std::string file;         // empty: the store has no file
    bool missing = false;     // there is no file of that name
    bool unreadable = false;  // a file that exists but could not be read
    bool damaged = false;     // read in part: lines cut short or garbled were left out
    std::string damagedCopy;  // where the damaged file was kept before it was written anew
  };
  virtual FileState State() const { return {}; }
};

// In memory, for tests and as the base of the file store.
class MemorySettingsStore : public SettingsStore {
 public:
  bool KeyExists(const std::string& key) const override;
  bool ReadString(const std::string& key, const std::string& name,
                  std::string& value) const override;
  bool WriteString(const std::string& key, const std::string& name,
                   const std::string& value) override;
  bool DeleteValue(const std::string& key, const std::string& name) override;
  bool DeleteKey(const std::string& key) override;
  std::vector<std::string> ValueNames(const std::string& key) const override;
  std::vector<std::string> SubKeys(const std::string& key) const override;

  // Number of successful writes and deletions, so tests can see that nothing was written.
  int ChangeCount() const { return changes_; }
  void HoldChanges() override { ++holds_; }
  bool ReleaseChanges() override;

 protected:
  // Called after every change; the file store saves here.
  virtual bool Changed() { return true; }
  virtual bool Writable() const { return true; }

  struct Value {
    std::string name;  // as first written
    std::string value;
  };
  struct Key {
    std::string path;                     // as first written, '\' separated
    std::map<std::string, Value> values;  // by lower-case name
  };
  std::map<std::string, Key> keys_;  // by normalised lower-case path
  int changes_ = 0;
  int holds_ = 0;
  bool heldChange_ = false;  // a change waits for the holds to end

  // Changed(), or later while changes are held.
  bool Commit();

  static std::string Normalise(const std::string& key);
  static std::string Lower(const std::string& s);
};

// Kept in an INI-style UTF-8 file: "[key path]" headers and "name=value" lines, with '\',
// line breaks and '=' in names escaped. Every change rewrites the file atomically. A file that
// exists but cannot be read is never replaced: changes then stay in memory.
// A damaged file (cut short inside its last line, holding NUL bytes, or with lines that are
// neither header, comment nor value) gives what its sound lines hold; a writable store keeps
// the file as "<name>.damaged" and writes it anew at once, and without such a copy never
// replaces it.
class IniSettingsStore : public MemorySettingsStore {
 public:
  IniSettingsStore(std::string file, bool readOnly);
  const std::string& File() const { return file_; }
  bool Reload();
  FileState State() const override { return state_; }

 protected:
  bool Changed() override;
  bool Writable() const override { return !readOnly_; }

 private:
  std::string file_;
  bool readOnly_;
  bool holdsFile_ = false;  // the store holds what the file held (or there was no file)
  FileState state_;
};

// Holds the changes of a store (may be null) for its lifetime: one file write for many values.
class HeldSettingsChanges {
 public:
  explicit HeldSettingsChanges(SettingsStore* store) : store_(store) {
    if (store_) store_->HoldChanges();
  }
  ~HeldSettingsChanges() {
    if (store_) store_->ReleaseChanges();
  }
  HeldSettingsChanges(const HeldSettingsChanges&) = delete;
  HeldSettingsChanges& operator=(const HeldSettingsChanges&) = delete;

 private:
  SettingsStore* store_;
};

// The folder of the settings files: $TAVOLIN_CONFIG_DIR, else $XDG_CONFIG_HOME/Tavolin, else
// ~/.config/Tavolin; ends with '/'.
std::string SettingsFolder();
// "user.ini" (current-user scope, written by the program) and "machine.ini" (local-machine
// scope, written only by the install step) in that folder.
std::unique_ptr<IniSettingsStore> OpenUserSettings();
std::unique_ptr<IniSettingsStore> OpenMachineSettings();

// Key paths used throughout the program.
inline constexpr const char* kRegKey = "Software\\Brimo\\Tavolin";
inline constexpr const char* kRegParam = "Software\\Brimo\\Tavolin\\Param";
inline constexpr const char* kRegAppPaths =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tavolin.exe";

}  // namespace tav
