// File names as messages show them.
#include "quoting.hpp"

#include <cstdio>

namespace orbisk::messages {
namespace {

// The length of the UTF-8 character at `at` when it is one that prints, 0 otherwise: a
// control character (C0, DEL or C1), or bytes that are not UTF-8.
std::size_t PrintableLength(const std::string& s, std::size_t at) {
  const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return lead >= 0x20 && lead != 0x7F ? 1 : 0;
  std::size_t length = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
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
  if (c >= 0x80 && c < 0xA0) return 0;
  return length;
}

bool NeedsQuoting(const std::string& name) {
  for (std::size_t at = 0; at < name.size();) {
    const std::size_t length = PrintableLength(name, at);
    if (length == 0) return true;
    at += length;
  }
  return false;
}

// One byte as the shell's $'…' writes it.
std::string Escaped(unsigned char byte) {
  switch (byte) {
    case '\a': return "\\a";
    case '\b': return "\\b";
    case '\f': return "\\f";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    case '\v': return "\\v";
    default: break;
  }
  char octal[8];
  std::snprintf(octal, sizeof octal, "\\%03o", byte);
  return octal;
}

}  // namespace

std::string QuoteName(const std::string& name) {
  if (!NeedsQuoting(name)) return name;
  // Printable runs go between single quotes, the rest in $'…' runs between them.
  std::string quoted = "'";
  bool escaping = false;
  for (std::size_t at = 0; at < name.size();) {
    const std::size_t length = PrintableLength(name, at);
    if (length == 0) {
      if (!escaping) quoted += "'$'";
      escaping = true;
      quoted += Escaped(static_cast<unsigned char>(name[at]));
      ++at;
      continue;
    }
    if (escaping) quoted += "''";
    escaping = false;
    if (name[at] == '\'') {
      quoted += "'\\''";
    } else {
      quoted.append(name, at, length);
    }
    at += length;
  }
  quoted += "'";
  return quoted;
}

}  // namespace orbisk::messages
