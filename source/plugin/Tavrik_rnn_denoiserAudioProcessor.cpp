#include "Tavrik_rnn_denoiserAudioProcessor.h"

#include "XmlWellFormedness.h"
#include "editor/Tavrik_rnn_denoiserAudioEditor.h"

namespace
{
const auto& bypassID = Tavrik_rnn_denoiserAudioProcessor::bypassParameterID;

/** The framework's XML-in-binary layout, read as getXmlFromBinary reads it, but
    refusing text that is not valid UTF-8 or not well-formed XML: on such text
    JUCE's XML parser can step over the end of its string or loop forever, and
    a damaged project file must not crash or hang the host. */
std::unique_ptr<juce::XmlElement> decodeSavedState (const void* data, int sizeInBytes)
{
    constexpr juce::uint32 magic = 0x21324356;

    if (data == nullptr || sizeInBytes <= 8 || juce::ByteOrder::littleEndianInt (data) != magic)
        return {};

    const auto length = (juce::int32) juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4));

    if (length <= 0)
        return {};

    const auto* text = static_cast<const char*> (data) + 8;
    const int numBytes = juce::jmin (sizeInBytes - 8, (int) length);

    if (! juce::CharPointer_UTF8::isValidString (text, numBytes) || ! isWellFormedXml (text, numBytes))
        return {};

    return juce::parseXML (juce::String::fromUTF8 (text, numBytes));
}

/** Keeps the first of attributes that share a name. The parameter state would
    otherwise take the last one into its tree and the first into the parameter,
    and the two would disagree until the next save turned the one into the other. */
void removeDuplicateAttributes (juce::XmlElement& element)
{
    juce::StringArray names, values;

    for (int i = 0; i < element.getNumAttributes(); ++i)
    {
        if (! names.contains (element.getAttributeName (i)))
        {
            names.add (element.getAttributeName (i));
            values.add (element.getAttributeValue (i));
        }
    }

    if (names.size() != element.getNumAttributes())
    {
        element.removeAllAttributes();
        for (int i = 0; i < names.size(); ++i)
            element.setAttribute (names[i], values[i]);
    }

    for (auto* child : element.getChildIterator())
        removeDuplicateAttributes (*child);
}
} // namespace

juce::AudioProcessorValueTreeState::ParameterLayout Tavrik_rnn_denoiserAudioProcessor::createParameterLayout()
{
    juce::AudioProcessorValueTreeState::ParameterLayout layout;
    layout.add (std::make_unique<juce::AudioParameterBool> (juce::ParameterID { bypassID }, "Bypass", false));
    return layout;
}

Tavrik_rnn_denoiserAudioProcessor::Tavrik_rnn_denoiserAudioProcessor()
    : AudioProcessor (BusesProperties()
                          .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                          .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
    , parameters (*this, nullptr, "RNNVoiceParams", createParameterLayout())
    , denoiser (errors)
{
    auto& shared = logger.getSharedState();
    shared.loggerInstance.initialise();
    // Whatever the denoiser logged before now is dropped here, by design: the
    // queue starts afresh with each processor.
    shared.tasks.resize (20);

    backgroundThread.addTimeSliceClient (&logger, 0);
    backgroundThread.startThread();
    logger.log ("Initialized Tavrik RNNDenoiser audio processor");
}

Tavrik_rnn_denoiserAudioProcessor::~Tavrik_rnn_denoiserAudioProcessor()
{
    logger.log ("Closing Tavrik RNNDenoiser audio processor");
    backgroundThread.stopThread (1000);
}

Tavrik_rnn_denoiserAudioProcessor::TreeBypassMirror::TreeBypassMirror (juce::AudioProcessorValueTreeState& state)
    : parameterState (state)
{
    parameterState.state.addListener (this);
    refresh();
}

Tavrik_rnn_denoiserAudioProcessor::TreeBypassMirror::~TreeBypassMirror()
{
    parameterState.state.removeListener (this);
}

void Tavrik_rnn_denoiserAudioProcessor::TreeBypassMirror::refresh()
{
    // A tree without the parameter reads as off.
    const auto value = parameterState.getParameterAsValue (bypassID).getValue();
    on.store (! value.isVoid() && (bool) value, std::memory_order_relaxed);
}

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

    if (bypassInTree.isOn())
        return;

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

juce::AudioProcessorParameter* Tavrik_rnn_denoiserAudioProcessor::getBypassParameter() const
{
    return parameters.getParameter (bypassID);
}

juce::AudioProcessorEditor* Tavrik_rnn_denoiserAudioProcessor::createEditor()
{
    return new Tavrik_rnn_denoiserAudioEditor (*this);
}

bool Tavrik_rnn_denoiserAudioProcessor::hasEditor() const { return true; }

int Tavrik_rnn_denoiserAudioProcessor::getNumPrograms() { return 1; }
int Tavrik_rnn_denoiserAudioProcessor::getCurrentProgram() { return 0; }
void Tavrik_rnn_denoiserAudioProcessor::setCurrentProgram (int) {}
const juce::String Tavrik_rnn_denoiserAudioProcessor::getProgramName (int) { return {}; }
void Tavrik_rnn_denoiserAudioProcessor::changeProgramName (int, const juce::String&) {}

void Tavrik_rnn_denoiserAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    if (const auto xml = parameters.copyState().createXml())
    {
        copyXmlToBinary (*xml, destData);
        logger.log ("Saving processor parameters ...");
    }
}

void Tavrik_rnn_denoiserAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    if (const auto xml = decodeSavedState (data, sizeInBytes))
    {
        removeDuplicateAttributes (*xml);
        parameters.replaceState (juce::ValueTree::fromXml (*xml));
        logger.log ("Loading saved processor parameters ...");
    }
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
