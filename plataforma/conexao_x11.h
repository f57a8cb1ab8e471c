// The application's X connection, for the X11 parts of the platform.
#pragma once

#include <QGuiApplication>

#include <xcb/xcb.h>

// The X connection of the application, or null on a platform other than X11
// (offscreen, Wayland).
inline xcb_connection_t* conexao_x11()
{
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The root window of the first X screen, which spans every monitor.
inline xcb_window_t raiz_x11(xcb_connection_t* conexao)
{
    return xcb_setup_roots_iterator(xcb_get_setup(conexao)).data->root;
}
