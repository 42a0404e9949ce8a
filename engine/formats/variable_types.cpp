// The types of variables, their extensions, and which of them can move between models.
#include "variable_types.hpp"

#include <cstring>
#include <iterator>

#include "variable_file.hpp"
#include "variable_names.hpp"

namespace orbisk {
namespace {

constexpr VariableType kTypes[] = {
    {0x00, "e", Movement::Moves},          // expression
    {0x04, "l", Movement::Moves},          // list
    {0x06, "m", Movement::Moves},          // matrix
    {0x0A, "c", Movement::Moves},          // data
    {0x0B, "t", Movement::Moves},          // text
    {0x0C, "s", Movement::Moves},          // string
    {0x0D, "d", Movement::Moves},          // graph database
    {0x0E, "a", Movement::Moves},          // figure
    {0x10, "i", Movement::Moves},          // picture
    {0x12, "p", Movement::Moves},          // program
    {0x13, "f", Movement::Moves},          // function
    {0x14, "x", Movement::Moves},          // macro
    {0x18, "clk", Movement::Never},        // the calculator's clock
    {0x1C, "y", Movement::Moves},          // data of another kind, read by a program
    {0x1D, "g", Movement::Never},          // backup: shares the extension of groups
    {0x21, "z", Movement::ModelSpecific},  // assembly program
    {0x22, "idl", Movement::Never},        // the calculator's identity
    {0x23, "u", Movement::Never},          // operating system
    {0x24, "k", Movement::Never},          // Flash application
    {0x25, "q", Movement::Never},          // certificate
};

constexpr const char* kGroupSuffix = "g";

// What starts the extension of every file for a model.
const char* ModelPart(Model model) {
  switch (model) {
    case Model::Ti92Plus: return "9x";
    case Model::Voyager200: return "v2";
    case Model::Ti89: return "89";
  }
  return "";
}

// A Flash file's header: its signature, then at 0x31 what it holds.
constexpr char kFlashSignature[] = "**TIFL**";
constexpr std::size_t kFlashDataType = 0x31;

std::uint32_t Little16(const unsigned char* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8;
}

int Rank(Movement movement) {
  switch (movement) {
    case Movement::Moves: return 0;
    case Movement::ModelSpecific: return 1;
    case Movement::Never: return 2;
  }
  return 0;
}

Movement MovementOfType(unsigned char code) {
  const VariableType* type = FindType(code);
  // A code no variable has is a damaged file's: it is converted byte for byte, as a text is.
  return type != nullptr ? type->movement : Movement::Moves;
}

}  // namespace

const VariableType* FindType(unsigned char code) {
  for (const VariableType& type : kTypes) {
    if (type.code == code) return &type;
  }
  return nullptr;
}

const VariableType* TypesBegin() { return std::begin(kTypes); }
const VariableType* TypesEnd() { return std::end(kTypes); }

std::optional<FileContent> ContentOf(const unsigned char* head, std::size_t got) {
  FileContent content;
  if (got > kFlashDataType && std::memcmp(head, kFlashSignature, 8) == 0) {
    content.kind = FileContent::Kind::Flash;
    const unsigned char type = head[kFlashDataType];
    content.type = FindType(type) != nullptr ? type : types::kApplication;
    return content;
  }
  if (got <= layout::kType || SignatureOf(head) == Signature::Unknown) return std::nullopt;
  // A group announces several entries, and its first one points just past its table; any
  // other file is taken for the single variable it is then meant to be.
  const std::uint32_t count = Little16(head + layout::kEntryCount);
  const std::uint32_t firstOffset = Little16(head + layout::kDataOffsetField) |
                                    Little16(head + layout::kDataOffsetField + 2) << 16;
  if (count < 2 || firstOffset != layout::kFirstEntry + layout::kEntrySize * count + 6) {
    content.type = head[layout::kType];
    return content;
  }
  // The least movable of the variables whose entries were read.
  content.kind = FileContent::Kind::Group;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t typeAt = layout::kFirstEntry + layout::kEntrySize * i + 12;
    if (typeAt >= got) break;
    const unsigned char type = head[typeAt];
    if (type == types::kFolder) continue;
    if (Rank(MovementOfType(type)) > Rank(MovementOfType(content.type))) content.type = type;
  }
  return content;
}

Movement MovementOf(const FileContent& content) {
  if (content.kind == FileContent::Kind::Flash) return Movement::Never;
  return MovementOfType(content.type);
}

std::string ExtensionFor(Model model, const FileContent& content) {
  const char* suffix = "t";
  if (content.kind == FileContent::Kind::Group) {
    suffix = kGroupSuffix;
  } else if (const VariableType* type = FindType(content.type)) {
    suffix = type->suffix;
  }
  return std::string(ModelPart(model)) + suffix;
}

bool ModelOfAnyExtension(const std::string& extension, Model& model) {
  const std::string lowered = LowercaseName(extension);
  for (const Model m : kModels) {
    const std::string part = ModelPart(m);
    if (lowered.compare(0, part.size(), part) != 0) continue;
    const std::string suffix = lowered.substr(part.size());
    bool known = suffix == kGroupSuffix;
    for (const VariableType& type : kTypes) known = known || suffix == type.suffix;
    if (known) {
      model = m;
      return true;
    }
  }
  return false;
}

bool ModelOfFileName(const std::string& path, Model& model) {
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  return ModelOfAnyExtension(path.substr(dot + 1), model);
}

std::optional<unsigned char> TextTypeOfFileName(const std::string& path) {
  Model model = Model::Voyager200;
  const std::size_t dot = path.rfind('.');
  if (!ModelOfFileName(path, model) || path.size() - dot != 4) return std::nullopt;
  switch (path.back() | 0x20) {
    case 't': return types::kText;
    case 'p': return types::kProgram;
    case 'f': return types::kFunction;
    default: return std::nullopt;
  }
}

}  // namespace orbisk
