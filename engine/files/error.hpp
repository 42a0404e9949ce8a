// What the engine's operations give back: a value or an Error, and the warnings they give
// along the way. An Error carries its kind, the path it is about and the system's code; the
// words a person reads are made from it by the front ends, in one place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "program_variable.hpp"
#include "variable_file.hpp"

namespace orbisk {

enum class ErrorKind {
  Declined,                // the user answered No: there is nothing more to say
  MissingSource,           // path
  CannotAccess,            // path, code: the target could not even be looked at
  CannotOpen,              // path, code
  CannotRead,              // path, code
  CannotWrite,             // path, code
  CannotReplace,           // path, code
  NotAFileToConvert,       // path: a folder, a pipe or a device given to convert
  NotAFileToRead,          // path: the same given to read
  TooShort,                // path, size: less than a header to convert
  TargetIsAFolder,         // path
  TargetNotAFile,          // path
  TargetIsADanglingLink,   // path
  FolderNotWritable,       // path: the target; other: its folder; code
  SameFile,                // path: the target; other: the source, which is the same file
  JustCreated,             // path: the target, written earlier in this run; other: the source
  NotAValidFile,           // path, problems
  NotAText,                // path, type
  TextFileTooLarge,        // path, size
  NotUtf8,                 // path, line, column
  TextTooLarge,            // path, size: what the variable would take
  FolderMissing,           // path: the target; other: its folder, which does not exist
  NotACalculatorFile,      // path: a text file given where a calculator file is expected
  AlreadyACalculatorFile,  // path, model: a calculator file given to make one from text
  CannotRepair,            // path, problems, type: no text can be found in it (inGroup: a group)
  RepairWouldCut,          // path, problems: a 00 inside the text; nothing written
  RepairTooLarge,          // path, size: the text is more than a variable holds; nothing written
  CannotKeepBackup,        // path: the backup; code
  RecoveryFolderUnsafe,    // path (empty: none), code: the folder of recovery copies is
                           // missing, not this user's own, or open to others
  CannotMove,              // path, type, inGroup: a variable bound to its model or calculator
  LinkExportField,         // path, other: the field missing, line: where it was expected
  LinkExportWithoutStop,   // path, line: where the text began; no \STOP92\ ends it
  CannotExtract,           // path, type, model, other: the variable (folder \ name), bound
                           // to its model (or a backup, with no variable to extract)
  CannotGroup,             // path, type, model, other: the same, given to make a group
  DuplicateVariable,       // path: a source; other: the variable; text: the earlier source
  GroupTooLarge,           // path (the group to make), size: its rows, or with inGroup its bytes
  IsAGroup,                // path, size: the variables of a sound group, read as one text
  NoTextInGroup,           // path: a group holding no text, program or function
  NoTextOfVariable,        // path (the group), other (the variable's path), type: not shown
  NoSuchVariable,          // path (the group, or empty for several), other: a variable named
                           // to extract that none of them holds
};

// The kinds that say only which file, and nothing else.
enum class PathError {
  Declined = static_cast<int>(ErrorKind::Declined),
  MissingSource = static_cast<int>(ErrorKind::MissingSource),
  NotAFileToConvert = static_cast<int>(ErrorKind::NotAFileToConvert),
  NotAFileToRead = static_cast<int>(ErrorKind::NotAFileToRead),
  TargetIsAFolder = static_cast<int>(ErrorKind::TargetIsAFolder),
  TargetNotAFile = static_cast<int>(ErrorKind::TargetNotAFile),
  TargetIsADanglingLink = static_cast<int>(ErrorKind::TargetIsADanglingLink),
  NotACalculatorFile = static_cast<int>(ErrorKind::NotACalculatorFile),
  NoTextInGroup = static_cast<int>(ErrorKind::NoTextInGroup),
};

// The kinds that say which system call failed on which file, with its errno value.
enum class SystemError {
  CannotAccess = static_cast<int>(ErrorKind::CannotAccess),
  CannotOpen = static_cast<int>(ErrorKind::CannotOpen),
  CannotRead = static_cast<int>(ErrorKind::CannotRead),
  CannotWrite = static_cast<int>(ErrorKind::CannotWrite),
  CannotReplace = static_cast<int>(ErrorKind::CannotReplace),
  CannotKeepBackup = static_cast<int>(ErrorKind::CannotKeepBackup),
};

struct Error {
  ErrorKind kind = ErrorKind::Declined;
  std::string path;
  int code = 0;  // the errno value, for the kinds that come from a system call
  std::string other;
  std::string text;
  std::uint64_t size = 0;
  std::size_t line = 0;
  std::size_t column = 0;
  unsigned char type = 0;
  Model model = Model::Voyager200;
  bool inGroup = false;
  std::vector<Problem> problems;
  // A temporary file that could not be removed after the failure, and why.
  std::string leftBehind;
  int leftBehindCode = 0;

  // Each kind is made by the factory that takes its data, so none is made without it.

  static Error About(PathError kind, std::string path);
  static Error System(SystemError kind, std::string path, int code);
  static Error RecoveryFolderUnsafe(std::string folder, int code);
  static Error FolderNotWritable(std::string target, std::string folder, int code);
  static Error FolderMissing(std::string target, std::string folder, int code);
  static Error SameFile(std::string target, std::string source);
  static Error JustCreated(std::string target, std::string source);
  static Error TooShort(std::string path, std::uint64_t size);
  static Error NotAValidFile(std::string path, std::vector<Problem> problems);
  static Error NotAText(std::string path, unsigned char type);
  static Error TextFileTooLarge(std::string path, std::uint64_t size);
  static Error NotUtf8(std::string path, std::size_t line, std::size_t column);
  static Error TextTooLarge(std::string path, std::uint64_t size);
  static Error AlreadyACalculatorFile(std::string path, Model model);
  static Error CannotRepair(std::string path, std::vector<Problem> problems, unsigned char type,
                            bool group);
  static Error RepairWouldCut(std::string path, std::vector<Problem> problems);
  static Error RepairTooLarge(std::string path, std::uint64_t size);
  static Error CannotMove(std::string path, unsigned char type, bool inGroup);
  static Error LinkExportField(std::string path, std::string field, std::size_t line);
  static Error LinkExportWithoutStop(std::string path, std::size_t line);
  // A variable (folder\name) bound to its model, given to extract (CannotExtract) or to
  // group (CannotGroup).
  static Error BoundVariable(ErrorKind kind, std::string path, unsigned char type, Model model,
                             std::string variable);
  static Error DuplicateVariable(std::string source, std::string variable,
                                 std::string earlierSource);
  static Error GroupTooManyRows(std::string target, std::uint64_t rows);
  static Error GroupTooManyBytes(std::string target, std::uint64_t bytes);
  static Error IsAGroup(std::string path, std::uint64_t variables);
  static Error NoTextOfVariable(std::string group, std::string variable, unsigned char type);
  static Error NoSuchVariable(std::string group, std::string variable);

 private:
  static Error Of(ErrorKind kind, std::string path, int code = 0);
};

inline Error Error::Of(ErrorKind kind, std::string path, int code) {
  Error error;
  error.kind = kind;
  error.path = std::move(path);
  error.code = code;
  return error;
}

inline Error Error::About(PathError kind, std::string path) {
  return Of(static_cast<ErrorKind>(kind), std::move(path));
}

inline Error Error::System(SystemError kind, std::string path, int code) {
  return Of(static_cast<ErrorKind>(kind), std::move(path), code);
}

inline Error Error::RecoveryFolderUnsafe(std::string folder, int code) {
  return Of(ErrorKind::RecoveryFolderUnsafe, std::move(folder), code);
}

inline Error Error::FolderNotWritable(std::string target, std::string folder, int code) {
  Error error = Of(ErrorKind::FolderNotWritable, std::move(target), code);
  error.other = std::move(folder);
  return error;
}

inline Error Error::FolderMissing(std::string target, std::string folder, int code) {
  Error error = Of(ErrorKind::FolderMissing, std::move(target), code);
  error.other = std::move(folder);
  return error;
}

inline Error Error::SameFile(std::string target, std::string source) {
  Error error = Of(ErrorKind::SameFile, std::move(target));
  error.other = std::move(source);
  return error;
}

inline Error Error::JustCreated(std::string target, std::string source) {
  Error error = Of(ErrorKind::JustCreated, std::move(target));
  error.other = std::move(source);
  return error;
}

inline Error Error::TooShort(std::string path, std::uint64_t size) {
  Error error = Of(ErrorKind::TooShort, std::move(path));
  error.size = size;
  return error;
}

inline Error Error::NotAValidFile(std::string path, std::vector<Problem> problems) {
  Error error = Of(ErrorKind::NotAValidFile, std::move(path));
  error.problems = std::move(problems);
  return error;
}

inline Error Error::NotAText(std::string path, unsigned char type) {
  Error error = Of(ErrorKind::NotAText, std::move(path));
  error.type = type;
  return error;
}

inline Error Error::TextFileTooLarge(std::string path, std::uint64_t size) {
  Error error = Of(ErrorKind::TextFileTooLarge, std::move(path));
  error.size = size;
  return error;
}

inline Error Error::NotUtf8(std::string path, std::size_t line, std::size_t column) {
  Error error = Of(ErrorKind::NotUtf8, std::move(path));
  error.line = line;
  error.column = column;
  return error;
}

inline Error Error::TextTooLarge(std::string path, std::uint64_t size) {
  Error error = Of(ErrorKind::TextTooLarge, std::move(path));
  error.size = size;
  return error;
}

inline Error Error::AlreadyACalculatorFile(std::string path, Model model) {
  Error error = Of(ErrorKind::AlreadyACalculatorFile, std::move(path));
  error.model = model;
  return error;
}

inline Error Error::CannotRepair(std::string path, std::vector<Problem> problems,
                                 unsigned char type, bool group) {
  Error error = Of(ErrorKind::CannotRepair, std::move(path));
  error.problems = std::move(problems);
  error.type = type;
  error.inGroup = group;
  return error;
}

inline Error Error::RepairWouldCut(std::string path, std::vector<Problem> problems) {
  Error error = Of(ErrorKind::RepairWouldCut, std::move(path));
  error.problems = std::move(problems);
  return error;
}

inline Error Error::RepairTooLarge(std::string path, std::uint64_t size) {
  Error error = Of(ErrorKind::RepairTooLarge, std::move(path));
  error.size = size;
  return error;
}

inline Error Error::CannotMove(std::string path, unsigned char type, bool inGroup) {
  Error error = Of(ErrorKind::CannotMove, std::move(path));
  error.type = type;
  error.inGroup = inGroup;
  return error;
}

inline Error Error::LinkExportField(std::string path, std::string field, std::size_t line) {
  Error error = Of(ErrorKind::LinkExportField, std::move(path));
  error.other = std::move(field);
  error.line = line;
  return error;
}

inline Error Error::LinkExportWithoutStop(std::string path, std::size_t line) {
  Error error = Of(ErrorKind::LinkExportWithoutStop, std::move(path));
  error.line = line;
  return error;
}

inline Error Error::BoundVariable(ErrorKind kind, std::string path, unsigned char type, Model model,
                                  std::string variable) {
  Error error = Of(kind, std::move(path));
  error.type = type;
  error.model = model;
  error.other = std::move(variable);
  return error;
}

inline Error Error::DuplicateVariable(std::string source, std::string variable,
                                      std::string earlierSource) {
  Error error = Of(ErrorKind::DuplicateVariable, std::move(source));
  error.other = std::move(variable);
  error.text = std::move(earlierSource);
  return error;
}

inline Error Error::GroupTooManyRows(std::string target, std::uint64_t rows) {
  Error error = Of(ErrorKind::GroupTooLarge, std::move(target));
  error.size = rows;
  return error;
}

inline Error Error::GroupTooManyBytes(std::string target, std::uint64_t bytes) {
  Error error = Of(ErrorKind::GroupTooLarge, std::move(target));
  error.size = bytes;
  error.inGroup = true;  // the size, not the count
  return error;
}

inline Error Error::IsAGroup(std::string path, std::uint64_t variables) {
  Error error = Of(ErrorKind::IsAGroup, std::move(path));
  error.size = variables;
  return error;
}

inline Error Error::NoTextOfVariable(std::string group, std::string variable, unsigned char type) {
  Error error = Of(ErrorKind::NoTextOfVariable, std::move(group));
  error.other = std::move(variable);
  error.type = type;
  return error;
}

inline Error Error::NoSuchVariable(std::string group, std::string variable) {
  Error error = Of(ErrorKind::NoSuchVariable, std::move(group));
  error.other = std::move(variable);
  return error;
}

// A value, or the Error that kept it from being made.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}      // NOLINT: a value converts to its result
  Result(Error error) : error_(std::move(error)) {}  // NOLINT: so does an error

  explicit operator bool() const { return value_.has_value(); }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  const Error& error() const { return *error_; }

 private:
  std::optional<T> value_;
  std::optional<Error> error_;
};

// Success, or the Error that stopped an operation.
template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Error error) : error_(std::move(error)) {}  // NOLINT: an error converts to its result

  explicit operator bool() const { return !error_.has_value(); }
  const Error& error() const { return *error_; }
  Error& error() { return *error_; }

 private:
  std::optional<Error> error_;
};
using Status = Result<void>;

// Something the user should know about, though the operation goes on.
struct Warning {
  enum class Kind {
    UnknownCharacter,  // path, line, column, character: written as "?"
    DamagedText,       // path, problems, cutShort: the text was read as it could be found
    MisnamedFile,      // path, model: the file is for another model than its name says
    DamagedSource,     // path, problems: converted byte for byte all the same
    KeyboardBar,       // path, line, character ('C' or 'P'): "C|" keeps a line ordinary
    UnknownEscape,     // path, line, column, text: kept as written in a 7-bit export
    UnreadTokens,      // path, text (each tag as two bytes: its prefix or 0, its code),
                       // cutShort: a tokenized program read but for these
    ProgramFromText,   // path, type: a text file that opens as a program or function is made
                       // one, no type having been asked for
    TypedOperators,    // path, line, column, text (the first of count): "->", "<=", ">=" or
                       // "/=" in a program's text, kept as typed
  };
  Kind kind = Kind::UnknownCharacter;
  std::string path;
  std::size_t line = 0;
  std::size_t column = 0;
  char32_t character = 0;
  std::vector<Problem> problems;
  bool cutShort = false;
  Model model = Model::Voyager200;
  std::string text;
  unsigned char type = 0;
  std::size_t count = 0;
};

}  // namespace orbisk
