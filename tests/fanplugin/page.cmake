# The fan settings page: its model on fans over a simulated chip, no display.
velmar_gtest(NAME zefan_page_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/page_units_test.cpp ${CMAKE_CURRENT_LIST_DIR}/page_model_test.cpp
  LIBS zefan_page varnio_core
  LABELS zefan)

# The Qt page under a display of its own (Xvfb when none is set).
if(TARGET zefan_page_qt)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  add_executable(zefan_page_qt_tests ${CMAKE_CURRENT_LIST_DIR}/page_qt_test.cpp)
  target_link_libraries(zefan_page_qt_tests PRIVATE zefan_page_qt varnio_core Qt6::Test GTest::gtest)
  set_target_properties(zefan_page_qt_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMAR_TEST_DIR})
  add_test(NAME zefan.page_qt
    COMMAND sh -c "if [ -n \"\$DISPLAY\" ]; then exec \"\$0\"; else exec xvfb-run -a \"\$0\"; fi"
            $<TARGET_FILE:zefan_page_qt_tests>)
  set_tests_properties(zefan.page_qt PROPERTIES TIMEOUT 60 LABELS "zefan;e2e")
endif()
