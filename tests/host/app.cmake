# The main frame, plug-in view and dispatch against their port doubles and
# the recording test plug-ins; the end-to-end test of the real Velmar.
velmar_gtest(NAME host_frame_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/frame_snap_dispatch_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/plugins/toolkit_in_process.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_startup_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_timers_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_view_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_exit_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/desktop_session_test.cpp
  LIBS velmar_frame velmar_host_linux velmar_skin_doubles Qt6::Widgets
  LABELS unit)
target_include_directories(host_frame_tests PRIVATE ${CMAKE_SOURCE_DIR}/host/doubles ${CMAKE_CURRENT_LIST_DIR})
add_dependencies(host_frame_tests velmar_recording_plugins)

# End to end: the real program under Xvfb (it runs a web engine and needs a
# display), with ZEFAN on the simulated chip and the recording plug-ins.
add_executable(host_velmar_e2e ${CMAKE_CURRENT_LIST_DIR}/e2e/velmar_e2e_test.cpp)
target_link_libraries(host_velmar_e2e PRIVATE velmar_registry GTest::gtest GTest::gtest_main)
set_target_properties(host_velmar_e2e PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMAR_TEST_DIR})
target_compile_definitions(host_velmar_e2e PRIVATE
  VELMAR_APP_DIR="${VELMAR_APP_DIR}" VELMAR_TEST_BIN_DIR="${VELMAR_TEST_DIR}"
  VELMAR_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
  VELMAR_SKIN_BITMAPS_TOOL="$<TARGET_FILE:velmar_make_skin_bitmaps>")
add_dependencies(host_velmar_e2e Velmar ZEFAN varnio velmar_boards velmar_recording_plugins
  velmar_make_skin_bitmaps)
add_test(NAME host_velmar_e2e
  COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:host_velmar_e2e>)
set_tests_properties(host_velmar_e2e PROPERTIES LABELS "e2e" TIMEOUT 180)
include(${CMAKE_CURRENT_LIST_DIR}/settings_e2e.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/bundled_e2e.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/desktop_e2e.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/hostile_e2e.cmake)
