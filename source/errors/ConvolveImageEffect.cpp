#include "ConvolveImageEffect.h"

ConvolveImageEffect::ConvolveImageEffect (int width, int height, juce::Array<double> weights, double divisorToUse, double biasToUse)
    : kernelWidth (width)
    , kernelHeight (height)
    , kernel (std::move (weights))
    , divisor (divisorToUse)
    , bias (biasToUse)
{
    jassert (kernel.size() == kernelWidth * kernelHeight);
}

std::unique_ptr<ConvolveImageEffect> ConvolveImageEffect::createRingBlur()
{
    juce::Array<double> weights;

    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            weights.add (i == 0 || i == 4 || j == 0 || j == 4 ? 15.0 : 0.0);

    return std::make_unique<ConvolveImageEffect> (5, 5, std::move (weights), 1.0, 0.0);
}

void ConvolveImageEffect::applyEffect (juce::Image& sourceImage, juce::Graphics& destContext, float, float alpha)
{
    if (! sourceImage.isValid())
        return;

    const int width = sourceImage.getWidth();
    const int height = sourceImage.getHeight();
    juce::Image destination (juce::Image::ARGB, width, height, false, juce::NativeImageType());

    const int halfWidth = kernelWidth / 2;
    const int halfHeight = kernelHeight / 2;
    double kernelSum = 0.0;

    for (const auto weight : kernel)
        kernelSum += weight;

    {
        const juce::Image::BitmapData source (sourceImage, juce::Image::BitmapData::readOnly);
        juce::Image::BitmapData target (destination, juce::Image::BitmapData::writeOnly);

        for (int x = 0; x < width; ++x)
        {
            for (int y = 0; y < height; ++y)
            {
                const auto alphaHere = source.getPixelColour (x, y).getAlpha();
                double red = 0.0, green = 0.0, blue = 0.0;

                for (int i = 0; i < kernelWidth; ++i)
                {
                    for (int j = 0; j < kernelHeight; ++j)
                    {
                        const int sx = x - halfWidth + i;
                        const int sy = y - halfHeight + j;

                        // Outside the image counts as black: edges darken.
                        if (sx < 0 || sy < 0 || sx >= width || sy >= height)
                            continue;

                        const auto sample = source.getPixelColour (sx, sy);
                        const double weight = kernel.getUnchecked (i * kernelHeight + j);
                        red += weight * sample.getRed();
                        green += weight * sample.getGreen();
                        blue += weight * sample.getBlue();
                    }
                }

                for (auto* sum : { &red, &green, &blue })
                {
                    if (kernelSum > 0.0)
                        *sum /= kernelSum;

                    if (divisor > 0.0)
                        *sum /= divisor;

                    *sum = juce::jlimit (0.0, 255.0, *sum + alphaHere * bias);
                }

                target.setPixelColour (x, y, juce::Colour ((juce::uint8) (int) red, (juce::uint8) (int) green, (juce::uint8) (int) blue, alphaHere));
            }
        }
    }

    destContext.setOpacity (alpha);
    destContext.drawImageAt (destination, 0, 0, false);
}
