#pragma once

#include "platform/LocalTime.h"

#include <cstdint>
#include <memory>

/** The support library's trace output: printf-style lines for the debugger
    output, from named modules whose levels are switched on or off.

    dbgprintf_ takes no lock and keeps its buffers on the stack, so any thread
    may call it, the audio thread included. The module registry is written
    while the module is loaded and unloaded, on the loader's thread.
*/
void dbgprintf_ (int level, const char* tag, const char* module, const char* function, const char* format, ...)
#if defined(__GNUC__)
    __attribute__ ((format (printf, 5, 6)))
#endif
    ;

bool isTraceEnabled (int module, int level);
int registerTraceModule (const char* moduleName);
int registerTraceLevel (int module, const char* levelName, bool enabled);
void unregisterTraceModule (const char* moduleName);

/** One traced module, registered with the levels ERR, WRN (both on), INF and
    DBG (both off) for as long as the object lives. */
class CKvlTraceModule
{
public:
    explicit CKvlTraceModule (const char* moduleName);
    ~CKvlTraceModule();

    const char* getName() const noexcept { return name.get(); }

    std::unique_ptr<char[]> name;
    int index = -1;
    int levelError = 0, levelWarning = 0, levelInfo = 0, levelDebug = 0;

    CKvlTraceModule (const CKvlTraceModule&) = delete;
    CKvlTraceModule& operator= (const CKvlTraceModule&) = delete;
};

/** The two modules the library registers when it is loaded. */
const CKvlTraceModule& ringBufferTraceModule();
const CKvlTraceModule& sorrelkitTraceModule();

namespace kvl
{
/** Lets tests fix the time column; nullptr restores the wall clock. */
void setTraceClock (platform::LocalTime (*clock)()) noexcept;
} // namespace kvl
