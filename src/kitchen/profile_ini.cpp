#include "kitchen/profile_ini.h"

#include <sys/stat.h>

#include "platform/numbers.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "services/charsets.h"

namespace tav {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The name of a "[name]" line, or false for any other line.
bool HeaderName(std::string_view line, std::string_view& name) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return false;
  line.remove_prefix(1);
  const size_t close = line.find(']');
  name = Trim(close == std::string_view::npos ? line : line.substr(0, close));
  return true;
}

// Key and value of a "key=value" line; false without "=".
bool KeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(line.substr(0, eq));
  value = Trim(line.substr(eq + 1));
  return true;
}

std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

}  // namespace

ProfileIni::ProfileIni(std::string path) : path_(std::move(path)) {}

bool ProfileIni::Load() {
  preamble_.clear();
  sections_.clear();
  byName_.clear();
  heldNul_ = false;
  std::string bytes;
  if (!ReadFileBytes(NativePath(path_), bytes)) {
    struct stat st;
    return stat(DiskPath(path_).c_str(), &st) != 0;  // missing: empty; unreadable: failure
  }
  std::string_view name;
  for (std::string& line : SplitLines(bytes)) {
    if (line.find('\0') != std::string::npos) {
      heldNul_ = true;
      continue;
    }
    if (HeaderName(line, name)) {
      sections_.push_back({line, std::string(name), {}, {}});
    } else if (sections_.empty()) {
      preamble_.push_back(std::move(line));
    } else {
      Section& s = sections_.back();
      std::string_view k, v;
      if (KeyValue(line, k, v))
        s.keys.emplace(UpperCaseAnsi(k), static_cast<int>(s.lines.size()));
      s.lines.push_back(std::move(line));
    }
  }
  Reindex();
  return true;
}

std::vector<std::string> ProfileIni::Lines() const {
  std::vector<std::string> lines = preamble_;
  for (const Section& s : sections_) {
    lines.push_back(s.header);
    lines.insert(lines.end(), s.lines.begin(), s.lines.end());
  }
  return lines;
}

bool ProfileIni::Save() const {
  std::string bytes;
  for (const std::string& line : Lines()) {
    bytes += line;
    bytes += "\r\n";
  }
  return WriteFileAtomic(NativePath(path_), bytes);
}

void ProfileIni::Reindex() {
  byName_.clear();
  for (size_t i = 0; i < sections_.size(); ++i)
    byName_.emplace(UpperCaseAnsi(sections_[i].name), static_cast<int>(i));
}

int ProfileIni::FindSection(std::string_view section) const {
  const auto it = byName_.find(UpperCaseAnsi(Trim(section)));
  return it == byName_.end() ? -1 : it->second;
}

int ProfileIni::FindKey(const Section& s, std::string_view key) {
  const auto it = s.keys.find(UpperCaseAnsi(Trim(key)));
  return it == s.keys.end() ? -1 : it->second;
}

std::string ProfileIni::ReadString(std::string_view section, std::string_view key,
                                   const std::string& def) const {
  const int at = FindSection(section);
  if (at < 0) return def;
  const Section& s = sections_[at];
  const int line = FindKey(s, key);
  if (line < 0) return def;
  std::string_view k, v;
  KeyValue(s.lines[line], k, v);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return std::string(v);
}

long long ProfileIni::ReadInteger(std::string_view section, std::string_view key,
                                  long long def) const {
  const std::string text = ReadString(section, key, std::string());
  long long value = 0;
  return ParseInt(text, value) ? value : def;
}

void ProfileIni::WriteString(std::string_view section, std::string_view key,
                             std::string_view value) {
  std::string line = std::string(Trim(key)) + "=" + OneLine(value);
  int at = FindSection(section);
  if (at < 0) {
    const std::string name(Trim(section));
    sections_.push_back({"[" + name + "]", name, {}, {}});
    at = static_cast<int>(sections_.size()) - 1;
    byName_.emplace(UpperCaseAnsi(name), at);
  }
  std::vector<std::string>& lines = sections_[at].lines;
  if (const int found = FindKey(sections_[at], key); found >= 0) {
    lines[found] = std::move(line);
    return;
  }
  // After the section's last line that holds something, so blank lines stay between sections.
  // Only blank lines move down, and they hold no key.
  size_t insert = lines.size();
  while (insert > 0 && Trim(lines[insert - 1]).empty()) --insert;
  lines.insert(lines.begin() + static_cast<long>(insert), std::move(line));
  sections_[at].keys.emplace(UpperCaseAnsi(Trim(key)), static_cast<int>(insert));
}

void ProfileIni::WriteInteger(std::string_view section, std::string_view key, long long value) {
  WriteString(section, key, std::to_string(value));
}

void ProfileIni::EraseSection(std::string_view section) {
  const int at = FindSection(section);
  if (at < 0) return;
  sections_.erase(sections_.begin() + at);
  Reindex();
}

std::vector<std::string> ProfileIni::ReadSections() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

bool ProfileIni::SectionExists(std::string_view section) const {
  return FindSection(section) >= 0;
}

}  // namespace tav
