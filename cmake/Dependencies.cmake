find_package(JUCE 7.0.5 CONFIG)
if(NOT JUCE_FOUND)
    message(FATAL_ERROR "JUCE 7.0.5 not found: install the Debian package juce-modules-source (scripts/setup.sh does)")
endif()

find_package(PkgConfig REQUIRED)

pkg_check_modules(RLOTTIE IMPORTED_TARGET rlottie)
if(NOT RLOTTIE_FOUND)
    message(FATAL_ERROR "rlottie not found: install the Debian package librlottie-dev (scripts/setup.sh does)")
endif()

# Debian's JUCE leaves out its bundled zlib, libpng and libjpeg and expects the system's.
foreach(lib IN ITEMS zlib libpng libjpeg)
    string(TOUPPER "${lib}" prefix)
    pkg_check_modules(${prefix} IMPORTED_TARGET ${lib})
    if(NOT ${prefix}_FOUND)
        message(FATAL_ERROR "${lib} not found: install zlib1g-dev, libpng-dev and libjpeg-dev (scripts/setup.sh does)")
    endif()
endforeach()

# Settings every target that compiles JUCE code shares, so that the modules
# and the code that includes their headers agree on every flag.
add_library(tavrik_juce_settings INTERFACE)
target_include_directories(tavrik_juce_settings INTERFACE "${JUCE_MODULES_DIR}")
target_compile_definitions(tavrik_juce_settings INTERFACE
    JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
    $<IF:$<CONFIG:Debug>,DEBUG=1 _DEBUG=1,NDEBUG=1 _NDEBUG=1>
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_USE_FLAC=0
    JUCE_USE_OGGVORBIS=0
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_VST3_CAN_REPLACE_VST2=0
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_STRICT_REFCOUNTEDPOINTER=1)
target_link_libraries(tavrik_juce_settings INTERFACE
    PkgConfig::ZLIB PkgConfig::LIBPNG PkgConfig::LIBJPEG)
