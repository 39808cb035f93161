# velmar_host_logic: the host's plug-in framework and mode logic, platform-free
# behind its ports (loader, pages, tray, timers, instance block, affinity).
# velmar_host_linux: the Linux adapters of those ports (linux/).
add_library(velmar_host_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/PluginCalls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpecialPlugins.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LoadedPlugins.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PluginLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PluginViewIni.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ElementBinding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataDocumentRenderer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PluginDocuments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SharedDataRefresh.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OperatingModes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HostEventCallback.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstanceChecker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProcessAffinity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SuspendNotifier.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SaveAndExit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartNotes.cpp)
target_include_directories(velmar_host_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(velmar_host_logic PUBLIC
  velmar_plugin_api velmar_registry velmar_sysinfo velmar_skinxml varnio_status)

add_library(velmar_host_linux STATIC
  ${CMAKE_CURRENT_LIST_DIR}/linux/DlLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linux/LinuxProcessAffinity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linux/FlockInstanceBlock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linux/TerminationSignal.cpp)
target_include_directories(velmar_host_linux PUBLIC ${CMAKE_CURRENT_LIST_DIR}/linux)
target_link_libraries(velmar_host_linux PUBLIC velmar_host_logic ${CMAKE_DL_LIBS})
