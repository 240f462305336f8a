#pragma once

#include "dsp/RNNDenoiser.h"
#include "errors/Errors.h"
#include "log/BackgroundLogger.h"

#include <juce_audio_processors/juce_audio_processors.h>

/** The audio processor a VST3 host drives: mono or stereo in and out, the
    denoising engine on every block unless `bypass` is on, latency reported to
    the host, the parameter state saved with the host's project.

    The host constructs, prepares and saves it on its non-audio threads and
    calls processBlock on its audio thread, which neither logs nor allocates.
*/
class Tavrik_rnn_denoiserAudioProcessor : public juce::AudioProcessor
{
public:
    Tavrik_rnn_denoiserAudioProcessor();
    ~Tavrik_rnn_denoiserAudioProcessor() override;

    const juce::String getName() const override;

    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlock;
    void processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlockBypassed;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;

    juce::AudioProcessorParameter* getBypassParameter() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    Tavrik::Errors<juce::String>& getErrors() noexcept { return errors; }
    juce::AudioProcessorValueTreeState& getParameters() noexcept { return parameters; }

    static juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();

    /** The ID of the one parameter, also the host's bypass switch. */
    static inline const juce::String bypassParameterID { "bypass" };

private:
    /** The bypass value held in the parameter state tree, mirrored into an
        atomic whenever the tree changes, so the audio thread reads it without
        touching the tree. */
    class TreeBypassMirror : private juce::ValueTree::Listener
    {
    public:
        explicit TreeBypassMirror (juce::AudioProcessorValueTreeState& state);
        ~TreeBypassMirror() override;

        bool isOn() const noexcept { return on.load (std::memory_order_relaxed); }

    private:
        void refresh();
        void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&) override { refresh(); }
        void valueTreeChildAdded (juce::ValueTree&, juce::ValueTree&) override { refresh(); }
        void valueTreeChildRemoved (juce::ValueTree&, juce::ValueTree&, int) override { refresh(); }
        void valueTreeRedirected (juce::ValueTree&) override { refresh(); }

        juce::AudioProcessorValueTreeState& parameterState;
        std::atomic<bool> on { false };
    };

    BackgroundLogger logger;
    Tavrik::Errors<juce::String> errors;
    juce::TimeSliceThread backgroundThread { "Background Thread" };
    juce::AudioProcessorValueTreeState parameters;
    RNNDenoiser denoiser;
    TreeBypassMirror bypassInTree { parameters };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Tavrik_rnn_denoiserAudioProcessor)
};
