// The header bytes a conversion rewrites.
#include "header.hpp"

#include <cstring>

#include "variable_file.hpp"

namespace orbisk {
namespace {

constexpr char kV200Text[] = "TextObject file ";

void Overwrite(unsigned char* at, const std::string& text) {
  std::memcpy(at, text.data(), text.size());
}

}  // namespace

void RewriteHeader(Direction direction, unsigned char* header, const std::string& stamp) {
  const Signature wanted = direction == Direction::ToTi89 ? Signature::Ti89 : Signature::Ti92Plus;
  const Signature found = SignatureOf(header);
  if (found != Signature::Unknown && found != wanted) {
    std::memcpy(header, SignatureBytes(wanted), 8);
  } else if (direction == Direction::ToV200) {
    header[kModelByte] = 'P';
  }
  if (direction == Direction::ToV200) {
    std::string text = kV200Text + stamp;
    text.resize(kHeaderTextLength, ' ');
    Overwrite(header + kHeaderTextStart, text);
  } else {
    Overwrite(header + kHeaderTextStart, std::string(kHeaderTextLength, ' '));
  }
}

}  // namespace orbisk
