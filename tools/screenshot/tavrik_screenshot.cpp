// tavrik-screenshot: opens the plug-in's editor in a real window (OpenGL and
// all; under Xvfb on a machine without a screen) and writes screenshots of its
// states, or measures what the idle editor costs.
//
//   tavrik-screenshot OUTPUT_FOLDER
//   tavrik-screenshot --measure SECONDS [--scale S]
//
// Screenshots come from the X server (ImageMagick's `import`), so they show
// what OpenGL really drew. The overlay picture stores errors in the registry,
// which only this tool does: the shipped plug-in never stores any.

#include "LenientXErrors.h"
#include "editor/Tavrik_rnn_denoiserAudioEditor.h"
#include "plugin/Tavrik_rnn_denoiserAudioProcessor.h"

#include <iostream>
#include <sys/resource.h>

namespace
{
void pump (int ms)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (ms);
}

double cpuSeconds()
{
    rusage usage {};
    getrusage (RUSAGE_SELF, &usage);
    return (double) usage.ru_utime.tv_sec + (double) usage.ru_stime.tv_sec
         + ((double) usage.ru_utime.tv_usec + (double) usage.ru_stime.tv_usec) * 1.0e-6;
}

/** A borderless window that holds the editor as a host's plug-in window does:
    sized to the editor's bounds after its own scale transform. */
struct Window : juce::DocumentWindow
{
    explicit Window (juce::Component& editorToShow)
        : DocumentWindow ("Tavrik Noise Removal", juce::Colours::black, 0, true)
        , editor (editorToShow)
    {
        setUsingNativeTitleBar (false);
        setTitleBarHeight (0);
        holder.addAndMakeVisible (editor);
        fitToEditor();
        setContentNonOwned (&holder, true);
        setTopLeftPosition (0, 0);
        setVisible (true);
    }

    void fitToEditor()
    {
        const auto bounds = editor.getBoundsInParent();
        setContentComponentSize (bounds.getWidth(), bounds.getHeight());
        holder.setSize (bounds.getWidth(), bounds.getHeight());
    }

    juce::Component& editor;
    juce::Component holder;
};

bool capture (const juce::Component& editor, const juce::File& file)
{
    const auto area = editor.getScreenBounds();
    juce::ChildProcess import;
    const juce::String crop = juce::String (area.getWidth()) + "x" + juce::String (area.getHeight()) + "+"
                            + juce::String (area.getX()) + "+" + juce::String (area.getY());

    if (! import.start (juce::StringArray { "import", "-window", "root", "-crop", crop, "+repage", file.getFullPathName() }))
        return false;

    import.waitForProcessToFinish (20000);
    return import.getExitCode() == 0 && file.existsAsFile();
}

int screenshots (const juce::File& folder)
{
    folder.createDirectory();
    Tavrik_rnn_denoiserAudioProcessor processor;
    auto editor = std::make_unique<Tavrik_rnn_denoiserAudioEditor> (processor);
    Window window (*editor);
    bool ok = true;

    auto shoot = [&] (const juce::String& name)
    {
        const auto file = folder.getChildFile (name + ".png");
        const bool written = capture (window.holder, file);
        std::cerr << (written ? "wrote " : "could not write ") << file.getFullPathName() << "\n";
        ok = ok && written;
    };

    pump (1500);
    shoot ("editor-active");

    processor.getBypassParameter()->setValueNotifyingHost (1.0f);
    pump (250); // a quarter into the half-second transition
    shoot ("editor-transition");
    pump (1500);
    shoot ("editor-bypassed");

    processor.getBypassParameter()->setValueNotifyingHost (0.0f);
    pump (1000);
    editor->setScaleFactor (1.5f);
    window.fitToEditor();
    pump (1500);
    shoot ("editor-scale-1.5");
    editor->setScaleFactor (1.0f);
    window.fitToEditor();
    pump (500);

    auto& errors = processor.getErrors();
    errors.addError ({ "The microphone input is silent. Check that the right input is selected in your recording program.", "", "" });
    errors.addError ({ "Noise removal works best on a single voice. Two or more speakers on one track, music or singing "
                       "can make it sound thin; give each speaker a track of their own and put the effect on each of them.",
                       "Read the guide", "https://example.invalid/guide" });
    errors.addError ({ "A third message, to show the counter.", "", "" });
    pump (500);
    editor->getErrorOverlay().mouseDown (juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), {}, {}, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                                                           &editor->getErrorOverlay(), &editor->getErrorOverlay(), juce::Time(), {}, juce::Time(), 1, false));
    pump (1000);
    shoot ("editor-error-overlay");

    window.setVisible (false);
    window.clearContentComponent();
    editor.reset();
    return ok ? 0 : 1;
}

int measure (double seconds, float scale)
{
    Tavrik_rnn_denoiserAudioProcessor processor;
    const auto constructed = juce::Time::getMillisecondCounterHiRes();
    auto editor = std::make_unique<Tavrik_rnn_denoiserAudioEditor> (processor);
    Window window (*editor);

    while (! editor->getMainComponent().hasPainted() && juce::Time::getMillisecondCounterHiRes() - constructed < 10000.0)
        pump (1);

    const auto firstPaint = juce::Time::getMillisecondCounterHiRes() - constructed;

    if (scale != 1.0f)
    {
        editor->setScaleFactor (scale);
        window.fitToEditor();
    }

    pump (2000);
    const double cpuBefore = cpuSeconds();
    const auto wallBefore = juce::Time::getMillisecondCounterHiRes();
    pump ((int) (seconds * 1000.0));
    const double cpu = cpuSeconds() - cpuBefore;
    const double wall = (juce::Time::getMillisecondCounterHiRes() - wallBefore) / 1000.0;

    std::cout << "scale " << scale << ": first frame painted " << juce::String (firstPaint, 0) << " ms after construction; "
              << "idle with the animation playing: " << juce::String (100.0 * cpu / wall, 1) << " % of one core over "
              << juce::String (wall, 1) << " s (OpenGL " << (editor->getMainComponent().isUsingOpenGL() ? "on" : "off") << ")\n";

    window.setVisible (false);
    window.clearContentComponent();
    editor.reset();
    return 0;
}
} // namespace

int main (int argc, char** argv)
{
    installLenientXErrorHandler();
    const juce::ScopedJuceInitialiser_GUI juce;
    const juce::StringArray args (argv + 1, argc - 1);

    if (args.size() >= 2 && args[0] == "--measure")
        return measure (args[1].getDoubleValue(), args.size() >= 4 && args[2] == "--scale" ? args[3].getFloatValue() : 1.0f);

    if (args.size() == 1 && ! args[0].startsWith ("--"))
        return screenshots (juce::File::getCurrentWorkingDirectory().getChildFile (args[0]));

    std::cerr << "usage: tavrik-screenshot OUTPUT_FOLDER | --measure SECONDS [--scale S]\n";
    return 2;
}
