// The command line's text modes: --show, --to-text, --from-text and --check, each over
// every named file in turn. Each returns the exit status.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "command_run.hpp"
#include "conversation.hpp"
#include "convert_files.hpp"

namespace orbisk {

// Prints each file's text as UTF-8; with several files, a title line before each. A
// damaged file's text is printed as far as it can be found, with a warning (kExitDamaged).
int ShowTexts(const std::vector<std::string>& names, TextFormat format, CommandRun& run);
// Writes each file's text beside it, in a file with the extension "txt"; a damaged file's
// as for ShowTexts.
int ExportTexts(const std::vector<std::string>& names, TextFormat format, CommandRun& run);
// Makes a calculator file for `model` (Voyager 200 without one) beside each text file, read
// and typed as `options` say, named `variable`, or after the file when empty.
int ImportTexts(const std::vector<std::string>& names, std::optional<Model> model,
                const std::string& variable, const ImportOptions& options, CommandRun& run);
// Writes each damaged file again, sound, and says what was mended on `out`.
int RepairFiles(const std::vector<std::string>& names, const RepairOptions& options,
                CommandRun& run);
// Prints what is wrong with each file, or that it is correct. 0 only when all are.
int CheckFiles(const std::vector<std::string>& names, CommandRun& run);

}  // namespace orbisk
