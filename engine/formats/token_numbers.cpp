// Numbers of tokenized programs written as the calculator writes them.
#include "token_numbers.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

namespace orbisk::tokens {
namespace {

constexpr char kMinus = static_cast<char>(0xAD);     // −
constexpr char kExponent = static_cast<char>(0x95);  // 𝖤

}  // namespace

void AppendDigits(std::string& out, std::string_view bytes, unsigned base) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char digits[2048];  // 255 bytes hold fewer than 2,048 binary digits
  std::size_t count = 0;
  if (bytes.size() <= 8) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i > 0; --i) {
      value = value << 8 | static_cast<unsigned char>(bytes[i - 1]);
    }
    do {
      digits[count++] = kDigits[value % base];
      value /= base;
    } while (value != 0);
  } else {
    // Long division of the bytes, most significant first, for each digit.
    std::string number(bytes.rbegin(), bytes.rend());
    std::size_t first = 0;
    while (first < number.size() && count < sizeof digits) {
      unsigned remainder = 0;
      for (std::size_t i = first; i < number.size(); ++i) {
        const unsigned current = remainder << 8 | static_cast<unsigned char>(number[i]);
        number[i] = static_cast<char>(current / base);
        remainder = current % base;
      }
      digits[count++] = kDigits[remainder];
      while (first < number.size() && number[first] == 0) ++first;
    }
    if (count == 0) digits[count++] = '0';
  }
  while (count > 0) out += digits[--count];
}

// A float: a two-byte exponent (bias 0x4000, the top bit the sign), then 14 digits in
// BCD. Written as the calculator writes it: ".3", "12.5", "2.", and past the range where
// that reads well, "1.5𝖤−12".
void AppendFloat(std::string& out, std::string_view bytes) {
  const auto high = static_cast<unsigned char>(bytes[0]);
  const int exponent = ((high & 0x7F) << 8 | static_cast<unsigned char>(bytes[1])) - 0x4000;
  std::array<char, 14> digits{};
  for (std::size_t i = 0; i < 7; ++i) {
    const auto pair = static_cast<unsigned char>(bytes[2 + i]);
    digits[2 * i] = static_cast<char>('0' + std::min(pair >> 4, 9));
    digits[2 * i + 1] = static_cast<char>('0' + std::min(pair & 0xF, 9));
  }
  std::size_t count = 14;
  while (count > 1 && digits[count - 1] == '0') --count;
  if (count == 1 && digits[0] == '0') {
    out += "0.";
    return;
  }
  if ((high & 0x80) != 0) out += kMinus;
  const std::string_view significant(digits.data(), count);
  if (exponent >= 0 && exponent < 14) {
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (whole >= count) {
      out += significant;
      out.append(whole - count, '0');
      out += '.';
    } else {
      out += significant.substr(0, whole);
      out += '.';
      out += significant.substr(whole);
    }
  } else if (exponent < 0 && exponent >= -4) {
    out += '.';
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += significant;
  } else {
    out += significant.substr(0, 1);
    out += '.';
    out += significant.substr(1);
    out += kExponent;
    if (exponent < 0) out += kMinus;
    const int magnitude = exponent < 0 ? -exponent : exponent;
    out += std::to_string(magnitude);
  }
}

}  // namespace orbisk::tokens
