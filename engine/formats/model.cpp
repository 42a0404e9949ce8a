// The calculator models, their signatures, extensions and comments.
#include "model.hpp"

#include <cstring>

#include "target_names.hpp"
#include "variable_names.hpp"

namespace orbisk {

Signature SignatureOf(const unsigned char* first8) {
  for (const Signature s :
       {Signature::Ti92Plus, Signature::Ti89, Signature::Ti92, Signature::V200}) {
    if (std::memcmp(first8, SignatureBytes(s), 8) == 0) return s;
  }
  return Signature::Unknown;
}

const char* SignatureBytes(Signature signature) {
  switch (signature) {
    case Signature::Ti92Plus: return "**TI92P*";
    case Signature::Ti89: return "**TI89**";
    case Signature::Ti92: return "**TI92**";
    case Signature::V200: return "**V200**";
    case Signature::Unknown: break;
  }
  return "";
}

Signature SignatureFor(Model model) {
  return model == Model::Ti89 ? Signature::Ti89 : Signature::Ti92Plus;
}

bool ModelOfName(const std::string& path, Model& model) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < FileNameStart(path)) return false;
  return ModelOfExtension(path.substr(dot + 1), model);
}

bool ModelOfExtension(const std::string& extension, Model& model) {
  const std::string lowered = LowercaseName(extension);
  for (const Model m : kModels) {
    if (lowered == ExtensionOf(m)) {
      model = m;
      return true;
    }
  }
  return false;
}

const char* ExtensionOf(Model model) {
  switch (model) {
    case Model::Ti92Plus: return "9xt";
    case Model::Voyager200: return "v2t";
    case Model::Ti89: return "89t";
  }
  return "";
}

const char* ModelName(Model model) {
  switch (model) {
    case Model::Ti92Plus: return "TI92+";
    case Model::Voyager200: return "Voyager 200";
    case Model::Ti89: return "TI-89";
  }
  return "";
}

std::string CommentText(Model model, const std::string& stamp) {
  std::string text = model == Model::Voyager200 ? "TextObject file " + stamp : std::string();
  text.resize(kCommentTextLength, ' ');
  return text;
}

}  // namespace orbisk
