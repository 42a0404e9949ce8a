/* Preloaded into the program under test: a file system without unnamed temporary files
   (O_TMPFILE is refused, as on file systems that lack it). With ORBISK_PAUSE_MARK set,
   creating one of Orbisk's named temporary files writes that file, then waits until the test
   removes it (after sending its signal) or a signal interrupts the wait, so the signal comes
   while the temporary file exists, however busy the machine. (A minute is the most it waits:
   a test that never answers still ends.) */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

typedef int (*Openat)(int, const char*, int, ...);

static int is_temporary(const char* path) {
  const char* name = strrchr(path, '/');
  name = name == NULL ? path : name + 1;
  return strncmp(name, ".orbisk-", 8) == 0;
}

static void announce_and_wait(const char* path) {
  const char* mark = getenv("ORBISK_PAUSE_MARK");
  if (mark == NULL) return;
  /* Written aside, then renamed: the test reads the mark as soon as it exists, and must
     never find it empty or half-written. */
  char part[4096];
  if (snprintf(part, sizeof part, "%s.part", mark) >= (int)sizeof part) return;
  FILE* file = fopen(part, "w");
  if (file == NULL) return;
  fputs(path, file);
  if (fclose(file) != 0 || rename(part, mark) != 0) return;
  const struct timespec pause = {0, 10 * 1000 * 1000};
  for (int waited = 0; waited < 6000 && access(mark, F_OK) == 0; ++waited) {
    if (nanosleep(&pause, NULL) != 0 && errno == EINTR) break;
  }
}

static int shimmed(int folder, const char* path, int flags, mode_t mode) {
  if ((flags & O_TMPFILE) == O_TMPFILE) {
    errno = EOPNOTSUPP;
    return -1;
  }
  static Openat real = NULL;
  if (real == NULL) real = (Openat)dlsym(RTLD_NEXT, "openat");
  const int fd = real(folder, path, flags, mode);
  if (fd >= 0 && (flags & O_CREAT) && (flags & O_EXCL) && is_temporary(path)) {
    announce_and_wait(path);
  }
  return fd;
}

static mode_t mode_of(int flags, va_list arguments) {
  return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? (mode_t)va_arg(arguments, int) : 0;
}

int openat(int folder, const char* path, int flags, ...) {
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = mode_of(flags, arguments);
  va_end(arguments);
  return shimmed(folder, path, flags, mode);
}

int openat64(int folder, const char* path, int flags, ...) {
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = mode_of(flags, arguments);
  va_end(arguments);
  return shimmed(folder, path, flags, mode);
}

int open(const char* path, int flags, ...) {
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = mode_of(flags, arguments);
  va_end(arguments);
  return shimmed(AT_FDCWD, path, flags, mode);
}

int open64(const char* path, int flags, ...) {
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = mode_of(flags, arguments);
  va_end(arguments);
  return shimmed(AT_FDCWD, path, flags, mode);
}
