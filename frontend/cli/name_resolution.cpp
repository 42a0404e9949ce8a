// Turns a file name given on the command line into one conversion: its source and model.
#include "name_resolution.hpp"

#include "target_names.hpp"

namespace orbisk {

std::string WithDefaultExtension(const std::string& name) {
  return FileNameHasDot(name) ? name : name + ".9xt";
}

std::string ResolveSourceName(const std::string& name, const std::string& programFolder,
                              const std::function<bool(const std::string&)>& exists) {
  if (!name.empty() && name[0] == '/') return WithDefaultExtension(name);
  std::string inProgramFolder = programFolder;
  if (inProgramFolder.empty() || inProgramFolder.back() != '/') inProgramFolder += '/';
  inProgramFolder = WithDefaultExtension(inProgramFolder + name);
  if (exists(inProgramFolder)) return inProgramFolder;
  const std::string inCurrentFolder = WithDefaultExtension(name);
  if (exists(inCurrentFolder)) return inCurrentFolder;
  return inProgramFolder;
}

Model ConversionModel(const std::string& source, std::optional<Model> model) {
  return model.value_or(DefaultConversionModel(source));
}

}  // namespace orbisk
