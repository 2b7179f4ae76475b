#pragma once
// Builders for language-file lines with every field at its column.
#include <cstdio>
#include <string>

namespace tav::test {

// A control line of a dialog section.
inline std::string CtrlLine(const std::string& name, int l, int t, int w, int h,
                            const std::string& cls, const std::string& text) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%4d,%4d,%4d,%4d", l, t, w, h);
  std::string line = name;
  line.resize(18, ' ');
  line += std::string("#") + buf + " #";
  std::string c = cls;
  c.resize(16, ' ');
  return line + c + "#\"" + text;
}

// A section header: '#' dialog, '$' menu, '%' tool bar.
inline std::string HeaderLine(char kind, const std::string& form, const std::string& rest) {
  std::string line(1, kind);
  line += form;
  line.resize(18, ' ');
  return line + "#" + rest;
}

// A menu item or tool button line.
inline std::string ItemLine(const std::string& name, const std::string& rest) {
  std::string line = name;
  line.resize(18, ' ');
  return line + "#\"" + rest;
}

}  // namespace tav::test
