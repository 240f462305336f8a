# The RNNoise provider. By default the C sources unpacked by scripts/setup.sh;
# TAVRIK_RNNOISE_SOURCE_DIR can point at another RNNoise source tree, or
# TAVRIK_RNNOISE_SYSTEM uses an installed rnnoise found with pkg-config.
#
# Whichever is used declares here, and nowhere else, how many 48 kHz samples
# RNNoise itself delays its output: one 480-sample frame for the release that
# obs-studio carries, two frames for newer RNNoise releases.

option(TAVRIK_RNNOISE_SYSTEM "Use an installed rnnoise (pkg-config) instead of a source tree" OFF)
set(TAVRIK_RNNOISE_SOURCE_DIR "${CMAKE_CURRENT_SOURCE_DIR}/third_party/rnnoise"
    CACHE PATH "RNNoise source tree with include/rnnoise.h and src/")
set(TAVRIK_RNNOISE_DELAY_SAMPLES 480
    CACHE STRING "RNNoise's own processing delay in 48 kHz samples (480 for obs-studio's copy, 960 for RNNoise 0.2)")

if(TAVRIK_RNNOISE_SYSTEM)
    pkg_check_modules(RNNOISE REQUIRED IMPORTED_TARGET rnnoise)
    add_library(tavrik_rnnoise INTERFACE)
    target_link_libraries(tavrik_rnnoise INTERFACE PkgConfig::RNNOISE)
else()
    if(NOT EXISTS "${TAVRIK_RNNOISE_SOURCE_DIR}/include/rnnoise.h")
        message(FATAL_ERROR "RNNoise sources not found in ${TAVRIK_RNNOISE_SOURCE_DIR}: run scripts/setup.sh, "
                            "which takes them from Debian's obs-studio source package")
    endif()

    add_library(tavrik_rnnoise STATIC
        "${TAVRIK_RNNOISE_SOURCE_DIR}/src/denoise.c"
        "${TAVRIK_RNNOISE_SOURCE_DIR}/src/kiss_fft.c"
        "${TAVRIK_RNNOISE_SOURCE_DIR}/src/pitch.c"
        "${TAVRIK_RNNOISE_SOURCE_DIR}/src/celt_lpc.c"
        "${TAVRIK_RNNOISE_SOURCE_DIR}/src/rnn.c"
        "${TAVRIK_RNNOISE_SOURCE_DIR}/src/rnn_data.c")
    target_include_directories(tavrik_rnnoise PUBLIC "${TAVRIK_RNNOISE_SOURCE_DIR}/include")
    # COMPILE_OPUS brings opus_fft_c, which denoise.c calls.
    target_compile_definitions(tavrik_rnnoise PRIVATE COMPILE_OPUS)
    set_target_properties(tavrik_rnnoise PROPERTIES
        POSITION_INDEPENDENT_CODE ON
        C_VISIBILITY_PRESET hidden)
    target_compile_options(tavrik_rnnoise PRIVATE -w)
    # These two files take each frame's scratch arrays from malloc; see the header.
    set_source_files_properties(
        "${TAVRIK_RNNOISE_SOURCE_DIR}/src/pitch.c"
        "${TAVRIK_RNNOISE_SOURCE_DIR}/src/celt_lpc.c"
        TARGET_DIRECTORY tavrik_rnnoise
        PROPERTIES COMPILE_OPTIONS "-include;${CMAKE_CURRENT_LIST_DIR}/rnnoise/scratch_on_stack.h")
    find_library(MATH_LIBRARY m)
    if(MATH_LIBRARY)
        target_link_libraries(tavrik_rnnoise PUBLIC ${MATH_LIBRARY})
    endif()
endif()

target_compile_definitions(tavrik_rnnoise INTERFACE TAVRIK_RNNOISE_DELAY_SAMPLES=${TAVRIK_RNNOISE_DELAY_SAMPLES})
