// The real orbisk executable, run on temporary files.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "files.hpp"
#include "orbisk_runner.hpp"
#include "run_program.hpp"
#include "temp_folder.hpp"

namespace orbisk {
namespace {

using testing::ExpectedTi92Plus;
using testing::Invocation;
using testing::Outcome;
using testing::ReadFile;
using testing::SampleTi92PlusFile;
using testing::WriteFile;
namespace fs = std::filesystem;

// A Unix socket that accepts connections and never answers, as a dead compositor would.
int ListenOn(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd, 8) != 0) {
    return -1;
  }
  return fd;
}

// An X server that accepts connections and never answers: on the abstract Unix socket of a
// display number (libxcb tries that one first), or on its TCP port. Gives the number, or -1.
int SilentXServer(bool tcp, int& listener) {
  for (int number = 150; number < 250; ++number) {
    if (tcp) {
      sockaddr_in address{};
      address.sin_family = AF_INET;
      address.sin_port = htons(static_cast<std::uint16_t>(6000 + number));
      address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
      if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
          ::listen(listener, 8) == 0) {
        return number;
      }
    } else {
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      const std::string name = "/tmp/.X11-unix/X" + std::to_string(number);
      std::memcpy(address.sun_path + 1, name.data(), name.size());
      const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
      listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
      if (!fs::exists(name) &&
          ::bind(listener, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
          ::listen(listener, 8) == 0) {
        return number;
      }
    }
    ::close(listener);
  }
  return -1;
}

class OrbiskTest : public ::testing::Test {
 protected:
  // Runs orbisk with its current directory in the work folder, with no terminal and no display.
  Outcome Orbisk(std::vector<std::string> arguments,
                 const std::string& program = ORBISK_EXECUTABLE) {
    Invocation invocation;
    invocation.program = program;
    invocation.arguments = std::move(arguments);
    invocation.folder = work_.path().string();
    return testing::RunProgram(invocation);
  }

  // A copy of orbisk in a folder of its own, to tell its folder from the current one.
  std::string InstallCopy() {
    fs::create_directory(programFolder_);
    const std::string copy = (programFolder_ / "orbisk").string();
    fs::copy_file(ORBISK_EXECUTABLE, copy);
    return copy;
  }

  testing::TempFolder work_;
  testing::TempFolder elsewhere_;
  fs::path programFolder_ = elsewhere_.path() / "bin";
  const std::string sample_ = SampleTi92PlusFile(40000);
};

TEST_F(OrbiskTest, ConvertsANameInTheCurrentFolderSilently) {
  WriteFile(work_ / "prog.9xt", sample_);
  const Outcome outcome = Orbisk({"prog.9xt"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "");
  EXPECT_TRUE(testing::IsV200Of(ReadFile(work_ / "prog.v2t"), sample_));
  EXPECT_TRUE(testing::SameBytes(ReadFile(work_ / "prog.9xt"), sample_));
}

TEST_F(OrbiskTest, ARelativeNameIsLookedForInTheProgramsFolderFirst) {
  const std::string program = InstallCopy();
  const std::string other = SampleTi92PlusFile(300);
  WriteFile((programFolder_ / "prog.9xt").string(), sample_);
  WriteFile(work_ / "prog.9xt", other);

  EXPECT_EQ(Orbisk({"prog"}, program).status, 0);
  EXPECT_TRUE(testing::IsV200Of(ReadFile((programFolder_ / "prog.v2t").string()), sample_));
  EXPECT_FALSE(fs::exists(work_ / "prog.v2t"));

  // Without it there, the current folder's file is converted.
  fs::remove(programFolder_ / "prog.9xt");
  EXPECT_EQ(Orbisk({"prog"}, program).status, 0);
  EXPECT_TRUE(testing::IsV200Of(ReadFile(work_ / "prog.v2t"), other));
}

TEST_F(OrbiskTest, AMissingFileIsNamedInTheProgramsFolder) {
  const std::string program = InstallCopy();
  const Outcome outcome = Orbisk({"absent"}, program);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err,
            "Le fichier " + (programFolder_ / "absent.9xt").string() + " n'existe pas\n");
}

TEST_F(OrbiskTest, AbsoluteNamesWithSpacesAndQuotesAreOneName) {
  fs::create_directory(work_.path() / "My Files");
  const std::string source = work_ / "My Files/\"prog\" 2.9xt";
  WriteFile(source, sample_);
  EXPECT_EQ(Orbisk({source}).status, 0);
  EXPECT_TRUE(testing::IsV200Of(ReadFile(work_ / "My Files/\"prog\" 2.v2t"), sample_));
}

TEST_F(OrbiskTest, ConvertsEveryNamedFileBothWaysAndGoesOnAfterAFailure) {
  WriteFile(work_ / "a.9xt", sample_);
  WriteFile(work_ / "b.V2T", sample_);
  WriteFile(work_ / "short.9xt", std::string("too\0short", 9));
  const Outcome outcome = Orbisk({"a.9xt", "missing.9xt", "short", "b.V2T"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_TRUE(testing::IsV200Of(ReadFile(work_ / "a.v2t"), sample_));
  EXPECT_TRUE(testing::SameBytes(ReadFile(work_ / "b.9xt"), ExpectedTi92Plus(sample_)));
  EXPECT_NE(outcome.err.find("missing.9xt n'existe pas"), std::string::npos) << outcome.err;
  EXPECT_NE(outcome.err.find("short.9xt : il ne fait que 9 octets"), std::string::npos)
      << outcome.err;
  EXPECT_EQ(work_.Entries(),
            (std::vector<std::string>{"a.9xt", "a.v2t", "b.9xt", "b.V2T", "short.9xt"}));
}

TEST_F(OrbiskTest, WithNobodyToAskAnExistingTargetIsKeptUnlessYesIsGiven) {
  WriteFile(work_ / "prog.9xt", sample_);
  WriteFile(work_ / "prog.v2t", "old");

  const Outcome kept = Orbisk({"prog.9xt"});
  EXPECT_EQ(kept.status, 1);
  EXPECT_EQ(kept.err,
            "prog.v2t existe déjà. Voulez-vous l'écraser ? Non : personne pour "
            "répondre ; utilisez --yes pour l'écraser.\n");
  EXPECT_EQ(ReadFile(work_ / "prog.v2t"), "old");

  for (const char* yes : {"--yes", "-y"}) {
    const Outcome replaced = Orbisk({yes, "prog.9xt"});
    EXPECT_EQ(replaced.status, 0);
    EXPECT_EQ(replaced.err, "");
    EXPECT_TRUE(testing::IsV200Of(ReadFile(work_ / "prog.v2t"), sample_));
  }
}

TEST_F(OrbiskTest, OnATerminalTheQuestionIsAskedWithYesAsDefault) {
  WriteFile(work_ / "prog.9xt", sample_);
  WriteFile(work_ / "prog.v2t", "old");
  Invocation invocation = testing::OrbiskIn(work_, {"prog.9xt"});
  invocation.terminal = true;

  invocation.input = "n\n";
  const Outcome declined = testing::RunProgram(invocation);
  EXPECT_EQ(declined.status, 1);
  EXPECT_EQ(declined.err, "prog.v2t existe déjà. Voulez-vous l'écraser ? [O/n] ");
  EXPECT_EQ(ReadFile(work_ / "prog.v2t"), "old");

  invocation.input = "\n";
  const Outcome accepted = testing::RunProgram(invocation);
  EXPECT_EQ(accepted.status, 0);
  EXPECT_TRUE(testing::IsV200Of(ReadFile(work_ / "prog.v2t"), sample_));
}

TEST_F(OrbiskTest, NamesAfterDoubleDashMayStartWithADash) {
  WriteFile(work_ / "-y.9xt", sample_);
  EXPECT_EQ(Orbisk({"--", "-y.9xt"}).status, 0);
  EXPECT_TRUE(testing::IsV200Of(ReadFile(work_ / "-y.v2t"), sample_));
}

TEST_F(OrbiskTest, HelpVersionAndUsageErrors) {
  const Outcome help = Orbisk({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Utilisation : orbisk [OPTION]... [FICHIER]...\n", 0), 0u);
  const Outcome version = Orbisk({"-V"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "orbisk " ORBISK_VERSION "\n");
  const Outcome usage = Orbisk({"--force", "prog.9xt"});
  EXPECT_EQ(usage.status, 2);
  EXPECT_EQ(usage.out, "");
  EXPECT_EQ(usage.err,
            "orbisk : option inconnue « --force »\n"
            "Essayez « orbisk --help » pour plus d'informations.\n");
  EXPECT_TRUE(work_.Entries().empty());
}

TEST_F(OrbiskTest, WithoutArgumentsOrDisplayItSaysWhyNoWindowOpens) {
  const Outcome outcome = Orbisk({});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err.rfind("orbisk : aucun affichage graphique", 0), 0u) << outcome.err;
}

TEST_F(OrbiskTest, ASuccessfulConversionNeverTouchesTheDisplay) {
  // The display named here does not exist: loading the graphical part would fail.
  WriteFile(work_ / "prog.9xt", sample_);
  Invocation invocation = testing::OrbiskIn(work_, {"prog.9xt"});
  invocation.environment.push_back("DISPLAY=:97");
  const Outcome outcome = testing::RunProgram(invocation);
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_TRUE(testing::IsV200Of(ReadFile(work_ / "prog.v2t"), sample_));
}

// Platforms that show nothing to anyone, or cannot start, count as no display: the files
// are handled as with nobody to ask, and the window says why it cannot open. Before, Qt
// hung on an invisible box or aborted.
TEST_F(OrbiskTest, APlatformThatShowsNothingCountsAsNoDisplay) {
  testing::TempFolder runtime;
  const std::string silent = runtime / "wayland-9";
  const int listener = ListenOn(silent);
  ASSERT_GE(listener, 0);
  // X servers that let the program connect and then say nothing.
  int localListener = -1;
  int tcpListener = -1;
  const int local = SilentXServer(false, localListener);
  const int tcp = SilentXServer(true, tcpListener);
  ASSERT_GE(local, 0);
  ASSERT_GE(tcp, 0);
  const std::vector<std::vector<std::string>> environments = {
      {"DISPLAY=:" + std::to_string(local)},
      {"DISPLAY=127.0.0.1:" + std::to_string(tcp)},
      {"QT_QPA_PLATFORM=offscreen"},
      {"QT_QPA_PLATFORM=minimal"},
      {"QT_QPA_PLATFORM=xcb"},
      {"QT_QPA_PLATFORM=vnc", "DISPLAY=:97"},
      {"WAYLAND_DISPLAY=" + silent, "XDG_SESSION_TYPE=wayland"},
      {"QT_QPA_PLATFORM=wayland", "WAYLAND_DISPLAY=" + silent}};
  for (const auto& environment : environments) {
    SCOPED_TRACE(environment.front());
    WriteFile(work_ / "prog.9xt", sample_);
    WriteFile(work_ / "prog.v2t", "old");
    Invocation invocation = testing::OrbiskIn(work_, {"prog.9xt", "prog.9xt"});
    invocation.environment.insert(invocation.environment.end(), environment.begin(),
                                  environment.end());
    invocation.timeoutSeconds = 10;
    const Outcome question = testing::RunProgram(invocation);
    EXPECT_EQ(question.status, 1);
    // Both names were handled: nothing stopped after the first.
    const std::string refusal =
        "prog.v2t existe déjà. Voulez-vous l'écraser ? Non : personne "
        "pour répondre ; utilisez --yes pour l'écraser.\n";
    EXPECT_EQ(question.err, refusal + refusal);
    EXPECT_EQ(ReadFile(work_ / "prog.v2t"), "old");

    invocation.arguments = {};
    const Outcome window = testing::RunProgram(invocation);
    EXPECT_EQ(window.status, 1);
    EXPECT_EQ(window.err.rfind("orbisk : aucun affichage graphique", 0), 0u) << window.err;
  }
  // The viewer and the word on success, on a display that never answers, as with none.
  for (const std::string& display :
       {":" + std::to_string(local), "127.0.0.1:" + std::to_string(tcp)}) {
    SCOPED_TRACE(display);
    Invocation invocation = testing::OrbiskIn(work_, {"--view", "prog.9xt"});
    invocation.environment.push_back("DISPLAY=" + display);
    invocation.timeoutSeconds = 10;
    const Outcome view = testing::RunProgram(invocation);
    EXPECT_EQ(view.status, 1);
    EXPECT_EQ(view.err.rfind("orbisk : aucun affichage graphique", 0), 0u) << view.err;
    invocation.arguments = {"--notify", "--yes", "prog.9xt"};
    const Outcome notify = testing::RunProgram(invocation);
    EXPECT_EQ(notify.status, 0) << notify.err;
    EXPECT_EQ(notify.out, "Conversion de prog.9xt vers prog.v2t terminé avec succès\n");
  }
  ::close(listener);
  ::close(localListener);
  ::close(tcpListener);
}

TEST_F(OrbiskTest, ADisplayThatIsNamedButGoneCountsAsNone) {
  WriteFile(work_ / "prog.9xt", sample_);
  WriteFile(work_ / "prog.v2t", "old");
  Invocation invocation = testing::OrbiskIn(work_, {"prog.9xt"});
  invocation.environment.push_back("DISPLAY=:97");
  const Outcome question = testing::RunProgram(invocation);
  EXPECT_EQ(question.status, 1);
  EXPECT_NE(question.err.find("personne pour répondre"), std::string::npos) << question.err;
  EXPECT_EQ(ReadFile(work_ / "prog.v2t"), "old");

  invocation.arguments = {};
  const Outcome window = testing::RunProgram(invocation);
  EXPECT_EQ(window.status, 1);
  EXPECT_EQ(window.err.rfind("orbisk : aucun affichage graphique", 0), 0u) << window.err;
}

}  // namespace
}  // namespace orbisk
