// The command-line mode: converts every named file in turn.
#pragma once

#include <string>
#include <vector>

#include "converter.hpp"

namespace orbisk {

// Returns the exit status: every file converted, or at least one not.
int ConvertFiles(const std::vector<std::string>& names, const std::string& programFolder,
                 FileSystem& files, Converter& converter);

}  // namespace orbisk
