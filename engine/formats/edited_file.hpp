// A text changed in an editor, made into the file it is saved as. Whatever the text does not
// decide is kept as the file had it: the signature, the header's folder and comment, the
// variable's attribute (archived, locked) and the bytes no calculator documents.
#pragma once

#include <string>

#include "calculator_text.hpp"
#include "model.hpp"
#include "variable_file.hpp"

namespace orbisk {

// `base`, a single-variable file, with its variable named `folder`\`name` and holding `text`
// (in text form for a program or a function).
VariableFile WithText(VariableFile base, const std::string& folder, const std::string& name,
                      const CalculatorText& text);

// `file` saved for `model`: the same when it is for it already; otherwise with the signature
// and the comment a file made for `model` carries, `stamp` in a Voyager 200's.
VariableFile ForModel(VariableFile file, Model from, Model model, const std::string& stamp);

}  // namespace orbisk
