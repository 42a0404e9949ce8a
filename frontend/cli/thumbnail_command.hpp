// The command line's --thumbnail: the first lines of a calculator text drawn as a picture,
// as file managers ask thumbnailers for one.
#pragma once

#include <string>

#include "command_run.hpp"
#include "conversation.hpp"

namespace orbisk {

// Draws the first lines of the text in `source` (a text, a program or function kept as
// text, or a group's first of them) into the PNG picture `target`, `size` pixels square,
// with no display. Returns the exit status.
int DrawThumbnail(const std::string& source, const std::string& target, int size, CommandRun& run);

}  // namespace orbisk
