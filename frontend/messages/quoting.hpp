// File names as messages show them: an ordinary name (spaces and accents included) as it
// reads, a name holding control characters or bytes that are not UTF-8 quoted as the shell
// would read it back, the way coreutils quotes names ('a'$'\033''[2J'), so that no name can
// drive a terminal or fake a line of its own.
#pragma once

#include <string>

namespace orbisk::messages {

std::string QuoteName(const std::string& name);

// A name as one word of a command the user may copy: quoted for the shell when it holds
// anything but letters, digits and the usual marks of a path.
std::string ShellWord(const std::string& name);

}  // namespace orbisk::messages
