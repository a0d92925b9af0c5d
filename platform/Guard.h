#pragma once
#include "platform/Application.h"

#include <exception>

namespace vesk {

// Runs one handler. An error that escapes it is shown by the error display
// instead of reaching the event loop, and the program goes on. Returns false
// when an error was shown.
template <class Handler>
bool guarded(Handler&& handler) noexcept
{
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        try {
            application().showError(error);
        } catch (...) {
            // A display that fails must not reach the event loop either.
        }
        return false;
    }
}

}  // namespace vesk
