# The program's resources (resources/orvessan.rc): orv_add_resources(target) compiles them into
# a Windows program; orv_add_manifest(target) adds the application manifest, which carries the
# project's version.
if(WIN32)
  enable_language(RC)
endif()
set(ORV_RESOURCE_DIR ${PROJECT_SOURCE_DIR}/resources)

function(orv_add_resources target)
  target_sources(${target} PRIVATE ${ORV_RESOURCE_DIR}/orvessan.rc)
  target_include_directories(${target} PRIVATE ${ORV_RESOURCE_DIR})
  # windres doesn't report the files that the script pulls in.
  file(GLOB inputs ${ORV_RESOURCE_DIR}/*.h ${ORV_RESOURCE_DIR}/*.ico ${ORV_RESOURCE_DIR}/*.rc
       ${ORV_RESOURCE_DIR}/*.bmp)
  set_source_files_properties(${ORV_RESOURCE_DIR}/orvessan.rc TARGET_DIRECTORY ${target}
    PROPERTIES OBJECT_DEPENDS "${inputs}")
endfunction()

configure_file(${ORV_RESOURCE_DIR}/orvessan.manifest.in ${CMAKE_BINARY_DIR}/resources/orvessan.manifest
               @ONLY)

function(orv_add_manifest target)
  target_sources(${target} PRIVATE ${ORV_RESOURCE_DIR}/manifest.rc)
  target_include_directories(${target} PRIVATE ${CMAKE_BINARY_DIR}/resources)
  set_source_files_properties(${ORV_RESOURCE_DIR}/manifest.rc TARGET_DIRECTORY ${target}
    PROPERTIES OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/resources/orvessan.manifest)
endfunction()
