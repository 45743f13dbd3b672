# Flags for the project's own targets (not for third-party code built alongside).

# Same arithmetic on every build: no fused multiply-add contraction, and on 32-bit x86 the
# SSE2 unit instead of the x87's extended precision (which changes the shapes' particle counts).
set(ORV_ARITH_FLAGS -ffp-contract=off)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
  list(APPEND ORV_ARITH_FLAGS -msse2 -mfpmath=sse)
endif()
add_compile_options(${ORV_ARITH_FLAGS})

if(WIN32)
  # Self-contained programs: no mingw runtime DLLs at run time.
  add_link_options(-static)
endif()

if(ORV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# A libFuzzer build (clang only): every library is instrumented for the fuzzer and checked by
# AddressSanitizer and UndefinedBehaviorSanitizer; tests/fuzz links the fuzz programs.
option(ORV_FUZZ "Build the libFuzzer targets (clang)" OFF)
if(ORV_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ORV_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

function(orv_project_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror)
endfunction()
