# Writes OUTPUT: an add_test for each suite that EXECUTABLE lists (--gtest_list_tests), run
# alone with a filter. A suite is a line that starts in the first column: "Suite." or
# "Instances/Suite." with perhaps a comment after it.
execute_process(COMMAND "${EXECUTABLE}" --gtest_list_tests
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${EXECUTABLE} --gtest_list_tests failed: ${status}")
endif()
# A parameter's value in a comment may hold a ";", which would split a line in two.
string(REPLACE ";" "," listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(tests "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ #][^ ]*)\\.")
    string(APPEND tests "add_test([=[${CMAKE_MATCH_1}]=] [=[${EXECUTABLE}]=] "
                        "[=[--gtest_filter=${CMAKE_MATCH_1}.*]=])\n")
  endif()
endforeach()
file(WRITE "${OUTPUT}" "${tests}")
