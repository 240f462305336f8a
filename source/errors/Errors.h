#pragma once

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace Tavrik
{

/** A registry of errors meant for the user's eyes, each a message with an
    optional link. A listener that joins is told at once about every error
    already stored, oldest first, so an editor opened late still shows them.

    Any thread may use it. Listeners are called with the registry's mutex held,
    so they must return quickly and must not call back into the registry.
*/
template <typename T>
class Errors
{
public:
    struct Error
    {
        T message;
        std::string linkText;   // UTF-8
        std::string linkTarget; // UTF-8; empty: the error has no link
    };

    struct Listener
    {
        virtual void errorAdded (const Error& error) = 0;

    protected:
        // Listeners are owned by whoever registers them, never deleted through this interface.
        ~Listener() = default;
    };

    Errors() = default;
    Errors (const Errors&) = delete;
    Errors& operator= (const Errors&) = delete;

    void addListener (Listener* listener)
    {
        if (listener == nullptr)
            return;

        const std::lock_guard<std::mutex> hold (mutex);

        if (std::find (listeners.begin(), listeners.end(), listener) != listeners.end())
            return;

        listeners.push_back (listener);

        for (const auto& error : errors)
            listener->errorAdded (error);
    }

    void removeListener (Listener* listener)
    {
        if (listener == nullptr)
            return;

        const std::lock_guard<std::mutex> hold (mutex);
        const auto found = std::find (listeners.begin(), listeners.end(), listener);

        if (found != listeners.end())
        {
            listeners.erase (found);
            listeners.shrink_to_fit();
        }
    }

    /** Stores an error and tells every registered listener, in registration order. */
    void addError (Error error)
    {
        const std::lock_guard<std::mutex> hold (mutex);
        errors.push_back (std::move (error));

        for (auto* listener : listeners)
            listener->errorAdded (errors.back());
    }

    size_t getNumListeners() const
    {
        const std::lock_guard<std::mutex> hold (mutex);
        return listeners.size();
    }

private:
    std::vector<Error> errors;
    std::vector<Listener*> listeners;
    mutable std::mutex mutex;
};

} // namespace Tavrik
