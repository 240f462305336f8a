#include "errors/ConvolveImageEffect.h"

#include <gtest/gtest.h>

namespace
{
juce::Image filled (int width, int height, juce::Colour colour)
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    image.clear (image.getBounds(), colour);
    return image;
}

/** What the ring blur draws into a transparent image of the same size. */
juce::Image blurred (juce::Image source, float alpha = 1.0f, float scale = 1.0f)
{
    juce::Image target (juce::Image::ARGB, source.getWidth(), source.getHeight(), true);
    juce::Graphics g (target);
    ConvolveImageEffect::createRingBlur()->applyEffect (source, g, scale, alpha);
    return target;
}

void expectRGBA (const juce::Image& image, int x, int y, int r, int g, int b, int a)
{
    const auto pixel = image.getPixelAt (x, y);
    EXPECT_EQ ((int) pixel.getRed(), r) << "at " << x << "," << y;
    EXPECT_EQ ((int) pixel.getGreen(), g) << "at " << x << "," << y;
    EXPECT_EQ ((int) pixel.getBlue(), b) << "at " << x << "," << y;
    EXPECT_EQ ((int) pixel.getAlpha(), a) << "at " << x << "," << y;
}

TEST (RingBlur, AUniformImageKeepsItsColourButDarkensInTheTwoPixelEdgeBand)
{
    const auto out = blurred (filled (9, 9, juce::Colour (200, 100, 48)));

    for (int x = 2; x <= 6; ++x)
        for (int y = 2; y <= 6; ++y)
            expectRGBA (out, x, y, 200, 100, 48, 255);

    expectRGBA (out, 0, 0, 62, 31, 15, 255); // 5 of the 16 ring samples lie inside
    expectRGBA (out, 1, 4, 137, 68, 33, 255); // one column of 5 lies outside: 11/16
    expectRGBA (out, 4, 8, 112, 56, 27, 255); // the bottom row and two more: 9/16
}

TEST (RingBlur, AnIsolatedPixelSpreadsOverTheRingAtOneSixteenth)
{
    auto source = filled (9, 9, juce::Colours::black);
    source.setPixelAt (4, 4, juce::Colours::white);
    const auto out = blurred (source);

    for (int x = 0; x < 9; ++x)
    {
        for (int y = 0; y < 9; ++y)
        {
            const int distance = juce::jmax (std::abs (x - 4), std::abs (y - 4));
            const int expected = distance == 2 ? 255 / 16 : 0;
            expectRGBA (out, x, y, expected, expected, expected, 255);
        }
    }
}

TEST (RingBlur, EachPixelKeepsItsOwnAlpha)
{
    auto source = filled (7, 7, juce::Colours::white);
    source.setPixelAt (3, 3, juce::Colours::transparentBlack);
    source.setPixelAt (1, 1, juce::Colour::fromRGBA (255, 255, 255, 128));
    const auto out = blurred (source);

    expectRGBA (out, 3, 3, 0, 0, 0, 0);
    EXPECT_EQ (out.getPixelAt (1, 1).getAlpha(), 128);
    EXPECT_EQ (out.getPixelAt (3, 1).getAlpha(), 255);
}

TEST (RingBlur, AOnePixelImageBecomesBlackWithItsAlpha)
{
    auto source = filled (1, 1, juce::Colour::fromRGBA (10, 200, 30, 200));
    expectRGBA (blurred (source), 0, 0, 0, 0, 0, 200);
}

TEST (RingBlur, DrawsAtTheGivenOpacityAndIgnoresTheScale)
{
    const auto source = filled (6, 6, juce::Colours::white);
    const auto half = blurred (source, 0.5f);
    const auto pixel = half.getPixelAt (3, 3);
    EXPECT_NEAR (pixel.getAlpha(), 128, 1);
    EXPECT_NEAR (pixel.getRed(), 255, 1); // unpremultiplied: white at half opacity

    const auto one = blurred (source, 1.0f, 1.0f);
    const auto two = blurred (source, 1.0f, 2.0f);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            EXPECT_EQ (one.getPixelAt (x, y), two.getPixelAt (x, y));
}

TEST (RingBlur, AnEmptyImageDrawsNothing)
{
    juce::Image target = filled (4, 4, juce::Colours::red);
    juce::Graphics g (target);
    juce::Image empty;
    ConvolveImageEffect::createRingBlur()->applyEffect (empty, g, 1.0f, 1.0f);
    expectRGBA (target, 2, 2, 255, 0, 0, 255);
}
} // namespace
