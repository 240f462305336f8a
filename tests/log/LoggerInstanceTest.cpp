#include "common/LogFile.h"
#include "log/LoggerInstance.h"

#include <gtest/gtest.h>

namespace
{
class LoggerInstanceTest : public testing::Test
{
protected:
    void SetUp() override { LoggerInstance::getLogFile().getParentDirectory().deleteRecursively(); }
    void TearDown() override { LoggerInstance::getLogFile().getParentDirectory().deleteRecursively(); }
};

TEST_F (LoggerInstanceTest, HeaderThenOneCRLFLinePerMessage)
{
    LoggerInstance writer;
    writer.initialise();
    writer.writeToFile ("first");
    writer.writeToFile ("second");

    const auto data = LogFile::bytes();
    const juce::String text (static_cast<const char*> (data.getData()), data.getSize());
    const auto* raw = static_cast<const char*> (data.getData());

    ASSERT_TRUE (text.startsWith ("********************* LOG created on "));
    const auto headerLength = (int) std::strlen (raw);
    const juce::String header (raw, (size_t) headerLength);
    EXPECT_TRUE (header.endsWith (" *********************\n\r")) << header;
    ASSERT_LT (headerLength, (int) data.getSize());
    EXPECT_EQ (raw[headerLength], '\0');

    // The time between the prefix and the suffix is ISO 8601 with milliseconds and a zone.
    const auto time = header.fromFirstOccurrenceOf ("on ", false, false).upToFirstOccurrenceOf (" *", false, false);
    EXPECT_TRUE (juce::Time::fromISO8601 (time).toMilliseconds() > 0) << time;
    EXPECT_EQ (time[10], 'T');
    EXPECT_EQ (time[19], '.');

    const juce::String lines (raw + headerLength + 1, data.getSize() - (size_t) headerLength - 1);
    juce::StringArray split;
    split.addTokens (lines, "\n", "");
    ASSERT_EQ (split.size(), 3) << lines; // two lines and what follows the last LF
    EXPECT_TRUE (split[0].endsWith ("]  first\r"));
    EXPECT_TRUE (split[1].endsWith ("]  second\r"));
    EXPECT_TRUE (split[0].startsWith ("["));
    EXPECT_EQ (split[2], "");
}

TEST_F (LoggerInstanceTest, LineTimeStampsHaveNoLeadingZerosForHoursAndMilliseconds)
{
    struct Case
    {
        int hours, minutes, seconds, millis;
        const char* expected;
    };

    const Case cases[] {
        { 0, 0, 0, 0, "[0:00:00.0]  text" },
        { 23, 59, 59, 999, "[23:59:59.999]  text" },
        { 9, 5, 3, 7, "[9:05:03.7]  text" },
        { 12, 30, 9, 120, "[12:30:09.120]  text" },
    };

    for (const auto& c : cases)
    {
        const juce::Time stamp (2026, 5, 4, c.hours, c.minutes, c.seconds, c.millis, true);
        EXPECT_EQ (LoggerInstance::formatLine ("text", stamp), c.expected);
    }
}

TEST_F (LoggerInstanceTest, TrimsOnlyFilesStrictlyLargerThanTheThreshold)
{
    for (const auto& [size, trimmed] : { std::pair<juce::int64, bool> { LoggerInstance::trimThreshold, false }, { LoggerInstance::trimThreshold + 1, true } })
    {
        LoggerInstance writer;
        writer.initialise();

        // The header, then 100-byte lines, padded to the exact size.
        const auto file = LoggerInstance::getLogFile();
        juce::MemoryBlock content;
        file.loadFileAsData (content);
        std::string filler;
        while ((juce::int64) (content.getSize() + filler.size()) + 100 <= size)
            filler += std::string (99, 'x') + "\n";
        filler.append ((size_t) size - content.getSize() - filler.size(), 'y');
        content.append (filler.data(), filler.size());
        ASSERT_TRUE (file.replaceWithData (content.getData(), content.getSize()));
        ASSERT_EQ (file.getSize(), size);

        writer.writeToFile ("after");
        const auto line = LoggerInstance::formatLine ("after").length() + 2;

        if (trimmed)
            EXPECT_LE (file.getSize(), LoggerInstance::sizeAfterTrim + line);
        else
            EXPECT_NEAR ((double) file.getSize(), (double) (size + line), 2.0); // the stamp may gain a digit

        const auto data = LogFile::bytes();
        EXPECT_TRUE (juce::String (static_cast<const char*> (data.getData()) + data.getSize() - 10, 10) == "]  after\r\n");
    }
}

TEST_F (LoggerInstanceTest, ASecondInitialiseStartsTheFileAgain)
{
    LoggerInstance first, second;
    first.initialise();
    first.writeToFile ("from the first");
    ASSERT_TRUE (LogFile::messages().contains ("from the first"));

    second.initialise();
    second.writeToFile ("from the second");
    EXPECT_EQ (LogFile::messages(), juce::StringArray ({ "from the second" }));
}

TEST_F (LoggerInstanceTest, WritingBeforeInitialiseCreatesNothing)
{
    LoggerInstance writer;
    writer.writeToFile ("lost");
    EXPECT_FALSE (LoggerInstance::getLogFile().exists());
    EXPECT_FALSE (LoggerInstance::getLogFile().getParentDirectory().exists());
}

// A file where the folder should be: nothing can be created, nothing is reported.
TEST_F (LoggerInstanceTest, AnUnwritableLocationIsSilentlyIgnored)
{
    const auto folder = LoggerInstance::getLogFile().getParentDirectory();
    folder.getParentDirectory().createDirectory();
    ASSERT_TRUE (folder.replaceWithText ("not a folder"));

    LoggerInstance writer;
    writer.initialise();
    writer.writeToFile ("nowhere");
    EXPECT_FALSE (LoggerInstance::getLogFile().exists());
    folder.deleteFile();
}
} // namespace
