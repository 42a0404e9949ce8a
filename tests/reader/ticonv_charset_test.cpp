// An independent table of the calculators' characters agrees with ours on every code, both
// ways, for each model, but where ours deliberately differs: codes with no visible
// character of their own have a Control Picture, so that none is invisible and 0x0A never
// becomes a line end.
#include <gtest/gtest.h>

#include "charset.hpp"
#include "ticonv_io.h"

namespace orbisk {
namespace {

bool ShownAsControlPicture(unsigned code) { return code <= 0x0A || code == 0x0C || code == 0x0D; }

// Its surrogates for 0x95 𝖤 (U+1D5A4) and 0x97 𝒊 (U+1D48A) have one bit wrong, which makes
// them U+2D5A4 and U+2D48A; ours are right, and our import reads theirs.
bool ItsSurrogatesAreWrong(unsigned code) { return code == 0x95 || code == 0x97; }

class TiconvCharsetTest : public ::testing::TestWithParam<TiconvIoModel> {
 protected:
  std::string Theirs(unsigned code) const {
    char out[16];
    return std::string(
        out, ticonv_io_to_utf8(GetParam(), static_cast<unsigned char>(code), out, sizeof out));
  }
  std::string TheirCodes(const std::string& utf8) const {
    unsigned char out[16];
    const std::size_t n = ticonv_io_from_utf8(GetParam(), utf8.c_str(), out, sizeof out);
    return std::string(reinterpret_cast<char*>(out), n);
  }
};

TEST_P(TiconvCharsetTest, GivesEachCodeTheSameCharacter) {
  for (unsigned code = 0x01; code <= 0xFF; ++code) {
    SCOPED_TRACE(code);
    if (ShownAsControlPicture(code)) {
      // Theirs is the raw control character; ours its picture.
      EXPECT_EQ(Theirs(code), std::string(1, static_cast<char>(code)));
      std::string picture;
      AppendCodePoint(picture, 0x2400 + code);
      EXPECT_EQ(CharacterOf(static_cast<unsigned char>(code)), picture);
    } else if (ItsSurrogatesAreWrong(code)) {
      std::string wrong;
      AppendCodePoint(wrong, code == 0x95 ? 0x2D5A4 : 0x2D48A);
      EXPECT_EQ(Theirs(code), wrong);
      std::string right;
      AppendCodePoint(right, code == 0x95 ? 0x1D5A4 : 0x1D48A);
      EXPECT_EQ(CharacterOf(static_cast<unsigned char>(code)), right);
    } else {
      EXPECT_EQ(CharacterOf(static_cast<unsigned char>(code)), Theirs(code));
    }
  }
}

TEST_P(TiconvCharsetTest, ReadsBackTheOtherTablesCharacters) {
  for (unsigned code = 0x01; code <= 0xFF; ++code) {
    SCOPED_TRACE(code);
    const std::string theirs = Theirs(code);
    // Our import reads their raw control characters as the same codes, but for the two
    // that end a line there.
    if (code != 0x0A && code != 0x0D) {
      const DecodedCharacter ours = DecodeCharacter(theirs, 0);
      EXPECT_EQ(ours.kind, DecodedCharacter::Kind::Code);
      EXPECT_EQ(ours.code, code);
      EXPECT_EQ(ours.length, theirs.size());
    }
    if (!ShownAsControlPicture(code) && !ItsSurrogatesAreWrong(code)) {
      EXPECT_EQ(TheirCodes(CharacterOf(static_cast<unsigned char>(code))),
                std::string(1, static_cast<char>(code)));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Models, TiconvCharsetTest,
                         ::testing::Values(TICONV_IO_TI89, TICONV_IO_TI92PLUS, TICONV_IO_V200),
                         [](const auto& row) {
                           return row.param == TICONV_IO_TI89       ? std::string("Ti89")
                                  : row.param == TICONV_IO_TI92PLUS ? std::string("Ti92Plus")
                                                                    : std::string("V200");
                         });

}  // namespace
}  // namespace orbisk
