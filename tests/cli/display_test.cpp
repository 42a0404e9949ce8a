// Reading DISPLAY values, to find the X server's socket without loading Qt.
#include "display.hpp"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

TEST(ParseXDisplayTest, ReadsLocalAndRemoteDisplays) {
  std::string host = "unset";
  int number = -1;
  ASSERT_TRUE(ParseXDisplay(":0", host, number));
  EXPECT_EQ(host, "");
  EXPECT_EQ(number, 0);
  ASSERT_TRUE(ParseXDisplay("unix:12.1", host, number));
  EXPECT_EQ(host, "");
  EXPECT_EQ(number, 12);
  ASSERT_TRUE(ParseXDisplay("localhost:10.0", host, number));
  EXPECT_EQ(host, "localhost");
  EXPECT_EQ(number, 10);
}

TEST(ParseXDisplayTest, RefusesWhatIsNotADisplay) {
  std::string host;
  int number = 0;
  for (const char* bad : {"", "0", ":", ":x", ":1x", "host:"}) {
    EXPECT_FALSE(ParseXDisplay(bad, host, number)) << bad;
  }
}

}  // namespace
}  // namespace orbisk
