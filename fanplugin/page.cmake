# The fan settings page:
#   zefan_page     its behaviour (page model, fan classes, units), platform-free
#   zefan_page_qt  the Qt widgets that show it and the page window factory
add_library(zefan_page STATIC
  ${CMAKE_CURRENT_LIST_DIR}/FanClass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FanPageModel.cpp)
target_include_directories(zefan_page PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(zefan_page PUBLIC velmar_hwmon velmar_registry velmar_pluginkit)

if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/qt/FanPageWidget.cpp)
  add_library(zefan_page_qt STATIC
    ${CMAKE_CURRENT_LIST_DIR}/qt/FanPageWidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt/UpDownButtons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt/QtPageWindows.cpp)
  target_link_libraries(zefan_page_qt PUBLIC zefan_page velmar_plugin_api Qt6::Widgets)
  set_target_properties(zefan_page_qt PROPERTIES AUTOMOC ON)
endif()
