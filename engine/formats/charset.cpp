// The calculators' own 256-code character set, to and from UTF-8.
#include "charset.hpp"

#include <array>
#include <unordered_map>

namespace orbisk {
namespace {

// One code's character: one code point, or a letter and a combining overline.
struct Character {
  char32_t first;
  char32_t combining = 0;
};

constexpr char32_t kControlPictures = 0x2400;  // "␀" is U+2400, "␁" U+2401, …
constexpr char32_t kOverline = 0x0305;

// Codes 0x0E to 0x1F: marks, arrows and set symbols.
constexpr char32_t kSymbols[] = {0x2693, 0x2713, 0x25FE, 0x25C2, 0x25B8, 0x25B4,
                                 0x25BE, 0x2190, 0x2192, 0x2191, 0x2193, 0x25C0,
                                 0x25B6, 0x2B06, 0x222A, 0x2229, 0x2282, 0x2208};
// Codes 0x80 to 0x94: Greek letters.
constexpr char32_t kGreek[] = {0x03B1, 0x03B2, 0x0393, 0x03B3, 0x0394, 0x03B4, 0x03B5,
                               0x03B6, 0x03B8, 0x03BB, 0x03BE, 0x03A0, 0x03C0, 0x03C1,
                               0x03A3, 0x03C3, 0x03C4, 0x03C6, 0x03C8, 0x03A9, 0x03C9};
// Codes 0x95 to 0xA0: mathematical letters and signs; 0x9A and 0x9B are x̅ and y̅. 0x95,
// the exponent's E, and 0x97, the imaginary i, are U+1D5A4 𝖤 and U+1D48A 𝒊.
constexpr Character kMathematics[] = {
    {0x1D5A4}, {0x212F}, {0x1D48A}, {0x02B3}, {0x22BA}, {'x', kOverline},
    {'y', kOverline}, {0x2264}, {0x2260}, {0x2265}, {0x2220}, {0x2026}};

Character CharacterFor(unsigned code) {
  if (code <= 0x0A || code == 0x0C || code == 0x0D) return {kControlPictures + code};
  if (code == 0x0B) return {0x2934};
  if (code < 0x20) return {kSymbols[code - 0x0E]};
  if (code < 0x7F) return {code};
  if (code == 0x7F) return {0x25C6};
  if (code < 0x95) return {kGreek[code - 0x80]};
  if (code <= 0xA0) return {kMathematics[code - 0x95].first, kMathematics[code - 0x95].combining};
  // The rest is Latin-1 but for a few mathematical signs.
  switch (code) {
    case 0xA8: return {0x221A};  // √
    case 0xAD: return {0x2212};  // −
    case 0xB8: return {0x207A};  // ⁺
    case 0xBC: return {0x2202};  // ∂
    case 0xBD: return {0x222B};  // ∫
    case 0xBE: return {0x221E};  // ∞
    default: return {code};
  }
}

}  // namespace

void AppendCodePoint(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

namespace {

const std::array<std::string, 256>& Utf8Table() {
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> built;
    for (unsigned code = 0; code < 256; ++code) {
      const Character c = CharacterFor(code);
      AppendCodePoint(built[code], c.first);
      if (c.combining != 0) AppendCodePoint(built[code], c.combining);
    }
    return built;
  }();
  return table;
}

// The code of each single code point the calculators have, their aliases included.
const std::unordered_map<char32_t, unsigned char>& CodeTable() {
  static const std::unordered_map<char32_t, unsigned char> table = [] {
    std::unordered_map<char32_t, unsigned char> built;
    for (unsigned code = 0; code < 256; ++code) {
      const Character c = CharacterFor(code);
      // "␍" would be a line break inside a line: no calculator character stands for it.
      if (c.combining == 0 && code != 0x0D) built[c.first] = static_cast<unsigned char>(code);
    }
    for (char32_t raw = 0x01; raw <= 0x09; ++raw) built[raw] = static_cast<unsigned char>(raw);
    built[0x0C] = 0x0C;
    // A widespread table writes the surrogates of 𝖤 and 𝒊 with one bit wrong (D875 for
    // D835), which gives U+2D5A4 and U+2D48A, two ideographs no calculator text means.
    built[0x2D5A4] = 0x95;
    built[0x2D48A] = 0x97;
    return built;
  }();
  return table;
}

}  // namespace

std::size_t ReadCodePoint(const std::string& s, std::size_t at, char32_t& c) {
  const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(at);
  std::size_t length;
  char32_t minimum;
  if (lead < 0x80) {
    c = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, minimum = 0x80, c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, minimum = 0x800, c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, minimum = 0x10000, c = lead & 0x07;
  } else {
    return 0;
  }
  if (s.size() - at < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

const std::string& CharacterOf(unsigned char code) { return Utf8Table()[code]; }

void AppendUtf8(std::string& out, const std::string& codes) {
  const auto& table = Utf8Table();
  const std::size_t size = codes.size();
  for (std::size_t i = 0; i < size;) {
    // Printable ASCII is itself, and most of a text: a run of it is copied at once.
    std::size_t run = i;
    while (run < size && codes[run] >= 0x20 && codes[run] < 0x7F) ++run;
    if (run > i) {
      out.append(codes, i, run - i);
      i = run;
      continue;
    }
    out += table[static_cast<unsigned char>(codes[i])];
    ++i;
  }
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
  decoded.length = ReadCodePoint(utf8, at, c);
  if (decoded.length == 0) {
    decoded.kind = DecodedCharacter::Kind::Invalid;
    decoded.length = 1;
    return decoded;
  }
  // x̅ and y̅ are a letter and a combining overline.
  if ((c == 'x' || c == 'y') && at + decoded.length < utf8.size()) {
    char32_t next = 0;
    const std::size_t more = ReadCodePoint(utf8, at + decoded.length, next);
    if (more != 0 && next == kOverline) {
      decoded.code = c == 'x' ? 0x9A : 0x9B;
      decoded.length += more;
      return decoded;
    }
  }
  const auto& table = CodeTable();
  const auto found = table.find(c);
  if (found == table.end()) {
    decoded.kind = DecodedCharacter::Kind::Unknown;
    decoded.unknown = c;
  } else {
    decoded.code = found->second;
  }
  return decoded;
}

}  // namespace orbisk
