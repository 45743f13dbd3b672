# The screen saver's plain-logic decisions (portable, unit-tested natively) and, in the Windows
# builds, the product orvessan.scr.

set(ORV_HOST_LOGIC_SOURCES
  host/mode_decision.cpp
  host/window_rules.cpp
  saver/message_text_layout.cpp
)
add_library(orv_host_logic STATIC ${ORV_HOST_LOGIC_SOURCES})
target_include_directories(orv_host_logic PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(orv_host_logic PUBLIC orv_draw)
orv_project_target(orv_host_logic)
if(TARGET orv_host_extras)
  # The password change reads its owner's handle with the start-up's ParseWindowHandle.
  target_link_libraries(orv_host_extras PUBLIC orv_host_logic)
endif()

if(WIN32)
  # Built small: no exceptions, no run-time type information, unused code dropped at link time.
  set(ORV_SMALL_COMPILE_OPTIONS -Os -fno-exceptions -fno-rtti -ffunction-sections
      -fdata-sections -fno-threadsafe-statics)
  set(ORV_SMALL_LINK_OPTIONS -s -Wl,--gc-sections)

  # The product's own copy of the drawing code and the plain logic, compiled with the size
  # flags.
  get_target_property(ORV_DRAW_SOURCES orv_draw SOURCES)
  get_target_property(ORV_PASSWORD_LOGIC_SOURCES orv_password_logic SOURCES)
  add_library(orv_draw_product STATIC ${ORV_DRAW_SOURCES} ${ORV_HOST_LOGIC_SOURCES}
              ${ORV_PASSWORD_LOGIC_SOURCES})
  target_include_directories(orv_draw_product PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(orv_draw_product PRIVATE ${ORV_SMALL_COMPILE_OPTIONS})
  orv_project_target(orv_draw_product)

  # Everything of the saver but its entry point and resources, shared with the probes that the
  # end-to-end tests run: the password check and change, the configure dialog and the
  # pictures' resource reader are compiled here again with the size flags.
  get_target_property(ORV_HOST_EXTRAS_SOURCES orv_host_extras SOURCES)
  get_target_property(ORV_RESOURCE_PICTURES_SOURCES orv_resource_pictures SOURCES)
  add_library(orv_saver OBJECT
    host/fault_guard.cpp
    host/host_procs.cpp
    host/host_state.cpp
    saver/allocation.cpp
    saver/direct_draw_host.cpp
    saver/render_thread.cpp
    saver/saver.cpp
    ${ORV_HOST_EXTRAS_SOURCES}
    ${ORV_RESOURCE_PICTURES_SOURCES}
  )
  target_include_directories(orv_saver PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(orv_saver PRIVATE ${ORV_SMALL_COMPILE_OPTIONS})
  target_link_libraries(orv_saver PUBLIC orv_draw_product ole32 gdi32 user32 advapi32)
  orv_project_target(orv_saver)

  add_executable(orvessan WIN32 host/win_main.cpp)
  orv_add_resources(orvessan)
  orv_add_manifest(orvessan)
  set_target_properties(orvessan PROPERTIES SUFFIX .scr)
  target_compile_options(orvessan PRIVATE ${ORV_SMALL_COMPILE_OPTIONS})
  target_link_options(orvessan PRIVATE ${ORV_SMALL_LINK_OPTIONS})
  target_link_libraries(orvessan PRIVATE orv_saver)
  orv_project_target(orvessan)
endif()
