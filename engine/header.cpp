// The header bytes a conversion rewrites.
#include "header.hpp"

#include <cstring>

namespace orbisk {
namespace {

constexpr char kV200Text[] = "TextObject file ";

void Overwrite(unsigned char* at, const std::string& text) {
  std::memcpy(at, text.data(), text.size());
}

}  // namespace

void RewriteHeader(Direction direction, unsigned char* header, const std::string& stamp) {
  if (direction == Direction::ToV200) {
    header[kModelByte] = 'P';
    std::string text = kV200Text + stamp;
    text.resize(kHeaderTextLength, ' ');
    Overwrite(header + kHeaderTextStart, text);
  } else {
    Overwrite(header + kHeaderTextStart, std::string(kHeaderTextLength, ' '));
  }
}

}  // namespace orbisk
