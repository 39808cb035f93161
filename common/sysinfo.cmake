# velmar_sysinfo: INI profiles, the system-information collector and the
# WMI-shaped helper, with their Linux adapters (sysfs, system facts, screen).
add_library(velmar_sysinfo STATIC
  ${CMAKE_CURRENT_LIST_DIR}/TextLimit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniProfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WmiProvider.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WmiQuery.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MemoryWmiProvider.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SystemInfoPorts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LegacyDmi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SystemInfoRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SystemInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linux/SysfsAttribute.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linux/SysfsWmiProvider.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linux/LinuxSystemUserDirs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linux/LinuxSystemFacts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linux/LinuxSystemScreen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linux/LinuxSystemMessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linux/LinuxSystemInfoPorts.cpp
)
target_include_directories(velmar_sysinfo PUBLIC
  ${CMAKE_CURRENT_LIST_DIR}
  ${CMAKE_CURRENT_LIST_DIR}/linux)
target_link_libraries(velmar_sysinfo PUBLIC velmar_registry)
