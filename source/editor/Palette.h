#pragma once

#include <juce_graphics/juce_graphics.h>

/** The editor's five colours; the artwork uses the same ones. */
namespace Palette
{
const juce::Colour offWhite { 0xFFFCFCFC };
const juce::Colour lightGrey { 0xFFD5D5D5 };
const juce::Colour darkBlue { 0xFF0B2981 };
const juce::Colour nearBlack { 0xFF060606 };
const juce::Colour accentBlue { 0xFF1753FF };
} // namespace Palette
