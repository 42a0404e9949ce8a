// Finding the Qt module only where the program is installed, and refusing one built for
// another interface.
#include "qt_module.hpp"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

TEST(QtModuleCandidatesTest, AreAllAbsoluteAndBesideTheExecutableFirst) {
  const std::vector<std::string> beside = QtModuleCandidates("/opt/orbisk/bin");
  // Where orbisk looks for it, then where orbisk-link, which lives beside it, does.
  ASSERT_EQ(beside.size(), 3u);
  EXPECT_EQ(beside[0].rfind("/opt/orbisk/bin/", 0), 0u) << beside[0];
  EXPECT_EQ(beside[1], "/opt/orbisk/bin/orbisk-qt.so");
  for (const std::string& path : beside) {
    EXPECT_EQ(path[0], '/') << path;
    EXPECT_EQ(path.substr(path.size() - 12), "orbisk-qt.so") << path;
  }
  // An executable folder that is unknown, or relative, is not used at all.
  for (const char* unknown : {"", ".", "bin"}) {
    const std::vector<std::string> installed = QtModuleCandidates(unknown);
    ASSERT_EQ(installed.size(), 1u);
    EXPECT_EQ(installed[0], beside[2]);
  }
}

TEST(LoadQtModuleTest, AModuleOfAnotherInterfaceIsReportedAndNeverCalled) {
  struct Row {
    const char* module;
    std::string error;
  };
  for (const Row& row :
       {Row{FAKE_MODULE_OTHER_VERSION,
            std::string(FAKE_MODULE_OTHER_VERSION) + " : version d'interface 999 au lieu de " +
                std::to_string(kQtModuleInterfaceVersion) + " ; réinstallez Orbisk"},
        Row{FAKE_MODULE_NO_VERSION,
            std::string(FAKE_MODULE_NO_VERSION) + " : points d'entrée introuvables"}}) {
    std::string error;
    EXPECT_EQ(LoadQtModuleFrom(row.module, error), nullptr);
    EXPECT_EQ(error, row.error);
  }
}

}  // namespace
}  // namespace orbisk
