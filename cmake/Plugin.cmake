# The plug-in's code lives in one library: the shared-code target that
# juce_add_plugin makes. The VST3 module, the tests and the tools all link it,
# so they run exactly what ships, and every JUCE module is compiled once for it.

juce_add_plugin(TavrikNoiseRemoval
    PRODUCT_NAME "TavrikNoiseRemoval"
    PLUGIN_NAME "Tavrik Noise Removal"
    COMPANY_NAME "Tavrik"
    DESCRIPTION "tavrik_rnn_denoiser"
    VERSION 1.0.0
    PLUGIN_MANUFACTURER_CODE Manu
    PLUGIN_CODE Gugp
    FORMATS VST3
    VST3_CATEGORIES Fx
    IS_SYNTH FALSE
    NEEDS_MIDI_INPUT FALSE
    NEEDS_MIDI_OUTPUT FALSE
    IS_MIDI_EFFECT FALSE
    EDITOR_WANTS_KEYBOARD_FOCUS FALSE
    COPY_PLUGIN_AFTER_BUILD FALSE)

include(SupportSources)
set(TAVRIK_SOURCES
    ${TAVRIK_SUPPORT_SOURCES}
    source/log/LoggerInstance.cpp
    source/log/TaskQueue.cpp
    source/log/BackgroundLogger.cpp
    source/errors/ConvolveImageEffect.cpp
    source/dsp/StreamingResampler.cpp
    source/dsp/RNNDenoiser.cpp
    source/editor/SVGComponentOptimized.cpp
    source/editor/RNNDenoiserLookAndFeel.cpp
    source/editor/ToggleButton.cpp
    source/editor/HyperlinkButton.cpp
    source/editor/Tweener.cpp
    source/editor/RLottieComponent.cpp
    source/editor/MainComponent.cpp
    source/editor/Tavrik_rnn_denoiserAudioEditor.cpp
    source/errors/BlurryError.cpp
    source/plugin/XmlWellFormedness.cpp
    source/plugin/Tavrik_rnn_denoiserAudioProcessor.cpp)
list(TRANSFORM TAVRIK_SOURCES PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/")

target_sources(TavrikNoiseRemoval PRIVATE ${TAVRIK_SOURCES})
target_include_directories(TavrikNoiseRemoval PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}/source")

target_link_libraries(TavrikNoiseRemoval
    PRIVATE
        juce::juce_audio_basics
        juce::juce_audio_processors
        juce::juce_audio_formats
        juce::juce_dsp
        juce::juce_gui_basics
        juce::juce_gui_extra
        juce::juce_opengl
        juce::juce_recommended_config_flags
        juce::juce_recommended_warning_flags
    PUBLIC
        tavrik_juce_settings
        tavrik_rnnoise
        TavrikAssets
        PkgConfig::RLOTTIE)

# Where the built bundle is, for the tools and tests that load it like a host.
set(TAVRIK_PLUGIN_BUNDLE "$<GENEX_EVAL:$<TARGET_PROPERTY:TavrikNoiseRemoval_VST3,JUCE_PLUGIN_ARTEFACT_FILE>>")

# JUCE 7.0.5's VST3 client copies a channel mapping, std::vector and all, for
# every input bus of every block: an allocation on the audio thread. A
# reference does the same job. The header is patched at configure time from the
# installed JUCE and put in front of it for the VST3 wrapper only.
set(vst3_common_header "${JUCE_MODULES_DIR}/juce_audio_processors/format_types/juce_VST3Common.h")
file(READ "${vst3_common_header}" vst3_common)
string(REPLACE "const auto mapping = map[busIndex];" "const auto& mapping = map[busIndex];" vst3_common_patched "${vst3_common}")
if(vst3_common_patched STREQUAL vst3_common)
    message(WARNING "juce_VST3Common.h has changed; the audio-thread allocation fix no longer applies")
else()
    set(patched_juce "${CMAKE_BINARY_DIR}/juce_patched")
    file(GENERATE OUTPUT "${patched_juce}/juce_audio_processors/format_types/juce_VST3Common.h"
                  CONTENT "${vst3_common_patched}")
    target_include_directories(TavrikNoiseRemoval_VST3 BEFORE PRIVATE "${patched_juce}")
endif()
