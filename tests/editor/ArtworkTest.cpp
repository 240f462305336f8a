#include <TavrikAssets.h>

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>
#include <rlottie.h>

namespace
{
std::unique_ptr<rlottie::Animation> loadAnimation()
{
    return rlottie::Animation::loadFromData (std::string (TavrikAssets::animation_json, (size_t) TavrikAssets::animation_jsonSize),
                                             "artwork-test", "", false);
}

struct Frame
{
    size_t width, height;
    std::vector<uint32_t> pixels;

    double meanDifference (const Frame& other) const
    {
        double sum = 0.0;
        for (size_t i = 0; i < pixels.size(); ++i)
            for (int shift = 0; shift < 32; shift += 8)
                sum += std::abs ((int) ((pixels[i] >> shift) & 0xFF) - (int) ((other.pixels[i] >> shift) & 0xFF));
        return sum / (double) (pixels.size() * 4);
    }
};

Frame render (rlottie::Animation& animation, size_t frame, size_t width = 370, size_t height = 216)
{
    Frame result { width, height, std::vector<uint32_t> (width * height, 0) };
    animation.renderSync (frame, rlottie::Surface (result.pixels.data(), width, height, width * 4));
    return result;
}

/** Every object in the animation's JSON, depth first. */
void visit (const juce::var& node, const std::function<void (const juce::var&)>& f)
{
    if (auto* array = node.getArray())
        for (auto& item : *array)
            visit (item, f);
    else if (auto* object = node.getDynamicObject())
    {
        f (node);
        for (auto& property : object->getProperties())
            visit (property.value, f);
    }
}

TEST (Artwork, TheAnimationPlaysFourHundredFiftyFramesAtThirtyPerSecond)
{
    const auto animation = loadAnimation();
    ASSERT_NE (animation, nullptr);
    EXPECT_EQ (animation->frameRate(), 30.0);
    EXPECT_EQ (animation->totalFrame(), 450u);

    size_t width = 0, height = 0;
    animation->size (width, height);
    EXPECT_EQ (width, 1850u);
    EXPECT_EQ (height, 1080u);

    const auto json = juce::JSON::parse (juce::String::fromUTF8 (TavrikAssets::animation_json, TavrikAssets::animation_jsonSize));
    EXPECT_EQ (json["v"].toString(), "5.9.6");
    EXPECT_TRUE (json["markers"].isVoid() || json["markers"].size() == 0);

    // Only precompositions among the assets: no images, no fonts.
    for (auto& asset : *json["assets"].getArray())
        EXPECT_TRUE (asset["layers"].isArray()) << asset["id"].toString();
    EXPECT_TRUE (json["fonts"].isVoid());
}

// "**.Mic.Knob Outline.**" must reach exactly one fill: one layer "Mic", one
// group "Knob Outline" in it, one fill in that group.
TEST (Artwork, TheKnobKeyPathResolvesToExactlyOneFill)
{
    const auto json = juce::JSON::parse (juce::String::fromUTF8 (TavrikAssets::animation_json, TavrikAssets::animation_jsonSize));
    int micLayers = 0, knobGroups = 0, knobFills = 0;

    visit (json, [&] (const juce::var& node)
           {
               if (node["nm"].toString() == "Mic" && node.hasProperty ("ty") && node.hasProperty ("shapes"))
                   ++micLayers;

               if (node["nm"].toString() == "Knob Outline")
               {
                   ++knobGroups;
                   visit (node["it"], [&] (const juce::var& item)
                          { knobFills += item["ty"].toString() == "fl" ? 1 : 0; });
               } });

    EXPECT_EQ (micLayers, 1);
    EXPECT_EQ (knobGroups, 1);
    EXPECT_EQ (knobFills, 1);

    // And the fill is what the editor animates: its opacity shows in the picture.
    const auto faintAnimation = loadAnimation();
    const auto brightAnimation = loadAnimation();
    faintAnimation->setValue<rlottie::Property::FillOpacity> ("**.Mic.Knob Outline.**", 0.0f);
    brightAnimation->setValue<rlottie::Property::FillOpacity> ("**.Mic.Knob Outline.**", 80.0f);
    EXPECT_GT (render (*faintAnimation, 10).meanDifference (render (*brightAnimation, 10)), 0.01);
}

// Loops join without a jump: the last frame of each loop is as close to its
// first as neighbouring frames are to each other.
TEST (Artwork, LoopsJoinSeamlessly)
{
    const auto animation = loadAnimation();
    const auto step = render (*animation, 10).meanDifference (render (*animation, 11));

    for (const auto& [last, first] : { std::pair<size_t, size_t> { 149, 0 }, { 449, 300 } })
        EXPECT_LE (render (*animation, last).meanDifference (render (*animation, first)), 3.0 * step + 0.5) << last << " -> " << first;

    // The transition starts on the bypassed loop's picture and ends on the active one's.
    EXPECT_LE (render (*animation, 150).meanDifference (render (*animation, 0)), 3.0 * step + 0.5);
    EXPECT_LE (render (*animation, 299).meanDifference (render (*animation, 300)), 3.0 * step + 0.5);
}

TEST (Artwork, TheDrawingsParseWithTheirViewBoxes)
{
    struct Drawing
    {
        const char* data;
        int size;
        const char* viewBox;
        juce::Rectangle<float> box;
    };

    for (const auto& d : { Drawing { TavrikAssets::background__svg, TavrikAssets::background__svgSize, "0 0 1400 1032", { 0, 0, 1400, 1032 } },
                           Drawing { TavrikAssets::warning_svg, TavrikAssets::warning_svgSize, "0 0 486.463 486.463", { 0, 0, 486.463f, 486.463f } } })
    {
        const auto drawable = juce::Drawable::createFromImageData (d.data, (size_t) d.size);
        ASSERT_NE (drawable, nullptr) << d.viewBox;

        const auto xml = juce::parseXML (juce::String::fromUTF8 (d.data, d.size));
        ASSERT_NE (xml, nullptr);
        EXPECT_EQ (xml->getStringAttribute ("viewBox"), d.viewBox);

        const auto bounds = drawable->getDrawableBounds();
        EXPECT_FALSE (bounds.isEmpty()) << d.viewBox;
        EXPECT_TRUE (d.box.expanded (0.5f).contains (bounds)) << d.viewBox << ": " << bounds.toString();
    }

    // The background covers its whole area.
    const auto background = juce::Drawable::createFromImageData (TavrikAssets::background__svg, (size_t) TavrikAssets::background__svgSize);
    EXPECT_EQ (background->getDrawableBounds(), juce::Rectangle<float> (0, 0, 1400, 1032));
}
} // namespace
