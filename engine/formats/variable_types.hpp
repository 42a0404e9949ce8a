// The types of variables these calculators keep, what a file of each type is named, and
// which of them can move from one model to another.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "model.hpp"

namespace orbisk {

// Whether a variable of a type works on another model once its file is converted.
enum class Movement {
  Moves,          // the same data on the three models: only the header changes
  ModelSpecific,  // machine code, written for one model
  Never,          // bound to one calculator: signed, or an image of its memory
};

struct VariableType {
  unsigned char code;
  const char* suffix;  // the extension after the model's part: "t" makes "89t", "9xt", "v2t"
  Movement movement;
};

namespace types {
constexpr unsigned char kExpression = 0x00;
constexpr unsigned char kText = 0x0B;
constexpr unsigned char kProgram = 0x12;
constexpr unsigned char kFunction = 0x13;
constexpr unsigned char kClock = 0x18;
constexpr unsigned char kOther = 0x1C;
constexpr unsigned char kBackup = 0x1D;
constexpr unsigned char kFolder = 0x1F;
constexpr unsigned char kAssembly = 0x21;
constexpr unsigned char kIdentityList = 0x22;
constexpr unsigned char kOperatingSystem = 0x23;
constexpr unsigned char kApplication = 0x24;
constexpr unsigned char kCertificate = 0x25;
}  // namespace types

// The type of `code`; null for a code no variable has.
const VariableType* FindType(unsigned char code);
// Every known type, in the order of their codes.
const VariableType* TypesBegin();
const VariableType* TypesEnd();

// What a calculator file holds, as far as naming and moving it go.
struct FileContent {
  enum class Kind {
    Variable,  // one variable: `type`
    Group,     // several: `type` is the first that cannot move, or text when all can
    Flash,     // a Flash application, system or certificate: `type` says which
  };
  Kind kind = Kind::Variable;
  unsigned char type = types::kText;
};

// What the first `got` bytes of a file say it holds; nothing when they are no file of these
// calculators (no signature, or too short to tell), which is then named as a text.
std::optional<FileContent> ContentOf(const unsigned char* head, std::size_t got);

// How the content moves: a group as the least movable of its variables.
Movement MovementOf(const FileContent& content);

// The extension of a file of `model` with `content`: "89p", "9xg", "v2t". A type without one
// of its own is named as a text.
std::string ExtensionFor(Model model, const FileContent& content);

// The model an extension of any type stands for ("89p", "V2G", "9xclk"); false for any other.
bool ModelOfAnyExtension(const std::string& extension, Model& model);
// The same for the extension of a file's name (after its last "."; none in folder names).
bool ModelOfFileName(const std::string& path, Model& model);
// The type of variable a file's name says it holds among those kept as text: a text's
// ("89t", "9xt", "v2t"), a program's ("?p") or a function's ("?f"), any case; none for
// any other name.
std::optional<unsigned char> TextTypeOfFileName(const std::string& path);

}  // namespace orbisk
