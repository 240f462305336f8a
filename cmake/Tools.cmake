# The offline renderer: loads the built module like a host and runs a file through it.

add_library(tavrik_plugin_host STATIC tools/render/PluginHost.cpp)
target_include_directories(tavrik_plugin_host PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}/tools/render")
target_link_libraries(tavrik_plugin_host PUBLIC tavrik_host)
target_compile_definitions(tavrik_plugin_host PUBLIC TAVRIK_DEFAULT_PLUGIN_PATH="${TAVRIK_PLUGIN_BUNDLE}")

add_executable(tavrik-render tools/render/tavrik_render.cpp)
target_link_libraries(tavrik-render PRIVATE tavrik_plugin_host)
add_dependencies(tavrik-render TavrikNoiseRemoval_VST3)

# Renders the compiled-in artwork to PNG files, for looking at it and for the README.
add_executable(tavrik-render-artwork tools/artwork/render_artwork.cpp)
target_link_libraries(tavrik-render-artwork PRIVATE TavrikNoiseRemoval)

# Opens the editor in a real window and writes screenshots, or measures its idle cost.
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
add_library(tavrik_x11_errors STATIC tools/common/LenientXErrors.cpp)
target_include_directories(tavrik_x11_errors PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}/tools/common")
target_link_libraries(tavrik_x11_errors PUBLIC PkgConfig::X11)

add_executable(tavrik-screenshot tools/screenshot/tavrik_screenshot.cpp)
target_link_libraries(tavrik-screenshot PRIVATE TavrikNoiseRemoval tavrik_x11_errors)

# An hour of audio (or as many minutes as asked) through one processor.
add_executable(tavrik-soak tools/soak/tavrik_soak.cpp)
target_include_directories(tavrik-soak PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}/tests")
target_link_libraries(tavrik-soak PRIVATE TavrikNoiseRemoval)
