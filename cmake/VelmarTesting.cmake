# velmar_gtest(NAME <name> SOURCES <files...> [LIBS <targets...>] [LABELS <labels...>])
# Builds one GoogleTest executable into build/tests and registers its cases with CTest.
set(VELMAR_TEST_DIR ${CMAKE_BINARY_DIR}/tests)
include(GoogleTest)

function(velmar_gtest)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELMAR_TEST_DIR})
  target_compile_definitions(${T_NAME} PRIVATE
    VELMAR_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
    VELMAR_APP_DIR="${VELMAR_APP_DIR}"
    VELMAR_TEST_BIN_DIR="${VELMAR_TEST_DIR}")
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${T_LABELS}")
endfunction()

# velmar_benchmark(NAME <name> SOURCES <files...> [LIBS <targets...>])
# Benchmarks are built with the rest but run only on demand (scripts/bench).
function(velmar_benchmark)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT benchmark_FOUND)
    return()
  endif()
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark)
  set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()
