#include "services/tips_file.h"

#include <cstdlib>

#include "platform/paths.h"
#include "platform/text_file.h"

namespace tav {

bool ReadTipCount(const std::string& path, int& count) {
  LineReader reader(NativePath(path));
  if (!reader.IsOpen()) return false;
  std::string line;
  long n = reader.Next(line) ? std::strtol(line.c_str(), nullptr, 10) : 0;
  if (n < 0) n = 0;
  count = static_cast<int>(n & 0xFFFF);
  return true;
}

bool ReadTipText(const std::string& path, int tip, int count, std::string& text) {
  if (tip < 0 || tip >= count) return false;
  LineReader reader(NativePath(path), LineReader::Lines::kAsStored);  // a tip is its line number
  if (!reader.IsOpen()) return false;
  std::string line;
  for (int i = 0; i <= tip + 1; ++i)
    if (!reader.Next(line)) return false;
  if (line.size() > 998) line.resize(998);
  std::string out;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == 'n') {
      out += "\r\n";
      ++i;
    } else {
      out += line[i];
    }
  }
  text = out;
  return true;
}

int PickRandomTip(int count, int current, const std::function<int()>& random,
                  const std::function<bool(int)>& shipped) {
  const auto ok = [&](int tip) { return !shipped || shipped(tip); };
  int other = -1;
  for (int tip = 0; tip < count && other < 0; ++tip)
    if (tip != current && ok(tip)) other = tip;
  if (other < 0) return current >= 0 && current < count && ok(current) ? current : -1;
  // Drawn until a tip fits; a generator that never gives one ends at a fitting tip all the same.
  for (int draw = 0; draw < 10000; ++draw) {
    const int r = random() % count;
    if (r != current && ok(r)) return r;
  }
  return other;
}

}  // namespace tav
