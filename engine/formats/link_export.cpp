// The 7-bit export files of the calculators' old link software.
#include "link_export.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "variable_names.hpp"
#include "variable_types.hpp"

namespace orbisk {
namespace {

constexpr char kStart[] = "\\START92\\";
constexpr char kStop[] = "\\STOP92\\";
constexpr const char* kFields[] = {"\\COMMENT=", "\\NAME=", "\\FILE="};

struct Escape {
  unsigned char code;
  const char* name;
};

// Every escape the format has, and the code it stands for.
constexpr Escape kEscapes[] = {
    {0x0E, "lock"},     {0x0F, "check"},    {0x10, "block"},     {0x11, "from"},
    {0x12, "to"},       {0x13, "up"},       {0x14, "down"},      {0x15, "leftarrow"},
    {0x16, "->"},       {0x17, "uparrow"},  {0x18, "downarrow"}, {0x19, "left"},
    {0x1A, "right"},    {0x1B, "shift"},    {0x1C, "union"},     {0x1D, "intersect"},
    {0x1E, "subset"},   {0x1F, "element"},  {0x7F, "option"},    {0x80, "alpha"},
    {0x81, "beta"},     {0x82, "Gamma"},    {0x83, "gamma"},     {0x84, "Delta"},
    {0x85, "delta"},    {0x86, "epsilon"},  {0x87, "zeta"},      {0x88, "theta"},
    {0x89, "lambda"},   {0x8A, "xi"},       {0x8B, "Pi"},        {0x8C, "pi"},
    {0x8D, "rho"},      {0x8E, "Sigma"},    {0x8F, "sigma"},     {0x90, "tau"},
    {0x91, "phi"},      {0x92, "psi"},      {0x93, "Omega"},     {0x94, "omega"},
    {0x95, "ee"},       {0x96, "e"},        {0x97, "i"},         {0x98, "r"},
    {0x99, "t"},        {0x9A, "xmean"},    {0x9B, "ymean"},     {0x9C, "<="},
    {0x9D, "!="},       {0x9E, ">="},       {0x9F, "/_"},        {0xA0, "..."},
    {0xA1, "ud!"},      {0xA2, "cent"},     {0xA3, "pound"},     {0xA4, "starbust"},
    {0xA5, "yen"},      {0xA6, "split"},    {0xA7, "section"},   {0xA8, "root"},
    {0xA9, "(C)"},      {0xAA, "a_"},       {0xAB, "<<"},        {0xAC, "lnot"},
    {0xAD, "(-)"},      {0xAE, "(R)"},      {0xAF, "^-"},        {0xB0, "o"},
    {0xB1, "^+"},       {0xB2, "^2"},       {0xB3, "^3"},        {0xB4, "^-1"},
    {0xB5, "mu"},       {0xB6, "para"},     {0xB7, "."},         {0xB8, "^x"},
    {0xB9, "^1"},       {0xBA, "o_"},       {0xBB, ">>"},        {0xBC, "diff"},
    {0xBD, "integral"}, {0xBE, "infinity"}, {0xBF, "ud?"},       {0xC0, "A`"},
    {0xC1, "A'"},       {0xC2, "A^"},       {0xC3, "A~"},        {0xC4, "A.."},
    {0xC5, "Ao"},       {0xC6, "AE"},       {0xC7, "C,"},        {0xC8, "E`"},
    {0xC9, "E'"},       {0xCA, "E^"},       {0xCB, "E.."},       {0xCC, "I`"},
    {0xCD, "I'"},       {0xCE, "I^"},       {0xCF, "I.."},       {0xD0, "-D"},
    {0xD1, "N~"},       {0xD2, "O`"},       {0xD3, "O'"},        {0xD4, "O^"},
    {0xD5, "O~"},       {0xD6, "O.."},      {0xD7, "x"},         {0xD8, "O/"},
    {0xD9, "U`"},       {0xDA, "U'"},       {0xDB, "U^"},        {0xDC, "U.."},
    {0xDD, "Y'"},       {0xDE, "I>"},       {0xDF, "ss"},        {0xE0, "a`"},
    {0xE1, "a'"},       {0xE2, "a^"},       {0xE3, "a~"},        {0xE4, "a.."},
    {0xE5, "ao"},       {0xE6, "ae"},       {0xE7, "c,"},        {0xE8, "e`"},
    {0xE9, "e'"},       {0xEA, "e^"},       {0xEB, "e.."},       {0xEC, "i`"},
    {0xED, "i'"},       {0xEE, "i^"},       {0xEF, "i.."},       {0xF0, "-d"},
    {0xF1, "n~"},       {0xF2, "o`"},       {0xF3, "o'"},        {0xF4, "o^"},
    {0xF5, "o~"},       {0xF6, "o.."},      {0xF7, "/"},         {0xF8, "o/"},
    {0xF9, "u`"},       {0xFA, "u'"},       {0xFB, "u^"},        {0xFC, "u.."},
    {0xFD, "y'"},       {0xFE, "i>"},       {0xFF, "y.."},
};

// The longest escape name, for telling a backslash in the text from an unknown escape.
constexpr std::size_t kLongestEscape = 9;

// The escape of each code, looked up by code when writing.
const std::array<const char*, 256>& EscapesByCode() {
  static const std::array<const char*, 256> table = [] {
    std::array<const char*, 256> byCode{};
    for (const Escape& escape : kEscapes) byCode[escape.code] = escape.name;
    return byCode;
  }();
  return table;
}

// The code of each escape, looked up by name when reading: listings hold thousands. The
// escapes are kept by their first character and length, one or two to each, so that a
// look-up compares few.
std::optional<unsigned char> CodeOfEscape(std::string_view name) {
  using Named = std::pair<std::string_view, unsigned char>;
  constexpr std::size_t kLengths = kLongestEscape + 1;
  static const std::array<std::vector<Named>, 128 * kLengths> table = [] {
    std::array<std::vector<Named>, 128 * kLengths> byFirstAndLength;
    for (const Escape& escape : kEscapes) {
      const std::string_view named(escape.name);
      byFirstAndLength[static_cast<unsigned char>(named[0]) * kLengths + named.size()].emplace_back(
          named, escape.code);
    }
    return byFirstAndLength;
  }();
  const auto first = static_cast<unsigned char>(name[0]);
  if (first >= 128 || name.size() > kLongestEscape) return std::nullopt;
  for (const auto& [escape, code] : table[first * kLengths + name.size()]) {
    // Names are a few characters long: compared here rather than by a call to memcmp.
    std::size_t same = 0;
    while (same < name.size() && name[same] == escape[same]) ++same;
    if (same == name.size()) return code;
  }
  return std::nullopt;
}

// The lines of a text one after another, without their ends, as views into it. Lines end
// in LF or CRLF, or in CR alone in a text that has no LF (as old Macintosh editors saved
// it); a UTF-8 byte order mark before the first line is no part of it.
class LineReader {
 public:
  explicit LineReader(std::string_view all)
      : all_(all),
        end_(all.find('\n') == std::string_view::npos && all.find('\r') != std::string_view::npos
                 ? '\r'
                 : '\n'),
        start_(all.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0) {}

  // Reads the next line; false past the last (a text that ends with a line end has an empty
  // last line).
  bool Next(std::string_view& line) {
    if (start_ > all_.size()) return false;
    std::size_t end = all_.find(end_, start_);
    if (end == std::string_view::npos) end = all_.size();
    line = all_.substr(start_, end - start_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start_ = end + 1;
    ++number_;
    return true;
  }
  // The number of the line read last, from 1.
  std::size_t Number() const { return number_; }

 private:
  std::string_view all_;
  char end_;
  std::size_t start_;
  std::size_t number_ = 0;
};

bool Blank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

bool StartsWith(std::string_view text, const char* start) {
  return text.compare(0, std::strlen(start), start) == 0;
}

// One line of the variable with its escapes read, written at `out`; unknown ones stay as
// written. Returns where the line's codes end. Each escape stands for one code, so a line
// never has more codes than bytes.
char* Unescape(std::string_view line, std::size_t lineNumber, char* out,
               LinkExportReading& reading) {
  const char* const bytes = line.data();
  const std::size_t size = line.size();
  for (std::size_t at = 0; at < size;) {
    if (bytes[at] != '\\') {
      *out++ = bytes[at++];
      continue;
    }
    // An escape's closing backslash comes within its longest name's length: looked for
    // here rather than by a call to memchr, for so few bytes.
    const std::size_t room = std::min(size - at - 1, kLongestEscape + 1);
    std::size_t length = 0;
    while (length < room && bytes[at + 1 + length] != '\\') ++length;
    if (length < room && length > 0) {
      const std::size_t close = at + 1 + length;
      const std::string_view name = line.substr(at + 1, length);
      if (const std::optional<unsigned char> code = CodeOfEscape(name)) {
        *out++ = static_cast<char>(*code);
        at = close + 1;
        continue;
      }
      if (name.find(' ') == std::string_view::npos) {
        reading.unknown.push_back(
            {std::string(line.substr(at, close - at + 1)), lineNumber, at + 1});
      }
    }
    *out++ = bytes[at++];
  }
  return out;
}

}  // namespace

bool LooksLikeLinkExport(const std::string& bytes) {
  // Only the first lines that are not blank are looked at, not the whole text.
  LineReader lines(bytes);
  std::string_view line;
  while (lines.Next(line)) {
    if (!Blank(line)) return line == kStart;
  }
  return false;
}

LinkExportReading ReadLinkExport(const std::string& bytes) {
  LinkExportReading reading;
  LineReader lines(bytes);
  std::string_view line;
  while (lines.Next(line) && line != kStart) {
  }
  std::string* values[] = {&reading.file.comment, &reading.file.name, &reading.file.file};
  for (std::size_t field = 0; field < 3; ++field) {
    const bool read = lines.Next(line);
    if (!read || !StartsWith(line, kFields[field])) {
      reading.fault = LinkExportReading::Fault::MissingField;
      reading.field = kFields[field];
      reading.line = lines.Number() + (read ? 0 : 1);
      return reading;
    }
    *values[field] = std::string(line.substr(std::strlen(kFields[field])));
  }
  const std::size_t first = lines.Number() + 1;
  // Reserved once for every byte of the file, more than its codes can take; each line is
  // given room for its bytes just before it is read, so that only what is used is touched.
  std::string& codes = reading.file.codes;
  codes.reserve(bytes.size());
  for (;;) {
    if (!lines.Next(line)) {
      reading.fault = LinkExportReading::Fault::NoStop;
      reading.line = first;
      codes.clear();
      reading.unknown.clear();
      return reading;
    }
    if (line == kStop) return reading;
    const std::size_t written = codes.size();
    codes.resize(written + line.size() + 1);
    char* const start = &codes[written];
    char* out = start;
    if (lines.Number() > first) *out++ = '\x0D';
    out = Unescape(line, lines.Number(), out, reading);
    codes.resize(written + static_cast<std::size_t>(out - start));
  }
}

std::string WriteLinkExport(const LinkExport& exported) {
  std::string out = std::string(kStart) + "\r\n";
  out += kFields[0] + exported.comment + "\r\n";
  out += kFields[1] + exported.name + "\r\n";
  out += kFields[2] + exported.file + "\r\n";
  for (const char c : exported.codes) {
    const auto code = static_cast<unsigned char>(c);
    if (code == 0x0D) {
      out += "\r\n";
    } else if (const char* escape =
                   (code < 0x20 || code >= 0x7F) ? EscapesByCode()[code] : nullptr) {
      out += '\\';
      out += escape;
      out += '\\';
    } else {
      out += c;
    }
  }
  return out + "\r\n" + kStop + "\r\n";
}

unsigned char TypeOfLinkExport(const LinkExport& exported) {
  const std::size_t dot = exported.file.rfind('.');
  if (dot != std::string::npos) {
    const std::string extension = LowercaseName(exported.file.substr(dot + 1));
    Model model = Model::Ti89;
    // TI-92 files ("92p") name the same types as the other models'.
    if (ModelOfAnyExtension(extension, model) || extension.compare(0, 2, "92") == 0) {
      switch (extension.back()) {
        case 'p': return types::kProgram;
        case 'f': return types::kFunction;
        case 't': return types::kText;
        default: break;
      }
    }
  }
  // The lines tell otherwise: a program's second is "Prgm", a function's "Func".
  const std::size_t firstEnd = exported.codes.find('\x0D');
  if (firstEnd != std::string::npos) {
    const std::string second = exported.codes.substr(firstEnd + 1, 4);
    if (second == "Prgm") return types::kProgram;
    if (second == "Func") return types::kFunction;
  }
  return types::kText;
}

}  // namespace orbisk
