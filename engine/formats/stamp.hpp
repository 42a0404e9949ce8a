// The date-time stamp written into a Voyager 200 header: "dd/mm/yy, hh:mm".
#pragma once

#include <ctime>
#include <string>

namespace orbisk {

struct StampSeparators {
  char date = '/';
  char time = ':';
};

// Always 15 ASCII characters. Separators that are not printable ASCII become "/" and ":".
std::string FormatStamp(const std::tm& when, StampSeparators separators);

// The separators of the date and time formats of the user's locale, as the environment
// names it for LC_TIME (LC_ALL, then LC_TIME, then LANG), each kept only when it is one
// printable ASCII character. The program's own C locale plays no part.
StampSeparators LocaleStampSeparators();

// The separator between the first two runs of digits of a formatted date or time, or
// `fallback` when that separator is not one printable ASCII character.
char SeparatorOf(const std::string& formatted, char fallback);

}  // namespace orbisk
