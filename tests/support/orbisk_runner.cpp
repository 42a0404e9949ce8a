// Runs the orbisk executable under test in a work folder, and checks what it wrote.
#include "orbisk_runner.hpp"

#include <gtest/gtest.h>

#include <regex>

namespace orbisk::testing {

Invocation OrbiskIn(const TempFolder& folder, std::vector<std::string> arguments) {
  Invocation invocation;
  invocation.program = ORBISK_EXECUTABLE;
  invocation.arguments = std::move(arguments);
  invocation.folder = folder.path().string();
  return invocation;
}

::testing::AssertionResult IsV200Of(const std::string& target, const std::string& source) {
  if (target.size() != source.size()) {
    return ::testing::AssertionFailure()
           << "size " << target.size() << " instead of " << source.size();
  }
  if (target[6] != 'P') return ::testing::AssertionFailure() << "byte 6 is not P";
  static const std::regex kText("TextObject file \\d\\d/\\d\\d/\\d\\d, \\d\\d:\\d\\d");
  if (!std::regex_match(target.substr(18, 31), kText)) {
    return ::testing::AssertionFailure() << "text area [" << target.substr(18, 31) << "]";
  }
  for (std::size_t i = 0; i < source.size(); ++i) {
    if (i != 6 && (i < 18 || i > 48) && target[i] != source[i]) {
      return ::testing::AssertionFailure() << "byte " << i << " differs";
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace orbisk::testing
