# velmar_frame: the main frame, the plug-in view and skin command dispatch,
# platform-free behind their ports.
add_library(velmar_frame STATIC
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowSnap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreenPlacement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DesktopSession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinCommandDispatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameDocumentPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlugInView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HtmlVesselDlg.cpp)
target_include_directories(velmar_frame PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(velmar_frame PUBLIC velmar_host_logic velmar_skin velmar_settings)

# velmar_frame_qt: the Qt adapters of the frame's ports (qt/), with the
# host's icons as resources (":/icons/<id>.png"). The frame's dialogs are the
# settings widgets (velmar_settings_qt).
add_library(velmar_frame_qt STATIC
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtVesselWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtViewWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtTimerPort.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtFrameDialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtPowerEvents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtStartNotes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtDialogDump.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtTestControl.cpp)
set_target_properties(velmar_frame_qt PROPERTIES AUTOMOC ON)
target_include_directories(velmar_frame_qt PUBLIC ${CMAKE_CURRENT_LIST_DIR}/qt)
target_link_libraries(velmar_frame_qt PUBLIC velmar_frame velmar_settings_qt velmar_skin_qt Qt6::Widgets Qt6::DBus)
qt_add_resources(velmar_frame_qt velmar_frame_icons
  PREFIX /
  BASE ${CMAKE_CURRENT_LIST_DIR}/res
  FILES ${CMAKE_CURRENT_LIST_DIR}/res/icons/130.png ${CMAKE_CURRENT_LIST_DIR}/res/icons/135.png
        ${CMAKE_CURRENT_LIST_DIR}/res/icons/136.png)

# Velmar: the program, in the program folder beside its plug-ins.
add_executable(Velmar ${CMAKE_CURRENT_LIST_DIR}/qt/main.cpp)
# The process's port backend (libvarnio_backend.so) is the one ZEFAN's
# libvarnio uses, so About and the start-up notes say what it does.
target_link_libraries(Velmar PRIVATE velmar_frame_qt velmar_host_linux varnio_backend)
set_target_properties(Velmar PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMAR_APP_DIR})

# The skin folder "<program folder>Skin/". Until the bundled skins arrive
# (skins/CMakeLists.txt), the small working skin of tests/data/hostskin is
# put there, its bitmaps drawn at build time.
set(VELMAR_HOST_SKIN_SOURCE ${CMAKE_SOURCE_DIR}/tests/data/hostskin)
add_executable(velmar_make_skin_bitmaps ${VELMAR_HOST_SKIN_SOURCE}/make_skin_bitmaps.cpp)
set_target_properties(velmar_make_skin_bitmaps PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
if(NOT EXISTS ${CMAKE_SOURCE_DIR}/skins/CMakeLists.txt)
  set(VELMAR_HOST_SKIN_FILES KavoIII.xml main.xsl main.js PlugIn.ini
      ZEFAN/ZefanView.xml ZEFAN/zefan.xsl ZEFAN/view.js)
  set(host_skin_outputs)
  foreach(file ${VELMAR_HOST_SKIN_FILES})
    add_custom_command(
      OUTPUT ${VELMAR_APP_DIR}/Skin/${file}
      COMMAND ${CMAKE_COMMAND} -E copy ${VELMAR_HOST_SKIN_SOURCE}/${file} ${VELMAR_APP_DIR}/Skin/${file}
      DEPENDS ${VELMAR_HOST_SKIN_SOURCE}/${file})
    list(APPEND host_skin_outputs ${VELMAR_APP_DIR}/Skin/${file})
  endforeach()
  add_custom_command(
    OUTPUT ${VELMAR_APP_DIR}/Skin/back.bmp
    COMMAND velmar_make_skin_bitmaps ${VELMAR_APP_DIR}/Skin
    DEPENDS velmar_make_skin_bitmaps)
  add_custom_target(velmar_host_skin ALL DEPENDS ${host_skin_outputs} ${VELMAR_APP_DIR}/Skin/back.bmp)
  add_dependencies(Velmar velmar_host_skin)
endif()
