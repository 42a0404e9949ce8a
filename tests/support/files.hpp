// Reading and writing whole test files, and the sample contents tests convert.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "model.hpp"

namespace orbisk::testing {

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// `size` bytes shaped like a TI92+ text file: a real header in front, then every byte value
// from 0x00 to 0xFF in turn, so each value passes through the conversion somewhere.
std::string SampleTi92PlusFile(std::size_t size);

// A text variable's file for `model`, named `name` in the folder main, holding the codes of
// a text (lines separated by 0x0D, each starting with its command code).
std::string CalculatorTextFile(const std::string& codes, Model model = Model::Ti92Plus,
                               const std::string& name = "notes");

// Sound data of `size` bytes or so for a variable of `type`, every other byte made from
// `seed`: a text or a program in text form ends as it must; other types hold any bytes.
std::string SampleVariableData(unsigned char type, std::size_t size, unsigned seed = 1);

// What a conversion must write for `source`: the header bytes rewritten, the rest the same.
std::string ExpectedV200(const std::string& source, const std::string& stamp);
std::string ExpectedTi92Plus(const std::string& source);

// Equal contents; on a difference, says where the first one is instead of printing both.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected);

}  // namespace orbisk::testing
