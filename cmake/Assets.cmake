# The editor's artwork, compiled into the module: nothing is read from disk at run time.
juce_add_binary_data(TavrikAssets
    HEADER_NAME "TavrikAssets.h"
    NAMESPACE TavrikAssets
    SOURCES
        "${CMAKE_CURRENT_SOURCE_DIR}/assets/animation.json"
        "${CMAKE_CURRENT_SOURCE_DIR}/assets/background_.svg"
        "${CMAKE_CURRENT_SOURCE_DIR}/assets/warning.svg")
set_target_properties(TavrikAssets PROPERTIES POSITION_INDEPENDENT_CODE ON)
