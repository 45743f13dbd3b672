# Checks the include order of the drawing layers under ROOT: a file of a layer includes only
# its own layer and the layers below it (core <- effects <- loop), and never the platform's
# headers. Prints every offending include as FILE:LINE and fails when there is one.
#   cmake -DROOT=<source tree> -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)
set(layers core effects loop)
set(platform_headers windows.h ddraw.h)

set(problems "")
set(allowed "")
foreach(layer IN LISTS layers)
  list(APPEND allowed ${layer})
  file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp
       ${ROOT}/${layer}/*.inc)
  foreach(file IN LISTS files)
    file(STRINGS ${ROOT}/${file} lines)
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/[^\"]*\"")
        if(NOT CMAKE_MATCH_1 IN_LIST allowed)
          string(REGEX MATCH "\"[^\"]*\"" included "${line}")
          string(APPEND problems
                 "${file}:${number}: includes ${included}, a layer above ${layer} or outside the drawing code\n")
        endif()
      elseif(line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
        string(TOLOWER "${CMAKE_MATCH_1}" header)
        if(header IN_LIST platform_headers)
          string(APPEND problems "${file}:${number}: includes <${CMAKE_MATCH_1}>, a platform header\n")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  message("${problems}")
  message(FATAL_ERROR "Includes against the layer order (core <- effects <- loop) above.")
endif()
