# Registers the tests of a GoogleTest program with CTest.
#
# By default every test is its own CTest test, so a failure names it and a
# crash takes only it down. With LINGROVE_TEST_PER_PROGRAM each program runs
# once with all its tests: under the sanitizers a process's start and its
# leak check at exit cost far more than most tests, so the sanitized run
# registers programs. Takes gtest_discover_tests's arguments; a per-test
# TIMEOUT is then raised to cover the whole program.
option(LINGROVE_TEST_PER_PROGRAM "Register each test program as one CTest test" OFF)

function(lingrove_discover_tests Target)
  if(NOT LINGROVE_TEST_PER_PROGRAM)
    gtest_discover_tests(${Target} ${ARGN})
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 ARG "NO_PRETTY_VALUES;NO_PRETTY_TYPES" "" "PROPERTIES")
  set(Properties "")
  set(SkipNext FALSE)
  foreach(Item IN LISTS ARG_PROPERTIES)
    if(SkipNext)
      set(SkipNext FALSE)
    elseif(Item STREQUAL "TIMEOUT")
      set(SkipNext TRUE)
    else()
      list(APPEND Properties "${Item}")
    endif()
  endforeach()
  add_test(NAME ${Target} COMMAND ${Target})
  set_tests_properties(${Target} PROPERTIES TIMEOUT 1500 ${Properties})
endfunction()
