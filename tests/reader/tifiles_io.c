/* Writing and reading one text variable with libtifiles, whose headers are C only. */
#include "tifiles_io.h"

#include <glib.h>
#include <string.h>
#include <tifiles.h>

void tifiles_io_init(void) { tifiles_library_init(); }

void tifiles_io_exit(void) { tifiles_library_exit(); }

int tifiles_io_write_ti92plus_text(const char* path, const uint8_t* data, size_t size) {
  static struct TifilesIoVariable variable;
  strcpy(variable.folder, "main");
  strcpy(variable.name, "notes");
  variable.type = TIFILES_IO_TEXT_TYPE;
  variable.size = size <= sizeof variable.data ? size : 0;
  memcpy(variable.data, data, variable.size);
  return tifiles_io_write(path, TIFILES_IO_TI92PLUS, &variable, 1);
}

static enum TifilesIoModel from_library(CalcModel model) {
  switch (model) {
    case CALC_TI92P: return TIFILES_IO_TI92PLUS;
    case CALC_V200: return TIFILES_IO_V200;
    case CALC_TI89: return TIFILES_IO_TI89;
    default: return TIFILES_IO_OTHER;
  }
}

void tifiles_io_read(const char* path, struct TifilesIoRead* out) {
  memset(out, 0, sizeof *out);
  const CalcModel by_name = tifiles_file_get_model(path);
  out->by_name = from_library(by_name);
  FileContent* content = tifiles_content_create_regular(CALC_NONE);
  out->error = tifiles_file_read_regular(path, content);
  if (out->error == 0) {
    out->compatible_content = tifiles_calc_are_compat(content->model, by_name);
    out->checksum_verified = content->checksum == content->stored_checksum;
    memcpy(out->default_folder, content->default_folder, sizeof out->default_folder);
    out->entries = content->num_entries;
    if (content->num_entries > 0) {
      const VarEntry* entry = content->entries[0];
      memcpy(out->folder, entry->folder, sizeof out->folder);
      memcpy(out->name, entry->name, sizeof out->name);
      out->type = entry->type;
      out->size = entry->size <= sizeof out->data ? entry->size : 0;
      memcpy(out->data, entry->data, out->size);
    }
  }
  tifiles_content_delete_regular(content);
}

static CalcModel to_library(enum TifilesIoModel model) {
  switch (model) {
    case TIFILES_IO_TI92PLUS: return CALC_TI92P;
    case TIFILES_IO_V200: return CALC_V200;
    case TIFILES_IO_TI89: return CALC_TI89;
    default: return CALC_NONE;
  }
}

int tifiles_io_write(const char* path, enum TifilesIoModel model,
                     const struct TifilesIoVariable* variables, unsigned count) {
  FileContent* content = tifiles_content_create_regular(to_library(model));
  for (unsigned i = 0; i < count; i++) {
    VarEntry* entry = tifiles_ve_create();
    strcpy(entry->folder, variables[i].folder);
    strcpy(entry->name, variables[i].name);
    entry->type = (uint8_t)variables[i].type;
    entry->attr = variables[i].archived ? ATTRB_ARCHIVED : ATTRB_NONE;
    entry->size = (uint32_t)variables[i].size;
    entry->data = tifiles_ve_alloc_data(variables[i].size);
    memcpy(entry->data, variables[i].data, variables[i].size);
    tifiles_content_add_entry(content, entry);
  }
  char* written = NULL;
  const int error = tifiles_file_write_regular(path, content, &written);
  g_free(written);
  tifiles_content_delete_regular(content);
  return error;
}

void tifiles_io_read_all(const char* path, struct TifilesIoFile* out) {
  memset(out, 0, sizeof *out);
  FileContent* content = tifiles_content_create_regular(CALC_NONE);
  out->error = tifiles_file_read_regular(path, content);
  if (out->error == 0) {
    out->model = from_library(content->model);
    out->checksums_verified = content->checksum == content->stored_checksum;
    out->count = content->num_entries;
    for (unsigned i = 0; i < content->num_entries && i < TIFILES_IO_MAX_ENTRIES; i++) {
      const VarEntry* entry = content->entries[i];
      struct TifilesIoVariable* variable = &out->variables[i];
      g_strlcpy(variable->folder, entry->folder, sizeof variable->folder);
      g_strlcpy(variable->name, entry->name, sizeof variable->name);
      variable->type = entry->type;
      variable->archived = entry->attr == ATTRB_ARCHIVED;
      variable->size = entry->size <= sizeof variable->data ? entry->size : 0;
      memcpy(variable->data, entry->data, variable->size);
    }
  }
  tifiles_content_delete_regular(content);
}

const char* tifiles_io_extension(enum TifilesIoModel model, unsigned type, int group) {
  return group ? tifiles_fext_of_group(to_library(model))
               : tifiles_vartype2fext(to_library(model), (uint8_t)type);
}

int tifiles_io_write_flash(const char* path, enum TifilesIoModel model, unsigned data_type,
                           const uint8_t* data, size_t size) {
  FlashContent* content = tifiles_content_create_flash(to_library(model));
  content->revision_major = 1;
  content->object_type = 0;
  g_strlcpy(content->name, "appli", sizeof content->name);
  content->device_type = model == TIFILES_IO_TI89 ? 0x98 : 0x88;
  content->data_type = (uint8_t)data_type;
  content->data_length = (uint32_t)size;
  content->data_part = g_malloc0(size + 1);
  memcpy(content->data_part, data, size);
  const int error = tifiles_file_write_flash(path, content);
  tifiles_content_delete_flash(content);
  return error;
}

int tifiles_io_write_backup(const char* path, enum TifilesIoModel model, const uint8_t* data,
                            size_t size) {
  BackupContent* content = tifiles_content_create_backup(to_library(model));
  g_strlcpy(content->comment, "Backup file", sizeof content->comment);
  g_strlcpy(content->rom_version, "2.09", sizeof content->rom_version);
  content->type = 0x1D;
  content->data_length = (uint32_t)size;
  content->data_part = g_malloc0(size + 1);
  memcpy(content->data_part, data, size);
  const int error = tifiles_file_write_backup(path, content);
  tifiles_content_delete_backup(content);
  return error;
}

int tifiles_io_is_flash(const char* path) { return tifiles_file_is_flash(path); }
int tifiles_io_is_backup(const char* path) { return tifiles_file_is_backup(path); }
