// The single-variable files of the TI-89, TI-92 Plus and Voyager 200: a header that names
// the variable, then its data. Text variables are read and written here as values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "header.hpp"

namespace orbisk {

// The first eight bytes of a file of these calculators.
enum class Signature { Ti92Plus, Ti89, Ti92, V200, Unknown };

// What a file is for. TI92+ and Voyager 200 files share their signature: only the name,
// and the text a conversion leaves in the comment, tell them apart.
enum class Model { Ti92Plus, Voyager200, Ti89 };

namespace layout {
constexpr std::size_t kSignature = 0x00;
constexpr std::size_t kMarker = 0x08;  // 01 00
constexpr std::size_t kFolder = 0x0A;
constexpr std::size_t kComment = 0x12;
constexpr std::size_t kCommentLength = 40;
constexpr std::size_t kEntryCount = 0x3A;
constexpr std::size_t kDataOffsetField = 0x3C;
constexpr std::size_t kName = 0x40;
constexpr std::size_t kType = 0x48;
constexpr std::size_t kAttribute = 0x49;
constexpr std::size_t kFileSize = 0x4C;
constexpr std::size_t kSecondMarker = 0x50;  // A5 5A
constexpr std::size_t kData = 0x52;          // four zero bytes, then the variable size
constexpr std::size_t kVariableSize = 0x56;  // big-endian
constexpr std::size_t kVariableData = 0x58;
constexpr std::size_t kNameLength = 8;
constexpr unsigned char kTextType = 0x0B;
constexpr unsigned char kTextTag = 0xE0;
// A variable holds at most 65,535 bytes: for a text, its cursor, terminator and tag too.
constexpr std::size_t kMaxVariableSize = 0xFFFF;
constexpr std::size_t kTextOverhead = 4;
}  // namespace layout

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

// The 16-bit sum these files protect their variable with.
std::uint16_t Checksum(const unsigned char* bytes, std::size_t count);

struct TextVariable {
  Model model = Model::Voyager200;
  std::string folder = "main";
  std::string name;
  std::uint16_t cursor = 1;
  std::string text;  // the codes between the cursor position and the terminator
};

// The direction of a conversion to `model`, for RewriteHeader.
Direction DirectionTo(Model model);

// The whole file. `stamp` is the date and time a conversion to Voyager 200 writes in the
// comment ("TextObject file " + stamp); TI92+ and TI-89 files have spaces there instead.
// The text must fit a variable (see layout::kMaxVariableSize).
std::string WriteTextFile(const TextVariable& variable, const std::string& stamp);

}  // namespace orbisk
