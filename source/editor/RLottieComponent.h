#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <rlottie.h>

#include <atomic>
#include <future>
#include <memory>
#include <string>

/** Plays the embedded Lottie animation through rlottie: a range of frames in
    a loop at the animation's rate, or one held frame. Frames are rendered at
    the display's physical resolution, one frame ahead on rlottie's threads,
    and each paint either starts a render or collects the one in flight.

    Construction, resizing and destruction run on the message thread; paint
    runs where the parent paints, with the message-manager lock held.
    playRange and holdFrame may be called from either.
*/
class RLottieComponent : public juce::Component,
                         public juce::Timer
{
public:
    /** The embedded animation. */
    RLottieComponent();

    /** Any Lottie text, for tests of what happens when it does not load. */
    explicit RLottieComponent (std::string json);

    ~RLottieComponent() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void timerCallback() override;

    void playRange (int first, int last);
    void holdFrame (int frame);

    /** The loaded animation, or null; its owner may override its properties. */
    std::unique_ptr<rlottie::Animation> animation;

    int getCurrentFrame() const noexcept { return currentFrame; }
    bool isPaused() const noexcept { return paused; }
    const juce::Image* getDisplayImage() const noexcept { return displayImage.get(); }

private:
    void startFrameTimer();
    rlottie::Surface surfaceOver (juce::Image::BitmapData& pixels) const;

    std::unique_ptr<juce::Image> displayImage;
    std::unique_ptr<juce::Image> renderImage;
    std::string jsonData;
    std::atomic<int> currentFrame { 0 };
    std::atomic<int> firstFrame { 0 };
    std::atomic<int> lastFrame { 0 };
    std::atomic<bool> paused { true };
    std::future<rlottie::Surface> pendingRender;
    bool renderSynchronously = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RLottieComponent)
};
