// The date-time stamp and the separators taken from the locale.
#include "stamp.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace orbisk {
namespace {

std::tm Moment(int year, int month, int day, int hour, int minute) {
  std::tm when{};
  when.tm_year = year - 1900;
  when.tm_mon = month - 1;
  when.tm_mday = day;
  when.tm_hour = hour;
  when.tm_min = minute;
  return when;
}

TEST(FormatStampTest, WritesTwoDigitFieldsInDayMonthYearOrder) {
  EXPECT_EQ(FormatStamp(Moment(2003, 2, 23, 14, 9), {'/', ':'}), "23/02/03, 14:09");
  EXPECT_EQ(FormatStamp(Moment(2000, 1, 1, 0, 0), {'/', ':'}), "01/01/00, 00:00");
  EXPECT_EQ(FormatStamp(Moment(1999, 12, 31, 23, 59), {'/', ':'}), "31/12/99, 23:59");
  EXPECT_EQ(FormatStamp(Moment(2126, 7, 4, 9, 5), {'/', ':'}), "04/07/26, 09:05");
}

TEST(FormatStampTest, UsesTheGivenSeparators) {
  EXPECT_EQ(FormatStamp(Moment(2003, 2, 23, 14, 9), {'.', '.'}), "23.02.03, 14.09");
  EXPECT_EQ(FormatStamp(Moment(2003, 2, 23, 14, 9), {'-', 'h'}), "23-02-03, 14h09");
}

TEST(FormatStampTest, FallsBackWhenASeparatorIsNotPrintableAscii) {
  for (char bad : {' ', '\t', '\0', '\x7f', '\xc3'}) {
    EXPECT_EQ(FormatStamp(Moment(2003, 2, 23, 14, 9), {bad, bad}), "23/02/03, 14:09");
  }
}

TEST(SeparatorOfTest, TakesTheOneCharacterBetweenTheFirstTwoNumbers) {
  EXPECT_EQ(SeparatorOf("23/11/2003", '?'), '/');
  EXPECT_EQ(SeparatorOf("23.11.2003", '?'), '.');
  EXPECT_EQ(SeparatorOf("2003-11-23", '?'), '-');
  EXPECT_EQ(SeparatorOf("14:19:25", '?'), ':');
  EXPECT_EQ(SeparatorOf("02:19:25 PM", '?'), ':');
}

TEST(SeparatorOfTest, FallsBackOnLongOrForeignSeparators) {
  EXPECT_EQ(SeparatorOf("2003. 11. 23.", '?'), '?');
  EXPECT_EQ(SeparatorOf("2003\xe5\xb9\xb4"
                        "11\xe6\x9c\x88"
                        "23\xe6\x97\xa5",
                        '?'),
            '?');
  EXPECT_EQ(SeparatorOf("23 novembre 2003", '?'), '?');
  EXPECT_EQ(SeparatorOf("2003", '?'), '?');
  EXPECT_EQ(SeparatorOf("", '?'), '?');
}

TEST(LocaleStampSeparatorsTest, TheEnvironmentsLocaleCountsNotTheProgramsOne) {
  const char* saved = std::getenv("LC_ALL");
  const std::string before = saved != nullptr ? saved : "";
  // The program's own locale says German; the environment says C.
  const std::string program = std::setlocale(LC_TIME, nullptr);
  const bool german = std::setlocale(LC_TIME, "de_DE.UTF-8") != nullptr;
  ::setenv("LC_ALL", "C", 1);
  const StampSeparators separators = LocaleStampSeparators();
  std::setlocale(LC_TIME, program.c_str());
  if (saved != nullptr) {
    ::setenv("LC_ALL", before.c_str(), 1);
  } else {
    ::unsetenv("LC_ALL");
  }
  EXPECT_TRUE(german) << "de_DE.UTF-8 is not installed: generate it with localedef";
  EXPECT_EQ(separators.date, '/');
  EXPECT_EQ(separators.time, ':');
}

}  // namespace
}  // namespace orbisk
