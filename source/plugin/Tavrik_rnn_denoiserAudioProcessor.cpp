#include "Tavrik_rnn_denoiserAudioProcessor.h"

Tavrik_rnn_denoiserAudioProcessor::Tavrik_rnn_denoiserAudioProcessor()
    : AudioProcessor (BusesProperties()
                          .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                          .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
    , denoiser (errors)
{
}

Tavrik_rnn_denoiserAudioProcessor::~Tavrik_rnn_denoiserAudioProcessor() = default;

const juce::String Tavrik_rnn_denoiserAudioProcessor::getName() const
{
    return "Tavrik Noise Removal";
}

void Tavrik_rnn_denoiserAudioProcessor::prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock)
{
    const auto channels = juce::jmax (getTotalNumInputChannels(), getTotalNumOutputChannels());
    denoiser.prepare ({ sampleRate, (juce::uint32) juce::jmax (0, maximumExpectedSamplesPerBlock), (juce::uint32) channels });

    const int latency = denoiser.getLatencySamples();

    if (latency != getLatencySamples())
        setLatencySamples (latency);
}

void Tavrik_rnn_denoiserAudioProcessor::releaseResources()
{
}

void Tavrik_rnn_denoiserAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    const juce::ScopedNoDenormals noDenormals;

    for (auto channel = getTotalNumInputChannels(); channel < getTotalNumOutputChannels(); ++channel)
        buffer.clear (channel, 0, buffer.getNumSamples());

    juce::dsp::AudioBlock<float> block (buffer);
    denoiser.process (juce::dsp::ProcessContextReplacing<float> (block));
}

void Tavrik_rnn_denoiserAudioProcessor::processBlockBypassed (juce::AudioBuffer<float>&, juce::MidiBuffer&)
{
    // The buffer holds the input: it goes out unchanged.
}

double Tavrik_rnn_denoiserAudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool Tavrik_rnn_denoiserAudioProcessor::acceptsMidi() const { return false; }
bool Tavrik_rnn_denoiserAudioProcessor::producesMidi() const { return false; }

juce::AudioProcessorEditor* Tavrik_rnn_denoiserAudioProcessor::createEditor()
{
    return new juce::GenericAudioProcessorEditor (*this);
}

bool Tavrik_rnn_denoiserAudioProcessor::hasEditor() const { return true; }

int Tavrik_rnn_denoiserAudioProcessor::getNumPrograms() { return 1; }
int Tavrik_rnn_denoiserAudioProcessor::getCurrentProgram() { return 0; }
void Tavrik_rnn_denoiserAudioProcessor::setCurrentProgram (int) {}
const juce::String Tavrik_rnn_denoiserAudioProcessor::getProgramName (int) { return {}; }
void Tavrik_rnn_denoiserAudioProcessor::changeProgramName (int, const juce::String&) {}

void Tavrik_rnn_denoiserAudioProcessor::getStateInformation (juce::MemoryBlock&)
{
}

void Tavrik_rnn_denoiserAudioProcessor::setStateInformation (const void*, int)
{
}

bool Tavrik_rnn_denoiserAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto& output = layouts.getMainOutputChannelSet();

    if (output != juce::AudioChannelSet::mono() && output != juce::AudioChannelSet::stereo())
        return false;

    return layouts.getMainInputChannelSet() == output;
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new Tavrik_rnn_denoiserAudioProcessor();
}
