// The calculators' own 256-code character set, to and from UTF-8.
#include "charset.hpp"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "charset_table.hpp"

namespace orbisk {

void AppendCodePoint(std::string& out, char32_t c) {
  charset::Utf8Bytes utf8;
  charset::AppendEncoded(utf8, c);
  out.append(utf8.bytes, utf8.length);
}

namespace {

const std::array<std::string, 256>& Utf8Table() {
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> built;
    for (unsigned code = 0; code < 256; ++code) {
      const charset::Utf8Bytes utf8 = charset::Utf8Of(code);
      built[code].assign(utf8.bytes, utf8.length);
    }
    return built;
  }();
  return table;
}

// The code of each single code point the calculators have, their aliases included, or -1.
// Those below U+3000 (all but a few) are found by index.
class CodeTable {
 public:
  static const CodeTable& Get() {
    static const CodeTable table;
    return table;
  }

  int Find(char32_t c) const {
    if (c < kIndexed) return codes_[c];
    for (const auto& [point, code] : beyond_) {
      if (point == c) return code;
    }
    return -1;
  }

 private:
  static constexpr char32_t kIndexed = 0x3000;

  CodeTable() {
    codes_.fill(-1);
    for (unsigned code = 0; code < 256; ++code) {
      const charset::Character c = charset::CharacterFor(code);
      // "␍" would be a line break inside a line: no calculator character stands for it.
      if (c.combining == 0 && code != 0x0D) Add(c.first, code);
    }
    for (unsigned raw = 0x01; raw <= 0x09; ++raw) Add(raw, raw);
    Add(0x0C, 0x0C);
    // A widespread table writes the surrogates of 𝖤 and 𝒊 with one bit wrong (D875 for
    // D835), which gives U+2D5A4 and U+2D48A, two ideographs no calculator text means.
    Add(0x2D5A4, 0x95);
    Add(0x2D48A, 0x97);
  }

  void Add(char32_t point, unsigned code) {
    if (point < kIndexed) {
      codes_[point] = static_cast<std::int16_t>(code);
    } else {
      beyond_.emplace_back(point, static_cast<unsigned char>(code));
    }
  }

  std::array<std::int16_t, kIndexed> codes_;
  std::vector<std::pair<char32_t, unsigned char>> beyond_;
};

}  // namespace

namespace {

// Reads one code point from the `left` bytes at `p`. Each form is written out, and inlined
// where it is used: this runs for every character of a text that is not ASCII.
inline std::size_t ReadCodePointAt(const unsigned char* p, std::size_t left, char32_t& c) {
  const auto continues = [p](std::size_t i) { return (p[i] & 0xC0) == 0x80; };
  const auto bits = [p](std::size_t i) { return static_cast<char32_t>(p[i] & 0x3F); };
  const char32_t lead = p[0];
  if (lead < 0x80) {
    c = lead;
    return 1;
  }
  // A continuation byte cannot lead, and C0 and C1 could only start overlong forms.
  if (lead < 0xC2) return 0;
  if (lead < 0xE0) {
    if (left < 2 || !continues(1)) return 0;
    c = (lead & 0x1F) << 6 | bits(1);
    return 2;
  }
  if (lead < 0xF0) {
    if (left < 3 || !continues(1) || !continues(2)) return 0;
    c = (lead & 0x0F) << 12 | bits(1) << 6 | bits(2);
    return c < 0x800 || (c >= 0xD800 && c <= 0xDFFF) ? 0 : 3;
  }
  if (lead < 0xF5) {
    if (left < 4 || !continues(1) || !continues(2) || !continues(3)) return 0;
    c = (lead & 0x07) << 18 | bits(1) << 12 | bits(2) << 6 | bits(3);
    return c < 0x10000 || c > 0x10FFFF ? 0 : 4;
  }
  return 0;
}

}  // namespace

std::size_t ReadCodePoint(const std::string& s, std::size_t at, char32_t& c) {
  return ReadCodePointAt(reinterpret_cast<const unsigned char*>(s.data()) + at, s.size() - at, c);
}

const std::string& CharacterOf(unsigned char code) { return Utf8Table()[code]; }

namespace {

using charset::Utf8Bytes;
static_assert(sizeof(Utf8Bytes::bytes) == kLongestUtf8);

// Each code's UTF-8, kept flat so that a text's characters are copied without a call
// each, and worked out when compiling: a run that writes text builds nothing first.
constexpr std::array<Utf8Bytes, 256> kFlatUtf8 = [] {
  std::array<Utf8Bytes, 256> built{};
  for (unsigned code = 0; code < 256; ++code) built[code] = charset::Utf8Of(code);
  return built;
}();

// The same with 0x0D as a line end, for lines joined by it.
constexpr std::array<Utf8Bytes, 256> kLinesUtf8 = [] {
  std::array<Utf8Bytes, 256> built = kFlatUtf8;
  built[0x0D] = Utf8Bytes{1, {'\n'}};
  return built;
}();

char* WriteThrough(const std::array<Utf8Bytes, 256>& table, char* to, std::string_view codes) {
  for (const char code : codes) {
    const Utf8Bytes& character = table[static_cast<unsigned char>(code)];
    std::memcpy(to, character.bytes, sizeof character.bytes);
    to += character.length;
  }
  return to;
}

}  // namespace

void AppendUtf8(std::string& out, const std::string& codes) {
  const std::size_t start = out.size();
  // Room for the longest UTF-8 of every code, so that each is copied whole as four bytes;
  // what is left over goes again below.
  out.resize(start + codes.size() * kLongestUtf8);
  char* const first = &out[start];
  char* const end = WriteThrough(kFlatUtf8, first, codes);
  out.resize(start + static_cast<std::size_t>(end - first));
}

char* WriteUtf8Lines(char* to, std::string_view codes) {
  return WriteThrough(kLinesUtf8, to, codes);
}

DecodedCharacter DecodeCharacter(const std::string& utf8, std::size_t at) {
  DecodedCharacter decoded;
  // Most text is printable ASCII, which is its own code: x and y only when no combining
  // overline (CC 85 in UTF-8) follows.
  const auto first = static_cast<unsigned char>(utf8[at]);
  if (first >= 0x20 && first < 0x7F &&
      ((first != 'x' && first != 'y') || at + 1 == utf8.size() ||
       static_cast<unsigned char>(utf8[at + 1]) != 0xCC)) {
    decoded.code = first;
    decoded.length = 1;
    return decoded;
  }
  char32_t c = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  decoded.length = ReadCodePointAt(bytes + at, utf8.size() - at, c);
  if (decoded.length == 0) {
    decoded.kind = DecodedCharacter::Kind::Invalid;
    decoded.length = 1;
    return decoded;
  }
  // x̅ and y̅ are a letter and a combining overline.
  if ((c == 'x' || c == 'y') && at + decoded.length < utf8.size()) {
    char32_t next = 0;
    const std::size_t more =
        ReadCodePointAt(bytes + at + decoded.length, utf8.size() - at - decoded.length, next);
    if (more != 0 && next == charset::kOverline) {
      decoded.code = c == 'x' ? 0x9A : 0x9B;
      decoded.length += more;
      return decoded;
    }
  }
  const int code = CodeTable::Get().Find(c);
  if (code < 0) {
    decoded.kind = DecodedCharacter::Kind::Unknown;
    decoded.unknown = c;
  } else {
    decoded.code = static_cast<unsigned char>(code);
  }
  return decoded;
}

}  // namespace orbisk
