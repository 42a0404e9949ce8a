/* Writing and reading one text variable with libtifiles, whose headers are C only. */
#ifndef ORBISK_TIFILES_IO_H
#define ORBISK_TIFILES_IO_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum { TIFILES_IO_TEXT_TYPE = 0x0B }; /* the text variable type on both models */
enum TifilesIoModel { TIFILES_IO_TI92PLUS, TIFILES_IO_V200, TIFILES_IO_TI89, TIFILES_IO_OTHER };

/* What the library read from a file holding one variable (names as long as the library's). */
struct TifilesIoRead {
  int error;                   /* the library's error code, 0 when it read the file */
  enum TifilesIoModel by_name; /* the model the library gives the file's name */
  int compatible_content;      /* whether the header's model suits the named model */
  int checksum_verified;       /* the computed checksum equals the stored one */
  char default_folder[1024];
  unsigned entries;
  char folder[1024];
  char name[1024];
  unsigned type;
  size_t size;
  uint8_t data[70000];
};

/* One variable of a file, as the library writes and reads it: `data` starts with the
   variable's size on two bytes, as the library keeps it. */
enum { TIFILES_IO_MAX_ENTRIES = 16 };
struct TifilesIoVariable {
  char folder[16];
  char name[16];
  unsigned type;
  int archived;
  size_t size;
  uint8_t data[70000];
};
struct TifilesIoFile {
  int error;
  enum TifilesIoModel model; /* the model of the signature the library read */
  int checksums_verified;
  unsigned count;
  struct TifilesIoVariable variables[TIFILES_IO_MAX_ENTRIES];
};

void tifiles_io_init(void);
void tifiles_io_exit(void);
/* Writes a TI92+ file of one text variable main\notes holding `data`; returns the error. */
int tifiles_io_write_ti92plus_text(const char* path, const uint8_t* data, size_t size);
void tifiles_io_read(const char* path, struct TifilesIoRead* out);
/* Writes the `count` variables (a group when there are several) for `model`. */
int tifiles_io_write(const char* path, enum TifilesIoModel model,
                     const struct TifilesIoVariable* variables, unsigned count);
/* The extension the library gives a file of `model`: a group's, or a single variable's of
   `type`. */
const char* tifiles_io_extension(enum TifilesIoModel model, unsigned type, int group);
/* Reads every variable of a single or group file. */
void tifiles_io_read_all(const char* path, struct TifilesIoFile* out);
/* A Flash file of `data_type` (0x23 system, 0x24 application, 0x25 certificate), and a
   backup of `size` bytes of memory; each returns the error. */
int tifiles_io_write_flash(const char* path, enum TifilesIoModel model, unsigned data_type,
                           const uint8_t* data, size_t size);
int tifiles_io_write_backup(const char* path, enum TifilesIoModel model, const uint8_t* data,
                            size_t size);
/* What the library takes a file for. */
int tifiles_io_is_flash(const char* path);
int tifiles_io_is_backup(const char* path);

#ifdef __cplusplus
}
#endif

#endif
