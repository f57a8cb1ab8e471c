// A platform on virtual time for the tests: both timers tick with exact periods,
// the pointer is simulated and every move and counter step is recorded. The
// pointer is absolute, as on X11, or relative under a lock, as on Wayland.
#pragma once

#include "medicao/medicao.h"
#include "plataforma/ponteiro_relativo.h"
#include "plataforma/sensor.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <vector>

class TPlataforma_falsa : public TPlataforma, public TSensor {
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

    bool sensor_legivel() const override { return legivel; }
    bool sensor_lendo() const override;
    void liga_perda_sensor(std::function<void()> handler) override;

    // The compositor turns the lock on or off now (relative pointer only).
    void trava(bool ativa) { relativo.trava(ativa); }

    // Runs virtual time forward, delivering every tick that falls due. Ticks due
    // at the same moment run Timer1 first, so a sample at an evaluation's
    // boundary belongs to the interval it closes.
    void avanca(std::int64_t ms);

    // The rotor drags the pointer down at this many rows per millisecond.
    double rotor_linhas_por_ms = 0.0;

    // With a relative pointer the rotor moves in steps of so many rows every so
    // many milliseconds of virtual time, counted from 0. Hiding the pointer asks
    // for the lock, which the compositor grants at once when `trava_concedida`.
    bool ponteiro_relativo = false;
    double linhas_por_passo = 0.0;
    std::int64_t passo_ms = 50;
    bool trava_concedida = true;
    TPonteiro_relativo relativo;
    bool legivel = true;

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
    void pede_trava(bool ocultar);

    std::array<Timer, 2> timers_;
    double rotor_resto_ = 0.0;
};

// Displays that keep their texts and the order in which they were written.
class TDisplays_falsos : public TDisplays {
public:
    void escreve(TDisplay display, const std::string& texto) override
    {
        textos[display] = texto;
        escritas.push_back(display);
    }
    std::string texto(TDisplay display) const
    {
        const auto it = textos.find(display);
        return it == textos.end() ? std::string{} : it->second;
    }

    std::map<TDisplay, std::string> textos;
    std::vector<TDisplay> escritas;
};

// A core wired to a fake platform, its timers bound to its handlers.
struct TBancada {
    TBancada();
    TEstado_medicao estado;
    TPlataforma_falsa plataforma;
    TDisplays_falsos displays;
    TMedicao medicao{estado, plataforma, displays};
};
