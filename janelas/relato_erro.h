// The general error report: what a handler raises is shown to the user and the
// program goes on.
//
// The rule: every handler body (each `...Click` and `...Timer` member, and
// whatever an event override does beyond calling Qt) runs through `protege`,
// which reports a std::exception or anything else and returns, so no exception
// unwinds through Qt, which is not exception-safe. `TAplicacao::notify` is only
// the last net, for what a path inside Qt raises outside any handler.
#pragma once

#include <exception>
#include <utility>

// Shows the error's message in an error box titled with the application's title.
void relata_erro(const std::exception& erro);

// Reports the exception being handled, of whatever type; call it only inside a
// catch block.
void relata_excecao_corrente();

// Runs a handler's body under the rule above.
template <typename Corpo>
void protege(Corpo&& corpo)
{
    try {
        std::forward<Corpo>(corpo)();
    } catch (...) {
        relata_excecao_corrente();
    }
}
