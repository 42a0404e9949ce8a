// Runs the orbisk executable under test in a work folder, with no terminal and no display,
// and checks what it wrote.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_program.hpp"
#include "temp_folder.hpp"

namespace orbisk::testing {

// An invocation of the orbisk under test, its current directory in `folder`.
Invocation OrbiskIn(const TempFolder& folder, std::vector<std::string> arguments);

// Whether `target` is `source` converted to Voyager 200 at some moment: the model byte,
// the text area with a well-formed stamp, and every other byte unchanged.
::testing::AssertionResult IsV200Of(const std::string& target, const std::string& source);

}  // namespace orbisk::testing
