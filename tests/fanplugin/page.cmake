# The fan settings page: its model on fans over a simulated chip, no display.
velmar_gtest(NAME zefan_page_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/page_units_test.cpp ${CMAKE_CURRENT_LIST_DIR}/page_model_test.cpp
  LIBS zefan_page varnio_core
  LABELS zefan)
