#include "editor/ConstrainerAndSVGResizer.h"
#include "editor/SVGComponentOptimized.h"

#include <TavrikAssets.h>
#include <gtest/gtest.h>

namespace
{
// Left half blue, right half transparent: whether the cache is cleared shows.
// (The unfilled frame gives the drawing its full extent.)
const char* const halfDrawing = R"(<svg xmlns="http://www.w3.org/2000/svg" width="100" height="80" viewBox="0 0 100 80">
<rect x="0" y="0" width="100" height="80" fill="none"/>
<rect x="0" y="0" width="50" height="80" fill="#1753FF"/></svg>)";

std::unique_ptr<Tavrik::SVGComponentOptimized> makeComponent (const char* svg = halfDrawing)
{
    auto component = std::make_unique<Tavrik::SVGComponentOptimized> (svg, std::strlen (svg));
    component->placement = juce::RectanglePlacement::stretchToFit;
    component->setBounds (0, 0, 750, 600);
    return component;
}

const juce::ImagePixelData* pixelsOf (const juce::Image& image)
{
    return image.getPixelData();
}

TEST (SVGComponent, PaintsNothingBeforeTheFirstUpdate)
{
    auto component = makeComponent();
    EXPECT_FALSE (component->getCachedImage().isValid());

    const auto snapshot = component->createComponentSnapshot (component->getLocalBounds());
    EXPECT_EQ (snapshot.getPixelAt (100, 100).getAlpha(), 0);

    component->updateCachedImage();
    const auto after = component->createComponentSnapshot (component->getLocalBounds());
    EXPECT_EQ (after.getPixelAt (100, 100), juce::Colour (0xFF1753FF));
}

TEST (SVGComponent, AtScaleOneTheCacheIsReusedAndDrawnOverNotCleared)
{
    auto component = makeComponent();
    component->updateCachedImage();
    const auto& cache = component->getCachedImage();
    ASSERT_EQ (cache.getBounds(), juce::Rectangle<int> (0, 0, 750, 600));

    const auto* before = pixelsOf (cache);
    juce::Image (cache).setPixelAt (700, 300, juce::Colours::red); // where the drawing is transparent

    component->updateCachedImage();
    EXPECT_EQ (pixelsOf (component->getCachedImage()), before);
    EXPECT_EQ (component->getCachedImage().getPixelAt (700, 300), juce::Colours::red);
}

// The cache follows the transform above the component: 750 x 600 at 1.25 is
// 937.5 x 750, rounded to the even 938 and, never equal to its target, made
// anew on every call; a shrinking transform never makes it smaller than 1:1.
TEST (SVGComponent, TheCacheFollowsTheRenderScale)
{
    struct Case
    {
        float scale;
        juce::Rectangle<int> cache;
        bool madeAnewEachCall;
    };

    for (const auto& c : { Case { 1.25f, { 0, 0, 938, 750 }, true }, Case { 0.5f, { 0, 0, 750, 600 }, false }, Case { 2.0f, { 0, 0, 1500, 1200 }, false } })
    {
        juce::Component parent;
        auto component = makeComponent();
        parent.addAndMakeVisible (*component);
        parent.setTransform (juce::AffineTransform::scale (c.scale));

        component->updateCachedImage();
        EXPECT_EQ (component->getCachedImage().getBounds(), c.cache) << c.scale;

        const auto* first = pixelsOf (component->getCachedImage());
        component->updateCachedImage();
        EXPECT_EQ (pixelsOf (component->getCachedImage()) != first, c.madeAnewEachCall) << c.scale;
    }
}

TEST (SVGComponent, BadDataAndZeroSizeDrawNothingAndDoNotCrash)
{
    auto broken = makeComponent ("<svg this is not");
    EXPECT_FALSE (broken->hasDrawable());
    broken->updateCachedImage();
    EXPECT_FALSE (broken->getCachedImage().isValid());

    auto empty = makeComponent();
    empty->setBounds (0, 0, 0, 0);
    empty->updateCachedImage();
    EXPECT_FALSE (empty->getCachedImage().isValid());
}

TEST (Constrainer, ResizeEndReRendersRegisteredComponentsLaterAndSkipsDeletedOnes)
{
    ConstrainerAndSVGResizer<Tavrik::SVGComponentOptimized> constrainer;
    auto kept = makeComponent();
    auto deleted = makeComponent();
    constrainer.components->add (kept.get());
    constrainer.components->add (deleted.get());

    constrainer.resizeStart();
    EXPECT_TRUE (constrainer.isResizing);
    constrainer.resizeEnd();
    EXPECT_TRUE (constrainer.isResizing) << "nothing lowers it again";

    EXPECT_FALSE (kept->getCachedImage().isValid()) << "the work is posted, not done at once";
    deleted.reset();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    EXPECT_TRUE (kept->getCachedImage().isValid());
}

TEST (Constrainer, AReRenderingPostedBeforeTheConstrainerWentDoesNothing)
{
    auto component = makeComponent();
    {
        ConstrainerAndSVGResizer<Tavrik::SVGComponentOptimized> constrainer;
        constrainer.components->add (component.get());
        constrainer.resizeEnd();
    }

    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    EXPECT_FALSE (component->getCachedImage().isValid());
}

TEST (SVGComponent, TheBackgroundDrawingFillsItsCacheOpaquely)
{
    Tavrik::SVGComponentOptimized background (TavrikAssets::background__svg, (size_t) TavrikAssets::background__svgSize);
    background.placement = juce::RectanglePlacement::stretchToFit;
    background.setBounds (0, 0, 750, 600);
    background.updateCachedImage();

    const auto& cache = background.getCachedImage();
    for (const auto& point : { juce::Point<int> (0, 0), juce::Point<int> (748, 598), juce::Point<int> (375, 300), juce::Point<int> (10, 590) })
        EXPECT_EQ (cache.getPixelAt (point.x, point.y).getAlpha(), 255) << point.toString();

    // The last row and column are anti-aliased against transparency, never against stale memory.
    EXPECT_GE (cache.getPixelAt (749, 599).getAlpha(), 250);

    // Lighter at the bottom than at the top: the vertical gradient.
    EXPECT_GT (cache.getPixelAt (375, 595).getBrightness(), cache.getPixelAt (375, 4).getBrightness());
}
} // namespace
