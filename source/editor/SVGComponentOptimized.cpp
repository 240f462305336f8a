#include "SVGComponentOptimized.h"

#include "RenderScale.h"

#include <cmath>

namespace Tavrik
{
SVGComponentOptimized::SVGComponentOptimized (const void* svgData, size_t svgSize)
    : drawable (juce::Drawable::createFromImageData (svgData, svgSize))
{
}

SVGComponentOptimized::~SVGComponentOptimized() = default;

void SVGComponentOptimized::updateCachedImage()
{
    const double scale = getRenderScale (*this);
    const juce::Rectangle<float> target (0.0f, 0.0f, (float) (getWidth() * scale), (float) (getHeight() * scale));

    // A drawing that did not parse, or nothing to draw into: keep what there is.
    if (drawable == nullptr || target.isEmpty())
        return;

    if (cachedImage.getBounds().toFloat() != target)
    {
        // Ties go to the even neighbour (937.5 -> 938), as nearbyint does by default.
        // A new image starts transparent rather than with whatever memory it
        // got: the drawing's anti-aliased edges blend with it.
        const int width = (int) std::nearbyint (target.getWidth());
        const int height = (int) std::nearbyint (target.getHeight());
        cachedImage = juce::Image (juce::Image::ARGB, width, height, true, juce::NativeImageType());
    }

    // A reused image is not cleared: the background drawing covers its whole
    // area with an opaque gradient.
    juce::Graphics g (cachedImage);
    drawable->drawWithin (g, target, placement, 1.0f);
}

void SVGComponentOptimized::paint (juce::Graphics& g)
{
    if (cachedImage.isValid())
        g.drawImage (cachedImage, getLocalBounds().toFloat(), placement);
}
} // namespace Tavrik
