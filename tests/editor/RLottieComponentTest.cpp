#include "editor/RLottieComponent.h"

#include <gtest/gtest.h>

namespace
{
/** Paints the component the way its parent would and reports the frame used. */
int paintOnce (RLottieComponent& component)
{
    juce::Image target (juce::Image::ARGB, component.getWidth(), component.getHeight(), true);
    juce::Graphics g (target);
    component.paintEntireComponent (g, false);
    return component.getCurrentFrame();
}

juce::Image copyOfDisplay (const RLottieComponent& component)
{
    return component.getDisplayImage()->createCopy();
}

bool samePixels (const juce::Image& a, const juce::Image& b)
{
    const juce::Image::BitmapData da (a, juce::Image::BitmapData::readOnly), db (b, juce::Image::BitmapData::readOnly);
    for (int y = 0; y < a.getHeight(); ++y)
        if (std::memcmp (da.getLinePointer (y), db.getLinePointer (y), (size_t) a.getWidth() * 4) != 0)
            return false;
    return true;
}

bool blank (const juce::Image& image)
{
    for (int y = 0; y < image.getHeight(); y += 7)
        for (int x = 0; x < image.getWidth(); x += 7)
            if (image.getPixelAt (x, y).getAlpha() != 0)
                return false;
    return true;
}

class Animation : public testing::Test
{
protected:
    void SetUp() override { component.setBounds (0, 0, 332, 198); }
    RLottieComponent component;
};

TEST_F (Animation, RunsAtThirtyFramesPerSecond)
{
    ASSERT_NE (component.animation, nullptr);
    EXPECT_EQ (component.animation->totalFrame(), 450u);
    EXPECT_EQ (component.getTimerInterval(), 33);
    EXPECT_TRUE (component.isPaused()) << "idle until a range is played";
}

// Every paint advances one frame and wraps after the last; paints alternate
// between starting a render and showing it, so a picture stays for two paints.
TEST_F (Animation, PaintsStepThroughTheRangeAndRenderEverySecondFrame)
{
    component.playRange (300, 449);
    std::vector<int> frames;
    frames.push_back (paintOnce (component)); // rendered synchronously
    const auto first = copyOfDisplay (component);
    frames.push_back (paintOnce (component)); // starts a render, still shows the first
    EXPECT_TRUE (samePixels (first, copyOfDisplay (component)));
    frames.push_back (paintOnce (component)); // collects it
    EXPECT_FALSE (samePixels (first, copyOfDisplay (component)));

    while (frames.size() < 152)
        frames.push_back (paintOnce (component));

    for (size_t i = 0; i < frames.size(); ++i)
        EXPECT_EQ (frames[i], 300 + (int) (i + 1) % 150) << i;
}

TEST_F (Animation, HoldFramePausesAndIgnoresFramesOutsideTheAnimation)
{
    component.playRange (0, 149);
    paintOnce (component);
    paintOnce (component);

    for (const int outside : { 500, -1, 450 })
    {
        component.holdFrame (outside);
        EXPECT_TRUE (component.isPaused());
        EXPECT_EQ (paintOnce (component), 2) << outside;
    }

    component.holdFrame (200);
    EXPECT_EQ (paintOnce (component), 200);
    EXPECT_EQ (paintOnce (component), 200);

    component.playRange (0, 149);
    EXPECT_EQ (component.getCurrentFrame(), 0);
    EXPECT_EQ (paintOnce (component), 1);
}

TEST_F (Animation, AResizeWaitsForTheRenderInFlightAndShowsTwoBlankPaints)
{
    component.playRange (300, 449);
    paintOnce (component);
    paintOnce (component); // a render is in flight now

    component.setBounds (0, 0, 400, 240);
    paintOnce (component);
    EXPECT_TRUE (blank (*component.getDisplayImage()));
    paintOnce (component);
    EXPECT_TRUE (blank (*component.getDisplayImage()));
    paintOnce (component);
    EXPECT_FALSE (blank (*component.getDisplayImage()));
}

TEST (AnimationThatDoesNotLoad, DrawsNothingAndNeverTicks)
{
    RLottieComponent broken (std::string ("{ this is not lottie"));
    broken.setBounds (0, 0, 100, 60);
    EXPECT_EQ (broken.animation, nullptr);
    EXPECT_FALSE (broken.isTimerRunning());

    broken.playRange (0, 10);
    broken.holdFrame (5);
    EXPECT_FALSE (broken.isTimerRunning());

    juce::Image target (juce::Image::ARGB, 100, 60, true);
    juce::Graphics g (target);
    broken.paintEntireComponent (g, false);
    EXPECT_EQ (target.getPixelAt (50, 30).getAlpha(), 0);
}

// rlottie 0.1 has no "force" flag; an unchanged frame number must still be
// drawn into a new surface, or a resize would leave the picture blank.
TEST_F (Animation, RlottieRedrawsAnUnchangedFrameIntoANewSurface)
{
    std::vector<uint32_t> a (100 * 60, 0), b (100 * 60, 0);
    component.animation->renderSync (42, rlottie::Surface (a.data(), 100, 60, 400), false);
    component.animation->renderSync (42, rlottie::Surface (b.data(), 100, 60, 400), false);
    EXPECT_NE (std::count (a.begin(), a.end(), 0u), (long) a.size());
    EXPECT_EQ (a, b);
}
} // namespace
