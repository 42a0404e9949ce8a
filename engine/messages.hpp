// Every text a conversion shows to the user, in French.
#pragma once

#include <cstdint>
#include <string>

namespace orbisk::messages {

std::string MissingSource(const std::string& source);
std::string OverwriteQuestion(const std::string& target);

std::string CannotAccess(const std::string& path, int error);
std::string SourceNotAFile(const std::string& source);
std::string SourceTooShort(const std::string& source, std::uint64_t size);
std::string SourceChangedWhileReading(const std::string& source);
std::string TargetIsAFolder(const std::string& target);
std::string TargetNotAFile(const std::string& target);
std::string CannotOpen(const std::string& path, int error);
std::string CannotRead(const std::string& path, int error);
std::string CannotWrite(const std::string& path, int error);
std::string CannotReplace(const std::string& target, int error);
std::string TemporaryLeftBehind(const std::string& temporary, int error);

// The system's description of an errno value, in the user's language.
std::string Reason(int error);

}  // namespace orbisk::messages
