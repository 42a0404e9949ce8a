// The command-line mode: converts every named file in turn.
#include "convert_files.hpp"

#include "exit_status.hpp"
#include "name_resolution.hpp"

namespace orbisk {

int ConvertFiles(const std::vector<std::string>& names, const std::string& programFolder,
                 std::optional<Model> model, FileSystem& files, CommandRun& run) {
  const auto exists = [&files](const std::string& path) {
    FileInfo info;
    return files.Stat(kCurrentFolder, path, info) == 0 && info.kind != FileKind::Missing;
  };
  int status = kExitConverted;
  for (const std::string& name : names) {
    const std::string source = ResolveSourceName(name, programFolder, exists);
    const Result<std::string> target =
        run.engine.ConvertBeside(ConversionModel(source, model), source, run.user, &run.written);
    if (!target) {
      run.user.Report(target.error());
      status = kExitNotConverted;
    } else {
      run.Done(source, *target);
    }
  }
  return status;
}

}  // namespace orbisk
