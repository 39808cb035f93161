velmar_gtest(NAME registry_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/registry_access_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registry_regfile_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registry_store_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registry_batch_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registry_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registry_osversion_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registry_varnreg_test.cpp
  LIBS velmar_registry varnreg_command
  LABELS unit registry)
# One test runs the real tool.
add_dependencies(registry_tests varnreg)

# A settings commit's 35 values, one by one and in a batch (scripts/bench).
velmar_benchmark(NAME registry_benchmark
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/registry_benchmark.cpp
  LIBS velmar_registry)
