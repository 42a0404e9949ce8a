# Warning flags shared by every target of the project; not installed.
add_library(orbisk_warnings INTERFACE)
target_compile_options(orbisk_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  $<$<BOOL:${ORBISK_WARNINGS_AS_ERRORS}>:-Werror>)
