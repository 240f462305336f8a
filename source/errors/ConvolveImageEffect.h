#pragma once

#include <juce_graphics/juce_graphics.h>

/** Convolves an image's colour channels with a small kernel of weights and
    draws the result; each pixel keeps its own alpha. The error overlay blurs
    the editor behind its warning box with a 5 x 5 ring-shaped kernel.

    A plain per-pixel convolution: fine for the rare redraws it serves, not for
    anything that runs every frame. Message thread.
*/
class ConvolveImageEffect : public juce::ImageEffectFilter
{
public:
    /** weights: width x height values, stored column by column. */
    ConvolveImageEffect (int width, int height, juce::Array<double> weights, double divisor, double bias);

    /** The overlay's blur: weight 15 on the 16 border cells of a 5 x 5
        square, 0 inside, so each pixel becomes the mean of the ring around it. */
    static std::unique_ptr<ConvolveImageEffect> createRingBlur();

    void applyEffect (juce::Image& sourceImage, juce::Graphics& destContext, float scaleFactor, float alpha) override;

private:
    const int kernelWidth;
    const int kernelHeight;
    const juce::Array<double> kernel;
    const double divisor;
    const double bias;
};
