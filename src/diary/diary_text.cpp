#include "diary/diary_text.h"

#include "platform/paths.h"

#include <charconv>
#include <cmath>
#include <ctime>

#include "platform/numbers.h"
#include "services/amounts.h"
#include "services/context.h"
#include "services/options_store.h"

namespace tav {

std::string DiaryDataFolder() {
  return ctx().options ? ctx().options->Str(2) : std::string();
}

std::string PersonFolder(const std::string& name) {
  if (!IsPlainName(name) || name.find(':') != std::string::npos) return std::string();
  const std::string data = DiaryDataFolder();
  if (data.empty()) return std::string();
  return data + "Konten/" + name + "/";
}

std::string FixedWithPoint(double value, int decimals) {
  char buf[400];
  if (!std::isfinite(value)) value = 0;
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (res.ec != std::errc()) return "0";
  return std::string(buf, res.ptr);
}

bool ReadWholeNumber(std::string_view text, double& value) {
  size_t end = text.size();
  while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  text = text.substr(0, end);
  size_t used = 0;
  const double v = ReadNumber(text, &used);
  if (used == 0 || used != text.size()) return false;
  value = v;
  return true;
}

double TypedAmount(std::string& text) {
  NormalizeDecimalSep(text, 0);
  std::string point = text;
  NormalizeDecimalSep(point, 1);
  return ReadNumber(point);
}

void CleanFieldText(std::string& text, bool hashToo) {
  for (char& c : text)
    if (c == '\r' || c == '\n' || c == '\t' || (hashToo && c == '#')) c = ' ';
}

LocalNow CurrentLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  return {t.tm_mday, t.tm_mon, t.tm_year + 1900, t.tm_hour, t.tm_min};
}

}  // namespace tav
