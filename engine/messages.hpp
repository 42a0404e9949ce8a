// Every text a conversion shows to the user, in French.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "file_check.hpp"

namespace orbisk::messages {

std::string MissingSource(const std::string& source);
// What a successful conversion says, and its caption, where it says anything.
std::string CompletedCaption();
std::string Completed(const std::string& source, const std::string& target);
std::string OverwriteQuestion(const std::string& target);

std::string CannotAccess(const std::string& path, int error);
std::string SourceNotAFile(const std::string& source);
std::string SourceTooShort(const std::string& source, std::uint64_t size);
std::string SourceChangedWhileReading(const std::string& source);
std::string TargetIsAFolder(const std::string& target);
std::string TargetNotAFile(const std::string& target);
std::string TargetIsADanglingLink(const std::string& target);
std::string CannotOpen(const std::string& path, int error);
std::string CannotRead(const std::string& path, int error);
std::string CannotWrite(const std::string& path, int error);
std::string CannotReplace(const std::string& target, int error);
std::string TemporaryLeftBehind(const std::string& temporary, int error);

// Reading and writing calculator texts.
std::string NotAFileToRead(const std::string& path);
std::string NotAValidFile(const std::string& path, const std::vector<Problem>& problems);
std::string NotAText(const std::string& path, unsigned char type);
std::string TextFileTooLarge(const std::string& path, std::uint64_t size);
std::string NotUtf8(const std::string& path, std::size_t line, std::size_t column);
std::string TextTooLarge(const std::string& path, std::size_t variableSize);
std::string UnknownCharacter(const std::string& path, std::size_t line, std::size_t column,
                             char32_t character);

// What a check found: one line for a correct file, or one line then one per problem.
std::string CheckReport(const std::string& path, const FileReport& report);
// One problem, as a clause: "la somme de contrôle inscrite est …".
std::string ProblemText(const Problem& problem);

// A number of bytes with its unit, in the singular for 0 and 1: "1 octet", "49 octets".
std::string Bytes(std::uint64_t count);

// What an errno value means, in French for those a file operation can meet, otherwise as
// the system says it.
std::string Reason(int error);

}  // namespace orbisk::messages
