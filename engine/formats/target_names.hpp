// Target names: the one rule that names what Orbisk writes from a source's name.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model.hpp"
#include "variable_types.hpp"

namespace orbisk {

// What a target is made for.
enum class Purpose {
  Conversion,  // a calculator file converted to another model
  TextExport,  // the text of a calculator file as UTF-8 (".txt"); the model plays no part
  Import,      // a calculator file made from a UTF-8 text
};

// The target's name for `source`: the source's name with the extension the purpose and
// model call for in place of its own. The extension starts after the first "." of the
// file-name part, so "notes.old.9xt" becomes "notes.v2t"; folder names are never cut. A
// name without a dot gains one, and only the empty name gives the bare extension. A
// converted or imported file takes the extension of what it holds: a text's by default.
std::string TargetName(const std::string& source, Model model, Purpose purpose,
                       const FileContent& content = {});

// The model a conversion of `source` goes to when none is chosen: TI92+ for a Voyager 200
// name (its extension "v2t", or that of any other type: "v2p", "v2g", any case), Voyager
// 200 for any other.
Model DefaultConversionModel(const std::string& source);

// The targets of the two directions the main window converts in.
inline std::string ToV200Name(const std::string& path) {
  return TargetName(path, Model::Voyager200, Purpose::Conversion);
}
inline std::string ToTi92PlusName(const std::string& path) {
  return TargetName(path, Model::Ti92Plus, Purpose::Conversion);
}

// The name with `extension` (without its dot) in place of its own, by the same rule.
std::string WithExtension(const std::string& path, const std::string& extension);

// The names, in `folder`, of the files a group's variables are extracted to for `model`:
// each variable's name as the calculator shows it, in UTF-8, with the extension of its
// type. A name two folders of the group share is preceded by its folder ("cours-notes.89t").
// A "/" or a control character, which no calculator name holds, becomes "_": no name leads
// out of `folder`.
struct VariableFile;
std::vector<std::string> ExtractedNames(const VariableFile& file, Model model,
                                        const std::string& folder);

// Where the file-name part of a path begins: just after its last "/".
std::size_t FileNameStart(const std::string& path);
// Whether the file-name part of a path holds a ".".
bool FileNameHasDot(const std::string& path);

}  // namespace orbisk
