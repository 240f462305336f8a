#include "BlurryError.h"

#include <TavrikAssets.h>

//==============================================================================
BlurryError::CustomHyperlinkButton::CustomHyperlinkButton()
{
    addAndMakeVisible (button);
}

float BlurryError::CustomHyperlinkButton::getMargin() const noexcept
{
    return juce::jmin (0.08f * (float) getWidth(), 0.08f * (float) getHeight());
}

void BlurryError::CustomHyperlinkButton::resized()
{
    const auto w = (float) getWidth(), h = (float) getHeight();
    const float m = getMargin();
    const float bw = 0.6f * w - 2.0f * m;
    const float bh = 0.6f * h - 2.0f * m;
    button.setBounds (juce::roundToInt ((w - bw) / 2.0f), juce::roundToInt ((h - bh) / 2.0f), juce::roundToInt (bw), juce::roundToInt (bh));
}

void BlurryError::CustomHyperlinkButton::paint (juce::Graphics& g)
{
    const float m = getMargin();
    auto frame = button.getBounds().toFloat().expanded (m);
    frame.setSize (juce::jmax (0.0f, frame.getWidth()), juce::jmax (0.0f, frame.getHeight()));

    g.setColour (findColour (BlurryError::textColourId, true));
    g.drawRoundedRectangle (frame, 3.0f, 1.0f);
}

//==============================================================================
BlurryError::CenteredBox::CenteredBox (BlurryError& ownerToUse)
    : owner (ownerToUse)
    , icon (juce::Drawable::createFromImageData (TavrikAssets::warning_svg, (size_t) TavrikAssets::warning_svgSize))
{
    auto plain = juce::Font();
    plain.setUnderline (false);
    link.button.setFont (plain, true, juce::Justification::horizontallyCentred);

    if (icon != nullptr)
        addAndMakeVisible (*icon);

    addAndMakeVisible (link);
    setInterceptsMouseClicks (false, true);
}

void BlurryError::CenteredBox::resized()
{
    const auto w = (float) getWidth(), h = (float) getHeight();
    textArea = { textProportions.getX() * w, textProportions.getY() * h, textProportions.getWidth() * w, textProportions.getHeight() * h };

    if (icon != nullptr)
    {
        const float side = 0.15f * w - 2.0f * 0.04f * w;
        const juce::Rectangle<int> bounds ((int) (0.04f * w), (int) (0.1f * h + 0.25f * h - side / 2.0f), (int) side, (int) side);
        icon->setBounds (bounds);

        if (! bounds.isEmpty())
            icon->setTransformToFit (bounds.toFloat(), juce::RectanglePlacement::stretchToFit);
    }

    const int linkWidth = juce::jmax (0, (int) (0.5f * w));
    const int linkHeight = juce::jmax (0, (int) (0.3f * h));
    const int centreX = (int) (0.5f * w), centreY = (int) (0.8f * h);
    link.setBounds (centreX - linkWidth / 2, centreY - linkHeight / 2, linkWidth, linkHeight);
}

void BlurryError::CenteredBox::updateText (const Error& error)
{
    juce::AttributedString text;
    text.setText (error.message);
    text.setJustification (juce::Justification::centred);
    text.setColour (findColour (BlurryError::textColourId, true));
    text.setWordWrap (juce::AttributedString::byWord);

    layout.createLayout (text, (float) maxTextWidth, 1.0e7f);

    centreWithSize (juce::jmax (minWidth, juce::roundToInt (layout.getWidth() / 0.7f)),
                    juce::jmax (minHeight, juce::roundToInt (layout.getHeight() / 0.5f)));
}

void BlurryError::CenteredBox::paint (juce::Graphics& g)
{
    const auto counter = owner.counterText();
    const auto font = g.getCurrentFont();
    const auto w = (float) getWidth(), h = (float) getHeight();

    g.setColour (owner.findColour (BlurryError::boxColourId, false));
    g.fillRoundedRectangle (0.0f, 0.0f, w, h, 10.0f);

    g.setColour (owner.findColour (BlurryError::textColourId, false));

    if (counter != "1/1")
    {
        const auto left = juce::roundToInt (w - 10.0f - font.getStringWidthFloat (counter));
        const auto top = juce::roundToInt (h - 10.0f - font.getHeight());
        g.drawFittedText (counter, juce::Rectangle<int>::leftTopRightBottom (left, top, getWidth(), getHeight()),
                          juce::Justification::centred, 1, 0.0f);
    }

    layout.draw (g, textArea);
}

//==============================================================================
BlurryError::BlurryError (juce::Component* targetToBlur)
    : target (targetToBlur)
    , blur (ConvolveImageEffect::createRingBlur())
    , box (*this)
{
    setBufferedToImage (true);
    addAndMakeVisible (box);
    setInterceptsMouseClicks (true, true);
}

BlurryError::~BlurryError() = default;

void BlurryError::errorAdded (const Error& error)
{
    // Any thread, with the registry's mutex held: copy, post, nothing else.
    juce::Component::SafePointer<BlurryError> safeThis (this);

    juce::MessageManager::callAsync ([safeThis, copy = error]
                                     {
                                         if (auto* overlay = safeThis.getComponent())
                                         {
                                             overlay->addError (copy);
                                             overlay->setVisible (true);
                                             if (overlay->target != nullptr)
                                                 overlay->target->setVisible (false);
                                         } });
}

void BlurryError::addError (const Error& error)
{
    const juce::ScopedLock hold (listLock);
    errorList.add (error);
    current = errorList.size() - 1;
    showCurrent();
}

void BlurryError::showCurrent()
{
    const auto& error = errorList.getReference (current);
    updateLink (juce::String::fromUTF8 (error.linkText.c_str()), juce::String::fromUTF8 (error.linkTarget.c_str()));
    box.updateText (error);
    repaint();
}

juce::String BlurryError::counterText() const
{
    const juce::ScopedLock hold (listLock);

    if (current < 0)
        return {};

    return juce::String (current + 1) + "/" + juce::String (errorList.size());
}

juce::String BlurryError::getCurrentMessage() const
{
    const juce::ScopedLock hold (listLock);
    return current < 0 ? juce::String() : errorList.getReference (current).message;
}

void BlurryError::updateLink (const juce::String& linkText, const juce::String& linkTarget)
{
    if (linkTarget.isNotEmpty())
    {
        box.link.button.setURL (juce::URL (linkTarget));
        box.link.button.setButtonText (linkText);
        box.link.setVisible (true);
        box.resized();
    }
    else
    {
        box.link.button.setURL (juce::URL());
        box.link.button.setButtonText ({});
        box.link.setVisible (false);
    }
}

void BlurryError::mouseDown (const juce::MouseEvent&)
{
    const juce::ScopedLock hold (listLock);

    if (errorList.isEmpty())
        return;

    current = current > 0 ? current - 1 : errorList.size() - 1;
    showCurrent();
}

void BlurryError::paint (juce::Graphics& g)
{
    if (target == nullptr)
        return;

    auto snapshot = target->createComponentSnapshot (target->getLocalBounds(), true, 1.0f);
    blur->applyEffect (snapshot, g, g.getInternalContext().getPhysicalPixelScaleFactor(), 1.0f);
}

void BlurryError::resized()
{
    box.centreWithSize ((int) ((float) getWidth() * 0.5f), (int) ((float) getHeight() * 0.2f));
    box.minWidth = box.getWidth();
    box.minHeight = box.getHeight();
    box.maxTextWidth = (int) ((float) getWidth() * 0.5f);
}

void BlurryError::colourChanged()
{
    if (isColourSpecified (textColourId))
        box.link.setColour (juce::HyperlinkButton::textColourId, findColour (textColourId));
}
