# velmar_registry: the registry store (REGEDIT4 hive files under a file
# lock), CRegistryAccess over it, and COsVersion.
#
# A shared library in the program folder (build/app/libvelmar_registry.so),
# which the host, every plug-in and libvarnio_backend find beside themselves
# (RPATH $ORIGIN): so a process has one store per hive, and a batch the host
# opens around the settings dialog's OK also holds what the plug-ins' pages
# store in it.
add_library(velmar_registry SHARED
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
# Every symbol it needs is linked in; clang's sanitizer runtimes come only
# with the executable, so instrumented builds leave the check out.
if(NOT (VELMAR_SANITIZE OR VELMAR_FUZZ))
  target_link_options(velmar_registry PRIVATE -Wl,--no-undefined)
endif()
