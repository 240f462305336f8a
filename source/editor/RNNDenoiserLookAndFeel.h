#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The editor's look: a light colour scheme, flat linear sliders and a window
    corner resizer that works but is not drawn. Message thread. */
class RNNDenoiserLookAndFeel : public juce::LookAndFeel_V4
{
public:
    /** The scheme the editor installs. */
    static juce::LookAndFeel_V4::ColourScheme getEditorColourScheme();

    void drawLinearSlider (juce::Graphics&, int x, int y, int width, int height, float sliderPos,
                           float minSliderPos, float maxSliderPos, juce::Slider::SliderStyle, juce::Slider&) override;
    int getSliderThumbRadius (juce::Slider&) override;
    void drawCornerResizer (juce::Graphics&, int w, int h, bool isMouseOver, bool isMouseDragging) override;
};
