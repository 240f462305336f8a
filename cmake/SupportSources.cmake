# The support library and its platform layer: plain C++, no JUCE, so they also
# build on their own (see SupportOnly.cmake).
set(TAVRIK_SUPPORT_SOURCES
    source/support/platform/RecursiveMutex.cpp
    source/support/platform/DebugOutput.cpp
    source/support/platform/LocalTime.cpp
    source/support/platform/GuardedCall.cpp
    source/support/CKvlThreadMutex.cpp
    source/support/CKvlRingBuffer.cpp
    source/support/KvlTrace.cpp)
