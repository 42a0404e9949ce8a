// Reads the options and file names of the orbisk command.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "encodings.hpp"
#include "model.hpp"

namespace orbisk {

struct CommandLine {
  enum class Action {
    OpenWindow,
    Convert,
    Show,            // --show: print each text as UTF-8
    ToText,          // --to-text: write each text as UTF-8 beside it
    FromText,        // --from-text: make a calculator text file from each UTF-8 file
    Check,           // --check: tell what is wrong with each file, if anything
    View,            // --view: open each file in an editor window
    New,             // --new: open an empty text in an editor window, for --to's model
    Repair,          // --repair: write each damaged file again, sound
    ShowCharacters,  // --characters: print every character of the calculators
    List,            // --list: print each variable of each file
    Extract,         // --extract: write each variable of each group as a file of its own
    MakeGroup,       // --group OUT: make the group OUT from the files named
    Thumbnail,       // --thumbnail IN OUT SIZE: draw the first lines of IN as a PNG picture
    Send,            // --send: send each file to the calculator over its cable
    Receive,         // --receive: receive the variables named (or --all) from it
    ListCalculator,  // --calc: list the calculator's folders and variables
    ShowHelp,
    ShowVersion,
    UsageError,
  };

  Action action = Action::OpenWindow;
  bool assumeYes = false;
  bool notify = false;         // --notify: say when a conversion or export succeeded
  std::optional<Model> model;  // --to
  std::string variableName;    // --name, checked and in lower case
  TextEncoding encoding = TextEncoding::Utf8;  // --encoding, for --from-text
  bool keepBackup = true;                      // not --no-backup, for --repair
  bool fixSignature = false;                   // --fix-signature, for --repair
  std::optional<unsigned char> type;           // --type, for --from-text: the variable's type
  bool linkExport = false;          // --ascii, for --show and --to-text: the 7-bit format
  std::string groupTarget;          // --group's value
  int thumbnailSize = 0;            // --thumbnail's SIZE, in pixels
  std::optional<std::string> into;  // --into, for --extract and --receive: where to write
  // What reaches the calculator: --cable (a name the link library knows, checked by it),
  // --port (1 to 4, 0 when not given), --model ("89", "89t", "92p", "v200" or empty) and
  // --all, for --receive.
  std::string cable;
  int port = 0;
  std::string calculatorModel;
  bool all = false;
  std::vector<std::string> names;
  std::string usageError;  // set when action is UsageError
};

// `arguments` excludes the program's own name. Options may come before, between or after
// the names; "--" makes everything after it a name. Values go after "=" or in the next
// argument ("--to 89t", "--to=89t").
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace orbisk
