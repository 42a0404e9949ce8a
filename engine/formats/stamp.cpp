// The date-time stamp written into a Voyager 200 header.
#include "stamp.hpp"

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

std::string Formatted(const char* format, const std::tm& when) {
  char buffer[128];
  const std::size_t length = std::strftime(buffer, sizeof buffer, format, &when);
  return std::string(buffer, length);
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
  const std::tm sample = SampleMoment();
  StampSeparators separators;
  separators.date = SeparatorOf(Formatted("%x", sample), '/');
  separators.time = SeparatorOf(Formatted("%X", sample), ':');
  return separators;
}

}  // namespace orbisk
