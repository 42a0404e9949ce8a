// Target names: the one rule that names what Orbisk writes from a source's name.
#include "target_names.hpp"

namespace orbisk {

std::string TargetName(const std::string& source, Model model, Purpose purpose,
                       const FileContent& content) {
  return WithExtension(source,
                       purpose == Purpose::TextExport ? "txt" : ExtensionFor(model, content));
}

Model DefaultConversionModel(const std::string& source) {
  Model named = Model::Voyager200;
  return ModelOfFileName(source, named) && named == Model::Voyager200
             ? Model::Ti92Plus
             : Model::Voyager200;
}

std::string WithExtension(const std::string& path, const std::string& extension) {
  if (path.empty()) return extension;
  const std::size_t dot = path.find('.', FileNameStart(path));
  if (dot == std::string::npos) return path + '.' + extension;
  return path.substr(0, dot + 1) + extension;
}

std::size_t FileNameStart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

bool FileNameHasDot(const std::string& path) {
  return path.find('.', FileNameStart(path)) != std::string::npos;
}

}  // namespace orbisk
