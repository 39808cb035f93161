velmar_gtest(NAME sysinfo_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/sysinfo_ini_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sysinfo_rules_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sysinfo_dmi_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sysinfo_wmi_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sysinfo_collector_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sysinfo_linux_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sysinfo_tool_test.cpp
  LIBS velmar_sysinfo sysinfo_command
  LABELS unit sysinfo)
# One test runs the real tool.
add_dependencies(sysinfo_tests velmar-sysinfo)
