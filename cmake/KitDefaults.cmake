# Per-target defaults every program of the kit uses. Target-scoped on purpose:
# each program's folder stays buildable on its own, with only its own dependencies.

# Warnings as errors is switched on by `./kit test` (and therefore CI).
option(KIT_WERROR "Treat compiler warnings as errors" OFF)

function(kit_target_defaults target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
  # Each compiler's own spelling of the kit's warnings.
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(KIT_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /W4)
    if(KIT_WERROR)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  endif()
endfunction()

# wmain/wWinMain, the UTF-16 command line: MinGW needs to be told.
function(kit_unicode_entry target)
  if(MINGW)
    target_compile_options(${target} PRIVATE -municode)
    target_link_options(${target} PRIVATE -municode)
  endif()
endfunction()

# libFuzzer and its sanitizers are clang's.
if(KIT_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "KIT_FUZZ needs clang (the fuzz preset sets it)")
endif()

# A libFuzzer target: only built by the `fuzz` preset (clang). It is also
# registered with CTest as a bounded run so that `ctest --preset fuzz` fuzzes
# every target for KIT_FUZZ_SECONDS and reports like any other test.
set(KIT_FUZZ_SECONDS 60 CACHE STRING "Seconds each fuzz target runs under CTest")

function(kit_add_fuzzer target)
  add_executable(${target} ${ARGN})
  kit_target_defaults(${target})
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${target}_corpus)
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${target}
           COMMAND ${target} -max_total_time=${KIT_FUZZ_SECONDS} -timeout=10
                   -rss_limit_mb=2048 -print_final_stats=1 ${corpus})
  set_tests_properties(${target} PROPERTIES TIMEOUT 600 LABELS fuzz)
endfunction()
