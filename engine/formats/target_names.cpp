// Target names: the one rule that names what Orbisk writes from a source's name.
#include "target_names.hpp"

#include <map>
#include <set>

#include "charset.hpp"
#include "variable_file.hpp"

namespace orbisk {
namespace {

// A calculator name as a file name: UTF-8, never a "/" nor a control character.
std::string SafeFileName(const std::string& codes) {
  std::string name;
  AppendUtf8(name, codes);
  for (char& c : name) {
    if (c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '_';
  }
  return name.empty() ? "_" : name;
}

}  // namespace

std::vector<std::string> ExtractedNames(const VariableFile& file, Model model,
                                        const std::string& folder) {
  std::map<std::string, std::string> folderOf;  // a name, and the first folder that has it
  std::set<std::string> shared;                 // the names that two folders have
  for (const VariableEntry& entry : file.entries) {
    const auto [first, fresh] = folderOf.emplace(entry.name, entry.folder);
    if (!fresh && first->second != entry.folder) shared.insert(entry.name);
  }
  const std::string start = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  std::vector<std::string> names;
  for (const VariableEntry& entry : file.entries) {
    const std::string name = shared.count(entry.name) != 0
                                 ? SafeFileName(entry.folder) + "-" + SafeFileName(entry.name)
                                 : SafeFileName(entry.name);
    names.push_back(start + name + "." +
                    ExtensionFor(model, {FileContent::Kind::Variable, entry.type}));
  }
  return names;
}

std::string TargetName(const std::string& source, Model model, Purpose purpose,
                       const FileContent& content) {
  return WithExtension(source,
                       purpose == Purpose::TextExport ? "txt" : ExtensionFor(model, content));
}

Model DefaultConversionModel(const std::string& source) {
  Model named = Model::Voyager200;
  return ModelOfFileName(source, named) && named == Model::Voyager200 ? Model::Ti92Plus
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
