// Hands a link command over to orbisk-link.
#include "link_program.hpp"

#include <unistd.h>

#include <cerrno>
#include <iostream>

#include "cli_texts.hpp"
#include "exit_status.hpp"
#include "link_protocol.hpp"
#include "messages.hpp"
#include "program_folder.hpp"

namespace orbisk {

std::vector<std::string> LinkProgramCandidates(const std::string& executableFolder) {
  return InstalledPieceCandidates(executableFolder, link_protocol::kProgram, false);
}

int RunLinkProgram(char** argv) {
  const std::vector<std::string> candidates = LinkProgramCandidates(ExecutableFolder());
  int error = ENOENT;
  for (const std::string& path : candidates) {
    ::execv(path.c_str(), argv);
    error = errno;
    if (error != ENOENT) {
      std::cerr << texts::LinkProgramMissing(path, messages::Reason(error));
      return kExitNotConverted;
    }
  }
  std::cerr << texts::LinkProgramMissing(candidates.back(), messages::Reason(error));
  return kExitNotConverted;
}

}  // namespace orbisk
