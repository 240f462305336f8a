#include "common/LogFile.h"
#include "editor/Tavrik_rnn_denoiserAudioEditor.h"
#include "plugin/Tavrik_rnn_denoiserAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
void pump (int ms = 50)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (ms);
}

TEST (Editor, IsAFixedSevenFiftyBySixHundredWindow)
{
    Tavrik_rnn_denoiserAudioProcessor processor;
    Tavrik_rnn_denoiserAudioEditor editor (processor);

    EXPECT_EQ (editor.getWidth(), 750);
    EXPECT_EQ (editor.getHeight(), 600);
    EXPECT_FALSE (editor.isResizable());
    ASSERT_NE (editor.getConstrainer(), nullptr);
    EXPECT_DOUBLE_EQ (editor.getConstrainer()->getFixedAspectRatio(), 1.25);
    EXPECT_EQ (editor.getConstrainer()->getMinimumHeight(), 600);

    for (auto* child : editor.getChildren())
        EXPECT_EQ (dynamic_cast<juce::ResizableCornerComponent*> (child), nullptr) << "no corner resizer";

    EXPECT_EQ (editor.getMainComponent().getBounds(), editor.getLocalBounds());
    EXPECT_EQ (editor.getErrorOverlay().getBounds(), editor.getLocalBounds());
    EXPECT_FALSE (editor.getErrorOverlay().isVisible());
    EXPECT_EQ (editor.getIndexOfChildComponent (&editor.getErrorOverlay()), 1) << "above the content";
}

// A host scale keeps the logical size and re-renders everything at the new resolution.
TEST (Editor, AScaleFactorMakesSharpImagesAtTheNewResolution)
{
    Tavrik_rnn_denoiserAudioProcessor processor;
    Tavrik_rnn_denoiserAudioEditor editor (processor);

    for (const float scale : { 1.25f, 1.5f, 2.0f })
    {
        editor.setScaleFactor (scale);
        pump();

        EXPECT_EQ (editor.getWidth(), 750);
        EXPECT_EQ (editor.getScreenBounds().getWidth(), juce::roundToInt (750 * scale)) << scale;
        EXPECT_EQ (editor.getScreenBounds().getHeight(), juce::roundToInt (600 * scale)) << scale;

        const auto& background = editor.getMainComponent().getBackground().getCachedImage();
        EXPECT_NEAR (background.getWidth(), 750 * scale, 1.0) << scale;
        EXPECT_NEAR (background.getHeight(), 600 * scale, 1.0) << scale;
    }

    editor.getMainComponent().getAnimation().playRange (0, 149);
    juce::Image target (juce::Image::ARGB, 10, 10, true);
    juce::Graphics g (target);
    editor.getMainComponent().getAnimation().paintEntireComponent (g, false);
    const auto* frame = editor.getMainComponent().getAnimation().getDisplayImage();
    ASSERT_NE (frame, nullptr);
    EXPECT_EQ (frame->getWidth(), 664 * 2);
    EXPECT_EQ (frame->getHeight(), 397 * 2);

    ASSERT_TRUE (LogFile::waitFor ("Set new scale factor : 2"));
    EXPECT_TRUE (LogFile::messages().contains ("Set new scale factor : 1.5"));
}

TEST (Editor, AnErrorStoredBeforeOpeningShowsTheOverlayAtOnce)
{
    Tavrik_rnn_denoiserAudioProcessor processor;
    processor.getErrors().addError ({ "The denoiser is not available", "Details", "https://example.invalid/denoiser" });

    Tavrik_rnn_denoiserAudioEditor editor (processor);
    pump();
    EXPECT_TRUE (editor.getErrorOverlay().isVisible());
    EXPECT_FALSE (editor.getMainComponent().isVisible());
    EXPECT_EQ (editor.getErrorOverlay().getCurrentMessage(), "The denoiser is not available");
    EXPECT_FALSE (editor.isResizable()) << "still fixed";
}

TEST (Editor, OpeningAndClosingIsLoggedAndLeavesTheRegistryClean)
{
    Tavrik_rnn_denoiserAudioProcessor processor;
    ASSERT_TRUE (LogFile::waitFor ("Initialized Tavrik RNNDenoiser audio processor"));

    for (int i = 0; i < 2; ++i)
    {
        {
            Tavrik_rnn_denoiserAudioEditor editor (processor);
            EXPECT_EQ (processor.getErrors().getNumListeners(), 1u);
            pump (20);
        }
        EXPECT_EQ (processor.getErrors().getNumListeners(), 0u);
        pump (20);
    }

    ASSERT_TRUE (LogFile::waitFor ("Closed editor"));
    pump (100);
    auto lines = LogFile::messages();
    lines.removeString ("Initialized Tavrik RNNDenoiser audio processor");
    EXPECT_EQ (lines.joinIntoString (","), "Opened editor,Closed editor,Opened editor,Closed editor");
}
} // namespace
