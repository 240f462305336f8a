#include "editor/HyperlinkButton.h"
#include "editor/RNNDenoiserLookAndFeel.h"
#include "editor/ToggleButton.h"

#include <gtest/gtest.h>

namespace
{
juce::Image paintInto (juce::Component& component)
{
    juce::Image image (juce::Image::ARGB, component.getWidth(), component.getHeight(), true);
    juce::Graphics g (image);
    component.paintEntireComponent (g, true);
    return image;
}

TEST (ToggleSwitch, KnobSitsAtEitherEndOfThePill)
{
    ToggleButton toggle;
    toggle.setBounds (0, 0, 60, 30);

    const auto off = toggle.getKnob (false).getBounds();
    const auto on = toggle.getKnob (true).getBounds();
    EXPECT_NEAR (off.getCentreX(), 45.0f, 1.0e-3f);
    EXPECT_NEAR (off.getCentreY(), 15.0f, 1.0e-3f);
    EXPECT_NEAR (on.getCentreX(), 15.0f, 1.0e-3f);
    EXPECT_NEAR (off.getWidth() / 2.0f, 12.1875f, 0.01f); // a circle of Bezier arcs
    EXPECT_EQ (toggle.getTrack().getBounds(), juce::Rectangle<float> (0, 0, 60, 30));

    // The pill's ends are round: its corner is outside the track.
    EXPECT_FALSE (toggle.getTrack().contains (1.0f, 1.0f));
    EXPECT_TRUE (toggle.getTrack().contains (30.0f, 1.0f));
}

TEST (ToggleSwitch, ColoursFollowTheStateAndTheMouse)
{
    ToggleButton toggle;
    toggle.setBounds (0, 0, 60, 30);

    struct Case
    {
        bool on;
        juce::Button::ButtonState state;
        juce::uint32 track;
        int knobX;
    };

    for (const auto& c : { Case { false, juce::Button::buttonNormal, 0xFF1753FF, 45 },
                           Case { false, juce::Button::buttonOver, 0xFF5984FF, 45 },
                           Case { true, juce::Button::buttonNormal, 0xFFD5D5D5, 15 },
                           Case { true, juce::Button::buttonDown, 0xFFE1E1E1, 15 } })
    {
        toggle.setToggleState (c.on, juce::dontSendNotification);
        toggle.setState (c.state);
        const auto image = paintInto (toggle);
        const int trackX = c.on ? 45 : 15;

        EXPECT_EQ (image.getPixelAt (trackX, 15).getARGB(), c.track) << c.on << " " << (int) c.state;
        EXPECT_EQ (image.getPixelAt (c.knobX, 15), juce::Colours::white);
    }
}

class RecordingLink : public Tavrik::HyperlinkButton
{
public:
    using HyperlinkButton::clicked;
};

juce::StringArray opened;

struct RecordedBrowser
{
    RecordedBrowser()
    {
        opened.clear();
        Tavrik::HyperlinkButton::setBrowserLauncher ([] (const juce::URL& link) { opened.add (link.toString (false)); });
    }
    ~RecordedBrowser() { Tavrik::HyperlinkButton::setBrowserLauncher (nullptr); }
};

TEST (Hyperlink, FontAndColoursFollowTheHeightAndTheMouse)
{
    juce::Component frame;
    RecordingLink link;
    frame.addAndMakeVisible (link);
    frame.setColour (juce::HyperlinkButton::textColourId, juce::Colour (0xFF1753FF));
    link.setBounds (0, 0, 200, 40);
    link.setButtonText ("Read more");

    EXPECT_FLOAT_EQ (link.getFontToUse().getHeight(), 28.0f);
    EXPECT_TRUE (link.getFontToUse().isUnderlined());
    EXPECT_EQ (link.getTextColourToUse (false, false), juce::Colour (0xFF1753FF)) << "from the parent";
    EXPECT_EQ (link.getTextColourToUse (true, false), juce::Colour (16, 59, 182));
    EXPECT_EQ (link.getTextColourToUse (true, true), juce::Colour (10, 36, 110));

    link.setEnabled (false);
    EXPECT_EQ (link.getTextColourToUse (false, false).getAlpha(), 102);

    link.setFont (juce::Font(), false, juce::Justification::horizontallyCentred);
    EXPECT_FLOAT_EQ (link.getFontToUse().getHeight(), juce::Font().getHeight());
}

TEST (Hyperlink, OpensOnlyANonEmptyAddress)
{
    const RecordedBrowser browser;
    RecordingLink link;
    link.clicked();
    EXPECT_TRUE (opened.isEmpty());

    link.setURL (juce::URL ("https://example.invalid/help"));
    EXPECT_EQ (link.getTooltip(), "https://example.invalid/help");
    link.clicked();
    EXPECT_EQ (opened, juce::StringArray ({ "https://example.invalid/help" }));
}

TEST (LookAndFeel, BarSlidersDrawNothingAndHorizontalOnesDrawTheirTrack)
{
    RNNDenoiserLookAndFeel lookAndFeel;
    lookAndFeel.setColourScheme (RNNDenoiserLookAndFeel::getEditorColourScheme());
    EXPECT_EQ (lookAndFeel.findColour (juce::ResizableWindow::backgroundColourId), juce::Colour (0xFFFCFCFC));

    juce::Slider slider;
    slider.setLookAndFeel (&lookAndFeel);
    slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    slider.setBounds (0, 0, 120, 30);
    slider.setColour (juce::Slider::thumbColourId, juce::Colours::red);
    EXPECT_EQ (lookAndFeel.getSliderThumbRadius (slider), 15);

    juce::Image bar (juce::Image::ARGB, 120, 30, true);
    {
        juce::Graphics g (bar);
        lookAndFeel.drawLinearSlider (g, 0, 0, 120, 30, 60.0f, 0.0f, 120.0f, juce::Slider::LinearBar, slider);
        lookAndFeel.drawLinearSlider (g, 0, 0, 120, 30, 60.0f, 0.0f, 120.0f, juce::Slider::LinearBarVertical, slider);
    }
    bool anything = false;
    for (int x = 0; x < 120; ++x)
        for (int y = 0; y < 30; ++y)
            anything = anything || bar.getPixelAt (x, y).getAlpha() != 0;
    EXPECT_FALSE (anything);

    slider.setSliderStyle (juce::Slider::LinearHorizontal);
    slider.setValue (slider.getMinimum());
    const auto horizontal = paintInto (slider);
    EXPECT_GT (horizontal.getPixelAt (15, 15).getRed(), 200) << "the thumb at the start";
    slider.setLookAndFeel (nullptr);
}
} // namespace
