# Instrumented builds, each in a build folder of its own (never build/):
#
#   -DVELMAR_SANITIZE=ON  everything with AddressSanitizer and
#                         UndefinedBehaviorSanitizer (build-asan, CI's
#                         sanitizer stage: scripts/test-asan)
#   -DVELMAR_FUZZ=ON      the same, plus the libFuzzer targets of fuzz/
#                         (clang only: CC=clang-14 CXX=clang++-14; build-fuzz,
#                         scripts/fuzz)
#
# Undefined behaviour ends the process, so a test or a fuzz run cannot pass
# over it.
option(VELMAR_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VELMAR_FUZZ "Build the libFuzzer targets of fuzz/ (clang)" OFF)

if(VELMAR_SANITIZE OR VELMAR_FUZZ)
  set(velmar_sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=undefined
      -fno-omit-frame-pointer)
  add_compile_options(${velmar_sanitizer_flags})
  add_link_options(${velmar_sanitizer_flags})
endif()

if(VELMAR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VELMAR_FUZZ needs clang: CC=clang-14 CXX=clang++-14 cmake -DVELMAR_FUZZ=ON ...")
  endif()
  # Coverage feedback for every library the targets reach; the fuzzing
  # engine and its main() are linked into the targets only.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
