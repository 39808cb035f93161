# Tests of the skin engine's logic against the port doubles.
velmar_gtest(NAME skin_engine_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/engine_flags_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/page_confinement_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/region_bitmap_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/script_bridge_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skin_button_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skin_engine_test.cpp
  LIBS velmar_skin_doubles)
target_include_directories(skin_engine_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})

# End to end: the test skin in a real window with a WebEngine page. Runs under
# Xvfb whenever no display is set (CI); the engine's sandbox is switched off by
# the program itself when it runs as root.
add_executable(skin_e2e_tests ${CMAKE_CURRENT_LIST_DIR}/skin_e2e_test.cpp)
target_include_directories(skin_e2e_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(skin_e2e_tests PRIVATE velmar_skin_qt GTest::gtest)
set_target_properties(skin_e2e_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMAR_TEST_DIR})
target_compile_definitions(skin_e2e_tests PRIVATE
  VELMAR_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
  VELMAR_ARTIFACT_DIR="${CMAKE_BINARY_DIR}/artifacts")
add_test(NAME skin.e2e
  COMMAND sh -c "if [ -n \"\$DISPLAY\" ]; then exec \"\$0\"; else exec xvfb-run -a -s '-screen 0 1280x1024x24' \"\$0\"; fi"
          $<TARGET_FILE:skin_e2e_tests>)
set_tests_properties(skin.e2e PROPERTIES TIMEOUT 120 LABELS "e2e")

velmar_benchmark(NAME skin_engine_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_engine_benchmark.cpp
  LIBS velmar_skin_doubles)
if(TARGET skin_engine_bench)
  target_include_directories(skin_engine_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR})
endif()
