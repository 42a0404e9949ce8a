// Every text the command line itself prints, in French.
#pragma once

#include <string>

namespace orbisk::texts {

std::string Help();
std::string Version();
std::string UnknownOption(const std::string& option);
std::string TryHelp();
std::string NoDisplayForWindow();
std::string QtModuleUnavailable(const std::string& reason);
std::string MissingEntries(const std::string& module);
std::string WrongInterfaceVersion(const std::string& module, int found, int expected);
std::string OverwriteRefusedUnattended(const std::string& question);
std::string YesNoPromptSuffix();
std::string YesNoRetry();

}  // namespace orbisk::texts
