# velmar_skin: the engine's logic (regions, buttons, script bridge,
# composition) over its own ports; platform-free.
add_library(velmar_skin STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Bitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ButtonLook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClickNote.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EngineFlags.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FailureMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HtmlText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JsQuote.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageConfinement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Region.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScriptBridge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScriptValue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinCommandButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Transparency.cpp)
target_include_directories(velmar_skin PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(velmar_skin PUBLIC velmar_skinxml)

# velmar_skin_doubles: in-memory stand-ins for every port, for the unit tests
# of the engine and of the windows built on it.
add_library(velmar_skin_doubles STATIC
  ${CMAKE_CURRENT_LIST_DIR}/doubles/FakeScriptPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/doubles/FakeSkinWindow.cpp)
target_include_directories(velmar_skin_doubles PUBLIC ${CMAKE_CURRENT_LIST_DIR}/doubles)
target_link_libraries(velmar_skin_doubles PUBLIC velmar_skin)

# velmar_skin_qt: the Qt Widgets / WebEngine adapters of those ports and the
# page resources 104 and 105.
add_library(velmar_skin_qt STATIC
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtHtmlWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtMessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtPageConfinement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtPageResources.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtSkinButtonWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtSkinWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtTimers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtWebPage.cpp)
set_target_properties(velmar_skin_qt PROPERTIES AUTOMOC ON AUTORCC ON)
target_include_directories(velmar_skin_qt PUBLIC ${CMAKE_CURRENT_LIST_DIR}/qt)
target_link_libraries(velmar_skin_qt PUBLIC velmar_skin Qt6::Widgets Qt6::WebEngineWidgets)
qt_add_resources(velmar_skin_qt velmar_pages
  PREFIX /velmar
  BASE ${CMAKE_CURRENT_LIST_DIR}/../res
  FILES ${CMAKE_CURRENT_LIST_DIR}/../res/104.html ${CMAKE_CURRENT_LIST_DIR}/../res/105.html)
