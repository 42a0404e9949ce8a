// Fuzzes the name rules and the command line's name resolution: a name never loses its
// folder part, and the target sits in the source's folder with the other extension.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "name_resolution.hpp"
#include "target_names.hpp"

namespace {

void Check(bool property) {
  if (!property) std::abort();
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Folder(const std::string& path) { return path.substr(0, orbisk::FileNameStart(path)); }

void CheckNameRule(const std::string& name, const std::string& result,
                   const std::string& extension) {
  if (name.empty()) {
    Check(result == extension);
    return;
  }
  Check(Folder(result) == Folder(name));
  const std::size_t dot = name.find('.', orbisk::FileNameStart(name));
  Check(result == (dot == std::string::npos ? name + "." : name.substr(0, dot + 1)) + extension);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool inProgramFolder = input.ConsumeBool();
  const bool inCurrentFolder = input.ConsumeBool();
  const std::string programFolder = input.ConsumeRandomLengthString(64);
  const std::string name = input.ConsumeRemainingBytesAsString();

  CheckNameRule(name, orbisk::ToV200Name(name), "v2t");
  CheckNameRule(name, orbisk::ToTi92PlusName(name), "9xt");

  const std::string completed = orbisk::WithDefaultExtension(name);
  Check(orbisk::FileNameHasDot(completed));
  Check(completed == name || completed == name + ".9xt");
  const std::string resolved =
      orbisk::ResolveSourceName(name, programFolder, [&](const std::string& path) {
        return path == completed ? inCurrentFolder : inProgramFolder;
      });
  // The name is kept whole at the end, its folders included.
  Check(EndsWith(resolved, completed));
  if (!name.empty() && name[0] == '/') Check(resolved == completed);

  // A conversion names its target beside the source, with the extension of its model.
  const orbisk::Model model = orbisk::ConversionModel(resolved);
  const orbisk::FileContent program{orbisk::FileContent::Kind::Variable, orbisk::types::kProgram};
  const std::string target =
      orbisk::TargetName(resolved, model, orbisk::Purpose::Conversion, program);
  Check(Folder(target) == Folder(resolved));
  Check(EndsWith(target, model == orbisk::Model::Voyager200 ? ".v2p" : ".9xp"));
  return 0;
}
