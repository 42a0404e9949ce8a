// The command-line mode: converts every named file in turn.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "command_run.hpp"
#include "conversation.hpp"
#include "file_system.hpp"
#include "model.hpp"

namespace orbisk {

// Returns the exit status: every file converted, or at least one not. `model` chooses the
// target model instead of each name's extension. No file written in the run is replaced by
// another one's result.
int ConvertFiles(const std::vector<std::string>& names, const std::string& programFolder,
                 std::optional<Model> model, FileSystem& files, CommandRun& run);

}  // namespace orbisk
