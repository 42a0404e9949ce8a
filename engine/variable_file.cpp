// The single-variable files of the TI-89, TI-92 Plus and Voyager 200.
#include "variable_file.hpp"

#include <cstring>

#include "header.hpp"
#include "target_names.hpp"
#include "variable_names.hpp"

namespace orbisk {
namespace {

void PutLittle(std::string& out, std::size_t at, std::uint32_t value, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) out[at + i] = static_cast<char>(value >> (8 * i));
}

void PutText(std::string& out, std::size_t at, const std::string& text, std::size_t room) {
  out.replace(at, std::min(text.size(), room), text, 0, std::min(text.size(), room));
}

}  // namespace

Signature SignatureOf(const unsigned char* first8) {
  for (const Signature s : {Signature::Ti92Plus, Signature::Ti89, Signature::Ti92, Signature::V200}) {
    if (std::memcmp(first8, SignatureBytes(s), 8) == 0) return s;
  }
  return Signature::Unknown;
}

Direction DirectionTo(Model model) {
  switch (model) {
    case Model::Ti92Plus: return Direction::ToTi92Plus;
    case Model::Voyager200: return Direction::ToV200;
    case Model::Ti89: return Direction::ToTi89;
  }
  return Direction::ToV200;
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
  for (const Model m : {Model::Ti92Plus, Model::Voyager200, Model::Ti89}) {
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

std::uint16_t Checksum(const unsigned char* bytes, std::size_t count) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < count; ++i) sum += bytes[i];
  return static_cast<std::uint16_t>(sum);
}

std::string WriteTextFile(const TextVariable& variable, const std::string& stamp) {
  using namespace layout;
  const std::size_t variableSize = variable.text.size() + kTextOverhead;
  const std::size_t fileSize = kVariableData + variableSize + 2;
  std::string file(fileSize, '\0');
  file.replace(kSignature, 8, SignatureBytes(SignatureFor(variable.model)));
  file[kMarker] = 0x01;
  PutText(file, kFolder, variable.folder, 8);
  // The comment holds what a conversion to the model leaves there.
  unsigned char header[kHeaderSpan] = {};
  RewriteHeader(DirectionTo(variable.model), header, stamp);
  file.replace(kHeaderTextStart, kHeaderTextLength,
               reinterpret_cast<const char*>(header + kHeaderTextStart), kHeaderTextLength);
  PutLittle(file, kEntryCount, 1, 2);
  PutLittle(file, kDataOffsetField, kData, 4);
  PutText(file, kName, variable.name, kNameLength);
  file[kType] = static_cast<char>(kTextType);
  PutLittle(file, kFileSize, static_cast<std::uint32_t>(fileSize), 4);
  file[kSecondMarker] = static_cast<char>(0xA5);
  file[kSecondMarker + 1] = 0x5A;
  file[kVariableSize] = static_cast<char>(variableSize >> 8);
  file[kVariableSize + 1] = static_cast<char>(variableSize);
  file[kVariableData] = static_cast<char>(variable.cursor >> 8);
  file[kVariableData + 1] = static_cast<char>(variable.cursor);
  file.replace(kVariableData + 2, variable.text.size(), variable.text);
  // The terminator 00 is already there; then the tag, then the sum from the size on.
  const std::size_t tag = kVariableData + 2 + variable.text.size() + 1;
  file[tag] = static_cast<char>(kTextTag);
  PutLittle(file, tag + 1,
            Checksum(reinterpret_cast<const unsigned char*>(file.data()) + kVariableSize,
                     tag + 1 - kVariableSize),
            2);
  return file;
}

}  // namespace orbisk
