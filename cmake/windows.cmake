# The shipped product: a 32-bit GUI executable that needs only Windows' own DLLs.
enable_language(RC)

set(PRODUCT_FLAGS -Os -Wall -Wextra -fno-exceptions -fno-rtti -fno-threadsafe-statics
    -ffunction-sections -fdata-sections)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0602)
set(SYSTEM_LIBS shell32 ole32 oleaut32 uuid advapi32 user32 gdi32 comctl32 version)

add_library(chainer_pure STATIC ${PURE_SOURCES})
add_library(chainer_win STATIC ${WINDOWS_SOURCES})
foreach(lib chainer_pure chainer_win)
  target_include_directories(${lib} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${lib} PRIVATE ${PRODUCT_FLAGS})
endforeach()
target_link_libraries(chainer_win PUBLIC chainer_pure ${SYSTEM_LIBS})

set(RESOURCE_SCRIPT ${PROJECT_SOURCE_DIR}/ui/chainer.rc)
set_source_files_properties(${RESOURCE_SCRIPT} PROPERTIES
  OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/ui/chainer.manifest;${PROJECT_SOURCE_DIR}/ui/chainer.ico;${PROJECT_SOURCE_DIR}/ui/resource_ids.h")

add_executable(chainer WIN32 core/main.cpp core/runtime.cpp ${RESOURCE_SCRIPT})
target_compile_options(chainer PRIVATE ${PRODUCT_FLAGS})
target_link_libraries(chainer PRIVATE chainer_win)
target_link_options(chainer PRIVATE -municode -static -s -Wl,--gc-sections)
set_target_properties(chainer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Unit tests run the product's code compiled for i686 under Wine, one test per process.
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_executable(unit_tests ${PURE_TESTS} ${WINDOWS_TESTS} ${RESOURCE_SCRIPT})
target_compile_options(unit_tests PRIVATE -Wall -Wextra)
target_link_libraries(unit_tests PRIVATE chainer_win gtest_main)
target_link_options(unit_tests PRIVATE -static)
set_target_properties(unit_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The helper program that scenarios start: holds mutexes, plays a prerequisite's setup.
add_executable(fixture tests/fixture/fixture.cpp tests/version_stamp.cpp)
target_compile_options(fixture PRIVATE -Wall -Wextra -Os)
target_link_libraries(fixture PRIVATE chainer_win)
target_link_options(fixture PRIVATE -municode -static -s)
set_target_properties(fixture PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

add_dependencies(unit_tests fixture)  # tests make versioned copies of it

include(GoogleTest)
enable_testing()
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR} PROPERTIES TIMEOUT 60)
