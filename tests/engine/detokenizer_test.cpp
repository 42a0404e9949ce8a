// Tokenized programs read back as text: one row a family of tags, built from the tag tables,
// for what the real files in tests/data do not hold; and data that lies, read without harm.
#include "detokenizer.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "files.hpp"
#include "text_notation.hpp"

namespace orbisk {
namespace {

// Bytes written as hexadecimal pairs, in file order: "08 01 01 1F 8B".
std::string Hex(const std::string& pairs) {
  std::istringstream in(pairs);
  std::string bytes;
  unsigned value = 0;
  while (in >> std::hex >> value) bytes += static_cast<char>(value);
  return bytes;
}

const std::string kTail = Hex("00 00 00 DC");  // the in-use counter, two flags, DC

std::vector<std::string> Lines(const DetokenizedProgram& program) {
  std::vector<std::string> lines;
  std::istringstream in(TextToUtf8(program.text, Notation::Program));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct Row {
  const char* what;
  const char* bytes;  // file order
  const char* text;
};

// One expression, as a function of one expression holds it: "()", Func, it, EndFunc.
TEST(DetokenizerTest, EveryKindOfEntryReadsAsTheCalculatorWritesIt) {
  const Row rows[] = {
      {"zero", "00 1F", "0"},
      {"a byte", "FF 01 1F", "255"},
      {"three bytes", "00 00 01 03 1F", "65536"},
      {"past 64 bits", "00 00 00 00 00 00 00 00 01 09 1F", "18446744073709551616"},
      {"a negative integer", "05 01 20", "−5"},
      {"a fraction", "02 01 01 01 21", "1/2"},
      {"a negative fraction", "04 01 03 01 22", "−3/4"},
      {"a float below one", "3F FF 30 00 00 00 00 00 00 23", ".3"},
      {"a float with a fraction", "40 01 12 50 00 00 00 00 00 23", "12.5"},
      {"a whole float", "40 00 20 00 00 00 00 00 00 23", "2."},
      {"a small float", "3F F4 15 00 00 00 00 00 00 23", "1.5𝖤−12"},
      {"a large float", "40 14 10 00 00 00 00 00 00 23", "1.𝖤20"},
      {"a negative float", "BF FF 30 00 00 00 00 00 00 23", "−.3"},
      {"constants", "24 25 8F 26 8F 28 8B", "π*ℯ*𝒊+∞"},
      {"words", "2C 2A 81", "undef|true"},
      {"a long name", "00 61 62 00", "ab"},
      {"a name with its folder", "00 6D 61 69 6E 5C 66 00", "main\\f"},
      {"a local", "0B F0", "a"},
      {"a string", "00 68 69 00 2D", "\"hi\""},
      {"a list", "E5 02 01 1F 01 01 1F D9", "{1,2}"},
      {"a matrix", "E5 E5 04 01 1F 03 01 1F D9 E5 02 01 1F 01 01 1F D9 D9", "[[1,2][3,4]]"},
      {"a matrix of one row", "E5 E5 02 01 1F 01 01 1F D9 D9", "[1,2]"},
      {"a sum times", "0B 0C 8B 0D 8F", "(a+b)*c"},
      {"a difference from the left", "0B 0C 8D 0D 8D", "a-b-c"},
      {"a difference on the right", "0B 0C 0D 8D 8D", "a-(b-c)"},
      {"powers from the right", "0D 0C 93 0B 93", "a^b^c"},
      {"a power of a power", "0D 0C 0B 93 93", "(a^b)^c"},
      {"a negated power", "02 01 1F 08 93 7A", "−x^2"},
      {"a power of a negation", "02 01 1F 08 7A 93", "(−x)^2"},
      {"a negation added", "0B 0C 7A 8B", "a+−b"},
      {"a sum negated", "0B 0C 8B 7A", "−(a+b)"},
      {"not before and", "0C 0B 79 84", "not a and b"},
      {"and before or", "0D 0C 84 0B 83", "a or b and c"},
      {"or in an and", "0D 0C 0B 83 84", "(a or b) and c"},
      {"relations", "0D 0C 0B 86 8A", "a≤b≠c"},
      {"a relation on the right", "0D 0C 86 0B 8A", "a≠(b≤c)"},
      {"a store", "08 09 80", "x→y"},
      {"with", "02 01 1F 08 87 08 81", "x|x=2"},
      {"postfix signs", "08 76 0B 75 8B 08 78 8B", "x!+a⊺+xʳ"},
      {"a factorial of a sum", "08 01 01 1F 8B 76", "(x+1)!"},
      {"functions", "08 45 08 3C 8B 08 52 8B 08 51 8B", "sin(x)+sin´(x)+ℯ^(x)+√(x)"},
      {"two operands", "0C 0B A4", "mod(a,b)"},
      {"operands ended by E5", "E5 02 01 1F 08 CC", "round(x,2)"},
      {"no operand", "E5 02 E3", "getKey()"},
      {"three operands", "E5 03 01 1F 02 01 1F 03 D0", "mid(s,2,3)"},
      {"indirection", "03 01 E3", "#s"},
      {"strings joined", "00 61 00 2D 00 62 00 2D 14 E3", "\"a\"&\"b\""},
      {"joined from the right", "0B 0C 0D 14 E3 14 E3", "a&b&c"},
      {"a conversion", "08 16 E3", "x▸DMS"},
      {"binary", "05 01 1F 2B E3", "0b101"},
      {"hexadecimal", "FF 01 1F 2C E3", "0hFF"},
      {"a polar complex", "02 00 88 00 26 E3", "(r∠θ)"},
      {"rows joined", "0C 0B 35 E3", "augment(a;b)"},
      {"system variables", "27 1C 04 1C 8B 01 1C 8B", "xmax+Σx²+x̅"},
      {"an element", "E5 01 01 1F 0B D5", "a[1]"},
      {"an element of a matrix", "E5 02 01 1F 01 01 1F 0B D5", "a[1,2]"},
      {"a user function", "E5 09 08 10 DA", "f(x,y)"},
      {"a function of another folder", "E5 08 00 6D 61 69 6E 5C 67 00 DA", "main\\g(x)"},
      {"a derivative", "E5 08 10 F2", "f'(x)"},
      {"degrees, minutes, seconds", "E5 03 01 1F 02 01 1F 01 01 1F CD", "1°2'3\""},
      {"a polar vector", "E5 E5 02 01 1F 01 01 1F D9 D9 7B", "[1,∠2]"},
      {"a complex number", "01 01 1F 02 01 1F 9D", "1+2*𝒊"},
      {"a tag no program holds", "7E", "◆7E"},
      {"an extended tag no program holds", "7E E3", "◆E3 7E"},
      {"no such system variable", "00 1C", "◆1C 00"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const DetokenizedProgram read = Detokenize("\xE9" + Hex(row.bytes) + "\xE5" + kTail, true);
    EXPECT_EQ(Lines(read), (std::vector<std::string>{"()", "Func", row.text, "EndFunc"}));
    EXPECT_FALSE(read.cutShort);
    EXPECT_EQ(read.unknown.empty(), std::string(row.text).find("◆") == std::string::npos);
  }
}

// Statements between Prgm and EndPrgm. In the file the last statement comes first.
TEST(DetokenizerTest, InstructionsSeparatorsAndCommentsKeepTheirPlaceAndSpacing) {
  const Row rows[] = {
      {"arguments", "E5 09 08 7A E4", "Disp x,y"},
      {"If with Then", "01 01 1F 08 87 3B E4", "If x=1 Then"},
      {"ElseIf", "08 39 E4", "ElseIf x Then"},
      {"For", "E5 0A 01 1F 01 01 1F 13 74 E4", "For i,1,10"},
      {"a jump below the tag", "12 34 0E E4", "EndFor"},
      {"Local", "E5 0C 0B 7D E4", "Local a,b"},
      {"Define", "02 01 1F 08 93 E5 08 10 DA 86 E4", "Define f(x)=x^2"},
      {"a label", "00 6C 62 6C 00 30 E4", "Lbl lbl"},
      {"a comment", "00 68 65 6C 6C 6F 00 02 E6", "©  hello"},
      {"two statements on a line", "00 6C 62 6C 00 30 E4 01 E7 08 7A E4", "Disp x: Lbl lbl"},
      {"an indented line", "09 7A E4 02 E8 08 7A E4", "Disp x\n  Disp y"},
      {"no such instruction", "00 E4", "◆E4 00"},
      {"a statement that cannot be read", "09 7A E4 00 E8 08 01 7E 00 E8 08 7A E4",
       "Disp x\n◆7E\nDisp y"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string data =
        Hex("E9 12 E4 00 E8 " + std::string(row.bytes) + " 00 E8 19 E4 E5") + kTail;
    const std::vector<std::string> lines = Lines(Detokenize(data, false));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "()");
    EXPECT_EQ(lines[1], "Prgm");
    EXPECT_EQ(lines.back(), "EndPrgm");
    std::string body;
    for (std::size_t i = 2; i + 1 < lines.size(); ++i) body += (i > 2 ? "\n" : "") + lines[i];
    EXPECT_EQ(body, row.text);
  }
}

// An operator whose left operand lies deeper is written after the operand on top has been
// skipped: nested hundreds deep on either side, every operand keeps its place.
TEST(DetokenizerTest, OperandsNestedDeepKeepTheirPlace) {
  constexpr int kDepth = 300;
  std::string rightText = "a-a";
  for (int i = 1; i < kDepth; ++i) rightText = "a-(" + rightText + ")";
  std::string leftBytes = "\x0B";
  std::string leftText = "a";
  for (int i = 0; i < kDepth; ++i) {
    leftBytes += "\x0B\x8D";
    leftText += "-a";
  }
  // {a*b,{…}} a list in the top operand of each difference: skipped, then written.
  std::string listBytes = "\x0B";
  std::string listText = "a";
  for (int i = 0; i < kDepth / 3; ++i) {
    listBytes = "\x0B" + Hex("E5") + listBytes + Hex("0B 0C 8F D9 8D");
    listText = "a-{a*b," + listText + "}";
  }
  struct Nesting {
    const char* what;
    std::string bytes;
    std::string text;
  };
  const Nesting rows[] = {
      {"differences nested on the right",
       std::string(kDepth + 1, '\x0B') + std::string(kDepth, '\x8D'), rightText},
      {"differences nested on the left", leftBytes, leftText},
      {"lists in the operands on top", listBytes, listText},
  };
  for (const Nesting& row : rows) {
    SCOPED_TRACE(row.what);
    const DetokenizedProgram read = Detokenize("\xE9" + row.bytes + "\xE5" + kTail, true);
    EXPECT_EQ(Lines(read), (std::vector<std::string>{"()", "Func", row.text, "EndFunc"}));
    EXPECT_TRUE(read.unknown.empty());
  }
}

// Lengths, counts and jumps that point past the data, and nesting no program has, are read
// as far as they go.
TEST(DetokenizerTest, DataThatLiesIsReadAsFarAsItGoes) {
  struct Lie {
    const char* what;
    std::string data;
    bool cutShort;
  };
  const Lie lies[] = {
      {"DC alone", Hex("DC"), true},
      {"no arguments' end", Hex("00 00 00 DC"), true},
      {"no E9", Hex("E5") + kTail, true},
      {"an integer longer than the data", Hex("E9 05 1F E5") + kTail, true},
      {"a name without its opening 00", Hex("61 62 00 E5") + kTail, true},
      {"a jump past the start", Hex("0E E4 E5") + kTail, true},
      {"a list without its end", Hex("E9 01 01 1F D9 E5") + kTail, true},
      {"negations nested past any program", "\xE9\x08" + std::string(5000, '\x7A') + "\xE5" + kTail,
       false},
  };
  for (const Lie& lie : lies) {
    SCOPED_TRACE(lie.what);
    const DetokenizedProgram read = Detokenize(lie.data, true);
    EXPECT_EQ(read.cutShort, lie.cutShort);
    EXPECT_NE(TextToUtf8(read.text, Notation::Program).find("◆"), std::string::npos);
  }
}

// A program handed on in pieces as it is read is the same text as one read whole, and tells
// the same tags it could not read: pieces end between two statements, so a statement that
// fails after the first piece is still rewound to its mark.
TEST(DetokenizerTest, AProgramHandedOnInPiecesIsTheTextReadWhole) {
  const auto dataOf = [](const std::string& name) {
    const std::string file = testing::ReadFile(std::string(ORBISK_TEST_DATA) + "/" + name);
    const std::size_t size = std::size_t{static_cast<unsigned char>(file[0x56])} << 8 |
                             static_cast<unsigned char>(file[0x57]);
    return file.substr(0x58, size);
  };
  // The statements of a real program many times over, between its Prgm and its EndPrgm.
  const std::string real = dataOf("sgs/sgsgeoan.89p");
  const std::size_t prgm = real.find("\x19\xE4\xE5");
  const std::string statements = real.substr(5, prgm - 5);
  std::string body;
  while (body.size() < 70000) body += statements;
  const std::string tail = real.substr(prgm);
  // An instruction no calculator has (E4 98) as a statement of its own, far into the text.
  const std::string unknown = "\xE8\x00" + Hex("98 E4");
  struct Program {
    const char* what;
    std::string data;
    bool function;
    std::size_t fewestPieces;
    bool unread;  // holds a tag that cannot be read, or ends early
  };
  const Program programs[] = {
      {"sgsgeoan", real, false, 1, false},
      {"constlag", dataOf("modsim/modsim.constlag.89p"), false, 1, false},
      {"srchnrep", dataOf("modsim/main.srchnrep.89f"), true, 1, false},
      {"rotx, one expression", dataOf("modsim/main.rotx.89f"), true, 1, false},
      {"a long program", real.substr(0, 5) + body + tail, false, 4, false},
      {"an unknown instruction late", real.substr(0, 5) + body + unknown + body + tail, false, 8,
       true},
      {"cut short", body + tail, false, 4, true},
  };
  for (const Program& program : programs) {
    SCOPED_TRACE(program.what);
    const DetokenizedProgram whole = Detokenize(program.data, program.function);
    std::string text;
    std::size_t pieces = 0;
    const DetokenizedProgram streamed =
        DetokenizeToUtf8(program.data, program.function, [&](std::string_view piece) {
          text += piece;
          ++pieces;
        });
    EXPECT_EQ(text, TextToUtf8(whole.text, Notation::Program));
    EXPECT_GE(pieces, program.fewestPieces);
    EXPECT_EQ(!whole.unknown.empty() || whole.cutShort, program.unread);
    EXPECT_EQ(streamed.cutShort, whole.cutShort);
    ASSERT_EQ(streamed.unknown.size(), whole.unknown.size());
    for (std::size_t i = 0; i < whole.unknown.size(); ++i) {
      EXPECT_EQ(streamed.unknown[i].code, whole.unknown[i].code);
      EXPECT_EQ(streamed.unknown[i].offset, whole.unknown[i].offset);
    }
  }
}

}  // namespace
}  // namespace orbisk
