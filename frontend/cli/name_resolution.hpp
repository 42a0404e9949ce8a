// Turns a file name given on the command line into one conversion: source, target, model.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "model.hpp"

namespace orbisk {

struct ConversionRequest {
  std::string source;
  std::string target;
  Model model = Model::Voyager200;  // what the target is for
};

// Appends ".9xt" when the file-name part holds no ".".
std::string WithDefaultExtension(const std::string& name);

// An absolute name is used as it stands. A relative one is looked for first in the
// program's folder, then in the current directory; when neither exists the program's
// folder is kept, so the missing-source message names it.
std::string ResolveSourceName(const std::string& name, const std::string& programFolder,
                              const std::function<bool(const std::string&)>& exists);

// A source whose extension is "v2t" (any case) goes to TI92+, every other one to
// Voyager 200, unless `model` chooses; the target sits beside the source with the target
// model's extension.
ConversionRequest RequestFor(const std::string& source, std::optional<Model> model = {});

}  // namespace orbisk
