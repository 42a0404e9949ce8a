// What is wrong, if anything, with a single-variable file of these calculators.
#include "file_check.hpp"

namespace orbisk {
namespace {

std::uint32_t Little(const std::string& s, std::size_t at, std::size_t bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = bytes; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(s[at + i]);
  return value;
}

std::uint32_t Big(const std::string& s, std::size_t at) {
  return (static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) << 8) |
         static_cast<unsigned char>(s[at + 1]);
}

// A NUL-padded field of at most `length` bytes.
std::string Field(const std::string& s, std::size_t at, std::size_t length) {
  const std::string field = s.substr(at, length);
  return field.substr(0, field.find('\0'));
}

// The model a file is for: its signature's, and for the signature TI92+ and Voyager 200
// share, its name's, or else the comment a conversion to Voyager 200 leaves.
Model ModelOf(Signature signature, const std::string& path, const std::string& head) {
  if (signature == Signature::Ti89) return Model::Ti89;
  if (signature == Signature::V200) return Model::Voyager200;
  Model named = Model::Ti92Plus;
  if (ModelOfName(path, named) && named != Model::Ti89) return named;
  return head.compare(layout::kComment, 16, "TextObject file ") == 0 ? Model::Voyager200
                                                                      : Model::Ti92Plus;
}

}  // namespace

FileReport CheckVariableFile(const std::string& head, std::uint64_t size, const std::string& path) {
  using namespace layout;
  using Kind = Problem::Kind;
  FileReport report;
  report.size = size;
  auto& problems = report.problems;
  if (head.size() < kVariableData || size < kVariableData) {
    problems.push_back({Kind::TooShort, size});
    return report;
  }
  report.signature = SignatureOf(reinterpret_cast<const unsigned char*>(head.data()));
  Model named = Model::Ti92Plus;
  if (report.signature == Signature::Unknown) {
    problems.push_back({Kind::UnknownSignature, 0, 0, head.substr(0, 8)});
  } else if (ModelOfName(path, named) && report.signature != SignatureFor(named)) {
    problems.push_back({Kind::SignatureNotOfName, 0, static_cast<std::uint64_t>(named),
                        SignatureBytes(report.signature)});
  }
  if (head[kMarker] != 0x01 || head[kMarker + 1] != 0x00) {
    problems.push_back({Kind::FirstMarker, Little(head, kMarker, 2), 1});
  }
  report.folder = Field(head, kFolder, 8);
  report.name = Field(head, kName, kNameLength);
  report.type = static_cast<unsigned char>(head[kType]);
  if (const std::uint32_t count = Little(head, kEntryCount, 2); count != 1) {
    problems.push_back({Kind::EntryCount, count, 1});
  }
  if (const std::uint32_t offset = Little(head, kDataOffsetField, 4); offset != kData) {
    problems.push_back({Kind::DataOffset, offset, kData});
  }
  if (const std::uint32_t field = Little(head, kFileSize, 4); field != size) {
    problems.push_back({Kind::FileSizeField, field, size});
  }
  if (Big(head, kSecondMarker) != 0xA55A) {
    problems.push_back({Kind::SecondMarker, Big(head, kSecondMarker), 0xA55A});
  }
  // The variable, then its two-byte checksum, must end the file exactly.
  const std::uint32_t variableSize = Big(head, kVariableSize);
  const std::uint64_t room = size >= kVariableData + 2 ? size - kVariableData - 2 : 0;
  if (variableSize != room || head.size() < kVariableData + variableSize + 2) {
    problems.push_back({Kind::VariableSizeDoesNotFit, variableSize, room});
    return report;
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(head.data());
  const bool isText = report.type == kTextType;
  const std::size_t end = kVariableData + variableSize;  // where the checksum is
  if (isText && (variableSize < kTextOverhead || bytes[end - 2] != 0x00 || bytes[end - 1] != kTextTag)) {
    problems.push_back({Kind::TextWithoutEnd});
  }
  const std::uint16_t stored = static_cast<std::uint16_t>(Little(head, end, 2));
  const std::uint16_t computed = Checksum(bytes + kVariableSize, end - kVariableSize);
  if (stored != computed) problems.push_back({Kind::Checksum, stored, computed});
  if (problems.empty() && isText) {
    TextVariable text;
    text.model = ModelOf(report.signature, path, head);
    text.folder = report.folder;
    text.name = report.name;
    text.cursor = static_cast<std::uint16_t>(Big(head, kVariableData));
    text.text = head.substr(kVariableData + 2, variableSize - kTextOverhead);
    report.text = std::move(text);
  }
  return report;
}

}  // namespace orbisk
