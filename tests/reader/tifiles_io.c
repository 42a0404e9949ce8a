/* Writing and reading one text variable with libtifiles, whose headers are C only. */
#include "tifiles_io.h"

#include <glib.h>
#include <string.h>
#include <tifiles.h>

void tifiles_io_init(void) { tifiles_library_init(); }

void tifiles_io_exit(void) { tifiles_library_exit(); }

int tifiles_io_write_ti92plus_text(const char *path, const uint8_t *data, size_t size) {
  FileContent *content = tifiles_content_create_regular(CALC_TI92P);
  VarEntry *entry = tifiles_ve_create();
  strcpy(entry->folder, "main");
  strcpy(entry->name, "notes");
  entry->type = TIFILES_IO_TEXT_TYPE;
  entry->size = (uint32_t)size;
  entry->data = tifiles_ve_alloc_data(size);
  memcpy(entry->data, data, size);
  tifiles_content_add_entry(content, entry);
  char *written = NULL;
  const int error = tifiles_file_write_regular(path, content, &written);
  g_free(written);
  tifiles_content_delete_regular(content);
  return error;
}

static enum TifilesIoModel from_library(CalcModel model) {
  switch (model) {
    case CALC_TI92P: return TIFILES_IO_TI92PLUS;
    case CALC_V200: return TIFILES_IO_V200;
    case CALC_TI89: return TIFILES_IO_TI89;
    default: return TIFILES_IO_OTHER;
  }
}

void tifiles_io_read(const char *path, struct TifilesIoRead *out) {
  memset(out, 0, sizeof *out);
  const CalcModel by_name = tifiles_file_get_model(path);
  out->by_name = from_library(by_name);
  FileContent *content = tifiles_content_create_regular(CALC_NONE);
  out->error = tifiles_file_read_regular(path, content);
  if (out->error == 0) {
    out->compatible_content = tifiles_calc_are_compat(content->model, by_name);
    out->checksum_verified = content->checksum == content->stored_checksum;
    memcpy(out->default_folder, content->default_folder, sizeof out->default_folder);
    out->entries = content->num_entries;
    if (content->num_entries > 0) {
      const VarEntry *entry = content->entries[0];
      memcpy(out->folder, entry->folder, sizeof out->folder);
      memcpy(out->name, entry->name, sizeof out->name);
      out->type = entry->type;
      out->size = entry->size <= sizeof out->data ? entry->size : 0;
      memcpy(out->data, entry->data, out->size);
    }
  }
  tifiles_content_delete_regular(content);
}
