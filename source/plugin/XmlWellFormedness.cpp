#include "XmlWellFormedness.h"

#include <cstring>

namespace
{
constexpr int maxDepth = 64;

class Checker
{
public:
    Checker (const char* text, int numBytes) noexcept
        : p (text)
    {
        const void* zero = std::memchr (text, 0, (size_t) numBytes);
        end = zero != nullptr ? static_cast<const char*> (zero) : text + numBytes;
    }

    bool document() noexcept
    {
        // XML allows no control characters but tab, LF and CR.
        for (auto* c = p; c < end; ++c)
            if ((unsigned char) *c < 0x20 && *c != '\t' && *c != '\n' && *c != '\r')
                return false;

        if (startsWith ("<?xml") && (end - p == 5 || isSpace (p[5]) || p[5] == '?'))
        {
            p += 5;
            if (! skipPast ("?>"))
                return false;
        }

        if (! misc())
            return false;

        if (! element (0))
            return false;

        return misc() && p == end;
    }

private:
    bool atEnd() const noexcept { return p >= end; }
    char peek (int offset = 0) const noexcept { return p + offset < end ? p[offset] : 0; }

    bool startsWith (const char* s) const noexcept
    {
        const auto n = std::strlen (s);
        return (size_t) (end - p) >= n && std::memcmp (p, s, n) == 0;
    }

    bool skipPast (const char* terminator) noexcept
    {
        const auto n = std::strlen (terminator);
        for (; (size_t) (end - p) >= n; ++p)
        {
            if (std::memcmp (p, terminator, n) == 0)
            {
                p += n;
                return true;
            }
        }
        return false;
    }

    static bool isSpace (char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    static bool isNameStart (char c) noexcept { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':'; }
    static bool isNameChar (char c) noexcept { return isNameStart (c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

    void spaces() noexcept
    {
        while (! atEnd() && isSpace (*p))
            ++p;
    }

    bool name (const char** start, int* length) noexcept
    {
        if (atEnd() || ! isNameStart (*p))
            return false;

        const char* first = p;
        while (! atEnd() && isNameChar (*p))
            ++p;

        *start = first;
        *length = (int) (p - first);
        return true;
    }

    /** A comment, at "<!--": no "--" inside it. */
    bool comment() noexcept
    {
        p += 4;
        for (; end - p >= 2; ++p)
        {
            if (p[0] == '-' && p[1] == '-')
            {
                if (peek (2) != '>')
                    return false;

                p += 3;
                return true;
            }
        }
        return false;
    }

    /** A processing instruction, at "<?": a target name other than "xml", then
        nothing or whitespace and any text up to "?>". */
    bool processingInstruction() noexcept
    {
        p += 2;
        const char* target;
        int length;
        if (! name (&target, &length))
            return false;

        if (length == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' && (target[2] | 0x20) == 'l')
            return false;

        if (startsWith ("?>"))
        {
            p += 2;
            return true;
        }

        return ! atEnd() && isSpace (*p) && skipPast ("?>");
    }

    /** Whitespace, comments and processing instructions around the root. */
    bool misc() noexcept
    {
        for (;;)
        {
            spaces();

            if (startsWith ("<!--"))
            {
                if (! comment())
                    return false;
            }
            else if (startsWith ("<?"))
            {
                if (! processingInstruction())
                    return false;
            }
            else
            {
                return true;
            }
        }
    }

    bool reference() noexcept
    {
        ++p; // '&'
        if (peek() == '#')
        {
            ++p;
            const bool hex = peek() == 'x';
            if (hex)
                ++p;

            int digits = 0;
            while (! atEnd() && ((*p >= '0' && *p <= '9') || (hex && ((*p >= 'a' && *p <= 'f') || (*p >= 'A' && *p <= 'F')))))
                ++p, ++digits;

            if (digits == 0 || digits > 8)
                return false;
        }
        else
        {
            const char* start;
            int length;
            if (! name (&start, &length))
                return false;
        }

        if (peek() != ';')
            return false;

        ++p;
        return true;
    }

    bool attributeValue() noexcept
    {
        const char quote = peek();
        if (quote != '"' && quote != '\'')
            return false;

        for (++p; ! atEnd() && *p != quote;)
        {
            if (*p == '<')
                return false;

            if (*p == '&')
            {
                if (! reference())
                    return false;
            }
            else
            {
                ++p;
            }
        }

        if (atEnd())
            return false;

        ++p;
        return true;
    }

    bool element (int depth) noexcept
    {
        if (depth >= maxDepth || peek() != '<')
            return false;

        ++p;
        const char* tag;
        int tagLength;
        if (! name (&tag, &tagLength))
            return false;

        for (;;)
        {
            const bool hadSpace = ! atEnd() && isSpace (*p);
            spaces();

            if (startsWith ("/>"))
            {
                p += 2;
                return true;
            }

            if (peek() == '>')
            {
                ++p;
                break;
            }

            const char* attribute;
            int attributeLength;
            if (! hadSpace || ! name (&attribute, &attributeLength))
                return false;

            spaces();
            if (peek() != '=')
                return false;

            ++p;
            spaces();
            if (! attributeValue())
                return false;
        }

        return content (depth) && closingTag (tag, tagLength);
    }

    bool content (int depth) noexcept
    {
        while (! atEnd())
        {
            if (startsWith ("</"))
                return true;

            // JUCE's parser loses its way on comments and processing
            // instructions inside an element (it loops forever on some), so
            // they are allowed only before and after the root.
            if (startsWith ("<!--") || startsWith ("<?"))
                return false;

            if (startsWith ("<![CDATA["))
            {
                p += 9;
                if (! skipPast ("]]>"))
                    return false;
            }
            else if (peek() == '<')
            {
                if (! element (depth + 1))
                    return false;
            }
            else if (peek() == '&')
            {
                if (! reference())
                    return false;
            }
            else
            {
                ++p;
            }
        }

        return false;
    }

    bool closingTag (const char* tag, int tagLength) noexcept
    {
        if (! startsWith ("</"))
            return false;

        p += 2;
        const char* closing;
        int closingLength;
        if (! name (&closing, &closingLength) || closingLength != tagLength || std::memcmp (closing, tag, (size_t) tagLength) != 0)
            return false;

        spaces();
        if (peek() != '>')
            return false;

        ++p;
        return true;
    }

    const char* p;
    const char* end;
};
} // namespace

bool isWellFormedXml (const char* text, int numBytes) noexcept
{
    if (text == nullptr || numBytes <= 0)
        return false;

    return Checker (text, numBytes).document();
}
