# GoogleTest, built with the cross-compiler from the sources Debian's googletest package installs, and one
# CTest entry per test executable (each starts Wine once; a crash or hang fails fast on the timeout).
enable_testing()
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)

set(QUILLON_TEST_TIMEOUT 300 CACHE STRING "Seconds one test executable may run")

# quillon_add_test(name SOURCES a.cpp b.cpp LIBS x y [TIMEOUT s] [NO_TEST])
# NO_TEST builds the executable only, for a suite that registers its own runs.
function(quillon_add_test name)
  cmake_parse_arguments(T "NO_TEST" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main)
  target_compile_options(${name} PRIVATE -Wno-missing-field-initializers)
  if(T_NO_TEST)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT ${QUILLON_TEST_TIMEOUT})
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  # One display is shared by every suite that does not bring its own: they take turns on it.
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} RESOURCE_LOCK display)
endfunction()
