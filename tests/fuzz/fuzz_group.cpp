// Fuzzes the reading of group files and backups: no crash and no read out of bounds on any
// table, whatever reads without a problem writes back as the same variables, every problem
// has its words, and the names its variables are extracted to never lead out of their folder.
#include <cstdlib>
#include <string>

#include "file_check.hpp"
#include "fuzz_properties.hpp"
#include "messages.hpp"
#include "target_names.hpp"
#include "variable_file.hpp"

namespace {

void Check(bool property) {
  if (!property) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const orbisk::ParsedFile parsed = orbisk::ParseVariableFile(bytes, size);
  for (const orbisk::Problem& problem : parsed.problems) {
    Check(!orbisk::messages::ProblemText(problem).empty());
  }
  const orbisk::FileReport report = orbisk::CheckVariableFile(bytes, size, "f.89g");
  if (report.problems.empty() && report.group) {
    Check(!orbisk::messages::GroupSummary(report).empty());
  }
  if (!parsed.problems.empty()) return 0;
  fuzzing::WritesBackTheSame(parsed, size);
  for (const std::string& name : orbisk::ExtractedNames(parsed.file, orbisk::Model::Ti89, "out")) {
    // "out/", then one name with an extension: never a folder of its own, nor "..".
    Check(name.compare(0, 4, "out/") == 0);
    Check(name.find('/', 4) == std::string::npos);
    Check(name.find('.', 5) != std::string::npos);
    for (const char c : name) Check(static_cast<unsigned char>(c) >= 0x20);
  }
  return 0;
}
