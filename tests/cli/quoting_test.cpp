// File names in messages: ordinary ones as they read, the others as the shell reads back.
#include "quoting.hpp"

#include <gtest/gtest.h>

namespace orbisk::messages {
namespace {

TEST(QuoteNameTest, QuotesOnlyWhatWouldNotPrint) {
  const std::pair<std::string, std::string> rows[] = {
      {"prog.9xt", "prog.9xt"},
      {"", ""},
      {"My Files/l'été « 2 ».9xt", "My Files/l'été « 2 ».9xt"},
      {"a\033[2Jb", "'a'$'\\033''[2Jb'"},
      {"line\nbreak", "'line'$'\\n''break'"},
      {"\ttab", "''$'\\t''tab'"},
      {"end\r", "'end'$'\\r'"},
      {"two\a\b", "'two'$'\\a\\b'"},
      {"del\x7F", "'del'$'\\177'"},
      {"c1\xC2\x85", "'c1'$'\\302\\205'"},
      {"caf\xE9.9xt", "'caf'$'\\351''.9xt'"},
      {"it's\n", "'it'\\''s'$'\\n'"},
      {"cut\xE2\x82", "'cut'$'\\342\\202'"},
  };
  for (const auto& [name, quoted] : rows) {
    EXPECT_EQ(QuoteName(name), quoted) << name;
  }
}

}  // namespace
}  // namespace orbisk::messages
