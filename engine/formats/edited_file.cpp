// A text changed in an editor, made into the file it is saved as.
#include "edited_file.hpp"

#include "program_variable.hpp"

namespace orbisk {

VariableFile WithText(VariableFile base, const std::string& folder, const std::string& name,
                      const CalculatorText& text) {
  VariableEntry& entry = base.entries.at(0);
  // A single variable's folder is the header's too.
  if (base.folder == entry.folder) base.folder = folder;
  entry.folder = folder;
  entry.name = name;
  entry.data = VariableDataOfText(entry.type, text);
  return base;
}

VariableFile ForModel(VariableFile file, Model from, Model model, const std::string& stamp) {
  if (from == model) return file;
  file.signature = SignatureFor(model);
  // The comment's first bytes tell which model the file is for; what follows them is kept.
  file.comment.resize(layout::kCommentLength, '\0');
  file.comment.replace(0, kCommentTextLength, CommentText(model, stamp));
  file.comment.erase(file.comment.find_last_not_of('\0') + 1);
  return file;
}

}  // namespace orbisk
