// Turns a file name given on the command line into one conversion: its source and model.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "model.hpp"

namespace orbisk {

// Appends ".9xt" when the file-name part holds no ".".
std::string WithDefaultExtension(const std::string& name);

// An absolute name is used as it stands. A relative one is looked for first in the
// program's folder, then in the current directory; when neither exists the program's
// folder is kept, so the missing-source message names it.
std::string ResolveSourceName(const std::string& name, const std::string& programFolder,
                              const std::function<bool(const std::string&)>& exists);

// The model a source is converted for: `model` when chosen; otherwise TI92+ for a Voyager
// 200 file ("v2t", "v2p", any type's extension, any case) and Voyager 200 for any other.
Model ConversionModel(const std::string& source, std::optional<Model> model = {});

}  // namespace orbisk
