#include "common/CapturedTrace.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
const std::string timeAndGap = "14:03:07.250 " + std::string (20, ' ');

std::string padded (const std::string& text, size_t width)
{
    return text + std::string (width > text.size() ? width - text.size() : 0, ' ');
}

// Calls through a variable format so that the compiler's format check lets the
// odd cases through, as a caller with a computed format would.
#if defined(__clang__)
 #pragma clang diagnostic ignored "-Wformat-security"
#endif

template <typename... Args>
void trace (int level, const char* tag, const char* module, const char* function, const char* format, Args... args)
{
    dbgprintf_ (level, tag, module, function, format, args...);
}

struct LineCase
{
    const char* name;
    int level;
    const char* tag;
    const char* module;
    const char* function;
    std::string message;
    std::string expected;
};

class TraceLine : public testing::TestWithParam<LineCase>
{
};

TEST_P (TraceLine, IsLaidOutInFixedColumns)
{
    const CapturedTrace captured;
    const auto& c = GetParam();
    trace (c.level, c.tag, c.module, c.function, "%s", c.message.c_str());

    ASSERT_EQ (captured.lines().size(), 1u);
    EXPECT_EQ (captured.lines()[0], c.expected);
}

const std::string ringColumn = padded ("kvl CKvlRingBuffer ", 29) + " ";
const std::string writeColumn = padded ("CKvlRingBuffer::Write(): ", 48);

INSTANTIATE_TEST_SUITE_P (
    Layout,
    TraceLine,
    testing::Values (
        LineCase { "warning", 1, "kvl", "CKvlRingBuffer", "CKvlRingBuffer::Write", "hello", timeAndGap + ringColumn + "wrn " + writeColumn + "hello\n" },
        LineCase { "error", 0, "kvl", "CKvlRingBuffer", "CKvlRingBuffer::Write", "x", timeAndGap + ringColumn + "ERR " + writeColumn + "x\n" },
        LineCase { "info", 2, "kvl", "CKvlRingBuffer", "CKvlRingBuffer::Write", "x", timeAndGap + ringColumn + "inf " + writeColumn + "x\n" },
        LineCase { "otherLevel", 7, "kvl", "CKvlRingBuffer", "CKvlRingBuffer::Write", "x", timeAndGap + ringColumn + "    " + writeColumn + "x\n" },
        LineCase { "nullTag", 1, nullptr, "Mod", "f", "x", timeAndGap + padded (" Mod ", 29) + " wrn " + padded ("f(): ", 48) + "x\n" },
        LineCase { "emptyModule", 1, "kvl", "", "f", "x", timeAndGap + padded ("kvl ", 29) + " wrn " + padded ("f(): ", 48) + "x\n" },
        LineCase { "nullFunction", 1, "kvl", "Mod", nullptr, "x", timeAndGap + padded ("kvl Mod ", 29) + " wrn x\n" },
        LineCase { "emptyFunction", 1, "kvl", "Mod", "", "x", timeAndGap + padded ("kvl Mod ", 29) + " wrn x\n" },
        LineCase { "slashFunction", 1, "kvl", "Mod", "/path", "x", timeAndGap + padded ("kvl Mod ", 29) + " wrn " + padded (" /path(): ", 48) + "x\n" },
        LineCase { "longFunction", 1, "kvl", "Mod", "Some::Very::LongFunctionNameThatGoesOnAndOnForever", "x", timeAndGap + padded ("kvl Mod ", 29) + " wrn Some::Very::LongFunctionNameThatGoesOnAndOnForever(): x\n" },
        LineCase { "endsInLF", 1, "kvl", "Mod", "f", "x\n", timeAndGap + padded ("kvl Mod ", 29) + " wrn " + padded ("f(): ", 48) + "x\n" },
        LineCase { "endsInCR", 1, "kvl", "Mod", "f", "x\r", timeAndGap + padded ("kvl Mod ", 29) + " wrn " + padded ("f(): ", 48) + "x\r" },
        LineCase { "longModuleCut", 1, "kvl", "AModuleNameMuchLongerThanTheColumn", "f", "x", timeAndGap + "kvl AModuleNameMuchLongerThanTh " + "wrn " + padded ("f(): ", 48) + "x\n" }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (Trace, AnOverlongMessageFillsTheLineAndGetsNoLineEnd)
{
    const CapturedTrace captured;
    const std::string message (5000, 'm');
    trace (1, "kvl", "Mod", "f", "%s", message.c_str());

    ASSERT_EQ (captured.lines().size(), 1u);
    const auto& line = captured.lines()[0];
    EXPECT_EQ (line.size(), 4095u);
    EXPECT_EQ (line.back(), 'm');
    EXPECT_EQ (line.find ('\n'), std::string::npos);
}

TEST (Trace, ANullFormatGivesTheInvalidFormatWarning)
{
    const CapturedTrace captured;
    trace (1, "kvl", "Mod", "f", nullptr);

    ASSERT_EQ (captured.lines().size(), 1u);
    EXPECT_EQ (captured.lines()[0], "KVL WARNING dbgprintf_() - invalid format string: (null)\n");
}

TEST (Trace, TheLibraryRegistersItsTwoModulesAtLoad)
{
    EXPECT_EQ (ringBufferTraceModule().index, 0);
    EXPECT_EQ (sorrelkitTraceModule().index, 1);

    for (const auto* module : { &ringBufferTraceModule(), &sorrelkitTraceModule() })
    {
        EXPECT_EQ (module->levelError, 0);
        EXPECT_EQ (module->levelWarning, 1);
        EXPECT_EQ (module->levelInfo, 2);
        EXPECT_EQ (module->levelDebug, 3);
        EXPECT_TRUE (isTraceEnabled (module->index, 0));
        EXPECT_TRUE (isTraceEnabled (module->index, 1));
        EXPECT_FALSE (isTraceEnabled (module->index, 2));
        EXPECT_FALSE (isTraceEnabled (module->index, 3));
    }

    EXPECT_FALSE (isTraceEnabled (-1, 0));
    EXPECT_FALSE (isTraceEnabled (128, 0));
}

TEST (Trace, RegistrationKeepsNamesUniqueAndBounded)
{
    EXPECT_EQ (registerTraceModule ("CKvlRingBuffer"), 0) << "a second registration returns the first index";

    std::vector<std::string> added;
    int last = 0;
    for (int i = 0; last >= 0; ++i)
    {
        added.push_back ("test module " + std::to_string (i));
        last = registerTraceModule (added.back().c_str());
    }

    EXPECT_EQ (added.size(), 127u) << "126 free entries, then -1";

    const int module = registerTraceModule ("levels");
    EXPECT_EQ (module, -1) << "the table is still full";

    for (const auto& name : added)
        unregisterTraceModule (name.c_str());

    const int spare = registerTraceModule ("levels");
    ASSERT_GE (spare, 2);

    for (int j = 0; j < 32; ++j)
        EXPECT_EQ (registerTraceLevel (spare, ("L" + std::to_string (j)).c_str(), j % 2 == 0), j);

    EXPECT_EQ (registerTraceLevel (spare, "one too many", true), 0);
    EXPECT_EQ (registerTraceLevel (spare, "L1", true), 1) << "an existing level keeps its index...";
    EXPECT_FALSE (isTraceEnabled (spare, 1)) << "...and its state";
    EXPECT_EQ (registerTraceLevel (200, "L0", true), 0);

    unregisterTraceModule ("levels");
    unregisterTraceModule ("not registered");
    EXPECT_EQ (registerTraceModule ("CKvlRingBuffer"), 0);
}
} // namespace
