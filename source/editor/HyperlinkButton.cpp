#include "HyperlinkButton.h"

#include <atomic>

namespace Tavrik
{
namespace
{
std::atomic<HyperlinkButton::BrowserLauncher> browserLauncher { nullptr };
}

void HyperlinkButton::setBrowserLauncher (BrowserLauncher launcher) noexcept
{
    browserLauncher = launcher;
}

HyperlinkButton::HyperlinkButton()
    : juce::Button (juce::String())
{
    setMouseCursor (juce::MouseCursor::PointingHandCursor);
}

HyperlinkButton::~HyperlinkButton() = default;

void HyperlinkButton::setURL (const juce::URL& newURL)
{
    url = newURL;
    setTooltip (newURL.toString (false));
}

void HyperlinkButton::setFont (const juce::Font& newFont, bool resizeToMatchComponentHeight, juce::Justification justificationType)
{
    font = newFont;
    resizeFont = resizeToMatchComponentHeight;
    justification = justificationType;
    repaint();
}

juce::Font HyperlinkButton::getFontToUse() const
{
    return resizeFont ? font.withHeight ((float) getHeight() * 0.7f) : font;
}

juce::Colour HyperlinkButton::getTextColourToUse (bool isMouseOver, bool isButtonDown) const
{
    const auto colour = findColour (juce::HyperlinkButton::textColourId, true);

    if (! isEnabled())
        return colour.withMultipliedAlpha (0.4f);

    if (isMouseOver)
        return colour.darker (isButtonDown ? 1.3f : 0.4f);

    return colour;
}

void HyperlinkButton::colourChanged()
{
    repaint();
}

void HyperlinkButton::clicked()
{
    if (url.toString (false).isEmpty())
        return;

    if (auto* launcher = browserLauncher.load())
        launcher (url);
    else
        url.launchInDefaultBrowser();
}

void HyperlinkButton::paintButton (juce::Graphics& g, bool isMouseOver, bool isButtonDown)
{
    g.setColour (getTextColourToUse (isMouseOver, isButtonDown));
    g.setFont (getFontToUse());
    g.drawFittedText (getButtonText(), juce::Rectangle<int> (1, 0, juce::jmax (0, getWidth() - 2), juce::jmax (0, getHeight())),
                      justification.getOnlyHorizontalFlags() | juce::Justification::verticallyCentred, 1, 0.0f);
}
} // namespace Tavrik
