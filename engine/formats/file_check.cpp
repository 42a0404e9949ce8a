// What a file of these calculators is, and what is wrong with it if anything.
#include "file_check.hpp"

namespace orbisk {
namespace {

// The model a file is for: its signature's, and for the signature TI92+ and Voyager 200
// share, its name's, or else the comment a conversion to Voyager 200 leaves.
Model ModelOf(Signature signature, const std::string& path, const std::string& comment) {
  if (signature == Signature::Ti89) return Model::Ti89;
  if (signature == Signature::V200) return Model::Voyager200;
  Model named = Model::Ti92Plus;
  if (ModelOfName(path, named) && named != Model::Ti89) return named;
  return comment.compare(0, 16, "TextObject file ") == 0 ? Model::Voyager200 : Model::Ti92Plus;
}

}  // namespace

FileReport CheckVariableFile(const std::string& head, std::uint64_t size, const std::string& path) {
  ParsedFile parsed = ParseVariableFile(head, size);
  FileReport report;
  report.size = size;
  report.problems = std::move(parsed.problems);
  if (!report.problems.empty() && report.problems[0].kind == Problem::Kind::TooShort) {
    return report;
  }
  const VariableFile& file = parsed.file;
  report.signature = file.signature;
  report.folder = file.folder;
  Model named = Model::Ti92Plus;
  if (file.signature != Signature::Unknown && ModelOfName(path, named) &&
      file.signature != SignatureFor(named)) {
    report.problems.insert(report.problems.begin(),
                           {Problem::Kind::SignatureNotOfName, 0,
                            static_cast<std::uint64_t>(named), SignatureBytes(file.signature)});
  }
  // A group reads as a list of variables, but what is checked here is a single one.
  if (file.IsGroup()) {
    report.problems.push_back({Problem::Kind::EntryCount, parsed.entryCount, 1});
    return report;
  }
  const VariableEntry& entry = file.entries[0];
  report.name = entry.name;
  report.type = entry.type;
  if (!report.problems.empty()) return report;
  if (entry.type == layout::kTextType) {
    TextVariable text;
    text.model = ModelOf(file.signature, path, file.comment);
    text.folder = entry.folder;
    text.name = entry.name;
    ReadTextVariableData(entry.data, text.text);
    report.text = std::move(text);
  }
  report.file = std::move(parsed.file);
  return report;
}

std::string WriteTextFile(const TextVariable& variable, const std::string& stamp) {
  return WriteVariableFile(
      NewTextFile(variable.model, variable.folder, variable.name, variable.text, stamp));
}

}  // namespace orbisk
