#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace Tavrik
{
/** Shows an SVG drawing from a cached image made at the screen's physical
    resolution, so that painting, about 30 times a second under the animation,
    is one image copy; the vector drawing runs only in updateCachedImage().

    updateCachedImage() runs on the message thread; paint() wherever the
    parent paints, with the message-manager lock held.
*/
class SVGComponentOptimized : public juce::Component
{
public:
    SVGComponentOptimized (const void* svgData, size_t svgSize);
    ~SVGComponentOptimized() override;

    /** Renders the drawing at the current size and render scale. */
    void updateCachedImage();

    void paint (juce::Graphics& g) override;

    const juce::Image& getCachedImage() const noexcept { return cachedImage; }
    bool hasDrawable() const noexcept { return drawable != nullptr; }

    juce::RectanglePlacement placement { juce::RectanglePlacement::centred };

private:
    std::unique_ptr<juce::Drawable> drawable;
    juce::Image cachedImage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SVGComponentOptimized)
};
} // namespace Tavrik
