# The Windows build (MinGW-w64 cross build, see mingw-w64-x86_64.cmake): its
# GoogleTest, the Wine prefix its tests run in, and where the Linux build that
# the Windows programs are compared against lives.

if(NOT BUILD_TESTING)
  return()
endif()

# Debian ships GoogleTest as a library for Linux only, and its sources: build
# those for Windows, in a folder of their own. They define the same GTest::
# targets as find_package(GTest) does on Linux.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# The Linux build whose programs the Windows ones are compared against (its
# programs are built before the Windows tests run; see ./kit).
set(KIT_LINUX_BUILD_DIR ${PROJECT_SOURCE_DIR}/build/default CACHE PATH
    "The Linux build the Windows programs are compared against")

# One Wine prefix per test run, in the build folder, and the X display its
# window tests draw on. A setup test makes both; a cleanup test ends them.
set(KIT_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
set(KIT_WINE_PREFIX ${KIT_WINE_DIR}/prefix)
# What every Windows test runs with: quiet, no prompts for Mono or Gecko, and
# a locale in which Wine takes Unix file names as UTF-8.
set(KIT_WINE_ENVIRONMENT
  "WINEPREFIX=${KIT_WINE_PREFIX}"
  "WINEARCH=win64"
  "WINEDEBUG=-all"
  "WINEDLLOVERRIDES=mscoree,mshtml="
  "LANG=C.UTF-8"
  "LC_ALL=C.UTF-8"
  "KIT_WINE_DIR=${KIT_WINE_DIR}")
# Every .exe a test names runs through Wine, with the display of this run.
set(KIT_WINE ${PROJECT_SOURCE_DIR}/cmake/wine/kit-wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KIT_WINE})

add_test(NAME windows.wine.setup COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/wine/setup.sh)
add_test(NAME windows.wine.cleanup COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/wine/cleanup.sh)
set_tests_properties(windows.wine.setup PROPERTIES
  FIXTURES_SETUP kit_wine ENVIRONMENT "${KIT_WINE_ENVIRONMENT}" TIMEOUT 180)
set_tests_properties(windows.wine.cleanup PROPERTIES
  FIXTURES_CLEANUP kit_wine ENVIRONMENT "${KIT_WINE_ENVIRONMENT}" TIMEOUT 60)

# kit_add_windows_test(NAME name COMMAND ... [WORKING_DIRECTORY dir]): a test
# that runs under this run's Wine prefix. A target named first in COMMAND runs
# through Wine by itself; a script calls ${KIT_WINE} (also in the test's
# environment as KIT_WINE) to run an .exe.
function(kit_add_windows_test)
  cmake_parse_arguments(arg "" "NAME" "" ${ARGN})
  add_test(NAME ${arg_NAME} ${arg_UNPARSED_ARGUMENTS})
  set_tests_properties(${arg_NAME} PROPERTIES
    FIXTURES_REQUIRED kit_wine
    ENVIRONMENT "${KIT_WINE_ENVIRONMENT};KIT_WINE=${KIT_WINE}"
    LABELS windows)
endfunction()

# kit_add_windows_gtest(target): one CTest test running every GoogleTest case
# of a Windows test program. Listing the cases would mean starting Wine at
# build time, before any prefix exists; one test per program keeps the run
# fast, and a failure still names each failed case in the output.
function(kit_add_windows_gtest target)
  kit_add_windows_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
endfunction()
