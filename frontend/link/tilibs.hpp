// Debian's calculator link libraries, as C++ includes them: their headers use C's
// `restrict`, which C++ spells __restrict.
#pragma once

#define restrict __restrict
#include <ticables.h>
#include <ticalcs.h>
#include <tifiles.h>
#undef restrict
