#include "errors/BlurryError.h"

#include <gtest/gtest.h>

namespace
{
using Error = BlurryError::Error;

void pump()
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
}

juce::MouseEvent pressAt (juce::Component& component, juce::Point<float> position)
{
    return { juce::Desktop::getInstance().getMainMouseSource(), position, {}, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f,
             &component, &component, juce::Time::getCurrentTime(), position, juce::Time::getCurrentTime(), 1, false };
}

/** A target to blur, a 750 x 600 overlay above it, as the editor lays them out. */
struct Fixture
{
    Fixture()
    {
        target.setBounds (0, 0, 750, 600);
        overlay.setColour (BlurryError::boxColourId, juce::Colour (0xFFFCFCFC));
        overlay.setColour (BlurryError::textColourId, juce::Colour (0xFF1753FF));
        parent.setBounds (0, 0, 750, 600);
        parent.addAndMakeVisible (target);
        parent.addChildComponent (overlay);
        overlay.setBounds (0, 0, 750, 600);
    }

    void post (const std::string& message, const std::string& linkText = {}, const std::string& link = {})
    {
        overlay.errorAdded ({ juce::String (message), linkText, link });
        pump();
    }

    struct Target : juce::Component
    {
        void paint (juce::Graphics& g) override { g.fillAll (colour); }
        juce::Colour colour { juce::Colours::orange };
    };

    juce::Component parent;
    Target target;
    BlurryError overlay { &target };
};

TEST (ErrorOverlay, TheFirstErrorShowsItsMessageWithoutCounterAndTheLinkOnlyWithATarget)
{
    Fixture f;
    EXPECT_FALSE (f.overlay.isVisible());
    EXPECT_EQ (f.overlay.counterText(), "");

    f.post ("Something went wrong");
    EXPECT_TRUE (f.overlay.isVisible());
    EXPECT_FALSE (f.target.isVisible()) << "the content hides behind its blurred picture";
    EXPECT_EQ (f.overlay.getCurrentMessage(), "Something went wrong");
    EXPECT_EQ (f.overlay.counterText(), "1/1");
    EXPECT_FALSE (f.overlay.getBox().link.isVisible());

    f.post ("Read the guide", "Open guide", "https://example.invalid/guide");
    EXPECT_TRUE (f.overlay.getBox().link.isVisible());
    EXPECT_EQ (f.overlay.getBox().link.button.getButtonText(), "Open guide");
    EXPECT_EQ (f.overlay.getBox().link.button.getTooltip(), "https://example.invalid/guide");
}

TEST (ErrorOverlay, PressesStepBackThroughTheErrorsAndWrapAround)
{
    Fixture f;
    for (const auto* message : { "one", "two", "three" })
        f.post (message);

    EXPECT_EQ (f.overlay.counterText(), "3/3");

    for (const auto* expected : { "2/3", "1/3", "3/3" })
    {
        f.overlay.mouseDown (pressAt (f.overlay, { 10.0f, 10.0f }));
        EXPECT_EQ (f.overlay.counterText(), expected);
    }

    EXPECT_EQ (f.overlay.getCurrentMessage(), "three");
}

TEST (ErrorOverlay, ALongMessageWrapsAtHalfTheWidthAndGrowsTheBoxUntilTheNextResize)
{
    Fixture f;
    auto& box = f.overlay.getBox();
    EXPECT_EQ (box.getBounds(), juce::Rectangle<int> (188, 240, 375, 120));

    f.post ("short");
    EXPECT_EQ (box.getBounds(), juce::Rectangle<int> (188, 240, 375, 120)) << "never below 50 % by 20 %";

    std::string longMessage;
    for (int i = 0; i < 12; ++i)
        longMessage += "The noise model could not be loaded, so the audio passes through unchanged. ";

    f.post (longMessage);
    EXPECT_GT (box.getHeight(), 120) << "taller, so that the wrapped text fits half its height";
    EXPECT_GT (box.getWidth(), 375);
    EXPECT_LE (box.getWidth(), (int) std::ceil (375 / 0.7) + 1) << "the text wraps at half the overlay's width";
    EXPECT_EQ (box.getBounds().getCentre(), juce::Point<int> (375, 300)) << "stays centred";

    f.overlay.setBounds (0, 0, 760, 600);
    EXPECT_EQ (box.getWidth(), 380);
    EXPECT_EQ (box.getHeight(), 120);
}

TEST (ErrorOverlay, TheLinkTakesItsPressTheIconAndBoxLetThemThrough)
{
    Fixture f;
    f.post ("first");
    f.post ("second", "Help", "https://example.invalid/help");
    auto& box = f.overlay.getBox();

    const auto linkCentre = box.link.button.getScreenBounds().getCentre() - f.overlay.getScreenPosition();
    EXPECT_EQ (f.overlay.getComponentAt (linkCentre), &box.link.button);

    ASSERT_NE (box.getIcon(), nullptr);
    const auto iconCentre = box.getIcon()->getBounds().getCentre() + box.getPosition();
    EXPECT_EQ (f.overlay.getComponentAt (iconCentre), &f.overlay) << "a press on the icon reaches the overlay";
    EXPECT_EQ (f.overlay.getComponentAt (box.getPosition() + juce::Point<int> (5, 5)), &f.overlay);

    static juce::StringArray opened;
    opened.clear();
    Tavrik::HyperlinkButton::setBrowserLauncher ([] (const juce::URL& link) { opened.add (link.toString (false)); });
    box.link.button.triggerClick();
    pump();
    Tavrik::HyperlinkButton::setBrowserLauncher (nullptr);

    EXPECT_EQ (opened, juce::StringArray ({ "https://example.invalid/help" }));
    EXPECT_EQ (f.overlay.counterText(), "2/2");
}

// Posted from any thread, dropped if the overlay is gone by the time it runs.
TEST (ErrorOverlay, AnErrorForAClosedEditorIsDropped)
{
    auto overlay = std::make_unique<BlurryError> (nullptr);
    overlay->errorAdded ({ "late", "", "" });
    overlay.reset();
    pump(); // must not touch the deleted overlay
    SUCCEED();
}

// While shown, the picture is the content's own look, blurred, and follows it.
TEST (ErrorOverlay, TheBlurredPictureFollowsTheHiddenContent)
{
    Fixture f;
    f.post ("shown");

    const auto before = f.overlay.createComponentSnapshot (f.overlay.getLocalBounds());
    const auto corner = before.getPixelAt (40, 40);
    EXPECT_EQ (corner.getRed(), juce::Colours::orange.getRed());

    f.target.colour = juce::Colours::green;
    f.overlay.repaint();
    const auto after = f.overlay.createComponentSnapshot (f.overlay.getLocalBounds());
    EXPECT_EQ (after.getPixelAt (40, 40).getGreen(), juce::Colours::green.getGreen());
    EXPECT_LT (after.getPixelAt (0, 0).getGreen(), juce::Colours::green.getGreen()) << "darker at the edge";
    EXPECT_EQ (after.getPixelAt (375, 300), juce::Colour (0xFFFCFCFC)) << "the box over it";
}
} // namespace
