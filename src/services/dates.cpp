#include "services/dates.h"

#include <cstdio>
#include <ctime>
#include <random>

#include "platform/numbers.h"
#include "platform/settings_store.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"

namespace tav {

namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }

// Digits at `pos`, accumulated in 32 bits (wrapping); 0 without digits.
int ReadUnsigned(const std::string& text, size_t& pos) {
  uint32_t v = 0;
  while (pos < text.size() && Digit(text[pos])) v = v * 10 + static_cast<uint32_t>(text[pos++] - '0');
  return static_cast<int>(v);
}

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return tm;
}

void Today(int& day, int& month, int& year) {
  const std::tm tm = LocalNow();
  day = tm.tm_mday;
  month = tm.tm_mon + 1;
  year = tm.tm_year + 1900;
}

// Windows-1252 upper case: a-z and the accented small letters.
unsigned char Upper1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return c;
  }
}

// Days since 1970-01-01 of a Gregorian date (month 1-12).
long DaysFromCivil(long y, int m, int d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153L * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// Monday 0 .. Sunday 6.
int Weekday(long daysSince1970) {
  const long w = (daysSince1970 + 3) % 7;  // 1970-01-01 was a Thursday
  return static_cast<int>(w < 0 ? w + 7 : w);
}

int IsoWeeksInYear(int year) {
  const int jan1 = Weekday(DaysFromCivil(year, 1, 1));
  return jan1 == 3 || (jan1 == 2 && IsLeapYear(year)) ? 53 : 52;
}

// Up to three numbers, each after a run of other characters.
void ReadThreeNumbers(const std::string& text, int n[3]) {
  n[0] = n[1] = n[2] = 0;
  size_t pos = 0;
  for (int i = 0; i < 3; ++i) {
    while (pos < text.size() && !Digit(text[pos])) ++pos;
    if (pos >= text.size()) return;
    n[i] = ReadUnsigned(text, pos);
  }
}

}  // namespace

int32_t RecipeIdTimeWord(int year, int month, int day, int hour, int minute) {
  uint32_t v = static_cast<uint32_t>(year - 1980);
  v = (v << 4) | static_cast<uint32_t>(month);
  v = (v << 5) | static_cast<uint32_t>(day);
  v = (v << 5) | static_cast<uint32_t>(hour);
  v = (v << 6) | static_cast<uint32_t>(minute);
  return static_cast<int32_t>(v);
}

uint32_t RecipeIdNameHash(const std::string& userName) {
  const std::string name = userName.empty() ? std::string("Tavolin") : userName;
  int32_t h = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<int8_t>(Upper1252(static_cast<unsigned char>(name[i])));
    h += static_cast<int32_t>(c) * static_cast<int32_t>(i + 1);
  }
  return static_cast<uint32_t>(h) & 0xFFF;
}

namespace {

constexpr long long kIdCounterMask = 0xFFFFF;
constexpr int kIdsAhead = 16384;  // of the 2^20 values before the counter wraps
RecipeIdBatch* g_idBatch = nullptr;

// The stored counter, or a random start when there is none.
long long StoredIdCounter() {
  long long k = 0;
  std::string stored;
  if (ctx().userSettings && ctx().userSettings->ReadString(kRegParam, "IDCounter", stored)) {
    long long v = 0;
    if (ParseInt(stored, v)) k = v;
  }
  if (k == 0) {
    static std::mt19937 rng(static_cast<unsigned>(std::time(nullptr)));
    k = static_cast<long long>(std::uniform_int_distribution<int>(0, 32767)(rng)) * 10000;
  }
  return k;
}

void StoreIdCounter(long long k) {
  if (ctx().userSettings) ctx().userSettings->WriteString(kRegParam, "IDCounter", std::to_string(k));
}

}  // namespace

RecipeIdBatch::RecipeIdBatch() : active_(g_idBatch == nullptr) {
  if (active_) g_idBatch = this;  // one inside another counts on in the outer one
}

RecipeIdBatch::~RecipeIdBatch() {
  if (!active_) return;
  g_idBatch = nullptr;
  if (counter_ >= 0) StoreIdCounter(counter_);  // the block's unused values are given back
}

void NewRecipeId(int32_t id[2]) {
  // The local time once a minute: an import gives thousands of identifiers, and zones lie whole
  // minutes from UTC, so the local minute stays the same all through a UTC minute.
  static thread_local std::time_t minute = -1;
  static thread_local std::tm tm{};
  if (const std::time_t now = std::time(nullptr); now / 60 != minute) {
    minute = now / 60;
    localtime_r(&now, &tm);
  }
  id[1] = RecipeIdTimeWord(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min);

  long long k = 0;
  if (RecipeIdBatch* batch = g_idBatch) {
    if (batch->counter_ < 0) batch->counter_ = StoredIdCounter();
    if (batch->left_ == 0) {
      StoreIdCounter((batch->counter_ + kIdsAhead) & kIdCounterMask);
      batch->left_ = kIdsAhead;
    }
    --batch->left_;
    k = batch->counter_ = (batch->counter_ + 1) & kIdCounterMask;
  } else {
    k = (StoredIdCounter() + 1) & kIdCounterMask;
    StoreIdCounter(k);
  }

  std::string user;
  if (ctx().options) user = ctx().options->Str(10);
  id[0] = static_cast<int32_t>((RecipeIdNameHash(user) << 20) | static_cast<uint32_t>(k));
}

int ParseDate(const std::string& text, int& day, int& month, int& year) {
  size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  day = ReadUnsigned(text, pos);
  auto skip = [&] {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '.' || text[pos] == ','))
      ++pos;
  };
  skip();
  month = ReadUnsigned(text, pos);
  skip();
  year = ReadUnsigned(text, pos);
  if (month < 1 || month > 12 || day < 1 || day > 31) return 0;
  // Two-digit years: 04-99 are 1904-1999, 00-03 are 2000-2003.
  if (year < 100) {
    year += 1900;
    if (year < 1904) year += 100;
  }
  return 1;
}

void ParseTwoInts(const char* text, int& a, int& b) {
  uint32_t x = 0, y = 0;
  const char* p = text;
  while (Digit(*p)) x = x * 10 + static_cast<uint32_t>(*p++ - '0');
  while (*p && !Digit(*p)) ++p;
  while (Digit(*p)) y = y * 10 + static_cast<uint32_t>(*p++ - '0');
  a = static_cast<int>(x);
  b = static_cast<int>(y);
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int month, int year) {
  switch (month) {
    case 1: return IsLeapYear(year) ? 29 : 28;
    case 3: case 5: case 8: case 10: return 30;
    default: return 31;
  }
}

int DaysBetween(int day1, int month1, int year1, int day2, int month2, int year2) {
  if (year2 < year1 || (year2 == year1 && (month2 < month1 || (month2 == month1 && day2 < day1))))
    return 0;
  // Days beyond a month's length count on into the next month, as the month sums do.
  const long first = DaysFromCivil(year1, month1 + 1, 1) + day1;
  const long second = DaysFromCivil(year2, month2 + 1, 1) + day2;
  return static_cast<int>(second - first);
}

int WeekOfYear(int day, int month, int year) {
  const long days = DaysFromCivil(year, month, day);
  const int ordinal = static_cast<int>(days - DaysFromCivil(year, 1, 1)) + 1;
  const int weekday = Weekday(days) + 1;  // Monday 1 .. Sunday 7
  const int week = (ordinal - weekday + 10) / 7;
  if (week < 1) return IsoWeeksInYear(year - 1);
  if (week > IsoWeeksInYear(year)) return 1;
  return week;
}

void DateToIsoText(const std::string& text, std::string& out) {
  int n[3];
  ReadThreeNumbers(text, n);
  int day = n[0], month = n[1], year = n[2];
  if (year == 0) Today(day, month, year);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d-%02d-%02dT00:00:00", year, month, day);
  out = buf;
}

void IsoDateToGerman(const std::string& text, std::string& out) {
  int n[3];
  ReadThreeNumbers(text, n);
  int year = n[0], month = n[1], day = n[2];
  if (day == 0) Today(day, month, year);
  out = std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year);
}

std::string GetMonthName(int month, bool shortName) {
  if (month < 1 || month > 12) return std::string();
  if (ctx().tools)
    return shortName ? ctx().tools->shortMonthNames[month] : ctx().tools->longMonthNames[month];
  return GetLangText((shortName ? 247 : 235) + month);
}

}  // namespace tav
