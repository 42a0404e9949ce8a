// A tokenized program or function read back as the text the calculator's program editor
// shows: its arguments on the first line ("(x,y)"), then its lines, as a program kept in
// text form holds them.
//
// The data is read backwards from its end, as the calculator reads it: the closing tag DC,
// the flags, the arguments down to their E5, then the statements, the first one first,
// down to the E9 that opens the data. Every length, count and jump is checked against what
// is left, and an entry whose tag is not known becomes a mark in the text ("◆" and the
// tag's bytes) while the rest is still read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "calculator_text.hpp"

namespace orbisk {

struct DetokenizedProgram {
  // A tag that could not be read, as it appeared first: its byte, and the byte before it
  // for the tags behind E3, E4 and 1C (then `code` is that byte and `prefix` the E3, E4 or
  // 1C); `offset` is where it lies in the data.
  struct Unknown {
    unsigned char prefix = 0;
    unsigned char code = 0;
    std::size_t offset = 0;
  };
  CalculatorText text;
  std::vector<Unknown> unknown;  // each different tag once, in the order met
  bool cutShort = false;         // the data ended before the E9 that opens it
};

// Reads the data of a tokenized program or function (it ends in DC). `function` says
// which: a function that is one expression is shown between Func and EndFunc, as the
// calculator's editor shows it.
DetokenizedProgram Detokenize(std::string_view data, bool function);

// Detokenize for a text that is only written out, as UTF-8 with a line end after each
// line (as a program's text is written): the text goes to `write` in pieces as it is
// read, so that a long program takes little memory, and the result's text stays empty.
DetokenizedProgram DetokenizeToUtf8(std::string_view data, bool function,
                                    const std::function<void(std::string_view utf8)>& write);

}  // namespace orbisk
