// The calculator models, the signature their files begin with, the extension of their text
// files, and the comment a file made for each of them carries.
#pragma once

#include <cstddef>
#include <string>

namespace orbisk {

// What a file is for. TI92+ and Voyager 200 files share their signature: only the name,
// and the text a conversion leaves in the comment, tell them apart.
enum class Model { Ti92Plus, Voyager200, Ti89 };
constexpr Model kModels[] = {Model::Ti92Plus, Model::Voyager200, Model::Ti89};

// The first eight bytes of a file of these calculators.
enum class Signature { Ti92Plus, Ti89, Ti92, V200, Unknown };

// The signature at the start of `first8`, which holds at least eight bytes.
Signature SignatureOf(const unsigned char* first8);
const char* SignatureBytes(Signature signature);  // eight characters
Signature SignatureFor(Model model);

// The model a file name's extension stands for ("9xt", "v2t", "89t", any case); false when
// it names none of them.
bool ModelOfName(const std::string& path, Model& model);
// The same for an extension alone, without its dot.
bool ModelOfExtension(const std::string& extension, Model& model);
const char* ExtensionOf(Model model);  // "9xt", "v2t", "89t"
// The model's name as users know it: "TI92+", "Voyager 200", "TI-89".
const char* ModelName(Model model);

// Bytes 18 to 48 of a file's comment: what a file made or converted for `model` says there.
// A Voyager 200 file carries "TextObject file " and the 15-character `stamp`; the others
// carry spaces.
constexpr std::size_t kCommentTextLength = 31;
std::string CommentText(Model model, const std::string& stamp);

}  // namespace orbisk
