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
  # The same sources give the same program file: no link time in the PE header.
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# Nor do the folders of the checkout and the build reach any output (__FILE__, debug data).
# (The build folder's map comes last so that it wins where the build is inside the checkout.)
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}/=build/>")

if(ORV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

function(orv_project_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror)
endfunction()
