# JUCE stamps __DATE__/__TIME__ into a few files; ccache may ignore that. With
# paths taken relative to the checkout, and the build folder left out of the
# hash of debug builds, a clone elsewhere (CI) hits the cache too.
find_program(TAVRIK_CCACHE ccache)
if(TAVRIK_CCACHE)
    set(launcher env CCACHE_SLOPPINESS=time_macros,include_file_mtime,include_file_ctime
                 "CCACHE_BASEDIR=${CMAKE_SOURCE_DIR}" CCACHE_NOHASHDIR=true "${TAVRIK_CCACHE}")
    set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
endif()

if(TAVRIK_SANITIZE)
    string(REPLACE ";" "," sanitizers "${TAVRIK_SANITIZE}")
    add_compile_options(-fsanitize=${sanitizers} -fno-omit-frame-pointer -g)
    add_link_options(-fsanitize=${sanitizers})
endif()

if(TAVRIK_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
