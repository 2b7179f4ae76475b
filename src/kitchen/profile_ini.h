#pragma once
// An INI file read and written by the rules of the Windows profile functions: "[section]"
// headers and "key=value" lines; section and key names are found without regard to letter case
// (Windows-1252 letters); blanks around names and values are dropped when read, and a value
// between double quotes loses them; the first section and the first key of a name count. Lines
// the rules do not read (comments, text without "=") stay in the file as they are. Changes are
// kept in memory until Save, which replaces the file as a whole.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tav {

class ProfileIni {
 public:
  explicit ProfileIni(std::string path);

  // Reads the file; a missing file is an empty one. False when it exists but cannot be read.
  // Lines holding a NUL byte (a file in UTF-16, junk) are passed over (HeldNul tells).
  bool Load();
  bool HeldNul() const { return heldNul_; }
  // Writes every line back (CR LF after each). False when the file could not be replaced.
  bool Save() const;
  const std::string& Path() const { return path_; }

  // The value, or `def` when the section or key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& def) const;
  // The value read as a whole decimal number (blanks around it allowed), else `def`.
  long long ReadInteger(std::string_view section, std::string_view key, long long def) const;
  // Replaces the key's value, or adds the key at the end of its section, or the section at the
  // end of the file. A line break in the value would end the line early: it becomes a blank.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, long long value);
  // Removes the section with all its lines.
  void EraseSection(std::string_view section);
  // The names of every section, in file order.
  std::vector<std::string> ReadSections() const;
  bool SectionExists(std::string_view section) const;

  // The file's lines as they would be written.
  std::vector<std::string> Lines() const;

 private:
  bool heldNul_ = false;
  struct Section {
    std::string header;              // the "[name]" line as it stands
    std::string name;                // the name between the brackets
    std::vector<std::string> lines;  // every line up to the next header
    // Upper-cased key -> first line holding it: a file of many keys is read in linear time.
    std::unordered_map<std::string, int> keys;
  };
  // Index of the first section of that name, or -1.
  int FindSection(std::string_view section) const;
  // Line index of the key inside the section, or -1.
  static int FindKey(const Section& s, std::string_view key);
  void Reindex();

  std::string path_;
  std::vector<std::string> preamble_;  // lines before the first header
  std::vector<Section> sections_;
  std::unordered_map<std::string, int> byName_;  // upper-cased name -> first section
};

}  // namespace tav
