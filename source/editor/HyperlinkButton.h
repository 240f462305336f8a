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

    /** Where every link button opens its links; tests put a recorder in the
        browser's place (nullptr: the default browser again). */
    using BrowserLauncher = void (*) (const juce::URL&);
    static void setBrowserLauncher (BrowserLauncher launcher) noexcept;

protected:
    void colourChanged() override;
    void clicked() override;
    void paintButton (juce::Graphics&, bool isMouseOver, bool isButtonDown) override;


private:
    juce::URL url;
    juce::Font font { 14.0f, juce::Font::underlined };
    bool resizeFont = true;
    juce::Justification justification { juce::Justification::centred };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HyperlinkButton)
};
} // namespace Tavrik
