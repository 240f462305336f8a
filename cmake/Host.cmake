# JUCE compiled once more, this time as a VST3 host, for the programs that load
# the built module the way a DAW does (the offline renderer, the end-to-end
# tests). A VST3 host and a VST3 plug-in cannot share one JUCE build, so this is
# a library of its own.

add_library(tavrik_host STATIC)
target_link_libraries(tavrik_host
    PRIVATE
        juce::juce_audio_basics
        juce::juce_audio_formats
        juce::juce_audio_processors
        juce::juce_gui_basics
        juce::juce_gui_extra
        juce::juce_recommended_config_flags
    PUBLIC
        tavrik_juce_settings)
target_compile_definitions(tavrik_host PUBLIC
    JUCE_PLUGINHOST_VST3=1
    JUCE_MODULE_AVAILABLE_juce_audio_basics=1
    JUCE_MODULE_AVAILABLE_juce_audio_formats=1
    JUCE_MODULE_AVAILABLE_juce_audio_processors=1
    JUCE_MODULE_AVAILABLE_juce_core=1
    JUCE_MODULE_AVAILABLE_juce_data_structures=1
    JUCE_MODULE_AVAILABLE_juce_events=1
    JUCE_MODULE_AVAILABLE_juce_graphics=1
    JUCE_MODULE_AVAILABLE_juce_gui_basics=1
    JUCE_MODULE_AVAILABLE_juce_gui_extra=1)
set_target_properties(tavrik_host PROPERTIES POSITION_INDEPENDENT_CODE ON)
