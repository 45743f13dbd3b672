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

# The libraries that orvessan.scr links are the ones the tests link; the Windows builds make
# them small: no exceptions, no run-time type information, each function in its own section
# so that the program's link drops unused code.
set(ORV_SMALL_COMPILE_OPTIONS -Os -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections
    -fno-threadsafe-statics)
# Nor unwind tables on 32-bit x86, where nothing reads them: no exception passes through this
# code, and structured exceptions are dispatched along the stack's chain of handlers, not by
# tables. (64-bit Windows dispatches them by its unwind tables, which must stay.)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
  list(APPEND ORV_SMALL_COMPILE_OPTIONS -fno-asynchronous-unwind-tables -fno-unwind-tables)
endif()
set(ORV_SMALL_LINK_OPTIONS -s -Wl,--gc-sections)

function(orv_product_library target)
  orv_project_target(${target})
  if(WIN32)
    target_compile_options(${target} PRIVATE ${ORV_SMALL_COMPILE_OPTIONS})
  endif()
endfunction()

# The code is built in layers, each a library that links only the layers below it:
# core <- effects <- loop <- frontend <- the front ends (saver <- host, x11, tools/render, web),
# plus bench/ over frontend. A layer's headers are reached through a folder of its own that holds
# nothing but a link to the layer's folder, so a file sees only its own layer and the layers its
# library links: an include of a layer above, or of another front end, fails to compile.
# (cmake/check_layers.cmake checks the same for every file, headers included.)
function(orv_include_root target scope folder)
  set(root ${CMAKE_BINARY_DIR}/layers/${folder})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} ${scope} ${root})
endfunction()

# A library of the drawing layers or of the shared front-end layer: built as the product is.
function(orv_layer target folder)
  orv_include_root(${target} PUBLIC ${folder})
  orv_product_library(${target})
endfunction()
