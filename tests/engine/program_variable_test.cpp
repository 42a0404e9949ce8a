// Programs and functions in text form and tokenized, and the 7-bit export format.
#include "program_variable.hpp"

#include <gtest/gtest.h>

#include <cstring>

#include "link_export.hpp"

namespace orbisk {
namespace {

using Kind = Problem::Kind;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (const int value : values) bytes += static_cast<char>(value);
  return bytes;
}

const std::string kHello =
    "()\x0DPrgm\x0D"
    "Disp \"x\x16y\"\x0D\x0D"
    "EndPrgm";

TEST(ProgramVariableTest, TextFormEndsAsTheCalculatorExpectsAndReadsBack) {
  CalculatorText text = CalculatorText::FromPlainCodes(kHello);
  text.cursor = 0x0102;
  const std::string data = ProgramVariableData(ProgramKind::Program, text);
  EXPECT_EQ(data, kHello + Bytes({0x00, 0x01, 0x02, 0x19, 0xE4, 0xE5, 0x00, 0x00, 0x08, 0xDC}));
  EXPECT_EQ(ProgramVariableData(ProgramKind::Function, text).substr(kHello.size() + 3, 1), "\x17");

  for (const unsigned char type : {types::kProgram, types::kFunction}) {
    const std::string made = VariableDataOfText(type, text);
    const ProgramReading read = ReadProgramData(type, made);
    EXPECT_TRUE(read.problems.empty());
    ASSERT_TRUE(read.text);
    EXPECT_EQ(*read.text, text);
    EXPECT_EQ(read.text->lines.size(), 5u);  // the empty line kept
    EXPECT_EQ(read.text->lines[3].content, "");
    EXPECT_FALSE(read.tokenized);
  }
}

TEST(ProgramVariableTest, EveryLieInAProgramIsNamed) {
  const std::string ending = Bytes({0x00, 0x00, 0x00, 0x19, 0xE4, 0xE5, 0x00, 0x00, 0x08, 0xDC});
  const auto with = [&](std::size_t at, int value) {
    std::string data = kHello + ending;
    data[kHello.size() + at] = static_cast<char>(value);
    return data;
  };
  struct Row {
    const char* what;
    unsigned char type;
    std::string data;
    Kind kind;
    std::uint64_t found;
    std::uint64_t expected;
  };
  const Row rows[] = {
      {"no USER_DEF tag", 0x12, with(9, 0xE0), Kind::ProgramEnd, 0, 0},
      {"too short", 0x12, Bytes({0x19, 0xE5, 0xDC}), Kind::ProgramEnd, 0, 0},
      {"no COMMAND tag", 0x12, with(4, 0x00), Kind::ProgramEnd, 0, 0},
      {"no zero before the cursor", 0x12, with(0, 0x20), Kind::ProgramEnd, 0, 0},
      {"a function's tag in a program", 0x12, with(3, 0x17), Kind::ProgramKindTag, 0x17, 0x19},
      {"a program's tag in a function", 0x13, with(3, 0x19), Kind::ProgramKindTag, 0x19, 0x17},
      {"not to be parsed", 0x12, with(8, 0x00), Kind::ProgramNotToParse, 0, 0},
      {"a 00 in its text", 0x12, "()\x0DPr" + std::string(1, '\0') + "gm" + ending,
       Kind::ProgramTextHoldsNul, 2, 3},
      {"a 00 first", 0x12, std::string(1, '\0') + ending, Kind::ProgramTextHoldsNul, 1, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const ProgramReading read = ReadProgramData(row.type, row.data);
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.problems[0].kind, row.kind);
    EXPECT_EQ(read.problems[0].found, row.found);
    EXPECT_EQ(read.problems[0].expected, row.expected);
    EXPECT_FALSE(read.text);
  }
}

// Tokenized: E9, statements (the first the instruction Prgm, 19 E4, or Func, 17 E4), E5, the
// arguments first to last going down, the in-use counter, two flags, DC. Its text is read
// back from its tokens.
TEST(ProgramVariableTest, ATokenizedProgramTellsItsKindSizeArgumentsAndText) {
  struct Row {
    const char* what;
    unsigned char type;
    std::string data;
    std::optional<std::vector<std::string>> arguments;
    std::size_t problems;
    const char* text;  // its lines joined by 0x0D, when it is read
  };
  const std::string tail = Bytes({0x00, 0x00, 0x00, 0xDC});
  const std::string endPrgm = Bytes({0xE9, 0x12, 0xE4, 0x00, 0xE8});
  const Row rows[] = {
      {"no argument", 0x12, endPrgm + Bytes({0x19, 0xE4, 0xE5}) + tail, std::vector<std::string>{},
       0, "()\rPrgm\rEndPrgm"},
      {"x then y", 0x12, endPrgm + Bytes({0x19, 0xE4, 0xE5, 0x09, 0x08}) + tail,
       std::vector<std::string>{"x", "y"}, 0, "(x,y)\rPrgm\rEndPrgm"},
      {"a, q and a long name", 0x13,
       Bytes({0xE9, 0x0F, 0xE4, 0x00, 0xE8, 0x17, 0xE4, 0xE5, 0x00, 'd', 'x', 0x00, 0x1B, 0x0B}) +
           tail,
       std::vector<std::string>{"a", "q", "dx"}, 0, "(a,q,dx)\rFunc\rEndFunc"},
      {"a function of one expression", 0x13,
       Bytes({0xE9, 0x02, 0x01, 0x1F, 0x08, 0x93, 0xE5, 0x08}) + tail,
       std::vector<std::string>{"x"}, 0, "(x)\rFunc\rx^2\rEndFunc"},
      {"an argument of no known tag", 0x12, endPrgm + Bytes({0x19, 0xE4, 0xE5, 0x7E}) + tail,
       std::nullopt, 0,
       "(\x7F"
       "7E)\rPrgm\rEndPrgm"},
      {"a function's tag in a program", 0x12, endPrgm + Bytes({0x17, 0xE4, 0xE5}) + tail,
       std::vector<std::string>{}, 1, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const ProgramReading read = ReadProgramData(row.type, row.data);
    ASSERT_TRUE(read.tokenized);
    EXPECT_EQ(read.tokenized->kind, ProgramKindOfType(row.type));
    EXPECT_EQ(read.tokenized->size, row.data.size());
    EXPECT_EQ(read.tokenized->arguments, row.arguments);
    EXPECT_EQ(read.problems.size(), row.problems);
    ASSERT_EQ(read.text.has_value(), row.text != nullptr);
    if (row.text != nullptr) {
      EXPECT_EQ(read.text->Codes().substr(0, std::strlen(row.text)), row.text);
    }
  }
}

TEST(LinkExportTest, EveryCodeWritesAndReadsBack) {
  LinkExport exported;
  exported.comment = "saved";
  exported.name = "prog";
  exported.file = "PROG.89P";
  for (int code = 1; code < 256; ++code) {
    if (code != '\n' && code != '\\') exported.codes += static_cast<char>(code);
  }
  const std::string written = WriteLinkExport(exported);
  // Outside printable ASCII, only codes without an escape of their own stay bytes.
  for (const char c : written) {
    const auto byte = static_cast<unsigned char>(c);
    EXPECT_TRUE((byte >= 0x20 && byte < 0x7F) || byte == '\r' || byte == '\n' || byte < 0x0E)
        << static_cast<int>(byte);
  }
  const LinkExportReading back = ReadLinkExport(written);
  EXPECT_EQ(back.fault, LinkExportReading::Fault::None);
  EXPECT_TRUE(back.unknown.empty());
  EXPECT_EQ(back.file.codes, exported.codes);
  EXPECT_EQ(back.file.name, "prog");
  EXPECT_EQ(back.file.file, "PROG.89P");
  EXPECT_EQ(written.substr(0, 11), "\\START92\\\r\n");
}

TEST(LinkExportTest, ReadsPublishedListingsAndNamesWhatIsWrong) {
  const std::string head =
      "\\START92\\\r\n\\COMMENT=Program file\r\n\\NAME=hello\r\n"
      "\\FILE=HELLO.89P\r\n";
  struct Row {
    const char* what;
    std::string bytes;
    LinkExportReading::Fault fault;
    std::size_t line;  // of the fault, or of the first unknown escape
    std::string codes;
  };
  const Row rows[] = {
      {"a program", head + "()\r\nPrgm\r\nDisp \\theta\\\\->\\x\r\nEndPrgm\r\n\\STOP92\\\r\n",
       LinkExportReading::Fault::None, 0,
       "()\x0DPrgm\x0D"
       "Disp \x88\x16x\x0D"
       "EndPrgm"},
      {"line feeds alone, blank lines first",
       "\n\n" + std::string("\\START92\\\n\\COMMENT=\n"
                            "\\NAME=a\n\\FILE=A\nx\\<=\\1\n\\STOP92\\\n"),
       LinkExportReading::Fault::None, 0,
       "x\x9C"
       "1"},
      {"carriage returns alone, as old Macintosh editors saved it",
       "\\START92\\\r\\COMMENT=\r\\NAME=a\r\\FILE=A\r()\rPrgm\rEndPrgm\r\\STOP92\\\r",
       LinkExportReading::Fault::None, 0,
       "()\x0DPrgm\x0D"
       "EndPrgm"},
      {"after a UTF-8 byte order mark", "\xEF\xBB\xBF" + head + "x\r\n\\STOP92\\\r\n",
       LinkExportReading::Fault::None, 0, "x"},
      {"an unknown escape kept", head + "a\\nope\\b\r\n\\STOP92\\\r\n",
       LinkExportReading::Fault::None, 5, "a\\nope\\b"},
      {"a backslash in a string", head + "\"a\\ b\"\r\n\\STOP92\\\r\n",
       LinkExportReading::Fault::None, 0, "\"a\\ b\""},
      {"no stop", head + "()\r\nPrgm\r\n", LinkExportReading::Fault::NoStop, 5, ""},
      {"no name", "\\START92\\\r\n\\COMMENT=x\r\n\\FILE=A\r\n\\STOP92\\\r\n",
       LinkExportReading::Fault::MissingField, 3, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ASSERT_TRUE(LooksLikeLinkExport(row.bytes));
    const LinkExportReading reading = ReadLinkExport(row.bytes);
    EXPECT_EQ(reading.fault, row.fault);
    if (row.fault != LinkExportReading::Fault::None) {
      EXPECT_EQ(reading.line, row.line);
      continue;
    }
    EXPECT_EQ(reading.file.codes, row.codes);
    if (row.line != 0) {
      ASSERT_EQ(reading.unknown.size(), 1u);
      EXPECT_EQ(reading.unknown[0].escape, "\\nope\\");
      EXPECT_EQ(reading.unknown[0].line, row.line);
      EXPECT_EQ(reading.unknown[0].column, 2u);
    } else {
      EXPECT_TRUE(reading.unknown.empty());
    }
  }
  EXPECT_FALSE(LooksLikeLinkExport("Prgm\n\\START92\\\n"));
  EXPECT_EQ(ReadLinkExport(rows[4].bytes).field, "");
  EXPECT_EQ(ReadLinkExport(rows[7].bytes).field, "\\NAME=");
}

// Where an escape may end: at the longest name's length, at the line's end, or nowhere.
TEST(LinkExportTest, ReadsEscapesAtTheEdgesOfALineAndOfTheirLength) {
  const std::string head = "\\START92\\\r\n\\COMMENT=\r\n\\NAME=a\r\n\\FILE=A.89T\r\n";
  struct Row {
    const char* what;
    std::string line;
    std::string codes;
    std::vector<std::string> unknown;
  };
  const Row rows[] = {
      {"nine letters, the longest", "\\intersect\\\\leftarrow\\", "\x1D\x15", {}},
      {"ten letters, too long to be one", "\\abcdefghij\\", "\\abcdefghij\\", {}},
      {"an escape ending the line", "x\\pi\\", "x\x8C", {}},
      {"a backslash ending the line", "x\\", "x\\", {}},
      {"two backslashes", "\\\\", "\\\\", {}},
      {"a name that starts past ASCII", "\\\xE9t\\", "\\\xE9t\\", {"\\\xE9t\\"}},
      {"names that share a first letter and length",
       "\\a`\\\\a'\\\\a^\\\\ao\\",
       "\xE0\xE1\xE2\xE5",
       {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const LinkExportReading reading = ReadLinkExport(head + row.line + "\r\n\\STOP92\\\r\n");
    ASSERT_EQ(reading.fault, LinkExportReading::Fault::None);
    EXPECT_EQ(reading.file.codes, row.codes);
    std::vector<std::string> unknown;
    for (const auto& escape : reading.unknown) unknown.push_back(escape.escape);
    EXPECT_EQ(unknown, row.unknown);
  }
}

TEST(LinkExportTest, TheFileNameOrTheLinesTellTheType) {
  const std::pair<LinkExport, unsigned char> rows[] = {
      {{"", "a", "A.89P", "x"}, 0x12},
      {{"", "a", "c:\\ti\\A.9XF", "x"}, 0x13},
      {{"", "a", "A.92P", "x"}, 0x12},
      {{"", "a", "A.89T", "()\x0DPrgm"}, 0x0B},
      {{"", "a", "A",
        "(x)\x0D"
        "Func\x0DReturn x"},
       0x13},
      {{"", "a", "", "()\x0DPrgm"}, 0x12},
      {{"", "a", "A.TXT", " notes"}, 0x0B},
  };
  for (const auto& [exported, type] : rows) {
    EXPECT_EQ(TypeOfLinkExport(exported), type) << exported.file;
  }
}

}  // namespace
}  // namespace orbisk
