#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A pill-shaped on/off switch that draws itself completely: blue with the
    knob on the right when off, light grey with the knob on the left when on,
    lighter while the mouse is over it. Message thread. */
class ToggleButton : public juce::ToggleButton
{
public:
    ToggleButton() = default;

    void paint (juce::Graphics& g) override;
    void resized() override;

    juce::Colour onColour { 0xFFD5D5D5 };
    juce::Colour offColour { 0xFF1753FF };
    juce::Colour onHoverColour { onColour.brighter (0.4f) };
    juce::Colour offHoverColour { offColour.brighter (0.4f) };
    juce::Colour onTextColour { 0x00000000 };
    juce::Colour offTextColour { 0x00000000 };
    juce::String onText;
    juce::String offText;

    const juce::Path& getTrack() const noexcept { return track; }
    const juce::Path& getKnob (bool on) const noexcept { return on ? knobOn : knobOff; }

private:
    float getKnobRadius() const noexcept;

    juce::Path track;
    juce::Path knobOff;
    juce::Path knobOn;
};
