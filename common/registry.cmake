# velmar_registry: the registry store (REGEDIT4 hive files under a file
# lock), CRegistryAccess over it, and COsVersion.
add_library(velmar_registry STATIC
  ${CMAKE_CURRENT_LIST_DIR}/RegistryRoot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryValue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryHive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MemoryHiveFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryBatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryHives.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryAccess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OsLanguage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OsVersion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linux/HiveLocations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linux/FileHiveFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linux/FileRegistryHives.cpp
)
target_include_directories(velmar_registry PUBLIC
  ${CMAKE_CURRENT_LIST_DIR}
  ${CMAKE_CURRENT_LIST_DIR}/linux)
