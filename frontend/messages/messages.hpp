// Every text a person reads about what the engine did, in French: errors, problems found in
// files, questions, warnings and the word on success. File names in them are quoted when
// they hold anything that would not print (see quoting.hpp).
#pragma once

#include <cstdint>
#include <string>

#include "error.hpp"
#include "file_check.hpp"
#include "text_transfer.hpp"

namespace orbisk::messages {

// Who reads the words: the command line's user gets the command that mends or goes on
// ("orbisk --repair …"); a window's, the button or menu that does it, or nothing.
enum class Audience { CommandLine, Window };

// What an error says. Empty for a declined question, which needs no word, unless a
// temporary file was left behind.
std::string Describe(const Error& error, Audience audience = Audience::CommandLine);
// Whether the error is a condition the program foresees (a missing source), told in a plain
// message rather than as a failure.
bool IsNotice(const Error& error);

// The words a damaged or misnamed file is told with, and those of a repair.
std::string RepairReport(const std::string& path, const Repaired& repaired);
// The first line --check gives a text file, and what reading one says.
std::string NotACalculatorFile(const std::string& path);

std::string OverwriteQuestion(const std::string& target);
std::string ChangedOnDiskQuestion(const std::string& target);
std::string WarningText(const Warning& warning, Audience audience = Audience::CommandLine);

// What a successful conversion says, and its caption, where it says anything.
std::string CompletedCaption();
std::string Completed(const std::string& source, const std::string& target);
// The same for a text saved as UTF-8, which is no conversion.
std::string ExportedCaption();
std::string Exported(const std::string& source, const std::string& target);
// One word for a run over several files: "3 fichiers convertis", or "3 textes
// enregistrés", then the failures, one a line.
std::string ConvertedSummary(std::size_t done, const std::vector<std::string>& failures);
std::string ExportedSummary(std::size_t done, const std::vector<std::string>& failures);

// What the command line says of each file a run made, by what the run does: a conversion
// (the words above), a text export (above), an extraction or a group made.
enum class Made { Conversion, TextExport, Extraction, Group, Sending, Receiving };
std::string MadeCaption(Made made);
std::string MadeOne(Made made, const std::string& source, const std::string& target);
std::string MadeSummary(Made made, std::size_t done, const std::vector<std::string>& failures);

// What a check found: one line for a correct file, or one line then one per problem.
std::string CheckReport(const std::string& path, const FileReport& report);
// What a sound group or backup is: "groupe TI-89, 3 variables dans 2 dossiers, 412 octets",
// "sauvegarde TI92+, système 2.09, 131072 octets de mémoire".
std::string GroupSummary(const FileReport& report);
std::string BackupSummary(Model model, const VariableEntry& backup);
// What extracting a variable of a group did: "Variable cours\maths de g.89g extraite dans
// maths.89t".
std::string Extracted(const std::string& group, const VariableEntry& entry,
                      const std::string& target);
// One line of --list: "archivé    texte                        412  cours\notes".
std::string ListLine(const VariableEntry& entry);
// One problem, as a clause: "la somme de contrôle inscrite est …".
std::string ProblemText(const Problem& problem);
// A variable as folder\name, in UTF-8.
std::string VariablePath(const std::string& folder, const std::string& name);

// A number of bytes with its unit, in the singular for 0 and 1: "1 octet", "49 octets".
std::string Bytes(std::uint64_t count);
// A variable type's French name: "programme", "liste", "type 0x05".
std::string TypeName(unsigned char type);
// What is known of a tokenized program: "programme tokenisé : 1 234 octets, arguments (x,y)".
std::string TokenizedDescription(const TokenizedProgram& program);

// What an errno value means, in French for those a file operation can meet, otherwise as
// the system says it.
std::string Reason(int error);

}  // namespace orbisk::messages
