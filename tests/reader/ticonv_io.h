/* The calculators' character set as libticonv maps it, whose headers are C only. */
#ifndef ORBISK_TICONV_IO_H
#define ORBISK_TICONV_IO_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

enum TiconvIoModel { TICONV_IO_TI89, TICONV_IO_TI92PLUS, TICONV_IO_V200 };

/* The UTF-8 text libticonv gives one calculator code, into `out`; returns its length. */
size_t ticonv_io_to_utf8(enum TiconvIoModel model, unsigned char code, char* out, size_t room);
/* The calculator codes libticonv gives a UTF-8 text, into `out`; returns how many. */
size_t ticonv_io_from_utf8(enum TiconvIoModel model, const char* utf8, unsigned char* out,
                           size_t room);

#ifdef __cplusplus
}
#endif

#endif
