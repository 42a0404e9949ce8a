// Our models and the library's names for them, for the tests that check our files with it.
#pragma once

#include "model.hpp"
#include "tifiles_io.h"

namespace orbisk {

struct ModelRow {
  Model model;
  TifilesIoModel library;
};
constexpr ModelRow kModelRows[] = {{Model::Ti92Plus, TIFILES_IO_TI92PLUS},
                                   {Model::Voyager200, TIFILES_IO_V200},
                                   {Model::Ti89, TIFILES_IO_TI89}};

}  // namespace orbisk
