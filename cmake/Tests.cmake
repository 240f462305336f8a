find_package(GTest REQUIRED)
include(GoogleTest)

# Counts allocations on the "audio thread"; sanitizers bring their own malloc.
add_library(tavrik_test_support OBJECT
    tests/common/AllocationGuard.cpp
    tests/common/TestMain.cpp)
target_include_directories(tavrik_test_support PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}/tests")
target_link_libraries(tavrik_test_support PUBLIC GTest::gtest tavrik_juce_settings tavrik_x11_errors)
target_compile_definitions(tavrik_test_support PUBLIC TAVRIK_SANITIZED=$<BOOL:${TAVRIK_SANITIZE}>)

# Unit tests: the plug-in's code library, in process.
add_executable(tavrik_tests
    tests/support/CKvlRingBufferTest.cpp
    tests/support/KvlTraceTest.cpp
    tests/dsp/RNNDenoiserTest.cpp
    tests/errors/ErrorsTest.cpp
    tests/errors/ConvolveImageEffectTest.cpp
    tests/log/LoggerInstanceTest.cpp
    tests/log/TaskQueueTest.cpp
    tests/editor/ArtworkTest.cpp
    tests/editor/SVGComponentTest.cpp
    tests/editor/LookAndFeelTest.cpp
    tests/editor/TweenerTest.cpp
    tests/editor/RLottieComponentTest.cpp
    tests/editor/MainComponentTest.cpp
    tests/editor/EditorTest.cpp
    tests/errors/BlurryErrorTest.cpp
    tests/plugin/ProcessorTest.cpp
    tests/plugin/ProcessorStateTest.cpp
    tests/plugin/XmlWellFormednessTest.cpp)
target_link_libraries(tavrik_tests PRIVATE TavrikNoiseRemoval tavrik_test_support)
target_compile_definitions(tavrik_tests PRIVATE TAVRIK_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
gtest_discover_tests(tavrik_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit)

# End-to-end tests: the built VST3 module loaded through JUCE's VST3 hosting.
add_executable(tavrik_host_tests
    tests/host/PluginHostTest.cpp
    tests/host/HostTortureTest.cpp)
target_link_libraries(tavrik_host_tests PRIVATE tavrik_plugin_host tavrik_test_support)
target_include_directories(tavrik_host_tests PRIVATE
    "${JUCE_MODULES_DIR}/juce_audio_processors/format_types/VST3_SDK")
target_link_libraries(tavrik_host_tests PRIVATE ${CMAKE_DL_LIBS})
add_dependencies(tavrik_host_tests TavrikNoiseRemoval_VST3)
gtest_discover_tests(tavrik_host_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS host)

# A few minutes of the hour-long soak (tools/soak), in every run.
add_test(NAME soak.threeMinutesOfAudio COMMAND tavrik-soak 3 44100)
set_tests_properties(soak.threeMinutesOfAudio PROPERTIES LABELS soak TIMEOUT 300)
