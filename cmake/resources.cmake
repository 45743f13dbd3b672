# The program's resources (resources/orvessan.rc): orv_add_resources(target) compiles them into
# a Windows program.
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
