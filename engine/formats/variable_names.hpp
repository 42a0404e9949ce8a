// The names of calculator variables.
#pragma once

#include <string>

namespace orbisk {

// Whether `name` may name a variable: one to eight characters, a lower-case letter first,
// then lower-case letters, digits or "_".
bool ValidVariableName(const std::string& name);

// The variable name a file's name gives: its file-name part up to the first ".", in lower
// case, cut to eight characters. Empty when that cannot make a valid name.
std::string VariableNameFor(const std::string& path);

// `name` in lower case (ASCII letters only).
std::string LowercaseName(std::string name);
// `name` in upper case (ASCII letters only).
std::string UppercaseName(std::string name);

}  // namespace orbisk
