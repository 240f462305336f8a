#include "plugin/Tavrik_rnn_denoiserAudioProcessor.h"
#include "plugin/XmlWellFormedness.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct Case
{
    const char* name;
    std::string text;
    bool wellFormed;
};

class XmlCheck : public testing::TestWithParam<Case>
{
};

TEST_P (XmlCheck, AcceptsOnlyWellFormedDocuments)
{
    const auto& c = GetParam();
    EXPECT_EQ (isWellFormedXml (c.text.data(), (int) c.text.size()), c.wellFormed);
}

std::string nested (int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    for (int i = 0; i < depth; ++i)
        text += "</a>";
    return text;
}

INSTANTIATE_TEST_SUITE_P (
    Documents,
    XmlCheck,
    testing::Values (
        Case { "savedState", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n\n<RNNVoiceParams><PARAM id=\"bypass\" value=\"0.0\"/></RNNVoiceParams>", true },
        Case { "richContent", "<!-- c --><?pi x?><a x='1' y=\"&amp;&#65;&#x42;\">text &lt; <![CDATA[<raw>]]><b/></a>\n<!-- d -->", true },
        Case { "piInsideElement", "<a>text<?pi x?></a>", false },
        Case { "commentInsideElement", "<a><!-- c --></a>", false },
        Case { "piWithoutTarget", "<a><?<b x=\"?>\"/></a>", false },
        Case { "xmlDeclarationInside", "<a><?xml version=\"1.0\"?></a>", false },
        Case { "controlCharacter", "<a>\x01</a>", false },
        Case { "doubleHyphenInComment", "<!-- a -- b --><a/>", false },
        Case { "depth64", nested (64), true },
        Case { "depth65", nested (65), false },
        Case { "unterminated", "<a><b></b>", false },
        Case { "mismatched", "<a></b>", false },
        Case { "unquoted", "<a x=1/>", false },
        Case { "ltInAttribute", "<a x=\"<\"/>", false },
        Case { "badEntity", "<a>&nope</a>", false },
        Case { "twoRoots", "<a/><b/>", false },
        Case { "piInsideTag", "<R><PARA?>\n<?xml v=\"\" ?>\nV>", false },
        Case { "attributesWithoutSpace", "<a x=\"1\"y=\"2\"/>", false },
        Case { "empty", "", false },
        Case { "stopsAtZero", std::string ("<a/>\0<b>", 8), true }),
    [] (const auto& info) { return std::string (info.param.name); });

// Inputs the fuzzer found: each once crashed, read out of bounds, hung or left
// the state inconsistent. Loading them must return and leave a state that
// saves and loads back unchanged.
TEST (SavedStateRegressions, FuzzerFindingsLoadSafely)
{
    const auto folder = juce::File (TAVRIK_SOURCE_DIR).getChildFile ("tests/fuzz/regressions");
    const auto files = folder.findChildFiles (juce::File::findFiles, false, "*.bin");
    ASSERT_GE (files.size(), 3);

    for (const auto& file : files)
    {
        juce::MemoryBlock data;
        ASSERT_TRUE (file.loadFileAsData (data));

        Tavrik_rnn_denoiserAudioProcessor processor;
        processor.setStateInformation (data.getData(), (int) data.getSize());
        const float bypass = processor.getBypassParameter()->getValue();

        juce::MemoryBlock saved;
        processor.getStateInformation (saved);
        processor.setStateInformation (saved.getData(), (int) saved.getSize());
        EXPECT_EQ (processor.getBypassParameter()->getValue(), bypass) << file.getFileName();
    }
}
} // namespace
