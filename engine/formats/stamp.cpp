// The date-time stamp written into a Voyager 200 header.
#include "stamp.hpp"

#include <locale.h>

#include <cstdlib>
#include <string_view>

namespace orbisk {
namespace {

bool IsPrintableAscii(char c) { return c > 0x20 && c < 0x7f; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void AppendTwoDigits(std::string& out, int value) {
  value %= 100;
  if (value < 0) value += 100;
  out += static_cast<char>('0' + value / 10);
  out += static_cast<char>('0' + value % 10);
}

// A date and a time whose every field has two digits, so the locale's formats show
// their separators between runs of digits whatever their order.
std::tm SampleMoment() {
  std::tm sample{};
  sample.tm_year = 2003 - 1900;
  sample.tm_mon = 10;
  sample.tm_mday = 23;
  sample.tm_hour = 14;
  sample.tm_min = 19;
  sample.tm_sec = 25;
  sample.tm_isdst = -1;
  return sample;
}

std::string Formatted(const char* format, const std::tm& when, locale_t locale) {
  char buffer[128];
  const std::size_t length = ::strftime_l(buffer, sizeof buffer, format, &when, locale);
  return std::string(buffer, length);
}

// The locale the environment names for dates and times, looked up as the C library does.
std::string_view TimeLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

// The C and POSIX locales, whatever their codeset, write 11/23/03 and 14:19:25.
bool IsCLocale(std::string_view name) {
  return name == "C" || name == "POSIX" || name.substr(0, 2) == "C.";
}

}  // namespace

std::string FormatStamp(const std::tm& when, StampSeparators separators) {
  const char date = IsPrintableAscii(separators.date) ? separators.date : '/';
  const char time = IsPrintableAscii(separators.time) ? separators.time : ':';
  std::string stamp;
  stamp.reserve(15);
  AppendTwoDigits(stamp, when.tm_mday);
  stamp += date;
  AppendTwoDigits(stamp, when.tm_mon + 1);
  stamp += date;
  AppendTwoDigits(stamp, when.tm_year);
  stamp += ", ";
  AppendTwoDigits(stamp, when.tm_hour);
  stamp += time;
  AppendTwoDigits(stamp, when.tm_min);
  return stamp;
}

char SeparatorOf(const std::string& formatted, char fallback) {
  std::size_t i = 0;
  while (i < formatted.size() && !IsDigit(formatted[i])) ++i;
  while (i < formatted.size() && IsDigit(formatted[i])) ++i;
  const std::size_t start = i;
  while (i < formatted.size() && !IsDigit(formatted[i])) ++i;
  if (i == formatted.size() || i - start != 1) return fallback;
  return IsPrintableAscii(formatted[start]) ? formatted[start] : fallback;
}

StampSeparators LocaleStampSeparators() {
  // Loading a locale costs more than a whole conversion: the C ones are known already.
  if (IsCLocale(TimeLocaleName())) return {};
  const locale_t user = ::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
  // A locale that is not installed leaves the C one, as it does for every program.
  if (user == static_cast<locale_t>(0)) return {};
  const std::tm sample = SampleMoment();
  StampSeparators separators;
  separators.date = SeparatorOf(Formatted("%x", sample, user), '/');
  separators.time = SeparatorOf(Formatted("%X", sample, user), ':');
  ::freelocale(user);
  return separators;
}

}  // namespace orbisk
