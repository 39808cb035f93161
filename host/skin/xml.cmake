# velmar_skinxml: XML documents on libxml2/libxslt and the skin definition
# readers built on them. Platform-free; the engine and the plug-in framework
# link it.
add_library(velmar_skinxml STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ElementPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinDefinition.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinValues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextLimit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlLibrary.cpp)
target_include_directories(velmar_skinxml PUBLIC ${CMAKE_CURRENT_LIST_DIR})
# FileParseCache.h, header only.
target_include_directories(velmar_skinxml PRIVATE ${CMAKE_SOURCE_DIR}/common)
target_link_libraries(velmar_skinxml PUBLIC LibXml2::LibXml2 LibXslt::LibXslt)
