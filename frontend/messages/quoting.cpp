// File names as messages show them.
#include "quoting.hpp"

#include <cstdio>

#include "charset.hpp"

namespace orbisk::messages {
namespace {

// The length of the UTF-8 character at `at` when it is one that prints, 0 otherwise: a
// control character (C0, DEL or C1), or bytes that are not UTF-8.
std::size_t PrintableLength(const std::string& s, std::size_t at) {
  char32_t c = 0;
  const std::size_t length = ReadCodePoint(s, at, c);
  if (length == 0 || c < 0x20 || (c >= 0x7F && c < 0xA0)) return 0;
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

std::string ShellWord(const std::string& given) {
  // A name that starts with "-" would read as an option.
  const std::string name = !given.empty() && given[0] == '-' ? "./" + given : given;
  if (NeedsQuoting(name)) return QuoteName(name);
  const bool plain = !name.empty() && name.find_first_not_of(
                                          "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                          "0123456789_./+,:@%=-") == std::string::npos;
  if (plain) return name;
  std::string quoted = "'";
  for (const char c : name) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace orbisk::messages
