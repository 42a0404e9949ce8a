// The header rewrite for each target model: another model's file gets the target's whole
// signature; a TI92+ file, or a file that is no calculator's, keeps its bytes as always.
#include "header.hpp"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

TEST(HeaderTest, SignaturesFollowTheTargetModel) {
  struct Row {
    const char* source;
    Model target;
    const char* signature;
    const char* text;  // bytes 18 to 48
  };
  const std::string v200 = "TextObject file 23/02/03, 14:09";
  const std::string spaces(31, ' ');
  const Row rows[] = {
      {"**TI92P*", Model::Voyager200, "**TI92P*", v200.c_str()},
      {"**TI92P*", Model::Ti92Plus, "**TI92P*", spaces.c_str()},
      {"**TI92P*", Model::Ti89, "**TI89**", spaces.c_str()},
      {"**TI89**", Model::Voyager200, "**TI92P*", v200.c_str()},
      {"**TI89**", Model::Ti92Plus, "**TI92P*", spaces.c_str()},
      {"**TI89**", Model::Ti89, "**TI89**", spaces.c_str()},
      {"**TI92**", Model::Voyager200, "**TI92P*", v200.c_str()},
      {"**TI92**", Model::Ti89, "**TI89**", spaces.c_str()},
      {"**V200**", Model::Ti92Plus, "**TI92P*", spaces.c_str()},
      // Not a file of these calculators: as the command line has always converted it.
      {"ABCDEFGH", Model::Voyager200, "ABCDEFPH", v200.c_str()},
      {"ABCDEFGH", Model::Ti92Plus, "ABCDEFGH", spaces.c_str()},
      {"ABCDEFGH", Model::Ti89, "ABCDEFGH", spaces.c_str()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.source) + " to " + row.signature);
    unsigned char header[kHeaderSpan];
    for (std::size_t i = 0; i < kHeaderSpan; ++i) header[i] = static_cast<unsigned char>(i + 1);
    std::copy(row.source, row.source + 8, header);
    RewriteHeader(row.target, header, "23/02/03, 14:09");
    const std::string after(reinterpret_cast<const char*>(header), kHeaderSpan);
    EXPECT_EQ(after.substr(0, 8), row.signature);
    for (std::size_t i = 8; i < kHeaderTextStart; ++i) EXPECT_EQ(header[i], i + 1) << i;
    EXPECT_EQ(after.substr(kHeaderTextStart), row.text);
  }
}

}  // namespace
}  // namespace orbisk
