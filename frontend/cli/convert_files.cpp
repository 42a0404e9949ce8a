// The command-line mode: converts every named file in turn.
#include "convert_files.hpp"

#include "exit_status.hpp"
#include "name_resolution.hpp"

namespace orbisk {

int ConvertFiles(const std::vector<std::string>& names, const std::string& programFolder,
                 std::optional<Model> model, FileSystem& files, Engine& engine,
                 Conversation& user, const Converted& converted) {
  const auto exists = [&files](const std::string& path) {
    FileInfo info;
    return files.Stat(kCurrentFolder, path, info) == 0 && info.kind != FileKind::Missing;
  };
  WrittenFiles written;
  int status = kExitConverted;
  for (const std::string& name : names) {
    const ConversionRequest request =
        RequestFor(ResolveSourceName(name, programFolder, exists), model);
    if (!user.Report(engine.Convert(request.model, request.source, request.target, user,
                                    &written))) {
      status = kExitNotConverted;
    } else if (converted) {
      converted(request.source, request.target);
    }
  }
  return status;
}

}  // namespace orbisk
