#include "ponteiro_relativo.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double linha_inicial = 300.0;

}  // namespace

void TPonteiro_relativo::inicia()
{
    y_ = linha_inicial;
    medindo_ = true;
    travado_ = false;
}

void TPonteiro_relativo::encerra()
{
    medindo_ = false;
    travado_ = false;
}

void TPonteiro_relativo::trava(bool ativa)
{
    const bool perdeu = lendo() && !ativa;
    travado_ = ativa;
    if (perdeu && perda_)
        perda_();
}

void TPonteiro_relativo::move_relativo(double dx, double dy)
{
    if (!lendo())
        return;
    x_ += dx;
    y_ += dy;
}

TPosicao TPonteiro_relativo::le() const
{
    // Far beyond any screen the row is out of the band just the same.
    const auto inteiro = [](double v) {
        return static_cast<std::int32_t>(std::clamp(std::floor(v), -2.0e9, 2.0e9));
    };
    return {inteiro(x_), inteiro(y_)};
}

void TPonteiro_relativo::move(TPosicao destino)
{
    x_ = destino.x;
    y_ = destino.y;
}
