// Turns a file name given on the command line into one conversion: source, target, direction.
#include "name_resolution.hpp"

#include "target_names.hpp"

namespace orbisk {
namespace {

bool HasV200Extension(const std::string& path) {
  Model model = Model::Ti92Plus;
  return ModelOfName(path, model) && model == Model::Voyager200;
}

}  // namespace

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

ConversionRequest RequestFor(const std::string& source, std::optional<Model> model) {
  ConversionRequest request;
  request.source = source;
  if (model) {
    request.direction = DirectionTo(*model);
    request.target = WithExtension(source, ExtensionOf(*model));
  } else if (HasV200Extension(source)) {
    request.direction = Direction::ToTi92Plus;
    request.target = ToTi92PlusName(source);
  } else {
    request.direction = Direction::ToV200;
    request.target = ToV200Name(source);
  }
  return request;
}

}  // namespace orbisk
