#include "plataforma_falsa.h"

#include <cmath>

TPosicao TPlataforma_falsa::le_ponteiro()
{
    return ponteiro;
}

void TPlataforma_falsa::move_ponteiro(TPosicao destino)
{
    ponteiro = destino;
    movimentos.push_back(destino);
}

int TPlataforma_falsa::passo_contador_cursor(bool subir)
{
    contador_cursor += subir ? 1 : -1;
    return contador_cursor;
}

void TPlataforma_falsa::habilita_timer(TTimer timer)
{
    if (timers_sem_recurso.count(timer))
        throw TErro_timer();
    Timer& t = timer_de(timer);
    if (t.habilitado)
        return;
    t.habilitado = true;
    t.proximo_ms = agora_ms + (timer == TTimer::Timer1 ? intervalo_timer1_ms : intervalo_timer2_ms);
}

void TPlataforma_falsa::desabilita_timer(TTimer timer)
{
    timer_de(timer).habilitado = false;
}

bool TPlataforma_falsa::timer_habilitado(TTimer timer) const
{
    return timer_de(timer).habilitado;
}

THora_local TPlataforma_falsa::hora_local()
{
    const std::int64_t dia_ms = 24 * 3600 * 1000;
    const std::int64_t ms = ((meia_noite_ms + agora_ms) % dia_ms + dia_ms) % dia_ms;
    return {static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60),
            static_cast<int>(ms / 1000 % 60)};
}

void TPlataforma_falsa::liga_timer(TTimer timer, std::function<void()> handler)
{
    timer_de(timer).handler = std::move(handler);
}

void TPlataforma_falsa::move_rotor_ate(std::int64_t ms)
{
    rotor_resto_ += rotor_linhas_por_ms * static_cast<double>(ms - agora_ms);
    const double linhas = std::trunc(rotor_resto_);
    rotor_resto_ -= linhas;
    ponteiro.y += static_cast<std::int32_t>(linhas);
    agora_ms = ms;
}

void TPlataforma_falsa::avanca(std::int64_t ms)
{
    const std::int64_t fim = agora_ms + ms;
    for (;;) {
        Timer* proximo = nullptr;
        for (Timer& t : timers_)  // Timer1 first among equals
            if (t.habilitado && t.proximo_ms <= fim && (!proximo || t.proximo_ms < proximo->proximo_ms))
                proximo = &t;
        if (!proximo)
            break;
        move_rotor_ate(proximo->proximo_ms);
        proximo->proximo_ms += proximo == &timers_[0] ? intervalo_timer1_ms : intervalo_timer2_ms;
        if (proximo->handler)
            proximo->handler();
    }
    move_rotor_ate(fim);
}
