# Tests of velmar_skinxml: XML documents, transforms and skin definitions.
velmar_gtest(NAME skinxml_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/xml_document_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/xml_transform_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skindef_values_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skindef_reader_test.cpp
  LIBS velmar_skinxml)

velmar_benchmark(NAME skinxml_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/xml_benchmark.cpp
  LIBS velmar_skinxml)
if(TARGET skinxml_bench)
  target_compile_definitions(skinxml_bench PRIVATE
    VELMAR_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")
endif()
