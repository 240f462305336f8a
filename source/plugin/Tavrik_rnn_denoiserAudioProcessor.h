#pragma once

#include "dsp/RNNDenoiser.h"
#include "errors/Errors.h"

#include <juce_audio_processors/juce_audio_processors.h>

/** The audio processor a VST3 host drives: mono or stereo in and out, the
    denoising engine on every block, latency reported to the host.

    The host constructs, prepares and saves it on its non-audio threads and
    calls processBlock on its audio thread.
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

private:
    Tavrik::Errors<juce::String> errors;
    RNNDenoiser denoiser;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Tavrik_rnn_denoiserAudioProcessor)
};
