// Every text the command line itself prints, in French.
#pragma once

#include <string>
#include <vector>

namespace orbisk::texts {

std::string Help();
std::string Version();
std::string UnknownOption(const std::string& option);
std::string MissingValue(const std::string& option);
std::string UnknownModel(const std::string& model);
std::string UnknownEncoding(const std::string& encoding);
std::string UnknownType(const std::string& type);
std::string NotAGroupName(const std::string& name);
std::string ThumbnailArguments();
std::string NoFileWith(const std::string& option);
std::string InvalidVariableName(const std::string& name);
std::string ConflictingOptions(const std::string& first, const std::string& second);
std::string OptionOnlyWith(const std::string& option, const std::string& mode);
std::string OptionOnlyWith(const std::string& option, const std::vector<std::string>& modes);
std::string UnknownPort(const std::string& port);
std::string UnknownCalculator(const std::string& model);
std::string NoVariableFor(const std::string& option);
// The link program could not be started (it is not installed, or `reason`).
std::string LinkProgramMissing(const std::string& path, const std::string& reason);
std::string OptionNotWith(const std::string& option, const std::string& mode);
std::string NoFileFor(const std::string& option);
std::string TryHelp();
std::string NoDisplayForWindow();
std::string NoDisplayForViewer();
std::string QtModuleUnavailable(const std::string& reason);
std::string MissingEntries(const std::string& module);
std::string WrongInterfaceVersion(const std::string& module, int found, int expected);
std::string OverwriteRefusedUnattended(const std::string& question);
std::string YesNoPromptSuffix();
std::string YesNoRetry();
// The line --show prints before each file's text when there are several, as head does.
std::string ShowTitle(const std::string& name);
std::string NoVariableNameFor(const std::string& path);
// The table --characters prints: a line of titles, then one line a code.
std::string CharacterTable();
// The one line a run says when its standard output could not be written.
std::string CannotWriteOutput(int error);

}  // namespace orbisk::texts
