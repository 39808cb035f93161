# End to end: a hostile skin in the real Velmar under Xvfb, whose script tries
# to read files outside the program and skin folders and to reach a listener
# of the test over the network.
add_executable(host_hostile_skin_e2e ${CMAKE_CURRENT_LIST_DIR}/e2e/hostile_skin_e2e_test.cpp)
target_link_libraries(host_hostile_skin_e2e PRIVATE GTest::gtest GTest::gtest_main)
set_target_properties(host_hostile_skin_e2e PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMAR_TEST_DIR})
target_compile_definitions(host_hostile_skin_e2e PRIVATE
  VELMAR_APP_DIR="${VELMAR_APP_DIR}" VELMAR_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
  VELMAR_SKIN_BITMAPS_TOOL="$<TARGET_FILE:velmar_make_skin_bitmaps>")
add_dependencies(host_hostile_skin_e2e Velmar ZEFAN varnio varnreg velmar_boards velmar_make_skin_bitmaps)
add_test(NAME host_hostile_skin_e2e
  COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:host_hostile_skin_e2e>)
set_tests_properties(host_hostile_skin_e2e PROPERTIES LABELS "e2e" TIMEOUT 180)
