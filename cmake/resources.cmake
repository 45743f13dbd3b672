# The program's resources (resources/orvessan.rc): orv_add_resources(target) compiles them into
# a Windows program.
if(WIN32)
  enable_language(RC)
  set(ORV_RESOURCE_SCRIPT ${PROJECT_SOURCE_DIR}/resources/orvessan.rc)
  # windres doesn't report the files that the script pulls in.
  set_source_files_properties(${ORV_RESOURCE_SCRIPT} PROPERTIES OBJECT_DEPENDS
    "${PROJECT_SOURCE_DIR}/resources/orvessan.ico;${PROJECT_SOURCE_DIR}/resources/resource_ids.h")
endif()

function(orv_add_resources target)
  target_sources(${target} PRIVATE ${ORV_RESOURCE_SCRIPT})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/resources)
endfunction()
