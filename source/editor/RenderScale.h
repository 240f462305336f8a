#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace Tavrik
{
/** Physical pixels per logical pixel for a component's cached images: the
    scale of the display under its centre times the transforms above it (the
    host's scale factor among them), never below 1.0. Without a display
    (headless) the display counts as 1.0. Message thread. */
inline double getRenderScale (const juce::Component& component)
{
    const auto bounds = component.getScreenBounds();
    const juce::Point<int> centre (bounds.getX() + bounds.getWidth() / 2, bounds.getY() + bounds.getHeight() / 2);

    double displayScale = 1.0;
    if (const auto* display = juce::Desktop::getInstance().getDisplays().getDisplayForPoint (centre))
        displayScale = display->scale;

    return juce::jmax (1.0, displayScale * (double) juce::Component::getApproximateScaleFactorForComponent (&component));
}
} // namespace Tavrik
