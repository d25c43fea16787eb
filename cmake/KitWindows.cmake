# The Windows build (MinGW-w64 cross build, see mingw-w64-x86_64.cmake): the
# zips the programs ship in, and for the tests: GoogleTest, the Wine prefix
# they run in, and where the Linux build that the Windows programs are
# compared against lives.

enable_language(RC)

# kit_windows_resources(target DESCRIPTION text [MANIFEST_EXTRA xml]
#                       [RC_EXTRA rc-lines]): the program's manifest (UTF-8
# as the active code page, long paths, no DPI awareness, run as the invoker)
# and its version resource, from the one project() version. MANIFEST_EXTRA
# goes inside <assembly> (a dependency, say); RC_EXTRA is added to the
# resource script (an icon, say).
function(kit_windows_resources target)
  cmake_parse_arguments(arg "" "DESCRIPTION;MANIFEST_EXTRA;RC_EXTRA" "" ${ARGN})
  set(KIT_RES_NAME ${target})
  set(KIT_RES_DESCRIPTION "${arg_DESCRIPTION}")
  set(KIT_RES_MANIFEST_EXTRA "${arg_MANIFEST_EXTRA}")
  set(KIT_RES_RC_EXTRA "${arg_RC_EXTRA}")
  # Four numbers, as Windows wants them.
  set(numbers ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR})
  foreach(part PATCH TWEAK)
    if(PROJECT_VERSION_${part} STREQUAL "")
      list(APPEND numbers 0)
    else()
      list(APPEND numbers ${PROJECT_VERSION_${part}})
    endif()
  endforeach()
  list(JOIN numbers "." KIT_RES_VERSION4)
  list(JOIN numbers "," KIT_RES_VERSION_COMMAS)
  file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE copyright REGEX "^Copyright " LIMIT_COUNT 1)
  set(KIT_RES_COPYRIGHT "${copyright}")
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
  set(KIT_RES_MANIFEST ${dir}/${target}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/program.manifest.in ${KIT_RES_MANIFEST} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/program.rc.in ${dir}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${dir}/${target}.rc)
  # The resource script names the manifest: rebuild when it changes.
  set_source_files_properties(${dir}/${target}.rc PROPERTIES OBJECT_DEPENDS ${KIT_RES_MANIFEST})
endfunction()

# Every program's zip (`./kit package` collects them).
add_custom_target(windows_zips)
set(KIT_WINDOWS_ZIP_DIR ${CMAKE_BINARY_DIR}/zips)
find_program(KIT_PYTHON3 python3 REQUIRED)

# kit_windows_zip(program readme): PROGRAM-VERSION-win64.zip, a folder
# PROGRAM-VERSION holding the stripped PROGRAM.exe, LICENSE.txt and the
# README for Windows users (@VERSION@ in it stands for the version). Dated
# the release date, so every build of the same source gives the same bytes.
function(kit_windows_zip program readme)
  set(folder ${program}-${PROJECT_VERSION})
  set(zip ${KIT_WINDOWS_ZIP_DIR}/${folder}-win64.zip)
  set(stage ${CMAKE_CURRENT_BINARY_DIR}/${program}_zip)
  set(VERSION ${PROJECT_VERSION})
  configure_file(${readme} ${stage}/README.txt @ONLY)
  add_custom_command(
    OUTPUT ${zip}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KIT_WINDOWS_ZIP_DIR}
    # Without a date, strip would write the current time into the header.
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
            ${CMAKE_STRIP} -o ${stage}/${program}.exe $<TARGET_FILE:${program}>
    COMMAND ${KIT_PYTHON3} ${PROJECT_SOURCE_DIR}/packaging/windows/make_zip.py ${zip} ${folder}
            ${KIT_RELEASE_DATE}
            --binary ${stage}/${program}.exe ${program}.exe
            --text ${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt
            --text ${stage}/README.txt README.txt
    DEPENDS ${program} ${stage}/README.txt ${PROJECT_SOURCE_DIR}/LICENSE
            ${PROJECT_SOURCE_DIR}/packaging/windows/make_zip.py
    VERBATIM)
  add_custom_target(${program}_zip ALL DEPENDS ${zip})
  add_dependencies(windows_zips ${program}_zip)
  if(BUILD_TESTING)
    add_test(NAME ${program}.windows_zip
      COMMAND ${KIT_PYTHON3} ${PROJECT_SOURCE_DIR}/packaging/windows/zip_test.py ${zip}
              $<TARGET_FILE:${program}> ${CMAKE_STRIP} ${CMAKE_OBJDUMP} ${folder} ${KIT_RELEASE_DATE}
              ${stage}/README.txt ${PROJECT_SOURCE_DIR}/LICENSE)
  endif()
endfunction()

if(NOT BUILD_TESTING)
  return()
endif()

# Debian ships GoogleTest as a library for Linux only, and its sources: build
# those for Windows, in a folder of their own. They define the same GTest::
# targets as find_package(GTest) does on Linux.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# Unoptimised: it compiles in half the time, and the tests do not wait on it.
target_compile_options(gtest PRIVATE -O0)
target_compile_options(gtest_main PRIVATE -O0)

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
# environment as KIT_WINE) to run an .exe. The run's X display (":N", for
# xdotool or import) is in the file $KIT_WINE_DIR/display; the Linux
# programs to compare against are under ${KIT_LINUX_BUILD_DIR}.
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
