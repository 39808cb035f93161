# The recording test plug-ins: one library per identifier the host treats
# specially, two ordinary ones, and a library without the entry function.
set(VELMAR_TEST_PLUGIN_DIR ${VELMAR_TEST_DIR}/plugins)
set(VELMAR_RECORDING_PLUGINS
  VARNOCCTRL_PLUGIN VARNAUTOPACE_PLUGIN VARNEQ_PLUGIN VARNOCKAVO_PLUGIN
  VOICE_PLUGIN COURIER_PLUGIN CHAT_PLUGIN KAVOCLOCK_PLUGIN
  ZETA_PLUGIN OMEGA_PLUGIN)
set(VELMAR_RECORDING_PLUGIN_TARGETS)
foreach(id ${VELMAR_RECORDING_PLUGINS})
  set(target recplugin_${id})
  add_library(${target} MODULE ${CMAKE_CURRENT_LIST_DIR}/recording_plugin.c
    ${CMAKE_CURRENT_LIST_DIR}/recording_window_check.cpp)
  target_link_libraries(${target} PRIVATE velmar_plugin_api Qt6::Widgets)
  target_compile_definitions(${target} PRIVATE RECORDING_ID="${id}")
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C>:-std=c11>)
  set_target_properties(${target} PROPERTIES
    C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden PREFIX "lib" OUTPUT_NAME ${id}
    LIBRARY_OUTPUT_DIRECTORY ${VELMAR_TEST_PLUGIN_DIR})
  list(APPEND VELMAR_RECORDING_PLUGIN_TARGETS ${target})
endforeach()
add_library(recplugin_noentry MODULE ${CMAKE_CURRENT_LIST_DIR}/no_entry_plugin.c)
target_link_libraries(recplugin_noentry PRIVATE velmar_plugin_api)
set_target_properties(recplugin_noentry PROPERTIES
  C_VISIBILITY_PRESET hidden PREFIX "lib" OUTPUT_NAME NO_ENTRY
  LIBRARY_OUTPUT_DIRECTORY ${VELMAR_TEST_PLUGIN_DIR})
list(APPEND VELMAR_RECORDING_PLUGIN_TARGETS recplugin_noentry)
add_custom_target(velmar_recording_plugins DEPENDS ${VELMAR_RECORDING_PLUGIN_TARGETS})
