/* The calculators' character set as libticonv maps it. */
#include "ticonv_io.h"

#include <string.h>
#include <ticonv.h>

static CalcModel from_io(enum TiconvIoModel model) {
  return model == TICONV_IO_TI89 ? CALC_TI89 : model == TICONV_IO_V200 ? CALC_V200 : CALC_TI92P;
}

size_t ticonv_io_to_utf8(enum TiconvIoModel model, unsigned char code, char* out, size_t room) {
  const char ti[2] = {(char)code, 0};
  unsigned short* utf16 = ticonv_charset_ti_to_utf16(from_io(model), ti);
  char* utf8 = ticonv_utf16_to_utf8(utf16);
  const size_t length = strlen(utf8) < room ? strlen(utf8) : room;
  memcpy(out, utf8, length);
  ticonv_utf8_free(utf8);
  ticonv_utf16_free(utf16);
  return length;
}

size_t ticonv_io_from_utf8(enum TiconvIoModel model, const char* utf8, unsigned char* out,
                           size_t room) {
  unsigned short* utf16 = ticonv_utf8_to_utf16(utf8);
  char* ti = ticonv_charset_utf16_to_ti(from_io(model), utf16);
  const size_t length = strlen(ti) < room ? strlen(ti) : room;
  memcpy(out, ti, length);
  ticonv_ti_free(ti);
  ticonv_utf16_free(utf16);
  return length;
}
