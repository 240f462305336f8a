#include "KvlTrace.h"

#include "platform/DebugOutput.h"
#include "platform/GuardedCall.h"

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace
{
constexpr int maxModules = 128;
constexpr int maxLevels = 32;
constexpr int bufferSize = 4096; // each holds at most 4095 characters and the terminator

struct ModuleEntry
{
    std::unique_ptr<char[]> name;
    std::unique_ptr<char[]> levelNames[maxLevels];
    std::uint32_t enableMask = 0;
};

// Zero-initialised before any dynamic initialisation, so the descriptors below
// can register themselves from their constructors.
ModuleEntry registry[maxModules];

std::atomic<platform::LocalTime (*)()> traceClock { nullptr };

std::unique_ptr<char[]> copyOf (const char* text)
{
    const auto length = std::strlen (text);
    auto copy = std::make_unique<char[]> (length + 1);
    std::memcpy (copy.get(), text, length + 1);
    return copy;
}

/** Appends to a fixed line buffer, never past its last character. */
struct Line
{
    char text[bufferSize];
    size_t length = 0;

    bool full() const noexcept { return length >= bufferSize - 1; }

    void append (const char* more) noexcept
    {
        while (*more != 0 && ! full())
            text[length++] = *more++;

        text[length] = 0;
    }
};

const char* levelText (int level) noexcept
{
    switch (level)
    {
        case 0: return "ERR";
        case 1: return "wrn";
        case 2: return "inf";
        default: return "   ";
    }
}

struct TraceCall
{
    int level;
    const char* tag;
    const char* module;
    const char* function;
    const char* format;
    va_list* args;
};

void buildAndEmit (void* context)
{
    const auto& call = *static_cast<const TraceCall*> (context);

    char message[bufferSize];
    std::vsnprintf (message, sizeof (message), call.format, *call.args);

    Line line;
    line.text[0] = 0;

    const auto clock = traceClock.load();
    const auto now = clock != nullptr ? clock() : platform::getLocalTime();
    char column[bufferSize];

    std::snprintf (column, sizeof (column), "%02d:%02d:%02d.%03d ", now.hour, now.minute, now.second, now.millisecond);
    line.append (column);
    line.append ("                    ");

    const bool hasModule = call.module != nullptr && *call.module != 0;
    char moduleText[32];
    std::snprintf (moduleText, sizeof (moduleText), "%s%s%s ", call.tag != nullptr ? call.tag : "", hasModule ? " " : "", hasModule ? call.module : "");
    char moduleColumn[64];
    std::snprintf (moduleColumn, sizeof (moduleColumn), "%-*s ", 29, moduleText);

    if (! line.full())
        line.append (moduleColumn);

    if (! line.full())
    {
        std::snprintf (column, sizeof (column), "%-3s ", levelText (call.level));
        line.append (column);
    }

    if (! line.full() && call.function != nullptr && *call.function != 0)
    {
        const char first = call.function[0];
        const char* lead = (first == ' ' || first == '/' || first == '\\') ? " " : "";
        int written = std::snprintf (column, sizeof (column), "%s%.*s%s: ", lead, bufferSize - 8, call.function, "()");
        written = written < 0 ? 0 : std::min (written, bufferSize - 1);

        while (written < 48)
            column[written++] = ' ';

        column[written] = 0;
        line.append (column);
    }

    if (! line.full())
        line.append (message);

    if (line.length >= 1 && line.length <= 4093 && line.text[line.length - 1] != '\n' && line.text[line.length - 1] != '\r')
        line.append ("\n");

    platform::writeDebugString (line.text);
}
} // namespace

void dbgprintf_ (int level, const char* tag, const char* module, const char* function, const char* format, ...)
{
    va_list args;
    va_start (args, format);
    TraceCall call { level, tag, module, function, format, &args };

    const bool completed = format != nullptr && platform::callGuarded (buildAndEmit, &call);
    va_end (args);

    if (! completed)
    {
        char narrow[256];
        std::snprintf (narrow, sizeof (narrow), "KVL WARNING dbgprintf_() - invalid format string: %s\n", format != nullptr ? format : "(null)");

        wchar_t warning[256];
        size_t i = 0;
        for (; narrow[i] != 0 && i < 255; ++i)
            warning[i] = (wchar_t) (unsigned char) narrow[i];
        warning[i] = 0;

        platform::writeDebugStringWide (warning);
    }
}

bool isTraceEnabled (int module, int level)
{
    if (module < 0 || module >= maxModules || level < 0 || level >= maxLevels)
        return false;

    return (registry[module].enableMask & (1u << level)) != 0;
}

int registerTraceModule (const char* moduleName)
{
    if (moduleName == nullptr)
        return -1;

    for (int i = 0; i < maxModules; ++i)
        if (registry[i].name != nullptr && std::strcmp (registry[i].name.get(), moduleName) == 0)
            return i;

    for (int i = 0; i < maxModules; ++i)
    {
        if (registry[i].name == nullptr)
        {
            registry[i].name = copyOf (moduleName);
            return i;
        }
    }

    return -1;
}

int registerTraceLevel (int module, const char* levelName, bool enabled)
{
    if (module < 0 || module >= maxModules || levelName == nullptr)
        return 0;

    auto& entry = registry[module];

    for (int j = 0; j < maxLevels; ++j)
        if (entry.levelNames[j] != nullptr && std::strcmp (entry.levelNames[j].get(), levelName) == 0)
            return j;

    for (int j = 0; j < maxLevels; ++j)
    {
        if (entry.levelNames[j] == nullptr)
        {
            entry.levelNames[j] = copyOf (levelName);

            if (enabled)
                entry.enableMask |= (1u << j);
            else
                entry.enableMask &= ~(1u << j);

            return j;
        }
    }

    return 0;
}

void unregisterTraceModule (const char* moduleName)
{
    if (moduleName == nullptr)
        return;

    for (auto& entry : registry)
    {
        if (entry.name != nullptr && std::strcmp (entry.name.get(), moduleName) == 0)
        {
            entry.name.reset();
            for (auto& levelName : entry.levelNames)
                levelName.reset();
            return;
        }
    }
}

CKvlTraceModule::CKvlTraceModule (const char* moduleName)
    : name (copyOf (moduleName))
    , index (registerTraceModule (moduleName))
    , levelError (registerTraceLevel (index, "ERR", true))
    , levelWarning (registerTraceLevel (index, "WRN", true))
    , levelInfo (registerTraceLevel (index, "INF", false))
    , levelDebug (registerTraceLevel (index, "DBG", false))
{
}

CKvlTraceModule::~CKvlTraceModule()
{
    if (name != nullptr)
        unregisterTraceModule (name.get());
}

namespace
{
// Constructed in this order when the module is loaded: "CKvlRingBuffer" is
// module 0 and "Sorrelkit" module 1.
const CKvlTraceModule ringBufferModule ("CKvlRingBuffer");
const CKvlTraceModule sorrelkitModule ("Sorrelkit");
} // namespace

const CKvlTraceModule& ringBufferTraceModule() { return ringBufferModule; }
const CKvlTraceModule& sorrelkitTraceModule() { return sorrelkitModule; }

namespace kvl
{
void setTraceClock (platform::LocalTime (*clock)()) noexcept
{
    traceClock.store (clock);
}
} // namespace kvl
