# veltria_add_test_program(<name> SOURCES ... [LIBS ...] [LABELS ...]
#                          [LAUNCHER <script>] [ENVIRONMENT ...] [PROPERTIES ...])
#
# One GoogleTest program. Without a launcher every test case becomes a CTest
# test of its own (discovered before the run); with one, the launcher runs
# the whole program as a single CTest test (the windowed tests run under
# tests/app/xvfb_run.sh, which answers 77, a skip, when there is no Xvfb).
# PROPERTIES are extra CTest properties as name/value pairs.
set(VELTRIA_TEST_ENVIRONMENT
    "ASAN_OPTIONS=allocator_may_return_null=1:detect_leaks=1"
    "UBSAN_OPTIONS=print_stacktrace=1")

function(veltria_add_test_program name)
  cmake_parse_arguments(T "" "LAUNCHER" "SOURCES;LIBS;LABELS;ENVIRONMENT;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE VELTRIA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(T_ENVIRONMENT)
    set(env ${T_ENVIRONMENT})
  else()
    set(env ${VELTRIA_TEST_ENVIRONMENT})
  endif()
  if(T_LAUNCHER)
    add_test(NAME ${name} COMMAND ${T_LAUNCHER} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}" ENVIRONMENT "${env}"
                                            SKIP_RETURN_CODE 77 ${T_PROPERTIES})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                         PROPERTIES LABELS "${T_LABELS}" ENVIRONMENT "${env}" ${T_PROPERTIES})
  endif()
endfunction()
