#include "plataforma_falsa.h"

#include <cmath>

TPosicao TPlataforma_falsa::le_ponteiro()
{
    return ponteiro_relativo ? relativo.le() : ponteiro;
}

void TPlataforma_falsa::move_ponteiro(TPosicao destino)
{
    if (ponteiro_relativo)
        relativo.move(destino);
    else
        ponteiro = destino;
    movimentos.push_back(destino);
}

int TPlataforma_falsa::passo_contador_cursor(bool subir)
{
    const bool oculto = contador_cursor < 0;
    contador_cursor += subir ? 1 : -1;
    if (ponteiro_relativo && oculto != (contador_cursor < 0))
        pede_trava(contador_cursor < 0);
    return contador_cursor;
}

// As on Wayland the pointer is locked while it is hidden.
void TPlataforma_falsa::pede_trava(bool ocultar)
{
    if (!ocultar) {
        relativo.encerra();
        return;
    }
    relativo.inicia();
    if (trava_concedida)
        relativo.trava(true);
}

bool TPlataforma_falsa::sensor_lendo() const
{
    return ponteiro_relativo ? relativo.lendo() : legivel;
}

void TPlataforma_falsa::liga_perda_sensor(std::function<void()> handler)
{
    relativo.liga_perda(std::move(handler));
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
            static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

void TPlataforma_falsa::liga_timer(TTimer timer, std::function<void()> handler)
{
    timer_de(timer).handler = std::move(handler);
}

void TPlataforma_falsa::move_rotor_ate(std::int64_t ms)
{
    if (ponteiro_relativo) {
        for (std::int64_t passos = ms / passo_ms - agora_ms / passo_ms; passos > 0; --passos)
            relativo.move_relativo(0.0, linhas_por_passo);
        agora_ms = ms;
        return;
    }
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

TBancada::TBancada()
{
    plataforma.liga_timer(TTimer::Timer1, [this] { medicao.Timer1Timer(); });
    plataforma.liga_timer(TTimer::Timer2, [this] { medicao.Timer2Timer(); });
}
