// The command line's group modes: --list, --extract and --group. Each returns the exit
// status.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "command_run.hpp"
#include "conversation.hpp"
#include "convert_files.hpp"

namespace orbisk {

// Prints each variable of each file, a line each; with several files, a title before each.
int ListGroups(const std::vector<std::string>& names, CommandRun& run);
// Prints each text, program and function of the group `name` as --show does, each after a
// title with its folder and name; `first` says whether anything was printed before.
int ShowGroupTexts(const std::string& name, TextFormat format, CommandRun& run, bool& first);
// Writes each variable of each group as a file of its own for `model` (the group's own
// without one) into `into` (the group's folder without one).
int ExtractGroups(const std::vector<std::string>& names, std::optional<Model> model,
                  const std::optional<std::string>& into, CommandRun& run);
// Makes the group `target`, for the model its extension names, from the files `sources`.
int MakeGroup(const std::string& target, const std::vector<std::string>& sources, CommandRun& run);

}  // namespace orbisk
