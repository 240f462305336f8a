// tavrik-render: runs an audio file through the built TavrikNoiseRemoval.vst3
// the way a host does, and writes the result lined up with the input.
//
//   tavrik-render [--block N] [--plugin PATH] in.wav out.wav

#include "PluginHost.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <cstdio>
#include <iostream>

namespace
{
int usage()
{
    std::cerr << "usage: tavrik-render [--block N] [--plugin PATH] in.wav out.wav\n"
                 "  --block N      host block size in samples (default 512)\n"
                 "  --plugin PATH  the VST3 bundle to load (default: the one this build made)\n";
    return 2;
}

struct Options
{
    int blockSize = 512;
    juce::String pluginPath = TAVRIK_DEFAULT_PLUGIN_PATH;
    juce::File input, output;
};

bool parse (int argc, char** argv, Options& options)
{
    juce::StringArray positional;

    for (int i = 1; i < argc; ++i)
    {
        const juce::String arg (argv[i]);

        if (arg == "--block" && i + 1 < argc)
            options.blockSize = juce::String (argv[++i]).getIntValue();
        else if (arg == "--plugin" && i + 1 < argc)
            options.pluginPath = argv[++i];
        else if (arg.startsWith ("--"))
            return false;
        else
            positional.add (arg);
    }

    if (positional.size() != 2 || options.blockSize < 1 || options.blockSize > 65536)
        return false;

    options.input = juce::File::getCurrentWorkingDirectory().getChildFile (positional[0]);
    options.output = juce::File::getCurrentWorkingDirectory().getChildFile (positional[1]);
    return true;
}

int render (const Options& options)
{
    juce::AudioFormatManager formats;
    formats.registerBasicFormats();

    std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (options.input));

    if (reader == nullptr)
    {
        std::cerr << "tavrik-render: cannot read " << options.input.getFullPathName() << "\n";
        return 1;
    }

    const double sampleRate = reader->sampleRate;
    const int channels = (int) juce::jlimit (1u, 2u, reader->numChannels);
    const auto length = reader->lengthInSamples;

    juce::String error;
    auto plugin = tavrik::loadPlugin (options.pluginPath, sampleRate, options.blockSize, channels, error);

    if (plugin == nullptr)
    {
        std::cerr << "tavrik-render: " << error << "\n";
        return 1;
    }

    const int latency = plugin->getLatencySamples();
    std::cerr << "tavrik-render: " << plugin->getName() << ", " << sampleRate << " Hz, " << channels
              << (channels == 1 ? " channel" : " channels") << ", block " << options.blockSize
              << ", latency " << latency << " samples\n";

    options.output.deleteFile();
    std::unique_ptr<juce::FileOutputStream> stream (options.output.createOutputStream());
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer (
        stream != nullptr ? wav.createWriterFor (stream.get(), sampleRate, (unsigned int) channels,
                                                 juce::jmax (16, (int) reader->bitsPerSample), {}, 0)
                          : nullptr);

    if (writer == nullptr)
    {
        std::cerr << "tavrik-render: cannot write " << options.output.getFullPathName() << "\n";
        return 1;
    }

    stream.release(); // the writer owns it now

    juce::AudioBuffer<float> block (channels, options.blockSize);
    juce::MidiBuffer midi;
    const juce::int64 total = length + latency; // the tail that the latency holds back
    juce::int64 done = 0;
    auto lastReport = juce::Time::getMillisecondCounter();
    const bool showProgress = length > (juce::int64) (sampleRate * 30.0);

    while (done < total)
    {
        const int n = (int) juce::jmin ((juce::int64) options.blockSize, total - done);
        block.setSize (channels, n, false, false, true);
        block.clear();

        if (done < length)
            reader->read (&block, 0, (int) juce::jmin ((juce::int64) n, length - done), done, true, channels > 1);

        plugin->processBlock (block, midi);

        // Drop the first `latency` samples so that the output lines up with the input.
        const juce::int64 skip = juce::jlimit ((juce::int64) 0, (juce::int64) n, (juce::int64) latency - done);
        if (skip < n)
            writer->writeFromAudioSampleBuffer (block, (int) skip, n - (int) skip);

        done += n;

        if (showProgress && juce::Time::getMillisecondCounter() - lastReport > 1000)
        {
            lastReport = juce::Time::getMillisecondCounter();
            std::fprintf (stderr, "\rtavrik-render: %3d %%", (int) (100 * done / total));
            std::fflush (stderr);
        }
    }

    if (showProgress)
        std::fprintf (stderr, "\rtavrik-render: 100 %%\n");

    plugin->releaseResources();
    std::cerr << "tavrik-render: wrote " << options.output.getFullPathName() << "\n";
    return 0;
}
} // namespace

int main (int argc, char** argv)
{
    Options options;

    if (! parse (argc, argv, options))
        return usage();

    const juce::ScopedJuceInitialiser_GUI juce;
    return render (options);
}
