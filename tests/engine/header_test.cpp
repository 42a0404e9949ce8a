// The header rewrite for each target model: another model's file gets the target's whole
// signature; a TI92+ file, or a file that is no calculator's, keeps its bytes as always.
#include "header.hpp"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

TEST(HeaderTest, SignaturesFollowTheTargetModel) {
  struct Row {
    const char* source;
    Direction direction;
    const char* signature;
    const char* text;  // bytes 18 to 48
  };
  const std::string v200 = "TextObject file 23/02/03, 14:09";
  const std::string spaces(31, ' ');
  const Row rows[] = {
      {"**TI92P*", Direction::ToV200, "**TI92P*", v200.c_str()},
      {"**TI92P*", Direction::ToTi92Plus, "**TI92P*", spaces.c_str()},
      {"**TI92P*", Direction::ToTi89, "**TI89**", spaces.c_str()},
      {"**TI89**", Direction::ToV200, "**TI92P*", v200.c_str()},
      {"**TI89**", Direction::ToTi92Plus, "**TI92P*", spaces.c_str()},
      {"**TI89**", Direction::ToTi89, "**TI89**", spaces.c_str()},
      {"**TI92**", Direction::ToV200, "**TI92P*", v200.c_str()},
      {"**TI92**", Direction::ToTi89, "**TI89**", spaces.c_str()},
      {"**V200**", Direction::ToTi92Plus, "**TI92P*", spaces.c_str()},
      // Not a file of these calculators: as the command line has always converted it.
      {"ABCDEFGH", Direction::ToV200, "ABCDEFPH", v200.c_str()},
      {"ABCDEFGH", Direction::ToTi92Plus, "ABCDEFGH", spaces.c_str()},
      {"ABCDEFGH", Direction::ToTi89, "ABCDEFGH", spaces.c_str()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.source) + " to " + row.signature);
    unsigned char header[kHeaderSpan];
    for (std::size_t i = 0; i < kHeaderSpan; ++i) header[i] = static_cast<unsigned char>(i + 1);
    std::copy(row.source, row.source + 8, header);
    RewriteHeader(row.direction, header, "23/02/03, 14:09");
    const std::string after(reinterpret_cast<const char*>(header), kHeaderSpan);
    EXPECT_EQ(after.substr(0, 8), row.signature);
    for (std::size_t i = 8; i < kHeaderTextStart; ++i) EXPECT_EQ(header[i], i + 1) << i;
    EXPECT_EQ(after.substr(kHeaderTextStart), row.text);
  }
}

}  // namespace
}  // namespace orbisk
