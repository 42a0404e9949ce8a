// The conversions on real files, with a scripted user and a fixed clock.
#include "converter.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "faulty_file_system.hpp"
#include "file_check.hpp"
#include "files.hpp"
#include "fixed_clock.hpp"
#include "posix_file_system.hpp"
#include "program_variable.hpp"
#include "scripted_interaction.hpp"
#include "temp_folder.hpp"
#include "variable_file.hpp"

namespace orbisk {
namespace {

using testing::ExpectedTi92Plus;
using testing::ExpectedV200;
using testing::ReadFile;
using testing::SampleTi92PlusFile;
using testing::WriteFile;
using Kind = testing::ScriptedInteraction::Kind;

constexpr char kStamp[] = "23/02/03, 14:09";

class ConverterTest : public ::testing::Test {
 protected:
  bool ToV200(const std::string& source, const std::string& target) {
    Converter converter(files_, user_, clock_, {'/', ':'});
    return user_.Reported(converter.Convert(Model::Voyager200, source, target));
  }
  bool ToTi92Plus(const std::string& source, const std::string& target) {
    Converter converter(files_, user_, clock_, {'/', ':'});
    return user_.Reported(converter.Convert(Model::Ti92Plus, source, target));
  }
  void ExpectOneFailureMentioning(const std::string& a, const std::string& b) {
    ASSERT_EQ(user_.shown.size(), 1u);
    EXPECT_EQ(user_.shown[0].kind, Kind::Failure);
    EXPECT_NE(user_.shown[0].text.find(a), std::string::npos) << user_.shown[0].text;
    EXPECT_NE(user_.shown[0].text.find(b), std::string::npos) << user_.shown[0].text;
  }

  testing::TempFolder folder_;
  PosixFileSystem files_;
  testing::ScriptedInteraction user_;
  testing::FixedClock clock_{2003, 2, 23, 14, 9};
  std::string source_ = folder_ / "prog.9xt";
  std::string target_ = folder_ / "prog.v2t";
};

TEST_F(ConverterTest, V200RewritesTheModelByteAndTheTextAreaOnly) {
  const std::string source = SampleTi92PlusFile(600);
  WriteFile(source_, source);

  ASSERT_TRUE(ToV200(source_, target_));

  const std::string target = ReadFile(target_);
  ASSERT_EQ(target.size(), source.size());
  EXPECT_EQ(target[6], 'P');
  EXPECT_EQ(target.substr(18, 31), "TextObject file 23/02/03, 14:09");
  EXPECT_EQ(target.substr(0, 6), source.substr(0, 6));
  EXPECT_EQ(target.substr(7, 11), source.substr(7, 11));
  EXPECT_EQ(target.substr(49), source.substr(49));
  EXPECT_TRUE(testing::SameBytes(ReadFile(source_), source));
  EXPECT_TRUE(user_.shown.empty());
}

TEST_F(ConverterTest, Ti92PlusBlanksTheTextAreaAndKeepsTheModelByte) {
  std::string source = SampleTi92PlusFile(600);
  source[6] = 'P';
  WriteFile(target_, source);

  ASSERT_TRUE(ToTi92Plus(target_, source_));

  const std::string target = ReadFile(source_);
  EXPECT_EQ(target.substr(0, 18), source.substr(0, 18));
  EXPECT_EQ(target.substr(18, 31), std::string(31, ' '));
  EXPECT_EQ(target.substr(49), source.substr(49));
}

TEST_F(ConverterTest, AModelByteAlreadyPChangesOnlyTheTextArea) {
  std::string source = SampleTi92PlusFile(100);
  source[6] = 'P';
  WriteFile(source_, source);
  ASSERT_TRUE(ToV200(source_, target_));
  std::string expected = source;
  expected.replace(18, 31, std::string("TextObject file ") + kStamp);
  EXPECT_EQ(ReadFile(target_), expected);
}

TEST_F(ConverterTest, EveryByteValuePassesThroughBothWays) {
  std::string source = SampleTi92PlusFile(49);
  for (int round = 0; round < 3; ++round) {
    for (int value = 0; value < 256; ++value) source += static_cast<char>(value);
  }
  for (std::size_t i = 0; i < 49; ++i) {
    if (i != 6 && (i < 18 || i > 48)) source[i] = static_cast<char>(0x80 + i);
  }
  WriteFile(source_, source);
  ASSERT_TRUE(ToV200(source_, target_));
  EXPECT_TRUE(testing::SameBytes(ReadFile(target_), ExpectedV200(source, kStamp)));
  ASSERT_TRUE(ToTi92Plus(source_, folder_ / "back.9xt"));
  EXPECT_TRUE(testing::SameBytes(ReadFile(folder_ / "back.9xt"), ExpectedTi92Plus(source)));
}

// Sizes around the header span, around the old 16-bit limit, and well beyond it.
class ConverterSizeTest : public ConverterTest,
                          public ::testing::WithParamInterface<std::size_t> {};

TEST_P(ConverterSizeTest, ConvertsAnySizeFromTheHeaderSpanUp) {
  const std::string source = SampleTi92PlusFile(GetParam());
  WriteFile(source_, source);
  ASSERT_TRUE(ToV200(source_, target_));
  EXPECT_TRUE(testing::SameBytes(ReadFile(target_), ExpectedV200(source, kStamp)));
  ASSERT_TRUE(ToTi92Plus(source_, folder_ / "back.9xt"));
  EXPECT_TRUE(testing::SameBytes(ReadFile(folder_ / "back.9xt"), ExpectedTi92Plus(source)));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ConverterSizeTest,
                         ::testing::Values(49, 50, 32815, 32816, 65536 + 49, 3u << 20));

TEST_F(ConverterTest, RefusesASourceShorterThanTheHeaderWithoutWritingAnything) {
  // French counts 0 and 1 in the singular.
  const std::pair<std::size_t, const char*> sizes[] = {
      {0, "0 octet"}, {1, "1 octet"}, {2, "2 octets"}, {48, "48 octets"}};
  for (const auto& [size, said] : sizes) {
    user_.shown.clear();
    WriteFile(source_, SampleTi92PlusFile(size));
    EXPECT_FALSE(ToV200(source_, target_));
    EXPECT_FALSE(ToTi92Plus(source_, target_));
    ASSERT_EQ(user_.shown.size(), 2u);
    EXPECT_EQ(user_.shown[0].kind, Kind::Failure);
    EXPECT_EQ(user_.shown[0].text, "Impossible de convertir " + source_ + " : il ne fait que " +
                                       said + ", moins que les 49 octets d'un en-tête.");
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"prog.9xt"});
  }
}

TEST_F(ConverterTest, AMissingSourceIsReportedAndNothingIsCreated) {
  EXPECT_FALSE(ToV200(source_, target_));
  EXPECT_FALSE(ToTi92Plus("", target_));
  ASSERT_EQ(user_.shown.size(), 2u);
  EXPECT_EQ(user_.shown[0].kind, Kind::Message);
  EXPECT_EQ(user_.shown[0].text, "Le fichier " + source_ + " n'existe pas");
  EXPECT_EQ(user_.shown[1].text, "Le fichier  n'existe pas");
  EXPECT_TRUE(folder_.Entries().empty());
}

TEST_F(ConverterTest, DecliningTheOverwriteTouchesNothing) {
  WriteFile(source_, SampleTi92PlusFile(200));
  WriteFile(target_, "old target");
  user_ = testing::ScriptedInteraction({false});

  EXPECT_FALSE(ToV200(source_, target_));

  ASSERT_EQ(user_.shown.size(), 1u);
  EXPECT_EQ(user_.shown[0].kind, Kind::Question);
  EXPECT_EQ(user_.shown[0].text, target_ + " existe déjà. Voulez-vous l'écraser ?");
  EXPECT_EQ(ReadFile(target_), "old target");
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"prog.9xt", "prog.v2t"}));
}

TEST_F(ConverterTest, AcceptingTheOverwriteReplacesTheTargetAndKeepsItsPermissions) {
  const std::string source = SampleTi92PlusFile(200);
  WriteFile(source_, source);
  WriteFile(target_, "old target");
  ASSERT_EQ(::chmod(target_.c_str(), 0640), 0);
  user_ = testing::ScriptedInteraction({true});

  ASSERT_TRUE(ToV200(source_, target_));

  EXPECT_TRUE(testing::SameBytes(ReadFile(target_), ExpectedV200(source, kStamp)));
  struct stat st {};
  ASSERT_EQ(::stat(target_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"prog.9xt", "prog.v2t"}));
}

TEST_F(ConverterTest, ANewTargetGetsTheUsualPermissions) {
  WriteFile(source_, SampleTi92PlusFile(200));
  const mode_t mask = ::umask(022);
  const bool converted = ToV200(source_, target_);
  ::umask(mask);
  ASSERT_TRUE(converted);
  struct stat st {};
  ASSERT_EQ(::stat(target_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
}

// A file is never converted onto itself, whatever names lead to it: nothing is asked and
// the source stays as it was.
TEST_F(ConverterTest, RefusesToConvertAFileOntoItself) {
  const std::string source = SampleTi92PlusFile(5000);
  WriteFile(source_, source);
  std::filesystem::create_symlink("prog.9xt", folder_ / "link.v2t");
  std::filesystem::create_hard_link(source_, folder_ / "hard.v2t");
  for (const std::string& target : {source_, folder_ / "link.v2t", folder_ / "hard.v2t",
                                    folder_.path().string() + "/./prog.9xt"}) {
    SCOPED_TRACE(target);
    user_.shown.clear();
    EXPECT_FALSE(ToV200(source_, target));
    ASSERT_EQ(user_.shown.size(), 1u);
    EXPECT_EQ(user_.shown[0].kind, Kind::Failure);
    EXPECT_EQ(user_.shown[0].text, source_ + " et " + target + " sont le même fichier.");
    EXPECT_TRUE(testing::SameBytes(ReadFile(source_), source));
  }
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"hard.v2t", "link.v2t", "prog.9xt"}));
}

TEST_F(ConverterTest, ReplacesWhatASymbolicLinkTargetPointsTo) {
  const std::string source = SampleTi92PlusFile(100);
  WriteFile(source_, source);
  std::filesystem::create_directory(folder_.path() / "real");
  WriteFile(folder_ / "real/prog.v2t", "old");
  std::filesystem::create_symlink("real/prog.v2t", target_);
  user_ = testing::ScriptedInteraction({true});

  ASSERT_TRUE(ToV200(source_, target_));

  EXPECT_TRUE(std::filesystem::is_symlink(target_));
  EXPECT_TRUE(
      testing::SameBytes(ReadFile(folder_ / "real/prog.v2t"), ExpectedV200(source, kStamp)));
}

TEST_F(ConverterTest, ADanglingSymbolicLinkAsTargetIsRefusedAndNothingIsCreated) {
  WriteFile(source_, SampleTi92PlusFile(100));
  std::filesystem::create_symlink("elsewhere/prog.v2t", target_);

  EXPECT_FALSE(ToV200(source_, target_));

  ASSERT_EQ(user_.shown.size(), 1u);
  EXPECT_EQ(user_.shown[0].text,
            "Impossible d'écrire " + target_ +
                " : c'est un lien symbolique vers un fichier qui n'existe pas.");
  EXPECT_TRUE(std::filesystem::is_symlink(target_));
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"prog.9xt", "prog.v2t"}));
}

TEST_F(ConverterTest, ATargetThisUserMayNotWriteIsRefusedBeforeTheQuestion) {
  WriteFile(source_, SampleTi92PlusFile(100));
  WriteFile(target_, "protected");
  testing::FaultyFileSystem files(files_);
  files.FailAt(testing::Step::CheckWritable, 0, EACCES);
  // No answer is scripted: a question would fail the test.
  Converter converter(files, user_, clock_, {'/', ':'});

  EXPECT_FALSE(user_.Reported(converter.Convert(Model::Voyager200, source_, target_)));

  ASSERT_EQ(user_.shown.size(), 1u);
  EXPECT_EQ(user_.shown[0].kind, Kind::Failure);
  EXPECT_EQ(user_.shown[0].text,
            "Impossible de remplacer le fichier " + target_ + " : Permission refusée.");
  EXPECT_EQ(ReadFile(target_), "protected");
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"prog.9xt", "prog.v2t"}));
}

TEST_F(ConverterTest, RefusesSourcesThatAreNotFiles) {
  std::filesystem::create_directory(folder_.path() / "folder.9xt");
  ASSERT_EQ(::mkfifo((folder_ / "pipe.9xt").c_str(), 0600), 0);
  // A FIFO with no writer would block a reader forever; /dev/zero would never end.
  for (const std::string& source :
       {folder_ / "folder.9xt", folder_ / "pipe.9xt", std::string("/dev/zero")}) {
    user_.shown.clear();
    EXPECT_FALSE(ToV200(source, target_));
    ASSERT_EQ(user_.shown.size(), 1u);
    EXPECT_EQ(user_.shown[0].text, "Impossible de convertir " + source +
                                       " : ce n'est pas un fichier (dossier, tube ou "
                                       "périphérique).");
  }
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"folder.9xt", "pipe.9xt"}));
}

TEST_F(ConverterTest, RefusesATargetThatIsAFolderOrADevice) {
  WriteFile(source_, SampleTi92PlusFile(100));
  std::filesystem::create_directory(target_);
  EXPECT_FALSE(ToV200(source_, target_));
  EXPECT_FALSE(ToV200(source_, "/dev/null"));
  ASSERT_EQ(user_.shown.size(), 2u);
  EXPECT_EQ(user_.shown[0].text, "Impossible d'écrire " + target_ + " : c'est un dossier.");
  EXPECT_EQ(user_.shown[1].text,
            "Impossible d'écrire /dev/null : ce n'est pas un fichier ordinaire.");
  EXPECT_TRUE(std::filesystem::is_empty(target_));
}

TEST_F(ConverterTest, ATargetFolderThatDoesNotExistIsReportedWithTheReason) {
  WriteFile(source_, SampleTi92PlusFile(100));
  const std::string target = folder_ / "missing/prog.v2t";
  EXPECT_FALSE(ToV200(source_, target));
  ExpectOneFailureMentioning(target, "le dossier " + folder_ / "missing" + " n'existe pas.");
  EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"prog.9xt"});
}

// Beside the source, the target takes the extension of what the file holds for its model;
// what cannot move is refused, with the reason, before anything is written.
TEST_F(ConverterTest, BesideTheSourceTheTargetIsNamedForWhatItHolds) {
  const auto single = [](unsigned char type) {
    VariableFile file;
    VariableEntry& entry = file.entries.emplace_back();
    entry.name = "jeu";
    entry.type = type;
    entry.data = type == 0x12 ? ProgramVariableData(ProgramKind::Program,
                                                    CalculatorText::FromPlainCodes("()\x0DPrgm"))
                              : "\x4E\x75";
    return WriteVariableFile(file);
  };
  const std::string program = single(0x12);
  WriteFile(source_, program);  // a program, though named as a text
  Converter converter(files_, user_, clock_, {'/', ':'});
  const Result<std::string> target = converter.ConvertBeside(Model::Voyager200, source_);
  ASSERT_TRUE(target);
  EXPECT_EQ(*target, folder_ / "prog.v2p");
  EXPECT_TRUE(testing::SameBytes(ReadFile(*target), ExpectedV200(program, kStamp)));

  const std::string assembly = folder_ / "jeu.89z";
  WriteFile(assembly, single(0x21));
  EXPECT_FALSE(user_.Reported(converter.ConvertBeside(Model::Voyager200, assembly)));
  ASSERT_EQ(user_.shown.size(), 1u);
  EXPECT_EQ(user_.shown[0].text, "Impossible de convertir " + assembly +
                                     " : c'est un programme en assembleur, écrit pour un seul "
                                     "modèle, qui ne fonctionnerait pas sur un autre.");
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"jeu.89z", "prog.9xt", "prog.v2p"}));

  // Larger than any variable, a file's type byte is no type: it is copied as a text is.
  std::string large = SampleTi92PlusFile(kCheckedBytes + 100);
  large[6] = 'P';
  large[0x48] = 0x21;
  const std::string big = folder_ / "big.9xt";
  WriteFile(big, large);
  const Result<std::string> copied = converter.ConvertBeside(Model::Voyager200, big);
  ASSERT_TRUE(copied);
  EXPECT_EQ(*copied, folder_ / "big.v2t");
}

}  // namespace
}  // namespace orbisk
