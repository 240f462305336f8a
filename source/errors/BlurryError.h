#pragma once

#include "ConvolveImageEffect.h"
#include "Errors.h"
#include "editor/HyperlinkButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The editor's error overlay: hidden until an error reaches it from the
    processor's registry, then it hides the editor's content and draws a
    blurred picture of it with a warning box on top. A press steps back
    through the errors received; nothing dismisses it while the editor is open.

    errorAdded may come from any thread; everything else runs on the message
    thread.
*/
class BlurryError : public juce::Component,
                    public Tavrik::Errors<juce::String>::Listener
{
public:
    using Error = Tavrik::Errors<juce::String>::Error;

    enum ColourIds
    {
        boxColourId = 0,
        textColourId = 1
    };

    /** The frame that holds the link button. */
    class CustomHyperlinkButton : public juce::Component
    {
    public:
        CustomHyperlinkButton();
        void paint (juce::Graphics&) override;
        void resized() override;

        Tavrik::HyperlinkButton button;

    private:
        float getMargin() const noexcept;
    };

    /** The warning box: icon, message, link and counter. */
    class CenteredBox : public juce::Component
    {
    public:
        explicit CenteredBox (BlurryError& owner);
        void paint (juce::Graphics&) override;
        void resized() override;
        void updateText (const Error& error);

        CustomHyperlinkButton link;
        int minWidth = 0, minHeight = 0, maxTextWidth = 0;
        juce::Rectangle<float> getTextArea() const noexcept { return textArea; }
        juce::Drawable* getIcon() const noexcept { return icon.get(); }

    private:
        BlurryError& owner;
        std::unique_ptr<juce::Drawable> icon;
        juce::TextLayout layout;
        juce::Rectangle<float> textProportions { 0.15f, 0.1f, 0.7f, 0.5f };
        juce::Rectangle<float> textArea;
    };

    explicit BlurryError (juce::Component* targetToBlur);
    ~BlurryError() override;

    void errorAdded (const Error& error) override;
    void addError (const Error& error);
    juce::String counterText() const;
    void updateLink (const juce::String& linkText, const juce::String& linkTarget);

    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;
    void resized() override;
    void colourChanged() override;

    CenteredBox& getBox() noexcept { return box; }
    juce::String getCurrentMessage() const;

private:
    void showCurrent();

    juce::CriticalSection listLock;
    juce::Component* target;
    std::unique_ptr<ConvolveImageEffect> blur;
    CenteredBox box;
    juce::Array<Error> errorList;
    int current = -1; // an index: entries move when the list grows

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BlurryError)
};
