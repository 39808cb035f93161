# End to end: the real Velmar under Xvfb with the bundled skins (KavoIII.xml
# and Slate.xml), ZEFAN on the simulated chip and the recording mode-control
# plug-in, registered with varnreg; duties are compared with hwmonctl's.
add_executable(host_bundled_skin_e2e ${CMAKE_CURRENT_LIST_DIR}/e2e/bundled_skin_e2e_test.cpp)
target_link_libraries(host_bundled_skin_e2e PRIVATE GTest::gtest GTest::gtest_main)
set_target_properties(host_bundled_skin_e2e PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMAR_TEST_DIR})
target_compile_definitions(host_bundled_skin_e2e PRIVATE
  VELMAR_APP_DIR="${VELMAR_APP_DIR}" VELMAR_TEST_BIN_DIR="${VELMAR_TEST_DIR}"
  VELMAR_HWMONCTL="$<TARGET_FILE:hwmonctl>")
add_dependencies(host_bundled_skin_e2e Velmar ZEFAN varnio varnreg hwmonctl velmar_boards velmar_skins
  velmar_recording_plugins)
add_test(NAME host_bundled_skin_e2e
  COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:host_bundled_skin_e2e>)
set_tests_properties(host_bundled_skin_e2e PROPERTIES LABELS "e2e" TIMEOUT 120)
