// What orbisk-link and the window that runs it say to each other, instead of speaking to a
// person: one line on orbisk-link's standard error for each thing to show, a line on its
// standard input for each answer. Every line is a keyword, a space, then its text, whose
// line breaks become 0x1E:
//   orbisk-progress VARIABLE PERCENT   a transfer goes on
//   orbisk-message TEXT                something to tell
//   orbisk-failure TEXT                what went wrong
//   orbisk-question TEXT               a Yes/No question; the answer comes as "o" or "n"
//   orbisk-made SOURCE<1E>TARGET       a file sent as a variable, or a variable received
// Both ends build on these words, so that neither can change one alone.
#pragma once

namespace orbisk::link_protocol {

// The program, installed beside the Qt module.
inline constexpr char kProgram[] = "orbisk-link";

// Set (to 1) in orbisk-link's environment by the window that runs it.
inline constexpr char kVariable[] = "ORBISK_LINK_PROTOCOL";
inline constexpr char kRecordSeparator = '\x1E';

inline constexpr char kProgress[] = "orbisk-progress";
inline constexpr char kMessage[] = "orbisk-message";
inline constexpr char kFailure[] = "orbisk-failure";
inline constexpr char kQuestion[] = "orbisk-question";
inline constexpr char kMade[] = "orbisk-made";

inline constexpr char kYes[] = "o";
inline constexpr char kNo[] = "n";

}  // namespace orbisk::link_protocol
