// The header bytes a conversion rewrites.
#include "header.hpp"

#include <cstring>

namespace orbisk {

void RewriteHeader(Model target, unsigned char* header, const std::string& stamp) {
  const Signature wanted = SignatureFor(target);
  const Signature found = SignatureOf(header);
  if (found != Signature::Unknown && found != wanted) {
    std::memcpy(header, SignatureBytes(wanted), 8);
  } else if (target == Model::Voyager200) {
    header[kModelByte] = 'P';
  }
  std::string text = CommentText(target, stamp);
  text.resize(kHeaderTextLength, ' ');
  std::memcpy(header + kHeaderTextStart, text.data(), kHeaderTextLength);
}

}  // namespace orbisk
