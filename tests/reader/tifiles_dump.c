/* Says what libtifiles reads in a file of one variable, for the tests that drive the real
   program: its model, whether the checksum holds, the variable's folder, name and type, and
   its data after the size and the cursor up to the first 00, in hex.
   Usage: tifiles_dump FILE */
#include <stdio.h>

#include "tifiles_io.h"

static const char* model_name(enum TifilesIoModel model) {
  switch (model) {
    case TIFILES_IO_TI92PLUS: return "TI92+";
    case TIFILES_IO_V200: return "V200";
    case TIFILES_IO_TI89: return "TI89";
    default: return "other";
  }
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: tifiles_dump FILE\n");
    return 2;
  }
  static struct TifilesIoRead read;
  tifiles_io_init();
  tifiles_io_read(argv[1], &read);
  tifiles_io_exit();
  if (read.error != 0) {
    printf("error %d\n", read.error);
    return 1;
  }
  printf("model %s compatible %d checksum %d entries %u\n", model_name(read.by_name),
         read.compatible_content, read.checksum_verified, read.entries);
  printf("variable %s\\%s type %02X\n", read.folder, read.name, read.type);
  printf("text");
  for (size_t i = 4; i < read.size && read.data[i] != 0; i++) printf(" %02x", read.data[i]);
  printf("\n");
  return 0;
}
