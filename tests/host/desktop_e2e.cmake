# End to end on real desktops: openbox with and without trayer, a
# StatusNotifierItem watcher and logind mocked on private buses, weston's
# headless backend with XWayland. Each test starts its own display server and
# buses (tests/host/e2e/DesktopSession.h), so each is a test of its own here.
add_executable(host_desktop_e2e ${CMAKE_CURRENT_LIST_DIR}/e2e/desktop_e2e_test.cpp)
target_link_libraries(host_desktop_e2e PRIVATE GTest::gtest GTest::gtest_main)
set_target_properties(host_desktop_e2e PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMAR_TEST_DIR})
target_compile_definitions(host_desktop_e2e PRIVATE
  VELMAR_APP_DIR="${VELMAR_APP_DIR}" VELMAR_TEST_BIN_DIR="${VELMAR_TEST_DIR}"
  VELMAR_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
  VELMAR_SKIN_BITMAPS_TOOL="$<TARGET_FILE:velmar_make_skin_bitmaps>")
add_dependencies(host_desktop_e2e Velmar ZEFAN varnio varnreg velmar_boards velmar_recording_plugins
  velmar_make_skin_bitmaps)
foreach(case
    XEmbedTrayTakesTheWindowBackAndForthAndShowsTheWarning
    WithoutATrayMinIconifiesAndTheWindowComesBack
    StatusNotifierTrayTogglesOnASingleActivation
    SuspendReachesThePluginUnderTheDelayLockAndCtrlCStoresTheState
    WaylandSessionRunsOnXWaylandAndWaylandAloneSaysWhatItLacks)
  add_test(NAME host_desktop_e2e.${case} COMMAND $<TARGET_FILE:host_desktop_e2e> --gtest_filter=DesktopE2E.${case})
  set_tests_properties(host_desktop_e2e.${case} PROPERTIES LABELS "e2e" TIMEOUT 120)
endforeach()
