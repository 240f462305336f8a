#pragma once

/** Whether text is a small, well-formed XML document: an optional XML
    declaration, comments and processing instructions around one root element
    that holds attributes, text, CDATA and elements, ASCII names, no control
    characters, at most 64 levels deep. Saved states are checked with it before JUCE's XML
    parser sees them, because that parser loops forever or reads past the end
    on some malformed input, and recurses once per level. Stops at a zero byte
    or after numBytes. Any thread; allocates nothing. */
bool isWellFormedXml (const char* text, int numBytes) noexcept;
