# Only the support library and its tests, for checking the platform layer on
# another platform (the Windows side, cross-built with MinGW-w64 and run under
# Wine by scripts/test-windows-support.sh). No JUCE, no plug-in.

include(SupportSources)
list(TRANSFORM TAVRIK_SUPPORT_SOURCES PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/")

add_library(tavrik_support STATIC ${TAVRIK_SUPPORT_SOURCES})
target_include_directories(tavrik_support PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}/source")

# GoogleTest from the sources Debian ships with libgtest-dev.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

add_executable(tavrik_support_tests
    tests/support/CKvlRingBufferTest.cpp
    tests/support/KvlTraceTest.cpp)
target_include_directories(tavrik_support_tests PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}/tests")
target_link_libraries(tavrik_support_tests PRIVATE tavrik_support gtest_main)
target_link_options(tavrik_support_tests PRIVATE -static)

enable_testing()
add_test(NAME support_tests COMMAND tavrik_support_tests)
