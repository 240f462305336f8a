#include "RLottieComponent.h"

#include "RenderScale.h"

#include <TavrikAssets.h>

#include <cmath>

RLottieComponent::RLottieComponent()
    : RLottieComponent (std::string (TavrikAssets::animation_json, (size_t) TavrikAssets::animation_jsonSize))
{
}

RLottieComponent::RLottieComponent (std::string json)
    : jsonData (std::move (json))
{
    // No caching: each component parses its own copy, so nothing outlives the editor.
    animation = rlottie::Animation::loadFromData (jsonData, "", "", false);

    if (animation != nullptr)
        startFrameTimer();
}

RLottieComponent::~RLottieComponent()
{
    // rlottie may still be writing into renderImage.
    if (pendingRender.valid())
        pendingRender.wait();
}

void RLottieComponent::startFrameTimer()
{
    const int rate = (int) animation->frameRate();

    if (rate <= 0)
        stopTimer();
    else
        startTimer (1000 / rate);
}

void RLottieComponent::timerCallback()
{
    if (isShowing())
        repaint();
}

rlottie::Surface RLottieComponent::surfaceOver (juce::Image::BitmapData& pixels) const
{
    // rlottie writes premultiplied ARGB words: the image's own layout.
    return rlottie::Surface (reinterpret_cast<uint32_t*> (pixels.data), (size_t) pixels.width, (size_t) pixels.height,
                             (size_t) pixels.lineStride);
}

void RLottieComponent::paint (juce::Graphics& g)
{
    if (animation == nullptr || displayImage == nullptr || renderImage == nullptr)
        return;

    if (! paused)
    {
        if (currentFrame < lastFrame)
            ++currentFrame;
        else
            currentFrame = firstFrame.load();
    }

    {
        juce::Image::BitmapData renderPixels (*renderImage, juce::Image::BitmapData::readWrite);

        if (renderSynchronously)
        {
            animation->renderSync ((size_t) currentFrame.load(), surfaceOver (renderPixels), false);
            *displayImage = renderImage->createCopy();
            renderSynchronously = false;
        }
        else if (pendingRender.valid())
        {
            pendingRender.get();
            *displayImage = renderImage->createCopy();
        }
        else
        {
            pendingRender = animation->render ((size_t) currentFrame.load(), surfaceOver (renderPixels), false);
        }
    }

    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
    g.drawImage (*displayImage, g.getClipBounds().toFloat(), juce::RectanglePlacement::centred);
}

void RLottieComponent::resized()
{
    const double scale = Tavrik::getRenderScale (*this);
    const int width = (int) std::ceil (getWidth() * scale);
    const int height = (int) std::ceil (getHeight() * scale);

    // The renderer may still be writing into the old image; the next paint collects the result.
    if (pendingRender.valid())
        pendingRender.wait();

    renderImage = std::make_unique<juce::Image> (juce::Image::ARGB, juce::jmax (1, width), juce::jmax (1, height), true, juce::NativeImageType());
    displayImage = std::make_unique<juce::Image> (juce::Image::ARGB, juce::jmax (1, width), juce::jmax (1, height), true, juce::NativeImageType());
}

void RLottieComponent::playRange (int first, int last)
{
    paused = false;
    firstFrame = first;
    lastFrame = last;
    currentFrame = first;

    if (! isTimerRunning() && animation != nullptr)
        startFrameTimer();
}

void RLottieComponent::holdFrame (int frame)
{
    if (animation == nullptr)
        return;

    paused = true;

    if (frame >= 0 && (size_t) frame < animation->totalFrame())
        currentFrame = frame;
}
