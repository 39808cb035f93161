# End to end: the settings, About, transparency and skin selection dialogs and the tray menu in the real
# Velmar under Xvfb, with the bundled skin and ZEFAN on the simulated chip.
# Screenshots of the dialogs go to <build>/artifacts/.
add_executable(host_settings_e2e ${CMAKE_CURRENT_LIST_DIR}/e2e/settings_e2e_test.cpp)
target_link_libraries(host_settings_e2e PRIVATE GTest::gtest GTest::gtest_main)
set_target_properties(host_settings_e2e PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMAR_TEST_DIR})
target_compile_definitions(host_settings_e2e PRIVATE
  VELMAR_APP_DIR="${VELMAR_APP_DIR}" VELMAR_TEST_BIN_DIR="${VELMAR_TEST_DIR}")
add_dependencies(host_settings_e2e Velmar ZEFAN varnio varnreg velmar_boards velmar_skins)
add_test(NAME host_settings_e2e
  COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:host_settings_e2e>)
set_tests_properties(host_settings_e2e PROPERTIES LABELS "e2e" TIMEOUT 180)
