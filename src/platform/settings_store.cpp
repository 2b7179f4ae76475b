#include "platform/settings_store.h"

#include <cstdlib>

#include "platform/charset.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tav {

std::string SettingsStore::Read(const std::string& key, const std::string& name,
                                const std::string& def) const {
  std::string v;
  return ReadString(key, name, v) ? v : def;
}

std::string MemorySettingsStore::Lower(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string MemorySettingsStore::Normalise(const std::string& key) {
  std::string out;
  for (char c : key) {
    if (c == '/') c = '\\';
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out += c;
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return Lower(out);
}

bool MemorySettingsStore::KeyExists(const std::string& key) const {
  const std::string k = Normalise(key);
  if (keys_.count(k)) return true;
  auto it = keys_.lower_bound(k + "\\");
  return it != keys_.end() && it->first.compare(0, k.size() + 1, k + "\\") == 0;
}

bool MemorySettingsStore::ReadString(const std::string& key, const std::string& name,
                                     std::string& value) const {
  auto k = keys_.find(Normalise(key));
  if (k == keys_.end()) return false;
  auto v = k->second.values.find(Lower(name));
  if (v == k->second.values.end()) return false;
  value = v->second.value;
  return true;
}

bool MemorySettingsStore::WriteString(const std::string& key, const std::string& name,
                                      const std::string& value) {
  if (!Writable()) return false;
  Key& k = keys_[Normalise(key)];
  if (k.path.empty()) {
    k.path = key;
    for (char& c : k.path)
      if (c == '/') c = '\\';
  }
  Value& v = k.values[Lower(name)];
  if (v.name.empty()) v.name = name;
  v.value = value;
  ++changes_;
  return Commit();
}

bool MemorySettingsStore::Commit() {
  if (holds_ > 0) {
    heldChange_ = true;
    return true;
  }
  return Changed();
}

bool MemorySettingsStore::ReleaseChanges() {
  if (holds_ > 0) --holds_;
  if (holds_ > 0 || !heldChange_) return true;
  heldChange_ = false;
  return Changed();
}

bool MemorySettingsStore::DeleteValue(const std::string& key, const std::string& name) {
  if (!Writable()) return false;
  auto k = keys_.find(Normalise(key));
  if (k == keys_.end() || k->second.values.erase(Lower(name)) == 0) return false;
  ++changes_;
  return Commit();
}

bool MemorySettingsStore::DeleteKey(const std::string& key) {
  if (!Writable()) return false;
  const std::string k = Normalise(key);
  bool any = keys_.erase(k) > 0;
  for (auto it = keys_.lower_bound(k + "\\");
       it != keys_.end() && it->first.compare(0, k.size() + 1, k + "\\") == 0;) {
    it = keys_.erase(it);
    any = true;
  }
  if (!any) return false;
  ++changes_;
  return Commit();
}

std::vector<std::string> MemorySettingsStore::ValueNames(const std::string& key) const {
  std::vector<std::string> names;
  auto k = keys_.find(Normalise(key));
  if (k != keys_.end())
    for (const auto& [lower, v] : k->second.values) names.push_back(v.name);
  return names;
}

std::vector<std::string> MemorySettingsStore::SubKeys(const std::string& key) const {
  std::vector<std::string> names;
  const std::string prefix = Normalise(key) + "\\";
  for (auto it = keys_.lower_bound(prefix);
       it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    std::string rest = it->second.path.substr(std::min(prefix.size(), it->second.path.size()));
    rest = rest.substr(0, rest.find('\\'));
    if (!rest.empty() && (names.empty() || Lower(names.back()) != Lower(rest)))
      names.push_back(rest);
  }
  return names;
}

namespace {

std::string Escape(const std::string& s, bool name) {
  std::string out;
  // A name must not start its line like a key header or a comment would.
  if (name && !s.empty() && (s[0] == '[' || s[0] == ';' || s[0] == '#')) out += '\\';
  for (char c : s) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\0':
        out += "\\0";
        break;  // a NUL in the file is damage
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '=':
        if (name) {
          out += "\\e";
          break;
        }
        [[fallthrough]];
      default: out += c;
    }
  }
  return out;
}

std::string Unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      char n = s[++i];
      out += n == 'n' ? '\n' : n == 'r' ? '\r' : n == 'e' ? '=' : n == '0' ? '\0' : n;
    } else {
      out += s[i];
    }
  }
  return out;
}

// Position of the first '=' that is not escaped.
size_t FindAssign(const std::string& line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\') ++i;
    else if (line[i] == '=') return i;
  }
  return std::string::npos;
}

}  // namespace

IniSettingsStore::IniSettingsStore(std::string file, bool readOnly)
    : file_(std::move(file)), readOnly_(readOnly) {
  Reload();
}

bool IniSettingsStore::Reload() {
  keys_.clear();
  state_ = FileState();
  state_.file = file_;
  std::string bytes;
  if (!ReadFileBytes(file_, bytes)) {
    holdsFile_ = !EntryExists(file_);
    state_.missing = holdsFile_;
    state_.unreadable = !holdsFile_;
    return false;
  }
  holdsFile_ = true;
  bool damaged = false;
  // The store ends every file with a line break: a file cut short ends inside its last line,
  // whose value may be cut as well. (A CR alone ends lines in files of old Mac editors.)
  if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') {
    damaged = true;
    const size_t last = bytes.find_last_of("\r\n");
    bytes.resize(last == std::string::npos ? 0 : last + 1);
  }
  Key* current = nullptr;
  for (const std::string& raw : SplitLines(bytes)) {
    // Zeros where text should be (a file whose blocks were never written): the line is lost.
    if (raw.find('\0') != std::string::npos) {
      damaged = true;
      continue;
    }
    const std::string line = Utf8ToCp1252(raw);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      const size_t close = line.rfind(']');
      if (close == std::string::npos) {
        // A broken header: its values belong to no known key.
        damaged = true;
        current = nullptr;
        continue;
      }
      const std::string path = line.substr(1, close - 1);
      current = &keys_[Normalise(path)];
      if (current->path.empty()) current->path = path;
      continue;
    }
    const size_t eq = FindAssign(line);
    if (!current || eq == std::string::npos) {
      damaged = true;
      continue;
    }
    const std::string name = Unescape(line.substr(0, eq));
    Value& v = current->values[Lower(name)];
    if (v.name.empty()) v.name = name;
    v.value = Unescape(line.substr(eq + 1));
  }
  state_.damaged = damaged;
  if (damaged && !readOnly_) {
    // Written anew only once the damaged file is kept.
    state_.damagedCopy = KeepDamagedCopy(file_);
    if (state_.damagedCopy.empty())
      holdsFile_ = false;
    else
      Changed();
  }
  return true;
}

bool IniSettingsStore::Changed() {
  if (!holdsFile_) return false;
  std::string out;
  for (const auto& [norm, key] : keys_) {
    out += "[" + Cp1252ToUtf8(key.path) + "]\n";
    for (const auto& [lower, v] : key.values)
      out += Cp1252ToUtf8(Escape(v.name, true)) + "=" + Cp1252ToUtf8(Escape(v.value, false)) +
             "\n";
    out += "\n";
  }
  const size_t slash = file_.rfind('/');
  if (slash != std::string::npos) MakeDirs(file_.substr(0, slash));
  return WriteFileAtomic(file_, out);
}

std::string SettingsFolder() {
  // Paths from the environment are names on disk: into the program's text first.
  if (const char* dir = std::getenv("TAVOLIN_CONFIG_DIR"); dir && *dir)
    return WithSeparator(NameFromDisk(dir));
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    return WithSeparator(NameFromDisk(xdg)) + "Tavolin/";
  const char* home = std::getenv("HOME");
  return WithSeparator(NameFromDisk(home && *home ? home : ".")) + ".config/Tavolin/";
}

std::unique_ptr<IniSettingsStore> OpenUserSettings() {
  return std::make_unique<IniSettingsStore>(SettingsFolder() + "user.ini", false);
}

std::unique_ptr<IniSettingsStore> OpenMachineSettings() {
  return std::make_unique<IniSettingsStore>(SettingsFolder() + "machine.ini", true);
}

}  // namespace tav
