#include "RNNDenoiserLookAndFeel.h"

#include "Palette.h"

juce::LookAndFeel_V4::ColourScheme RNNDenoiserLookAndFeel::getEditorColourScheme()
{
    return { Palette::offWhite, Palette::lightGrey, Palette::lightGrey,
             Palette::darkBlue, Palette::nearBlack, Palette::accentBlue,
             Palette::accentBlue, Palette::accentBlue, Palette::nearBlack };
}

int RNNDenoiserLookAndFeel::getSliderThumbRadius (juce::Slider& slider)
{
    return juce::jmin (slider.getWidth() / 2, slider.getHeight() / 2);
}

void RNNDenoiserLookAndFeel::drawLinearSlider (juce::Graphics& g, int, int, int width, int height, float sliderPos,
                                               float, float, juce::Slider::SliderStyle style, juce::Slider& slider)
{
    if (style == juce::Slider::LinearBar || style == juce::Slider::LinearBarVertical)
        return;

    const auto r = (float) getSliderThumbRadius (slider);
    const bool horizontal = style == juce::Slider::LinearHorizontal || style == juce::Slider::TwoValueHorizontal
                         || style == juce::Slider::ThreeValueHorizontal;
    const float thickness = 0.31845f * (float) (horizontal ? height : width);

    // Only the plain horizontal style is designed; nothing in the editor uses the others.
    if (style != juce::Slider::LinearHorizontal)
        return;

    const auto w = (float) slider.getWidth();
    const auto h = (float) slider.getHeight();
    const auto top = h / 2.0f - thickness / 2.0f;

    g.setColour (slider.findColour (juce::Slider::backgroundColourId, false));
    g.fillRoundedRectangle (r, top, w - 2.0f * r, thickness, thickness / 2.0f);

    g.setColour (slider.findColour (juce::Slider::trackColourId, false));
    g.fillRoundedRectangle (r, top, sliderPos, thickness, thickness / 2.0f);

    g.setColour (slider.findColour (juce::Slider::thumbColourId, false));
    g.fillEllipse (sliderPos - r, h / 2.0f - r, 2.0f * r, 2.0f * r);
}

void RNNDenoiserLookAndFeel::drawCornerResizer (juce::Graphics&, int, int, bool, bool)
{
}
