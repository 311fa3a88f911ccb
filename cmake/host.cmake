# The pure modules built with the host's clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a libFuzzer target over the configuration reader.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-Wall -Wextra -g -O1 ${SANITIZE})
add_link_options(${SANITIZE})

add_library(chainer_pure STATIC ${PURE_SOURCES})
target_include_directories(chainer_pure PUBLIC ${PROJECT_SOURCE_DIR})

add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_executable(host_tests ${PURE_TESTS})
target_link_libraries(host_tests PRIVATE chainer_pure gtest_main)

# The fuzzer's own copy of the pure code carries coverage instrumentation.
add_library(chainer_pure_fuzz STATIC ${PURE_SOURCES})
target_include_directories(chainer_pure_fuzz PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(chainer_pure_fuzz PRIVATE -fsanitize=fuzzer-no-link)
add_executable(config_fuzz tests/fuzz/config_fuzz.cpp)
target_compile_options(config_fuzz PRIVATE -fsanitize=fuzzer)
target_link_options(config_fuzz PRIVATE -fsanitize=fuzzer)
target_link_libraries(config_fuzz PRIVATE chainer_pure_fuzz)

enable_testing()
add_test(NAME host_tests COMMAND host_tests)
