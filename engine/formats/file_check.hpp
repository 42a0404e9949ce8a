// What a file of these calculators is, and what is wrong with it if anything: the file read
// as a VariableFile, then checked as the single variable its name says it holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calculator_text.hpp"
#include "model.hpp"
#include "program_variable.hpp"
#include "variable_file.hpp"

namespace orbisk {

// A text variable as the text modes and the viewer handle it: a TEXT variable, or a program
// or a function kept in text form (its lines then have no command code).
struct TextVariable {
  Model model = Model::Voyager200;
  std::string folder = "main";
  std::string name;
  CalculatorText text;
  unsigned char type = types::kText;
};

// What a check learnt of a file.
struct FileReport {
  Signature signature = Signature::Unknown;
  std::string folder;
  std::string name;
  unsigned char type = 0;
  std::uint64_t size = 0;
  Model model = Model::Voyager200;  // the model the signature is for, when it is known
  bool group = false;               // several variables: `file` holds those that were read
  std::vector<Problem> problems;
  std::vector<Problem> notes;  // what is unusual but no damage
  // The file as read, when it has nothing wrong but perhaps its name; a group's always.
  std::optional<VariableFile> file;
  // The text variable, when the file is one with nothing wrong but perhaps its name (its
  // signature then says which model it is for).
  std::optional<TextVariable> text;
  // A program or function with nothing wrong that was tokenized when it last ran.
  std::optional<TokenizedProgram> tokenized;
  // The file has no calculator's signature and not one 00 byte, whatever its name: a plain
  // text, which can be made into a calculator file.
  bool looksLikeText = false;
};

// The text of a sound variable of `model`: a text, or a program or function kept as text;
// nothing for another type, or a program that was tokenized (told in `tokenized`).
std::optional<TextVariable> TextOfVariable(const VariableEntry& entry, Model model,
                                           std::optional<TokenizedProgram>* tokenized = nullptr,
                                           ProgramLines lines = ProgramLines::Every);

// The data of the single sound variable in the file read into `head`, moved rather than
// copied: what a check with ProgramLines::TextFormOnly left out of its report's file.
std::string TakeVariableData(std::string&& head);

// A text read from a damaged file as far as it can be found.
struct RecoveredText {
  TextVariable variable;
  std::vector<Problem> damage;  // what is wrong with the file
  bool cutShort = false;        // no terminator: the text runs to the end of the file
  bool holdsNul = false;        // a 00 inside the text, which a sound text cannot hold
};

// The first bytes of a file that a check of a single variable needs: its header and the
// largest variable.
constexpr std::size_t kCheckedBytes = layout::kVariableData + layout::kMaxVariableSize + 2;
// A group or a backup is read whole, up to this: far more than any calculator's memory.
constexpr std::size_t kLargestGroupBytes = std::size_t{16} << 20;
// Whether a file whose first bytes are `head` is read whole: a group or a backup.
bool ReadWhole(const std::string& head);

// Checks a file whose first bytes (at most kCheckedBytes) are `head`, whose real size is
// `size` and whose name is `path` (its extension tells the model it should be for). With
// ProgramLines::TextFormOnly, a tokenized program's text is left for later (`tokenized`
// says so), for a caller that only writes it out.
FileReport CheckVariableFile(const std::string& head, std::uint64_t size, const std::string& path,
                             ProgramLines lines = ProgramLines::Every);

// The text of a TEXT variable in a file that is damaged but still says it holds one (a
// known signature, the text type): it runs from after the cursor to the first 00, or to the
// end of what the file holds. Nothing when the file has no problem but for its name, or
// says it holds no text. `report` is the file's check.
std::optional<RecoveredText> RecoverText(const std::string& head, const FileReport& report,
                                         const std::string& path);

// Whether the beginning of a file is a plain text's, in any encoding: not empty, and no
// control character but tab, line ends and form feed, where the header of every
// calculator file holds 00 bytes.
bool IsPlainText(std::string_view head);

// How a text variable's text is written for a person: as UTF-8, or in the 7-bit export
// format of the old link software (see link_export.hpp).
enum class TextFormat { Utf8, LinkExport };
std::string WrittenText(const TextVariable& variable, TextFormat format);

// The whole file of a text variable. `stamp` is the date and time a file made for Voyager
// 200 carries in its comment.
std::string WriteTextFile(const TextVariable& variable, const std::string& stamp);

}  // namespace orbisk
