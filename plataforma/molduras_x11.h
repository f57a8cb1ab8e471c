#pragma once

#include <QMargins>

#include <optional>

class QWindow;

// The frame an X11 window manager draws, or will draw, around a top-level
// window, in the window's own pixels: asked of the manager before the window is
// first mapped. Empty without an X connection (offscreen, Wayland) or where no
// manager answers.
std::optional<QMargins> moldura_x11(QWindow& janela);

// Qt announces a window with a title and no buttons by leaving the decorations
// to the window manager, which then draws its default buttons; this asks for a
// title bar and a border only: no window menu, minimise, maximise or close box.
// Does nothing to other windows or without an X connection.
void so_barra_de_titulo_x11(QWindow& janela);
