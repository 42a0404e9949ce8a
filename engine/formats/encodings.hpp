// The two encodings other than UTF-8 that texts for these calculators were often saved in:
// ISO 8859-1 and Windows-1252, which old editors and Windows wrote.
#pragma once

#include <string>

namespace orbisk {

enum class TextEncoding { Utf8, Latin1, Cp1252 };

// The text in UTF-8. A code Windows-1252 leaves undefined reads as the control character
// of the same number, as Windows itself reads it.
std::string ToUtf8(const std::string& bytes, TextEncoding encoding);

}  // namespace orbisk
