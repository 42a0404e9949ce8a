# One CTest test per GoogleTest suite of a test executable. The suites are asked of the
# executable after each build, so a new one is never left out; a test a suite keeps CTest's
# progress lines short, whatever the names of the cases inside.
set(ORBISK_SUITE_LISTER "${CMAKE_CURRENT_LIST_DIR}/ListSuites.cmake")

function(orbisk_add_suite_tests target)
  set(tests_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_COMMAND}" "-DEXECUTABLE=$<TARGET_FILE:${target}>"
            "-DOUTPUT=${tests_file}" -P "${ORBISK_SUITE_LISTER}"
    VERBATIM)
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${tests_file}")
endfunction()
