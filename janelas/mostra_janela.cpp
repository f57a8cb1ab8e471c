#include "mostra_janela.h"

#include "plataforma/molduras_x11.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

constexpr char ja_mostrada[] = "ventara_ja_mostrada";

// The frame Qt knows around a window: nothing before the first showing, and
// nothing at all offscreen.
QMargins moldura_do_qt(const QWidget& janela)
{
    const QRect fora = janela.frameGeometry();
    const QRect dentro = janela.geometry();
    return {dentro.left() - fora.left(), dentro.top() - fora.top(), fora.right() - dentro.right(),
            fora.bottom() - dentro.bottom()};
}

void centra_com_moldura(QWidget& janela, const QMargins& moldura)
{
    const QRect tela = janela.screen()->geometry();
    const QSize fora = janela.size().grownBy(moldura);
    // The geometry of a window is its client area: placed inside the frame.
    const QPoint canto(tela.x() + centro_na_tela(tela.width(), fora.width()) + moldura.left(),
                       tela.y() + centro_na_tela(tela.height(), fora.height()) + moldura.top());
    janela.setGeometry(QRect(canto, janela.size()));
}

// Centres the window when it is about to be mapped: by then it has its size (a
// message box takes its own only once visible) and its native window, whose
// frame the X11 window manager can be asked for. The frame the manager draws as
// it maps the window may differ from what it told before (xfwm4 tells a
// borderless window the frame of a framed one; kwin tells nothing): centred once
// more then.
class TCentra : public QObject {
public:
    explicit TCentra(QWidget& janela) : QObject(&janela), janela_(janela) { janela.installEventFilter(this); }

    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() == QEvent::Show)
            centra();
        return QObject::eventFilter(objeto, evento);
    }

private:
    void centra()
    {
        janela_.removeEventFilter(this);
        QEvent pedido(QEvent::LayoutRequest);
        QCoreApplication::sendEvent(&janela_, &pedido);
        QWindow& nativa = *janela_.windowHandle();
        so_barra_de_titulo_x11(nativa);
        QWidget& janela = janela_;
        const QMargins moldura = moldura_x11(nativa).value_or(moldura_do_qt(janela));
        centra_com_moldura(janela, moldura);
        new TAviso_moldura_x11(nativa, &janela, [&janela, usada = moldura](QMargins desenhada) mutable {
            if (desenhada != usada) {
                usada = desenhada;
                centra_com_moldura(janela, desenhada);
            }
        });
        deleteLater();
    }

    QWidget& janela_;
};

}  // namespace

int centro_na_tela(int tamanho_tela, int tamanho_janela)
{
    return std::max(0, (tamanho_tela - tamanho_janela) / 2);
}

void centra_ao_mostrar(QWidget& janela)
{
    new TCentra(janela);
}

void mostra_janela(QWidget& janela)
{
    if (!janela.property(ja_mostrada).toBool()) {
        centra_ao_mostrar(janela);
        janela.setProperty(ja_mostrada, true);
    }
    janela.show();
    janela.raise();
    janela.activateWindow();
}
