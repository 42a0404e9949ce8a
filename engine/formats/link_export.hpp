// The 7-bit text files the calculators' old link software exported programs, functions and
// texts as, and which many published listings use:
//
//   \START92\            (its first line)
//   \COMMENT=any text
//   \NAME=prog
//   \FILE=PROG.89P
//   ()
//   Prgm
//   Disp "x\->\y"
//   EndPrgm
//   \STOP92\             (its last)
//
// The lines between \FILE= and \STOP92\ are the variable's lines. A code outside printable
// ASCII is written as its escape between backslashes ("\theta\", "\->\", "\<=\"); a code
// without one is written as its byte. Lines end with CR LF; LF alone is read too. The format
// has no escape for a backslash or a line feed: a backslash of the text is written as it
// is, and reads back as such unless a name and another backslash follow it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace orbisk {

struct LinkExport {
  std::string comment;
  std::string name;   // the variable's name, in calculator codes
  std::string file;   // the file name it was exported from, if it tells one
  std::string codes;  // the variable's lines, joined by 0x0D
};

struct LinkExportReading {
  enum class Fault {
    None,
    MissingField,  // `field` ("\COMMENT=", "\NAME=", "\FILE=") was expected at `line`
    NoStop,        // no \STOP92\ line after the text that starts at `line`
  };
  struct UnknownEscape {
    std::string escape;  // as written, backslashes included
    std::size_t line;
    std::size_t column;
  };
  LinkExport file;
  Fault fault = Fault::None;
  std::string field;
  std::size_t line = 0;
  std::vector<UnknownEscape> unknown;  // kept as written, each told
};

// Whether `bytes` is such a file: its first line that is not blank is \START92\.
bool LooksLikeLinkExport(const std::string& bytes);
// Reads a file LooksLikeLinkExport accepts. Lines count from 1 from the file's start,
// columns in bytes.
LinkExportReading ReadLinkExport(const std::string& bytes);
// The whole file for `exported`, each line ending with CR LF.
std::string WriteLinkExport(const LinkExport& exported);

// The type the export's file name or lines say it holds: a program's (0x12), a function's
// (0x13), or a text's (0x0B).
unsigned char TypeOfLinkExport(const LinkExport& exported);

}  // namespace orbisk
