// Properties more than one fuzzer checks.
#pragma once

#include <cstdlib>
#include <string>

#include "variable_file.hpp"

namespace fuzzing {

inline void Check(bool property) {
  if (!property) std::abort();
}

// A sound file writes back as the same variables, as large as it was but for the bytes
// after its end, which are no part of it (what follows a name's first 00 is dropped too).
inline void WritesBackTheSame(const orbisk::ParsedFile& parsed, std::size_t size) {
  const std::string written = orbisk::WriteVariableFile(parsed.file);
  const orbisk::ParsedFile again = orbisk::ParseVariableFile(written, written.size());
  Check(again.problems.empty() && again.notes.empty() && again.file == parsed.file);
  std::size_t after = 0;
  for (const orbisk::Problem& note : parsed.notes) {
    if (note.kind == orbisk::Problem::Kind::TrailingBytes) after = note.found;
  }
  Check(written.size() + after == size);
}

}  // namespace fuzzing
