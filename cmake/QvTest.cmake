# qv_add_test(NAME SOURCES a.cpp b.cpp LIBS qv_core ...)
# One GoogleTest executable linking the module's library (never its sources) and the shared
# test helpers; each TEST becomes a ctest case.
function(qv_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE qv_testsupport ${T_LIBS} GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
