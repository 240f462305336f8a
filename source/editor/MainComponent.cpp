#include "MainComponent.h"

#include "plugin/Tavrik_rnn_denoiserAudioProcessor.h"

#include <TavrikAssets.h>

namespace
{
const auto& bypassID = Tavrik_rnn_denoiserAudioProcessor::bypassParameterID;
const char* const knobKeyPath = "**.Mic.Knob Outline.**";

// Frames of the transition between the loops: 149 (bypassed) to 300 (active).
int transitionFrame (bool towardsActive, double progress)
{
    const double frame = towardsActive ? 149.0 + 151.0 * progress : 300.0 - 151.0 * progress;
    return (int) std::round (frame); // halves away from zero
}
} // namespace

MainComponent::MainComponent (Tavrik_rnn_denoiserAudioProcessor& p, ConstrainerAndSVGResizer<Tavrik::SVGComponentOptimized>& c)
    : juce::AudioProcessorEditor (p)
    , audioProcessor (p)
    , parameters (p.getParameters())
    , boundsConstrainer (c)
    , background (TavrikAssets::background__svg, (size_t) TavrikAssets::background__svgSize)
{
    if (auto* bypass = parameters.getParameter (bypassID))
        bypassAttachment = std::make_unique<juce::ButtonParameterAttachment> (*bypass, bypassButton, parameters.undoManager);

    openGLContext.attachTo (*this);

    background.placement = juce::RectanglePlacement::stretchToFit;
    addAndMakeVisible (background);
    addAndMakeVisible (bypassButton);
    addAndMakeVisible (lottieAnimation);

    const auto* bypassValue = parameters.getRawParameterValue (bypassID);
    const bool bypassed = bypassValue != nullptr && bypassValue->load() != 0.0f;
    lottieAnimation.playRange (bypassed ? 0 : 300, bypassed ? 149 : 449);

    // The microphone's knob pulses: fill opacity 0 to 80 and back, 1.5 s each way.
    tweener.add ({ 0.0, 1.5,
                   [this] (double v)
                   {
                       if (lottieAnimation.animation != nullptr)
                           lottieAnimation.animation->setValue<rlottie::Property::FillOpacity> (knobKeyPath, (float) (v * 80.0));
                   },
                   {}, easeInOutCubic, true, true, true });

    parameters.addParameterListener (bypassID, this);
    boundsConstrainer.components->add (&background);

    // Where no OpenGL driver works the context never renders, and where the
    // driver rasterises in software (Mesa's llvmpipe) JUCE's own renderer is
    // several times cheaper: either way, paint in software after a moment.
    startTimer (2000);
}

MainComponent::~MainComponent()
{
    parameters.removeParameterListener (bypassID, this);
    boundsConstrainer.components->removeIf ([this] (const auto& entry) { return entry.getComponent() == &background; });
    stopTimer();
    openGLContext.detach();
}

void MainComponent::timerCallback()
{
    stopTimer();

    if (openGLContext.isAttached() && (! openGLRendered || softwareOpenGL))
        openGLContext.detach();
}

void MainComponent::paint (juce::Graphics&)
{
    if (juce::OpenGLContext::getCurrentContext() != nullptr && ! openGLRendered)
    {
        const auto* renderer = reinterpret_cast<const char*> (juce::gl::glGetString (juce::gl::GL_RENDERER));
        const juce::String name (renderer != nullptr ? renderer : "");
        softwareOpenGL = name.containsIgnoreCase ("llvmpipe") || name.containsIgnoreCase ("softpipe")
                      || name.containsIgnoreCase ("software rasterizer") || name.containsIgnoreCase ("swiftshader");
        openGLRendered = true;
    }

    painted = true;

    const int change = pendingBypass.exchange (-1);

    if (change >= 0)
        startTransition (change == 1);

    tweener.update();
}

void MainComponent::startTransition (bool bypassed)
{
    tweener.stop();

    Tween transition;
    transition.startTime = 0.0;
    transition.endTime = 0.5;
    transition.easing = easeInOutCubic;
    transition.onUpdate = [this, bypassed] (double v) { lottieAnimation.holdFrame (transitionFrame (! bypassed, v)); };
    transition.onComplete = [this, bypassed] { lottieAnimation.playRange (bypassed ? 0 : 300, bypassed ? 149 : 449); };

    tweener.add (std::move (transition));
    tweener.start();
}

void MainComponent::parameterChanged (const juce::String& parameterID, float newValue)
{
    if (parameterID != bypassID)
        return;

    // Possibly the audio thread: no allocation, no lock, no repaint. The next
    // paint, at most one animation frame away, builds the tween.
    pendingBypass = newValue != 0.0f ? 1 : 0;
}

void MainComponent::resized()
{
    bypassButton.setBoundsRelative (377.0f / 1400.0f, 82.0f / 1032.0f, 70.0f / 1400.0f, 32.0f / 1032.0f);
    background.setBounds (0, 0, getWidth(), getHeight());

    if (! boundsConstrainer.isResizing)
        background.updateCachedImage();

    lottieAnimation.setBoundsRelative (80.0f / 1400.0f, 203.0f / 1032.0f, 1240.0f / 1400.0f, 683.0f / 1032.0f);
}

void MainComponent::setScaleFactor (float)
{
    lottieAnimation.resized();
}
