// The general error report: what escapes an event handler is shown to the user
// and the program goes on.
#pragma once

#include <exception>
#include <utility>

// Shows the error's message in an error box titled with the application's title.
void relata_erro(const std::exception& erro);

// Runs a handler's body so that a std::exception it raises is reported instead
// of unwinding through Qt, which is not exception-safe.
template <typename Corpo>
void protege(Corpo&& corpo)
{
    try {
        std::forward<Corpo>(corpo)();
    } catch (const std::exception& erro) {
        relata_erro(erro);
    }
}
