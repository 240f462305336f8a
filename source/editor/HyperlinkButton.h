#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace Tavrik
{
/** A text button that opens a web address in the user's browser; its text
    colour comes from juce::HyperlinkButton::textColourId, looked up through
    its parents. Message thread. */
class HyperlinkButton : public juce::Button
{
public:
    HyperlinkButton();
    ~HyperlinkButton() override;

    void setURL (const juce::URL& newURL);
    const juce::URL& getURL() const noexcept { return url; }

    void setFont (const juce::Font& newFont, bool resizeToMatchComponentHeight, juce::Justification justificationType);

    /** The font the text is drawn with at the current height. */
    juce::Font getFontToUse() const;

    /** The colour the text is drawn in for the given mouse state. */
    juce::Colour getTextColourToUse (bool isMouseOver, bool isButtonDown) const;

protected:
    void colourChanged() override;
    void clicked() override;
    void paintButton (juce::Graphics&, bool isMouseOver, bool isButtonDown) override;

    /** Opens a link; tests put a recorder in its place. */
    virtual void openInBrowser (const juce::URL& link);

private:
    juce::URL url;
    juce::Font font { 14.0f, juce::Font::underlined };
    bool resizeFont = true;
    juce::Justification justification { juce::Justification::centred };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HyperlinkButton)
};
} // namespace Tavrik
