# Tests of the skin engine's logic against the port doubles.
velmar_gtest(NAME skin_engine_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/region_bitmap_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/script_bridge_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skin_button_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skin_engine_test.cpp
  LIBS velmar_skin_doubles)
target_include_directories(skin_engine_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
