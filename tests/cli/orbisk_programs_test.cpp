// The real orbisk with programs and functions: made from UTF-8 or a 7-bit export, shown,
// written back as text in both formats, checked, and refused when they lie.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "files.hpp"
#include "orbisk_runner.hpp"
#include "program_variable.hpp"
#include "temp_folder.hpp"
#include "variable_file.hpp"

namespace orbisk {
namespace {

using testing::Outcome;
using testing::ReadFile;
using testing::WriteFile;
using Names = std::vector<std::string>;

constexpr char kProgram[] = "()\nPrgm\nDisp \"θ≤1\"\n1→x\nEndPrgm\n";
constexpr char kExport[] =
    "\\START92\\\r\n\\COMMENT=Function file\r\n\\NAME=carre\r\n\\FILE=CARRE.89F\r\n"
    "(x)\r\nFunc\r\nReturn x\\^2\\\r\nEndFunc\r\n\\STOP92\\\r\n";

std::string ProgramFile(const std::string& data, unsigned char type = 0x12) {
  VariableFile file;
  file.signature = Signature::Ti89;
  VariableEntry& entry = file.entries.emplace_back();
  entry.folder = "main";
  entry.name = "prog";
  entry.type = type;
  entry.data = data;
  return WriteVariableFile(file);
}

class OrbiskProgramsTest : public ::testing::Test {
 protected:
  Outcome Orbisk(Names arguments) {
    return testing::RunProgram(testing::OrbiskIn(work_, std::move(arguments)));
  }
  testing::TempFolder work_;
};

// Text in, calculator file out, and the same text back out, in either format.
TEST_F(OrbiskProgramsTest, AProgramMadeFromTextShowsAndExportsAsTheSameText) {
  WriteFile(work_ / "salut.txt", kProgram);
  Outcome made = Orbisk({"--from-text", "--type", "prgm", "--to", "89", "salut.txt"});
  ASSERT_EQ(made.status, 0) << made.err;
  const std::string file = ReadFile(work_ / "salut.89p");
  const ParsedFile parsed = ParseVariableFile(file, file.size());
  ASSERT_TRUE(parsed.problems.empty());
  EXPECT_EQ(parsed.file.entries[0].type, 0x12);
  EXPECT_EQ(parsed.file.entries[0].name, "salut");
  // Kept in text form, for the calculator to parse when it first runs it.
  EXPECT_EQ(parsed.file.entries[0].data.substr(parsed.file.entries[0].data.size() - 7),
            std::string("\x19\xE4\xE5\x00\x00\x08\xDC", 7));

  struct Row {
    Names arguments;
    std::string out;
  };
  const Row rows[] = {
      {{"--show", "salut.89p"}, kProgram},
      {{"--check", "salut.89p"},
       "salut.89p : correct (TI-89, dossier main, variable salut, programme enregistré en "
       "texte, " +
           std::to_string(file.size()) + " octets)\n"},
      {{"--show", "--ascii", "salut.89p"},
       "\\START92\\\r\n\\COMMENT=Orbisk\r\n\\NAME=salut\r\n\\FILE=SALUT.89P\r\n()\r\nPrgm\r\n"
       "Disp \"\\theta\\\\<=\\1\"\r\n1\\->\\x\r\nEndPrgm\r\n\\STOP92\\\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments.front());
    const Outcome shown = Orbisk(row.arguments);
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out, row.out);
  }
  // Converted to another model, it keeps the extension of a program.
  ASSERT_EQ(Orbisk({"--to", "92p", "salut.89p"}).status, 0);
  EXPECT_EQ(Orbisk({"--show", "salut.9xp"}).out, kProgram);

  // A function written without its line of arguments takes none.
  WriteFile(work_ / "un.txt", "Func\nReturn 1\nEndFunc");
  ASSERT_EQ(Orbisk({"--from-text", "--type", "func", "un.txt"}).status, 0);
  EXPECT_EQ(Orbisk({"--show", "un.v2f"}).out, "()\nFunc\nReturn 1\nEndFunc\n");
}

// A text that opens with its arguments and Prgm (or Func) is made what it says it is, and
// said so in one line; --type text, or anything else first, keeps it a text.
TEST_F(OrbiskProgramsTest, ATextThatOpensAsAProgramIsMadeOne) {
  struct Row {
    const char* name;
    std::string text;
    Names options;
    std::string made;  // the file made beside it
    unsigned char type;
    std::string said;
  };
  const std::string program =
      "Note : aire.txt commence comme un programme (ses arguments, puis "
      "Prgm) : il en est fait un programme.\n";
  const Row rows[] = {
      {"a program", kProgram, {}, "aire.v2p", 0x12, program},
      {"after a byte order mark, with CRLF and spaces",
       "\xEF\xBB\xBF(a, b) \r\n  Prgm\r\nDisp a\r\nEndPrgm\r\n",
       {},
       "aire.v2p",
       0x12,
       program},
      {"a function",
       "(x)\nFunc\nReturn x\nEndFunc\n",
       {},
       "aire.v2f",
       0x13,
       "Note : aire.txt commence comme une fonction (ses arguments, puis Func) : il en est fait "
       "une fonction.\n"},
      {"forced a text", kProgram, {"--type", "text"}, "aire.v2t", 0x0B, ""},
      {"arguments, then no Prgm", "()\nDisp 1\n", {}, "aire.v2t", 0x0B, ""},
      {"Prgm without arguments", "Prgm\nEndPrgm\n", {}, "aire.v2t", 0x0B, ""},
      // The keyboard's signs for ≤ ≠ → are kept as typed and told, but in strings and comments.
      {"keyboard signs in a program",
       "()\nPrgm\nIf x<=2 and y/=3 Then\n1->x:Disp \"a->b\" ©c->d\nEndIf\nEndPrgm\n",
       {"--type", "prgm"},
       "aire.v2p",
       0x12,
       "Avertissement : aire.txt, ligne 3, colonne 5 : « <= » est gardé tel quel (3 en tout) ; "
       "la calculatrice le lit en deux signes, pas comme « ≤ ».\n"},
      {"keyboard signs in a text", "a->b >= c\n", {"--type", "text"}, "aire.v2t", 0x0B, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (const std::string& name : work_.Entries()) std::filesystem::remove(work_ / name);
    WriteFile(work_ / "aire.txt", row.text);
    Names arguments{"--from-text"};
    arguments.insert(arguments.end(), row.options.begin(), row.options.end());
    arguments.push_back("aire.txt");
    const Outcome made = Orbisk(arguments);
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.err, row.said);
    const std::string file = ReadFile(work_ / row.made);
    const ParsedFile parsed = ParseVariableFile(file, file.size());
    ASSERT_TRUE(parsed.problems.empty());
    EXPECT_EQ(parsed.file.entries[0].type, row.type);
  }
}

// A published listing in the 7-bit format opens directly: its name, its type, its escapes.
TEST_F(OrbiskProgramsTest, ASevenBitExportBecomesTheFunctionItHolds) {
  WriteFile(work_ / "listing.txt", kExport);
  const Outcome made = Orbisk({"--from-text", "listing.txt"});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(work_.Entries(), (Names{"listing.txt", "listing.v2f"}));
  EXPECT_EQ(Orbisk({"--show", "listing.v2f"}).out, "(x)\nFunc\nReturn x²\nEndFunc\n");
  EXPECT_NE(Orbisk({"--check", "listing.v2f"})
                .out.find("variable carre, fonction enregistrée en "
                          "texte"),
            std::string::npos);
  // Written back in its format, it is the listing again, but for its comment and file name.
  ASSERT_EQ(Orbisk({"--to-text", "--ascii", "--yes", "listing.v2f"}).status, 0);
  std::string expected = kExport;
  expected.replace(expected.find("Function file"), 13, "Orbisk");
  expected.replace(expected.find("CARRE.89F"), 9, "CARRE.V2F");
  EXPECT_EQ(ReadFile(work_ / "listing.txt"), expected);
}

// A program that lies, a listing cut short: each said, nothing written. A tokenized program
// reads as its text, a tag that cannot be read as a mark and a warning naming it.
TEST_F(OrbiskProgramsTest, WhatCannotBeReadIsSaidWithWhereAndWhy) {
  const std::string tail = std::string("\x00\x00\x00\x19\xE4\xE5\x00\x00\x08\xDC", 10);
  WriteFile(work_ / "nul.89p", ProgramFile("()\x0DPr" + std::string(1, '\0') + "gm" + tail));
  WriteFile(work_ / "tags.89p", ProgramFile("()" + tail, 0x13));
  // E9, EndPrgm, a new line, Prgm, E5, the arguments y and x, the counter, the flags, DC.
  const std::string tokenized("\xE9\x12\xE4\x00\xE8\x19\xE4\xE5\x09\x08\x00\x00\x00\xDC", 14);
  WriteFile(work_ / "tok.89p", ProgramFile(tokenized));
  // The same with a statement of the parser's own tag 7E, which no program holds.
  std::string unknown = tokenized;
  unknown.insert(5, std::string("\x7E\x00\xE8", 3));
  WriteFile(work_ / "tokx.89p", ProgramFile(unknown));
  std::string cut = kExport;
  cut.resize(cut.find("\\STOP92\\"));
  WriteFile(work_ / "cut.txt", cut);
  struct Row {
    Names arguments;
    int status;
    std::string out;
    std::string err;
  };
  const Row rows[] = {
      {{"--check", "nul.89p"},
       1,
       "nul.89p : 1 problème\n  - son texte contient un octet 00, ligne 2, colonne 3 : la "
       "calculatrice le couperait là\n",
       ""},
      {{"--check", "tags.89p"},
       1,
       "tags.89p : 1 problème\n  - son type dit fonction, mais sa fin dit programme (19)\n",
       ""},
      {{"--check", "tok.89p"},
       0,
       "tok.89p : correct (TI-89, dossier main, variable prog, programme tokenisé : 14 octets, "
       "arguments (x,y), 104 octets)\n",
       ""},
      {{"--show", "tok.89p"}, 0, "(x,y)\nPrgm\nEndPrgm\n", ""},
      {{"--show", "tokx.89p"},
       0,
       "(x,y)\nPrgm\n◆7E\nEndPrgm\n",
       "Avertissement : tokx.89p : la balise 7E est inconnue ; elle est marquée « ◆ » dans le "
       "texte ; le reste du programme est lu.\n"},
      {{"--from-text", "cut.txt"},
       1,
       "",
       "Impossible d'importer cut.txt : aucune ligne « \\STOP92\\ » ne termine le texte "
       "commencé ligne 5 ; le fichier est sans doute coupé.\n"},
      {{"--from-text", "--type", "basic", "cut.txt"},
       2,
       "",
       "orbisk : type inconnu « basic » pour --type (prgm, func ou text)\n"},
      {{"--check", "--ascii", "tok.89p"},
       2,
       "",
       "orbisk : l'option « --ascii » ne va qu'avec « --show » ou « --to-text »\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments.front() + " " + row.arguments.back());
    const Outcome outcome = Orbisk(row.arguments);
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.out, row.out);
    EXPECT_EQ(outcome.err.substr(0, row.err.size()), row.err);
  }
  EXPECT_EQ(work_.Entries(), (Names{"cut.txt", "nul.89p", "tags.89p", "tok.89p", "tokx.89p"}));
}

// Every real file of tests/data is correct for --check, and every program and function in it
// shows as text with nothing to warn of; the group lists and extracts whole. (What the text
// says, and the conversions read back by libtifiles, are checked in the reader tests.)
TEST_F(OrbiskProgramsTest, EveryRealFileIsCorrectAndEveryRealProgramShows) {
  const std::string data = ORBISK_TEST_DATA;
  const Names files = {"modsim/main.rotx.89f",
                       "modsim/main.srchnrep.89f",
                       "modsim/modsim.colloc.89p",
                       "modsim/modsim.constlag.89p",
                       "modsim/modsim.genforce.89p",
                       "modsim/modsim.lagfunc.89p",
                       "modsim/modsim.skews.89f",
                       "modsim/modsim.stabil.89f",
                       "sgs/sgsgeoan.89p",
                       "sgs/sgsapl.89p",
                       "sgs/sgsech.89p",
                       "sgs/bardef2.89p",
                       "sgs/imgapl.89i",
                       "sgs/tbl.89i",
                       "sgs/Sacha.89z",
                       "tilibs/group.89g"};
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const Outcome checked = Orbisk({"--check", data + "/" + file});
    EXPECT_EQ(checked.status, 0);
    EXPECT_NE(checked.out.find(" : correct ("), std::string::npos) << checked.out;
    EXPECT_EQ(checked.err, "");
    const bool program =
        file.find(".89p") != std::string::npos || file.find(".89f") != std::string::npos;
    if (!program) continue;
    const Outcome shown = Orbisk({"--show", data + "/" + file});
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.err, "");
    EXPECT_EQ(shown.out.find("◆"), std::string::npos);
  }
  // What --check tells of a program received from a calculator by the old link software.
  const Outcome received = Orbisk({"--check", data + "/sgs/sgsgeoan.89p"});
  EXPECT_EQ(received.out.substr(received.out.find(" : ")),
            " : correct (TI-89, dossier sgs, variable sgsgeoan, programme tokenisé : 9011 "
            "octets, arguments (sel,nb), archivé, 9104 octets)\n"
            "  note : sa signature « **TI92P* » est celle que l'ancien logiciel de liaison "
            "donnait aussi aux fichiers TI-89\n"
            "  note : 3 octets suivent la fin que son en-tête indique ; ils sont gardés tels "
            "quels\n");
  // A tokenized program's text made a program again: in text form, the same lines.
  testing::WriteFile(work_ / "geo.89p", testing::ReadFile(data + "/sgs/sgsgeoan.89p"));
  ASSERT_EQ(Orbisk({"--to-text", "geo.89p"}).status, 0);
  ASSERT_EQ(Orbisk({"--from-text", "--yes", "--type", "prgm", "--to", "89t", "geo.txt"}).status, 0);
  const Outcome again = Orbisk({"--check", "geo.89p"});
  EXPECT_NE(again.out.find("programme enregistré en texte"), std::string::npos) << again.out;
  EXPECT_EQ(Orbisk({"--show", "geo.89p"}).out, ReadFile(work_ / "geo.txt"));
  const Outcome listed = Orbisk({"--list", data + "/tilibs/group.89g"});
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 12);
  std::filesystem::create_directory(work_ / "out");
  const Outcome extracted =
      Orbisk({"--extract", "--into", work_ / "out", data + "/tilibs/group.89g"});
  EXPECT_EQ(extracted.status, 0) << extracted.err;
  const auto out = std::filesystem::directory_iterator(work_ / "out");
  EXPECT_EQ(std::distance(begin(out), end(out)), 12);
}

}  // namespace
}  // namespace orbisk
