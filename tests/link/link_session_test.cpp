// The link piece against a fake calculator: every byte the library sends goes to the fake
// through the null cable's hooks, and every byte it reads comes from it. Each model of the
// family, each operation, and each fault the fake can make.
#include "link_session.hpp"

#include <gtest/gtest.h>

#include "fake_calculator.hpp"
#include "files.hpp"
#include "link_texts.hpp"
#include "variable_file.hpp"
#include "wired.hpp"

namespace orbisk {
namespace {

using link::CalcData;
using link::CalcVariable;
using link::LinkOptions;
using link::LinkSession;
using testing::FakeCalculator;
using testing::FakeModel;

struct ModelCase {
  const char* name;
  FakeModel fake;
  CalcModel library;
};

const ModelCase kModels[] = {{"TI-89", FakeModel::Ti89, CALC_TI89},
                             {"TI-89 Titanium", FakeModel::Ti89Titanium, CALC_TI89T},
                             {"TI-92 Plus", FakeModel::Ti92Plus, CALC_TI92P},
                             {"Voyager 200", FakeModel::Voyager200, CALC_V200}};

// A session on the null cable, wired to `calculator`.
std::unique_ptr<LinkSession> Wired(FakeCalculator& calculator, CalcModel model) {
  auto session = std::make_unique<LinkSession>(testing::WiredTo(calculator, model));
  EXPECT_EQ(session->Open(), 0);
  return session;
}

// A real program, tokenized as it came off a calculator, as the link carries it.
CalcData RealProgram() {
  const std::string bytes = testing::ReadFile(ORBISK_TEST_DATA "/sgs/sgsgeoan.89p");
  const ParsedFile parsed = ParseVariableFile(bytes, bytes.size());
  EXPECT_TRUE(parsed.problems.empty());
  const VariableEntry& entry = parsed.file.entries.at(0);
  return CalcData{entry.folder, entry.name, entry.type, entry.attribute, entry.data};
}

TEST(LinkSessionTest, EveryModelAnswersSendsListsAndReceives) {
  const CalcData program = RealProgram();
  for (const ModelCase& model : kModels) {
    SCOPED_TRACE(model.name);
    FakeCalculator calculator(model.fake);
    calculator.variables.push_back(
        {"cours", "notes", 0x0B, 0, std::string("\x00\x01 Bonjour\x00\xE0", 12)});
    const auto session = Wired(calculator, model.library);
    EXPECT_EQ(session->Ready(), 0);

    // Sent: the variable arrives whole, in its folder, under its name.
    ASSERT_EQ(session->Send(program), 0) << link::texts::LinkError(session->Send(program));
    ASSERT_EQ(calculator.variables.size(), 2u);
    const testing::FakeVariable& arrived = calculator.variables.back();
    EXPECT_EQ(arrived.folder, program.folder);
    EXPECT_EQ(arrived.name, program.name);
    EXPECT_EQ(arrived.type, program.type);
    EXPECT_EQ(arrived.data, program.data);

    // Listed: both, by folder.
    std::vector<CalcVariable> listed;
    ASSERT_EQ(session->List(listed), 0);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].folder + "\\" + listed[0].name, "cours\\notes");
    EXPECT_EQ(listed[1].folder + "\\" + listed[1].name, program.folder + "\\" + program.name);
    EXPECT_EQ(listed[1].size, program.data.size());

    // Received: the same bytes come back.
    CalcData received;
    ASSERT_EQ(session->Receive(listed[1], received), 0);
    EXPECT_EQ(received.data, program.data);
    EXPECT_EQ(received.type, program.type);
  }
}

struct FaultCase {
  const char* name;
  testing::FakeFaults faults;
  bool sending;  // the fault shows while sending; otherwise while receiving
  const char* said;
};

TEST(LinkSessionTest, EveryFaultEndsInAFrenchError) {
  const CalcData program = RealProgram();
  using Faults = testing::FakeFaults;
  const FaultCase cases[] = {
      {"silence", Faults::Silence(), true, "la calculatrice ne répond pas"},
      {"a cut after one packet", Faults::CutAfter(1), true, "la calculatrice ne répond pas"},
      {"a refusal", Faults::Refusal(), true, "la calculatrice a refusé"},
      {"a wrong sum", Faults::WrongSum(), false, "la transmission a été brouillée"},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeCalculator calculator(FakeModel::Ti89);
    calculator.variables.push_back({"main", "prog", program.type, 0, program.data});
    calculator.faults = c.faults;
    const auto session = Wired(calculator, CALC_TI89);
    int e = 0;
    if (c.sending) {
      e = session->Send(program);
    } else {
      CalcData received;
      e = session->Receive({"main", "prog", program.type, 0, 0}, received);
    }
    ASSERT_NE(e, 0);
    EXPECT_EQ(link::texts::LinkError(e).rfind(c.said, 0), 0u) << link::texts::LinkError(e);
  }
  // A variable the calculator does not have.
  FakeCalculator calculator(FakeModel::Ti89);
  const auto session = Wired(calculator, CALC_TI89);
  CalcData received;
  const int e = session->Receive({"main", "absent", 0x12, 0, 0}, received);
  EXPECT_NE(e, 0);
  EXPECT_FALSE(link::texts::LinkError(e).empty());
}

}  // namespace
}  // namespace orbisk
