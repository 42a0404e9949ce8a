// The real orbisk, as a user runs it, against the fake calculator running as another
// process at the other end of the TiEmu cable (named pipes in /tmp and one shared count:
// one such test at a time on a machine, which CTest sees to).
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "fake_on_the_cable.hpp"
#include "files.hpp"
#include "run_program.hpp"
#include "temp_folder.hpp"
#include "variable_file.hpp"

namespace orbisk {
namespace {

testing::Outcome Orbisk(const std::vector<std::string>& arguments, const std::string& folder) {
  testing::Invocation invocation;
  invocation.program = ORBISK_EXECUTABLE;
  invocation.arguments = arguments;
  invocation.folder = folder;
  return testing::RunProgram(invocation);
}

TEST(TiEmuCableTest, OrbiskSendsListsAndReceivesFromAnotherProcess) {
  testing::TempFolder folder;
  const std::string store = folder / "store";
  const std::string received = folder / "recu";
  std::filesystem::create_directory(store);
  std::filesystem::create_directory(received);
  const std::string program = testing::ReadFile(ORBISK_TEST_DATA "/sgs/sgsgeoan.89p");
  testing::WriteFile(folder / "sgsgeoan.89p", program);
  const std::string programData = ParseVariableFile(program, program.size()).file.entries[0].data;

  // The calculator has libtifiles' test group's variables from the start.
  testing::FakeOnTheCable fake(ORBISK_FAKE_CALCULATOR, "89", store,
                               {ORBISK_TEST_DATA "/tilibs/group.89g"});
  ASSERT_TRUE(fake.ready());
  const std::vector<std::string> cable{"--cable", "tiemu", "--model", "89"};
  const auto with = [&cable](std::vector<std::string> arguments) {
    arguments.insert(arguments.begin() + 1, cable.begin(), cable.end());
    return arguments;
  };

  const testing::Outcome sent = Orbisk(with({"--send", "sgsgeoan.89p"}), folder.path());
  EXPECT_EQ(sent.status, 0) << sent.err;

  const testing::Outcome listed = Orbisk(with({"--calc"}), folder.path());
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_NE(listed.out.find("programme"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find("sgs\\sgsgeoan"), std::string::npos) << listed.out;

  const testing::Outcome got =
      Orbisk(with({"--receive", "--into", "recu", "sgs\\sgsgeoan"}), folder.path());
  EXPECT_EQ(got.status, 0) << got.err;
  const std::string back = testing::ReadFile(received + "/sgsgeoan.89p");
  const ParsedFile parsed = ParseVariableFile(back, back.size());
  EXPECT_TRUE(parsed.problems.empty());
  ASSERT_EQ(parsed.file.entries.size(), 1u);
  EXPECT_TRUE(parsed.file.entries[0].data == programData);

  // A variable it does not have: said in French, no file.
  const testing::Outcome missing =
      Orbisk(with({"--receive", "--into", "recu", "main\\nul"}), folder.path());
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("La calculatrice n'a pas de variable main\\nul"), std::string::npos)
      << missing.err;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(received), {}), 1);

  fake.Stop();
  EXPECT_TRUE(testing::ReadFile(store + "/sgs.sgsgeoan") == programData);
}

}  // namespace
}  // namespace orbisk
