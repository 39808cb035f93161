# The host's plug-in framework and mode logic, against its port doubles and
# the recording test plug-ins loaded through the real dynamic loader.
include(${CMAKE_CURRENT_LIST_DIR}/plugins/plugins.cmake)

velmar_gtest(NAME host_framework_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/plugin_loader_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/operating_modes_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/data_document_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/view_ini_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/process_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/start_notes_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/plugins/toolkit_in_process.cpp
  LIBS velmar_host_linux velmar_host_logic Qt6::Widgets
  LABELS unit)
target_include_directories(host_framework_tests PRIVATE
  ${CMAKE_SOURCE_DIR}/host/doubles ${CMAKE_CURRENT_LIST_DIR})
add_dependencies(host_framework_tests velmar_recording_plugins)

velmar_benchmark(NAME host_tick_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tick_render_benchmark.cpp
  LIBS velmar_host_logic)
if(TARGET host_tick_bench)
  target_include_directories(host_tick_bench PRIVATE ${CMAKE_SOURCE_DIR}/host/doubles)
  target_compile_definitions(host_tick_bench PRIVATE VELMAR_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")
endif()
