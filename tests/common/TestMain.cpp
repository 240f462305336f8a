#include "LenientXErrors.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <cstdlib>

// Every test process gets a home folder of its own, so tests never touch the
// real user's log and parallel test processes never share one.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);

    char folder[] = "/tmp/tavrik-test-XXXXXX";
    if (mkdtemp (folder) == nullptr)
        return 1;

    const std::string home (folder);
    setenv ("HOME", home.c_str(), 1);
    setenv ("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);

    installLenientXErrorHandler();

    int result = 0;
    {
        const juce::ScopedJuceInitialiser_GUI juce;
        result = RUN_ALL_TESTS();
    }

    juce::File (home).deleteRecursively();
    return result;
}
