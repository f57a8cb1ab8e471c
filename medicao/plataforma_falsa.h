// A platform on virtual time, for the tests and for drawing the windows without
// a desktop: both timers tick with exact periods, the pointer is simulated and
// every move and counter step is recorded.
#pragma once

#include "medicao/medicao.h"

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

class TPlataforma_falsa : public TPlataforma {
public:
    TPosicao le_ponteiro() override;
    void move_ponteiro(TPosicao destino) override;
    int passo_contador_cursor(bool subir) override;
    void habilita_timer(TTimer timer) override;
    void desabilita_timer(TTimer timer) override;
    bool timer_habilitado(TTimer timer) const override;
    THora_local hora_local() override;
    TConfig_hora config_hora() override { return config; }
    void liga_timer(TTimer timer, std::function<void()> handler) override;

    // Runs virtual time forward, delivering every tick that falls due. Ticks due
    // at the same moment run Timer1 first, so a sample at an evaluation's
    // boundary belongs to the interval it closes.
    void avanca(std::int64_t ms);

    // The rotor drags the pointer down at this many rows per millisecond.
    double rotor_linhas_por_ms = 0.0;
    TPosicao ponteiro{400, 300};
    std::vector<TPosicao> movimentos;
    int contador_cursor = 0;
    std::set<TTimer> timers_sem_recurso;  // enabling these throws TErro_timer
    TConfig_hora config;
    std::int64_t meia_noite_ms = 0;  // time of day at virtual time 0
    std::int64_t agora_ms = 0;

private:
    struct Timer {
        bool habilitado = false;
        std::int64_t proximo_ms = 0;
        std::function<void()> handler;
    };
    Timer& timer_de(TTimer timer) { return timers_[static_cast<int>(timer)]; }
    const Timer& timer_de(TTimer timer) const { return timers_[static_cast<int>(timer)]; }
    void move_rotor_ate(std::int64_t ms);

    std::array<Timer, 2> timers_;
    double rotor_resto_ = 0.0;
};
