// tavrik-render-artwork: renders the compiled-in artwork to PNG files, the
// animation through rlottie and the drawings through JUCE's SVG support, as
// the editor itself draws them.
//
//   tavrik-render-artwork OUTPUT_FOLDER

#include <TavrikAssets.h>

#include <juce_gui_basics/juce_gui_basics.h>
#include <rlottie.h>

#include <iostream>

namespace
{
bool writePNG (const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat png;
    return out.openedOk() && png.writeImageToStream (image, out);
}

juce::Image renderDrawing (const char* data, int size, int width, int height)
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);
    if (auto drawable = juce::Drawable::createFromImageData (data, (size_t) size))
        drawable->drawWithin (g, image.getBounds().toFloat(), juce::RectanglePlacement::stretchToFit, 1.0f);
    return image;
}

/** An animation frame over the editor's background, as it appears in the window. */
juce::Image renderFrame (rlottie::Animation& animation, size_t frame, const juce::Image& background)
{
    const int width = background.getWidth(), height = background.getHeight();
    juce::Image picture (juce::Image::ARGB, width, height, true);

    {
        // rlottie writes premultiplied ARGB words, which is JUCE's own pixel layout.
        juce::Image::BitmapData pixels (picture, juce::Image::BitmapData::writeOnly);
        rlottie::Surface surface (reinterpret_cast<uint32_t*> (pixels.data), (size_t) width, (size_t) height, (size_t) pixels.lineStride);
        animation.renderSync (frame, surface, true);
    }

    juce::Image composed = background.createCopy();
    juce::Graphics g (composed);
    g.drawImageAt (picture, 0, 0);
    return composed;
}
} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: tavrik-render-artwork OUTPUT_FOLDER\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    const juce::File folder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    folder.createDirectory();

    bool ok = writePNG (renderDrawing (TavrikAssets::background__svg, TavrikAssets::background__svgSize, 1400, 1032), folder.getChildFile ("background.png"))
           && writePNG (renderDrawing (TavrikAssets::warning_svg, TavrikAssets::warning_svgSize, 256, 256), folder.getChildFile ("warning.png"));

    auto animation = rlottie::Animation::loadFromData (std::string (TavrikAssets::animation_json, (size_t) TavrikAssets::animation_jsonSize), "render", "", false);

    if (animation == nullptr)
    {
        std::cerr << "tavrik-render-artwork: the animation does not load\n";
        return 1;
    }

    // The animation's own backdrop is transparent; show it on the editor's gradient.
    juce::Image backdrop (juce::Image::ARGB, 925, 540, true);
    {
        juce::Graphics g (backdrop);
        g.setGradientFill (juce::ColourGradient::vertical (juce::Colour (0xFFE9EDF0), 0.0f, juce::Colour (0xFFF8F9FA), 540.0f));
        g.fillAll();
    }

    for (const size_t frame : { 0, 75, 150, 225, 300, 375 })
        ok = ok && writePNG (renderFrame (*animation, frame, backdrop), folder.getChildFile ("frame-" + juce::String (frame).paddedLeft ('0', 3) + ".png"));

    std::cerr << (ok ? "tavrik-render-artwork: wrote " : "tavrik-render-artwork: failed writing ") << folder.getFullPathName() << "\n";
    return ok ? 0 : 1;
}
