# JUCE stamps __DATE__/__TIME__ into a few files; ccache may ignore that.
find_program(TAVRIK_CCACHE ccache)
if(TAVRIK_CCACHE)
    set(launcher env CCACHE_SLOPPINESS=time_macros,include_file_mtime,include_file_ctime "${TAVRIK_CCACHE}")
    set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
endif()

if(TAVRIK_SANITIZE)
    string(REPLACE ";" "," sanitizers "${TAVRIK_SANITIZE}")
    add_compile_options(-fsanitize=${sanitizers} -fno-omit-frame-pointer -g)
    add_link_options(-fsanitize=${sanitizers})
endif()
