# Tests of velmar_skinxml: XML documents, transforms and skin definitions.
velmar_gtest(NAME skinxml_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/xml_document_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/xml_transform_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skindef_values_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skindef_reader_test.cpp
  LIBS velmar_skinxml)
