// The two encodings other than UTF-8 that texts for these calculators were often saved in.
#include "encodings.hpp"

#include "charset.hpp"

namespace orbisk {
namespace {

// Windows-1252's codes 0x80 to 0x9F; 0 where it defines none.
constexpr char32_t kCp1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::string ToUtf8(const std::string& bytes, TextEncoding encoding) {
  if (encoding == TextEncoding::Utf8) return bytes;
  std::string utf8;
  utf8.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    char32_t point = byte;
    if (encoding == TextEncoding::Cp1252 && byte >= 0x80 && byte < 0xA0 &&
        kCp1252[byte - 0x80] != 0) {
      point = kCp1252[byte - 0x80];
    }
    AppendCodePoint(utf8, point);
  }
  return utf8;
}

}  // namespace orbisk
