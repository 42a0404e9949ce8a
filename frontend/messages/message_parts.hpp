// Pieces the French texts of this folder share: bytes and numbers shown as a message shows
// them, file names quoted, and clauses several messages use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "file_check.hpp"
#include "header.hpp"
#include "messages.hpp"
#include "variable_file.hpp"

namespace orbisk::messages::parts {

// A number in hexadecimal with at least `digits` digits, "0x0B".
std::string Hex(std::uint64_t value, int digits);

// Two bytes as they lie in the file, "A5 5A".
std::string TwoBytes(std::uint64_t first, std::uint64_t second);

// Bytes read from a file, shown as they are when printable ASCII, "\xNN" otherwise.
std::string Shown(const std::string& bytes);

// Bytes as they lie in the file, "00 19 E4".
std::string HexBytes(const std::string& bytes);

// Where a character lies: "ligne 3, colonne 7".
std::string Place(std::size_t line, std::size_t column);

// The model a signature names, as a message says it.
std::string ModelOfSignature(Signature signature, const FileReport& report);

// A file's name as a message shows it, and as a word of a command to type.
std::string Q(const std::string& path);
std::string W(const std::string& path);

// What a damaged file's problems amount to, as short clauses, each once.
std::string DamageClauses(const std::vector<Problem>& problems, bool cutShort);

// What a repair changed, as the parts of the file it wrote anew, each once.
std::string MendedParts(const std::vector<Problem>& problems);

// The command that repairs `path`.
std::string RepairHint(const std::string& path);
// The advice a damaged file gets: a repair, unless a 00 inside its text would make a repair
// cut it, which it then refuses.
std::string RepairHint(const std::string& path, const std::vector<Problem>& problems,
                       Audience audience = Audience::CommandLine);

// The model a conversion from `model` usually goes to, for a command to suggest.
Model OtherModel(Model model);

// "3 fichiers convertis", then the failures, one a line.
std::string Summary(std::size_t done, const char* one, const char* several,
                    const std::vector<std::string>& failures);

// The arguments of a tokenized program as the calculator shows them: "(x,y)".
std::string ArgumentList(const std::vector<std::string>& arguments);

// What a variable bound to its model or its calculator is, and why it stays there.
std::string WhyItCannotMove(unsigned char type);

// A variable the engine names as its folder, "\\" and its name, in codes.
std::string ShownVariable(const std::string& variable);

// What is wrong with a row of a group's table.
std::string EntryFaultText(EntryFault fault);

}  // namespace orbisk::messages::parts
