#pragma once

/** A program that is not a JUCE application keeps Xlib's default error
    handler, which ends the process on the first harmless BadAtom that a bare X
    server without a window manager (Xvfb) provokes. Call once at start, before
    any window opens. */
void installLenientXErrorHandler();
