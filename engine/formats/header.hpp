// The header bytes a conversion rewrites; everything else passes through unchanged.
#pragma once

#include <cstddef>
#include <string>

#include "model.hpp"

namespace orbisk {

// Bytes 0 to 48: the part of the header that a conversion may rewrite.
constexpr std::size_t kHeaderSpan = 49;
// Byte 6 tells the calculator model apart; a Voyager 200 file has "P" there.
constexpr std::size_t kModelByte = 6;
// Bytes 18 to 48 hold free text.
constexpr std::size_t kHeaderTextStart = 18;
constexpr std::size_t kHeaderTextLength = kHeaderSpan - kHeaderTextStart;

// Rewrites the first kHeaderSpan bytes of a file for `target`. A file that carries another
// model's signature gets the whole signature of the target model; any other file keeps its
// own, but for the "P" a Voyager 200 file has at byte 6. `stamp` must be 15 characters long
// and is used only for Voyager 200.
void RewriteHeader(Model target, unsigned char* header, const std::string& stamp);

}  // namespace orbisk
