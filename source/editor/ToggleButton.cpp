#include "ToggleButton.h"

float ToggleButton::getKnobRadius() const noexcept
{
    return juce::jmin ((float) getWidth(), (float) getHeight()) * 0.5f;
}

void ToggleButton::resized()
{
    const auto w = (float) getWidth();
    const auto h = (float) getHeight();

    track.clear();
    track.addRoundedRectangle (0.0f, 0.0f, w, h, h / 2.0f, h / 2.0f, true, true, true, true);
    track.closeSubPath();

    const float r = getKnobRadius();
    knobOff.clear();
    knobOff.addCentredArc (w - r, h / 2.0f, 0.8125f * r, 0.8125f * r, 0.0f, 0.0f, juce::MathConstants<float>::twoPi, true);
    knobOff.closeSubPath();

    knobOn = knobOff;
    knobOn.applyTransform (juce::AffineTransform::translation (2.0f * r - w, 0.0f));
}

void ToggleButton::paint (juce::Graphics& g)
{
    const juce::Graphics::ScopedSaveState saved (g);

    const bool on = getToggleState();
    const bool hover = isOver() || isDown();

    g.setColour (on ? (hover ? onHoverColour : onColour) : (hover ? offHoverColour : offColour));
    g.fillPath (track);

    const auto& label = on ? onText : offText;

    if (label.isNotEmpty())
    {
        const auto w = (float) getWidth();
        const auto h = (float) getHeight();
        const float d = 1.75f * getKnobRadius();
        const float labelWidth = juce::jmax (0.0f, juce::jmax (0.0f, w - d) - 0.3f * h);
        const float left = on ? d + 0.15f * h : 0.15f * h;

        g.setColour (on ? onTextColour : offTextColour);
        g.drawFittedText (label, juce::roundToInt (left), juce::roundToInt (0.15f * h), juce::roundToInt (labelWidth),
                          juce::roundToInt (0.7f * h), juce::Justification::centred, 1, 0.0f);
    }

    g.setColour (juce::Colours::white);
    g.fillPath (on ? knobOn : knobOff);
}
