// The core's test bench: displays that keep what is written to them, and a
// core wired to the virtual-time platform.
#pragma once

#include "plataforma/plataforma_falsa.h"

#include <map>
#include <string>
#include <vector>

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
    TBancada()
    {
        plataforma.liga_timer(TTimer::Timer1, [this] { medicao.Timer1Timer(); });
        plataforma.liga_timer(TTimer::Timer2, [this] { medicao.Timer2Timer(); });
    }
    TEstado_medicao estado;
    TPlataforma_falsa plataforma;
    TDisplays_falsos displays;
    TMedicao medicao{estado, plataforma, displays};
};
