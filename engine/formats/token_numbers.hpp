// Numbers of tokenized programs written as the calculator writes them, in its codes.
#pragma once

#include <string>
#include <string_view>

namespace orbisk::tokens {

// Appends the digits of a little-endian unsigned integer of any length, in `base` (2, 10 or
// 16; letters in capitals).
void AppendDigits(std::string& out, std::string_view bytes, unsigned base);

// Appends a float: `bytes` are its nine, a two-byte exponent (bias 0x4000, the top bit the
// sign) then 14 digits in BCD. Written as the calculator writes it: ".3", "12.5", "2.", and
// past the range where that reads well, "1.5𝖤−12".
void AppendFloat(std::string& out, std::string_view bytes);

}  // namespace orbisk::tokens
