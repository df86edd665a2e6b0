# Registers the tests of a GoogleTest program with CTest.
#
# By default every test is its own CTest test, so a failure names it and a
# crash takes only it down. With LINGROVE_TEST_PER_PROGRAM a program runs its
# tests in a few processes (GoogleTest's shards, so that parallel CTest jobs
# stay busy): a process's start (Qt, the offscreen platform, fonts) and,
# under the sanitizers, its leak check at exit cost far more than most
# tests, so scripts/test registers shards, which halves its test time.
# Takes gtest_discover_tests's arguments; a per-test TIMEOUT is then raised
# to cover a shard.
option(LINGROVE_TEST_PER_PROGRAM "Register each test program as a few CTest tests" OFF)
set(LINGROVE_TEST_SHARDS 4 CACHE STRING "Processes per test program with LINGROVE_TEST_PER_PROGRAM")

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
  math(EXPR Last "${LINGROVE_TEST_SHARDS} - 1")
  foreach(Shard RANGE ${Last})
    set(Name "${Target}/${Shard}")
    add_test(NAME ${Name} COMMAND ${Target})
    set_tests_properties(${Name} PROPERTIES TIMEOUT 900 ${Properties})
    set_property(TEST ${Name} APPEND PROPERTY ENVIRONMENT
      GTEST_TOTAL_SHARDS=${LINGROVE_TEST_SHARDS} GTEST_SHARD_INDEX=${Shard})
  endforeach()
endfunction()
