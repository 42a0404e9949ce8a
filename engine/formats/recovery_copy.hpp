// The copy kept of a text with unsaved changes, so that a run that ends without saving
// (killed, power lost) loses nothing: a first line that says what it is, the model and the
// file the text belongs to (empty for a new text), then the calculator file as it would be
// saved.
#pragma once

#include <optional>
#include <string>

#include "model.hpp"
#include "variable_file.hpp"

namespace orbisk {

struct RecoveryCopy {
  Model model = Model::Voyager200;
  std::string path;  // as bytes; empty for a text that had no file
  VariableFile file;
};

std::string WriteRecoveryCopy(const RecoveryCopy& copy);
// Nothing for bytes that are no recovery copy, or whose file is not one sound variable.
std::optional<RecoveryCopy> ReadRecoveryCopy(const std::string& bytes);

}  // namespace orbisk
