#include "mostra_janela.h"

#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {
constexpr char ja_mostrada[] = "ventara_ja_mostrada";
}

int centro_na_tela(int tamanho_tela, int tamanho_janela)
{
    return std::max(0, (tamanho_tela - tamanho_janela) / 2);
}

void centra_na_tela(QWidget& janela)
{
    const QRect tela = janela.screen()->geometry();
    const QSize fora = janela.frameGeometry().size();
    janela.move(tela.x() + centro_na_tela(tela.width(), fora.width()),
                tela.y() + centro_na_tela(tela.height(), fora.height()));
}

void mostra_janela(QWidget& janela)
{
    if (!janela.property(ja_mostrada).toBool()) {
        // Settle the size the layout gives the window, and make the native window
        // so the frame counts where the platform knows it.
        if (janela.layout())
            janela.layout()->activate();
        janela.winId();
        centra_na_tela(janela);
        janela.setProperty(ja_mostrada, true);
    }
    janela.show();
    janela.raise();
    janela.activateWindow();
}
