// Every option of the orbisk command, declared once: how it is written, the value it takes,
// the mode it chooses or the modes it goes with, and its lines in --help.
#pragma once

#include <cstddef>
#include <string>

#include "command_line.hpp"

namespace orbisk {

enum class OptionId {
  Show,
  ToText,
  FromText,
  Check,
  Repair,
  View,
  New,
  Characters,
  List,
  Extract,
  Group,
  Thumbnail,
  Send,
  Receive,
  Calc,
  To,
  Into,
  All,
  Cable,
  Port,
  CalcModel,
  Name,
  Type,
  Ascii,
  Encoding,
  NoBackup,
  FixSignature,
  Notify,
  Yes,
  Help,
  Version,
  EndOfOptions,
};

struct OptionSpec {
  OptionId id;
  const char* name;   // "--to"
  char letter;        // 'y' for "-y", or 0
  const char* value;  // what follows it, as --help names it ("MODÈLE"); null for nothing
  bool takesValue;    // the parser reads `value` (--thumbnail's arguments are names)
  bool isMode;        // it chooses `mode`
  CommandLine::Action mode;
  // The modes it goes with, at most three; none for an option that goes with any.
  CommandLine::Action with[3];
  std::size_t withCount;
  const char* help;  // its lines in --help, separated by "\n"
};

struct OptionTable {
  const OptionSpec* begin() const;
  const OptionSpec* end() const;
};
// The options in the order --help lists them: the modes, then the others.
OptionTable Options();

// The option written `name` ("--show"), or with the letter `letter`; null when none.
const OptionSpec* FindOption(const std::string& name);
const OptionSpec* FindLetter(char letter);
// The option that chooses `mode`.
const OptionSpec* OptionFor(CommandLine::Action mode);

// --help's lines for the modes (`modes`) or for the other options, each option's name and
// value, then its help from the 20th column.
std::string OptionHelp(bool modes);

}  // namespace orbisk
