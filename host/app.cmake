# velmar_frame: the main frame, the plug-in view and skin command dispatch,
# platform-free behind their ports.
add_library(velmar_frame STATIC
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowSnap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinCommandDispatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameDocumentPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlugInView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HtmlVesselDlg.cpp)
target_include_directories(velmar_frame PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(velmar_frame PUBLIC velmar_host_logic velmar_skin velmar_settings)
