#pragma once

#include "ConstrainerAndSVGResizer.h"
#include "MainComponent.h"
#include "RNNDenoiserLookAndFeel.h"
#include "errors/BlurryError.h"
#include "log/BackgroundLogger.h"

class Tavrik_rnn_denoiserAudioProcessor;

/** The plug-in's window: a fixed 750 x 600 editor that the host may scale,
    holding the main component and, above it, the hidden error overlay that
    listens to the processor's error registry. Message thread only. */
class Tavrik_rnn_denoiserAudioEditor : public juce::AudioProcessorEditor
{
public:
    explicit Tavrik_rnn_denoiserAudioEditor (Tavrik_rnn_denoiserAudioProcessor& p);
    ~Tavrik_rnn_denoiserAudioEditor() override;

    void resized() override;
    void setScaleFactor (float newScale) override;

    MainComponent& getMainComponent() noexcept { return mainComponent; }
    BlurryError& getErrorOverlay() noexcept { return errorOverlay; }

private:
    BackgroundLogger backgroundLogger;
    [[maybe_unused]] Tavrik_rnn_denoiserAudioProcessor& audioProcessor;
    Tavrik::Errors<juce::String>& errorRegistry;
    RNNDenoiserLookAndFeel customLookAndFeel;
    ConstrainerAndSVGResizer<Tavrik::SVGComponentOptimized> boundsConstrainer;
    MainComponent mainComponent;
    BlurryError errorOverlay;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Tavrik_rnn_denoiserAudioEditor)
};
