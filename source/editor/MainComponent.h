#pragma once

#include "ConstrainerAndSVGResizer.h"
#include "RLottieComponent.h"
#include "SVGComponentOptimized.h"
#include "ToggleButton.h"
#include "Tweener.h"
#include "log/BackgroundLogger.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_opengl/juce_opengl.h>

class Tavrik_rnn_denoiserAudioProcessor;

/** The editor's content: the background drawing, the switch bound to
    `bypass`, and the illustration that loops with the switch's state and
    plays a half-second transition whenever it changes, all rendered through
    an OpenGL context attached to this component.

    Everything runs on the message thread or in painting (with the
    message-manager lock held), except parameterChanged, which the host may
    call from any thread, its audio thread included: it only leaves the new
    value in an atomic for the next paint to act on.
*/
class MainComponent : public juce::AudioProcessorEditor,
                      public juce::AudioProcessorValueTreeState::Listener,
                      private juce::Timer
{
public:
    MainComponent (Tavrik_rnn_denoiserAudioProcessor& p, ConstrainerAndSVGResizer<Tavrik::SVGComponentOptimized>& c);
    ~MainComponent() override;

    void paint (juce::Graphics&) override;
    void resized() override;
    void setScaleFactor (float newScale) override;
    void parameterChanged (const juce::String& parameterID, float newValue) override;

    Tweener& getTweener() noexcept { return tweener; }
    RLottieComponent& getAnimation() noexcept { return lottieAnimation; }
    ToggleButton& getBypassButton() noexcept { return bypassButton; }
    Tavrik::SVGComponentOptimized& getBackground() noexcept { return background; }
    bool isUsingOpenGL() const noexcept { return openGLContext.isAttached(); }
    bool hasPainted() const noexcept { return painted; }

private:
    void startTransition (bool bypassed);
    void timerCallback() override;

    juce::OpenGLContext openGLContext;
    BackgroundLogger backgroundLogger;
    [[maybe_unused]] Tavrik_rnn_denoiserAudioProcessor& audioProcessor;
    juce::AudioProcessorValueTreeState& parameters;
    ConstrainerAndSVGResizer<Tavrik::SVGComponentOptimized>& boundsConstrainer;
    Tweener tweener;
    Tavrik::SVGComponentOptimized background;
    ToggleButton bypassButton;
    RLottieComponent lottieAnimation;
    std::unique_ptr<juce::ButtonParameterAttachment> bypassAttachment;

    // -1: no change waiting; 0: switched on; 1: bypassed.
    std::atomic<int> pendingBypass { -1 };
    std::atomic<bool> openGLRendered { false };
    std::atomic<bool> softwareOpenGL { false };
    std::atomic<bool> painted { false };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainComponent)
};
