# Checks the include order of the source tree under ROOT: every C and C++ file belongs to a
# folder below, and includes only the folders that folder may see. The drawing layers and the
# shared front-end layer build on one another (core <- effects <- loop <- frontend) and never
# include a platform's headers; each front end sees them and itself, never another front end
# (the saver's host sees the saver, one way); the benchmarks see what the front ends share;
# the tests see everything, and nothing sees the tests. Prints every offending include as
# FILE:LINE and fails when there is one; a file in a folder that is not listed fails too.
#   cmake -DROOT=<source tree> -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)

set(portable core effects loop frontend)
set(sees_core core)
set(sees_effects core effects)
set(sees_loop core effects loop)
set(sees_frontend ${portable})
set(sees_saver ${portable} saver)
set(sees_host ${portable} saver host resources)
set(sees_x11 ${portable} x11)
set(sees_tools/render ${portable} tools/render)
set(sees_web ${portable} web)
set(sees_bench ${portable} bench)
set(sees_resources resources)
set(sees_tests core effects loop frontend saver host x11 tools/render web bench resources tests)
set(folders core effects loop frontend saver host x11 tools/render web bench resources tests)
# The platforms' own headers, which the portable layers never include (Windows' in any case).
set(windows_header "^(windows|ddraw)\\.h$")
set(other_platform_header "^(X11/.*|emscripten\\.h|emscripten/.*)$")

# The folder of the tree that `path` lies in: the longest listed folder that holds it, or "".
function(folder_of path result)
  set(found "")
  foreach(folder IN LISTS folders)
    string(LENGTH "${folder}/" length)
    string(SUBSTRING "${path}" 0 ${length} head)
    string(LENGTH "${found}" found_length)
    if(head STREQUAL "${folder}/" AND length GREATER found_length)
      set(found ${folder})
    endif()
  endforeach()
  set(${result} "${found}" PARENT_SCOPE)
endfunction()

# Every C and C++ file of the tree, but for build folders and hidden ones at its top.
file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/*.h ${ROOT}/*.c ${ROOT}/*.cpp ${ROOT}/*.inc)
list(FILTER files EXCLUDE REGEX "^(build[^/]*|dist|out|\\.[^/]*)/")

set(problems "")
foreach(file IN LISTS files)
  folder_of("${file}" folder)
  if(folder STREQUAL "")
    string(APPEND problems "${file}: lies in no folder of the layer order\n")
    continue()
  endif()
  set(allowed ${sees_${folder}})
  file(STRINGS ${ROOT}/${file} lines)
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
      continue()
    endif()
    set(quote "${CMAKE_MATCH_1}")
    set(included "${CMAKE_MATCH_2}")
    folder_of("${included}" target)
    if(quote STREQUAL "\"" AND included MATCHES "/")
      if(target STREQUAL "")
        string(APPEND problems "${file}:${number}: includes \"${included}\", outside the tree's folders\n")
      elseif(NOT target IN_LIST allowed)
        string(APPEND problems "${file}:${number}: includes \"${included}\", which ${folder}/ may not see\n")
      endif()
    endif()
    string(TOLOWER "${included}" lower)
    if(folder IN_LIST portable AND target STREQUAL "" AND
       (lower MATCHES "${windows_header}" OR included MATCHES "${other_platform_header}"))
      string(APPEND problems "${file}:${number}: includes <${included}>, a platform header\n")
    endif()
  endforeach()
endforeach()

if(problems)
  message("${problems}")
  message(FATAL_ERROR "Includes against the layer order above.")
endif()
