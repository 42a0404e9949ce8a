// The copy kept of a text with unsaved changes.
#include "recovery_copy.hpp"

namespace orbisk {
namespace {

constexpr char kFirstLine[] = "orbisk recovery 1\n";

}  // namespace

std::string WriteRecoveryCopy(const RecoveryCopy& copy) {
  // The path is bytes that may hold anything but a NUL: it ends at one.
  return std::string(kFirstLine) + ExtensionOf(copy.model) + '\n' + copy.path + '\0' +
         WriteVariableFile(copy.file);
}

std::optional<RecoveryCopy> ReadRecoveryCopy(const std::string& bytes) {
  const std::string first = kFirstLine;
  if (bytes.compare(0, first.size(), first) != 0) return std::nullopt;
  const std::size_t modelEnd = bytes.find('\n', first.size());
  const std::size_t pathEnd =
      modelEnd == std::string::npos ? std::string::npos : bytes.find('\0', modelEnd + 1);
  if (pathEnd == std::string::npos) return std::nullopt;
  RecoveryCopy copy;
  if (!ModelOfExtension(bytes.substr(first.size(), modelEnd - first.size()), copy.model)) {
    return std::nullopt;
  }
  copy.path = bytes.substr(modelEnd + 1, pathEnd - modelEnd - 1);
  const std::string_view file(bytes.data() + pathEnd + 1, bytes.size() - pathEnd - 1);
  ParsedFile parsed = ParseVariableFile(file, file.size());
  if (!parsed.problems.empty() || parsed.file.entries.size() != 1) return std::nullopt;
  copy.file = std::move(parsed.file);
  return copy;
}

}  // namespace orbisk
