// The stamp orbisk writes under several locales: always 15 ASCII characters in the fields of
// "dd/mm/yy, hh:mm", with the separators of the locale the environment names for dates (LC_ALL,
// then LC_TIME, then LANG) when each is one ASCII character.
#include <gtest/gtest.h>

#include <clocale>
#include <regex>
#include <string>
#include <vector>

#include "files.hpp"
#include "orbisk_runner.hpp"

namespace orbisk {
namespace {

struct LocaleCase {
  const char* name;
  const char* locale;  // the one that must be installed for the row to mean anything
  std::vector<std::string> environment;
  char date;
  char time;
};

void PrintTo(const LocaleCase& c, std::ostream* out) { *out << c.name; }

class StampLocalesTest : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(StampLocalesTest, WritesTheLocalesSeparatorsOrTheFallbackOnes) {
  const LocaleCase& c = GetParam();
  locale_t installed = ::newlocale(LC_ALL_MASK, c.locale, nullptr);
  ASSERT_NE(installed, nullptr) << c.locale << " is not installed: generate it with localedef";
  ::freelocale(installed);

  testing::TempFolder work;
  testing::WriteFile(work / "prog.9xt", testing::SampleTi92PlusFile(100));
  testing::Invocation invocation = testing::OrbiskIn(work, {"prog.9xt"});
  invocation.environment = c.environment;
  invocation.environment.push_back("TZ=Europe/Paris");
  const testing::Outcome outcome = testing::RunProgram(invocation);
  ASSERT_EQ(outcome.status, 0) << outcome.err;

  const std::string stamp = testing::ReadFile(work / "prog.v2t").substr(34, 15);
  for (char ch : stamp) EXPECT_TRUE(ch >= 0x20 && ch < 0x7f) << stamp;
  const std::string d(1, c.date);
  const std::string t(1, c.time);
  const std::regex fields(
      "(0[1-9]|[12]\\d|3[01])" + std::regex_replace(d, std::regex("[.]"), "\\.") +
      "(0[1-9]|1[0-2])" + std::regex_replace(d, std::regex("[.]"), "\\.") +
      "\\d\\d, ([01]\\d|2[0-3])" + std::regex_replace(t, std::regex("[.]"), "\\.") + "[0-5]\\d");
  EXPECT_TRUE(std::regex_match(stamp, fields)) << stamp;
}

INSTANTIATE_TEST_SUITE_P(
    Locales, StampLocalesTest,
    ::testing::Values(
        LocaleCase{"C", "C", {"LC_ALL=C"}, '/', ':'},
        LocaleCase{"POSIX", "POSIX", {"LANG=POSIX"}, '/', ':'},
        LocaleCase{"CUtf8", "C.UTF-8", {"LC_ALL=C.UTF-8"}, '/', ':'},
        LocaleCase{"French", "fr_FR.UTF-8", {"LC_ALL=fr_FR.UTF-8"}, '/', ':'},
        LocaleCase{"German", "de_DE.UTF-8", {"LC_ALL=de_DE.UTF-8"}, '.', ':'},
        LocaleCase{"English", "en_US.UTF-8", {"LC_ALL=en_US.UTF-8"}, '/', ':'},
        LocaleCase{"Finnish", "fi_FI.UTF-8", {"LC_ALL=fi_FI.UTF-8"}, '.', '.'},
        // Dates and times in words: the fallback ones.
        LocaleCase{"Japanese", "ja_JP.UTF-8", {"LC_ALL=ja_JP.UTF-8"}, '/', ':'},
        // Which variable names the locale, as every program reads them.
        LocaleCase{"LangAlone", "de_DE.UTF-8", {"LANG=de_DE.UTF-8"}, '.', ':'},
        LocaleCase{
            "TimeOverLang", "fi_FI.UTF-8", {"LANG=C.UTF-8", "LC_TIME=fi_FI.UTF-8"}, '.', '.'},
        LocaleCase{
            "AllOverTime", "de_DE.UTF-8", {"LC_ALL=C.UTF-8", "LC_TIME=de_DE.UTF-8"}, '/', ':'},
        LocaleCase{"EmptyAllIsUnset", "de_DE.UTF-8", {"LC_ALL=", "LC_TIME=de_DE.UTF-8"}, '.', ':'},
        // Not installed: the C locale's, as for any program.
        LocaleCase{"Missing", "C", {"LC_ALL=xx_XX.UTF-8"}, '/', ':'}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace orbisk
