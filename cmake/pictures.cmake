# The shapes' three pictures (resources/*.bmp, drawn by tools/pictures/make_pictures.py).
set(ORV_PICTURES
  BANNER=${PROJECT_SOURCE_DIR}/resources/banner.bmp
  ORLOGO=${PROJECT_SOURCE_DIR}/resources/orlogo.bmp
  YINYANG=${PROJECT_SOURCE_DIR}/resources/yinyang.bmp
)
set(ORV_PICTURE_FILES ${ORV_PICTURES})
list(TRANSFORM ORV_PICTURE_FILES REPLACE "^[A-Z]+=" "")

# The portable programs carry copies of the pictures, generated at build time by a CMake
# script (a cross build can't run a program it has just built).
set(ORV_EMBEDDED_PICTURE_DATA ${CMAKE_BINARY_DIR}/generated/embedded_picture_data.cpp)
add_custom_command(
  OUTPUT ${ORV_EMBEDDED_PICTURE_DATA}
  COMMAND ${CMAKE_COMMAND} "-DOUTPUT=${ORV_EMBEDDED_PICTURE_DATA}" "-DPICTURES=${ORV_PICTURES}"
          -P ${PROJECT_SOURCE_DIR}/cmake/embed_pictures.cmake
  DEPENDS ${ORV_PICTURE_FILES} ${PROJECT_SOURCE_DIR}/cmake/embed_pictures.cmake
  COMMENT "Embedding the shapes' pictures"
  VERBATIM)

# The pictures' bytes alone, for comparisons with other sources of them.
add_library(orv_embedded_picture_data STATIC ${ORV_EMBEDDED_PICTURE_DATA})
target_include_directories(orv_embedded_picture_data PUBLIC ${PROJECT_SOURCE_DIR})
orv_project_target(orv_embedded_picture_data)

# The picture source of the portable programs (renderer, unit tests).
add_library(orv_embedded_pictures STATIC effects/embedded_pictures.cpp)
target_link_libraries(orv_embedded_pictures PUBLIC orv_embedded_picture_data)
orv_project_target(orv_embedded_pictures)

if(WIN32)
  enable_language(RC)
  # The picture source of the saver: BITMAP resources read through FindResourceA and friends.
  # The saver links this object library and not orv_embedded_pictures; the resources
  # themselves come with the program's resource script (resources/orvessan.rc includes
  # resources/pictures.rc).
  # A picture that fails its check ends the saver quietly (saver/quiet_end.cpp).
  add_library(orv_resource_pictures OBJECT saver/resource_pictures.cpp saver/quiet_end.cpp
              host/saver_running.cpp)
  target_include_directories(orv_resource_pictures PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(orv_resource_pictures PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow -Werror>)
endif()
