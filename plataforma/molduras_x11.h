#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <QObject>

#include <functional>
#include <optional>

class QWindow;

// The frame an X11 window manager draws, or will draw, around a top-level
// window, in the window's own pixels: asked of the manager before the window is
// first mapped. Empty without an X connection (offscreen, Wayland) or where no
// manager answers.
std::optional<QMargins> moldura_x11(QWindow& janela);

// Calls avisa with the window's frame as the window manager announces it,
// until the window is exposed with a frame announced: the frame the manager
// draws as it maps the window. Owned by dono; never calls without an X
// connection.
class TAviso_moldura_x11 : public QObject, public QAbstractNativeEventFilter {
public:
    TAviso_moldura_x11(QWindow& janela, QObject* dono, std::function<void(QMargins)> avisa);
    ~TAviso_moldura_x11() override;
    bool nativeEventFilter(const QByteArray& tipo, void* mensagem, qintptr* resultado) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void confere();

    QWindow& janela_;
    std::function<void(QMargins)> avisa_;
    unsigned id_ = 0;
    unsigned atomo_ = 0;
};

// Qt announces a window with a title and no buttons by leaving the decorations
// to the window manager, which then draws its default buttons; this asks for a
// title bar and a border only: no window menu, minimise, maximise or close box.
// Does nothing to other windows or without an X connection.
void so_barra_de_titulo_x11(QWindow& janela);
